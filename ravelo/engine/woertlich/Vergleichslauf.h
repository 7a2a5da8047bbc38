#pragma once
// The tip steps written straight from their description, for comparing the fast cores with:
// per-draw passes with a flag table, six plain classifiers, a 5000-entry signature list counted
// for every combination, a sort of value/index pairs, and files written and read back line by
// line through streams; and the whole one-click run both ways. Used by the differential test
// and the benchmark.
#include <algorithm>
#include <array>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "CDorovZahlen.h"
#include "Schritt1Kern.h"
#include "Schritt2Kern.h"
#include "Schritt3Kern.h"
#include "Tippdateien.h"
#include "rtl/Files.h"

namespace woertlich {

// Step 1: every six of the pool's positions in lexicographic order, a line each.
inline void einfach_Schritt1(const std::vector<int>& pool, const std::string& aus)
{
    std::ofstream out(aus, std::ios::binary);
    const int N = static_cast<int>(pool.size());
    for (int a = 0; a < N; ++a)
        for (int b = a + 1; b < N; ++b)
            for (int c = b + 1; c < N; ++c)
                for (int d = c + 1; d < N; ++d)
                    for (int e = d + 1; e < N; ++e)
                        for (int f = e + 1; f < N; ++f)
                            out << pool[a] << "," << pool[b] << "," << pool[c] << "," << pool[d] << ","
                                << pool[e] << "," << pool[f] << "\n";
}

inline int zahl_bei(const std::string& s, std::size_t pos)
{
    return pos < s.size() ? std::atoi(s.c_str() + pos) : 0;
}

// The number at the start and behind the next five ",".
inline std::array<int, 6> sechs(const std::string& zeile)
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

inline int param(const std::string& text, int lo, int hi, int def)
{
    int v = StrToIntDef(text, 0);
    return v < lo || v > hi ? def : v;
}

inline bool auf_Linie(int n, const std::vector<int>& linie)
{
    return std::find(linie.begin(), linie.end(), n) != linie.end();
}

inline void einfach_Schritt2(const Schritt2Eingaben& e, const std::vector<Ziehung>& ziehungen,
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
inline std::vector<int> form(std::vector<int> zaehler)
{
    std::vector<int> f;
    for (int c : zaehler)
        if (c) f.push_back(c);
    std::sort(f.rbegin(), f.rend());
    return f;
}

inline int folgen(std::array<int, 6> z)
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

inline int endziffern(const std::array<int, 6>& z)
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

inline int zehner(const std::array<int, 6>& z)
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

inline long long signatur(const std::array<int, 6>& z, const Kriterien& k)
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

inline void einfach_Schritt3(const Schritt3Eingaben& e, const std::vector<Ziehung>& ziehungen,
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

// ---- the whole one-click run, both ways ------------------------------------------------------

// The program's default settings: every filter and criterion on, the default parameters, 12 tips.
inline Schritt2Eingaben Vorgaben2(int N)
{
    Schritt2Eingaben e;
    anzahl_Kombinationen(N, e.anzahl_Varianten);
    e.CheckBox5 = e.CheckBox6 = e.CheckBox7 = e.CheckBox8 = e.CheckBox9 = e.CheckBox10 = e.CheckBox11 =
        e.CheckBox12 = e.CheckBox13 = true;
    e.Edit1 = "6", e.Edit2 = "6", e.Edit3 = "5", e.Edit4 = "6", e.Edit5 = "6", e.Edit6 = "60",
    e.Edit7 = "250";
    return e;
}

inline Schritt3Eingaben Vorgaben3(int N)
{
    Schritt3Eingaben e;
    anzahl_Kombinationen(N, e.anzahl_Varianten);
    e.T = 12;
    e.Edit1 = "6";
    e.kriterien.CheckBox15 = e.kriterien.CheckBox16 = e.kriterien.CheckBox17 = e.kriterien.CheckBox18 =
        e.kriterien.CheckBox19 = e.kriterien.CheckBox20 = true;
    return e;
}

// The files of one run below a folder, named for the run key.
struct Laufdateien {
    String pool, kombis, gefiltert, history;
    Schritt3Dateien d3;
    Laufdateien(const String& o, const String& schluessel)
        : pool(o + Dateiname(DATEI_VORSCHLAG, schluessel)), kombis(o + Dateiname(DATEI_ERSETZT, schluessel)),
          gefiltert(o + Dateiname(DATEI_ERSETZT_GELOESCHT, schluessel)),
          history(o + DATEI_HISTORY), d3{gefiltert, o + Dateiname(DATEI_KRITERIENPUNKTE, schluessel),
                                         o + Dateiname(DATEI_KRITERIENPUNKTE_SORTIERT, schluessel),
                                         o + Dateiname(DATEI_AUSGEWAEHLT, schluessel),
                                         o + DATEI_STATISTIK_SCHRITT3}
    {
    }
    // Every step file of the run, in the order the steps write them.
    std::vector<String> Schrittdateien() const
    {
        return {pool, kombis, gefiltert, d3.punkte, d3.sortiert, d3.ausgewaehlt, d3.statistik};
    }
};

// The draws before the tip date from dorov_zahlen.txt in the program folder, as each step loads them.
inline std::vector<Ziehung> lade_Ziehungen(const String& tippdatum)
{
    auto z = std::make_unique<CDorovZahlen>();
    z->lade_Zahlen(tippdatum);
    return Ziehungen(*z);
}

// The program's run with the default settings: steps 1, 2 and 3 as their threads call the
// cores, with the given pool and the history entry. False when a step failed.
inline bool schnell_laufen(const std::vector<int>& pool, const String& tippdatum, const Laufdateien& d,
                           const String& schluessel)
{
    const int N = static_cast<int>(pool.size());
    auto z = std::make_unique<CDorovZahlen>();
    z->lade_Zahlen(tippdatum);
    schritt1::setze_Pool(*z, pool);
    if (!schritt1::schreibe_Pooldatei(d.pool, *z)) return false;
    if (!schritt1::schreibe_Kombinationen(d.kombis, schritt1::Pool(*z, N))) return false;
    if (Schritt2_ausfuehren(Vorgaben2(N), lade_Ziehungen(tippdatum), d.kombis, d.gefiltert, {}).status !=
        Schritt2Status::OK)
        return false;
    if (Schritt3_ausfuehren(
            Vorgaben3(N), d.d3, [&] { return lade_Ziehungen(tippdatum); }, nullptr)
            .status != Schritt3Status::OK)
        return false;
    return History_anhaengen(d.history, schluessel);
}

// The same run written straight from the description.
inline void woertlich_laufen(const std::vector<int>& pool, const String& tippdatum, const Laufdateien& d,
                             const String& schluessel)
{
    const int N = static_cast<int>(pool.size());
    {
        std::ofstream out(d.pool, std::ios::binary);
        for (int i = 0; i < 20; ++i) out << (i < N ? pool[static_cast<std::size_t>(i)] : 0) << "\n";
    }
    einfach_Schritt1(pool, d.kombis);
    einfach_Schritt2(Vorgaben2(N), lade_Ziehungen(tippdatum), d.kombis, d.gefiltert);
    einfach_Schritt3(Vorgaben3(N), lade_Ziehungen(tippdatum), d.d3);
    std::ofstream(d.history, std::ios::binary | std::ios::app) << schluessel << "\n";
}

}  // namespace woertlich
