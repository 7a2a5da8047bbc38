#include <gtest/gtest.h>

#include "Pluggableviewer.h"
#include "Plugs.h"
#include "rtl/ScopeGuard.h"
#include "zub/Buttons.h"
#include "zub/Dialogs.h"
#include "zub/ImgList.h"

namespace {

std::vector<String> RootCaptions(TPluggableTreeView& tv)
{
    std::vector<String> r;
    for (int i = 0; i < tv.GetRootNodesCount(); ++i) r.push_back(NodeCaption(tv.GetRootNodes(i).get()));
    return r;
}

String SelectedCaption(TPluggableTreeView& tv)
{
    return tv.Selected() ? tv.Selected()->Text() : String("(none)");
}

// A page that records what the tree asks of it.
class TTestPage : public TInterfacedObject, public virtual IPluggablePropertyPage {
public:
    TTestPage(TGUID id, TCallLog* log) : ID(id), Log(log), Frame(new TControl(nullptr)) {}
    ~TTestPage() override { delete Frame; }
    HRESULT QueryInterface(const TGUID& iid, void** obj) override
    {
        if (QueryAs<IPluggablePropertyPage>(this, iid, obj)) return S_OK;
        return TInterfacedObject::QueryInterface(iid, obj);
    }
    int AddRef() override { return TInterfacedObject::AddRef(); }
    int Release() override { return TInterfacedObject::Release(); }
    void Clear() override { Log->Add("Clear " + Caption); }
    String GetCaption() override { return Caption; }
    void SetCaption(const String& c) override { Caption = c; }
    void OnSelect() override { Log->Add("OnSelect " + Caption); }
    void OnBegin() override { Log->Add("OnBegin " + Caption); }
    void OnEnd() override { Log->Add("OnEnd " + Caption); }
    bool GetVisible() override { return Manager && Manager->GetVisible(this); }
    void SetVisible(bool) override
    {
        if (Manager) Manager->SetVisible(this);
    }
    TGUID GetID() override { return ID; }
    bool Modified() override { return IsModified; }
    TControl* GetPage() override { return Frame; }
    TIntfPtr<IPropertyPageManager> GetPageManager() override { return Manager; }
    void SetPageManager(const TIntfPtr<IPropertyPageManager>& m) override { Manager = m; }
    bool GetReadOnly() override { return false; }
    void SetReadOnly(bool) override {}

    TGUID ID;
    TCallLog* Log;
    TControl* Frame;
    String Caption;
    bool IsModified = false;
    TIntfPtr<IPropertyPageManager> Manager;
};

class TTestPageFactory : public TInterfacedObject, public virtual IPluggablePropertyPageFactory {
public:
    TTestPageFactory(TGUID id, TCallLog* log) : ID(id), Log(log) {}
    HRESULT QueryInterface(const TGUID& iid, void** obj) override
    {
        if (QueryAs<IPluggablePropertyPageFactory>(this, iid, obj)) return S_OK;
        return TInterfacedObject::QueryInterface(iid, obj);
    }
    int AddRef() override { return TInterfacedObject::AddRef(); }
    int Release() override { return TInterfacedObject::Release(); }
    TIntfPtr<IPluggablePropertyPage> CreateInstance(const String&) override
    {
        ++Made;
        return TIntfPtr<IPluggablePropertyPage>(new TTestPage(ID, Log));
    }
    TGUID GetID() override { return ID; }
    TGUID ID;
    TCallLog* Log;
    int Made = 0;
};

const TGUID kPageA = TGUID::Parse("{11111111-2222-3333-4444-555555555555}");

}  // namespace

TEST(brannow_TreeView, AddSourceCallsInOrderAndNodesGetIndexThenManagers)
{
    TCallLog log;
    TPluggableTreeView tv(nullptr);
    TIntfPtr<TTestSource> src(new TTestSource(&log));
    auto root = src->AddNode("r", 1);
    src->AddNode("c", 1, root);
    tv.Add(TIntfPtr<IPluggableSource>(src));
    const std::vector<String> head(log.Calls.begin(), log.Calls.begin() + 10);
    EXPECT_EQ(head, (std::vector<String>{"GetImages", "SetTreeManager", "SetPageManager", "Populate",
                                         "SetIndex r", "SetTreeManager r", "SetPageManager r", "SetIndex c",
                                         "SetTreeManager c", "SetPageManager c"}));
    EXPECT_EQ(root->Index, 0);
    EXPECT_EQ(tv.GetCount(), 2);
    EXPECT_EQ(tv.GetSourceItemsCount(), 1);
    // the root shows its expand sign: its first child has an item already
    ASSERT_EQ(tv.TopCount(), 1);
    EXPECT_EQ(tv.TopItem(0)->Count(), 1);
    EXPECT_EQ(tv.TopItem(0)->ImageIndex(), 1);
    EXPECT_EQ(tv.TopItem(0)->SelectedIndex(), 2);
}

