#include "host/ProjectOptionsDialog.h"

#include "host/EnvironmentOptions.h"
#include "host/ToolsAPI.h"

TIdlOptionsPage::TIdlOptionsPage(TComponent* owner) : TPropertySheet(owner) { Caption = "IDL"; }

void TIdlOptionsPage::SetField(const String& name, const String& value)
{
    for (TField& f : FFields) {
        if (!SameText(f.Field.Name, name)) continue;
        bool on = false;
        if (!f.Field.OnOff) {
            f.Value = value;
        } else if (BooleanText(value, on)) {
            f.Value = on ? "True" : "False";
        } else {
            throw EHostError("The check box " + Caption + "." + f.Field.Name + " takes True or False, not " +
                             value);
        }
        return;
    }
    throw EHostError("The page " + Caption + " has no control " + name);
}

void TIdlOptionsPage::Broadcast(int msg, std::intptr_t wParam, std::intptr_t)
{
    auto* options = reinterpret_cast<TIdlPageOptionsBase*>(wParam);
    if (msg == TIdlProjOptsManagerHelperBase::CM_SHOWIDLOPTIONS) {
        FFields.clear();
        for (const TIdlPageField& f : options->PageFields())
            FFields.push_back({f, options->PageValue(f.Name)});
    } else if (msg == TIdlProjOptsManagerHelperBase::CM_TAKEIDLOPTIONS) {
        for (const TField& f : FFields) options->SetPageValue(f.Field.Name, f.Value);
    }
}

TProjectOptionsDialog::TProjectOptionsDialog(IQCppProject* project) : FProject(project)
{
    if (IdlProjOptsManagerHelperClass) {
        FIdlHelper.reset(IdlProjOptsManagerHelperClass(project));
        FIdlPage = new TIdlOptionsPage(&FOwner);
        FSheets.push_back(FIdlPage);
        FIdlHelper->SetIdlOptions(FIdlPage);
    }
}

TProjectOptionsDialog::~TProjectOptionsDialog() = default;

void TProjectOptionsDialog::SetControl(const String& pageAndField, const String& value)
{
    const auto dot = pageAndField.find('.');
    const String page = pageAndField.substr(0, dot);
    if (dot != String::npos && FIdlPage && SameText(page, FIdlPage->Caption)) {
        FIdlPage->SetField(pageAndField.substr(dot + 1), value);
        return;
    }
    throw EHostError("The project options have no page " + page);
}

void TProjectOptionsDialog::Close(bool ok)
{
    if (ok && FIdlHelper) FIdlHelper->GetIdlOptions(FIdlPage);
}
