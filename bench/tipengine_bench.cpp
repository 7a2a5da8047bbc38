// Speed of the one-click run: the three tip steps as the program runs them, with every file they
// write and read, on the shipped archive and on a generated one, with the program's default
// settings (every filter and criterion on, the default parameters, 12 tips) and two pools (the
// default random source, and the personal numbers 1..30 of the layout). Every run takes the next
// run key, so its step files are new files, as in the program.
//   EinKlick_schnell      the program's step cores on the threads the program takes (all the
//                         machine's on a quiet machine, fewer on a busy one);
//   EinKlick_schnell_1T   the same on one thread (the algorithmic gain alone);
//   EinKlick_woertlich    the steps written straight from their description (six plain
//                         classifiers, a pass over the table per draw, 5000 list entries counted
//                         per combination, files through streams line by line);
//   Phasen                the fast run for N = 30 cut into its phases, wall and CPU time of each
//                         (the table is printed after the cases);
//   Durchgang2/Durchgang3 the two hot passes alone: removal of drawn combinations and points.
// Each case runs several times; the median is reported. Counters: the case's own rise of the
// resident memory (spitze_MB) and, for the passes, fast and plain milliseconds and their ratio.
// The last line compares the whole run for N = 20 and N = 30 on the shipped archive.
#include <benchmark/benchmark.h>

#include <malloc.h>
#include <stdlib.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <mutex>
#include <random>

#include "CDorovZahlen.h"
#include "PeakMemory.h"
#include "Programmordner.h"
#include "Schritt1Kern.h"
#include "Schritt2Kern.h"
#include "Schritt3Kern.h"
#include "Tippdateien.h"
#include "Vergleichslauf.h"
#include "rtl/Files.h"

namespace {

using namespace woertlich;

constexpr const char* TIPPDATUM = "12.08.2026";  // after the shipped archive's newest draw
constexpr const char* SCHLUESSELDATUM = "12-08-2026";  // the run keys' date

double ms_seit(std::chrono::steady_clock::time_point t0)
{
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - t0).count();
}

// ---- the scratch folders and the archives ---------------------------------------------------

// One folder per process from mkdtemp, removed at the end: two runs never share files.
const String& Arbeitsordner()
{
    static const String ordner = [] {
        char muster[] = "/tmp/tipengine_bench.XXXXXX";
        if (!::mkdtemp(muster)) std::abort();
        return String(muster) + "/";
    }();
    return ordner;
}

struct Aufraeumen {
    ~Aufraeumen()
    {
        std::error_code e;
        std::filesystem::remove_all(Arbeitsordner(), e);
    }
};

enum Archiv { ECHT, ERZEUGT };
enum Pool { ZUFALL, EIGENE };

// A folder the benchmark cannot make ends it: every figure after it would be wrong.
void Ordner(const String& o)
{
    if (ForceDirectories(o)) return;
    std::fprintf(stderr, "%s kann nicht angelegt werden\n", o.c_str());
    std::abort();
}

String Archivordner(Archiv a)
{
    const String o = Arbeitsordner() + (a == ECHT ? "echt/" : "erzeugt/");
    if (!DirectoryExists(o)) {
        Ordner(o);
        if (a == ECHT) {
            AtomicWriteFile(o + DATEI_DOROV_ZAHLEN, ReadFileBytes(RAVELO_ARCHIV));
        } else {
            // As many draws as the shipped archive, at random, with the same line form.
            std::mt19937 rnd(1955);
            std::vector<int> alle(49);
            for (int i = 0; i < 49; ++i) alle[i] = i + 1;
            String text;
            for (int i = 0; i < 4706; ++i) {
                std::shuffle(alle.begin(), alle.end(), rnd);
                char datum[16];
                std::snprintf(datum, sizeof datum, "%02d.%02d.%02d", i % 28 + 1, i / 28 % 12 + 1,
                              i / 104 % 50);  // no skipped year
                text += datum;
                for (int k = 0; k < 7; ++k) text += "," + std::to_string(alle[k]);
                text += "\n";
            }
            AtomicWriteFile(o + DATEI_DOROV_ZAHLEN, text);
        }
    }
    return o;
}

