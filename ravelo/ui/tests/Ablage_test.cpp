// The clipboard watch box and the update button of the main window, on virtual time: the watcher
// runs while the box is ticked, and the update button runs the web-page update greyed out.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "../../../platform/net/tests/TestServer.h"
#include "FormTestbasis.h"
#include "Threadcheckzwischenablage.h"
#include "Update_zahlen.h"
#include "rtl/Clock.h"
#include "zub/Clipbrd.h"

namespace {

const std::filesystem::path BILDER = std::filesystem::path(RAVELO_ASSETS_DIR) / "gifs";

class AblageTest : public ProgrammordnerTest {
protected:
    void SetUp() override
    {
        uhr = std::make_unique<TVirtualClockGuard>(EncodeDate(2009, 8, 12) + EncodeTime(10, 0, 0, 0));
        ProgrammordnerTest::SetUp();
        vorige_Ablage = SetClipboardService(ablage);
        form = Hauptfenster_bauen();
    }
    void TearDown() override
    {
        // A watcher left running would outlive the window.
        form->CheckBox22->SetChecked(false);
        if (form->t_Zwischenablage && !form->t_Zwischenablage->Suspended()) form->t_Zwischenablage->WaitFor();
        form.reset();
        SetClipboardService(vorige_Ablage);
        ProgrammordnerTest::TearDown();
        uhr.reset();
    }
    // Serves the clipboard reads of the watcher until its list file shows up.
    String Liste() const { return ordner + "Zahlen_aus_der_Zwischenablage.txt"; }
    bool Liste_abwarten()
    {
        const String liste = Liste();
        for (int i = 0; i < 100 && !FileExists(liste); ++i) {
            Application->ProcessMessages();
            Sleep(100);
        }
        return FileExists(liste);
    }

    std::unique_ptr<TVirtualClockGuard> uhr;
    std::shared_ptr<THeadlessClipboard> ablage = std::make_shared<THeadlessClipboard>();
    std::shared_ptr<IClipboard> vorige_Ablage;
    std::unique_ptr<TForm1> form;
};

TEST_F(AblageTest, TickStartsTheWatcherAndUntickEndsIt)
{
    ablage->SetText("Tipp: 13 2");
    form->CheckBox22->SetChecked(true);  // OnClick

    ASSERT_TRUE(form->t_Zwischenablage);
    EXPECT_FALSE(form->t_Zwischenablage->Suspended());
    EXPECT_TRUE(form->TrayIcon3->Visible());
    EXPECT_EQ(form->TrayIcon3->BalloonsShown(), 1);
    EXPECT_EQ(form->TrayIcon3->BalloonTitle(), "Quenzel 2009");
    EXPECT_EQ(form->TrayIcon3->BalloonHint(), "Die Zwischenablage wird überwacht!");
    ASSERT_TRUE(Liste_abwarten());
    EXPECT_EQ(ReadFileBytes(Liste()), "13\n2\n");
    EXPECT_FALSE(form->t_Zwischenablage->Finished());

    form->CheckBox22->SetChecked(false);
    EXPECT_FALSE(form->TrayIcon3->Visible());
    EXPECT_TRUE(form->t_Zwischenablage->Terminated());
    form->t_Zwischenablage->WaitFor();  // ends at its next look at the box
    EXPECT_TRUE(form->t_Zwischenablage->Finished());
    EXPECT_EQ(form->TrayIcon3->BalloonsShown(), 1);
}

TEST_F(AblageTest, QuickUntickAndTickEndsTheOldWatcherAndStartsAFreshList)
{
    ablage->SetText("13 2");
    form->CheckBox22->SetChecked(true);
    ASSERT_TRUE(Liste_abwarten());
    const ThreadCheckZwischenablage* erster = form->t_Zwischenablage.get();

    // Ticked again before the first watcher looked at the box: it must still end, or the slot
    // that frees it would wait forever.
    form->CheckBox22->SetChecked(false);
    form->CheckBox22->SetChecked(true);
    ASSERT_TRUE(form->t_Zwischenablage);
    EXPECT_NE(form->t_Zwischenablage.get(), erster);
    EXPECT_FALSE(form->t_Zwischenablage->Suspended());

    ablage->SetText("7");
    ASSERT_TRUE(DeleteFile(Liste()));
    ASSERT_TRUE(Liste_abwarten());
    EXPECT_EQ(ReadFileBytes(Liste()), "7\n");  // the new watcher starts with an empty list
}

// The update button against a local HTTP server.
class UpdateKnopfTest : public ProgrammordnerTest {
protected:
    void SetUp() override
    {
        uhr = std::make_unique<TVirtualClockGuard>(EncodeDate(2009, 2, 9) + EncodeTime(12, 0, 0, 0));
        ProgrammordnerTest::SetUp();
        ASSERT_TRUE(ForceDirectories(ordner + "www/ftp"));
        // Copies: the grey-out writes its backups next to the pictures.
        ASSERT_TRUE(ForceDirectories(ordner + "gifs"));
        for (const char* b : {"web_search24.gif", "web_search24_d.gif"})
            std::filesystem::copy_file(BILDER / b, std::filesystem::path(ordner) / "gifs" / b);
        server = std::make_unique<TestServer>("http_server.py", std::vector<std::string>{ordner + "www"});
        const char* alt = std::getenv("RAVELO_WEB_HOST");
        if (alt) alter_Host = alt;
        setenv("RAVELO_WEB_HOST", ("127.0.0.1:" + IntToStr(server->Port())).c_str(), 1);
        form = Hauptfenster_bauen();
        schreibe("dorov_zahlen.txt", {"01.02.09,1,2,3,4,5,6,7"});
    }
    void TearDown() override
    {
        form.reset();
        ftp_download = true;
        alter_Host.empty() ? unsetenv("RAVELO_WEB_HOST") : setenv("RAVELO_WEB_HOST", alter_Host.c_str(), 1);
        server.reset();
        ProgrammordnerTest::TearDown();
        uhr.reset();
    }

