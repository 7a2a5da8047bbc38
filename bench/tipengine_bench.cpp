// Speed of the three tip steps on a generated archive of 4,700 draws, with every filter and
// criterion on, for pools of 20 and 30 numbers:
//   Schritte/N      the three steps' computation and file writing (step 1 writes all
//                   combinations of the first N numbers of a fixed pool), per step and together;
//   Rechnen/N       the same without the files;
//   Durchgang2/N    removal of drawn combinations: fast against one pass over the table per draw;
//   Durchgang3/N    points: fast against counting all 5000 list entries per combination.
// Counters: milliseconds per part, the factor plain/fast, and the process's peak memory in MB.
#include <benchmark/benchmark.h>

#include <sys/resource.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <random>

#include "Schritt1Kern.h"
#include "Schritt2Kern.h"
#include "Schritt3Kern.h"
#include "rtl/Files.h"

namespace {

constexpr int ZIEHUNGEN = 4700;

double ms_seit(std::chrono::steady_clock::time_point t0)
{
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - t0).count();
}

double spitzen_MB()
{
    rusage r{};
    getrusage(RUSAGE_SELF, &r);
    return static_cast<double>(r.ru_maxrss) / 1024.0;
}

// Milliseconds per iteration of each step and together, and the peak memory.
void schritt_Zaehler(benchmark::State& state, double t1, double t2, double t3)
{
    const double n = static_cast<double>(state.iterations());
    state.counters["schritt1_ms"] = t1 / n;
    state.counters["schritt2_ms"] = t2 / n;
    state.counters["schritt3_ms"] = t3 / n;
    state.counters["gesamt_ms"] = (t1 + t2 + t3) / n;
    state.counters["spitze_MB"] = spitzen_MB();
}

// Fast and plain milliseconds per iteration, their ratio, and the peak memory.
void vergleich_Zaehler(benchmark::State& state, std::size_t kombinationen, double schnell, double woertlich)
{
    const double n = static_cast<double>(state.iterations());
    state.counters["kombinationen"] = static_cast<double>(kombinationen);
    state.counters["schnell_ms"] = schnell / n;
    state.counters["woertlich_ms"] = woertlich / n;
    state.counters["Faktor"] = woertlich / schnell;
    state.counters["spitze_MB"] = spitzen_MB();
}

const std::vector<int>& fester_Pool()
{
    static const std::vector<int> pool = [] {
        std::vector<int> p(49);
        for (int i = 0; i < 49; ++i) p[i] = i + 1;
        std::shuffle(p.begin(), p.end(), std::mt19937(20090812));
        return p;
    }();
    return pool;
}

const std::vector<Ziehung>& Archiv()
{
    static const std::vector<Ziehung> archiv = [] {
        std::mt19937 rnd(1955);
        std::vector<Ziehung> a;
        std::vector<int> alle(49);
        for (int i = 0; i < 49; ++i) alle[i] = i + 1;
        for (int i = 0; i < ZIEHUNGEN; ++i) {
            std::shuffle(alle.begin(), alle.end(), rnd);
            Ziehung z;
            std::copy(alle.begin(), alle.begin() + 7, z.begin());
            a.push_back(z);
        }
        return a;
    }();
    return archiv;
}

// Step 1's combinations file for the first N numbers of the pool, in memory.
String Kombinationsdatei(int N)
{
    const std::vector<int>& pool = fester_Pool();
    String s;
    s.reserve(600000 * 18);
    int i[6] = {0, 1, 2, 3, 4, 5};
    for (;;) {
        Kombination k;
        for (int p = 0; p < 6; ++p) k[p] = pool[i[p]];
        kern::haenge_an(s, k);
        s.push_back('\n');
        int p = 5;
        while (p >= 0 && i[p] == N - 6 + p) --p;
        if (p < 0) break;
        ++i[p];
        for (int q = p + 1; q < 6; ++q) i[q] = i[q - 1] + 1;
    }
    return s;
}

