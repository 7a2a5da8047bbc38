#pragma once
// The window a designer library of the framework hands out (the HTML designer, the preview):
// what the package tells it, in the order of its operations.
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
    // What the window shows now.
    virtual const char* WorkArea() const = 0;
    virtual bool Showing() const = 0;
    // The user closes the window.
    virtual void UserClose() = 0;
};
