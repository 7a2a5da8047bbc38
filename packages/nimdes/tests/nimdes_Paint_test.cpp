#include <gtest/gtest.h>

#include <functional>

#include "QZDsnPaint.h"
#include "QZDsnPaintHandlers.h"
#include "QZRegister.h"
#include "rtl/ScopeGuard.h"

namespace {

// The recording canvas: 7 pixels a character, 13 a line.
class nimdes_Paint : public ::testing::Test {
protected:
    void SetUp() override
    {
        QZDsnPaint::Initialization();
        QZDsnPaintHandlers::Initialization();
    }
    void TearDown() override
    {
        QZDsnPaintHandlers::Finalization();
        QZDsnPaint::Finalization();
    }
    TQZControl* Make(TComponentClass c, int w, int h)
    {
        auto* x = static_cast<TQZControl*>(QZCreate(c, &owner));
        x->SetBounds(0, 0, w, h);
        return x;
    }
    std::vector<TCanvasOp> Paint(TQZControl* c)
    {
        TRecordingCanvas canvas;
        c->PaintTo(canvas);
        return canvas.Ops();
    }
    TComponent owner{nullptr};
};

using Pts = std::vector<TPoint>;

TEST_F(nimdes_Paint, SmallControlGetsItsPictureAtNegativeOffsets)
{
    auto ops = Paint(Make(&qzc::TQZApplet, 10, 10));
    ASSERT_EQ(ops.size(), 3u);
    EXPECT_EQ(ops[0].Kind, TCanvasOp::FillRect);
    EXPECT_EQ(ops[0].R, Rect(0, 0, 10, 10));
    EXPECT_EQ(ops[0].Brush, 0xC0C0C0);
    EXPECT_EQ(ops[1].Kind, TCanvasOp::Polyline);
    EXPECT_EQ(ops[1].Points, (Pts{{0, 0}, {9, 0}, {9, 9}, {0, 9}, {0, 0}}));
    EXPECT_EQ(ops[1].Pen, clBlack);
    EXPECT_EQ(ops[2].Kind, TCanvasOp::Bitmap);
    EXPECT_EQ(ops[2].At, (TPoint{-7, -7}));
    EXPECT_EQ(ops[2].R, Rect(-7, -7, 17, 17));
    EXPECT_EQ(ops[2].Text, "TQZAPPLET");
}

// An image's graphic sits inside its border, or, with the render-size flag, is stretched over the
// whole control.
TEST_F(nimdes_Paint, ImageGraphicIsStretchedOnlyWithTheRenderSizeFlag)
{
    TBitmap graphic;
    graphic.SetName("PIC");
    graphic.SetWidth(16);
    graphic.SetHeight(8);
    for (bool stretch : {false, true}) {
        SCOPED_TRACE(stretch);
        TQZControl* im = Make(&qzc::TQZImage, 60, 40);
        im->BorderOptions.Width = 2;
        im->BorderOptions.Color = 0x808080;
        im->HasPicture = true;
        im->Graphic = &graphic;
        im->RenderSize = stretch;
        const auto ops = Paint(im);
        ASSERT_FALSE(ops.empty());
        EXPECT_EQ(ops.back().Kind, TCanvasOp::Bitmap);
        EXPECT_EQ(ops.back().Text, "PIC");
        EXPECT_EQ(ops.back().R, stretch ? Rect(0, 0, 60, 40) : Rect(2, 2, 18, 10));
    }
}

TEST_F(nimdes_Paint, ControlsWithoutARowGetTheDefaultHandler)
{
    // Neither the menu nor the URL window stands in the table; the image of a data-aware grid
    // stands in two rows and the later one (the generic look) wins.
    struct {
        TComponentClass Class;
        const char* Picture;
    } cases[] = {
        {&qzc::TQZMenu, "TQZMENU"}, {&qzc::TQZURLWindow, "TQZURLWINDOW"}, {&qzc::TQZDBImage, "TQZDBIMAGE"}};
    for (const auto& k : cases) {
        auto ops = Paint(Make(k.Class, 100, 50));
        ASSERT_EQ(ops.size(), 3u) << k.Picture;
        EXPECT_EQ(ops[0].R, Rect(0, 0, 100, 50));
        EXPECT_EQ(ops[2].Text, k.Picture);
        EXPECT_EQ(ops[2].At, (TPoint{38, 13}));
    }
    EXPECT_EQ(QZFindPaintHandler(&qzc::TQZMenu), QZ_PAINT_HANDLER_CLASS(TQZPaintHandlerComponent));
}

TEST_F(nimdes_Paint, ResourcesAreFoundWithoutRegardToCaseElseBlank)
{
    auto* c = Make(&qzc::TQZButton, 30, 30);
    TRecordingCanvas canvas;
    TQZPaintHandlerDsn h(c, &canvas);
    h.DrawResource("tqzbutton", 1, 2);
    h.DrawResource("NoSuchPicture", 3, 4);
    ASSERT_EQ(canvas.Ops().size(), 2u);
    EXPECT_EQ(canvas.Ops()[0].Text, "TQZBUTTON");
    EXPECT_EQ(canvas.Ops()[1].Text, "BLANK");
    EXPECT_EQ(canvas.Ops()[1].R, Rect(3, 4, 27, 28));
}

TEST_F(nimdes_Paint, WordWrapCases)
{
    struct {
        const char* Name;
        std::vector<String> Lines;
        TRect Box;
        bool Wrap;
        std::vector<std::pair<int, String>> Rows;  // y, text
    } cases[] = {
        {"two words break after the blank",
         {"hello world"},
         Rect(0, 0, 70, 100),
         true,
         {{0, "hello "}, {13, "world"}}},
        {"a long word is cut where it fits",
         {"abcdefghijklmn"},
         Rect(0, 0, 70, 100),
         true,
         {{0, "abcdefghij"}, {13, "klmn"}}},
        {"without wrap the line stays whole",
         {"hello world"},
         Rect(0, 0, 70, 100),
         false,
         {{0, "hello world"}}},
        {"stops at the bottom", {"a", "b", "c"}, Rect(0, 0, 70, 26), true, {{0, "a"}, {13, "b"}}},
        {"an empty line takes one line height", {"", "x"}, Rect(3, 2, 70, 100), true, {{2, " "}, {15, "x"}}},
        {"an empty list draws nothing", {}, Rect(0, 0, 70, 100), true, {}},
    };
    auto* c = Make(&qzc::TQZText, 80, 100);
    for (const auto& k : cases) {
        TRecordingCanvas canvas;
        TQZPaintHandlerDsn h(c, &canvas);
        TStringList lines;
        for (const auto& l : k.Lines) lines.Add(l);
        h.DrawTextLines(k.Box, lines, k.Wrap);
        ASSERT_EQ(canvas.Ops().size(), k.Rows.size()) << k.Name;
        for (std::size_t i = 0; i < k.Rows.size(); ++i) {
            const auto& op = canvas.Ops()[i];
            EXPECT_EQ(op.Kind, TCanvasOp::TextRect) << k.Name;
            EXPECT_EQ(op.Text, k.Rows[i].second) << k.Name;
            EXPECT_EQ(op.At, (TPoint{k.Box.Left, k.Rows[i].first})) << k.Name;
            EXPECT_EQ(op.R, Rect(k.Box.Left, k.Rows[i].first, k.Box.Right - k.Box.Left, k.Rows[i].first + 13))
                << k.Name;
            EXPECT_FALSE(op.Opaque) << k.Name;
        }
    }
}

TEST_F(nimdes_Paint, ButtonFaceWithCentredCaption)
{
    auto* b = Make(&qzc::TQZButton, 75, 25);
    b->SetCaption("OK");
    auto ops = Paint(b);
    ASSERT_EQ(ops.size(), 3u);
    EXPECT_EQ(ops[0].Kind, TCanvasOp::ButtonFace);
    EXPECT_EQ(ops[0].R, Rect(0, 0, 74, 24));
    EXPECT_EQ(ops[0].Index, 1);
    EXPECT_EQ(ops[1].Kind, TCanvasOp::FillRect);
    EXPECT_EQ(ops[1].R, Rect(2, 2, 72, 22));
    EXPECT_EQ(ops[1].Brush, clWhite);  // no control colour
    EXPECT_EQ(ops[2].Kind, TCanvasOp::TextRect);
    EXPECT_EQ(ops[2].R, Rect(2, 2, 72, 22));
    EXPECT_EQ(ops[2].At, (TPoint{28, 3}));  // (70 - 14) / 2, (20 - 13) / 2
    EXPECT_EQ(ops[2].FontColor, clBlack);  // default web font colour
}

TEST_F(nimdes_Paint, ThreeDBoxSidesAndHalvedColour)
{
    auto* c = Make(&qzc::TQZButton, 30, 30);
    struct {
        TSidesSet Sides;
        TColor Expected;
    } cases[] = {{Sides({TSides::ssLeft, TSides::ssTop, TSides::ssRight, TSides::ssBottom}), 0xC0C0C0},
                 {0, 0x606060}};
    for (const auto& k : cases) {
        TRecordingCanvas canvas;
        TQZPaintHandlerDsn h(c, &canvas);
        h.Draw3DBox(Rect(0, 0, 10, 10), 2, 0xC0C0C0, k.Sides);
        ASSERT_EQ(canvas.Ops().size(), 8u);
        for (const auto& op : canvas.Ops()) EXPECT_EQ(op.Pen, k.Expected);
        // the bottom edge reaches one pixel further right
        EXPECT_EQ(canvas.Ops()[6].Points, (Pts{{0, 10}, {11, 10}}));
        EXPECT_EQ(canvas.Ops()[7].Points, (Pts{{1, 9}, {10, 9}}));
    }
    TRecordingCanvas canvas;
    TQZPaintHandlerDsn h(c, &canvas);
    EXPECT_THROW(h.Draw3DBox(Rect(0, 0, 10, 10), 1, static_cast<TColor>(0xFF000005), 0), ERangeError);
    EXPECT_TRUE(canvas.Ops().empty());
}

TEST_F(nimdes_Paint, AutoSizeLabelsAndProgressBars)
{
    struct {
        int Alignment;
        int Width;
    } labels[] = {{0, 77}, {2, 70}, {1, 70}};
    for (const auto& k : labels) {
        auto* l = Make(&qzc::TQZLabel, 300, 40);
        l->SetCaption("0123456789");  // 70 pixels
        l->AutoSize = true;
        l->Alignment = k.Alignment;
        Paint(l);
        EXPECT_EQ(l->Width(), k.Width) << k.Alignment;
        EXPECT_EQ(l->Height(), 13);
    }
    auto* p = Make(&qzc::TQZProgressBar, 200, 20);
    EXPECT_EQ(Paint(p).size(), 1u);  // 0 %: the frame only
    p->Percent = 50;
    auto ops = Paint(p);
    ASSERT_EQ(ops.size(), 2u);
    EXPECT_EQ(ops[1].Kind, TCanvasOp::Rectangle);
    EXPECT_EQ(ops[1].R, Rect(1, 1, 100, 19));
}

TEST_F(nimdes_Paint, RadioGroupColumnsAreAsWideAsTheFirstItem)
{
    auto* g = Make(&qzc::TQZRadioGroup, 300, 40);
    g->Items.Add("ab");
    g->Items.Add("a much longer second item");
    g->Items.Add("c");
    g->Layout = 1;
    g->ItemIndex = 1;
    auto ops = Paint(g);
    ASSERT_EQ(ops.size(), 6u);
    EXPECT_EQ(ops[0].Text, "RADIOBUTTONUNCHECKED");
    EXPECT_EQ(ops[2].Text, "RADIOBUTTONCHECKED");
    EXPECT_EQ(ops[2].At, (TPoint{32, 0}));  // 2 x 7 + 18
    EXPECT_EQ(ops[3].At, (TPoint{46, 0}));
    EXPECT_EQ(ops[4].At, (TPoint{64, 0}));
    EXPECT_FALSE(ops[1].Opaque);
}

// The first op of a kind, or nullptr.
const TCanvasOp* FirstOf(const std::vector<TCanvasOp>& ops, TCanvasOp::TKind kind)
{
    for (const auto& op : ops)
        if (op.Kind == kind) return &op;
    return nullptr;
}

TEST_F(nimdes_Paint, ComboBoxShowsTheSelectedItemElseAnEmptyBox)
{
    struct {
        int ItemIndex;
        const char* Shown;  // nullptr: the empty box
    } cases[] = {{-1, nullptr}, {2, nullptr}, {7, nullptr}, {0, "Berlin"}, {1, "Hamburg"}};
    for (const auto& k : cases) {
        auto* c = Make(&qzc::TQZComboBox, 100, 21);
        c->Items.Add("Berlin");
        c->Items.Add("Hamburg");
        c->ItemIndex = k.ItemIndex;
        const auto ops = Paint(c);
        const TCanvasOp* text = FirstOf(ops, TCanvasOp::TextRect);
        const TCanvasOp* box = FirstOf(ops, TCanvasOp::Rectangle);
        if (k.Shown) {
            ASSERT_NE(text, nullptr) << k.ItemIndex;
            EXPECT_EQ(text->Text, k.Shown);
            EXPECT_EQ(text->R, Rect(2, 2, 82, 19));
            EXPECT_EQ(text->At, (TPoint{2, 2}));
            EXPECT_EQ(box, nullptr);
        } else {
            EXPECT_EQ(text, nullptr) << k.ItemIndex;
            ASSERT_NE(box, nullptr) << k.ItemIndex;
            EXPECT_EQ(box->R, Rect(2, 2, 82, 19));
        }
        // the drop-down button with its arrow, always
        const TCanvasOp* button = FirstOf(ops, TCanvasOp::ButtonFace);
        ASSERT_NE(button, nullptr);
        EXPECT_EQ(button->R, Rect(83, 3, 98, 19));
        ASSERT_NE(FirstOf(ops, TCanvasOp::Polygon), nullptr);
    }
}

TEST_F(nimdes_Paint, ListBoxHighlightsWhatIsSelected)
{
    struct {
        const char* Name;
        bool MultiSelect;
        std::vector<bool> Selected;
        std::vector<bool> Highlighted;
    } cases[] = {
        {"multi-select: every selected item, not the item index",
         true,
         {true, false, true},
         {true, false, true}},
        {"single: the item index only", false, {true, false, true}, {false, true, false}},
    };
    for (const auto& k : cases) {
        auto* l = Make(&qzc::TQZListbox, 100, 60);
        for (const char* i : {"a", "b", "c"}) l->Items.Add(i);
        l->ItemIndex = 1;
        l->MultiSelect = k.MultiSelect;
        l->Selected = k.Selected;
        std::vector<TCanvasOp> texts;
        for (const auto& op : Paint(l))
            if (op.Kind == TCanvasOp::TextRect) texts.push_back(op);
        ASSERT_EQ(texts.size(), 3u) << k.Name;
        for (std::size_t i = 0; i < 3; ++i) {
            EXPECT_EQ(texts[i].Brush, k.Highlighted[i] ? clBlack : clWhite) << k.Name << " " << i;
            EXPECT_EQ(texts[i].FontColor, k.Highlighted[i] ? clWhite : clBlack) << k.Name << " " << i;
            EXPECT_EQ(texts[i].At, (TPoint{4, 1 + 13 * static_cast<int>(i) + 2}));
        }
    }
}

TEST_F(nimdes_Paint, WebFontWithoutColourPaintsBlack)
{
    struct {
        TQZColor Web;
        TColor Painted;
    } cases[] = {{fcNone, clBlack}, {fcDefault, clBlack}, {0x0000FF, 0x0000FF}};
    for (const auto& k : cases) {
        auto* l = Make(&qzc::TQZLabel, 100, 20);
        l->SetCaption("x");
        l->WebFont.SetColor(clLime);
        l->WebFont.WebColor = k.Web;
        const auto ops = Paint(l);
        const TCanvasOp* text = FirstOf(ops, TCanvasOp::TextRect);
        ASSERT_NE(text, nullptr);
        EXPECT_EQ(text->FontColor, k.Painted) << std::hex << k.Web;
    }
}

TEST_F(nimdes_Paint, CoordinatesBeyondIntAreAnOverflowBeforeAnythingIsDrawn)
{
    struct {
        const char* Name;
        std::function<void(TQZControl&)> Set;
        bool Overflow;
    } cases[] = {
        {"a wide bar at 100 percent", [](TQZControl& c) { c.SetWidth(1 << 24), c.Percent = 100; }, false},
        {"width beyond 2^24", [](TQZControl& c) { c.SetWidth((1 << 24) + 1); }, true},
        {"height beyond 2^24", [](TQZControl& c) { c.SetHeight(-(1 << 24) - 1); }, true},
        {"width times percentage beyond int", [](TQZControl& c) { c.SetWidth(1 << 24), c.Percent = 200; },
         true},
        {"navigator buttons", [](TQZControl& c) { c.ImageWidth = (1 << 20) + 1; }, true},
        {"border pixel width", [](TQZControl& c) { c.BorderOptions.PixelWidth = -(1 << 20) - 1; }, true},
    };
    for (const auto& k : cases) {
        auto* c = Make(&qzc::TQZProgressBar, 200, 20);
        c->SetName("Bar1");
        k.Set(*c);
        TScopeGuard gone([c] { delete c; });
        TRecordingCanvas canvas;
        if (k.Overflow) {
            try {
                c->PaintTo(canvas);
                ADD_FAILURE() << k.Name << ": no error";
            } catch (const EIntOverflow& e) {
                EXPECT_EQ(e.Message(), "Arithmetic overflow painting Bar1 (TQZProgressBar)") << k.Name;
            }
            EXPECT_TRUE(canvas.Ops().empty()) << k.Name;
        } else {
            c->PaintTo(canvas);
            EXPECT_FALSE(canvas.Ops().empty()) << k.Name;
        }
    }
}

TEST_F(nimdes_Paint, RegionStyleSixDrawsTwoFrames)
{
    auto* r = Make(&qzc::TQZRegion, 40, 30);
    r->BorderOptions.Style = 6;
    r->BorderOptions.PixelWidth = 4;
    r->BorderOptions.Color = 0x808080;
    auto ops = Paint(r);
    ASSERT_EQ(ops.size(), 1u + 8u + 8u);
    // outer frame (0, 0, 40, 30): left edge dark, right edge in the colour
    EXPECT_EQ(ops[1].Points, (Pts{{0, 0}, {0, 30}}));
    EXPECT_EQ(ops[1].Pen, 0x404040);
    EXPECT_EQ(ops[5].Points, (Pts{{40, 0}, {40, 30}}));
    EXPECT_EQ(ops[5].Pen, 0x808080);
    // inner frame (2, 2, 38, 28): left edge in the colour, right edge dark
    EXPECT_EQ(ops[9].Points, (Pts{{2, 2}, {2, 28}}));
    EXPECT_EQ(ops[9].Pen, 0x808080);
    EXPECT_EQ(ops[13].Pen, 0x404040);
}

TEST_F(nimdes_Paint, ControlsOfAnotherClass)
{
    auto* edit = Make(&qzc::TQZEdit, 40, 20);
    TRecordingCanvas canvas;
    TQZPaintHandlerButton button(edit, &canvas);
    EXPECT_THROW(button.Paint(), EInvalidCast);
    // radio buttons and file controls draw the plain outline instead
    TQZPaintHandlerRadioButton radio(edit, &canvas);
    radio.Paint();
    TQZPaintHandlerFile file(edit, &canvas);
    file.Paint();
    ASSERT_EQ(canvas.Ops().size(), 4u);
    EXPECT_EQ(canvas.Ops()[0].R, Rect(0, 0, 40, 20));
    EXPECT_EQ(canvas.Ops()[2].Brush, 0xC0C0C0);
}

TEST_F(nimdes_Paint, TableHasAHundredAndTwoRegistrationsAndUnloadTakesThemBack)
{
    const auto table = QZPaintTable();
    EXPECT_EQ(table.size(), 102u);
    EXPECT_STREQ(table[0].ClassName, "TQZTabControl");
    EXPECT_STREQ(table[1].ClassName, "TQZTabPage");
    EXPECT_STREQ(table.back().ClassName, "TQZDBImage");
    EXPECT_EQ(QZPaintHandlers().size(), 101u);  // one name twice
    QZDsnPaintHandlers::Finalization();
    QZDsnPaint::Finalization();
    EXPECT_TRUE(QZPaintHandlers().empty());
    EXPECT_EQ(GDefaultPaintHandler, RuntimeDefaultPaintHandler());
    QZDsnPaint::Initialization();
    QZDsnPaintHandlers::Initialization();
}

TEST(nimdes_Validate, ComponentClassRules)
{
    static const TComponentClassInfo chart{"TChart", &ClassTControl,
                                           [](TComponent*) -> TComponent* { return nullptr; }};
    static const TComponentClassInfo chartChild{"TBarChart", &chart, chart.Create};
    static const TComponentClassInfo dialog{"TOpenDialog", &ClassTCommonDialog, chart.Create};
    static const TComponentClassInfo plain{"TDataSource", &ClassTComponent, chart.Create};
    static const TComponentClassInfo frame{"TFrame1", &ClassTFrame, chart.Create};
    static const TComponentClassInfo control{"TPanel", &ClassTWinControl, chart.Create};
    TQZDesignModule html(nullptr);
    TQZDesign32Module html32(nullptr);
    TQZDesignWAPModule wap(nullptr);
    TQZServerControllerDesignModule controller(nullptr);
    TQZUserSessionDesignModule session(nullptr);
    struct {
        TComponentClass Class;
        bool Html, Html32, Wap, Controller, Session;
    } cases[] = {
        {&qzc::TQZButton, true, false, false, false, false},
        {&qzc::TQZButton32, false, true, false, false, false},
        {&qzc::TQZButtonWAP, false, false, true, false, false},
        {&qzc::TQZRegion, true, false, false, false, false},  // a container that is a control
        {&qzc::TQZRegion32, true, true, false, false, false},
        {&chart, true, false, false, false, false},
        {&chartChild, false, false, false, false, false},
        {&frame, true, true, false, false, false},
        {&dialog, false, false, false, true, true},
        {&plain, true, true, true, true, true},
        {&qzc::TQZPageProducer, true, true, true, true, true},
        {&control, false, false, false, false, false},
    };
    for (const auto& k : cases) {
        EXPECT_EQ(html.ValidateComponentClass(k.Class), k.Html) << k.Class->ClassName;
        EXPECT_EQ(html32.ValidateComponentClass(k.Class), k.Html32) << k.Class->ClassName;
        EXPECT_EQ(wap.ValidateComponentClass(k.Class), k.Wap) << k.Class->ClassName;
        EXPECT_EQ(controller.ValidateComponentClass(k.Class), k.Controller) << k.Class->ClassName;
        EXPECT_EQ(session.ValidateComponentClass(k.Class), k.Session) << k.Class->ClassName;
    }
}

}  // namespace
