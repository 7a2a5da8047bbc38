#pragma once
// The host's own settings file ("idehost.ini" in the settings folder of rtl/IniFiles.h).
#include "host/Export.h"
#include "rtl/IniFiles.h"

// Made on first use; lives as long as the process.
HOST_API TIniFile& AppIniFile();
