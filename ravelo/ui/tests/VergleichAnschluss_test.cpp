// The comparison of tips and favourites with the draws, on a main window without a view and on
// virtual time: which run and which draw are compared, the result lines and the line lists.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

#include "../../engine/tests/Testordner.h"
#include "Threadzahlenvergleichen.h"
#include "Tippdateien.h"
#include "Unit1.h"
#include "rtl/Clock.h"
#include "rtl/Debug.h"
#include "rtl/Files.h"
#include "rtl/IniFiles.h"
#include "rtl/MainThread.h"

namespace {

using ::testing::ElementsAre;
using ::testing::ElementsAreArray;

TDateTime Zeit(int jahr, int monat, int tag, int stunde, int minute)
{
    return EncodeDate(jahr, monat, tag) + EncodeTime(stunde, minute, 0, 0);
}

const char* const TIPPS_0808 = "Schritt5_kriterienpunkte_sortiert_ausgewählt_08-08-2009-aus20_Index-1.txt";

class VergleichTest : public TestOrdner {
protected:
    void SetUp() override
    {
        SetMainThread();
        TestOrdner::SetUp();
        // 10.08.2009 is a Monday: the coming draw is Wednesday 12.08.2009.
        uhr = std::make_unique<TVirtualClockGuard>(Zeit(2009, 8, 10, 12, 0));
        windows_ini = TIniFile::WindowsDirectory() + "environment.ini";
        ASSERT_TRUE(DeleteFile(windows_ini) || !FileExists(windows_ini));
        schreibe("dorov_zahlen.txt", {"05.08.09,10,20,30,40,45,49,1", "08.08.09,1,2,3,4,5,6,7"});
        form = std::make_unique<TForm1>(nullptr);
        form->t_Vergleich->WaitFor();  // the start-up comparison works on the window too
        form->DateTimePicker2->SetDate(EncodeDate(2009, 8, 12));
    }
    void TearDown() override
    {
        form.reset();
        ASSERT_TRUE(DeleteFile(windows_ini) || !FileExists(windows_ini));
        uhr.reset();
        TestOrdner::TearDown();
    }

    // Runs one comparison to its end; true when its running flag is still on.
    bool laufe()
    {
        ThreadZahlenVergleichen t(true, form->vergleich_fenster.get());
        t.Resume();
        t.WaitFor();
        fehler = t.FatalException();
        return t.laeuft();
    }
    std::vector<String> Liste() const
    {
        std::vector<String> zeilen;
        for (int i = 0; i < form->ListBox1->Items()->Count(); ++i)
            zeilen.push_back(form->ListBox1->Items()->Get(i));
        return zeilen;
    }
    // The history box names a run of the past (not the start-up comparison).
    void Lauf_gewaehlt(const String& schluessel)
    {
        form->vergleich_beim_Start = false;
        form->ComboBox2->SetText(schluessel);
    }

