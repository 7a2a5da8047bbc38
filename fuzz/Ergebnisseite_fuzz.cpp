// The results page: any bytes as the saved page; its draw block becomes the archive when it
// holds draws, and the archive is then read and scored as the program does.
#include "Archivkette.h"
#include "Archivpruefung.h"
#include "Fuzzordner.h"
#include "Threadstriphompage.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static TFuzzordner ordner("fuzz_results_page");
    setze_ProgrammOrdner(ordner.Pfad());
    TStringList zeilen;
    zeilen.SetText(Fuzztext(data, size));
    const TStringList block = Ziehungsblock(zeilen);
    if (block.Count() > zeilen.Count()) std::abort();
    if (Anzahl_Ziehungen(block) == 0) return 0;
    Archiv_auswerten(block.GetText());
    return 0;
}
