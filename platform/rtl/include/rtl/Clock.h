#pragma once
// The one clock of the system. Nothing calls the system clock or sleeps directly:
// Now, Sleep and GetTickCount go through the installed clock, so tests run on virtual time.
#include <cstdint>
#include <functional>
#include <memory>

#include "rtl/DateUtils.h"

class IClock {
public:
    virtual ~IClock() = default;
    virtual TDateTime Now() = 0;
    virtual void Sleep(unsigned ms) = 0;
    virtual std::uint32_t GetTickCount() = 0;
    // Blocks until pred() is true or the clock has moved timeoutMs on (timeoutMs < 0: no limit).
    // Returns pred(). For waits that are not sleeps (thread ends, queued calls, dialog answers):
    // a virtual clock counts the waiting thread as idle meanwhile.
    virtual bool WaitUntil(const std::function<bool()>& pred, long long timeoutMs) = 0;
    // A thread the clock should know of (TThread registers its workers); see TVirtualClock.
    // ThreadStarting is called by the creating thread just before the worker is started, so the
    // worker counts as busy from that moment (time cannot jump before it has begun);
    // ThreadStarted / ThreadEnded are called on the worker itself.
    virtual void ThreadStarting() {}
    virtual void ThreadStarted() {}
    virtual void ThreadEnded() {}
    // Something that waiting threads may poll for has changed without its thread going to sleep
    // (CheckSynchronize ran a queued call): a virtual clock holds time until every WaitUntil
    // caller has looked at its predicate again.
    virtual void StateChanged() {}
};

// The installed clock, kept alive for as long as this handle lives: a SetClock meanwhile never
// frees the clock under a caller still sleeping or waiting on it. Clock().Sleep(10) holds it
// for that one call.
class TClockRef {
public:
    explicit TClockRef(std::shared_ptr<IClock> clock) : FClock(std::move(clock)) {}
    TDateTime Now() const { return FClock->Now(); }
    void Sleep(unsigned ms) const { FClock->Sleep(ms); }
    std::uint32_t GetTickCount() const { return FClock->GetTickCount(); }
    bool WaitUntil(const std::function<bool()>& pred, long long timeoutMs) const
    {
        return FClock->WaitUntil(pred, timeoutMs);
    }
    void StateChanged() const { FClock->StateChanged(); }
    IClock* Get() const { return FClock.get(); }

private:
    std::shared_ptr<IClock> FClock;
};

TClockRef Clock();
// The installed clock as shared pointer, for callers that must keep using the same clock
// (TThread registers and unregisters a worker with one clock even if another is installed meanwhile).
std::shared_ptr<IClock> CurrentClock();
// Installs a clock; returns the previous one. Pass nullptr to restore the real clock.
std::shared_ptr<IClock> SetClock(std::shared_ptr<IClock> clock);

TDateTime Now();
TDateTime Date();  // Now() without the time of day
void Sleep(unsigned ms);
std::uint32_t GetTickCount();

// Virtual time for tests. Time moves only when every thread the clock knows of (the thread
// that installed it, plus every TThread while it runs) is sleeping or waiting; it then jumps to
// the earliest sleeper's deadline. So a worker that sleeps 3000 ms finishes at once in real
// time, and a poller never times out while the thread it polls is still computing.
// A WaitUntil caller is idle between polls; after any change (a thread going to sleep, starting,
// ending, or StateChanged) time waits until every poller has looked at its predicate again.
// Threads the clock does not know of (plain std::threads) never hold time back; their sleeps
// end when virtual time reaches them.
class TVirtualClock : public IClock {
public:
    explicit TVirtualClock(TDateTime start);
    ~TVirtualClock() override;
    TDateTime Now() override;
    void Sleep(unsigned ms) override;
    std::uint32_t GetTickCount() override;
    bool WaitUntil(const std::function<bool()>& pred, long long timeoutMs) override;
    void ThreadStarting() override;
    void ThreadStarted() override;
    void ThreadEnded() override;
    void StateChanged() override;
    // Jumps to a moment: Now() returns t from here on; tick counts and sleepers are not moved.
    void Set(TDateTime t);
    void Advance(long long ms);  // move on by hand (wakes sleepers that become due)
    long long ElapsedMs() const;  // virtual time since start
    // For tests: how many known threads are idle right now, and how many are known
    // (started-but-not-yet-running TThreads count as known and busy).
    int IdleThreads() const;
    int KnownThreads() const;

private:
    struct Impl;
    std::unique_ptr<Impl> d;
};

// Installs a virtual clock for the lifetime of the guard (tests).
class TVirtualClockGuard {
public:
    explicit TVirtualClockGuard(TDateTime start);
    ~TVirtualClockGuard();
    TVirtualClock& clock() { return *FClock; }

private:
    std::shared_ptr<TVirtualClock> FClock;
    std::shared_ptr<IClock> FPrevious;
};
