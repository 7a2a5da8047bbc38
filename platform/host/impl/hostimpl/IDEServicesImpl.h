#pragma once
// The host's template folder (for idehost and tests).
#include "rtl/SysUtils.h"

namespace hostimpl {
// Default: $QUISTOR_TEMPLATES when set, otherwise the folder "templates" beside the executable.
// An empty folder sets the default back.
void SetTemplateDirectory(const String& folder);
String TemplateDirectory();  // with a trailing delimiter
}  // namespace hostimpl
