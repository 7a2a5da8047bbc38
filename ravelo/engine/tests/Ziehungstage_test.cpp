// The draw evenings seen from the clock: the coming draw and the newest one that has taken place,
// at the edges of Wednesday 19:00 and Saturday 20:00. 12.08.2009 is a Wednesday.
#include <gtest/gtest.h>

#include "Ziehungstage.h"

namespace {

TDateTime Zeit(int jahr, int monat, int tag, int stunde, int minute)
{
    return EncodeDate(jahr, monat, tag) + EncodeTime(stunde, minute, 0, 0);
}

struct Fall {
    TDateTime jetzt, naechster, letzter;
};

TEST(Ziehungstage, ComingAndNewestDrawFromTheClock)
{
    const Fall faelle[] = {
        {Zeit(2009, 8, 9, 12, 0), EncodeDate(2009, 8, 12), EncodeDate(2009, 8, 8)},  // Sunday
        {Zeit(2009, 8, 10, 23, 59), EncodeDate(2009, 8, 12), EncodeDate(2009, 8, 8)},  // Monday
        {Zeit(2009, 8, 11, 23, 0), EncodeDate(2009, 8, 12), EncodeDate(2009, 8, 8)},  // Tuesday
        {Zeit(2009, 8, 12, 18, 59), EncodeDate(2009, 8, 12), EncodeDate(2009, 8, 8)},  // Wednesday
        {Zeit(2009, 8, 12, 19, 0), EncodeDate(2009, 8, 15), EncodeDate(2009, 8, 12)},
        {Zeit(2009, 8, 13, 8, 0), EncodeDate(2009, 8, 15), EncodeDate(2009, 8, 12)},  // Thursday
        {Zeit(2009, 8, 14, 21, 0), EncodeDate(2009, 8, 15), EncodeDate(2009, 8, 12)},  // Friday
        {Zeit(2009, 8, 15, 19, 59), EncodeDate(2009, 8, 15), EncodeDate(2009, 8, 12)},  // Saturday
        {Zeit(2009, 8, 15, 20, 0), EncodeDate(2009, 8, 19), EncodeDate(2009, 8, 15)},
        {Zeit(2012, 12, 29, 20, 30), EncodeDate(2013, 1, 2), EncodeDate(2012, 12, 29)},
        {Zeit(2014, 1, 1, 18, 0), EncodeDate(2014, 1, 1), EncodeDate(2013, 12, 28)},
    };
    for (const Fall& f : faelle) {
        EXPECT_EQ(DateToStr(naechster_Ziehungstag(f.jetzt)), DateToStr(f.naechster))
            << DateTimeToStr(f.jetzt);
        EXPECT_EQ(DateToStr(letzter_Ziehungstag(f.jetzt)), DateToStr(f.letzter)) << DateTimeToStr(f.jetzt);
    }
}

TEST(Ziehungstage, TimeOfDayIsKept)
{
    const TDateTime jetzt = Zeit(2009, 8, 9, 12, 34);
    EXPECT_EQ(TimeToStr(naechster_Ziehungstag(jetzt)), TimeToStr(jetzt));
    EXPECT_EQ(TimeToStr(letzter_Ziehungstag(jetzt)), TimeToStr(jetzt));
}

}  // namespace
