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
    return h.IdlAll(file, files, ProjectIdlFiles(FProject), mode, checkOnly,
                    FProject->GetMakeSym(sIdlFlagsMacro), RootDir(FProject), SrcSuffix(FProject),
                    FProject->Directory());
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

void TIdlOptionsUpdater::UpdateIDLRules(IQCppProject* project)
{
    TIdlMakeFile mk(project->FileName(), project->MakeFileText());
    mk.SwitchesOf = [project](const String& f) { return KrotexSwitchesOf(project, f); };
    mk.RootDir = RootDir(project);
    mk.SetIdlFiles(ProjectIdlFiles(project));
    project->SetMakeFileText(mk.Text());
}

bool TIdlOptionsUpdater::RenameModule(IQCppProject* project, const String& oldName, const String& newName)
{
    if (!project->RenameItem(oldName, newName)) return false;
    TIdlProjectUpdater(project).RenameIdlReference(oldName, newName);
    UpdateIDLRules(project);
    return true;
}

void TXMLIdlOptionsUpdater::UpdateIDLRules(IQCppProject* project)
{
    const String flags = project->GetMakeSym(sIdlFlagsMacro);
    String idlList, genList;
    for (const String& idl : ProjectIdlFiles(project)) {
        idlList +=
            (idlList.empty() ? "" : " ") + FixFileSpaces(ExtractRelativePath(project->FileName(), idl));
        TIdlMakeSymbol sym(project->Directory(), KrotexSwitchesOf(project, idl), idl);
        std::vector<String> gen;
        for (auto kind : {TKnownGenFileTypes::gfServer, TKnownGenFileTypes::gfClient}) {
            const String rel = ExtractRelativePath(project->FileName(), sym.MakeGenFileName(kind));
            gen.push_back(rel);
            genList += (genList.empty() ? "" : " ") + FixFileSpaces(rel);
        }
        project->SetItemGenFiles(idl, gen);
        String dir = Trim(ExtractFilePath(gen.front()));
        if (dir.empty()) dir = ".";
        if (dir.find(' ') != String::npos && dir.front() != '"') {
            if (dir.size() > 1 && IsPathDelim(dir.back())) dir.pop_back();
            dir = "\"" + dir + "\"";
        }
        project->SetItemValue(idl, "IDLROOTDIR", Format(" %s %s ", {"-root_dir", dir}));
    }
    project->SetMakeSym(sIdlFilesMacro, idlList);
    project->SetMakeSym(sIdlGenFilesMacro, genList);
    if (!project->HasMakeSym(sIdlFlagsMacro)) project->SetMakeSym(sIdlFlagsMacro, flags);
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
