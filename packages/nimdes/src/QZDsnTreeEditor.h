#pragma once
// The tree items editor: a tree view's items as a tree, with new items, new roots, in-place
// captions and deletion. Shown beside the designer, not modal.
#include "QZDsnSmallEditors.h"
#include "QZRuntime.h"
#include "host/PropertyEditors.h"
#include "zub/Forms.h"
#include "zub/Menus.h"
#include "zub/TreeView.h"

class TQZDsnTreeView : public TForm, public IQZTreeViewDesigner {
public:
    explicit TQZDsnTreeView(TQZControl* tree);
    ~TQZDsnTreeView() override;

    TTreeView* TreeView1;
    TPopupMenu* PopupMenu1;
    TMenuItem* miNewItem;
    TMenuItem* miNewRoot;
    TMenuItem* miEditCaption;
    TMenuItem* miDeleteItem;

    TQZControl* Component() const { return FTree; }
    // The item the object inspector shows; nullptr: the component itself.
    TQZTreeViewItem* InspectedItem() const { return FInspected; }
    void Refresh();
    void NewItem(bool root);
    void EditCaption();
    void DeleteItem();
    void ItemsFreed() override;
    // Edits that tree's items (the editor becomes their designer); Detach lets them go.
    void Attach(TQZControl* tree);
    void Detach();

private:
    void Fill();
    void Select(TTreeNode* node);
    void UpdateMenu();
    TQZControl* FTree;
    TQZTreeViewItem* FInspected = nullptr;
};

// Opens (or brings to the front) the editor of the tree view's items.
TQZDsnTreeView* ShowTreeViewEditor(TQZControl* tree);
// The editors open now.
std::vector<TQZDsnTreeView*> OpenTreeViewEditors();

class TTreeViewItemsProperty : public TStringProperty {
public:
    using TStringProperty::TStringProperty;
    TPropertyAttributes GetAttributes() override { return paDialog | paReadOnly; }
    String GetValue() override { return "(Items)"; }
    void Edit() override;
};

// The about verb, then "Edit tree nodes".
class TQZTreeViewComponent : public TQZControlAbout {
public:
    using TQZControlAbout::TQZControlAbout;
    int GetVerbCount() override { return 2; }
    String GetVerb(int index) override;
    void ExecuteVerb(int index) override;
};

namespace QZDsnTreeEditor {
extern int UseCount;
void Initialization();
void Finalization();
}  // namespace QZDsnTreeEditor
