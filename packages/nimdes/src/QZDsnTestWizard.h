#pragma once
// The test wizards: a new test runner project with one test case unit, and a new test case unit
// for the current project (Pascal personality).
#include "QZDsnWizards.h"

namespace QZDsnTestWizard {
extern int UseCount;
void Initialization();
void Finalization();
// The test wizards' own names (not shared with the application wizards).
struct TQZTestSettings {
    String UnitIdent, FormClassName, FileName, ProjectName, ProjectDir;
};
TQZTestSettings& Settings();
// The projects folder of the test wizards, with a trailing path delimiter.
String GetIDEProjectPath();
// A new test unit's names from the host for a file in folder (empty: the current project's); the
// test class is "QZTestCase" + the identifier from its fifth character on.
void NewTestNames(const String& folder);
// The test unit's source for the current names.
String TestUnitText();
}  // namespace QZDsnTestWizard

class TQZTestUnitFile : public TQZSourceFile {
public:
    TQZTestUnitFile(String fileName, bool isCpp) : TQZSourceFile(std::move(fileName)), IsCpp(isCpp) {}
    bool IsCpp;

protected:
    String Build() override;
};

class TQZTestProjectFile : public TQZSourceFile {
public:
    TQZTestProjectFile(String fileName, bool isCpp) : TQZSourceFile(std::move(fileName)), IsCpp(isCpp) {}
    bool IsCpp;

protected:
    String Build() override;
};

class TQZTestUnitCreator : public TQZNotifierObject, public virtual IQModuleCreator {
public:
    TQZTestUnitCreator(bool isCpp, IQDocumentModule* owner) : IsCpp(isCpp), Owner(owner) {}
    HRESULT QueryInterface(const TGUID& iid, void** obj) override;
    String GetCreatorType() { return "Unit"; }
    bool GetUnnamed() { return true; }
    bool GetExisting() override { return false; }
    String GetFileName() override;
    TIntfPtr<IQSourceFile> GetSource() override;
    String GetLanguage() override { return IsCpp ? "C++" : "Pascal"; }
    bool GetShowSource() override { return true; }
    bool GetIncludeInProject() override { return true; }
    String GetAncestorName() override { return ""; }
    TIntfPtr<IQSourceFile> GetInterfaceSource() override { return nullptr; }
    TIntfPtr<IQSourceFile> GetForm() override { return nullptr; }
    String GetFormName() override { return ""; }
    bool GetMainForm() override { return false; }
    String GetClasses() override { return ""; }
    String GetUnits() override { return ""; }
    String GetLicenseString() override { return ""; }
    bool GetShowForm() override { return true; }
    bool IsCpp;
    IQDocumentModule* Owner;
};

class TQZTestProjectCreator : public TQZNotifierObject, public virtual IQProjectCreator50 {
public:
    explicit TQZTestProjectCreator(bool isCpp) : IsCpp(isCpp) {}
    HRESULT QueryInterface(const TGUID& iid, void** obj) override;
    String GetCreatorType() { return "Application"; }
    bool GetExisting() override { return false; }
    String GetFileName() override;
    TIntfPtr<IQSourceFile> GetSource() override;
    String GetLanguage() override { return IsCpp ? "C++" : "Pascal"; }
    bool GetShowSource() override { return !IsCpp; }
    String GetPersonality() override { return "Pendro.Personality"; }
    int GetTargetType() override { return 0; }
    void InitTargetOptions() override {}
    void CreateDefaultModule(IQProject* project) override;
    bool IsCpp;
};

class TQZTestApplicationWizard : public TQZWizard {
public:
    using TQZWizard::TQZWizard;
    String GetIDString() override { return "Pelmor.QZTestWizard"; }
    String GetName() override { return "Nimbrel Test Application"; }
    String GetComment() override { return "Nimbrel Test Application"; }
    String GetPersonality() override { return "Pendro.Personality"; }
    String GetGlyph() override { return "QZ_APP_ICON"; }
    TIntfPtr<IQGalleryCategory> GetGalleryCategory() override;
    void Execute() override;
};

class TQZTestUnitWizard : public TQZWizard {
public:
    using TQZWizard::TQZWizard;
    String GetIDString() override { return "Pelmor.QZTestUnitWizard"; }
    String GetName() override { return "New Nimbrel Test"; }
    String GetComment() override { return "New Nimbrel Test"; }
    String GetPersonality() override { return "Pendro.Personality"; }
    String GetGlyph() override { return "QZ_FORM_ICON"; }
    TIntfPtr<IQGalleryCategory> GetGalleryCategory() override;
    void Execute() override;
};
