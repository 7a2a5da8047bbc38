#include <gtest/gtest.h>

#include "rtl/Clock.h"
#include "zub/ComCtrls.h"
#include "zub/ExtCtrls.h"
#include "zub/Forms.h"

namespace {

class TDialog : public TForm {
public:
    explicit TDialog(TComponent* owner) : TForm(owner)
    {
        ok = new TButton(this);
        ok->SetParent(this);
        ok->SetModalResult(mrOk);
        cancel = new TButton(this);
        cancel->SetParent(this);
        cancel->OnClick = [this](TObject*) { Close(); };
    }
    TButton* ok;
    TButton* cancel;
};

class ZubForms : public ::testing::Test {
protected:
    void SetUp() override { Application->Initialize(); }
    void TearDown() override { SetModalHook(nullptr); }
    TVirtualClockGuard clock{EncodeDate(2009, 8, 12)};
};

TEST_F(ZubForms, ShowModalEndsWithTheButtonsResult)
{
    TDialog dialog(nullptr);
    int shows = 0;
    dialog.OnShow = [&](TObject*) { ++shows; };
    SetModalHook([](TForm& f) { static_cast<TDialog&>(f).ok->Click(); });
    EXPECT_EQ(dialog.ShowModal(), mrOk);
    EXPECT_FALSE(dialog.Visible());
    EXPECT_EQ(shows, 1);

    SetModalHook([](TForm& f) { static_cast<TDialog&>(f).cancel->Click(); });
    EXPECT_EQ(dialog.ShowModal(), mrCancel);  // Close on a modal form: cancelled
}

TEST_F(ZubForms, ModalLoopKeepsTimersRunning)
{
    TDialog dialog(nullptr);
    TTimer timer(nullptr);
    timer.SetInterval(500);
    timer.OnTimer = [&](TObject*) { dialog.SetModalResult(mrYes); };
    EXPECT_EQ(dialog.ShowModal(), mrYes);
    EXPECT_EQ(clock.clock().ElapsedMs(), 500);
}

TEST_F(ZubForms, OnCloseMayRefuse)
{
    TDialog dialog(nullptr);
    bool allow = false;
    dialog.OnClose = [&](TObject*, TCloseAction& a) {
        if (!allow) a = caNone;
    };
    dialog.Show();
    dialog.Close();
    EXPECT_TRUE(dialog.Visible());
    allow = true;
    dialog.Close();
    EXPECT_FALSE(dialog.Visible());
}

class TMainForm : public TForm {
public:
    explicit TMainForm(TComponent* owner);
    TButton* quit;
};

TMainForm* MainFormGlobal = nullptr;
bool GlobalSetInConstructor = false;

TMainForm::TMainForm(TComponent* owner) : TForm(owner)
{
    GlobalSetInConstructor = MainFormGlobal == this;
    quit = new TButton(this);
    quit->SetParent(this);
    quit->OnClick = [this](TObject*) { Close(); };
}

TEST_F(ZubForms, ClosingTheMainFormEndsRun)
{
    Application->CreateForm(MainFormGlobal);
    ASSERT_NE(MainFormGlobal, nullptr);
    EXPECT_TRUE(GlobalSetInConstructor);
    EXPECT_EQ(Application->MainForm(), MainFormGlobal);
    EXPECT_EQ(MainFormGlobal->Owner(), Application);
    TTimer press(nullptr);
    press.SetInterval(30);
    press.OnTimer = [](TObject*) { MainFormGlobal->quit->Click(); };
    Application->Run();  // shows the main form, ends when it closes
    EXPECT_FALSE(MainFormGlobal->Visible());
    delete MainFormGlobal;
    MainFormGlobal = nullptr;
    EXPECT_EQ(Application->MainForm(), nullptr);
}

class TThrowingForm : public TForm {
public:
    explicit TThrowingForm(TComponent* owner) : TForm(owner) { throw EFOpenError("profile.txt fehlt"); }
};

TEST_F(ZubForms, FailedConstructionLeavesNoForm)
{
    TThrowingForm* f = reinterpret_cast<TThrowingForm*>(1);
    int before = Application->ComponentCount();
    EXPECT_THROW(Application->CreateForm(f), EFOpenError);
    EXPECT_EQ(f, nullptr);
    EXPECT_EQ(Application->ComponentCount(), before);
}

TEST_F(ZubForms, ScreenCentredFormIsPlacedWhenShown)
{
    TForm f(nullptr);
    f.SetBounds(0, 0, 404, 204);
    f.SetPosition(poScreenCenter);
    f.Show();
    EXPECT_EQ(f.Left(), (Screen->Width() - 404) / 2);
    EXPECT_EQ(f.Top(), (Screen->Height() - 204) / 2);
}

TEST_F(ZubForms, HandlerExceptionInTheLoopReachesTheExceptionBox)
{
    auto dialogs = std::make_shared<THeadlessDialogs>();
    auto previous = SetDialogs(dialogs);
    TTimer t(nullptr);
    t.SetInterval(10);
    int n = 0;
    t.OnTimer = [&](TObject*) {
        if (++n == 1) throw EConvertError("kaputt");
        Application->Terminate();
    };
    Application->Run();
    SetDialogs(previous);
    ASSERT_EQ(dialogs->Shown().size(), 1u);
    EXPECT_EQ(dialogs->Shown()[0].Text, "kaputt");
}

struct TPickerCase {
    const char* name;
    TDTDateFormat format;
    String text;
};

void PrintTo(const TPickerCase& c, std::ostream* os) { *os << c.name; }

class ZubDatePicker : public ::testing::TestWithParam<TPickerCase> {};

TEST_P(ZubDatePicker, ShowsTheDateInItsFormat)
{
    TDateTimePicker p(nullptr);
    p.SetDateFormat(GetParam().format);
    p.SetDateTime(EncodeDate(2009, 8, 12) + EncodeTime(10, 30, 0, 0));
    EXPECT_EQ(p.Text(), GetParam().text);
    EXPECT_EQ(p.Date(), EncodeDate(2009, 8, 12));
}

INSTANTIATE_TEST_SUITE_P(Zub, ZubDatePicker,
                         ::testing::Values(TPickerCase{"Short", dfShort, "12.08.2009"},
                                           TPickerCase{"Long", dfLong, "Mittwoch, 12. August 2009"}),
                         [](const auto& info) { return String(info.param.name); });

TEST(ZubDatePickerEvents, OnlyUserChangesFireOnChange)
{
    TDateTimePicker p(nullptr);
    int changes = 0;
    p.OnChange = [&](TObject*) { ++changes; };
    p.SetDateTime(EncodeDate(2009, 8, 12));
    p.UserSetDateTime(EncodeDate(2009, 8, 15));
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(p.Date(), EncodeDate(2009, 8, 15));
}

TEST(ZubBars, TrackBarClampsAndProgressBarSteps)
{
    TTrackBar t(nullptr);
    t.SetMin(18);
    t.SetMax(30);
    int changes = 0;
    t.OnChange = [&](TObject*) { ++changes; };
    t.SetPosition(20);
    t.SetPosition(40);
    EXPECT_EQ(t.Position(), 30);
    EXPECT_EQ(changes, 2);

    TProgressBar p(nullptr);
    p.SetMax(10);
    p.SetStep(1);
    for (int i = 0; i < 10; ++i) p.StepIt();
    EXPECT_EQ(p.Position(), 10);
    p.StepIt();  // past the end: starts over
    EXPECT_EQ(p.Position(), 1);
    p.SetPosition(-5);
    EXPECT_EQ(p.Position(), 0);
}

}  // namespace
