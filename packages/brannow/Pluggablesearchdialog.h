#pragma once
// The search dialog: lists the nodes of one kind from a tree, filters them by a text and shows
// the hits as rows of a list page, from which a row leads to its node.
#include <vector>

#include "PluggableIntf.h"
#include "PropertyPages.h"
#include "zub/Forms.h"
#include "zub/Menus.h"

// A tool-bar button that drops down a menu and shows one image of the tree's list.
class TSortButton : public TControl {
public:
    explicit TSortButton(TComponent* AOwner) : TControl(AOwner) {}
    int ImageIndex = 0;
    TPopupMenu* DropdownMenu = nullptr;
    TImageList* Images = nullptr;
    void Click() override;
};

struct TInternalSearchType {
    String Caption;
    int SearchType = 0;
    TSearchColumnsProc Columns = nullptr;
    TSearchRowProc Row = nullptr;
};

// A form: not reference-counted, the interface lives as long as the dialog.
class TSearchDialog : public TForm, public virtual IPluggableSearch {
public:
    explicit TSearchDialog(TComponent* AOwner);
    ~TSearchDialog() override;
    HRESULT QueryInterface(const TGUID& iid, void** obj) override;
    int AddRef() override { return -1; }
    int Release() override { return -1; }

    TIntfPtr<IPluggableTreeManager> GetTree() override { return FTree; }
    void SetTree(const TIntfPtr<IPluggableTreeManager>& tree) override;
    int GetSearchType() override { return FSearchType; }
    void SetSearchType(int type) override { FSearchType = type; }
    void Execute() override;
    void Clear() override;
    void AddSearchType(const String& caption, int type, TSearchColumnsProc columns,
                       TSearchRowProc row) override;
    void AddColumn(const String& caption, int width) override;
    void AddRow(const std::vector<String>& values, int imageIndex,
                const TIntfPtr<IPluggableTreeNode>& node) override;

    // Lists the candidates that contain the search text.
    void Render();
    TUsesPagePlug* ResultPage() const { return FResult.get(); }
    int CandidateCount() const { return static_cast<int>(FCandidates.size()); }

    TEdit* SearchEdit;
    TButton* SearchButton;
    TCheckBox* CaseCheckBox;
    TSortButton* SortButton;
    TPopupMenu* PopupMenu;
    TControl* HostPanel;

private:
    void ChooseType(const TInternalSearchType& type);
    void FormShow();
    void FormKeyDown(unsigned short& key);

    TIntfPtr<IPluggableTreeManager> FTree;
    int FSearchType = 0;
    TIntfPtr<TUsesPagePlug> FResult;
    TSearchColumnsProc FColumns = nullptr;
    TSearchRowProc FRow = nullptr;
    std::vector<TIntfPtr<IPluggableTreeNode>> FCandidates;
    std::vector<std::unique_ptr<TInternalSearchType>> FTypes;
};

// A search dialog for outside packages to use; this package never sets it.
extern TSearchDialog* SearchDialog;
