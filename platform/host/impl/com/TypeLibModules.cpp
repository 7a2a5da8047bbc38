// The type-library modules of projects, their updaters, the ATL units and the stand-alone
// libraries of the type-library editor.

#include <algorithm>
#include <typeinfo>

#include "host/ComWizard.h"
#include "host/ComWizards.h"
#include "host/CppProject.h"
#include "host/TypeLibrary.h"
#include "hostimpl/CppProjectModel.h"
#include "hostimpl/HostState.h"
#include "rtl/Files.h"
#include "rtl/Resources.h"

namespace hostimpl {
namespace {

THostModule* HostProject(IQProject* project)
{
    if (!project) return nullptr;
    for (auto& p : State().Projects)
        if (static_cast<IQProject*>(p.get()) == project) return p.get();
    return nullptr;
}

class TTypeLibModuleImpl : public TInterfacedObject, public IQTypeLibModule {
public:
    TTypeLibModuleImpl(IQProject* project, std::unique_ptr<TTypeLibrary> lib)
        : FProject(project), FLibrary(std::move(lib)), FOldUnitName(UnitName())
    {
    }
    HRESULT QueryInterface(const TGUID& iid, void** obj) override
    {
        if (QueryAs<IQTypeLibModule>(this, iid, obj)) return S_OK;
        return TInterfacedObject::QueryInterface(iid, obj);
    }
    IQProject* Project() override { return FProject; }
    TTypeLibrary* TypeLibrary() override { return FLibrary.get(); }
    String FileName() override { return FLibrary->FileName; }
    String UnitName() override
    {
        if (FLibrary->FileName.empty()) return FProject->UnitName() + "_TLB";
        return ChangeFileExt(ExtractFileName(FLibrary->FileName), "") + "_TLB";
    }
    String OldUnitName() override { return FOldUnitName; }
    void RenameLibrary(const String& name) override
    {
        if (!IsValidIdent(name)) throw EHostError("'" + name + "' is not a valid identifier");
        const String old = FLibrary->FileName;
        const String file = (old.empty() ? ProjectFolder() : ExtractFilePath(old)) + name + ".tlb";
        if (!SameFileName(file, old)) {
            if (FileExists(file)) throw EHostError("The file " + file + " exists already");
            if (!old.empty() && FileExists(old) && !RenameFile(old, file))
                throw EHostError("Cannot rename " + old + " to " + file);
            if (auto cpp = CppProjectOf(FProject); cpp && !old.empty() && cpp->HasItem(old))
                cpp->RenameItem(old, file);
        }
        FLibrary->Name = name;
        FLibrary->FileName = file;
    }
    void AcceptEdit() override
    {
        FLibrary->AcceptEdit();
        FOldUnitName = UnitName();
    }
    void Show() override { ++FShowCount; }
    int ShowCount() override { return FShowCount; }
    void AddSaveCallback(IQTypeLibSaveCallback* callback) override
    {
        if (callback) FCallbacks.emplace_back(callback);
    }
    int RemoveSaveCallbacksOf(const void* codeAddress) override
    {
        const void* lib = ModuleOfAddress(codeAddress);
        return static_cast<int>(std::erase_if(FCallbacks, [&](const TIntfPtr<IQTypeLibSaveCallback>& c) {
            return ModuleOfAddress(*reinterpret_cast<void* const*>(c.get())) == lib;
        }));
    }
    int SaveCallbackCount() override { return static_cast<int>(FCallbacks.size()); }
    void SelectPage(int page) override { FPage = page; }
    void Refresh() override { ++FRefreshCount; }
    void Save() override
    {
        FLibrary->Save();
        // a callback may add another; those added now run at the next save
        auto callbacks = FCallbacks;
        for (auto& c : callbacks) c->Save();
    }
    const std::vector<TIntfPtr<IQTypeLibSaveCallback>>& Callbacks() const { return FCallbacks; }

private:
    IQProject* FProject;
    std::unique_ptr<TTypeLibrary> FLibrary;
    String FOldUnitName;
    std::vector<TIntfPtr<IQTypeLibSaveCallback>> FCallbacks;
    int FShowCount = 0, FPage = 0, FRefreshCount = 0;
};

struct TProjectTypeLib {
    TIntfPtr<IQProject> Project;
    TIntfPtr<TTypeLibModuleImpl> Module;
    std::unique_ptr<TAtlSourceModule> Atl;
};

std::vector<TProjectTypeLib>& Records()
{
    static std::vector<TProjectTypeLib> list;
    return list;
}
std::vector<std::unique_ptr<TTypeLibrary>>& StandAlone()
{
    static std::vector<std::unique_ptr<TTypeLibrary>> list;
    return list;
}

// Records of closed projects go; a stopped host keeps none.
void Purge()
{
    auto* s = StateOrNull();
    std::erase_if(Records(), [&](TProjectTypeLib& r) {
        if (!s) return true;
        return std::none_of(s->Projects.begin(), s->Projects.end(),
                            [&](auto& p) { return static_cast<IQProject*>(p.get()) == r.Project.get(); });
    });
    if (!s) StandAlone().clear();
}

TProjectTypeLib* Find(IQProject* project)
{
    Purge();
    for (auto& r : Records())
        if (r.Project.get() == project) return &r;
    return nullptr;
}

TProjectTypeLib& Ensure(IQProject* project)
{
    if (!HostProject(project)) throw EHostError("The project is not open in the host");
    if (auto* r = Find(project)) return *r;
    Records().push_back({TIntfPtr<IQProject>(project), nullptr, nullptr});
    return Records().back();
}

const char* const kCoClassUnits = "coclasses";

class TProjectUpdater : public TInterfacedObject,
                        public IQTypeLibUpdater,
                        public IQProjectFileEntries,
                        public IQCoClassRename {
public:
    explicit TProjectUpdater(IQProject* project) : FProject(project) {}
    HRESULT QueryInterface(const TGUID& iid, void** obj) override
    {
        if (QueryAs<IQTypeLibUpdater>(this, iid, obj) || QueryAs<IQProjectFileEntries>(this, iid, obj) ||
            QueryAs<IQCoClassRename>(this, iid, obj))
            return S_OK;
        return TInterfacedObject::QueryInterface(iid, obj);
    }
    // Which unit implements which CoClass is kept in the project file, so that an edit of the
    // library reaches the units in a later session too.
    void NewComObject(const String& coClassName, const String& fileName) override
    {
        Ensure(FProject.get());
        auto m = ProjectModelOf(FProject.get());
        if (!m) return;
        auto& units = m->ProjectSets()[kCoClassUnits];
        std::erase_if(units, [&](auto& e) { return SameText(e.first, coClassName); });
        units[coClassName] = m->Stored(fileName);
        m->AddItem(fileName);
    }
    void NewLibraryProject() override
    {
        // the library of a new library project is named after it
        if (TTypeLibrary* lib = GetTypeLibrary(FProject.get())) lib->Name = FProject->UnitName();
    }
    int EntryCount() override { return static_cast<int>(Entries().size()); }
    String Entry(int index) override
    {
        const auto e = Entries();
        if (index < 0 || index >= static_cast<int>(e.size())) throw EListError("Entry index out of bounds");
        return e[static_cast<std::size_t>(index)];
    }
    void SetEntry(int index, const String& fileName) override
    {
        auto cpp = CppProjectOf(FProject.get());
        if (!cpp || !cpp->RenameItem(Entry(index), fileName))
            throw EHostError("Cannot rename " + Entry(index) + " to " + fileName);
    }
    void Rename(const String& oldName, const String& newName) override
    {
        // the server's object map makes the object under its new name
        if (THostModule* p = HostProject(FProject.get())) RenameObjectInProjectMap(*p, oldName, newName);
        auto m = ProjectModelOf(FProject.get());
        if (!m || !m->ProjectSets().count(kCoClassUnits)) return;
        auto& units = m->ProjectSets()[kCoClassUnits];
        for (auto it = units.begin(); it != units.end(); ++it)
            if (SameText(it->first, oldName)) {
                const String unit = it->second;
                units.erase(it);
                units[newName] = unit;
                return;
            }
    }
    String CoClassUnit(const String& coClassName) override
    {
        auto m = ProjectModelOf(FProject.get());
        if (!m || !m->ProjectSets().count(kCoClassUnits)) return "";
        for (auto& [co, unit] : m->ProjectSets()[kCoClassUnits])
            if (SameText(co, coClassName)) return m->Full(unit);
        return "";
    }

private:
    std::vector<String> Entries()
    {
        auto cpp = CppProjectOf(FProject.get());
        return cpp ? cpp->Items() : std::vector<String>{};
    }
    TIntfPtr<IQProject> FProject;
};

}  // namespace

void RemoveTypeLibraryResidue(const std::function<bool(const void*)>& inModule, std::vector<String>& found)
{
    if (!StateOrNull()) return;
    Purge();
    for (auto& r : Records()) {
        if (!r.Module) continue;
        for (auto& c : std::vector<TIntfPtr<IQTypeLibSaveCallback>>(r.Module->Callbacks())) {
            const void* vtable = *reinterpret_cast<void* const*>(c.get());
            if (inModule(vtable) && r.Module->RemoveSaveCallbacksOf(vtable))
                found.push_back("type library save callback of " + ExtractFileName(r.Project->FileName()));
        }
    }
}

}  // namespace hostimpl

