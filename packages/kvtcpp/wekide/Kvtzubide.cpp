// The package KVTWEKIDE100: its unit table and entry points.
#include "CppZubIDECmd.h"
#include "host/Package.h"

namespace Kvtzubide {
int UseCount = 0;
}

namespace {
const TPackageUnitEntry kUnits[] = {
    HOST_UNIT_ENTRY(CppZubIDECmd),
    {"Kvtzubide", &Kvtzubide::UseCount, nullptr, nullptr},
};
const char* const kRegisterProcs[] = {"CppZubIDECmd_IDERegister"};
const TPackageInfoTable kPackage = {
    "KVTWEKIDE100", nullptr, 0, kUnits, 2, kRegisterProcs, 1,
};
}  // namespace

HOST_PACKAGE_ENTRY(kPackage)
