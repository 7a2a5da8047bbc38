#pragma once
// Registration of the multi-tier wizards with the IDE.
#include "zub/Classes.h"

extern "C" void Cppentreg_IDERegister();

namespace Cppentreg {
extern int UseCount;
void Initialization();
void Finalization();

// Waits for the host's main window, then adds the multi-tier gallery items; takes them back
// when freed.
class TProductStartup : public TComponent {
public:
    explicit TProductStartup(TComponent* AOwner);
    ~TProductStartup() override;
    void ProductStartup(TObject* Sender);

private:
    int FCookie = 0;
    bool FCategoryAdded = false;
    std::vector<int> FHandlers;
};
}  // namespace Cppentreg
