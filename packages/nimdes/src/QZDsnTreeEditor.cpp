#include "QZDsnTreeEditor.h"

#include <algorithm>
#include <map>

#include "QZDsnFormBuild.h"
#include "host/FormDesigner.h"
#include "rtl/Format.h"
#include "rtl/Resources.h"
#include "zub/Dialogs.h"

namespace {
RTL_RESOURCESTRING(RSNewItem, "New Item");
RTL_RESOURCESTRING(RSNewRoot, "New Root");
RTL_RESOURCESTRING(RSEditCaption, "Edit Caption");
RTL_RESOURCESTRING(RSDeleteItem, "Delete Item");
RTL_RESOURCESTRING(RSMsgDeleteItem, "Delete item %s?");

std::vector<TQZDsnTreeView*>& Open()
{
    static std::vector<TQZDsnTreeView*> open;
    return open;
}

TMenuItem* MenuItem(TPopupMenu* menu, const char* name, const String& caption, std::function<void()> action)
{
    auto* m = new TMenuItem(menu->Owner());
    m->SetName(name);
    m->SetCaption(caption);
    m->OnClick = [action](TObject*) { action(); };
    menu->Items()->Add(m);
    return m;
}

void DesignerModified()
{
    if (TFormDesigner* d = ActiveDesigner()) d->Modified();
}
}  // namespace

TQZDsnTreeView::TQZDsnTreeView(TQZControl* tree) : TForm(nullptr), FTree(nullptr)
{
    SetName("QZDsnTreeView");
    SetCaption(tree->Name());
    SetBounds(0, 0, 300, 360);
    TreeView1 = Make<TTreeView>(this, this, "TreeView1", 0, 0, 300, 360);
    TreeView1->SetHideSelection(false);
    PopupMenu1 = new TPopupMenu(this);
    PopupMenu1->SetName("PopupMenu1");
    miNewItem = MenuItem(PopupMenu1, "miNewItem", RSNewItem, [this] { NewItem(false); });
    miNewRoot = MenuItem(PopupMenu1, "miNewRoot", RSNewRoot, [this] { NewItem(true); });
    miEditCaption = MenuItem(PopupMenu1, "miEditCaption", RSEditCaption, [this] { EditCaption(); });
    miDeleteItem = MenuItem(PopupMenu1, "miDeleteItem", RSDeleteItem, [this] { DeleteItem(); });
    TreeView1->SetPopupMenu(PopupMenu1);
    TreeView1->OnChange = [this](TObject*, TTreeNode* node) { Select(node); };
    TreeView1->OnEdited = [this](TObject*, TTreeNode* node, String& s) {
        if (auto* item = static_cast<TQZTreeViewItem*>(node->Data())) item->Caption = s;
        DesignerModified();
    };
    TreeView1->OnExpanding = [](TObject*, TTreeNode* node, bool&) {
        if (auto* item = static_cast<TQZTreeViewItem*>(node->Data())) item->Expanded = true;
    };
    TreeView1->OnCollapsed = [](TObject*, TTreeNode* node) {
        if (auto* item = static_cast<TQZTreeViewItem*>(node->Data())) item->Expanded = false;
    };
    OnActivate = [this](TObject*) { Refresh(); };
    OnClose = [this](TObject*, TCloseAction&) { Detach(); };
    Attach(tree);
    Open().push_back(this);
}

TQZDsnTreeView::~TQZDsnTreeView()
{
    Detach();
    std::erase(Open(), this);
}

void TQZDsnTreeView::Attach(TQZControl* tree)
{
    Detach();
    FTree = tree;
    FTree->TreeItems.Designer = this;
    SetCaption(tree->Name());
    Fill();
    UpdateMenu();
}

void TQZDsnTreeView::Detach()
{
    // A closed editor holds nothing of the tree: the tree may go while it is hidden.
    if (FTree && FTree->TreeItems.Designer == this) FTree->TreeItems.Designer = nullptr;
    FTree = nullptr;
    FInspected = nullptr;
    TreeView1->Clear();
    UpdateMenu();
}

void TQZDsnTreeView::Fill()
{
    TQZTreeViewItems& items = FTree->TreeItems;
    std::map<TQZTreeViewItem*, TTreeNode*> nodes;
    TreeView1->BeginUpdate();
    TreeView1->Clear();
    for (int i = 0; i < items.Count(); ++i) {
        TQZTreeViewItem* item = items.Items(i);
        auto parent = nodes.find(item->Parent);
        nodes[item] = TreeView1->AddChild(parent == nodes.end() ? nullptr : parent->second, item->Caption);
    }
    for (auto [item, node] : nodes) {
        node->SetData(item);
        if (item->Expanded) node->Expand(false);
    }
    TreeView1->EndUpdate();
}

