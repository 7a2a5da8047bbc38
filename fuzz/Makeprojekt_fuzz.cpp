// The make-file form of the C++ project: any bytes opened as a project's make file in the host,
// or refused with an error. What was read survives a save and a second opening (items, options,
// macros); a second save writes what the first wrote. The make-file text itself: every macro
// set to the value read changes nothing, one set to another value reads back as that value.
#include <cstdlib>

#include "Fuzzordner.h"
#include "Projekt.h"
#include "host/MakeFile.h"
#include "rtl/Files.h"

namespace {

struct Gelesen {
    std::vector<String> items, compiler;
    std::vector<String> optionen, makros;
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
            }
            for (const char* o : {"LibPath", "IncludePath", "Defines", "Libraries"})
                g.optionen.push_back(p.GetOption(o));
            for (const char* m : {"IDLFILES", "IDLCFLAGS", "CFLAG1", "BCB"})
                g.makros.push_back(p.GetMakeSym(m));
        },
        speichern);
}

// Blanks and tabs in a row as one blank: a line broken between words reads back so, as make
// reads it.
String einfach(const String& s)
{
    String r;
    for (char c : s) {
        const bool blank = c == ' ' || c == '\t';
        if (blank && !r.empty() && r.back() == ' ') continue;
        r += blank ? ' ' : c;
    }
    return r;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static TFuzzordner ordner("fuzz_cpp_makefile");
    const String text = Fuzztext(data, size);

    TMakeFileText t(text);
    const auto macros = t.Macros();
    for (const auto& [name, value] : macros) t.SetMacro(name, value);
    if (t.Text() != text || t.Macros() != macros) std::abort();
    // what the writer writes, the reader reads
    for (const auto& [name, value] : macros) {
        if (value.find_first_of("$\\") != String::npos) continue;
        TMakeFileText anders(text);
        const String neu = value.empty() ? String("neu.cpp") : value + " neu.cpp";
        anders.SetMacro(name, neu);
        if (einfach(anders.MacroValue(name)) != einfach(neu)) std::abort();
    }

    const String datei = ordner.Pfad() + "app.mak";
    AtomicWriteFileNoSync(datei, text);
    Gelesen erst, dann;
    if (!oeffne(ordner.Pfad(), datei, erst, true)) return 0;
    const String gespeichert = ReadFileBytes(datei);
    if (!oeffne(ordner.Pfad(), datei, dann, true)) std::abort();
    if (dann != erst) std::abort();
    if (ReadFileBytes(datei) != gespeichert) std::abort();
    return 0;
}
