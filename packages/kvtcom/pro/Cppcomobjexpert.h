#pragma once
// The C++ forms of the COM object, automation object and Active Server object dialogs.
#include "host/ComWizards.h"
#include "zub/ExtCtrls.h"

class TCppComObjectExpert : public TComObjectExpert {
public:
    TCppComObjectExpert();

private:
    // Marking the interface OleAutomation only makes sense with a type library.
    void cbIncludeTypeLibClick(TObject* sender);
};

// The automation object dialog; the remote data module item shows it too.
class TAutoObjectCppExpert : public TComObjectExpert {
public:
    explicit TAutoObjectCppExpert(const String& caption = "New Automation Object");
    TCheckBox *cbErrorInfo, *cbFreeThreadedMarshaler;
};

class TCppActiveServerObjectExpert : public TAutoObjectCppExpert {
public:
    TCppActiveServerObjectExpert();
    TRadioGroup* rgServerType;
    TCheckBox* cbTestScript;
    // "Object Context" or the page-level default.
    bool ObjectContext() const { return rgServerType->ItemIndex() == 1; }

private:
    void FormCreate();
};
