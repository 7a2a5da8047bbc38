// history.txt: any bytes read by the window (the run key of a new run, the history box) and by
// the start-up comparison (the newest run and its selected tips).
#include "Hauptfenster.h"
#include "Tippdateien.h"
#include "Vergleich.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    THauptfensterFuzz& h = Hauptfenster();
    static const bool eingerichtet = [&h] {
        h.schreibe(DATEI_DOROV_ZAHLEN, VERGLEICHSARCHIV);
        h.schreibe(Dateiname(DATEI_AUSGEWAEHLT, Tippschluessel("12-08-2009", 6, 1)),
                   "1.1,2,3,4,5,6 -12 6\n2.3,9,17,28,33,41 -40 0\n");
        return true;
    }();
    (void)eingerichtet;
    h.schreibe(DATEI_HISTORY, Fuzztext(data, size));
    h.lies([&] { h.form().lade_History(TDateTime(0)); });
    TVergleichFuzzfenster fenster;
    fenster.beim_Start = true;
    Vergleich_laufen(fenster);
    return 0;
}
