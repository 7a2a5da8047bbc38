// Speed of the one-click run on the shipped archive, with the program's default settings (every
// filter and criterion on, the default parameters, 12 tips) and the personal numbers 1..30 of the
// layout as pool (a source without a wait of its own). Every run takes the next run key, so its
// step files are new files, as in the program.
//   Phasen                the step cores of the fast run for N = 30 called one by one in this process,
//                         each phase timed on its own (wall and CPU time of all threads); the first of
//                         the five runs is cold, the median is warm (the table is printed after the
//                         cases);
//   Durchgang2/Durchgang3 the two hot passes alone, fast and plain in turn in one loop: removal of
//                         drawn combinations and points (counters: their milliseconds and ratio).
// The closing line: the real one-click driver (Thread_Sarnik with its three step threads, the
// driver's polls and the steps' pauses) in a new process each time, against the steps written
// straight from their description (six plain classifiers, a pass over the table per draw, 5000
// list entries counted per combination, files through streams line by line), one process each, the
// two in turn in one loop. Per N: the wall time of the driver's run, the waits the driver and the
// steps make as they must (the poll's sleep after step 1 has ended, step 3's pause), the work (wall
// minus those waits) of the first run in a process (cold) and of the later ones (warm), the plain
// run's time and the ratios, and the peak resident memory of a process. Every file of every run is
// compared with the plain run's; a difference ends the benchmark with an error and no closing line.
#include <benchmark/benchmark.h>

#include <malloc.h>
#include <stdlib.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <map>
#include <mutex>
#include <random>
#include <thread>

#include "CDorovZahlen.h"
#include "PeakMemory.h"
#include "Programmordner.h"
#include "Schritt1Fenster.h"
#include "Schritt1Kern.h"
#include "Schritt2Kern.h"
#include "Schritt3Kern.h"
#include "Schrittfenster.h"
#include "Thread_Sarnik.h"
#include "Tippdateien.h"
#include "Vergleichslauf.h"
#include "rtl/Clock.h"
#include "rtl/Files.h"

