#include "rtl/Clock.h"

#include <chrono>
#include <condition_variable>
#include <ctime>
#include <list>
#include <map>
#include <mutex>
#include <set>
#include <thread>

#include "RtlInternal.h"
#include "rtl/ScopeGuard.h"

namespace {

constexpr double MsPerDay = 86400000.0;

class TRealClock : public IClock {
public:
    TDateTime Now() override
    {
        timespec ts{};
        clock_gettime(CLOCK_REALTIME, &ts);
        return rtl_detail::LocalDateTimeFromUnix(ts.tv_sec, ts.tv_nsec);
    }
    void Sleep(unsigned ms) override { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); }
    std::uint32_t GetTickCount() override { return static_cast<std::uint32_t>(SteadyMs()); }
    // Looks again at once when a thread ends or a queued call ran (a waiter for a thread's end goes
    // on the moment it ends), else every millisecond.
    bool WaitUntil(const std::function<bool()>& pred, long long timeoutMs) override
    {
        using namespace std::chrono;
        const auto end = steady_clock::now() + milliseconds(timeoutMs);
        std::unique_lock<std::mutex> lock(FLock);
        for (;;) {
            const unsigned long long seen = FChanges;
            lock.unlock();
            if (pred()) return true;
            const auto now = steady_clock::now();
            if (timeoutMs >= 0 && now >= end) return pred();
            auto next = now + milliseconds(1);
            if (timeoutMs >= 0) next = std::min(next, end);
            lock.lock();
            FChanged.wait_until(lock, next, [&] { return FChanges != seen; });
        }
    }
    void ThreadEnded() override { Changed(); }
    void StateChanged() override { Changed(); }

private:
    void Changed()
    {
        {
            std::lock_guard<std::mutex> g(FLock);
            ++FChanges;
        }
        FChanged.notify_all();
    }
    std::mutex FLock;
    std::condition_variable FChanged;
    unsigned long long FChanges = 0;

    static long long SteadyMs()
    {
        using namespace std::chrono;
        return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
    }
};

struct TClockSlot {
    std::mutex lock;
    std::shared_ptr<IClock> real = std::make_shared<TRealClock>();
    std::shared_ptr<IClock> current = real;
};

TClockSlot& Slot()
{
    // Never destroyed: threads left running at exit may still use it.
    static TClockSlot* slot = new TClockSlot;
    return *slot;
}

}  // namespace

std::shared_ptr<IClock> CurrentClock()
{
    TClockSlot& s = Slot();
    std::lock_guard<std::mutex> lock(s.lock);
    return s.current;
}

TClockRef Clock() { return TClockRef(CurrentClock()); }

std::shared_ptr<IClock> SetClock(std::shared_ptr<IClock> clock)
{
    TClockSlot& s = Slot();
    std::lock_guard<std::mutex> lock(s.lock);
    std::shared_ptr<IClock> previous = s.current;
    s.current = clock ? std::move(clock) : s.real;
    return previous;
}

TDateTime Now() { return Clock().Now(); }
TDateTime Date() { return DateOf(Clock().Now()); }
void Sleep(unsigned ms) { Clock().Sleep(ms); }
std::uint32_t GetTickCount() { return Clock().GetTickCount(); }

// ---------------------------------------------------------------------------------------------
// Virtual clock. Every known thread is either busy or idle (blocked in Sleep or WaitUntil); when
// all are idle and nobody is due yet, time jumps to the earliest deadline. Deadlines that are due
// but whose sleeper has not yet woken block further jumps, so sleepers wake in deadline order.
// A WaitUntil caller counts as idle between polls of its predicate; since a predicate may have
// turned true just after it was looked at, time moves only when every poller has looked again
// since the last change anyone made (the epoch: bumped whenever a thread stops working, starts
// or ends, or reports a change).

struct TVirtualClock::Impl {
    mutable std::mutex lock;
    std::condition_variable cv;
    TDateTime dateBase;  // Now() at tick 0
    long long nowMs = 0;  // virtual milliseconds since start
    std::map<std::thread::id, int> known;  // thread -> registrations
    std::map<std::thread::id, int> idle;  // known threads blocked right now -> depth
    int starting = 0;  // workers started but not yet registered
    std::multiset<long long> deadlines;
    long long epoch = 0;
    // The epoch each WaitUntil caller last polled in; Evaluating while its predicate runs (then the
    // caller is busy, or asleep in a nested wait, and its own poll does not hold time).
    static constexpr long long Evaluating = -1;
    std::list<long long> pollers;

    bool PollersUpToDate() const
    {
        for (long long seen : pollers)
            if (seen != epoch && seen != Evaluating) return false;
        return true;
    }

    bool IsKnown() const { return known.count(std::this_thread::get_id()) != 0; }

    void MarkIdle()
    {
        if (IsKnown()) ++idle[std::this_thread::get_id()];
    }
    void MarkBusy()
    {
        auto it = idle.find(std::this_thread::get_id());
        if (it != idle.end() && --it->second == 0) idle.erase(it);
    }
    // Called with the lock held whenever a thread may have become the last busy one.
    void MaybeAdvance()
    {
        if (starting > 0 || idle.size() < known.size() || deadlines.empty()) return;
        if (!PollersUpToDate()) return;  // a poller must look again first
        long long next = *deadlines.begin();
        if (next <= nowMs) return;  // someone is due already and about to wake
        nowMs = next;
        cv.notify_all();
    }
    void SetNow(long long ms)
    {
        nowMs = ms;
        cv.notify_all();
    }
};

