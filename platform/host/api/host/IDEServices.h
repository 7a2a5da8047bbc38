#pragma once
// The host's general services: its folders.
#include "host/Export.h"
#include "host/ToolsAPI.h"

class HOST_API IQIDEServices : public virtual IInterface {
public:
    RTL_IID("{17A48937-2C9C-4543-AB6D-2CF13BAE544B}");
    // The host's template folder, ending in a path delimiter.
    virtual String GetTemplateDirectory() = 0;
};
