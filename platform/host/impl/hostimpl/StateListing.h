#pragma once
// The host's whole state as one listing: every registry, hook and list a package can change
// lists its entries here, one line each. A registry joins by defining one TStateSource beside
// its own code; the unload check compares listings, so whatever joins is checked.
#include <vector>

#include "rtl/SysUtils.h"

namespace hostimpl {

using TStateLister = void (*)(std::vector<String>& lines);

struct TStateSource {
    TStateSource(const char* name, TStateLister lister);
};

// Every line of every source, sorted; a line that names code ends with " @" and the library
// it lives in ("host" for the host and its program).
std::vector<String> HostStateListing();

// " @library" of an address (code or data).
String At(const void* address);
// "hook NAME @library" of a hook's code, "hook NAME none" when it is not set.
String HookLine(const char* name, const void* code);
// " @library" of an object of a polymorphic class: where its class's code is.
String AtObject(const void* object);

}  // namespace hostimpl
