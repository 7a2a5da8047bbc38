#include <gtest/gtest.h>

#include <functional>
#include <memory>

#include "Thread_Sarnik.h"
#include "Thread_hompage_holen.h"
#include "Threadcheckzwischenablage.h"
#include "Threadschritt1.h"
#include "Threadschritt2.h"
#include "Threadschritt3.h"
#include "Threadstriphompage.h"
#include "Threadzahlenvergleichen.h"
#include "Update_zahlen.h"
#include "rtl/Debug.h"

namespace {

struct Threadfall {
    const char* name;
    std::function<std::unique_ptr<TArbeitsThread>(bool)> erzeuge;
    bool meldet_Start;
};

void PrintTo(const Threadfall& f, std::ostream* os) { *os << f.name; }

template <class T>
std::function<std::unique_ptr<TArbeitsThread>(bool)> fabrik()
{
    return [](bool angehalten) { return std::make_unique<T>(angehalten); };
}

class ThreadformTest : public ::testing::TestWithParam<Threadfall> {};

TEST_P(ThreadformTest, CreatedSuspendedTracesAndClearsItsFlag)
{
    const Threadfall& f = GetParam();
    TDebugCapture spur;
    auto t = f.erzeuge(true);
    EXPECT_TRUE(spur.Contains(String(f.name) + " angelegt..."));
    EXPECT_FALSE(t->laeuft());
    EXPECT_TRUE(t->Suspended());
    EXPECT_FALSE(spur.Contains(String(f.name) + " gestartet..."));

    t->Resume();
    t->WaitFor();
    EXPECT_EQ(spur.Contains(String(f.name) + " gestartet..."), f.meldet_Start);
    EXPECT_FALSE(t->laeuft());
    EXPECT_EQ(t->FatalException(), nullptr);
}

TEST_P(ThreadformTest, CreatedRunningStartsOnlyWhenComplete)
{
    const Threadfall& f = GetParam();
    TDebugCapture spur;
    auto t = f.erzeuge(false);
    EXPECT_FALSE(t->Suspended());
    t->WaitFor();
    EXPECT_EQ(spur.Contains(String(f.name) + " gestartet..."), f.meldet_Start);
    EXPECT_EQ(t->FatalException(), nullptr);
}

INSTANTIATE_TEST_SUITE_P(
    Klassen, ThreadformTest,
    ::testing::Values(Threadfall{"ThreadSchritt1", fabrik<ThreadSchritt1>(), true},
                      Threadfall{"ThreadSchritt2", fabrik<ThreadSchritt2>(), true},
                      Threadfall{"ThreadSchritt3", fabrik<ThreadSchritt3>(), true},
                      Threadfall{"Thread_Sarnik", fabrik<Thread_Sarnik>(), true},
                      Threadfall{"ThreadZahlenVergleichen", fabrik<ThreadZahlenVergleichen>(), true},
                      Threadfall{"ThreadCheckZwischenablage", fabrik<ThreadCheckZwischenablage>(), false},
                      Threadfall{"Update_Zahlen", fabrik<Update_Zahlen>(), true},
                      Threadfall{"Thread_Hompage_holen", fabrik<Thread_Hompage_holen>(), true},
                      Threadfall{"ThreadStripHompage", fabrik<ThreadStripHompage>(), true}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(KinderBeenden, DriverTerminatesEachChildThatIsSet)
{
    auto treiber = std::make_unique<Thread_Sarnik>(true);
    treiber->t_Schritt[1] = std::make_unique<ThreadSchritt1>(true);
    treiber->t_Schritt[3] = std::make_unique<ThreadSchritt3>(true);
    treiber->Kinder_beenden(treiber.get());
    EXPECT_TRUE(treiber->t_Schritt[1]->Terminated());
    EXPECT_TRUE(treiber->t_Schritt[3]->Terminated());
    EXPECT_FALSE(treiber->t_Schritt[2]);
    EXPECT_FALSE(treiber->Terminated());
}

TEST(KinderBeenden, UpdateJobTerminatesEachChildThatIsSet)
{
    auto job = std::make_unique<Update_Zahlen>(true);
    job->Kinder_beenden(nullptr);  // no child yet: nothing to do
    job->t_StripHompage = std::make_unique<ThreadStripHompage>(true);
    job->Kinder_beenden(nullptr);
    EXPECT_TRUE(job->t_StripHompage->Terminated());

    job->t_Hompage_holen = std::make_unique<Thread_Hompage_holen>(true);
    job->Kinder_beenden(nullptr);
    EXPECT_TRUE(job->t_Hompage_holen->Terminated());
}

TEST(KinderBeenden, RunsAsAChildsTerminationHandler)
{
    // A handler set before the child ends runs on the user-interface thread once it has ended;
    // the test's thread is that thread and WaitFor runs the queued handler.
    auto treiber = std::make_unique<Thread_Sarnik>(true);
    treiber->t_Schritt[1] = std::make_unique<ThreadSchritt1>(true);
    treiber->t_Schritt[2] = std::make_unique<ThreadSchritt2>(true);
    Thread_Sarnik* t = treiber.get();
    treiber->t_Schritt[1]->OnTerminate = [t](TObject* Sender) { t->Kinder_beenden(Sender); };
    treiber->t_Schritt[1]->Resume();
    treiber->t_Schritt[1]->WaitFor();
    EXPECT_TRUE(treiber->t_Schritt[2]->Terminated());
}

}  // namespace
