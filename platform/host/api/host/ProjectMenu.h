#pragma once
// The project manager's context menu: modifiers take commands out of the local command list of
// the files they apply to.
#include "host/Export.h"
#include <vector>

#include "host/ToolsAPI.h"

// Whether a modifier applies to a file.
class HOST_API IQProjectMenuItemFilter : public virtual IInterface {
public:
    RTL_IID("{1E8127BC-B201-4785-9A56-5BE153A3E843}");
    virtual bool AppliesTo(const String& fileName) = 0;
};

class HOST_API IQProjectMenuModifier : public virtual IInterface {
public:
    RTL_IID("{FF15E1C2-A2A0-4EF8-9B87-CDE5FBAB116F}");
    // Removes what it does not offer from the file's local commands.
    virtual void ModifyLocalCommands(std::vector<int>& commands) = 0;
};

class HOST_API IQProjectMenuManager : public virtual IInterface {
public:
    RTL_IID("{7A2E5C90-4B1D-4F36-8E27-9C0D1B3A5F48}");
    // A modifier answers both interfaces above; the index removes it again.
    virtual int AddModifier(IQProjectMenuModifier* modifier) = 0;
    virtual void RemoveModifier(int index) = 0;
    virtual int ModifierCount() = 0;
    // The file's local commands after every modifier that applies to it, in the order added.
    virtual std::vector<int> LocalCommands(const String& fileName, std::vector<int> commands) = 0;
};

// The running host's manager; nullptr while the host is not running.
HOST_API TIntfPtr<IQProjectMenuManager> ProjectMenuManager();

// Removes every command number of remove from commands.
HOST_API void RemoveCommands(std::vector<int>& commands, const std::vector<int>& remove);
