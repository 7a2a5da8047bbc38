#include "Idlexpertfilter.h"

#include "host/IDEServices.h"

TIdlExpertFilter::TIdlExpertFilter() : FFilter(CoExpertFilter::Create()) {}

String TIdlExpertFilter::TemplateResult(const String& templateFile)
{
    const String folder = RequireService<IQIDEServices>("IDE services")->GetTemplateDirectory();
    return TrimRight(FFilter->FilterFile(templateFile, folder));
}

void TIdlExpertFilter::SetBoolValue(const String& name, bool value)
{
    FFilter->SetVariable(name, value ? "TRUE" : "FALSE");
}

void TIdlExpertFilter::SetStringValue(const String& name, const String& text)
{
    FFilter->SetVariable(name, text);
}

TIdlExpertFilterBase* NewIdlExpertFilter() { return new TIdlExpertFilter; }
