// The IDL include scanner: any bytes as an IDL file that may include itself, a second file that
// includes it back, and files that do not exist; the dependency list ends and names each file once.
#include <cstdlib>
#include <set>

#include "Fuzzordner.h"
#include "Idldepends.h"
#include "rtl/Files.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static TFuzzordner ordner("fuzz_idl_includes");
    static const bool eingerichtet = [] {
        AtomicWriteFileNoSync(ordner.Pfad() + "b.idl", "#include \"a.idl\"\n#include <c.idl>\n");
        if (!ForceDirectories(ordner.Pfad() + "inc")) std::abort();
        AtomicWriteFileNoSync(ordner.Pfad() + "inc/c.idl", "interface C {};\n");
        return true;
    }();
    (void)eingerichtet;
    const String a = ordner.Pfad() + "a.idl";
    AtomicWriteFileNoSync(a, Fuzztext(data, size));

    std::vector<TIdlIncludeFile> gefunden;
    TIdlFileDependencies::ScanForIncludes(a, gefunden);

    TIdlFileDependencies abh;
    TStringList liste;
    abh.ListDependentFiles(a, liste, ordner.Pfad() + "inc");
    std::set<String> einmal;
    for (int i = 0; i < liste.Count(); ++i) {
        if (SameFileName(liste[i], a)) std::abort();
        if (!einmal.insert(FileNameKey(liste[i])).second) std::abort();
    }
    return 0;
}
