#pragma once
// The remote data module gallery item.
#include "Cppprocmd.h"

inline constexpr const char* kMultitierCategory = "Quistor.Tolvane.Multitier";

class TCppNewRemoteDataModule : public TComWizardItem {
public:
    HOST_GALLERY_CLASS(TCppNewRemoteDataModule);
    TCppNewRemoteDataModule() { Dual = true; }
    static constexpr const char* GalleryId = "Quistor.Tolvane.RemoteDataModule";
    static constexpr const char* IconName = "NEWREMOTEDATA";
    static constexpr int ObjectKind = 3;

protected:
    int Offers() override { return cfDescription; }
    void EndWizard() override;
    std::unique_ptr<TComObjectExpert> ShowExpert() override;
    TIntfPtr<IQModuleCreator> GetUnitCreator() override;
};
