// The IDL rules of a make file: any bytes as the make file. Of text, the rules written for a
// set of IDL files read back as the same files and rules, and writing them over what was read
// changes nothing - no rule is added twice, none is lost. Where the file listed other IDL files,
// one more update may still clear out what the first could not know (a compiler rule of a file
// that only then joined the list); after that nothing changes.
#include <cstdlib>
#include <map>

#include "Fuzzordner.h"
#include "Idlmakefile.h"

namespace {

// Make-file text: no control character but TAB and a CR before its LF. Any bytes still run
// through reader and writer; the round trip is only asked of text.
bool ist_Text(const String& t)
{
    for (std::size_t i = 0; i < t.size(); ++i) {
        const auto c = static_cast<unsigned char>(t[i]);
        if (c == '\r' && i + 1 < t.size() && t[i + 1] == '\n') continue;
        if (c < ' ' && c != '\t' && c != '\n') return false;
        if (c == 0x7f) return false;
    }
    return true;
}

std::map<String, std::vector<String>> Regeln(TIdlMakeFile& mk)
{
    mk.ParseIdlSymbols();
    std::map<String, std::vector<String>> regeln;
    for (auto& [idl, sym] : mk.Symbols())
        for (auto& g : sym->GenFiles()) regeln[idl].push_back(g->FileName);
    return regeln;
}

// The text without its empty lines: how many blank lines stand between rules is no rule.
String ohne_Leerzeilen(const String& t)
{
    String r;
    for (std::size_t p = 0; p < t.size();) {
        std::size_t nl = t.find('\n', p);
        nl = nl == String::npos ? t.size() : nl + 1;
        const String zeile = t.substr(p, nl - p);
        if (zeile != "\r\n" && zeile != "\n") r += zeile;
        p = nl;
    }
    return r;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const String projekt = "/p/proj.mak";
    const std::vector<String> idl = {"/p/a.idl", "/p/sub dir/b.idl"};
    const String text = Fuzztext(data, size);
    const bool pruefen = ist_Text(text);
    try {
        TIdlMakeFile mk(projekt, text);
        const bool gleiche_Liste = mk.IdlFiles() == idl;
        mk.SetIdlFiles(idl);
        TIdlMakeFile gelesen(projekt, mk.Text());  // as read back from the disk
        if (pruefen && gelesen.IdlFiles() != idl) std::abort();
        if (pruefen && Regeln(gelesen) != Regeln(mk)) std::abort();
        gelesen.SetIdlFiles(idl);
        if (pruefen && gleiche_Liste && ohne_Leerzeilen(gelesen.Text()) != ohne_Leerzeilen(mk.Text()))
            std::abort();
        const String zweimal = gelesen.Text();
        TIdlMakeFile nochmal(projekt, zweimal);
        nochmal.SetIdlFiles(idl);
        if (pruefen && nochmal.Text() != zweimal) std::abort();
    } catch (const Exception&) {
    }
    return 0;
}
