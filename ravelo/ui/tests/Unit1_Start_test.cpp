// Start-up of the main window on virtual time: the splash texts and their waits, a fresh program
// folder, the update offer when the newest draw is missing, and the jobs start-up starts.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <map>
#include <mutex>
#include <set>

#include "../../../platform/net/tests/TestServer.h"
#include "FormTestbasis.h"
#include "toolbar_Testbasis.h"
#include "Threadzahlenvergleichen.h"
#include "Unit3.h"
#include "Update_zahlen.h"
#include "rtl/Clock.h"
#include "rtl/Debug.h"
#include "rtl/IniFiles.h"
#include "zub/Dialogs.h"

namespace {

// 12.08.2009 is a Wednesday: before 19:00 the newest draw is Saturday 08.08.2009.
TDateTime Mittwochmorgen() { return EncodeDate(2009, 8, 12) + EncodeTime(10, 0, 0, 0); }

// A one-pixel GIF for the splash window, which reads it from the working directory.
const unsigned char kStartSplashGif[] = {'G', 'I', 'F', '8', '9',  'a',  0x01, 0x00, 0x01, 0x00, 0x80, 0,
                                         0,   0,   0,   0,   0xFF, 0xFF, 0xFF, 0x2C, 0,    0,    0,    0,
                                         1,   0,   1,   0,   0,    0x02, 0x02, 0x44, 0x01, 0x00, 0x3B};

// Virtual time that notes, for every sleep of the user-interface thread, what the splash window
// says meanwhile ("" without a splash window).
class TSplashUhr : public IClock {
public:
    explicit TSplashUhr(TDateTime start) : FUhr(std::make_shared<TVirtualClock>(start)) {}

    TDateTime Now() override { return FUhr->Now(); }
    void Sleep(unsigned ms) override
    {
        if (IsMainThread()) {
            std::lock_guard g(FLock);
            const String text = Form3 ? Form3->lblProgress->Caption() : String();
            if (FFolge.empty() || FFolge.back() != text) FFolge.push_back(text);
            FGeschlafen[text] += ms;
        }
        FUhr->Sleep(ms);
    }
    std::uint32_t GetTickCount() override { return FUhr->GetTickCount(); }
    bool WaitUntil(const std::function<bool()>& pred, long long timeoutMs) override
    {
        return FUhr->WaitUntil(pred, timeoutMs);
    }
    void ThreadStarting() override { FUhr->ThreadStarting(); }
    void ThreadStarted() override { FUhr->ThreadStarted(); }
    void ThreadEnded() override { FUhr->ThreadEnded(); }
    void StateChanged() override { FUhr->StateChanged(); }

    std::vector<String> Folge()
    {
        std::lock_guard g(FLock);
        return FFolge;
    }
    std::map<String, long long> Geschlafen()
    {
        std::lock_guard g(FLock);
        return FGeschlafen;
    }
    long long ElapsedMs() const { return FUhr->ElapsedMs(); }

private:
    std::shared_ptr<TVirtualClock> FUhr;
    std::mutex FLock;
    std::vector<String> FFolge;
    std::map<String, long long> FGeschlafen;
};

class StartTest : public ProgrammordnerTest {
protected:
    void SetUp() override
    {
        ProgrammordnerTest::SetUp();
        ASSERT_TRUE(ForceDirectories(ordner));
        dialoge = std::make_shared<THeadlessDialogs>();
        vorige_Dialoge = SetDialogs(dialoge);
    }
    void TearDown() override
    {
        if (form) Startjobs_abwarten(*form);
        form.reset();
        delete Form3;
        Form3 = nullptr;
        SetDialogs(vorige_Dialoge);
        ftp_download = true;
        ProgrammordnerTest::TearDown();
    }

    // Builds the window on the given clock, leaving its start-up jobs running.
    void starten(const std::shared_ptr<IClock>& uhr)
    {
        auto vorige = SetClock(uhr);
        try {
            form = std::make_unique<TForm1>(nullptr);
        } catch (...) {
            SetClock(vorige);
            throw;
        }
        vorige_Uhr = vorige;
    }
    void Uhr_zurueck()
    {
        if (form) Startjobs_abwarten(*form);
        SetClock(vorige_Uhr);
    }
    std::vector<TDialogRequest> Fragen() const
    {
        std::vector<TDialogRequest> fragen;
        for (const TDialogRequest& d : dialoge->Shown())
            if (d.Text == "Möchten Sie die Zahlen aktualisieren?") fragen.push_back(d);
        return fragen;
    }

