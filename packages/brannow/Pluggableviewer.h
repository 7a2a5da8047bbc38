#pragma once
// The tree control into which sources plug their nodes, with its property pages and popup menu.
#include <functional>
#include <memory>
#include <vector>

#include "PageSheets.h"
#include "PluggableIntf.h"
#include "zub/Menus.h"
#include "zub/TreeView.h"

namespace Pluggableviewer {
// Set while the IDE runs: the tree hands its popup menu to the host's menu registration.
extern std::function<void(TPopupMenu*)> RegisterMenu;
extern std::function<void(TPopupMenu*)> UnRegisterMenu;
}  // namespace Pluggableviewer

// "%s is not a valid name"
extern const char* const sInvalidNodeName;

class TPluggablePopupMenu : public TInterfacedObject, public virtual IPluggablePopupMenu {
public:
    explicit TPluggablePopupMenu(TComponent* owner);
    ~TPluggablePopupMenu() override;
    HRESULT QueryInterface(const TGUID& iid, void** obj) override;
    int AddRef() override { return TInterfacedObject::AddRef(); }
    int Release() override { return TInterfacedObject::Release(); }

    TImageList* GetImages() override { return FImages; }
    void SetImages(TImageList* images) override { FImages = images; }
    TPopupMenu* GetPopupMenu() override { return FMenu; }
    void AddMenuItem(const String& caption, const TNotifyEvent& onClick, int imageIndex,
                     const String& name) override;
    void Popup() override {}
    void Clear() override;

private:
    TPopupMenu* FMenu;
    TImageList* FImages = nullptr;
};

struct TInternalTreeNode {
    std::vector<TInternalTreeNode*> Children;  // not owned: the tree's node list owns records
    TTreeNode* Item = nullptr;
    TIntfPtr<IPluggableTreeNode> Node;
    TInternalTreeNode* Parent = nullptr;
};

struct TInternalPropertyNode {
    TTabSheet* Sheet = nullptr;  // null when the tree had no page control
    TIntfPtr<IPluggablePropertyPage> Page;
};

// A component, not reference-counted: the interfaces it hands out live as long as the control.
class TPluggableTreeView : public TTreeView,
                           public virtual IPluggableTreeManager,
                           public virtual IPropertyPageManager {
public:
    explicit TPluggableTreeView(TComponent* AOwner);
    ~TPluggableTreeView() override;

    HRESULT QueryInterface(const TGUID& iid, void** obj) override;
    int AddRef() override { return -1; }
    int Release() override { return -1; }

    // IPluggableTreeManager
    void Add(const TIntfPtr<IPluggableSource>& source) override;
    void Add(const TIntfPtr<IPluggableTreeNode>& parent, const TIntfPtr<IPluggableTreeNode>& node) override;
    void Remove(const TIntfPtr<IPluggableSource>& source) override;
    void Remove(const TIntfPtr<IPluggableTreeNode>& node) override;
    void ExpandNode(const TIntfPtr<IPluggableTreeNode>& node, bool all) override;
    void CollapseNode(const TIntfPtr<IPluggableTreeNode>&, bool) override {}
    void AddMenuItem(const String& caption, const TNotifyEvent& onClick, int imageIndex,
                     const String& name) override;
    void BeginUpdate() override { TTreeView::BeginUpdate(); }
    void EndUpdate() override { TTreeView::EndUpdate(); }
    String GetTitle() override { return FTitle; }
    void SetTitle(const String& title) override;
    void Select(const TIntfPtr<IPluggableTreeNode>& node, bool expand) override;
    void RefreshCurrentSelection() override;
    TIntfPtr<IPluggableTreeNode> GetItem(int index) override;
    int GetCount() override { return static_cast<int>(FNodes.size()); }
    TIntfPtr<IPluggableSource> GetSourceItems(int index) override;
    int GetSourceItemsCount() override { return static_cast<int>(FSources.size()); }
    void SetImages(TImageList* images) override { TTreeView::SetImages(images); }
    TImageList* GetImages() override { return TTreeView::Images(); }
    void Clear() override;

    // IPropertyPageManager
    void RegisterPageFactory(const TIntfPtr<IPluggablePropertyPageFactory>& factory) override;
    void SetVisible(IPluggablePropertyPage* page) override;
    bool GetVisible(IPluggablePropertyPage* page) override;
    void ShowPages() override;
    TIntfPtr<IPluggablePropertyPage> GetPropertyPage(const TGUID& pageID, const String& caption) override;

    using TControl::SetVisible;

    TIntfPtr<IPluggableTreeNode> GetRootNodes(int index);
    int GetRootNodesCount() const { return static_cast<int>(FRoots.size()); }
    void Select(int index, bool expand);
    void GoBack();
    void GoForeward();
    bool CanGoBack() const;
    bool CanGoForeward() const;
    void ShowSubChildren(TTreeNode* item);
    void EnableButtons();

    TPageControl* PageControl() const { return FPageControl; }
    void SetPageControl(TPageControl* control);
    TControl* BackButton() const { return FBackButton; }
    void SetBackButton(TControl* button);
    TControl* ForewardButton() const { return FForewardButton; }
    void SetForewardButton(TControl* button);
    int HelpContext() const { return FHelpContext; }
    TIntfPtr<IPluggablePopupMenu> Popup() const { return FPopup; }

    int HistoryCount() const { return static_cast<int>(FHistory.size()); }
    TIntfPtr<IPluggableTreeNode> HistoryItem(int index) const
    {
        return FHistory.at(static_cast<std::size_t>(index));
    }
    int HistoryIndex() const { return FHistoryIndex; }
    int CreatedPageCount() const { return static_cast<int>(FCreatedPages.size()); }
    const TInternalPropertyNode& CreatedPage(int index) const
    {
        return FCreatedPages.at(static_cast<std::size_t>(index));
    }

    TPluggableNotifyEvent OnSelect;
    TPluggableSourceEvent OnClose;
    std::function<void(const String& title)> OnTitleChange;

protected:
    void Notification(TComponent* c, TOperation op) override;

private:
    TInternalTreeNode* RecordOf(IPluggableTreeNode* node) const;
    void MakeItem(TInternalTreeNode* rec);
    void RemoveRecord(std::size_t index);
    void SelectionChanged(TTreeNode* item);
    void ItemExpanding(TTreeNode* item, bool& allow);
    void LabelEdited(TTreeNode* item, String& s);
    void PageChanged(TObject* sender);
    // Selects the history entry delta steps away with the going flag set.
    void Step(int delta, bool& going);

    std::vector<TIntfPtr<IPluggablePropertyPageFactory>> FFactories;
    std::vector<TInternalPropertyNode> FCreatedPages;
    std::vector<std::size_t> FRequestedPages;  // positions in FCreatedPages
    TNotifyEvent FPreviousPageChange;
    TPageControl* FPageControl = nullptr;
    std::vector<std::unique_ptr<TInternalTreeNode>> FNodes;  // a removed node leaves an empty slot
    TIntfPtr<TPluggablePopupMenu> FPopup;
    String FTitle;
    std::vector<TInternalTreeNode*> FRoots;
    std::vector<TIntfPtr<IPluggableSource>> FSources;
    std::vector<TIntfPtr<IPluggableTreeNode>> FHistory;
    int FHistoryIndex = -1;
    bool FGoingBack = false, FGoingForeward = false;
    std::vector<TInternalTreeNode*> FPendingRoots;
    TControl* FBackButton = nullptr;
    TControl* FForewardButton = nullptr;
    TIntfPtr<IPluggableTreeNode> FCurrentNode;  // the node of the selected item
    int FHelpContext = 0;
};