TEST(brannow_TreeView, RootsOfKind20FirstThenByCaptionIgnoringCase)
{
    TPluggableTreeView tv(nullptr);
    TIntfPtr<TTestSource> src(new TTestSource);
    src->AddNode("beta", 1);
    auto alpha = src->AddNode("Alpha", 20);
    alpha->HelpContext = 77;
    src->AddNode("alpha2", 1);
    src->AddNode("Zed", 20);
    tv.Add(TIntfPtr<IPluggableSource>(src));
    EXPECT_EQ(RootCaptions(tv), (std::vector<String>{"Alpha", "Zed", "alpha2", "beta"}));
    EXPECT_EQ(tv.TopItem(0)->Text(), "Alpha");
    EXPECT_EQ(tv.TopItem(3)->Text(), "beta");
    // the first new root is selected; its help context is the tree's
    EXPECT_EQ(SelectedCaption(tv), "Alpha");
    EXPECT_EQ(tv.HelpContext(), 77);
}

TEST(brannow_TreeView, SourceWithoutRootsChangesNothing)
{
    TPluggableTreeView tv(nullptr);
    TIntfPtr<TTestSource> src(new TTestSource);
    tv.Add(TIntfPtr<IPluggableSource>(src));
    EXPECT_EQ(tv.TopCount(), 0);
    EXPECT_EQ(tv.Selected(), nullptr);
    EXPECT_EQ(tv.HistoryCount(), 0);
    EXPECT_EQ(tv.GetSourceItemsCount(), 1);
}

TEST(brannow_TreeView, ChildrenGetItemsOnlyWhenExpanded)
{
    TCallLog log;
    TPluggableTreeView tv(nullptr);
    TIntfPtr<TTestSource> src(new TTestSource(&log));
    auto r = src->AddNode("r", 1);
    auto c1 = src->AddNode("c1", 1, r);
    auto c2 = src->AddNode("c2", 1, r);
    auto g = src->AddNode("g", 1, c2);
    src->AddNode("gg", 1, g);
    tv.Add(TIntfPtr<IPluggableSource>(src));
    EXPECT_EQ(tv.TotalCount(), 2);  // r and its first child
    // the node may add children while expanding
    r->OnExpanding = [&] {
        tv.Add(TIntfPtr<IPluggableTreeNode>(r), TIntfPtr<IPluggableTreeNode>(new TTestNode("c3", 1)));
    };
    tv.TopItem(0)->Expand(false);
    ASSERT_EQ(tv.TopItem(0)->Count(), 3);
    EXPECT_EQ(tv.TopItem(0)->Item(2)->Text(), "c3");
    EXPECT_EQ(tv.TopItem(0)->Item(1)->Count(), 1);  // c2 shows g for its expand sign
    EXPECT_EQ(tv.TotalCount(), 5);
    // a node whose index is -1 is ignored
    TIntfPtr<TTestNode> stray(new TTestNode("stray", 1));
    EXPECT_NO_THROW(tv.ExpandNode(TIntfPtr<IPluggableTreeNode>(stray), false));
    tv.ExpandNode(TIntfPtr<IPluggableTreeNode>(g), false);
    EXPECT_TRUE(tv.TopItem(0)->Item(1)->Item(0)->Expanded());
    (void)c1;
}

TEST(brannow_TreeView, SelectingADeepNodeShowsItsAncestorsFirst)
{
    TPluggableTreeView tv(nullptr);
    TIntfPtr<TTestSource> src(new TTestSource);
    auto r = src->AddNode("r", 1);
    src->AddNode("c1", 1, r);
    auto c2 = src->AddNode("c2", 1, r);
    auto g = src->AddNode("g", 1, c2);
    auto gg = src->AddNode("gg", 1, g);
    tv.Add(TIntfPtr<IPluggableSource>(src));
    tv.Select(TIntfPtr<IPluggableTreeNode>(gg), false);
    EXPECT_EQ(SelectedCaption(tv), "gg");
    EXPECT_EQ(tv.Selected()->Parent()->Text(), "g");
    EXPECT_EQ(tv.Selected()->Parent()->Parent()->Text(), "c2");
}

