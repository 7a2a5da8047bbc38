// The archive and statistics grids: clearing, painting, sorting by click and by the sort
// buttons, and the statistics grid kept in Statistik.txt.
#include <gmock/gmock.h>

#include "toolbar_Testbasis.h"

using namespace toolbar;
using ::testing::ElementsAre;

namespace {

class RasterTest : public ToolbarTest {
protected:
    // Fills Tabelle2 with rows "number,value".
    void statistik(std::initializer_list<std::pair<int, int>> zeilen)
    {
        form->Tabelle2->SetRowCount(static_cast<int>(zeilen.size()));
        int r = 0;
        for (auto [zahl, wert] : zeilen) {
            form->Tabelle2->SetCells(0, r, IntToStr(zahl));
            form->Tabelle2->SetCells(1, r++, IntToStr(wert));
        }
    }
    std::vector<String> spalte(int c)
    {
        std::vector<String> s;
        for (int r = 0; r < form->Tabelle2->RowCount(); ++r) s.push_back(form->Tabelle2->Cells(c, r));
        return s;
    }
    void statistik_anzeigen()
    {
        form->archiv_angezeigt = 0;
        form->statistik_angezeigt = 1;
    }
};

// The last fill and text of a cell painted on the canvas.
struct Zelle {
    TColor brush = clNone;
    TPoint text_bei{-1, -1};
    String text;
};

Zelle gemalt(const TRecordingCanvas& c, const TRect& r)
{
    Zelle z;
    for (const TCanvasOp& op : c.Ops()) {
        if (op.R.Left != r.Left || op.R.Top != r.Top || op.R.Right != r.Right || op.R.Bottom != r.Bottom)
            continue;
        if (op.Kind == TCanvasOp::FillRect) z.brush = op.Brush;
        if (op.Kind == TCanvasOp::TextRect) {
            z.text_bei = op.At;
            z.text = op.Text;
        }
    }
    return z;
}

}  // namespace

TEST_F(RasterTest, ClearingTheArchiveGridEmptiesEveryCellAndKeepsItsSize)
{
    schreibe("dorov_zahlen.txt", {"01.02.09,1,2,3,4,5,6,7", "04.02.09,7,14,21,28,35,42,49"});
    ASSERT_TRUE(form->lade_Archiv());
    EXPECT_EQ(form->leere_Tabelle(), 0);
    EXPECT_EQ(form->Tabelle->RowCount(), 3);
    EXPECT_EQ(form->Tabelle->ColCount(), 8);
    for (int r = 0; r < 3; ++r)
        EXPECT_THAT(Zeile(form->Tabelle, r), ElementsAre("", "", "", "", "", "", "", ""));
    EXPECT_TRUE(form->Tabelle->Redraw());
}

TEST_F(RasterTest, OddColumnsAreFilledByViewAndGreyOutAndLeftAlignedEvenColumnsRightAligned)
{
    schreibe("dorov_zahlen.txt", {"01.02.09,1,2,3,4,5,6,7"});
    ASSERT_TRUE(form->lade_Archiv());
    TStringGrid* g = form->Tabelle;
    g->SetTopRow(0);
    g->SetRow(0);
    g->SetCol(3);  // the selected cell keeps the grid's highlight
    struct Fall {
        const char* name;
        int archiv;
        int grau;
        TColor ungerade;
    };
    const Fall faelle[] = {
        {"Archiv", 1, 0, clYellow},
        {"Statistik", 0, 0, clSkyBlue},
        {"grau", 1, 1, clMedGray},
    };
    for (const Fall& f : faelle) {
        SCOPED_TRACE(f.name);
        form->archiv_angezeigt = f.archiv;
        grau_aktiv = f.grau;
        TRecordingCanvas c;
        g->PaintTo(c);
        grau_aktiv = 0;

        const TRect r1 = g->CellRect(1, 0);
        const Zelle z1 = gemalt(c, r1);
        EXPECT_EQ(z1.brush, f.ungerade);
        EXPECT_EQ(z1.text, "1");
        EXPECT_EQ(z1.text_bei.X, r1.Left + 2);
        EXPECT_EQ(z1.text_bei.Y, (r1.Top + r1.Bottom - TRecordingCanvas::LineHeight) / 2);

        const TRect r0 = g->CellRect(0, 0);
        const Zelle z0 = gemalt(c, r0);
        EXPECT_EQ(z0.brush, g->Color());
        EXPECT_EQ(z0.text, "01.02.09");
        EXPECT_EQ(z0.text_bei.X, r0.Right - 8 * TRecordingCanvas::CharWidth - 2);

        EXPECT_EQ(gemalt(c, g->CellRect(3, 0)).brush, clHighlight);
    }
}

