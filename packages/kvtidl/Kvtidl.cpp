// The package KVTIDL100: its unit table and entry points.
#include "Cppidlcontainer.h"
#include "Idlcppimpl.h"
#include "Idlcppreg.h"
#include "Idlenvoptions.h"
#include "Idlintflist.h"
#include "Idlopenfile.h"
#include "host/Package.h"

namespace Kvtidl {
int UseCount = 0;
}

namespace {
const char* const kRequires[] = {"KVTPRO100"};
const TPackageUnitEntry kUnits[] = {
    HOST_UNIT_ENTRY(Corbaoptionspage),
    HOST_UNIT_ENTRY(Idlopenfile),
    HOST_UNIT_ENTRY(Cppidlcontainer),
    HOST_UNIT_ENTRY(Idlcppimpl),
    HOST_UNIT_ENTRY(Idlintflist),
    HOST_UNIT_ENTRY(Idlcppreg),
    {"Kvtidl", &Kvtidl::UseCount, nullptr, nullptr},
};
const char* const kRegisterProcs[] = {"Idlcppreg_IDERegister"};
const TPackageInfoTable kPackage = {
    "KVTIDL100", kRequires, 1, kUnits, 7, kRegisterProcs, 1,
};
}  // namespace

HOST_PACKAGE_ENTRY(kPackage)
