#pragma once
// IDE notifiers: packages hear of files the IDE opens and closes and of compiles. They add
// themselves through the IDE services (AddNotifier) and leave by the index it returned.
#include "host/Export.h"
#include "host/HistoryServices.h"
#include "host/ModuleServices.h"

enum TQTAFileNotification {
    ofnFileOpening = 0,
    ofnFileOpened = 1,
    ofnFileClosing = 2,
};

class HOST_API IQTAIDENotifier : public virtual IQTANotifier {
public:
    RTL_IID("{E052204F-ECE9-11D1-AB19-00C04FB16FB3}");
    // A file was opened (ofnFileOpened: a project file after its project is open) or is
    // opening or closing; setting cancel stops an opening or closing.
    virtual void FileNotification(int notifyCode, const String& fileName, bool& cancel) = 0;
    // The project is about to be compiled; setting cancel stops the compile.
    virtual void BeforeCompile(IQProject* project, bool& cancel) = 0;
    virtual void AfterCompile(bool succeeded) = 0;
};

// The C++ compiler options of a project's build (its "compiler" option set).
struct HOST_API TCppCompileFlags {
    // "compiler" RegisterActiveX: the target is registered as an OLE control after each compile.
    bool RegisterActiveX = false;
    // "compiler" ConvertToAssembly: the target's type library becomes an assembly after it.
    bool ConvertToAssembly = false;
};
// nullptr-safe: false flags for a project without options.
HOST_API TCppCompileFlags CompileFlagsOf(IQProject* project);
// What a compile of the project makes: its folder + its name + ".dll" for a library, else ".exe"
// (the project option "TargetFile" names another).
HOST_API String ProjectTargetFile(IQProject* project);

// OLE registration of compiled servers. The host keeps what is registered, one entry per file,
// and says so in the message view.
HOST_API void RegisterOleControl(const String& fileName);
HOST_API void UnregisterOleControl(const String& fileName);
HOST_API bool IsOleControlRegistered(const String& fileName);
// Converts the type library in fileName to an assembly; what it reports goes to messages (and the
// message view).
HOST_API void ConvertTypeLibraryToAssembly(const String& fileName, std::vector<String>& messages);
