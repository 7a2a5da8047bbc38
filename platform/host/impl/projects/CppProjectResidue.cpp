// What an unloaded package may have left in the C++ personality's hooks, build tools and
// project events.
#include <typeinfo>

#include "host/BuildTools.h"
#include "host/CppClassManager.h"
#include "host/CppPersonality.h"
#include "hostimpl/HostImpl.h"
#include "hostimpl/StateListing.h"
#include "host/ProjectManager.h"

namespace hostimpl {

std::vector<TIntfPtr<IQBuildTool>>& ToolList();
int RemoveProjectEventHandlersIf(const std::function<bool(const std::type_info&)>& pred);
void ListProjectEventHandlers(std::vector<String>& out);

namespace {

void ListCppPersonality(std::vector<String>& out)
{
    auto fn = [](auto* f) { return reinterpret_cast<const void*>(f); };
    auto hook = [&](const char* name, const void* p) {
        out.push_back(String("hook ") + name + (p ? At(p) : String(" none")));
    };
    hook("IdlCompilerHelperClass", fn(IdlCompilerHelperClass));
    hook("IdlOptionsUpdaterClass", fn(IdlOptionsUpdaterClass));
    hook("IdlProjectUpdaterClass", fn(IdlProjectUpdaterClass));
    hook("IdlProjectOptionsClass", fn(IdlProjectOptionsClass));
    hook("IdlProjOptsManagerHelperClass", fn(IdlProjOptsManagerHelperClass));
    hook("IdlClassManagerHelperClass", fn(IdlClassManagerHelperClass));
    hook("IdlExpertFilterClass", fn(IdlExpertFilterClass));
    hook("CompileFilesProc", fn(CompileFilesProc));
    for (auto& t : ToolList()) out.push_back("build tool " + t->Name() + AtObject(t.get()));
    ListProjectEventHandlers(out);
}

const TStateSource kCppPersonality("C++ personality", ListCppPersonality);

}  // namespace

void RemoveCppProjectResidue(const std::function<bool(const void*)>& inModule, std::vector<String>& found)
{
    auto fn = [](auto* f) { return reinterpret_cast<const void*>(f); };
    auto drop = [&](auto& hook, const char* name) {
        if (hook && inModule(fn(hook))) {
            hook = nullptr;
            found.push_back(String("hook ") + name);
        }
    };
    drop(IdlCompilerHelperClass, "IdlCompilerHelperClass");
    drop(IdlOptionsUpdaterClass, "IdlOptionsUpdaterClass");
    drop(IdlProjectUpdaterClass, "IdlProjectUpdaterClass");
    drop(IdlProjectOptionsClass, "IdlProjectOptionsClass");
    drop(IdlProjOptsManagerHelperClass, "IdlProjOptsManagerHelperClass");
    drop(IdlClassManagerHelperClass, "IdlClassManagerHelperClass");
    drop(IdlExpertFilterClass, "IdlExpertFilterClass");
    if (CompileFilesProc && inModule(fn(CompileFilesProc))) {
        CompileFilesProc = DefaultCompileFiles;
        found.push_back("hook CompileFilesProc");
    }
    for (auto& t : std::vector<TIntfPtr<IQBuildTool>>(ToolList()))
        if (inModule(&typeid(*t))) {
            found.push_back("build tool " + t->Name());
            UnregisterItemContainerCreator(t.get());
        }
    const int n = RemoveProjectEventHandlersIf([&](const std::type_info& t) { return inModule(&t); });
    if (n) found.push_back("project event handler x" + IntToStr(n));
}

}  // namespace hostimpl
