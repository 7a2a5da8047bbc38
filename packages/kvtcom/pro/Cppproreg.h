#pragma once
// Registration of the COM wizards with the IDE.
#include "zub/Classes.h"

namespace Cppproreg {
extern int UseCount;
void Initialization();
void Finalization();
}  // namespace Cppproreg

extern "C" void Cppproreg_IDERegister();

// Whether an optional gallery item is offered for the value of its settings key: one that is off
// by default only for exactly "True", one that is on by default unless exactly "False".
bool OptionalWizardOn(const String& value, bool defaultOn);

namespace Cppproreg {
// Waits for the host's main window, then adds the COM gallery items; takes them back when freed.
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
}  // namespace Cppproreg
