// $(CPPName) : Implementation of the Active Server object $(ClassName)

#include <zub.h>
#pragma hdrstop

#include "$(HeaderName)"

/////////////////////////////////////////////////////////////////////////////
// $(ClassName)

STDMETHODIMP $(ClassName)::OnStartPage(IUnknown* AScriptingContext)
{
  return TASPObject<$(ClassName), &IID_$(InterfaceName), &LIBID_$(LibName)>::OnStartPage(AScriptingContext);
}

STDMETHODIMP $(ClassName)::OnEndPage()
{
  return TASPObject<$(ClassName), &IID_$(InterfaceName), &LIBID_$(LibName)>::OnEndPage();
}
