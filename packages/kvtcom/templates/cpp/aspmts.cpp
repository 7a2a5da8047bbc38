// $(CPPName) : Implementation of the Active Server object $(ClassName) (object context)

#include <zub.h>
#pragma hdrstop

#include "$(HeaderName)"

/////////////////////////////////////////////////////////////////////////////
// $(ClassName)

