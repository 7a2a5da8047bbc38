#include <gtest/gtest.h>

#include <thread>

#include "rtl/Debug.h"
#include "rtl/MainThread.h"

TEST(MainThread, OnTheInterfaceThreadCallsRunAtOnce)
{
    SetMainThread();
    EXPECT_TRUE(IsMainThread());
    int ran = 0;
    RunInMainThread([&] { ++ran; }, false);
    RunInMainThread([&] { ++ran; }, true);
    EXPECT_EQ(ran, 2);
    EXPECT_TRUE(MainThreadQueueEmpty());
    EXPECT_THROW(RunInMainThread([] { throw EAbort("weg"); }, true), EAbort);
}

TEST(MainThread, OnlyTheInterfaceThreadDrainsTheQueue)
{
    SetMainThread();
    int ran = 0;
    bool otherIsMain = true, otherDrained = true;
    std::thread other([&] {
        otherIsMain = IsMainThread();
        RunInMainThread([&] { ++ran; }, false);
        otherDrained = CheckSynchronize();
    });
    other.join();
    EXPECT_FALSE(otherIsMain);
    EXPECT_FALSE(otherDrained);
    EXPECT_EQ(ran, 0);
    EXPECT_FALSE(MainThreadQueueEmpty());
    EXPECT_TRUE(CheckSynchronize());
    EXPECT_EQ(ran, 1);
    EXPECT_FALSE(CheckSynchronize());
}

TEST(MainThread, AFailingQueuedCallIsReportedAndTheRestStillRun)
{
    SetMainThread();
    TDebugCapture capture;
    std::vector<int> order;
    std::thread other([&] {
        RunInMainThread([&] { order.push_back(1); }, false);
        RunInMainThread([] { throw EConvertError("kaputt"); }, false);
        RunInMainThread([&] { order.push_back(3); }, false);
    });
    other.join();
    CheckSynchronize();
    EXPECT_EQ(order, (std::vector<int>{1, 3}));
    EXPECT_TRUE(capture.Contains("Exception in queued call: kaputt"));
}