TVirtualClock::TVirtualClock(TDateTime start) : d(std::make_unique<Impl>())
{
    d->dateBase = start;
    d->known[std::this_thread::get_id()] = 1;  // the installing thread
}

TVirtualClock::~TVirtualClock() = default;

TDateTime TVirtualClock::Now()
{
    std::lock_guard<std::mutex> lock(d->lock);
    return TDateTime(d->dateBase.Val + static_cast<double>(d->nowMs) / MsPerDay);
}

std::uint32_t TVirtualClock::GetTickCount()
{
    std::lock_guard<std::mutex> lock(d->lock);
    return static_cast<std::uint32_t>(d->nowMs);
}

long long TVirtualClock::ElapsedMs() const
{
    std::lock_guard<std::mutex> lock(d->lock);
    return d->nowMs;
}

void TVirtualClock::Sleep(unsigned ms)
{
    if (ms == 0) {
        std::this_thread::yield();
        return;
    }
    std::unique_lock<std::mutex> lock(d->lock);
    const long long deadline = d->nowMs + ms;
    auto slot = d->deadlines.insert(deadline);
    ++d->epoch;
    d->MarkIdle();
    while (d->nowMs < deadline) {
        d->MaybeAdvance();
        if (d->nowMs >= deadline) break;
        // Woken by every jump; the timeout only guards against a missed check.
        d->cv.wait_for(lock, std::chrono::milliseconds(5));
    }
    d->MarkBusy();
    d->deadlines.erase(slot);
}

bool TVirtualClock::WaitUntil(const std::function<bool()>& pred, long long timeoutMs)
{
    if (pred()) return true;
    if (timeoutMs == 0) return false;
    std::unique_lock<std::mutex> lock(d->lock);
    const bool limited = timeoutMs > 0;
    const long long deadline = limited ? d->nowMs + timeoutMs : 0;
    auto slot = limited ? d->deadlines.insert(deadline) : d->deadlines.end();
    ++d->epoch;  // this thread stops working
    auto poller = d->pollers.insert(d->pollers.end(), Impl::Evaluating);
    TScopeGuard leave([&] {
        if (!lock.owns_lock()) lock.lock();
        d->pollers.erase(poller);
        if (limited) d->deadlines.erase(slot);
    });
    bool ok = false;
    for (;;) {
        // pred runs as busy, since it may do work (drain a queue); the poll counts for the
        // epoch it started in.
        const long long pollEpoch = d->epoch;
        *poller = Impl::Evaluating;
        lock.unlock();
        ok = pred();
        lock.lock();
        if (ok) break;
        *poller = pollEpoch;
        if (limited && d->nowMs >= deadline) break;
        d->MarkIdle();
        d->MaybeAdvance();
        if (!(limited && d->nowMs >= deadline)) d->cv.wait_for(lock, std::chrono::milliseconds(1));
        d->MarkBusy();
    }
    return ok;
}

void TVirtualClock::ThreadStarting()
{
    std::lock_guard<std::mutex> lock(d->lock);
    ++d->starting;
}

void TVirtualClock::ThreadStarted()
{
    std::lock_guard<std::mutex> lock(d->lock);
    if (d->starting > 0) --d->starting;
    ++d->known[std::this_thread::get_id()];
    ++d->epoch;
}

void TVirtualClock::ThreadEnded()
{
    std::lock_guard<std::mutex> lock(d->lock);
    auto it = d->known.find(std::this_thread::get_id());
    if (it == d->known.end()) return;
    if (--it->second == 0) {
        d->known.erase(it);
        d->idle.erase(std::this_thread::get_id());
    }
    ++d->epoch;
    d->MaybeAdvance();
}

void TVirtualClock::StateChanged()
{
    std::lock_guard<std::mutex> lock(d->lock);
    ++d->epoch;
}

void TVirtualClock::Set(TDateTime t)
{
    std::lock_guard<std::mutex> lock(d->lock);
    d->dateBase = TDateTime(t.Val - static_cast<double>(d->nowMs) / MsPerDay);
}

void TVirtualClock::Advance(long long ms)
{
    if (ms <= 0) return;
    std::lock_guard<std::mutex> lock(d->lock);
    d->SetNow(d->nowMs + ms);
}

int TVirtualClock::IdleThreads() const
{
    std::lock_guard<std::mutex> lock(d->lock);
    return static_cast<int>(d->idle.size());
}

int TVirtualClock::KnownThreads() const
{
    std::lock_guard<std::mutex> lock(d->lock);
    return static_cast<int>(d->known.size()) + d->starting;
}

TVirtualClockGuard::TVirtualClockGuard(TDateTime start) : FClock(std::make_shared<TVirtualClock>(start))
{
    FPrevious = SetClock(FClock);
}

TVirtualClockGuard::~TVirtualClockGuard() { SetClock(FPrevious); }
