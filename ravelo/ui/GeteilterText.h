#pragma once
// A text that a worker thread writes while the user-interface thread reads it (the line lists
// of the tip list, the tip date): every access is taken under a lock, so neither side ever sees
// half a write.
#include <mutex>
#include <utility>

#include "rtl/SysUtils.h"

class TGeteilterText {
public:
    TGeteilterText() = default;
    TGeteilterText(const char* s) : FText(s) {}
    TGeteilterText(String s) : FText(std::move(s)) {}
    TGeteilterText(const TGeteilterText&) = delete;
    TGeteilterText& operator=(const TGeteilterText& other) { return *this = other.get(); }
    TGeteilterText& operator=(String s)
    {
        std::lock_guard<std::mutex> g(FLock);
        FText = std::move(s);
        return *this;
    }
    TGeteilterText& operator=(const char* s) { return *this = String(s); }
    String get() const
    {
        std::lock_guard<std::mutex> g(FLock);
        return FText;
    }
    operator String() const { return get(); }
    bool operator==(const String& s) const { return get() == s; }
    bool operator==(const char* s) const { return get() == s; }

private:
    mutable std::mutex FLock;
    String FText;
};
