// The project manager's menu modifiers.
#include "host/ProjectMenu.h"

#include <algorithm>
#include <map>

#include "hostimpl/HostState.h"
#include "hostimpl/StateListing.h"

namespace hostimpl {
namespace {

std::map<int, TIntfPtr<IQProjectMenuModifier>>& Modifiers()
{
    static std::map<int, TIntfPtr<IQProjectMenuModifier>> m;
    return m;
}
int gNextModifier = 1;

class TProjectMenuManager : public TInterfacedObject, public IQProjectMenuManager {
public:
    HRESULT QueryInterface(const TGUID& iid, void** obj) override
    {
        if (QueryAs<IQProjectMenuManager>(this, iid, obj)) return S_OK;
        return TInterfacedObject::QueryInterface(iid, obj);
    }
    int AddModifier(IQProjectMenuModifier* modifier) override
    {
        TIntfPtr<IQProjectMenuModifier> keep(modifier);
        TIntfPtr<IQProjectMenuItemFilter> filter;
        if (!modifier || !Supports(modifier, filter))
            throw EHostError("A project menu modifier must tell the files it applies to");
        const int index = gNextModifier++;
        Modifiers()[index] = keep;
        return index;
    }
    void RemoveModifier(int index) override { Modifiers().erase(index); }
    int ModifierCount() override { return static_cast<int>(Modifiers().size()); }
    std::vector<int> LocalCommands(const String& fileName, std::vector<int> commands) override
    {
        const auto copy = Modifiers();
        for (auto& [index, m] : copy) {
            TIntfPtr<IQProjectMenuItemFilter> filter;
            if (Supports(m.get(), filter) && filter->AppliesTo(fileName)) m->ModifyLocalCommands(commands);
        }
        return commands;
    }
};

void ListModifiers(std::vector<String>& out)
{
    for (auto& [index, m] : Modifiers()) out.push_back("project menu modifier" + AtObject(m.get()));
}
const TStateSource kModifiers("project menu", ListModifiers);

}  // namespace

void RemoveProjectMenuResidue(const std::function<bool(const void*)>& inModule, std::vector<String>& found)
{
    std::erase_if(Modifiers(), [&](auto& kv) {
        if (!inModule(*reinterpret_cast<void* const*>(kv.second.get()))) return false;
        found.push_back("project menu modifier");
        return true;
    });
}

}  // namespace hostimpl

TIntfPtr<IQProjectMenuManager> ProjectMenuManager()
{
    if (!hostimpl::StateOrNull()) return nullptr;
    static TIntfPtr<IQProjectMenuManager> manager(new hostimpl::TProjectMenuManager);
    return manager;
}

void RemoveCommands(std::vector<int>& commands, const std::vector<int>& remove)
{
    std::erase_if(commands,
                  [&](int c) { return std::find(remove.begin(), remove.end(), c) != remove.end(); });
}
