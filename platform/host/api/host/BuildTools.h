#pragma once
// Build tools of the C++ personality: a tool compiles the project items of its file kinds and
// makes their project-manager nodes.
#include "host/Export.h"
#include <vector>

#include "host/CppProject.h"

class TStdFileContainer;

class HOST_API IQBuildTool : public virtual IInterface {
public:
    RTL_IID("{A1C3E5F7-0B2D-4F68-9A1C-3E5F7B9D1F20}");
    virtual String Name() = 0;
    virtual String Title() = 0;
    virtual String FileFilter() = 0;
    virtual bool HandlesFile(const String& file) = 0;
    virtual std::vector<String> Extensions() = 0;  // each with a leading "."
    // The project-manager node of the item, or nullptr; the host owns what it gets.
    virtual TStdFileContainer* CreateContainer(TStdFileContainer* parent, const String& file,
                                               IQCppProject* project) = 0;
    virtual TUsesEntry CreateUsesEntry(const String& file, IQCppProject* project) = 0;
    virtual bool Compile(const String& file, IQCppProject* project) = 0;
    virtual void LoadSettings() = 0;
};

// The host's container manager. Unregistering a tool frees the nodes it made.
HOST_API void RegisterItemContainerCreator(IQBuildTool* tool);
HOST_API void UnregisterItemContainerCreator(IQBuildTool* tool);
HOST_API std::vector<TIntfPtr<IQBuildTool>> BuildTools();
HOST_API TIntfPtr<IQBuildTool> FindBuildTool(const String& file);  // nullptr when no tool handles it

// The tool's settings kept by the host (internal-tool storage), by tool and name.
HOST_API String ToolSetting(const String& tool, const String& name);
HOST_API void SetToolSetting(const String& tool, const String& name, const String& value);
