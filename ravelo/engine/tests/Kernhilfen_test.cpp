// The readers of the pipeline lines and the byte count against the plain line-by-line reading.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <atomic>
#include <new>
#include <stdexcept>
#include <climits>
#include <random>

#include "Kernhilfen.h"

namespace {

// The plain reading: every line as the line reader yields it, its numbers taken field by field.
std::vector<Kombination> zeilenweise(std::string_view bytes, std::size_t maxLen)
{
    std::vector<Kombination> k;
    kern::fuer_jede_Zeile(bytes, maxLen, [&](std::string_view zeile) {
        k.push_back(kern::lies_Sechs(zeile));
        return true;
    });
    return k;
}

std::vector<Kombination> in_einem_Zug(std::string_view bytes, std::size_t maxLen)
{
    std::vector<Kombination> k;
    kern::fuer_jede_Kombination(bytes, maxLen, [&](const Kombination& c) {
        k.push_back(c);
        return true;
    });
    return k;
}

}  // namespace

TEST(Kernhilfen, KombinationszeilenWieZeilenweise)
{
    const std::vector<std::string> zeilen = {
        "1,2,3,4,5,6",
        "12,23,34,45,46,49",
        "1,2,3,4,5,6,0",
        "01,02,03,04,05,06",
        "1,2,3,4,5,6,7,8",
        "100,2,3,4,5,6",
        "1,2,3,4,5,600",
        "1,2,3,4,5,6\r",
        " 1,2,3,4,5,6",
        "1, 2,3,4,5,6",
        "1,2,3,4,5",
        "1,2,3,4,5,",
        "1,,3,4,5,6",
        "",
        "Kombinationen",
        "1;2;3;4;5;6",
        "1,2,3,4,5,6,0\r",
        "49,48,47,46,45,44,0",
        "0,1,2,3,4,5",
        "1,2,3,4,5,6 ",
        "99999999999,1,2,3,4,5",
        "12,12,12,12,12,12,12,12,12",
        "1,2,3,4,5,6" + std::string(120, ' ') + "7",
        "1,2,3,4,5," + std::string(94, ' ') + "7",
    };
    std::string alle;
    for (const std::string& z : zeilen) alle += z + "\n";
    // Random lines near the usual form, so the short road and the full one meet in every order.
    std::mt19937 rnd(23);
    const std::string zeichen = "0123456789,,,,, \r\t\nx";
    for (int i = 0; i < 20000; ++i) {
        if (rnd() % 3) {
            for (int p = 0; p < 6; ++p) alle += (p ? "," : "") + std::to_string(rnd() % 60);
            if (rnd() % 2) alle += ",0";
            alle += "\n";
        } else {
            const std::size_t laenge = rnd() % 24;
            for (std::size_t c = 0; c < laenge; ++c) alle += zeichen[rnd() % zeichen.size()];
        }
    }
    for (std::size_t maxLen : {std::size_t{99}, std::size_t{17}, std::size_t{16}, std::size_t{5}}) {
        SCOPED_TRACE(maxLen);
        // Every end of the bytes too: a last line without its line end, cut anywhere.
        for (std::size_t ende :
             {alle.size(), alle.size() - 1, alle.size() - 7, std::size_t{300}, std::size_t{19}}) {
            const std::string_view b(alle.data(), ende);
            EXPECT_EQ(in_einem_Zug(b, maxLen), zeilenweise(b, maxLen)) << "ende " << ende;
        }
    }
}

TEST(Kernhilfen, ZeichenZaehlen)
{
    std::mt19937 rnd(5);
    for (std::size_t n : {0u, 1u, 15u, 16u, 17u, 4079u, 4080u, 4081u, 100000u}) {
        std::string s(n, 'a');
        for (char& c : s) c = rnd() % 5 ? '1' : '\n';
        EXPECT_EQ(kern::zaehle_Zeichen(s, '\n'),
                  static_cast<std::size_t>(std::count(s.begin(), s.end(), '\n')))
            << n;
    }
    EXPECT_EQ(kern::zaehle_Zeichen(std::string(70000, '\n'), '\n'), 70000u);  // a lane fills up
    EXPECT_EQ(kern::zaehle_Zeichen("\xff\xff\n", '\xff'), 2u);
}

