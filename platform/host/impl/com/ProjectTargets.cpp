// What a compile of a project makes and the compiler flags that say what follows it (a library
// is one of the type library's project kinds).
#include "host/CppProject.h"
#include "host/IDENotifiers.h"
#include "host/TypeLibrary.h"
#include "rtl/Files.h"

TCppCompileFlags CompileFlagsOf(IQProject* project)
{
    TCppCompileFlags f;
    auto cpp = CppProjectOf(project);
    if (!cpp) return f;
    auto on = [&](const char* name) { return SameText(cpp->OptionValue("", "compiler", name), "true"); };
    f.RegisterActiveX = on("RegisterActiveX");
    f.ConvertToAssembly = on("ConvertToAssembly");
    return f;
}

String ProjectTargetFile(IQProject* project)
{
    if (!project) return "";
    if (auto cpp = CppProjectOf(project); cpp && !cpp->GetOption("TargetFile").empty())
        return cpp->Directory() + cpp->GetOption("TargetFile");
    return ChangeFileExt(project->FileName(), IsLibrary(project) ? ".dll" : ".exe");
}
