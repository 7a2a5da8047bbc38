#include <gtest/gtest.h>

#include "rtl/Clock.h"
#include "rtl/MainThread.h"
#include "zub/Dialogs.h"
#include "zub/Forms.h"

namespace {

// Notes on which thread each box was shown.
class TThreadNotingDialogs : public THeadlessDialogs {
public:
    int MessageBox(const TDialogRequest& r) override
    {
        onMainThread.push_back(IsMainThread());
        return THeadlessDialogs::MessageBox(r);
    }
    std::vector<bool> onMainThread;
};

class ZubDialogs : public ::testing::Test {
protected:
    void SetUp() override
    {
        Application->Initialize();
        previous = SetDialogs(dialogs);
    }
    void TearDown() override { SetDialogs(previous); }
    TVirtualClockGuard clock{EncodeDate(2009, 8, 12)};
    std::shared_ptr<TThreadNotingDialogs> dialogs = std::make_shared<TThreadNotingDialogs>();
    std::shared_ptr<IDialogs> previous;
};

struct TBoxCase {
    const char* name;
    int flags;
    std::vector<int> script;  // empty: unscripted
    int expected;
    TMsgDlgButtons buttons;
    TMsgDlgType type;
};

void PrintTo(const TBoxCase& c, std::ostream* os) { *os << c.name; }

class ZubMessageBoxes : public ZubDialogs, public ::testing::WithParamInterface<TBoxCase> {};

TEST_P(ZubMessageBoxes, AnswerFromTheScriptOrTheCancellingChoice)
{
    const TBoxCase& c = GetParam();
    for (int a : c.script) dialogs->AddAnswer(a);
    int r = MessageBox("Möchten Sie die Zahlen aktualisieren?", "Info", c.flags);
    EXPECT_EQ(r, c.expected);
    auto shown = dialogs->Shown();
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].Title, "Info");
    EXPECT_EQ(shown[0].Text, "Möchten Sie die Zahlen aktualisieren?");
    EXPECT_EQ(shown[0].Buttons, c.buttons);
    EXPECT_EQ(shown[0].Type, c.type);
}

INSTANTIATE_TEST_SUITE_P(
    Zub, ZubMessageBoxes,
    ::testing::Values(
        TBoxCase{"OkInfo", MB_OK | MB_ICONINFORMATION, {}, IDOK, mbOK, mtInformation},
        TBoxCase{
            "YesNoScriptedYes", MB_YESNO | MB_ICONQUESTION, {mrYes}, IDYES, mbYes | mbNo, mtConfirmation},
        TBoxCase{"YesNoUnscripted", MB_YESNO | MB_ICONQUESTION, {}, IDNO, mbYes | mbNo, mtConfirmation},
        TBoxCase{"YesNoCancelUnscripted",
                 MB_YESNOCANCEL | MB_ICONWARNING,
                 {},
                 IDCANCEL,
                 mbYes | mbNo | mbCancel,
                 mtWarning},
        TBoxCase{"OkCancelScripted", MB_OKCANCEL | MB_ICONERROR, {mrOk}, IDOK, mbOK | mbCancel, mtError}),
    [](const auto& info) { return String(info.param.name); });

TEST_F(ZubDialogs, ScriptAnswersInOrderAndMessageDlgTakesTheTitle)
{
    Application->SetTitle("Beispiel 2009");
    dialogs->AddAnswer(mrNo);
    dialogs->AddAnswer(mrYes);
    EXPECT_EQ(MessageDlg("erste", mtConfirmation, mbYes | mbNo), mrNo);
    EXPECT_EQ(MessageDlg("zweite", mtConfirmation, mbYes | mbNo), mrYes);
    auto shown = dialogs->Shown();
    ASSERT_EQ(shown.size(), 2u);
    EXPECT_EQ(shown[1].Title, "Beispiel 2009");
    EXPECT_EQ(shown[1].Text, "zweite");
    Application->SetTitle("");
}

class TAsker : public TThread {
public:
    TAsker() : TThread(true) {}
    int answer = 0;

protected:
    void Execute() override
    {
        answer = MessageDlg("Zwischenablage verwenden?", mtConfirmation, mbYes | mbNo);
    }
};

TEST_F(ZubDialogs, BoxAskedOnAWorkerIsShownOnTheUserInterfaceThread)
{
    dialogs->AddAnswer(mrYes);
    TAsker asker;
    asker.Resume();
    asker.WaitFor();  // runs the queued box meanwhile
    EXPECT_EQ(asker.answer, mrYes);
    EXPECT_EQ(dialogs->onMainThread, std::vector<bool>{true});
    EXPECT_EQ(dialogs->Shown().at(0).Text, "Zwischenablage verwenden?");
}

TEST_F(ZubDialogs, WorkerWaitsWhileTheMessageLoopRuns)
{
    dialogs->AddAnswer(mrNo);
    TAsker asker;
    asker.OnTerminate = [](TObject*) { Application->Terminate(); };
    asker.Resume();
    Application->Run();  // the box and then OnTerminate arrive through the loop
    asker.WaitFor();
    EXPECT_EQ(asker.answer, mrNo);
    EXPECT_EQ(dialogs->onMainThread, std::vector<bool>{true});
}

TEST_F(ZubDialogs, PrintDialogAnswersFromItsScriptAndCancelsOtherwise)
{
    TPrintDialog print(nullptr);
    dialogs->AddPrintAnswer(true);
    EXPECT_TRUE(print.Execute());
    EXPECT_FALSE(print.Execute());
    EXPECT_EQ(dialogs->PrintDialogsShown(), 2);
}

TEST_F(ZubDialogs, ExceptionBoxShowsTheMessage)
{
    try {
        throw EConvertError("'x' ist keine Zahl");
    } catch (...) {
        Application->HandleException();
    }
    try {
        throw 42;  // no exception object: an empty message
    } catch (...) {
        Application->HandleException();
    }
    try {
        throw EAbort("still");
    } catch (...) {
        Application->HandleException();
    }
    auto shown = dialogs->Shown();
    ASSERT_EQ(shown.size(), 2u);
    EXPECT_EQ(shown[0].Text, "'x' ist keine Zahl");
    EXPECT_EQ(shown[0].Type, mtError);
    EXPECT_EQ(shown[1].Text, "");
}

}  // namespace
