#include <gtest/gtest.h>

#include "rtl/MainThread.h"
#include "zub/Clipbrd.h"
#include "zub/ComCtrls.h"
#include "zub/ExtCtrls.h"
#include "zub/Menus.h"
#include "zub/Printers.h"
#include "zub/ShellApi.h"

namespace {

TEST(ZubClipboard, KeepsTextAndAFailedReadCountsAsEmpty)
{
    auto board = std::make_shared<THeadlessClipboard>();
    auto previous = SetClipboardService(board);
    EXPECT_EQ(Clipboard()->AsText(), "");
    EXPECT_FALSE(Clipboard()->HasText());
    Clipboard()->SetAsText("3 17 22");
    EXPECT_EQ(Clipboard()->AsText(), "3 17 22");
    board->SetFailing(true);
    EXPECT_EQ(Clipboard()->AsText(), "");
    board->SetFailing(false);
    EXPECT_EQ(Clipboard()->AsText(), "3 17 22");
    SetClipboardService(previous);
}

TEST(ZubPrinting, RichEditPrintsItsLinesAsOneTitledJob)
{
    auto printer = std::make_shared<THeadlessPrinter>();
    auto previous = SetPrinter(printer);
    TRichEdit rich(nullptr);
    rich.Lines()->Add("1.3, 7, 12, 25, 33, 41 -0 0");
    rich.Lines()->Add("2.1, 2, 3, 4, 5, 6 -0 0");
    rich.Print("Beispiel 2009");
    SetPrinter(previous);
    auto jobs = printer->Jobs();
    ASSERT_EQ(jobs.size(), 1u);
    EXPECT_EQ(jobs[0].Title, "Beispiel 2009");
    EXPECT_EQ(jobs[0].Lines, (std::vector<String>{"1.3, 7, 12, 25, 33, 41 -0 0", "2.1, 2, 3, 4, 5, 6 -0 0"}));
}

TEST(ZubShell, RequestsAreRecorded)
{
    auto shell = std::make_shared<THeadlessShell>();
    auto previous = SetShell(shell);
    EXPECT_GT(ShellExecute(nullptr, "open", "help\\Beispiel_2009.chm", "", "", SW_SHOWNORMAL), 32);
    SetShell(previous);
    auto r = shell->Requests();
    ASSERT_EQ(r.size(), 1u);
    EXPECT_EQ(r[0].Verb, "open");
    EXPECT_EQ(r[0].File, "help\\Beispiel_2009.chm");
    EXPECT_EQ(r[0].ShowCmd, SW_SHOWNORMAL);
}

TEST(ZubTrayIcon, BalloonAndClicksAndFreedMenu)
{
    TTrayIcon tray(nullptr);
    tray.SetBalloonTitle("Beispiel 2009");
    tray.SetBalloonHint("Wartet im Hintergrund!");
    tray.ShowBalloonHint();
    tray.ShowBalloonHint();
    EXPECT_EQ(tray.BalloonsShown(), 2);
    int clicks = 0;
    tray.OnClick = [&](TObject*) { ++clicks; };
    tray.Click();
    EXPECT_EQ(clicks, 1);

    auto* menu = new TPopupMenu(nullptr);
    tray.SetPopupMenu(menu);
    menu->Popup(100, 200);
    EXPECT_EQ(menu->PopupCount(), 1);
    EXPECT_EQ(menu->PopupPoint(), (TPoint{100, 200}));
    delete menu;
    EXPECT_EQ(tray.PopupMenu(), nullptr);
}

}  // namespace

namespace {

// Notes whether the clipboard was touched on the user-interface thread.
class TThreadNotingClipboard : public THeadlessClipboard {
public:
    bool GetText(String& text) override
    {
        onMainThread.push_back(IsMainThread());
        return THeadlessClipboard::GetText(text);
    }
    std::vector<bool> onMainThread;
};

class TClipboardReader : public TThread {
public:
    TClipboardReader() : TThread(true) {}
    String text;

protected:
    void Execute() override { text = Clipboard()->AsText(); }
};

TEST(ZubClipboard, WorkerReadsThroughTheUserInterfaceThread)
{
    SetMainThread();
    auto board = std::make_shared<TThreadNotingClipboard>();
    auto previous = SetClipboardService(board);
    board->SetText("7 13 49");
    TClipboardReader reader;
    reader.Resume();
    reader.WaitFor();
    SetClipboardService(previous);
    EXPECT_EQ(reader.text, "7 13 49");
    EXPECT_EQ(board->onMainThread, std::vector<bool>{true});
}

}  // namespace
