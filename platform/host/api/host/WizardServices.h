#pragma once
// Wizard services: packages add wizard objects, each listed in the File>New gallery under its
// own category with its name as caption, and remove them by the index the host returned.
#include "host/Export.h"
#include "host/Gallery.h"
#include "host/GalleryServices.h"
#include "host/ModuleServices.h"

enum TWizardState { wsEnabled = 1, wsChecked = 2 };

class HOST_API IQTAWizard : public virtual IInterface {
public:
    RTL_IID("{B75C0CE0-EEA6-11D1-9504-00608CCBF153}");
    virtual String GetIDString() = 0;
    virtual String GetName() = 0;
    virtual String GetComment() = 0;
    virtual String GetAuthor() = 0;
    virtual String GetPage() = 0;
    virtual String GetDesigner() = 0;
    virtual String GetPersonality() = 0;
    virtual String GetGlyph() = 0;  // name of the icon resource
    virtual int GetState() = 0;
    // The category the wizard is listed under.
    virtual TIntfPtr<IQGalleryCategory> GetGalleryCategory() = 0;
    // The user picked the wizard.
    virtual void Execute() = 0;
    // Offered for the project (nullptr: none open)? A wizard that is not is listed as not
    // available and cannot run.
    virtual bool IsVisible(IQProject* project)
    {
        (void)project;
        return true;
    }
};

class HOST_API IQTAWizardServices : public virtual IInterface {
public:
    RTL_IID("{B75C0CE3-EEA6-11D1-9504-00608CCBF153}");
    // Lists the wizard and returns its index; EHostError when its category is unknown or its ID
    // is taken.
    virtual int AddWizard(IQTAWizard* wizard) = 0;
    // Takes the wizard of that index out again; an unknown index does nothing.
    virtual void RemoveWizard(int index) = 0;
    virtual int WizardCount() = 0;
};

// A gallery item class offered as a wizard: Execute makes an item of the class and selects it
// with kind; the item's IsVisible answers IsVisible.
class HOST_API TGalleryItemWizard : public TInterfacedObject, public IQTAWizard {
public:
    struct TInfo {
        String IDString, Name, Comment, Glyph, CategoryId, Personality;
        int Kind = 0;
    };
    TGalleryItemWizard(TInfo info, const TGalleryItemClass* itemClass);
    HRESULT QueryInterface(const TGUID& iid, void** obj) override;
    String GetIDString() override { return FInfo.IDString; }
    String GetName() override { return FInfo.Name; }
    String GetComment() override { return FInfo.Comment; }
    String GetAuthor() override { return "Quistor"; }
    String GetPage() override { return ""; }
    String GetDesigner() override { return ""; }
    String GetPersonality() override { return FInfo.Personality; }
    String GetGlyph() override { return FInfo.Glyph; }
    int GetState() override { return wsEnabled; }
    TIntfPtr<IQGalleryCategory> GetGalleryCategory() override;
    void Execute() override;
    bool IsVisible(IQProject* project) override;
    const TGalleryItemClass* ItemClass() const { return FClass; }

private:
    TInfo FInfo;
    const TGalleryItemClass* FClass;
};

// The wizards a package added, taken out again (newest first) when the list is freed.
class HOST_API TWizardList {
public:
    TWizardList() = default;
    TWizardList(const TWizardList&) = delete;
    TWizardList& operator=(const TWizardList&) = delete;
    ~TWizardList() { Clear(); }
    // Adds the wizard to the host's wizard services; EHostError as AddWizard.
    void Add(IQTAWizard* wizard);
    int Count() const { return static_cast<int>(FIndices.size()); }
    void Clear();

private:
    std::vector<int> FIndices;
};
