#pragma once
// File>New gallery items of the COM wizards.
#include "Cppcomobjexpert.h"
#include "Cppprocrtrs.h"
#include "host/ComWizards.h"
#include "host/TypeLibrary.h"

inline constexpr const char* kActiveXCategory = "Quistor.Tolvane.ActiveX";

namespace Cppprocmd {
extern int UseCount;
void Initialization();
void Finalization();  // puts the hooks back while they are still this package's
}  // namespace Cppprocmd

// Sets the ATL unit creator hook and lets the type-library editor switch its language.
extern "C" void Cppprocmd_IDERegister();
// The ATL support unit of a project (the ATL hook's value).
TIntfPtr<IQModuleCreator> CppATLUnitCreator(IQProject* project);

// A new type library: in the active project (made its type-library module and shown) or, with no
// project or one that has a type library, stand-alone in the type-library editor.
class TCppNewTypeLibrary : public TGalleryItem {
public:
    HOST_GALLERY_CLASS(TCppNewTypeLibrary);
    static constexpr const char* GalleryId = "Quistor.Tolvane.TypeLibrary";
    static constexpr const char* IconName = "XTLIB";
    void Select(int kind) override;

protected:
    void StartWizard();
    void EndWizard();
};

// A new ActiveX library project with its type library.
class TCppActiveLibrary : public TGalleryItem {
public:
    HOST_GALLERY_CLASS(TCppActiveLibrary);
    static constexpr const char* GalleryId = "Quistor.Tolvane.ActiveXLibrary";
    static constexpr const char* IconName = "XLIB";
    void Select(int kind) override;

protected:
    // nullptr when the host proposes no project file name.
    TIntfPtr<IQProjectCreator> GetProjectCreator();
    void EndWizard();
};

class TCppNewComObject : public TComWizardItem {
public:
    HOST_GALLERY_CLASS(TCppNewComObject);
    static constexpr const char* GalleryId = "Quistor.Tolvane.ComObject";
    static constexpr const char* IconName = "XCOMOBJ";
    static constexpr int ObjectKind = 3;

    // Shows the dialog (a TCppComObjectExpert when makeDialog is null) with the help context, the
    // class name filled in and the caption (empty: the dialog's own); nullptr when cancelled.
    using TDialogFactory = std::unique_ptr<TComObjectExpert> (*)();
    std::unique_ptr<TComObjectExpert> ShowComObjectExpert(TDialogFactory makeDialog, int helpContext,
                                                          const String& className, const String& caption);

protected:
    void EndWizard() override;
    std::unique_ptr<TComObjectExpert> ShowExpert() override;
    // The OleAutomation mark as checked; a C++ COM object always goes into the type library.
    void ReadExpert(TComObjectExpert& dialog) override;
    TIntfPtr<IQModuleCreator> GetUnitCreator() override;
};

class TCppNewAutoObject : public TComWizardItem {
public:
    HOST_GALLERY_CLASS(TCppNewAutoObject);
    static constexpr const char* GalleryId = "Quistor.Tolvane.AutoObject";
    static constexpr const char* IconName = "XAUTO";
    static constexpr int ObjectKind = 4;

    TCppNewAutoObject() { Dual = true; }

protected:
    int Offers() override { return cfEvents | cfDescription; }
    void EndWizard() override;
    std::unique_ptr<TComObjectExpert> ShowExpert() override;
    TIntfPtr<IQModuleCreator> GetUnitCreator() override;
};

class TCppNewPropertyPage : public TComWizardItem {
public:
    HOST_GALLERY_CLASS(TCppNewPropertyPage);
    static constexpr const char* GalleryId = "Quistor.Tolvane.PropertyPage";
    static constexpr const char* IconName = "XPROP";

protected:
    int Offers() override { return 0; }
    void EndWizard() override;
    bool AddsCoClass() override { return false; }
    TIntfPtr<IQModuleCreator> GetUnitCreator() override;
};

class TCppNewComPlusEventObject : public TComWizardItem {
public:
    HOST_GALLERY_CLASS(TCppNewComPlusEventObject);
    static constexpr const char* GalleryId = "Quistor.Tolvane.ComPlusEventObject";
    static constexpr const char* IconName = "COMPLUSEVENT";

