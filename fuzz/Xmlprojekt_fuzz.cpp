// The XML project: any bytes opened as a project file in the host, or refused with an error;
// what was read survives a save and a second opening.
#include <cstdlib>
#include <sstream>

#include "Fuzzordner.h"
#include "host/CppProject.h"
#include "hostimpl/HostImpl.h"
#include "rtl/Files.h"

namespace {

struct Gelesen {
    std::vector<String> items, compiler;
    std::vector<std::vector<String>> genfiles;
    bool operator==(const Gelesen&) const = default;
};

// Opens the project in a host of its own; false when the host refuses the file.
bool oeffne(const String& ordner, const String& datei, Gelesen& g, bool speichern)
{
    hostimpl::THostSession host(ordner);
    std::ostringstream aus;
    try {
        hostimpl::RunProjectCommand({"open", datei}, aus);
    } catch (const Exception&) {
        return false;
    }
    TIntfPtr<IQCppProject> p = ActiveCppProject();
    if (!p) std::abort();
    for (const String& f : p->Items()) {
        g.items.push_back(f);
        g.compiler.push_back(p->ItemCompiler(f));
        g.genfiles.push_back(p->ItemGenFiles(f));
    }
    if (speichern) p->Save();
    return true;
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
