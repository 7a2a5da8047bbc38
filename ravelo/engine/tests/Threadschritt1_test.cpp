// The step-1 thread against a recording main window: sources, texts, control writes, the run's
// files and the running flag on every way out.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <map>
#include <mutex>
#include <set>

#include "Schritt1Fenster.h"
#include "Testordner.h"
#include "schritt1_Testhilfen.h"
#include "Thread_Sarnik.h"
#include "Threadschritt1.h"
#include "Tippdateien.h"
#include "rtl/Clock.h"
#include "rtl/Debug.h"
#include "rtl/Files.h"
#include "schritt23_Fenster.h"

namespace {

using ::testing::ElementsAre;
using ::testing::ElementsAreArray;

const char* const SCHLUESSEL = "12-08-2009-aus20_Index-1*";

// Records every write in order and answers the reads from its fields.
class Fenster : public ISchritt1Fenster {
public:
    TDateTime datum = EncodeDate(2009, 8, 12);
    bool zwischenablage = false;
    int N = 20;
    int quelle = 1;
    std::vector<String> tabelle2 = std::vector<String>(49);
    std::map<int, String> edits;  // 9..38
    String schluessel;  // ComboBox2 before lade_History
    bool antwort = false;  // to the clipboard question

    std::vector<String> protokoll;
    std::vector<std::vector<String>> listen;
    std::vector<std::vector<String>> zeilenlisten;  // farbe, symbol0, symbol1
    std::vector<String> label1;
    std::map<int, String> label;
    std::map<int, bool> label_sichtbar, edit_sichtbar;
    std::vector<String> fragen;
    std::vector<std::vector<String>> meldungen;  // text, title, error icon
    int lade_History_aufrufe = 0;
    TDateTime lade_History_datum;

    Fenster()
    {
        for (int k = 9; k <= 38; ++k) edits[k] = std::to_string(k - 8);
    }

    TDateTime DateTimePicker2() override { return datum; }
    bool CheckBox22() override { return zwischenablage; }
    int TrackBar1() override { return N; }
    bool RadioButton(int nummer) override { return nummer == quelle; }
    String Tabelle2(int zeile) override { return tabelle2.at(zeile); }
    String Edit(int nummer) override { return edits.at(nummer); }
    String ComboBox2() override { return schluessel; }

    void ListBox1(const std::vector<String>& zeilen, const String& farbe, const String& symbol0,
                  const String& symbol1) override
    {
        protokoll.push_back("ListBox1");
        listen.push_back(zeilen);
        zeilenlisten.push_back({farbe, symbol0, symbol1});
    }
    void Label1(const String& text) override
    {
        protokoll.push_back("Label1");
        label1.push_back(text);
    }
    void Label(int nummer, const String& caption) override
    {
        protokoll.push_back("Label");
        label[nummer] = caption;
    }
    void Label_sichtbar(int nummer, bool sichtbar) override { label_sichtbar[nummer] = sichtbar; }
    void Edit_sichtbar(int nummer, bool sichtbar) override { edit_sichtbar[nummer] = sichtbar; }
    void Animate1_spielen(int von, int bis) override
    {
        protokoll.push_back("Animate1_spielen " + std::to_string(von) + "-" + std::to_string(bis));
    }
    void Animate1_zeigen(int bild) override
    {
        protokoll.push_back("Animate1_zeigen " + std::to_string(bild));
    }
    void ProgressBar1_Schritt() override { protokoll.push_back("ProgressBar1"); }
    void Timer1_aus() override { protokoll.push_back("Timer1_aus"); }
    void schritt1_beendet() override { protokoll.push_back("schritt1_aktiv=0"); }
    bool lade_History(TDateTime d) override
    {
        protokoll.push_back("lade_History");
        ++lade_History_aufrufe;
        lade_History_datum = d;
        schluessel = SCHLUESSEL;
        return true;
    }
    void Meldung(const String& text, const String& titel, bool fehler) override
    {
        protokoll.push_back("Meldung");
        meldungen.push_back({text, titel, fehler ? "Fehler" : ""});
    }
    bool Frage(const String& text) override
    {
        protokoll.push_back("Frage");
        fragen.push_back(text);
        return antwort;
    }

