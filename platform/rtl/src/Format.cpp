#include "rtl/Format.h"

#include <cstdio>

namespace {

[[noreturn]] void BadFormat(const String& fmt)
{
    throw EConvertError("Format '" + fmt + "' invalid or incompatible with argument");
}

String Pad(String s, int width, bool left)
{
    if (width > 0 && static_cast<int>(s.size()) < width) {
        String fill(static_cast<std::size_t>(width) - s.size(), ' ');
        s = left ? s + fill : fill + s;
    }
    return s;
}

String Digits(unsigned long long v, int base, bool upper)
{
    const char* digits = upper ? "0123456789ABCDEF" : "0123456789abcdef";
    String r;
    do {
        r.insert(r.begin(), digits[v % static_cast<unsigned>(base)]);
        v /= static_cast<unsigned>(base);
    } while (v);
    return r;
}

}  // namespace

String Format(const String& fmt, const TVarRecs& args)
{
    String out;
    out.reserve(fmt.size() + 64);
    std::size_t next = 0;  // argument a specifier without index takes
    std::size_t i = 0;
    const std::size_t n = fmt.size();
    auto readNumber = [&](int& value) {
        if (i >= n || fmt[i] < '0' || fmt[i] > '9') return false;
        long long v = 0;
        while (i < n && fmt[i] >= '0' && fmt[i] <= '9') {
            v = v * 10 + (fmt[i] - '0');
            if (v > 1000000) BadFormat(fmt);
            ++i;
        }
        value = static_cast<int>(v);
        return true;
    };
    while (i < n) {
        char c = fmt[i++];
        if (c != '%') {
            out += c;
            continue;
        }
        if (i < n && fmt[i] == '%') {
            out += '%';
            ++i;
            continue;
        }
        // index, or width when no ':' follows
        int first = -1;
        bool haveFirst = readNumber(first);
        std::size_t argIndex = next;
        int width = -1;
        bool left = false;
        if (haveFirst && i < n && fmt[i] == ':') {
            ++i;
            argIndex = static_cast<std::size_t>(first);
            haveFirst = false;
        }
        if (!haveFirst) {
            if (i < n && fmt[i] == '-') {
                left = true;
                ++i;
            }
            readNumber(width);
        } else {
            width = first;
        }
        int prec = -1;
        if (i < n && fmt[i] == '.') {
            ++i;
            if (!readNumber(prec)) BadFormat(fmt);
        }
        if (i >= n) BadFormat(fmt);
        char conv = fmt[i++];
        if (argIndex >= args.size()) BadFormat(fmt);
        const TVarRec& a = args[argIndex];
        next = argIndex + 1;
        String text;
        switch (conv) {
        case 's':
        case 'S':
            if (a.Kind() != TVarRec::TKind::String && a.Kind() != TVarRec::TKind::Char) BadFormat(fmt);
            text = a.Str();
            if (prec >= 0 && static_cast<int>(text.size()) > prec)
                text.resize(static_cast<std::size_t>(prec));
            break;
        case 'd':
        case 'D':
        case 'u':
        case 'U':
        case 'x':
        case 'X': {
            if (a.Kind() != TVarRec::TKind::Int) BadFormat(fmt);
            long long v = a.Int();
            bool neg = false;
            unsigned long long mag;
            if (conv == 'd' || conv == 'D') {
                neg = v < 0;
                mag = neg ? 0ull - static_cast<unsigned long long>(v) : static_cast<unsigned long long>(v);
            } else {
                // 32-bit view of negative values, as the original integer type had.
                mag = v < 0 ? static_cast<std::uint32_t>(v) : static_cast<unsigned long long>(v);
            }
            bool hex = conv == 'x' || conv == 'X';
            text = Digits(mag, hex ? 16 : 10, true);  // hex digits upper-case in either conversion case
            if (prec > 0 && static_cast<int>(text.size()) < prec)
                text.insert(0, static_cast<std::size_t>(prec) - text.size(), '0');
            if (neg) text.insert(text.begin(), '-');
            break;
        }
        default: BadFormat(fmt);
        }
        out += Pad(text, width, left);
    }
    return out;
}
