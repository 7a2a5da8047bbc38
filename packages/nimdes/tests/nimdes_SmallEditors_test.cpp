#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

#include "QZDsnEditors.h"
#include "QZRegister.h"
#include "host/FormDesigner.h"
#include "rtl/ScopeGuard.h"
#include "zub/Dialogs.h"
#include "zub/Forms.h"
#include "zub/Graphics.h"

namespace {

struct DesignForm {
    TForm Form{nullptr};
    TFormDesigner Designer{&Form};
    DesignForm() { SetActiveDesigner(&Designer); }
    ~DesignForm() { SetActiveDesigner(nullptr); }
    TQZControl* Make(TComponentClass c, const char* name)
    {
        auto* x = dynamic_cast<TQZControl*>(QZCreate(c, &Form));
        x->SetName(name);
        x->SetParent(&Form);
        return x;
    }
};

std::vector<String> LinesOf(const TStrings& l)
{
    std::vector<String> v;
    for (int i = 0; i < l.Count(); ++i) v.push_back(l[i]);
    return v;
}
const std::vector<String> kCode{"alert('x');", "return false;"};

std::vector<String> PageNames(const TQZControl& tabs)
{
    std::vector<String> n;
    for (const TQZControl* p : tabs.Pages()) n.push_back(p->Name());
    return n;
}

TEST(nimdes_SmallEditors, TabPagesTakeTheFirstFreeNumber)
{
    DesignForm d;
    TQZControl* tabs = d.Make(&qzc::TQZTabControl, "Tabs");
    tabs->SetBounds(10, 10, 300, 200);
    TQZDsnTabControl editor(tabs);
    ASSERT_EQ(editor.GetVerbCount(), 2);
    EXPECT_EQ(editor.GetVerb(0), "Add page");
    EXPECT_EQ(editor.GetVerb(1), "Remove page");
    editor.ExecuteVerb(0);
    editor.ExecuteVerb(0);
    EXPECT_EQ(PageNames(*tabs), (std::vector<String>{"TabsPage0", "TabsPage1"}));
    TQZControl* second = tabs->Pages()[1];
    EXPECT_EQ(second->Owner(), &d.Form);
    EXPECT_EQ(second->TabOrder, 1);
    EXPECT_EQ(second->Caption(), "Page1");
    EXPECT_EQ(second->BoundsRect(), Rect(0, 20, 300, 200));
    EXPECT_EQ(d.Designer.Selection(), (std::vector<TComponent*>{second}));
    EXPECT_EQ(d.Designer.ModifiedCount(), 2);
    // The active page goes; the next page added takes its name again, with the next tab order.
    tabs->ActivePageIndex = 0;
    editor.ExecuteVerb(1);
    EXPECT_EQ(PageNames(*tabs), (std::vector<String>{"TabsPage1"}));
    EXPECT_EQ(d.Designer.ModifiedCount(), 3);
    editor.ExecuteVerb(0);
    EXPECT_EQ(PageNames(*tabs), (std::vector<String>{"TabsPage1", "TabsPage0"}));
    EXPECT_EQ(tabs->Pages()[1]->TabOrder, 1);
    EXPECT_EQ(d.Form.FindComponent("TabsPage0"), tabs->Pages()[1]);
}

// A new page covers the tab control below the tabs whatever its size becomes, in front of what
// the tab control held before.
TEST(nimdes_SmallEditors, NewTabPageIsAnchoredOnAllSidesAndInFront)
{
    DesignForm d;
    TQZControl* tabs = d.Make(&qzc::TQZTabControl, "Tabs");
    tabs->SetBounds(10, 10, 300, 200);
    std::vector<TNotice> told;
    auto previous = Notices().SetObserver([&](const TNotice& n) { told.push_back(n); });
    TScopeGuard restore([&] { Notices().SetObserver(previous); });
    TQZControl* page = TQZDsnTabControl::AddPage(*tabs);
    Application->ProcessMessages();
    EXPECT_EQ(page->Anchors(), akLeft | akTop | akRight | akBottom);
    EXPECT_EQ(tabs->Controls(tabs->ControlCount() - 1), page);
    EXPECT_TRUE(std::any_of(told.begin(), told.end(), [&](const TNotice& n) {
        return n.Sender == page && n.Prop == TProp::Request && n.Text == "front";
    }));
    tabs->SetBounds(10, 10, 400, 250);
    EXPECT_EQ(page->BoundsRect(), Rect(0, 20, 400, 250));
}

// "Owner.DataSource" of a grid column is the data source of the grid whose columns hold it.
TEST(nimdes_SmallEditors, ColumnFieldNamesComeFromTheGridHoldingTheColumn)
{
    DesignForm d;
    TQZControl* grid = d.Make(&qzc::TQZDBGrid, "Grid1");
    TStringList fields;
    fields.SetText("Name\nCity\n");
    TDataSource source(nullptr);
    source.DataSetFields = &fields;
    grid->ObjectProperties["DATASOURCE"] = &source;
    TCollectionItem* column = grid->Columns.Add(std::make_unique<TCollectionItem>());
    TCollectionItem loose;  // in no collection
    TQZControl* notAColumn = d.Make(&qzc::TQZDBGrid, "Grid2");
    notAColumn->ObjectProperties["DATASOURCE"] = &source;
    struct Case {
        const char* name;
        TComponent* selected;
        std::vector<String> values;
    } cases[] = {
        {"column of the grid", column, {"Name", "City"}},
        {"column in no collection", &loose, {}},
        {"a component that is no column", notAColumn, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TQZDataGridColumnFieldProperty editor(TPropertyTarget{{c.selected}, "DataField", {}, {}, {}});
        std::vector<String> values;
        editor.GetValues([&](const String& v) { values.push_back(v); });
        EXPECT_EQ(values, c.values);
    }
}

TEST(nimdes_SmallEditors, RemovePageNeedsAnActivePageWithinThePages)
{
    DesignForm d;
    TQZControl* tabs = d.Make(&qzc::TQZTabControl, "Tabs");
    TQZDsnTabControl editor(tabs);
    editor.ExecuteVerb(1);  // no pages: nothing
    EXPECT_EQ(d.Designer.ModifiedCount(), 0);
    editor.ExecuteVerb(0);
    tabs->ActivePageIndex = 1;  // beyond the one page
    editor.ExecuteVerb(1);
    EXPECT_EQ(PageNames(*tabs), (std::vector<String>{"TabsPage0"}));
    tabs->ActivePageIndex = 0;
    editor.ExecuteVerb(1);
    EXPECT_TRUE(tabs->Pages().empty());
    EXPECT_TRUE(d.Designer.Selection().empty()) << "the freed page is no longer selected";
}

TEST(nimdes_SmallEditors, AboutVerbNamesTheProduct)
{
    DesignForm d;
    TQZControl* b = d.Make(&qzc::TQZButton, "Button1");
    const bool was = QZRegister::GIsKVT;
    TScopeGuard restore([&] { QZRegister::GIsKVT = was; });
    for (bool kvt : {false, true}) {
        QZRegister::GIsKVT = kvt;
        TQZControlAbout about(b);
        ASSERT_EQ(about.GetVerbCount(), 1);
        EXPECT_EQ(about.GetVerb(0), kvt ? "Nimbrel 9.0 for " : "Nimbrel 9.0 for Pendro 2007 / Ostrel Studio");
        about.ExecuteVerb(0);
        EXPECT_EQ(d.Designer.ModifiedCount(), 0);
    }
}

// Runs the events editor on the control with a hook acting as the user.
bool EditWith(TQZControl* c, std::function<void(TfrmEventsEditor&)> user)
{
    TModalHook old = SetModalHook([&](TForm& f) { user(dynamic_cast<TfrmEventsEditor&>(f)); });
    TScopeGuard restore([&] { SetModalHook(old); });
    return EditScriptEvents(c);
}

TEST(nimdes_SmallEditors, ScriptEventRoundTrip)
{
    DesignForm d;
    TQZControl* b = d.Make(&qzc::TQZButton, "Button1");
    const bool ok = EditWith(b, [](TfrmEventsEditor& e) {
        ASSERT_EQ(e.cbEvents->Items()->Count(), 23);
        EXPECT_EQ(e.cbEvents->ItemIndex(), 0) << "no events yet: onAbort";
        e.cbEvents->SelectItem(3);  // onClick
        e.memoCode->SetText("alert('x');\nreturn false;");
        e.cbEvents->SelectItem(1);  // onBlur: onClick's code is kept
        ASSERT_NE(e.Events().Find("onClick"), nullptr);
        EXPECT_EQ(e.memoCode->Text(), "");
        TRecordingCanvas canvas;
        e.DrawEvent(canvas, 3, Rect(0, 48, 140, 64), false);
        e.DrawEvent(canvas, 1, Rect(0, 16, 140, 32), true);
        std::map<String, TFontStyles> style;
        bool focus = false;
        for (const TCanvasOp& op : canvas.Ops()) {
            if (op.Kind == TCanvasOp::TextOut) style[op.Text] = op.FontStyle;
            if (op.Kind == TCanvasOp::FocusRect) focus = op.R == Rect(0, 16, 140, 32);
        }
        EXPECT_EQ(style["onClick"], TFontStyles(fsBold));
        EXPECT_EQ(style["onBlur"], TFontStyles(0));
        EXPECT_TRUE(focus);
        e.btnOK->Click();
    });
    EXPECT_TRUE(ok);
    // Every event that was current gets an item: onAbort when left, onBlur at OK.
    ASSERT_EQ(b->ScriptEvents.Count(), 3);
    EXPECT_EQ(b->ScriptEvents.Items(0).EventName, "onAbort");
    EXPECT_EQ(b->ScriptEvents.Items(0).Event.Count(), 0);
    EXPECT_EQ(b->ScriptEvents.Items(1).EventName, "onClick");
    EXPECT_EQ(LinesOf(b->ScriptEvents.Items(1).Event), kCode);
    EXPECT_EQ(b->ScriptEvents.Items(2).EventName, "onBlur");
    // Opened again: the control's first event is current with its code.
    b->ScriptEvents.Assign(TQZScriptEvents());
    b->ScriptEvents.Add("onClick").Event.SetText("alert('x');\nreturn false;");
    EditWith(b, [](TfrmEventsEditor& e) {
        EXPECT_EQ(e.cbEvents->ItemIndex(), 3);
        EXPECT_EQ(LinesOf(*e.memoCode->Lines()), kCode);
        e.memoCode->SetText("go();");
        e.btnOK->Click();
    });
    EXPECT_EQ(LinesOf(b->ScriptEvents.Items(0).Event), (std::vector<String>{"go();"}));
}

TEST(nimdes_SmallEditors, CancelLeavesTheEventsAndThePropertyUnmodified)
{
    DesignForm d;
    TQZControl* b = d.Make(&qzc::TQZButton, "Button1");
    b->ScriptEvents.Add("onLoad").Event.Add("init();");
    int modified = 0;
    TPropertyTarget t;
    t.Selection = {b};
    t.PropName = "ScriptEvents";
    t.OnModified = [&] { ++modified; };
    TQZScriptEventsProperty prop(t);
    TModalHook old = SetModalHook([](TForm& f) {
        auto& e = dynamic_cast<TfrmEventsEditor&>(f);
        e.memoCode->SetText("changed();");
        e.cbEvents->SelectItem(0);
        e.btnCancel->Click();
    });
    prop.Edit();
    EXPECT_EQ(modified, 0);
    ASSERT_EQ(b->ScriptEvents.Count(), 1);
    ASSERT_EQ(b->ScriptEvents.Items(0).Event.Count(), 1);
    EXPECT_EQ(b->ScriptEvents.Items(0).Event[0], "init();");
    SetModalHook([](TForm& f) { dynamic_cast<TfrmEventsEditor&>(f).btnOK->Click(); });
    prop.Edit();
    SetModalHook(old);
    EXPECT_EQ(modified, 1);
}

TEST(nimdes_SmallEditors, DestroyerClosesItsFormFirst)
{
    TForm owner(nullptr);
    auto* form = new TForm(&owner);
    form->Show();
    bool closed = false;
    form->OnClose = [&](TObject*, TCloseAction&) { closed = true; };
    delete new TQZDesignerDestroyer(nullptr, form);
    EXPECT_TRUE(closed);
    EXPECT_FALSE(form->Visible());
    // A form freed first is not touched.
    auto* gone = new TForm(&owner);
    auto* d = new TQZDesignerDestroyer(nullptr, gone);
    delete gone;
    EXPECT_EQ(d->Form(), nullptr);
    delete d;
}

}  // namespace

namespace {

std::vector<String> Tree(TTreeView* t)
{
    std::vector<String> out;
    std::function<void(TTreeNode*, int)> walk = [&](TTreeNode* n, int depth) {
        out.push_back(String(static_cast<std::size_t>(depth) * 2, ' ') + n->Text());
        for (int i = 0; i < n->Count(); ++i) walk(n->Item(i), depth + 1);
    };
    for (int i = 0; i < t->TopCount(); ++i) walk(t->TopItem(i), 0);
    return out;
}

TEST(nimdes_SmallEditors, TreeEditorShowsTheItemsAndEditsThem)
{
    DesignForm d;
    TQZControl* tree = d.Make(&qzc::TQZTreeView, "Tree1");
    TQZTreeViewItem* a = tree->TreeItems.Add(nullptr, "A");
    tree->TreeItems.Add(a, "A1");
    tree->TreeItems.Add(nullptr, "B");
    a->Expanded = true;
    TQZTreeViewComponent comp(tree);
    ASSERT_EQ(comp.GetVerbCount(), 2);
    EXPECT_EQ(comp.GetVerb(1), "Edit tree nodes");
    comp.ExecuteVerb(1);
    ASSERT_EQ(OpenTreeViewEditors().size(), 1u);
    TQZDsnTreeView* e = OpenTreeViewEditors()[0];
    TScopeGuard close([&] { delete e; });
    EXPECT_EQ(e->Caption(), "Tree1");
    EXPECT_TRUE(e->Visible());
    EXPECT_EQ(Tree(e->TreeView1), (std::vector<String>{"A", "  A1", "B"}));
    EXPECT_TRUE(e->TreeView1->TopItem(0)->Expanded());
    // Nothing selected: only a new root can be made.
    EXPECT_FALSE(e->miNewItem->Enabled());
    EXPECT_FALSE(e->miDeleteItem->Enabled());
    EXPECT_TRUE(e->miNewRoot->Enabled());
    // A child of B, given its caption in place.
    e->TreeView1->SetSelected(e->TreeView1->TopItem(1));
    EXPECT_EQ(e->InspectedItem(), tree->TreeItems.Items(2));
    EXPECT_TRUE(e->miNewItem->Enabled());
    e->miNewItem->Click();
    e->TreeView1->EndLabelEdit(e->TreeView1->Selected(), "B1");
    ASSERT_EQ(tree->TreeItems.Count(), 4);
    EXPECT_EQ(tree->TreeItems.Items(3)->Caption, "B1");
    EXPECT_EQ(tree->TreeItems.Items(3)->Parent, tree->TreeItems.Items(2));
    e->miNewRoot->Click();
    EXPECT_EQ(tree->TreeItems.Items(4)->Parent, nullptr);
    // Collapsing is kept in the item; a caption changed elsewhere shows on activation.
    e->TreeView1->TopItem(0)->Collapse(false);
    EXPECT_FALSE(a->Expanded);
    a->Caption = "A*";
    e->Refresh();
    EXPECT_EQ(e->TreeView1->TopItem(0)->Text(), "A*");
    // Opening again brings the same editor to the front.
    TTreeViewItemsProperty prop(TPropertyTarget{{tree}, "TreeNodes", {}, {}, {}});
    EXPECT_EQ(prop.GetValue(), "(Items)");
    prop.Edit();
    EXPECT_EQ(OpenTreeViewEditors().size(), 1u);
}

TEST(nimdes_SmallEditors, TreeEditorDeletesOnlyOnYesAndDropsAFreedTree)
{
    auto dialogs = std::make_shared<THeadlessDialogs>();
    auto old = SetDialogs(dialogs);
    TScopeGuard restore([&] { SetDialogs(old); });
    DesignForm d;
    TQZControl* tree = d.Make(&qzc::TQZTreeView, "Tree1");
    TQZTreeViewItem* a = tree->TreeItems.Add(nullptr, "A");
    tree->TreeItems.Add(a, "A1");
    tree->TreeItems.Add(nullptr, "B");
    TQZDsnTreeView* e = ShowTreeViewEditor(tree);
    TScopeGuard close([&] { delete e; });
    e->TreeView1->SetSelected(e->TreeView1->TopItem(0));
    dialogs->AddAnswer(mrNo);
    e->miDeleteItem->Click();
    EXPECT_EQ(tree->TreeItems.Count(), 3);
    ASSERT_EQ(dialogs->Shown().size(), 1u);
    EXPECT_NE(dialogs->Shown()[0].Text.find("A"), String::npos);
    dialogs->AddAnswer(mrYes);
    e->miDeleteItem->Click();
    // A with its child.
    ASSERT_EQ(tree->TreeItems.Count(), 1);
    EXPECT_EQ(tree->TreeItems.Items(0)->Caption, "B");
    EXPECT_EQ(Tree(e->TreeView1), (std::vector<String>{"B"}));
    EXPECT_EQ(d.Designer.Selection(), (std::vector<TComponent*>{tree}));
    EXPECT_GE(d.Designer.ModifiedCount(), 1);
    // The tree view goes first: the editor lets go of it.
    delete tree;
    EXPECT_EQ(e->Component(), nullptr);
    e->miNewRoot->Click();  // nothing to add to
}

TEST(nimdes_SmallEditors, TreeEditorClosedAndOpenedAgainLetsTheTreeGo)
{
    DesignForm d;
    TQZControl* tree = d.Make(&qzc::TQZTreeView, "Tree1");
    tree->TreeItems.Add(nullptr, "A");
    TQZDsnTreeView* e = ShowTreeViewEditor(tree);
    TScopeGuard close([&] { QZDsnTreeEditor::Finalization(); });
    e->Close();
    EXPECT_EQ(e->Component(), nullptr);
    EXPECT_EQ(tree->TreeItems.Designer, nullptr);
    // Opened again: the same window, attached to the items again and filled afresh.
    TQZDsnTreeView* again = ShowTreeViewEditor(tree);
    EXPECT_EQ(again, e);
    EXPECT_EQ(OpenTreeViewEditors().size(), 1u);
    EXPECT_EQ(e->Component(), tree);
    EXPECT_EQ(tree->TreeItems.Designer, static_cast<IQZTreeViewDesigner*>(e));
    EXPECT_EQ(Tree(e->TreeView1), (std::vector<String>{"A"}));
    delete tree;
    EXPECT_EQ(e->Component(), nullptr);
    e->Refresh();  // the window is clicked after the tree went
    e->miNewRoot->Click();
    // Closed and the tree deleted while it is closed: nothing is left of the tree either.
    TQZControl* other = d.Make(&qzc::TQZTreeView, "Tree2");
    ShowTreeViewEditor(other)->Close();
    delete other;
    e->Refresh();
    EXPECT_EQ(e->Component(), nullptr);
}

}  // namespace
