#pragma once
// Pattern classes of six numbers and the signature step 3 scores by. Every classifier looks at
// the six values as they are (order does not matter) and leaves out any value outside 1..49, so
// a hostile archive line can neither index outside a table nor overflow a sum; the weights keep
// the six criteria in separate decimal digits of the signature.
#include <span>

#include "Kernhilfen.h"

int klasse_Folgen(const int* z);  // runs of consecutive numbers, 0..9
int klasse_Endziffern(const int* z);  // repeated last digits, 0..9
int klasse_Gerade(const int* z);  // count of even numbers, 0..6
int klasse_Zehner(const int* z);  // spread over the decades 1-9, 10-19, ..., 40-49; 1..9
int klasse_Kleine(const int* z);  // 1 + count of numbers 1..24, 1..7
int klasse_Summe(const int* z);  // sum of the six numbers

// The criteria switches of step 3.
struct Kriterien {
    bool CheckBox15 = false;  // runs
    bool CheckBox16 = false;  // last digits
    bool CheckBox17 = false;  // even numbers
    bool CheckBox18 = false;  // decades
    bool CheckBox19 = false;  // low numbers
    bool CheckBox20 = false;  // sum
};

constexpr long long GEWICHT_FOLGEN = 10000000;
constexpr long long GEWICHT_ENDZIFFERN = 1000000;
constexpr long long GEWICHT_GERADE = 100000;
constexpr long long GEWICHT_ZEHNER = 10000;
constexpr long long GEWICHT_KLEINE = 1000;
constexpr long long GEWICHT_SUMME = 1;

// Six values of which one lies outside 1..49 have no signature: they match no draw or combination.
constexpr long long KEINE_SIGNATUR = -1;

// Sum over the ticked criteria of class x weight; 0 when none is ticked; KEINE_SIGNATUR when a
// value lies outside 1..49.
long long Signatur(const int* z, const Kriterien& k);
inline long long Signatur(const Kombination& z, const Kriterien& k) { return Signatur(z.data(), k); }
// The signatures of many combinations: signaturen[i] = Signatur(k[i], kr).
void Signaturen(std::span<const Kombination> k, const Kriterien& kr, long long* signaturen);