// The pool of step 1: the random source with a fixed seed, or the personal numbers Edit9..Edit38.
std::vector<int> Pool_fuer(Pool p, int N)
{
    std::vector<int> pool;
    if (p == ZUFALL) {
        std::mt19937 zufall(20090812);
        pool = schritt1::Zufallszahlen(N, zufall);
    } else {
        for (int k = 1; k <= 30; ++k) pool.push_back(k);
    }
    pool.resize(static_cast<std::size_t>(N));
    return pool;
}

// ---- samples for the last line --------------------------------------------------------------

std::mutex proben_lock;
std::map<std::string, std::vector<double>> proben;

void merke(const std::string& fall, double ms)
{
    std::lock_guard g(proben_lock);
    proben[fall].push_back(ms);
}

double median(std::vector<double> v)
{
    if (v.empty()) return 0;
    std::sort(v.begin(), v.end());
    return v.size() % 2 ? v[v.size() / 2] : (v[v.size() / 2 - 1] + v[v.size() / 2]) / 2;
}

String lies(const String& name) { return FileExists(name) ? ReadFileBytes(name) : String(); }

std::string Fallname(const char* seite, Archiv a, Pool p, int N)
{
    return std::string(seite) + (a == ECHT ? "/echt" : "/erzeugt") + (p == ZUFALL ? "/zufall" : "/eigene") +
           "/N" + std::to_string(N);
}

// ---- the cases ------------------------------------------------------------------------------

// Every run takes the next run key, as the program's one-click run does, so its step files are
// new files; the files of the run before are removed between the timed runs, all of them at the end.
class Laeufe {
public:
    Laeufe(const String& ordner, int N) : FOrdner(ordner), FN(N) { Ordner(ordner); }
    ~Laeufe()
    {
        if (FDateien) weg(*FDateien);
    }
    // The files of the next run.
    const Laufdateien& naechster(benchmark::State& state)
    {
        if (FDateien) {
            state.PauseTiming();
            loesche_Schrittdateien(*FDateien);
            state.ResumeTiming();
        }
        FSchluessel = Tippschluessel(SCHLUESSELDATUM, FN, ++FIndex);
        FDateien = std::make_unique<Laufdateien>(FOrdner, FSchluessel);
        return *FDateien;
    }
    const String& schluessel() const { return FSchluessel; }
    // The last run's step files against those of the program's whole run with the same key, written
    // beside them; their names and sizes go to groessen when given.
    void vergleiche(benchmark::State& state, const std::vector<int>& pool,
                    std::vector<std::pair<std::string, std::size_t>>* groessen = nullptr) const
    {
        if (!FDateien) return;
        Ordner(FOrdner + "vergleich/");
        const Laufdateien s(FOrdner + "vergleich/", FSchluessel);
        kern::setze_Threadgrenze(0);
        if (!schnell_laufen(pool, TIPPDATUM, s, FSchluessel)) state.SkipWithError("fast run failed");
        const std::vector<String> x = FDateien->Schrittdateien(), y = s.Schrittdateien();
        if (groessen) groessen->clear();
        for (std::size_t i = 0; i + 1 < x.size(); ++i) {  // the statistics file gathers every run
            const String a = lies(x[i]);
            if (a != lies(y[i])) state.SkipWithError(("files differ: " + ExtractFileName(x[i])).c_str());
            if (groessen) groessen->emplace_back(ExtractFileName(x[i]), a.size());
        }
        weg(s);
    }

private:
    // Best effort: every run has a key of its own, so a file that stays only takes space.
    static void loesche_Schrittdateien(const Laufdateien& d)
    {
        const std::vector<String> x = d.Schrittdateien();
        for (std::size_t i = 0; i + 1 < x.size(); ++i) (void)DeleteFile(x[i]);
    }
    static void weg(const Laufdateien& d)
    {
        loesche_Schrittdateien(d);
        (void)DeleteFile(d.history);
        (void)DeleteFile(d.d3.statistik);
    }
    String FOrdner;
    int FN;
    int FIndex = 0;
    String FSchluessel;
    std::unique_ptr<Laufdateien> FDateien;
};

