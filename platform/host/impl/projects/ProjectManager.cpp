#include "host/ProjectManager.h"

#include <algorithm>
#include <map>
#include <memory>

#include "host/BuildTools.h"
#include "hostimpl/CppProjectModel.h"
#include "hostimpl/StateListing.h"
#include "hostimpl/HostImpl.h"
#include "rtl/Files.h"

TStdFileContainer::TStdFileContainer(TStdFileContainer* parent, String fileName, IQCppProject* project,
                                     int kind, int image)
    : Caption(ExtractFileName(fileName)), Kind(kind), ImageIndex(image), FParent(parent),
      FFileName(std::move(fileName)), FProject(project)
{
}

void TStdFileContainer::ChangeNames(const String&, const String& newName)
{
    FFileName = newName;
    Caption = ExtractFileName(newName);
}

bool TStdFileContainer::CommandHandler(int command)
{
    const std::vector<int> cmds = GetStandardCommands();
    return std::find(cmds.begin(), cmds.end(), command) != cmds.end();
}

void AddCppLocalCommands(std::vector<int>& commands, unsigned mask)
{
    if (mask & 0x1000) commands.push_back(cmCompile);
    if (mask & 0x100000) commands.push_back(cmLocalOptions);
}

namespace hostimpl {
namespace {

template <class H>
struct THandlers {
    std::vector<std::pair<int, H>> List;
    int Next = 1;
};

THandlers<TProjectItemHandler>& Removed()
{
    static THandlers<TProjectItemHandler> h;
    return h;
}

THandlers<TAfterCompileHandler>& Compiled()
{
    static THandlers<TAfterCompileHandler> h;
    return h;
}

struct TNode {
    IQCppProject* Project;
    String File;
    IQBuildTool* Tool;  // that made it, nullptr: the host's own
    std::unique_ptr<TStdFileContainer> Node;
};

std::vector<TNode>& Nodes()
{
    static std::vector<TNode> nodes;
    return nodes;
}

// A node may be dropped by a refresh while one of its own handlers runs: it is freed only once
// no event is being fired.
int gFiring = 0;
std::vector<TNode>& Dropped()
{
    static std::vector<TNode> nodes;
    return nodes;
}

struct TFiring {
    TFiring() { ++gFiring; }
    ~TFiring()
    {
        if (--gFiring == 0) Dropped().clear();
    }
};

}  // namespace

void FireProjectModuleRemoved(TObject* sender, const String& file)
{
    TFiring firing;
    const auto list = Removed().List;  // a handler may unsubscribe
    for (auto& entry : list) {
        const int cookie = entry.first;  // still subscribed?
        if (std::any_of(Removed().List.begin(), Removed().List.end(),
                        [cookie](auto& e) { return e.first == cookie; }))
            entry.second(sender, file);
    }
}

void FireAfterCompile(TObject* sender, IQCppProject* project, bool success)
{
    TFiring firing;
    const auto list = Compiled().List;
    for (auto& entry : list) {
        const int cookie = entry.first;
        if (std::any_of(Compiled().List.begin(), Compiled().List.end(),
                        [cookie](auto& e) { return e.first == cookie; }))
            entry.second(sender, project, success);
    }
}

void DropNodesOf(IQBuildTool* tool)
{
    std::erase_if(Nodes(), [&](const TNode& n) { return n.Tool == tool; });
}

int RemoveProjectEventHandlersIf(const std::function<bool(const std::type_info&)>& pred)
{
    int n = 0;
    n += static_cast<int>(
        std::erase_if(Removed().List, [&](auto& e) { return pred(e.second.target_type()); }));
    n += static_cast<int>(
        std::erase_if(Compiled().List, [&](auto& e) { return pred(e.second.target_type()); }));
    return n;
}

void ListProjectEventHandlers(std::vector<String>& out)
{
    for (auto& e : Removed().List)
        out.push_back("project module-removed handler" + At(&e.second.target_type()));
    for (auto& e : Compiled().List)
        out.push_back("project after-compile handler" + At(&e.second.target_type()));
}

int ProjectEventHandlerCount() { return static_cast<int>(Removed().List.size() + Compiled().List.size()); }
int ProjectManagerNodeCount() { return static_cast<int>(Nodes().size()); }

}  // namespace hostimpl

int AddProjectModuleRemoved(TProjectItemHandler handler)
{
    auto& h = hostimpl::Removed();
    h.List.emplace_back(h.Next, std::move(handler));
    return h.Next++;
}

void RemoveProjectModuleRemoved(int cookie)
{
    std::erase_if(hostimpl::Removed().List, [&](auto& e) { return e.first == cookie; });
}

int AddAfterCompile(TAfterCompileHandler handler)
{
    auto& h = hostimpl::Compiled();
    h.List.emplace_back(h.Next, std::move(handler));
    return h.Next++;
}

void RemoveAfterCompile(int cookie)
{
    std::erase_if(hostimpl::Compiled().List, [&](auto& e) { return e.first == cookie; });
}

std::vector<TStdFileContainer*> ProjectManagerNodes(IQCppProject* project)
{
    std::vector<TStdFileContainer*> r;
    for (auto& n : hostimpl::Nodes())
        if (n.Project == project) r.push_back(n.Node.get());
    return r;
}

TStdFileContainer* ProjectManagerNode(IQCppProject* project, const String& file)
{
    for (auto& n : hostimpl::Nodes())
        if (n.Project == project && SameFileName(n.File, file)) return n.Node.get();
    return nullptr;
}

void ProjectManagerRefresh()
{
    using namespace hostimpl;
    std::vector<TNode> old;
    old.swap(Nodes());
    std::vector<TNode> fresh;
    for (auto& m : OpenCppProjects())
        for (const String& file : m->Items()) {
            // a node that is still right stays (it may hold subscriptions)
            bool kept = false;
            for (auto& n : old)
                if (n.Node && n.Project == m.get() && SameFileName(n.Node->FileName(), file)) {
                    n.File = file;
                    fresh.push_back(std::move(n));
                    kept = true;
                    break;
                }
            if (kept) continue;
            TIntfPtr<IQBuildTool> tool = FindBuildTool(file);
            TStdFileContainer* node = tool ? tool->CreateContainer(nullptr, file, m.get()) : nullptr;
            if (node)
                fresh.push_back({m.get(), file, tool.get(), std::unique_ptr<TStdFileContainer>(node)});
            else
                fresh.push_back({m.get(), file, nullptr,
                                 std::make_unique<TStdFileContainer>(nullptr, file, m.get(), 0, 0)});
        }
    // nodes of items that are gone
    if (gFiring > 0)
        for (auto& n : old)
            if (n.Node) Dropped().push_back(std::move(n));
    old.clear();
    Nodes() = std::move(fresh);
}
