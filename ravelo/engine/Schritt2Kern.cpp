#include "Schritt2Kern.h"

#include <algorithm>
#include <atomic>
#include <bit>
#include <cstdint>
#include <cstring>
#include <mutex>
#include <optional>

#include "Dateifehler.h"
#include "rtl/Files.h"

bool anzahl_Kombinationen(int N, int& anzahl_Varianten)
{
    static constexpr int TABELLE[] = {18564,  27132,  38760,  54264,  74613,  100947, 134596,
                                      177100, 230230, 296010, 376740, 475020, 593775};
    if (N < 18 || N > 30) return false;
    anzahl_Varianten = TABELLE[N - 18];
    return true;
}

const std::vector<std::vector<int>>& Tippscheinlinien()
{
    static const std::vector<std::vector<int>> linien = [] {
        std::vector<std::vector<int>> l;
        for (int c = 1; c <= 7; ++c) l.push_back({c, c + 7, c + 14, c + 21, c + 28, c + 35, c + 42});
        l.push_back({1, 9, 17, 25, 33, 41, 49});
        l.push_back({2, 10, 18, 26, 34, 42});
        l.push_back({3, 11, 19, 27, 35});
        l.push_back({4, 12, 20, 28});
        l.push_back({8, 16, 24, 32, 40, 48});
        l.push_back({15, 23, 31, 39, 47});
        l.push_back({22, 30, 38, 46});
        l.push_back({7, 13, 19, 25, 31, 37, 43});
        l.push_back({6, 12, 18, 24, 30, 36});
        l.push_back({5, 11, 17, 23, 29});
        l.push_back({4, 10, 16, 22});
        l.push_back({14, 20, 26, 32, 38, 44});
        l.push_back({21, 27, 33, 39, 45});
        l.push_back({28, 34, 40, 46});
        for (int row : {2, 3, 5, 6}) {
            std::vector<int> r;
            for (int n = 7 * row - 6; n <= 7 * row; ++n) r.push_back(n);
            l.push_back(r);
        }
        for (int start : {7, 8, 9, 17, 18, 19, 27, 28, 29, 37, 38, 39})
            l.push_back({start, start + 1, start + 2, start + 3});
        return l;
    }();
    return linien;
}

namespace {

int parameter(const String& text, int lo, int hi, int def, int edit, std::vector<EditKorrektur>* korrekturen)
{
    int v = kern::lies_Parameter(text);
    if (v >= lo && v <= hi) return v;
    if (korrekturen) korrekturen->push_back({edit, IntToStr(def)});
    return def;
}

bool gueltig(const Kombination& k)
{
    for (int n : k)
        if (n < 1 || n > 49) return false;
    return true;
}

// Binomial coefficients C(n, j) for n 0..49, j 0..6.
struct Binome {
    std::uint32_t c[50][7] = {};
    Binome()
    {
        for (int n = 0; n < 50; ++n) {
            c[n][0] = 1;
            for (int j = 1; j < 7; ++j) c[n][j] = n == 0 ? 0 : c[n - 1][j - 1] + c[n - 1][j];
        }
    }
};
const Binome BINOM;

// Rank of a strictly ascending set of numbers 1..49 among all sets of its size.
std::uint32_t rang(const int* a, int j)
{
    std::uint32_t r = 0;
    for (int i = 0; i < j; ++i) r += BINOM.c[a[i] - 1][i + 1];
    return r;
}

// For each size j = 1..k, a bit per j-set of numbers that lies inside some draw: a combination
// shares at least k numbers with a draw exactly when k of its positions hold values of one
// draw, that is when the set of those values (k or fewer after repeats) is marked here. The
// table of size k serves combinations of six different numbers; the smaller ones are built
// only when a combination with a repeated number asks for them.
class Teilmengen {
public:
    Teilmengen(std::span<const Ziehung> ziehungen, int k) : FK(k)
    {
        for (const Ziehung& z : ziehungen) {
            Werte w;
            for (int n : z)
                if (n >= 1 && n <= 49) w.zahl[w.anzahl++] = n;
            kern::sortiere_klein(w.zahl, w.anzahl);
            w.anzahl = static_cast<int>(std::unique(w.zahl, w.zahl + w.anzahl) - w.zahl);
            FZiehungen.push_back(w);
        }
        baue(k);
        for (unsigned maske = 0; maske < 64; ++maske)
            if (std::popcount(maske) == k) FAuswahl.push_back(maske);
    }