    std::shared_ptr<THeadlessDialogs> dialoge;
    std::shared_ptr<IDialogs> vorige_Dialoge;
    std::shared_ptr<IClock> vorige_Uhr;
    std::unique_ptr<TForm1> form;
};

TEST_F(StartTest, SplashShowsItsThreeTextsForASecondEachAndIsFreed)
{
    ASSERT_TRUE(ForceDirectories(ordner + "gifs"));
    const String vorher = GetCurrentDir();
    ASSERT_TRUE(SetCurrentDir(ordner));
    AtomicWriteFile(ordner + "gifs/splash.gif",
                    String(reinterpret_cast<const char*>(kStartSplashGif), sizeof kStartSplashGif));
    Form3 = new TForm3(nullptr);
    EXPECT_TRUE(SetCurrentDir(vorher));

    auto uhr = std::make_shared<TSplashUhr>(Mittwochmorgen());
    starten(uhr);
    EXPECT_EQ(Form3, nullptr);
    Uhr_zurueck();

    // The texts in their order (the splash's own "Init......" never waits), then the sleeps of
    // the start jobs without the splash.
    const std::vector<String> folge = uhr->Folge();
    ASSERT_GE(folge.size(), 3u);
    EXPECT_EQ(folge[0], "Loading language base...");
    EXPECT_EQ(folge[1], "Loading PlugIns...");
    EXPECT_EQ(folge[2], "Initiailizing...");
    for (std::size_t i = 3; i < folge.size(); ++i) EXPECT_EQ(folge[i], "") << i;
    auto geschlafen = uhr->Geschlafen();
    for (const char* text : {"Loading language base...", "Loading PlugIns...", "Initiailizing..."})
        EXPECT_EQ(geschlafen[text], 1000) << text;
}

TEST_F(StartTest, WithoutSplashTheThreeSecondsStillPass)
{
    auto uhr = std::make_shared<TSplashUhr>(Mittwochmorgen());
    starten(uhr);
    // Three waits of 1000 ms, then 100 ms and 1 ms around the comparison's start.
    EXPECT_EQ(uhr->ElapsedMs(), 3101);
    Uhr_zurueck();
    EXPECT_GE(uhr->Geschlafen()[""], 3000);
}

TEST_F(StartTest, EmptyProgramFolderStartsWithTheHintsAndAsksForTheArchive)
{
    TVirtualClockGuard uhr(Mittwochmorgen());
    ASSERT_NO_THROW(form = std::make_unique<TForm1>(nullptr));
    EXPECT_FALSE(form->start_laeuft);
    ASSERT_NE(form->t_Vergleich, nullptr);  // started; it waits for nothing more
    EXPECT_FALSE(form->t_Vergleich->Suspended());
    EXPECT_TRUE(form->t_Vergleich->Terminated());
    Startjobs_abwarten(*form);

    // No archive: the newest draw is missing too; unanswered, the question says no.
    const auto fragen = Fragen();
    ASSERT_EQ(fragen.size(), 1u);
    EXPECT_EQ(fragen[0].Type, mtConfirmation);
    EXPECT_EQ(fragen[0].Buttons, mbYes | mbNo);
    EXPECT_EQ(form->t_Update, nullptr);
    EXPECT_TRUE(form->zahlen_aktualisiert);

    const std::vector<String> hinweis = {"Starten Sie Sarnik,",       "danach erscheinen in diesem Fenster,",
                                         "die getippte Lottozahlen!", String(43, '-'),
                                         "Schritt 1 fehlt noch!",     "Schritt 2 fehlt noch!",
                                         "Schritt 3 fehlt noch!"};
    EXPECT_EQ(form->ListBox1->Items()->ToVector(), hinweis);
    EXPECT_EQ(form->zeilen_symbol0.get(), "");
    EXPECT_EQ(form->zeilen_symbol1.get(), "4,5,6,");
    EXPECT_EQ(form->Label1->Caption(), "Datei history.txt nicht gefunden!");
    EXPECT_EQ(form->ComboBox3->Text(), "Musterprofil");
    EXPECT_FALSE(form->CheckBox21->Checked());  // no environment.ini
    EXPECT_TRUE(form->KeyPreview());
    EXPECT_EQ(form->anzahl_Varianten, 38760);
    EXPECT_EQ(form->DateTimePicker2->Date(), EncodeDate(2009, 8, 12));  // the coming draw
    EXPECT_EQ(form->DateTimePicker1->Date(), EncodeDate(2009, 8, 8));  // the newest draw
}

// A program folder that is there but takes no write is not called missing.
TEST_F(StartTest, FolderThatTakesNoWriteIsNotCalledMissing)
{
    schreibe("test", {"kein Ordner"});  // the sub-folder cannot be made
    try {
        Hauptfenster_bauen();
        ADD_FAILURE() << "the start went on";
    } catch (const EInOutError& e) {
        EXPECT_EQ(e.Message(), "Im Programmordner " + ordner +
                                   " kann nicht geschrieben werden: der Ordner ist schreibgeschützt oder der "
                                   "Datenträger voll.");
    }
}

TEST_F(StartTest, LayoutOfTheSarnikPageWithExpertModeOff)
{
    TVirtualClockGuard uhr(Mittwochmorgen());
    form = Hauptfenster_bauen();
    struct Lage {
        const char* name;
        int links, oben;
    };
    for (const Lage& l :
         {Lage{"Tabelle", 440, 126},         Lage{"Label49", 440, 110},      Lage{"ListBox1", 440, 362},
          Lage{"Image24", 410, 178},         Lage{"Image27", 410, 156},      Lage{"Image28", 408, 440},
          Lage{"DateTimePicker2", 225, 256}, Lage{"RadioGroup2", 215, 135},  Lage{"Label2", 215, 400},
          Lage{"Label11", 575, 400},         Lage{"Label12", 215, 435},      Lage{"Label31", 575, 470},
          Lage{"Edit9", 215, 400},           Lage{"Edit38", 575, 470},       Lage{"CheckBox4", 215, 455},
          Lage{"Label54", 540, 355},         Lage{"RadioButton5", 435, 375}, Lage{"CheckBox15", 215, 385},
          Lage{"CheckBox20", 215, 510},      Lage{"Label48", 232, 385},      Lage{"Label58", 232, 510},
          Lage{"Label46", 215, 360},         Lage{"Edit8", 320, 355},        Lage{"Image9", 572, 514},
          Lage{"Image10", 350, 310}}) {
        auto* c = dynamic_cast<TControl*>(form->FindComponent(l.name));
        ASSERT_NE(c, nullptr) << l.name;
        EXPECT_EQ(c->Left(), l.links) << l.name;
        EXPECT_EQ(c->Top(), l.oben) << l.name;
    }
    EXPECT_EQ(form->Edit20->Width(), 31);

    auto zustand = [&](const char* name) {
        auto* c = dynamic_cast<TControl*>(form->FindComponent(name));
        return std::pair<bool, bool>{c->Enabled(), c->Visible()};
    };
    using Z = std::pair<bool, bool>;  // enabled, visible
    const std::vector<std::pair<const char*, Z>> faelle = {
        {"Label2", {true, false}},       {"Edit38", {true, false}},      {"CheckBox2", {false, true}},
        {"TrackBar1", {false, true}},    {"ComboBox3", {false, true}},   {"RadioButton1", {false, false}},
        {"Label51", {false, false}},     {"CheckBox15", {false, false}}, {"Label57", {false, false}},
        {"Label46", {true, true}},       {"Edit8", {true, true}},        {"CheckBox5", {false, false}},
        {"Edit1", {false, false}},       {"Label60", {false, false}},    {"Image6", {true, true}},
        {"Image7", {true, false}},       {"Image25", {false, false}},    {"Image13", {false, true}},
        {"Image15", {false, true}},      {"RadioGroup1", {true, true}},  {"RadioGroup2", {true, false}},
        {"ProgressBar1", {true, false}}, {"Animate1", {true, false}},    {"Animate2", {true, false}},
    };
    for (const auto& [name, z] : faelle) EXPECT_EQ(zustand(name), z) << name;
    EXPECT_EQ(form->Edit8->Font()->Color(), clBlack);
    EXPECT_FALSE(form->RadioGroup1->Buttons(1)->Enabled());
    EXPECT_FALSE(form->Timer1->Enabled());
    EXPECT_EQ(form->Animate1->Width(), 206);
    EXPECT_EQ(form->Animate1->FileName(), ordner + "avi\\rad123.avi");
    EXPECT_EQ(form->Animate2->FileName(), ordner + "avi\\serverdownload.avi");
    EXPECT_FALSE(form->CppWebBrowser1->Visible());
    EXPECT_EQ(form->Tabelle->Color(), clWhite);
    ASSERT_NE(Ticker_Bitmap, nullptr);
    EXPECT_EQ(Ticker_Bitmap->Width(), 1);
    const int w = form->Label51->Width(), h = form->Label51->Height();
    EXPECT_EQ(Ticker_A, Rect(1, 0, w, h));
    EXPECT_EQ(Ticker_D, Rect(w - 1, 0, w, h));
}

// Whatever page and view is chosen, no shown control of the window lies over another: the
// backgrounds and the animation played over the window during a run aside.
TEST_F(StartTest, NoShownControlLiesOverAnotherOnAnyPageOrView)
{
    TVirtualClockGuard uhr(Mittwochmorgen());
    form = Hauptfenster_bauen();
    form->CheckBox1->SetChecked(true);
    form->TrackBar1->SetPosition(30);
    const std::set<String> darunter = {"Image1", "Image12", "Animate1", "Animate2"};
    using Seite = void (TForm1::*)(TObject*);
    const std::pair<const char*, Seite> seiten[] = {{"Sarnik", &TForm1::Sarnik_click_},
                                                    {"Schritt 1", &TForm1::ssarnik},
                                                    {"Schritt 2", &TForm1::s2_click},
                                                    {"Schritt 3", &TForm1::s3_click}};
    for (const bool archiv : {true, false})
        for (const bool eigene : {false, true})
            for (const auto& [name, seite] : seiten) {
                SCOPED_TRACE(std::string(name) + (archiv ? ", archive" : ", statistics") +
                             (eigene ? ", personal numbers" : ""));
                archiv ? form->Image21Click(nullptr) : form->Image22Click(nullptr);
                (form.get()->*seite)(nullptr);
                form->RadioButton5->SetChecked(eigene);
                if (!eigene) form->RadioButton1->SetChecked(true);
                std::vector<TControl*> gezeigt;
                for (int i = 0; i < form->ControlCount(); ++i) {
                    TControl* c = form->Controls(i);
                    if (c->Visible() && !darunter.count(c->Name())) gezeigt.push_back(c);
                }
                for (std::size_t i = 0; i < gezeigt.size(); ++i)
                    for (std::size_t j = i + 1; j < gezeigt.size(); ++j) {
                        const TControl* a = gezeigt[i];
                        const TControl* b = gezeigt[j];
                        const bool schneiden =
                            a->Left() < b->Left() + b->Width() && b->Left() < a->Left() + a->Width() &&
                            a->Top() < b->Top() + b->Height() && b->Top() < a->Top() + a->Height();
                        EXPECT_FALSE(schneiden) << a->Name() << " over " << b->Name();
                    }
            }
}

TEST_F(StartTest, EveryStartPictureAndSortArrowShowsItsIdlePictureWithoutHovering)
{
    TVirtualClockGuard uhr(Mittwochmorgen());
    ASSERT_TRUE(ForceDirectories(ordner + "gifs"));
    const std::vector<std::pair<TImage * TForm1::*, const char*>> faelle = {
        {&TForm1::Image6, "start_sw_.jpg"},    {&TForm1::Image7, "start_bl_.jpg"},
        {&TForm1::Image8, "start_rt_.jpg"},    {&TForm1::Image9, "start_gn_.jpg"},
        {&TForm1::Image10, "start_sw_.jpg"},   {&TForm1::Image26, "up_blue24.gif"},
        {&TForm1::Image27, "down_blue24.gif"},
    };
    for (const auto& [bild, datei] : faelle) AtomicWriteFile(ordner + "gifs/" + datei, Testbild(datei));
    form = Hauptfenster_bauen();
    for (const auto& [bild, datei] : faelle) EXPECT_EQ(zeigt((*form).*bild), datei) << datei;
}

TEST_F(StartTest, ArchiveWithTheNewestDrawAsksNothingAndShowsItsEnd)
{
    schreibe("dorov_zahlen.txt", {"05.08.09,1,2,3,4,5,6,7", "08.08.09,8,9,10,11,12,13,14"});
    schreibe("history.txt", {"05-08-2009-aus20_Index-1*"});
    TVirtualClockGuard uhr(Mittwochmorgen());
    form = Hauptfenster_bauen();
    EXPECT_TRUE(Fragen().empty());
    EXPECT_EQ(form->t_Update, nullptr);
    EXPECT_EQ(form->Tabelle->RowCount(), 3);
    EXPECT_EQ(form->Tabelle->Cells(0, 1), "08.08.09");
    EXPECT_EQ(form->Tabelle->TopRow(), 0);  // all three rows fit on the grid
    // The run key of the coming draw, with the next free index.
    EXPECT_EQ(form->ComboBox2->Text(), "12-08-2009-aus20_Index-1*");
    EXPECT_EQ(form->ComboBox2->Items()->Count(), 1);
}

TEST_F(StartTest, NoToTheMissingDrawStartsNoUpdate)
{
    schreibe("dorov_zahlen.txt", {"05.08.09,1,2,3,4,5,6,7"});
    AtomicWriteFile(ordner + "environment.ini", "[Archiv]\nDownload=html\n");
    dialoge->AddAnswer(mrNo);
    TVirtualClockGuard uhr(Mittwochmorgen());
    form = Hauptfenster_bauen();
    EXPECT_EQ(Fragen().size(), 1u);
    EXPECT_EQ(form->t_Update, nullptr);
    EXPECT_TRUE(form->zahlen_aktualisiert);
    EXPECT_TRUE(form->t_Vergleich->Finished());
}

TEST_F(StartTest, YesOnTheWebRouteStartsTheUpdateJobThatTheComparisonWaitsFor)
{
    schreibe("dorov_zahlen.txt", {"05.08.09,1,2,3,4,5,6,7"});
    AtomicWriteFile(ordner + "environment.ini", "[Archiv]\nDownload=html\n");
    Umgebung host("RAVELO_WEB_HOST", "127.0.0.1:1");  // refused
    dialoge->AddAnswer(mrYes);
    TVirtualClockGuard uhr(Mittwochmorgen());
    TDebugCapture spuren;
    form = std::make_unique<TForm1>(nullptr);
    EXPECT_FALSE(ftp_download);
    ASSERT_NE(form->t_Update, nullptr);
    EXPECT_FALSE(form->t_Update->Suspended());
    EXPECT_TRUE(form->t_Update->Terminated());  // asked, never read
    EXPECT_FALSE(form->zahlen_aktualisiert);  // until the job has run

    form->t_Update->WaitFor();
    EXPECT_EQ(form->Label1->Caption(), "HTML nicht geladen!");
    EXPECT_TRUE(form->zahlen_aktualisiert);
    EXPECT_EQ(ReadFileBytes(ordner + "dorov_zahlen.txt"), "05.08.09,1,2,3,4,5,6,7\n");
    form->t_Vergleich->WaitFor();
    // The comparison waited for the job.
    const auto zeilen = spuren.Lines();
    EXPECT_GT(std::count(zeilen.begin(), zeilen.end(),
                         "ThreadZahlenVergleichen: Warte auf ZahlenUpdate_fertig ....."),
              0);
}

}  // namespace

