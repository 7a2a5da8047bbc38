#include "Cpptypelibraryoptionspage.h"

#include "host/AppIniFile.h"
#include "host/Registry.h"

namespace {
const char* const kSection = "Type Library";
// Field, its type and its value when the settings have none.
struct TField {
    const char* Name;
    TRegistryPropSet::TFieldType Type;
    const char* Default;
};
const TField kFields[] = {
    {"CppChangeSuffixInCompWrap", TRegistryPropSet::ftBoolean, "False"},
    {"CppOcxSuffix", TRegistryPropSet::ftString, ""},
    {"DispInterfInControlWrap", TRegistryPropSet::ftBoolean, "False"},
    {"MSStylePropGetSet", TRegistryPropSet::ftBoolean, "False"},
};
}  // namespace

TCppTypeLibOptions::TCppTypeLibOptions(TComponent* AOwner) : TPropertySheet(AOwner)
{
    SetName("CppTypeLibOptions");
    Caption = "Type Library";
    FProps = new TRegistryPropSet(this);
    FProps->SetName("TypeLibrary");
    for (const auto& f : kFields) {
        FProps->AddField(f.Name, f.Type, f.Default, "");
        const String v = AppIniFile().ReadString(kSection, f.Name, f.Default);
        try {
            FProps->SetValue(f.Name, v);
        } catch (const Exception&) {
            // a value the field cannot take leaves its default
            FProps->SetValue(f.Name, f.Default);
        }
    }
    CheckBoxes = {
        {"Component wrapper file", "Change &suffix", FProps, "CppChangeSuffixInCompWrap"},
        {"Code generation", "Use &dispinterfaces in control wrappers", FProps, "DispInterfInControlWrap"},
        {"Code generation", "MS-style pr&operty getter/setter prefixes", FProps, "MSStylePropGetSet"}};
    FSuffixHistory = new THistoryManager(this);
    FSuffixHistory->SetName("hlCppOcxSuffix");
    FSuffixHistory->KeyPath = String(rkBaseRegKey) + "\\History Lists\\hlCppOcxSuffix";
    FSuffixHistory->LoadHistory();
    ComboBoxes = {
        {"HistPropOcxSuff", "Component wrapper file", FSuffixHistory, FProps, "CppOcxSuffix", false}};
    // the box is set through the dialog: the combo box follows it
    FProps->OnChange = [this](const String& field) {
        if (field == "CppChangeSuffixInCompWrap") PropChkChangeOcxSuffixClick();
    };
    // the combo box follows the value read as well
    PropChkChangeOcxSuffixClick();
}

void TCppTypeLibOptions::PropChkChangeOcxSuffixClick()
{
    ComboBoxes.front().Enabled = FProps->BoolValue("CppChangeSuffixInCompWrap");
}

void TCppTypeLibOptions::Broadcast(int msg, std::intptr_t wParam, std::intptr_t)
{
    if (msg != WM_COMMAND || wParam != 1) return;
    for (const auto& f : kFields) AppIniFile().WriteString(kSection, f.Name, FProps->Value(f.Name));
    FSuffixHistory->SaveHistory();  // the dialog has put the suffix taken first
}

namespace {
// Puts the page into the options dialog.
class TCppTypeLibAddIn : public TAddInOptions {
public:
    using TAddInOptions::TAddInOptions;
    void CustomizeDialog(TEnvironmentOptionsDialog& dialog) override
    {
        dialog.AddSheet("TCppTypeLibOptions");
    }
};
TAddInOptions* gAddIn = nullptr;
}  // namespace

namespace Cpptypelibraryoptionspage {
int UseCount = 0;
void Initialization()
{
    RegisterPropertySheetClass("TCppTypeLibOptions", [](TComponent* owner) -> TPropertySheet* {
        return new TCppTypeLibOptions(owner);
    });
    gAddIn =
        RegisterAddInOptions([](TComponent* owner) -> TAddInOptions* { return new TCppTypeLibAddIn(owner); });
}
void Finalization()
{
    if (gAddIn) UnregisterAddInOptions(gAddIn);
    gAddIn = nullptr;
    UnregisterPropertySheetClass("TCppTypeLibOptions");
}
}  // namespace Cpptypelibraryoptionspage
