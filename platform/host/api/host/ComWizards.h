#pragma once
// The host's COM wizard core: gallery items that run a COM wizard (dialog, new unit, end) and
// the COM object dialog they show. Without a screen the dialog is answered like every form of
// the host ("form.FORM.CONTROL", "form.FORM=BUTTON") or by the older keys that name its controls:
// "com.coclass", "com.interface", "com.description", "com.threading" (default "Apartment"; a
// model the list lacks stops the wizard), "com.instancing" (default "Multiple Instance"),
// "com.events" and "com.cancel" ("true" sets them); the ActiveX dialogs also "com.control" (the wrapped ZUB class) and "com.licensed", the
// Active Server dialog "com.servertype" ("Object Context" or the page-level default) and
// "com.testpage" (default "true").
#include "host/Export.h"
#include <memory>

#include "host/Gallery.h"
#include "rtl/Resources.h"
#include "zub/Forms.h"
#include "zub/StdCtrls.h"

RTL_RESOURCESTRING(SComObjectWizardName, "COM Object");
RTL_RESOURCESTRING(SAutoObjectWizardName, "Automation Object");
RTL_RESOURCESTRING(SPropertyPageWizardName, "Property Page");
RTL_RESOURCESTRING(SComPlusEventObjectWizardName, "COM+ Event Object");
RTL_RESOURCESTRING(SComPlusSubscriptionObjectWizardName, "COM+ Subscription Object");
RTL_RESOURCESTRING(SActiveXControlWizardName, "ActiveX Control");
RTL_RESOURCESTRING(SActiveFormWizardName, "Active Form");
RTL_RESOURCESTRING(SActiveServerObjectWizardName, "Active Server Object");
RTL_RESOURCESTRING(SRemoteDataModuleWizardName, "Remote Data Module");
RTL_RESOURCESTRING(SMTSDataModuleWizardName, "Transactional Data Module");
RTL_RESOURCESTRING(SMTSAutoObjectWizardName, "Transactional Object");
// What the gallery tells of each COM item beside its name.
RTL_RESOURCESTRING(STypeLibraryWizardDescription, "Creates a new type library");
RTL_RESOURCESTRING(SActiveXLibraryWizardDescription,
                   "Creates a new ActiveX library: a DLL that serves ActiveX controls and COM objects");
RTL_RESOURCESTRING(SComObjectWizardDescription,
                   "Creates a COM object that implements an interface of the type library");
RTL_RESOURCESTRING(
    SAutoObjectWizardDescription,
    "Creates an Automation object whose methods and properties clients call through IDispatch");
RTL_RESOURCESTRING(SPropertyPageWizardDescription, "Creates a property page for an ActiveX control");
RTL_RESOURCESTRING(SComPlusEventObjectWizardDescription,
                   "Creates a COM+ event object whose events COM+ hands to its subscribers");
RTL_RESOURCESTRING(SComPlusSubscriptionObjectWizardDescription,
                   "Creates a COM+ object that subscribes to the events of a COM+ event object");
RTL_RESOURCESTRING(SActiveXControlWizardDescription, "Creates an ActiveX control that wraps a ZUB control");
RTL_RESOURCESTRING(SActiveFormWizardDescription, "Creates an ActiveX control that shows a form");
RTL_RESOURCESTRING(SActiveServerObjectWizardDescription,
                   "Creates an Active Server object that the scripts of Active Server Pages call");
RTL_RESOURCESTRING(SRemoteDataModuleWizardDescription,
                   "Creates a remote data module that serves its data sets to client applications");
RTL_RESOURCESTRING(SMTSDataModuleWizardDescription,
                   "Creates a remote data module that runs under the transaction server");
RTL_RESOURCESTRING(SMTSAutoObjectWizardDescription,
                   "Creates an Automation object that runs under the transaction server");
RTL_RESOURCESTRING(SNoProjectForComObject, "A COM object can only be added to an open project");
RTL_RESOURCESTRING(STypeLibraryWizardName, "Type Library");
RTL_RESOURCESTRING(SActiveXLibraryWizardName, "ActiveX Library");
RTL_RESOURCESTRING(sTypeLibNeedsActiveLibrary,
                   "A library project can only have a type library when it is an ActiveX library");
RTL_RESOURCESTRING(sTypeLibNotInConsoleApp, "A console application cannot have a type library");
RTL_RESOURCESTRING(sTypeLibNotInStaticLibrary, "A static library cannot have a type library");

// The dialog of a new COM object: a form "ComObjectExpert" (edtClassName, cbInstancing,
// cbThreadingModel, edtDescription, edtInterface, cbIncludeTypeLib, cbMarkOleAutomation,
// cbEvents, the ActiveX wrapper's hidden cbControlClass and cbLicensed, btnOK, btnCancel,
// btnHelp), answered like every form of the host or by the "com.*" answers above.
// The fields of the dialog a COM wizard item's unit takes besides the CoClass name, threading and
// instancing: the dialog shows only these, and the item reads only these.
enum TComWizardField {
    cfInterface = 1,
    cfEvents = 2,
    cfDescription = 4,
    cfControl = 8,  // the wrapped ZUB control
    cfLicensed = 16
};