void EinKlick(benchmark::State& state, bool woertlich, std::size_t threads)
{
    const Archiv a = static_cast<Archiv>(state.range(0));
    const Pool p = static_cast<Pool>(state.range(1));
    const int N = static_cast<int>(state.range(2));
    const String o = Archivordner(a);
    setze_ProgrammOrdner(o);
    kern::setze_Threadgrenze(threads);
    const std::string fall = Fallname(woertlich      ? "woertlich"
                                      : threads == 1 ? "schnell1"
                                                     : "schnell",
                                      a, p, N);
    const std::vector<int> pool = Pool_fuer(p, N);
    Laeufe laeufe(o + (woertlich ? "woertlich/" : "schnell/"), N);
    Speicheranstieg speicher;
    for (auto _ : state) {
        const Laufdateien& d = laeufe.naechster(state);
        const auto t0 = std::chrono::steady_clock::now();
        if (woertlich)
            woertlich_laufen(pool, TIPPDATUM, d, laeufe.schluessel());
        else if (!schnell_laufen(pool, TIPPDATUM, d, laeufe.schluessel()))
            state.SkipWithError("a step failed");
        merke(fall, ms_seit(t0));
    }
    state.counters["spitze_MB"] = speicher.MB();
    kern::setze_Threadgrenze(0);
    if (woertlich) laeufe.vergleiche(state, pool);  // both sides write the same bytes
}

void BM_EinKlick_schnell(benchmark::State& state) { EinKlick(state, false, 0); }
void BM_EinKlick_schnell_1T(benchmark::State& state) { EinKlick(state, false, 1); }
void BM_EinKlick_woertlich(benchmark::State& state) { EinKlick(state, true, 0); }

// The table as step 2 has it when the removal starts, and the draws.
struct Durchgang {
    Kombinationstabelle gefiltert;
    std::vector<Ziehung> ziehungen;
};
Durchgang vorbereiten(int N)
{
    setze_ProgrammOrdner(Archivordner(ECHT));
    const Schritt2Eingaben e = Vorgaben2(N);
    const String text = schritt1::Kombinationstext(Pool_fuer(ZUFALL, N));
    Durchgang d{lies_Kombinationen(text, e.anzahl_Varianten), lade_Ziehungen(TIPPDATUM)};
    filtere(d.gefiltert, e, lies_Filterwerte(e, nullptr));
    return d;
}

void Faktoren(benchmark::State& state, std::size_t n, double schnell1, double schnell, double woertlich)
{
    const double i = static_cast<double>(state.iterations());
    state.counters["kombinationen"] = static_cast<double>(n);
    state.counters["schnell_1T_ms"] = schnell1 / i;
    state.counters["schnell_ms"] = schnell / i;
    state.counters["woertlich_ms"] = woertlich / i;
    state.counters["Faktor_1T"] = woertlich / schnell1;
    state.counters["Faktor"] = woertlich / schnell;
}

// Removal of drawn combinations: against one pass over the table per draw with a flag table.
void BM_Durchgang2(benchmark::State& state)
{
    const Durchgang vorher = vorbereiten(static_cast<int>(state.range(0)));
    double s1 = 0, s = 0, w = 0;
    Speicheranstieg speicher;
    for (auto _ : state) {
        Kombinationstabelle a = vorher.gefiltert, b = vorher.gefiltert, c = vorher.gefiltert;
        kern::setze_Threadgrenze(1);
        auto t0 = std::chrono::steady_clock::now();
        loesche_gezogene(a, vorher.ziehungen, 6);
        s1 += ms_seit(t0);
        kern::setze_Threadgrenze(0);
        t0 = std::chrono::steady_clock::now();
        loesche_gezogene(b, vorher.ziehungen, 6);
        s += ms_seit(t0);
        t0 = std::chrono::steady_clock::now();
        for (const Ziehung& z : vorher.ziehungen) {
            bool flag[50] = {};
            for (int n : z) flag[n] = true;
            for (Kombination& k : c.z) {
                if (k[0] == 0) continue;
                int treffer = 0;
                for (int n : k) treffer += flag[n];
                if (treffer >= 6) k[0] = 0;
            }
        }
        w += ms_seit(t0);
        if (a.z != c.z || b.z != c.z) state.SkipWithError("results differ");
    }
    Faktoren(state, vorher.gefiltert.vorhanden(), s1, s, w);
    state.counters["spitze_MB"] = speicher.MB();
}

