#include "CKriterien.h"

#include <algorithm>
#include <bit>
#include <cstdint>
#include <vector>

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

bool ist_Lottozahl(int n) { return n >= 1 && n <= 49; }

// Six different numbers 1..49 (every combination of a pool of distinct numbers) take a faster
// road to the same classes, without branches. A count shape (a partition of 6) is told by the
// sum of the cubes of its parts, which differs for all eleven shapes; the sum grows by
// 3c^2 + 3c + 1 when a count c goes up by one. The runs' shape is told by how many bits of the
// number mask continue a run for at least one, two and three more numbers.
struct Schnelltabellen {
    std::uint64_t felder_Verschiebung[50] = {};  // shift of the last-digit field | decade field << 8
    std::uint32_t zusatz[50] = {};  // n + (even << 12) + (low << 16)
    std::uint8_t endziffern_nach_Kuben[217] = {};
    std::uint8_t zehner_nach_Kuben[217] = {};
    std::uint8_t folgen_nach_Schluessel[256] = {};

    Schnelltabellen()
    {
        for (int n = 1; n < 50; ++n) {
            felder_Verschiebung[n] =
                static_cast<std::uint64_t>(4 * (n % 10)) | static_cast<std::uint64_t>(4 * (n / 10)) << 8;
            zusatz[n] = static_cast<std::uint32_t>(n + ((n % 2 == 0) << 12) + ((n <= 24) << 16));
        }
        // Every shape from its counts, run through the table-driven classifiers.
        const std::vector<std::vector<int>> formen = {
            {6},       {5, 1},       {4, 2},          {4, 1, 1},         {3, 3}, {3, 2, 1}, {3, 1, 1, 1},
            {2, 2, 2}, {2, 2, 1, 1}, {2, 1, 1, 1, 1}, {1, 1, 1, 1, 1, 1}};
        for (const auto& f : formen) {
            Verteilung v;
            Folgen r;
            int kuben = 0;
            for (int c : f) {
                v.zaehle(c);
                r.zaehle(c);
                kuben += c * c * c;
            }
            endziffern_nach_Kuben[kuben] = static_cast<std::uint8_t>(endziffern_Klasse(v));
            zehner_nach_Kuben[kuben] = static_cast<std::uint8_t>(zehner_Klasse(v));
            int p[4] = {};  // per k = 1..3: sum over the runs of max(length - k, 0)
            for (int c : f)
                for (int k = 1; k <= 3; ++k) p[k] += std::max(c - k, 0);
            folgen_nach_Schluessel[p[1] + 6 * p[2] + 36 * p[3]] = static_cast<std::uint8_t>(folgen_Klasse(r));
        }
    }
};
const Schnelltabellen SCHNELL;

[[gnu::always_inline]] inline long long signatur_Maske(const int* z, std::uint64_t m, const Kriterien& k)
{
    std::uint64_t ziffern = 0, zehner = 0;  // 4-bit counts
    int kuben_z = 0, kuben_d = 0;
    std::uint32_t zusatz = 0;
    for (int i = 0; i < 6; ++i) {
        const std::uint64_t v = SCHNELL.felder_Verschiebung[z[i]];
        const unsigned sz = static_cast<unsigned>(v & 255), sd = static_cast<unsigned>(v >> 8);
        const int cz = static_cast<int>(ziffern >> sz & 15), cd = static_cast<int>(zehner >> sd & 15);
        kuben_z += 3 * cz * cz + 3 * cz + 1;
        kuben_d += 3 * cd * cd + 3 * cd + 1;
        ziffern += std::uint64_t{1} << sz;
        zehner += std::uint64_t{1} << sd;
        zusatz += SCHNELL.zusatz[z[i]];
    }
    const std::uint64_t a = m & m >> 1, b = a & m >> 2, c = b & m >> 3;
    const int schluessel = std::popcount(a) + 6 * std::popcount(b) + 36 * std::popcount(c);
    const long long folgen = SCHNELL.folgen_nach_Schluessel[schluessel];  // at most 5 + 6 x 4 + 36 x 3
    return folgen * (k.CheckBox15 ? GEWICHT_FOLGEN : 0) +
           SCHNELL.endziffern_nach_Kuben[kuben_z] * (k.CheckBox16 ? GEWICHT_ENDZIFFERN : 0) +
           static_cast<long long>(zusatz >> 12 & 15) * (k.CheckBox17 ? GEWICHT_GERADE : 0) +
           SCHNELL.zehner_nach_Kuben[kuben_d] * (k.CheckBox18 ? GEWICHT_ZEHNER : 0) +
           static_cast<long long>(1 + (zusatz >> 16 & 15)) * (k.CheckBox19 ? GEWICHT_KLEINE : 0) +
           static_cast<long long>(zusatz & 4095) * (k.CheckBox20 ? GEWICHT_SUMME : 0);
}

}  // namespace

