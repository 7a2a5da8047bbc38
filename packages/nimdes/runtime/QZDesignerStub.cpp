// A designer library of the framework as a stand-in: its manager only knows its name and the
// window it was made for. Built once per library name (QZ_DESIGNER_NAME).
#include <string>

namespace {
struct TStubManager {
    std::string Name;
    void* AppWindow;
};
}  // namespace

extern "C" __attribute__((visibility("default"))) void* GetManager(void* appWindow)
{
    return new TStubManager{QZ_DESIGNER_NAME, appWindow};
}

extern "C" __attribute__((visibility("default"))) void ReleaseManager(void** manager)
{
    if (!manager) return;
    delete static_cast<TStubManager*>(*manager);
    *manager = nullptr;
}

extern "C" __attribute__((visibility("default"))) const char* ManagerName(void* manager)
{
    return manager ? static_cast<TStubManager*>(manager)->Name.c_str() : "";
}
