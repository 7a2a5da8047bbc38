#include "Idlproject.h"

#include <algorithm>

#include "Idlcompile.h"
#include "Idlcppreg.h"
#include "Idlmakefile.h"
#include "Idlprojupdater.h"
#include "host/Creators.h"
#include "host/MessageServices.h"
#include "host/ModuleServices.h"
#include "host/SourceModule.h"
#include "host/ProgressServices.h"
#include "host/ProjectManager.h"
#include "rtl/Files.h"
#include "rtl/Format.h"

const char* const sKrotexOptionSet = "krotex";

String KrotexSwitchesOf(IQCppProject* project, const String& idlFile)
{
    if (project->HasOptionValue(idlFile, sKrotexOptionSet, "switches"))
        return project->OptionValue(idlFile, sKrotexOptionSet, "switches");
    return project->GetMakeSym(sIdlFlagsMacro);
}

std::vector<String> ProjectIdlFiles(IQCppProject* project)
{
    std::vector<String> r;
    for (const String& f : project->Items())
        if (IsIdlFile(f)) r.push_back(f);
    return r;
}

namespace {

// The open module of a generated unit, else one made from what its files hold now.
TIntfPtr<IQModule> GenUnitModule(const String& source, const String& header)
{
    TIntfPtr<IQProjectGroup> group = MainProjectGroup();
    for (int i = 0; i < group->OpenModuleCount(); ++i) {
        TIntfPtr<IQModule> m = group->OpenModule(i);
        if (SameFileName(m->FileName(), source)) return m;
    }
    const bool hasHeader = !header.empty() && FileExists(header);
    TIntfPtr<IQModuleCreator> creator(
        new TCppUnitFromStreamCreator(source, hasHeader ? ReadFileBytes(header) : String(),
                                      ReadFileBytes(source), hasHeader ? header : String()));
    return TSourceModule(creator.get(), source, nullptr).Module();
}

// The helper of the package, bound to the project's messages, progress and items.
void BindToProject(TIdlCompilerHelper& h, IQCppProject* project)
{
    h.OnMessage = [](const String& file, int line, int column, const String& text, TCompileErrorKind kind) {
        BMSG(kind == TCompileErrorKind::ekWarning ? 1 : 2, 0, file, line, column, column, text);
    };
    h.OnProgress = [](const String& file) { BPROGRESS(1, file); };
    h.SwitchesOf = [project](const String& file) { return KrotexSwitchesOf(project, file); };
    h.OnProjectUnit = [project](const String& source, const String& header) {
        GenUnitModule(source, header);
        project->AddItem(source);
        project->AddUsesEntry({source, "CCompiler", 3});
        project->SetItemCompiler(source, "CCompiler");
        ProjectManagerRefresh();
    };
    // an up-to-date unit's sources are handed the project too: ones it lost (its switches named
    // other sources for a while) join it again
    h.OnAnnounceGenUnit = [project, join = h.OnProjectUnit](const String& source, const String& header) {
        if (!FileExists(source)) return;
        if (project->HasItem(source))
            GenUnitModule(source, header);
        else
            join(source, header);
    };
}

String RootDir(IQCppProject* p) { return p->OptionValue("", sKrotexOptionSet, "rootdir"); }
String SrcSuffix(IQCppProject* p) { return p->OptionValue("", sKrotexOptionSet, "srcsuffix"); }

}  // namespace

bool TIdlProjectCompilerHelper::IdlAll(const String& file, const TStrings* files, int mode, bool checkOnly)
{
    TIdlCompilerHelper h;
    BindToProject(h, FProject);
    // the project's IDL units, as the personality keeps them
    std::vector<String> units;
    for (const auto& unit : CppProjectUnits(FProject))
        if (dynamic_cast<TIDLProjUnit*>(unit.get())) units.push_back(unit->FileName());
    return h.IdlAll(file, files, units, mode, checkOnly, FProject->GetMakeSym(sIdlFlagsMacro),
                    RootDir(FProject), SrcSuffix(FProject), FProject->Directory());
}

bool TIdlProjectCompilerHelper::IdlCompile(const String& idlFile, const String& switches)
{
    TIdlCompilerHelper h;
    BindToProject(h, FProject);
    return h.IdlCompile(idlFile, switches, RootDir(FProject), SrcSuffix(FProject), FProject->Directory());
}

