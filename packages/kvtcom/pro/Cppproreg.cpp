#include "Cppproreg.h"

#include <functional>
#include <memory>

#include "Cppprocmd.h"
#include "Cppproopen.h"
#include "Cppproupdaters.h"
#include "host/AppIniFile.h"
#include "host/GalleryServices.h"
#include "host/IDEControl.h"
#include "host/PersonalityServices.h"

namespace {
RTL_RESOURCESTRING(sActiveXCategoryCaption, "ActiveX");
RTL_RESOURCESTRING(sImportCaption, "ZUB for &C++ Win32");
std::unique_ptr<Cppproreg::TProductStartup> gStartup;
}  // namespace

namespace Cppproreg {
int UseCount = 0;
void Initialization() {}
void Finalization() { gStartup.reset(); }
}  // namespace Cppproreg

extern "C" void Cppproreg_IDERegister()
{
    if (!gStartup) gStartup = std::make_unique<Cppproreg::TProductStartup>(nullptr);
}

TComGalleryStartup::TComGalleryStartup(TComponent* AOwner) : TComponent(AOwner)
{
    FCookie = MainFormCreated().Add([this](TObject*) {
        if (FStarted) return;
        FStarted = true;
        ProductStartup();
    });
}

TComGalleryStartup::~TComGalleryStartup()
{
    MainFormCreated().Remove(FCookie);
    FWizards.Clear();
    FCategories.Release();
}

Cppproreg::TProductStartup::~TProductStartup()
{
    ReleaseNotifier();
    if (FUpdaters) UnRegisterCreateUpdaters(FUpdaters.get());
    if (TIntfPtr<IQProjectMenuManager> pm = ProjectMenuManager())
        for (int index : FModifiers) pm->RemoveModifier(index);
    TIntfPtr<IQPersonalityServices> ps;
    if (Supports(QuistorIDEServices(), ps))
        for (const TGUID& t : FTraits) ps->RemoveTrait(sCppPersonality, t);
}

void Cppproreg::TProductStartup::ReleaseNotifier()
{
    if (!FNotifier) return;
    TIntfPtr<TOpenProjectNotifier> n = std::move(FNotifier);
    n->Destroyed();
}

void Cppproreg::TProductStartup::ProductStartup()
{
    if (TIntfPtr<IQProjectMenuManager> pm = ProjectMenuManager()) {
        TIntfPtr<IQProjectMenuModifier> modifiers[] = {
            TIntfPtr<IQProjectMenuModifier>(new TAtlFileMenuModifier),
            TIntfPtr<IQProjectMenuModifier>(new TTlbFileMenuModifier),
            TIntfPtr<IQProjectMenuModifier>(new TTlbCppFileMenuModifier)};
        for (auto& m : modifiers) FModifiers.push_back(pm->AddModifier(m.get()));
    }
    FUpdaters = TIntfPtr<IQCreateUpdaters>(new TProCppUpdaters);
    RegisterCreateUpdaters(FUpdaters);
    FNotifier = TIntfPtr<TOpenProjectNotifier>(new TOpenProjectNotifier([this] { FNotifier.reset(); }));

    EnsureCategory(kActiveXCategory, sActiveXCategoryCaption);

    AddItem<TCppNewTypeLibrary>(kActiveXCategory, STypeLibraryWizardName, STypeLibraryWizardDescription);
    AddItem<TCppActiveLibrary>(kActiveXCategory, SActiveXLibraryWizardName, SActiveXLibraryWizardDescription);
    AddItem<TCppNewComObject>(kActiveXCategory, SComObjectWizardName, SComObjectWizardDescription,
                              TCppNewComObject::ObjectKind);
    AddItem<TCppNewAutoObject>(kActiveXCategory, SAutoObjectWizardName, SAutoObjectWizardDescription,
                               TCppNewAutoObject::ObjectKind);
    AddItem<TCppNewPropertyPage>(kActiveXCategory, SPropertyPageWizardName, SPropertyPageWizardDescription);
    AddItem<TCppNewComPlusEventObject>(kActiveXCategory, SComPlusEventObjectWizardName,
                                       SComPlusEventObjectWizardDescription);
    AddItem<TCppNewSubscriptionObject>(kActiveXCategory, SComPlusSubscriptionObjectWizardName,
                                       SComPlusSubscriptionObjectWizardDescription);
    // The optional items follow the host's settings; one that fails leaves the others.
    struct TOptional {
        const char* Key;
        bool DefaultOn;
        std::function<void()> Add;
    };
    const TOptional optional[] = {
        {"ActiveXWizard", false,
         [this] {
             AddItem<TCppNewActiveXControl>(kActiveXCategory, SActiveXControlWizardName,
                                            SActiveXControlWizardDescription);
         }},
        {"ActiveFormWizard", true,
         [this] {
             AddItem<TCppNewActiveForm>(kActiveXCategory, SActiveFormWizardName,
                                        SActiveFormWizardDescription);
         }},
        {"ActiveServerWizard", true,
         [this] {
             AddItem<TCppNewActiveServerObject>(kActiveXCategory, SActiveServerObjectWizardName,
                                                SActiveServerObjectWizardDescription);
         }},
    };
    for (const auto& o : optional) {
        try {
            if (OptionalWizardOn(AppIniFile().ReadString("Type Library", o.Key, ""), o.DefaultOn)) o.Add();
        } catch (const Exception&) {
        }
    }
    TIntfPtr<IQImportComponentTrait3> trait(new TCppImportComponentTrait);
    auto ps = RequireService<IQPersonalityServices>("personality services");
    for (const TGUID& iid :
         {IQImportComponentTrait::IID, IQImportComponentTrait2::IID, IQImportComponentTrait3::IID}) {
        ps->AddTrait(sCppPersonality, iid, trait.get());
        FTraits.push_back(iid);
    }
}

HRESULT TCppImportComponentTrait::QueryInterface(const TGUID& iid, void** obj)
{
    if (QueryAs<IQImportComponentTrait3>(this, iid, obj) ||
        QueryAs<IQImportComponentTrait2>(this, iid, obj) || QueryAs<IQImportComponentTrait>(this, iid, obj))
        return S_OK;
    return TInterfacedObject::QueryInterface(iid, obj);
}

std::unique_ptr<TImportComponentWizard> TCppImportComponentTrait::GetMrWizard()
{
    return std::make_unique<TImportComponentWizard>(sCppPersonality);
}

String TCppImportComponentTrait::GetCaption() { return sImportCaption; }

String TCppImportComponentTrait::ImportTLB(const String& typeLibFile, const String& unitDir,
                                           const String& palettePage)
{
    return ::ImportTLB(typeLibFile, unitDir, palettePage, ".cpp", sCppPersonality);
}

bool TCppImportComponentTrait::ImportAssembly(const String& assemblyFile, const String& unitDir,
                                              const String& palettePage)
{
    return FindAndOpenFile(CreateUnit(assemblyFile, unitDir, palettePage, 0, sCppPersonality));
}

bool OptionalWizardOn(const String& value, bool defaultOn)
{
    return defaultOn ? value != "False" : value == "True";
}
