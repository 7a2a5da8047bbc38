#include "Cppentreg.h"

#include "Cppentcmd.h"
#include "Kvtmts.h"
#include "Kvtmtsrdm.h"
#include "host/GalleryServices.h"
#include "host/IDEControl.h"

namespace {
RTL_RESOURCESTRING(SMultitierWizardPage, "Multitier");
Cppentreg::TProductStartup* gStartup = nullptr;
}  // namespace

namespace Cppentreg {
int UseCount = 0;
void Initialization() {}
void Finalization() {
    delete gStartup;
    gStartup = nullptr;
}

TProductStartup::TProductStartup(TComponent* AOwner) : TComponent(AOwner) {
    FCookie = MainFormCreated().Add([this](TObject* s) { ProductStartup(s); });
}

TProductStartup::~TProductStartup() {
    MainFormCreated().Remove(FCookie);
    for (auto it = FHandlers.rbegin(); it != FHandlers.rend(); ++it) UnregisterNewHandler(*it);
    if (FCategoryAdded) {
        TIntfPtr<IQGalleryCategoryManager> gm;
        if (Supports(QuistorIDEServices(), gm))
            if (auto c = gm->FindCategory(kMultitierCategory)) gm->DeleteCategory(c.get());
    }
}

void TProductStartup::ProductStartup(TObject*) {
    if (!FHandlers.empty()) return;
    auto gm = RequireService<IQGalleryCategoryManager>("gallery category manager");
    if (!gm->FindCategory(kMultitierCategory)) {
        gm->AddCategory(nullptr, kMultitierCategory, SMultitierWizardPage);
        FCategoryAdded = true;
    }
    // The MTS object stands among the ActiveX items; kvtcompro100 (loaded first) has that category.
    if (!gm->FindCategory(kActiveXCategory)) throw EHostError(String("No gallery category ") + kActiveXCategory);
    FHandlers.push_back(RegisterNewHandler(kMultitierCategory, SRemoteDataModuleWizardName,
                                           TCppNewRemoteDataModule::IconName, TCppNewRemoteDataModule::ObjectKind,
                                           ClassOf<TCppNewRemoteDataModule>(), TCppNewRemoteDataModule::GalleryId));
    FHandlers.push_back(RegisterNewHandler(kActiveXCategory, SMTSAutoObjectWizardName, TCppNewMTSAutoObject::IconName,
                                           TCppNewMTSAutoObject::ObjectKind, ClassOf<TCppNewMTSAutoObject>(),
                                           TCppNewMTSAutoObject::GalleryId));
    FHandlers.push_back(RegisterNewHandler(kMultitierCategory, SMTSDataModuleWizardName,
                                           TCppNewMTSRemoteDataModule::IconName, TCppNewMTSRemoteDataModule::ObjectKind,
                                           ClassOf<TCppNewMTSRemoteDataModule>(), TCppNewMTSRemoteDataModule::GalleryId));
}
}  // namespace Cppentreg

extern "C" void Cppentreg_IDERegister() {
    if (!gStartup) gStartup = new Cppentreg::TProductStartup(nullptr);
}
