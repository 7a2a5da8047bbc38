#include "host/CppPersonality.h"

#include "host/BuildTools.h"
#include "host/CppClassManager.h"
#include "host/IDEControl.h"
#include "host/MessageServices.h"

TIdlCompilerHelperClassProc IdlCompilerHelperClass = nullptr;
TIdlOptionsUpdaterClassProc IdlOptionsUpdaterClass = nullptr;
TIdlProjectUpdaterClassProc IdlProjectUpdaterClass = nullptr;
TIdlProjectOptionsClassProc IdlProjectOptionsClass = nullptr;
TIdlProjOptsManagerHelperClassProc IdlProjOptsManagerHelperClass = nullptr;
// the class manager (host_cpp) asks it; kept with the personality's other hooks
TIdlClassManagerHelperClassProc IdlClassManagerHelperClass = nullptr;
TIdlExpertFilterClassProc IdlExpertFilterClass = nullptr;
TCompileFilesProc CompileFilesProc = DefaultCompileFiles;
int CompilerType = 0;
bool ShowCommandLines = false;

std::vector<std::unique_ptr<TProjUnit>> CppProjectUnits(IQCppProject* project)
{
    std::vector<std::unique_ptr<TProjUnit>> units;
    if (!IdlProjOptsManagerHelperClass) return units;
    std::unique_ptr<TIdlProjOptsManagerHelperBase> helper(IdlProjOptsManagerHelperClass(project));
    for (const String& item : project->Items())
        if (SameText(ExtractFileExt(item), ".idl"))
            if (auto unit = helper->CreateProjUnit(item)) units.push_back(std::move(unit));
    return units;
}

void ShowCommandLine(int type, const String& switches, const String& file)
{
    BMSG(0, type, file, 0, 0, 0, switches + " " + file);
}

namespace {
int gCompileDepth = 0;
}

void BeginCompile(IQCppProject*)
{
    if (gCompileDepth++ == 0)
        if (TCppCompiler* c = Compiler()) c->SetBusy(true);
}

void EndCompile(IQCppProject*)
{
    if (gCompileDepth > 0 && --gCompileDepth == 0)
        if (TCppCompiler* c = Compiler()) c->SetBusy(false);
}

bool CheckCompileFiles(IQCppProject* project, const std::vector<String>& files)
{
    if (!project) return false;
    for (const String& f : files)
        if (!project->HasItem(f) || !FindBuildTool(f)) return false;
    return true;
}

bool DefaultCompileFiles(IQCppProject* project, const std::vector<String>& files,
                         TCompileFileCallback callback)
{
    for (const String& f : files) {
        if (callback) callback(f);
        TIntfPtr<IQBuildTool> tool = FindBuildTool(f);
        if (!tool || !tool->Compile(f, project)) return false;
    }
    return true;
}
