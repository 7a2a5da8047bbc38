// The draw update job and its two page helpers against a recording main window whose embedded
// browser loads pages from a local HTTP server: what reaches the archive, 0.html and
// environment.ini, the texts and balloons, and every wait and poll bound on virtual time.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <memory>
#include <mutex>

#include "../../../platform/net/tests/TestServer.h"
#include "Testordner.h"
#include "Thread_hompage_holen.h"
#include "Threadstriphompage.h"
#include "Update_zahlen.h"
#include "Updatefenster.h"
#include "rtl/Clock.h"
#include "rtl/Debug.h"
#include "rtl/Files.h"
#include "rtl/IniFiles.h"

namespace {

using ::testing::ElementsAre;

// One draw: every page below with a draw line may replace it.
const String ALTES_ARCHIV = "01.07.09,1,2,3,4,5,6,7\n";

// Records every write with the virtual time it came at and answers the reads from its fields.
class Fenster : public IUpdateFenster {
public:
    explicit Fenster(TVirtualClock& uhr) : FUhr(uhr) {}

    TCppWebBrowser browser;
    std::function<TDispVariant(int)> browser_ersatz;  // replaces the browser when set
    std::atomic<int> start_abfragen_bis_fertig{0};  // start_laeuft reads true this often
    int zeilen = 30;

    struct Ereignis {
        String was;
        long long ms;
    };
    std::vector<Ereignis> Ereignisse() const
    {
        std::lock_guard g(FLock);
        return FEreignisse;
    }
    std::vector<String> Label1_Texte() const
    {
        std::vector<String> t;
        for (const auto& e : Ereignisse())
            if (e.was.rfind("Label1 ", 0) == 0) t.push_back(e.was.substr(7));
        return t;
    }
    // Virtual time of the first event, -1 when there was none.
    long long Zeit(const String& was) const
    {
        for (const auto& e : Ereignisse())
            if (e.was == was) return e.ms;
        return -1;
    }
    bool hat(const String& was) const { return Zeit(was) >= 0; }

    bool start_laeuft() override { return start_abfragen_bis_fertig-- > 0; }
    TDispVariant CppWebBrowser1(int dispid) override
    {
        return browser_ersatz ? browser_ersatz(dispid) : browser.GetProperty(dispid);
    }
    std::size_t CppWebBrowser1_zu_gross() override
    {
        return !browser_ersatz && browser.LastLoadTooLarge() ? browser.MaxPageBytes : 0;
    }
    void Label1(const String& text) override { merke("Label1 " + text); }
    void TrayIcon2_sichtbar(bool sichtbar) override { merke(sichtbar ? "TrayIcon2 an" : "TrayIcon2 aus"); }
    void TrayIcon2_Sprechblase(const String& titel, const String& text) override
    {
        merke("Sprechblase " + titel + ": " + text);
    }
    bool lade_Archiv() override
    {
        merke("lade_Archiv");
        return true;
    }
    int Tabelle_Zeilen() override { return zeilen; }
    void Tabelle_oberste_Zeile(int zeile) override { merke("oberste Zeile " + IntToStr(zeile)); }
    void zahlen_aktualisiert() override { merke("zahlen_aktualisiert"); }
    void Image24_freigeben() override { merke("Image24"); }

private:
    void merke(const String& was)
    {
        std::lock_guard g(FLock);
        FEreignisse.push_back({was, FUhr.ElapsedMs()});
    }
    TVirtualClock& FUhr;
    mutable std::mutex FLock;
    std::vector<Ereignis> FEreignisse;
};

std::size_t wie_oft(const std::vector<String>& zeilen, const String& z)
{
    return static_cast<std::size_t>(std::count(zeilen.begin(), zeilen.end(), z));
}

class UpdateSeiteTest : public TestOrdner {
protected:
    void SetUp() override
    {
        TestOrdner::SetUp();
        uhr = std::make_unique<TVirtualClockGuard>(EncodeDate(2009, 8, 10) + EncodeTime(12, 0, 0, 0));
        fenster = std::make_unique<Fenster>(uhr->clock());
        ASSERT_TRUE(ForceDirectories(ordner + "www/ftp"));
        server = std::make_unique<TestServer>("http_server.py", std::vector<std::string>{ordner + "www"});
        AtomicWriteFile(archiv(), ALTES_ARCHIV);
    }
    void TearDown() override
    {
        fenster.reset();
        uhr.reset();
        TestOrdner::TearDown();
    }