    std::unique_ptr<TVirtualClockGuard> uhr;
    std::unique_ptr<TestServer> server;
    String alter_Host;
    std::unique_ptr<TForm1> form;
};

TEST_F(UpdateKnopfTest, WebRouteUpdatesTheArchiveAndRestoresTheWindow)
{
    AtomicWriteFile(ordner + "www/ftp/dorov_zahlen.html",
                    "<zahlen>\n04.02.09,7,14,21,28,35,42,49\n</zahlen>\n");
    schreibe("environment.ini", {"[Archiv]", "Download=html"});
    form->lese_Umgebung();
    ASSERT_FALSE(ftp_download);
    form->CheckBox21->SetEnabled(false);
    form->zaehler_Image24 = 3;

    form->Image24->Click();

    ASSERT_TRUE(form->t_Update);
    EXPECT_TRUE(form->t_Update->Finished());
    EXPECT_EQ(ReadFileBytes(ordner + "dorov_zahlen.txt"), "04.02.09,7,14,21,28,35,42,49\n");
    EXPECT_TRUE(FileExists(ordner + "grau.ini"));  // the window was greyed out meanwhile
    EXPECT_EQ(grau_aktiv, 0);
    EXPECT_TRUE(form->Image24->Enabled());
    EXPECT_FALSE(form->CheckBox21->Enabled());  // as it was before
    EXPECT_TRUE(form->CheckBox1->Enabled());
    EXPECT_FALSE(form->Animate2->Visible());
    EXPECT_EQ(form->Image24->Picture()->Bytes(), ReadFileBytes(ordner + "gifs/web_search24.gif"));
    EXPECT_EQ(form->zaehler_Image24, 0);
}

TEST_F(UpdateKnopfTest, WithoutTheWebRouteNoJobStartsAndTheWindowComesBack)
{
    ASSERT_TRUE(ftp_download);
    form->Image24->Click();
    EXPECT_FALSE(form->t_Update);
    EXPECT_EQ(grau_aktiv, 0);
    EXPECT_TRUE(form->Image24->Enabled());
    EXPECT_EQ(ReadFileBytes(ordner + "dorov_zahlen.txt"), "01.02.09,1,2,3,4,5,6,7\n");
}

}  // namespace
