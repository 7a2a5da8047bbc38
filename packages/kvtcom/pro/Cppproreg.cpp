#include "Cppproreg.h"

#include <functional>

#include "Cppprocmd.h"
#include "host/AppIniFile.h"
#include "host/GalleryServices.h"
#include "host/IDEControl.h"

namespace {
RTL_RESOURCESTRING(sActiveXCategoryCaption, "ActiveX");
Cppproreg::TProductStartup* gStartup = nullptr;
}  // namespace

namespace Cppproreg {
int UseCount = 0;
void Initialization() {}
void Finalization()
{
    delete gStartup;
    gStartup = nullptr;
}
}  // namespace Cppproreg

extern "C" void Cppproreg_IDERegister()
{
    if (!gStartup) gStartup = new Cppproreg::TProductStartup(nullptr);
}

TComGalleryStartup::TComGalleryStartup(TComponent* AOwner) : TComponent(AOwner)
{
    FCookie = MainFormCreated().Add([this](TObject*) {
        if (FHandlers.empty()) ProductStartup();
    });
}

TComGalleryStartup::~TComGalleryStartup()
{
    MainFormCreated().Remove(FCookie);
    for (auto it = FHandlers.rbegin(); it != FHandlers.rend(); ++it) UnregisterNewHandler(*it);
    FCategories.Release();
}

void Cppproreg::TProductStartup::ProductStartup()
{
    EnsureCategory(kActiveXCategory, sActiveXCategoryCaption);

    Register(RegisterNewHandler(kActiveXCategory, SComObjectWizardName, TCppNewComObject::IconName,
                                TCppNewComObject::ObjectKind, ClassOf<TCppNewComObject>(),
                                TCppNewComObject::GalleryId));
    Register(RegisterNewHandler(kActiveXCategory, SAutoObjectWizardName, TCppNewAutoObject::IconName,
                                TCppNewAutoObject::ObjectKind, ClassOf<TCppNewAutoObject>(),
                                TCppNewAutoObject::GalleryId));
    Register(RegisterNewHandler(kActiveXCategory, SPropertyPageWizardName, TCppNewPropertyPage::IconName, 0,
                                ClassOf<TCppNewPropertyPage>(), TCppNewPropertyPage::GalleryId));
    Register(RegisterNewHandler(kActiveXCategory, SComPlusEventObjectWizardName,
                                TCppNewComPlusEventObject::IconName, 0, ClassOf<TCppNewComPlusEventObject>(),
                                TCppNewComPlusEventObject::GalleryId));
    Register(RegisterNewHandler(kActiveXCategory, SComPlusSubscriptionObjectWizardName,
                                TCppNewSubscriptionObject::IconName, 0, ClassOf<TCppNewSubscriptionObject>(),
                                TCppNewSubscriptionObject::GalleryId));
    // The optional items follow the host's settings; one that fails leaves the others.
    struct TOptional {
        const char* Key;
        bool DefaultOn;
        std::function<int()> Add;
    };
    const TOptional optional[] = {
        {"ActiveXWizard", false,
         [] {
             return RegisterNewHandler(kActiveXCategory, SActiveXControlWizardName,
                                       TCppNewActiveXControl::IconName, 0, ClassOf<TCppNewActiveXControl>(),
                                       TCppNewActiveXControl::GalleryId);
         }},
        {"ActiveFormWizard", true,
         [] {
             return RegisterNewHandler(kActiveXCategory, SActiveFormWizardName, TCppNewActiveForm::IconName,
                                       0, ClassOf<TCppNewActiveForm>(), TCppNewActiveForm::GalleryId);
         }},
        {"ActiveServerWizard", true,
         [] {
             return RegisterNewHandler(
                 kActiveXCategory, SActiveServerObjectWizardName, TCppNewActiveServerObject::IconName, 0,
                 ClassOf<TCppNewActiveServerObject>(), TCppNewActiveServerObject::GalleryId);
         }},
    };
    for (const auto& o : optional) {
        try {
            if (OptionalWizardOn(AppIniFile().ReadString("Type Library", o.Key, ""), o.DefaultOn))
                Register(o.Add());
        } catch (const Exception&) {
        }
    }
}

bool OptionalWizardOn(const String& value, bool defaultOn)
{
    return defaultOn ? value != "False" : value == "True";
}
