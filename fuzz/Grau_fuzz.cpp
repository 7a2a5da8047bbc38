// grau.ini: the window greyed for a job records its controls' states there and takes them back
// from it; any bytes in the file give back a usable window or a message.
#include "Hauptfenster.h"
#include "Tippdateien.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    THauptfensterFuzz& h = Hauptfenster();
    h.schreibe(DATEI_GRAU, Fuzztext(data, size));
    h.lies([&] { (void)h.form().grau_aufheben(); });
    // The same after a greying of its own has recorded the states into that file.
    h.schreibe(DATEI_GRAU, Fuzztext(data, size));
    h.lies([&] {
        h.form().grau_schalten();
        (void)h.form().grau_aufheben();
    });
    return 0;
}
