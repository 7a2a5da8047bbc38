#include "Cppcomobjexpert.h"

namespace {
// Out of the visible area: the C++ objects take their instancing from the wizard.
void MoveOutOfView(TControl* c) { c->SetLeft(-1000); }
}  // namespace

TCppComObjectExpert::TCppComObjectExpert() : TComObjectExpert("New COM Object")
{
    SetName("CppComObjectExpert");
    lblClassName->SetCaption("&CoClass Name:");
    cbIncludeTypeLib->Hide();
    cbIncludeTypeLib->SetEnabled(false);
    cbIncludeTypeLib->OnClick = [this](TObject* s) { cbIncludeTypeLibClick(s); };
    cbEvents->SetEnabled(true);
    cbEvents->SetHint("Events allow your COM object to 'talk back' to its clients");
    MoveOutOfView(lblInstancing);
    MoveOutOfView(cbInstancing);
    edtClassName->SetHint("The name of the OLE Object that implements a COM Interface.");
    edtInterface->SetHint("The Default Interface of your OLE Object.");
    edtDescription->SetHint(
        "A string that describes this COM Object. The string is used in the ProgID entry of the Object's "
        "registration.");
}

void TCppComObjectExpert::cbIncludeTypeLibClick(TObject*)
{
    cbMarkOleAutomation->SetEnabled(cbIncludeTypeLib->Checked());
}

TAutoObjectCppExpert::TAutoObjectCppExpert(const String& caption) : TComObjectExpert(caption)
{
    SetName("AutoObjectCppExpert");
    lblClassName->SetCaption("&CoClass Name:");
    lblInstancing->SetEnabled(false);
    cbInstancing->SetEnabled(false);
    MoveOutOfView(lblInstancing);
    MoveOutOfView(cbInstancing);
    lblDescription->SetCaption("&Description:");
    lblDescription->Show();
    edtDescription->Show();
    cbErrorInfo = Add<TCheckBox>("cbErrorInfo", "Generate I&ErrorInfo support code", 16, 252, 380, 17);
    cbFreeThreadedMarshaler =
        Add<TCheckBox>("cbFreeThreadedMarshaler", "&Free-Threaded Marshaler", 16, 272, 380, 17);
    for (TCheckBox* c : {cbErrorInfo, cbFreeThreadedMarshaler}) {
        c->Hide();
        c->SetEnabled(false);
    }
    cbEvents->SetEnabled(true);
    edtClassName->SetHint("Name of OLE Object that will implement the Automation Interface.");
}

TCppActiveServerObjectExpert::TCppActiveServerObjectExpert()
    : TAutoObjectCppExpert("New Active Server Object")
{
    SetName("CppActiveServerObjectExpert");
    HelpContext = 3289;
    rgServerType = Add<TRadioGroup>("rgServerType", "Active Server Type", 8, 180, 400, 60);
    rgServerType->Items()->Add("&Page-level event methods ( OnStartPage/OnEndPage )");
    rgServerType->Items()->Add("&Object Context");
    rgServerType->SetItemIndex(0);
    cbTestScript =
        Add<TCheckBox>("cbTestScript", "&Generate a template test script for this object", 16, 248, 380, 17);
    cbTestScript->SetChecked(true);
    cbEvents->Hide();
    // the server type and the test script take the option rows
    cbIncludeTypeLib->Hide();
    cbMarkOleAutomation->Hide();
    FormCreate();
}

void TCppActiveServerObjectExpert::FormCreate()
{
    // The instancing row goes; what lies below it closes the gap: the options frame with the
    // server type and the test script it holds (a shorter frame would cut through them), and the
    // buttons, or the shorter form cuts them off.
    lblInstancing->Hide();
    cbInstancing->Hide();
    const int gap = cbInstancing->Height() + 10;
    for (TControl* c :
         {bvlOptions, static_cast<TControl*>(rgServerType), static_cast<TControl*>(cbTestScript),
          static_cast<TControl*>(btnOK), static_cast<TControl*>(btnCancel), static_cast<TControl*>(btnHelp)})
        c->SetTop(c->Top() - gap);
    SetHeight(Height() - gap);
}