Schritt2Eingaben alle_Filter(int N)
{
    Schritt2Eingaben e;
    anzahl_Kombinationen(N, e.anzahl_Varianten);
    e.CheckBox5 = e.CheckBox6 = e.CheckBox7 = e.CheckBox8 = e.CheckBox9 = e.CheckBox10 = e.CheckBox11 =
        e.CheckBox12 = e.CheckBox13 = true;
    e.Edit1 = "6", e.Edit2 = "6", e.Edit3 = "5", e.Edit4 = "6", e.Edit5 = "6", e.Edit6 = "60",
    e.Edit7 = "250";
    return e;
}

Kriterien alle_Kriterien()
{
    Kriterien k;
    k.CheckBox15 = k.CheckBox16 = k.CheckBox17 = k.CheckBox18 = k.CheckBox19 = k.CheckBox20 = true;
    return k;
}

String Arbeitsordner()
{
    auto o = std::filesystem::temp_directory_path() / "tipengine_bench";
    std::filesystem::create_directories(o);
    return o.string() + "/";
}

void BM_Schritte(benchmark::State& state)
{
    const int N = static_cast<int>(state.range(0));
    const String o = Arbeitsordner();
    const Schritt2Eingaben e2 = alle_Filter(N);
    Schritt3Eingaben e3;
    e3.anzahl_Varianten = e2.anzahl_Varianten;
    e3.T = 1000;
    e3.Edit1 = "6";
    e3.kriterien = alle_Kriterien();
    const Schritt3Dateien d{o + "g.cvs", o + "p.txt", o + "s.txt", o + "a.txt", o + "st.txt"};
    const std::vector<int> pool(fester_Pool().begin(), fester_Pool().begin() + N);
    double t1 = 0, t2 = 0, t3 = 0;
    for (auto _ : state) {
        auto t0 = std::chrono::steady_clock::now();
        if (!schritt1::schreibe_Kombinationen(o + "k.cvs", pool)) state.SkipWithError("step 1 failed");
        t1 += ms_seit(t0);
        t0 = std::chrono::steady_clock::now();
        Schritt2Ergebnis r2 = Schritt2_ausfuehren(e2, Archiv(), o + "k.cvs", o + "g.cvs", {});
        t2 += ms_seit(t0);
        t0 = std::chrono::steady_clock::now();
        Schritt3Ergebnis r3 = Schritt3_ausfuehren(
            e3, d, [] { return Archiv(); }, nullptr);
        t3 += ms_seit(t0);
        if (r2.status != Schritt2Status::OK || r3.status != Schritt3Status::OK)
            state.SkipWithError("step failed");
        benchmark::DoNotOptimize(r3.tipps.data());
    }
    std::filesystem::remove(o + "st.txt");
    schritt_Zaehler(state, t1, t2, t3);
}

void BM_Rechnen(benchmark::State& state)
{
    const int N = static_cast<int>(state.range(0));
    const Schritt2Eingaben e2 = alle_Filter(N);
    const Kriterien k = alle_Kriterien();
    double t1 = 0, t2 = 0, t3 = 0;
    for (auto _ : state) {
        auto t0 = std::chrono::steady_clock::now();
        const String kombis = Kombinationsdatei(N);
        t1 += ms_seit(t0);
        t0 = std::chrono::steady_clock::now();
        Kombinationstabelle t = lies_Kombinationen(kombis, e2.anzahl_Varianten);
        filtere(t, e2, lies_Filterwerte(e2, nullptr));
        loesche_gezogene(t, Archiv(), lies_Trefferzahl(e2.Edit5, nullptr));
        const String gefiltert = gefilterte_Datei(t);
        t2 += ms_seit(t0);
        t0 = std::chrono::steady_clock::now();
        const std::vector<Kombination> c = lies_gefilterte(gefiltert, e2.anzahl_Varianten);
        const std::vector<std::uint16_t> p = berechne_Punkte(c, Archiv(), k);
        const std::vector<std::uint32_t> r = sortiere_Punkte(p);
        const String punkte = Punktedatei(p), sortiert = sortierte_Datei(p, r);
        std::vector<Tipp> tipps = waehle_Tipps(c, p, r, 1000);
        Rueckpruefung rp = pruefe_Tipps(tipps, Gewinnbetraege{});
        const String ausgewaehlt = ausgewaehlte_Datei(tipps);
        t3 += ms_seit(t0);
        benchmark::DoNotOptimize(ausgewaehlt.data());
        benchmark::DoNotOptimize(rp.summe);
    }
    schritt_Zaehler(state, t1, t2, t3);
}

