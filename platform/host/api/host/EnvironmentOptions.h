#pragma once
// The environment options: add-in options that packages register (data modules holding
// registry property sets and history managers), the pages of the options dialog, and the
// dialog itself.
#include "host/Export.h"
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <vector>

#include "host/Actions.h"

// A boolean as the host's settings write it: "True;Yes;1" or "False;No;0", any case, blanks
// around ignored. False, and value unchanged, for any other text.
HOST_API bool BooleanText(const String& text, bool& value);

// The values of one registry key below HKEY_CURRENT_USER, field by field, kept as text.
class HOST_API TRegistryPropSet : public TComponent {
public:
    enum TFieldType { ftBoolean, ftInteger, ftString };
    struct TField {
        String Name;
        TFieldType Type;
        String Default;  // the value before any load; "" for none
        String Label;
    };
    using TComponent::TComponent;
    String KeyPath;
    void AddField(const String& name, TFieldType type, const String& def, const String& label);
    const std::vector<TField>& Fields() const { return FFields; }
    bool HasField(const String& name) const;
    // EHostError for a field the set does not have.
    String Value(const String& name) const;
    bool BoolValue(const String& name) const;  // "True", "Yes", "1" (any case) are checked
    int IntValue(const String& name) const;
    // Sets the text; a boolean field takes "True;Yes;1" or "False;No;0" (any case) and keeps
    // True or False, an integer field a number; anything else raises EConvertError. OnChange
    // hears of a value that changed.
    void SetValue(const String& name, const String& value);
    std::function<void(const String& field)> OnChange;
    void LoadFromRegistry();  // fields missing from the key get their default
    void SaveToRegistry() const;

private:
    const TField& Field(const String& name) const;
    std::vector<TField> FFields;
    std::map<String, String> FValues;
};

// Most recent first; the entries of a combo box's drop-down, kept in the registry.
class HOST_API THistoryManager : public TComponent {
public:
    using TComponent::TComponent;
    String KeyPath;
    int MaxItems = 10;
    std::vector<String> Items;
    // Puts the text first (once) and drops what lies beyond MaxItems.
    void Add(const String& text);
    void LoadHistory();
    void SaveHistory() const;
};

class TEnvironmentOptionsDialog;

// An add-in's options: a data module the host creates at registration and asks to load, save
// and add its pages to the options dialog.
class HOST_API TAddInOptions : public TDataModule {
public:
    using TDataModule::TDataModule;
    virtual void LoadOptions() {}
    virtual void SaveOptions() {}
    virtual bool GetIsModified() { return false; }
    virtual void CustomizeDialog(TEnvironmentOptionsDialog&) {}
};
using TAddInOptionsFactory = TAddInOptions* (*)(TComponent* owner);

// Creates the add-in's options (their OnCreate runs) and keeps them until unregistered.
HOST_API TAddInOptions* RegisterAddInOptions(TAddInOptionsFactory factory);
// Frees the options; nothing when they are not registered.
HOST_API void UnregisterAddInOptions(TAddInOptions* options);
// The options tell the host they are being freed.
HOST_API void AddInDestroyed(TAddInOptions* options);
HOST_API std::vector<TAddInOptions*> AddInOptionsList();

// The host's environment options object.
struct HOST_API TEnvironmentOptions {
    // While set, add-ins only remember that their options changed instead of announcing it.
    bool Updating = false;
    // Type library: the co-class updater implements the members of an interface's ancestors
    // too. Kept in the host's settings, section "Type Library", key "ImplementAncestorMembers".
    bool ImplementAncestorMembers() const;
};
HOST_API TEnvironmentOptions& EnvironmentOptions();

// A check box of a page bound to a field of a property set.
struct HOST_API TPropCheckBox {
    String Group;  // the caption of the group box around it
    String Caption;
    TRegistryPropSet* PropSet;
    String Field;
};

// A combo box of a page bound to a text field of a property set; its drop-down is a history
// list, which takes the text when the dialog closes with OK.
struct HOST_API TPropHistoryComboBox {
    String Name;
    String Group;  // the caption of the group box around it
    THistoryManager* History;
    TRegistryPropSet* PropSet;
    String Field;
    bool Enabled = true;
};

// A page of the options dialog. The dialog creates it from its registered class name and
// frees it when the dialog closes.
class HOST_API TPropertySheet : public TComponent {
public:
    using TComponent::TComponent;
    String Caption;
    int HelpContext = 0;
    bool TabVisible = true;
    std::vector<TPropCheckBox> CheckBoxes;
    std::vector<TPropHistoryComboBox> ComboBoxes;
    // A message sent to every page (the dialog's 273: a command; wParam 1: OK).
    virtual void Broadcast(int msg, std::intptr_t wParam, std::intptr_t lParam);
};
using TPropertySheetFactory = TPropertySheet* (*)(TComponent* owner);

HOST_API void RegisterPropertySheetClass(const String& className, TPropertySheetFactory factory);
HOST_API void UnregisterPropertySheetClass(const String& className);

// The options dialog: add-ins name their pages' classes, the dialog makes the pages.
class HOST_API TEnvironmentOptionsDialog : public TObject {
public:
    TEnvironmentOptionsDialog();
    ~TEnvironmentOptionsDialog() override;
    // The page class names, in the order the add-ins added them.
    void AddSheet(const String& className);
    const std::vector<TPropertySheet*>& Sheets() const { return FSheets; }
    // Sets a check box, "PAGE.FIELD" (the page's caption, a field of its property sets), to a
    // boolean text; EHostError for one the dialog does not have.
    void SetCheckBox(const String& pageAndField, const String& value);
    // Types a text into a combo box, "PAGE.FIELD"; EHostError for one the dialog does not have
    // or one that is disabled.
    void SetComboBox(const String& pageAndField, const String& text);
    // A check box or a combo box, whichever the field has.
    void SetControl(const String& pageAndField, const String& value);
    // Closes the dialog: on OK each enabled combo box's text that is not empty goes first into
    // its history list, then every page hears of it (message 273, 1); then the pages are freed.
    void Close(bool ok);

private:
    std::vector<String> FClassNames;
    std::vector<TPropertySheet*> FSheets;
    TComponent FOwner{nullptr};
    bool FClosed = false;
};
