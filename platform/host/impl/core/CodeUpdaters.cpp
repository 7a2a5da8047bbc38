#include "host/CodeUpdaters.h"
#include "host/CppClassUpdater.h"

#include <algorithm>

#include "hostimpl/HostState.h"
#include "hostimpl/StateListing.h"
#include "rtl/Files.h"

namespace {

struct TParseHandler {
    int Cookie;
    String FileName;
    TObject* Owner;
    std::function<void()> Proc;
};
struct TUpdaterEntry {
    TIntfPtr<IQModule> Module;
    IQCreateUpdaters* Maker;
    TIntfPtr<IQCodeUpdater> Updater;
};
struct TUpdaterRegistry {
    std::vector<TParseHandler> ParseHandlers;
    int NextCookie = 1;
    std::vector<TIntfPtr<IQCreateUpdaters>> Makers;
    std::vector<TUpdaterEntry> Updaters;
};
TUpdaterRegistry& Reg()
{
    static TUpdaterRegistry r;
    return r;
}

// Freeing an updater may remove parse handlers: take the entries out before they go.
void DropUpdaters(const std::function<bool(const TUpdaterEntry&)>& pred)
{
    std::vector<TUpdaterEntry> dropped;
    auto& list = Reg().Updaters;
    for (auto it = list.begin(); it != list.end();)
        if (pred(*it)) {
            dropped.push_back(std::move(*it));
            it = list.erase(it);
        } else {
            ++it;
        }
    for (auto& e : dropped) e.Updater->ModuleClosed();
}

void ListUpdaters(std::vector<String>& out)
{
    for (auto& m : Reg().Makers) out.push_back("create-updaters" + hostimpl::AtObject(m.get()));
    for (auto& e : Reg().Updaters)
        out.push_back("code updater " + e.Module->FileName() + hostimpl::AtObject(e.Updater.get()));
    for (auto& h : Reg().ParseHandlers)
        out.push_back("parse handler " + h.FileName + hostimpl::AtObject(h.Owner));
}
const hostimpl::TStateSource kUpdaters("code updaters", ListUpdaters);

}  // namespace

int AddParseHandler(const String& fileName, TObject* owner, std::function<void()> handler)
{
    const int cookie = Reg().NextCookie++;
    Reg().ParseHandlers.push_back({cookie, fileName, owner, std::move(handler)});
    return cookie;
}

void RemoveParseHandler(int cookie)
{
    std::erase_if(Reg().ParseHandlers, [&](const TParseHandler& h) { return h.Cookie == cookie; });
}

int RunParseHandlers(const String& fileName)
{
    std::vector<std::function<void()>> procs;
    for (auto& h : Reg().ParseHandlers)
        if (SameFileName(h.FileName, fileName)) procs.push_back(h.Proc);
    for (auto& p : procs)
        if (p) p();
    return static_cast<int>(procs.size());
}

TCppManager::TCppManager(TIntfPtr<IQModule> module) : FModule(std::move(module)) {}

TIntfPtr<IQSourceFile> TCppManager::Source() const
{
    return FModule && FModule->FileCount() > 0 ? FModule->File(0) : nullptr;
}

HRESULT TCodeUpdater::QueryInterface(const TGUID& iid, void** obj)
{
    if (QueryAs<IQCodeUpdater>(this, iid, obj)) return S_OK;
    return TInterfacedObject::QueryInterface(iid, obj);
}

HRESULT TBaseCreateUpdaters::QueryInterface(const TGUID& iid, void** obj)
{
    if (QueryAs<IQCreateUpdaters>(this, iid, obj)) return S_OK;
    return TInterfacedObject::QueryInterface(iid, obj);
}

void RegisterCreateUpdaters(const TIntfPtr<IQCreateUpdaters>& updaters)
{
    auto& m = Reg().Makers;
    if (updaters && std::find(m.begin(), m.end(), updaters) == m.end()) m.push_back(updaters);
}

void UnRegisterCreateUpdaters(IQCreateUpdaters* updaters)
{
    DropUpdaters([&](const TUpdaterEntry& e) { return e.Maker == updaters; });
    std::erase_if(Reg().Makers, [&](const TIntfPtr<IQCreateUpdaters>& m) { return m.get() == updaters; });
}

TCPPUpdaters* CppUpdaters()
{
    auto& m = Reg().Makers;
    for (auto it = m.rbegin(); it != m.rend(); ++it)
        if (auto* u = dynamic_cast<TCPPUpdaters*>(it->get())) return u;
    return nullptr;
}

TIntfPtr<IQCodeUpdater> CodeUpdaterOf(IQModule* module)
{
    if (!module) return nullptr;
    for (auto& e : Reg().Updaters)
        if (e.Module.get() == module) return e.Updater;
    const auto makers = Reg().Makers;
    for (auto& m : makers)
        if (m->HandlesFile(module->FileName())) {
            TIntfPtr<IQCodeUpdater> u = m->Create(module);
            if (!u) continue;
            Reg().Updaters.push_back({TIntfPtr<IQModule>(module), m.get(), u});
            return u;
        }
    return nullptr;
}

namespace hostimpl {

void DropCodeUpdaters()
{
    DropUpdaters([](const TUpdaterEntry&) { return true; });
}

}  // namespace hostimpl
