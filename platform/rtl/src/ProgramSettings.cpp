#include "rtl/ProgramSettings.h"

#include <errno.h>

#include <mutex>

namespace {

std::mutex& SettingsLock()
{
    // Never destroyed: threads left running at exit may still write debug lines.
    static std::mutex* m = new std::mutex;
    return *m;
}

TProgramSettings& Settings()
{
    static TProgramSettings* s = new TProgramSettings{program_invocation_short_name, "", ""};
    return *s;
}

}  // namespace

void SetProgramSettings(const TProgramSettings& settings)
{
    std::lock_guard<std::mutex> lock(SettingsLock());
    Settings() = settings;
}

TProgramSettings ProgramSettings()
{
    std::lock_guard<std::mutex> lock(SettingsLock());
    return Settings();
}
