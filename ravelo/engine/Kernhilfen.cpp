#include "Kernhilfen.h"

#include <stdlib.h>

#include <algorithm>
#include <atomic>
#include <exception>
#include <mutex>
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
        if (v < 1000000) v = v * 10 + (*p - '0');
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

std::size_t zaehle_Zeichen(std::string_view s, char c)
{
    // Sixteen bytes at a time in byte lanes, emptied before a lane can overflow.
    using Bytes = unsigned char __attribute__((vector_size(16)));
    const char* p = s.data();
    const char* const ende = p + s.size();
    const unsigned char gesucht = static_cast<unsigned char>(c);
    std::size_t n = 0;
    while (ende - p >= 16) {
        Bytes summe = {};
        for (int runde = 0; runde < 255 && ende - p >= 16; ++runde, p += 16) {
            Bytes v;
            std::memcpy(&v, p, sizeof v);
            summe -= reinterpret_cast<Bytes>(v == gesucht);  // a hit lane is all ones: -1
        }
        for (int i = 0; i < 16; ++i) n += summe[i];
    }
    for (; p < ende; ++p) n += *p == c;
    return n;
}

void haenge_an(String& s, long long v)
{
    char buf[24];
    s.append(buf, schreibe_Zahl(buf, v));
}

void haenge_an(String& s, const Kombination& k)
{
    char buf[6 * 21];
    s.append(buf, schreibe_Sechs(buf, k));
}

int lies_Parameter(const String& text) { return StrToIntDef(text, 0); }

namespace {
std::atomic<std::size_t> threadgrenze{0};
}

void setze_Threadgrenze(std::size_t grenze) { threadgrenze = grenze; }

namespace {
constexpr std::size_t SCHEIBEN_JE_THREAD = 8;

std::size_t maschine()
{
    std::size_t m = std::min<std::size_t>(std::max(1u, std::thread::hardware_concurrency()), 16);
    // On a busy machine a thread beyond its idle cores waits for a core, and the pass waits for
    // it at its end: as many threads as cores are idle (by the last minute's load), at least two.
    double last = 0;
    if (m > 2 && ::getloadavg(&last, 1) == 1 && last > 0)
        m = static_cast<std::size_t>(std::clamp(static_cast<double>(m) - last, 2.0, static_cast<double>(m)));
    if (const std::size_t g = threadgrenze.load()) m = std::min(m, g);
    return m;
}
}  // namespace

std::size_t anzahl_Threads(std::size_t n, std::size_t min_je_Thread)
{
    return std::max<std::size_t>(1, std::min(maschine(), n / std::max<std::size_t>(min_je_Thread, 1)));
}

std::size_t anzahl_Scheiben(std::size_t n, std::size_t min_je_Thread)
{
    const std::size_t t = anzahl_Threads(n, min_je_Thread);
    return t == 1 ? 1 : std::min(t * SCHEIBEN_JE_THREAD, n);
}

void parallel_jede(std::size_t teile, const std::function<void(std::size_t)>& f)
{
    if (teile == 0) return;
    std::atomic<std::size_t> naechster{0};
    // The first error of any part ends the handing out of parts; it reaches the caller once
    // every thread has joined (a joinable thread left behind would end the program).
    std::mutex fehler_lock;
    std::exception_ptr fehler;
    auto arbeite = [&] {
        try {
            for (std::size_t t; (t = naechster.fetch_add(1)) < teile;) f(t);
        } catch (...) {
            naechster = teile;
            std::lock_guard g(fehler_lock);
            if (!fehler) fehler = std::current_exception();
        }
    };
    const std::size_t threads = std::min(teile, maschine());
    std::vector<std::thread> pool;
    try {
        pool.reserve(threads - 1);
        for (std::size_t t = 1; t < threads; ++t) pool.emplace_back(arbeite);
    } catch (const std::exception&) {
        // No further thread to be had: the threads there are and this one do the parts.
    }
    arbeite();
    for (auto& t : pool) t.join();
    if (fehler) std::rethrow_exception(fehler);
}

namespace {
std::pair<std::size_t, std::size_t> scheibe(std::size_t n, std::size_t teile, std::size_t t)
{
    const std::size_t groesse = (n + teile - 1) / teile;
    return {std::min(n, t * groesse), std::min(n, (t + 1) * groesse)};
}
}  // namespace

void parallel_fuer(std::size_t n, const std::function<void(std::size_t, std::size_t)>& f)
{
    if (n == 0) return;
    const std::size_t teile = anzahl_Scheiben(n);
    parallel_jede(teile, [&](std::size_t t) {
        auto [b, e] = scheibe(n, teile, t);
        if (b < e) f(b, e);
    });
}

std::vector<String> parallel_Stuecke(std::size_t n,
                                     const std::function<void(std::size_t, std::size_t, String&)>& f,
                                     std::size_t min_je_Thread)
{
    const std::size_t teile = n ? anzahl_Scheiben(n, min_je_Thread) : 0;
    std::vector<String> stuecke(teile);
    parallel_jede(teile, [&](std::size_t t) {
        auto [b, e] = scheibe(n, teile, t);
        if (b < e) f(b, e, stuecke[t]);
    });
    return stuecke;
}

String verbunden(const std::vector<String>& stuecke)
{
    std::size_t gesamt = 0;
    for (const String& s : stuecke) gesamt += s.size();
    String s;
    s.reserve(gesamt);
    for (const String& x : stuecke) s += x;
    return s;
}

std::vector<Zeilenabschnitt> Zeilenabschnitte(std::string_view bytes)
{
    // About 20 bytes a line: as many pieces as slices of that many lines.
    const std::size_t teile = anzahl_Scheiben(bytes.size() / 20);
    std::vector<Zeilenabschnitt> a;
    std::size_t anfang = 0;
    for (std::size_t t = 1; t <= teile && anfang < bytes.size(); ++t) {
        std::size_t ende = t == teile ? bytes.size() : std::max(anfang, bytes.size() * t / teile);
        if (ende < bytes.size()) {
            std::size_t nl = bytes.find('\n', ende);
            ende = nl == std::string_view::npos ? bytes.size() : nl + 1;
        }
        a.push_back({bytes.substr(anfang, ende - anfang), 0});
        anfang = ende;
    }
    // Counted on this thread: a fraction of a millisecond per 10 MB, and no wait for other threads.
    for (std::size_t t = 1; t < a.size(); ++t)
        a[t].erste_Zeile = a[t - 1].erste_Zeile + zaehle_Zeichen(a[t - 1].text, '\n');
    return a;
}

std::size_t Zeilenzahl(const std::vector<Zeilenabschnitt>& abschnitte)
{
    if (abschnitte.empty()) return 0;
    const std::string_view letzter = abschnitte.back().text;
    return abschnitte.back().erste_Zeile + zaehle_Zeichen(letzter, '\n') +
           (!letzter.empty() && letzter.back() != '\n');
}

}  // namespace kern
