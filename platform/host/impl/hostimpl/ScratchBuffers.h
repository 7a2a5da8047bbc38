#pragma once
// The live scratch edit buffers: new module names must not take theirs, and the browse lists and
// checks them.
#include <vector>

#include "host/CppBrowse.h"

namespace hostimpl {

std::vector<TEditBuffer*>& ScratchBuffers();

// Whether a live scratch buffer has this module (unit) name.
bool ScratchBufferNameTaken(const String& unitName);

}  // namespace hostimpl
