// The package kvtcompro100: its unit table and entry points.
#include "Ccombrow.h"
#include "Ccommgr.h"
#include "Cppprocmd.h"
#include "Cppprocrtrs.h"
#include "Cppproopen.h"
#include "Cppproreg.h"
#include "Cppproupdaters.h"
#include "Cpptypelibraryoptionspage.h"
#include "Kvtcomplus.h"
#include "host/Package.h"

namespace Kvtcompro {
int UseCount = 0;
}

namespace {
const TPackageUnitEntry kUnits[] = {
    HOST_UNIT_ENTRY(Ccombrow),
    HOST_UNIT_ENTRY(Cppprocrtrs),
    HOST_UNIT_ENTRY(Ccommgr),
    HOST_UNIT_ENTRY(Cppproupdaters),
    HOST_UNIT_ENTRY(Cppprocmd),
    HOST_UNIT_ENTRY(Cppproopen),
    HOST_UNIT_ENTRY(Cpptypelibraryoptionspage),
    HOST_UNIT_ENTRY(Cppproreg),
    HOST_UNIT_ENTRY(Kvtcomplus),
    {"Kvtcompro", &Kvtcompro::UseCount, nullptr, nullptr},
};
const char* const kRegisterProcs[] = {"Cppprocmd_IDERegister", "Cppproreg_IDERegister",
                                      "Kvtcomplus_IDERegister"};
const TPackageInfoTable kPackage = {
    "kvtcompro100", nullptr, 0, kUnits, 10, kRegisterProcs, 3,
};
}  // namespace

HOST_PACKAGE_ENTRY(kPackage)
