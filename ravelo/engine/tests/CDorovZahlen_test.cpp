#include "CDorovZahlen.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <memory>
#include <numeric>
#include <sstream>

#include "Testordner.h"

namespace {

using ::testing::ElementsAreArray;

// A draw line as the hand-entry dialog writes it: date, six numbers, extra number, Superzahl and
// the two fixed groups.
std::string ziehung(const std::string& datum, std::initializer_list<int> sieben)
{
    std::string z = datum;
    for (int n : sieben) z += "," + std::to_string(n);
    return z + ",3,111111,1111111";
}

std::vector<int> erste_Spalte(const CDorovZahlen& z)
{
    std::vector<int> v;
    for (int r = 0; r <= z.letzte; ++r) v.push_back(z.zahlen[r][0]);
    return v;
}

class CDorovZahlenTest : public TestOrdner {
protected:
    std::unique_ptr<CDorovZahlen> lade(const std::vector<std::string>& zeilen, const std::string& tippdatum)
    {
        schreibe("dorov_zahlen.txt", zeilen);
        auto z = std::make_unique<CDorovZahlen>();
        z->setze_Form(nullptr);
        EXPECT_TRUE(z->lade_Zahlen(tippdatum));
        return z;
    }
};

// ---- loading ----

struct Ladefall {
    const char* name;
    std::vector<std::string> zeilen;
    const char* tippdatum;
    std::vector<int> erste_Zahlen;  // column 0 of rows 0..last
};

void PrintTo(const Ladefall& f, std::ostream* os) { *os << f.name; }

class LadeTest : public CDorovZahlenTest, public ::testing::WithParamInterface<Ladefall> {};

TEST_P(LadeTest, LoadsTheDrawsBeforeTheTipDate)
{
    const Ladefall& f = GetParam();
    auto z = lade(f.zeilen, f.tippdatum);
    EXPECT_EQ(z->letzte, static_cast<int>(f.erste_Zahlen.size()) - 1);
    EXPECT_THAT(erste_Spalte(*z), ElementsAreArray(f.erste_Zahlen));
}

INSTANTIATE_TEST_SUITE_P(Faelle, LadeTest,
                         ::testing::Values(Ladefall{"EmptyFile", {}, "12.08.2009", {}},
                                           Ladefall{"FirstDrawIsTipDate",
                                                    {ziehung("12.08.09", {1, 2, 3, 4, 5, 6, 7}),
                                                     ziehung("15.08.09", {8, 9, 10, 11, 12, 13, 14})},
                                                    "12.08.2009",
                                                    {}},
                                           Ladefall{"NoLineMatchesLoadsAll",
                                                    {ziehung("01.08.09", {1, 2, 3, 4, 5, 6, 7}),
                                                     ziehung("05.08.09", {8, 9, 10, 11, 12, 13, 14}),
                                                     ziehung("08.08.09", {15, 16, 17, 18, 19, 20, 21})},
                                                    "12.08.2009",
                                                    {1, 8, 15}},
                                           Ladefall{"StopKeyInTheMiddle",
                                                    {ziehung("01.08.09", {1, 2, 3, 4, 5, 6, 7}),
                                                     ziehung("05.08.09", {8, 9, 10, 11, 12, 13, 14}),
                                                     ziehung("12.08.09", {15, 16, 17, 18, 19, 20, 21}),
                                                     ziehung("15.08.09", {22, 23, 24, 25, 26, 27, 28})},
                                                    "12.08.2009",
                                                    {1, 8}},
                                           Ladefall{"Year82LeavesNoRow",
                                                    {ziehung("01.08.09", {1, 2, 3, 4, 5, 6, 7}),
                                                     ziehung("03.03.82", {40, 41, 42, 43, 44, 45, 46}),
                                                     ziehung("08.08.09", {15, 16, 17, 18, 19, 20, 21})},
                                                    "12.08.2009",
                                                    {1, 15}},
                                           Ladefall{"HeadingAndEmptyLineSkipped",
                                                    {"Lottozahlen",
                                                     ziehung("01.08.09", {1, 2, 3, 4, 5, 6, 7}), "",
                                                     ziehung("08.08.09", {15, 16, 17, 18, 19, 20, 21})},
                                                    "12.08.2009",
                                                    {1, 15}}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(CDorovZahlenTest, StoresAllColumnsOfADraw)
{
    auto z = lade({"12.08.09,11,22,33,44,5,6,7,3,111111,1111111"}, "01.01.2010");
    ASSERT_EQ(z->letzte, 0);
    const int erwartet[CDorovZahlen::SPALTEN] = {11, 22, 33, 44, 5, 6, 7, 0, 0, 12, 8, 9};
    EXPECT_THAT(z->zahlen[0], ElementsAreArray(erwartet));
}

TEST_F(CDorovZahlenTest, EmptyArchiveLeavesEveryStatisticZero)
{
    auto z = lade({}, "12.08.2009");
    EXPECT_EQ(z->letzte, -1);
    z->berechne_Abstaende();
    z->zaehle_Haeufigkeit("");
    z->berechne_Zwillingsabstaende();
    z->lade_Zwillingsprozente();
    for (int n = 0; n < 50; ++n) {
        EXPECT_EQ(z->abstand[n], 0);
        EXPECT_EQ(z->haeufigkeit[n], 0);
    }
    for (int k = 0; k < CDorovZahlen::ZWILLINGSTABELLE; ++k) {
        EXPECT_EQ(z->zwillingsabstand[k], 0);
        EXPECT_EQ(z->zwillingsprozent[k], 0);
    }
}

TEST_F(CDorovZahlenTest, NewObjectIsEmptyAndAMissingArchiveKeepsTheTables)
{
    auto z = std::make_unique<CDorovZahlen>();
    EXPECT_EQ(z->letzte, -1);
    EXPECT_FALSE(z->lade_Zahlen("12.08.2009"));
    EXPECT_EQ(z->letzte, -1);

    schreibe("dorov_zahlen.txt", {ziehung("01.08.09", {1, 2, 3, 4, 5, 6, 7})});
    ASSERT_TRUE(z->lade_Zahlen("12.08.2009"));
    std::filesystem::remove(ordner + "dorov_zahlen.txt");
    EXPECT_FALSE(z->lade_Zahlen("12.08.2009"));
    EXPECT_EQ(z->letzte, 0);
    EXPECT_EQ(z->zahlen[0][0], 1);
}

TEST_F(CDorovZahlenTest, ArchiveIsFoundWhateverTheLetterCase)
{
    schreibe("Dorov_Zahlen.TXT", {ziehung("01.08.09", {1, 2, 3, 4, 5, 6, 7})});
    auto z = std::make_unique<CDorovZahlen>();
    EXPECT_TRUE(z->lade_Zahlen("12.08.2009"));
    EXPECT_EQ(z->letzte, 0);
}

TEST_F(CDorovZahlenTest, ShortDateTextIsAnError)
{
    auto z = std::make_unique<CDorovZahlen>();
    EXPECT_THROW(z->lade_Zahlen("12.08.09"), EConvertError);
}

TEST_F(CDorovZahlenTest, LongerArchiveKeepsTheNewest5000Draws)
{
    // Draw i carries i in base 49 in its first three numbers, so every row tells which draw it is.
    std::vector<std::string> zeilen;
    for (int i = 0; i < 5200; ++i)
        zeilen.push_back(ziehung("01.02.03", {i % 49 + 1, i / 49 % 49 + 1, i / 2401 + 1, 4, 5, 6, 7}));
    auto z = lade(zeilen, "01.01.2099");
    ASSERT_EQ(z->letzte, 4999);
    auto draw = [&](int r) {
        return (z->zahlen[r][0] - 1) + (z->zahlen[r][1] - 1) * 49 + (z->zahlen[r][2] - 1) * 2401;
    };
    EXPECT_EQ(draw(0), 200);
    EXPECT_EQ(draw(2500), 2700);
    EXPECT_EQ(draw(4999), 5199);
}

TEST_F(CDorovZahlenTest, NumbersOutsideTheRangeAreKeptButCountNowhere)
{
    auto z = lade(
        {ziehung("01.08.09", {55, -3, 7, 8, 9, 10, 11}), ziehung("05.08.09", {0, 50, 7, 12, 13, 14, 1000})},
        "12.08.2009");
    ASSERT_EQ(z->letzte, 1);
    EXPECT_EQ(z->zahlen[0][0], 55);
    EXPECT_EQ(z->zahlen[0][1], 0);  // a sign is no digit: "-3" reads as 0
    EXPECT_EQ(z->zahlen[1][6], 1000);

    z->zaehle_Haeufigkeit("");
    EXPECT_EQ(std::accumulate(std::begin(z->haeufigkeit), std::end(z->haeufigkeit), 0), 5 + 4);
    EXPECT_EQ(z->haeufigkeit[7], 2);
    EXPECT_EQ(z->haeufigkeit[0], 0);

    z->berechne_Abstaende();
    EXPECT_EQ(z->abstand[8], 1);
    EXPECT_EQ(z->abstand[12], 0);
    z->berechne_Zwillingsabstaende();
    EXPECT_EQ(z->zwillingsabstand[CDorovZahlen::Zwillingsnummer(7, 8)], 1);
    EXPECT_EQ(z->zwillingsabstand[CDorovZahlen::Zwillingsnummer(7, 12)], 0);
}

TEST_F(CDorovZahlenTest, LongLinesAreReadWhole)
{
    std::string lang = ziehung("01.08.09", {1, 2, 3, 4, 5, 6, 7}) + std::string(5000, 'x');
    auto z = lade({lang, ziehung("05.08.09", {8, 9, 10, 11, 12, 13, 14})}, "12.08.2009");
    EXPECT_THAT(erste_Spalte(*z), ElementsAreArray({1, 8}));
    EXPECT_EQ(z->zahlen[1][6], 14);
}

TEST_F(CDorovZahlenTest, FieldsWithBlanksAndMissingFieldsRead)
{
    auto z = lade({"03.03.08, 1,2,3,4,5,6, 9", "04.03.08,1,2"}, "12.08.2009");
    ASSERT_EQ(z->letzte, 1);
    EXPECT_EQ(z->zahlen[0][6], 9);
    EXPECT_EQ(z->zahlen[1][1], 2);
    EXPECT_EQ(z->zahlen[1][2], 0);
}

// ---- statistics ----

TEST_F(CDorovZahlenTest, GapsAndFrequencyCountTheExtraNumber)
{
    auto z =
        lade({ziehung("01.08.09", {1, 2, 3, 4, 5, 6, 7}), ziehung("05.08.09", {1, 9, 10, 11, 12, 13, 14}),
              ziehung("08.08.09", {15, 16, 17, 18, 19, 20, 49})},
             "12.08.2009");
    z->berechne_Abstaende();
    z->zaehle_Haeufigkeit("");
    EXPECT_EQ(z->abstand[49], 0);  // only the extra number of the newest draw
    EXPECT_EQ(z->haeufigkeit[49], 1);
    EXPECT_EQ(z->abstand[1], 1);
    EXPECT_EQ(z->haeufigkeit[1], 2);
    EXPECT_EQ(z->abstand[7], 2);
    EXPECT_EQ(z->abstand[30], 0);  // never drawn keeps the value of a new object
    EXPECT_EQ(z->haeufigkeit[30], 0);

    z->sortiere_Abstaende();
    std::vector<int> zahlen(z->nach_Abstand, z->nach_Abstand + 49);
    std::vector<int> sortiert = zahlen;
    std::sort(sortiert.begin(), sortiert.end());
    std::vector<int> eins_bis_49(49);
    std::iota(eins_bis_49.begin(), eins_bis_49.end(), 1);
    EXPECT_EQ(sortiert, eins_bis_49);
    for (int i = 1; i < 49; ++i) EXPECT_LE(z->abstand[zahlen[i - 1]], z->abstand[zahlen[i]]);
    EXPECT_EQ(z->abstand[zahlen[48]], 2);
}

TEST_F(CDorovZahlenTest, PairGapsAndTheirOrder)
{
    auto z =
        lade({ziehung("01.08.09", {1, 2, 3, 4, 5, 6, 7}), ziehung("05.08.09", {1, 2, 10, 11, 12, 13, 14}),
              ziehung("08.08.09", {1, 16, 17, 18, 19, 20, 2})},
             "12.08.2009");
    z->berechne_Zwillingsabstaende();
    EXPECT_EQ(z->zwillingsabstand[1], 0);  // (1,2), the 2 as extra number
    EXPECT_EQ(z->zwillingsabstand[CDorovZahlen::Zwillingsnummer(1, 10)], 1);
    EXPECT_EQ(z->zwillingsabstand[CDorovZahlen::Zwillingsnummer(3, 7)], 2);
    EXPECT_EQ(z->zwillingsabstand[CDorovZahlen::Zwillingsnummer(3, 10)], 0);  // never together

    z->sortiere_Zwillingsabstaende();
    std::vector<int> reihe(z->zwillinge_nach_Abstand,
                           z->zwillinge_nach_Abstand + CDorovZahlen::ANZAHL_ZWILLINGE);
    for (int i = 1; i < CDorovZahlen::ANZAHL_ZWILLINGE; ++i)
        EXPECT_LE(z->zwillingsabstand[reihe[i - 1]], z->zwillingsabstand[reihe[i]]);
    std::sort(reihe.begin(), reihe.end());
    EXPECT_EQ(reihe.front(), 1);
    EXPECT_EQ(reihe.back(), 1176);
    EXPECT_EQ(std::adjacent_find(reihe.begin(), reihe.end()), reihe.end());
}

// The statistics file in the form step 1 writes: a heading "Z0,1,...,999," and one line a pair
// "a+b." followed by a value and "," for each gap 0..999. Only a few pairs get values here.
class ZwillingsprozentTest : public CDorovZahlenTest {
protected:
    static std::string kopf()
    {
        std::string z = "Z";
        for (int g = 0; g < 1000; ++g) z += std::to_string(g) + ",";
        return z;
    }
    // values: column -> value; every other column 0; spalten columns in all.
    static std::string paarzeile(int a, int b, std::map<int, int> werte, int spalten = 1000)
    {
        std::string z = std::to_string(a) + "+" + std::to_string(b) + ".";
        for (int g = 0; g < spalten; ++g) z += std::to_string(g == 0 ? 100 : werte[g]) + ",";
        return z;
    }
};

TEST_F(ZwillingsprozentTest, ReadsTheColumnOfGapPlusOne)
{
    // Rows: 0 holds 3 and 4; 1 holds 1, 2, 20, 21; 2 holds 5 and 6; rows 3..1000 hold 7..13.
    // So (3,4) has gap 1000, (1,2) and (20,21) 999, (5,6) 998, (7,8) 0, (1,3) never together.
    std::vector<std::string> archiv = {ziehung("01.02.03", {3, 4, 30, 31, 32, 33, 34}),
                                       ziehung("01.02.03", {1, 2, 20, 21, 22, 23, 24}),
                                       ziehung("01.02.03", {5, 6, 40, 41, 42, 43, 44})};
    for (int r = 3; r <= 1000; ++r) archiv.push_back(ziehung("01.02.03", {7, 8, 9, 10, 11, 12, 13}));
    auto z = lade(archiv, "01.01.2099");
    ASSERT_EQ(z->letzte, 1000);
    z->berechne_Zwillingsabstaende();
    const int p12 = CDorovZahlen::Zwillingsnummer(1, 2), p34 = CDorovZahlen::Zwillingsnummer(3, 4),
              p56 = CDorovZahlen::Zwillingsnummer(5, 6), p78 = CDorovZahlen::Zwillingsnummer(7, 8),
              p2021 = CDorovZahlen::Zwillingsnummer(20, 21), p13 = CDorovZahlen::Zwillingsnummer(1, 3);
    ASSERT_EQ(z->zwillingsabstand[p34], 1000);
    ASSERT_EQ(z->zwillingsabstand[p12], 999);
    ASSERT_EQ(z->zwillingsabstand[p56], 998);
    ASSERT_EQ(z->zwillingsabstand[p78], 0);

    std::vector<std::string> datei = {kopf()};
    for (int k = 1; k <= CDorovZahlen::ANZAHL_ZWILLINGE; ++k) {
        int a = z->erste_Zahl(k), b = z->zweite_Zahl(k);
        if (k == p12)  // a longer line than step 1 writes: gap 999 reads its column 1000, the last
            datei.push_back(paarzeile(a, b, {{1000, 42}}, 1001));
        else if (k == p34)  // gap 1000 has no column, whatever the line holds
            datei.push_back(paarzeile(a, b, {{1000, 17}, {1001, 18}}, 1002));
        else if (k == p56)
            datei.push_back(paarzeile(a, b, {{999, 37}, {998, 5}}));
        else if (k == p78)
            datei.push_back(paarzeile(a, b, {{1, 12}}));
        else if (k == p13)
            datei.push_back(paarzeile(a, b, {{1, 3}}));
        else
            datei.push_back(paarzeile(a, b, {{999, 1}}));  // (20,21): nothing behind the final ","
    }
    schreibe("statistik_wann_wiederholen_sich_die_zwillinge_in_prozent.txt", datei);

    EXPECT_TRUE(z->lade_Zwillingsprozente());
    EXPECT_EQ(z->zwillingsprozent[p12], 42);
    EXPECT_EQ(z->zwillingsprozent[p34], 0);
    EXPECT_EQ(z->zwillingsprozent[p56], 37);
    EXPECT_EQ(z->zwillingsprozent[p78], 12);
    EXPECT_EQ(z->zwillingsprozent[p13], 3);  // gap 0 for a pair never drawn together
    EXPECT_EQ(z->zwillingsprozent[p2021], 0);

    z->sortiere_Zwillingsprozente();
    EXPECT_EQ(z->zwillinge_nach_Prozent[CDorovZahlen::ANZAHL_ZWILLINGE - 1], p12);
    EXPECT_EQ(z->zwillinge_nach_Prozent[CDorovZahlen::ANZAHL_ZWILLINGE - 2], p56);
    for (int i = 1; i < CDorovZahlen::ANZAHL_ZWILLINGE; ++i)
        EXPECT_LE(z->zwillingsprozent[z->zwillinge_nach_Prozent[i - 1]],
                  z->zwillingsprozent[z->zwillinge_nach_Prozent[i]]);
}

TEST_F(ZwillingsprozentTest, MissingOrShortFileGivesZero)
{
    auto z =
        lade({ziehung("01.08.09", {1, 2, 3, 4, 5, 6, 7}), ziehung("05.08.09", {8, 9, 10, 11, 12, 13, 14})},
             "12.08.2009");
    z->berechne_Zwillingsabstaende();
    z->zwillingsprozent[5] = 77;
    EXPECT_TRUE(z->lade_Zwillingsprozente());
    EXPECT_EQ(z->zwillingsprozent[5], 0);

    // Heading and two pair lines only; the second has no ".".
    schreibe("statistik_wann_wiederholen_sich_die_zwillinge_in_prozent.txt",
             {kopf(), "1+2.100,8,9,", "1+3,100,8,"});
    EXPECT_TRUE(z->lade_Zwillingsprozente());
    EXPECT_EQ(z->zwillingsprozent[1], 9);  // (1,2) last together one draw ago: column 2
    EXPECT_EQ(z->zwillingsprozent[2], 0);
    EXPECT_EQ(z->zwillingsprozent[3], 0);
}

// ---- pair numbering, chosen set, value types ----

TEST(Zwillingsnummern, MapToTheirNumbers)
{
    auto z = std::make_unique<CDorovZahlen>();
    struct Fall {
        int k, a, b;
    };
    for (Fall f : {Fall{1, 1, 2}, Fall{2, 1, 3}, Fall{48, 1, 49}, Fall{49, 2, 3}, Fall{1175, 47, 49},
                   Fall{1176, 48, 49}, Fall{0, 1, 1}, Fall{-4, 1, 1}, Fall{1177, 1, 1}}) {
        EXPECT_EQ(z->erste_Zahl(f.k), f.a) << f.k;
        EXPECT_EQ(z->zweite_Zahl(f.k), f.b) << f.k;
    }
    EXPECT_EQ(CDorovZahlen::Zwillingsnummer(48, 49), 1176);
    EXPECT_EQ(CDorovZahlen::Zwillingsnummer(2, 3), 49);
    EXPECT_EQ(CDorovZahlen::Zwillingsnummer(3, 2), 0);
    EXPECT_EQ(CDorovZahlen::Zwillingsnummer(0, 5), 0);
    EXPECT_EQ(CDorovZahlen::Zwillingsnummer(5, 50), 0);
}

TEST(GemerkteZahlen, SixtySlots)
{
    auto z = std::make_unique<CDorovZahlen>();
    EXPECT_FALSE(z->enthaelt_Zahl(7));
    for (int i = 1; i <= 60; ++i) {
        EXPECT_TRUE(z->enthaelt_Zahl(0)) << i;
        EXPECT_TRUE(z->merke_Zahl(i)) << i;
    }
    EXPECT_FALSE(z->merke_Zahl(61));
    EXPECT_FALSE(z->enthaelt_Zahl(0));
    EXPECT_FALSE(z->enthaelt_Zahl(61));
    EXPECT_TRUE(z->enthaelt_Zahl(7));
    EXPECT_TRUE(z->enthaelt_Zahl(60));
}

TEST(Wertepaare, OrderAndOutput)
{
    EXPECT_TRUE(Wertpaar(1.5f, 9) < Wertpaar(2.0f, 1));
    EXPECT_FALSE(Wertpaar(2.0f, 1) < Wertpaar(2.0f, 9));
    EXPECT_TRUE(Abstandpaar(3, 40) < Abstandpaar(4, 1));
    EXPECT_FALSE(Abstandpaar(4, 1) < Abstandpaar(4, 40));
    Wertpaar leer;
    EXPECT_EQ(leer.wert, 0.0f);
    EXPECT_EQ(leer.index, 0);
    std::ostringstream out;
    out << Wertpaar(3.0f, 17) << " " << Wertpaar(2.5f, 4);
    EXPECT_EQ(out.str(), "3;17 2.5;4");
}

TEST(Kriterienlisten, CountAllEntries)
{
    auto l = std::make_unique<Kriterienliste>();
    EXPECT_EQ(l->anzahl, 0);
    EXPECT_EQ(l->zaehle(0), 5000);
    l->werte[0] = 3;
    l->werte[4999] = 3;  // beyond the counter: still counted
    l->anzahl = 1;
    EXPECT_EQ(l->zaehle(3), 2);
    EXPECT_EQ(l->zaehle(0), 4998);
}

}  // namespace

TEST_F(CDorovZahlenTest, SignsAndHugeNumbersReadAsNoNumberOrSaturate)
{
    // Lines a hostile results page can leave in the archive.
    auto z = lade({"05.01.60,-3,-15,1,2,3,4,5", "01.01.09,99999999999,1,2,3,4,5,6"}, "12.08.2009");
    ASSERT_EQ(z->letzte, 1);
    EXPECT_EQ(z->zahlen[0][0], 0);
    EXPECT_EQ(z->zahlen[0][1], 0);
    EXPECT_EQ(z->zahlen[0][2], 1);
    EXPECT_GT(z->zahlen[1][0], 49);
    EXPECT_LE(z->zahlen[1][0], 10000000);  // six of them still sum far below the int range
}
