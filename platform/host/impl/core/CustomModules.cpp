#include "host/CustomModules.h"

#include <algorithm>

#include "hostimpl/DesignRegistries.h"

namespace hostimpl {
std::vector<TCustomModuleEntry>& CustomModules()
{
    static std::vector<TCustomModuleEntry> e;
    return e;
}
}  // namespace hostimpl

using hostimpl::CustomModules;

void RegisterCustomModule(TComponentClass baseClass, TCustomModuleClass module)
{
    if (!baseClass || !module) throw EHostError("A custom module needs a base class and a module class");
    hostimpl::TraceRegistration(String("RegisterCustomModule ") + baseClass->ClassName + " " +
                                module->ClassName);
    CustomModules().push_back({baseClass, module});
}

void UnregisterCustomModule(TCustomModuleClass module)
{
    std::erase_if(CustomModules(), [&](const TCustomModuleEntry& e) { return e.Module == module; });
}

std::vector<TCustomModuleEntry> CustomModuleEntries() { return CustomModules(); }

TCustomModuleClass FindCustomModule(TComponentClass c)
{
    return hostimpl::FindForClass(CustomModules(), c, &TCustomModuleEntry::BaseClass,
                                  &TCustomModuleEntry::Module);
}
