#include "CKriterien.h"

#include <algorithm>

namespace {

// Shape of a count table: the largest count and how many entries hold exactly 2 and 3.
struct Verteilung {
    int hoechste = 0;
    int zweier = 0;
    int dreier = 0;
};

template <int N>
Verteilung verteilung(const int (&zaehler)[N])
{
    Verteilung v;
    for (int c : zaehler) {
        v.hoechste = std::max(v.hoechste, c);
        v.zweier += c == 2;
        v.dreier += c == 3;
    }
    return v;
}

int ziffer(int n) { return n % 10; }
// Decades 1-9 (with 0), 10-19, ...; values beyond 99 share the last bucket.
int zehner(int n) { return std::min(n / 10, 9); }

}  // namespace

int klasse_Folgen(const int* z)
{
    int s[6];
    std::copy(z, z + 6, s);
    kern::sortiere_klein(s, 6);
    int zweier = 0, dreier = 0, vierer = 0, laenger = 0;
    int laenge = 1;
    for (int i = 1; i <= 6; ++i) {
        if (i < 6 && s[i] == s[i - 1] + 1) {
            ++laenge;
            continue;
        }
        zweier += laenge == 2;
        dreier += laenge == 3;
        vierer += laenge == 4;
        laenger += laenge >= 5;
        laenge = 1;
    }
    if (laenger) return 4;
    if (!zweier && !dreier && !vierer) return 0;
    if (vierer && zweier) return 5;
    if (dreier == 2) return 6;
    if (dreier && zweier) return 7;
    if (zweier == 3) return 8;
    if (zweier == 2) return 9;
    if (zweier) return 1;
    if (dreier) return 2;
    return 3;
}

int klasse_Endziffern(const int* z)
{
    int zaehler[10] = {};
    for (int i = 0; i < 6; ++i) ++zaehler[ziffer(z[i])];
    Verteilung v = verteilung(zaehler);
    if (v.hoechste >= 5) return 4;
    if (v.hoechste == 4) return v.zweier ? 5 : 3;
    if (v.hoechste == 3) return v.dreier == 2 ? 6 : v.zweier ? 7 : 2;
    if (v.hoechste == 2) return v.zweier == 3 ? 8 : v.zweier == 2 ? 9 : 1;
    return 0;
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
    Verteilung v = verteilung(zaehler);
    switch (v.hoechste) {
    case 6: return 1;
    case 5: return 2;
    case 4: return v.zweier ? 3 : 4;
    case 3: return v.dreier == 2 ? 5 : v.zweier ? 6 : 7;
    case 2: return v.zweier >= 2 ? 8 : 9;
    default: return 0;  // six decades: not possible with numbers 1..49
    }
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
    long long s = 0;
    if (k.CheckBox15) s += klasse_Folgen(z) * GEWICHT_FOLGEN;
    if (k.CheckBox16) s += klasse_Endziffern(z) * GEWICHT_ENDZIFFERN;
    if (k.CheckBox17) s += klasse_Gerade(z) * GEWICHT_GERADE;
    if (k.CheckBox18) s += klasse_Zehner(z) * GEWICHT_ZEHNER;
    if (k.CheckBox19) s += klasse_Kleine(z) * GEWICHT_KLEINE;
    if (k.CheckBox20) s += klasse_Summe(z) * GEWICHT_SUMME;
    return s;
}