    bool getroffen(const Kombination& k) const
    {
        int s[6];
        std::copy(k.begin(), k.end(), s);
        kern::sortiere_klein(s, 6);
        bool verschieden = true;
        for (int i = 1; i < 6; ++i) verschieden = verschieden && s[i] != s[i - 1];
        if (verschieden) {
            for (unsigned maske : FAuswahl) {
                int a[6], j = 0;
                for (int i = 0; i < 6; ++i)
                    if (maske >> i & 1) a[j++] = s[i];
                if (gesetzt(FK, rang(a, FK))) return true;
            }
            return false;
        }
        std::call_once(FKleinere, [this] {
            for (int j = 1; j < FK; ++j) baue(j);
        });
        for (unsigned maske : FAuswahl) {
            int a[6], j = 0;
            for (int i = 0; i < 6; ++i)
                if (maske >> i & 1 && (j == 0 || a[j - 1] != s[i])) a[j++] = s[i];
            if (gesetzt(j, rang(a, j))) return true;
        }
        return false;
    }

private:
    struct Werte {
        int zahl[7];
        int anzahl = 0;
    };

    void baue(int j) const
    {
        FBits[j].assign((BINOM.c[49][j] + 63) / 64, 0);
        std::vector<unsigned> auswahl[8];  // per count of numbers, its j-sets of positions
        for (unsigned m = 0; m <= 7; ++m)
            for (unsigned maske = 1; maske < (1u << m); ++maske)
                if (std::popcount(maske) == j) auswahl[m].push_back(maske);
        for (const Werte& w : FZiehungen)
            for (unsigned maske : auswahl[w.anzahl]) {
                int a[7], n = 0;
                for (int i = 0; i < w.anzahl; ++i)
                    if (maske >> i & 1) a[n++] = w.zahl[i];
                const std::uint32_t r = rang(a, j);
                FBits[j][r >> 6] |= std::uint64_t{1} << (r & 63);
            }
    }
    bool gesetzt(int j, std::uint32_t r) const { return FBits[j][r >> 6] >> (r & 63) & 1; }

    int FK;
    std::vector<Werte> FZiehungen;
    std::vector<unsigned> FAuswahl;  // the k-sets of positions 0..5 as bit masks
    mutable std::vector<std::uint64_t> FBits[7];
    mutable std::once_flag FKleinere;
};

}  // namespace

Filterwerte lies_Filterwerte(const Schritt2Eingaben& e, std::vector<EditKorrektur>* korrekturen)
{
    Filterwerte w;
    if (e.CheckBox5) w.gerade_ungerade = parameter(e.Edit1, 1, 6, 6, 1, korrekturen);
    if (e.CheckBox6) w.zehner = parameter(e.Edit2, 1, 6, 6, 2, korrekturen);
    if (e.CheckBox8) w.endziffer = parameter(e.Edit3, 1, 6, 5, 3, korrekturen);
    if (e.CheckBox9) w.tippschein = parameter(e.Edit4, 1, 6, 6, 4, korrekturen);
    if (e.CheckBox13) {
        w.quersumme_unten = parameter(e.Edit6, 1, 279, 60, 6, korrekturen);
        w.quersumme_oben = parameter(e.Edit7, 1, 279, 250, 7, korrekturen);
    }
    return w;
}

int lies_Trefferzahl(const String& Edit5, std::vector<EditKorrektur>* korrekturen)
{
    return parameter(Edit5, 1, 6, 6, 5, korrekturen);
}

