#include "Cppproopen.h"

#include <algorithm>
#include <utility>

#include "host/IDEServices.h"
#include "host/MessageServices.h"
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

// The text with its first line that is exactly from replaced; the text itself without one.
String ReplacedIncludeLine(const String& text, const String& from, const String& to)
{
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        const std::size_t next = end == String::npos ? text.size() : end + 1;
        if (end == String::npos) end = text.size();
        const std::size_t len = end > start && text[end - 1] == '\r' ? end - 1 - start : end - start;
        if (text.compare(start, len, from) == 0 && len == from.size())
            return text.substr(0, start) + to + text.substr(start + len);
        start = next;
    }
    return text;
}

// What a migration does, planned whole before any of it is done.
struct TMigration {
    std::vector<std::pair<String, String>> Creates;  // a file not there yet, its text
    std::vector<std::pair<String, String>> Rewrites;  // a file that is there, its new text
    std::vector<std::pair<int, String>> Entries;  // project entry, new name
};

// The unit of oldTlb renamed to that of target among the entries (its copies never go over a
// file that is there) and the include lines that follow; true when the unit is an entry.
bool PlanGeneratedFiles(IQProjectFileEntries* entries, const String& oldTlb, const String& target,
                        TMigration& plan)
{
    const String oldCpp = ChangeFileExt(oldTlb, "") + "_TLB.cpp", oldH = ChangeFileExt(oldCpp, ".h");
    const String newCpp = ChangeFileExt(target, "") + "_TLB.cpp", newH = ChangeFileExt(newCpp, ".h");
    const String oldInclude = "#include \"" + ExtractFileName(oldH) + "\"";
    const String newInclude = "#include \"" + ExtractFileName(newH) + "\"";
    bool result = false;
    // a file as it stands once the copies are made, its include line changed
    const auto follow = [&](const String& file, const String& copiedFrom) {
        if (FileExists(file)) {
            const String text = ReadFileBytes(file);
            const String changed = ReplacedIncludeLine(text, oldInclude, newInclude);
            if (changed != text) plan.Rewrites.emplace_back(file, changed);
        } else if (!copiedFrom.empty() && FileExists(copiedFrom)) {
            plan.Creates.emplace_back(file,
                                      ReplacedIncludeLine(ReadFileBytes(copiedFrom), oldInclude, newInclude));
        }
    };
    for (int i = 0; i < entries->EntryCount(); ++i) {
        const String name = entries->Entry(i);
        if (name == oldCpp) {
            result = true;
            plan.Entries.emplace_back(i, newCpp);
            follow(newCpp, oldCpp);
            follow(newH, oldH);
            continue;
        }
        if (!FileExists(name) || name.find(".cpp") == String::npos) continue;
        follow(name, "");
        const String h = ChangeFileExt(name, ".h"), hpp = ChangeFileExt(name, ".hpp");
        if (FileExists(h))
            follow(h, "");
        else if (FileExists(hpp))
            follow(hpp, "");
    }
    return result;
}

// Does the plan: new files first, then the rewrites; on any failure what was written is taken
// back (new files removed, rewritten ones given their old text) and the error passes on.
void CarryOut(const TMigration& plan)
{
    std::vector<String> created;
    std::vector<std::pair<String, String>> rewritten;  // file, old text
    try {
        for (const auto& [file, text] : plan.Creates) {
            if (FileExists(file)) throw EInOutError("Cannot create " + file + ": the file exists");
            AtomicWriteFile(file, text);
            created.push_back(file);
        }
        for (const auto& [file, text] : plan.Rewrites) {
            const String old = ReadFileBytes(file);
            AtomicWriteFile(file, text);
            rewritten.emplace_back(file, old);
        }
    } catch (...) {
        for (auto it = rewritten.rbegin(); it != rewritten.rend(); ++it) {
            try {
                AtomicWriteFile(it->first, it->second);
            } catch (const Exception&) {
                // the first error is the one the user reads
            }
        }
        for (const String& f : created) (void)DeleteFile(f);
        throw;
    }
}

}  // namespace

namespace Cppproopen {
int UseCount = 0;
void Initialization() {}
void Finalization() { gCompiling.reset(); }
}  // namespace Cppproopen

void MigrateTypeLibrary(const String& projectFileName)
{
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
        for (int i = 0; i < entries->EntryCount() && !moved; ++i) moved = SameText(entries->Entry(i), target);
    } else {
        for (int i = 0; i < entries->EntryCount(); ++i) {
            const String entry = entries->Entry(i);
            if (ExtractFileExt(entry) != ".tlb" || !FileExists(entry)) continue;
            found = true;
            // all or nothing: planned whole, carried out whole, and only then the project's entries
            TMigration plan;
            try {
                auto lib = TTypeLibrary::Load(entry);
                moved = PlanGeneratedFiles(entries.get(), entry, target, plan);
                lib->FileName = target;
                plan.Creates.insert(plan.Creates.begin(), {target, lib->Text()});
                TTypeLibrary::Parse(lib->Text());
                CarryOut(plan);
            } catch (const Exception& e) {
                BMSG(2, 0, projectFileName, 0, 0, 0,
                     "The type library " + entry + " was not moved to " + target + ": " + e.Message());
                return;
            }
            plan.Entries.emplace_back(i, target);
            for (const auto& [index, name] : plan.Entries) entries->SetEntry(index, name);
            break;
        }
    }
    if (!found || !moved || FindTypeLibModule(project.get())) return;
    try {
        CreateTypeLibModule(project.get(), target);
    } catch (const Exception& e) {
        // the project opens without its library, and the user reads why
        BMSG(2, 0, projectFileName, 0, 0, 0, e.Message());
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

bool TAtlFileMenuModifier::AppliesTo(const String& fileName)
{
    return fileName.find("_ATL.cpp") != String::npos;
}
void TAtlFileMenuModifier::ModifyLocalCommands(std::vector<int>& commands)
{
    RemoveCommands(commands, {9, 8});
}

bool TTlbCppFileMenuModifier::AppliesTo(const String& fileName)
{
    return fileName.find("_TLB.cpp") != String::npos;
}
void TTlbCppFileMenuModifier::ModifyLocalCommands(std::vector<int>& commands)
{
    RemoveCommands(commands, {9, 8, 1});
}

bool TTlbFileMenuModifier::AppliesTo(const String& fileName) { return ExtractFileExt(fileName) == ".tlb"; }
void TTlbFileMenuModifier::ModifyLocalCommands(std::vector<int>& commands)
{
    RemoveCommands(commands, {9, 8});
}
