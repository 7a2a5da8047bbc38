#include "Kernhilfen.h"

#include <algorithm>
#include <thread>

#include "CDorovZahlen.h"

std::vector<Ziehung> Ziehungen(const CDorovZahlen& zahlen)
{
    std::vector<Ziehung> z;
    for (int r = 0; r <= zahlen.letzte && r < CDorovZahlen::MAX_ZIEHUNGEN; ++r) {
        Ziehung row{};
        for (int c = 0; c < 7; ++c) row[c] = zahlen.zahlen[r][c];
        z.push_back(row);
    }
    return z;
}

namespace kern {

int lies_Zahl(const char* p, const char* end)
{
    while (p < end && (*p == ' ' || *p == '\t')) ++p;
    int v = 0;
    while (p < end && *p >= '0' && *p <= '9') {
        if (v < 100000000) v = v * 10 + (*p - '0');
        ++p;
    }
    return v;
}

Kombination lies_Sechs(std::string_view zeile)
{
    Kombination k{};
    const char* p = zeile.data();
    const char* end = p + zeile.size();
    k[0] = lies_Zahl(p, end);
    for (int i = 1; i < 6; ++i) {
        while (p < end && *p != ',') ++p;
        if (p == end) break;
        ++p;
        k[i] = lies_Zahl(p, end);
    }
    return k;
}

void haenge_an(String& s, long long v)
{
    char buf[24];
    char* e = buf + sizeof buf;
    char* b = e;
    unsigned long long u = v < 0 ? 0ULL - static_cast<unsigned long long>(v) : static_cast<unsigned long long>(v);
    do {
        *--b = static_cast<char>('0' + u % 10);
        u /= 10;
    } while (u);
    if (v < 0) *--b = '-';
    s.append(b, e);
}

void haenge_an(String& s, const Kombination& k)
{
    for (int i = 0; i < 6; ++i) {
        if (i) s.push_back(',');
        haenge_an(s, k[i]);
    }
}

int lies_Parameter(const String& text) { return StrToIntDef(text, 0); }

void parallel_fuer(std::size_t n, const std::function<void(std::size_t, std::size_t)>& f)
{
    constexpr std::size_t MIN_SCHEIBE = 8192;
    std::size_t threads = std::max(1u, std::thread::hardware_concurrency());
    threads = std::min({threads, std::size_t{16}, (n + MIN_SCHEIBE - 1) / MIN_SCHEIBE});
    if (threads <= 1) {
        if (n) f(0, n);
        return;
    }
    std::vector<std::thread> pool;
    pool.reserve(threads - 1);
    const std::size_t scheibe = (n + threads - 1) / threads;
    for (std::size_t t = 1; t < threads; ++t) {
        std::size_t b = t * scheibe, e = std::min(n, b + scheibe);
        if (b < e) pool.emplace_back([&f, b, e] { f(b, e); });
    }
    f(0, std::min(n, scheibe));
    for (auto& t : pool) t.join();
}

}  // namespace kern