    std::unique_ptr<TVirtualClockGuard> uhr;
    std::unique_ptr<TForm1> form;
    String windows_ini;
    std::exception_ptr fehler;
};

TEST_F(VergleichTest, ChosenRunShowsEveryTipAndMarksTheWinners)
{
    schreibe("history.txt", {"08-08-2009-aus20_Index-1*"});
    schreibe(TIPPS_0808, {"0.1,2,3,10,11,7 -120 3", "1.1,2,20,21,22,23 -90 2", "10.4,5,6,1,2,3 -80 1",
                          "123.1,2,3,4,40,41 -70 1"});
    Lauf_gewaehlt("08-08-2009-aus20_Index-1*");
    TDebugCapture spur;

    EXPECT_FALSE(laufe());
    EXPECT_EQ(fehler, nullptr);
    EXPECT_THAT(Liste(),
                ElementsAre("Zahlen überprüft vom:", "08-08-2009-aus20_Index-1*",
                            "        0.  1,  2,  3,10,11,  7 ->3+Z", "        1.  1,  2,20,21,22,23 ",
                            "      10.  4,  5,  6,  1,  2,  3 ->6", "    123.  1,  2,  3,  4,40,41 ->4"));
    EXPECT_EQ(form->zeilen_farbe, "2,4,5,");
    EXPECT_EQ(form->zeilen_symbol0, "2,4,5,");
    EXPECT_EQ(form->zeilen_symbol1, "");
    EXPECT_EQ(form->ListBox1->Hint(), "Sie haben was gewonnen!");
    EXPECT_TRUE(form->ListBox1->ShowHint());
    EXPECT_FALSE(form->vergleich_beim_Start);
    EXPECT_TRUE(spur.Contains("ThreadZahlenVergleichen gestartet..."));
    EXPECT_TRUE(spur.Contains("ThreadZahlenVergleichen beendet..."));
}

struct Treffer {
    const char* name;
    const char* ziehung;  // archive line of 08.08.09
    const char* tipp;  // selected-tips line
    const char* gezeigt;  // its line in ListBox1
};
void PrintTo(const Treffer& f, std::ostream* os) { *os << f.name; }

class Trefferfaelle : public VergleichTest, public ::testing::WithParamInterface<Treffer> {};

TEST_P(Trefferfaelle, ResultLine)
{
    schreibe("dorov_zahlen.txt", {GetParam().ziehung});
    schreibe("history.txt", {"08-08-2009-aus20_Index-1*"});
    schreibe(TIPPS_0808, {GetParam().tipp});
    Lauf_gewaehlt("08-08-2009-aus20_Index-1*");

    EXPECT_FALSE(laufe());
    const std::vector<String> zeilen = Liste();
    ASSERT_EQ(zeilen.size(), 3u);
    EXPECT_EQ(zeilen[2], GetParam().gezeigt);
    const bool gewonnen = String(GetParam().gezeigt).find("->") != String::npos;
    EXPECT_EQ(form->zeilen_farbe, gewonnen ? "2," : "");
    EXPECT_EQ(form->ListBox1->ShowHint(), gewonnen);
}

INSTANTIATE_TEST_SUITE_P(
    Vergleich, Trefferfaelle,
    ::testing::Values(Treffer{"DreiMitZusatzzahl", "08.08.09,1,2,3,4,5,6,7", "0.1,2,3,17,18,7 -5 3",
                              "        0.  1,  2,  3,17,18,  7 ->3+Z"},
                      Treffer{"SechsMitZusatzzahl", "08.08.09,1,2,3,4,5,6,6", "0.1,2,3,4,5,6 -5 1",
                              "        0.  1,  2,  3,  4,  5,  6 ->6"},
                      Treffer{"FuenfMitZusatzzahl", "08.08.09,11,12,13,14,15,16,17",
                              "0.11,12,13,14,15,17 -5 1", "        0.11,12,13,14,15,17 ->5+Z"},
                      Treffer{"ZweiMitZusatzzahl", "08.08.09,11,12,13,14,15,16,17",
                              "0.11,12,30,31,32,17 -5 1", "        0.11,12,30,31,32,17 "},
                      Treffer{"DreiOhneZusatzzahl", "08.08.09,11,12,13,14,15,16,17",
                              "0.11,12,13,31,32,33 -5 1", "        0.11,12,13,31,32,33 ->3"},
                      Treffer{"FavoritenForm", "08.08.09,3,7,12,1,2,4,25", "12.3, 7, 12, 25, 33, 41 -0 0",
                              "      12.  3,   7, 12, 25, 33, 41 ->3+Z"},
                      Treffer{"TeilHinterDerSechstenZahl", "08.08.09,1,2,3,4,5,6,7", "0.1,2,3,4,5,8,6 -5 1",
                              "        0.  1,  2,  3,  4,  5,  8,6 ->5"}),
    [](const auto& info) { return String(info.param.name); });

struct Startfall {
    const char* name;
    TDateTime (*jetzt)();
    std::vector<const char*> history;
    const char* verglichen;  // the run key shown
};
void PrintTo(const Startfall& f, std::ostream* os) { *os << f.name; }

class Startfaelle : public VergleichTest, public ::testing::WithParamInterface<Startfall> {};

// At start-up the newest run whose draw has taken place is compared; runs for the coming draw
// are skipped. 12.08.2009 is a Wednesday, 15.08.2009 a Saturday.
TEST_P(Startfaelle, NewestRunBeforeTheComingDraw)
{
    const Startfall& f = GetParam();
    uhr->clock().Set(f.jetzt());
    schreibe("dorov_zahlen.txt",
             {"08.08.09,1,2,3,4,5,6,7", "12.08.09,8,9,10,11,12,13,14", "15.08.09,15,16,17,18,19,20,21"});
    std::vector<std::string> history(f.history.begin(), f.history.end());
    schreibe("history.txt", history);
    for (const auto& schluessel : history)
        if (!schluessel.empty()) schreibe(Dateiname(DATEI_AUSGEWAEHLT, schluessel), {"0.1,2,3,4,5,6 -5 1"});
    form->ComboBox2->SetText("19-08-2009-aus20_Index-1*");

    EXPECT_FALSE(laufe());
    EXPECT_EQ(fehler, nullptr);
    const std::vector<String> zeilen = Liste();
    ASSERT_EQ(zeilen.size(), 3u);
    EXPECT_EQ(zeilen[0], "Zahlen überprüft vom:");
    EXPECT_EQ(zeilen[1], f.verglichen);
    EXPECT_FALSE(form->vergleich_beim_Start);
}

INSTANTIATE_TEST_SUITE_P(
    Vergleich, Startfaelle,
    ::testing::Values(
        Startfall{"Mittwoch1830",
                  [] { return Zeit(2009, 8, 12, 18, 30); },
                  {"08-08-2009-aus20_Index-1*", "12-08-2009-aus20_Index-1*", "12-08-2009-aus20_Index-2*"},
                  "08-08-2009-aus20_Index-1*"},
        Startfall{"Mittwoch1900",
                  [] { return Zeit(2009, 8, 12, 19, 0); },
                  {"08-08-2009-aus20_Index-1*", "12-08-2009-aus20_Index-1*", "12-08-2009-aus20_Index-2*"},
                  "12-08-2009-aus20_Index-2*"},
        Startfall{"Samstag1959",
                  [] { return Zeit(2009, 8, 15, 19, 59); },
                  {"12-08-2009-aus20_Index-1*", "15-08-2009-aus20_Index-1*"},
                  "12-08-2009-aus20_Index-1*"},
        Startfall{"Samstag2000",
                  [] { return Zeit(2009, 8, 15, 20, 0); },
                  {"12-08-2009-aus20_Index-1*", "15-08-2009-aus20_Index-1*"},
                  "15-08-2009-aus20_Index-1*"},
        Startfall{"Sonntag",
                  [] { return Zeit(2009, 8, 16, 10, 0); },
                  {"15-08-2009-aus18_Index-1*", "", "19-08-2009-aus20_Index-1*"},
                  "15-08-2009-aus18_Index-1*"},
        // Every run is for the coming draw: the oldest is taken.
        Startfall{"NurKommendeLaeufe",
                  [] { return Zeit(2009, 8, 12, 18, 30); },
                  {"12-08-2009-aus20_Index-1*", "12-08-2009-aus20_Index-2*"},
                  "12-08-2009-aus20_Index-1*"}),
    [](const auto& info) { return String(info.param.name); });

TEST_F(VergleichTest, WorksOnTheWindowThatInstalledItself)
{
    schreibe("history.txt", {"08-08-2009-aus20_Index-1*"});
    schreibe(TIPPS_0808, {"0.1,2,3,4,5,6 -5 1"});
    Lauf_gewaehlt("08-08-2009-aus20_Index-1*");
    ThreadZahlenVergleichen t(true);
    t.Resume();
    t.WaitFor();
    EXPECT_EQ(t.FatalException(), nullptr);
    EXPECT_FALSE(t.laeuft());
    EXPECT_THAT(Liste(), ElementsAre("Zahlen überprüft vom:", "08-08-2009-aus20_Index-1*",
                                     "        0.  1,  2,  3,  4,  5,  6 ->6"));
}

TEST_F(VergleichTest, RunWhoseDrawIsMissingEndsWithTheStatus)
{
    schreibe("dorov_zahlen.txt", {"05.08.09,10,20,30,40,45,49,1"});
    schreibe("history.txt", {"08-08-2009-aus20_Index-1*"});
    schreibe(TIPPS_0808, {"0.1,2,3,4,5,6 -5 1"});

    EXPECT_TRUE(laufe());
    EXPECT_EQ(fehler, nullptr);
    EXPECT_THAT(Liste(), ElementsAre("Zahlen werden verglichen!!!!"));
    EXPECT_TRUE(form->vergleich_beim_Start);
}

TEST_F(VergleichTest, StartUpWithFavouritesUsesTheNewestDraw)
{
    TIniFile("environment.ini").WriteString("Favoritten", "CheckBox1", "true");
    schreibe("history.txt", {"08-08-2009-aus20_Index-1*"});
    schreibe("meineFavoritten.txt", {"1.3, 7, 12, 25, 33, 41 -0 0", "1.1, 2, 3, 4, 40, 41 -0 0"});
    form->ComboBox2->SetText("12-08-2009-aus20_Index-1*");  // the coming run: its draw is not known

    EXPECT_FALSE(laufe());
    EXPECT_THAT(Liste(),
                ElementsAre("Favoritten überprüft mit:", "08.08.09", "        1.  3,   7, 12, 25, 33, 41 ",
                            "        1.  1,   2,   3,   4, 40, 41 ->4"));
    EXPECT_EQ(form->zeilen_farbe, "3,");
    EXPECT_FALSE(form->vergleich_beim_Start);
}

TEST_F(VergleichTest, RunWithoutItsDrawIsShownAgainstThePlaceholder)
{
    schreibe("history.txt", {"12-08-2009-aus20_Index-1*"});
    // A tip holding zeros must not match the placeholder's zeros.
    schreibe("Schritt5_kriterienpunkte_sortiert_ausgewählt_12-08-2009-aus20_Index-1.txt",
             {"0.1,2,3,4,5,6 -5 1", "1.0,0,0,0,0,0 -0 0"});
    Lauf_gewaehlt("12-08-2009-aus20_Index-1*");

    EXPECT_FALSE(laufe());
    EXPECT_THAT(Liste(),
                ElementsAre("Zahlenvergleich nicht möglich!!!!", "12-08-2009-aus20_Index-1*",
                            "        0.  1,  2,  3,  4,  5,  6 ", "        1.  0,  0,  0,  0,  0,  0 "));
    EXPECT_EQ(ReadFileBytes(ordner + "Dummy.txt"), "03.03.33, 0,0,0,0,0,0, 0\n");
    EXPECT_EQ(form->zeilen_farbe, "");
    EXPECT_FALSE(form->ListBox1->ShowHint());
}

TEST_F(VergleichTest, EmptyHistoryAtStartUpAsksForASarnikRun)
{
    schreibe("history.txt", {});
    schreibe("dorov_zahlen.txt", {"12.08.09,1,2,3,4,5,6,7"});  // the tip date's draw is known

    EXPECT_TRUE(laufe());
    EXPECT_EQ(fehler, nullptr);
    EXPECT_THAT(Liste(),
                ElementsAre("Starten Sie Sarnik,", "danach erscheinen in diesem Fenster,",
                            "die getippte Lottozahlen!", "-------------------------------------------",
                            "Schritt 1 fehlt noch!", "Schritt 2 fehlt noch!", "Schritt 3 fehlt noch!"));
    EXPECT_EQ(form->zeilen_symbol0, "");
    EXPECT_EQ(form->zeilen_symbol1, "4,5,6,");
}

TEST_F(VergleichTest, EmptyHistoryWithTheTipDrawUnknownOnlyShowsTheStatus)
{
    schreibe("history.txt", {});
    EXPECT_TRUE(laufe());
    EXPECT_THAT(Liste(), ElementsAre("Zahlen werden verglichen!!!!"));
    EXPECT_EQ(form->zeilen_symbol1, "");
}

TEST_F(VergleichTest, WaitsForStartUpAndTheDrawUpdateOnTheClock)
{
    schreibe("history.txt", {"08-08-2009-aus20_Index-1*"});
    schreibe(TIPPS_0808, {"0.1,2,3,4,5,6 -5 1"});
    Lauf_gewaehlt("08-08-2009-aus20_Index-1*");
    form->start_laeuft = true;  // never ends here: the comparison gives up waiting
    form->zahlen_aktualisiert = false;
    TDebugCapture spur;
    const long long vorher = uhr->clock().ElapsedMs();  // the window's own start-up took time too

    EXPECT_FALSE(laufe());
    const auto zeilen = spur.Lines();
    EXPECT_EQ(std::count(zeilen.begin(), zeilen.end(), "Warte solange Programm gestartet wird ....."), 71);
    EXPECT_EQ(std::count(zeilen.begin(), zeilen.end(),
                         "ThreadZahlenVergleichen: Warte auf ZahlenUpdate_fertig ....."),
              41);
    EXPECT_EQ(uhr->clock().ElapsedMs() - vorher, 71 * 100 + 41 * 500);
    EXPECT_EQ(Liste().size(), 3u);
}

TEST_F(VergleichTest, StartUpOnAHistoryWhoseLastLineIsCutSaysSo)
{
    for (const char* zeile : {"08-08-2009-aus20_In", "08-08-2009-aus20_Index-1", "08-08-2"}) {
        SCOPED_TRACE(zeile);
        schreibe("history.txt", {"05-08-2009-aus20_Index-1*", zeile});
        schreibe(TIPPS_0808, {"0.1,2,3,4,5,6 -5 1"});
        form->vergleich_beim_Start = true;
        laufe();
        EXPECT_EQ(fehler, nullptr);
        EXPECT_THAT(Liste(), ElementsAre("Zahlenvergleich nicht möglich!!!!",
                                         "history.txt ist unvollständig:", zeile));
    }
}

TEST_F(VergleichTest, MissingTipsFileEndsTheComparison)
{
    schreibe("history.txt", {"08-08-2009-aus20_Index-1*"});
    Lauf_gewaehlt("08-08-2009-aus20_Index-1*");

    EXPECT_TRUE(laufe());
    ASSERT_NE(fehler, nullptr);
    EXPECT_THROW(std::rethrow_exception(fehler), EFOpenError);
    EXPECT_THAT(Liste(), ElementsAre("Zahlen werden verglichen!!!!"));
}

}  // namespace
