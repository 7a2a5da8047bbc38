#pragma once
// The user-interface thread's call queue. Worker threads queue calls; the message loop of
// platform/zub drains them (CheckSynchronize) and is woken through the wake hook.
#include <functional>

// Records the calling thread as the user-interface thread (the program's and each test's main
// thread; when nobody called it, the process's initial thread is taken).
void SetMainThread();
bool IsMainThread();

// Queues f for the user-interface thread. wait=true blocks until f has run (and rethrows what f
// threw); called on the user-interface thread, f runs at once.
void RunInMainThread(std::function<void()> f, bool wait);

// Runs every queued call (on the user-interface thread only). Returns true when any ran.
bool CheckSynchronize();
bool MainThreadQueueEmpty();

// Called (from any thread) after a call was queued, so a sleeping message loop wakes up.
// Returns the previous hook.
std::function<void()> SetWakeMainThread(std::function<void()> hook);
