// The selected-tips file of a run: any bytes compared with the run's draw.
#include "Tippdateien.h"
#include "Vergleich.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static TFuzzordner ordner("fuzz_selected_tips");
    static const String schluessel = Tippschluessel("12-08-2009", 6, 1);
    static const bool eingerichtet = [] {
        setenv("RAVELO_WINDIR", (ordner.Pfad() + "windows").c_str(), 1);
        Laufzeit_einrichten();
        setze_ProgrammOrdner(ordner.Pfad());
        AtomicWriteFileNoSync(ProgrammDatei(DATEI_DOROV_ZAHLEN), VERGLEICHSARCHIV);
        AtomicWriteFileNoSync(ProgrammDatei(DATEI_HISTORY), schluessel + "\n");
        return true;
    }();
    (void)eingerichtet;
    AtomicWriteFileNoSync(Dateipfad(DATEI_AUSGEWAEHLT, schluessel), Fuzztext(data, size));
    TVergleichFuzzfenster fenster;
    fenster.run_key = schluessel;
    Vergleich_laufen(fenster);
    return 0;
}
