#include "host/DocModules.h"

#include <vector>

namespace {
std::vector<TDocModule*>& Modules()
{
    static std::vector<TDocModule*> list;
    return list;
}
}  // namespace

TDocModule::TDocModule(const String& fileName) : FFileName(fileName) { Modules().push_back(this); }

TDocModule::~TDocModule() { std::erase(Modules(), this); }

TDocModule* FindDocModule(const String& fileName)
{
    for (TDocModule* m : Modules())
        if (SameText(m->GetFileName(), fileName)) return m;
    return nullptr;
}

int DocModuleCount() { return static_cast<int>(Modules().size()); }
