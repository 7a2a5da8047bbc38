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

// "00" to "99": the two digits of every number below 100.
inline constexpr char ZIFFERNPAARE[] =
    "0001020304050607080910111213141516171819202122232425262728293031323334353637383940414243444546474849"
    "5051525354555657585960616263646566676869707172737475767778798081828384858687888990919293949596979899";

// Writes v in decimal at p and returns the end (room for 20 characters needed). Numbers below
// 100 take no branch on their length: two bytes are written, one or two of them count.
inline char* schreibe_Zahl(char* p, long long v)
{
    if (v >= 0 && v < 100) {
        const unsigned zwei = v >= 10;
        std::memcpy(p, ZIFFERNPAARE + 2 * v + 1 - zwei, 2);
        return p + 1 + zwei;
    }
    char buf[24];
    char* e = buf + sizeof buf;
    char* b = e;
    unsigned long long u =
        v < 0 ? 0ULL - static_cast<unsigned long long>(v) : static_cast<unsigned long long>(v);
    while (u >= 100) {
        b -= 2;
        std::memcpy(b, ZIFFERNPAARE + 2 * (u % 100), 2);
        u /= 100;
    }
    if (u >= 10) {
        b -= 2;
        std::memcpy(b, ZIFFERNPAARE + 2 * u, 2);
    } else {
        *--b = static_cast<char>('0' + u);
    }
    if (v < 0) *--b = '-';
    std::memcpy(p, b, static_cast<std::size_t>(e - b));
    return p + (e - b);
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

// The usual line of the combination files: six numbers of one or two digits joined by ",", then
// the line end or "," and the rest of the line. Read from 32 bytes at once: the separators'
// positions come from byte compares, so no digit waits for the one before it. Needs 40 readable
// bytes at p. On success k holds the numbers and p points behind the line end (or at the end of
// the bytes); otherwise p is left as it was and the line needs the full reading.
#if defined(__SSE2__)
[[gnu::always_inline]] inline bool lies_Sechs_kurz(const char*& p, const char* ende, Kombination& k)
{
    using Bytes = char __attribute__((vector_size(16)));
    Bytes a, b;
    std::memcpy(&a, p, 16);
    std::memcpy(&b, p + 16, 16);
    auto maske = [](Bytes x, Bytes y) {
        return static_cast<unsigned>(__builtin_ia32_pmovmskb128(x)) |
               static_cast<unsigned>(__builtin_ia32_pmovmskb128(y)) << 16;
    };
    const Bytes komma = Bytes{} + ',', zeilenende = Bytes{} + '\n', null = Bytes{} + '0',
                neun = Bytes{} + '9';
    const unsigned kommas = maske(a == komma, b == komma);
    const unsigned enden = maske(a == zeilenende, b == zeilenende);
    const unsigned ziffern = maske((a >= null) & (a <= neun), (b >= null) & (b <= neun));
    // The ends of the six numbers: the first six separators.
    unsigned t = kommas | enden;
    if (__builtin_popcount(t) < 6) return false;  // fewer than six; ctz of 0 is undefined
    auto naechstes = [&t] {
        const unsigned i = static_cast<unsigned>(__builtin_ctz(t));
        t &= t - 1;
        return i;
    };
    const unsigned s0 = naechstes(), s1 = naechstes(), s2 = naechstes(), s3 = naechstes(), s4 = naechstes();
    const unsigned s5 = naechstes();
    // Before the sixth end only digits and ",", each number one or two digits long.
    const bool gut = (~(ziffern | kommas) & ((1u << s5) - 1)) == 0 && s0 - 1 < 2 && s1 - s0 - 2 < 2 &&
                     s2 - s1 - 2 < 2 && s3 - s2 - 2 < 2 && s4 - s3 - 2 < 2 && s5 - s4 - 2 < 2;
    if (!gut) return false;
    auto ziffer = [p](unsigned i) { return static_cast<int>(p[i] - '0'); };
    auto zahl = [&](unsigned vorher, unsigned e) {
        return ziffer(e - 1) + (e - vorher == 3) * 10 * ziffer(e - 2);
    };
    k[0] = s0 == 2 ? ziffer(0) * 10 + ziffer(1) : ziffer(0);
    k[1] = zahl(s0, s1);
    k[2] = zahl(s1, s2);
    k[3] = zahl(s2, s3);
    k[4] = zahl(s3, s4);
    k[5] = zahl(s4, s5);
    // No line end lies before the sixth end: the first one ends the line.
    if (enden) {
        p += __builtin_ctz(enden) + 1;
    } else {
        const void* nl = std::memchr(p + 32, '\n', static_cast<std::size_t>(ende - p - 32));
        p = nl ? static_cast<const char*>(nl) + 1 : ende;
    }
    return true;
}
#else
inline bool lies_Sechs_kurz(const char*&, const char*, Kombination&) { return false; }
#endif

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
        // The short road reads at most 17 characters of the line before its line end.
        if (maxLen >= 17 && ende - p >= 40) {
            Kombination kurz;  // its own, so that it can live in registers
            if (lies_Sechs_kurz(p, ende, kurz)) {
                if (!f(kurz)) return;
                continue;
            }
        }
        Kombination k{};
        const char* grenze = static_cast<std::size_t>(ende - p) > maxLen ? p + maxLen : ende;
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

// Appends to a String through a small buffer: a text whose greatest size is known goes into room
// reserved for it without that room being cleared first, and only what is written is touched.
class Textpuffer {
public:
    static constexpr std::size_t GROESSTES_STUECK = 256;  // most characters one frei() gives
    explicit Textpuffer(String& ziel) : FZiel(ziel) {}
    ~Textpuffer() { leeren(); }
    Textpuffer(const Textpuffer&) = delete;
    Textpuffer& operator=(const Textpuffer&) = delete;
    // Room for n (at most GROESSTES_STUECK) characters; weiter takes what was written up to p.
    char* frei(std::size_t n)
    {
        if (n > static_cast<std::size_t>(std::end(FPuffer) - FP)) leeren();
        return FP;
    }
    void weiter(char* p) { FP = p; }
    void leeren()
    {
        FZiel.append(FPuffer, FP);
        FP = FPuffer;
    }

private:
    String& FZiel;
    char FPuffer[8192];
    char* FP = FPuffer;
};

// How many bytes of s are c.
std::size_t zaehle_Zeichen(std::string_view s, char c);

// Appends v in decimal.
void haenge_an(String& s, long long v);
// Appends the six numbers joined by ",".
void haenge_an(String& s, const Kombination& k);

// An edit's text as a number; text that is no number reads as 0.
int lies_Parameter(const String& text);

// Items a thread gets at least: below that, starting a thread costs more than it saves.
constexpr std::size_t MIN_JE_THREAD = 8192;
// How many threads work on n items (one for small n, at most the machine's threads and the limit).
std::size_t anzahl_Threads(std::size_t n, std::size_t min_je_Thread = MIN_JE_THREAD);
// How many slices n items are cut into: one per thread when one thread works, else a few per
// thread, so a thread the busy machine holds back delays a small slice only.
std::size_t anzahl_Scheiben(std::size_t n, std::size_t min_je_Thread = MIN_JE_THREAD);
// Limits the threads of every core (0: the machine's); the benchmark measures one thread with it.
void setze_Threadgrenze(std::size_t grenze);
// Runs f(0) .. f(teile - 1) on up to as many threads as the machine and the limit allow (the
// caller's thread one of them); each thread takes the next part when it is done with one.
void parallel_jede(std::size_t teile, const std::function<void(std::size_t teil)>& f);

// Runs f(begin, end) over consecutive slices of 0..n in parallel. Each index belongs to exactly
// one slice, so results written per index do not depend on the number of threads.
void parallel_fuer(std::size_t n, const std::function<void(std::size_t, std::size_t)>& f);

// The text of items 0..n-1 in pieces: f(begin, end, out) appends the text of a slice; the
// slices are formatted in parallel. The pieces in order are the text.
std::vector<String> parallel_Stuecke(std::size_t n,
                                     const std::function<void(std::size_t, std::size_t, String&)>& f,
                                     std::size_t min_je_Thread = MIN_JE_THREAD);
// The pieces joined.
String verbunden(const std::vector<String>& stuecke);

// Consecutive pieces of a file's bytes that end at line ends, with the number of the first
// line of each piece, so the lines can be read in parallel and still be numbered.
struct Zeilenabschnitt {
    std::string_view text;
    std::size_t erste_Zeile = 0;
};
std::vector<Zeilenabschnitt> Zeilenabschnitte(std::string_view bytes);
// The number of lines in the pieces (a last line without line end counts).
std::size_t Zeilenzahl(const std::vector<Zeilenabschnitt>& abschnitte);

}  // namespace kern
