#pragma once
// The C++ type-library options page: component wrapper suffix and code generation, kept in the
// "Type Library" section of the host's settings.
#include <cstdint>

#include "host/EnvironmentOptions.h"

namespace Cpptypelibraryoptionspage {
extern int UseCount;
void Initialization();  // registers the page class
void Finalization();
}  // namespace Cpptypelibraryoptionspage

class TCppTypeLibOptions : public TPropertySheet {
public:
    static constexpr int WM_COMMAND = 273;
    explicit TCppTypeLibOptions(TComponent* AOwner);
    // The dialog's OK writes the values to the settings; anything else throws the edits away.
    void Broadcast(int msg, std::intptr_t wParam, std::intptr_t lParam) override;
    TRegistryPropSet* TypeLibrary() const { return FProps; }
    // The suffix combo box "HistPropOcxSuff": enabled only while "Change &suffix" is checked
    // (also as the settings had it when the page opened).
    bool SuffixEnabled() const { return ComboBoxes.front().Enabled; }
    // "hlCppOcxSuffix", the suffixes taken before, kept below the host's registry key.
    THistoryManager* SuffixHistory() const { return FSuffixHistory; }
    // Clicking "Change &suffix".
    void PropChkChangeOcxSuffixClick();

private:
    TRegistryPropSet* FProps;
    THistoryManager* FSuffixHistory;
};
