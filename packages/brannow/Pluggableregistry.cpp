#include "Pluggableregistry.h"

#include <vector>

namespace Pluggableregistry {
int UseCount = 0;
namespace {
// Exists between the unit's initialisation and finalisation only.
std::vector<TIntfPtr<IPluggablePropertyPageFactory>>* gFactories = nullptr;
}  // namespace

void Initialization() { gFactories = new std::vector<TIntfPtr<IPluggablePropertyPageFactory>>; }

void Finalization()
{
    delete gFactories;
    gFactories = nullptr;
}
}  // namespace Pluggableregistry

using Pluggableregistry::gFactories;

void RegisterPluggablePropertyPage(const TIntfPtr<IPluggablePropertyPageFactory>& factory)
{
    if (gFactories && factory) gFactories->push_back(factory);
}

bool UnregisterPluggablePropertyPage(const TGUID& pageID)
{
    if (!gFactories) return false;
    const String id = GUIDToString(pageID);
    for (auto it = gFactories->begin(); it != gFactories->end(); ++it)
        if (GUIDToString((*it)->GetID()) == id) {
            gFactories->erase(it);
            return true;
        }
    return false;
}

int GetPluggablePropertyPageCount() { return gFactories ? static_cast<int>(gFactories->size()) : 0; }

TIntfPtr<IPluggablePropertyPageFactory> GetPluggablePropertyPage(int index)
{
    if (!gFactories || index < 0 || index >= GetPluggablePropertyPageCount()) return nullptr;
    return (*gFactories)[static_cast<std::size_t>(index)];
}
