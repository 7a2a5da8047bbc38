#include "Cppproopen.h"

#include <algorithm>
#include <utility>

#include "host/IDEServices.h"
#include "rtl/Files.h"

namespace {

// The project being compiled, from the before-compile notification to the after-compile one.
TIntfPtr<IQProject> gCompiling;

TIntfPtr<IQProjectFileEntries> EntriesOf(IQProject* project)
{
    TIntfPtr<IQProjectFileEntries> entries;
    if (!Supports(GetProjectUpdater(project), entries)) return nullptr;
    return entries;
}

// A project has a type library when its module is open or it lists a ".tlb" file.
bool HasTypeLibrary(IQProject* project)
{
    if (!project) return false;
    if (FindTypeLibModule(project)) return true;
    auto entries = EntriesOf(project);
    if (!entries) return false;
    for (int i = 0; i < entries->EntryCount(); ++i)
        if (ExtractFileExt(entries->Entry(i)) == ".tlb") return true;
    return false;
}

TIntfPtr<IQProject> OpenProjectOf(const String& fileName)
{
    TIntfPtr<IQProjectGroup> group = MainProjectGroup();
    for (int i = 0; i < group->OpenModuleCount(); ++i) {
        TIntfPtr<IQModule> m = group->OpenModule(i);
        TIntfPtr<IQProject> p;
        if (SameFileName(m->FileName(), fileName) && Supports(m, p)) return p;
    }
    return nullptr;
}

// Replaces the first line of the file that is exactly from; the file is left alone without one.
void ReplaceIncludeLine(const String& fileName, const String& from, const String& to)
{
    const String text = ReadFileBytes(fileName);
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        const std::size_t next = end == String::npos ? text.size() : end + 1;
        if (end == String::npos) end = text.size();
        const std::size_t len = end > start && text[end - 1] == '\r' ? end - 1 - start : end - start;
        if (text.compare(start, len, from) == 0 && len == from.size()) {
            AtomicWriteFile(fileName, text.substr(0, start) + to + text.substr(start + len));
            return;
        }
        start = next;
    }
}

}  // namespace

namespace Cppproopen {
int UseCount = 0;
void Initialization() {}
void Finalization() { gCompiling.reset(); }
}  // namespace Cppproopen

bool MoveGeneratedFiles(IQProjectFileEntries* entries, const String& oldTlb, const String& target)
{
    const String oldCpp = ChangeFileExt(oldTlb, "") + "_TLB.cpp", oldH = ChangeFileExt(oldCpp, ".h");
    const String newCpp = ChangeFileExt(target, "") + "_TLB.cpp", newH = ChangeFileExt(newCpp, ".h");
    const String oldInclude = "#include \"" + ExtractFileName(oldH) + "\"";
    const String newInclude = "#include \"" + ExtractFileName(newH) + "\"";
    bool result = false;
    for (int i = 0; i < entries->EntryCount(); ++i) {
        String name = entries->Entry(i);
        if (name == oldCpp) {
            result = true;
            entries->SetEntry(i, newCpp);
            name = newCpp;
            // a copy never overwrites a file that is there; an old file that is there but cannot
            // be copied would leave the project naming a file that does not exist
            for (const auto& [from, to] : {std::pair{oldCpp, newCpp}, std::pair{oldH, newH}})
                if (!FileExists(to) && FileExists(from) && !CopyFile(from, to, true))
                    throw EInOutError("Cannot copy " + from + " to " + to);
        }
        if (!FileExists(name) || name.find(".cpp") == String::npos) continue;
        ReplaceIncludeLine(name, oldInclude, newInclude);
        const String h = ChangeFileExt(name, ".h"), hpp = ChangeFileExt(name, ".hpp");
        if (FileExists(h))
            ReplaceIncludeLine(h, oldInclude, newInclude);
        else if (FileExists(hpp))
            ReplaceIncludeLine(hpp, oldInclude, newInclude);
    }
    return result;
}

