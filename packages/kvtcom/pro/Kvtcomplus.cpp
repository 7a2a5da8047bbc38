#include "Kvtcomplus.h"

#include "host/IDEControl.h"
#include "host/MainMenu.h"
#include "rtl/ScopeGuard.h"

#include <memory>

namespace {
std::unique_ptr<TInstallObjectsStartup> gStartup;
}

namespace Kvtcomplus {
int UseCount = 0;
void Initialization() {}
void Finalization() { gStartup.reset(); }
}  // namespace Kvtcomplus

extern "C" void Kvtcomplus_IDERegister()
{
    StartInstallItem<TCOMPLUSCommands>(gStartup, IsComPlusPlatform(), "sbCOMPlusInstallObjects");
}

TInstallObjectsStartup::TInstallObjectsStartup(TMakeCommands make, String itemName)
    : TComponent(nullptr), FMake(std::move(make)), FItemName(std::move(itemName))
{
    FCookie = ::MainFormCreated().Add([this](TObject*) { MainFormCreated(); });
}

TInstallObjectsStartup::~TInstallObjectsStartup()
{
    ::MainFormCreated().Remove(FCookie);
    delete FItem;
    delete FCommands;
}

void TInstallObjectsStartup::Notification(TComponent* AComponent, TOperation Operation)
{
    TComponent::Notification(AComponent, Operation);
    if (Operation != opRemove) return;
    // freed elsewhere (the menu's owner, the application): forgotten
    if (AComponent == FCommands) FCommands = nullptr;
    if (AComponent == FItem) FItem = nullptr;
}

void TInstallObjectsStartup::MainFormCreated()
{
    if (FCommands) return;
    FCommands = FMake(IDEApplication());
    FCommands->FreeNotification(this);
    TScopeGuard dropCommands([&] {
        delete FCommands;
        FCommands = nullptr;
    });
    TMainMenu* menu = IDEMainMenu();
    TMenuItem* separator = menu ? menu->FindItem("RunParametersSeparator") : nullptr;
    if (!separator || !separator->ParentItem()) {
        dropCommands.Dismiss();
        return;
    }
    // the separator keeps its name: the other COM package looks for it too
    std::unique_ptr<TMenuItem> item(new TMenuItem(menu->Owner()));
    item->SetName(FItemName);
    AssignAction(item.get(), FCommands->InstallObjectsAction());
    TMenuItem* parent = separator->ParentItem();
    parent->Insert(parent->IndexOf(separator), item.get());
    FItem = item.release();
    FItem->FreeNotification(this);
    dropCommands.Dismiss();
}
