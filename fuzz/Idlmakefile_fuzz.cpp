// The IDL rules of a make file: any bytes as the make file. The rules written for a set of IDL
// files read back as the same files and rules, and writing them over what was read changes
// nothing - no rule is added twice, none is lost. Where the file listed other IDL files, one more
// update may still clear out what the first could not know (a compiler rule of a file that only
// then joined the list); after that nothing changes.
#include <cstdlib>
#include <map>

#include "Fuzzordner.h"
#include "Idlmakefile.h"

namespace {

std::map<String, std::vector<String>> Regeln(TIdlMakeFile& mk)
{
    mk.ParseIdlSymbols();
    std::map<String, std::vector<String>> regeln;
    for (auto& [idl, sym] : mk.Symbols())
        for (auto& g : sym->GenFiles()) regeln[idl].push_back(g->FileName);
    return regeln;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const String projekt = "/p/proj.mak";
    const std::vector<String> idl = {"/p/a.idl", "/p/sub dir/b.idl"};
    try {
        TIdlMakeFile mk(projekt, Fuzztext(data, size));
        const bool gleiche_Liste = mk.IdlFiles() == idl;
        mk.SetIdlFiles(idl);
        TIdlMakeFile gelesen(projekt, mk.Text());  // as read back from the disk
        if (gelesen.IdlFiles() != idl) std::abort();
        if (Regeln(gelesen) != Regeln(mk)) std::abort();
        gelesen.SetIdlFiles(idl);
        if (gleiche_Liste && gelesen.Text() != mk.Text()) std::abort();
        const String zweimal = gelesen.Text();
        TIdlMakeFile nochmal(projekt, zweimal);
        nochmal.SetIdlFiles(idl);
        if (nochmal.Text() != zweimal) std::abort();
    } catch (const Exception&) {
    }
    return 0;
}
