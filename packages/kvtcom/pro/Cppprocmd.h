#pragma once
// File>New gallery items of the COM wizards.
#include "Cppprocrtrs.h"
#include "host/ComWizards.h"

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

class TCppNewComObject : public TComWizardItem {
public:
    HOST_GALLERY_CLASS(TCppNewComObject);
    static constexpr const char* GalleryId = "Quistor.Tolvane.ComObject";
    static constexpr const char* IconName = "XCOMOBJ";
    static constexpr int ObjectKind = 3;

protected:
    TIntfPtr<IQModuleCreator> GetUnitCreator() override;
};

class TCppNewAutoObject : public TComWizardItem {
public:
    HOST_GALLERY_CLASS(TCppNewAutoObject);
    static constexpr const char* GalleryId = "Quistor.Tolvane.AutoObject";
    static constexpr const char* IconName = "XAUTO";
    static constexpr int ObjectKind = 4;

protected:
    std::unique_ptr<TComObjectExpert> ShowExpert() override;
    TIntfPtr<IQModuleCreator> GetUnitCreator() override;
};

class TCppNewPropertyPage : public TComWizardItem {
public:
    HOST_GALLERY_CLASS(TCppNewPropertyPage);
    static constexpr const char* GalleryId = "Quistor.Tolvane.PropertyPage";
    static constexpr const char* IconName = "XPROP";

protected:
    TIntfPtr<IQModuleCreator> GetUnitCreator() override;
};

class TCppNewComPlusEventObject : public TComWizardItem {
public:
    HOST_GALLERY_CLASS(TCppNewComPlusEventObject);
    static constexpr const char* GalleryId = "Quistor.Tolvane.ComPlusEventObject";
    static constexpr const char* IconName = "COMPLUSEVENT";

protected:
    TIntfPtr<IQModuleCreator> GetUnitCreator() override;
};

class TCppNewSubscriptionObject : public TComWizardItem {
public:
    HOST_GALLERY_CLASS(TCppNewSubscriptionObject);
    static constexpr const char* GalleryId = "Quistor.Tolvane.ComPlusSubscriptionObject";
    static constexpr const char* IconName = "COMPLUSSUBSCRIPTION";

protected:
    TIntfPtr<IQModuleCreator> GetUnitCreator() override;
};

class TCppNewActiveXControl : public TComWizardItem {
public:
    HOST_GALLERY_CLASS(TCppNewActiveXControl);
    static constexpr const char* GalleryId = "Quistor.Tolvane.ActiveXControl";
    static constexpr const char* IconName = "XCTRL";

protected:
    TIntfPtr<IQModuleCreator> GetUnitCreator() override;
    TIntfPtr<IQModuleCreator> GetAboutUnitCreator() override;
};

class TCppNewActiveForm : public TComWizardItem {
public:
    HOST_GALLERY_CLASS(TCppNewActiveForm);
    static constexpr const char* GalleryId = "Quistor.Tolvane.ActiveForm";
    static constexpr const char* IconName = "XFORM";

protected:
    TIntfPtr<IQModuleCreator> GetUnitCreator() override;
    TIntfPtr<IQModuleCreator> GetAboutUnitCreator() override;
};

class TCppNewActiveServerObject : public TComWizardItem {
public:
    HOST_GALLERY_CLASS(TCppNewActiveServerObject);
    static constexpr const char* GalleryId = "Quistor.Tolvane.ActiveServerObject";
    static constexpr const char* IconName = "XASPOBJ";

protected:
    std::unique_ptr<TComObjectExpert> ShowExpert() override;
    TIntfPtr<IQModuleCreator> GetUnitCreator() override;

private:
    // A test script named after the CoClass in the project's folder.
    void GenerateTestPage();
};

// The automation object dialog; the remote data module item shows it too.
class TAutoObjectCppExpert : public TComObjectExpert {
public:
    explicit TAutoObjectCppExpert(String caption = "New Automation Object")
        : TComObjectExpert(std::move(caption))
    {
    }
};

// Shows an automation dialog (caption empty: its own) with the help context; nullptr when cancelled.
std::unique_ptr<TComObjectExpert> ShowAutoObjectExpert(const String& caption, int helpContext);
