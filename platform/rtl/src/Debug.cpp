#include "rtl/Debug.h"

#include <cstdio>
#include <cstdlib>

#include "rtl/ProgramSettings.h"

namespace {

std::recursive_mutex& SinkLock()
{
    // Never destroyed: threads left running at exit may still use it.
    static std::recursive_mutex* m = new std::recursive_mutex;
    return *m;
}

TDebugSink& Sink()
{
    // Never destroyed: threads left running at exit may still use it.
    static TDebugSink* sink = new TDebugSink;
    return *sink;
}

}  // namespace

void OutputDebugStringA(const char* text)
{
    String line = text ? text : "";
    // The sink is called under the lock so lines from several threads never interleave and a sink
    // being replaced is never called after SetDebugSink returned.
    std::lock_guard<std::recursive_mutex> lock(SinkLock());
    if (Sink()) Sink()(line);
    const String debugVariable = ProgramSettings().DebugVariable;
    if (!debugVariable.empty() && std::getenv(debugVariable.c_str())) {
        std::fprintf(stderr, "%s\n", line.c_str());
        std::fflush(stderr);
    }
}

TDebugSink SetDebugSink(TDebugSink sink)
{
    std::lock_guard<std::recursive_mutex> lock(SinkLock());
    TDebugSink previous = std::move(Sink());
    Sink() = std::move(sink);
    return previous;
}

TDebugCapture::TDebugCapture()
{
    FPrevious = SetDebugSink([this](const String& line) {
        std::lock_guard<std::mutex> lock(FLock);
        FLines.push_back(line);
    });
}

TDebugCapture::~TDebugCapture() { SetDebugSink(std::move(FPrevious)); }

std::vector<String> TDebugCapture::Lines() const
{
    std::lock_guard<std::mutex> lock(FLock);
    return FLines;
}

bool TDebugCapture::Contains(const String& line) const
{
    std::lock_guard<std::mutex> lock(FLock);
    for (const String& l : FLines)
        if (l == line) return true;
    return false;
}
