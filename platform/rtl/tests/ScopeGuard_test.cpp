#include "rtl/ScopeGuard.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

#include "rtl/Classes.h"

TEST(ScopeGuard, RunsOnReturnAndOnThrowButNotWhenDismissed)
{
    int runs = 0;
    {
        TScopeGuard g([&] { ++runs; });
    }
    EXPECT_EQ(runs, 1);
    try {
        TScopeGuard g([&] { ++runs; });
        throw std::runtime_error("x");
    } catch (const std::runtime_error&) {
    }
    EXPECT_EQ(runs, 2);
    {
        TScopeGuard g([&] { ++runs; });
        g.Dismiss();
    }
    EXPECT_EQ(runs, 2);
}

TEST(ScopeGuard, FirstErrorWinsWhenTheCleanupThrowsDuringUnwinding)
{
    std::string seen;
    try {
        TScopeGuard g([] { throw std::logic_error("cleanup"); });
        throw std::runtime_error("work");
    } catch (const std::exception& e) {
        seen = e.what();
    }
    EXPECT_EQ(seen, "work");
}

TEST(ScopeGuard, CleanupErrorPropagatesOnNormalExit)
{
    EXPECT_THROW({ TScopeGuard g([] { throw std::logic_error("cleanup"); }); }, std::logic_error);
}

namespace {
struct TCountingList {
    int begun = 0, ended = 0;
    bool failBegin = false;
    void BeginUpdate()
    {
        if (failBegin) throw std::runtime_error("begin");
        ++begun;
    }
    void EndUpdate() { ++ended; }
};

// A list whose Add fails on one value, to see the update end after the throw.
class TFailingList : public TStringList {
public:
    int updates = 0;
    void BeginUpdate() override
    {
        ++updates;
        TStringList::BeginUpdate();
    }
    void EndUpdate() override
    {
        --updates;
        TStringList::EndUpdate();
    }
    void Insert(int index, const String& s) override
    {
        if (s == "bad") throw Exception("bad line");
        TStringList::Insert(index, s);
    }
};
}  // namespace

TEST(UpdateGuard, PairsBeginWithEndAndEndsNothingWhenBeginFails)
{
    TCountingList l;
    try {
        TUpdateGuard u(l);
        EXPECT_EQ(l.begun, 1);
        EXPECT_EQ(l.ended, 0);
        throw std::runtime_error("x");
    } catch (const std::runtime_error&) {
    }
    EXPECT_EQ(l.ended, 1);
    l.failBegin = true;
    EXPECT_THROW(TUpdateGuard u(l), std::runtime_error);
    EXPECT_EQ(l.ended, 1);
}

TEST(UpdateGuard, BulkChangesOfAStringListEndTheirUpdateWhenAddThrows)
{
    TStringList source;
    source.Add("a");
    source.Add("bad");
    TFailingList target;
    EXPECT_THROW(target.Assign(source), Exception);
    EXPECT_EQ(target.updates, 0);
    EXPECT_THROW(target.AddStrings(source), Exception);
    EXPECT_EQ(target.updates, 0);
    EXPECT_THROW(target.SetText("x\r\nbad\r\n"), Exception);
    EXPECT_EQ(target.updates, 0);
}
