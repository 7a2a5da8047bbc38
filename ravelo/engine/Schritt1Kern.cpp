#include "Schritt1Kern.h"

#include <algorithm>
#include <fstream>

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

EigeneZahlen pruefe_eigene_Zahlen(const std::vector<String>& texte, std::vector<int>& zahlen)
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
        zahlen.push_back(zahl);
    }
    return EigeneZahlen::OK;
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

bool schreibe_Zwillingsstatistik(const CDorovZahlen& z, const std::function<void(int a)>& zeige)
{
    Zwillingshistogramm h;
    try {
        AtomicWriteFile(ProgrammDatei(DATEI_ZWILLINGE_GEGLIEDERT), h.zaehle(z, zeige));
        AtomicWriteFile(ProgrammDatei(DATEI_ZWILLINGE), h.Zaehlerdatei());
        AtomicWriteFile(ProgrammDatei(DATEI_ZWILLINGE_PROZENT), h.Prozentdatei());
    } catch (const Exception&) {
        return false;
    }
    return true;
}

bool schreibe_Pooldatei(const String& datei, const CDorovZahlen& z)
{
    String text;
    for (int i = 1; i <= POOLDATEI_ZEILEN; ++i) {
        kern::haenge_an(text, z.nach_Abstand[i]);
        text += "\n";
    }
    try {
        AtomicWriteFile(datei, text);
    } catch (const Exception&) {
        return false;
    }
    return true;
}

bool schreibe_Kombinationen(const String& datei, const std::vector<int>& pool, std::uint64_t* zeilen)
{
    if (zeilen) *zeilen = 0;
    std::ofstream out = OpenOutput(datei, std::ios::out | std::ios::binary | std::ios::trunc);
    if (!out.is_open()) return false;

    constexpr std::size_t PUFFER = 1 << 16;
    String puffer;
    puffer.reserve(PUFFER + 64);
    std::uint64_t anzahl = 0;
    const int N = static_cast<int>(pool.size());
    Kombination k{};
    int i[6];
    // Positions i[0] < ... < i[5] in lexicographic order.
    for (i[0] = 0; i[0] < N - 5; ++i[0])
        for (i[1] = i[0] + 1; i[1] < N - 4; ++i[1])
            for (i[2] = i[1] + 1; i[2] < N - 3; ++i[2])
                for (i[3] = i[2] + 1; i[3] < N - 2; ++i[3])
                    for (i[4] = i[3] + 1; i[4] < N - 1; ++i[4])
                        for (i[5] = i[4] + 1; i[5] < N; ++i[5]) {
                            for (int s = 0; s < 6; ++s) k[s] = pool[i[s]];
                            kern::haenge_an(puffer, k);
                            puffer += "\n";
                            ++anzahl;
                            if (puffer.size() >= PUFFER) {
                                out.write(puffer.data(), static_cast<std::streamsize>(puffer.size()));
                                puffer.clear();
                            }
                        }
    out.write(puffer.data(), static_cast<std::streamsize>(puffer.size()));
    out.close();
    if (out.fail()) {
        // A cut file would pass for the whole run's combinations.
        DeleteFile(datei);
        return false;
    }
    if (zeilen) *zeilen = anzahl;
    return true;
}

}  // namespace schritt1
