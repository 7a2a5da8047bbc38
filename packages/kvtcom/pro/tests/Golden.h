#pragma once
// Expected texts are written with LF line ends here; the generated files have CR LF.
#include "rtl/SysUtils.h"

namespace golden {
inline String CRLF(const char* text)
{
    String r;
    for (const char* p = text; *p; ++p) {
        if (*p == '\n') r += '\r';
        r += *p;
    }
    return r;
}
}  // namespace golden
