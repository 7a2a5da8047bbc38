#pragma once
// The personality's updater factory as far as this package answers it: the co-class updater.
#include "host/CppClassUpdater.h"

class TProCppUpdaters : public TCPPUpdaters {
public:
    // A new co-class updater on the module's class manager; nullptr for a module without C++ unit.
    TIntfPtr<IQCoClassUpdater> CreateCoClassUpdater(IQModule* module) override;
};

namespace Cppproupdaters {
extern int UseCount;
void Initialization();
void Finalization();
}  // namespace Cppproupdaters