    std::vector<int> pool() const
    {
        std::vector<int> p;
        for (int k = 2; k <= 31; ++k) p.push_back(std::stoi(label.at(k)));
        return p;
    }
    bool hat(const String& eintrag) const
    {
        return std::find(protokoll.begin(), protokoll.end(), eintrag) != protokoll.end();
    }
};

std::string verbunden(const std::vector<int>& zahlen, std::size_t von, std::size_t anzahl)
{
    std::string s;
    for (std::size_t i = von; i < von + anzahl; ++i) s += (i > von ? "," : "") + std::to_string(zahlen[i]);
    return s;
}

const std::vector<String> KOPF_GESTARTET = {
    "Die Lottozahlen werden getippt!", "-------------------------------------------", "Schritt 1 gestartet!",
    "Schritt 2 fehlt noch!", "Schritt 3 fehlt noch!"};
const std::vector<String> KOPF_FERTIG = {
    "Die Lottozahlen werden getippt!", "-------------------------------------------",
    "Schritt 1 erfolgreich ausgeführt!", "Schritt 2 fehlt noch!", "Schritt 3 fehlt noch!"};

// Seven draws that hold every number once: the newest 1..7 (gap 0), then 8..14 (gap 1), and so
// on down to 43..49 (gap 6) in the oldest. A line with the tip date ends the loading.
const std::vector<std::string> ARCHIV = {
    "01.07.09,43,44,45,46,47,48,49", "04.07.09,36,37,38,39,40,41,42", "08.07.09,29,30,31,32,33,34,35",
    "11.07.09,22,23,24,25,26,27,28", "15.07.09,15,16,17,18,19,20,21", "18.07.09,8,9,10,11,12,13,14",
    "22.07.09,1,2,3,4,5,6,7",        "12.08.09,1,1,1,1,1,1,1",
};

class Schritt1ThreadTest : public TestOrdner {
protected:
    void SetUp() override
    {
        TestOrdner::SetUp();
        schreibe("dorov_zahlen.txt", ARCHIV);
    }

    // Runs the step to its end on virtual time.
    void laufe()
    {
        TVirtualClockGuard uhr(EncodeDate(2009, 8, 10) + EncodeTime(12, 0, 0, 0));
        ThreadSchritt1 t(true, &f);
        t.Resume();
        t.WaitFor();
        EXPECT_EQ(t.FatalException(), nullptr);
        laeuft_danach = t.laeuft();
        gescheitert = t.gescheitert();
        verstrichen = uhr.clock().ElapsedMs();
    }

    std::string datei(const Tippdatei& d) const { return Dateipfad(d, SCHLUESSEL); }

    // The run ended normally: the final list, frame 35 and the files.
    void pruefe_Ende(int N)
    {
        EXPECT_FALSE(laeuft_danach);
        ASSERT_EQ(f.listen.size(), 2u);
        EXPECT_EQ(f.listen[1], KOPF_FERTIG);
        EXPECT_THAT(f.zeilenlisten[1], ElementsAre("2,", "2,", "3,4,"));
        EXPECT_TRUE(f.hat("Animate1_zeigen 35"));
        EXPECT_TRUE(f.hat("schritt1_aktiv=0"));
        EXPECT_EQ(std::count(f.protokoll.begin(), f.protokoll.end(), "ProgressBar1"), 1);

        const std::vector<int> pool = f.pool();
        const auto vorschlag = zeilen_von(datei(DATEI_VORSCHLAG));
        ASSERT_EQ(vorschlag.size(), 20u);
        for (int i = 0; i < 20; ++i) EXPECT_EQ(vorschlag[i], std::to_string(pool[i]));
        const auto kombinationen = zeilen_von(datei(DATEI_ERSETZT));
        const std::map<int, std::size_t> C = {{18, 18564}, {19, 27132}, {20, 38760}, {30, 593775}};
        ASSERT_EQ(kombinationen.size(), C.at(N));
        EXPECT_EQ(kombinationen.front(), verbunden(pool, 0, 6));
        EXPECT_EQ(kombinationen.back(), verbunden(pool, N - 6, 6));
    }

