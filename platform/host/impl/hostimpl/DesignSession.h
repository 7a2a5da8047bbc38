#pragma once
// idehost's form designer: a form on which components of the palette are placed, their properties
// edited with the registered property editors and their component editors' verbs run.
//
//   design LAYOUT                      the form of a layout file becomes the designed form
//   place CLASS NAME [PARENT]          a component of a palette class on the form (or in PARENT)
//   property NAME PROP TYPE [VALUE]    the property's editor dialog ("..."), the value before it
//   verb NAME [INDEX]                  the component editor's verbs, or runs verb INDEX
//   inspector                          the object inspector: shown or not, the selected component's
//                                      properties
#include <iosfwd>
#include <memory>
#include <vector>

#include "rtl/SysUtils.h"

namespace hostimpl {

class TDesignSession {
public:
    TDesignSession();
    ~TDesignSession();
    // False for a command that is none of the session's.
    bool Run(const String& cmd, const std::vector<String>& args, std::ostream& out);
    static bool IsCommand(const String& cmd);

private:
    struct TImpl;
    std::unique_ptr<TImpl> F;
};

}  // namespace hostimpl