std::size_t Kombinationstabelle::vorhanden() const
{
    return static_cast<std::size_t>(
        std::count_if(z.begin(), z.end(), [](const Kombination& k) { return k[0] != 0; }));
}

namespace {

// What becomes of a valid combination as it is read.
enum class Urteil { bleibt, durch_Filter, als_gezogen };

// What a piece of lines gave.
struct Zaehler {
    std::size_t zeilen = 0, ungueltig = 0, filter = 0, gezogen = 0;
};

// Step 2's reading of the combinations file, its pieces in parallel: for piece a, leser = neu(a)
// gets every valid combination with its line number, leser(index, k), in line order, and is
// destroyed at the piece's end; lines from groesse on are not read. The lines read and the invalid
// ones go to the piece's counts.
template <class Neu>
std::vector<Zaehler> lies_Stuecke(const std::vector<kern::Zeilenabschnitt>& abschnitte, std::size_t groesse,
                                  const Neu& neu)
{
    std::vector<Zaehler> z(abschnitte.size());
    kern::parallel_jede(abschnitte.size(), [&](std::size_t a) {
        std::size_t index = abschnitte[a].erste_Zeile;
        Zaehler& n = z[a];
        auto leser = neu(a);
        kern::fuer_jede_Kombination(abschnitte[a].text, 99, [&](const Kombination& k) {
            if (index >= groesse) return false;
            if (k[0] > 0 && gueltig(k))
                leser(index, k);
            else
                ++n.ungueltig;
            ++index;
            return true;
        });
        n.zeilen = index - abschnitte[a].erste_Zeile;
    });
    return z;
}

std::size_t groesse_von(int anzahl_Varianten)
{
    return static_cast<std::size_t>(std::max(anzahl_Varianten, 0));
}

// Step 2's reading of the combinations file into the table; urteil(k) decides on each valid
// combination (a removed one keeps its numbers behind a first number 0, as the passes leave it).
// The counts of the removed go to durch_Filter and als_gezogen.
template <class U>
Kombinationstabelle lies_und_urteile(std::string_view bytes, int anzahl_Varianten, const U& urteil,
                                     std::size_t& durch_Filter, std::size_t& als_gezogen)
{
    Kombinationstabelle t;
    const std::size_t groesse = groesse_von(anzahl_Varianten);
    t.z.assign(groesse, Kombination{});
    const std::vector<kern::Zeilenabschnitt> abschnitte = kern::Zeilenabschnitte(bytes);
    std::vector<Zaehler> u(abschnitte.size());
    const std::vector<Zaehler> z = lies_Stuecke(abschnitte, groesse, [&](std::size_t a) {
        return [&t, &urteil, &n = u[a]](std::size_t i, const Kombination& k) {
            Kombination& ziel = t.z[i];
            ziel = k;
            switch (urteil(k)) {
            case Urteil::bleibt: break;
            case Urteil::durch_Filter: ziel[0] = 0, ++n.filter; break;
            case Urteil::als_gezogen: ziel[0] = 0, ++n.gezogen; break;
            }
        };
    });
    durch_Filter = als_gezogen = 0;
    for (std::size_t a = 0; a < z.size(); ++a) {
        t.zeilen += z[a].zeilen;
        t.ungueltig += z[a].ungueltig;
        durch_Filter += u[a].filter;
        als_gezogen += u[a].gezogen;
    }
    return t;
}

// Each line's combination goes through the filters and the removal in their order, as the
// separate passes take it.
class Richter {
public:
    Richter(const Schritt2Eingaben& schalter, const Filterwerte& w, std::span<const Ziehung> ziehungen, int k)
        : FSchalter(schalter), FW(w)
    {
        if (!ziehungen.empty() && k >= 1 && k <= 6) FMarken.emplace(ziehungen, k);
    }
    Urteil operator()(const Kombination& c) const
    {
        if (!besteht_Filter(c, FSchalter, FW)) return Urteil::durch_Filter;
        if (FMarken && FMarken->getroffen(c)) return Urteil::als_gezogen;
        return Urteil::bleibt;
    }

private:
    const Schritt2Eingaben& FSchalter;
    const Filterwerte& FW;
    std::optional<Teilmengen> FMarken;
};

// The line of the filtered file for a present combination (at most 20 characters).
char* schreibe_gefiltert(char* p, const Kombination& k)
{
    p = kern::schreibe_Sechs(p, k);
    std::memcpy(p, ",0\n", 3);
    return p + 3;
}

}  // namespace

