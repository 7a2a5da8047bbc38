#include "hostimpl/StateListing.h"

#include <dlfcn.h>

#include <algorithm>
#include <typeinfo>

#include "host/DeskMenus.h"
#include "host/Hooks.h"
#include "host/IDEControl.h"
#include "host/ToDo.h"
#include "hostimpl/HostState.h"

namespace hostimpl {
namespace {

std::vector<std::pair<const char*, TStateLister>>& Sources()
{
    static std::vector<std::pair<const char*, TStateLister>> list;
    return list;
}

const void* OwnBase()
{
    Dl_info info{};
    dladdr(reinterpret_cast<const void*>(&OwnBase), &info);
    return info.dli_fbase;
}

// The registries of the host's state itself.
void ListState(std::vector<String>& out)
{
    auto* s = StateOrNull();
    if (!s) return;
    for (auto& c : s->Categories) {
        auto parent = c->Parent();
        auto users = s->CategoryUsers.find(UpperCase(c->IDString()));
        // one line per user, so that the uses of packages add up; a category kept only for
        // the sub-categories of others is implied by their lines
        const int n = users == s->CategoryUsers.end() ? 0 : users->second;
        for (int i = 0; i < n; ++i)
            out.push_back("category " + c->IDString() + " under " +
                          (parent ? parent->IDString() : String("-")));
    }
    for (auto& h : s->Handlers)
        out.push_back("gallery item " + h.CategoryId + "/" + h.Id + " \"" + h.Caption + "\" kind " +
                      IntToStr(h.Kind) + At(h.ItemClass));
    for (auto& [personality, cls] : s->ProjFormTemplates)
        out.push_back("project form template " + personality + At(cls));
    for (auto* c : s->Classes) out.push_back(String("class ") + c->ClassName + At(c));
    for (auto& [cls, group] : s->ClassGroups) out.push_back("class group " + cls + " -> " + group);
    for (auto& p : s->Personalities) out.push_back("personality " + p);
    for (auto& [p, traits] : s->Traits)
        for (auto& t : traits) out.push_back("personality " + p + " trait " + GUIDToString(t));
}

void ListHooks(std::vector<String>& out)
{
    auto fn = [](auto* f) { return reinterpret_cast<const void*>(f); };
    out.push_back(HookLine("GetFormCreator", fn(GetFormCreator)));
    out.push_back(HookLine("GetProjectCreator", fn(GetProjectCreator)));
    out.push_back(HookLine("Deskform::RegisterMenu", fn(Deskform::RegisterMenu)));
    out.push_back(HookLine("Deskform::UnregisterMenu", fn(Deskform::UnregisterMenu)));
    MainFormCreated().RemoveIf([&](const TNotifyEvent& h) {
        out.push_back("MainFormCreated handler" + At(&h.target_type()));
        return false;
    });
}

// What packages put into the application object (command data modules and the like).
void ListApplication(std::vector<String>& out)
{
    TComponent* app = IDEApplication();
    for (int i = 0; i < app->ComponentCount(); ++i) {
        TComponent* c = app->Components(i);
        out.push_back("application component " + String(typeid(*c).name()) + " " + c->Name() + AtObject(c));
    }
}

void ListToDo(std::vector<String>& out)
{
    auto& l = ToDoList();
    for (int i = 0; i < l.CreatorCount(); ++i) out.push_back("to-do manager creator");
    if (CFileHandlerCount()) out.push_back("C file handlers " + IntToStr(CFileHandlerCount()));
}

const TStateSource kState("state", ListState);
const TStateSource kHooks("hooks", ListHooks);
const TStateSource kApplication("application", ListApplication);
const TStateSource kToDo("to-do", ListToDo);

}  // namespace

TStateSource::TStateSource(const char* name, TStateLister lister) { Sources().emplace_back(name, lister); }

std::vector<String> HostStateListing()
{
    std::vector<String> lines;
    for (auto& [name, lister] : Sources()) lister(lines);
    std::sort(lines.begin(), lines.end());
    return lines;
}

String At(const void* address)
{
    Dl_info info{};
    if (!address || !dladdr(address, &info)) return " @?";
    if (info.dli_fbase == OwnBase() || !info.dli_fname) return " @host";
    String name = info.dli_fname;
    if (name.empty()) return " @host";  // the program itself
    return " @" + name.substr(name.find_last_of('/') + 1);
}

String HookLine(const char* name, const void* code)
{
    return String("hook ") + name + (code ? At(code) : String(" none"));
}

String AtObject(const void* object)
{
    return object ? At(*static_cast<const void* const*>(object)) : String(" @?");
}

}  // namespace hostimpl
