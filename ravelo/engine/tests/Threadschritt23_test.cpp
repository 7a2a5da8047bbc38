// Steps 2 and 3 against a recording main window: the texts and lines they show, the defaults
// they write back, their files and the running flag on every way out.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <filesystem>

#include "Programmordner.h"
#include "Testordner.h"
#include "Threadschritt2.h"
#include "Threadschritt3.h"
#include "Tippdateien.h"
#include "rtl/Clock.h"
#include "schritt1_Testhilfen.h"
#include "schritt23_Fenster.h"

namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

const String KOPF = "Die Lottozahlen werden getippt!";
const String STRICH = "-------------------------------------------";
const String S1_OK = "Schritt 1 erfolgreich ausgeführt!";
const String S2_OK = "Schritt 2 erfolgreich ausgeführt!";

class Schritt23Test : public TestOrdner {
protected:
    void SetUp() override
    {
        TestOrdner::SetUp();
        uhr = std::make_unique<TVirtualClockGuard>(EncodeDate(2009, 8, 10) + EncodeTime(12, 0, 0, 0));
        // Two draws before the tip date; the one on it must not count.
        schreibe("dorov_zahlen.txt", {"01.07.09,5,11,19,28,36,44,9", "04.07.09,8,17,22,33,41,45,3",
                                      "12.08.09,3,14,25,31,42,47,1"});
    }
    void TearDown() override
    {
        uhr.reset();
        TestOrdner::TearDown();
    }

    template <class T>
    bool laufe()
    {
        return laufe<T>(f);
    }
    template <class T>
    bool laufe(AufzeichnungsFenster& fenster)
    {
        T t(true, &fenster);
        t.Resume();
        t.WaitFor();
        EXPECT_EQ(t.FatalException(), nullptr);
        return t.laeuft();
    }

    std::string datei(const Tippdatei& d) const { return Dateipfad(d, f.schluessel); }

    std::unique_ptr<TVirtualClockGuard> uhr;
    AufzeichnungsFenster f;
};

// --- step 2 ---

TEST_F(Schritt23Test, Step2FiltersRemovesDrawnAndWritesBackDefaults)
{
    schreibe("Schritt2_ersetzt_12-08-2009-aus20_Index-1.cvs",
             {"3,14,25,31,42,47",  // kept (and drawn on the tip date itself, which does not count)
              "30,31,32,33,34,35",  // six in one decade
              "2,4,6,8,10,12",  // six even
              "5,9,11,19,28,36",  // five numbers and the extra number of the first draw
              "1,17,23,38,40,46",  // kept
              "1,3,5,12,14,25"});  // cross sum 60, not above the corrected lower bound
    f.varianten = 6;
    f.edits[6] = "0";
    f.edits[7] = "280";

    EXPECT_FALSE(laufe<ThreadSchritt2>());

    EXPECT_THAT(f.protokoll(),
                ElementsAre("ListBox1 3,|2,|3,4,", "Animate1 36-70",
                            "Label1 Schritt2: Lese Samstags Zahlen (seit 1955) ein",
                            "Label1 Schritt2: Filtere die Tabelle", "Edit6=60", "Edit7=250",
                            "Label1 Schritt2: Lösche existierende Varianten", "Label1 Schritt2: OK",
                            "ProgressBar1 0", "Animate1 70", "schritt2_aktiv=0", "ListBox1 3,|2,3,|4,"));
    const auto listen = f.listen();
    ASSERT_EQ(listen.size(), 2u);
    EXPECT_THAT(listen[0], ElementsAre(KOPF, STRICH, S1_OK, "Schritt 2 gestartet!", "Schritt 3 fehlt noch!"));
    EXPECT_THAT(listen[1], ElementsAre(KOPF, STRICH, S1_OK, S2_OK, "Schritt 3 fehlt noch!"));
    EXPECT_THAT(zeilen_von(datei(DATEI_ERSETZT_GELOESCHT)),
                ElementsAre("3,14,25,31,42,47,0", "1,17,23,38,40,46,0"));
}

TEST_F(Schritt23Test, Step2OutOfRangeHitCountIsSixAndShown)
{
    schreibe("Schritt2_ersetzt_12-08-2009-aus20_Index-1.cvs", {"5,9,11,19,28,40", "5,9,11,19,28,36"});
    f.varianten = 2;
    for (int k = 5; k <= 13; ++k) f.boxen[k] = false;
    f.edits[5] = "x";
    EXPECT_FALSE(laufe<ThreadSchritt2>());
    const auto p = f.protokoll();
    EXPECT_NE(std::find(p.begin(), p.end(), "Edit5=6"), p.end());
    // k = 6: five shared numbers keep the first, six (with the extra number) remove the second.
    EXPECT_THAT(zeilen_von(datei(DATEI_ERSETZT_GELOESCHT)), ElementsAre("5,9,11,19,28,40,0"));
}

