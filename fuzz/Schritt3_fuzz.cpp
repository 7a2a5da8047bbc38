// Step 3 reading step 2's filtered file: any bytes are scored, sorted and selected; there are T
// tips (fewer when there are not T lines past the two best), each either empty or one of the
// combinations read, and the files step 3 writes hold one line per combination.
#include <algorithm>
#include <cstdlib>

#include "Fuzzordner.h"
#include "Schritt2Kern.h"
#include "Schritt3Kern.h"
#include "rtl/Files.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static TFuzzordner ordner("fuzz_step3");
    static const std::vector<Ziehung> ziehungen = {
        {3, 14, 20, 29, 33, 41, 7}, {1, 2, 3, 4, 5, 6, 49}, {11, 15, 22, 30, 41, 47, 3}};
    Schritt3Dateien d;
    d.gefiltert = ordner.Pfad() + "gefiltert.cvs";
    d.punkte = ordner.Pfad() + "punkte.cvs";
    d.sortiert = ordner.Pfad() + "sortiert.cvs";
    d.ausgewaehlt = ordner.Pfad() + "ausgewaehlt.txt";
    d.statistik = ordner.Pfad() + "statistik.txt";
    const String eingabe = Fuzztext(data, size);
    AtomicWriteFileNoSync(d.gefiltert, eingabe);
    // The statistics file grows by a line a run: start each input afresh.
    AtomicWriteFileNoSync(d.statistik, "");

    Schritt3Eingaben e;
    anzahl_Kombinationen(18, e.anzahl_Varianten);
    e.T = 12;
    e.Edit1 = "3";
    e.kriterien.CheckBox15 = e.kriterien.CheckBox16 = e.kriterien.CheckBox17 = e.kriterien.CheckBox18 =
        e.kriterien.CheckBox19 = e.kriterien.CheckBox20 = true;
    const Schritt3Ergebnis r = Schritt3_ausfuehren(
        e, d, [] { return ziehungen; }, [](const String&) {});
    if (r.status != Schritt3Status::OK) return 0;
    const std::vector<Kombination> gelesen = lies_gefilterte(eingabe, e.anzahl_Varianten);
    const std::size_t platz = r.C > 2 ? r.C - 2 : 0;
    if (r.C != gelesen.size() || r.tipps.size() != std::min(static_cast<std::size_t>(e.T), platz))
        std::abort();
    for (const Tipp& t : r.tipps) {
        if (t.z == Kombination{}) continue;
        if (std::find(gelesen.begin(), gelesen.end(), t.z) == gelesen.end()) std::abort();
    }
    auto zeilen = [](const String& datei) {
        const String b = ReadFileBytes(datei);
        return static_cast<std::size_t>(std::count(b.begin(), b.end(), '\n'));
    };
    if (zeilen(d.punkte) != r.C || zeilen(d.sortiert) != r.C) std::abort();
    return 0;
}
