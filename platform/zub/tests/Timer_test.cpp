#include <gtest/gtest.h>

#include "rtl/Clock.h"
#include "zub/ExtCtrls.h"
#include "zub/Forms.h"

namespace {

TEST(ZubTimer, FiresEveryIntervalOfVirtualTime)
{
    Application->Initialize();
    TVirtualClockGuard guard(EncodeDate(2009, 8, 12));
    TTimer fast(nullptr);
    TTimer slow(nullptr);
    fast.SetInterval(30);
    slow.SetInterval(100);
    std::vector<long long> fastAt, slowAt;
    fast.OnTimer = [&](TObject* s) {
        EXPECT_EQ(s, &fast);
        fastAt.push_back(guard.clock().ElapsedMs());
    };
    slow.OnTimer = [&](TObject*) {
        slowAt.push_back(guard.clock().ElapsedMs());
        if (slowAt.size() == 2) Application->Terminate();
    };
    Application->Run();
    EXPECT_EQ(fastAt, (std::vector<long long>{30, 60, 90, 120, 150, 180}));
    EXPECT_EQ(slowAt, (std::vector<long long>{100, 200}));
    EXPECT_EQ(guard.clock().ElapsedMs(), 200);
}

TEST(ZubTimer, DisabledTimerStaysQuietAndEnablingRestartsThePeriod)
{
    Application->Initialize();
    TVirtualClockGuard guard(EncodeDate(2009, 8, 12));
    TTimer quiet(nullptr);
    quiet.SetEnabled(false);
    quiet.SetInterval(10);
    int quietTicks = 0;
    quiet.OnTimer = [&](TObject*) { ++quietTicks; };

    TTimer late(nullptr);
    late.SetEnabled(false);
    late.SetInterval(50);
    std::vector<long long> lateAt;
    late.OnTimer = [&](TObject*) {
        lateAt.push_back(guard.clock().ElapsedMs());
        late.SetEnabled(false);
        Application->Terminate();
    };
    TTimer starter(nullptr);
    starter.SetInterval(70);
    starter.OnTimer = [&](TObject*) {
        starter.SetEnabled(false);
        late.SetEnabled(true);  // period counts from now
    };
    Application->Run();
    EXPECT_EQ(quietTicks, 0);
    EXPECT_EQ(lateAt, (std::vector<long long>{120}));
}

TEST(ZubTimer, FreedTimerIsNotCalled)
{
    Application->Initialize();
    TVirtualClockGuard guard(EncodeDate(2009, 8, 12));
    auto* victim = new TTimer(nullptr);
    victim->SetInterval(30);
    int victimTicks = 0;
    victim->OnTimer = [&](TObject*) { ++victimTicks; };
    TTimer killer(nullptr);
    killer.SetInterval(30);  // due at the same moment; frees the other one first or after
    killer.OnTimer = [&](TObject*) {
        delete victim;
        victim = nullptr;
        killer.SetEnabled(false);
        Application->Terminate();
    };
    Application->Run();
    EXPECT_LE(victimTicks, 1);
    EXPECT_EQ(victim, nullptr);
}

}  // namespace