TIdlCompilerHelperBase* NewIdlCompilerHelper(IQCppProject* project)
{
    return new TIdlProjectCompilerHelper(project);
}

bool CompileKrotex(const String& idlFile, const String& switches, IQCppProject* project)
{
    return TIdlProjectCompilerHelper(project).IdlCompile(idlFile, switches);
}

std::vector<String> TIdlFileEntries::FullNames() const
{
    std::vector<String> r;
    for (const auto& e : FEntries) r.push_back(e.FullName);
    return r;
}

void TIdlOptionsUpdater::UpdateIdlFiles(const std::vector<String>& files, IQCppProject* project)
{
    FEntries.Clear();
    for (const String& f : files) FEntries.Add({f, ExpandRelativePath(project->Directory(), f), ""});
}

void TXMLIdlOptionsUpdater::UpdateIdlFiles(const std::vector<String>& files, IQCppProject* project)
{
    FEntries.Clear();
    for (const String& f : files)
        FEntries.Add({f, ExpandRelativePath(project->Directory(), f), project->FileName()});
}

void TIdlOptionsUpdater::UpdateIDLRules(IQCppProject* project)
{
    UpdateIdlFiles(ProjectIdlFiles(project), project);
    TIdlMakeFile mk(project->FileName(), project->MakeFileText());
    mk.SwitchesOf = [project](const String& f) { return KrotexSwitchesOf(project, f); };
    mk.RootDir = RootDir(project);
    mk.SetIdlFiles(GetIdlFileEntries().FullNames());
    project->SetMakeFileText(mk.Text());
}

bool TIdlOptionsUpdater::RenameModule(IQCppProject* project, const String& oldName, const String& newName)
{
    if (!project->RenameItem(oldName, newName)) return false;
    TIdlProjectUpdater(project).RenameIdlReference(oldName, newName);
    UpdateIDLRules(project);
    return true;
}

String TXMLIdlOptionsManagerHelper::GetIdlCFlags() const { return FProject->GetMakeSym(sIdlFlagsMacro); }

void TXMLIdlOptionsManagerHelper::ExtractIdlSymbols(TXMLIdlOptionsUpdater& updater)
{
    std::vector<String> names;
    for (String w : ExtractStrings(FProject->GetMakeSym(sIdlFilesMacro), " \t")) {
        if (w.size() >= 2 && w.front() == '"' && w.back() == '"') w = w.substr(1, w.size() - 2);
        names.push_back(w);
    }
    updater.UpdateIdlFiles(names, FProject);
    for (const auto& e : updater.GetIdlFileEntries().Entries()) {
        auto& sym = updater.Symbols()[FileNameKey(e.FullName)];
        if (!sym)
            sym = std::make_unique<TXMLIdlMakeSymbol>(FProject, KrotexSwitchesOf(FProject, e.FullName),
                                                      e.FullName);
        sym->UpdateGenFiles();
    }
}

void TXMLIdlOptionsUpdaterHelper::UpdateIDLRules(const TIdlFileEntries& entries)
{
    const String flags = TXMLIdlOptionsManagerHelper(FProject).GetIdlCFlags();
    String idlList, genList;
    for (const auto& e : entries.Entries()) {
        const String& idl = e.FullName;
        idlList +=
            (idlList.empty() ? "" : " ") + FixFileSpaces(ExtractRelativePath(FProject->FileName(), idl));
        TXMLIdlMakeSymbol sym(FProject, KrotexSwitchesOf(FProject, idl), idl);
        sym.UpdateGenFiles();
        for (const String& g : FProject->ItemGenFiles(idl))
            genList += (genList.empty() ? "" : " ") + FixFileSpaces(g);
        sym.Changed = false;
    }
    FProject->SetMakeSym(sIdlFilesMacro, idlList);
    FProject->SetMakeSym(sIdlGenFilesMacro, genList);
    if (!FProject->HasMakeSym(sIdlFlagsMacro)) FProject->SetMakeSym(sIdlFlagsMacro, flags);
}

void TXMLIdlOptionsUpdater::UpdateIDLRules(IQCppProject* project)
{
    UpdateIdlFiles(ProjectIdlFiles(project), project);
    TXMLIdlOptionsUpdaterHelper(project).UpdateIDLRules(GetIdlFileEntries());
}

