#include "zub/Notices.h"

#include <algorithm>

#include "rtl/MainThread.h"

void TNoticeQueue::Post(TNotice n)
{
    std::function<void()> wake;
    {
        std::lock_guard g(FLock);
        if (!FObserved) return;
        FQueue.push_back(std::move(n));
        wake = FWake;
    }
    if (wake) wake();
}

bool TNoticeQueue::Empty() const
{
    std::lock_guard g(FLock);
    return FQueue.empty();
}

int TNoticeQueue::Drain()
{
    int count = 0;
    for (;;) {
        TNotice n;
        TNoticeObserver observer;
        {
            std::lock_guard g(FLock);
            if (FQueue.empty() || !FObserver) break;
            n = std::move(FQueue.front());
            FQueue.pop_front();
            observer = FObserver;
        }
        observer(n);
        ++count;
    }
    return count;
}

TNoticeObserver TNoticeQueue::SetObserver(TNoticeObserver observer)
{
    std::lock_guard g(FLock);
    TNoticeObserver previous = std::move(FObserver);
    FObserver = std::move(observer);
    FObserved = static_cast<bool>(FObserver);
    if (!FObserved) FQueue.clear();
    return previous;
}

bool TNoticeQueue::Observed() const
{
    std::lock_guard g(FLock);
    return FObserved;
}

void TNoticeQueue::Forget(TComponent* c)
{
    std::lock_guard g(FLock);
    FQueue.erase(
        std::remove_if(FQueue.begin(), FQueue.end(), [c](const TNotice& n) { return n.Sender == c; }),
        FQueue.end());
}

void TNoticeQueue::Destroyed(TComponent* c)
{
    TNoticeObserver observer;
    std::function<void()> wake;
    {
        std::lock_guard g(FLock);
        FQueue.erase(
            std::remove_if(FQueue.begin(), FQueue.end(), [c](const TNotice& n) { return n.Sender == c; }),
            FQueue.end());
        if (!FObserved) return;
        if (IsMainThread()) {
            observer = FObserver;
        } else {
            FQueue.push_back(TNotice{c, TProp::Destroyed});
            wake = FWake;
        }
    }
    if (observer) observer(TNotice{c, TProp::Destroyed});
    if (wake) wake();
}

void TNoticeQueue::SetWake(std::function<void()> wake)
{
    std::lock_guard g(FLock);
    FWake = std::move(wake);
}

TNoticeQueue& Notices()
{
    static TNoticeQueue queue;
    return queue;
}
