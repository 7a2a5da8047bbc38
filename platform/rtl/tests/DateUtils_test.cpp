#include <gtest/gtest.h>

#include "rtl/DateUtils.h"

struct DayCase {
    int y, m, d;
    int dow;  // 1 Sunday .. 7 Saturday
};

void PrintTo(const DayCase& c, std::ostream* os) { *os << c.d << "." << c.m << "." << c.y; }

class DayOfWeekCases : public ::testing::TestWithParam<DayCase> {};

TEST_P(DayOfWeekCases, MatchesTheCalendar)
{
    const DayCase& c = GetParam();
    TDateTime t = EncodeDate(c.y, c.m, c.d);
    EXPECT_EQ(DayOfWeek(t), c.dow);
    // The time of day counts away from day 0, so it is added only to non-negative days.
    if (t.Val >= 0) {
        EXPECT_EQ(DayOfWeek(t + EncodeTime(23, 59, 59, 0)), c.dow);
    }
    int y = 0, m = 0, d = 0;
    DecodeDate(t, y, m, d);
    EXPECT_EQ(y * 10000 + m * 100 + d, c.y * 10000 + c.m * 100 + c.d);
}

INSTANTIATE_TEST_SUITE_P(Cases, DayOfWeekCases,
                         ::testing::Values(DayCase{1899, 12, 30, 7}, DayCase{1899, 12, 29, 6},
                                           DayCase{1800, 1, 1, 4}, DayCase{1900, 1, 1, 2},
                                           DayCase{1900, 3, 1, 5}, DayCase{2000, 2, 29, 3},
                                           DayCase{2000, 3, 1, 4}, DayCase{2008, 12, 31, 4},
                                           DayCase{2009, 8, 12, 4}, DayCase{2009, 8, 15, 7},
                                           DayCase{2009, 8, 16, 1}, DayCase{2012, 2, 29, 4},
                                           DayCase{2024, 2, 29, 5}, DayCase{2100, 3, 1, 2}));

TEST(Dates, KnownSerialNumbers)
{
    EXPECT_EQ(EncodeDate(1899, 12, 30).Val, 0.0);
    EXPECT_EQ(EncodeDate(1900, 1, 1).Val, 2.0);
    EXPECT_EQ(EncodeDate(2009, 8, 12).Val, 40037.0);
    EXPECT_EQ(EncodeDate(1899, 12, 29).Val, -1.0);
}

TEST(Dates, NegativeValuesKeepTheTimeAsFraction)
{
    TDateTime t(-1.25);  // 29.12.1899 06:00
    EXPECT_EQ(DateTimeToStr(t), "29.12.1899 06:00:00");
    EXPECT_EQ(DateToStr(IncDay(t, -1)), "28.12.1899");
    EXPECT_EQ(TimeToStr(IncDay(t, -1)), "06:00:00");
}

TEST(Dates, FormatAndTimeOfDay)
{
    TDateTime t = EncodeDate(2009, 8, 2) + EncodeTime(7, 5, 9, 250);
    EXPECT_EQ(DateToStr(t), "02.08.2009");
    EXPECT_EQ(TimeToStr(t), "07:05:09");
    EXPECT_EQ(DateTimeToStr(t), "02.08.2009 07:05:09");
    EXPECT_EQ(FormatDateTime("dd-mm-yyyy", t), "02-08-2009");
    EXPECT_EQ(FormatDateTime("dd.mm.yy", t), "02.08.09");
    EXPECT_EQ(FormatDateTime("hh:nn:ss.zzz", t), "07:05:09.250");
    EXPECT_EQ(FormatDateTime("'Tag' dd", t), "Tag 02");
    EXPECT_EQ(DateToStr(DateOf(t)), "02.08.2009");
    EXPECT_EQ(DateOf(t).Val, EncodeDate(2009, 8, 2).Val);
    int h = 0, n = 0, s = 0, ms = 0;
    DecodeTime(t, h, n, s, ms);
    EXPECT_EQ(h * 10000000 + n * 100000 + s * 1000 + ms, 7 * 10000000 + 5 * 100000 + 9 * 1000 + 250);
}

TEST(Dates, JustBeforeMidnightDoesNotRollOver)
{
    TDateTime t = EncodeDate(2009, 12, 31) + EncodeTime(23, 59, 59, 999);
    EXPECT_EQ(DateTimeToStr(t), "31.12.2009 23:59:59");
    EXPECT_EQ(DateToStr(IncDay(t, 1)), "01.01.2010");
}

struct ParseCase {
    const char* text;
    const char* date;  // DateToStr of the result, or nullptr when it must raise
};

void PrintTo(const ParseCase& c, std::ostream* os) { *os << '"' << c.text << '"'; }

class StrToDateCases : public ::testing::TestWithParam<ParseCase> {};

TEST_P(StrToDateCases, ParsesOrRaises)
{
    const ParseCase& c = GetParam();
    TDateTime out;
    if (c.date) {
        EXPECT_EQ(DateToStr(StrToDate(c.text)), c.date);
        EXPECT_TRUE(TryStrToDate(c.text, out));
    } else {
        EXPECT_THROW(StrToDate(c.text), EConvertError);
        EXPECT_FALSE(TryStrToDate(c.text, out));
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, StrToDateCases,
    ::testing::Values(ParseCase{"12.08.09", "12.08.2009"}, ParseCase{"12.08.2009", "12.08.2009"},
                      ParseCase{"01.01.00", "01.01.2000"}, ParseCase{"31.12.49", "31.12.2049"},
                      ParseCase{"01.01.50", "01.01.1950"}, ParseCase{"15.06.99", "15.06.1999"},
                      ParseCase{"29.02.08", "29.02.2008"}, ParseCase{" 1.2.2010 ", "01.02.2010"},
                      ParseCase{"29.02.09", nullptr}, ParseCase{"31.04.2009", nullptr},
                      ParseCase{"00.01.2009", nullptr}, ParseCase{"12.13.2009", nullptr},
                      ParseCase{"12.08.209", nullptr}, ParseCase{"12-08-2009", nullptr},
                      ParseCase{"12.08", nullptr}, ParseCase{"", nullptr}, ParseCase{"1.2.3.4", nullptr},
                      ParseCase{"aa.bb.cccc", nullptr}, ParseCase{"123.08.2009", nullptr}));

TEST(Dates, ImpossibleEncodingsRaise)
{
    EXPECT_THROW(EncodeDate(2009, 2, 29), EConvertError);
    EXPECT_THROW(EncodeDate(1900, 2, 29), EConvertError);
    EXPECT_NO_THROW(EncodeDate(2000, 2, 29));
    EXPECT_THROW(EncodeDate(2009, 0, 1), EConvertError);
    EXPECT_THROW(EncodeDate(0, 1, 1), EConvertError);
    EXPECT_THROW(EncodeTime(24, 0, 0, 0), EConvertError);
    EXPECT_THROW(EncodeTime(0, 60, 0, 0), EConvertError);
    EXPECT_THROW(EncodeTime(0, 0, 0, 1000), EConvertError);
}
