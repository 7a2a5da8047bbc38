// $(CPPName) : Implementation of the MTS object $(ClassName)

#include <zub.h>
#pragma hdrstop

#include "$(HeaderName)"
$IF(ObjectControl)

STDMETHODIMP $(ClassName)::Activate()
{
  return S_OK;
}

STDMETHODIMP_(BOOL) $(ClassName)::CanBePooled()
{
  return $(CanBePooled);
}

STDMETHODIMP_(void) $(ClassName)::Deactivate()
{
}
$ENDIF
