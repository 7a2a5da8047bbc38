#include "host/CppProject.h"

#include <algorithm>
#include <filesystem>
#include <map>

#include "host/CppPersonality.h"
#include "hostimpl/CppProjectModel.h"
#include "hostimpl/HostState.h"
#include "host/MakeFile.h"
#include "host/ProjectManager.h"
#include "host/SourceFiles.h"
#include "rtl/Files.h"
#include "rtl/ScopeGuard.h"

namespace hostimpl {

namespace fs = std::filesystem;

String TCppProjectModel::Full(const String& file) const
{
    if (file.empty()) return file;
    fs::path p(file);
    if (p.is_relative()) p = fs::path(FDirectory) / p;
    return p.lexically_normal().string();
}

String TCppProjectModel::Stored(const String& file) const
{
    const String full = Full(file);
    const String rel = ExtractRelativePath(FFileName, full);
    if (rel.rfind("..", 0) != 0) return rel;
    for (const String& r : FReadRelative)
        if (SameFileName(r, full)) return rel;
    return full;
}

String TCppProjectModel::FromFile(const String& stored)
{
    const String full = Full(stored);
    if (!stored.empty() && stored[0] != '/' && stored.rfind("..", 0) == 0) FReadRelative.push_back(full);
    return full;
}

TCppProjectModel::TItem* TCppProjectModel::Find(const String& file)
{
    const String full = Full(file);
    for (auto& i : FItems)
        if (SameFileName(i.File, full)) return &i;
    return nullptr;
}

HRESULT TCppProjectModel::QueryInterface(const TGUID& iid, void** obj)
{
    if (QueryAs<IQCppProject>(this, iid, obj)) return S_OK;
    return TInterfacedObject::QueryInterface(iid, obj);
}

std::vector<String> TCppProjectModel::Items()
{
    std::vector<String> r;
    for (auto& i : FItems) r.push_back(i.File);
    return r;
}

bool TCppProjectModel::HasItem(const String& file) { return Find(file) != nullptr; }

void TCppProjectModel::AddItem(const String& file)
{
    if (file.empty() || Find(file)) return;
    FItems.emplace_back(Full(file));
    ProjectManagerRefresh();
}

bool TCppProjectModel::RemoveItem(const String& file)
{
    TItem* i = Find(file);
    if (!i) return false;
    const String full = i->File;
    FItems.erase(FItems.begin() + (i - FItems.data()));
    std::erase_if(FUses, [&](const TUsesEntry& u) { return SameFileName(u.FileName, full); });
    FireProjectModuleRemoved(this, full);
    ProjectManagerRefresh();
    return true;
}

bool TCppProjectModel::RenameItem(const String& oldName, const String& newName)
{
    TItem* i = Find(oldName);
    if (!i || newName.empty() || (Find(newName) && Find(newName) != i)) return false;
    const String old = i->File;
    i->File = Full(newName);
    for (auto& u : FUses)
        if (SameFileName(u.FileName, old)) u.FileName = i->File;
    if (TStdFileContainer* node = ProjectManagerNode(this, old)) node->ChangeNames(old, i->File);
    ProjectManagerRefresh();
    return true;
}

String TCppProjectModel::ItemCompiler(const String& file)
{
    TItem* i = Find(file);
    return i ? i->Compiler : String();
}

void TCppProjectModel::SetItemCompiler(const String& file, const String& compiler)
{
    if (TItem* i = Find(file)) i->Compiler = compiler;
}

TCppProjectModel::TSets* TCppProjectModel::SetsOf(const String& file)
{
    if (file.empty()) return &FProjectSets;
    TItem* i = Find(file);
    return i ? &i->Sets : nullptr;
}

bool TCppProjectModel::HasOptionValue(const String& file, const String& set, const String& name)
{
    TSets* s = SetsOf(file);
    if (!s) return false;
    auto it = s->find(set);
    return it != s->end() && it->second.count(name) > 0;
}

String TCppProjectModel::OptionValue(const String& file, const String& set, const String& name)
{
    TSets* s = SetsOf(file);
    if (!s) return "";
    auto it = s->find(set);
    if (it == s->end()) return "";
    auto v = it->second.find(name);
    return v == it->second.end() ? String() : v->second;
}

void TCppProjectModel::SetOptionValue(const String& file, const String& set, const String& name,
                                      const String& value)
{
    TSets* s = SetsOf(file);
    if (!s) throw EHostError("The project holds no file " + file);
    (*s)[set][name] = value;
}

bool TCppProjectModel::HasLocalOptions(const String& file)
{
    TItem* i = Find(file);
    return i && !i->Sets.empty();
}

void TCppProjectModel::RemoveLocalOptions(const String& file)
{
    if (TItem* i = Find(file)) i->Sets.clear();
}

std::vector<String> TCppProjectModel::ItemGenFiles(const String& file)
{
    TItem* i = Find(file);
    return i ? i->GenFiles : std::vector<String>{};
}

void TCppProjectModel::SetItemGenFiles(const String& file, const std::vector<String>& genFiles)
{
    if (TItem* i = Find(file)) i->GenFiles = genFiles;
}

String TCppProjectModel::ItemValue(const String& file, const String& name)
{
    TItem* i = Find(file);
    if (!i) return "";
    for (auto& [n, v] : i->Values)
        if (n == name) return v;
    return "";
}

void TCppProjectModel::SetItemValue(const String& file, const String& name, const String& value)
{
    TItem* i = Find(file);
    if (!i) return;
    for (auto& nv : i->Values)
        if (nv.first == name) {
            nv.second = value;
            return;
        }
    i->Values.emplace_back(name, value);
}

String TCppProjectModel::GetOption(const String& name)
{
    for (auto& [n, v] : FOptions)
        if (SameText(n, name)) return v;
    return "";
}

void TCppProjectModel::SetOption(const String& name, const String& value)
{
    for (auto& nv : FOptions)
        if (SameText(nv.first, name)) {
            nv.second = value;
            return;
        }
    FOptions.emplace_back(name, value);
}

void TCppProjectModel::AddUsesEntry(const TUsesEntry& entry)
{
    for (auto& u : FUses)
        if (SameFileName(u.FileName, entry.FileName)) {
            u = entry;
            return;
        }
    FUses.push_back(entry);
}

bool TCppProjectModel::HasMakeSym(const String& name) { return FMacroIndex.count(name) != 0; }

String TCppProjectModel::GetMakeSym(const String& name)
{
    const auto it = FMacroIndex.find(name);
    return it == FMacroIndex.end() ? String() : FMacros[it->second].second;
}

void TCppProjectModel::SetMakeSym(const String& name, const String& value)
{
    const auto [it, fresh] = FMacroIndex.emplace(name, FMacros.size());
    if (fresh)
        FMacros.emplace_back(name, value);
    else
        FMacros[it->second].second = value;
}

void TCppProjectModel::Save()
{
    RecordProjectModule(*this);
    if (FForm == TCppProjectForm::MakeFile) WriteMakeMacros(*this);
    if (IdlOptionsUpdaterClass && SameText(FPersonality, sCppPersonality)) {
        std::unique_ptr<TIdlOptionsUpdaterBase> u(IdlOptionsUpdaterClass(this));
        u->UpdateIDLRules(this);
    }
    if (FForm == TCppProjectForm::MakeFile)
        SaveMakeFile(*this);
    else
        SaveXmlProject(*this);
}

namespace {

bool IsProjectSourceName(const String& file)
{
    const String ext = ExtractFileExt(file);
    for (const char* e : {".cpp", ".cc", ".cxx", ".c", ".pdr", ".dpr"})
        if (SameText(ext, e)) return true;
    return false;
}

std::vector<std::pair<TIntfPtr<IQProject>, TIntfPtr<TCppProjectModel>>>& Models()
{
    static std::vector<std::pair<TIntfPtr<IQProject>, TIntfPtr<TCppProjectModel>>> list;
    return list;
}

void PurgeClosed()
{
    auto* s = StateOrNull();
    std::erase_if(Models(), [&](auto& m) {
        if (!s) return true;
        return std::none_of(s->Projects.begin(), s->Projects.end(),
                            [&](auto& p) { return static_cast<IQProject*>(p.get()) == m.first.get(); });
    });
}

}  // namespace

namespace {

// What the project file keeps of the project's open module, so that a project opened again is
// the one saved: its own name and source files, its kind and personality (the defaults of a
// project made by `project new` are not written).
const char* const kModuleSet = "project";

THostModule* ModuleOfModel(TCppProjectModel& m)
{
    for (auto& [p, model] : Models())
        if (model.get() == &m) return dynamic_cast<THostModule*>(p.get());
    return nullptr;
}

String Joined(const TCppProjectModel& m, const std::vector<String>& files)
{
    String r;
    for (const String& f : files) r += (r.empty() ? "" : " ") + FixFileSpaces(m.Stored(f));
    return r;
}

}  // namespace

void RecordProjectModule(TCppProjectModel& m)
{
    THostModule* p = ModuleOfModel(m);
    if (!p) return;
    auto& set = m.ProjectSets()[kModuleSet];
    if (!SameFileName(p->FileName(), m.FileName())) set["name"] = m.Stored(p->FileName());
    if (p->Kind() != 1) set["kind"] = IntToStr(p->Kind());
    if (!SameText(p->Personality(), sCppPersonality)) set["personality"] = p->Personality();
    std::vector<String> sources;
    for (int i = 0; i < p->FileCount(); ++i)
        if (auto f = p->File(i)) sources.push_back(f->FileName());
    if (!sources.empty()) set["sources"] = Joined(m, sources);
    if (set.empty()) m.ProjectSets().erase(kModuleSet);
    // the project's own sources are files of the project
    for (const String& f : sources) m.AddItem(f);
}

namespace {

String LanguageOfFile(const String& file)
{
    const String ext = ExtractFileExt(file);
    if (SameText(ext, ".pas")) return "Pascal";
    return SameText(ext, ".idl") ? String() : String("C++");
}

void AddFileIfThere(THostModule& m, const String& file)
{
    if (FileExists(file)) m.AddFile(TIntfPtr<IQSourceFile>(new TStringFile(file, ReadFileBytes(file))));
}

// The open module of a project read from its file: what RecordProjectModule kept, and a module
// for each unit and IDL file of it (generated units are opened by their build tool).
void RestoreProjectModule(TCppProjectModel& m, THostModule& p)
{
    auto& sets = m.ProjectSets();
    auto it = sets.find(kModuleSet);
    if (it != sets.end()) {
        auto& v = it->second;
        if (v.count("name")) p.SetFileName(m.Full(v["name"]));
        if (v.count("kind")) p.SetKind(StrToIntDef(v["kind"], 1));
        if (v.count("personality")) {
            p.SetPersonality(v["personality"]);
            m.SetPersonality(v["personality"]);
        }
        if (v.count("sources"))
            for (const String& f : MacroWords(v["sources"])) AddFileIfThere(p, m.Full(f));
    }
    std::vector<String> sources;
    for (int i = 0; i < p.FileCount(); ++i) sources.push_back(p.File(i)->FileName());
    auto isSource = [&](const String& f) {
        return std::any_of(sources.begin(), sources.end(),
                           [&](const String& s) { return SameFileName(s, f); });
    };
    const auto uses = m.UsesEntries();
    for (const String& item : m.Items()) {
        if (isSource(item) || !FileExists(item)) continue;
        const auto u = std::find_if(uses.begin(), uses.end(),
                                    [&](const TUsesEntry& e) { return SameFileName(e.FileName, item); });
        const bool unit = u != uses.end() && u->Kind == 0;
        if (!unit && !SameText(ExtractFileExt(item), ".idl")) continue;
        TIntfPtr<THostModule> mod(new THostModule(false, item, unit ? u->FormName : String(),
                                                  m.ItemValue(item, "ANCESTOR"), LanguageOfFile(item)));
        AddFileIfThere(*mod, item);
        if (unit) {
            AddFileIfThere(*mod, ChangeFileExt(item, ".h"));
            if (!u->FormName.empty()) AddFileIfThere(*mod, ChangeFileExt(item, ".zfm"));
        }
        p.AddModule(mod);
    }
}

}  // namespace

void JoinProjectModel(THostModule& project, THostModule& unit)
{
    auto m = ProjectModelOf(&project);
    const String file = unit.FileName();
    if (!m || file.empty()) return;
    // a unit the project knows (a generated one, opened again) keeps its entry
    if (m->HasItem(file)) return;
    m->AddItem(file);
    if (SameText(ExtractFileExt(file), ".idl")) return;
    const bool cpp = LanguageOfFile(file) == "C++";
    TUsesEntry e(m->Full(file), cpp ? "CCompiler" : "", 0);
    e.FormName = unit.RootName();
    m->AddUsesEntry(e);
    if (cpp) m->SetItemCompiler(file, "CCompiler");
    if (!unit.AncestorName().empty()) m->SetItemValue(file, "ANCESTOR", unit.AncestorName());
}

TIntfPtr<TCppProjectModel> ModelOf(IQProject* project)
{
    if (!project || !SameText(project->Personality(), sCppPersonality)) return nullptr;
    return ProjectModelOf(project);
}

TIntfPtr<TCppProjectModel> ProjectModelOf(IQProject* project)
{
    PurgeClosed();
    if (!project) return nullptr;
    for (auto& [p, m] : Models())
        if (p.get() == project) return m;
    String file = project->FileName();
    // A project named by its source keeps its project file beside it: the source is never
    // overwritten by the project file.
    if (IsProjectSourceName(file)) file = ChangeFileExt(file, ".zproj");
    const TCppProjectForm form =
        SameText(ExtractFileExt(file), ".mak") ? TCppProjectForm::MakeFile : TCppProjectForm::Xml;
    TIntfPtr<TCppProjectModel> m(new TCppProjectModel(file, form, project->Personality()));
    Models().emplace_back(TIntfPtr<IQProject>(project), m);
    return m;
}

TIntfPtr<IQProject> NewCppProject(const String& name)
{
    auto& s = State();
    const String fileName = ExpandFileName(name);
    if (FindProjectByFile(fileName)) throw EHostError("The project " + fileName + " is open already");
    TIntfPtr<THostModule> p(new THostModule(true, fileName, "", "", sCppPersonality));
    s.Projects.push_back(p);
    s.ActiveProject = p;
    return p;
}

TIntfPtr<IQProject> OpenCppProject(const String& name)
{
    // a project named by its source is read from the project file beside it
    String fileName = ExpandFileName(name);
    if (IsProjectSourceName(fileName)) fileName = ChangeFileExt(fileName, ".zproj");
    if (!FileExists(fileName)) throw EHostError("No project file " + fileName);
    TIntfPtr<IQProject> p = NewCppProject(fileName);
    // A project file that cannot be read leaves no project open.
    TScopeGuard undo([&] {
        std::erase_if(State().Projects, [&](auto& x) { return static_cast<IQProject*>(x.get()) == p.get(); });
        State().ActiveProject.reset();
    });
    auto m = ModelOf(p.get());
    if (m->Form() == TCppProjectForm::MakeFile)
        LoadMakeFile(*m);
    else
        LoadXmlProject(*m);
    RestoreProjectModule(*m, *FindProjectByFile(fileName));
    undo.Dismiss();
    ProjectManagerRefresh();
    return p;
}

namespace {
void AddModelItem(IQProject* project, const String& file)
{
    if (auto m = ProjectModelOf(project)) m->AddItem(file);
}
// the module services reach the model through these
const bool kModelHooks = (ProjectModelHooks = {JoinProjectModel, AddModelItem}, true);
}  // namespace

std::vector<TIntfPtr<TCppProjectModel>> OpenCppProjects()
{
    PurgeClosed();
    std::vector<TIntfPtr<TCppProjectModel>> r;
    for (auto& [p, m] : Models()) r.push_back(m);
    return r;
}

}  // namespace hostimpl

String TUsesEntry::UnitName() const { return ChangeFileExt(ExtractFileName(FileName), ""); }

TIntfPtr<IQCppProject> CppProjectOf(IQProject* project)
{
    auto m = hostimpl::ModelOf(project);
    return m ? TIntfPtr<IQCppProject>(m.get()) : nullptr;
}

TIntfPtr<IQCppProject> ActiveCppProject()
{
    auto p = ActiveProject();
    return p ? CppProjectOf(p.get()) : nullptr;
}

String AddPathOption(const String& paths, const String& dir)
{
    if (paths.find(dir) != String::npos) return paths;
    return paths + ";" + dir;
}