namespace {

using namespace woertlich;
using Uhr = std::chrono::steady_clock;

constexpr const char* TIPPDATUM = "12.08.2026";  // after the shipped archive's newest draw
constexpr const char* SCHLUESSELDATUM = "12-08-2026";  // the run keys' date

double ms(Uhr::duration d) { return std::chrono::duration<double, std::milli>(d).count(); }
double ms_seit(Uhr::time_point t0) { return ms(Uhr::now() - t0); }

// Set by every case or comparison that found a result differing from the plain one: the closing
// line is then not printed.
bool abweichung = false;

void Abweichung(benchmark::State& state, const std::string& was)
{
    abweichung = true;
    state.SkipWithError(was.c_str());
}

// ---- the scratch folders and the archive ----------------------------------------------------

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

// A folder the benchmark cannot make ends it: every figure after it would be wrong.
void Ordner(const String& o)
{
    if (ForceDirectories(o)) return;
    std::fprintf(stderr, "%s kann nicht angelegt werden\n", o.c_str());
    std::abort();
}

// A program folder holding the shipped archive.
String Programmordner_mit_Archiv(const String& o)
{
    Ordner(o);
    AtomicWriteFile(o + DATEI_DOROV_ZAHLEN, ReadFileBytes(RAVELO_ARCHIV));
    return o;
}

String Archivordner()
{
    static const String o = Programmordner_mit_Archiv(Arbeitsordner() + "echt/");
    return o;
}

// The personal numbers Edit9..Edit38 of the layout: 1..30, the first N of them.
std::vector<int> Pool_fuer(int N)
{
    std::vector<int> pool;
    for (int k = 1; k <= N; ++k) pool.push_back(k);
    return pool;
}

double median(std::vector<double> v)
{
    if (v.empty()) return 0;
    std::sort(v.begin(), v.end());
    return v.size() % 2 ? v[v.size() / 2] : (v[v.size() / 2 - 1] + v[v.size() / 2]) / 2;
}

String lies(const String& name) { return FileExists(name) ? ReadFileBytes(name) : String(); }

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
    // The last run's step files against those of the plain run with the same key, written beside
    // them; their names and sizes go to groessen.
    void vergleiche(benchmark::State& state, const std::vector<int>& pool,
                    std::vector<std::pair<std::string, std::size_t>>& groessen) const
    {
        if (!FDateien) return;
        Ordner(FOrdner + "vergleich/");
        const Laufdateien s(FOrdner + "vergleich/", FSchluessel);
        woertlich_laufen(pool, TIPPDATUM, s, FSchluessel);
        const std::vector<String> x = FDateien->Schrittdateien(), y = s.Schrittdateien();
        groessen.clear();
        for (std::size_t i = 0; i + 1 < x.size(); ++i) {  // the statistics file gathers every run
            const String a = lies(x[i]);
            if (a != lies(y[i])) Abweichung(state, "files differ: " + ExtractFileName(x[i]));
            groessen.emplace_back(ExtractFileName(x[i]), a.size());
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

// The table as step 2 has it when the removal starts, and the draws.
struct Durchgang {
    Kombinationstabelle gefiltert;
    std::vector<Ziehung> ziehungen;
};
Durchgang vorbereiten(int N)
{
    setze_ProgrammOrdner(Archivordner());
    const Schritt2Eingaben e = Vorgaben2(N);
    const String text = schritt1::Kombinationstext(Pool_fuer(N));
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
        auto t0 = Uhr::now();
        loesche_gezogene(a, vorher.ziehungen, 6);
        s1 += ms_seit(t0);
        kern::setze_Threadgrenze(0);
        t0 = Uhr::now();
        loesche_gezogene(b, vorher.ziehungen, 6);
        s += ms_seit(t0);
        t0 = Uhr::now();
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
        if (a.z != c.z || b.z != c.z) Abweichung(state, "results differ");
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
        auto t0 = Uhr::now();
        const std::vector<std::uint16_t> a = berechne_Punkte(c, d.ziehungen, k);
        s1 += ms_seit(t0);
        kern::setze_Threadgrenze(0);
        t0 = Uhr::now();
        const std::vector<std::uint16_t> b = berechne_Punkte(c, d.ziehungen, k);
        s += ms_seit(t0);
        t0 = Uhr::now();
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
        if (a != p || b != p) Abweichung(state, "results differ");
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
        const auto t = Uhr::now();
        const double c = cpu_ms();
        if (std::find(FZ.namen.begin(), FZ.namen.end(), name) == FZ.namen.end()) FZ.namen.push_back(name);
        FZ.wand[name].push_back(ms(t - FT));
        FZ.cpu[name].push_back(c - FC);
        weiter();
    }

private:
    void weiter()
    {
        FT = Uhr::now();
        FC = cpu_ms();
    }
    Phasenzeiten& FZ;
    Uhr::time_point FT;
    double FC = 0;
};

// The fast run cut into its phases: the same calls the step cores make, in their order, each
// phase timed on its own (wall and CPU of all threads). The files are checked against those of
// the plain run, so the pieces stay the run.
void BM_Phasen(benchmark::State& state)
{
    const int N = static_cast<int>(state.range(0));
    const std::size_t threads = static_cast<std::size_t>(state.range(1));
    const String o = Archivordner();
    setze_ProgrammOrdner(o);
    const std::vector<int> pool = Pool_fuer(N);
    Phasenzeiten& zeiten = phasen[threads == 1 ? "1 Thread" : "so viele Threads wie der Lauf nimmt"];
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
            if (!schritt1::schreibe_Pooldatei(d.pool, *z)) Abweichung(state, "pool file");
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
            const Gefiltert g = filtere_Datei(bytes, e, lies_Filterwerte(e, nullptr), ziehungen,
                                              lies_Trefferzahl(e.Edit5, nullptr));
            String().swap(bytes);
            uhr("2 zerlegen, filtern, loeschen, formatieren");
            AtomicWriteFileNoSync(d.gefiltert, g.stuecke);
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
            if (!History_anhaengen(d.history, schluessel)) Abweichung(state, "history");
            uhr("3 History (mit fsync)");
        }
    }
    kern::setze_Threadgrenze(0);
    laeufe.vergleiche(state, pool, zeiten.dateien);  // the pieces wrote what the plain run writes
}