TEST(Kernhilfen, ZeilenDerAbschnitte)
{
    // Long enough for several pieces; a last line without line end counts.
    std::string viele;
    for (int i = 0; i < 50000; ++i) viele += "1,2,3,4,5," + std::to_string(i % 50) + "\n";
    const struct {
        std::string text;
        std::size_t zeilen;
    } faelle[] = {{"", 0},           {"\n", 1},     {"a", 1},       {"a\n", 1},          {"a\nb", 2},
                  {"a\r\nb\r\n", 2}, {"\n\n\n", 3}, {viele, 50000}, {viele + "7", 50001}};
    for (const auto& f : faelle) {
        SCOPED_TRACE(f.text.size());
        EXPECT_EQ(kern::Zeilenzahl(kern::Zeilenabschnitte(f.text)), f.zeilen);
    }
}

TEST(Kernhilfen, TextpufferSchreibtAllesInDerReihe)
{
    // Pieces of every size up to the largest, many times past the buffer's end, behind text that
    // was there before.
    std::string erwartet = "vorher;", text = erwartet;
    {
        kern::Textpuffer aus(text);
        for (int i = 0; i < 5000; ++i) {
            const std::size_t n = static_cast<std::size_t>(i * 37) % (kern::Textpuffer::GROESSTES_STUECK + 1);
            const std::string stueck(n, static_cast<char>('a' + i % 26));
            char* p = aus.frei(n);
            std::memcpy(p, stueck.data(), n);
            aus.weiter(p + n);
            erwartet += stueck;
        }
    }
    EXPECT_EQ(text, erwartet);
}

TEST(Kernhilfen, ZahlenSchreiben)
{
    std::vector<long long> werte = {0,   1,   9,    10,   11,     49,        99,        100,
                                    101, 999, 1000, 5000, 65535,  593774,    1000000,   -1,
                                    -9,  -10, -99,  -100, -12345, LLONG_MAX, LLONG_MIN, LLONG_MIN + 1};
    std::mt19937_64 rnd(7);
    for (int i = 0; i < 1000; ++i) werte.push_back(static_cast<long long>(rnd()) >> (rnd() % 64));
    for (long long v : werte) {
        char buf[24];
        EXPECT_EQ(std::string(buf, kern::schreibe_Zahl(buf, v)), std::to_string(v));
        String s = "x";
        kern::haenge_an(s, v);
        EXPECT_EQ(s, "x" + std::to_string(v));
    }
}

// An error in any part reaches the caller once every thread has joined, whichever thread ran the
// part.
TEST(Kernhilfen, FehlerEinesTeilsErreichtDenAufrufer)
{
    kern::setze_Threadgrenze(4);
    for (std::size_t fehlerteil : {std::size_t{0}, std::size_t{5}, std::size_t{999}}) {
        try {
            kern::parallel_jede(1000, [&](std::size_t t) {
                if (t == fehlerteil) throw std::bad_alloc();
            });
            ADD_FAILURE() << "no error for part " << fehlerteil;
        } catch (const std::bad_alloc&) {
        }
    }
    // Every part failing: one error arrives, the program goes on.
    EXPECT_THROW(
        kern::parallel_jede(64, [](std::size_t t) { throw std::runtime_error("Teil " + std::to_string(t)); }),
        std::runtime_error);
    // The loop works again after an error.
    std::atomic<std::size_t> summe{0};
    kern::parallel_jede(100, [&](std::size_t t) { summe += t; });
    EXPECT_EQ(4950u, summe.load());
    kern::setze_Threadgrenze(0);
}
