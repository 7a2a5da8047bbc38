#pragma once
// Helpers shared by the runtime library's units; not part of its interface.
#include <cstdint>

#include "rtl/DateUtils.h"

namespace rtl_detail {

// Local time of a moment given as seconds (and nanoseconds) since 1970 UTC.
TDateTime LocalDateTimeFromUnix(std::int64_t sec, long nsec);

inline bool IsBlank(char c) { return static_cast<unsigned char>(c) <= ' '; }
inline char AsciiLower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }
inline bool IsPathDelimiter(char c) { return c == '/' || c == '\\'; }

}  // namespace rtl_detail
