#include "Cppproupdaters.h"

#include <memory>

#include "Ccommgr.h"

TIntfPtr<IQCoClassUpdater> TProCppUpdaters::CreateCoClassUpdater(IQModule* module)
{
    std::unique_ptr<TCppClassManager> manager = GetClassManager(module);
    if (!manager) return nullptr;
    return TIntfPtr<IQCoClassUpdater>(new TCppCoClassUpdater(std::move(manager), TIntfPtr<IQModule>(module)));
}

namespace {
std::unique_ptr<TProCppUpdaters> gUpdaters;
}

namespace Cppproupdaters {
int UseCount = 0;
void Initialization()
{
    gUpdaters = std::make_unique<TProCppUpdaters>();
    SetCppUpdaters(gUpdaters.get());
}
void Finalization()
{
    if (CppUpdaters() == gUpdaters.get()) SetCppUpdaters(nullptr);
    gUpdaters.reset();
}
}  // namespace Cppproupdaters
