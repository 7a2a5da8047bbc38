#pragma once
// Creator of MTS automation objects.
#include "Cppprocrtrs.h"

class TCppMTSAutoObjectCreator : public TCppAutoObjectCreator {
public:
    TCppMTSAutoObjectCreator(const String& fileName, const String& coClassName, const String& instancing,
                             const String& threadingModel, const String& description, bool events, bool objectControl,
                             bool pooling);
    TIntfPtr<IQSourceFile> GetSource() override;
    TIntfPtr<IQSourceFile> GetInterfaceSource() override;

private:
    bool FObjectControl, FPooling;
};
