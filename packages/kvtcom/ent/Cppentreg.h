#pragma once
// Registration of the multi-tier wizards with the IDE.
#include "Cppproreg.h"

extern "C" void Cppentreg_IDERegister();

namespace Cppentreg {
extern int UseCount;
void Initialization();
void Finalization();

// The multi-tier gallery items.
class TProductStartup : public TComGalleryStartup {
public:
    using TComGalleryStartup::TComGalleryStartup;

protected:
    void ProductStartup() override;
};
}  // namespace Cppentreg