void Phasentabelle()
{
    for (const auto& [fall, z] : phasen) {
        std::printf("Phasen der Schrittkerne N=30, eigene Zahlen 1..30, ausgeliefertes Archiv, %s, in diesem "
                    "Prozess nacheinander aufgerufen (Median von %zu Läufen, der erste kalt; ms):\n",
                    fall.c_str(), z.namen.empty() ? std::size_t{0} : z.wand.at(z.namen[0]).size());
        std::printf("  %-32s %8s %8s\n", "Phase", "Wand", "CPU");
        double w = 0, c = 0;
        for (const std::string& n : z.namen) {
            const double mw = median(z.wand.at(n)), mc = median(z.cpu.at(n));
            w += mw;
            c += mc;
            std::printf("  %-32s %8.2f %8.2f\n", n.c_str(), mw, mc);
        }
        std::printf("  %-32s %8.2f %8.2f\n", "Summe", w, c);
        for (const auto& [name, groesse] : z.dateien)
            std::printf("  %10zu Bytes %s\n", groesse, name.c_str());
    }
}

// ---- the real driver, one process per measurement -------------------------------------------

// Sleeps of every thread, with their real start and end; everything else goes to the real clock.
class Messuhr : public IClock {
public:
    struct Schlaf {
        std::thread::id thread;
        Uhr::time_point von, bis;
    };
    explicit Messuhr(std::shared_ptr<IClock> echt) : FEcht(std::move(echt)) {}
    TDateTime Now() override { return FEcht->Now(); }
    void Sleep(unsigned ms) override
    {
        const auto von = Uhr::now();
        FEcht->Sleep(ms);
        const auto bis = Uhr::now();
        std::lock_guard g(FLock);
        FSchlaefe.push_back({std::this_thread::get_id(), von, bis});
    }
    std::uint32_t GetTickCount() override { return FEcht->GetTickCount(); }
    bool WaitUntil(const std::function<bool()>& pred, long long timeoutMs) override
    {
        return FEcht->WaitUntil(pred, timeoutMs);
    }
    void ThreadStarting() override { FEcht->ThreadStarting(); }
    void ThreadStarted() override { FEcht->ThreadStarted(); }
    void ThreadEnded() override { FEcht->ThreadEnded(); }
    void StateChanged() override { FEcht->StateChanged(); }
    std::vector<Schlaf> nimm()
    {
        std::lock_guard g(FLock);
        return std::exchange(FSchlaefe, {});
    }

private:
    std::shared_ptr<IClock> FEcht;
    std::mutex FLock;
    std::vector<Schlaf> FSchlaefe;
};

// The main window as the driver and its steps see it, with the program's default settings, the
// personal numbers 1..30 as source and a new run key from every lade_History. It notes when each
// step starts (the driver's call before it) and ends (the step's last report), and which thread
// the driver is.
class Benchfenster : public ISchrittFenster, public ISchritt1Fenster {
public:
    explicit Benchfenster(int N) : FN(N)
    {
        const char* texte[] = {"6", "6", "5", "6", "6", "60", "250", "12"};
        for (int k = 1; k <= 8; ++k) FEdits[k] = texte[k - 1];
        for (int k = 9; k <= 38; ++k) FEdits[k] = IntToStr(k - 8);
        anzahl_Kombinationen(N, FVarianten);
    }
    std::thread::id treiber;
    Uhr::time_point anfang[4], ende[4];
    bool gemeldet = false;  // a message box or an error text: the run failed
    String letztes_Label1;

