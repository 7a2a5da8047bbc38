#pragma once
// Registration of the COM wizards with the IDE.
#include "host/CodeUpdaters.h"
#include "host/CppProject.h"
#include "host/GalleryServices.h"
#include "host/ImportComponent.h"
#include "host/WizardServices.h"
#include "zub/Classes.h"

namespace Cppproreg {
extern int UseCount;
void Initialization();
void Finalization();
}  // namespace Cppproreg

extern "C" void Cppproreg_IDERegister();

// Whether an optional gallery item is offered for the value of its settings key: one that is off
// by default only for exactly "True", one that is on by default unless exactly "False".
bool OptionalWizardOn(const String& value, bool defaultOn);

// Waits for the host's main window, then adds its gallery items to the host's wizard list
// (ProductStartup, once); takes the items and the categories it added back when freed.
class TComGalleryStartup : public TComponent {
public:
    explicit TComGalleryStartup(TComponent* AOwner);
    ~TComGalleryStartup() override;

protected:
    virtual void ProductStartup() = 0;
    // Adds the category unless the gallery has it.
    void EnsureCategory(const char* id, const String& caption) { FCategories.Ensure(nullptr, id, caption); }
    // Offers the gallery item class T (its GalleryId and IconName) under the category.
    template <class T>
    void AddItem(const char* category, const String& caption, const String& description, int kind = 0)
    {
        FWizards.Add(new TGalleryItemWizard(
            {T::GalleryId, caption, description, T::IconName, category, sCppPersonality, kind},
            ClassOf<T>()));
    }

private:
    int FCookie = 0;
    bool FStarted = false;
    TOwnGalleryCategories FCategories;
    TWizardList FWizards;
};

class TOpenProjectNotifier;

// How the C++ personality imports components: the host's importer with C++ units.
class TCppImportComponentTrait : public TInterfacedObject, public IQImportComponentTrait3 {
public:
    HRESULT QueryInterface(const TGUID& iid, void** obj) override;
    std::unique_ptr<TImportComponentWizard> GetMrWizard() override;
    String GetCaption() override;
    int GetPersonality() override { return 3; }
    String GetProjectExtension() override { return ".tvproj"; }
    String GetProjectFilter() override { return sCppProjectFilter; }
    String ImportTLB(const String& typeLibFile, const String& unitDir, const String& palettePage) override;
    bool ImportAssembly(const String& assemblyFile, const String& unitDir,
                        const String& palettePage) override;
    TDTLWriterClass GetDTLWriter() override { return TCPPDTLWriter::Class(); }
};

namespace Cppproreg {
// The COM gallery items, the project-menu modifiers and the IDE notifier.
class TProductStartup : public TComGalleryStartup {
public:
    using TComGalleryStartup::TComGalleryStartup;
    ~TProductStartup() override;
    TOpenProjectNotifier* Notifier() const { return FNotifier.get(); }

protected:
    void ProductStartup() override;

private:
    // The notifier leaves the IDE services and is dropped.
    void ReleaseNotifier();
    TIntfPtr<TOpenProjectNotifier> FNotifier;
    // The personality's updater factory, registered with the host while the items are there.
    TIntfPtr<IQCreateUpdaters> FUpdaters;
    std::vector<int> FModifiers;
    // The personality traits added, taken out again when freed.
    std::vector<TGUID> FTraits;
};
}  // namespace Cppproreg
