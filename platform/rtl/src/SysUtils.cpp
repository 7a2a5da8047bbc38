#include "rtl/SysUtils.h"

#include <cerrno>
#include <climits>
#include <cstdlib>

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