    // Both windows.
    TDateTime DateTimePicker2() override { return EncodeDate(2026, 8, 12); }
    String Edit(int nummer) override { return FEdits.at(nummer); }
    String ComboBox2() override
    {
        std::lock_guard g(FLock);
        return FSchluessel;
    }
    void ListBox1(const std::vector<String>&, const String&, const String&, const String&) override {}
    void Label1(const String& text) override
    {
        std::lock_guard g(FLock);
        letztes_Label1 = text;
        if (text.find("ERROR") != String::npos) gemeldet = true;
    }
    void Animate1_spielen(int, int) override {}
    void Animate1_zeigen(int) override {}
    // Step 1's window.
    bool CheckBox22() override { return false; }
    int TrackBar1() override { return FN; }
    bool RadioButton(int nummer) override { return nummer == 5; }
    String Tabelle2(int) override { return String(); }
    void Label(int, const String&) override {}
    void Label_sichtbar(int, bool) override {}
    void Edit_sichtbar(int, bool) override {}
    void ProgressBar1_Schritt() override {}
    void Timer1_aus() override {}
    void schritt1_beendet() override { ende[1] = Uhr::now(); }
    bool lade_History(TDateTime) override
    {
        std::lock_guard g(FLock);
        FSchluessel = Tippschluessel(SCHLUESSELDATUM, FN, ++FIndex);
        return true;
    }
    void Meldung(const String&, const String&, bool) override { gemeldet = true; }
    bool Frage(const String&) override { return false; }
    // The window of steps 2 and 3 and the driver.
    bool CheckBox(int) override { return true; }
    int anzahl_Varianten() override { return FVarianten; }
    String tipp_datum() override { return SCHLUESSELDATUM; }
    void Edit_setzen(int, const String&) override {}
    void Animate1_sichtbar() override { anfang[anfang[2] == Uhr::time_point{} ? 2 : 3] = Uhr::now(); }
    void ProgressBar1_null() override {}
    void Timer1_an() override
    {
        treiber = std::this_thread::get_id();
        anfang[1] = Uhr::now();
    }
    void schritt_beendet(int schritt) override { ende[schritt] = Uhr::now(); }
    void ComboBox2_Eintraege(const String&) override {}
    bool bilder_freigeben() override { return true; }
    bool pruefe_Tippdatum(bool) override { return false; }
    void Nachrichten_verarbeiten() override {}
    void Fehlermeldung(const String&, const String&) override { gemeldet = true; }

    // Ready for the next run.
    void neuer_Lauf()
    {
        for (auto& t : anfang) t = {};
        for (auto& t : ende) t = {};
    }

private:
    int FN;
    int FVarianten = 0;
    std::map<int, String> FEdits;
    std::mutex FLock;
    String FSchluessel;
    int FIndex = 0;
};

// The time of the sleeps that the run waited for as it must: a step's own sleeps (nothing else
// works meanwhile), and the driver's sleeps as far as they lie after the end of the step it polls.
double Wartezeit(const std::vector<Messuhr::Schlaf>& schlaefe, const Benchfenster& f)
{
    double w = 0;
    for (const Messuhr::Schlaf& s : schlaefe) {
        if (s.thread != f.treiber) {
            w += ms(s.bis - s.von);
            continue;
        }
        int schritt = 0;  // the step started last before this sleep
        for (int k = 1; k <= 3; ++k)
            if (f.anfang[k] != Uhr::time_point{} && f.anfang[k] <= s.von) schritt = k;
        const Uhr::time_point ab = schritt ? std::max(s.von, f.ende[schritt]) : s.von;
        if (s.bis > ab) w += ms(s.bis - ab);
    }
    return w;
}

