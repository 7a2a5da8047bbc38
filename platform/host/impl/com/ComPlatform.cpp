#include "host/ComPlatform.h"

#include "host/MessageServices.h"
#include "host/TypeLibrary.h"

namespace {
bool gMTS = true, gComPlus = true;
}

bool IsMTSPlatform() { return gMTS; }
bool IsComPlusPlatform() { return gComPlus; }
void SetComPlatforms(bool mts, bool comPlus)
{
    gMTS = mts;
    gComPlus = comPlus;
}

TInstallObjectsCommands::TInstallObjectsCommands(TComponent* AOwner, const String& name,
                                                 const String& caption)
    : TDataModule(AOwner)
{
    SetName(name);
    FList = new TActionList(this);
    FList->SetName("ActionList1");
    FInstall = new TAction(this);
    FInstall->SetName("InstallObjectsAction");
    FInstall->Caption = caption;
    FInstall->SetActionList(FList);
    FInstall->OnExecute = [](TObject*) {
        TIntfPtr<IQProject> p = ActiveProject();
        TTypeLibrary* lib = p ? GetTypeLibrary(p.get()) : nullptr;
        if (!lib) {
            BMSG(0, 0, p ? p->FileName() : String(), 0, 0, 0, "no objects to install");
            return;
        }
        for (int i = 0; i < lib->TypeCount(); ++i)
            if (lib->Type(i)->Kind() == tkCoClass)
                BMSG(0, 0, p->FileName(), 0, 0, 0, "installed " + lib->Name + "." + lib->Type(i)->Name());
    };
}
