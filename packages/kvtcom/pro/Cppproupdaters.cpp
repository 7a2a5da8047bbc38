#include "Cppproupdaters.h"

#include <memory>

#include "Ccommgr.h"

TIntfPtr<IQCoClassUpdater> TProCppUpdaters::CreateCoClassUpdater(IQModule* module)
{
    std::unique_ptr<TCppClassManager> manager = GetClassManager(module);
    if (!manager) return nullptr;
    return TIntfPtr<IQCoClassUpdater>(new TCppCoClassUpdater(std::move(manager), TIntfPtr<IQModule>(module)));
}

namespace Cppproupdaters {
int UseCount = 0;
void Initialization() {}
void Finalization() {}
}  // namespace Cppproupdaters
