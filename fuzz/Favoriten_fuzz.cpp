// meineFavoritten.txt: any bytes compared with the newest draw at start-up.
#include "Tippdateien.h"
#include "Vergleich.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static TFuzzordner ordner("fuzz_favourites");
    static const bool eingerichtet = [] {
        setenv("RAVELO_WINDIR", (ordner.Pfad() + "windows").c_str(), 1);
        Laufzeit_einrichten();
        setze_ProgrammOrdner(ordner.Pfad());
        schreibe_Favoriten_Option(true);
        AtomicWriteFileNoSync(ProgrammDatei(DATEI_DOROV_ZAHLEN), VERGLEICHSARCHIV);
        AtomicWriteFileNoSync(ProgrammDatei(DATEI_HISTORY), "");
        return true;
    }();
    (void)eingerichtet;
    AtomicWriteFileNoSync(ProgrammDatei(DATEI_FAVORITEN), Fuzztext(data, size));
    TVergleichFuzzfenster fenster;
    fenster.beim_Start = true;
    fenster.Tippdatum_im_Archiv = false;
    Vergleich_laufen(fenster);
    return 0;
}
