#pragma once
// Positional formatter.
//
// Specifiers: "%" [index ":"] ["-"] [width] ["." precision] conversion, conversion one of
// d (integer), u (unsigned), x (hex integer), s (string or character), in either case. "%%" is a
// literal percent sign. A specifier without an index takes the argument after the one used last
// (the first argument at the start), so "%1:s#ifndef %sH" fills the second slot with argument 2.
// Hex digits are upper-case. For d, u and x the precision is the minimum number of digits
// (zero-padded); for s it cuts the text. Width pads with blanks on the left ("-": on the right).
// A bad specifier, a missing argument or an argument of the wrong kind raises EConvertError.
// Arguments that no specifier names are ignored.
#include <cstdint>
#include <initializer_list>
#include <vector>

#include "rtl/SysUtils.h"

class TVarRec {
public:
    enum class TKind { String, Int, Char, Bool };
    TVarRec(const String& s) : FKind(TKind::String), FStr(s) {}
    TVarRec(const char* s) : FKind(TKind::String), FStr(s ? s : "") {}
    TVarRec(char c) : FKind(TKind::Char), FStr(1, c) {}
    TVarRec(bool b) : FKind(TKind::Bool), FInt(b ? 1 : 0) {}
    TVarRec(int v) : FKind(TKind::Int), FInt(v) {}
    TVarRec(long v) : FKind(TKind::Int), FInt(v) {}
    TVarRec(long long v) : FKind(TKind::Int), FInt(v) {}
    TVarRec(unsigned v) : FKind(TKind::Int), FInt(v) {}
    TVarRec(unsigned long v) : FKind(TKind::Int), FInt(static_cast<long long>(v)) {}

    TKind Kind() const { return FKind; }
    const String& Str() const { return FStr; }  // String and Char
    long long Int() const { return FInt; }  // Int and Bool

private:
    TKind FKind;
    String FStr;
    long long FInt = 0;
};

using TVarRecs = std::vector<TVarRec>;

String Format(const String& fmt, const TVarRecs& args);
inline String Format(const String& fmt, std::initializer_list<TVarRec> args)
{
    return Format(fmt, TVarRecs(args));
}
