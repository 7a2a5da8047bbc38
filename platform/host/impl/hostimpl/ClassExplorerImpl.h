#pragma once
// Residue of the class explorer: its hook left pointing into a module being unloaded.
#include <functional>
#include <vector>

#include "rtl/SysUtils.h"

namespace hostimpl {
void RemoveClassExplorerResidue(const std::function<bool(const void*)>& inModule, std::vector<String>& found);
}  // namespace hostimpl
