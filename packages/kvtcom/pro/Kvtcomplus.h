#pragma once
// The install-objects menu items of the COM packages: on a COM+ (MTS) platform a command data
// module's item stands directly before the Run menu's "RunParametersSeparator" while the
// package is loaded.
#include <functional>
#include <memory>

#include "host/ComPlatform.h"
#include "zub/Menus.h"

namespace Kvtcomplus {
extern int UseCount;
void Initialization();
void Finalization();  // frees the startup
}  // namespace Kvtcomplus

// On a COM+ platform: the COM+ install item.
extern "C" void Kvtcomplus_IDERegister();

// Waits for the host's main window, then makes the commands (owned by the application) and puts
// an item named itemName, bound to their install action, before "RunParametersSeparator" (none
// when the menu has no such separator). Freed: the item and the commands go.
class TInstallObjectsStartup : public TComponent {
public:
    using TMakeCommands = std::function<TInstallObjectsCommands*(TComponent* owner)>;
    TInstallObjectsStartup(TMakeCommands make, String itemName);
    ~TInstallObjectsStartup() override;
    TInstallObjectsCommands* Commands() const { return FCommands; }
    TMenuItem* Item() const { return FItem; }

protected:
    void Notification(TComponent* AComponent, TOperation Operation) override;

private:
    void MainFormCreated();
    TMakeCommands FMake;
    String FItemName;
    int FCookie = 0;
    TInstallObjectsCommands* FCommands = nullptr;
    TMenuItem* FItem = nullptr;
};

// The startup of an install item into slot, once, when the platform has it.
template <class TCommands>
void StartInstallItem(std::unique_ptr<TInstallObjectsStartup>& slot, bool platform, const char* itemName)
{
    if (slot || !platform) return;
    slot = std::make_unique<TInstallObjectsStartup>(
        [](TComponent* owner) -> TInstallObjectsCommands* { return NewDataModule<TCommands>(owner); },
        itemName);
}
