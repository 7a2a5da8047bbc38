#include "Idlproject.h"

#include "Idlcompile.h"
#include "Idlcppreg.h"
#include "Idlmakefile.h"
#include "Idlprojupdater.h"
#include "host/Creators.h"
#include "host/MessageServices.h"
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
    TIntfPtr<IQModuleCreator> creator(new TCppUnitFromStreamCreator(
        source, hasHeader ? ReadFileBytes(header) : String(), ReadFileBytes(source), hasHeader ? header : String()));
    return TSourceModule(creator.get(), source, nullptr).Module();
}

// The helper of the package, bound to the project's messages, progress and items.
void BindToProject(TIdlCompilerHelper& h, IQCppProject* project)
{
    h.OnMessage = [](const String& file, int line, int column, const String& text, TCompileErrorKind kind) {
        BMSG(kind == TCompileErrorKind::ekWarning ? 1 : 2, 0, file, line, column, column, text);
    };
    h.OnProgress = [](const String& file) { BPROGRESS(1, file); };
    h.OnAnnounceGenUnit = [](const String& source, const String& header) {
        if (FileExists(source)) GenUnitModule(source, header);
    };
    h.SwitchesOf = [project](const String& file) { return KrotexSwitchesOf(project, file); };
    h.OnProjectUnit = [project](const String& source, const String& header) {
        GenUnitModule(source, header);
        project->AddItem(source);
        project->AddUsesEntry({source, "CCompiler", 3});
        project->SetItemCompiler(source, "CCompiler");
        ProjectManagerRefresh();
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

TIdlOptionsUpdaterBase* NewIdlOptionsUpdater(IQCppProject* project)
{
    if (project->Form() == TCppProjectForm::Xml) return new TXMLIdlOptionsUpdater;
    return new TIdlOptionsUpdater;
}
