#pragma once
// Computing core of step 1: the pool sources, the pair histogram with its three statistics
// files, the pool file and the combinations file. It touches no control; the pool is the
// numbers-by-gap table of the run's CDorovZahlen, positions 1..N.
#include <cstdint>
#include <functional>
#include <memory>
#include <random>
#include <vector>

#include "CDorovZahlen.h"

namespace schritt1 {

constexpr int POOL_MIN = 18;
constexpr int POOL_MAX = 30;
constexpr int POOLPLAETZE = 49;  // pool positions 1..49 of the table
constexpr int POOLDATEI_ZEILEN = 20;  // the pool file always holds positions 1..20
constexpr int EIGENE_ZAHLEN = 30;  // Edit9..Edit38
constexpr int ZWILLINGSPLAETZE = 149;  // positions 1..149 of the pairs by percentage

// Clears pool positions 1..49, so a source leaves 0 where it supplies nothing.
void leere_Pool(CDorovZahlen& z);
// Pool positions 1..n = zahlen (at most 49 of them); the rest cleared.
void setze_Pool(CDorovZahlen& z, const std::vector<int>& zahlen);
std::vector<int> Pool(const CDorovZahlen& z, int N);  // positions 1..N

// Random source: N distinct numbers 1..49 (random value modulo 50, 0 and repeats skipped),
// ascending.
std::vector<int> Zufallszahlen(int N, std::mt19937& zufall);
// Gap source: numbers by gap, so positions 1..N are ranks 2..N+1, most recently drawn first.
void Pool_nach_Abstand(CDorovZahlen& z);
// Statistics grid source: positions 1..49 = cells of column 0, rows 0..48, as integers.
void Pool_aus_Statistik(CDorovZahlen& z, const std::vector<String>& spalte0);
// Pair source after the pair percentages were loaded and sorted: pairs by percentage from
// position 1 to 149, smaller number first, each number once, at most 49 numbers.
void Pool_aus_Zwillingen(CDorovZahlen& z);

// The personal numbers: all 30 texts non-empty, then each a number 1..49 that no field before it
// holds (checked in order; a tip with a number twice cannot be played). On Doppelt, doppelt
// (when given) is the number entered twice.
enum class EigeneZahlen { OK, Leer, Falsch, Doppelt };
EigeneZahlen pruefe_eigene_Zahlen(const std::vector<String>& texte, std::vector<int>& zahlen,
                                  int* doppelt = nullptr);
// The message of a refused entry.
String Meldung_eigene_Zahlen(EigeneZahlen ergebnis, int doppelt);
// Label k (2..31) shows after the personal numbers were taken: the first 18 always, the rest
// while N is at least k - 1.
bool Label_sichtbar(int label, int N);

// The clipboard question for the first N lines.
String Zwischenablage_Frage(const std::vector<String>& zeilen, int N);
// The first N lines as integers (text that is no number reads as 0).
std::vector<int> Zwischenablage_Zahlen(const std::vector<String>& zeilen, int N);

// Per pair (a < b) 1000 counters: index 0 counts the pair's occurrences, index g (1..999) how
// often it came g draws after its previous occurrence (the first one counts from the oldest
// draw). One heap block for the run.
class Zwillingshistogramm {
public:
    static constexpr int SPALTEN = 1000;
    Zwillingshistogramm();
    float zaehler(int a, int b, int g) const { return FZaehler[index(a, b, g)]; }

    // Walks the loaded draws for every pair in pair order (zeige(a) when a changes) and returns
    // the text of the gegliedert file. Gaps of 1000 or more are listed there but have no counter.
    String zaehle(const CDorovZahlen& z, const std::function<void(int a)>& zeige);
    String Zaehlerdatei() const;  // the counts file
    String Prozentdatei() const;  // the percentage file; a pair never drawn shows 0 throughout

private:
    static std::size_t index(int a, int b, int g)
    {
        return (static_cast<std::size_t>(a) * 50 + b) * SPALTEN + g;
    }
    std::unique_ptr<float[]> FZaehler;
};

// The heading line of the counts and percentage files: "Z0,1,...,999,".
String Statistik_Kopfzeile();
// The share 100 / n x c, rounded half up; 0 when n is 0.
int Prozent(int c, int n);

// Pair source, files: computes the histogram, writes the three statistics files (each
// replaced whole). False when one cannot be written; systemtext then gets the system's text of
// the failure (as for the other writers below).
bool schreibe_Zwillingsstatistik(const CDorovZahlen& z, const std::function<void(int a)>& zeige,
                                 String* systemtext = nullptr);

// The pool file: positions 1..20, one number a line. False when it cannot be written.
bool schreibe_Pooldatei(const String& datei, const CDorovZahlen& z, String* systemtext = nullptr);
// The text of the combinations file: every six of the pool's positions in lexicographic order of
// the positions, numbers joined by ","; zeilen gets the number of lines.
String Kombinationstext(const std::vector<int>& pool, std::uint64_t* zeilen = nullptr);
// The same text in pieces (made in parallel; in order they are the text).
std::vector<String> Kombinationsstuecke(const std::vector<int>& pool, std::uint64_t* zeilen = nullptr);
// The combinations file, replaced whole (one buffer, one rename, no wait for the disk). A failed
// write leaves no file of that name behind it and returns false. zeilen gets the number of lines
// written.
bool schreibe_Kombinationen(const String& datei, const std::vector<int>& pool,
                            std::uint64_t* zeilen = nullptr, String* systemtext = nullptr);

}  // namespace schritt1
