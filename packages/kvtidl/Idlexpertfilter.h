#pragma once
// Templates filled through the host's expert filter: the package sets the variables, the host
// evaluates a template file of its template folder.
#include "host/CppPersonality.h"
#include "host/ExpertFilter.h"

class TIdlExpertFilter : public TIdlExpertFilterBase {
public:
    TIdlExpertFilter();
    // The template file of the host's template folder, filtered, trailing blanks and line
    // breaks cut.
    String TemplateResult(const String& templateFile) override;
    void SetBoolValue(const String& name, bool value) override;  // "TRUE" or "FALSE"
    void SetStringValue(const String& name, const String& text) override;

private:
    TIntfPtr<IExpertFilter> FFilter;
};
// The personality's hook.
TIdlExpertFilterBase* NewIdlExpertFilter();
