#pragma once
// What an executable tells the runtime library about itself. Call SetProgramSettings once at
// start-up, before other threads run; an executable that never calls it gets folders named after
// its own file name and no debug switch.
#include "rtl/SysUtils.h"

struct TProgramSettings {
    // The folder that stands for the Windows directory (bare TIniFile names lie there):
    // $<WindowsDirVariable> when that is set, else $XDG_CONFIG_HOME/<ConfigFolder>/, else
    // ~/.config/<ConfigFolder>/.
    String ConfigFolder;
    String WindowsDirVariable;  // empty: no override
    // Debug output is also written to stderr while this environment variable is set (empty: never).
    String DebugVariable;
};

void SetProgramSettings(const TProgramSettings& settings);
TProgramSettings ProgramSettings();