TEST_F(Schritt23Test, Step2FailuresReEnableThePictures)
{
    struct Fall {
        const char* schluessel;
        const char* erwartet;
    };
    const Fall faelle[] = {
        {"", "Fehler FEHLER:HISTORY: Datum und Index muss noch eingetragen werden"},
        {"12-08-2009-aus20_Index-9*", "Label1 Schritt2: ERROR : Nicht moeglich, Datei zum Lesen zu oeffnen."},
        {"12-08-2009-aus20_Index-9", "Label1 Schritt2: ERROR : Nicht moeglich, Datei zum Lesen zu oeffnen."},
    };
    for (const Fall& fall : faelle) {
        AufzeichnungsFenster w;
        w.schluessel = fall.schluessel;
        w.varianten = 6;
        EXPECT_FALSE(laufe<ThreadSchritt2>(w)) << fall.schluessel;
        const auto p = w.protokoll();
        ASSERT_GE(p.size(), 2u);
        EXPECT_EQ(p[p.size() - 2], fall.erwartet) << fall.schluessel;
        EXPECT_EQ(p.back(), "bilder_freigeben") << fall.schluessel;
    }
}

TEST_F(Schritt23Test, Step2UnwritableOutputIsReported)
{
    schreibe("Schritt2_ersetzt_12-08-2009-aus20_Index-1.cvs", {"3,14,25,31,42,47"});
    std::filesystem::create_directories(datei(DATEI_ERSETZT_GELOESCHT));  // a folder in its place
    f.varianten = 1;
    EXPECT_FALSE(laufe<ThreadSchritt2>());
    const auto p = f.protokoll();
    ASSERT_GE(p.size(), 2u);
    EXPECT_EQ(
        p[p.size() - 2],
        "Label1 Schritt2: ERROR : Nicht moeglich, gerade_geloescht_zahlen.cvs zum Schreiben zu oeffnen.");
    EXPECT_EQ(p.back(), "bilder_freigeben");
}

// --- step 3 ---

class Schritt3Test : public Schritt23Test {
protected:
    void SetUp() override
    {
        Schritt23Test::SetUp();
        schreibe("Schritt3_ersetzt_geloescht_12-08-2009-aus20_Index-1.cvs",
                 {"31,33,35,37,39,41,0", "32,34,36,38,40,42,0", "1,2,3,10,20,7,0", "1,2,3,4,30,40,0",
                  "11,12,13,14,15,16,0"});
        f.varianten = 5;
        f.edits[8] = "3";
    }
};

TEST_F(Schritt3Test, SelectsChecksShowsAndRecordsTheRun)
{
    schreibe("environment.ini", {"[Gewinnbetraege]", "3z=25", "4=2000000"});

    EXPECT_FALSE(laufe<ThreadSchritt3>());

    const String history = ProgrammDatei(DATEI_HISTORY);
    EXPECT_THAT(f.protokoll(),
                ElementsAre("ListBox1 4,|2,3,|4,", "Animate1 71-105", "Label1 Schritt3: Lese Zahlen ein",
                            "Label1 Schritt3: Lese Samstags Zahlen (seit 1955) ein",
                            "Label1 Schritt3: Berechne Sam Zahlen", "Label1 Schritt3: Berechne alle Zahlen",
                            "Label1 Schritt3: Schreibe in Datei", "Label1 Schritt3: Sortiere beste Varianten",
                            "Label1 Schritt3: Schreibe sortierte in Datei", "ListBox1 4,|2,3,4,|",
                            "ListBox1 0,1,||", "Label1 Schritt3: OK", "Animate1 105",
                            "ComboBox2 Items " + history, "schritt3_aktiv=0"));
    const auto listen = f.listen();
    ASSERT_EQ(listen.size(), 3u);
    EXPECT_THAT(listen[0], ElementsAre(KOPF, STRICH, S1_OK, S2_OK, "Schritt 3 gestartet!"));
    EXPECT_THAT(listen[1], ElementsAre(KOPF, STRICH, S1_OK, S2_OK, "Schritt 3 erfolgreich ausgeführt!"));
    // The first two sorted lines are skipped.
    EXPECT_THAT(listen[2], ElementsAre("Getippte Lottozahlen für ", "12-08-2009 sind:", "1.  1,2,3,10,20,7",
                                       "2.  1,2,3,4,30,40", "3.  11,12,13,14,15,16"));
    EXPECT_THAT(zeilen_von(datei(DATEI_AUSGEWAEHLT)),
                ElementsAre("0.1,2,3,10,20,7 -0 31", "1.1,2,3,4,30,40 -0 4", "2.11,12,13,14,15,16 -0 0"));
    EXPECT_EQ(zeilen_von(datei(DATEI_KRITERIENPUNKTE)).size(), 5u);
    EXPECT_EQ(zeilen_von(datei(DATEI_KRITERIENPUNKTE_SORTIERT)).size(), 5u);
    // 3z from the settings, 4 out of range: its default 40.
    EXPECT_THAT(zeilen_von(ordner + DATEI_STATISTIK_SCHRITT3),
                ElementsAre("3:0, 3z:1, 4:1, 4z:0, 5:0, 5z:0, 6:0; Summe=65; "));
    // history.txt did not exist: created with the key.
    EXPECT_THAT(zeilen_von(history), ElementsAre("12-08-2009-aus20_Index-1*"));
    EXPECT_EQ(f.edits[8], "3");
}

