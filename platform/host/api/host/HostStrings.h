#pragma once
// Resource strings of the host that packages use as captions.
#include "rtl/Resources.h"

namespace HostStrings {
RTL_RESOURCESTRING(_sNewKVTProject, "Tolvane Projects");
RTL_RESOURCESTRING(_sNewKVTFiles, "Tolvane Files");
// The header of a unit (first) for a class (second) could not be found.
RTL_RESOURCESTRING(sCouldNotFindFile, "Could not find the header file of unit %s to browse class %s");
// The co-class updater's failures (a module's or a method's name where %s stands).
RTL_RESOURCESTRING(sTypeLibModuleNotFound, "The project has no type library module");
RTL_RESOURCESTRING(sTypeLibraryNotFound, "The type library module has no type library");
RTL_RESOURCESTRING(sNoSymbolsToIterate, "No classes found in module %s");
RTL_RESOURCESTRING(sNoCoClasses, "No class in module %s implements a CoClass of the type library");
RTL_RESOURCESTRING(sMethodNotFound, "Method %s not found");
}  // namespace HostStrings
