#include "host/EnvironmentOptions.h"

#include <algorithm>
#include <memory>

#include "host/AppIniFile.h"
#include "host/Registry.h"
#include "host/ToolsAPI.h"
#include "hostimpl/StateListing.h"
#include "rtl/ScopeGuard.h"

namespace {

struct TAddIn {
    TAddInOptions* Options;
    TAddInOptionsFactory Factory;
};
std::vector<TAddIn>& AddIns()
{
    static std::vector<TAddIn> list;
    return list;
}
std::map<String, TPropertySheetFactory>& SheetClasses()  // upper-cased class name
{
    static std::map<String, TPropertySheetFactory> map;
    return map;
}

void ListOptions(std::vector<String>& out)
{
    for (auto& a : AddIns())
        out.push_back("add-in options " + a.Options->Name() +
                      hostimpl::At(reinterpret_cast<const void*>(a.Factory)));
    for (auto& [name, f] : SheetClasses())
        out.push_back("property sheet class " + name + hostimpl::At(reinterpret_cast<const void*>(f)));
}
const hostimpl::TStateSource kOptions("environment options", ListOptions);

const char* const kTrue[] = {"TRUE", "YES", "1"};
const char* const kFalse[] = {"FALSE", "NO", "0"};

bool IsOneOf(const String& value, const char* const (&list)[3])
{
    const String v = UpperCase(Trim(value));
    return std::any_of(std::begin(list), std::end(list), [&](const char* s) { return v == s; });
}

}  // namespace

bool BooleanText(const String& text, bool& value)
{
    if (!IsOneOf(text, kTrue) && !IsOneOf(text, kFalse)) return false;
    value = IsOneOf(text, kTrue);
    return true;
}

// ---- TRegistryPropSet

void TRegistryPropSet::AddField(const String& name, TFieldType type, const String& def, const String& label)
{
    if (HasField(name)) throw EHostError("The property set " + Name() + " has a field " + name + " already");
    FFields.push_back({name, type, def, label});
    FValues[name] = def;
}

bool TRegistryPropSet::HasField(const String& name) const
{
    return std::any_of(FFields.begin(), FFields.end(),
                       [&](const TField& f) { return SameText(f.Name, name); });
}

const TRegistryPropSet::TField& TRegistryPropSet::Field(const String& name) const
{
    for (const TField& f : FFields)
        if (SameText(f.Name, name)) return f;
    throw EHostError("The property set " + Name() + " has no field " + name);
}

String TRegistryPropSet::Value(const String& name) const { return FValues.at(Field(name).Name); }

bool TRegistryPropSet::BoolValue(const String& name) const { return IsOneOf(Value(name), kTrue); }

int TRegistryPropSet::IntValue(const String& name) const
{
    const String v = Value(name);
    return v.empty() ? 0 : StrToInt(v);
}

void TRegistryPropSet::SetValue(const String& name, const String& value)
{
    const TField& f = Field(name);
    String v = value;
    if (f.Type == ftBoolean) {
        if (IsOneOf(value, kTrue))
            v = "True";
        else if (IsOneOf(value, kFalse))
            v = "False";
        else
            throw EConvertError("'" + value + "' is no boolean value of " + f.Name);
    } else if (f.Type == ftInteger) {
        v = IntToStr(StrToInt(Trim(value)));  // raises on a text that is no number
    }
    String& stored = FValues[f.Name];
    if (stored == v) return;
    stored = v;
    if (OnChange) OnChange(f.Name);
}

void TRegistryPropSet::LoadFromRegistry()
{
    TRegistry reg;
    for (const TField& f : FFields) {
        if (!reg.ValueExists(KeyPath, f.Name)) {
            FValues[f.Name] = f.Default;
        } else if (f.Type == ftBoolean) {
            // "True;Yes;1" and "False;No;0", in any case; anything else leaves the default
            const String v = reg.ReadString(KeyPath, f.Name, "");
            FValues[f.Name] = IsOneOf(v, kTrue) ? "True" : IsOneOf(v, kFalse) ? "False" : f.Default;
        } else if (f.Type == ftInteger) {
            FValues[f.Name] = IntToStr(reg.ReadInteger(KeyPath, f.Name, 0));
        } else {
            FValues[f.Name] = reg.ReadString(KeyPath, f.Name, "");
        }
    }
}

void TRegistryPropSet::SaveToRegistry() const
{
    TRegistry reg;
    for (const TField& f : FFields) {
        const String& v = FValues.at(f.Name);
        if (f.Type == ftBoolean)
            reg.WriteBool(KeyPath, f.Name, IsOneOf(v, kTrue));
        else if (f.Type == ftInteger && !v.empty())
            reg.WriteInteger(KeyPath, f.Name, StrToInt(v));
        else if (f.Type == ftString)
            reg.WriteString(KeyPath, f.Name, v);
    }
}

// ---- THistoryManager

void THistoryManager::Add(const String& text)
{
    std::erase(Items, text);
    Items.insert(Items.begin(), text);
    if (MaxItems >= 0 && static_cast<int>(Items.size()) > MaxItems)
        Items.resize(static_cast<std::size_t>(MaxItems));
}

void THistoryManager::LoadHistory()
{
    TRegistry reg;
    Items.clear();
    const int count = reg.ReadInteger(KeyPath, "Count", 0);
    for (int i = 0; i < count && i < MaxItems; ++i) {
        const String name = "Item" + IntToStr(i);
        if (reg.ValueExists(KeyPath, name)) Items.push_back(reg.ReadString(KeyPath, name, ""));
    }
}