void MigrateTypeLibrary(const String& projectFileName)
{
    try {
        const String ext = ExtractFileExt(projectFileName);
        if (ext != ".tvr" && ext != ".qdsproj" && ext != ".tvproj") return;
        TIntfPtr<IQProject> project = OpenProjectOf(projectFileName);
        if (!project || !HasTypeLibrary(project.get())) return;
        const String target = ChangeFileExt(project->FileName(), ".tlb");
        auto entries = EntriesOf(project.get());
        if (!entries) return;
        bool found = false, moved = false;
        if (FileExists(target)) {
            found = true;
            for (int i = 0; i < entries->EntryCount() && !moved; ++i)
                moved = SameText(entries->Entry(i), target);
        } else {
            for (int i = 0; i < entries->EntryCount(); ++i) {
                const String entry = entries->Entry(i);
                if (ExtractFileExt(entry) != ".tlb" || !FileExists(entry)) continue;
                found = true;
                auto lib = TTypeLibrary::Load(entry);
                moved = MoveGeneratedFiles(entries.get(), entry, target);
                lib->FileName = target;
                lib->Save();
                entries->SetEntry(i, target);
                break;
            }
        }
        if (found && moved && !FindTypeLibModule(project.get())) CreateTypeLibModule(project.get(), target);
    } catch (const Exception&) {
        // a project that cannot be migrated opens as it is
    }
}

TOpenProjectNotifier::TOpenProjectNotifier(std::function<void()> release) : FRelease(std::move(release))
{
    FIndex = RequireService<IQIDEServices>("IDE services")->AddNotifier(this);
}

HRESULT TOpenProjectNotifier::QueryInterface(const TGUID& iid, void** obj)
{
    if (QueryAs<IQTAIDENotifier>(this, iid, obj)) return S_OK;
    return TNotifierObject::QueryInterface(iid, obj);
}

void TOpenProjectNotifier::Destroyed()
{
    if (FIndex < 0) return;
    const int index = FIndex;
    FIndex = -1;
    TIntfPtr<IQIDEServices> services;
    if (Supports(QuistorIDEServices(), services)) services->RemoveNotifier(index);
    if (FRelease) FRelease();
}

void TOpenProjectNotifier::FileNotification(int notifyCode, const String& fileName, bool&)
{
    if (notifyCode == ofnFileOpened) MigrateTypeLibrary(fileName);
}

void TOpenProjectNotifier::BeforeCompile(IQProject* project, bool&)
{
    TIntfPtr<IQProject> p;
    if (!project || !Supports(project, p)) return;
    gCompiling = p;
    if (!CppProjectOf(p.get()) || !HasTypeLibrary(p.get())) return;
    const String target = ProjectTargetFile(p.get());
    if (FileExists(target) && CompileFlagsOf(p.get()).RegisterActiveX) UnregisterOleControl(target);
}

void TOpenProjectNotifier::AfterCompile(bool)
{
    TIntfPtr<IQProject> p = std::move(gCompiling);
    gCompiling.reset();
    if (!p || !CppProjectOf(p.get()) || !HasTypeLibrary(p.get())) return;
    const String target = ProjectTargetFile(p.get());
    const TCppCompileFlags flags = CompileFlagsOf(p.get());
    if (FileExists(target) && flags.RegisterActiveX) RegisterOleControl(target);
    if (flags.ConvertToAssembly) {
        std::vector<String> scratch;
        ConvertTypeLibraryToAssembly(target, scratch);
    }
}

HRESULT TProjectMenuModifierBase::QueryInterface(const TGUID& iid, void** obj)
{
    if (QueryAs<IQProjectMenuItemFilter>(this, iid, obj) || QueryAs<IQProjectMenuModifier>(this, iid, obj))
        return S_OK;
    return TInterfacedObject::QueryInterface(iid, obj);
}

bool TAtlFileMenuModifier::AppliesTo(const String& fileName) { return fileName.find("_ATL.cpp") != String::npos; }
void TAtlFileMenuModifier::ModifyLocalCommands(std::vector<int>& commands) { RemoveCommands(commands, {9, 8}); }

bool TTlbCppFileMenuModifier::AppliesTo(const String& fileName)
{
    return fileName.find("_TLB.cpp") != String::npos;
}
void TTlbCppFileMenuModifier::ModifyLocalCommands(std::vector<int>& commands)
{
    RemoveCommands(commands, {9, 8, 1});
}

bool TTlbFileMenuModifier::AppliesTo(const String& fileName) { return ExtractFileExt(fileName) == ".tlb"; }
void TTlbFileMenuModifier::ModifyLocalCommands(std::vector<int>& commands) { RemoveCommands(commands, {9, 8}); }
