// The main window goes while a worker still runs: the worker is neither stopped nor waited for,
// and its next call on the window ends it instead of reaching freed memory.
#include <gtest/gtest.h>

#include <atomic>
#include <memory>

#include "FormTestbasis.h"
#include "Schritt1Fenster.h"
#include "Schrittfenster.h"
#include "Threadzahlenvergleichen.h"
#include "Updatefenster.h"
#include "rtl/Clock.h"

namespace {

// Takes the installed views once at its start, as the program's workers do, then sleeps and
// calls the view chosen by the test.
class SpaeterArbeiter : public TThread {
public:
    explicit SpaeterArbeiter(int welcher) : TThread(true), FWelcher(welcher) {}
    std::atomic<bool> geholt{false};
    std::atomic<bool> fertig{false};

protected:
    void Execute() override
    {
        ISchritt1Fenster* s1 = Schritt1Fenster();
        ISchrittFenster* s = SchrittFenster();
        IVergleichFenster* v = VergleichFenster();
        IUpdateFenster* u = UpdateFenster();
        IZwischenablageFenster* z = ZwischenablageFenster();
        geholt = true;
        Sleep(1000);
        switch (FWelcher) {
        case 0: s1->Label(3, "spaet"); break;
        case 1: s->Edit_setzen(2, "spaet"); break;
        case 2: v->ListBox1({"spaet"}, "1", "0", "0"); break;
        case 3: u->Label1("spaet"); break;
        case 4: (void)z->CheckBox22(); break;
        }
        fertig = true;
    }

private:
    int FWelcher;
};

class AbbauTest : public ProgrammordnerTest {};

}  // namespace

TEST_F(AbbauTest, ComparisonStillWaitingForStartUpEndsWhenTheWindowGoes)
{
    TVirtualClockGuard uhr(EncodeDate(2009, 8, 12) + EncodeTime(10, 0, 0, 0));
    auto form = Hauptfenster_bauen();
    // The comparison waits while start-up runs, asking the window every 100 ms.
    form->start_laeuft = true;
    form->t_Vergleich.reset(new ThreadZahlenVergleichen(false));
    ThreadZahlenVergleichen* vergleich = form->t_Vergleich.get();
    // Virtual time moves only once the comparison sleeps in its wait, so by then it has taken
    // the window and asked it at least once (its running flag alone is set before that).
    ASSERT_TRUE(
        Clock().WaitUntil([&] { return vergleich->laeuft() && uhr.clock().ElapsedMs() >= 100; }, 10000));

    form.reset();  // leaves the running comparison alone
    EXPECT_EQ(VergleichFenster(), nullptr);

    std::unique_ptr<ThreadZahlenVergleichen> frei(vergleich);  // the window gave it up
    vergleich->WaitFor();
    ASSERT_TRUE(vergleich->FatalException());
    EXPECT_THROW(std::rethrow_exception(vergleich->FatalException()), EFensterGeschlossen);
}

TEST_F(AbbauTest, WorkerCallingAViewAfterTheWindowWentEndsWithoutTouchingIt)
{
    for (int welcher = 0; welcher < 5; ++welcher) {
        SCOPED_TRACE(welcher);
        TVirtualClockGuard uhr(EncodeDate(2009, 8, 12) + EncodeTime(10, 0, 0, 0));
        auto form = Hauptfenster_bauen();
        SpaeterArbeiter arbeiter(welcher);
        arbeiter.Resume();
        ASSERT_TRUE(Clock().WaitUntil([&] { return arbeiter.geholt.load(); }, 10000));

        form.reset();  // the worker sleeps meanwhile
        EXPECT_EQ(Schritt1Fenster(), nullptr);
        EXPECT_EQ(SchrittFenster(), nullptr);

        arbeiter.WaitFor();
        EXPECT_FALSE(arbeiter.fertig);
        ASSERT_TRUE(arbeiter.FatalException());
        EXPECT_THROW(std::rethrow_exception(arbeiter.FatalException()), EFensterGeschlossen);
    }
}

TEST_F(AbbauTest, ViewsOnALiveWindowStillReachIt)
{
    TVirtualClockGuard uhr(EncodeDate(2009, 8, 12) + EncodeTime(10, 0, 0, 0));
    auto form = Hauptfenster_bauen();
    SpaeterArbeiter arbeiter(3);
    arbeiter.Resume();
    arbeiter.WaitFor();
    EXPECT_TRUE(arbeiter.fertig);
    EXPECT_FALSE(arbeiter.FatalException());
    EXPECT_EQ(form->Label1->Caption(), "spaet");
}