// Points: against the plain classifiers and a count of all 5000 list entries per combination.
void BM_Durchgang3(benchmark::State& state)
{
    Durchgang d = vorbereiten(static_cast<int>(state.range(0)));
    loesche_gezogene(d.gefiltert, d.ziehungen, 6);
    const std::vector<Kombination> c =
        lies_gefilterte(gefilterte_Datei(d.gefiltert), static_cast<int>(d.gefiltert.z.size()));
    const Kriterien k = Vorgaben3(20).kriterien;
    double s1 = 0, s = 0, w = 0;
    Speicheranstieg speicher;
    for (auto _ : state) {
        kern::setze_Threadgrenze(1);
        auto t0 = std::chrono::steady_clock::now();
        const std::vector<std::uint16_t> a = berechne_Punkte(c, d.ziehungen, k);
        s1 += ms_seit(t0);
        kern::setze_Threadgrenze(0);
        t0 = std::chrono::steady_clock::now();
        const std::vector<std::uint16_t> b = berechne_Punkte(c, d.ziehungen, k);
        s += ms_seit(t0);
        t0 = std::chrono::steady_clock::now();
        std::vector<long long> liste(5000, 0);
        for (std::size_t i = 0; i < d.ziehungen.size() && i < 5000; ++i) {
            const Ziehung& z = d.ziehungen[i];
            liste[i] = signatur({z[0], z[1], z[2], z[3], z[4], z[5]}, k);
        }
        std::vector<std::uint16_t> p(c.size());
        for (std::size_t i = 0; i < c.size(); ++i) {
            const long long sig = signatur({c[i][0], c[i][1], c[i][2], c[i][3], c[i][4], c[i][5]}, k);
            p[i] = static_cast<std::uint16_t>(std::count(liste.begin(), liste.end(), sig));
        }
        w += ms_seit(t0);
        if (a != p || b != p) state.SkipWithError("results differ");
    }
    Faktoren(state, c.size(), s1, s, w);
    state.counters["spitze_MB"] = speicher.MB();
}

// ---- the run phase by phase -------------------------------------------------------------------

// CPU time of every thread of the process, in ms.
double cpu_ms()
{
    timespec t{};
    ::clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) * 1e3 + static_cast<double>(t.tv_nsec) / 1e6;
}

// Wall and CPU time per phase of the runs of one case, in the order the phases ran.
struct Phasenzeiten {
    std::vector<std::string> namen;
    std::map<std::string, std::vector<double>> wand, cpu;
    std::vector<std::pair<std::string, std::size_t>> dateien;  // name and size of the step files
};
std::map<std::string, Phasenzeiten> phasen;  // by case

class Phasenuhr {
public:
    explicit Phasenuhr(Phasenzeiten& z) : FZ(z) { weiter(); }
    // Ends the phase that ran since the last call.
    void operator()(const std::string& name)
    {
        const auto t = std::chrono::steady_clock::now();
        const double c = cpu_ms();
        if (std::find(FZ.namen.begin(), FZ.namen.end(), name) == FZ.namen.end()) FZ.namen.push_back(name);
        FZ.wand[name].push_back(std::chrono::duration<double, std::milli>(t - FT).count());
        FZ.cpu[name].push_back(c - FC);
        weiter();
    }

private:
    void weiter()
    {
        FT = std::chrono::steady_clock::now();
        FC = cpu_ms();
    }
    Phasenzeiten& FZ;
    std::chrono::steady_clock::time_point FT;
    double FC = 0;
};

