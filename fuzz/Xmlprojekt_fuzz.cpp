// The XML project: any bytes opened as a project file in the host, or refused with an error;
// what was read survives a save and a second opening.
#include <cstdlib>

#include "Fuzzordner.h"
#include "Projekt.h"
#include "rtl/Files.h"

namespace {

struct Gelesen {
    std::vector<String> items, compiler;
    std::vector<std::vector<String>> genfiles;
    bool operator==(const Gelesen&) const = default;
};

bool oeffne(const String& ordner, const String& datei, Gelesen& g, bool speichern)
{
    return oeffne_Projekt(
        ordner, datei,
        [&](IQCppProject& p) {
            for (const String& f : p.Items()) {
                g.items.push_back(f);
                g.compiler.push_back(p.ItemCompiler(f));
                g.genfiles.push_back(p.ItemGenFiles(f));
            }
        },
        speichern);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static TFuzzordner ordner("fuzz_xml_project");
    const String datei = ordner.Pfad() + "app.cbproj";
    AtomicWriteFileNoSync(datei, Fuzztext(data, size));
    Gelesen erst, dann;
    if (!oeffne(ordner.Pfad(), datei, erst, true)) return 0;
    if (!oeffne(ordner.Pfad(), datei, dann, false)) std::abort();
    if (dann != erst) std::abort();
    return 0;
}
