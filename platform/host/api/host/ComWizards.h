#pragma once
// The host's COM wizard core: gallery items that run a COM wizard (dialog, new unit, end) and
// the COM object dialog they show. Without a screen the dialog answers from the host's dialog
// answers: "com.coclass", "com.interface", "com.description", "com.threading" (default
// "Apartment"), "com.instancing" (default "Multiple Instance"), "com.events" and "com.cancel"
// ("true" sets them).
#include <memory>

#include "host/Gallery.h"
#include "rtl/Resources.h"

RTL_RESOURCESTRING(SComObjectWizardName, "COM Object");
RTL_RESOURCESTRING(SAutoObjectWizardName, "Automation Object");
RTL_RESOURCESTRING(SRemoteDataModuleWizardName, "Remote Data Module");
RTL_RESOURCESTRING(SMTSDataModuleWizardName, "Transactional Data Module");
RTL_RESOURCESTRING(SMTSAutoObjectWizardName, "Transactional Object");

// The dialog of a new COM object.
class TComObjectExpert : public TObject {
public:
    explicit TComObjectExpert(String caption) : Caption(std::move(caption)) {}
    String Caption;
    int HelpContext = 0;
    String CoClassName, InterfaceName, Description, ThreadingModel, Instancing;
    bool Events = false;
    // 1 (OK) or 2 (cancelled).
    virtual int ShowModal();
};

class TComWizardItem : public TGalleryItem {
public:
    // Runs the wizard: StartWizard, GetInfo; when it answers true the unit of GetUnitCreator
    // is created in the active project, then EndWizard.
    void Select(int kind) override;

    // What the item read from its dialog.
    String CoClassName, FileName, Instancing, ThreadingModel, Description, InterfaceName;
    bool Events = false, Dual = false;

protected:
    virtual void StartWizard() {}
    // Shows the dialog (ShowExpert) and reads it (ReadExpert) when it was confirmed.
    virtual bool GetInfo();
    // The dialog shown, or nullptr when it was cancelled.
    virtual std::unique_ptr<TComObjectExpert> ShowExpert();
    virtual void ReadExpert(TComObjectExpert& dialog);
    virtual TIntfPtr<IQModuleCreator> GetUnitCreator() = 0;
    virtual void EndWizard() {}
    // The project the wizard adds to (the active one when it started).
    TIntfPtr<IQProject> Project;
};

// A new unit's file name for a CoClass: a unique CoClassName + "Impl" + N + ".cpp" of the
// project folder.
String MakeFileName(const String& coClassName);
