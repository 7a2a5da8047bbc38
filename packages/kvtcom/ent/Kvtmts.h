#pragma once
// Creator of MTS automation objects.
#include "Cppprocrtrs.h"
#include "host/ComWizards.h"

namespace Kvtmts {
extern int UseCount;
void Initialization();
void Finalization();  // frees the startup
}  // namespace Kvtmts

// On an MTS platform: the MTS install item before the Run menu's parameters separator.
extern "C" void Kvtmts_IDERegister();

class TCppMTSAutoObjectCreator : public TCppAutoObjectCreator {
public:
    TCppMTSAutoObjectCreator(const String& fileName, const String& coClassName, const String& instancing,
                             const String& threadingModel, const String& description, bool events,
                             bool objectControl, bool pooling);
    TIntfPtr<IQSourceFile> GetSource() override;
    TIntfPtr<IQSourceFile> GetInterfaceSource() override;

private:
    bool FObjectControl, FPooling;
};

class TCppNewMTSAutoObject : public TComWizardItem {
public:
    HOST_GALLERY_CLASS(TCppNewMTSAutoObject);
    TCppNewMTSAutoObject() { Dual = true; }
    static constexpr const char* GalleryId = "Quistor.Tolvane.MTSAutoObject";
    static constexpr const char* IconName = "NEWMTSAUTO";
    static constexpr int ObjectKind = 3;

protected:
    int Offers() override { return cfDescription; }
    void EndWizard() override;
    TIntfPtr<IQModuleCreator> GetUnitCreator() override;
};