TEST_F(Schritt3Test, TipCountBelowOneIsThousandAndShown)
{
    schreibe("history.txt", {"05-08-2009-aus20_Index-1*"});
    f.edits[8] = "0";
    f.edits[1] = "50";  // no back-check
    EXPECT_FALSE(laufe<ThreadSchritt3>());
    const auto p = f.protokoll();
    ASSERT_GE(p.size(), 3u);
    EXPECT_EQ(p[2], "Edit8=1000");
    EXPECT_EQ(f.edits[8], "1000");
    // 1000 tips asked, fewer lines there: those lines are selected, no empty tips behind them.
    const auto tipps = zeilen_von(datei(DATEI_AUSGEWAEHLT));
    ASSERT_EQ(tipps.size(), 3u);
    EXPECT_EQ(tipps[0], "0.1,2,3,10,20,7 -0 0");
    EXPECT_THAT(zeilen_von(ordner + DATEI_STATISTIK_SCHRITT3),
                ElementsAre("3:0, 3z:0, 4:0, 4z:0, 5:0, 5z:0, 6:0; Summe=0; "));
    EXPECT_THAT(zeilen_von(ProgrammDatei(DATEI_HISTORY)),
                ElementsAre("05-08-2009-aus20_Index-1*", "12-08-2009-aus20_Index-1*"));
}

TEST_F(Schritt3Test, FailuresEndWithTheirText)
{
    struct Fall {
        const char* schluessel;
        const char* erwartet;
    };
    const Fall faelle[] = {
        {"", "Fehler FEHLER:HISTORY: Datum und Index muss noch eingetragen werden"},
        {"12-08-2009-aus20_Index-9*",
         "Label1 Schritt3: ERROR : Nicht moeglich, dorov_zahlen.txt zum Lesen zu oeffnen."},
        {"12-08-2009-aus20_Index-1",
         "Label1 Schritt3: ERROR : Nicht moeglich, dorov_zahlen.txt zum Lesen zu oeffnen."},
    };
    for (const Fall& fall : faelle) {
        AufzeichnungsFenster w;
        w.schluessel = fall.schluessel;
        w.varianten = 5;
        EXPECT_FALSE(laufe<ThreadSchritt3>(w)) << fall.schluessel;
        const auto p = w.protokoll();
        ASSERT_FALSE(p.empty());
        EXPECT_EQ(p.back(), fall.erwartet) << fall.schluessel;  // no picture release, no history
    }
    EXPECT_FALSE(std::filesystem::exists(ProgrammDatei(DATEI_HISTORY)));
}

class Schritt3Gewinnbetraege : public TestOrdner {};

TEST_F(Schritt3Gewinnbetraege, SettingsFileOrDefaults)
{
    using Betraege = std::array<int, ANZAHL_KLASSEN>;
    const Betraege vorgabe{10, 20, 40, 300, 3000, 100000, 1000000};
    struct Fall {
        std::vector<std::string> zeilen;  // empty: no file
        Betraege erwartet;
    };
    const Fall faelle[] = {
        {{}, vorgabe},
        {{"[Gewinnbetraege]", "3=1", "3z=2", "4=3", "4z=4", "5=5", "5z=6", "6=1000000"},
         {1, 2, 3, 4, 5, 6, 1000000}},
        {{"[Gewinnbetraege]", "3=0", "3z=-5", "4=1000001", "4z=abc", "5=77"},
         {10, 20, 40, 300, 77, 100000, 1000000}},
        {{"[Andere]", "3=99"}, vorgabe},
    };
    for (const Fall& fall : faelle) {
        std::filesystem::remove(ordner + "environment.ini");
        if (!fall.zeilen.empty()) schreibe("environment.ini", fall.zeilen);
        EXPECT_EQ(lies_Gewinnbetraege(ordner + "environment.ini").betrag, fall.erwartet)
            << (fall.zeilen.empty() ? "no file" : fall.zeilen[1]);
    }
}

}  // namespace
