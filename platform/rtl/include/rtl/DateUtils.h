#pragma once
// TDateTime: days since 30.12.1899, the fraction is the time of day.
#include "rtl/SysUtils.h"

struct TDateTime {
    double Val = 0.0;
    TDateTime() = default;
    TDateTime(double v) : Val(v) {}
    operator double() const { return Val; }
    TDateTime& operator+=(double days)
    {
        Val += days;
        return *this;
    }
    TDateTime& operator-=(double days)
    {
        Val -= days;
        return *this;
    }
};

// Raises EConvertError on an impossible date or time.
TDateTime EncodeDate(int year, int month, int day);
TDateTime EncodeTime(int hour, int min, int sec, int msec);
void DecodeDate(TDateTime t, int& year, int& month, int& day);
void DecodeTime(TDateTime t, int& hour, int& min, int& sec, int& msec);
int DayOfWeek(TDateTime t);  // 1 = Sunday .. 7 = Saturday
TDateTime IncDay(TDateTime t, int days);
TDateTime DateOf(TDateTime t);  // time of day dropped
String DateToStr(TDateTime t);  // "dd.mm.yyyy"
String TimeToStr(TDateTime t);  // "hh:mm:ss"
String DateTimeToStr(TDateTime t);  // "dd.mm.yyyy hh:mm:ss"
// Formats with the tokens dd, mm, yy, yyyy, hh, nn, ss and literal text, e.g. "dd-mm-yyyy".
String FormatDateTime(const String& fmt, TDateTime t);
// Parses "dd.mm.yy" and "dd.mm.yyyy" (two-digit years: 00..49 -> 20xx, 50..99 -> 19xx; day and
// month may have one digit; blanks around the text are ignored). Raises EConvertError on anything
// else, impossible dates included.
TDateTime StrToDate(const String& s);
bool TryStrToDate(const String& s, TDateTime& out);
