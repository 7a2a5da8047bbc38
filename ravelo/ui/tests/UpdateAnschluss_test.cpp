// The main window's side of the draw update: the archive grid loaded from dorov_zahlen.txt, the
// results page address, and whole updates started from the tray menu and the update button
// against a local HTTP server, on virtual time.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "../../../platform/net/tests/TestServer.h"
#include "FormTestbasis.h"
#include "Threadcheckzwischenablage.h"
#include "Update_zahlen.h"
#include "rtl/Clock.h"
#include "rtl/Debug.h"
#include "zub/Clipbrd.h"
#include "zub/Dialogs.h"

namespace {

using ::testing::ElementsAre;

class UpdateArchivTest : public Form1Test {
protected:
    void SetUp() override
    {
        Form1Test::SetUp();
        form->Tabelle->SetFixedRows(0);
        form->Tabelle->SetFixedCols(0);
    }
};

TEST_F(UpdateArchivTest, GridShowsDateAndSevenNumbersOfEveryDrawThenAnEmptyRow)
{
    // An earlier, longer archive leaves nothing behind.
    form->Tabelle->SetRowCount(10);
    for (int r = 0; r < 10; ++r)
        for (int c = 0; c < 8; ++c) form->Tabelle->SetCells(c, r, "alt");
    schreibe("dorov_zahlen.txt", {"01.02.09,1,2,3,4,5,6,7,3,111111,1111111", "",
                                  "04.02.09,07,14,21,28,35,42,49", "07.02.09,9,8"});

    ASSERT_TRUE(form->lade_Archiv());
    TStringGrid* g = form->Tabelle;
    EXPECT_EQ(g->RowCount(), 4);
    EXPECT_EQ(g->ColCount(), 8);
    EXPECT_THAT(Zeile(g, 0), ElementsAre("01.02.09", "1", "2", "3", "4", "5", "6", "7"));
    EXPECT_THAT(Zeile(g, 1), ElementsAre("04.02.09", "7", "14", "21", "28", "35", "42", "49"));
    EXPECT_THAT(Zeile(g, 2), ElementsAre("07.02.09", "9", "8", "", "", "", "", ""));
    EXPECT_THAT(Zeile(g, 3), ElementsAre("", "", "", "", "", "", "", ""));
    EXPECT_EQ(g->TopRow(), 0);  // all four rows fit on the grid
}

TEST_F(UpdateArchivTest, MissingArchiveLeavesTheGrid)
{
    form->Tabelle->SetRowCount(2);
    form->Tabelle->SetCells(0, 0, "01.01.09");
    EXPECT_FALSE(form->lade_Archiv());
    EXPECT_EQ(form->Tabelle->RowCount(), 2);
    EXPECT_EQ(form->Tabelle->Cells(0, 0), "01.01.09");
}

TEST_F(UpdateArchivTest, ArchiveSavedAsUtf16IsNamedNotShownAsZeros)
{
    auto dialoge = std::make_shared<THeadlessDialogs>();
    const auto vorher = SetDialogs(dialoge);
    String utf16 = "\xff\xfe";
    for (char c : String("01.02.09,1,2,3,4,5,6,7\r\n04.02.09,7,14,21,28,35,42,49\r\n")) {
        utf16 += c;
        utf16 += '\0';
    }
    AtomicWriteFile(ordner + "dorov_zahlen.txt", utf16);
    EXPECT_FALSE(form->lade_Archiv());
    const String text =
        "Die Datei dorov_zahlen.txt ist nicht im Format des Archivs (Text, eine Ziehung je Zeile): "
        "sie ist als UTF-16 gespeichert.";
    ASSERT_EQ(dialoge->Shown().size(), 1u);
    EXPECT_EQ(dialoge->Shown()[0].Text, text);
    EXPECT_EQ(form->Label1->Caption(), text);
    EXPECT_EQ(form->Tabelle->RowCount(), 1);
    EXPECT_THAT(Zeile(form->Tabelle, 0), ElementsAre("", "", "", "", "", "", "", ""));
    EXPECT_EQ(ReadFileBytes(ordner + "dorov_zahlen.txt"), utf16);
    SetDialogs(vorher);
}

TEST(UpdateAdresse, HostComesFromTheEnvironment)
{
    {
        Umgebung u("RAVELO_WEB_HOST", nullptr);
        EXPECT_EQ(Ergebnisseite_URL(), "http://localhost/ftp/dorov_zahlen.html");
    }
    {
        Umgebung u("RAVELO_WEB_HOST", "");
        EXPECT_EQ(Ergebnisseite_URL(), "http://localhost/ftp/dorov_zahlen.html");
    }
    {
        Umgebung u("RAVELO_WEB_HOST", "lotto.example:8080");
        EXPECT_EQ(Ergebnisseite_URL(), "http://lotto.example:8080/ftp/dorov_zahlen.html");
    }
}

class UpdateStartTest : public ProgrammordnerTest {
protected:
    void SetUp() override
    {
        uhr = std::make_unique<TVirtualClockGuard>(EncodeDate(2009, 2, 9) + EncodeTime(12, 0, 0, 0));
        ProgrammordnerTest::SetUp();
        ASSERT_TRUE(ForceDirectories(ordner + "www/ftp"));
        server = std::make_unique<TestServer>("http_server.py", std::vector<std::string>{ordner + "www"});
        host =
            std::make_unique<Umgebung>("RAVELO_WEB_HOST", ("127.0.0.1:" + IntToStr(server->Port())).c_str());
        form = Hauptfenster_bauen();
        form->Tabelle->SetFixedRows(0);
        form->Tabelle->SetFixedCols(0);
        schreibe("dorov_zahlen.txt", {"01.02.09,1,2,3,4,5,6,7"});
        form->zahlen_aktualisiert = false;
        form->Image24->SetEnabled(false);
        dialoge = std::make_shared<THeadlessDialogs>();
        alte_dialoge = SetDialogs(dialoge);
    }
    void TearDown() override
    {
        SetDialogs(alte_dialoge);
        form.reset();
        host.reset();
        server.reset();
        ProgrammordnerTest::TearDown();
        uhr.reset();
    }
    void Seite(const String& inhalt) { AtomicWriteFile(ordner + "www/ftp/dorov_zahlen.html", inhalt); }

