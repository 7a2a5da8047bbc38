#include "host/WizardServices.h"

#include <map>

#include "host/Gallery.h"
#include "hostimpl/DesignRegistries.h"
#include "hostimpl/HostState.h"
#include "hostimpl/StateListing.h"

namespace hostimpl {
namespace {

struct TWizardEntry {
    TIntfPtr<IQTAWizard> Wizard;
    int Handler;
};

// Wizards by index; the gallery item of each finds its wizard by the index it was listed with.
std::map<int, TWizardEntry>& Wizards()
{
    static std::map<int, TWizardEntry> w;
    return w;
}
int gNextIndex = 1;

void ListWizards(std::vector<String>& out)
{
    for (auto& [index, e] : Wizards())
        out.push_back("wizard " + e.Wizard->GetIDString() + AtObject(e.Wizard.get()));
}
const TStateSource kWizards("wizards", ListWizards);

class TWizardItem : public TGalleryItem {
public:
    HOST_GALLERY_CLASS(TWizardItem);
    void Select(int kind) override
    {
        auto it = Wizards().find(kind);
        if (it == Wizards().end()) throw EHostError("The wizard is no longer there");
        TIntfPtr<IQTAWizard> keep = it->second.Wizard;
        keep->Execute();
    }
    bool IsAvailable(int kind) override
    {
        auto it = Wizards().find(kind);
        if (it == Wizards().end()) return false;
        TIntfPtr<IQTAWizard> keep = it->second.Wizard;
        return keep->IsVisible(ActiveProject().get());
    }
};

// The library the wizard comes from: a host-made gallery-item wizard's item class is the
// package's, any other wizard's class is (its virtual table lies in its library).
HMODULE WizardModule(IQTAWizard* wizard)
{
    if (auto* item = dynamic_cast<TGalleryItemWizard*>(wizard)) return ModuleOfAddress(item->ItemClass());
    return ModuleOfAddress(*static_cast<const void* const*>(dynamic_cast<const void*>(wizard)));
}

class TWizardServices : public TAggregatedObject, public IQTAWizardServices {
public:
    using TAggregatedObject::TAggregatedObject;
    bool QueryOwnInterface(const TGUID& iid, void** obj) override
    {
        return QueryAs<IQTAWizardServices>(this, iid, obj);
    }

    int AddWizard(IQTAWizard* wizard) override
    {
        if (!wizard) throw EHostError("No wizard to add");
        TIntfPtr<IQTAWizard> keep(wizard);
        auto cat = wizard->GetGalleryCategory();
        if (!cat) throw EHostError("The wizard " + wizard->GetIDString() + " has no gallery category");
        const int index = gNextIndex++;
        TraceRegistration("AddWizard " + wizard->GetIDString());
        int handler = RegisterNewHandler(cat->IDString(), wizard->GetName(), wizard->GetGlyph(), index,
                                         ClassOf<TWizardItem>(), wizard->GetIDString(), wizard->GetComment());
        for (auto& h : State().Handlers)
            if (h.Handle == handler) h.Module = WizardModule(wizard);
        Wizards()[index] = {keep, handler};
        return index;
    }

    void RemoveWizard(int index) override
    {
        auto it = Wizards().find(index);
        if (it == Wizards().end()) return;
        TraceRegistration("RemoveWizard " + it->second.Wizard->GetIDString());
        UnregisterNewHandler(it->second.Handler);
        Wizards().erase(it);
    }

    int WizardCount() override { return static_cast<int>(Wizards().size()); }
};

}  // namespace

std::unique_ptr<TAggregatedObject> NewWizardServices(IInterface* controller)
{
    return std::make_unique<TWizardServices>(controller);
}

}  // namespace hostimpl