TEST(brannow_TreeView, HistoryBackForewardAndNewSelection)
{
    TPluggableTreeView tv(nullptr);
    TSpeedButton back(nullptr), fore(nullptr);
    tv.SetBackButton(&back);
    tv.SetForewardButton(&fore);
    TIntfPtr<TTestSource> src(new TTestSource);
    auto a = src->AddNode("A", 20);
    auto b = src->AddNode("B", 20);
    auto c = src->AddNode("C", 20);
    auto d = src->AddNode("D", 20);
    tv.Add(TIntfPtr<IPluggableSource>(src));
    // after Add the first root is selected and the history holds it; Back stays off
    EXPECT_EQ(tv.HistoryCount(), 1);
    EXPECT_FALSE(back.Enabled());
    tv.Select(TIntfPtr<IPluggableTreeNode>(b), false);
    tv.Select(TIntfPtr<IPluggableTreeNode>(c), false);
    EXPECT_TRUE(back.Enabled());
    tv.GoBack();
    tv.GoBack();
    EXPECT_EQ(SelectedCaption(tv), "A");
    EXPECT_EQ(tv.HistoryCount(), 3);  // going back adds nothing
    EXPECT_FALSE(back.Enabled());
    EXPECT_TRUE(fore.Enabled());
    tv.GoForeward();
    EXPECT_EQ(SelectedCaption(tv), "B");
    EXPECT_EQ(tv.HistoryCount(), 3);
    tv.GoBack();
    tv.Select(TIntfPtr<IPluggableTreeNode>(d), false);
    ASSERT_EQ(tv.HistoryCount(), 2);
    EXPECT_EQ(tv.HistoryItem(0).get(), static_cast<IPluggableTreeNode*>(a.get()));
    EXPECT_EQ(tv.HistoryItem(1).get(), static_cast<IPluggableTreeNode*>(d.get()));
    EXPECT_EQ(tv.HistoryIndex(), 1);
    EXPECT_FALSE(fore.Enabled());
    // refreshing the selection records the node again
    tv.RefreshCurrentSelection();
    EXPECT_EQ(tv.HistoryCount(), 3);
}

TEST(brannow_TreeView, RemovedNodeKeepsItsIndexTaken)
{
    TPluggableTreeView tv(nullptr);
    TIntfPtr<TTestSource> src(new TTestSource);
    auto a = src->AddNode("A", 1);
    auto a1 = src->AddNode("A1", 1, a);
    auto b = src->AddNode("B", 1);
    tv.Add(TIntfPtr<IPluggableSource>(src));
    tv.Remove(TIntfPtr<IPluggableTreeNode>(a));
    EXPECT_EQ(tv.GetCount(), 3);
    EXPECT_EQ(tv.GetItem(0), nullptr);
    EXPECT_EQ(tv.GetItem(1), nullptr);  // its shown child went with it
    EXPECT_EQ(tv.GetItem(2).get(), static_cast<IPluggableTreeNode*>(b.get()));
    ASSERT_EQ(tv.TopCount(), 1);
    EXPECT_EQ(tv.TopItem(0)->Text(), "B");
    EXPECT_EQ(tv.GetRootNodesCount(), 1);
    // operations on the removed node do nothing
    EXPECT_NO_THROW(tv.Select(TIntfPtr<IPluggableTreeNode>(a1), true));
    EXPECT_NO_THROW(tv.Remove(TIntfPtr<IPluggableTreeNode>(a)));
}

TEST(brannow_TreeView, RemoveSourceClosesItAndEmptiesTheHistory)
{
    TPluggableTreeView tv(nullptr);
    TIntfPtr<TTestSource> s1(new TTestSource), s2(new TTestSource);
    s1->AddNode("A", 1);
    s2->AddNode("B", 1);
    TImageList images(nullptr);
    TImageList* images1 = &images;
    s1->Images = images1;
    tv.Add(TIntfPtr<IPluggableSource>(s1));
    tv.Add(TIntfPtr<IPluggableSource>(s2));
    IPluggableSource* closed = nullptr;
    TObject* closeSender = reinterpret_cast<TObject*>(1);
    tv.OnClose = [&](TObject* sender, IPluggableSource* s) {
        closeSender = sender;
        closed = s;
    };
    tv.Remove(TIntfPtr<IPluggableSource>(s2));
    EXPECT_EQ(closed, static_cast<IPluggableSource*>(s2.get()));
    EXPECT_EQ(closeSender, nullptr);
    EXPECT_EQ(tv.HistoryCount(), 0);
    EXPECT_EQ(tv.GetImages(), images1);
    EXPECT_EQ(tv.GetCount(), 2);  // the nodes stay
    tv.SetImages(nullptr);
}

