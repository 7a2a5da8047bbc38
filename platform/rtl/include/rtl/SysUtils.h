#pragma once
// Strings, conversions and the exception family of the runtime library.
// Strings are std::string holding UTF-8.
#include <exception>
#include <string>

using String = std::string;

class TObject {
public:
    virtual ~TObject() = default;
};

class Exception : public std::exception {
public:
    explicit Exception(String msg) : FMessage(std::move(msg)) {}
    const String& Message() const noexcept { return FMessage; }
    const char* what() const noexcept override { return FMessage.c_str(); }

protected:
    String FMessage;
};

#define RTL_EXCEPTION(Name, Base)                                                                            \
    class Name : public Base {                                                                               \
    public:                                                                                                  \
        using Base::Base;                                                                                    \
    }
RTL_EXCEPTION(EConvertError, Exception);  // text is no number / no date
RTL_EXCEPTION(EFOpenError, Exception);  // file cannot be opened
RTL_EXCEPTION(EInOutError, Exception);  // read or write failed
RTL_EXCEPTION(EListError, Exception);  // list index out of bounds
RTL_EXCEPTION(EAbort, Exception);  // silent abort
RTL_EXCEPTION(EThread, Exception);  // thread misuse
#undef RTL_EXCEPTION

String IntToStr(long long v);
// Raises EConvertError on text that is no integer (surrounding blanks allowed).
int StrToInt(const String& s);
int StrToIntDef(const String& s, int def);
String Trim(const String& s);
String TrimLeft(const String& s);
String TrimRight(const String& s);
String UpperCase(const String& s);  // ASCII letters only
String LowerCase(const String& s);  // ASCII letters only
// UTF-8 text upper-cased letter by letter as the current locale (LC_CTYPE) says; bytes that are no
// UTF-8 stay as they are.
String AnsiUpperCase(const String& s);
// Appends the code point as UTF-8.
void AppendUtf8(String& out, char32_t cp);
// ASCII case-insensitive compare: <0, 0, >0.
int CompareText(const String& a, const String& b);
bool SameText(const String& a, const String& b);
// True for a C/C++/Pascal identifier: an ASCII letter or '_', then letters, digits or '_'.
bool IsValidIdent(const String& s);
// 1-based position of sub in s, 0 when absent.
int Pos(const String& sub, const String& s);
