#pragma once
// The project manager: one node per project item, events around items and compiles.
#include "host/Export.h"
#include <functional>
#include <vector>

#include "host/CppProject.h"

// Commands of a node.
enum : int { cmCompile = 16, cmLocalOptions = 20, cmRemoveLocalOptions = 26 };

// The node of a file item.
class HOST_API TStdFileContainer : public TObject {
public:
    TStdFileContainer(TStdFileContainer* parent, String fileName, IQCppProject* project, int kind, int image);
    const String& FileName() const { return FFileName; }
    IQCppProject* Project() const { return FProject; }
    String Caption;
    int Kind, ImageIndex;
    virtual bool HasChildren() { return false; }
    virtual std::vector<String> GetChildren() { return {}; }
    virtual int BuildState() { return 0; }
    // The item was renamed.
    virtual void ChangeNames(const String& oldName, const String& newName);
    virtual std::vector<int> GetStandardCommands() { return {}; }
    // True when the command was taken.
    virtual bool CommandHandler(int command);

private:
    TStdFileContainer* FParent;
    String FFileName;
    IQCppProject* FProject;
};

// The personality's local commands of a file node by mask: 0x1000 compile, 0x100000 local options.
HOST_API void AddCppLocalCommands(std::vector<int>& commands, unsigned mask);

// A file of a project was removed from it.
using TProjectItemHandler = std::function<void(TObject* sender, const String& file)>;
HOST_API int AddProjectModuleRemoved(TProjectItemHandler handler);
HOST_API void RemoveProjectModuleRemoved(int cookie);
// A compile of a project ended.
using TAfterCompileHandler = std::function<void(TObject* sender, IQCppProject* project, bool success)>;
HOST_API int AddAfterCompile(TAfterCompileHandler handler);
HOST_API void RemoveAfterCompile(int cookie);

// The nodes of a project, one per item in item order (rebuilt by ProjectManagerRefresh).
HOST_API std::vector<TStdFileContainer*> ProjectManagerNodes(IQCppProject* project);
HOST_API TStdFileContainer* ProjectManagerNode(IQCppProject* project, const String& file);
HOST_API void ProjectManagerRefresh();
