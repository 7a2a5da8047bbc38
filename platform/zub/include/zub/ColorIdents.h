#pragma once
// The component library's colour constants by name, both ways (IdentToColor in Graphics.h reads
// them for the layouts).
#include <vector>

#include "zub/Graphics.h"

struct TColorIdent {
    const char* Name;
    TColor Color;
};
// The colour constants with their names, in the component library's order.
const std::vector<TColorIdent>& ColorIdents();
// The name of the first constant of that value; false when none has it.
bool ColorToIdent(TColor color, String& ident);
