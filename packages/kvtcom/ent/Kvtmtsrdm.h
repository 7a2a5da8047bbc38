#pragma once
// Creator of MTS remote data modules.
#include "Cppentcrtrs.h"
#include "host/ComWizards.h"

class TCppMTSRemoteDataModuleCreator : public TCppRemoteDataModuleCreator {
public:
    TCppMTSRemoteDataModuleCreator(const String& fileName, const String& coClassName,
                                   const String& instancing, const String& threadingModel,
                                   const String& description, bool events, const String& interfaceName,
                                   bool dual);
    String GetAncestorName() override { return "MTSDataModule"; }
};

class TCppNewMTSRemoteDataModule : public TComWizardItem {
public:
    HOST_GALLERY_CLASS(TCppNewMTSRemoteDataModule);
    TCppNewMTSRemoteDataModule() { Dual = true; }
    static constexpr const char* GalleryId = "Quistor.Tolvane.MTSDataModule";
    static constexpr const char* IconName = "NEWMTSREMOTEDATA";
    static constexpr int ObjectKind = 3;
    static String GetParentInterface() { return "IAppServer"; }

protected:
    int Offers() override { return cfDescription; }
    TIntfPtr<IQModuleCreator> GetUnitCreator() override;
};