namespace {

TEST_F(StartTest, YesOnTheFtpRouteFetchesTheArchiveBeforeTheComparisonStarts)
{
    const String wurzel = ordner + "ftp-wurzel/";
    ASSERT_TRUE(ForceDirectories(wurzel));
    AtomicWriteFile(wurzel + "dorov_zahlen.txt", "05.08.09,1,2,3,4,5,6,7\r\n08.08.09,8,9,10,11,12,13,14\r\n");
    AtomicWriteFile(wurzel + "news.txt", "Neu\n");
    TestServer server("ftp_server.py", {wurzel, "lotto", "geheim"});
    Umgebung host("RAVELO_FTP_HOST", "127.0.0.1");
    Umgebung port("RAVELO_FTP_PORT", IntToStr(server.Port()));
    Umgebung benutzer("RAVELO_FTP_USER", "lotto");
    Umgebung passwort("RAVELO_FTP_PASSWORD", "geheim");
    schreibe("dorov_zahlen.txt", {"05.08.09,1,2,3,4,5,6,7"});  // no environment.ini: the FTP route
    dialoge->AddAnswer(mrYes);

    TVirtualClockGuard uhr(Mittwochmorgen());
    form = Hauptfenster_bauen();
    EXPECT_TRUE(ftp_download);
    EXPECT_EQ(ReadFileBytes(ordner + "dorov_zahlen.txt"),
              "05.08.09,1,2,3,4,5,6,7\n08.08.09,8,9,10,11,12,13,14\n");
    EXPECT_EQ(form->t_Update, nullptr);
    EXPECT_TRUE(form->zahlen_aktualisiert);
    EXPECT_EQ(Fragen().size(), 1u);
    EXPECT_EQ(dialoge->Shown().size(), 1u);  // no failure box
    // The grid shows the fetched archive, not the one read before the download.
    EXPECT_EQ(form->Tabelle->Cells(0, 1), "08.08.09");
    EXPECT_EQ(form->Tabelle->Cells(7, 1), "14");
}

}  // namespace