TEST(brannow_TreeView, ClearEmptiesNodesAndHistoryButKeepsSources)
{
    TPluggableTreeView tv(nullptr);
    TIntfPtr<TTestSource> src(new TTestSource);
    src->AddNode("A", 1);
    tv.Add(TIntfPtr<IPluggableSource>(src));
    tv.Clear();
    EXPECT_EQ(tv.GetCount(), 0);
    EXPECT_EQ(tv.TopCount(), 0);
    EXPECT_EQ(tv.HistoryCount(), 0);
    EXPECT_EQ(tv.HistoryIndex(), 0);
    EXPECT_EQ(tv.GetSourceItemsCount(), 1);
    EXPECT_FALSE(tv.CanGoBack());
}

TEST(brannow_TreeView, NodeFromBeforeClearActsOnNothing)
{
    TPluggableTreeView tv(nullptr);
    TIntfPtr<TTestSource> before(new TTestSource);
    auto old = before->AddNode("old", 1);
    before->AddNode("oldChild", 1, old);
    tv.Add(TIntfPtr<IPluggableSource>(before));
    tv.Clear();
    TIntfPtr<TTestSource> after(new TTestSource);
    auto fresh = after->AddNode("fresh", 1);  // takes index 0, the index old still reports
    after->AddNode("freshChild", 1, fresh);
    after->AddNode("other", 1);
    tv.Add(TIntfPtr<IPluggableSource>(after));
    ASSERT_EQ(old->GetIndex(), fresh->GetIndex());
    auto oldNode = TIntfPtr<IPluggableTreeNode>(old);
    tv.Select(TIntfPtr<IPluggableTreeNode>(after->Nodes[2].first), false);
    ASSERT_EQ(SelectedCaption(tv), "other");
    tv.Select(oldNode, true);
    EXPECT_EQ(SelectedCaption(tv), "other");
    EXPECT_FALSE(tv.TopItem(0)->Expanded());
    tv.ExpandNode(oldNode, false);
    EXPECT_FALSE(tv.TopItem(0)->Expanded());
    tv.Remove(oldNode);
    EXPECT_EQ(tv.GetItem(0), TIntfPtr<IPluggableTreeNode>(fresh));
    EXPECT_EQ(tv.TopCount(), 2);
}

// A node whose source reports a parent loop (broken data): it gives up after many calls.
class TLoopNode : public TTestNode {
public:
    using TTestNode::TTestNode;
    void GetParent(TIntfPtr<IPluggableTreeNode>& p) override
    {
        if (++Calls > 100) throw Exception("parent loop followed");
        p = LoopParent;
    }
    int Calls = 0;
    TIntfPtr<IPluggableTreeNode> LoopParent;
};

TEST(brannow_TreeView, SelectStopsAtAParentLoop)
{
    TPluggableTreeView tv(nullptr);
    TIntfPtr<TTestSource> src(new TTestSource);
    auto r = src->AddNode("r", 1);
    auto c = src->AddNode("c", 1, r);
    TIntfPtr<TLoopNode> g(new TLoopNode("g", 1)), gg(new TLoopNode("gg", 1));
    src->Nodes.push_back({TIntfPtr<IPluggableTreeNode>(g), TIntfPtr<IPluggableTreeNode>(c)});
    src->Nodes.push_back({TIntfPtr<IPluggableTreeNode>(gg), TIntfPtr<IPluggableTreeNode>(g)});
    g->LoopParent = TIntfPtr<IPluggableTreeNode>(gg);  // g and gg name each other as parent
    gg->LoopParent = TIntfPtr<IPluggableTreeNode>(g);
    // The loop holds both nodes; the test breaks it at its end so they go.
    TScopeGuard ohneSchleife([&] {
        g->LoopParent.reset();
        gg->LoopParent.reset();
    });
    tv.Add(TIntfPtr<IPluggableSource>(src));
    ASSERT_NO_THROW(tv.Select(TIntfPtr<IPluggableTreeNode>(gg), false));
    // the tree's own records still lead the way: gg is shown under g under c
    EXPECT_EQ(SelectedCaption(tv), "gg");
    EXPECT_EQ(tv.Selected()->Parent()->Text(), "g");
    EXPECT_LE(g->Calls + gg->Calls, 3);
}

