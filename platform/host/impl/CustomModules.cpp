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
    CustomModules().push_back({baseClass, module});
}

void UnregisterCustomModule(TCustomModuleClass module)
{
    std::erase_if(CustomModules(), [&](const TCustomModuleEntry& e) { return e.Module == module; });
}

std::vector<TCustomModuleEntry> CustomModuleEntries() { return CustomModules(); }

TCustomModuleClass FindCustomModule(TComponentClass c)
{
    for (; c; c = c->Parent) {
        const auto& all = CustomModules();
        for (auto it = all.rbegin(); it != all.rend(); ++it)
            if (it->BaseClass == c) return it->Module;
    }
    return nullptr;
}