namespace {

// The make file's IDL rules as they stand now.
std::unique_ptr<TIdlMakeFile> ParsedMakeFile(IQCppProject* project)
{
    auto mk = std::make_unique<TIdlMakeFile>(project->FileName(), project->MakeFileText());
    mk->SwitchesOf = [project](const String& f) { return KrotexSwitchesOf(project, f); };
    mk->RootDir = RootDir(project);
    mk->ParseIdlSymbols();
    return mk;
}

bool HoldsFile(const std::vector<String>& list, const String& file)
{
    return std::any_of(list.begin(), list.end(), [&](const String& f) { return SameFileName(f, file); });
}

}  // namespace

std::vector<String> TIdlOptionsUpdater::GetAllGenFiles(IQCppProject* project)
{
    std::vector<String> r;
    auto mk = ParsedMakeFile(project);
    for (auto& [key, sym] : mk->Symbols())
        for (auto& g : sym->GenFiles()) r.push_back(g->FileName);
    return r;
}

bool TIdlOptionsUpdater::ListsGenFile(IQCppProject* project, const String& idlFile, const String& genFile)
{
    auto mk = ParsedMakeFile(project);
    for (auto& [key, sym] : mk->Symbols())
        if (SameFileName(sym->Name(), idlFile)) return sym->FindGenFile(genFile) != nullptr;
    return false;
}

String TIdlOptionsUpdater::GetGenFileName(IQCppProject* project, const String& idlFile, int kind)
{
    if (kind != 0 && kind != 1) return "";
    TIdlMakeSymbol sym(project->Directory(), KrotexSwitchesOf(project, idlFile), idlFile, RootDir(project));
    const String source =
        sym.MakeGenFileName(kind == 0 ? TKnownGenFileTypes::gfServer : TKnownGenFileTypes::gfClient);
    if (!ListsGenFile(project, idlFile, source)) return "";
    return ChangeFileExt(source, "." + sym.Options().HeaderSuffix());
}

std::unique_ptr<TRemoveGenModulesTransaction>
TIdlOptionsUpdater::PrepareRemoveGenModules(IQCppProject* project)
{
    return std::make_unique<TRemoveGenModulesTransaction>(GetAllGenFiles(project));
}

void TIdlOptionsUpdater::RemoveGenModules(IQCppProject* project, const TRemoveGenModulesTransaction& t)
{
    const std::vector<String> now = GetAllGenFiles(project);
    for (const String& f : t.GenFiles) {
        if (HoldsFile(now, f)) continue;
        CloseModule(f);
        if (project->HasItem(f)) project->RemoveItem(f);
    }
}

std::vector<String> TXMLIdlOptionsUpdater::GetAllGenFiles(IQCppProject* project)
{
    std::vector<String> r;
    for (const String& idl : ProjectIdlFiles(project))
        for (const String& g : project->ItemGenFiles(idl))
            r.push_back(ExpandRelativePath(project->Directory(), g));
    return r;
}

std::unique_ptr<TRemoveGenModulesTransaction>
TXMLIdlOptionsUpdater::PrepareRemoveGenModules(IQCppProject* project)
{
    return std::make_unique<TXMLRemoveGenModulesTransaction>(GetAllGenFiles(project));
}

void TXMLIdlOptionsUpdater::RemoveGenModules(IQCppProject* project, const TRemoveGenModulesTransaction& t)
{
    TIdlOptionsUpdater::RemoveGenModules(project, t);
    const std::vector<String> now = GetAllGenFiles(project);
    for (const String& f : t.GenFiles)
        if (!HoldsFile(now, f)) project->RemoveFileEntry(f, "depend");
}

bool TXMLIdlOptionsUpdater::ListsGenFile(IQCppProject* project, const String& idlFile, const String& genFile)
{
    for (const String& g : project->ItemGenFiles(idlFile))
        if (SameFileName(ExpandRelativePath(project->Directory(), g), genFile)) return true;
    return false;
}

TIdlOptionsUpdaterBase* NewIdlOptionsUpdater(IQCppProject* project)
{
    if (project->Form() == TCppProjectForm::Xml) return new TXMLIdlOptionsUpdater;
    return new TIdlOptionsUpdater;
}
