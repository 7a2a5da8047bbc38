#pragma once
// The host's general services: its folders.
#include "host/Export.h"
#include "host/ToolsAPI.h"

class HOST_API IQIDEServices : public virtual IInterface {
public:
    RTL_IID("{17A48937-2C9C-4543-AB6D-2CF13BAE544B}");
    // The host's template folder, ending in a path delimiter.
    virtual String GetTemplateDirectory() = 0;
    // IDE notifiers (IQTAIDENotifier, host/IDENotifiers.h): the index removes it again.
    virtual int AddNotifier(IInterface* notifier) = 0;
    virtual void RemoveNotifier(int index) = 0;
};
