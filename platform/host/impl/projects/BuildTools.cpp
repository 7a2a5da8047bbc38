#include "host/BuildTools.h"

#include <algorithm>
#include <map>

#include "host/ProjectManager.h"

namespace hostimpl {
void DropNodesOf(IQBuildTool* tool);

std::vector<TIntfPtr<IQBuildTool>>& ToolList()
{
    static std::vector<TIntfPtr<IQBuildTool>> list;
    return list;
}

std::map<String, String>& ToolSettings()
{
    static std::map<String, String> settings;
    return settings;
}

}  // namespace hostimpl

void RegisterItemContainerCreator(IQBuildTool* tool)
{
    auto& l = hostimpl::ToolList();
    if (!tool || std::any_of(l.begin(), l.end(), [&](auto& t) { return t.get() == tool; })) return;
    l.emplace_back(tool);
    tool->LoadSettings();
    ProjectManagerRefresh();
}

void UnregisterItemContainerCreator(IQBuildTool* tool)
{
    hostimpl::DropNodesOf(tool);
    std::erase_if(hostimpl::ToolList(), [&](auto& t) { return t.get() == tool; });
}

std::vector<TIntfPtr<IQBuildTool>> BuildTools() { return hostimpl::ToolList(); }

TIntfPtr<IQBuildTool> FindBuildTool(const String& file)
{
    for (auto& t : hostimpl::ToolList())
        if (t->HandlesFile(file)) return t;
    return nullptr;
}

String ToolSetting(const String& tool, const String& name)
{
    auto& s = hostimpl::ToolSettings();
    auto it = s.find(UpperCase(tool) + "\n" + name);
    return it == s.end() ? String() : it->second;
}

void SetToolSetting(const String& tool, const String& name, const String& value)
{
    hostimpl::ToolSettings()[UpperCase(tool) + "\n" + name] = value;
}
