#pragma once
// Plain data and small helpers shared by the computing cores of steps 2 and 3: the draw and
// combination rows, reading the numbers of a pipeline line, fast decimal output and a
// deterministic split of index ranges over worker threads.
#include <array>
#include <cstddef>
#include <cstring>
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

// Writes v in decimal at p and returns the end (room for 20 characters needed).
inline char* schreibe_Zahl(char* p, long long v)
{
    if (v >= 0 && v < 10) {
        *p++ = static_cast<char>('0' + v);
        return p;
    }
    if (v >= 10 && v < 100) {
        *p++ = static_cast<char>('0' + v / 10);
        *p++ = static_cast<char>('0' + v % 10);
        return p;
    }
    char buf[24];
    char* e = buf + sizeof buf;
    char* b = e;
    unsigned long long u =
        v < 0 ? 0ULL - static_cast<unsigned long long>(v) : static_cast<unsigned long long>(v);
    do {
        *--b = static_cast<char>('0' + u % 10);
        u /= 10;
    } while (u);
    if (v < 0) *--b = '-';
    while (b < e) *p++ = *b++;
    return p;
}
// Writes the six numbers joined by "," (room for 6 x 21 characters needed).
inline char* schreibe_Sechs(char* p, const Kombination& k)
{
    for (int i = 0; i < 6; ++i) {
        if (i) *p++ = ',';
        p = schreibe_Zahl(p, k[i]);
    }
    return p;
}

// fuer_jede_Zeile and lies_Sechs in one pass: calls f(Kombination) for every line, with the
// numbers taken from the line's first maxLen characters. f returns false to stop.
template <class F>
void fuer_jede_Kombination(std::string_view bytes, std::size_t maxLen, F&& f)
{
    const char* p = bytes.data();
    const char* const ende = p + bytes.size();
    auto zahl = [](const char*& q, const char* grenze) {
        while (q < grenze && (*q == ' ' || *q == '\t')) ++q;
        int v = 0;
        while (q < grenze && static_cast<unsigned>(*q - '0') < 10) {
            if (v < 1000000) v = v * 10 + (*q - '0');
            ++q;
        }
        return v;
    };
    while (p < ende) {
        const char* grenze = static_cast<std::size_t>(ende - p) > maxLen ? p + maxLen : ende;
        Kombination k{};
        const char* q = p;
        k[0] = zahl(q, grenze);
        for (int i = 1; i < 6; ++i) {
            while (q < grenze && *q != ',' && *q != '\n') ++q;
            if (q == grenze || *q == '\n') break;
            ++q;
            k[i] = zahl(q, grenze);
        }
        const void* nl = std::memchr(q, '\n', static_cast<std::size_t>(ende - q));
        p = nl ? static_cast<const char*>(nl) + 1 : ende;
        if (!f(k)) return;
    }
}

// Appends v in decimal.
void haenge_an(String& s, long long v);
// Appends the six numbers joined by ",".
void haenge_an(String& s, const Kombination& k);

// An edit's text as a number; text that is no number reads as 0.
int lies_Parameter(const String& text);

// How many threads work on n items (one for small n, at most the machine's threads and the limit).
std::size_t anzahl_Threads(std::size_t n);
// Limits the threads of every core (0: the machine's); the benchmark measures one thread with it.
void setze_Threadgrenze(std::size_t grenze);
// Runs f(0) .. f(teile - 1), each on its own thread (f(0) on the caller's).
void parallel_jede(std::size_t teile, const std::function<void(std::size_t teil)>& f);

// Runs f(begin, end) over consecutive slices of 0..n, one slice per thread. Each index belongs
// to exactly one slice, so results written per index do not depend on the number of threads.
void parallel_fuer(std::size_t n, const std::function<void(std::size_t, std::size_t)>& f);

// The text of items 0..n-1: f(begin, end, out) appends the text of a slice; the slices are
// formatted in parallel and joined in order.
String parallel_Text(std::size_t n, const std::function<void(std::size_t, std::size_t, String&)>& f);

// Consecutive pieces of a file's bytes that end at line ends, with the number of the first
// line of each piece, so the lines can be read in parallel and still be numbered.
struct Zeilenabschnitt {
    std::string_view text;
    std::size_t erste_Zeile = 0;
};
std::vector<Zeilenabschnitt> Zeilenabschnitte(std::string_view bytes);

}  // namespace kern
