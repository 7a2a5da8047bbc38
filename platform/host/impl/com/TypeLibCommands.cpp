// idehost's commands for the active project's type library.
#include <algorithm>
#include <ostream>

#include "host/CppClassUpdater.h"
#include "host/ImportComponent.h"
#include "host/PersonalityServices.h"
#include "host/SourceFiles.h"
#include "host/TypeLibrary.h"
#include "hostimpl/HostImpl.h"
#include "rtl/Files.h"

namespace {

const char* const kUsage =
    "usage: typelib dump|header|save|edit|apply, typelib import FILE [PAGE], typelib rename COCLASS NAME, "
    "typelib name NAME, "
    "typelib method|event|signature INTERFACE NAME [TYPE:PARAM...], typelib prop INTERFACE NAME TYPE";

TTypeObject* FindInterface(TTypeLibrary& lib, const String& name)
{
    TTypeObject* t = lib.FindType(name);
    if (!t || (t->Kind() != tkInterface && t->Kind() != tkDispatch))
        throw EHostError("The type library has no interface " + name);
    return t;
}

// A type a member can take: a variant type's name or a type of the library, behind pointers or
// not; EHostError naming it otherwise.
void RequireKnownType(const TTypeLibrary& lib, const String& type)
{
    String base = type;
    while (!base.empty() && base.back() == '*' && VarTypeOf(base) == vtUserDefined) base.pop_back();
    const int vt = VarTypeOf(base);
    if (base.empty() || (vt == vtUserDefined ? !lib.FindType(base) : vt == vtVoid || vt == vtHResult))
        throw EHostError("Unknown type " + type);
}

// "TYPE:NAME" parameters (in only) of a member; read whole before the member changes.
std::vector<TTypeLibParam> ParamsOf(const TTypeLibrary& lib, const std::vector<String>& a, std::size_t from)
{
    std::vector<TTypeLibParam> params;
    for (std::size_t i = from; i < a.size(); ++i) {
        const auto colon = a[i].find(':');
        if (colon == String::npos || colon == 0 || !IsValidIdent(a[i].substr(colon + 1)) ||
            IsCppKeyword(a[i].substr(colon + 1)))
            throw EHostError("TYPE:NAME expected, not " + a[i]);
        TTypeLibParam p;
        p.Type = a[i].substr(0, colon);
        p.Name = a[i].substr(colon + 1);
        RequireKnownType(lib, p.Type);
        params.push_back(p);
    }
    return params;
}

// Runs the co-class updater over each unit that implements a CoClass of the library.
void ApplyEdit(IQProject* p, IQTypeLibModule& m, std::ostream& out)
{
    TTypeLibrary& lib = *m.TypeLibrary();
    TCPPUpdaters* updaters = CppUpdaters();
    if (!updaters) throw EHostError("No package updates the units of a type library");
    TIntfPtr<IQProjectFileEntries> entries;
    if (!Supports(GetProjectUpdater(p), entries)) throw EHostError("The project has no updater");
    std::vector<String> units;
    for (int i = 0; i < lib.TypeCount(); ++i) {
        const TTypeObject* t = lib.Type(i);
        if (t->Kind() != tkCoClass) continue;
        String unit = entries->CoClassUnit(t->Edit.OldName.empty() ? t->Name() : t->Edit.OldName);
        if (unit.empty()) unit = entries->CoClassUnit(t->Name());
        if (!unit.empty() && std::find(units.begin(), units.end(), unit) == units.end())
            units.push_back(unit);
    }
    for (const String& unit : units) {
        TIntfPtr<IQModule> module;
        for (int i = 0; i < p->ModuleCount() && !module; ++i)
            if (p->Module(i)->FileName() == unit) module = p->Module(i);
        TIntfPtr<IQCoClassUpdater> u = module ? updaters->CreateCoClassUpdater(module.get()) : nullptr;
        if (!u) throw EHostError("The unit " + unit + " cannot be updated");
        u->Update(p);
        out << (u->Modified() ? "updated " : "unchanged ") << unit << "\n";
    }
    m.AcceptEdit();
}

}  // namespace