    std::unique_ptr<TVirtualClockGuard> uhr;
    std::unique_ptr<TestServer> server;
    std::unique_ptr<Umgebung> host;
    std::unique_ptr<TForm1> form;
    TDebugCapture spuren;
    std::shared_ptr<THeadlessDialogs> dialoge;
    std::shared_ptr<IDialogs> alte_dialoge;
};

TEST_F(UpdateStartTest, TrayUpdateLoadsThePageAndRefreshesTheGrid)
{
    Seite("<html>\n<zahlen>\n04.02.09,7,14,21,28,35,42,49\n07.02.09,3,9,17,22,30,44,1\n</zahlen>\n</html>\n");
    form->Label1->SetCaption("Beschreibung:");
    form->Update1Click(nullptr);

    ASSERT_TRUE(form->t_Update);
    EXPECT_FALSE(form->t_Update->laeuft());
    EXPECT_TRUE(form->t_Update->Finished());
    EXPECT_TRUE(form->t_Update->Terminated());
    EXPECT_EQ(ReadFileBytes(ordner + "dorov_zahlen.txt"),
              "04.02.09,7,14,21,28,35,42,49\n07.02.09,3,9,17,22,30,44,1\n");
    EXPECT_EQ(form->Tabelle->RowCount(), 3);
    EXPECT_THAT(Zeile(form->Tabelle, 1), ElementsAre("07.02.09", "3", "9", "17", "22", "30", "44", "1"));
    EXPECT_EQ(form->Tabelle->TopRow(), 0);  // row count - 6, kept inside the grid
    EXPECT_EQ(form->CppWebBrowser1->LocationURL(),
              "http://127.0.0.1:" + IntToStr(server->Port()) + "/ftp/dorov_zahlen.html");
    EXPECT_FALSE(form->TrayIcon2->Visible());
    EXPECT_EQ(form->TrayIcon2->BalloonsShown(), 2);
    EXPECT_EQ(form->TrayIcon2->BalloonTitle(), "Quenzel 2009");
    EXPECT_EQ(form->TrayIcon2->BalloonHint(), "Lottozahlen erfolgreich aktualisiert!");
    EXPECT_TRUE(form->zahlen_aktualisiert);
    EXPECT_TRUE(form->Image24->Enabled());
    EXPECT_EQ(form->Label1->Caption(), "Beschreibung:");
    EXPECT_TRUE(spuren.Contains("Warte auf Update_Zahlen ....."));
    EXPECT_FALSE(form->Animate2->Visible());
}

TEST_F(UpdateStartTest, ButtonRouteShowsTheDownloadAnimationOnlyWhileTheJobRuns)
{
    Seite("<zahlen>\n04.02.09,7,14,21,28,35,42,49\n</zahlen>\n");
    form->starte_Update(true);
    EXPECT_EQ(ReadFileBytes(ordner + "dorov_zahlen.txt"), "04.02.09,7,14,21,28,35,42,49\n");
    EXPECT_FALSE(form->Animate2->Visible());
    EXPECT_FALSE(form->Animate2->Active());
    EXPECT_EQ(form->Animate2->PlayFrom(), 1);
    EXPECT_EQ(form->Animate2->PlayTo(), form->Animate2->FrameCount());
    EXPECT_EQ(form->Animate2->PlayCount(), 0);
    EXPECT_TRUE(form->Image24->Enabled());
}

TEST_F(UpdateStartTest, MissingPageEndsInHtmlNichtGeladen)
{
    form->Update1Click(nullptr);  // nothing served: the server answers 404
    EXPECT_EQ(form->Label1->Caption(), "HTML nicht geladen!");
    EXPECT_EQ(ReadFileBytes(ordner + "dorov_zahlen.txt"), "01.02.09,1,2,3,4,5,6,7\n");
    EXPECT_EQ(form->TrayIcon2->BalloonHint(), "Lottozahlen werden aktualisiert!");
    EXPECT_FALSE(form->TrayIcon2->Visible());
    EXPECT_TRUE(form->Image24->Enabled());
    EXPECT_TRUE(form->zahlen_aktualisiert);
}

TEST_F(UpdateStartTest, FailedUpdateKeepsTheArchiveAndSaysWhyInABox)
{
    struct Fall {
        const char* name;
        const char* seite;  // null: nothing served, the server answers 404
        const char* grund;
    };
    const Fall faelle[] = {
        {"404", nullptr, "Die Ergebnisseite konnte nicht geladen werden."},
        {"ohne Ziehungen", "<html>\n<zahlen>\nLottozahlen\n</zahlen>\n</html>\n",
         "Die Ergebnisseite enthält keine Lottozahlen."},
        {"kuerzer als das Archiv", "<zahlen>\n</zahlen>\n<zahlen>\n01.02.09,1,2,3,4,5,6,7\n</zahlen>\n",
         "Die Ergebnisseite enthält nur 1 Ziehungen, das Archiv aber 2."},
    };
    const String archiv = "01.02.09,1,2,3,4,5,6,7\n04.02.09,7,14,21,28,35,42,49\n";
    for (const Fall& f : faelle) {
        SCOPED_TRACE(f.name);
        dialoge->Clear();
        AtomicWriteFile(ordner + "dorov_zahlen.txt", archiv);
        ASSERT_TRUE(DeleteFile(ordner + "www/ftp/dorov_zahlen.html") ||
                    !FileExists(ordner + "www/ftp/dorov_zahlen.html"));
        if (f.seite) Seite(f.seite);
        form->Update1Click(nullptr);
        EXPECT_EQ(ReadFileBytes(ordner + "dorov_zahlen.txt"), archiv);
        ASSERT_EQ(dialoge->Shown().size(), 1u);
        EXPECT_EQ(
            dialoge->Shown()[0].Text,
            String(
                "Die Lottozahlen konnten nicht aktualisiert werden. dorov_zahlen.txt bleibt unverändert.\n") +
                f.grund);
        EXPECT_TRUE(form->Image24->Enabled());
    }
    // A good page says nothing in a box.
    dialoge->Clear();
    Seite("<zahlen>\n01.02.09,1,2,3,4,5,6,7\n04.02.09,7,14,21,28,35,42,49\n07.02.09,3,9,17,22,30,44,1\n</"
          "zahlen>\n");
    form->Update1Click(nullptr);
    EXPECT_TRUE(dialoge->Shown().empty());
}

TEST_F(UpdateStartTest, ArchiveItCannotCountOrABrokenDrawKeepsTheArchiveAndSaysWhy)
{
    struct Fall {
        const char* name;
        String archiv;  // the archive before the update
        const char* block;  // the page's draw block
        const char* grund;
    };
    const String zwei = "01.02.09,1,2,3,4,5,6,7\n04.02.09,7,14,21,28,35,42,49\n";
    const Fall faelle[] = {
        {"vierstellige Jahre", "01.02.2009,1,2,3,4,5,6,7\n04.02.2009,7,14,21,28,35,42,49\n",
         "07.02.09,1,2,3,4,5,6,7\n", "Die Ergebnisseite enthält nur 1 Ziehungen, das Archiv aber 2."},
        {"letzte Zeile abgeschnitten", zwei,
         "01.02.09,1,2,3,4,5,6,7\n04.02.09,7,14,21,28,35,42,49\n07.02.09,3,9\n",
         "Die Ergebnisseite enthält eine unvollständige Ziehung: Der Ziehung „07.02.09,3,9“ fehlen 4 der "
         "sechs "
         "Zahlen und die Zusatzzahl."},
    };
    for (const Fall& f : faelle) {
        SCOPED_TRACE(f.name);
        dialoge->Clear();
        AtomicWriteFile(ordner + "dorov_zahlen.txt", f.archiv);
        Seite("<zahlen>\n" + String(f.block) + "</zahlen>\n");
        form->Update1Click(nullptr);
        EXPECT_EQ(ReadFileBytes(ordner + "dorov_zahlen.txt"), f.archiv);
        ASSERT_EQ(dialoge->Shown().size(), 1u);
        EXPECT_EQ(
            dialoge->Shown()[0].Text,
            "Die Lottozahlen konnten nicht aktualisiert werden. dorov_zahlen.txt bleibt unverändert.\n" +
                String(f.grund));
    }
}

TEST_F(UpdateStartTest, ClipboardWatcherFollowsTheWindowsCheckBox)
{
    auto ablage = std::make_shared<THeadlessClipboard>();
    auto vorige = SetClipboardService(ablage);
    ablage->SetText("Tipp: 13 2");
    form->CheckBox22->OnClick = nullptr;  // the watcher is started by hand here
    form->CheckBox22->SetChecked(true);

    ThreadCheckZwischenablage watcher(true);
    watcher.Resume();
    const String liste = ordner + "Zahlen_aus_der_Zwischenablage.txt";
    // The clipboard is read on the user-interface thread: this thread's message loop serves it.
    for (int i = 0; i < 50 && !FileExists(liste); ++i) {
        Application->ProcessMessages();
        Sleep(100);
    }
    form->CheckBox22->SetChecked(false);
    watcher.WaitFor();  // ends at its next look at the box
    SetClipboardService(vorige);
    ASSERT_TRUE(FileExists(liste));
    EXPECT_EQ(ReadFileBytes(liste), "13\n2\n");
}

}  // namespace
