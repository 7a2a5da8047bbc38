// A designer library of the framework as a stand-in: its window only keeps what it is told and
// knows its library's name and the window it was made for. Built once per library name
// (QZ_DESIGNER_NAME).
#include <string>

#include "QZDesignerIntf.h"

namespace {
struct TStubManager : IHTMLLayoutMgr {
    std::string Name;
    void* AppWindow;
    std::string Area, Pages, Calls;
    IHTMLLayoutHost* HostCallback = nullptr;
    void (*OnResult)(void*, const char*) = nullptr;
    void* ResultData = nullptr;
    bool Shown = false;
    void (*OnDestroy)(void*) = nullptr;
    void* DestroyData = nullptr;

    TStubManager(const char* name, void* appWindow) : Name(name), AppWindow(appWindow) {}
    void SetWorkArea(const char* path) override { Area = path ? path : ""; }
    void SetHost(void* host, const char* pages) override
    {
        HostCallback = static_cast<IHTMLLayoutHost*>(host);
        Pages = pages ? pages : "";
    }
    void SetDestroyNotify(void (*proc)(void*), void* data) override
    {
        OnDestroy = proc;
        DestroyData = data;
    }
    void SetResultNotify(void (*proc)(void*, const char*), void* data) override
    {
        OnResult = proc;
        ResultData = data;
    }
    void Note(const std::string& call) { Calls += call + "\n"; }
    void RepaintComponent(const char* name) override { Note(std::string("repaint ") + name); }
    void ComponentsInserted() override { Note("inserted"); }
    void ComponentDeleted(const char* name) override { Note(std::string("deleted ") + name); }
    void ComponentSelected(const char* name) override { Note(std::string("selected ") + name); }
    void AddPaletteItem(const char* page, const char* className, const void*) override
    {
        Note(std::string("palette ") + page + " " + className);
    }
    void ComponentRenamed(const char* oldName, const char* newName) override
    {
        Note(std::string("renamed ") + oldName + " " + newName);
    }
    IHTMLLayoutHost* Host() const override { return HostCallback; }
    const char* Log() const override { return Calls.c_str(); }
    void UserResult(const char* html) override
    {
        if (OnResult) OnResult(ResultData, html);
    }
    void Show() override
    {
        Shown = true;
        Note("show");
        // The HTML designer shows every control of the form by its picture.
        if (!HostCallback) return;
        const std::string list = HostCallback->GetComponentList();
        for (std::size_t from = 0, to; (to = list.find('\n', from)) != std::string::npos; from = to + 1)
            HostCallback->RepaintComponent(list.substr(from, to - from));
    }
    void Close() override
    {
        Shown = false;
        Note("close");
    }
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
