#pragma once
// Resource strings of the host that packages use as captions.
#include "rtl/Resources.h"

namespace HostStrings {
RTL_RESOURCESTRING(_sNewKVTProject, "Tolvane Projects");
RTL_RESOURCESTRING(_sNewKVTFiles, "Tolvane Files");
// The header of a unit (first) for a class (second) could not be found.
RTL_RESOURCESTRING(sCouldNotFindFile, "Could not find the header file of unit %s to browse class %s");
}  // namespace HostStrings
