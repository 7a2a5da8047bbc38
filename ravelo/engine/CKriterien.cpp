#include "CKriterien.h"

#include <algorithm>
#include <bit>
#include <cstdint>

namespace {

// Shape of a count table: the largest count and how many entries hold exactly 2 and 3.
struct Verteilung {
    int hoechste = 0;
    int zweier = 0;
    int dreier = 0;
    void zaehle(int c)
    {
        hoechste = std::max(hoechste, c);
        zweier += c == 2;
        dreier += c == 3;
    }
};

// Runs of two or more: how many of length 2, 3, 4 and 5 or more.
struct Folgen {
    int zweier = 0, dreier = 0, vierer = 0, laenger = 0;
    void zaehle(int laenge)
    {
        zweier += laenge == 2;
        dreier += laenge == 3;
        vierer += laenge == 4;
        laenger += laenge >= 5;
    }
};

int folgen_Klasse(const Folgen& f)
{
    if (f.laenger) return 4;
    if (!f.zweier && !f.dreier && !f.vierer) return 0;
    if (f.vierer && f.zweier) return 5;
    if (f.dreier == 2) return 6;
    if (f.dreier && f.zweier) return 7;
    if (f.zweier == 3) return 8;
    if (f.zweier == 2) return 9;
    if (f.zweier) return 1;
    if (f.dreier) return 2;
    return 3;
}

int endziffern_Klasse(const Verteilung& v)
{
    if (v.hoechste >= 5) return 4;
    if (v.hoechste == 4) return v.zweier ? 5 : 3;
    if (v.hoechste == 3) return v.dreier == 2 ? 6 : v.zweier ? 7 : 2;
    if (v.hoechste == 2) return v.zweier == 3 ? 8 : v.zweier == 2 ? 9 : 1;
    return 0;
}

int zehner_Klasse(const Verteilung& v)
{
    switch (v.hoechste) {
    case 6: return 1;
    case 5: return 2;
    case 4: return v.zweier ? 3 : 4;
    case 3: return v.dreier == 2 ? 5 : v.zweier ? 6 : 7;
    case 2: return v.zweier >= 2 ? 8 : 9;
    default: return 0;  // six decades: not possible with numbers 1..49
    }
}

template <int N>
Verteilung verteilung(const int (&zaehler)[N])
{
    Verteilung v;
    for (int c : zaehler) v.zaehle(c);
    return v;
}

// Decades 1-9 (with 0), 10-19, ...; values beyond 99 share the last bucket.
int zehner(int n) { return std::min(n / 10, 9); }

// Six different numbers 1..49 (every combination of a pool of distinct numbers) take a faster
// road to the same classes: a bit mask of the numbers for the runs, and per-number counts in
// 4-bit fields (last digits in fields 0..9, decades in fields 10..14) added up.
struct Zahlfelder {
    std::uint64_t felder[50] = {};
    Zahlfelder()
    {
        for (int n = 1; n < 50; ++n) felder[n] = std::uint64_t{1} << (4 * (n % 10)) | std::uint64_t{1} << (4 * (10 + n / 10));
    }
};
const Zahlfelder FELDER;

Verteilung verteilung_Felder(std::uint64_t f, int von, int bis)
{
    Verteilung v;
    for (int i = von; i < bis; ++i) v.zaehle(static_cast<int>(f >> (4 * i) & 15));
    return v;
}

int folgen_Maske(std::uint64_t m)
{
    Folgen f;
    while (m) {
        m >>= std::countr_zero(m);
        const int laenge = std::countr_one(m);
        f.zaehle(laenge);
        m >>= laenge;  // at most 49 ones: never the whole word
    }
    return folgen_Klasse(f);
}

long long signatur_Maske(const int* z, std::uint64_t maske, const Kriterien& k)
{
    std::uint64_t f = 0;
    int gerade = 0, klein = 0, summe = 0;
    for (int i = 0; i < 6; ++i) {
        f += FELDER.felder[z[i]];
        gerade += ~z[i] & 1;
        klein += z[i] <= 24;
        summe += z[i];
    }
    long long s = 0;
    if (k.CheckBox15) s += folgen_Maske(maske) * GEWICHT_FOLGEN;
    if (k.CheckBox16) s += endziffern_Klasse(verteilung_Felder(f, 0, 10)) * GEWICHT_ENDZIFFERN;
    if (k.CheckBox17) s += gerade * GEWICHT_GERADE;
    if (k.CheckBox18) s += zehner_Klasse(verteilung_Felder(f, 10, 15)) * GEWICHT_ZEHNER;
    if (k.CheckBox19) s += (1 + klein) * GEWICHT_KLEINE;
    if (k.CheckBox20) s += summe * GEWICHT_SUMME;
    return s;
}

}  // namespace

int klasse_Folgen(const int* z)
{
    int s[6];
    std::copy(z, z + 6, s);
    kern::sortiere_klein(s, 6);
    Folgen f;
    int laenge = 1;
    for (int i = 1; i <= 6; ++i) {
        if (i < 6 && s[i] == s[i - 1] + 1) {
            ++laenge;
            continue;
        }
        f.zaehle(laenge);
        laenge = 1;
    }
    return folgen_Klasse(f);
}

int klasse_Endziffern(const int* z)
{
    int zaehler[10] = {};
    for (int i = 0; i < 6; ++i) ++zaehler[z[i] % 10];
    return endziffern_Klasse(verteilung(zaehler));
}

int klasse_Gerade(const int* z)
{
    int n = 0;
    for (int i = 0; i < 6; ++i) n += z[i] % 2 == 0;
    return n;
}

int klasse_Zehner(const int* z)
{
    int zaehler[10] = {};
    for (int i = 0; i < 6; ++i) ++zaehler[zehner(z[i])];
    return zehner_Klasse(verteilung(zaehler));
}

int klasse_Kleine(const int* z)
{
    int n = 1;
    for (int i = 0; i < 6; ++i) n += z[i] >= 1 && z[i] <= 24;
    return n;
}

int klasse_Summe(const int* z)
{
    int s = 0;
    for (int i = 0; i < 6; ++i) s += z[i];
    return s;
}

long long Signatur(const int* z, const Kriterien& k)
{
    std::uint64_t maske = 0;
    bool einfach = true;
    for (int i = 0; i < 6; ++i) {
        einfach = einfach && z[i] >= 1 && z[i] <= 49;
        if (einfach) maske |= std::uint64_t{1} << z[i];
    }
    if (einfach && std::popcount(maske) == 6) return signatur_Maske(z, maske, k);

    long long s = 0;
    if (k.CheckBox15) s += klasse_Folgen(z) * GEWICHT_FOLGEN;
    if (k.CheckBox16) s += klasse_Endziffern(z) * GEWICHT_ENDZIFFERN;
    if (k.CheckBox17) s += klasse_Gerade(z) * GEWICHT_GERADE;
    if (k.CheckBox18) s += klasse_Zehner(z) * GEWICHT_ZEHNER;
    if (k.CheckBox19) s += klasse_Kleine(z) * GEWICHT_KLEINE;
    if (k.CheckBox20) s += klasse_Summe(z) * GEWICHT_SUMME;
    return s;
}