    String archiv() const { return ordner + "dorov_zahlen.txt"; }
    String url() const { return "http://127.0.0.1:" + IntToStr(server->Port()) + "/ftp/dorov_zahlen.html"; }

    // Serves page as the results page, lets the browser load it and runs the job to its end.
    void lade_und_aktualisiere(const String& seite)
    {
        AtomicWriteFile(ordner + "www/ftp/dorov_zahlen.html", seite);
        fenster->browser.Navigate(url());
        laufe();
    }
    // Runs the job to its end; returns its running flag.
    bool laufe()
    {
        Update_Zahlen job(true, fenster.get());
        job.Resume();
        job.WaitFor();
        EXPECT_EQ(job.FatalException(), nullptr);
        fehlermeldung = job.Fehlermeldung();
        return job.laeuft();
    }
    bool Update_Schluessel_da() const
    {
        return TIniFile(ordner + "environment.ini").ValueExists("Allgemein", "Update");
    }

    std::unique_ptr<TVirtualClockGuard> uhr;
    std::unique_ptr<Fenster> fenster;
    std::unique_ptr<TestServer> server;
    TDebugCapture spuren;
    String fehlermeldung;  // of the last job
};

TEST_F(UpdateSeiteTest, PageBlockBecomesTheArchiveAndTheJobEndsInOrder)
{
    const String seite = "<html><body>\r\n<p>Lottozahlen</p>\r\n<zahlen>\r\n02.01.09,3,14,20,29,33,41,7,5\r\n"
                         "05.01.09,1,2,3,4,5,6,49,0,111111,1111111\r\n</zahlen>\r\n</body></html>\r\n";
    AtomicWriteFile(ordner + "www/ftp/dorov_zahlen.html", seite);
    fenster->browser.Navigate(url());
    EXPECT_FALSE(laufe());
    EXPECT_EQ(fehlermeldung, "");

    EXPECT_EQ(ReadFileBytes(archiv()),
              "02.01.09,3,14,20,29,33,41,7,5\n05.01.09,1,2,3,4,5,6,49,0,111111,1111111\n");
    EXPECT_EQ(ReadFileBytes(ordner + "0.html"), seite);
    EXPECT_FALSE(Update_Schluessel_da());
    EXPECT_TRUE(fenster->Label1_Texte().empty());

    std::vector<String> ablauf;
    for (const auto& e : fenster->Ereignisse()) ablauf.push_back(e.was);
    EXPECT_THAT(ablauf,
                ElementsAre("TrayIcon2 an", "Sprechblase Quenzel 2009: Lottozahlen werden aktualisiert!",
                            "Sprechblase Quenzel 2009: Lottozahlen erfolgreich aktualisiert!", "lade_Archiv",
                            "oberste Zeile 24", "TrayIcon2 aus", "zahlen_aktualisiert", "Image24"));
    const long long erfolg = fenster->Zeit("Sprechblase Quenzel 2009: Lottozahlen erfolgreich aktualisiert!");
    EXPECT_EQ(fenster->Zeit("lade_Archiv"), erfolg + 3000);
    EXPECT_EQ(fenster->Zeit("oberste Zeile 24"), erfolg + 3010);
    // The page wait looks first after 3 s and is seen to have ended at the job's next poll
    // (1 + 6 * 500 ms); the page cut starts 1 ms later, waits 1 s and is seen 2 polls later.
    EXPECT_EQ(erfolg, 3001 + 1 + 2 * 500);

    const auto z = spuren.Lines();
    for (const char* spur : {"Update_Zahlen gestartet...", "Thread_Hompage_holen gestartet...",
                             "Thread_Hompage_holen beendet...", "Ergebnis THompage_holen:",
                             "ThreadStripHompage gestartet...", "Ergebnis TStripHompage:"})
        EXPECT_EQ(wie_oft(z, spur), 1u) << spur;
    EXPECT_EQ(wie_oft(z, "Warte solange Programm gestartet wird ....."), 0u);
}

struct Seitenfall {
    const char* name;
    const char* seite;
    const char* archiv;  // null: the old archive stays
    bool hinweis;  // [Allgemein] Update written
};

class UpdateSeitenfaelle : public UpdateSeiteTest, public ::testing::WithParamInterface<Seitenfall> {};

TEST_P(UpdateSeitenfaelle, ArchiveAndVersionNotice)
{
    const Seitenfall& fall = GetParam();
    lade_und_aktualisiere(fall.seite);
    EXPECT_EQ(ReadFileBytes(archiv()), fall.archiv ? String(fall.archiv) : ALTES_ARCHIV);
    EXPECT_EQ(Update_Schluessel_da(), fall.hinweis);
    if (fall.hinweis) {
        EXPECT_EQ(TIniFile(ordner + "environment.ini").ReadString("Allgemein", "Update", ""), "true");
    }
    const bool erfolg = fenster->hat("Sprechblase Quenzel 2009: Lottozahlen erfolgreich aktualisiert!");
    EXPECT_EQ(erfolg, fall.archiv != nullptr);
    if (!fall.archiv) {
        EXPECT_THAT(fenster->Label1_Texte(), ElementsAre("ERROR : Keine Lottozahlen in der Seite gefunden!"));
    }
    // Whatever the page held, the job ends and gives the window back.
    EXPECT_TRUE(fenster->hat("lade_Archiv"));
    EXPECT_TRUE(fenster->hat("zahlen_aktualisiert"));
    EXPECT_TRUE(fenster->hat("Image24"));
}

INSTANTIATE_TEST_SUITE_P(
    Seiten, UpdateSeitenfaelle,
    ::testing::Values(
        Seitenfall{"ZweiOeffnendeMarken",
                   "<zahlen>\n01.01.09,9,9,9,9,9,9,9\n<zahlen>\n03.01.09,1,2,3,4,5,6,7\n</zahlen>\n",
                   "03.01.09,1,2,3,4,5,6,7\n", false},
        Seitenfall{"SchliessendeMarkeNurInZeile0", "</zahlen>\n03.01.09,1,2,3,4,5,6,7\n<zahlen>\n", nullptr,
                   false},
        Seitenfall{"LeererBlock", "<html>\n<zahlen>\n</zahlen>\n</html>\n", nullptr, false},
        Seitenfall{"BlockOhneZiehungszeile", "<zahlen>\nLottozahlen\n\n1.1.09 1 2 3 4 5 6\n</zahlen>\n",
                   nullptr, false},
        Seitenfall{"OhneMarken", "<html>\n03.01.09,1,2,3,4,5,6,7\n</html>\n", nullptr, false},
        Seitenfall{"OhneOeffnendeMarke", "<html>\n03.01.09,1,2,3,4,5,6,7\n</zahlen>\n",
                   "03.01.09,1,2,3,4,5,6,7\n", false},
        Seitenfall{"UeberschriftImBlockBleibtStehen",
                   "x\n<zahlen>\nZiehungen\n03.01.09,1,2,3,4,5,6,7\n</zahlen>\n",
                   "Ziehungen\n03.01.09,1,2,3,4,5,6,7\n", false},
        Seitenfall{"Versionshinweis",
                   "<v3.3.7>\nNeue Version!\n</v3.3.7>\n<zahlen>\n03.01.09,1,2,3,4,5,6,7\n</zahlen>\n",
                   "03.01.09,1,2,3,4,5,6,7\n", true},
        Seitenfall{"VersionshinweisOhneZiehungen", "<html>\n<v3.3.7>Neu</v3.3.7>\n</html>\n", nullptr, true},
        Seitenfall{"VersionshinweisZweizeiligOhneZiehungen", "<html>\n<v3.3.7>\nNeu\n</v3.3.7>\n", nullptr,
                   true},
        // Forms a results page really takes: the archive reader reads each of them as a draw.
        Seitenfall{"ZeilenMitBr",
                   "<zahlen>\n03.01.09,1,2,3,4,5,6,7<br>\n07.01.09,8,9,10,11,12,13,14<br />\n</zahlen>\n",
                   "03.01.09,1,2,3,4,5,6,7<br>\n07.01.09,8,9,10,11,12,13,14<br />\n", false},
        Seitenfall{"EingerueckteZeilen",
                   "<zahlen>\n    03.01.09,1,2,3,4,5,6,7\n\t07.01.09,8,9,10,11,12,13,14\n</zahlen>\n",
                   "    03.01.09,1,2,3,4,5,6,7\n\t07.01.09,8,9,10,11,12,13,14\n", false},
        Seitenfall{"TabulatorenNachKommasUndAmEnde",
                   "<zahlen>\n03.01.09,\t1,\t2,\t3,\t4,\t5,\t6,\t7\t\n</zahlen>\n",
                   "03.01.09,\t1,\t2,\t3,\t4,\t5,\t6,\t7\t\n", false},
        Seitenfall{
            "Wochentag",
            "<zahlen>\n03.01.09,1,2,3,4,5,6,7 (Samstag)\n07.01.09,8,9,10,11,12,13,14 (Mittwoch)\n</zahlen>\n",
            "03.01.09,1,2,3,4,5,6,7 (Samstag)\n07.01.09,8,9,10,11,12,13,14 (Mittwoch)\n", false},
        Seitenfall{"NurSchliessendeVersionsmarke",
                   "<html>\n</v3.3.7>\n<zahlen>\n03.01.09,1,2,3,4,5,6,7\n</zahlen>\n",
                   "03.01.09,1,2,3,4,5,6,7\n", false}),
    [](const ::testing::TestParamInfo<Seitenfall>& info) { return String(info.param.name); });

TEST_F(UpdateSeiteTest, PageNotLoadedLeavesEveryFile)
{
    AtomicWriteFile(ordner + "0.html", "alte Seite");
    for (const String& adresse :
         {url() + ".fehlt", "http://127.0.0.1:" + IntToStr(UnusedPort()) + "/ftp/dorov_zahlen.html"}) {
        fenster = std::make_unique<Fenster>(uhr->clock());
        fenster->browser.Navigate(adresse);
        EXPECT_FALSE(laufe());
        EXPECT_THAT(fenster->Label1_Texte(), ElementsAre("HTML nicht geladen!")) << adresse;
        EXPECT_FALSE(fenster->hat("Sprechblase Quenzel 2009: Lottozahlen erfolgreich aktualisiert!"));
        EXPECT_TRUE(fenster->hat("Image24"));
        EXPECT_EQ(ReadFileBytes(archiv()), ALTES_ARCHIV);
        EXPECT_EQ(ReadFileBytes(ordner + "0.html"), "alte Seite");
        EXPECT_FALSE(FileExists(ordner + "environment.ini"));
    }
}

TEST_F(UpdateSeiteTest, PageTooLargeIsRefusedAsTooLarge)
{
    fenster->browser.MaxPageBytes = 1000;
    lade_und_aktualisiere("<zahlen>\n" + String(2000, '\n') + "03.01.09,1,2,3,4,5,6,7\n</zahlen>\n");
    EXPECT_EQ(ReadFileBytes(archiv()), ALTES_ARCHIV);
    EXPECT_EQ(fehlermeldung, "Die Ergebnisseite ist zu groß (mehr als 1000 Bytes) und wurde nicht geladen.");
    EXPECT_THAT(fenster->Label1_Texte(), ElementsAre("HTML nicht geladen!"));
    EXPECT_TRUE(fenster->hat("Image24"));
}

TEST_F(UpdateSeiteTest, FailedArchiveWriteKeepsTheOldArchiveWhole)
{
    auto vorher = SetAtomicWriteHook([](const String& temp) {
        if (temp.find("dorov_zahlen.txt") != String::npos)
            throw EInOutError("Cannot write file \"dorov_zahlen.txt\". No space left on device");
    });
    lade_und_aktualisiere("<zahlen>\n03.01.09,1,2,3,4,5,6,7\n</zahlen>\n");
    SetAtomicWriteHook(vorher);

    EXPECT_EQ(ReadFileBytes(archiv()), ALTES_ARCHIV);
    EXPECT_THAT(fenster->Label1_Texte(),
                ElementsAre("ERROR : dorov_zahlen.txt konnte nicht gespeichert werden!"));
    // The box says why in German; the system's text goes to the trace.
    EXPECT_EQ(fehlermeldung, "dorov_zahlen.txt konnte nicht gespeichert werden. Der Datenträger ist voll.");
    EXPECT_FALSE(fenster->hat("Sprechblase Quenzel 2009: Lottozahlen erfolgreich aktualisiert!"));
    EXPECT_TRUE(fenster->hat("Image24"));
    std::size_t reste = 0;
    for (const auto& e : std::filesystem::directory_iterator(ordner))
        if (e.path().filename().string().rfind("dorov_zahlen.txt", 0) == 0) ++reste;
    EXPECT_EQ(reste, 1u);  // no temporary file left behind
}

TEST_F(UpdateSeiteTest, BlockWithFewerDrawsThanTheArchiveIsRefused)
{
    const String archiv_drei =
        "01.07.09,1,2,3,4,5,6,7\n04.07.09,8,9,10,11,12,13,14\nKopf\n08.07.09,1,2,3,4,5,6,7\n";
    AtomicWriteFile(archiv(), archiv_drei);
    lade_und_aktualisiere("<zahlen>\n01.07.09,1,2,3,4,5,6,7\n04.07.09,8,9,10,11,12,13,14\n</zahlen>\n");
    EXPECT_EQ(ReadFileBytes(archiv()), archiv_drei);
    EXPECT_THAT(
        fenster->Label1_Texte(),
        ElementsAre(
            "ERROR : Die Seite enthält nur 2 Ziehungen, das Archiv 3: dorov_zahlen.txt bleibt unverändert!"));
    EXPECT_FALSE(fenster->hat("Sprechblase Quenzel 2009: Lottozahlen erfolgreich aktualisiert!"));
    EXPECT_TRUE(fenster->hat("Image24"));

    // As many draws as the archive (another draw instead of the heading) replace it.
    fenster = std::make_unique<Fenster>(uhr->clock());
    const String gleich = "01.07.09,1,2,3,4,5,6,7\n04.07.09,8,9,10,11,12,13,14\n08.07.09,9,8,7,6,5,4,3\n";
    lade_und_aktualisiere("<zahlen>\n" + gleich + "</zahlen>\n");
    EXPECT_EQ(ReadFileBytes(archiv()), gleich);
}

// The archive is counted as the program reads it; one it cannot count, and a page whose last
// draw or a new draw is not whole, leave it as it is and say why.
TEST_F(UpdateSeiteTest, PageNeverReplacesAnArchiveItCannotCountOrWithBrokenDraws)
{
    const String vierstellig = "10.06.2026,11,15,22,30,41,47,3\n13.06.2026,2,9,17,28,33,41,5\n"
                               "17.06.2026,1,2,3,4,5,6,7\n";
    String utf16 = "\xff\xfe";
    for (char c : String("10.06.26,11,15,22,30,41,47,3\r\n13.06.26,2,9,17,28,33,41,5\r\n")) {
        utf16 += c;
        utf16 += '\0';
    }
    const String zwei = "16.12.26,4,8,15,16,23,42,7\n17.12.26,1,2,3,4,5,6,7\n";
    struct Fall {
        const char* name;
        String archiv;
        String block;
        const char* label1;
        const char* grund;
    };
    const Fall faelle[] = {
        {"vierstellige Jahre", vierstellig, "20.06.26,1,2,3,4,5,6,7\n",
         "ERROR : Die Seite enthält nur 1 Ziehungen, das Archiv 3: dorov_zahlen.txt bleibt unverändert!",
         "Die Ergebnisseite enthält nur 1 Ziehungen, das Archiv aber 3."},
        {"UTF-16", utf16, "20.06.26,1,2,3,4,5,6,7\n",
         "ERROR : Die Datei dorov_zahlen.txt ist nicht im Format des Archivs (Text, eine Ziehung je Zeile): "
         "sie ist als UTF-16 gespeichert. dorov_zahlen.txt bleibt unverändert!",
         "Die Datei dorov_zahlen.txt ist nicht im Format des Archivs (Text, eine Ziehung je Zeile): sie ist "
         "als "
         "UTF-16 gespeichert."},
        {"letzte Zeile abgeschnitten", zwei, zwei + "19.12.26,3,7,1\n",
         "ERROR : Die Seite enthält eine unvollständige Ziehung: Der Ziehung „19.12.26,3,7,1“ fehlen 3 der "
         "sechs Zahlen und die Zusatzzahl. dorov_zahlen.txt bleibt unverändert!",
         "Die Ergebnisseite enthält eine unvollständige Ziehung: Der Ziehung „19.12.26,3,7,1“ fehlen 3 der "
         "sechs Zahlen und die Zusatzzahl."},
        {"neue Ziehung ohne Zusatzzahl", zwei, "15.12.26,3,7,12,20,31,44<br>\n" + zwei,
         "ERROR : Die Seite enthält eine unvollständige Ziehung: Der Ziehung „15.12.26,3,7,12,20,31,44<br>“ "
         "fehlt die Zusatzzahl. dorov_zahlen.txt bleibt unverändert!",
         "Die Ergebnisseite enthält eine unvollständige Ziehung: Der Ziehung „15.12.26,3,7,12,20,31,44<br>“ "
         "fehlt die Zusatzzahl."},
    };
    for (const Fall& f : faelle) {
        SCOPED_TRACE(f.name);
        fenster = std::make_unique<Fenster>(uhr->clock());
        AtomicWriteFile(archiv(), f.archiv);
        lade_und_aktualisiere("<html>\n<zahlen>\n" + f.block + "</zahlen>\n</html>\n");
        EXPECT_EQ(ReadFileBytes(archiv()), f.archiv);
        EXPECT_THAT(fenster->Label1_Texte(), ElementsAre(f.label1));
        EXPECT_EQ(fehlermeldung, f.grund);
        EXPECT_FALSE(fenster->hat("Sprechblase Quenzel 2009: Lottozahlen erfolgreich aktualisiert!"));
        EXPECT_TRUE(fenster->hat("Image24"));
    }
}

TEST_F(UpdateSeiteTest, MissingArchiveIsCreatedFromThePage)
{
    ASSERT_TRUE(DeleteFile(archiv()));
    lade_und_aktualisiere("<zahlen>\n03.01.09,1,2,3,4,5,6,7\n</zahlen>\n");
    EXPECT_EQ(ReadFileBytes(archiv()), "03.01.09,1,2,3,4,5,6,7\n");
}

// A browser that never finishes loading.
TDispVariant immer_beschaeftigt(int dispid)
{
    if (dispid == DISPID_BUSY) return true;
    if (dispid == DISPID_LOCATIONURL) return "about:blank";
    return TIntfPtr<IInterface>();
}

// A browser that has loaded nothing.
TDispVariant ohne_Seite(int dispid)
{
    if (dispid == DISPID_BUSY) return false;
    if (dispid == DISPID_LOCATIONURL) return "about:blank";
    return TIntfPtr<IInterface>();
}

TEST_F(UpdateSeiteTest, PageWaitTimesOutAndTheJobGivesUpFirst)
{
    fenster->browser_ersatz = immer_beschaeftigt;
    EXPECT_TRUE(laufe());  // the running flag stays on
    EXPECT_EQ(fehlermeldung, "Die Ergebnisseite wurde nicht rechtzeitig geladen.");

    // 1 ms after the start, then 41 polls of 500 ms.
    EXPECT_EQ(fenster->Zeit("Label1 ERROR : Timeout THompage_holen"), 1 + 41 * 500);
    EXPECT_EQ(wie_oft(spuren.Lines(), "Warte auf Ende THompage_holen ....."), 41u);
    EXPECT_TRUE(spuren.Contains("ERROR : Timeout THompage_holen"));
    EXPECT_FALSE(fenster->hat("Image24"));
    EXPECT_FALSE(fenster->hat("zahlen_aktualisiert"));
    EXPECT_FALSE(fenster->hat("lade_Archiv"));
    EXPECT_FALSE(spuren.Contains("ThreadStripHompage gestartet..."));
    EXPECT_EQ(ReadFileBytes(archiv()), ALTES_ARCHIV);
}

TEST_F(UpdateSeiteTest, PageWaitAloneGivesUpAfterItsOwnBound)
{
    fenster->browser_ersatz = immer_beschaeftigt;
    Thread_Hompage_holen warten(true, fenster.get());
    warten.Resume();
    warten.WaitFor();
    EXPECT_TRUE(warten.laeuft());
    EXPECT_EQ(fenster->Zeit("Label1 ERROR : Timeout CppWebBrowser1"), 3000 + 41 * 500);
    EXPECT_EQ(wie_oft(spuren.Lines(), "Warte auf Ende CppWebBrowser1 ....."), 41u);
    EXPECT_TRUE(spuren.Contains("ERROR : Timeout CppWebBrowser1"));
    EXPECT_FALSE(spuren.Contains("Thread_Hompage_holen beendet..."));
}

TEST_F(UpdateSeiteTest, JobWaitsForStartUpAtMost71Times)
{
    fenster->start_abfragen_bis_fertig = 1000;  // start-up never ends
    fenster->browser_ersatz = ohne_Seite;
    EXPECT_FALSE(laufe());
    EXPECT_EQ(wie_oft(spuren.Lines(), "Warte solange Programm gestartet wird ....."), 71u);
    EXPECT_EQ(fenster->Zeit("TrayIcon2 an"), 7100);
    EXPECT_THAT(fenster->Label1_Texte(), ElementsAre("HTML nicht geladen!"));

    fenster = std::make_unique<Fenster>(uhr->clock());
    fenster->browser_ersatz = ohne_Seite;
    fenster->start_abfragen_bis_fertig = 3;  // start-up ends after three looks
    const long long beginn = uhr->clock().ElapsedMs();
    EXPECT_FALSE(laufe());
    EXPECT_EQ(fenster->Zeit("TrayIcon2 an") - beginn, 300);
    EXPECT_EQ(wie_oft(spuren.Lines(), "Warte solange Programm gestartet wird ....."), 71u + 3u);
}

TEST(UpdateZiehungszeile, Formen)
{
    struct Fall {
        const char* zeile;
        bool gueltig;
    };
    for (const Fall& f : {Fall{"03.01.09,1,2,3,4,5,6,7", true},
                          Fall{"03.01.09,1,2,3,4,5,6,0,3,111111,1111111", true},
                          Fall{"03.03.33, 0,0,0,0,0,0, 0", false},
                          Fall{"03.01.09, 1, 2, 3, 4, 5, 6, 49", true},
                          Fall{"03.01.09,1,2,3,4,5,6", false},
                          Fall{"03.01.09,1,2,3,4,5,50,7", false},
                          Fall{"03.01.09,1,2,3,4,5,6,7x", true},
                          Fall{"3.1.09,1,2,3,4,5,6,7", false},
                          Fall{"  03.01.09,1,2,3,4,5,6,7<br>", true},
                          Fall{"\t03.01.09,\t1 ,2,\t3,4,5,6,7\t", true},
                          Fall{"03.01.09,1,2,3,4,5,6,7 (Mittwoch)", true},
                          Fall{"03.01.09,1,2,3,4,5,6,750", false},
                          Fall{"03.01.09,-3,-15,1,2,3,4,5", false},
                          Fall{"01.01.09,99999999999,1,2,3,4,5,6", false},
                          Fall{"<td>03.01.09,1,2,3,4,5,6,7</td>", false},
                          Fall{"00.01.09,1,2,3,4,5,6,7", false},
                          Fall{"03.13.09,1,2,3,4,5,6,7", false},
                          Fall{"03.01.09 1,2,3,4,5,6,7", false},
                          Fall{"Lottozahlen", false},
                          Fall{"", false},
                          Fall{"03.01.09,,2,3,4,5,6,7", false},
                          Fall{"03.01.09,0001,2,3,4,5,6,7", false}})
        EXPECT_EQ(ist_Ziehungszeile(f.zeile), f.gueltig) << f.zeile;
}

}  // namespace
