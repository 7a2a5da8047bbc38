#include "Schritt1Kern.h"

#include <cerrno>
#include <algorithm>
#include <cstring>
#include <new>

#include "Kernhilfen.h"
#include "Programmordner.h"
#include "Tippdateien.h"
#include "rtl/Files.h"

namespace schritt1 {

void leere_Pool(CDorovZahlen& z) { std::fill(z.nach_Abstand + 1, z.nach_Abstand + 1 + POOLPLAETZE, 0); }

void setze_Pool(CDorovZahlen& z, const std::vector<int>& zahlen)
{
    leere_Pool(z);
    const std::size_t n = std::min<std::size_t>(zahlen.size(), POOLPLAETZE);
    std::copy(zahlen.begin(), zahlen.begin() + static_cast<std::ptrdiff_t>(n), z.nach_Abstand + 1);
}

std::vector<int> Pool(const CDorovZahlen& z, int N)
{
    N = std::clamp(N, 0, POOLPLAETZE);
    return std::vector<int>(z.nach_Abstand + 1, z.nach_Abstand + 1 + N);
}

std::vector<int> Zufallszahlen(int N, std::mt19937& zufall)
{
    N = std::clamp(N, 0, 49);
    bool gewaehlt[50] = {};
    int anzahl = 0;
    while (anzahl < N) {
        const int r = static_cast<int>(zufall() % 50);
        if (r == 0 || gewaehlt[r]) continue;
        gewaehlt[r] = true;
        ++anzahl;
    }
    std::vector<int> zahlen;
    for (int n = 1; n <= 49; ++n)
        if (gewaehlt[n]) zahlen.push_back(n);
    return zahlen;
}

void Pool_nach_Abstand(CDorovZahlen& z)
{
    z.berechne_Abstaende();
    z.sortiere_Abstaende();
}

void Pool_aus_Statistik(CDorovZahlen& z, const std::vector<String>& spalte0)
{
    std::vector<int> zahlen;
    for (std::size_t i = 0; i < spalte0.size() && i < POOLPLAETZE; ++i)
        zahlen.push_back(kern::lies_Parameter(spalte0[i]));
    setze_Pool(z, zahlen);
}

void Pool_aus_Zwillingen(CDorovZahlen& z)
{
    leere_Pool(z);
    int anzahl = 0;
    for (int i = 1; i <= ZWILLINGSPLAETZE && anzahl < POOLPLAETZE; ++i) {
        const int k = z.zwillinge_nach_Prozent[i];
        for (int zahl : {z.erste_Zahl(k), z.zweite_Zahl(k)}) {
            if (anzahl >= POOLPLAETZE || z.enthaelt_Zahl(zahl)) continue;
            z.nach_Abstand[++anzahl] = zahl;
            z.merke_Zahl(zahl);
        }
    }
}

EigeneZahlen pruefe_eigene_Zahlen(const std::vector<String>& texte, std::vector<int>& zahlen, int* doppelt)
{
    zahlen.clear();
    if (texte.size() < EIGENE_ZAHLEN) return EigeneZahlen::Leer;
    for (int k = 0; k < EIGENE_ZAHLEN; ++k)
        if (texte[k].empty()) return EigeneZahlen::Leer;
    for (int k = 0; k < EIGENE_ZAHLEN; ++k) {
        int zahl = 0;
        try {
            zahl = StrToInt(texte[k]);
        } catch (const EConvertError&) {
            zahl = 0;
        }
        if (zahl < 1 || zahl > 49) {
            zahlen.clear();
            return EigeneZahlen::Falsch;
        }
        if (std::find(zahlen.begin(), zahlen.end(), zahl) != zahlen.end()) {
            zahlen.clear();
            if (doppelt) *doppelt = zahl;
            return EigeneZahlen::Doppelt;
        }
        zahlen.push_back(zahl);
    }
    return EigeneZahlen::OK;
}

String Meldung_eigene_Zahlen(EigeneZahlen ergebnis, int doppelt)
{
    switch (ergebnis) {
    case EigeneZahlen::Leer: return "Mindestens ein Feld ist leer!";
    case EigeneZahlen::Doppelt: return "Die Zahl " + IntToStr(doppelt) + " wurde doppelt eingegeben!";
    case EigeneZahlen::Falsch: return "Falsche Zahl eingegeben!";
    case EigeneZahlen::OK: break;
    }
    return String();
}

bool Label_sichtbar(int label, int N) { return label <= 19 || N >= label - 1; }

String Zwischenablage_Frage(const std::vector<String>& zeilen, int N)
{
    String text = "Möchten Sie die in der Zwischenablage gesammelte Zahlen verwenden? ";
    for (int i = 0; i < N && i < static_cast<int>(zeilen.size()); ++i) text += zeilen[i] + ", ";
    return text;
}

std::vector<int> Zwischenablage_Zahlen(const std::vector<String>& zeilen, int N)
{
    std::vector<int> zahlen;
    for (int i = 0; i < N && i < static_cast<int>(zeilen.size()); ++i)
        zahlen.push_back(kern::lies_Parameter(zeilen[i]));
    return zahlen;
}

Zwillingshistogramm::Zwillingshistogramm() : FZaehler(new float[50 * 50 * SPALTEN]()) {}

String Zwillingshistogramm::zaehle(const CDorovZahlen& z, const std::function<void(int a)>& zeige)
{
    // One bit per number of each draw (its six numbers and the extra number).
    std::vector<std::uint64_t> ziehung(static_cast<std::size_t>(std::max(z.letzte + 1, 0)));
    for (int r = 0; r <= z.letzte; ++r)
        for (int s = 0; s < CDorovZahlen::GEZAEHLTE_SPALTEN; ++s) {
            const int n = z.zahlen[r][s];
            if (n >= 1 && n <= 49) ziehung[r] |= std::uint64_t{1} << n;
        }

    String text;
    for (int a = 1; a <= 48; ++a) {
        if (zeige) zeige(a);
        for (int b = a + 1; b <= 49; ++b) {
            const std::uint64_t paar = (std::uint64_t{1} << a) | (std::uint64_t{1} << b);
            kern::haenge_an(text, a);
            text += "+";
            kern::haenge_an(text, b);
            text += ": ";
            long long g = 0;
            for (std::uint64_t zahlen : ziehung) {
                ++g;
                if ((zahlen & paar) != paar) continue;
                kern::haenge_an(text, g);
                text += ",";
                FZaehler[index(a, b, 0)] += 1;
                if (g < SPALTEN) FZaehler[index(a, b, static_cast<int>(g))] += 1;
                g = 0;
            }
            text += "\n";
        }
    }
    return text;
}

String Statistik_Kopfzeile()
{
    String text = "Z";
    for (int g = 0; g < Zwillingshistogramm::SPALTEN; ++g) {
        kern::haenge_an(text, g);
        text += ",";
    }
    return text + "\n";
}

int Prozent(int c, int n)
{
    if (n <= 0) return 0;
    return static_cast<int>((200LL * c + n) / (2LL * n));
}

// The heading line, then one line a pair: a "+" b "." and wert(a, b, g) followed by "," for
// every gap column.
template <class W>
String Statistikdatei(W wert)
{
    String text = Statistik_Kopfzeile();
    for (int a = 1; a <= 48; ++a)
        for (int b = a + 1; b <= 49; ++b) {
            kern::haenge_an(text, a);
            text += "+";
            kern::haenge_an(text, b);
            text += ".";
            for (int g = 0; g < Zwillingshistogramm::SPALTEN; ++g) {
                kern::haenge_an(text, wert(a, b, g));
                text += ",";
            }
            text += "\n";
        }
    return text;
}

String Zwillingshistogramm::Zaehlerdatei() const
{
    // The counters are whole numbers far below float's exact range.
    return Statistikdatei([this](int a, int b, int g) { return static_cast<long long>(zaehler(a, b, g)); });
}

String Zwillingshistogramm::Prozentdatei() const
{
    return Statistikdatei([this](int a, int b, int g) {
        return Prozent(static_cast<int>(zaehler(a, b, g)), static_cast<int>(zaehler(a, b, 0)));
    });
}

bool schreibe_Zwillingsstatistik(const CDorovZahlen& z, const std::function<void(int a)>& zeige,
                                 String* systemtext)
{
    Zwillingshistogramm h;
    try {
        AtomicWriteFileNoSync(ProgrammDatei(DATEI_ZWILLINGE_GEGLIEDERT), h.zaehle(z, zeige));
        AtomicWriteFileNoSync(ProgrammDatei(DATEI_ZWILLINGE), h.Zaehlerdatei());
        AtomicWriteFileNoSync(ProgrammDatei(DATEI_ZWILLINGE_PROZENT), h.Prozentdatei());
    } catch (const Exception& e) {
        if (systemtext) *systemtext = e.Message();
        return false;
    }
    return true;
}

bool schreibe_Pooldatei(const String& datei, const CDorovZahlen& z, String* systemtext)
{
    String text;
    for (int i = 1; i <= POOLDATEI_ZEILEN; ++i) {
        kern::haenge_an(text, z.nach_Abstand[i]);
        text += "\n";
    }
    try {
        AtomicWriteFileNoSync(datei, text);
    } catch (const Exception& e) {
        if (systemtext) *systemtext = e.Message();
        return false;
    }
    return true;
}

String Kombinationstext(const std::vector<int>& pool, std::uint64_t* zeilen)
{
    return kern::verbunden(Kombinationsstuecke(pool, zeilen));
}

std::vector<String> Kombinationsstuecke(const std::vector<int>& pool, std::uint64_t* zeilen)
{
    // Each pool number's text once; every line is then six copies and five commas.
    const int N = static_cast<int>(pool.size());
    struct Text {
        char z[24];
        unsigned char n;
    };
    std::vector<Text> text(pool.size());
    std::size_t laengste = 1;
    for (std::size_t i = 0; i < pool.size(); ++i) {
        text[i].n = static_cast<unsigned char>(kern::schreibe_Zahl(text[i].z, pool[i]) - text[i].z);
        laengste = std::max<std::size_t>(laengste, text[i].n);
    }
    auto binom = [](int n, int k) {
        std::uint64_t c = 1;
        for (int j = 0; j < k; ++j) c = c * static_cast<std::uint64_t>(std::max(n - j, 0)) / (j + 1);
        return c;
    };
    const std::uint64_t anzahl = binom(N, 6);
    if (zeilen) *zeilen = anzahl;

    // The lines by the positions of their first two numbers, in order; pieces of about equal
    // numbers of lines take consecutive pairs.
    struct Anfang {
        int i0, i1;
        std::uint64_t zeilen_davor;
    };
    std::vector<Anfang> anfaenge;
    std::uint64_t davor = 0;
    for (int i0 = 0; i0 < N - 5; ++i0)
        for (int i1 = i0 + 1; i1 < N - 4; ++i1) {
            anfaenge.push_back({i0, i1, davor});
            davor += binom(N - 1 - i1, 4);
        }
    // A few nanoseconds a line: a thread gets at least 100000 lines.
    const std::size_t teile = anzahl ? kern::anzahl_Scheiben(static_cast<std::size_t>(anzahl), 100000) : 0;
    std::vector<std::size_t> grenze(teile + 1, anfaenge.size());  // first pair of each piece
    for (std::size_t t = 0, a = 0; t < teile; ++t) {
        while (a < anfaenge.size() && anfaenge[a].zeilen_davor < anzahl * t / teile) ++a;
        grenze[t] = a;
    }

    std::vector<String> stuecke(teile);
    kern::parallel_jede(teile, [&](std::size_t t) {
        const std::uint64_t bis =
            grenze[t + 1] < anfaenge.size() ? anfaenge[grenze[t + 1]].zeilen_davor : anzahl;
        const std::uint64_t von = grenze[t] < anfaenge.size() ? anfaenge[grenze[t]].zeilen_davor : anzahl;
        String& s = stuecke[t];
        s.reserve(static_cast<std::size_t>(bis - von) * (6 * laengste + 6));
        kern::Textpuffer aus(s);
        // Positions i0 < ... < i5 in lexicographic order; the first five numbers' text is kept
        // while the last position runs.
        for (std::size_t a = grenze[t]; a < grenze[t + 1]; ++a) {
            const int i0 = anfaenge[a].i0, i1 = anfaenge[a].i1;
            for (int i2 = i1 + 1; i2 < N - 3; ++i2)
                for (int i3 = i2 + 1; i3 < N - 2; ++i3)
                    for (int i4 = i3 + 1; i4 < N - 1; ++i4) {
                        char kopf[5 * 25];
                        char* k = kopf;
                        for (int i : {i0, i1, i2, i3, i4}) {
                            std::memcpy(k, text[i].z, text[i].n);
                            k += text[i].n;
                            *k++ = ',';
                        }
                        const std::size_t kopflaenge = static_cast<std::size_t>(k - kopf);
                        for (int i5 = i4 + 1; i5 < N; ++i5) {
                            char* p = aus.frei(kopflaenge + sizeof(Text::z) + 1);
                            std::memcpy(p, kopf, kopflaenge);
                            p += kopflaenge;
                            std::memcpy(p, text[i5].z, sizeof(Text::z));  // the room is there: n bytes count
                            p += text[i5].n;
                            *p++ = '\n';
                            aus.weiter(p);
                        }
                    }
        }
    });
    return stuecke;
}

bool schreibe_Kombinationen(const String& datei, const std::vector<int>& pool, std::uint64_t* zeilen,
                            String* systemtext)
{
    if (zeilen) *zeilen = 0;
    std::uint64_t anzahl = 0;
    try {
        // Re-made by every run: replaced whole, without waiting for the disk.
        AtomicWriteFileNoSync(datei, Kombinationsstuecke(pool, &anzahl));
    } catch (const Exception& e) {
        if (systemtext) *systemtext = e.Message();
        return false;
    } catch (const std::bad_alloc&) {
        if (systemtext) *systemtext = std::strerror(ENOMEM);
        return false;
    }
    if (zeilen) *zeilen = anzahl;
    return true;
}

}  // namespace schritt1