// The fast run of schnell_laufen cut into its phases: the same calls the step cores make, in their
// order, each phase timed on its own (wall and CPU of all threads). The files are checked against
// those of the whole run, so the pieces stay the run.
void BM_Phasen(benchmark::State& state)
{
    const int N = static_cast<int>(state.range(0));
    const std::size_t threads = static_cast<std::size_t>(state.range(1));
    const String o = Archivordner(ECHT);
    setze_ProgrammOrdner(o);
    const std::vector<int> pool = Pool_fuer(ZUFALL, N);
    Phasenzeiten& zeiten = phasen[threads == 1 ? "1 Thread" : "alle Threads"];
    kern::setze_Threadgrenze(threads);
    Laeufe laeufe(o + "phasen/", N);
    for (auto _ : state) {
        const Laufdateien& d = laeufe.naechster(state);
        const String& schluessel = laeufe.schluessel();
        Phasenuhr uhr(zeiten);
        // Step 1.
        {
            auto z = std::make_unique<CDorovZahlen>();
            z->lade_Zahlen(TIPPDATUM);
            uhr("1 Ziehungen laden");
            schritt1::setze_Pool(*z, pool);
            if (!schritt1::schreibe_Pooldatei(d.pool, *z)) state.SkipWithError("pool file");
            const std::vector<String> text = schritt1::Kombinationsstuecke(schritt1::Pool(*z, N));
            uhr("1 Kombinationen formatieren");
            AtomicWriteFileNoSync(d.kombis, text);
            uhr("1 Kombinationen schreiben");
        }
        // Step 2.
        {
            const Schritt2Eingaben e = Vorgaben2(N);
            const std::vector<Ziehung> ziehungen = lade_Ziehungen(TIPPDATUM);
            uhr("2 Ziehungen laden");
            String bytes = ReadFileBytes(d.kombis);
            uhr("2 Kombinationen lesen");
            std::size_t f = 0, g = 0;
            Kombinationstabelle t = lies_filtere_loesche(bytes, e, lies_Filterwerte(e, nullptr), ziehungen,
                                                         lies_Trefferzahl(e.Edit5, nullptr), f, g);
            String().swap(bytes);
            uhr("2 zerlegen, filtern, loeschen");
            const std::vector<String> text = gefilterte_Stuecke(t);
            uhr("2 formatieren");
            AtomicWriteFileNoSync(d.gefiltert, text);
            uhr("2 schreiben");
        }
        // Step 3.
        {
            const Schritt3Eingaben e = Vorgaben3(N);
            String bytes = ReadFileBytes(d.gefiltert);
            uhr("3 Gefilterte lesen");
            const std::vector<Ziehung> ziehungen = lade_Ziehungen(TIPPDATUM);
            uhr("3 Ziehungen laden");
            const Bewertete b = lies_und_bewerte(bytes, e.anzahl_Varianten, ziehungen, e.kriterien);
            const std::vector<Kombination>& k = b.k;
            const std::vector<std::uint16_t>& punkte = b.punkte;
            uhr("3 zerlegen und Punkte");
            const std::vector<String> pt = Punkte_Stuecke(punkte);
            uhr("3 Punkte formatieren");
            AtomicWriteFileNoSync(d.d3.punkte, pt);
            uhr("3 Punkte schreiben");
            const std::vector<std::uint32_t> r = sortiere_Punkte(punkte);
            uhr("3 sortieren");
            const std::vector<String> st = sortierte_Stuecke(punkte, r);
            uhr("3 Sortierte formatieren");
            AtomicWriteFileNoSync(d.d3.sortiert, st);
            uhr("3 Sortierte schreiben");
            std::vector<Tipp> tipps = waehle_Tipps(k, punkte, r, e.T);
            const Rueckpruefung rueck = pruefe_Tipps(tipps, e.betraege);
            AtomicWriteFileNoSync(d.d3.ausgewaehlt, ausgewaehlte_Datei(tipps));
            AppendToFile(d.d3.statistik, Statistikzeile(rueck) + "\n");
            uhr("3 Tipps und Statistik");
            if (!History_anhaengen(d.history, schluessel)) state.SkipWithError("history");
            uhr("3 History (mit fsync)");
        }
    }
    kern::setze_Threadgrenze(0);
    laeufe.vergleiche(state, pool, &zeiten.dateien);  // the pieces wrote what the whole run writes
}

