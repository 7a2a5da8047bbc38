#pragma once
// The host's main window side: the application object, the main-form-created event, the
// designer state, dialogs and the compiler.
#include "host/Export.h"
#include <functional>
#include <vector>

#include "rtl/Classes.h"
#include "zub/Classes.h"

// The host application (the component library's Application): owner of the packages' command
// data modules.
HOST_API TComponent* IDEApplication();

// A multicast event. Handlers are removed by the cookie Add returned; removing during a fire is
// safe.
class HOST_API TIDEEvent {
public:
    int Add(TNotifyEvent handler);
    void Remove(int cookie);
    int Count() const { return static_cast<int>(FHandlers.size()); }
    // Calls every handler.
    void Fire(TObject* sender);
    // Calls only the handlers not called yet (packages loaded after the main window exists).
    void FirePending(TObject* sender);
    // Drops the handlers pred accepts; returns how many.
    int RemoveIf(const std::function<bool(const TNotifyEvent&)>& pred);

private:
    struct THandler {
        int Cookie;
        TNotifyEvent Proc;
        bool Called;
    };
    void Run(TObject* sender, bool pendingOnly);
    std::vector<THandler> FHandlers;
    int FNextCookie = 1;
};

// Fired once the host's main window exists.
HOST_API TIDEEvent& MainFormCreated();

// True while the host's form designer for ZUB forms is the active designer.
HOST_API bool IsZubDesignerActive();

// The new-thread dialog: false when the user cancels; otherwise the class name and the thread's
// name (empty: no name).
HOST_API bool CreateNewThreadModule(String& className, String& threadName);

// The C++ compiler of the host.
class HOST_API TCppCompiler : public TObject {
public:
    bool Busy() const { return FBusy; }
    void SetBusy(bool busy) { FBusy = busy; }

private:
    bool FBusy = false;
};
// nullptr while the host has no compiler object.
HOST_API TCppCompiler* Compiler();

// Ends the current operation without a message (EAbort).
[[noreturn]] HOST_API void Abort();
