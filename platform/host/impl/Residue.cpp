#include <typeinfo>

#include "hostimpl/ClassExplorerImpl.h"
#include "hostimpl/CppBrowseImpl.h"
#include "hostimpl/DesignRegistries.h"
#include "hostimpl/HostState.h"
#include "hostimpl/ToDoImpl.h"

namespace hostimpl {

void RemoveCppProjectResidue(const std::function<bool(const void*)>& inModule, std::vector<String>& found);
void RemoveNotifierResidue(const std::function<bool(const void*)>& inModule, std::vector<String>& found);
void RemoveProjectMenuResidue(const std::function<bool(const void*)>& inModule, std::vector<String>& found);
void RemoveTypeLibraryResidue(const std::function<bool(const void*)>& inModule, std::vector<String>& found);

std::vector<String> RemoveResidue(const std::function<bool(const void*)>& inModule)
{
    std::vector<String> found;
    auto fn = [](auto* f) { return reinterpret_cast<const void*>(f); };
    if (GetFormCreator && inModule(fn(GetFormCreator))) {
        GetFormCreator = DefaultGetFormCreator;
        found.push_back("hook GetFormCreator");
    }
    if (GetProjectCreator && inModule(fn(GetProjectCreator))) {
        GetProjectCreator = DefaultGetProjectCreator;
        found.push_back("hook GetProjectCreator");
    }
    auto* s = StateOrNull();
    if (s) {
        std::erase_if(s->Handlers, [&](const TGalleryEntry& h) {
            if (!inModule(h.ItemClass)) return false;
            found.push_back("gallery item " + h.Id);
            return true;
        });
        std::erase_if(s->ProjFormTemplates, [&](const auto& kv) {
            if (!inModule(kv.second)) return false;
            found.push_back("project form template of " + kv.first);
            return true;
        });
        std::erase_if(s->Classes, [&](const TGalleryItemClass* c) {
            if (!inModule(c)) return false;
            found.push_back(String("class ") + c->ClassName);
            s->ClassGroups.erase(c->ClassName);
            return true;
        });
    }
    int removed =
        MainFormCreated().RemoveIf([&](const TNotifyEvent& h) { return inModule(&h.target_type()); });
    if (removed) found.push_back("MainFormCreated handler x" + IntToStr(removed));
    RemoveToDoResidue(inModule, found);
    RemoveClassExplorerResidue(inModule, found);
    RemoveCppProjectResidue(inModule, found);
    RemoveTypeLibraryResidue(inModule, found);
    RemoveNotifierResidue(inModule, found);
    RemoveProjectMenuResidue(inModule, found);
    RemoveDesignResidue(inModule, found);
    RemoveBrowseResidue(inModule, found);
    return found;
}

}  // namespace hostimpl