using namespace hostimpl;

int ProjectKind(IQProject* project)
{
    THostModule* p = HostProject(project);
    return p ? p->Kind() : 0;
}

bool IsLibrary(IQProject* project)
{
    const int k = ProjectKind(project);
    return k == pkLibrary || k == pkActiveXLibrary;
}

bool IsApplication(IQProject* project)
{
    return HostProject(project) && !IsLibrary(project) && ProjectKind(project) != pkStaticLibrary;
}

TIntfPtr<IQTypeLibModule> FindTypeLibModule(IQProject* project)
{
    auto* r = Find(project);
    return r && r->Module ? TIntfPtr<IQTypeLibModule>(r->Module.get()) : nullptr;
}

TTypeLibrary* GetTypeLibrary(IQProject* project)
{
    auto m = FindTypeLibModule(project);
    return m ? m->TypeLibrary() : nullptr;
}

TIntfPtr<IQTypeLibModule> CreateTypeLibModule(IQProject* project, const String& fileName)
{
    auto& r = Ensure(project);
    std::unique_ptr<TTypeLibrary> lib;
    if (FileExists(fileName)) {
        lib = TTypeLibrary::Load(fileName);
    } else {
        lib = std::make_unique<TTypeLibrary>(project->UnitName(), CreateGUID());
        lib->HelpString = project->UnitName() + " Library";
        lib->FileName = fileName;
    }
    r.Module = TIntfPtr<TTypeLibModuleImpl>(new TTypeLibModuleImpl(project, std::move(lib)));
    if (auto cpp = CppProjectOf(project)) cpp->AddItem(fileName);
    return TIntfPtr<IQTypeLibModule>(r.Module.get());
}

