// KVTPRO100: to-do support for C and C++ files and the C++ class-explorer model. Everything is
// registered by the unit initialisations; the package has no registration procedure.
#include "CppCFileHandler.h"
#include "CppClassExplorer.h"
#include "IDEToDoCppMgr.h"
#include "host/Package.h"

namespace Kvtpro {
int UseCount = 0;
}  // namespace Kvtpro

namespace {
const TPackageUnitEntry kUnits[] = {
    HOST_UNIT_ENTRY(CppCFileHandler),
    HOST_UNIT_ENTRY(IDEToDoCppMgr),
    HOST_UNIT_ENTRY(CppClassExplorer),
    {"Kvtpro", &Kvtpro::UseCount, nullptr, nullptr},
};

const TPackageInfoTable kPackage = {"KVTPRO100", nullptr, 0, kUnits, 4, nullptr, 0};
}  // namespace

HOST_PACKAGE_ENTRY(kPackage)