TEST_F(RasterTest, CellTextCentredAtHalfTheWidthMinusHalfTheText)
{
    TRecordingCanvas c;
    c.Brush().SetColor(clAqua);
    const TRect r{10, 20, 61, 35};
    form->zeichne_Zelltext(&c, "123", 2, r);
    const Zelle z = gemalt(c, r);
    EXPECT_EQ(z.brush, clAqua);
    EXPECT_EQ(z.text_bei.X, 10 + 51 / 2 - 21 / 2);
    EXPECT_EQ(z.text_bei.Y, (20 + 35 - 13) / 2);
}

TEST_F(RasterTest, ClicksOnTheStatisticsGridSortAscendingThenDescendingEqualValuesKeepTheirOrder)
{
    statistik_anzeigen();
    statistik({{1, 5}, {2, 3}, {3, 5}, {4, 0}, {5, 12}});
    ASSERT_TRUE(abwaerts_sortieren);
    form->Tabelle2->SelectCell(0, 0);
    EXPECT_THAT(spalte(0), ElementsAre("4", "2", "1", "3", "5"));
    EXPECT_THAT(spalte(1), ElementsAre("0", "3", "5", "5", "12"));
    EXPECT_FALSE(abwaerts_sortieren);
    form->Tabelle2->SelectCell(0, 0);
    EXPECT_THAT(spalte(0), ElementsAre("5", "1", "3", "2", "4"));
    EXPECT_TRUE(abwaerts_sortieren);
}

TEST_F(RasterTest, ClickOnTheArchiveViewSortsNothing)
{
    statistik({{1, 5}, {2, 9}});
    form->sortiere_Tabelle(form->Tabelle);
    EXPECT_THAT(spalte(0), ElementsAre("1", "2"));
    EXPECT_TRUE(abwaerts_sortieren);
}

TEST_F(RasterTest, SortButtonsSortWithoutTheClickDirectionAndComeBackAsTheyWere)
{
    statistik_anzeigen();
    statistik({{1, 5}, {2, 9}, {3, 1}});
    struct Fall {
        void (TForm1::*klick)(TObject*);
        TImage* TForm1::*knopf;
        int TForm1::*zaehler;
        const char* bild;
        const char* text;
        std::vector<String> zahlen;
    };
    const Fall faelle[] = {
        {&TForm1::Image26Click,
         &TForm1::Image26,
         &TForm1::zaehler_Image26,
         "up_blue24.gif",
         "Aufwärts sortieren!",
         {"2", "1", "3"}},
        {&TForm1::Image27Click,
         &TForm1::Image27,
         &TForm1::zaehler_Image27,
         "down_blue24.gif",
         "Abwärts sortieren!",
         {"3", "1", "2"}},
    };
    for (const Fall& f : faelle) {
        SCOPED_TRACE(f.bild);
        form.get()->*f.zaehler = 4;
        (form.get()->*f.klick)(nullptr);
        EXPECT_EQ(spalte(0), f.zahlen);
        EXPECT_EQ(form->Label1->Caption(), f.text);
        EXPECT_EQ(zeigt(form.get()->*f.knopf), f.bild);
        EXPECT_EQ(form.get()->*f.zaehler, 0);
        EXPECT_TRUE(abwaerts_sortieren);
    }
}

TEST_F(RasterTest, ACellThatIsNoNumberStopsTheSortBeforeAnyRowMoves)
{
    statistik({{1, 5}, {2, 9}, {3, 1}});
    form->Tabelle2->SetCells(1, 2, "x");
    EXPECT_THROW(form->sortiere_Spalte(form->Tabelle2, 1, true), EConvertError);
    EXPECT_THAT(spalte(0), ElementsAre("1", "2", "3"));
}

TEST_F(RasterTest, StatisticsGridRoundTripsThroughStatistikTxt)
{
    statistik({{1, 5}, {2, 9}});
    form->Tabelle2->SetCells(1, 1, "9 mal");
    ASSERT_TRUE(form->speichere_Statistik());
    EXPECT_EQ(ReadFileBytes(ordner + "Statistik.txt"), "2\n1,5\n2,\"9 mal\"\n");

    form->Tabelle2->SetRowCount(49);
    form->Tabelle2->SetCells(0, 0, "alt");
    ASSERT_TRUE(form->lade_Statistik());
    EXPECT_EQ(form->Tabelle2->RowCount(), 2);
    EXPECT_EQ(form->Tabelle2->ColCount(), 2);
    EXPECT_THAT(Zeile(form->Tabelle2, 0), ElementsAre("1", "5"));
    EXPECT_THAT(Zeile(form->Tabelle2, 1), ElementsAre("2", "9 mal"));
}