Kombinationstabelle lies_filtere_loesche(std::string_view bytes, const Schritt2Eingaben& schalter,
                                         const Filterwerte& w, std::span<const Ziehung> ziehungen, int k,
                                         std::size_t& durch_Filter, std::size_t& als_gezogen)
{
    return lies_und_urteile(bytes, schalter.anzahl_Varianten, Richter(schalter, w, ziehungen, k),
                            durch_Filter, als_gezogen);
}

Gefiltert filtere_Datei(std::string_view bytes, const Schritt2Eingaben& schalter, const Filterwerte& w,
                        std::span<const Ziehung> ziehungen, int k)
{
    const Richter urteil(schalter, w, ziehungen, k);
    const std::vector<kern::Zeilenabschnitt> abschnitte = kern::Zeilenabschnitte(bytes);
    const std::size_t zeilen = kern::Zeilenzahl(abschnitte);
    Gefiltert g;
    g.stuecke.resize(abschnitte.size());
    std::vector<Zaehler> u(abschnitte.size());
    // A line that stays is written as it is judged into its piece's text, which has room for every
    // line of the piece.
    class Schreiber {
    public:
        Schreiber(String& text, Zaehler& n, const Richter& urteil) : FText(text), FN(n), FUrteil(urteil) {}
        void operator()(std::size_t, const Kombination& c)
        {
            switch (FUrteil(c)) {
            case Urteil::durch_Filter: ++FN.filter; return;
            case Urteil::als_gezogen: ++FN.gezogen; return;
            case Urteil::bleibt: break;
            }
            FText.weiter(schreibe_gefiltert(FText.frei(20), c));
        }

    private:
        kern::Textpuffer FText;
        Zaehler& FN;
        const Richter& FUrteil;
    };
    const std::vector<Zaehler> z =
        lies_Stuecke(abschnitte, groesse_von(schalter.anzahl_Varianten), [&](std::size_t a) {
            const std::size_t bis = a + 1 < abschnitte.size() ? abschnitte[a + 1].erste_Zeile : zeilen;
            g.stuecke[a].reserve((bis - abschnitte[a].erste_Zeile) * 20);
            return Schreiber(g.stuecke[a], u[a], urteil);
        });
    for (std::size_t a = 0; a < z.size(); ++a) {
        g.zeilen += z[a].zeilen;
        g.ungueltig += z[a].ungueltig;
        g.durch_Filter += u[a].filter;
        g.als_gezogen += u[a].gezogen;
    }
    g.geschrieben = g.zeilen - g.ungueltig - g.durch_Filter - g.als_gezogen;
    return g;
}

Kombinationstabelle lies_Kombinationen(std::string_view bytes, int anzahl_Varianten)
{
    std::size_t f = 0, g = 0;
    return lies_und_urteile(
        bytes, anzahl_Varianten, [](const Kombination&) { return Urteil::bleibt; }, f, g);
}

