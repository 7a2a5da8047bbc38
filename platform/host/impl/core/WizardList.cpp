// Gallery item classes as wizards, and the wizard lists of packages.
#include <memory>

#include "host/WizardServices.h"

TGalleryItemWizard::TGalleryItemWizard(TInfo info, const TGalleryItemClass* itemClass)
    : FInfo(std::move(info)), FClass(itemClass)
{
    if (!FClass) throw EHostError("The wizard " + FInfo.IDString + " has no item class");
}

HRESULT TGalleryItemWizard::QueryInterface(const TGUID& iid, void** obj)
{
    if (QueryAs<IQTAWizard>(this, iid, obj)) return S_OK;
    return TInterfacedObject::QueryInterface(iid, obj);
}

TIntfPtr<IQGalleryCategory> TGalleryItemWizard::GetGalleryCategory()
{
    return RequireService<IQGalleryCategoryManager>("gallery")->FindCategory(FInfo.CategoryId);
}

void TGalleryItemWizard::Execute()
{
    std::unique_ptr<TGalleryItem> item(FClass->Create());
    item->Select(FInfo.Kind);
}

bool TGalleryItemWizard::IsVisible(IQProject*)
{
    std::unique_ptr<TGalleryItem> item(FClass->Create());
    return item->IsAvailable(FInfo.Kind);
}

void TWizardList::Add(IQTAWizard* wizard)
{
    TIntfPtr<IQTAWizard> keep(wizard);
    FIndices.push_back(RequireService<IQTAWizardServices>("wizard services")->AddWizard(wizard));
}

void TWizardList::Clear()
{
    TIntfPtr<IQTAWizardServices> ws;
    // the host may be gone already: then so are its wizards
    if (Supports(QuistorIDEServices(), ws))
        for (auto it = FIndices.rbegin(); it != FIndices.rend(); ++it) ws->RemoveWizard(*it);
    FIndices.clear();
}