TEST_F(RasterTest, StatisticsFileWithoutColumnCountLeavesTheGrid)
{
    statistik({{1, 5}});
    for (const char* inhalt : {"", "zwei\n1,5\n"}) {
        SCOPED_TRACE(inhalt);
        AtomicWriteFile(ordner + "Statistik.txt", inhalt);
        EXPECT_THROW(form->lade_Statistik(), EConvertError);
        EXPECT_EQ(form->Tabelle2->RowCount(), 1);
        EXPECT_THAT(Zeile(form->Tabelle2, 0), ElementsAre("1", "5"));
    }
}

TEST_F(RasterTest, StatisticsFileAskingForMoreThanAGridHoldsIsRefused)
{
    statistik({{1, 5}});
    String viele_Zeilen = "2\n";
    for (int i = 0; i < 1001; ++i) viele_Zeilen += "1,5\n";
    struct Fall {
        String inhalt;
        String meldung;
    };
    const Fall faelle[] = {
        {"2000000000\n1,5\n", "Statistik.txt verlangt 2000000000 Spalten, die Statistik hat höchstens 100."},
        {"101\n1,5\n", "Statistik.txt verlangt 101 Spalten, die Statistik hat höchstens 100."},
        {viele_Zeilen, "Statistik.txt hat 1001 Zeilen, die Statistik höchstens 1000."},
        {"2\n1,5\n1,2,3\n", "Statistik.txt: Zeile 3 hat mehr als 2 Spalten."},
    };
    for (const Fall& f : faelle) {
        SCOPED_TRACE(f.meldung);
        AtomicWriteFile(ordner + "Statistik.txt", f.inhalt);
        try {
            form->lade_Statistik();
            ADD_FAILURE() << "loaded";
        } catch (const EConvertError& e) {
            EXPECT_EQ(e.Message(), f.meldung);
        }
        EXPECT_EQ(form->Tabelle2->RowCount(), 1);
        EXPECT_EQ(form->Tabelle2->ColCount(), 2);
        EXPECT_THAT(Zeile(form->Tabelle2, 0), ElementsAre("1", "5"));
    }
}

TEST_F(RasterTest, RefusedStatisticsFileAtRestoreIsToldAndTheGridStays)
{
    statistik_anzeigen();
    statistik({{7, 3}, {8, 4}});
    ASSERT_TRUE(form->grau_schalten());
    AtomicWriteFile(ordner + "Statistik.txt", "2000000000\n7,3\n");
    dialoge->Clear();
    EXPECT_TRUE(form->grau_aufheben());
    ASSERT_EQ(dialoge->Shown().size(), 1u);
    EXPECT_EQ(dialoge->Shown()[0].Text, "Statistik.txt verlangt 2000000000 Spalten, die Statistik hat "
                                        "höchstens 100.\nDie Statistik bleibt, wie sie ist.");
    EXPECT_THAT(Zeile(form->Tabelle2, 0), ElementsAre("7", "3"));
    EXPECT_THAT(Zeile(form->Tabelle2, 1), ElementsAre("8", "4"));
}

TEST_F(RasterTest, GreyOutOnTheStatisticsViewBringsTheGridBackFromItsFile)
{
    statistik_anzeigen();
    statistik({{7, 3}, {8, 4}});
    ASSERT_TRUE(form->grau_schalten());
    EXPECT_EQ(ReadFileBytes(ordner + "Statistik.txt"), "2\n7,3\n8,4\n");
    form->Tabelle2->SetCells(1, 0, "99");
    EXPECT_TRUE(form->grau_aufheben());
    EXPECT_THAT(Zeile(form->Tabelle2, 0), ElementsAre("7", "3"));
}

// The statistics view before its first count: the grid holds empty cells; clicking it or the sort
// buttons shows no error and changes nothing.
TEST_F(RasterTest, SortingTheStatisticsBeforeItHoldsNumbersIsNoError)
{
    form->Image22Click(nullptr);
    form->Tabelle2->SetRowCount(3);
    form->Tabelle2->SetColCount(2);
    for (int r = 0; r < 3; ++r)
        for (int c = 0; c < 2; ++c) form->Tabelle2->SetCells(c, r, "");
    form->Tabelle2->SetCells(0, 1, "7");
    dialoge->Clear();
    EXPECT_NO_THROW(form->sortiere_Tabelle(nullptr));
    EXPECT_NO_THROW(form->Image26Click(nullptr));
    EXPECT_NO_THROW(form->Image27Click(nullptr));
    EXPECT_EQ(form->Tabelle2->Cells(0, 1), "7");
    EXPECT_TRUE(dialoge->Shown().empty());
}

TEST_F(RasterTest, DateColumnHoldsTheWidestDateWithItsMargins)
{
    TCanvas* c = form->Tabelle->Canvas();
    EXPECT_GE(form->Tabelle->ColWidths(0), c->TextWidth("20.06.26") + 4);
    EXPECT_EQ(form->Tabelle->ColWidths(1), 22);  // the number columns stay as laid out
}
