#pragma once
// The package-wide list of property page factories; each type browser frame copies it into its
// tree.
#include "PluggableIntf.h"

void RegisterPluggablePropertyPage(const TIntfPtr<IPluggablePropertyPageFactory>& factory);
// Removes the first factory with that page ID; false when none has it.
bool UnregisterPluggablePropertyPage(const TGUID& pageID);
int GetPluggablePropertyPageCount();
TIntfPtr<IPluggablePropertyPageFactory> GetPluggablePropertyPage(int index);

namespace Pluggableregistry {
extern int UseCount;
void Initialization();
void Finalization();
}  // namespace Pluggableregistry
