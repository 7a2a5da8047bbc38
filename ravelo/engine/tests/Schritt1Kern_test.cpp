// Step 1's core: pool sources, the pair histogram and its files, the pool and combinations files.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <set>
#include <sstream>

#include "Schritt1Kern.h"
#include "Testordner.h"
#include "schritt1_Testhilfen.h"
#include "Tippdateien.h"
#include "Vergleichslauf.h"
#include "rtl/Files.h"

namespace {

using namespace schritt1;
using ::testing::ElementsAre;

std::string wiederhole(const std::string& s, int n)
{
    std::string r;
    for (int i = 0; i < n; ++i) r += s;
    return r;
}

class Schritt1KernTest : public TestOrdner {
protected:
    std::unique_ptr<CDorovZahlen> lade(const std::vector<std::string>& zeilen)
    {
        schreibe("dorov_zahlen.txt", zeilen);
        auto z = std::make_unique<CDorovZahlen>();
        EXPECT_TRUE(z->lade_Zahlen("12.08.2009"));
        return z;
    }
};

// ---- random source ----

TEST(Schritt1Zufall, DistinctAscendingNumbersOfThePool)
{
    for (int N : {18, 20, 30}) {
        for (unsigned saat : {1u, 7u, 12345u}) {
            std::mt19937 zufall(saat);
            const std::vector<int> z = Zufallszahlen(N, zufall);
            ASSERT_EQ(static_cast<int>(z.size()), N);
            for (std::size_t i = 0; i < z.size(); ++i) {
                EXPECT_GE(z[i], 1);
                EXPECT_LE(z[i], 49);
                if (i) {
                    EXPECT_LT(z[i - 1], z[i]);
                }
            }
        }
    }
}

// ---- pool table ----

TEST(Schritt1Pool, SetPoolClearsWhatTheSourceDidNotFill)
{
    auto z = std::make_unique<CDorovZahlen>();
    std::fill(std::begin(z->nach_Abstand), std::end(z->nach_Abstand), 9);
    setze_Pool(*z, {5, 3, 1});
    EXPECT_EQ(z->nach_Abstand[0], 9);  // position 0 is no part of the pool
    EXPECT_THAT(Pool(*z, 5), ElementsAre(5, 3, 1, 0, 0));
    EXPECT_EQ(z->nach_Abstand[49], 0);
}

TEST(Schritt1Pool, StatisticsGridColumnInGridOrder)
{
    auto z = std::make_unique<CDorovZahlen>();
    std::vector<String> spalte;
    for (int n = 49; n >= 1; --n) spalte.push_back(std::to_string(n));
    spalte[2] = "x";  // no number
    Pool_aus_Statistik(*z, spalte);
    EXPECT_THAT(Pool(*z, 5), ElementsAre(49, 48, 0, 46, 45));
    EXPECT_EQ(z->nach_Abstand[49], 1);
}

TEST(Schritt1Pool, PairsByPercentageFromPositionOneEachNumberOnce)
{
    auto z = std::make_unique<CDorovZahlen>();
    std::fill(std::begin(z->nach_Abstand), std::end(z->nach_Abstand), 7);
    std::fill(std::begin(z->zwillinge_nach_Prozent), std::end(z->zwillinge_nach_Prozent), 0);
    z->zwillinge_nach_Prozent[0] = CDorovZahlen::Zwillingsnummer(48, 49);  // not used
    z->zwillinge_nach_Prozent[1] = CDorovZahlen::Zwillingsnummer(20, 30);
    z->zwillinge_nach_Prozent[2] = CDorovZahlen::Zwillingsnummer(10, 30);
    z->zwillinge_nach_Prozent[3] = CDorovZahlen::Zwillingsnummer(10, 20);
    z->zwillinge_nach_Prozent[4] = CDorovZahlen::Zwillingsnummer(5, 40);
    z->zwillinge_nach_Prozent[149] = CDorovZahlen::Zwillingsnummer(2, 3);
    z->zwillinge_nach_Prozent[150] = CDorovZahlen::Zwillingsnummer(44, 45);  // beyond 149
    Pool_aus_Zwillingen(*z);
    // Positions 5..148 hold pair number 0, which names 1 and 1.
    EXPECT_THAT(Pool(*z, 9), ElementsAre(20, 30, 10, 5, 40, 1, 2, 3, 0));
    EXPECT_EQ(z->nach_Abstand[0], 7);
}

TEST(Schritt1Pool, PairsStopAtFortyNineNumbers)
{
    auto z = std::make_unique<CDorovZahlen>();
    for (int i = 1; i <= 149; ++i) z->zwillinge_nach_Prozent[i] = i;  // (1,2), (1,3), ..., (1,49), (2,3), ...
    Pool_aus_Zwillingen(*z);
    for (int i = 1; i <= 49; ++i) EXPECT_EQ(z->nach_Abstand[i], i);
    EXPECT_EQ(z->gemerkt[48], 49);
    EXPECT_EQ(z->gemerkt[49], 0);
}

// ---- personal numbers ----

TEST(Schritt1EigeneZahlen, AllThirtyFilledThenEachOneToFortyNine)
{
    std::vector<String> gut;
    for (int k = 1; k <= 30; ++k) gut.push_back(std::to_string(50 - k));
    struct Fall {
        int feld;  // 0-based field changed, -1 none
        const char* text;
        EigeneZahlen ergebnis;
    };
    const Fall faelle[] = {{-1, "", EigeneZahlen::OK},        {29, "", EigeneZahlen::Leer},
                           {20, "", EigeneZahlen::Leer},      {0, "0", EigeneZahlen::Falsch},
                           {5, "50", EigeneZahlen::Falsch},   {7, "abc", EigeneZahlen::Falsch},
                           {7, "12a", EigeneZahlen::Falsch},  {3, "-4", EigeneZahlen::Falsch},
                           {3, " 7 ", EigeneZahlen::OK},      {12, "5", EigeneZahlen::OK},
                           {12, "49", EigeneZahlen::Doppelt}, {29, "21", EigeneZahlen::Doppelt}};
    for (const Fall& f : faelle) {
        SCOPED_TRACE(std::to_string(f.feld) + " '" + f.text + "'");
        std::vector<String> texte = gut;
        if (f.feld >= 0) texte[f.feld] = f.text;
        std::vector<int> zahlen;
        EXPECT_EQ(pruefe_eigene_Zahlen(texte, zahlen), f.ergebnis);
        EXPECT_EQ(zahlen.size(), f.ergebnis == EigeneZahlen::OK ? 30u : 0u);
    }
    // An empty field is reported before a bad one that stands earlier.
    std::vector<String> texte = gut;
    texte[1] = "99";
    texte[25] = "";
    std::vector<int> zahlen;
    EXPECT_EQ(pruefe_eigene_Zahlen(texte, zahlen), EigeneZahlen::Leer);
    EXPECT_EQ(pruefe_eigene_Zahlen(gut, zahlen), EigeneZahlen::OK);
    EXPECT_EQ(zahlen.front(), 49);
    EXPECT_EQ(zahlen.back(), 20);
    // The number entered twice is named.
    texte = gut;
    texte[20] = "7";
    texte[27] = "7";
    int doppelt = 0;
    EXPECT_EQ(pruefe_eigene_Zahlen(texte, zahlen, &doppelt), EigeneZahlen::Doppelt);
    EXPECT_EQ(doppelt, 7);
    EXPECT_TRUE(zahlen.empty());
    EXPECT_EQ(Meldung_eigene_Zahlen(EigeneZahlen::Doppelt, 7), "Die Zahl 7 wurde doppelt eingegeben!");
}

TEST(Schritt1EigeneZahlen, LabelsShownAfterwardsFollowN)
{
    struct Fall {
        int label, N;
        bool sichtbar;
    };
    const Fall faelle[] = {{2, 18, true},   {19, 18, true}, {20, 18, false}, {20, 19, true},
                           {21, 19, false}, {21, 20, true}, {31, 29, false}, {31, 30, true}};
    for (const Fall& f : faelle) EXPECT_EQ(Label_sichtbar(f.label, f.N), f.sichtbar) << f.label << " " << f.N;
}

// ---- clipboard numbers ----

TEST(Schritt1Zwischenablage, QuestionListsTheFirstNLines)
{
    const std::vector<String> zeilen = {"7", "13", "42", "5"};
    EXPECT_EQ(Zwischenablage_Frage(zeilen, 3),
              "Möchten Sie die in der Zwischenablage gesammelte Zahlen verwenden? 7, 13, 42, ");
    EXPECT_THAT(Zwischenablage_Zahlen(zeilen, 3), ElementsAre(7, 13, 42));
}

// ---- pair histogram ----

TEST(Schritt1Zwillinge, PercentRoundsHalfUp)
{
    struct Fall {
        int c, n, prozent;
    };
    const Fall faelle[] = {{1, 3, 33},  {2, 3, 67}, {1, 8, 13}, {3, 3, 100}, {1, 200, 1},
                           {1, 201, 0}, {0, 5, 0},  {0, 0, 0},  {4, 0, 0}};
    for (const Fall& f : faelle) EXPECT_EQ(Prozent(f.c, f.n), f.prozent) << f.c << "/" << f.n;
}

TEST(Schritt1Zwillinge, HeadingLine)
{
    const String kopf = Statistik_Kopfzeile();
    EXPECT_EQ(kopf.substr(0, 8), "Z0,1,2,3");
    EXPECT_EQ(kopf.substr(kopf.size() - 13), "997,998,999,\n");
    EXPECT_EQ(std::count(kopf.begin(), kopf.end(), ','), 1000);
}

// Five draws, oldest first; the extra number counts.
const std::vector<std::string> WENIGE_ZIEHUNGEN = {
    "01.07.09,1,2,3,4,5,6,7",  //
    "04.07.09,10,11,12,13,14,15,16",  //
    "08.07.09,2,1,20,21,22,23,24",  //
    "11.07.09,30,31,32,33,34,35,1",  //
    "15.07.09,44,2,40,41,42,43,1",
};

TEST_F(Schritt1KernTest, PairFilesCheckedByHand)
{
    auto z = lade(WENIGE_ZIEHUNGEN);
    std::vector<int> gezeigt;
    ASSERT_TRUE(schreibe_Zwillingsstatistik(*z, [&](int a) { gezeigt.push_back(a); }));
    ASSERT_EQ(gezeigt.size(), 48u);
    EXPECT_EQ(gezeigt.front(), 1);
    EXPECT_EQ(gezeigt.back(), 48);

    const auto gegliedert = zeilen_von(ordner + DATEI_ZWILLINGE_GEGLIEDERT);
    ASSERT_EQ(gegliedert.size(), 1176u);
    EXPECT_EQ(gegliedert[0], "1+2: 1,2,2,");
    EXPECT_EQ(gegliedert[1], "1+3: 1,");
    EXPECT_EQ(gegliedert[5], "1+7: 1,");
    EXPECT_EQ(gegliedert[47], "1+49: ");
    EXPECT_EQ(gegliedert[48 + 41], "2+44: 5,");
    EXPECT_EQ(gegliedert[1175], "48+49: ");

    const auto zaehler = zeilen_von(ordner + DATEI_ZWILLINGE);
    ASSERT_EQ(zaehler.size(), 1177u);
    EXPECT_EQ(
        zaehler[0], "Z" + [] {
            std::string s;
            for (int g = 0; g < 1000; ++g) s += std::to_string(g) + ",";
            return s;
        }());
    EXPECT_EQ(zaehler[1], "1+2.3,1,2," + wiederhole("0,", 997));
    EXPECT_EQ(zaehler[2], "1+3.1,1," + wiederhole("0,", 998));
    EXPECT_EQ(zaehler[48], "1+49." + wiederhole("0,", 1000));
    EXPECT_EQ(zaehler[1 + 48 + 41], "2+44.1,0,0,0,0,1," + wiederhole("0,", 994));

    const auto prozent = zeilen_von(ordner + DATEI_ZWILLINGE_PROZENT);
    ASSERT_EQ(prozent.size(), 1177u);
    EXPECT_EQ(prozent[0], zaehler[0]);
    EXPECT_EQ(prozent[1], "1+2.100,33,67," + wiederhole("0,", 997));
    EXPECT_EQ(prozent[2], "1+3.100,100," + wiederhole("0,", 998));
    EXPECT_EQ(prozent[48], "1+49." + wiederhole("0,", 1000));  // never drawn together

    // The draw table reads its percentages back from that file: pair (1,2) was last drawn in the
    // newest draw (gap 0), so it takes column 1.
    z->berechne_Zwillingsabstaende();
    z->lade_Zwillingsprozente();
    EXPECT_EQ(z->zwillingsprozent[CDorovZahlen::Zwillingsnummer(1, 2)], 33);
    EXPECT_EQ(z->zwillingsprozent[CDorovZahlen::Zwillingsnummer(1, 3)], 0);  // gap 4: column 5
}

TEST_F(Schritt1KernTest, GapOfAThousandIsListedButNotCounted)
{
    std::vector<std::string> zeilen;
    zeilen.push_back("01.01.90,1,2,3,4,5,6,7");
    for (int i = 0; i < 999; ++i) zeilen.push_back("02.01.90,11,12,13,14,15,16,17");
    zeilen.push_back("03.01.90,1,2,3,4,5,6,7");  // 1000 draws after the first
    zeilen.push_back("04.01.90,1,2,3,4,5,6,7");
    auto z = lade(zeilen);
    Zwillingshistogramm h;
    const String gegliedert = h.zaehle(*z, nullptr);
    EXPECT_EQ(gegliedert.substr(0, gegliedert.find('\n')), "1+2: 1,1000,1,");
    EXPECT_EQ(h.zaehler(1, 2, 0), 3);
    EXPECT_EQ(h.zaehler(1, 2, 1), 2);
    EXPECT_EQ(h.zaehler(1, 2, 999), 0);
    const String prozent = h.Prozentdatei();
    const std::size_t p = prozent.find("\n1+2.");
    EXPECT_EQ(prozent.substr(p + 1, 13), "1+2.100,67,0,");
}

TEST_F(Schritt1KernTest, PairFileThatCannotBeWrittenFails)
{
    auto z = lade(WENIGE_ZIEHUNGEN);
    std::filesystem::create_directories(ordner + DATEI_ZWILLINGE);
    EXPECT_FALSE(schreibe_Zwillingsstatistik(*z, nullptr));
}

// ---- pool and combinations files ----

TEST_F(Schritt1KernTest, PoolFileHoldsTwentyLinesWhateverN)
{
    auto z = std::make_unique<CDorovZahlen>();
    std::vector<int> pool;
    for (int i = 0; i < 18; ++i) pool.push_back(40 - i);
    setze_Pool(*z, pool);
    ASSERT_TRUE(schreibe_Pooldatei(ordner + "pool.txt", *z));
    const auto zeilen = zeilen_von(ordner + "pool.txt");
    ASSERT_EQ(zeilen.size(), 20u);
    EXPECT_EQ(zeilen[0], "40");
    EXPECT_EQ(zeilen[17], "23");
    EXPECT_EQ(zeilen[18], "0");
    EXPECT_EQ(zeilen[19], "0");
}

TEST_F(Schritt1KernTest, CombinationsInPositionOrderKeepThePoolOrder)
{
    struct Fall {
        int N;
        std::uint64_t zeilen;
    };
    for (const Fall& f : {Fall{18, 18564}, Fall{20, 38760}, Fall{30, 593775}}) {
        SCOPED_TRACE(f.N);
        std::vector<int> pool;
        for (int i = 0; i < f.N; ++i)
            pool.push_back(49 - 2 * i > 0 ? 49 - 2 * i : 60 - i);  // descending, not sorted
        std::uint64_t geschrieben = 0;
        ASSERT_TRUE(schreibe_Kombinationen(ordner + "k.cvs", pool, &geschrieben));
        EXPECT_EQ(geschrieben, f.zeilen);
        const auto zeilen = zeilen_von(ordner + "k.cvs");
        ASSERT_EQ(zeilen.size(), f.zeilen);
        EXPECT_EQ(zeilen[0], "49,47,45,43,41,39");
        EXPECT_EQ(zeilen[1], "49,47,45,43,41,37");
        const int n = f.N;
        auto zahl = [&](int i) { return std::to_string(pool[i]); };
        EXPECT_EQ(zeilen[n - 6], "49,47,45,43,41," + zahl(n - 1));  // i6 ran from 6 to N
        EXPECT_EQ(zeilen[n - 5], "49,47,45,43,39,37");
        EXPECT_EQ(zeilen.back(), zahl(n - 6) + "," + zahl(n - 5) + "," + zahl(n - 4) + "," + zahl(n - 3) +
                                     "," + zahl(n - 2) + "," + zahl(n - 1));
    }
}

// The text made in pieces on several threads is the straightforward text, for every pool size and
// numbers of one and two digits, on one thread and on all.
TEST_F(Schritt1KernTest, CombinationsTextInPiecesIsTheWholeText)
{
    const std::vector<int> zahlen = {9,  10, 1,  49, 0,  23, 7,  44, 12, 3,  38, 5,  31, 20, 8,
                                     11, 2,  47, 6,  19, 30, 41, 13, 4,  25, 35, 17, 28, 46, 15};
    for (std::size_t threads : {std::size_t{1}, std::size_t{0}})
        for (int N : {0, 5, 6, 7, 18, 25, 30}) {
            SCOPED_TRACE(::testing::Message() << "N=" << N << " threads=" << threads);
            kern::setze_Threadgrenze(threads);
            const std::vector<int> pool(zahlen.begin(), zahlen.begin() + N);
            woertlich::einfach_Schritt1(pool, ordner + "einfach.cvs");
            std::uint64_t zeilen = 1;
            const String text = Kombinationstext(pool, &zeilen);
            EXPECT_EQ(text, ReadFileBytes(ordner + "einfach.cvs"));
            EXPECT_EQ(zeilen, static_cast<std::uint64_t>(std::count(text.begin(), text.end(), '\n')));
        }
    kern::setze_Threadgrenze(0);
}

TEST_F(Schritt1KernTest, CombinationsFileThatCannotBeOpenedFails)
{
    std::filesystem::create_directories(ordner + "k.cvs");
    EXPECT_FALSE(schreibe_Kombinationen(ordner + "k.cvs", {1, 2, 3, 4, 5, 6}));
    auto z = std::make_unique<CDorovZahlen>();
    EXPECT_FALSE(schreibe_Pooldatei(ordner + "k.cvs", *z));
}

}  // namespace
