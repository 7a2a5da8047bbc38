// The number panel and the tip list of the main window: the pool size slider with its count,
// combination count, visible number fields and new run key; the painting of the tip list lines;
// the swap of the number labels for the personal number edits.
#include <filesystem>

#include "FormTestbasis.h"
#include "rtl/Clock.h"

namespace {

const std::filesystem::path BILDER = std::filesystem::path(RAVELO_ASSETS_DIR) / "gifs";

// Wednesday 12.08.2009, before the draw.
TDateTime Heute() { return EncodeDate(2009, 8, 12) + EncodeTime(10, 0, 0, 0); }

class PanelTest : public ProgrammordnerTest {
protected:
    void SetUp() override
    {
        uhr = std::make_unique<TVirtualClockGuard>(Heute());
        ProgrammordnerTest::SetUp();
        // The markers of the tip list come from the program's pictures.
        ASSERT_TRUE(ForceDirectories(ordner));
        std::filesystem::create_directory_symlink(BILDER, std::filesystem::path(ordner) / "gifs");
        form = Hauptfenster_bauen();
        form->ListBox1->Items()->Clear();  // start-up's hint lines
    }
    void TearDown() override
    {
        form.reset();
        ProgrammordnerTest::TearDown();
        uhr.reset();
    }

    TControl* Feld(const char* familie, int k)
    {
        const int nummer = k + (String(familie) == "Edit" ? 8 : 1);
        auto* c = dynamic_cast<TControl*>(form->FindComponent(familie + IntToStr(nummer)));
        EXPECT_NE(c, nullptr) << familie << nummer;
        return c;
    }
    // The numbers k (1..30) of the family's visible fields.
    std::vector<int> Sichtbar(const char* familie)
    {
        std::vector<int> k;
        for (int i = 1; i <= 30; ++i)
            if (Feld(familie, i)->Visible()) k.push_back(i);
        return k;
    }
    static std::vector<int> Bis(int n)
    {
        std::vector<int> k;
        for (int i = 1; i <= n; ++i) k.push_back(i);
        return k;
    }
    void Schritt1_Seite() { form->ssarnik(nullptr); }
    // The tip list with these lines and no line in any line list.
    void Tippliste(const std::vector<String>& zeilen)
    {
        auto* items = form->ListBox1->Items();
        items->Clear();
        for (const String& z : zeilen) items->Add(z);
        form->zeilen_farbe = "";
        form->zeilen_symbol0 = "";
        form->zeilen_symbol1 = "";
    }

