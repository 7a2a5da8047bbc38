#pragma once
#include "host/Export.h"
// The host's own settings file ("idehost.ini" in the settings folder of rtl/IniFiles.h).
#include "rtl/IniFiles.h"

// Made on first use; lives as long as the process.
HOST_API TIniFile& AppIniFile();
