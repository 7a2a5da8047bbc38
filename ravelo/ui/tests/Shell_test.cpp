// The main window's shell: the keys F1 and F9, the close button, the tray button, the tray icon's
// menu and its two entries, on a headless window with the shell recording.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <vector>

#include "FormTestbasis.h"
#include "rtl/Clock.h"
#include "rtl/IniFiles.h"
#include "zub/Notices.h"
#include "zub/ShellApi.h"

namespace {

class ShellTest : public ProgrammordnerTest {
protected:
    void SetUp() override
    {
        ProgrammordnerTest::SetUp();
        shell = std::make_shared<THeadlessShell>();
        alte_shell = SetShell(shell);
        form = Hauptfenster_bauen();
        ASSERT_TRUE(DeleteFile(Umgebungsdatei()) ||
                    !FileExists(Umgebungsdatei()));  // only the handler under test may write it
        form->Show();
        // The window sets no close handler of its own: this one only counts.
        ASSERT_FALSE(form->OnClose);
        form->OnClose = [this](TObject*, TCloseAction&) {
            ++geschlossen;
            einstellungen_beim_Schliessen = FileExists(Umgebungsdatei());
        };
    }
    void TearDown() override
    {
        form.reset();
        SetShell(alte_shell);
        ProgrammordnerTest::TearDown();
    }

    String Umgebungsdatei() const { return ordner + "environment.ini"; }
    void Taste(unsigned short taste)
    {
        unsigned short k = taste;
        form->KeyDown(k, {});
    }

    // Declared first: the clock is installed before the window is built and removed after it.
    TVirtualClockGuard uhr{EncodeDate(2009, 8, 12) + EncodeTime(12, 0, 0, 0)};
    std::shared_ptr<THeadlessShell> shell;
    std::shared_ptr<IShell> alte_shell;
    std::unique_ptr<TForm1> form;
    int geschlossen = 0;
    bool einstellungen_beim_Schliessen = false;
};

TEST_F(ShellTest, F9ClosesTheWindowWithoutWritingTheSettings)
{
    Taste(VK_F9);
    EXPECT_EQ(geschlossen, 1);
    EXPECT_FALSE(form->Visible());
    EXPECT_FALSE(FileExists(Umgebungsdatei()));
    EXPECT_TRUE(shell->Requests().empty());
}

TEST_F(ShellTest, CloseButtonWritesTheSettingsThenClosesTheWindow)
{
    form->CheckBox21->SetChecked(true);
    form->SpeedButton1->Click();
    EXPECT_EQ(geschlossen, 1);
    EXPECT_TRUE(einstellungen_beim_Schliessen);
    EXPECT_FALSE(form->Visible());
    ASSERT_TRUE(FileExists(Umgebungsdatei()));
    TIniFile ini(Umgebungsdatei());
    EXPECT_EQ(ini.ReadString("Archiv", "CheckBox21", ""), "true");
}

TEST_F(ShellTest, F1OpensTheHelpPageRelativeToTheWorkingDirectory)
{
    Taste(VK_F1);
    const auto anfragen = shell->Requests();
    ASSERT_EQ(anfragen.size(), 1u);
    EXPECT_EQ(anfragen[0].Owner, form.get());
    EXPECT_EQ(anfragen[0].Verb, "open");
    EXPECT_EQ(anfragen[0].File, "help\\Quenzel_2009.chm");  // not below the program folder
    EXPECT_EQ(anfragen[0].Directory, "");
    EXPECT_EQ(anfragen[0].Parameters, "");
    EXPECT_EQ(anfragen[0].ShowCmd, SW_SHOWNORMAL);
    EXPECT_EQ(geschlossen, 0);
}

TEST_F(ShellTest, OtherKeysDoNothing)
{
    for (unsigned short taste : {VK_F2, VK_F5, VK_F12, static_cast<unsigned short>('A')}) {
        SCOPED_TRACE(taste);
        Taste(taste);
    }
    EXPECT_EQ(geschlossen, 0);
    EXPECT_TRUE(form->Visible());
    EXPECT_TRUE(shell->Requests().empty());
}

TEST_F(ShellTest, TrayButtonShowsTheTrayIconAndItsBalloonAndHidesTheWindow)
{
    ASSERT_FALSE(form->TrayIcon1->Visible());
    form->SpeedButton2->Click();
    EXPECT_TRUE(form->TrayIcon1->Visible());
    EXPECT_EQ(form->TrayIcon1->BalloonsShown(), 1);
    EXPECT_FALSE(form->Visible());
    EXPECT_EQ(geschlossen, 0);  // hidden, not closed
}

TEST_F(ShellTest, EachTrayClickPopsTheMenuUpAtTheCursorForTheWindowInFront)
{
    std::vector<String> anfragen;
    TForm1* f = form.get();
    auto alter_beobachter = Notices().SetObserver([&](const TNotice& n) {
        if (n.Sender == f && n.Prop == TProp::Request) anfragen.push_back(n.Text);
    });
    form->SpeedButton2->Click();
    const TPoint alte_maus = Screen->CursorPos();

    struct Klick {
        const char* name;
        void (TTrayIcon::*klick)();
        TPoint maus;
    };
    const Klick klicks[] = {{"click", &TTrayIcon::Click, {300, 200}},
                            {"double-click", &TTrayIcon::DblClick, {640, 480}}};
    int n = 0;
    for (const Klick& k : klicks) {
        SCOPED_TRACE(k.name);
        Screen->SetCursorPos(k.maus);
        (form->TrayIcon1->*k.klick)();
        ++n;
        EXPECT_EQ(form->PopupMenu1->PopupCount(), n);
        EXPECT_EQ(form->PopupMenu1->PopupPoint().X, k.maus.X);
        EXPECT_EQ(form->PopupMenu1->PopupPoint().Y, k.maus.Y);
        EXPECT_EQ(form->PopupMenu1->PopupComponent(), form.get());
    }
    Screen->SetCursorPos(alte_maus);
    Notices().Drain();
    Notices().SetObserver(alter_beobachter);
    EXPECT_EQ(std::count(anfragen.begin(), anfragen.end(), String("front")), 2);
    EXPECT_FALSE(form->Visible());  // popping the menu up does not restore the window
}

TEST_F(ShellTest, MenuRestoreHidesTheTrayIconAndShowsTheWindow)
{
    form->SpeedButton2->Click();
    form->Wiederherstellen1->Click();
    EXPECT_FALSE(form->TrayIcon1->Visible());
    EXPECT_TRUE(form->Visible());
    EXPECT_EQ(geschlossen, 0);
}

TEST_F(ShellTest, MenuQuitHidesTheTrayIconAndClosesWithoutWritingTheSettings)
{
    form->SpeedButton2->Click();
    form->Wiederherstellen1->Click();
    form->SpeedButton2->Click();
    form->Beenden1->Click();
    EXPECT_FALSE(form->TrayIcon1->Visible());
    EXPECT_EQ(geschlossen, 1);
    EXPECT_FALSE(form->Visible());
    EXPECT_FALSE(FileExists(Umgebungsdatei()));
}

}  // namespace
