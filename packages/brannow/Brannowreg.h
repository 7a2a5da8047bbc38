#pragma once
// The package's registration: once the host's main window exists, the page factories and the
// popup-menu hooks; all of it is taken back at unload.
#include "PluggableIntf.h"

// The host settings value that adds the text page.
inline constexpr const char* sShowILSection = "Globals";
inline constexpr const char* sShowILKey = "ShowILDisassembly";

class TProductStartup {
public:
    TProductStartup();
    ~TProductStartup();
    TProductStartup(const TProductStartup&) = delete;
    TProductStartup& operator=(const TProductStartup&) = delete;
    void ProductStartup(TObject* sender);

private:
    int FCookie = 0;
    bool FStarted = false;
    bool FTextPage = false;  // registered the text page
};

extern "C" void Brannowreg_IDERegister();

namespace Brannowreg {
extern int UseCount;
void Finalization();
// The start-up object between IDERegister and unload, nullptr otherwise.
TProductStartup* ProductStartupObject();
}  // namespace Brannowreg
