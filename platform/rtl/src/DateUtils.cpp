#include "rtl/DateUtils.h"

#include <chrono>
#include <cmath>
#include <ctime>

#include "RtlInternal.h"

namespace {

constexpr long long MsPerDay = 86400000LL;

// Days from 1.1.1970 of a proleptic Gregorian date.
constexpr long long DaysFromCivil(long long y, unsigned m, unsigned d)
{
    using namespace std::chrono;
    const year_month_day date{year{static_cast<int>(y)}, month{m}, day{d}};
    return sys_days{date}.time_since_epoch().count();
}

void CivilFromDays(long long z, int& year, int& month, int& day)
{
    using namespace std::chrono;
    const year_month_day date{sys_days{days{z}}};
    year = static_cast<int>(date.year());
    month = static_cast<int>(static_cast<unsigned>(date.month()));
    day = static_cast<int>(static_cast<unsigned>(date.day()));
}

// constexpr: other units' static initialisers encode dates before this unit's would run.
constexpr long long DaysTo18991230 = DaysFromCivil(1899, 12, 30);

bool ValidDate(int y, int m, int d)
{
    using namespace std::chrono;
    return y >= 1 && y <= 9999 && m >= 1 && m <= 12 && d >= 1 && d <= 31 &&
           year_month_day{year{y}, month{static_cast<unsigned>(m)}, day{static_cast<unsigned>(d)}}.ok();
}

// Splits a TDateTime into whole days and milliseconds of the day. As usual for this type, the
// time of day of a negative value is its fraction's absolute value (-1.25 is 29.12.1899 06:00).
void Split(TDateTime t, long long& days, long long& ms)
{
    double v = t.Val;
    double whole = std::trunc(v);
    days = static_cast<long long>(whole);
    ms = std::llround(std::fabs(v - whole) * static_cast<double>(MsPerDay));
    if (ms >= MsPerDay) {
        ms -= MsPerDay;
        days += v < 0 ? -1 : 1;
    }
}

String Two(int v)
{
    String s = std::to_string(v);
    return s.size() < 2 ? "0" + s : s;
}

String Pad(int v, std::size_t width)
{
    String s = std::to_string(v);
    while (s.size() < width) s = "0" + s;
    return s;
}

}  // namespace

TDateTime EncodeDate(int year, int month, int day)
{
    if (!ValidDate(year, month, day)) throw EConvertError("Invalid argument to date encode");
    return TDateTime(static_cast<double>(
        DaysFromCivil(year, static_cast<unsigned>(month), static_cast<unsigned>(day)) - DaysTo18991230));
}

TDateTime EncodeTime(int hour, int min, int sec, int msec)
{
    if (hour < 0 || hour > 23 || min < 0 || min > 59 || sec < 0 || sec > 59 || msec < 0 || msec > 999)
        throw EConvertError("Invalid argument to time encode");
    return TDateTime((((hour * 60.0 + min) * 60.0 + sec) * 1000.0 + msec) / static_cast<double>(MsPerDay));
}

void DecodeDate(TDateTime t, int& year, int& month, int& day)
{
    long long days = 0, ms = 0;
    Split(t, days, ms);
    CivilFromDays(days + DaysTo18991230, year, month, day);
}

void DecodeTime(TDateTime t, int& hour, int& min, int& sec, int& msec)
{
    long long days = 0, ms = 0;
    Split(t, days, ms);
    msec = static_cast<int>(ms % 1000);
    ms /= 1000;
    sec = static_cast<int>(ms % 60);
    ms /= 60;
    min = static_cast<int>(ms % 60);
    hour = static_cast<int>(ms / 60);
}

int DayOfWeek(TDateTime t)
{
    long long days = 0, ms = 0;
    Split(t, days, ms);
    // 30.12.1899 (day 0) was a Saturday.
    int r = static_cast<int>(((days % 7) + 7) % 7);  // 0 Saturday, 1 Sunday, ... 6 Friday
    return r == 0 ? 7 : r;
}

