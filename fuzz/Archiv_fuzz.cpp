// The draw archive: any bytes as dorov_zahlen.txt, read with the statistics and step 3's
// scoring on top.
#include "Archivkette.h"
#include "Fuzzordner.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static TFuzzordner ordner("fuzz_archive");
    setze_ProgrammOrdner(ordner.Pfad());
    Archiv_auswerten(Fuzztext(data, size));
    return 0;
}
