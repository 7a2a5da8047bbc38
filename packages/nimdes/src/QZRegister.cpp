#include "QZRegister.h"

#include "QZDsnTestWizard.h"
#include "QZDsnWizards.h"
#include "host/Package.h"
#include "rtl/Files.h"

namespace QZRegister {

int UseCount = 0;
bool GIsKVT = false;

namespace {
// Slots of the wizards in the order Register adds them.
enum { wApp, wUnit, wFrame, wTestApp, wTestUnit, wAppCpp, wUnitCpp, wFrameCpp, wCount };
int gWizardIndex[wCount];
bool gWizardAdded[wCount];
String gHostFileName;
}  // namespace

bool HostIsKVT(const char* programFileName)
{
    return UpperCase(ExtractFileName(programFileName)).find("KVT") != String::npos;
}

void Initialization()
{
    gHostFileName = ExtractFileName(ExeFileName());
    GIsKVT = HostIsKVT(gHostFileName.c_str());
}

void Finalization()
{
    TIntfPtr<IQTAWizardServices> ws;
    if (Supports(QuistorIDEServices(), ws)) {
        // C++ wizards first, then the Pascal ones, each frame, form, application; the tests last.
        const int order[] = {wFrameCpp, wUnitCpp, wAppCpp, wFrame, wUnit, wApp, wTestApp, wTestUnit};
        for (int slot : order)
            if (gWizardAdded[slot]) ws->RemoveWizard(gWizardIndex[slot]);
    }
    for (int i = 0; i < wCount; ++i) gWizardAdded[i] = false;
    QZDsnWizard::ReleaseGalleryCategories();
    gHostFileName.clear();
}

void AddWizards()
{
    TIntfPtr<IQTAWizardServices> ws;
    if (!Supports(QuistorIDEServices(), ws)) return;
    auto add = [&](int slot, IQTAWizard* w) {
        TIntfPtr<IQTAWizard> keep(w);
        gWizardIndex[slot] = ws->AddWizard(keep.get());
        gWizardAdded[slot] = true;
    };
    add(wApp, new TQZApplicationWizard(false));
    add(wUnit, new TQZUnitWizard(false));
    add(wFrame, new TQZFrameWizard(false));
    add(wTestApp, new TQZTestApplicationWizard(false));
    add(wTestUnit, new TQZTestUnitWizard(false));
    add(wAppCpp, new TQZApplicationWizard(true));
    add(wUnitCpp, new TQZUnitWizard(true));
    add(wFrameCpp, new TQZFrameWizard(true));
}

}  // namespace QZRegister

extern "C" void QZRegister_Register() { QZRegister::AddWizards(); }
