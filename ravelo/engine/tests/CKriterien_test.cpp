// Pattern classes and signatures of six numbers.
#include <gtest/gtest.h>

#include <algorithm>

#include "CKriterien.h"

namespace {

struct Fall {
    Kombination z;
    int klasse;
};

void pruefe(int (*klasse)(const int*), const std::vector<Fall>& faelle)
{
    for (const Fall& f : faelle) {
        SCOPED_TRACE(::testing::PrintToString(f.z));
        EXPECT_EQ(klasse(f.z.data()), f.klasse);
    }
}

Kriterien alle()
{
    Kriterien k;
    k.CheckBox15 = k.CheckBox16 = k.CheckBox17 = k.CheckBox18 = k.CheckBox19 = k.CheckBox20 = true;
    return k;
}

}  // namespace

TEST(KernKriterien, Folgen)
{
    pruefe(klasse_Folgen, {
                              {{1, 2, 3, 4, 5, 6}, 4},
                              {{10, 11, 12, 13, 14, 40}, 4},
                              {{1, 3, 5, 7, 9, 11}, 0},
                              {{1, 2, 3, 4, 20, 21}, 5},
                              {{1, 2, 3, 20, 21, 22}, 6},
                              {{1, 2, 3, 20, 21, 40}, 7},
                              {{1, 2, 10, 11, 20, 21}, 8},
                              {{1, 2, 10, 11, 20, 30}, 9},
                              {{1, 2, 10, 20, 30, 40}, 1},
                              {{1, 2, 3, 10, 20, 30}, 2},
                              {{1, 2, 3, 4, 20, 30}, 3},
                              {{21, 3, 20, 1, 40, 2}, 7},  // order of the line does not matter
                          });
}

TEST(KernKriterien, Endziffern)
{
    pruefe(klasse_Endziffern, {
                                  {{1, 11, 21, 31, 41, 2}, 4},
                                  {{1, 2, 3, 4, 5, 6}, 0},
                                  {{1, 11, 21, 31, 2, 12}, 5},
                                  {{1, 11, 21, 2, 12, 22}, 6},
                                  {{1, 11, 21, 2, 12, 3}, 7},
                                  {{1, 11, 2, 12, 3, 13}, 8},
                                  {{1, 11, 2, 12, 3, 4}, 9},
                                  {{1, 11, 2, 3, 4, 5}, 1},
                                  {{1, 11, 21, 2, 3, 4}, 2},
                                  {{1, 11, 21, 31, 2, 3}, 3},
                              });
}

TEST(KernKriterien, GeradeKleineSumme)
{
    pruefe(klasse_Gerade, {{{1, 3, 5, 7, 9, 11}, 0}, {{2, 4, 6, 8, 10, 49}, 5}, {{2, 4, 6, 8, 10, 12}, 6}});
    pruefe(klasse_Kleine,
           {{{25, 30, 35, 40, 45, 49}, 1}, {{1, 24, 25, 30, 40, 49}, 3}, {{1, 2, 3, 4, 5, 24}, 7}});
    pruefe(klasse_Summe, {{{1, 2, 3, 4, 5, 6}, 21}, {{44, 45, 46, 47, 48, 49}, 279}});
}

TEST(KernKriterien, Zehner)
{
    pruefe(klasse_Zehner, {
                              {{30, 31, 32, 33, 34, 35}, 1},
                              {{1, 2, 3, 4, 5, 10}, 2},
                              {{1, 2, 3, 4, 10, 11}, 3},
                              {{1, 2, 3, 4, 10, 20}, 4},
                              {{1, 2, 3, 40, 41, 42}, 5},
                              {{1, 2, 3, 10, 11, 20}, 6},
                              {{1, 2, 3, 10, 20, 30}, 7},
                              {{1, 2, 10, 11, 20, 21}, 8},
                              {{1, 2, 10, 11, 20, 30}, 8},
                              {{1, 2, 10, 20, 30, 40}, 9},
                              {{9, 10, 19, 20, 39, 40}, 9},  // 9 and 10, 19 and 20 lie in different decades
                          });
}

