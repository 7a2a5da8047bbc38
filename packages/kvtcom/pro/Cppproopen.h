#pragma once
// What the C++ COM package does when the IDE opens a project or compiles one: type libraries
// of the old style move beside the project, ActiveX servers are registered around compiles.
#include <functional>

#include "host/CppProject.h"
#include "host/IDENotifiers.h"
#include "host/ProjectMenu.h"
#include "host/TypeLibrary.h"

namespace Cppproopen {
extern int UseCount;
void Initialization();
// Forgets the project being compiled.
void Finalization();
}  // namespace Cppproopen

// Moves a project's old type library (an entry "X.tlb" of another name) to the project's name:
// the library is saved under the project file's name with ".tlb", its "_TLB" unit renamed and
// copied (never over a file that is there), the include lines of the project's sources and their
// headers updated; then the project gets its type-library module. Files other than project files
// (".tvr", ".qdsproj", ".tvproj", exactly) and projects without a type library are left alone.
// All or nothing: when any step fails, what was written is taken back, the project's entries stay
// as they were and the message view says why.
void MigrateTypeLibrary(const String& projectFileName);

// The IDE notifier of the package: migration on project open, ActiveX registration around
// compiles. It adds itself to the IDE services and leaves them when destroyed.
class TOpenProjectNotifier : public TNotifierObject, public IQTAIDENotifier {
public:
    // release is called when the notifier goes away on its own (the host destroys it).
    explicit TOpenProjectNotifier(std::function<void()> release);
    HRESULT QueryInterface(const TGUID& iid, void** obj) override;
    int AddRef() override { return TNotifierObject::AddRef(); }
    int Release() override { return TNotifierObject::Release(); }
    void AfterSave() override {}
    void BeforeSave() override {}
    void Modified() override {}
    // Leaves the IDE services.
    void Destroyed() override;
    void FileNotification(int notifyCode, const String& fileName, bool& cancel) override;
    void BeforeCompile(IQProject* project, bool& cancel) override;
    void AfterCompile(bool succeeded) override;
    int Index() const { return FIndex; }

private:
    int FIndex = -1;
    std::function<void()> FRelease;
};

// Project-menu modifiers: the commands the project manager does not offer for generated units.
class TProjectMenuModifierBase : public TInterfacedObject,
                                 public IQProjectMenuItemFilter,
                                 public IQProjectMenuModifier {
public:
    HRESULT QueryInterface(const TGUID& iid, void** obj) override;
};
class TAtlFileMenuModifier : public TProjectMenuModifierBase {
public:
    bool AppliesTo(const String& fileName) override;
    void ModifyLocalCommands(std::vector<int>& commands) override;
};
class TTlbCppFileMenuModifier : public TProjectMenuModifierBase {
public:
    bool AppliesTo(const String& fileName) override;
    void ModifyLocalCommands(std::vector<int>& commands) override;
};
class TTlbFileMenuModifier : public TProjectMenuModifierBase {
public:
    bool AppliesTo(const String& fileName) override;
    void ModifyLocalCommands(std::vector<int>& commands) override;
};