class HOST_API TComObjectExpert : public TForm {
public:
    explicit TComObjectExpert(const String& caption);
    int HelpContext = 0;
    // Shows the fields (TComWizardField) and hides the others; with cfControl the combo box
    // lists the controls an ActiveX control may wrap.
    void Offer(int fields);
    // 1 (OK) or 2 (cancelled).
    int Execute();

    String CoClassName() const { return edtClassName->Text(); }
    String InterfaceName() const { return edtInterface->Text(); }
    String Description() const { return edtDescription->Text(); }
    String ThreadingModel() const { return cbThreadingModel->Text(); }
    String Instancing() const { return cbInstancing->Text(); }
    bool Events() const { return cbEvents->Checked(); }
    String ControlClassName() const { return cbControlClass->Text(); }
    bool Licensed() const { return cbLicensed->Checked(); }

    TLabel *lblClassName, *lblInstancing, *lblThreadingModel, *lblDescription, *lblInterface,
        *lblControlClass;
    TEdit *edtClassName, *edtDescription, *edtInterface;
    TComboBox *cbInstancing, *cbThreadingModel, *cbControlClass;
    TControl* bvlOptions;  // frame of the option check boxes
    TCheckBox *cbIncludeTypeLib, *cbMarkOleAutomation, *cbEvents, *cbLicensed;
    TButton *btnOK, *btnCancel, *btnHelp;

protected:
    template <class T>
    T* Add(const char* name, const String& caption, int left, int top, int width, int height)
    {
        auto* c = new T(this);
        c->SetName(name);
        c->SetParent(this);
        c->SetBounds(left, top, width, height);
        if (!caption.empty()) c->SetCaption(caption);
        return c;
    }
};

class HOST_API TComWizardItem : public TGalleryItem {
public:
    // Runs the wizard: StartWizard, GetInfo; when it answers true the units of GetUnitCreator
    // and GetAboutUnitCreator are created in the active project, then EndWizard. Without an
    // active project it stops first with GetNilProjError.
    void Select(int kind) override;

    // What the item read from its dialog; a field the item does not offer keeps the value the
    // item gave it.
    String CoClassName, FileName, Instancing, ThreadingModel, Description, InterfaceName;
    bool Events = false, Dual = false;
    String ControlClassName, ServerType;
    bool Licensed = false, TestPage = false;
    // The COM object dialog's options: the CoClass goes into the project's type library, its
    // interface marked oleautomation.
    bool IncludeTypeLib = true, MarkOleAutomation = false;

protected:
    virtual void StartWizard() {}
    // Shows the dialog (ShowExpert) and reads it (ReadExpert) when it was confirmed.
    virtual bool GetInfo();
    // The type-library entry: a project with a type library gets the CoClass (with its default
    // interface, dual when Dual is set, and its events interface) before any unit is made; a
    // name the library has already stops the wizard.
    virtual void CreateObject();
    // False for items that make no CoClass (property pages).
    virtual bool AddsCoClass() { return true; }
    // The dialog shown, or nullptr when it was cancelled.
    virtual std::unique_ptr<TComObjectExpert> ShowExpert();
    // The dialog fields (TComWizardField) the item's unit takes; all but the control ones by
    // default.
    virtual int Offers() { return cfInterface | cfEvents | cfDescription; }
    // EHostError for a CoClass name that is no identifier and a control the item cannot wrap.
    virtual void ReadExpert(TComObjectExpert& dialog);
    virtual TIntfPtr<IQModuleCreator> GetUnitCreator() = 0;
    // The about box of a control; none by default.
    virtual TIntfPtr<IQModuleCreator> GetAboutUnitCreator() { return nullptr; }
    virtual void EndWizard() {}
    // Raised (EHostError) when the wizard starts with no open project to add its units to.
    virtual String GetNilProjError();
    // The CoClass name a dialog proposes: "CoClass" + the first N from 1 that no type of the
    // project's type library has.
    virtual String GetDefaultName();
    // The project the wizard adds to (the active one when it started).
    TIntfPtr<IQProject> Project;
};

// The host's fix-up at the end of a COM wizard: an application with a type library gets its
// ATL support unit (once).
HOST_API void FixStuff(IQProject* project, const String& fileName, const String& coClassName);

// The help context of the COM object dialog.
inline constexpr int hcNewComObject = 1402;

// A new unit's file name for a CoClass: a unique CoClassName + "Impl" + N + ".cpp" of the
// project folder.
HOST_API String MakeFileName(const String& coClassName);

// A module that is just a text file (e.g. a test page).
class HOST_API TFileCreator : public TDefaultCreator {
public:
    TFileCreator(String fileName, String text) : FFileName(std::move(fileName)), FText(std::move(text)) {}
    String GetFileName() override { return FFileName; }
    TIntfPtr<IQSourceFile> GetSource() override
    {
        return TIntfPtr<IQSourceFile>(new TStringFile(FFileName, FText));
    }
    bool GetIncludeInProject() override { return false; }

private:
    String FFileName, FText;
};

// Hooks of the type-library side: the creator of a project's ATL support unit (file name: the
// project folder + MakeATLModuleName of its module name + ".cpp"), and whether the type-library
// editor may switch its language. A package that sets them puts the old values back at unload.
using TGetATLUnitCreatorProc = TIntfPtr<IQModuleCreator> (*)(IQProject* project);
extern HOST_API TGetATLUnitCreatorProc GetATLUnitCreatorProc;
extern HOST_API bool CanSwapTlibEditLanguage;
