// The package kvtcoment100: its unit table and entry points. It is built on kvtcompro100, whose
// template and co-class expert units it lists too (initialised once, whichever package comes
// first).
#include "Ccommgr.h"
#include "Cppentreg.h"
#include "Cppprocrtrs.h"
#include "Kvtmts.h"
#include "host/Package.h"

namespace Kvtcoment {
int UseCount = 0;
}

namespace {
const char* const kRequires[] = {"kvtcompro100"};
const TPackageUnitEntry kUnits[] = {
    HOST_UNIT_ENTRY(Cppprocrtrs),
    HOST_UNIT_ENTRY(Ccommgr),
    HOST_UNIT_ENTRY(Cppentreg),
    HOST_UNIT_ENTRY(Kvtmts),
    {"Kvtcoment", &Kvtcoment::UseCount, nullptr, nullptr},
};
const char* const kRegisterProcs[] = {"Cppentreg_IDERegister", "Kvtmts_IDERegister"};
const TPackageInfoTable kPackage = {
    "kvtcoment100", kRequires, 1, kUnits, 5, kRegisterProcs, 2,
};
}  // namespace

HOST_PACKAGE_ENTRY(kPackage)
