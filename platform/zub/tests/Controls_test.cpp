#include <gtest/gtest.h>

#include <memory>
#include <thread>

#include "TestSupport.h"
#include "zub/Collections.h"
#include "zub/Forms.h"
#include "zub/StdCtrls.h"

namespace {

struct TRadioCase {
    const char* name;
    int initiallyChecked;  // index into the three buttons, -1: none
    int action;  // button whose Checked is set
    bool value;
    std::vector<bool> expected;
    std::vector<int> clicks;  // buttons whose OnClick ran, in order
};

void PrintTo(const TRadioCase& c, std::ostream* os) { *os << c.name; }

class ZubRadioExclusivity : public ::testing::TestWithParam<TRadioCase> {};

TEST_P(ZubRadioExclusivity, CheckedUnchecksSiblingsAndClicksOnlyWhenChecked)
{
    const TRadioCase& c = GetParam();
    TForm form(nullptr);
    TRadioButton* r[3];
    for (auto& b : r) {
        b = new TRadioButton(&form);
        b->SetParent(&form);
    }
    if (c.initiallyChecked >= 0) r[c.initiallyChecked]->SetChecked(true);
    std::vector<int> clicks;
    for (int i = 0; i < 3; ++i) r[i]->OnClick = [&clicks, i](TObject*) { clicks.push_back(i); };

    r[c.action]->SetChecked(c.value);

    std::vector<bool> state{r[0]->Checked(), r[1]->Checked(), r[2]->Checked()};
    EXPECT_EQ(state, c.expected);
    EXPECT_EQ(clicks, c.clicks);
}

INSTANTIATE_TEST_SUITE_P(
    Zub, ZubRadioExclusivity,
    ::testing::Values(TRadioCase{"CheckOther", 0, 2, true, {false, false, true}, {2}},
                      TRadioCase{"CheckFromNone", -1, 1, true, {false, true, false}, {1}},
                      TRadioCase{"CheckAgainIsSilent", 1, 1, true, {false, true, false}, {}},
                      // Unchecking leaves no button checked and runs no handler.
                      TRadioCase{"UncheckLeavesNone", 1, 1, false, {false, false, false}, {}},
                      TRadioCase{"UncheckOtherIsSilent", 1, 0, false, {false, true, false}, {}}),
    [](const auto& info) { return String(info.param.name); });

TEST(ZubRadioButton, SiblingsAreThoseOfTheSameParent)
{
    TForm form(nullptr);
    auto* panelA = new TLabel(&form);
    auto* panelB = new TLabel(&form);
    auto* a1 = new TRadioButton(&form);
    auto* a2 = new TRadioButton(&form);
    auto* b1 = new TRadioButton(&form);
    a1->SetParent(panelA);
    a2->SetParent(panelA);
    b1->SetParent(panelB);
    a1->SetChecked(true);
    b1->SetChecked(true);
    EXPECT_TRUE(a1->Checked());
    a2->SetChecked(true);
    EXPECT_FALSE(a1->Checked());
    EXPECT_TRUE(b1->Checked());
}

TEST(ZubCheckBox, SettingCheckedFiresClickOnEveryChange)
{
    TForm form(nullptr);
    auto* box = new TCheckBox(&form);
    int clicks = 0;
    box->OnClick = [&](TObject* s) {
        EXPECT_EQ(s, box);
        ++clicks;
    };
    box->SetChecked(true);
    box->SetChecked(true);  // no change, no click
    box->SetChecked(false);
    EXPECT_EQ(clicks, 2);
    box->Click();  // user click toggles
    EXPECT_TRUE(box->Checked());
    EXPECT_EQ(clicks, 3);
    box->SetEnabled(false);
    box->Click();  // a disabled box ignores the user
    EXPECT_TRUE(box->Checked());
    box->SetChecked(false);  // but not the program
    EXPECT_EQ(clicks, 4);
}

TEST(ZubForm, KeyPreviewSeesKeysFirstAndCanSwallowThem)
{
    TForm form(nullptr);
    auto* edit = new TEdit(&form);
    edit->SetParent(&form);
    std::vector<String> log;
    form.OnKeyDown = [&](TObject*, unsigned short& key, TShiftState) {
        log.push_back("form " + IntToStr(key));
        if (key == VK_F9) key = 0;
    };
    edit->OnKeyDown = [&](TObject*, unsigned short& key, TShiftState) {
        log.push_back("edit " + IntToStr(key));
    };

    unsigned short key = VK_F1;
    edit->KeyDown(key, 0);
    EXPECT_EQ(log, (std::vector<String>{"edit 112"}));  // preview off

    form.SetKeyPreview(true);
    log.clear();
    key = VK_F1;
    edit->KeyDown(key, 0);
    key = VK_F9;
    edit->KeyDown(key, 0);
    EXPECT_EQ(log, (std::vector<String>{"form 112", "edit 112", "form 120"}));
}

TEST(ZubControl, WritesPostNoticesInOrderAndOnlyOnChange)
{
    TNoticeLog log;
    TForm form(nullptr);
    auto* label = new TLabel(&form);
    Application->ProcessMessages();
    log.Clear();
    label->SetCaption("a");
    label->SetCaption("a");
    label->SetLeft(10);
    label->Font()->SetColor(clRed);
    label->SetVisible(false);
    Application->ProcessMessages();
    std::vector<TProp> props;
    for (const TNotice& n : log.For(label)) props.push_back(n.Prop);
    EXPECT_EQ(props, (std::vector<TProp>{TProp::Text, TProp::Bounds, TProp::Font, TProp::Visible}));
    EXPECT_EQ(label->Caption(), "a");
    EXPECT_EQ(label->Font()->Color(), clRed);
}

// The parent grows by (40, 20), then shrinks far below the child: anchored edges keep their
// distance to the parent's, a control anchored on both sides of an axis changes its size.
TEST(ZubControl, AnchoredEdgesFollowTheParentsSize)
{
    struct Case {
        const char* name;
        TAnchors anchors;
        TRect grown, shrunk;
    } cases[] = {
        {"left top", akLeft | akTop, Rect(10, 10, 60, 40), Rect(10, 10, 60, 40)},
        {"all", akLeft | akTop | akRight | akBottom, Rect(10, 10, 100, 60), Rect(10, 10, 10, 10)},
        {"right bottom", akRight | akBottom, Rect(50, 30, 100, 60), Rect(-90, -60, -40, -30)},
        {"left right", akLeft | akRight, Rect(10, 10, 100, 40), Rect(10, 10, 10, 40)},
        {"none", 0, Rect(10, 10, 60, 40), Rect(10, 10, 60, 40)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TForm form(nullptr);
        form.SetBounds(0, 0, 100, 100);
        auto* panel = new TControl(&form);
        panel->SetParent(&form);
        panel->SetBounds(0, 0, 100, 80);
        auto* child = new TLabel(&form);
        child->SetParent(panel);
        child->SetBounds(10, 10, 50, 30);
        child->SetAnchors(c.anchors);
        EXPECT_EQ(child->Anchors(), c.anchors);
        panel->SetBounds(0, 0, 140, 100);
        EXPECT_EQ(child->BoundsRect(), c.grown);
        panel->SetWidth(0);
        panel->SetHeight(10);
        EXPECT_EQ(child->BoundsRect(), c.shrunk);
    }
}

TEST(ZubControl, BringToFrontPutsTheControlOverItsSiblings)
{
    TNoticeLog log;
    TForm form(nullptr);
    TLabel* labels[3];
    for (auto*& l : labels) {
        l = new TLabel(&form);
        l->SetParent(&form);
    }
    Application->ProcessMessages();
    log.Clear();
    labels[0]->BringToFront();
    EXPECT_EQ(form.Controls(2), labels[0]);
    EXPECT_EQ(form.Controls(0), labels[1]);
    labels[0]->BringToFront();  // already in front: stays
    EXPECT_EQ(form.Controls(2), labels[0]);
    Application->ProcessMessages();
    const auto told = log.For(labels[0]);
    ASSERT_FALSE(told.empty());
    EXPECT_EQ(told.back().Prop, TProp::Request);
    EXPECT_EQ(told.back().Text, "front");
    TLabel alone(nullptr);
    EXPECT_NO_THROW(alone.BringToFront());
}

TEST(ZubCollection, ItemsKnowTheirCollectionAndItsOwner)
{
    TForm form(nullptr);
    auto columns = std::make_unique<TCollection>(&form);
    EXPECT_EQ(columns->Owner(), &form);
    TCollectionItem* a = columns->Add(std::make_unique<TCollectionItem>());
    TCollectionItem* b = columns->Add(std::make_unique<TCollectionItem>());
    EXPECT_EQ(columns->Count(), 2);
    EXPECT_EQ(columns->Items(1), b);
    EXPECT_EQ(a->Collection(), columns.get());
    EXPECT_EQ(a->Owner(), nullptr);  // the collection frees it, no component owner
    columns->Delete(0);
    EXPECT_EQ(columns->Items(0), b);
    EXPECT_THROW(columns->Items(1), EListError);
    EXPECT_THROW(columns->Delete(-1), EListError);
    EXPECT_THROW(columns->Add(nullptr), EListError);
    EXPECT_EQ(columns->Count(), 1);
    TCollectionItem loose;
    EXPECT_EQ(loose.Collection(), nullptr);
}

TEST(ZubControl, DestroyedControlDropsItsPendingNotices)
{
    TNoticeLog log;
    auto* label = new TLabel(nullptr);
    label->SetCaption("pending");
    delete label;
    Application->ProcessMessages();
    auto mine = log.For(label);
    ASSERT_EQ(mine.size(), 1u);
    EXPECT_EQ(mine[0].Prop, TProp::Destroyed);
}

// The view hears of a control freed on the user-interface thread before anything else runs
// (a modal loop started next would otherwise deliver input to it); one freed by a worker reaches
// the view through the queue.
TEST(ZubControl, DestroyedIsToldAtOnceOnTheWindowThread)
{
    TNoticeLog log;
    Application->ProcessMessages();
    log.Clear();
    auto* label = new TLabel(nullptr);
    label->SetCaption("pending");
    delete label;
    auto mine = log.For(label);
    ASSERT_EQ(mine.size(), 1u);
    EXPECT_EQ(mine[0].Prop, TProp::Destroyed);
    EXPECT_TRUE(Notices().Empty());

    log.Clear();
    auto* fern = new TLabel(nullptr);
    std::thread([fern] { delete fern; }).join();
    EXPECT_TRUE(log.All().empty());
    Application->ProcessMessages();
    mine = log.For(fern);
    ASSERT_EQ(mine.size(), 1u);
    EXPECT_EQ(mine[0].Prop, TProp::Destroyed);
}

TEST(ZubControl, ParentListsChildrenAndForgetsFreedOnes)
{
    TForm form(nullptr);
    auto* a = new TLabel(&form);
    auto* b = new TEdit(&form);
    a->SetParent(&form);
    b->SetParent(a);
    EXPECT_EQ(form.ControlCount(), 1);
    EXPECT_EQ(a->Controls(0), b);
    EXPECT_EQ(b->TopParent(), &form);
    EXPECT_THROW(a->SetParent(b), EComponentError);
    delete b;
    EXPECT_EQ(a->ControlCount(), 0);
}

TEST(ZubEdit, FocusChangeFiresExit)
{
    TForm form(nullptr);
    auto* e1 = new TEdit(&form);
    auto* e2 = new TEdit(&form);
    e1->SetParent(&form);
    e2->SetParent(&form);
    int exits = 0;
    e1->OnExit = [&](TObject*) { ++exits; };
    e1->SetFocus();
    e2->SetFocus();
    EXPECT_EQ(exits, 1);
    EXPECT_FALSE(e1->Focused());
    EXPECT_TRUE(e2->Focused());
}

}  // namespace

namespace {

TEST(ZubControl, CanvasOutsidePaintingKeepsOnlyRecentCalls)
{
    TLabel ticker(nullptr);
    auto* canvas = static_cast<TRecordingCanvas*>(ticker.Canvas());
    TBitmap column;
    for (int i = 0; i < 5000; ++i) {
        ticker.Canvas()->CopyRect(Rect(0, 0, 1, 13), *ticker.Canvas(), Rect(1, 0, 2, 13));
        column.Canvas().CopyRect(Rect(0, 0, 1, 13), *ticker.Canvas(), Rect(0, 0, 1, 13));
    }
    EXPECT_LE(canvas->Ops().size(), TRecordingCanvas::IdleLimit);
    EXPECT_FALSE(canvas->Ops().empty());
    EXPECT_EQ(canvas->Ops().back().Kind, TCanvasOp::CopyRect);
    EXPECT_EQ(canvas->Ops().back().Source, Rect(1, 0, 2, 13));
}

}  // namespace

namespace {

TEST(ZubControl, ListChangesCarryWhatAViewNeedsToMirrorThem)
{
    TNoticeLog log;
    TListBox list(nullptr);
    list.Items()->Add("b");
    list.Items()->Insert(0, "a");
    list.Items()->Put(1, "B");
    list.Items()->Delete(0);
    list.Items()->Clear();
    list.Items()->SetText("x\ny\n");
    Application->ProcessMessages();
    std::vector<String> seen;
    for (const TNotice& n : log.For(&list)) {
        switch (n.Kind) {
        case TNoticeKind::ItemInserted: seen.push_back("+" + IntToStr(n.Index) + n.Text); break;
        case TNoticeKind::ItemChanged: seen.push_back("=" + IntToStr(n.Index) + n.Text); break;
        case TNoticeKind::ItemDeleted: seen.push_back("-" + IntToStr(n.Index)); break;
        case TNoticeKind::ItemsCleared: seen.push_back("clear"); break;
        default: break;
        }
    }
    EXPECT_EQ(seen, (std::vector<String>{"+0b", "+0a", "=1B", "-0", "clear", "+0x", "+1y"}));
}

}  // namespace
