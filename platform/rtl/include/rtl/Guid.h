#pragma once
// GUIDs: parsed from and printed as "{XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}", compared by value.
// Parsing is constexpr so interfaces can carry their identifier as a compile-time constant.
#include <compare>
#include <cstdint>

#include "rtl/SysUtils.h"

struct TGUID {
    std::uint32_t D1 = 0;
    std::uint16_t D2 = 0;
    std::uint16_t D3 = 0;
    std::uint8_t D4[8] = {};

    friend constexpr bool operator==(const TGUID&, const TGUID&) = default;
    friend constexpr auto operator<=>(const TGUID&, const TGUID&) = default;

    // Braces required; hex digits in either case. Malformed text fails to compile in a constant
    // expression and raises EConvertError at run time.
    static constexpr TGUID Parse(const char* s);
};

namespace rtl_detail {
constexpr int HexDigit(char c)
{
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}
[[noreturn]] void ThrowBadGuid(const char* s);
constexpr bool ParseGuid(const char* s, TGUID& g)
{
    // Layout: {8-4-4-4-12}
    int len = 0;
    while (s[len] != '\0') ++len;
    if (len != 38 || s[0] != '{' || s[37] != '}' || s[9] != '-' || s[14] != '-' || s[19] != '-' ||
        s[24] != '-')
        return false;
    auto hex = [&](int from, int count, std::uint64_t& out) {
        out = 0;
        for (int i = 0; i < count; ++i) {
            int d = HexDigit(s[from + i]);
            if (d < 0) return false;
            out = out * 16 + static_cast<std::uint64_t>(d);
        }
        return true;
    };
    std::uint64_t v = 0;
    if (!hex(1, 8, v)) return false;
    g.D1 = static_cast<std::uint32_t>(v);
    if (!hex(10, 4, v)) return false;
    g.D2 = static_cast<std::uint16_t>(v);
    if (!hex(15, 4, v)) return false;
    g.D3 = static_cast<std::uint16_t>(v);
    const int pos[8] = {20, 22, 25, 27, 29, 31, 33, 35};
    for (int i = 0; i < 8; ++i) {
        if (!hex(pos[i], 2, v)) return false;
        g.D4[i] = static_cast<std::uint8_t>(v);
    }
    return true;
}
}  // namespace rtl_detail

constexpr TGUID TGUID::Parse(const char* s)
{
    TGUID g;
    if (!rtl_detail::ParseGuid(s, g)) rtl_detail::ThrowBadGuid(s);
    return g;
}

TGUID StringToGUID(const String& s);  // EConvertError on malformed text
[[nodiscard]] bool TryStringToGUID(const String& s, TGUID& out);
String GUIDToString(const TGUID& g);  // upper-case hex, with braces
inline bool IsEqualGUID(const TGUID& a, const TGUID& b) { return a == b; }
TGUID CreateGUID();  // a fresh random (version 4) GUID
inline String CreateClassID() { return GUIDToString(CreateGUID()); }
