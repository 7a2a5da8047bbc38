#pragma once
// Plain data and small helpers shared by the computing cores of steps 2 and 3: the draw and
// combination rows, reading the numbers of a pipeline line, fast decimal output and a
// deterministic split of index ranges over worker threads.
#include <array>
#include <cstddef>
#include <functional>
#include <span>
#include <string_view>
#include <vector>

#include "rtl/SysUtils.h"

class CDorovZahlen;

// One past draw: the six numbers in file order, then the extra number.
using Ziehung = std::array<int, 7>;
// One combination: six numbers in the order of its line; a first number 0 marks it removed.
using Kombination = std::array<int, 6>;

// Rows 0..letzte of a loaded draw table.
std::vector<Ziehung> Ziehungen(const CDorovZahlen& zahlen);

namespace kern {

// Leading decimal digits at p (blanks before them skipped); 0 when there are none. Very long
// digit runs saturate instead of overflowing.
int lies_Zahl(const char* p, const char* end);

// The number at the start of the line and the numbers behind its next five ","; a missing
// field reads as 0.
Kombination lies_Sechs(std::string_view zeile);

// Calls f(line) for every line of a file's bytes as the runtime's line reader yields them: LF or
// CR LF stripped, a line longer than maxLen cut to its first maxLen characters. f returns false
// to stop.
template <class F>
void fuer_jede_Zeile(std::string_view bytes, std::size_t maxLen, F&& f)
{
    std::size_t pos = 0;
    while (pos < bytes.size()) {
        std::size_t nl = bytes.find('\n', pos);
        std::size_t ende = nl == std::string_view::npos ? bytes.size() : nl;
        std::string_view zeile = bytes.substr(pos, ende - pos);
        if (!zeile.empty() && zeile.back() == '\r') zeile.remove_suffix(1);
        if (zeile.size() > maxLen) zeile = zeile.substr(0, maxLen);
        pos = nl == std::string_view::npos ? bytes.size() : nl + 1;
        if (!f(zeile)) return;
    }
}

// Sorts a handful of values ascending (insertion sort; the rows here have six or seven).
inline void sortiere_klein(int* a, int n)
{
    for (int i = 1; i < n; ++i) {
        int v = a[i], j = i;
        for (; j > 0 && a[j - 1] > v; --j) a[j] = a[j - 1];
        a[j] = v;
    }
}

// Appends v in decimal.
void haenge_an(String& s, long long v);
// Appends the six numbers joined by ",".
void haenge_an(String& s, const Kombination& k);

// An edit's text as a number; text that is no number reads as 0.
int lies_Parameter(const String& text);

// Runs f(begin, end) over consecutive slices of 0..n on up to the machine's number of threads
// (one thread for small n). Each index belongs to exactly one slice, so results written per
// index do not depend on the number of threads.
void parallel_fuer(std::size_t n, const std::function<void(std::size_t, std::size_t)>& f);

}  // namespace kern
