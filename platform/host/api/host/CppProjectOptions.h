#pragma once
// The C++ project options of the project being created.
#include "host/Export.h"
#include "host/ToolsAPI.h"

class HOST_API IQCppProjectOptions : public virtual IInterface {
public:
    RTL_IID("{3E0D5C71-A2B9-4F16-9C48-71B0E5D2A3C2}");
    // The target kind and the link and runtime settings of the project's first build
    // configuration; the values' meaning is the host's.
    virtual void SetTargetOptions(int kind, bool guiApp, int a, int b, int c, int d, int e) = 0;
    // Writes the settings into the project (after SetTargetOptions).
    virtual void Commit() = 0;
};
