// Statistik.txt: any bytes are loaded into the statistics grid or refused with a message; a
// file that asks for more than a grid holds never gets its memory.
#include "Hauptfenster.h"
#include "Tippdateien.h"
#include "zub/Grids.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    THauptfensterFuzz& h = Hauptfenster();
    h.schreibe(DATEI_STATISTIK, Fuzztext(data, size));
    h.lies([&] {
        h.form().lade_Statistik();
        if (h.form().Tabelle2->ColCount() > 100 || h.form().Tabelle2->RowCount() > 1000) std::abort();
    });
    return 0;
}
