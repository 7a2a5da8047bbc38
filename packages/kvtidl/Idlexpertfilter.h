#pragma once
// Templates filled through the host's expert filter: the package sets the variables, the host
// evaluates a template file of its template folder.
#include "host/ExpertFilter.h"

class TIdlExpertFilter : public TObject {
public:
    TIdlExpertFilter();
    // The template file of the host's template folder, filtered, trailing blanks and line
    // breaks cut.
    String TemplateResult(const String& templateFile);
    void SetBoolValue(const String& name, bool value);  // "TRUE" or "FALSE"
    void SetStringValue(const String& name, const String& text);

private:
    TIntfPtr<IExpertFilter> FFilter;
};
