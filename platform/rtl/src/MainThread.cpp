#include "rtl/MainThread.h"

#include <sys/syscall.h>
#include <unistd.h>

#include <atomic>
#include <deque>
#include <exception>
#include <memory>
#include <mutex>
#include <thread>

#include "rtl/Clock.h"
#include "rtl/Debug.h"

namespace {

struct TQueuedCall {
    std::function<void()> f;
    bool wait = false;
    std::atomic<bool> done{false};
    std::exception_ptr error;  // written before done is set
};

struct TMainQueue {
    std::mutex lock;
    std::deque<std::shared_ptr<TQueuedCall>> calls;
    std::function<void()> wake;
    std::atomic<bool> mainSet{false};
    std::thread::id mainId;  // written under lock before mainSet is released
};

TMainQueue& Queue()
{
    // Never destroyed: threads left running at exit may still use it.
    static TMainQueue* q = new TMainQueue;
    return *q;
}

bool IsInitialThread() { return static_cast<pid_t>(::syscall(SYS_gettid)) == ::getpid(); }

}  // namespace

void SetMainThread()
{
    TMainQueue& q = Queue();
    std::lock_guard<std::mutex> lock(q.lock);
    q.mainId = std::this_thread::get_id();
    q.mainSet.store(true);
}

bool IsMainThread()
{
    TMainQueue& q = Queue();
    if (!q.mainSet.load()) return IsInitialThread();
    std::lock_guard<std::mutex> lock(q.lock);
    return q.mainId == std::this_thread::get_id();
}

void RunInMainThread(std::function<void()> f, bool wait)
{
    if (!f) return;
    if (IsMainThread()) {
        f();
        return;
    }
    TMainQueue& q = Queue();
    auto call = std::make_shared<TQueuedCall>();
    call->f = std::move(f);
    call->wait = wait;
    std::function<void()> wake;
    {
        std::lock_guard<std::mutex> lock(q.lock);
        q.calls.push_back(call);
        wake = q.wake;
    }
    if (wake) wake();
    if (!wait) return;
    // A worker waiting here counts as idle for a virtual clock.
    Clock().WaitUntil([&] { return call->done.load(); }, -1);
    if (call->error) std::rethrow_exception(call->error);
}

bool CheckSynchronize()
{
    if (!IsMainThread()) return false;
    TMainQueue& q = Queue();
    std::size_t pending = 0;
    {
        std::lock_guard<std::mutex> lock(q.lock);
        pending = q.calls.size();
    }
    // One call at a time, so a call that itself drains the queue keeps the order; calls queued
    // meanwhile wait for the next round.
    bool ran = false;
    for (; pending > 0; --pending) {
        std::shared_ptr<TQueuedCall> call;
        {
            std::lock_guard<std::mutex> lock(q.lock);
            if (q.calls.empty()) break;
            call = std::move(q.calls.front());
            q.calls.pop_front();
        }
        ran = true;
        try {
            call->f();
        } catch (const std::exception& e) {
            if (call->wait)
                call->error = std::current_exception();
            else
                OutputDebugStringA(String("Exception in queued call: ") + e.what());
        } catch (...) {
            if (call->wait)
                call->error = std::current_exception();
            else
                OutputDebugStringA("Exception in queued call");
        }
        call->f = nullptr;  // release what it captured here, not on the waiting worker
        call->done.store(true);
    }
    if (ran) Clock().StateChanged();
    return ran;
}

bool MainThreadQueueEmpty()
{
    TMainQueue& q = Queue();
    std::lock_guard<std::mutex> lock(q.lock);
    return q.calls.empty();
}

std::function<void()> SetWakeMainThread(std::function<void()> hook)
{
    TMainQueue& q = Queue();
    std::lock_guard<std::mutex> lock(q.lock);
    std::function<void()> previous = std::move(q.wake);
    q.wake = std::move(hook);
    return previous;
}