// What a measuring process prints: one line per run, then its peak resident memory.
//   lauf <wall ms> <waits ms>
//   spitze_kB <VmHWM>
int Einzellauf(const std::string& art, int N, int laeufe, const String& ordner)
{
    Speicher_einrichten();  // as the program at its start
    setze_ProgrammOrdner(ordner);
    if (!SetCurrentDir(ordner)) return 2;
    if (art == "woertlich") {
        const String schluessel = Tippschluessel(SCHLUESSELDATUM, N, 1);
        const auto t0 = Uhr::now();
        woertlich_laufen(Pool_fuer(N), TIPPDATUM, Laufdateien(ordner, schluessel), schluessel);
        std::printf("lauf %.3f 0\n", ms_seit(t0));
    } else {
        auto uhr = std::make_shared<Messuhr>(CurrentClock());
        SetClock(uhr);
        Benchfenster f(N);
        for (int i = 0; i < laeufe; ++i) {
            f.neuer_Lauf();
            const auto t0 = Uhr::now();
            {
                Thread_Sarnik t(true, &f, &f, nullptr);
                t.Resume();
                t.WaitFor();
                if (t.laeuft() || t.FatalException() || f.gemeldet) {
                    std::fprintf(stderr, "Lauf %d gescheitert: %s\n", i + 1, f.letztes_Label1.c_str());
                    return 1;
                }
            }
            const double wand = ms_seit(t0);
            std::printf("lauf %.3f %.3f\n", wand, Wartezeit(uhr->nimm(), f));
        }
        SetClock(nullptr);
    }
    std::printf("spitze_kB %ld\n", status_kB("VmHWM"));
    return 0;
}

struct Prozessergebnis {
    std::vector<double> wand, warten;
    double spitze_MB = 0;
};

// Runs this program once more as a measuring process.
Prozessergebnis Prozess(const std::string& art, int N, int laeufe, const String& ordner)
{
    const std::string befehl = "/proc/" + std::to_string(::getpid()) + "/exe --einzellauf " + art + " " +
                               std::to_string(N) + " " + std::to_string(laeufe) + " '" + ordner + "'";
    Prozessergebnis r;
    FILE* p = ::popen(befehl.c_str(), "r");
    if (!p) std::abort();
    char zeile[256];
    while (std::fgets(zeile, sizeof zeile, p)) {
        double a = 0, b = 0;
        long kB = 0;
        if (std::sscanf(zeile, "lauf %lf %lf", &a, &b) == 2) {
            r.wand.push_back(a);
            r.warten.push_back(b);
        } else if (std::sscanf(zeile, "spitze_kB %ld", &kB) == 1) {
            r.spitze_MB = static_cast<double>(kB) / 1024.0;
        }
    }
    if (::pclose(p) != 0 || static_cast<int>(r.wand.size()) != laeufe) {
        std::fprintf(stderr, "Messprozess %s N=%d gescheitert\n", art.c_str(), N);
        std::exit(1);
    }
    return r;
}

// Every file of the driver's runs against the plain run's: the step files of each run, the
// statistics file with one line a run and the history with every run's key. False (and the file
// named) at the first difference.
bool gleiche_Dateien(const String& woertlich, const String& treiber, int N, int laeufe)
{
    auto fehler = [](const String& name) {
        std::fprintf(stderr, "Dateien verschieden: %s\n", name.c_str());
        return false;
    };
    const String k1 = Tippschluessel(SCHLUESSELDATUM, N, 1);
    const Laufdateien w(woertlich, k1);
    const std::vector<String> wd = w.Schrittdateien();
    String statistik, history;
    for (int i = 1; i <= laeufe; ++i) {
        const String k = Tippschluessel(SCHLUESSELDATUM, N, i);
        const std::vector<String> td = Laufdateien(treiber, k).Schrittdateien();
        for (std::size_t j = 0; j + 1 < td.size(); ++j)
            if (!FileExists(td[j]) || lies(td[j]) != lies(wd[j])) return fehler(td[j]);
        statistik += lies(w.d3.statistik);
        history += k + "\n";
    }
    if (lies(w.history) != k1 + "\n") return fehler(w.history);
    if (lies(treiber + DATEI_HISTORY) != history) return fehler(treiber + DATEI_HISTORY);
    if (lies(treiber + DATEI_STATISTIK_SCHRITT3) != statistik)
        return fehler(treiber + DATEI_STATISTIK_SCHRITT3);
    return true;
}

