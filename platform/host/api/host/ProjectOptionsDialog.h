#pragma once
// The project-options dialog of a C++ project. Its pages are the personality's: the IDL page
// while a package fills the IDL project-options hook.
#include <cstdint>

#include "host/CppPersonality.h"

// The IDL page: one control per switch field of the project's IDL options, a check box for a
// switch that is on or off, an edit for the others.
class HOST_API TIdlOptionsPage : public TPropertySheet {
public:
    explicit TIdlOptionsPage(TComponent* owner);
    struct TField {
        TIdlPageField Field;
        String Value;
    };
    const std::vector<TField>& Fields() const { return FFields; }
    // A check box takes True/False, Yes/No or 1/0; EHostError for a field the page does not have.
    void SetField(const String& name, const String& value);
    void Broadcast(int msg, std::intptr_t wParam, std::intptr_t lParam) override;

private:
    std::vector<TField> FFields;
};

class HOST_API TProjectOptionsDialog : public TObject {
public:
    explicit TProjectOptionsDialog(IQCppProject* project);
    ~TProjectOptionsDialog() override;
    const std::vector<TPropertySheet*>& Sheets() const { return FSheets; }
    // "PAGE.FIELD" (the page's caption); EHostError for a control the dialog does not have.
    void SetControl(const String& pageAndField, const String& value);
    // OK: the pages' edits go into the project (it is not saved); else nothing changes.
    void Close(bool ok);

private:
    IQCppProject* FProject;
    std::unique_ptr<TIdlProjOptsManagerHelperBase> FIdlHelper;
    TComponent FOwner{nullptr};
    std::vector<TPropertySheet*> FSheets;
    TIdlOptionsPage* FIdlPage = nullptr;
};
