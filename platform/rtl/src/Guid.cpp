#include "rtl/Guid.h"

#include <cstdio>
#include <random>

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
    static thread_local std::mt19937_64 gen{std::random_device{}()};
    std::uint64_t a = gen(), b = gen();
    TGUID g;
    g.D1 = static_cast<std::uint32_t>(a >> 32);
    g.D2 = static_cast<std::uint16_t>(a >> 16);
    g.D3 = static_cast<std::uint16_t>((a & 0x0FFF) | 0x4000);
    for (int i = 0; i < 8; ++i) g.D4[i] = static_cast<std::uint8_t>(b >> (8 * i));
    g.D4[0] = static_cast<std::uint8_t>((g.D4[0] & 0x3F) | 0x80);
    return g;
}
