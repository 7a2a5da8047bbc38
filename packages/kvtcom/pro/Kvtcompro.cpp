// The package kvtcompro100: its unit table and entry points.
#include "Ccombrow.h"
#include "Cppprocmd.h"
#include "Cppprocrtrs.h"
#include "Cppproreg.h"
#include "host/Package.h"

namespace Kvtcompro {
int UseCount = 0;
}

namespace {
const TPackageUnitEntry kUnits[] = {
    HOST_UNIT_ENTRY(Ccombrow),
    HOST_UNIT_ENTRY(Cppprocrtrs),
    HOST_UNIT_ENTRY(Cppprocmd),
    HOST_UNIT_ENTRY(Cppproreg),
    {"Kvtcompro", &Kvtcompro::UseCount, nullptr, nullptr},
};
const char* const kRegisterProcs[] = {"Cppprocmd_IDERegister", "Cppproreg_IDERegister"};
const TPackageInfoTable kPackage = {
    "kvtcompro100", nullptr, 0, kUnits, 5, kRegisterProcs, 2,
};
}  // namespace

HOST_PACKAGE_ENTRY(kPackage)