TDateTime IncDay(TDateTime t, int days)
{
    if (t.Val >= 0 || std::trunc(t.Val) == t.Val) return TDateTime(t.Val + days);
    // Negative values keep the time of day as absolute fraction; shift the day part only.
    long long d = 0, ms = 0;
    Split(t, d, ms);
    long long nd = d + days;
    double frac = static_cast<double>(ms) / static_cast<double>(MsPerDay);
    return TDateTime(nd >= 0 ? static_cast<double>(nd) + frac : static_cast<double>(nd) - frac);
}

TDateTime DateOf(TDateTime t)
{
    long long days = 0, ms = 0;
    Split(t, days, ms);
    return TDateTime(static_cast<double>(days));
}

String FormatDateTime(const String& fmt, TDateTime t)
{
    int y = 0, mo = 0, d = 0, h = 0, mi = 0, s = 0, ms = 0;
    DecodeDate(t, y, mo, d);
    DecodeTime(t, h, mi, s, ms);
    String out;
    std::size_t i = 0;
    auto starts = [&](const char* token) {
        std::size_t n = 0;
        while (token[n]) {
            if (i + n >= fmt.size() || rtl_detail::AsciiLower(fmt[i + n]) != token[n]) return false;
            ++n;
        }
        i += n;
        return true;
    };
    while (i < fmt.size()) {
        if (starts("yyyy"))
            out += Pad(y, 4);
        else if (starts("yy"))
            out += Two(y % 100);
        else if (starts("dd"))
            out += Two(d);
        else if (starts("mm"))
            out += Two(mo);
        else if (starts("hh"))
            out += Two(h);
        else if (starts("nn"))
            out += Two(mi);
        else if (starts("ss"))
            out += Two(s);
        else if (starts("zzz"))
            out += Pad(ms, 3);
        else if (fmt[i] == '"' || fmt[i] == '\'') {
            // Quoted literal text.
            char q = fmt[i++];
            while (i < fmt.size() && fmt[i] != q) out += fmt[i++];
            if (i < fmt.size()) ++i;
        } else {
            out += fmt[i++];
        }
    }
    return out;
}

String DateToStr(TDateTime t) { return FormatDateTime("dd.mm.yyyy", t); }
String TimeToStr(TDateTime t) { return FormatDateTime("hh:nn:ss", t); }
String DateTimeToStr(TDateTime t) { return FormatDateTime("dd.mm.yyyy hh:nn:ss", t); }

bool TryStrToDate(const String& s, TDateTime& out)
{
    String t = Trim(s);
    int parts[3] = {0, 0, 0};
    std::size_t digits[3] = {0, 0, 0};
    int part = 0;
    for (char c : t) {
        if (c == '.') {
            if (++part > 2) return false;
        } else if (c >= '0' && c <= '9') {
            if (++digits[part] > 4) return false;
            parts[part] = parts[part] * 10 + (c - '0');
        } else {
            return false;
        }
    }
    if (part != 2) return false;
    if (digits[0] < 1 || digits[0] > 2 || digits[1] < 1 || digits[1] > 2) return false;
    int year = parts[2];
    if (digits[2] == 2)
        year += year < 50 ? 2000 : 1900;
    else if (digits[2] != 4)
        return false;
    if (!ValidDate(year, parts[1], parts[0])) return false;
    out = EncodeDate(year, parts[1], parts[0]);
    return true;
}

TDateTime StrToDate(const String& s)
{
    TDateTime t;
    if (!TryStrToDate(s, t)) throw EConvertError("'" + s + "' is not a valid date");
    return t;
}

namespace rtl_detail {

TDateTime LocalDateTimeFromUnix(std::int64_t sec, long nsec)
{
    std::time_t tt = static_cast<std::time_t>(sec);
    std::tm tm{};
    localtime_r(&tt, &tm);
    double days = static_cast<double>(DaysFromCivil(tm.tm_year + 1900, static_cast<unsigned>(tm.tm_mon + 1),
                                                    static_cast<unsigned>(tm.tm_mday)) -
                                      DaysTo18991230);
    double ms = ((tm.tm_hour * 60.0 + tm.tm_min) * 60.0 + (tm.tm_sec > 59 ? 59 : tm.tm_sec)) * 1000.0 +
                static_cast<double>(nsec / 1000000);
    return TDateTime(days + ms / static_cast<double>(MsPerDay));
}

}  // namespace rtl_detail