TEST(KernKriterien, Signatur)
{
    EXPECT_EQ(Signatur(Kombination{1, 2, 3, 4, 5, 6}, alle()), 40317021);
    EXPECT_EQ(Signatur(Kombination{1, 2, 3, 4, 5, 6}, Kriterien{}), 0);
    Kriterien nurSumme;
    nurSumme.CheckBox20 = true;
    EXPECT_EQ(Signatur(Kombination{6, 5, 4, 3, 2, 1}, nurSumme), 21);
    // Each criterion keeps its own decimal digit: a run of three (2) and four even numbers.
    Kriterien zwei;
    zwei.CheckBox15 = zwei.CheckBox17 = true;
    EXPECT_EQ(Signatur(Kombination{1, 2, 3, 10, 20, 30}, zwei), 2 * 10000000 + 4 * 100000);
}

TEST(KernKriterien, SignaturGleichDenEinzelklassen)
{
    // Every combination of 16 numbers spread over all decades and digits, and a few with a
    // repeated number: the signature is the weighted sum of the six classes.
    const int zahlen[16] = {1, 2, 3, 4, 9, 10, 11, 19, 20, 21, 29, 31, 40, 41, 48, 49};
    std::vector<Kombination> faelle;
    for (int a = 0; a < 16; ++a)
        for (int b = a + 1; b < 16; ++b)
            for (int c = b + 1; c < 16; ++c)
                for (int d = c + 1; d < 16; ++d)
                    for (int e = d + 1; e < 16; ++e)
                        for (int f = e + 1; f < 16; ++f)
                            faelle.push_back(
                                {zahlen[f], zahlen[a], zahlen[e], zahlen[b], zahlen[d], zahlen[c]});
    faelle.push_back({5, 5, 6, 7, 15, 25});
    faelle.push_back({1, 1, 1, 1, 1, 1});
    for (const Kombination& z : faelle) {
        const long long einzeln =
            klasse_Folgen(z.data()) * GEWICHT_FOLGEN + klasse_Endziffern(z.data()) * GEWICHT_ENDZIFFERN +
            klasse_Gerade(z.data()) * GEWICHT_GERADE + klasse_Zehner(z.data()) * GEWICHT_ZEHNER +
            klasse_Kleine(z.data()) * GEWICHT_KLEINE + klasse_Summe(z.data()) * GEWICHT_SUMME;
        ASSERT_EQ(Signatur(z, alle()), einzeln) << ::testing::PrintToString(z);
    }
}

TEST(KernKriterien, WerteAusserhalbDesSpielsZaehlenNirgends)
{
    // Lines of a hostile results page: a sign, a number of eleven digits, numbers beyond 49.
    // Only the values 1..49 are classified.
    struct Fall {
        Kombination z;
        int summe, zehner, gerade, folgen;
    };
    const Fall faelle[] = {
        {{-3, -15, 1, 2, 3, 4}, 10, 4, 2, 3},  // 1..4: four in one decade, a run of 4
        {{999999, 1, 2, 3, 4, 5}, 15, 2, 2, 4},  // 1..5: five in one decade, a run of 5
        {{2147483647, 2147483647, 1, 2, 3, 4}, 10, 4, 2, 3},
        {{0, 50, 99, 1, 2, 3}, 6, 7, 1, 2},  // 1..3: three in one decade, a run of 3
    };
    for (const Fall& f : faelle) {
        SCOPED_TRACE(::testing::PrintToString(f.z));
        const int gueltig =
            static_cast<int>(std::count_if(f.z.begin(), f.z.end(), [](int v) { return v >= 1 && v <= 49; }));
        EXPECT_EQ(klasse_Summe(f.z.data()), f.summe);
        EXPECT_EQ(klasse_Endziffern(f.z.data()), 0);
        EXPECT_EQ(klasse_Zehner(f.z.data()), f.zehner);
        EXPECT_EQ(klasse_Gerade(f.z.data()), f.gerade);
        EXPECT_EQ(klasse_Folgen(f.z.data()), f.folgen);
        EXPECT_EQ(klasse_Kleine(f.z.data()), 1 + gueltig);
        EXPECT_EQ(Signatur(f.z, alle()), KEINE_SIGNATUR);
    }
}