void Phasentabelle()
{
    for (const auto& [fall, z] : phasen) {
        std::printf("Phasen N=30, ausgeliefertes Archiv, %s (Median in ms):\n", fall.c_str());
        std::printf("  %-32s %8s %8s\n", "Phase", "Wand", "CPU");
        double w = 0, c = 0;
        for (const std::string& n : z.namen) {
            const double mw = median(z.wand.at(n)), mc = median(z.cpu.at(n));
            w += mw;
            c += mc;
            std::printf("  %-32s %8.2f %8.2f\n", n.c_str(), mw, mc);
        }
        std::printf("  %-32s %8.2f %8.2f\n", "Summe", w, c);
        for (const auto& [name, groesse] : z.dateien) std::printf("  %10zu Bytes %s\n", groesse, name.c_str());
    }
}

void Faelle(benchmark::internal::Benchmark* b, bool alle)
{
    for (int a : {ECHT, ERZEUGT})
        for (int p : {ZUFALL, EIGENE})
            for (int N : {20, 30})
                if (alle || (a == ECHT && p == ZUFALL)) b->Args({a, p, N});
}

}  // namespace

BENCHMARK(BM_EinKlick_schnell)
    ->Apply([](auto* b) { Faelle(b, true); }) -> Iterations(3) -> Repetitions(5) -> ReportAggregatesOnly()
        -> Unit(benchmark::kMillisecond) -> UseRealTime();
BENCHMARK(BM_EinKlick_schnell_1T)
    ->Apply([](auto* b) { Faelle(b, false); }) -> Iterations(1) -> Repetitions(5) -> ReportAggregatesOnly()
        -> Unit(benchmark::kMillisecond) -> UseRealTime();
BENCHMARK(BM_EinKlick_woertlich)
    ->Args({ECHT, ZUFALL, 20})
    ->Args({ECHT, EIGENE, 20})
    ->Args({ERZEUGT, ZUFALL, 20})
    ->Iterations(1)
    ->Repetitions(5)
    ->ReportAggregatesOnly()
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK(BM_EinKlick_woertlich)
    ->Args({ECHT, ZUFALL, 30})
    ->Iterations(1)
    ->Repetitions(3)
    ->ReportAggregatesOnly()
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK(BM_Phasen)
    ->Args({30, 1})
    ->Args({30, 0})
    ->Iterations(5)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK(BM_Durchgang2)
    ->Arg(30)
    ->Iterations(1)
    ->Repetitions(3)
    ->ReportAggregatesOnly()
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK(BM_Durchgang3)
    ->Arg(30)
    ->Iterations(1)
    ->Repetitions(3)
    ->ReportAggregatesOnly()
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

int main(int argc, char** argv)
{
    Aufraeumen aufraeumen;
    Speicher_einrichten();  // as the program at its start
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    Phasentabelle();
    std::string zeile = "Ein-Klick-Lauf mit allen Dateien, ausgeliefertes Archiv, Median:";
    for (int N : {20, 30}) {
        const double w = median(proben[Fallname("woertlich", ECHT, ZUFALL, N)]);
        const double s = median(proben[Fallname("schnell", ECHT, ZUFALL, N)]);
        char teil[160];
        std::snprintf(teil, sizeof teil, " N=%d wörtlich %.0f ms, schnell %.1f ms, %.0f-mal%s", N, w, s,
                      s > 0 ? w / s : 0.0, N == 20 ? ";" : "");
        zeile += teil;
    }
    std::printf("%s\n", zeile.c_str());
    return 0;
}
