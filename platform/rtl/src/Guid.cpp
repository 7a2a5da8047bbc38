#include "rtl/Guid.h"

#include <sys/random.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

namespace rtl_detail {
void ThrowBadGuid(const char* s) { throw EConvertError("'" + String(s) + "' is not a valid GUID value"); }
}  // namespace rtl_detail

bool TryStringToGUID(const String& s, TGUID& out)
{
    if (s.find('\0') != String::npos) return false;
    return rtl_detail::ParseGuid(s.c_str(), out);
}

TGUID StringToGUID(const String& s)
{
    TGUID g;
    if (!TryStringToGUID(s, g)) rtl_detail::ThrowBadGuid(s.c_str());
    return g;
}

String GUIDToString(const TGUID& g)
{
    char buf[40];
    std::snprintf(buf, sizeof buf, "{%08X-%04X-%04X-%02X%02X-%02X%02X%02X%02X%02X%02X}",
                  static_cast<unsigned>(g.D1), static_cast<unsigned>(g.D2), static_cast<unsigned>(g.D3),
                  g.D4[0], g.D4[1], g.D4[2], g.D4[3], g.D4[4], g.D4[5], g.D4[6], g.D4[7]);
    return buf;
}

TGUID CreateGUID()
{
    // 122 bits from the kernel's generator: class ids must never repeat, across processes too.
    std::uint8_t b[16];
    std::size_t got = 0;
    while (got < sizeof b) {
        const ssize_t n = ::getrandom(b + got, sizeof b - got, 0);
        if (n < 0) {
            if (errno == EINTR) continue;
            throw Exception("Cannot create a GUID. " + String(std::strerror(errno)));
        }
        got += static_cast<std::size_t>(n);
    }
    b[6] = static_cast<std::uint8_t>((b[6] & 0x0F) | 0x40);  // version 4
    b[8] = static_cast<std::uint8_t>((b[8] & 0x3F) | 0x80);  // RFC 4122 variant
    TGUID g;
    g.D1 = (std::uint32_t(b[0]) << 24) | (std::uint32_t(b[1]) << 16) | (std::uint32_t(b[2]) << 8) | b[3];
    g.D2 = static_cast<std::uint16_t>((b[4] << 8) | b[5]);
    g.D3 = static_cast<std::uint16_t>((b[6] << 8) | b[7]);
    for (int k = 0; k < 8; ++k) g.D4[k] = b[8 + k];
    return g;
}
