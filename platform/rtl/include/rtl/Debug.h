#pragma once
// Debug output. Every line goes to the installed sink; it is also written to stderr while the
// program's debug switch (SetProgramSettings) is set.
#include <functional>
#include <mutex>
#include <vector>

#include "rtl/SysUtils.h"

void OutputDebugStringA(const char* text);
inline void OutputDebugStringA(const String& text) { OutputDebugStringA(text.c_str()); }

// The sink is called under a lock (lines never interleave, and a replaced sink is not called
// after SetDebugSink returned), so it must not wait for another thread.
using TDebugSink = std::function<void(const String&)>;
TDebugSink SetDebugSink(TDebugSink sink);  // returns the previous sink

// Captures debug output for the lifetime of the object (tests).
class TDebugCapture {
public:
    TDebugCapture();
    ~TDebugCapture();
    std::vector<String> Lines() const;
    bool Contains(const String& line) const;

private:
    mutable std::mutex FLock;
    std::vector<String> FLines;
    TDebugSink FPrevious;
};
