#pragma once
// The COM+ and MTS side of the host: whether the platform has them, and the command data modules
// whose install-objects action installs the active project's CoClasses there.
#include "host/Actions.h"
#include "host/Export.h"

// The host runs on a platform with MTS (COM+) for transactional objects; both are on unless
// SetComPlatforms said otherwise.
HOST_API bool IsMTSPlatform();
HOST_API bool IsComPlusPlatform();
HOST_API void SetComPlatforms(bool mts, bool comPlus);

// A command data module with the action InstallObjectsAction: each CoClass of the active
// project's type library is reported as installed in the message view.
class HOST_API TInstallObjectsCommands : public TDataModule {
public:
    TInstallObjectsCommands(TComponent* AOwner, const String& name, const String& caption);
    TAction* InstallObjectsAction() const { return FInstall; }

private:
    TActionList* FList;
    TAction* FInstall;
};

class HOST_API TMtsCommands : public TInstallObjectsCommands {
public:
    explicit TMtsCommands(TComponent* AOwner)
        : TInstallObjectsCommands(AOwner, "MtsCommands", "Install &MTS Objects...")
    {
    }
};

class HOST_API TCOMPLUSCommands : public TInstallObjectsCommands {
public:
    explicit TCOMPLUSCommands(TComponent* AOwner)
        : TInstallObjectsCommands(AOwner, "COMPLUSCommands", "Install COM+ &Objects...")
    {
    }
};
