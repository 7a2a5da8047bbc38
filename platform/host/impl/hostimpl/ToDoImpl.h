#pragma once
// Residue of the to-do list: registrations that point into a module being unloaded.
#include <functional>
#include <vector>

#include "rtl/SysUtils.h"

namespace hostimpl {
// Drops file-handler classes, manager creators and managers of the module; one text for each.
void RemoveToDoResidue(const std::function<bool(const void*)>& inModule, std::vector<String>& found);
}  // namespace hostimpl
