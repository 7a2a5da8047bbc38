// The co-class updater's reading of a unit: any header and source (the input split at its first
// NUL byte) give classes, includes and references whose positions lie in the texts and hold what
// they say; an edit at a place found commits and reads again.
#include <cstdlib>

#include "Fuzzordner.h"
#include "host/CppClassUpdater.h"
#include "rtl/Files.h"

namespace {

void Within(std::size_t pos, const String& text)
{
    if (pos != NoPosition && pos > text.size()) std::abort();
}

void Holds(const String& text, std::size_t pos, const String& what)
{
    if (pos == NoPosition) return;
    if (pos > text.size() || text.compare(pos, what.size(), what) != 0) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static TFuzzordner ordner("fuzz_coclass_unit");
    const String input = Fuzztext(data, size);
    const auto nul = input.find('\0');
    const String header = input.substr(0, nul),
                 source = nul == String::npos ? String() : input.substr(nul + 1);
    AtomicWriteFileNoSync(ordner.Pfad() + "Unit1.h", header);
    AtomicWriteFileNoSync(ordner.Pfad() + "Unit1.cpp", source);
    TCppClassManager m(ordner.Pfad() + "Unit1.cpp");
    try {
        m.Parse();
    } catch (const EHostError&) {
        return 0;
    }
    const String& h = m.Text(csHeader);
    const String& s = m.Text(csSource);
    if (h != header || s != source) std::abort();
    for (const TCppInclude& i : m.Includes())
        if (i.Pos > i.End || i.End > h.size() || h[i.Pos] != '#') std::abort();
    for (const TCppUnitClass& c : m.Classes()) {
        for (std::size_t p :
             {c.BaseListPos, c.ComMapPos, c.RegistryLinePos, c.MemberInsertPos, c.EventHookupPos})
            Within(p, h);
        Holds(h, c.ProgIdPos, c.ProgIdText);
        Holds(h, c.LicencePos, c.LicenceText);
        for (const TCppReference& r : c.BaseReferences) Holds(r.Section == csHeader ? h : s, r.Pos, r.Text);
        for (const TCppMethodPlace& mp : c.Methods) {
            Within(mp.DeclPos, h);
            Within(mp.DeclEnd, h);
            Within(mp.ImplPos, s);
            Within(mp.ImplEnd, s);
            if (mp.DeclPos != NoPosition && mp.DeclEnd != NoPosition && mp.DeclPos > mp.DeclEnd) std::abort();
            if (mp.ImplPos != NoPosition && mp.ImplEnd != NoPosition && mp.ImplPos > mp.ImplEnd) std::abort();
            Holds(s, mp.DispIdPos, mp.DispIdText);
        }
        for (const TCppReference& r : m.References(c.Name))
            Holds(r.Section == csHeader ? h : s, r.Pos, r.Text);
    }
    // an insertion where the updater inserts members lands and is read back
    for (const TCppUnitClass& c : m.Classes()) {
        if (c.MemberInsertPos == NoPosition) continue;
        const String member = "\r\n  STDMETHOD(Fuzz)();";
        const std::size_t at = c.MemberInsertPos;  // the classes are read again at the commit
        m.Insert(csHeader, at, member);
        try {
            m.Commit();
        } catch (const EHostError&) {
            return 0;
        }
        if (m.Text(csHeader) != header.substr(0, at) + member + header.substr(at)) std::abort();
        break;
    }
    return 0;
}
