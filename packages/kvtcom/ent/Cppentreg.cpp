#include "Cppentreg.h"

#include "Cppentcmd.h"
#include "Kvtmts.h"
#include "Kvtmtsrdm.h"
#include "host/GalleryServices.h"
#include "host/IDEControl.h"

#include <memory>

namespace {
RTL_RESOURCESTRING(SMultitierWizardPage, "Multitier");
std::unique_ptr<Cppentreg::TProductStartup> gStartup;
}  // namespace

namespace Cppentreg {
int UseCount = 0;
void Initialization() {}
void Finalization() { gStartup.reset(); }

void TProductStartup::ProductStartup()
{
    EnsureCategory(kMultitierCategory, SMultitierWizardPage);
    auto gm = RequireService<IQGalleryCategoryManager>("gallery category manager");
    // The MTS object stands among the ActiveX items; kvtcompro100 (loaded first) has that category.
    if (!gm->FindCategory(kActiveXCategory))
        throw EHostError(String("No gallery category ") + kActiveXCategory);
    AddItem<TCppNewRemoteDataModule>(kMultitierCategory, SRemoteDataModuleWizardName,
                                     SRemoteDataModuleWizardDescription, TCppNewRemoteDataModule::ObjectKind);
    AddItem<TCppNewMTSAutoObject>(kActiveXCategory, SMTSAutoObjectWizardName, SMTSAutoObjectWizardDescription,
                                  TCppNewMTSAutoObject::ObjectKind);
    AddItem<TCppNewMTSRemoteDataModule>(kMultitierCategory, SMTSDataModuleWizardName,
                                        SMTSDataModuleWizardDescription,
                                        TCppNewMTSRemoteDataModule::ObjectKind);
}
}  // namespace Cppentreg

extern "C" void Cppentreg_IDERegister()
{
    if (!gStartup) gStartup = std::make_unique<Cppentreg::TProductStartup>(nullptr);
}
