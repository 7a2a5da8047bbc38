#pragma once
// The command interpreter of idehost.
//
//   idehost [--packages DIR] [--answers FILE] [--dir OUT] load NAME... [COMMAND...]
//
// Commands (on the command line one after another, else one a line from standard input):
//   load NAME...                    load packages (requires first), then fire MainFormCreated
//   gallery                         list gallery categories and items
//   new CATEGORY ITEM [--dir OUT]   run a gallery item; write every file the host received
//   run ACTION                      execute an action of a command data module
//   unload [NAME...]                unload packages (all when none is named)
//   compiler none|idle|busy         the host's compiler object
//   designer on|off                 whether the ZUB designer is active
//   state                           list the host's whole state (registries, hooks, lists)
// The exit status is 0 when every command succeeded, 1 after an error, 2 for a usage error.
#include <iosfwd>
#include <vector>

#include "rtl/SysUtils.h"

namespace hostimpl {

int RunIdeHost(const std::vector<String>& args, std::istream& in, std::ostream& out, std::ostream& err);

}  // namespace hostimpl