TEST(brannow_TreeView, RefusedRenameShowsTheMessageAndKeepsTheText)
{
    auto dialogs = std::make_shared<THeadlessDialogs>();
    auto previous = SetDialogs(dialogs);
    TPluggableTreeView tv(nullptr);
    tv.SetReadOnly(false);
    TIntfPtr<TTestSource> src(new TTestSource);
    auto a = src->AddNode("A", 1);
    tv.Add(TIntfPtr<IPluggableSource>(src));
    tv.EndLabelEdit(tv.TopItem(0), "bad");
    EXPECT_EQ(tv.TopItem(0)->Text(), "A");
    ASSERT_EQ(dialogs->Shown().size(), 1u);
    EXPECT_EQ(dialogs->Shown()[0].Text, "bad is not a valid name");
    tv.EndLabelEdit(tv.TopItem(0), "Good");
    EXPECT_EQ(tv.TopItem(0)->Text(), "Good");
    EXPECT_EQ(a->Caption, "Good");
    SetDialogs(previous);
}

TEST(brannow_TreeView, SelectionOrderAroundPages)
{
    TCallLog log;
    TPluggableTreeView tv(nullptr);
    TPageControl pc(nullptr);
    tv.SetPageControl(&pc);
    TIntfPtr<TTestPageFactory> f(new TTestPageFactory(kPageA, &log));
    tv.RegisterPageFactory(TIntfPtr<IPluggablePropertyPageFactory>(f));
    TIntfPtr<TTestSource> src(new TTestSource);
    auto a = src->AddNode("A", 20);
    auto b = src->AddNode("B", 20);
    TTestPage* pageOfA = nullptr;
    a->OnSelected = [&] {
        TIntfPtr<IPluggablePropertyPage> p = tv.GetPropertyPage(kPageA, "Flags");
        pageOfA = dynamic_cast<TTestPage*>(p.get());
        p->SetVisible(true);
    };
    int selects = 0;
    tv.OnSelect = [&](TObject*, IPluggableTreeNode* oldNode, IPluggableTreeNode* newNode) {
        ++selects;
        EXPECT_EQ(oldNode, selects == 1 ? nullptr : static_cast<IPluggableTreeNode*>(a.get()));
        EXPECT_EQ(NodeCaption(newNode), selects == 1 ? "A" : "B");
    };
    a->Log = &log;
    b->Log = &log;
    tv.Add(TIntfPtr<IPluggableSource>(src));
    ASSERT_NE(pageOfA, nullptr);
    ASSERT_GE(log.Calls.size(), 4u);
    log.Calls.erase(log.Calls.begin(), log.Calls.end() - 4);  // after the nodes' own set-up
    EXPECT_EQ(log.Calls,
              (std::vector<String>{"Selected A", "OnBegin Flags", "OnEnd Flags", "OnSelect Flags"}));
    ASSERT_EQ(pc.PageCount(), 1);
    EXPECT_TRUE(pc.Pages(0)->TabVisible());
    EXPECT_EQ(pc.Pages(0)->Caption(), "Flags");
    EXPECT_EQ(pc.ActivePage(), pc.Pages(0));
    EXPECT_EQ(pageOfA->Frame->Parent(), pc.Pages(0));
    // moving away: the modified visible page is reported to the old node, every page cleared,
    // and a page nobody asked for is hidden
    pageOfA->IsModified = true;
    log.Calls.clear();
    tv.Select(TIntfPtr<IPluggableTreeNode>(b), false);
    EXPECT_EQ(log.Calls,
              (std::vector<String>{"PageModified A " + GUIDToString(kPageA), "Clear Flags", "Selected B"}));
    EXPECT_FALSE(pc.Pages(0)->TabVisible());
    EXPECT_EQ(selects, 2);
}

