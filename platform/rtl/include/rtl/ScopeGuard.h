#pragma once
// Cleanups that run when a scope ends, by return or by exception.
#include <exception>
#include <utility>

// Runs f when the scope ends unless Dismiss() was called:
//     TScopeGuard restore([&] { FBusy = false; });
// A cleanup that throws while an exception is already unwinding the scope is swallowed, so the
// first error reaches the caller; on a normal exit its exception propagates.
template <class F>
class TScopeGuard {
public:
    explicit TScopeGuard(F f) : FCleanup(std::move(f)) {}
    TScopeGuard(const TScopeGuard&) = delete;
    TScopeGuard& operator=(const TScopeGuard&) = delete;
    ~TScopeGuard() noexcept(false)
    {
        if (!FActive) return;
        if (std::uncaught_exceptions() > FUnwinding) {
            try {
                FCleanup();
            } catch (...) {
            }
        } else {
            FCleanup();
        }
    }
    // The cleanup is not wanted any more (the work succeeded and keeps its result).
    void Dismiss() noexcept { FActive = false; }

private:
    F FCleanup;
    int FUnwinding = std::uncaught_exceptions();
    bool FActive = true;
};
template <class F>
TScopeGuard(F) -> TScopeGuard<F>;

// Holds one BeginUpdate/EndUpdate pair of a list, tree or control: EndUpdate runs however the
// scope ends, so a list that locks for a bulk change never stays locked after a throw.
template <class T>
class TUpdateGuard {
public:
    // BeginUpdate runs before the guard exists: one that throws leaves nothing to end.
    explicit TUpdateGuard(T& target) : FEnd((target.BeginUpdate(), TEnd{&target})) {}
    TUpdateGuard(const TUpdateGuard&) = delete;
    TUpdateGuard& operator=(const TUpdateGuard&) = delete;

private:
    struct TEnd {
        T* target;
        void operator()() const { target->EndUpdate(); }
    };
    TScopeGuard<TEnd> FEnd;
};
