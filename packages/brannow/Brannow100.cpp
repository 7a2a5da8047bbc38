// The package Brannow100: its unit table and entry points.
#include "host/Package.h"

namespace Brannow100 {
int UseCount = 0;
}

namespace {
const TPackageUnitEntry kUnits[] = {
    {"Brannow100", &Brannow100::UseCount, nullptr, nullptr},
};
const TPackageInfoTable kPackage = {
    "Brannow100", nullptr, 0, kUnits, 1, nullptr, 0,
};
}  // namespace

HOST_PACKAGE_ENTRY(kPackage)
