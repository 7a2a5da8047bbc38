#include <gtest/gtest.h>

#include "zub/Forms.h"
#include "zub/ImgList.h"
#include "zub/StdCtrls.h"

namespace {

class ZubListBoxPaint : public ::testing::Test {
protected:
    void SetUp() override
    {
        list = new TListBox(&form);
        list->SetParent(&form);
        list->SetBounds(0, 0, 200, 40);  // room for three rows of 16 (the third cut)
        list->SetStyle(lbOwnerDrawVariable);
        list->SetItemHeight(16);
        images = new TImageList(&form);
        images->Add(TPicture());
        images->Add(TPicture());
        for (const char* s : {"first", "second", "third", "fourth"}) list->Items()->Add(s);
    }
    TForm form{nullptr};
    TListBox* list = nullptr;
    TImageList* images = nullptr;
};

TEST_F(ZubListBoxPaint, OwnerDrawHandlerPaintsEachVisibleItemOnTheListCanvas)
{
    list->SetItemIndex(1);
    list->SetFocus();
    std::vector<std::pair<int, TOwnerDrawState>> calls;
    list->OnDrawItem = [&](TControl* control, int index, TRect rect, TOwnerDrawState state) {
        calls.emplace_back(index, state);
        TCanvas* c = static_cast<TListBox*>(control)->Canvas();
        bool selected = state & odSelected;
        c->Brush().SetColor(selected ? clBlack : clWhite);
        c->Font().SetColor(selected ? clWhite : clRed);
        c->FillRect(rect);
        c->TextRect(rect, rect.Left, rect.Top, list->Items()->Get(index));
        if (state & odFocused) c->DrawFocusRect(rect);
        if (index == 2) images->Draw(*c, 165, rect.Top + 1, 1, true);
    };
    TRecordingCanvas canvas;
    list->PaintTo(canvas);

    // Items 0..2 are visible (40 px at 16 px a row), item 3 is not.
    ASSERT_EQ(calls.size(), 3u);
    EXPECT_EQ(calls[0], (std::pair<int, TOwnerDrawState>{0, 0}));
    EXPECT_EQ(calls[1], (std::pair<int, TOwnerDrawState>{1, odSelected | odFocused}));
    EXPECT_EQ(calls[2], (std::pair<int, TOwnerDrawState>{2, 0}));

    const auto& ops = canvas.Ops();
    ASSERT_EQ(ops.size(), 8u);
    EXPECT_EQ(ops[0].Kind, TCanvasOp::FillRect);
    EXPECT_EQ(ops[0].R, Rect(0, 0, 200, 16));
    EXPECT_EQ(ops[0].Brush, clWhite);
    EXPECT_EQ(ops[1].Kind, TCanvasOp::TextRect);
    EXPECT_EQ(ops[1].Text, "first");
    EXPECT_EQ(ops[1].FontColor, clRed);
    EXPECT_EQ(ops[2].R, Rect(0, 16, 200, 32));
    EXPECT_EQ(ops[2].Brush, clBlack);
    EXPECT_EQ(ops[3].Text, "second");
    EXPECT_EQ(ops[3].FontColor, clWhite);
    EXPECT_EQ(ops[4].Kind, TCanvasOp::FocusRect);
    EXPECT_EQ(ops[4].R, Rect(0, 16, 200, 32));
    EXPECT_EQ(ops[6].Text, "third");
    EXPECT_EQ(ops[7].Kind, TCanvasOp::Image);
    EXPECT_EQ(ops[7].At, (TPoint{165, 33}));
    EXPECT_EQ(ops[7].Index, 1);

    // Outside painting the canvas is not the one painted.
    EXPECT_NE(list->Canvas(), &canvas);
}

TEST_F(ZubListBoxPaint, StandardListFillsAndWritesItemsFromTopIndex)
{
    list->SetStyle(lbStandard);
    list->SetTopIndex(2);
    TRecordingCanvas canvas;
    list->PaintTo(canvas);
    std::vector<String> texts;
    for (const TCanvasOp& op : canvas.Ops())
        if (op.Kind == TCanvasOp::TextRect) texts.push_back(op.Text);
    EXPECT_EQ(texts, (std::vector<String>{"third", "fourth"}));
    EXPECT_EQ(canvas.Ops()[0].R, Rect(0, 0, 200, 16));
}

TEST_F(ZubListBoxPaint, ImageListIgnoresIndexesOutOfRange)
{
    TRecordingCanvas canvas;
    images->Draw(canvas, 0, 0, 5);
    images->Draw(canvas, 0, 0, -1);
    EXPECT_TRUE(canvas.Ops().empty());
}

TEST(ZubListBox, ItemIndexFollowsTheItems)
{
    TListBox list(nullptr);
    list.Items()->Add("a");
    list.Items()->Add("b");
    list.SetItemIndex(1);
    EXPECT_EQ(list.ItemIndex(), 1);
    list.SetItemIndex(5);  // no such item: nothing selected
    EXPECT_EQ(list.ItemIndex(), -1);
    list.SetItemIndex(1);
    list.Items()->Delete(1);
    EXPECT_EQ(list.ItemIndex(), -1);
}

TEST(ZubComboBox, ItemIndexAndTextAgree)
{
    TComboBox combo(nullptr);
    combo.Items()->Add("Musterprofil");
    combo.Items()->Add("Zweites");
    combo.SetItemIndex(1);
    EXPECT_EQ(combo.Text(), "Zweites");
    combo.SetText("Musterprofil");
    EXPECT_EQ(combo.ItemIndex(), 0);
    combo.SetText("frei getippt");
    EXPECT_EQ(combo.ItemIndex(), -1);
    int clicks = 0;
    combo.OnClick = [&](TObject*) { ++clicks; };
    combo.SelectItem(0);
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(combo.Text(), "Musterprofil");
}

}  // namespace