namespace {

// Per number, its counts as 4-bit fields, so the counts of six numbers are six additions and a
// field never exceeds 6: last digits in fields 0..9, decades in fields 10..14, even in field 15;
// the 37 ticket lines in three words of 16 fields.
struct Zahlzaehler {
    std::uint64_t ziffern_zehner_gerade = 0;
    std::uint64_t linien[3] = {};
};

const std::array<Zahlzaehler, 50>& zaehler_je_Zahl()
{
    static const std::array<Zahlzaehler, 50> t = [] {
        std::array<Zahlzaehler, 50> z{};
        const auto& l = Tippscheinlinien();
        for (int n = 1; n <= 49; ++n) {
            z[n].ziffern_zehner_gerade = std::uint64_t{1} << (4 * (n % 10)) |
                                         std::uint64_t{1} << (4 * (10 + n / 10)) |
                                         std::uint64_t{n % 2 == 0} << 60;
        }
        for (std::size_t i = 0; i < l.size(); ++i)
            for (int n : l[i]) z[n].linien[i / 16] += std::uint64_t{1} << (4 * (i % 16));
        return z;
    }();
    return t;
}

constexpr std::uint64_t EINSEN = 0x1111111111111111ULL;
constexpr std::uint64_t HOCH = 0x8888888888888888ULL;

// True when some field selected by maske holds at least p (1..6).
bool feld_ab(std::uint64_t felder, std::uint64_t maske, int p)
{
    return ((felder + EINSEN * static_cast<std::uint64_t>(8 - p)) & HOCH & maske) != 0;
}

constexpr std::uint64_t ZIFFERN = 0x000000FFFFFFFFFFULL;  // fields 0..9
constexpr std::uint64_t ZEHNER = 0x0FFFFF0000000000ULL;  // fields 10..14

// How many decades hold exactly anzahl numbers: the five decade fields compared at once.
int zehner_mit(std::uint64_t felder, std::uint64_t anzahl)
{
    constexpr std::uint64_t EINSEN5 = 0x11111;
    const std::uint64_t y = (felder >> 40 & 0xFFFFF) ^ (EINSEN5 * anzahl);  // 0 where equal
    const std::uint64_t ungleich = (y | y >> 1 | y >> 2 | y >> 3) & EINSEN5;
    return 5 - static_cast<int>((ungleich * EINSEN5) >> 16 & 15);  // the five bits summed
}

}  // namespace

bool besteht_Filter(const Kombination& k, const Schritt2Eingaben& s, const Filterwerte& w)
{
    const auto& zz = zaehler_je_Zahl();
    std::uint64_t f = 0, l0 = 0, l1 = 0, l2 = 0;
    int summe = 0, klein = 0;
    for (int n : k) {
        f += zz[n].ziffern_zehner_gerade;
        l0 += zz[n].linien[0];
        l1 += zz[n].linien[1];
        l2 += zz[n].linien[2];
        summe += n;
        klein += n <= 24;
    }
    const int gerade = static_cast<int>(f >> 60);
    if (s.CheckBox7 && zehner_mit(f, 3) >= 2) return false;
    if (s.CheckBox5 && (gerade >= w.gerade_ungerade || 6 - gerade >= w.gerade_ungerade)) return false;
    if (s.CheckBox6 && feld_ab(f, ZEHNER, w.zehner)) return false;
    if (s.CheckBox8 && feld_ab(f, ZIFFERN, w.endziffer)) return false;
    if (s.CheckBox9 && (feld_ab(l0, ~0ULL, w.tippschein) || feld_ab(l1, ~0ULL, w.tippschein) ||
                        feld_ab(l2, ~0ULL, w.tippschein)))
        return false;
    if (s.CheckBox11 && zehner_mit(f, 2) > 2) return false;
    if (s.CheckBox12 && (klein == 6 || klein == 0)) return false;
    if (s.CheckBox13 && !(w.quersumme_unten < summe && summe < w.quersumme_oben)) return false;
    if (s.CheckBox10)
        for (int i = 0; i < 3; ++i)
            if (k[i + 1] == k[i] + 1 && k[i + 2] == k[i] + 2 && k[i + 3] == k[i] + 3) return false;
    return true;
}

