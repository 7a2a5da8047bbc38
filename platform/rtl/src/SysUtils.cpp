#include "rtl/SysUtils.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cwctype>

#include "RtlInternal.h"

using rtl_detail::AsciiLower;
using rtl_detail::IsBlank;

String IntToStr(long long v) { return std::to_string(v); }

namespace {

bool ParseInt(const String& s, int& out)
{
    String t = Trim(s);
    if (t.empty()) return false;
    std::size_t i = 0;
    bool negative = false;
    if (t[i] == '+' || t[i] == '-') {
        negative = t[i] == '-';
        ++i;
    }
    if (i == t.size()) return false;
    long long v = 0;
    for (; i < t.size(); ++i) {
        if (t[i] < '0' || t[i] > '9') return false;
        v = v * 10 + (t[i] - '0');
        if (v > static_cast<long long>(INT_MAX) + 1) return false;
    }
    if (negative) v = -v;
    if (v < INT_MIN || v > INT_MAX) return false;
    out = static_cast<int>(v);
    return true;
}

}  // namespace

int StrToInt(const String& s)
{
    int v = 0;
    if (!ParseInt(s, v)) throw EConvertError("'" + s + "' is not a valid integer value");
    return v;
}

int StrToIntDef(const String& s, int def)
{
    int v = 0;
    return ParseInt(s, v) ? v : def;
}

String TrimLeft(const String& s)
{
    std::size_t b = 0;
    while (b < s.size() && IsBlank(s[b])) ++b;
    return s.substr(b);
}

String TrimRight(const String& s)
{
    std::size_t e = s.size();
    while (e > 0 && IsBlank(s[e - 1])) --e;
    return s.substr(0, e);
}

String Trim(const String& s) { return TrimLeft(TrimRight(s)); }

String UpperCase(const String& s)
{
    String r = s;
    for (char& c : r)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    return r;
}

namespace {

// The code point at s[i] and its length in bytes; length 0 for a byte that starts no valid
// UTF-8 sequence.
char32_t DecodeUtf8(const String& s, std::size_t i, std::size_t& length)
{
    const auto b = [&](std::size_t k) { return static_cast<unsigned char>(s[i + k]); };
    const unsigned char c = b(0);
    length = 0;
    std::size_t n;
    char32_t cp;
    if (c < 0x80) {
        length = 1;
        return c;
    } else if ((c & 0xE0) == 0xC0) {
        n = 2;
        cp = c & 0x1F;
    } else if ((c & 0xF0) == 0xE0) {
        n = 3;
        cp = c & 0x0F;
    } else if ((c & 0xF8) == 0xF0) {
        n = 4;
        cp = c & 0x07;
    } else {
        return 0;
    }
    if (i + n > s.size()) return 0;
    for (std::size_t k = 1; k < n; ++k) {
        if ((b(k) & 0xC0) != 0x80) return 0;
        cp = (cp << 6) | (b(k) & 0x3F);
    }
    static constexpr char32_t kMin[] = {0, 0, 0x80, 0x800, 0x10000};
    if (cp < kMin[n] || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return 0;
    length = n;
    return cp;
}

}  // namespace

void AppendUtf8(String& out, char32_t cp)
{
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

String AnsiUpperCase(const String& s)
{
    String r;
    r.reserve(s.size());
    for (std::size_t i = 0; i < s.size();) {
        std::size_t n;
        const char32_t cp = DecodeUtf8(s, i, n);
        if (n == 0) {
            r += s[i++];
            continue;
        }
        const auto up = std::towupper(static_cast<std::wint_t>(cp));
        AppendUtf8(r, up > 0x10FFFF ? cp : static_cast<char32_t>(up));
        i += n;
    }
    return r;
}

String LowerCase(const String& s)
{
    String r = s;
    for (char& c : r) c = AsciiLower(c);
    return r;
}

int CompareText(const String& a, const String& b)
{
    std::size_t n = a.size() < b.size() ? a.size() : b.size();
    for (std::size_t i = 0; i < n; ++i) {
        unsigned char x = static_cast<unsigned char>(AsciiLower(a[i]));
        unsigned char y = static_cast<unsigned char>(AsciiLower(b[i]));
        if (x != y) return x < y ? -1 : 1;
    }
    if (a.size() == b.size()) return 0;
    return a.size() < b.size() ? -1 : 1;
}

bool SameText(const String& a, const String& b) { return a.size() == b.size() && CompareText(a, b) == 0; }

bool IsValidIdent(const String& s)
{
    auto alpha = [](char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_'; };
    if (s.empty() || !alpha(s[0])) return false;
    for (char c : s)
        if (!alpha(c) && !(c >= '0' && c <= '9')) return false;
    return true;
}

int Pos(const String& sub, const String& s)
{
    if (sub.empty()) return 0;
    std::size_t p = s.find(sub);
    return p == String::npos ? 0 : static_cast<int>(p) + 1;
}
