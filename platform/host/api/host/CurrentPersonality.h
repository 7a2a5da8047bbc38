#pragma once
// The personality the user works in now (the active project's, or the one chosen last).
#include "host/Export.h"
#include "rtl/Intf.h"

class HOST_API IQTAPersonalityServices : public virtual IInterface {
public:
    RTL_IID("{92D70AB5-F54F-4432-8E0E-5BEEF4B3BE77}");
    // Empty when none is active.
    virtual String CurrentPersonality() = 0;
    virtual void SetCurrentPersonality(const String& personality) = 0;
};
