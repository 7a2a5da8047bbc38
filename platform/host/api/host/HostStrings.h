#pragma once
// Resource strings of the host that packages use as captions.
#include "rtl/Resources.h"

namespace HostStrings {
RTL_RESOURCESTRING(_sNewKVTProject, "Tolvane Projects");
RTL_RESOURCESTRING(_sNewKVTFiles, "Tolvane Files");
}  // namespace HostStrings
