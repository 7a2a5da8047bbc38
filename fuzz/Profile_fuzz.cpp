// Profiles: the input holds profile.txt, then after a NUL byte the settings of its profile
// "Musterprofil.ini"; the list and the profile are read as at start-up and by the load button.
#include "Hauptfenster.h"
#include "Tippdateien.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    THauptfensterFuzz& h = Hauptfenster();
    const String text = Fuzztext(data, size);
    const std::size_t nul = text.find('\0');
    h.schreibe(DATEI_PROFILE, text.substr(0, nul));
    h.schreibe("Musterprofil.ini", nul == String::npos ? String() : text.substr(nul + 1));
    h.lies([&] {
        h.form().lade_Profilliste();
        h.form().load_profil();
    });
    return 0;
}
