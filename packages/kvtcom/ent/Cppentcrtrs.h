#pragma once
// Creator of remote data modules.
#include "Cppprocrtrs.h"

class TCppRemoteDataModuleCreator : public TCppAutoObjectCreator {
public:
    using TCppAutoObjectCreator::TCppAutoObjectCreator;
    TIntfPtr<IQSourceFile> GetSource() override;
    TIntfPtr<IQSourceFile> GetInterfaceSource() override;
    String GetAncestorName() override { return "CRemoteDataModule"; }
    String GetFormName() override { return FCoClassName; }
};
