#include <gtest/gtest.h>

#include "QZDsnColorForm.h"
#include "zub/Forms.h"

using namespace QZColor;

namespace {

struct RGB {
    int R, G, B;
};
RGB Split(TColor c) { return {int(c & 0xFF), int((c >> 8) & 0xFF), int((c >> 16) & 0xFF)}; }

TEST(nimdes_Color, HSBToRGBEdgeValues)
{
    struct Row {
        double H, S, B;
        RGB Want;
    } rows[] = {
        {0, 0, 0, {0, 0, 0}},  // zero brightness: black whatever the hue
        {0, 0, 1, {255, 255, 255}},  // full scale, no saturation: white
        {0.4, 0, 0.5, {128, 128, 128}},  // grey: the hue plays no part
        {0, 1, 1, {255, 0, 0}},         {0.5, 1, 1, {0, 255, 255}},
        {2.0 / 3, 1, 1, {0, 0, 255}},   {1, 1, 1, {255, 0, 0}},  // a full turn is red again
    };
    for (const Row& r : rows) {
        const RGB got = Split(HSBtoRGB(r.H, r.S, r.B));
        EXPECT_EQ(got.R, r.Want.R) << r.H << " " << r.S << " " << r.B;
        EXPECT_EQ(got.G, r.Want.G) << r.H << " " << r.S << " " << r.B;
        EXPECT_EQ(got.B, r.Want.B) << r.H << " " << r.S << " " << r.B;
    }
    EXPECT_EQ(HSBtoRGB(0, 1, 1), 0x0000FF) << "red sits in the low byte";
}

TEST(nimdes_Color, RGBToHSBEdgeValues)
{
    struct Row {
        RGB In;
        double H, S, B;
    } rows[] = {
        {{0, 0, 0}, 0, 0, 0},  // no division by a zero maximum
        {{255, 255, 255}, 0, 0, 1},
        {{128, 128, 128}, 0, 0, 128 / 255.0},  // grey: no hue
        {{0, 0, 255}, 2.0 / 3, 1, 1},
        {{255, 0, 0}, 0, 1, 1},
        {{255, 0, 128}, 1 - 128 / 255.0 / 6, 1, 1},  // negative hue wraps round
    };
    for (const Row& r : rows) {
        double h = -1, s = -1, b = -1;
        RGBToHSB(r.In.R, r.In.G, r.In.B, h, s, b);
        EXPECT_NEAR(h, r.H, 1e-9) << r.In.R << "," << r.In.G << "," << r.In.B;
        EXPECT_NEAR(s, r.S, 1e-9);
        EXPECT_NEAR(b, r.B, 1e-9);
    }
}

TEST(nimdes_Color, RoundTripsAtZeroAndFullScale)
{
    for (RGB c : {RGB{0, 0, 0}, RGB{255, 255, 255}, RGB{255, 0, 0}, RGB{0, 255, 0}, RGB{0, 0, 255}}) {
        double h, s, b;
        RGBToHSB(c.R, c.G, c.B, h, s, b);
        const RGB back = Split(HSBtoRGB(h, s, b));
        EXPECT_EQ(back.R, c.R);
        EXPECT_EQ(back.G, c.G);
        EXPECT_EQ(back.B, c.B);
    }
}

TEST(nimdes_Color, FormStartsAtThreeQuarterBrightnessWith28CustomCells)
{
    TStringList custom;
    TQZColorForm f(nullptr, &custom);
    EXPECT_EQ(f.Caption(), "TQZColor Editor");
    EXPECT_EQ(f.ClientWidth(), 385);
    EXPECT_EQ(f.ClientHeight(), 453);
    EXPECT_EQ(f.Hue(), 0);
    EXPECT_EQ(f.Sat(), 0);
    EXPECT_EQ(f.Bright(), 150);
    EXPECT_EQ(f.TrackBright->Position(), 150);
    EXPECT_EQ(f.TrackBright->Max(), 199);
    EXPECT_EQ(f.PickedColor(), 0xBFBFBF);  // 150/200 of 255, grey
    EXPECT_EQ(custom.Count(), 28);
    EXPECT_EQ(f.PaintBoxColor->Width(), 202);
    EXPECT_EQ(f.MarkerPos(), (TPoint{-1, -1}));
    EXPECT_FALSE(f.MarkerVisible());
}

TEST(nimdes_Color, EditsTakeOnlyValuesInRange)
{
    TStringList custom;
    TQZColorForm f(nullptr, &custom);
    struct Row {
        TEdit* Edit;
        const char* Text;
        const char* After;
    } rows[] = {
        {f.EditHue, "120", "120"}, {f.EditHue, "200", "120"},  // below 200 only
        {f.EditHue, "abc", "120"}, {f.EditSat, "-1", "0"},    {f.EditSat, "199", "199"},
        {f.editRed, "255", "255"}, {f.editRed, "256", "255"}, {f.editBlue, "x", "191"},
    };
    for (const Row& r : rows) {
        r.Edit->UserSetText(r.Text);
        EXPECT_EQ(r.Edit->Text(), r.After) << r.Edit->Name() << " " << r.Text;
    }
}

TEST(nimdes_Color, FieldAndSliderComputeThePickedColour)
{
    TStringList custom;
    TQZColorForm f(nullptr, &custom);
    f.TrackBright->SetPosition(199);
    f.PaintBoxColor->MouseDown(mbLeft, ssLeft, 1, 1);  // hue 0, saturation 199
    EXPECT_EQ(f.Hue(), 0);
    EXPECT_EQ(f.Sat(), 199);
    EXPECT_EQ(f.MarkerPos(), (TPoint{1, 1}));
    EXPECT_EQ(f.editRed->Text(), "254");
    EXPECT_EQ(f.editGreen->Text(), "1");
    f.PaintBoxColor->MouseDown(mbLeft, ssLeft, 0, 50);  // outside the field: nothing
    EXPECT_EQ(f.Sat(), 199);
    // Red, green and blue typed in: hue, saturation and brightness follow.
    f.editRed->UserSetText("0");
    f.editGreen->UserSetText("0");
    f.editBlue->UserSetText("255");
    EXPECT_EQ(f.PickedColor(), 0xFF0000);
    EXPECT_EQ(f.EditHue->Text(), "133");
    EXPECT_EQ(f.EditSat->Text(), "199");
}

TEST(nimdes_Color, CustomColoursFillTheir28CellsAndNoMore)
{
    TStringList custom;
    TQZColorForm f(nullptr, &custom);
    f.editRed->UserSetText("255");
    f.editGreen->UserSetText("128");
    f.editBlue->UserSetText("0");
    f.GridCustomColors->SelectCell(3, 0);
    f.ButtonAdd->Click();
    EXPECT_EQ(custom[3], "$000080FF");
    // The 28th colour goes into the last cell.
    f.GridCustomColors->SelectCell(13, 1);
    f.ButtonAdd->Click();
    EXPECT_EQ(custom[27], "$000080FF");
    // There is no 29th cell: the grid stays on the last, the list keeps 28 entries.
    f.GridCustomColors->SelectCell(14, 1);
    EXPECT_EQ(f.GridCustomColors->Col(), 13);
    f.ButtonAdd->Click();
    EXPECT_EQ(custom.Count(), 28);
    // Kept for the next dialog on the same list; a filled cell selects its colour.
    TQZColorForm g(nullptr, &custom);
    g.GridCustomColors->SelectCell(3, 0);
    EXPECT_EQ(g.SelectedIdentifier(), "$000080FF");
    EXPECT_EQ(g.SelectedColor(), 0x0080FF);
    g.GridCustomColors->SelectCell(4, 0);  // empty cell: selection stays
    EXPECT_EQ(g.SelectedIdentifier(), "$000080FF");
}

TEST(nimdes_Color, WebAndSystemCellsSelectByName)
{
    TStringList custom;
    TQZColorForm f(nullptr, &custom);
    f.WebColorsGrid->SelectCell(9, 0);  // cell 9: Red
    EXPECT_EQ(f.SelectedIdentifier(), "Red");
    EXPECT_EQ(f.LabelIdent->Caption(), "Identifier: Red");
    EXPECT_EQ(f.SelectedColor(), 0x0000FF);
    // Cells past the framework's colours show an X and select nothing.
    const int n = static_cast<int>(QZWebColors().size());
    EXPECT_EQ(f.WebCellName(n % 12, n / 12), "");
    f.WebColorsGrid->SelectCell(n % 12, n / 12);
    EXPECT_EQ(f.SelectedIdentifier(), "Red");
    TRecordingCanvas canvas;
    f.WebColorsGrid->PaintTo(canvas);
    int crosses = 0;
    for (const TCanvasOp& op : canvas.Ops())
        if (op.Kind == TCanvasOp::Line) ++crosses;
    EXPECT_EQ(crosses, 2 * (144 - n));
    f.SysColorsGrid->SelectCell(1, 0);
    EXPECT_EQ(f.SelectedIdentifier(), "clMaroon");
    EXPECT_EQ(f.SelectedColor(), clMaroon);
    // The status bar names the colour under the mouse, nothing off the grid.
    const TRect r = f.WebColorsGrid->CellRect(0, 1);
    f.WebColorsGrid->MouseMove(0, r.Left + 2, r.Top + 2);
    EXPECT_EQ(f.StatusBar1->Caption(), "Blue");  // cell 12
    f.MouseMove(0, 1, 1);
    EXPECT_EQ(f.StatusBar1->Caption(), "");
}

TEST(nimdes_Color, NumberIdentifierOpensTheCustomPage)
{
    TStringList custom;
    TQZColorForm f(nullptr, &custom);
    f.SetSelectedIdentifier("$00123456");
    EXPECT_EQ(f.ActivePage(), f.TabSheet1);
    EXPECT_EQ(f.editRed->Text(), "86");  // 0x56
    EXPECT_EQ(f.editGreen->Text(), "52");
    EXPECT_EQ(f.editBlue->Text(), "18");
    EXPECT_EQ(f.PickedColor(), 0x123456);
    EXPECT_THROW(f.SetSelectedIdentifier("NoColour"), EConvertError);
}

TQZColorEditor Editor(String& value, int& modified)
{
    TPropertyTarget t;
    t.PropName = "BGColor";
    t.GetValue = [&value] { return value; };
    t.SetValue = [&value](const String& v) { value = v; };
    t.OnModified = [&modified] { ++modified; };
    return TQZColorEditor(t);
}

TEST(nimdes_Color, EditorShowsNamesAndTakesNamesOrNumbers)
{
    String value = IntToStr(0x00D7FF);
    int modified = 0;
    TQZColorEditor e = Editor(value, modified);
    struct Row {
        const char* Stored;
        const char* Shown;
    } shown[] = {{"55295", "Gold"}, {"255", "Red"}, {"15790320", "clBtnFace"}, {"1193046", "$00123456"}};
    for (const Row& r : shown) {
        value = r.Stored;
        EXPECT_EQ(e.GetValue(), r.Shown);
    }
    struct In {
        const char* Text;
        const char* Stored;
    } typed[] = {{"gold", "55295"}, {"clBtnFace", "15790320"}, {"$0000FF", "255"}, {"42", "42"}};
    for (const In& r : typed) {
        e.SetValue(r.Text);
        EXPECT_EQ(value, r.Stored) << r.Text;
    }
    EXPECT_EQ(modified, 4);
    EXPECT_THROW(e.SetValue("Goldish"), EConvertError);
    EXPECT_EQ(value, "42") << "a refused text leaves the value";
    std::vector<String> values;
    e.GetValues([&](const String& v) { values.push_back(v); });
    ASSERT_FALSE(values.empty());
    EXPECT_EQ(values.front(), "clBlack");
    EXPECT_EQ(values.back(), QZWebColors().back().Name);
}

TEST(nimdes_Color, SwatchFrame)
{
    struct Row {
        TColor C;
        bool Selected;
        TColor Frame;
    } rows[] = {{0x0000C1, false, clBlack},
                {0xC10000, true, clBlack},
                {0xC0C0C0, false, 0xC0C0C0},
                {0xC0C0C0, true, clWhite},
                {0x000000, false, 0x000000}};
    for (const Row& r : rows) EXPECT_EQ(TQZColorEditor::SwatchFrameColor(r.C, r.Selected), r.Frame) << r.C;
    String value = "255";
    int modified = 0;
    TQZColorEditor e = Editor(value, modified);
    TRecordingCanvas canvas;
    e.ListDrawValue("Red", canvas, Rect(0, 0, 100, 16), false);
    ASSERT_GE(canvas.Ops().size(), 2u);
    EXPECT_EQ(canvas.Ops()[0].Kind, TCanvasOp::Rectangle);
    EXPECT_EQ(canvas.Ops()[0].R, Rect(0, 0, 16, 16));
    EXPECT_EQ(canvas.Ops()[0].Brush, clRed);
    EXPECT_EQ(canvas.Ops()[0].Pen, clBlack);
    EXPECT_EQ(canvas.Ops()[1].Text, "Red");
}

TEST(nimdes_Color, DialogOkTakesTheIdentifierCancelKeepsTheValue)
{
    String value = "255";
    int modified = 0;
    TQZColorEditor e = Editor(value, modified);
    TModalHook old = SetModalHook([](TForm& form) {
        auto& f = dynamic_cast<TQZColorForm&>(form);
        EXPECT_EQ(f.SelectedIdentifier(), "Red");
        f.WebColorsGrid->SelectCell(0, 0);  // Black
        f.Button2->Click();
    });
    e.Edit();
    EXPECT_EQ(value, "255");
    SetModalHook([](TForm& form) {
        auto& f = dynamic_cast<TQZColorForm&>(form);
        f.SetSelectedIdentifier("Gold");
        f.Button1->Click();
    });
    e.Edit();
    SetModalHook(old);
    EXPECT_EQ(value, "55295");
    EXPECT_EQ(e.GetValue(), "Gold");
}

}  // namespace
