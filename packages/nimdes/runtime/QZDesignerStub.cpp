// A designer library of the framework as a stand-in: its window only keeps what it is told and
// knows its library's name and the window it was made for. Built once per library name
// (QZ_DESIGNER_NAME).
#include <string>

#include "QZDesignerIntf.h"

namespace {
struct TStubManager : IHTMLLayoutMgr {
    std::string Name;
    void* AppWindow;
    std::string Area, Pages;
    bool Shown = false;
    void (*OnDestroy)(void*) = nullptr;
    void* DestroyData = nullptr;

    TStubManager(const char* name, void* appWindow) : Name(name), AppWindow(appWindow) {}
    void SetWorkArea(const char* path) override { Area = path ? path : ""; }
    void SetHost(void*, const char* pages) override { Pages = pages ? pages : ""; }
    void SetDestroyNotify(void (*proc)(void*), void* data) override
    {
        OnDestroy = proc;
        DestroyData = data;
    }
    void SetResultNotify(void (*)(void*, const char*), void*) override {}
    void Show() override { Shown = true; }
    void Close() override { Shown = false; }
    const char* WorkArea() const override { return Area.c_str(); }
    bool Showing() const override { return Shown; }
    void UserClose() override
    {
        Shown = false;
        if (OnDestroy) OnDestroy(DestroyData);
    }
};
}  // namespace

extern "C" __attribute__((visibility("default"))) void* GetManager(void* appWindow)
{
    return static_cast<IHTMLLayoutMgr*>(new TStubManager(QZ_DESIGNER_NAME, appWindow));
}

extern "C" __attribute__((visibility("default"))) void ReleaseManager(void** manager)
{
    if (!manager) return;
    delete static_cast<TStubManager*>(static_cast<IHTMLLayoutMgr*>(*manager));
    *manager = nullptr;
}

extern "C" __attribute__((visibility("default"))) const char* ManagerName(void* manager)
{
    return manager ? static_cast<TStubManager*>(static_cast<IHTMLLayoutMgr*>(manager))->Name.c_str() : "";
}
