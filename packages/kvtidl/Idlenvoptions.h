#pragma once
// The package's user options, kept in the host's registry below its base key, and the commit
// rule of their page in the environment-options dialog.
#include <functional>

#include "rtl/SysUtils.h"

struct TCORBAOptionValues {
    bool ShowProjectUpdates = false;
    bool VerifyIDLIncludes = true;
    int FileSymbolCacheLimit = 10;
    String IrName;
    bool IrReplaceDefinitions = true;
    String AddIrName;
    String IrStorageName;
    bool IrConsole = true;
    int UpdatesTypeWidth = 0;
    int UpdatesNameWidth = 0;
    int UpdatesPanelWidth = 0;
    bool UpdatesSizeable = false;
    int UpdatesHeight = 0;
    int UpdatesWidth = 0;
};

class TIdlEnvironmentOptions : public TObject {
public:
    // Loads the values only when the key exists; otherwise the defaults stand. Modified is true.
    TIdlEnvironmentOptions();
    static String KeyPath();  // base key, "\" and "CORBA"
    TCORBAOptionValues CORBA;
    void LoadOptions();  // modified false afterwards
    void SaveOptions() const;
    bool GetIsModified() const { return FModified; }
    // A field changed: only remembered while `deferChanges` (the host's flag) is set, else
    // the listeners hear of it.
    void CORBAOptionsChange(bool deferChanges);
    std::function<void()> OnChange;

private:
    void Load();
    bool FModified = true;
};

// The options page "CORBA": saves on the dialog's OK, throws edits away otherwise.
class TCORBAOptions : public TObject {
public:
    static constexpr int HelpContext = 5954;
    static constexpr int WM_COMMAND = 273;
    explicit TCORBAOptions(TIdlEnvironmentOptions& options) : FOptions(options) {}
    ~TCORBAOptions() override;
    void Broadcast(int msg, int wParam);
    bool Pending() const { return FPending; }

private:
    TIdlEnvironmentOptions& FOptions;
    bool FPending = true;
};

// The one instance while the package is loaded.
extern TIdlEnvironmentOptions* IdlEnvironmentOptions;