    Fenster f;
    bool laeuft_danach = true;
    bool gescheitert = false;
    long long verstrichen = 0;
};

TEST_F(Schritt1ThreadTest, RandomSourceAscendingAfterTwoSeconds)
{
    f.quelle = 1;
    TDebugCapture spur;
    laufe();
    EXPECT_TRUE(spur.Contains("ThreadSchritt1 gestartet..."));
    EXPECT_GE(verstrichen, 2000);
    ASSERT_GE(f.listen.size(), 1u);
    EXPECT_EQ(f.listen[0], KOPF_GESTARTET);
    EXPECT_THAT(f.zeilenlisten[0], ElementsAre("2,", "", "2,3,4,"));
    EXPECT_EQ(f.lade_History_aufrufe, 1);
    EXPECT_EQ(f.lade_History_datum.Val, f.datum.Val);

    const std::vector<int> pool = f.pool();
    for (int i = 0; i < 20; ++i) {
        EXPECT_GE(pool[i], 1);
        EXPECT_LE(pool[i], 49);
        if (i) {
            EXPECT_LT(pool[i - 1], pool[i]);
        }
    }
    for (int i = 20; i < 30; ++i) EXPECT_EQ(pool[i], 0) << i;  // no source filled them
    pruefe_Ende(20);

    // The order of the window writes.
    const std::vector<String> erwartet = {"ListBox1", "Animate1_spielen 1-35", "lade_History", "Timer1_aus"};
    std::vector<String> anfang;
    for (const String& e : f.protokoll)
        if (e != "Label1" && e != "Label" && anfang.size() < erwartet.size()) anfang.push_back(e);
    EXPECT_EQ(anfang, erwartet);
    EXPECT_EQ(f.protokoll.back(), "ListBox1");
}

TEST_F(Schritt1ThreadTest, GapSourceTakesRanksTwoToNPlusOne)
{
    f.quelle = 2;
    laufe();
    EXPECT_GE(verstrichen, 2000);
    const std::vector<int> pool = f.pool();
    // Six of the newest draw (one of its seven sits at position 0), then the draws before it.
    const std::set<int> neueste(pool.begin(), pool.begin() + 6);
    EXPECT_EQ(neueste.size(), 6u);
    for (int n : neueste) EXPECT_LE(n, 7);
    EXPECT_EQ(std::set<int>(pool.begin() + 6, pool.begin() + 13), (std::set<int>{8, 9, 10, 11, 12, 13, 14}));
    EXPECT_EQ(std::set<int>(pool.begin() + 13, pool.begin() + 20),
              (std::set<int>{15, 16, 17, 18, 19, 20, 21}));
    pruefe_Ende(20);
}

TEST_F(Schritt1ThreadTest, StatisticsGridSourceKeepsGridOrder)
{
    f.quelle = 4;
    f.N = 30;
    for (int r = 0; r < 49; ++r) f.tabelle2[r] = std::to_string((r * 17) % 49 + 1);
    laufe();
    std::vector<int> erwartet;
    for (int r = 0; r < 30; ++r) erwartet.push_back((r * 17) % 49 + 1);
    EXPECT_EQ(f.pool(), erwartet);
    pruefe_Ende(30);
}

TEST_F(Schritt1ThreadTest, PairSourceWritesItsFilesAndTakesDistinctNumbers)
{
    f.quelle = 3;
    f.N = 18;
    laufe();
    std::vector<String> gezeigt;
    for (int a = 1; a <= 48; ++a) gezeigt.push_back(std::to_string(a));
    EXPECT_EQ(f.label1, gezeigt);
    EXPECT_EQ(zeilen_von(ordner + DATEI_ZWILLINGE_GEGLIEDERT).size(), 1176u);
    EXPECT_EQ(zeilen_von(ordner + DATEI_ZWILLINGE).size(), 1177u);
    EXPECT_EQ(zeilen_von(ordner + DATEI_ZWILLINGE_PROZENT).size(), 1177u);
    const std::vector<int> pool = f.pool();
    EXPECT_EQ(std::set<int>(pool.begin(), pool.begin() + 18).size(), 18u);
    pruefe_Ende(18);
}

TEST_F(Schritt1ThreadTest, PairFileThatCannotBeWrittenEndsTheStepAndSaysSo)
{
    f.quelle = 3;
    std::filesystem::create_directories(ordner + DATEI_ZWILLINGE_PROZENT);
    laufe();
    EXPECT_FALSE(laeuft_danach);
    EXPECT_TRUE(gescheitert);
    // no reason the system names: the status line says what was not saved
    EXPECT_EQ(f.label1.back(), "Schritt1: ERROR : Die Zwillingsstatistik wurde nicht gespeichert.");
    EXPECT_TRUE(f.hat("Timer1_aus"));
    EXPECT_FALSE(std::filesystem::exists(datei(DATEI_ERSETZT)));
}

TEST_F(Schritt1ThreadTest, FullDiskEndsTheStepWithTheFileItCouldNotWrite)
{
    // The disk fills up at the pool file or at the combinations file.
    const std::pair<const Tippdatei*, const char*> faelle[] = {{&DATEI_VORSCHLAG, "Die Pooldatei"},
                                                               {&DATEI_ERSETZT, "Die Kombinationsdatei"}};
    for (const auto& [voll, was] : faelle) {
        const String name = Dateiname(*voll, SCHLUESSEL);
        SCOPED_TRACE(name);
        f = Fenster{};
        auto vorher = SetAtomicWriteHook([name](const String& temp) {
            if (temp.find(name) != String::npos) throw EInOutError("No space left on device");
        });
        laufe();
        SetAtomicWriteHook(vorher);
        EXPECT_FALSE(laeuft_danach);
        EXPECT_TRUE(gescheitert);
        // Said in German, the reason first; the system's own text goes to the trace, not into the
        // status line.
        EXPECT_EQ(f.label1.back(),
                  "Schritt1: ERROR : Der Datenträger ist voll. " + String(was) + " wurde nicht gespeichert.");
        EXPECT_FALSE(std::filesystem::exists(datei(*voll)));
        EXPECT_FALSE(std::filesystem::exists(datei(DATEI_ERSETZT)));
        EXPECT_FALSE(f.hat("schritt1_aktiv=0"));
        ASSERT_EQ(f.listen.size(), 1u);  // "Schritt 1 erfolgreich ausgeführt!" never shown
        std::filesystem::remove(datei(DATEI_VORSCHLAG));
    }
}

TEST_F(Schritt1ThreadTest, PersonalNumbersInFieldOrderAndLabelsForN)
{
    f.quelle = 5;
    f.N = 19;
    for (int k = 9; k <= 38; ++k) f.edits[k] = std::to_string(50 - (k - 8));  // 49, 48, ..., 20
    laufe();
    std::vector<int> erwartet;
    for (int k = 1; k <= 30; ++k) erwartet.push_back(50 - k);
    EXPECT_EQ(f.pool(), erwartet);
    for (int k = 9; k <= 38; ++k) EXPECT_FALSE(f.edit_sichtbar.at(k)) << k;
    for (int k = 2; k <= 20; ++k) EXPECT_TRUE(f.label_sichtbar.at(k)) << k;
    for (int k = 21; k <= 31; ++k) EXPECT_FALSE(f.label_sichtbar.at(k)) << k;
    EXPECT_TRUE(f.meldungen.empty());
    pruefe_Ende(19);
}

TEST_F(Schritt1ThreadTest, PersonalNumberMessagesEndTheStepWithTheFlagOff)
{
    struct Fall {
        int edit;
        const char* text;
        const char* meldung;
    };
    // All 30 fields count even with N = 18.
    for (const Fall& fall :
         {Fall{38, "", "Mindestens ein Feld ist leer!"}, Fall{9, "", "Mindestens ein Feld ist leer!"},
          Fall{20, "50", "Falsche Zahl eingegeben!"}, Fall{30, "0", "Falsche Zahl eingegeben!"},
          Fall{12, "x", "Falsche Zahl eingegeben!"}, Fall{25, "3", "Die Zahl 3 wurde doppelt eingegeben!"}}) {
        SCOPED_TRACE(std::to_string(fall.edit) + " '" + fall.text + "'");
        f = Fenster();
        f.quelle = 5;
        f.N = 18;
        f.edits[fall.edit] = fall.text;
        laufe();
        EXPECT_FALSE(laeuft_danach);
        EXPECT_TRUE(gescheitert);  // the driver runs no step on the pool that was not made
        ASSERT_EQ(f.meldungen.size(), 1u);
        EXPECT_THAT(f.meldungen[0], ElementsAre(fall.meldung, "Info", ""));
        EXPECT_EQ(f.protokoll.back(), "Timer1_aus");
        EXPECT_TRUE(f.label.empty());
        EXPECT_TRUE(f.edit_sichtbar.empty());
        EXPECT_EQ(f.listen.size(), 1u);
        EXPECT_FALSE(std::filesystem::exists(datei(DATEI_ERSETZT)));
    }
}

// With no pool source chosen no pool can be made: no file of zeros, a message, and the run ends.
TEST_F(Schritt1ThreadTest, NoPoolSourceEndsTheStepWithAMessage)
{
    f.quelle = 0;
    laufe();
    EXPECT_FALSE(laeuft_danach);
    EXPECT_TRUE(gescheitert);
    ASSERT_EQ(f.meldungen.size(), 1u);
    EXPECT_THAT(f.meldungen[0], ElementsAre("Keine Quelle für die Zahlen gewählt!", "Info", ""));
    EXPECT_EQ(f.protokoll.back(), "Timer1_aus");
    EXPECT_TRUE(f.label.empty());
    EXPECT_FALSE(std::filesystem::exists(datei(DATEI_VORSCHLAG)));
    EXPECT_FALSE(std::filesystem::exists(datei(DATEI_ERSETZT)));
}

TEST_F(Schritt1ThreadTest, EmptyRunKeyLeavesTheFlagOn)
{
    f.quelle = 4;
    for (int r = 0; r < 49; ++r) f.tabelle2[r] = std::to_string(r + 1);
    f.zwischenablage = true;
    f.antwort = true;
    schreibe(DATEI_ZWISCHENABLAGE, std::vector<std::string>(20, "3"));  // taken: no new key
    laufe();
    EXPECT_TRUE(laeuft_danach);
    ASSERT_EQ(f.meldungen.size(), 1u);
    EXPECT_THAT(f.meldungen[0],
                ElementsAre("Datum und Index muss noch eingetragen werden", "FEHLER:HISTORY", "Fehler"));
    EXPECT_EQ(f.label.size(), 30u);  // the pool was shown before
    EXPECT_FALSE(f.hat("ProgressBar1"));
    EXPECT_EQ(f.listen.size(), 1u);
}

TEST_F(Schritt1ThreadTest, UnwritableCombinationsFileEndsTheStepAndSaysSo)
{
    f.quelle = 1;
    std::filesystem::create_directories(datei(DATEI_ERSETZT));
    laufe();
    EXPECT_FALSE(laeuft_danach);
    EXPECT_TRUE(gescheitert);
    EXPECT_EQ(f.label1.back(), "Schritt1: ERROR : Die Kombinationsdatei wurde nicht gespeichert.");
    EXPECT_TRUE(f.hat("ProgressBar1"));
    EXPECT_FALSE(f.hat("schritt1_aktiv=0"));
    EXPECT_EQ(f.listen.size(), 1u);
    EXPECT_EQ(zeilen_von(datei(DATEI_VORSCHLAG)).size(), 20u);
}

TEST_F(Schritt1ThreadTest, ClipboardNumbersTakenOnYes)
{
    f.zwischenablage = true;
    f.antwort = true;
    f.schluessel = SCHLUESSEL;  // stays: no new key is made
    std::vector<std::string> zeilen;
    for (int i = 0; i < 22; ++i) zeilen.push_back(std::to_string(49 - i * 2));
    schreibe(DATEI_ZWISCHENABLAGE, zeilen);
    laufe();
    ASSERT_EQ(f.fragen.size(), 1u);
    String frage = "Möchten Sie die in der Zwischenablage gesammelte Zahlen verwenden? ";
    for (int i = 0; i < 20; ++i) frage += zeilen[i] + ", ";
    EXPECT_EQ(f.fragen[0], frage);
    EXPECT_EQ(f.lade_History_aufrufe, 0);
    EXPECT_FALSE(f.hat("Animate1_spielen 1-35"));
    std::vector<int> pool = f.pool();
    for (int i = 0; i < 20; ++i) EXPECT_EQ(pool[i], 49 - i * 2);
    EXPECT_LT(verstrichen, 2000);  // the random source did not run
    pruefe_Ende(20);
}

TEST_F(Schritt1ThreadTest, ClipboardNumbersDeclinedOrTooFewRunTheSource)
{
    struct Fall {
        int zeilen;
        bool gefragt;
    };
    for (const Fall& fall : {Fall{20, true}, Fall{19, false}}) {
        SCOPED_TRACE(fall.zeilen);
        f = Fenster();
        f.zwischenablage = true;
        f.antwort = false;
        f.quelle = 4;
        for (int r = 0; r < 49; ++r) f.tabelle2[r] = std::to_string(49 - r);
        schreibe(DATEI_ZWISCHENABLAGE, std::vector<std::string>(fall.zeilen, "5"));
        laufe();
        EXPECT_EQ(f.fragen.size(), fall.gefragt ? 1u : 0u);
        EXPECT_EQ(f.lade_History_aufrufe, 1);
        EXPECT_TRUE(f.hat("Animate1_spielen 1-35"));
        EXPECT_EQ(f.pool()[0], 49);
        pruefe_Ende(20);
    }
}

TEST_F(Schritt1ThreadTest, WithoutAWindowTheStepEndsAtOnce)
{
    setze_Schritt1Fenster(nullptr);
    ThreadSchritt1 t(true);
    t.Resume();
    t.WaitFor();
    EXPECT_FALSE(t.laeuft());
}

TEST_F(Schritt1ThreadTest, UsesTheInstalledWindow)
{
    f.quelle = 4;
    for (int r = 0; r < 49; ++r) f.tabelle2[r] = std::to_string(r + 1);
    setze_Schritt1Fenster(&f);
    {
        TVirtualClockGuard uhr(EncodeDate(2009, 8, 10));
        ThreadSchritt1 t(true);
        t.Resume();
        t.WaitFor();
        laeuft_danach = t.laeuft();
    }
    setze_Schritt1Fenster(nullptr);
    pruefe_Ende(20);
}

}  // namespace