// The table as step 2 has it when the removal starts: read and filtered.
Kombinationstabelle gefilterte_Tabelle(int N)
{
    const Schritt2Eingaben e2 = alle_Filter(N);
    Kombinationstabelle t = lies_Kombinationen(Kombinationsdatei(N), e2.anzahl_Varianten);
    filtere(t, e2, lies_Filterwerte(e2, nullptr));
    return t;
}

// One pass over the present combinations per draw, with a flag table of the draw's numbers.
void woertlich_loeschen(Kombinationstabelle& t, const std::vector<Ziehung>& ziehungen, int k)
{
    bool flag[50] = {};
    for (const Ziehung& z : ziehungen) {
        for (int n : z) flag[n] = true;
        for (Kombination& c : t.z) {
            if (c[0] == 0) continue;
            int treffer = flag[c[0]] + flag[c[1]] + flag[c[2]] + flag[c[3]] + flag[c[4]] + flag[c[5]];
            if (treffer >= k) c[0] = 0;
        }
        for (int n : z) flag[n] = false;
    }
}

void BM_Durchgang2(benchmark::State& state)
{
    const int N = static_cast<int>(state.range(0));
    const Kombinationstabelle vorher = gefilterte_Tabelle(N);
    double schnell = 0, woertlich = 0;
    for (auto _ : state) {
        Kombinationstabelle a = vorher, b = vorher;
        auto t0 = std::chrono::steady_clock::now();
        loesche_gezogene(a, Archiv(), 6);
        schnell += ms_seit(t0);
        t0 = std::chrono::steady_clock::now();
        woertlich_loeschen(b, Archiv(), 6);
        woertlich += ms_seit(t0);
        if (a.z != b.z) state.SkipWithError("results differ");
    }
    vergleich_Zaehler(state, vorher.vorhanden(), schnell, woertlich);
}

void BM_Durchgang3(benchmark::State& state)
{
    const int N = static_cast<int>(state.range(0));
    Kombinationstabelle t = gefilterte_Tabelle(N);
    loesche_gezogene(t, Archiv(), 6);
    const std::vector<Kombination> c = lies_gefilterte(gefilterte_Datei(t), static_cast<int>(t.z.size()));
    const Kriterien k = alle_Kriterien();
    double schnell = 0, woertlich = 0;
    for (auto _ : state) {
        auto t0 = std::chrono::steady_clock::now();
        const std::vector<std::uint16_t> a = berechne_Punkte(c, Archiv(), k);
        schnell += ms_seit(t0);
        t0 = std::chrono::steady_clock::now();
        std::vector<int> liste(KRITERIENLISTE_GROESSE, 0);
        for (std::size_t i = 0; i < Archiv().size(); ++i)
            liste[i] = static_cast<int>(Signatur(Archiv()[i].data(), k));
        std::vector<std::uint16_t> b(c.size());
        for (std::size_t i = 0; i < c.size(); ++i) {
            const int s = static_cast<int>(Signatur(c[i], k));
            b[i] = static_cast<std::uint16_t>(std::count(liste.begin(), liste.end(), s));
        }
        woertlich += ms_seit(t0);
        if (a != b) state.SkipWithError("results differ");
    }
    vergleich_Zaehler(state, c.size(), schnell, woertlich);
}

}  // namespace

BENCHMARK(BM_Schritte)->Arg(20)->Arg(30)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_Rechnen)->Arg(20)->Arg(30)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_Durchgang2)->Arg(20)->Arg(30)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(1);
BENCHMARK(BM_Durchgang3)->Arg(20)->Arg(30)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(1);

BENCHMARK_MAIN();
