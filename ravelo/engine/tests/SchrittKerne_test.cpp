// The fast cores of steps 2 and 3 against the straightforward version of the steps (Vergleichslauf.h).
// Both must write the same filtered, points, sorted and selected files.
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <map>
#include <random>

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include "CDorovZahlen.h"
#include "Schritt2Kern.h"
#include "Schritt3Kern.h"
#include "Testordner.h"
#include "Vergleichslauf.h"
#include "rtl/Files.h"

namespace {

using namespace woertlich;

// ---- fixtures --------------------------------------------------------------------------

// A missing file reads as empty.
String lies(const String& name) { return FileExists(name) ? ReadFileBytes(name) : String(); }

// Draws with a few pool numbers, now and then many, so every k removes some combinations but not all.
std::vector<Ziehung> Ziehungen_fuer(const std::vector<int>& pool, int anzahl, std::mt19937& rnd)
{
    std::vector<Ziehung> z;
    for (int i = 0; i < anzahl; ++i) {
        std::vector<int> alle(49);
        for (int n = 0; n < 49; ++n) alle[n] = n + 1;
        std::vector<int> aus_pool = pool;
        std::shuffle(aus_pool.begin(), aus_pool.end(), rnd);
        std::shuffle(alle.begin(), alle.end(), rnd);
        Ziehung d{};
        int m = 0;
        const int r = static_cast<int>(rnd() % 100);  // mostly few pool numbers, now and then many
        const int vom_Pool = r < 85 ? r % 3 : r < 97 ? 3 + r % 2 : 5 + r % 3;
        for (int n : aus_pool)
            if (m < vom_Pool) d[m++] = n;
        for (int n : alle)
            if (m < 7 && std::find(pool.begin(), pool.end(), n) == pool.end()) d[m++] = n;
        z.push_back(d);
    }
    return z;
}

struct Lauf {
    int N;
    std::uint32_t seed;
    int ziehungen;
};

void PrintTo(const Lauf& l, std::ostream* os)
{
    *os << "N=" << l.N << " seed=" << l.seed << " draws=" << l.ziehungen;
}

class KernDifferenz : public TestOrdner, public ::testing::WithParamInterface<Lauf> {};

TEST_P(KernDifferenz, SchnellUndEinfachSchreibenDieselbenDateien)
{
    const Lauf lauf = GetParam();
    std::mt19937 rnd(lauf.seed);
    std::vector<int> pool(49);
    for (int n = 0; n < 49; ++n) pool[n] = n + 1;
    std::shuffle(pool.begin(), pool.end(), rnd);
    pool.resize(lauf.N);
    if (lauf.N == 19) pool[7] = pool[3];  // personal numbers may repeat one

    // All combinations of the pool in step 1's order, with a few lines step 2 must pass over.
    String kombis = "Kombinationen\n\n";
    int zeilen = 2;
    std::array<int, 6> i{0, 1, 2, 3, 4, 5};
    const int N = lauf.N;
    for (;;) {
        for (int p = 0; p < 6; ++p) kombis += (p ? "," : "") + std::to_string(pool[i[p]]);
        kombis += "\n";
        ++zeilen;
        int p = 5;
        while (p >= 0 && i[p] == N - 6 + p) --p;
        if (p < 0) break;
        ++i[p];
        for (int q = p + 1; q < 6; ++q) i[q] = i[q - 1] + 1;
        if (zeilen % 997 == 0) kombis += "1,2,3,4,5,77\n", ++zeilen;
    }
    AtomicWriteFile(ordner + "k.cvs", kombis);
    const std::vector<Ziehung> ziehungen = Ziehungen_fuer(pool, lauf.ziehungen, rnd);

    struct Einstellung {
        const char* name;
        std::function<void(Schritt2Eingaben&, Kriterien&)> setze;
    };
    const std::vector<Einstellung> einstellungen = {
        {"alles an",
         [](Schritt2Eingaben& e, Kriterien& k) {
             e.CheckBox5 = e.CheckBox6 = e.CheckBox7 = e.CheckBox8 = e.CheckBox9 = e.CheckBox10 =
                 e.CheckBox11 = e.CheckBox12 = e.CheckBox13 = true;
             e.Edit1 = "6", e.Edit2 = "6", e.Edit3 = "5", e.Edit4 = "6", e.Edit5 = "6", e.Edit6 = "60",
             e.Edit7 = "250";
             k.CheckBox15 = k.CheckBox16 = k.CheckBox17 = k.CheckBox18 = k.CheckBox19 = k.CheckBox20 = true;
         }},
        {"scharf, k=4",
         [](Schritt2Eingaben& e, Kriterien& k) {
             e.CheckBox5 = e.CheckBox8 = e.CheckBox9 = e.CheckBox13 = true;
             e.Edit1 = "5", e.Edit3 = "3", e.Edit4 = "4", e.Edit5 = "4", e.Edit6 = "90", e.Edit7 = "200";
             k.CheckBox17 = k.CheckBox18 = k.CheckBox19 = true;
         }},
        {"nichts, k=3, nur Folgen",
         [](Schritt2Eingaben& e, Kriterien& k) {
             e.Edit5 = "3";
             k.CheckBox15 = true;
         }},
        {"k=5, Werte falsch, Endziffern",
         [](Schritt2Eingaben& e, Kriterien& k) {
             e.CheckBox5 = e.CheckBox6 = e.CheckBox13 = true;
             e.Edit1 = "0", e.Edit2 = "x", e.Edit5 = "5", e.Edit6 = "0", e.Edit7 = "280";
             k.CheckBox16 = k.CheckBox20 = true;
         }},
        {"kein Kriterium",
         [](Schritt2Eingaben& e, Kriterien&) {
             e.CheckBox12 = true;
             e.Edit5 = "6";
         }},
    };
    int n = 0;
    for (const Einstellung& s : einstellungen) {
        SCOPED_TRACE(s.name);
        Schritt2Eingaben e;
        Schritt3Eingaben e3;
        s.setze(e, e3.kriterien);
        anzahl_Kombinationen(N, e.anzahl_Varianten);
        e.anzahl_Varianten +=
            3;  // the file still holds more lines than that: reading stops at the table size
        e3.anzahl_Varianten = e.anzahl_Varianten;
        e3.T = n % 2 ? 1000 : 37;
        e3.Edit1 = "6";
        const String a = ordner + std::to_string(n) + "a/", b = ordner + std::to_string(n) + "b/";
        ASSERT_TRUE(ForceDirectories(a));
        ASSERT_TRUE(ForceDirectories(b));
        ++n;

        Schritt2Ergebnis r2 = Schritt2_ausfuehren(e, ziehungen, ordner + "k.cvs", a + "g.cvs", {});
        ASSERT_EQ(r2.status, Schritt2Status::OK);
        einfach_Schritt2(e, ziehungen, ordner + "k.cvs", b + "g.cvs");
        const String gefiltert = lies(a + "g.cvs");
        ASSERT_EQ(gefiltert, lies(b + "g.cvs"));
        EXPECT_GT(r2.als_gezogen, 0u);

        auto dateien = [](const String& o) {
            return Schritt3Dateien{o + "g.cvs", o + "p.txt", o + "s.txt", o + "a.txt", o + "st.txt"};
        };
        Schritt3Ergebnis r3 = Schritt3_ausfuehren(
            e3, dateien(a), [&] { return ziehungen; }, nullptr);
        ASSERT_EQ(r3.status, Schritt3Status::OK);
        einfach_Schritt3(e3, ziehungen, dateien(b));
        for (const char* datei : {"p.txt", "s.txt", "a.txt", "st.txt"}) {
            SCOPED_TRACE(datei);
            EXPECT_EQ(lies(a + datei), lies(b + datei));
        }
        EXPECT_FALSE(lies(a + "s.txt").empty());
    }
}

INSTANTIATE_TEST_SUITE_P(Pools, KernDifferenz,
                         ::testing::Values(Lauf{18, 1, 300}, Lauf{19, 2, 250}, Lauf{20, 3, 400},
                                           Lauf{21, 4, 200}, Lauf{22, 5, 300}),
                         [](const ::testing::TestParamInfo<Lauf>& i) {
                             return "N" + std::to_string(i.param.N);
                         });

// ---- the whole run on the shipped archive ------------------------------------------------------

class EchterLauf : public TestOrdner {};

const char* const ECHTES_ARCHIV = RAVELO_ARCHIV;

TEST_F(EchterLauf, SchnellUndEinfachSchreibenAufDemAusgeliefertenArchivDieselbenDateien)
{
    // The default settings with the default random source and with the personal numbers 1..21,
    // on every draw of the shipped archive (a tip date after its newest draw).
    AtomicWriteFile(ordner + DATEI_DOROV_ZAHLEN, ReadFileBytes(ECHTES_ARCHIV));
    ASSERT_GT(lade_Ziehungen("12.08.2026").size(), 4700u);
    std::mt19937 zufall(20090812);
    std::vector<int> eigene;
    for (int n = 1; n <= 21; ++n) eigene.push_back(n);
    const std::vector<std::vector<int>> pools = {schritt1::Zufallszahlen(20, zufall), eigene};
    for (const std::vector<int>& pool : pools) {
        SCOPED_TRACE(pool.size());
        const String schluessel = "12-08-2026-aus" + IntToStr(static_cast<int>(pool.size())) + "_Index-1*";
        const String a = ordner + "schnell/", b = ordner + "einfach/";
        ASSERT_TRUE(ForceDirectories(a));
        ASSERT_TRUE(ForceDirectories(b));
        const Laufdateien da(a, schluessel), db(b, schluessel);
        ASSERT_TRUE(schnell_laufen(pool, "12.08.2026", da, schluessel));
        woertlich_laufen(pool, "12.08.2026", db, schluessel);
        const std::vector<String> x = da.Schrittdateien(), y = db.Schrittdateien();
        for (std::size_t i = 0; i < x.size(); ++i) {
            SCOPED_TRACE(ExtractFileName(x[i]));
            EXPECT_EQ(lies(x[i]), lies(y[i]));
        }
        EXPECT_EQ(lies(da.history), lies(db.history));
        if (pool.size() == 20) {  // the default pool keeps combinations to choose tips from
            EXPECT_NE(lies(da.d3.ausgewaehlt).find(" -"), String::npos);
        }
    }
}

// A run killed while it writes any of its files leaves the user's files as they were: the
// archive, the history and the profiles, and every step file of an earlier run whole (the old
// one or none, never a torn one); the next run then goes through.
TEST_F(EchterLauf, RunKilledMidWriteLeavesTheUsersFilesWhole)
{
    const String schluessel = "12-08-2026-aus20_Index-1*";
    AtomicWriteFile(ordner + DATEI_DOROV_ZAHLEN, ReadFileBytes(ECHTES_ARCHIV));
    AtomicWriteFile(ordner + DATEI_HISTORY, "05-08-2026-aus20_Index-1*\n");
    AtomicWriteFile(ordner + "profile.txt", "Musterprofil\n");
    AtomicWriteFile(ordner + "Musterprofil.ini", "[Profil]\nTrackBar1=20\n");
    const Laufdateien d(ordner, schluessel);
    std::vector<int> pool;
    for (int n = 1; n <= 20; ++n) pool.push_back(n);
    // An earlier run's files, which a killed run must not tear.
    ASSERT_TRUE(schnell_laufen(pool, "12.08.2026", d, schluessel));
    std::map<String, String> vorher;
    for (const String& name : d.Schrittdateien()) vorher[name] = ReadFileBytes(name);
    for (const char* name : {DATEI_DOROV_ZAHLEN, DATEI_HISTORY, "profile.txt", "Musterprofil.ini"})
        vorher[ordner + name] = ReadFileBytes(ordner + name);

    // Killed just before each file replaces its old one, with its new bytes written.
    for (const String& ziel :
         {d.pool, d.kombis, d.gefiltert, d.d3.punkte, d.d3.sortiert, d.d3.ausgewaehlt, d.history}) {
        SCOPED_TRACE(ExtractFileName(ziel));
        std::vector<int> anders = pool;
        std::reverse(anders.begin(), anders.end());  // a run whose files differ from the earlier ones
        const pid_t kind = ::fork();
        ASSERT_GE(kind, 0);
        if (kind == 0) {
            SetAtomicWriteHook([ziel](const String& temp) {
                if (temp.rfind(ziel + ".~", 0) == 0) ::raise(SIGKILL);
            });
            schnell_laufen(anders, "12.08.2026", d, schluessel);
            ::_exit(0);  // the kill did not come
        }
        int status = 0;
        ASSERT_EQ(::waitpid(kind, &status, 0), kind);
        ASSERT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL);
        for (const char* name : {DATEI_DOROV_ZAHLEN, DATEI_HISTORY, "profile.txt", "Musterprofil.ini"})
            EXPECT_EQ(ReadFileBytes(ordner + name), vorher[ordner + name]) << name;
        // The file being written and every later one are the earlier run's; earlier ones may be new.
        EXPECT_EQ(ReadFileBytes(ziel), vorher[ziel]);
    }
    // The leftovers of the killed runs do not disturb the next one.
    ASSERT_TRUE(schnell_laufen(pool, "12.08.2026", d, schluessel));
    for (const String& name : d.Schrittdateien())
        if (name != d.d3.statistik) {
            EXPECT_EQ(ReadFileBytes(name), vorher[name]) << name;
        }
}

}  // namespace
