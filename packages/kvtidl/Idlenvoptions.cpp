#include "Idlenvoptions.h"

#include "host/Registry.h"
#include "host/ToolsAPI.h"

TIdlEnvironmentOptions* IdlEnvironmentOptions = nullptr;

namespace {

using F = TRegistryPropSet;
struct TFieldDef {
    const char* Name;
    F::TFieldType Type;
    const char *Default, *Label;  // Default nullptr: the cache limit's default
};
const TFieldDef kFields[] = {
    {"ShowProjectUpdates", F::ftBoolean, "False", "&Show Project Updates"},
    {"VerifyIDLIncludes", F::ftBoolean, "True", "&Verify IDL Include Files"},
    {"FileSymbolCacheLimit", F::ftInteger, nullptr, "FileSymbolCacheLimit"},
    {"IrName", F::ftString, "", "IrName"},
    {"IrReplaceDefinitions", F::ftBoolean, "True", "IrReplaceDefinitions"},
    {"AddIrName", F::ftString, "", "AddIrName"},
    {"IrStorageName", F::ftString, "", "IrStorageName"},
    {"IrConsole", F::ftBoolean, "True", "IrConsole"},
    {"UpdatesTypeWidth", F::ftInteger, "", "UpdatesTypeWidth"},
    {"UpdatesNameWidth", F::ftInteger, "", "UpdatesNameWidth"},
    {"UpdatesPanelWidth", F::ftInteger, "", "UpdatesPanelWidth"},
    {"UpdatesSizeable", F::ftBoolean, "False", "UpdatesSizeable"},
    {"UpdatesHeight", F::ftInteger, "", "UpdatesHeight"},
    {"UpdatesWidth", F::ftInteger, "", "UpdatesWidth"},
};

// Every owned component of type T.
template <class T, class Fn>
void EachOwned(TComponent* owner, Fn fn)
{
    for (int i = 0; i < owner->ComponentCount(); ++i)
        if (auto* c = dynamic_cast<T*>(owner->Components(i))) fn(c);
}

String BelowBaseKey(const String& keyPath) { return String(rkBaseRegKey) + "\\" + keyPath; }

}  // namespace

String TIdlEnvironmentOptions::KeyPath() { return BelowBaseKey("CORBA"); }

TIdlEnvironmentOptions::TIdlEnvironmentOptions(TComponent* AOwner) : TAddInOptions(AOwner)
{
    SetName("IdlEnvironmentOptions");
    CORBA = new TRegistryPropSet(this);
    CORBA->SetName("CORBA");
    CORBA->KeyPath = "CORBA";
    for (const TFieldDef& f : kFields)
        CORBA->AddField(f.Name, f.Type,
                        f.Default ? String(f.Default) : IntToStr(kDefaultFileSymbolCacheLimit), f.Label);
    CORBA->OnChange = [this](const String& field) { CORBAOptionsChange(field); };
    OnCreate = [this](TObject*) { EnvironmentOptionsCreate(); };
}

TIdlEnvironmentOptions::~TIdlEnvironmentOptions()
{
    FChange.reset();
    AddInDestroyed(this);
}

void TIdlEnvironmentOptions::EnvironmentOptionsCreate()
{
    TRegistry reg;
    EachOwned<TRegistryPropSet>(this, [&](TRegistryPropSet* set) {
        set->KeyPath = BelowBaseKey(set->KeyPath);
        if (reg.KeyExists(set->KeyPath)) set->LoadFromRegistry();
    });
    EachOwned<THistoryManager>(this, [](THistoryManager* h) {
        h->KeyPath = BelowBaseKey(h->KeyPath);
        h->LoadHistory();
    });
    FChange = std::make_unique<TIDEEvent>();
    FModified = true;
}

void TIdlEnvironmentOptions::LoadOptions()
{
    EachOwned<TRegistryPropSet>(this, [](TRegistryPropSet* set) { set->LoadFromRegistry(); });
    EachOwned<THistoryManager>(this, [](THistoryManager* h) { h->LoadHistory(); });
    FModified = false;
}

void TIdlEnvironmentOptions::SaveOptions()
{
    EachOwned<TRegistryPropSet>(this, [](TRegistryPropSet* set) { set->SaveToRegistry(); });
    EachOwned<THistoryManager>(this, [](THistoryManager* h) { h->SaveHistory(); });
}

void TIdlEnvironmentOptions::CustomizeDialog(TEnvironmentOptionsDialog& dialog)
{
    dialog.AddSheet("TCORBAOptions");
}

void TIdlEnvironmentOptions::CORBAOptionsChange(const String&)
{
    if (EnvironmentOptions().Updating)
        FModified = true;
    else if (FChange)
        FChange->Fire(this);
}

TAddInOptions* NewIdlEnvironmentOptions(TComponent* owner) { return new TIdlEnvironmentOptions(owner); }

TCORBAOptions::TCORBAOptions(TComponent* AOwner, TIdlEnvironmentOptions* options)
    : TPropertySheet(AOwner), FOptions(options ? options : IdlEnvironmentOptions)
{
    if (!FOptions) throw EHostError("The CORBA options are not loaded");
    SetName("CORBAOptions");
    Caption = "CORBA";
    TabVisible = false;
    HelpContext = 5954;
    CheckBoxes = {{" Update object options ", "&Show updates", FOptions->CORBA, "ShowProjectUpdates"},
                  {" IDL file options ", "&Verify IDL include files", FOptions->CORBA, "VerifyIDLIncludes"}};
}

TCORBAOptions::~TCORBAOptions()
{
    // left without OK: the edits go
    if (FPending) FOptions->LoadOptions();
}

void TCORBAOptions::Broadcast(int msg, std::intptr_t wParam, std::intptr_t)
{
    if (msg == WM_COMMAND && wParam == 1) {
        FPending = false;
        FOptions->CORBA->SaveToRegistry();
    }
}

namespace Corbaoptionspage {

int UseCount = 0;

void Initialization()
{
    RegisterPropertySheetClass("TCORBAOptions",
                               [](TComponent* owner) -> TPropertySheet* { return new TCORBAOptions(owner); });
}

void Finalization() { UnregisterPropertySheetClass("TCORBAOptions"); }

}  // namespace Corbaoptionspage