void THistoryManager::SaveHistory() const
{
    TRegistry reg;
    reg.WriteInteger(KeyPath, "Count", static_cast<int>(Items.size()));
    for (std::size_t i = 0; i < Items.size(); ++i)
        reg.WriteString(KeyPath, "Item" + IntToStr(int(i)), Items[i]);
}

// ---- add-in options

TAddInOptions* RegisterAddInOptions(TAddInOptionsFactory factory)
{
    if (!factory) throw EHostError("No add-in options to register");
    std::unique_ptr<TAddInOptions> created(factory(nullptr));
    created->DoCreate();
    TAddInOptions* o = created.release();
    AddIns().push_back({o, factory});
    return o;
}

void UnregisterAddInOptions(TAddInOptions* options)
{
    auto& l = AddIns();
    auto it = std::find_if(l.begin(), l.end(), [&](const TAddIn& a) { return a.Options == options; });
    if (it == l.end()) return;
    l.erase(it);
    delete options;
}

void AddInDestroyed(TAddInOptions* options)
{
    std::erase_if(AddIns(), [&](const TAddIn& a) { return a.Options == options; });
}

std::vector<TAddInOptions*> AddInOptionsList()
{
    std::vector<TAddInOptions*> r;
    for (auto& a : AddIns()) r.push_back(a.Options);
    return r;
}

bool TEnvironmentOptions::ImplementAncestorMembers() const
{
    // the section's booleans are written "True" and "False" by the options page
    bool on = false;
    BooleanText(AppIniFile().ReadString("Type Library", "ImplementAncestorMembers", "False"), on);
    return on;
}

TEnvironmentOptions& EnvironmentOptions()
{
    static TEnvironmentOptions o;
    return o;
}

// ---- pages and the dialog

void TPropertySheet::Broadcast(int, std::intptr_t, std::intptr_t) {}

void RegisterPropertySheetClass(const String& className, TPropertySheetFactory factory)
{
    if (factory) SheetClasses()[UpperCase(className)] = factory;
}

void UnregisterPropertySheetClass(const String& className) { SheetClasses().erase(UpperCase(className)); }

TEnvironmentOptionsDialog::TEnvironmentOptionsDialog()
{
    TScopeGuard closeOnError([&] { Close(false); });
    for (TAddInOptions* o : AddInOptionsList()) o->CustomizeDialog(*this);
    for (const String& name : FClassNames) {
        auto it = SheetClasses().find(UpperCase(name));
        if (it == SheetClasses().end()) throw EHostError("No options page class " + name);
        FSheets.push_back(it->second(&FOwner));
    }
    closeOnError.Dismiss();
}

TEnvironmentOptionsDialog::~TEnvironmentOptionsDialog() { Close(false); }

void TEnvironmentOptionsDialog::AddSheet(const String& className) { FClassNames.push_back(className); }

namespace {
// The page named by the caption before the dot, and the field after it.
template <class Control>
Control* FindControl(const std::vector<TPropertySheet*>& sheets, const String& pageAndField,
                     std::vector<Control> TPropertySheet::*controls)
{
    const auto dot = pageAndField.find('.');
    const String page = pageAndField.substr(0, dot),
                 field = dot == String::npos ? "" : pageAndField.substr(dot + 1);
    for (TPropertySheet* s : sheets) {
        if (!SameText(s->Caption, page)) continue;
        for (Control& c : s->*controls)
            if (SameText(c.Field, field)) return &c;
    }
    return nullptr;
}
}  // namespace

void TEnvironmentOptionsDialog::SetCheckBox(const String& pageAndField, const String& value)
{
    TPropCheckBox* box = FindControl(FSheets, pageAndField, &TPropertySheet::CheckBoxes);
    if (!box) throw EHostError("The options dialog has no check box " + pageAndField);
    box->PropSet->SetValue(box->Field, value);
}

void TEnvironmentOptionsDialog::SetComboBox(const String& pageAndField, const String& text)
{
    TPropHistoryComboBox* box = FindControl(FSheets, pageAndField, &TPropertySheet::ComboBoxes);
    if (!box) throw EHostError("The options dialog has no combo box " + pageAndField);
    if (!box->Enabled) throw EHostError("The combo box " + pageAndField + " is disabled");
    box->PropSet->SetValue(box->Field, text);
}

void TEnvironmentOptionsDialog::SetControl(const String& pageAndField, const String& value)
{
    if (FindControl(FSheets, pageAndField, &TPropertySheet::ComboBoxes))
        SetComboBox(pageAndField, value);
    else
        SetCheckBox(pageAndField, value);
}

void TEnvironmentOptionsDialog::Close(bool ok)
{
    if (FClosed) return;
    FClosed = true;
    if (ok) {
        for (TPropertySheet* s : FSheets)
            for (const TPropHistoryComboBox& box : s->ComboBoxes) {
                const String text = box.PropSet->Value(box.Field);
                if (box.Enabled && box.History && !text.empty()) box.History->Add(text);
            }
        for (TPropertySheet* s : FSheets) s->Broadcast(273, 1, 0);
    }
    std::vector<TPropertySheet*> sheets;
    sheets.swap(FSheets);
    for (TPropertySheet* s : sheets) delete s;
}
