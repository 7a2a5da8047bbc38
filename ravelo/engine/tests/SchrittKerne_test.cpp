// The fast cores of steps 2 and 3 against a straightforward version of the steps written here:
// per-draw passes with a flag table, a 5000-entry signature list counted for every combination,
// a sort of value/index pairs and files written and read back through streams. Both must write
// the same filtered, points, sorted and selected files.
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <random>

#include "CDorovZahlen.h"
#include "Schritt2Kern.h"
#include "Schritt3Kern.h"
#include "Testordner.h"
#include "rtl/Files.h"

namespace {

// ---- the straightforward steps ------------------------------------------------------------

int zahl_bei(const std::string& s, std::size_t pos)
{
    return pos < s.size() ? std::atoi(s.c_str() + pos) : 0;
}

// The number at the start and behind the next five ",".
std::array<int, 6> sechs(const std::string& zeile)
{
    std::array<int, 6> z{};
    z[0] = zahl_bei(zeile, 0);
    std::size_t pos = 0;
    for (int i = 1; i < 6; ++i) {
        pos = zeile.find(',', pos);
        if (pos == std::string::npos) break;
        ++pos;
        z[i] = zahl_bei(zeile, pos);
    }
    return z;
}

int param(const std::string& text, int lo, int hi, int def)
{
    int v = StrToIntDef(text, 0);
    return v < lo || v > hi ? def : v;
}

bool auf_Linie(int n, const std::vector<int>& linie)
{
    return std::find(linie.begin(), linie.end(), n) != linie.end();
}

void einfach_Schritt2(const Schritt2Eingaben& e, const std::vector<Ziehung>& ziehungen,
                      const std::string& ein, const std::string& aus)
{
    const int anzahl = e.anzahl_Varianten;
    std::vector<int> a1(anzahl), a2(anzahl), a3(anzahl), a4(anzahl), a5(anzahl), a6(anzahl);
    int* a[6] = {a1.data(), a2.data(), a3.data(), a4.data(), a5.data(), a6.data()};
    TLineReader in(ein);
    String zeile;
    for (int index = 0; index < anzahl && in.Next(zeile, 99); ++index) {
        if (zahl_bei(zeile, 0) <= 0) continue;
        std::array<int, 6> z = sechs(zeile);
        bool ok = true;
        for (int n : z) ok = ok && n >= 1 && n <= 49;
        if (!ok) continue;
        for (int p = 0; p < 6; ++p) a[p][index] = z[p];
    }

    for (int i = 0; i < anzahl; ++i) {
        auto z = [&](int p) { return a[p][i]; };
        auto zehner = [&](int d) {
            int c = 0;
            for (int p = 0; p < 6; ++p) c += z(p) / 10 == d;
            return c;
        };
        if (e.CheckBox7 && a1[i]) {
            int dreier = 0;
            for (int d = 0; d < 5; ++d) dreier += zehner(d) == 3;
            if (dreier >= 2) a1[i] = 0;
        }
        if (e.CheckBox5 && a1[i]) {
            int grenze = param(e.Edit1, 1, 6, 6), gerade = 0, ungerade = 0;
            for (int p = 0; p < 6; ++p) (z(p) % 2 == 0 ? gerade : ungerade)++;
            if (gerade >= grenze || ungerade >= grenze) a1[i] = 0;
        }
        if (e.CheckBox6 && a1[i]) {
            int grenze = param(e.Edit2, 1, 6, 6);
            for (int d = 0; d < 5; ++d)
                if (zehner(d) >= grenze) a1[i] = 0;
        }
        if (e.CheckBox8 && a1[i]) {
            int grenze = param(e.Edit3, 1, 6, 5);
            for (int ziffer = 0; ziffer < 10; ++ziffer) {
                int c = 0;
                for (int p = 0; p < 6; ++p) c += z(p) % 10 == ziffer;
                if (c >= grenze) a1[i] = 0;
            }
        }
        if (e.CheckBox9 && a1[i]) {
            int grenze = param(e.Edit4, 1, 6, 6);
            for (const auto& linie : Tippscheinlinien()) {
                int c = 0;
                for (int p = 0; p < 6; ++p) c += auf_Linie(z(p), linie);
                if (c >= grenze) a1[i] = 0;
            }
        }
        if (e.CheckBox11 && a1[i]) {
            int paare = 0;
            for (int d = 0; d < 5; ++d) paare += zehner(d) == 2;
            if (paare > 2) a1[i] = 0;
        }
        if (e.CheckBox12 && a1[i]) {
            int tief = 0, hoch = 0;
            for (int p = 0; p < 6; ++p) {
                tief += z(p) >= 1 && z(p) <= 24;
                hoch += z(p) >= 25 && z(p) <= 49;
            }
            if (tief == 6 || hoch == 6) a1[i] = 0;
        }
        if (e.CheckBox13 && a1[i]) {
            int unten = param(e.Edit6, 1, 279, 60), oben = param(e.Edit7, 1, 279, 250), s = 0;
            for (int p = 0; p < 6; ++p) s += z(p);
            if (!(unten < s && s < oben)) a1[i] = 0;
        }
        if (e.CheckBox10 && a1[i]) {
            for (int p = 0; p < 3; ++p)
                if (z(p + 1) == z(p) + 1 && z(p + 2) == z(p + 1) + 1 && z(p + 3) == z(p + 2) + 1) a1[i] = 0;
        }
    }

    const int k = param(e.Edit5, 1, 6, 6);
    for (const Ziehung& d : ziehungen) {
        bool flag[50] = {};
        for (int n : d)
            if (n >= 0 && n < 50) flag[n] = true;
        for (int i = 0; i < anzahl; ++i) {
            if (a1[i] == 0) continue;
            int treffer = 0;
            for (int p = 0; p < 6; ++p) treffer += flag[a[p][i]];
            if (treffer >= k) a1[i] = 0;
        }
    }

    std::ofstream out(aus, std::ios::binary);
    for (int i = 0; i < anzahl; ++i)
        if (a1[i])
            out << a1[i] << "," << a2[i] << "," << a3[i] << "," << a4[i] << "," << a5[i] << "," << a6[i]
                << ",0\n";
}

// Classes written from the tables as sorted count shapes.
std::vector<int> form(std::vector<int> zaehler)
{
    std::vector<int> f;
    for (int c : zaehler)
        if (c) f.push_back(c);
    std::sort(f.rbegin(), f.rend());
    return f;
}

int folgen(std::array<int, 6> z)
{
    std::sort(z.begin(), z.end());
    std::vector<int> laengen;
    int l = 1;
    for (int i = 1; i < 6; ++i) {
        if (z[i] == z[i - 1] + 1) {
            ++l;
        } else {
            if (l >= 2) laengen.push_back(l);
            l = 1;
        }
    }
    if (l >= 2) laengen.push_back(l);
    std::sort(laengen.rbegin(), laengen.rend());
    using V = std::vector<int>;
    if (!laengen.empty() && laengen[0] >= 5) return 4;
    if (laengen.empty()) return 0;
    if (laengen == V{4, 2}) return 5;
    if (laengen == V{3, 3}) return 6;
    if (laengen == V{3, 2}) return 7;
    if (laengen == V{2, 2, 2}) return 8;
    if (laengen == V{2, 2}) return 9;
    if (laengen == V{2}) return 1;
    if (laengen == V{3}) return 2;
    return 3;
}

int endziffern(const std::array<int, 6>& z)
{
    std::vector<int> c(10);
    for (int n : z) ++c[n % 10];
    std::vector<int> f = form(c);
    using V = std::vector<int>;
    if (f[0] >= 5) return 4;
    if (f == V{1, 1, 1, 1, 1, 1}) return 0;
    if (f == V{4, 2}) return 5;
    if (f == V{3, 3}) return 6;
    if (f == V{3, 2, 1}) return 7;
    if (f == V{2, 2, 2}) return 8;
    if (f == V{2, 2, 1, 1}) return 9;
    if (f == V{2, 1, 1, 1, 1}) return 1;
    if (f == V{3, 1, 1, 1}) return 2;
    return 3;
}

int zehner(const std::array<int, 6>& z)
{
    std::vector<int> c(5);
    for (int n : z) ++c[n / 10];
    std::vector<int> f = form(c);
    using V = std::vector<int>;
    const std::vector<V> klassen = {{6},       {5, 1},       {4, 2},    {4, 1, 1},    {3, 3},
                                    {3, 2, 1}, {3, 1, 1, 1}, {2, 2, 2}, {2, 2, 1, 1}, {2, 1, 1, 1, 1}};
    const int nummer[] = {1, 2, 3, 4, 5, 6, 7, 8, 8, 9};
    for (std::size_t i = 0; i < klassen.size(); ++i)
        if (f == klassen[i]) return nummer[i];
    return 0;
}

long long signatur(const std::array<int, 6>& z, const Kriterien& k)
{
    int gerade = 0, klein = 0, summe = 0;
    for (int n : z) {
        gerade += n % 2 == 0;
        klein += n >= 1 && n <= 24;
        summe += n;
    }
    return (k.CheckBox15 ? folgen(z) * 10000000LL : 0) + (k.CheckBox16 ? endziffern(z) * 1000000LL : 0) +
           (k.CheckBox17 ? gerade * 100000LL : 0) + (k.CheckBox18 ? zehner(z) * 10000LL : 0) +
           (k.CheckBox19 ? (1 + klein) * 1000LL : 0) + (k.CheckBox20 ? summe : 0);
}

void einfach_Schritt3(const Schritt3Eingaben& e, const std::vector<Ziehung>& ziehungen,
                      const Schritt3Dateien& d)
{
    std::vector<std::array<int, 6>> k;
    {
        TLineReader in(d.gefiltert);
        String zeile;
        while (static_cast<int>(k.size()) < e.anzahl_Varianten && in.Next(zeile, 99) &&
               zahl_bei(zeile, 0) >= 1)
            k.push_back(sechs(zeile));
    }
    const int C = static_cast<int>(k.size());
    std::vector<long long> liste(5000, 0);
    for (std::size_t i = 0; i < ziehungen.size() && i < 5000; ++i)
        liste[i] = signatur({ziehungen[i][0], ziehungen[i][1], ziehungen[i][2], ziehungen[i][3],
                             ziehungen[i][4], ziehungen[i][5]},
                            e.kriterien);
    {
        std::ofstream out(d.punkte, std::ios::binary);
        for (const auto& z : k) {
            long long s = signatur(z, e.kriterien);
            float punkte = static_cast<float>(std::count(liste.begin(), liste.end(), s));
            out << punkte << "\n";
        }
    }
    std::vector<Wertpaar> paare;
    {
        std::ifstream in(d.punkte, std::ios::binary);
        float p;
        for (int i = 0; i < C && in >> p; ++i) paare.emplace_back(p, i);
    }
    std::stable_sort(paare.begin(), paare.end());
    {
        std::ofstream out(d.sortiert, std::ios::binary);
        for (const Wertpaar& p : paare) out << p.wert << ";" << p.index << "\n";
    }
    const int T = std::min(e.T, std::max(C - 2, 0));  // no more tips than lines after the two skipped
    std::vector<std::array<int, 6>> tipp(T);
    std::vector<float> punkte(T, 0);
    std::vector<int> klasse(T, 0);
    {
        std::ifstream in(d.sortiert, std::ios::binary);
        std::string zeile;
        std::getline(in, zeile);
        std::getline(in, zeile);
        int gelesen = 2;
        for (int s = 0; s < T && gelesen < C; ++s) {
            std::getline(in, zeile);
            ++gelesen;
            float p = std::stof(zeile);
            int index = std::atoi(zeile.c_str() + zeile.find(';') + 1);
            if (p < 3000) {
                tipp[s] = k[index];
                punkte[s] = p;
            }
        }
    }
    int zaehler[7] = {};
    if (StrToIntDef(e.Edit1, 0) < 50) {
        for (int s = 0; s < T; ++s) {
            int h = 0, z = 0;
            for (int n : tipp[s]) {
                if (n >= 1 && n <= 6) ++h;
                if (n == 7) z = 1;
            }
            if (h == 3) klasse[s] = z ? 31 : 3;
            if (h == 4) klasse[s] = z ? 41 : 4;
            if (h == 5) klasse[s] = z ? 51 : 5;
            if (h == 6) klasse[s] = 6;
            const int klassen[7] = {3, 31, 4, 41, 5, 51, 6};
            for (int c = 0; c < 7; ++c) zaehler[c] += klasse[s] == klassen[c];
        }
    }
    {
        std::ofstream out(d.ausgewaehlt, std::ios::binary);
        for (int s = 0; s < T; ++s) {
            out << s << ".";
            for (int p = 0; p < 6; ++p) out << (p ? "," : "") << tipp[s][p];
            out << " -" << punkte[s] << " " << klasse[s] << "\n";
        }
    }
    long long summe = 0;
    for (int c = 0; c < 7; ++c) summe += static_cast<long long>(zaehler[c]) * e.betraege.betrag[c];
    std::ofstream st(d.statistik, std::ios::binary | std::ios::app);
    st << "3:" << zaehler[0] << ", 3z:" << zaehler[1] << ", 4:" << zaehler[2] << ", 4z:" << zaehler[3]
       << ", 5:" << zaehler[4] << ", 5z:" << zaehler[5] << ", 6:" << zaehler[6] << "; Summe=" << summe
       << "; \n";
}

// ---- fixtures --------------------------------------------------------------------------

// A missing file reads as empty.
String lies(const String& name) { return FileExists(name) ? ReadFileBytes(name) : String(); }

// Draws with a few pool numbers, now and then many, so every k removes some combinations but not all.
std::vector<Ziehung> Ziehungen_fuer(const std::vector<int>& pool, int anzahl, std::mt19937& rnd)
{
    std::vector<Ziehung> z;
    for (int i = 0; i < anzahl; ++i) {
        std::vector<int> alle(49);
        for (int n = 0; n < 49; ++n) alle[n] = n + 1;
        std::vector<int> aus_pool = pool;
        std::shuffle(aus_pool.begin(), aus_pool.end(), rnd);
        std::shuffle(alle.begin(), alle.end(), rnd);
        Ziehung d{};
        int m = 0;
        const int r = static_cast<int>(rnd() % 100);  // mostly few pool numbers, now and then many
        const int vom_Pool = r < 85 ? r % 3 : r < 97 ? 3 + r % 2 : 5 + r % 3;
        for (int n : aus_pool)
            if (m < vom_Pool) d[m++] = n;
        for (int n : alle)
            if (m < 7 && std::find(pool.begin(), pool.end(), n) == pool.end()) d[m++] = n;
        z.push_back(d);
    }
    return z;
}

struct Lauf {
    int N;
    std::uint32_t seed;
    int ziehungen;
};

void PrintTo(const Lauf& l, std::ostream* os)
{
    *os << "N=" << l.N << " seed=" << l.seed << " draws=" << l.ziehungen;
}

class KernDifferenz : public TestOrdner, public ::testing::WithParamInterface<Lauf> {};

TEST_P(KernDifferenz, SchnellUndEinfachSchreibenDieselbenDateien)
{
    const Lauf lauf = GetParam();
    std::mt19937 rnd(lauf.seed);
    std::vector<int> pool(49);
    for (int n = 0; n < 49; ++n) pool[n] = n + 1;
    std::shuffle(pool.begin(), pool.end(), rnd);
    pool.resize(lauf.N);
    if (lauf.N == 19) pool[7] = pool[3];  // personal numbers may repeat one

    // All combinations of the pool in step 1's order, with a few lines step 2 must pass over.
    String kombis = "Kombinationen\n\n";
    int zeilen = 2;
    std::array<int, 6> i{0, 1, 2, 3, 4, 5};
    const int N = lauf.N;
    for (;;) {
        for (int p = 0; p < 6; ++p) kombis += (p ? "," : "") + std::to_string(pool[i[p]]);
        kombis += "\n";
        ++zeilen;
        int p = 5;
        while (p >= 0 && i[p] == N - 6 + p) --p;
        if (p < 0) break;
        ++i[p];
        for (int q = p + 1; q < 6; ++q) i[q] = i[q - 1] + 1;
        if (zeilen % 997 == 0) kombis += "1,2,3,4,5,77\n", ++zeilen;
    }
    AtomicWriteFile(ordner + "k.cvs", kombis);
    const std::vector<Ziehung> ziehungen = Ziehungen_fuer(pool, lauf.ziehungen, rnd);

    struct Einstellung {
        const char* name;
        std::function<void(Schritt2Eingaben&, Kriterien&)> setze;
    };
    const std::vector<Einstellung> einstellungen = {
        {"alles an",
         [](Schritt2Eingaben& e, Kriterien& k) {
             e.CheckBox5 = e.CheckBox6 = e.CheckBox7 = e.CheckBox8 = e.CheckBox9 = e.CheckBox10 =
                 e.CheckBox11 = e.CheckBox12 = e.CheckBox13 = true;
             e.Edit1 = "6", e.Edit2 = "6", e.Edit3 = "5", e.Edit4 = "6", e.Edit5 = "6", e.Edit6 = "60",
             e.Edit7 = "250";
             k.CheckBox15 = k.CheckBox16 = k.CheckBox17 = k.CheckBox18 = k.CheckBox19 = k.CheckBox20 = true;
         }},
        {"scharf, k=4",
         [](Schritt2Eingaben& e, Kriterien& k) {
             e.CheckBox5 = e.CheckBox8 = e.CheckBox9 = e.CheckBox13 = true;
             e.Edit1 = "5", e.Edit3 = "3", e.Edit4 = "4", e.Edit5 = "4", e.Edit6 = "90", e.Edit7 = "200";
             k.CheckBox17 = k.CheckBox18 = k.CheckBox19 = true;
         }},
        {"nichts, k=3, nur Folgen",
         [](Schritt2Eingaben& e, Kriterien& k) {
             e.Edit5 = "3";
             k.CheckBox15 = true;
         }},
        {"k=5, Werte falsch, Endziffern",
         [](Schritt2Eingaben& e, Kriterien& k) {
             e.CheckBox5 = e.CheckBox6 = e.CheckBox13 = true;
             e.Edit1 = "0", e.Edit2 = "x", e.Edit5 = "5", e.Edit6 = "0", e.Edit7 = "280";
             k.CheckBox16 = k.CheckBox20 = true;
         }},
        {"kein Kriterium",
         [](Schritt2Eingaben& e, Kriterien&) {
             e.CheckBox12 = true;
             e.Edit5 = "6";
         }},
    };
    int n = 0;
    for (const Einstellung& s : einstellungen) {
        SCOPED_TRACE(s.name);
        Schritt2Eingaben e;
        Schritt3Eingaben e3;
        s.setze(e, e3.kriterien);
        anzahl_Kombinationen(N, e.anzahl_Varianten);
        e.anzahl_Varianten +=
            3;  // the file still holds more lines than that: reading stops at the table size
        e3.anzahl_Varianten = e.anzahl_Varianten;
        e3.T = n % 2 ? 1000 : 37;
        e3.Edit1 = "6";
        const String a = ordner + std::to_string(n) + "a/", b = ordner + std::to_string(n) + "b/";
        ForceDirectories(a);
        ForceDirectories(b);
        ++n;

        Schritt2Ergebnis r2 = Schritt2_ausfuehren(e, ziehungen, ordner + "k.cvs", a + "g.cvs", {});
        ASSERT_EQ(r2.status, Schritt2Status::OK);
        einfach_Schritt2(e, ziehungen, ordner + "k.cvs", b + "g.cvs");
        const String gefiltert = lies(a + "g.cvs");
        ASSERT_EQ(gefiltert, lies(b + "g.cvs"));
        EXPECT_GT(r2.als_gezogen, 0u);

        auto dateien = [](const String& o) {
            return Schritt3Dateien{o + "g.cvs", o + "p.txt", o + "s.txt", o + "a.txt", o + "st.txt"};
        };
        Schritt3Ergebnis r3 = Schritt3_ausfuehren(
            e3, dateien(a), [&] { return ziehungen; }, nullptr);
        ASSERT_EQ(r3.status, Schritt3Status::OK);
        einfach_Schritt3(e3, ziehungen, dateien(b));
        for (const char* datei : {"p.txt", "s.txt", "a.txt", "st.txt"}) {
            SCOPED_TRACE(datei);
            EXPECT_EQ(lies(a + datei), lies(b + datei));
        }
        EXPECT_FALSE(lies(a + "s.txt").empty());
    }
}

INSTANTIATE_TEST_SUITE_P(Pools, KernDifferenz,
                         ::testing::Values(Lauf{18, 1, 300}, Lauf{19, 2, 250}, Lauf{20, 3, 400},
                                           Lauf{21, 4, 200}, Lauf{22, 5, 300}),
                         [](const ::testing::TestParamInfo<Lauf>& i) {
                             return "N" + std::to_string(i.param.N);
                         });

}  // namespace