int klasse_Folgen(const int* z)
{
    int s[6], n = 0;
    for (int i = 0; i < 6; ++i)
        if (ist_Lottozahl(z[i])) s[n++] = z[i];
    kern::sortiere_klein(s, n);
    Folgen f;
    int laenge = 1;
    for (int i = 1; i <= n; ++i) {
        if (i < n && s[i] == s[i - 1] + 1) {
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
    for (int i = 0; i < 6; ++i)
        if (ist_Lottozahl(z[i])) ++zaehler[z[i] % 10];
    return endziffern_Klasse(verteilung(zaehler));
}

int klasse_Gerade(const int* z)
{
    int n = 0;
    for (int i = 0; i < 6; ++i) n += ist_Lottozahl(z[i]) && z[i] % 2 == 0;
    return n;
}

int klasse_Zehner(const int* z)
{
    int zaehler[5] = {};
    for (int i = 0; i < 6; ++i)
        if (ist_Lottozahl(z[i])) ++zaehler[z[i] / 10];
    return zehner_Klasse(verteilung(zaehler));
}

int klasse_Kleine(const int* z)
{
    int n = 1;
    for (int i = 0; i < 6; ++i) n += ist_Lottozahl(z[i]) && z[i] <= 24;
    return n;
}

int klasse_Summe(const int* z)
{
    int s = 0;
    for (int i = 0; i < 6; ++i)
        if (ist_Lottozahl(z[i])) s += z[i];
    return s;
}

namespace {

[[gnu::always_inline]] inline long long signatur_von(const int* z, const Kriterien& k)
{
    std::uint64_t maske = 0;
    bool einfach = true;
    for (int i = 0; i < 6; ++i) {
        einfach = einfach && z[i] >= 1 && z[i] <= 49;
        if (einfach) maske |= std::uint64_t{1} << z[i];
    }
    if (einfach && std::popcount(maske) == 6) return signatur_Maske(z, maske, k);
    for (int i = 0; i < 6; ++i)
        if (!ist_Lottozahl(z[i])) return KEINE_SIGNATUR;

    long long s = 0;
    if (k.CheckBox15) s += klasse_Folgen(z) * GEWICHT_FOLGEN;
    if (k.CheckBox16) s += klasse_Endziffern(z) * GEWICHT_ENDZIFFERN;
    if (k.CheckBox17) s += klasse_Gerade(z) * GEWICHT_GERADE;
    if (k.CheckBox18) s += klasse_Zehner(z) * GEWICHT_ZEHNER;
    if (k.CheckBox19) s += klasse_Kleine(z) * GEWICHT_KLEINE;
    if (k.CheckBox20) s += klasse_Summe(z) * GEWICHT_SUMME;
    return s;
}

}  // namespace

long long Signatur(const int* z, const Kriterien& k) { return signatur_von(z, k); }

// The bit counts of the classifiers take the processor's own instruction where it has one. The
// loader runs the choice of a cloned function before ThreadSanitizer's runtime is up, which
// crashes every program of a ThreadSanitizer build: there it keeps the default version. clang 14
// gives a cloned function no symbol that callers in other files can link to: it keeps it too.
#if defined(__SANITIZE_THREAD__) || defined(__clang__)
#define BITZAEHLUNG_DES_PROZESSORS
#elif defined(__has_feature)
#if __has_feature(thread_sanitizer)
#define BITZAEHLUNG_DES_PROZESSORS
#endif
#endif
#ifndef BITZAEHLUNG_DES_PROZESSORS
#define BITZAEHLUNG_DES_PROZESSORS [[gnu::target_clones("popcnt", "default")]]
#endif
BITZAEHLUNG_DES_PROZESSORS void Signaturen(std::span<const Kombination> k, const Kriterien& kr,
                                           long long* signaturen)
{
    for (std::size_t i = 0; i < k.size(); ++i) signaturen[i] = signatur_von(k[i].data(), kr);
}
