// The package nimdes: its unit table and entry points.
#include "QZDsnWizard.h"
#include "host/Package.h"

namespace nimdes {
int UseCount = 0;
}

namespace {
const TPackageUnitEntry kUnits[] = {
    HOST_UNIT_ENTRY(QZDsnWizard),
    {"nimdes", &nimdes::UseCount, nullptr, nullptr},
};
const TPackageInfoTable kPackage = {
    "nimdes", nullptr, 0, kUnits, 2, nullptr, 0,
};
}  // namespace

HOST_PACKAGE_ENTRY(kPackage)
