#pragma once
// Trait objects the host hands out for traits it has no object of its own for (a parser, for
// example). Tests and idehost set them; a personality must also support the trait.
#include "rtl/Intf.h"

namespace hostimpl {
void SetTraitObject(const String& personality, const TGUID& trait,
                    TIntfPtr<IInterface> object);  // null removes
TIntfPtr<IInterface> TraitObject(const String& personality, const TGUID& trait);
void ClearTraitObjects();
}  // namespace hostimpl
