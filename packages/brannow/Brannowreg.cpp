#include "Brannowreg.h"

#include "Pluggableregistry.h"
#include "Pluggableviewer.h"
#include "PropertyPages.h"
#include "host/AppIniFile.h"
#include "host/DeskMenus.h"
#include "host/IDEControl.h"

#include <memory>

namespace {
std::unique_ptr<TProductStartup> gStartup;

bool ShowILDisassembly() { return AppIniFile().ReadBool(sShowILSection, sShowILKey, false); }
}  // namespace

TProductStartup::TProductStartup()
{
    FCookie = MainFormCreated().Add([this](TObject* sender) { ProductStartup(sender); });
}

TProductStartup::~TProductStartup()
{
    MainFormCreated().Remove(FCookie);
    Pluggableviewer::RegisterMenu = nullptr;
    Pluggableviewer::UnRegisterMenu = nullptr;
    if (!FStarted) return;
    UnregisterPluggablePropertyPage(GUID_AttributePagePlugID);
    UnregisterPluggablePropertyPage(GUID_FlagsPagePlugID);
    UnregisterPluggablePropertyPage(GUID_UsesPagePlugID);
    // What was registered goes, whatever the setting says by now.
    if (FTextPage) UnregisterPluggablePropertyPage(GUID_TextPagePlugID);
}

void TProductStartup::ProductStartup(TObject*)
{
    if (FStarted) return;
    FStarted = true;
    RegisterPluggablePropertyPage(TIntfPtr<IPluggablePropertyPageFactory>(new TAttributePageFactory));
    RegisterPluggablePropertyPage(TIntfPtr<IPluggablePropertyPageFactory>(new TFlagsPageFactory));
    RegisterPluggablePropertyPage(TIntfPtr<IPluggablePropertyPageFactory>(new TUsesPageFactory));
    if (Deskform::RegisterMenu) Pluggableviewer::RegisterMenu = Deskform::RegisterMenu;
    if (Deskform::UnregisterMenu) Pluggableviewer::UnRegisterMenu = Deskform::UnregisterMenu;
    if (ShowILDisassembly()) {
        RegisterPluggablePropertyPage(TIntfPtr<IPluggablePropertyPageFactory>(new TTextPageFactory));
        FTextPage = true;
    }
}

extern "C" void Brannowreg_IDERegister()
{
    if (!gStartup) gStartup = std::make_unique<TProductStartup>();
}

namespace Brannowreg {
int UseCount = 0;

void Finalization() { gStartup.reset(); }

TProductStartup* ProductStartupObject() { return gStartup.get(); }
}  // namespace Brannowreg