TIntfPtr<IQTypeLibModule> GetOrCreateTypeLibModule(IQProject* project)
{
    if (auto m = FindTypeLibModule(project)) return m;
    if (!project) throw EHostError("There is no project for the type library");
    return CreateTypeLibModule(project, ChangeFileExt(project->FileName(), ".tlb"));
}

void RequireTypeLibraryProject(IQProject* project)
{
    const int kind = ProjectKind(project);
    if (IsLibrary(project) && kind != pkActiveXLibrary) throw EHostError(sTypeLibNeedsActiveLibrary);
    if (kind == pkConsoleApplication) throw EHostError(sTypeLibNotInConsoleApp);
    if (kind == pkStaticLibrary) throw EHostError(sTypeLibNotInStaticLibrary);
}

TIntfPtr<IInterface> GetProjectUpdater(IQProject* project)
{
    if (!HostProject(project)) return nullptr;
    return TIntfPtr<IInterface>(static_cast<IQTypeLibUpdater*>(new TProjectUpdater(project)));
}

TTypeLibrary* OpenNewTypeLibrary()
{
    auto& list = StandAlone();
    Purge();
    String file;
    for (int n = 1;; ++n) {
        file = ProjectFolder() + "Library" + IntToStr(n) + ".tlb";
        if (!FileExists(file) &&
            std::none_of(list.begin(), list.end(), [&](auto& l) { return SameFileName(l->FileName, file); }))
            break;
    }
    auto lib = std::make_unique<TTypeLibrary>(ChangeFileExt(ExtractFileName(file), ""), CreateGUID());
    lib->FileName = file;
    list.push_back(std::move(lib));
    return list.back().get();
}

int StandAloneTypeLibraryCount()
{
    Purge();
    return static_cast<int>(StandAlone().size());
}

TAtlSourceModule::TAtlSourceModule(IQProject* project, TIntfPtr<IQModule> module)
    : FProject(project), FModule(std::move(module))
{
}

String TAtlSourceModule::FileName() const { return FModule->FileName(); }

void TAtlSourceModule::Rename(const String& fileName)
{
    const String old = FileName();
    if (SameFileName(old, fileName)) return;
    auto* m = dynamic_cast<THostModule*>(FModule.get());
    if (!m) throw EHostError("The ATL unit is no module of the host");
    for (int i = 0; i < m->FileCount(); ++i) {
        auto f = m->File(i);
        const String name = ChangeFileExt(fileName, ExtractFileExt(f->FileName()));
        m->SetFile(static_cast<std::size_t>(i), TIntfPtr<IQSourceFile>(new TStringFile(name, f->Source())));
        // the files written under the old name go with it
        // (best effort: the text goes with the module, an old file that cannot move stays behind)
        if (FileExists(f->FileName()) && !FileExists(name)) (void)RenameFile(f->FileName(), name);
    }
    m->SetFileName(fileName);
    if (auto cpp = CppProjectOf(FProject)) cpp->RenameItem(old, fileName);
}

void TAtlSourceModule::Save()
{
    for (int i = 0; i < FModule->FileCount(); ++i) {
        auto f = FModule->File(i);
        AtomicWriteFile(f->FileName(), f->Source());
    }
}

TAtlSourceModule* FindAtlSourceModule(IQProject* project)
{
    auto* r = Find(project);
    return r ? r->Atl.get() : nullptr;
}

TAtlSourceModule* GetOrCreateAtlSourceModule(IQProject* project)
{
    if (TAtlSourceModule* a = FindAtlSourceModule(project)) return a;
    if (!GetATLUnitCreatorProc || !HostProject(project)) return nullptr;
    TIntfPtr<IQModuleCreator> creator = GetATLUnitCreatorProc(project);
    if (!creator) return nullptr;
    TIntfPtr<IQModule> m = ModuleServices()->CreateModule(creator.get(), project);
    auto& r = Ensure(project);
    r.Atl = std::make_unique<TAtlSourceModule>(project, m);
    return r.Atl.get();
}
