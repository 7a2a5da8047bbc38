#pragma once
// The window a designer library of the framework hands out (the HTML designer, the preview):
// what the package tells it, in the order of its operations.
#include <string>

// What the HTML designer asks of the form it edits.
class IHTMLLayoutHost {
public:
    virtual ~IHTMLLayoutHost() = default;
    // The new component's name; empty when none was made.
    virtual std::string CreateComponent(const std::string& className) = 0;
    // The selected component's name; empty clears the selection.
    virtual std::string SelectComponent(const std::string& name) = 0;
    virtual void DeleteComponent(const std::string& name) = 0;
    virtual void RepaintComponent(const std::string& name) = 0;
    virtual void RenameComponent(const std::string& oldName, const std::string& newName) = 0;
    virtual void ResizeComponent(const std::string& name, int width, int height) = 0;
    virtual void ReleaseComponent() = 0;
    virtual void BuildPalette() = 0;
    virtual void ShowObjectInspector() = 0;
    // The names of the form's framework controls, one a line.
    virtual std::string GetComponentList() = 0;
};

class IHTMLLayoutMgr {
public:
    virtual ~IHTMLLayoutMgr() = default;
    virtual void SetWorkArea(const char* path) = 0;
    // The host's callback object and the palette pages, one name a line.
    virtual void SetHost(void* host, const char* pages) = 0;
    // Called when the window is destroyed (the user closed it).
    virtual void SetDestroyNotify(void (*proc)(void* data), void* data) = 0;
    // Called with the edited HTML.
    virtual void SetResultNotify(void (*proc)(void* data, const char* html), void* data) = 0;
    virtual void Show() = 0;
    virtual void Close() = 0;
    // The designer is told: repaint that component, components were inserted, one was deleted,
    // the single selected one (empty: none or several), a palette entry, a rename.
    virtual void RepaintComponent(const char* name) = 0;
    virtual void ComponentsInserted() = 0;
    virtual void ComponentDeleted(const char* name) = 0;
    virtual void ComponentSelected(const char* name) = 0;
    virtual void AddPaletteItem(const char* page, const char* className, const void* module) = 0;
    virtual void ComponentRenamed(const char* oldName, const char* newName) = 0;
    // What the window shows now.
    virtual const char* WorkArea() const = 0;
    virtual bool Showing() const = 0;
    // The user closes the window.
    virtual void UserClose() = 0;
    // The host callback it was given, for the user's requests; every call it received, one a line.
    virtual IHTMLLayoutHost* Host() const = 0;
    virtual const char* Log() const = 0;
    // The user's edit is done: the result notification with the HTML.
    virtual void UserResult(const char* html) = 0;
};