std::size_t filtere(Kombinationstabelle& t, const Schritt2Eingaben& schalter, const Filterwerte& w)
{
    std::atomic<std::size_t> entfernt{0};
    kern::parallel_fuer(t.z.size(), [&](std::size_t b, std::size_t e) {
        std::size_t n = 0;
        for (std::size_t i = b; i < e; ++i) {
            Kombination& k = t.z[i];
            if (k[0] != 0 && !besteht_Filter(k, schalter, w)) {
                k[0] = 0;
                ++n;
            }
        }
        entfernt += n;
    });
    return entfernt;
}

std::size_t loesche_gezogene(Kombinationstabelle& t, std::span<const Ziehung> ziehungen, int k)
{
    if (ziehungen.empty() || k < 1 || k > 6) return 0;
    const Teilmengen marken(ziehungen, k);
    std::atomic<std::size_t> entfernt{0};
    kern::parallel_fuer(t.z.size(), [&](std::size_t b, std::size_t e) {
        std::size_t n = 0;
        for (std::size_t i = b; i < e; ++i) {
            Kombination& c = t.z[i];
            if (c[0] != 0 && marken.getroffen(c)) {
                c[0] = 0;
                ++n;
            }
        }
        entfernt += n;
    });
    return entfernt;
}

String gefilterte_Datei(const Kombinationstabelle& t) { return kern::verbunden(gefilterte_Stuecke(t)); }

std::vector<String> gefilterte_Stuecke(const Kombinationstabelle& t)
{
    // Present combinations hold numbers 1..49: at most 20 characters a line.
    return kern::parallel_Stuecke(t.z.size(), [&](std::size_t b, std::size_t e, String& s) {
        s.reserve((e - b) * 20);
        kern::Textpuffer aus(s);
        for (std::size_t i = b; i < e; ++i)
            if (t.z[i][0] != 0) aus.weiter(schreibe_gefiltert(aus.frei(20), t.z[i]));
    });
}

Schritt2Ergebnis Schritt2_ausfuehren(const Schritt2Eingaben& e, std::span<const Ziehung> ziehungen,
                                     const String& kombinationsdatei, const String& gefilterteDatei,
                                     const Schritt2Meldungen& m)
{
    auto label = [&](const String& text) {
        if (m.Label1) m.Label1(text);
    };
    auto zurueck = [&](const std::vector<EditKorrektur>& k) {
        if (m.Edit)
            for (const EditKorrektur& x : k) m.Edit(x);
    };
    Schritt2Ergebnis r;
    String bytes;
    try {
        bytes = ReadFileBytes(kombinationsdatei);
    } catch (const Exception&) {
        label("Schritt2: ERROR : Nicht moeglich, Datei zum Lesen zu oeffnen.");
        return r;
    }
    label("Schritt2: Lese Samstags Zahlen (seit 1955) ein");
    label("Schritt2: Filtere die Tabelle");
    std::vector<EditKorrektur> korrekturen;
    const Filterwerte w = lies_Filterwerte(e, &korrekturen);
    zurueck(korrekturen);
    label("Schritt2: Lösche existierende Varianten");
    korrekturen.clear();
    const int k = lies_Trefferzahl(e.Edit5, &korrekturen);
    zurueck(korrekturen);

    Gefiltert g = filtere_Datei(bytes, e, w, ziehungen, k);
    String().swap(bytes);
    r.zeilen = g.zeilen;
    r.ungueltig = g.ungueltig;
    r.durch_Filter = g.durch_Filter;
    r.als_gezogen = g.als_gezogen;

    try {
        AtomicWriteFileNoSync(gefilterteDatei, g.stuecke);  // re-made by every run
    } catch (const Exception& e) {
        label(Fehlerzeile(
            "Schritt2: ERROR : ", "Nicht moeglich, gerade_geloescht_zahlen.cvs zum Schreiben zu oeffnen.",
            e.Message()));
        r.status = Schritt2Status::Ausgabefehler;
        return r;
    }
    r.geschrieben = g.geschrieben;
    label("Schritt2: OK");
    r.status = Schritt2Status::OK;
    return r;
}
