#include <gtest/gtest.h>

#include "zub/Menus.h"
#include "zub/TreeView.h"

TEST(ZubTreeView, NodesKeepInsertionOrderAndParents)
{
    TTreeView tv(nullptr);
    TTreeNode* a = tv.AddChild(nullptr, "a");
    TTreeNode* b = tv.AddChild(nullptr, "b");
    TTreeNode* a1 = tv.AddChild(a, "a1");
    TTreeNode* a2 = tv.AddChild(a, "a2");
    int data = 7;
    a2->SetData(&data);
    ASSERT_EQ(tv.TopCount(), 2);
    EXPECT_EQ(tv.TopItem(1), b);
    EXPECT_EQ(a->Count(), 2);
    EXPECT_EQ(a->Item(1)->Text(), "a2");
    EXPECT_EQ(a2->Index(), 1);
    EXPECT_EQ(a2->Level(), 1);
    EXPECT_EQ(a1->Parent(), a);
    EXPECT_EQ(static_cast<int*>(a2->Data()), &data);
    EXPECT_EQ(tv.TotalCount(), 4);
    EXPECT_THROW(a->Item(2), EListError);
    EXPECT_THROW(tv.TopItem(-1), EListError);
}

TEST(ZubTreeView, ExpandingAsksFirstAndMayBeRefused)
{
    TTreeView tv(nullptr);
    TTreeNode* a = tv.AddChild(nullptr, "a");
    tv.AddChild(a, "a1");
    bool allow = false;
    int asked = 0;
    tv.OnExpanding = [&](TObject*, TTreeNode* n, bool& ok) {
        ++asked;
        EXPECT_EQ(n, a);
        ok = allow;
    };
    a->Expand(false);
    EXPECT_FALSE(a->Expanded());
    allow = true;
    a->Expand(false);
    EXPECT_TRUE(a->Expanded());
    a->Expand(false);  // already open: not asked again
    EXPECT_EQ(asked, 2);
    a->Collapse(false);
    EXPECT_FALSE(a->Expanded());
}

TEST(ZubTreeView, SelectionFiresOnChangeOnlyOnChange)
{
    TTreeView tv(nullptr);
    TTreeNode* a = tv.AddChild(nullptr, "a");
    TTreeNode* b = tv.AddChild(nullptr, "b");
    std::vector<TTreeNode*> seen;
    tv.OnChange = [&](TObject*, TTreeNode* n) { seen.push_back(n); };
    tv.SetSelected(a);
    tv.SetSelected(a);
    tv.SetSelected(b);
    EXPECT_EQ(seen, (std::vector<TTreeNode*>{a, b}));
    EXPECT_TRUE(b->Selected());
    // deleting the selected node leaves no dangling selection
    b->Delete();
    EXPECT_EQ(tv.Selected(), nullptr);
    EXPECT_EQ(seen.back(), nullptr);
    EXPECT_EQ(tv.TopCount(), 1);
}

TEST(ZubTreeView, ClearFreesEverythingAndReportsEachDeletion)
{
    TTreeView tv(nullptr);
    TTreeNode* a = tv.AddChild(nullptr, "a");
    tv.AddChild(a, "a1");
    tv.AddChild(nullptr, "b");
    tv.SetSelected(a);
    int deleted = 0, changes = 0;
    tv.OnDeletion = [&](TObject*, TTreeNode*) { ++deleted; };
    tv.OnChange = [&](TObject*, TTreeNode*) { ++changes; };
    tv.BeginUpdate();
    tv.Clear();
    tv.EndUpdate();
    EXPECT_EQ(deleted, 3);
    EXPECT_EQ(changes, 0);
    EXPECT_EQ(tv.TopCount(), 0);
    EXPECT_EQ(tv.Selected(), nullptr);
    EXPECT_EQ(tv.UpdateCount(), 0);
}

TEST(ZubTreeView, RowsUnderThePointerFollowExpansion)
{
    TTreeView tv(nullptr);
    tv.SetBounds(0, 0, 200, 200);
    TTreeNode* a = tv.AddChild(nullptr, "a");
    TTreeNode* a1 = tv.AddChild(a, "a1");
    TTreeNode* b = tv.AddChild(nullptr, "b");
    EXPECT_EQ(tv.GetNodeAt(5, 5), a);
    EXPECT_EQ(tv.GetNodeAt(5, 20), b);
    EXPECT_EQ(tv.GetNodeAt(5, 40), nullptr);
    a->Expand(false);
    EXPECT_EQ(tv.GetNodeAt(5, 20), a1);
    EXPECT_EQ(tv.GetNodeAt(5, 35), b);
}

TEST(ZubTreeView, RightPressSelectsThenPopsUp)
{
    TTreeView tv(nullptr);
    tv.SetBounds(0, 0, 200, 200);
    TPopupMenu menu(nullptr);
    tv.SetPopupMenu(&menu);
    tv.AddChild(nullptr, "a");
    TTreeNode* b = tv.AddChild(nullptr, "b");
    TTreeNode* selectedAtPopup = nullptr;
    menu.OnPopup = [&](TObject*) { selectedAtPopup = tv.Selected(); };
    tv.MouseDown(mbRight, 0, 5, 20);
    EXPECT_EQ(selectedAtPopup, b);
    EXPECT_EQ(menu.PopupCount(), 1);
}

TEST(ZubTreeView, LabelEditGoesThroughOnEditedUnlessReadOnly)
{
    TTreeView tv(nullptr);
    TTreeNode* a = tv.AddChild(nullptr, "old");
    tv.OnEdited = [](TObject*, TTreeNode* n, String& s) {
        if (s == "bad") s = n->Text();
    };
    tv.EndLabelEdit(a, "new");
    EXPECT_EQ(a->Text(), "new");
    tv.EndLabelEdit(a, "bad");
    EXPECT_EQ(a->Text(), "new");
    tv.SetReadOnly(true);
    tv.EndLabelEdit(a, "other");
    EXPECT_EQ(a->Text(), "new");
}

TEST(ZubTreeView, FreedPopupMenuIsForgotten)
{
    TTreeView tv(nullptr);
    auto* menu = new TPopupMenu(nullptr);
    tv.SetPopupMenu(menu);
    delete menu;
    EXPECT_EQ(tv.PopupMenu(), nullptr);
}
