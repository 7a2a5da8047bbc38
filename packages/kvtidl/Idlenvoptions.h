#pragma once
// The package's user options, kept in the host's registry below its base key, and their page
// "CORBA" in the environment-options dialog.
#include <memory>

#include "host/EnvironmentOptions.h"

// The limit of the file-symbol cache while the options are not loaded.
inline constexpr int kDefaultFileSymbolCacheLimit = 10;

class TIdlEnvironmentOptions : public TAddInOptions {
public:
    // OnCreate loads the values only when the key exists; otherwise the defaults stand.
    explicit TIdlEnvironmentOptions(TComponent* AOwner);
    ~TIdlEnvironmentOptions() override;
    static String KeyPath();  // base key, "\" and "CORBA"
    TRegistryPropSet* CORBA;
    bool ShowProjectUpdates() const { return CORBA->BoolValue("ShowProjectUpdates"); }
    bool VerifyIDLIncludes() const { return CORBA->BoolValue("VerifyIDLIncludes"); }
    int FileSymbolCacheLimit() const { return CORBA->IntValue("FileSymbolCacheLimit"); }
    void LoadOptions() override;  // modified false afterwards
    void SaveOptions() override;
    bool GetIsModified() override { return FModified; }
    void CustomizeDialog(TEnvironmentOptionsDialog& dialog) override;
    // A field changed: only remembered while the host's environment options update, else the
    // listeners of ChangeEvent hear of it.
    void CORBAOptionsChange(const String& field);
    TIDEEvent* ChangeEvent() const { return FChange.get(); }

private:
    void EnvironmentOptionsCreate();
    std::unique_ptr<TIDEEvent> FChange;
    bool FModified = false;
};
TAddInOptions* NewIdlEnvironmentOptions(TComponent* owner);

// The options page "CORBA": saves on the dialog's OK, throws edits away otherwise.
class TCORBAOptions : public TPropertySheet {
public:
    static constexpr int WM_COMMAND = 273;
    explicit TCORBAOptions(TComponent* AOwner, TIdlEnvironmentOptions* options = nullptr);
    ~TCORBAOptions() override;
    void Broadcast(int msg, std::intptr_t wParam, std::intptr_t lParam) override;
    bool Pending() const { return FPending; }

private:
    TIdlEnvironmentOptions* FOptions;
    bool FPending = true;
};

// The one instance while the package is loaded.
extern TIdlEnvironmentOptions* IdlEnvironmentOptions;

namespace Corbaoptionspage {
extern int UseCount;
void Initialization();
void Finalization();
}  // namespace Corbaoptionspage
