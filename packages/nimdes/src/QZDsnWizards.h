#pragma once
// The File>New wizards of the web framework: new application, new form, new frame.
#include "QZDsnWizard.h"
#include "host/WizardServices.h"
#include "zub/ExtCtrls.h"
#include "zub/Forms.h"
#include "zub/StdCtrls.h"

namespace QZDsnWizard {
// The default projects folder, with a trailing path delimiter: $ZEFPROJECTSDIR, else the host's.
String GetIDEProjectPath();
// The framework's install folder as the registry names it; empty when it names none.
String InstallPath();
// The file names of every project open in the host's project group.
std::vector<String> GroupProjectFiles();
// The gallery category of the personality, made on first use with the asking wizard's ID.
TIntfPtr<IQGalleryCategory> GalleryCategory(bool isCpp, const String& wizardId, bool create);
// Drops the cached categories (and the ones this package added to the gallery).
void ReleaseGalleryCategories();
}  // namespace QZDsnWizard

class TQZWizard : public TQZNotifierObject, public IQTAWizard {
public:
    explicit TQZWizard(bool isCpp) : IsCpp(isCpp) {}
    HRESULT QueryInterface(const TGUID& iid, void** obj) override;
    String GetAuthor() override { return "Pelmor Software"; }
    String GetPage() override { return "Nimbrel"; }
    String GetDesigner() override { return "dfm"; }
    String GetPersonality() override;
    int GetState() override { return wsEnabled; }
    bool IsCpp;

protected:
    // Unit identifier and file name from the host, free in folder (empty: the active project's);
    // the form class is prefix + the identifier from its fifth character on.
    void TakeNewNames(const String& classPrefix, const String& folder);
};

class TQZApplicationWizard : public TQZWizard {
public:
    using TQZWizard::TQZWizard;
    String GetIDString() override
    {
        return IsCpp ? "Pelmor.QZApplicationWizard_KVT" : "Pelmor.QZApplicationWizard";
    }
    String GetName() override { return "Nimbrel Application Wizard"; }
    String GetComment() override { return "Nimbrel Application Wizard"; }
    String GetGlyph() override { return "QZ_APP_ICON"; }
    TIntfPtr<IQGalleryCategory> GetGalleryCategory() override;
    void Execute() override;
    // A C++ project gets the framework's library and header folders on its search paths.
    static void SetupProject(IQProject* project);
};

// The dialog of the form and frame wizards: the type of the new form or frame.
class TformTypeWizard : public TForm {
public:
    TformTypeWizard(TComponent* AOwner, bool frame);
    TControl* Panel1;
    TControl* Panel2;
    TRadioGroup* rgrpForm;
    TLabel* lablDesc;
    TButton* Button1;
    TButton* Button2;
    void rgrpFormClick(TObject* Sender);
    TQZFormType FormType() const { return FFormType; }

private:
    bool FFrame;
    TQZFormType FFormType = ftApp;
};

class TQZUnitWizard : public TQZWizard {
public:
    using TQZWizard::TQZWizard;
    String GetIDString() override { return IsCpp ? "Pelmor.QZUnitWizard_KVT" : "Pelmor.QZUnitWizard"; }
    String GetName() override { return "New Form"; }
    String GetComment() override { return "New Application Form"; }
    String GetGlyph() override { return "QZ_FORM_ICON"; }
    TIntfPtr<IQGalleryCategory> GetGalleryCategory() override;
    void Execute() override;
    // Offered only for a project with a "ServerController" module.
    bool IsVisible(IQProject* project) override;

protected:
    // Asks for the type, then adds a form (or a frame) to the current project.
    void Run(bool frame);
};

class TQZFrameWizard : public TQZUnitWizard {
public:
    using TQZUnitWizard::TQZUnitWizard;
    String GetIDString() override { return IsCpp ? "Pelmor.QZFrameWizard_KVT" : "Pelmor.QZFrameWizard"; }
    String GetName() override { return "New Frame"; }
    String GetComment() override { return "New Application Frame"; }
    void Execute() override;
};
