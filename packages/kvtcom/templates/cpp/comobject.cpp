// $(CPPName) : Implementation of $(ClassName) ($(CoClassName), $(InterfaceName))

#include <zub.h>
#pragma hdrstop

#include "$(HeaderName)"

/////////////////////////////////////////////////////////////////////////////
// $(ClassName)

