// The package kvtcompro100: its unit table and entry points.
#include "Cppprocrtrs.h"
#include "host/Package.h"

namespace Kvtcompro {
int UseCount = 0;
}

namespace {
const TPackageUnitEntry kUnits[] = {
    HOST_UNIT_ENTRY(Cppprocrtrs),
    {"Kvtcompro", &Kvtcompro::UseCount, nullptr, nullptr},
};
const TPackageInfoTable kPackage = {
    "kvtcompro100", nullptr, 0, kUnits, 2, nullptr, 0,
};
}  // namespace

HOST_PACKAGE_ENTRY(kPackage)