    std::unique_ptr<TVirtualClockGuard> uhr;
    std::unique_ptr<TForm1> form;
};

// ---- pool size ---------------------------------------------------------------------------

struct Poolfall {
    const char* name;
    int von, nach;  // slider positions, the second one tested
    int min;  // lower end of the slider (below 18 only to reach a size out of range)
    int varianten;  // expected anzahl_Varianten
    int sichtbar;  // number fields that show
};

void PrintTo(const Poolfall& f, std::ostream* os) { *os << f.name; }

const Poolfall poolfaelle[] = {
    {"N18", 19, 18, 18, 18564, 18},
    {"N20", 19, 20, 18, 38760, 20},
    {"N30", 19, 30, 18, 593775, 30},
    {"Von30Auf19", 30, 19, 18, 27132, 19},
    // Outside the table the count stays; the first 18 fields still show.
    {"N17AusserhalbBleibtDieAnzahl", 19, 17, 10, 27132, 18},
};

class Poolgroesse : public PanelTest, public ::testing::WithParamInterface<Poolfall> {};

TEST_P(Poolgroesse, CountCombinationsFieldsAndRunKey)
{
    const Poolfall& f = GetParam();
    schreibe("history.txt", {});
    Schritt1_Seite();
    form->TrackBar1->SetMin(f.min);
    form->TrackBar1->SetPosition(f.von);
    form->TrackBar1->SetPosition(f.nach);  // OnChange

    EXPECT_EQ(form->Label45->Caption(), IntToStr(f.nach));
    EXPECT_EQ(form->anzahl_Varianten, f.varianten);
    EXPECT_EQ(Sichtbar("Label"), Bis(f.sichtbar));
    EXPECT_EQ(Sichtbar("Edit"), std::vector<int>{});
    EXPECT_EQ(form->ComboBox2->Text(), "12-08-2009-aus" + IntToStr(f.nach) + "_Index-1*");
}

INSTANTIATE_TEST_SUITE_P(Panel, Poolgroesse, ::testing::ValuesIn(poolfaelle),
                         [](const auto& info) { return String(info.param.name); });

TEST_F(PanelTest, ConstructorCountsTheCombinationsOfTheStartPosition)
{
    EXPECT_EQ(form->TrackBar1->Position(), 20);
    EXPECT_EQ(form->anzahl_Varianten, 38760);
}

TEST_F(PanelTest, PersonalNumbersFollowTheSizeAndTheLabelsKeepTheirState)
{
    schreibe("history.txt", {});
    Schritt1_Seite();
    form->RadioButton5->SetChecked(true);  // the edits take the labels' places
    ASSERT_EQ(Sichtbar("Edit"), Bis(20));
    form->TrackBar1->SetPosition(25);
    EXPECT_EQ(Sichtbar("Edit"), Bis(25));
    EXPECT_EQ(Sichtbar("Label"), std::vector<int>{});
    form->TrackBar1->SetPosition(18);
    EXPECT_EQ(Sichtbar("Edit"), Bis(18));
    EXPECT_EQ(Sichtbar("Label"), std::vector<int>{});
}

TEST_F(PanelTest, OtherPagesKeepTheFieldsAsTheyAre)
{
    schreibe("history.txt", {});
    ASSERT_EQ(form->modus_sarnik, 1);
    const std::vector<int> labels = Sichtbar("Label"), edits = Sichtbar("Edit");
    form->TrackBar1->SetPosition(30);
    EXPECT_EQ(Sichtbar("Label"), labels);
    EXPECT_EQ(Sichtbar("Edit"), edits);
    EXPECT_EQ(form->anzahl_Varianten, 593775);
}

TEST_F(PanelTest, RunKeyTakesTheNextFreeIndexOfTodayAndThisSize)
{
    schreibe("history.txt", {"12-08-2009-aus20_Index-1*", "12-08-2009-aus20_Index-2*",
                             "12-08-2009-aus21_Index-3*", "15-08-2009-aus20_Index-3*"});
    // Today's date, not the tip date.
    form->DateTimePicker2->SetDateTime(EncodeDate(2009, 8, 15));
    form->TrackBar1->SetPosition(21);
    EXPECT_EQ(form->ComboBox2->Text(), "12-08-2009-aus21_Index-1*");
    form->TrackBar1->SetPosition(20);
    EXPECT_EQ(form->ComboBox2->Text(), "12-08-2009-aus20_Index-3*");
    // Neither the history list nor the tip date change.
    EXPECT_EQ(form->ComboBox2->Items()->Count(), 0);
    EXPECT_EQ(form->tipp_datum.get(), "");
}

TEST_F(PanelTest, RunKeyFollowsTheClock)
{
    schreibe("history.txt", {"12-08-2009-aus20_Index-1*"});
    uhr->clock().Set(EncodeDate(2009, 8, 13) + EncodeTime(0, 0, 1, 0));
    form->TrackBar1->SetPosition(21);
    form->TrackBar1->SetPosition(20);
    EXPECT_EQ(form->ComboBox2->Text(), "13-08-2009-aus20_Index-1*");
}

TEST_F(PanelTest, MissingHistoryKeepsTheRunKey)
{
    form->ComboBox2->SetText("01-08-2009-aus20_Index-4*");
    form->Label1->SetCaption("Beschreibung:");
    form->TrackBar1->SetPosition(22);
    EXPECT_EQ(form->Label1->Caption(), "Datei history.txt nicht gefunden!");
    EXPECT_EQ(form->ComboBox2->Text(), "01-08-2009-aus20_Index-4*");
    EXPECT_EQ(form->Label45->Caption(), "22");
    EXPECT_EQ(form->anzahl_Varianten, 74613);
}

// ---- source buttons ----------------------------------------------------------------------

TEST_F(PanelTest, PersonalSourceSwapsTheShownLabelsForEdits)
{
    schreibe("history.txt", {});
    form->TrackBar1->SetPosition(22);
    Schritt1_Seite();
    ASSERT_EQ(Sichtbar("Label"), Bis(22));

    form->RadioButton5->SetChecked(true);
    EXPECT_EQ(Sichtbar("Edit"), Bis(22));
    EXPECT_EQ(Sichtbar("Label"), std::vector<int>{});

    // Back to a computed source: the edits go, the labels of the pool come back.
    form->RadioButton2->SetChecked(true);
    EXPECT_EQ(Sichtbar("Edit"), std::vector<int>{});
    EXPECT_EQ(Sichtbar("Label"), Bis(22));
}

TEST_F(PanelTest, ComputedSourcesHideTheEditsAndShowLabelsOnlyOnTheStepOnePage)
{
    for (TRadioButton* knopf :
         {form->RadioButton1, form->RadioButton2, form->RadioButton3, form->RadioButton4}) {
        for (int k = 1; k <= 30; ++k) {
            Feld("Edit", k)->SetVisible(true);
            Feld("Label", k)->SetVisible(false);
        }
        knopf->SetChecked(false);
        knopf->SetChecked(true);
        EXPECT_EQ(Sichtbar("Edit"), std::vector<int>{}) << knopf->Name();
        EXPECT_EQ(Sichtbar("Label"), std::vector<int>{}) << knopf->Name();  // the Sarnik page is shown
    }
    Schritt1_Seite();
    form->RadioButton5->SetChecked(true);
    form->RadioButton3->SetChecked(true);
    EXPECT_EQ(Sichtbar("Label"), Bis(20));
}

TEST_F(PanelTest, PersonalCaptionClickedTwiceLeavesNoSourceAndNoField)
{
    schreibe("history.txt", {});
    Schritt1_Seite();
    form->Label61Click(nullptr);
    EXPECT_TRUE(form->RadioButton5->Checked());
    EXPECT_EQ(Sichtbar("Edit"), Bis(20));
    form->Label61Click(nullptr);
    for (TRadioButton* knopf :
         {form->RadioButton1, form->RadioButton2, form->RadioButton3, form->RadioButton4, form->RadioButton5})
        EXPECT_FALSE(knopf->Checked()) << knopf->Name();
    EXPECT_EQ(Sichtbar("Edit"), std::vector<int>{});
    EXPECT_EQ(Sichtbar("Label"), std::vector<int>{});
}

// ---- tip list ----------------------------------------------------------------------------

struct Farbfall {
    const char* name;
    bool markiert, gewaehlt, schwarz;  // in zeilen_farbe, selected, CheckBox2 visible
    TColor pinsel, schrift;
};

void PrintTo(const Farbfall& f, std::ostream* os) { *os << f.name; }

const Farbfall farbfaelle[] = {
    {"MarkiertGewaehltSchwarz", true, true, true, clBlack, clWhite},
    {"MarkiertGewaehltGruen", true, true, false, clGreen, clWhite},
    {"MarkiertSchwarz", true, false, true, clWhite, clRed},
    {"MarkiertGruen", true, false, false, clWhite, clRed},
    {"GewaehltSchwarz", false, true, true, clBlack, clWhite},
    {"GewaehltGruen", false, true, false, clGreen, clWhite},
    {"Schwarz", false, false, true, clWhite, clBlack},
    {"Gruen", false, false, false, clWhite, clGreen},
};

class Zeilenfarbe : public PanelTest, public ::testing::WithParamInterface<Farbfall> {};

TEST_P(Zeilenfarbe, BrushAndFontOfTheLine)
{
    const Farbfall& f = GetParam();
    Tippliste({"Die Lottozahlen werden getippt!", "----", "Schritt 1 gestartet!"});
    form->zeilen_farbe = f.markiert ? "2," : "0,1,";
    form->CheckBox2->SetVisible(f.schwarz);
    auto* canvas = dynamic_cast<TRecordingCanvas*>(form->ListBox1->Canvas());
    ASSERT_NE(canvas, nullptr);
    canvas->Clear();

    const TRect r = Rect(0, 32, 200, 48);
    form->drawItem(form->ListBox1, 2, r, f.gewaehlt ? odSelected : 0);

    const auto& ops = canvas->Ops();
    ASSERT_EQ(ops.size(), 2u);
    EXPECT_EQ(ops[0].Kind, TCanvasOp::FillRect);
    EXPECT_EQ(ops[0].R, r);
    EXPECT_EQ(ops[0].Brush, f.pinsel);
    EXPECT_EQ(ops[1].Kind, TCanvasOp::TextRect);
    EXPECT_EQ(ops[1].R, r);
    EXPECT_EQ(ops[1].At, (TPoint{3, 32}));  // inside the list's border
    EXPECT_EQ(ops[1].Text, "Schritt 1 gestartet!");
    EXPECT_EQ(ops[1].FontColor, f.schrift);
}

INSTANTIATE_TEST_SUITE_P(Panel, Zeilenfarbe, ::testing::ValuesIn(farbfaelle),
                         [](const auto& info) { return String(info.param.name); });

// Paints the list as the view does and returns the operations of each line.
std::vector<std::vector<TCanvasOp>> Zeilen(TListBox* liste)
{
    TRecordingCanvas canvas;
    liste->PaintTo(canvas);
    std::vector<std::vector<TCanvasOp>> zeilen;
    for (const TCanvasOp& op : canvas.Ops()) {
        if (op.Kind == TCanvasOp::FillRect) zeilen.emplace_back();
        if (!zeilen.empty()) zeilen.back().push_back(op);
    }
    return zeilen;
}

TEST_F(PanelTest, LineListsAreSplitAtTheirCommasAndNeedTheFinalOne)
{
    std::vector<String> text;
    for (int i = 0; i < 14; ++i) text.push_back("Zeile " + IntToStr(i));
    Tippliste(text);
    form->ListBox1->SetHeight(14 * 16);
    form->ListBox1->SetTopIndex(0);
    form->CheckBox2->SetVisible(true);
    struct Fall {
        const char* liste;
        std::vector<int> rot;
    };
    const Fall faelle[] = {
        {"2,", {2}},   {"2", {}},         {"", {}},      {"1,3,4,", {1, 3, 4}},
        {"12,", {12}}, {"5,,7,", {5, 7}}, {"x,6,", {6}},
    };
    for (const Fall& f : faelle) {
        form->zeilen_farbe = f.liste;
        const auto zeilen = Zeilen(form->ListBox1);
        ASSERT_EQ(zeilen.size(), 14u);
        std::vector<int> rot;
        for (int i = 0; i < 14; ++i) {
            ASSERT_GE(zeilen[i].size(), 2u);
            EXPECT_EQ(zeilen[i][1].Text, "Zeile " + IntToStr(i));
            if (zeilen[i][1].FontColor == clRed) rot.push_back(i);
        }
        EXPECT_EQ(rot, f.rot) << '"' << f.liste << '"';
    }
}

TEST_F(PanelTest, MarkersAtTheirLinesWithTheGreyOneOnTop)
{
    ASSERT_EQ(form->ImageList1->Count(), 2);
    EXPECT_EQ(form->ImageList1->Picture(0).Bytes(), ReadFileBytes(ordner + "gifs/haken_blau.gif"));
    EXPECT_EQ(form->ImageList1->Picture(1).Bytes(), ReadFileBytes(ordner + "gifs/haken_grau.gif"));

    Tippliste({"Tipp 0", "Tipp 1", "Tipp 2", "Tipp 3", "Tipp 4"});
    form->zeilen_symbol0 = "1,2,";
    form->zeilen_symbol1 = "2,3,4";  // 4 has no comma behind it
    const auto zeilen = Zeilen(form->ListBox1);
    ASSERT_EQ(zeilen.size(), 5u);
    auto bilder = [&](int zeile) {
        std::vector<int> b;
        for (const TCanvasOp& op : zeilen[zeile])
            if (op.Kind == TCanvasOp::Image) {
                EXPECT_EQ(op.At, (TPoint{165, zeile * 16 + 1})) << zeile;
                EXPECT_TRUE(op.Enabled);
                b.push_back(op.Index);
            }
        return b;
    };
    EXPECT_EQ(bilder(0), std::vector<int>{});
    EXPECT_EQ(bilder(1), std::vector<int>{0});
    EXPECT_EQ(bilder(2), (std::vector<int>{0, 1}));
    EXPECT_EQ(bilder(3), std::vector<int>{1});
    EXPECT_EQ(bilder(4), std::vector<int>{});
}

// A line longer than the marker column keeps its end: the markers move behind the longest marked
// line, all in one column.
TEST_F(PanelTest, MarkersStandBehindALongLine)
{
    auto* canvas = dynamic_cast<TRecordingCanvas*>(form->ListBox1->Canvas());
    ASSERT_NE(canvas, nullptr);
    const String lang = "Schritt 1 erfolgreich ausgeführt!";
    const int breite = canvas->TextWidth(lang);
    ASSERT_GT(breite, 165);
    Tippliste({"kurz", lang});
    form->zeilen_symbol0 = "0,1,";
    form->zeilen_symbol1 = "1,";
    const auto zeilen = Zeilen(form->ListBox1);
    ASSERT_EQ(zeilen.size(), 2u);
    std::vector<TPoint> orte;
    for (const auto& zeile : zeilen)
        for (const TCanvasOp& op : zeile)
            if (op.Kind == TCanvasOp::Image) orte.push_back(op.At);
    // 3 px inner margin, the text, 3 px gap.
    EXPECT_EQ(orte, (std::vector<TPoint>{{breite + 6, 1}, {breite + 6, 17}, {breite + 6, 17}}));

    // Without a long marked line the column stays at 165.
    form->zeilen_symbol0 = "0,";
    form->zeilen_symbol1 = "";
    orte.clear();
    for (const auto& zeile : Zeilen(form->ListBox1))
        for (const TCanvasOp& op : zeile)
            if (op.Kind == TCanvasOp::Image) orte.push_back(op.At);
    EXPECT_EQ(orte, (std::vector<TPoint>{{165, 1}}));
}

TEST_F(PanelTest, FocusedLineGetsTheFocusRectangle)
{
    Tippliste({"eins"});
    auto* canvas = dynamic_cast<TRecordingCanvas*>(form->ListBox1->Canvas());
    ASSERT_NE(canvas, nullptr);
    const TRect r = Rect(0, 0, 200, 16);
    canvas->Clear();
    form->drawItem(form->ListBox1, 0, r, odSelected | odFocused);
    ASSERT_EQ(canvas->Ops().size(), 3u);
    EXPECT_EQ(canvas->Ops()[2].Kind, TCanvasOp::FocusRect);
    EXPECT_EQ(canvas->Ops()[2].R, r);

    // A line that the workers removed meanwhile is painted empty.
    canvas->Clear();
    form->drawItem(form->ListBox1, 5, r, 0);
    ASSERT_EQ(canvas->Ops().size(), 2u);
    EXPECT_EQ(canvas->Ops()[1].Text, "");
}

TEST_F(PanelTest, MissingMarkerPicturesKeepTheirPlaces)
{
    form.reset();
    std::filesystem::remove(std::filesystem::path(ordner) / "gifs");
    ASSERT_TRUE(ForceDirectories(ordner + "gifs"));
    std::filesystem::copy_file(BILDER / "haken_grau.gif",
                               std::filesystem::path(ordner) / "gifs/haken_grau.gif");
    form = Hauptfenster_bauen();
    ASSERT_EQ(form->ImageList1->Count(), 2);
    EXPECT_TRUE(form->ImageList1->Picture(0).Empty());
    EXPECT_EQ(form->ImageList1->Picture(1).Bytes(), ReadFileBytes(ordner + "gifs/haken_grau.gif"));
}

}  // namespace