std::size_t umgebung_oder(const char* name, std::size_t vorgabe)
{
    const char* v = std::getenv(name);
    return v && std::atoi(v) > 0 ? static_cast<std::size_t>(std::atoi(v)) : vorgabe;
}

// The closing line; empty when a file differed.
std::string Treibervergleich()
{
    const std::size_t wiederholungen = umgebung_oder("TIPENGINE_PROZESSE", 5);
    const int laeufe = 5;  // per driver process: the first cold, the rest warm
    std::string zeile =
        "Ein-Klick-Lauf, echter Treiber gegen wörtliche Schritte, eigene Zahlen, ausgeliefertes "
        "Archiv, je Messung ein neuer Prozess, Mediane aus " +
        std::to_string(wiederholungen) + " Prozessen je Seite:";
    for (int N : {20, 30}) {
        std::vector<double> wand, warten, kalt, warm, woertlich;
        double spitze = 0;
        for (std::size_t r = 0; r < wiederholungen; ++r) {
            const String ow = Programmordner_mit_Archiv(Arbeitsordner() + "w" + std::to_string(N) + "/");
            const String ot = Programmordner_mit_Archiv(Arbeitsordner() + "t" + std::to_string(N) + "/");
            const Prozessergebnis w = Prozess("woertlich", N, 1, ow);
            const Prozessergebnis t = Prozess("treiber", N, laeufe, ot);
            const bool gleich = gleiche_Dateien(ow, ot, N, laeufe);
            std::error_code e;
            std::filesystem::remove_all(ow, e);
            std::filesystem::remove_all(ot, e);
            if (!gleich) return std::string();
            woertlich.push_back(w.wand[0]);
            for (std::size_t i = 0; i < t.wand.size(); ++i) {
                (i == 0 ? kalt : warm).push_back(t.wand[i] - t.warten[i]);
                if (i == 0) wand.push_back(t.wand[i]), warten.push_back(t.warten[i]);
            }
            spitze = std::max(spitze, t.spitze_MB);
        }
        const double mk = median(kalt), mw = median(warm), mo = median(woertlich);
        char teil[400];
        std::snprintf(
            teil, sizeof teil,
            " N=%d Wand %.0f ms, davon Wartezeiten %.0f ms, Arbeit kalt %.1f ms, warm %.1f ms "
            "(kalt/warm %.2f), wörtlich %.0f ms: %.0f-mal (kalt), %.0f-mal (warm), Spitze %.1f MB%s",
            N, median(wand), median(warten), mk, mw, mw > 0 ? mk / mw : 0.0, mo, mk > 0 ? mo / mk : 0.0,
            mw > 0 ? mo / mw : 0.0, spitze, N == 20 ? ";" : "");
        zeile += teil;
    }
    return zeile;
}

}  // namespace

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
    if (argc == 6 && std::strcmp(argv[1], "--einzellauf") == 0)
        return Einzellauf(argv[2], std::atoi(argv[3]), std::atoi(argv[4]), argv[5]);
    Aufraeumen aufraeumen;
    Speicher_einrichten();  // as the program at its start
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    Phasentabelle();
    if (abweichung) {
        std::fprintf(stderr, "Ergebnisse verschieden: keine Schlusszeile\n");
        return 1;
    }
    const std::string zeile = Treibervergleich();
    if (zeile.empty()) {
        std::fprintf(stderr, "Ergebnisse verschieden: keine Schlusszeile\n");
        return 1;
    }
    std::printf("%s\n", zeile.c_str());
    return 0;
}
