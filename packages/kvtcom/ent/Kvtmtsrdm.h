#pragma once
// Creator of MTS remote data modules.
#include "Cppentcrtrs.h"

class TCppMTSRemoteDataModuleCreator : public TCppRemoteDataModuleCreator {
public:
    TCppMTSRemoteDataModuleCreator(const String& fileName, const String& coClassName, const String& instancing,
                                   const String& threadingModel, const String& description, bool events,
                                   const String& interfaceName, bool dual);
    String GetAncestorName() override { return "MTSDataModule"; }
};