namespace {

// The whole run on a disk that fills up while step 1 writes its combinations.
TEST_F(Schritt1ThreadTest, FullDiskDuringARunEndsTheRunCleanlyWithoutATimeOut)
{
    TVirtualClockGuard uhr(EncodeDate(2009, 8, 10) + EncodeTime(12, 0, 0, 0));
    AufzeichnungsFenster fenster;
    auto vorher = SetAtomicWriteHook([](const String& temp) {
        if (temp.find("Schritt2_ersetzt_") != String::npos) throw EInOutError("No space left on device");
    });
    TDebugCapture spur;
    Thread_Sarnik t(true, &fenster, &f, nullptr);
    t.Resume();
    t.WaitFor();
    SetAtomicWriteHook(vorher);

    EXPECT_FALSE(t.laeuft());
    EXPECT_TRUE(t.gescheitert());
    EXPECT_FALSE(t.t_Schritt[1]->laeuft());
    EXPECT_FALSE(t.t_Schritt[2]);
    EXPECT_FALSE(t.t_Schritt[3]);
    EXPECT_EQ(f.label1.back(),
              "Schritt1: ERROR : Der Datenträger ist voll. Die Kombinationsdatei wurde nicht "
              "gespeichert.");
    const auto p = fenster.protokoll();
    EXPECT_EQ(std::count(p.begin(), p.end(), "bilder_freigeben"), 1);
    EXPECT_FALSE(spur.Contains("ERROR : Timeout warten auf Ende TSchritt1 .."));
    for (const String& e : p) EXPECT_EQ(e.find("Timeout"), String::npos) << e;
    // Polled while it ran, not to the bound.
    const auto spuren = spur.Lines();
    EXPECT_LT(std::count(spuren.begin(), spuren.end(), "Warte auf Ende TSchritt1 ....."),
              Thread_Sarnik::POLLS_SCHRITT1);
}

// Step 1 refused its input and wrote no pool: the run ends there with the step's message; steps
// 2 and 3 never look for files that were not made.
TEST_F(Schritt1ThreadTest, RefusedInputEndsTheRunAfterStepOne)
{
    struct Fall {
        int quelle;
        int edit;
        const char* text;
        const char* meldung;
    };
    for (const Fall& fall : {Fall{5, 20, "50", "Falsche Zahl eingegeben!"},
                             Fall{5, 12, "1", "Die Zahl 1 wurde doppelt eingegeben!"},
                             Fall{0, 9, "1", "Keine Quelle für die Zahlen gewählt!"}}) {
        SCOPED_TRACE(fall.meldung);
        f = Fenster();
        f.quelle = fall.quelle;
        f.edits[fall.edit] = fall.text;
        TVirtualClockGuard uhr(EncodeDate(2009, 8, 10) + EncodeTime(12, 0, 0, 0));
        AufzeichnungsFenster fenster;
        Thread_Sarnik t(true, &fenster, &f, nullptr);
        t.Resume();
        t.WaitFor();
        EXPECT_FALSE(t.laeuft());
        EXPECT_TRUE(t.gescheitert());
        EXPECT_FALSE(t.t_Schritt[2]);
        EXPECT_FALSE(t.t_Schritt[3]);
        ASSERT_EQ(f.meldungen.size(), 1u);
        EXPECT_EQ(f.meldungen[0][0], fall.meldung);
        const auto p = fenster.protokoll();
        EXPECT_EQ(std::count(p.begin(), p.end(), "bilder_freigeben"), 1);
        for (const String& e : p) EXPECT_EQ(e.find("Schritt2"), String::npos) << e;
    }
}

}  // namespace
