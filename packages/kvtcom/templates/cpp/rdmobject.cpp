// $(CPPName) : Implementation of the remote data module $(ClassName)

#include <zub.h>
#pragma hdrstop

#include "$(HeaderName)"

#pragma package(smart_init)
#pragma resource "*.zfm"

__fastcall T$(CoClassName)::T$(CoClassName)(TComponent* Owner)
$IF(MTSObject)
  : TMtsDataModule(Owner)
$ELSE
  : TCRemoteDataModule(Owner)
$ENDIF
{
}
