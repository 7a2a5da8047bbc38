// The package Brannow100: its unit table and entry points.
#include "Brannowreg.h"
#include "Language.h"
#include "Pluggableregistry.h"
#include "Typebrowserview.h"
#include "host/Package.h"

namespace Brannow100 {
int UseCount = 0;
}

namespace {
const TPackageUnitEntry kUnits[] = {
    {"Pluggableregistry", &Pluggableregistry::UseCount, &Pluggableregistry::Initialization,
     &Pluggableregistry::Finalization},
    {"Language", &Language::UseCount, &Language::Initialization, nullptr},
    {"Typebrowserview", &Typebrowserview::UseCount, &Typebrowserview::Initialization,
     &Typebrowserview::Finalization},
    {"Brannowreg", &Brannowreg::UseCount, nullptr, &Brannowreg::Finalization},
    {"Brannow100", &Brannow100::UseCount, nullptr, nullptr},
};
const char* const kRegisterProcs[] = {"Brannowreg_IDERegister"};
const TPackageInfoTable kPackage = {
    "Brannow100", nullptr, 0, kUnits, 5, kRegisterProcs, 1,
};
}  // namespace

HOST_PACKAGE_ENTRY(kPackage)
