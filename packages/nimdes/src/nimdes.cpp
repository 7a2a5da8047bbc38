// The package nimdes: its unit table and entry points.
#include "QZDsnColorForm.h"
#include "QZDsnPaint.h"
#include "QZDsnPaintHandlers.h"
#include "QZDsnPreview.h"
#include "QZDsnTreeEditor.h"
#include "QZDsnTestWizard.h"
#include "QZDsnWizard.h"
#include "QZHTMLManager.h"
#include "QZRegister.h"
#include "host/Package.h"

namespace nimdes {
int UseCount = 0;
}

namespace {
const TPackageUnitEntry kUnits[] = {
    HOST_UNIT_ENTRY(QZHTMLManager),      HOST_UNIT_ENTRY(QZDsnPaint),
    HOST_UNIT_ENTRY(QZDsnPaintHandlers), HOST_UNIT_ENTRY(QZDsnColorEditor),
    HOST_UNIT_ENTRY(QZDsnTreeEditor),    HOST_UNIT_ENTRY(QZDsnPreview),
    HOST_UNIT_ENTRY(QZDsnWizard),        HOST_UNIT_ENTRY(QZDsnTestWizard),
    HOST_UNIT_ENTRY(QZRegister),         {"nimdes", &nimdes::UseCount, nullptr, nullptr},
};
const char* const kRegisterProcs[] = {"QZRegister_Register"};
const TPackageInfoTable kPackage = {
    "nimdes", nullptr, 0, kUnits, 10, kRegisterProcs, 1,
};
}  // namespace

HOST_PACKAGE_ENTRY(kPackage)
