// The class explorer's dependency database: any bytes read by the host's reader, either refused
// with its error or read whole; the class model then shows every compilation unit with its
// include tree, maps the file ids both ways and finds each header's including unit.
#include <cstdlib>
#include <functional>

#include "CppClassExplorer.h"
#include "Fuzzordner.h"
#include "rtl/Files.h"

namespace {

int Knoten(const TInfoNode& n)
{
    int z = 1;
    for (const auto& c : n.Children) z += Knoten(*c);
    return z;
}

// A unit or an include record with its records below.
template <class T>
int Knoten(T& inc)
{
    int z = 1;
    for (int i = 0; i < inc.Count(); ++i) z += Knoten(*inc.Inc(i));
    return z;
}

bool Enthaelt(IXMLInc& inc, const String& datei)
{
    if (SameText(inc.FileName(), datei)) return true;
    for (int i = 0; i < inc.Count(); ++i)
        if (Enthaelt(*inc.Inc(i), datei)) return true;
    return false;
}

void Jede(IXMLInc& inc, const std::function<void(const String&)>& f)
{
    f(inc.FileName());
    for (int i = 0; i < inc.Count(); ++i) Jede(*inc.Inc(i), f);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static TFuzzordner ordner("fuzz_pch_db");
    const String datei = ordner.Pfad() + "Project1.pchdb";
    AtomicWriteFileNoSync(datei, Fuzztext(data, size));

    TIntfPtr<IXMLPchDb> db;
    try {
        db = LoadpchDb(datei);
    } catch (const EHostError&) {
    }
    TIntfPtr<TCppProjectClassModelManager> m(new TCppProjectClassModelManager(nullptr, datei));
    const TInfoNodePtr quellen = m->GetSourceHierarchy();
    if (!db) {
        // refused: nothing shown, no unit found, no name known
        if (!m->PchDb().Error() || !quellen->Children.empty()) std::abort();
        if (!m->GetSourceFile("main.cpp").empty() || !m->GetFileIdName(1).empty()) std::abort();
        return 0;
    }
    if (m->PchDb().Error() || static_cast<int>(quellen->Children.size()) != db->CuCount()) std::abort();
    for (int c = 0; c < db->CuCount(); ++c) {
        TIntfPtr<IXMLCu> cu = db->Cu(c);
        const TInfoNode& knoten = *quellen->Children[static_cast<std::size_t>(c)];
        if (knoten.Caption != cu->FileName() || Knoten(knoten) != Knoten(*cu)) std::abort();
        // each include's unit is the first that holds it (at the latest this one)
        for (int i = 0; i < cu->Count(); ++i)
            Jede(*cu->Inc(i), [&](const String& kopf) {
                String erste = cu->FileName();
                bool gefunden = false;
                for (int k = 0; k < c && !gefunden; ++k) {
                    TIntfPtr<IXMLCu> u = db->Cu(k);
                    for (int j = 0; j < u->Count() && !gefunden; ++j)
                        if (Enthaelt(*u->Inc(j), kopf)) {
                            erste = u->FileName();
                            gefunden = true;
                        }
                }
                if (m->GetSourceFile(kopf) != erste) std::abort();
            });
    }
    // the first entry of an id names it, and the first entry of a name has its id
    for (int i = 0; i < db->FileCount(); ++i) {
        int id = i, name = i;
        for (int k = i - 1; k >= 0; --k) {
            if (db->FileId(k) == db->FileId(i)) id = k;
            if (db->FileName(k) == db->FileName(i)) name = k;
        }
        if (m->GetFileIdName(db->FileId(i)) != db->FileName(id)) std::abort();
        if (m->PchDb().GetFileId(db->FileName(i)) != db->FileId(name)) std::abort();
    }
    return 0;
}