TEST(brannow_TreeView, GetPropertyPageReusesByIdAndCaption)
{
    TCallLog log;
    TPluggableTreeView tv(nullptr);
    TPageControl pc(nullptr);
    tv.SetPageControl(&pc);
    TIntfPtr<TTestPageFactory> f(new TTestPageFactory(kPageA, &log));
    tv.RegisterPageFactory(TIntfPtr<IPluggablePropertyPageFactory>(f));
    auto p1 = tv.GetPropertyPage(kPageA, "One");
    auto p2 = tv.GetPropertyPage(kPageA, "One");
    auto p3 = tv.GetPropertyPage(kPageA, "Two");
    EXPECT_EQ(p1, p2);
    EXPECT_NE(p1, p3);
    EXPECT_EQ(f->Made, 2);
    EXPECT_EQ(tv.CreatedPageCount(), 2);
    EXPECT_EQ(p1->GetPageManager().get(), static_cast<IPropertyPageManager*>(&tv));
    EXPECT_EQ(tv.GetPropertyPage(TGUID::Parse("{00000000-0000-0000-0000-000000000001}"), "One"), nullptr);
}

TEST(brannow_TreeView, PageWithoutPageControlIsNeitherRecordedNorManaged)
{
    TCallLog log;
    TPluggableTreeView tv(nullptr);
    TIntfPtr<TTestPageFactory> f(new TTestPageFactory(kPageA, &log));
    tv.RegisterPageFactory(TIntfPtr<IPluggablePropertyPageFactory>(f));
    auto p = tv.GetPropertyPage(kPageA, "One");
    ASSERT_NE(p, nullptr);
    EXPECT_EQ(p->GetCaption(), "One");
    EXPECT_EQ(p->GetPageManager(), nullptr);
    EXPECT_EQ(tv.CreatedPageCount(), 0);
}

TEST(brannow_TreeView, PageControlKeepsItsOwnChangeHandler)
{
    TCallLog log;
    TPluggableTreeView tv(nullptr);
    TPageControl pc(nullptr);
    int own = 0;
    pc.OnChange = [&](TObject*) { ++own; };
    tv.SetPageControl(&pc);
    TIntfPtr<TTestPageFactory> f(new TTestPageFactory(kPageA, &log));
    tv.RegisterPageFactory(TIntfPtr<IPluggablePropertyPageFactory>(f));
    auto p1 = tv.GetPropertyPage(kPageA, "One");
    auto p2 = tv.GetPropertyPage(kPageA, "Two");
    tv.SetVisible(p1.get());
    tv.SetVisible(p2.get());
    tv.ShowPages();
    EXPECT_EQ(own, 1);
    log.Calls.clear();
    pc.SelectTab(1);
    EXPECT_EQ(own, 2);
    EXPECT_EQ(log.Calls, (std::vector<String>{"OnSelect Two"}));
}

TEST(brannow_TreeView, MenuItemsComeAndGoWithTheSelection)
{
    TPluggableTreeView tv(nullptr);
    TIntfPtr<TTestSource> src(new TTestSource);
    auto a = src->AddNode("A", 20);
    auto b = src->AddNode("B", 20);
    int clicked = 0;
    a->OnSelected = [&] {
        tv.AddMenuItem(
            "Open", [&](TObject*) { ++clicked; }, 3, "OpenItem");
    };
    std::vector<int> registered;
    Pluggableviewer::RegisterMenu = [&](TPopupMenu* m) { registered.push_back(m->Items()->Count()); };
    tv.Add(TIntfPtr<IPluggableSource>(src));
    TPopupMenu* menu = tv.Popup()->GetPopupMenu();
    EXPECT_EQ(tv.PopupMenu(), menu);
    ASSERT_EQ(menu->Items()->Count(), 1);
    EXPECT_EQ(menu->Items()->Items(0)->Caption(), "Open");
    EXPECT_EQ(menu->Items()->Items(0)->Name(), "OpenItem");
    menu->Items()->Items(0)->Click();
    EXPECT_EQ(clicked, 1);
    tv.Select(TIntfPtr<IPluggableTreeNode>(b), false);
    EXPECT_EQ(menu->Items()->Count(), 0);
    EXPECT_EQ(registered, (std::vector<int>{1, 0}));
    Pluggableviewer::RegisterMenu = nullptr;
}

TEST(brannow_TreeView, TitleChangeIsAnnounced)
{
    TPluggableTreeView tv(nullptr);
    String seen;
    tv.OnTitleChange = [&](const String& t) { seen = t; };
    tv.SetTitle("Types");
    EXPECT_EQ(tv.GetTitle(), "Types");
    EXPECT_EQ(seen, "Types");
}