void TQZDsnTreeView::Refresh()
{
    if (!FTree) return;
    SetCaption(FTree->Name());
    std::function<void(TTreeNode*)> walk = [&](TTreeNode* n) {
        if (auto* item = static_cast<TQZTreeViewItem*>(n->Data()); item && n->Text() != item->Caption)
            n->SetText(item->Caption);
        for (int i = 0; i < n->Count(); ++i) walk(n->Item(i));
    };
    for (int i = 0; i < TreeView1->TopCount(); ++i) walk(TreeView1->TopItem(i));
}

void TQZDsnTreeView::Select(TTreeNode* node)
{
    FInspected = node ? static_cast<TQZTreeViewItem*>(node->Data()) : nullptr;
    if (TFormDesigner* d = ActiveDesigner(); d && FTree && !FInspected) d->SelectComponent(FTree);
    UpdateMenu();
}

void TQZDsnTreeView::UpdateMenu()
{
    const bool any = TreeView1->Selected() != nullptr;
    miNewItem->SetEnabled(any);
    miEditCaption->SetEnabled(any);
    miDeleteItem->SetEnabled(any);
    miNewRoot->SetEnabled(true);
}

void TQZDsnTreeView::NewItem(bool root)
{
    if (!FTree) return;
    TTreeNode* parent = root ? nullptr : TreeView1->Selected();
    if (!root && !parent) return;
    auto* parentItem = parent ? static_cast<TQZTreeViewItem*>(parent->Data()) : nullptr;
    TQZTreeViewItem* item = FTree->TreeItems.Add(parentItem, String());
    TTreeNode* node = TreeView1->AddChild(parent, item->Caption);
    node->SetData(item);
    TreeView1->SetSelected(node);
    DesignerModified();
}

void TQZDsnTreeView::EditCaption()
{
    // The node's text is edited in place; OnEdited takes it into the item.
    if (TTreeNode* node = TreeView1->Selected()) TreeView1->SetSelected(node);
}

void TQZDsnTreeView::DeleteItem()
{
    TTreeNode* node = TreeView1->Selected();
    if (!node || !FTree) return;
    if (MessageDlg(Format(RSMsgDeleteItem, {node->Text()}), mtConfirmation, mbYes | mbNo) != mrYes) return;
    auto* item = static_cast<TQZTreeViewItem*>(node->Data());
    TreeView1->Delete(node);
    if (item) FTree->TreeItems.Delete(item);
    FInspected = nullptr;
    if (TFormDesigner* d = ActiveDesigner()) d->SelectComponent(FTree);
    UpdateMenu();
    DesignerModified();
}

void TQZDsnTreeView::ItemsFreed()
{
    // The tree view goes: nothing left to edit.
    FTree = nullptr;
    Detach();
    Hide();
}

TQZDsnTreeView* ShowTreeViewEditor(TQZControl* tree)
{
    TQZDsnTreeView *editor = nullptr, *idle = nullptr;
    for (TQZDsnTreeView* e : Open()) {
        if (e->Component() == tree) editor = e;
        if (!e->Component()) idle = e;
    }
    // A closed editor is opened again on the tree it is asked for.
    if (!editor && idle) {
        editor = idle;
        editor->Attach(tree);
    }
    if (!editor) editor = new TQZDsnTreeView(tree);
    editor->Show();
    editor->BringToFront();
    return editor;
}

std::vector<TQZDsnTreeView*> OpenTreeViewEditors() { return Open(); }

void TTreeViewItemsProperty::Edit()
{
    if (auto* tree = dynamic_cast<TQZControl*>(GetComponent(0))) ShowTreeViewEditor(tree);
}

String TQZTreeViewComponent::GetVerb(int index)
{
    return index == 1 ? String("Edit tree nodes") : TQZControlAbout::GetVerb(index);
}

void TQZTreeViewComponent::ExecuteVerb(int index)
{
    TQZControlAbout::ExecuteVerb(index);
    if (index == 1)
        if (auto* tree = dynamic_cast<TQZControl*>(Component())) ShowTreeViewEditor(tree);
}

namespace QZDsnTreeEditor {
int UseCount = 0;
void Initialization() {}
// The editors are the package's windows: none outlives it.
void Finalization()
{
    while (!Open().empty()) delete Open().back();
}
}  // namespace QZDsnTreeEditor