    TCppNewComPlusEventObject() { Dual = true; }

protected:
    int Offers() override { return 0; }
    void EndWizard() override;
    TIntfPtr<IQModuleCreator> GetUnitCreator() override;
};

class TCppNewSubscriptionObject : public TComWizardItem {
public:
    HOST_GALLERY_CLASS(TCppNewSubscriptionObject);
    static constexpr const char* GalleryId = "Quistor.Tolvane.ComPlusSubscriptionObject";
    static constexpr const char* IconName = "COMPLUSSUBSCRIPTION";

protected:
    int Offers() override { return cfInterface | cfDescription; }
    void EndWizard() override;
    TIntfPtr<IQModuleCreator> GetUnitCreator() override;
};

class TCppNewActiveXControl : public TComWizardItem {
public:
    HOST_GALLERY_CLASS(TCppNewActiveXControl);
    // The control's unit implements I<CoClass> and its events, whatever the dialog says.
    TCppNewActiveXControl()
    {
        Dual = true;
        Events = true;
    }
    static constexpr const char* GalleryId = "Quistor.Tolvane.ActiveXControl";
    static constexpr const char* IconName = "XCTRL";

protected:
    int Offers() override { return cfControl | cfLicensed; }
    // The project learns which unit implements the control's CoClass, so that edits of the type
    // library reach the unit.
    void EndWizard() override;
    TIntfPtr<IQModuleCreator> GetUnitCreator() override;
    TIntfPtr<IQModuleCreator> GetAboutUnitCreator() override;
};

class TCppNewActiveForm : public TComWizardItem {
public:
    HOST_GALLERY_CLASS(TCppNewActiveForm);
    static constexpr const char* GalleryId = "Quistor.Tolvane.ActiveForm";
    static constexpr const char* IconName = "XFORM";

    TCppNewActiveForm()
    {
        Dual = true;
        Events = true;
    }

protected:
    int Offers() override { return cfLicensed; }
    void EndWizard() override;
    TIntfPtr<IQModuleCreator> GetUnitCreator() override;
    TIntfPtr<IQModuleCreator> GetAboutUnitCreator() override;
};

class TCppNewActiveServerObject : public TComWizardItem {
public:
    HOST_GALLERY_CLASS(TCppNewActiveServerObject);
    static constexpr const char* GalleryId = "Quistor.Tolvane.ActiveServerObject";
    static constexpr const char* IconName = "XASPOBJ";

    TCppNewActiveServerObject() { Dual = true; }

protected:
    int Offers() override { return 0; }
    void EndWizard() override;
    std::unique_ptr<TComObjectExpert> ShowExpert() override;
    void ReadExpert(TComObjectExpert& dialog) override;
    TIntfPtr<IQModuleCreator> GetUnitCreator() override;

private:
    // A test script named after the CoClass in the project's folder.
    void GenerateTestPage();
};

// The toolbox bitmap number of a new ActiveX control of the project: one above the highest its
// units' controls declare (1 for the first), so that no two controls of a library share one.
int NextToolboxBitmapNumber(IQProject* project);

// Shows an automation dialog (caption empty: its own) with the help context and the fields
// offered (TComWizardField); nullptr when cancelled.
std::unique_ptr<TComObjectExpert> ShowAutoObjectExpert(const String& caption, int helpContext, int offers);

// Tells the project's type-library updater that the CoClass is implemented in fileName; nothing
// for an empty CoClass name or an updater that does not take COM objects.
void AddComObjectToProject(IQProject* project, const String& coClassName, const String& fileName);
// An application with a type-library module: the module's saves rename the ATL unit after the
// project.
void AddAtlCallback(IQProject* project);
// The end of the COM object wizards: the CoClass's unit, for some the ATL callback, the host's fix-up.
void EndComObjectWizard(IQProject* project, const String& coClassName, const String& fileName,
                        bool atlCallback);

// Renames the project's ATL unit to <project folder><project name>_ATL.cpp and saves it.
class TAtlSaveCallback : public TInterfacedObject, public IQTypeLibSaveCallback {
public:
    explicit TAtlSaveCallback(IQProject* project) : FProject(project) {}
    HRESULT QueryInterface(const TGUID& iid, void** obj) override;
    void Save() override;

private:
    TIntfPtr<IQProject> FProject;
};
