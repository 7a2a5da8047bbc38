// The IDL rules of a make file: any bytes as the make file; the rules written for a set of IDL
// files read back as the same files, and writing them again over what was read changes nothing.
#include <cstdlib>

#include "Fuzzordner.h"
#include "Idlmakefile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const String projekt = "/p/proj.mak";
    const std::vector<String> idl = {"/p/a.idl", "/p/sub dir/b.idl"};
    try {
        TIdlMakeFile mk(projekt, Fuzztext(data, size));
        mk.SetIdlFiles(idl);
        const String geschrieben = mk.Text();
        TIdlMakeFile gelesen(projekt, geschrieben);  // as read back from the disk
        if (gelesen.IdlFiles() != idl) std::abort();
        gelesen.SetIdlFiles(idl);
        if (gelesen.Text() != geschrieben) std::abort();
    } catch (const Exception&) {
    }
    return 0;
}