namespace hostimpl {

void RunTypeLibCommand(std::vector<String> a, std::ostream& out)
{
    if (a.empty()) throw EHostError(kUsage);
    const String sub = LowerCase(a[0]);
    if (sub == "import") {
        // Component>Import of a type library through the C++ personality's import trait
        if (a.size() < 2 || a.size() > 3) throw EHostError(kUsage);
        auto ps = RequireService<IQPersonalityServices>("personality services");
        TIntfPtr<IInterface> trait = ps->GetTrait(sCppPersonality, IQImportComponentTrait2::IID);
        TIntfPtr<IQImportComponentTrait2> importer;
        if (!trait || !Supports(trait.get(), importer))
            throw EHostError(String("The personality ") + sCppPersonality + " cannot import type libraries");
        // relative to the host's folder, as the project commands read names
        const String file = a[1].empty() || a[1][0] == '/' ? a[1] : ProjectFolder() + a[1];
        out << "imported "
            << importer->ImportTLB(file, ExtractFilePath(file), a.size() == 3 ? a[2] : String()) << "\n";
        return;
    }
    TIntfPtr<IQProject> p = ActiveProject();
    if (!p) throw EHostError("No project is open");
    TIntfPtr<IQTypeLibModule> m = FindTypeLibModule(p.get());
    // a saved library beside the project is read when first asked for
    const String beside = ChangeFileExt(p->FileName(), ".tlb");
    if (!m && FileExists(beside)) m = CreateTypeLibModule(p.get(), beside);
    if (!m) throw EHostError("The project " + ExtractFileName(p->FileName()) + " has no type library");
    TTypeLibrary& lib = *m->TypeLibrary();
    const auto need = [&](std::size_t n, bool more = false) {
        if (a.size() < n || (!more && a.size() != n)) throw EHostError(kUsage);
    };
    if (sub == "edit") {
        need(1);
        m->AcceptEdit();
    } else if (sub == "name") {
        // the units follow at the next apply
        need(2);
        m->RenameLibrary(a[1]);
        out << "renamed the library to " << a[1] << ", its unit " << m->UnitName() << "\n";
    } else if (sub == "rename") {
        need(3);
        TTypeObject* co = lib.FindType(a[1], tkCoClass);
        if (!co) throw EHostError("The type library has no CoClass " + a[1]);
        co->Rename(a[2]);
    } else if (sub == "method" || sub == "event") {
        need(3, true);
        TTypeObject* intf = FindInterface(lib, a[1]);
        std::vector<TTypeLibParam> params = ParamsOf(lib, a, 3);
        TTypeLibMember* mem = intf->AddMethod(a[2], intf->NewMemberId());
        if (sub == "event") mem->ResultType = "void";
        mem->Params = std::move(params);
    } else if (sub == "signature") {
        need(3, true);
        TTypeLibMember* mem = FindInterface(lib, a[1])->FindMember(a[2]);
        if (!mem) throw EHostError(a[1] + " has no member " + a[2]);
        mem->Params = ParamsOf(lib, a, 3);
    } else if (sub == "prop") {
        need(4);
        TTypeObject* intf = FindInterface(lib, a[1]);
        if (intf->FindMember(a[2])) throw EHostError(a[1] + " has a member named " + a[2] + " already");
        RequireKnownType(lib, a[3]);
        // everything checked: the getter's name is the setter's, so both go in
        const int id = intf->NewMemberId();
        intf->AddMethod(a[2], id, {"propget"})->Params.push_back({"Value", a[3] + "*", pfOut | pfRetval});
        intf->AddMethod(a[2], id, {"propput"})->Params.push_back({"Value", a[3], pfIn});
    } else if (sub == "apply") {
        need(1);
        ApplyEdit(p.get(), *m, out);
    } else if (a.size() != 1) {
        throw EHostError(kUsage);
    } else if (sub == "dump") {
        out << m->TypeLibrary()->Text();
    } else if (sub == "header") {
        out << TypeLibraryHeader(lib, m->UnitName());
    } else if (sub == "save") {
        m->Save();
        out << "saved " << m->FileName() << "\n";
    } else {
        throw EHostError(kUsage);
    }
}

}  // namespace hostimpl
