#include "host/Gallery.h"

#include <algorithm>
#include <memory>

#include "hostimpl/HostState.h"
#include "host/Hooks.h"

void TNewCppApplicationItem::Select(int)
{
    auto ms = ModuleServices();
    FProjectFileName = ms->CreateNewProjectFileName(sCppPersonality);
    if (FProjectFileName.empty()) throw EHostError("The host proposes no project file name");
    auto creator = CreateProjectCreator(FProjectFileName);
    if (!creator) return;
    ms->CreateProject(creator.get());
    FNewProject = GetNewProject();
}

void TNewCppFormItem::Select(int)
{
    auto project = ActiveProject();
    CreateForm(project.get());
}

void TNewCppFormItem::CreateForm(IQDocumentModule* owner)
{
    NewModule(MakeUniqueModuleName("Unit", ".cpp"), FAncestorName, owner);
}

void TNewCppFormItem::NewModule(const String& moduleName, const String& ancestorName, IQDocumentModule* owner)
{
    auto creator = GetFormCreator(moduleName, "", ancestorName);
    if (!creator) throw EHostError("No form creator is installed");
    ModuleServices()->CreateModule(creator.get(), owner);
}

void TCreatorTemplate::Select(int)
{
    auto creator = GetCreator();
    if (creator) ModuleServices()->CreateModule(creator.get(), nullptr);
}

void TNewQuistorTemplate::Select(int kind)
{
    if (!FClass) throw EHostError("No gallery item class to select");
    std::unique_ptr<TGalleryItem> item(FClass->Create());
    item->Select(kind);
}

using hostimpl::State;

int RegisterNewHandler(const String& categoryId, const String& caption, const String& iconName, int kind,
                       const TGalleryItemClass* itemClass, const String& id, const String& description)
{
    auto& s = State();
    if (!itemClass) throw EHostError("Gallery item '" + caption + "' has no class");
    bool known = std::any_of(s.Categories.begin(), s.Categories.end(),
                             [&](auto& c) { return SameText(c->IDString(), categoryId); });
    if (!known) throw EHostError("Unknown gallery category '" + categoryId + "'");
    for (auto& h : s.Handlers)
        if (SameText(h.Id, id)) throw EHostError("Gallery item '" + id + "' is already registered");
    int handle = s.NextHandle++;
    s.Handlers.push_back({handle, categoryId, caption, iconName, id, kind, itemClass, description,
                          ModuleOfAddress(itemClass)});
    return handle;
}

void UnregisterNewHandler(int handle)
{
    if (auto* s = hostimpl::StateOrNull())
        std::erase_if(s->Handlers, [&](auto& h) { return h.Handle == handle; });
}

void RegisterProjFormTemplateClass(const String& personality, const TGalleryItemClass* itemClass)
{
    State().ProjFormTemplates[UpperCase(personality)] = itemClass;
}

void UnregisterProjFormTemplateClass(const String& personality, const TGalleryItemClass* itemClass)
{
    auto* s = hostimpl::StateOrNull();
    if (!s) return;
    auto it = s->ProjFormTemplates.find(UpperCase(personality));
    if (it != s->ProjFormTemplates.end() && it->second == itemClass) s->ProjFormTemplates.erase(it);
}

void RegisterClass(const TGalleryItemClass* itemClass)
{
    auto& c = State().Classes;
    if (std::find(c.begin(), c.end(), itemClass) == c.end()) c.push_back(itemClass);
}

void UnRegisterClass(const TGalleryItemClass* itemClass)
{
    auto* s = hostimpl::StateOrNull();
    if (!s || !itemClass) return;
    std::erase(s->Classes, itemClass);
    s->ClassGroups.erase(itemClass->ClassName);
}

void GroupDescendentsWith(const TGalleryItemClass* itemClass, const String& groupClassName)
{
    State().ClassGroups[itemClass->ClassName] = groupClassName;
}

const TGalleryItemClass* FindGalleryClass(const String& className)
{
    for (auto* c : State().Classes)
        if (SameText(c->ClassName, className)) return c;
    return nullptr;
}

namespace hostimpl {

std::vector<TGalleryEntry> GalleryEntries() { return State().Handlers; }

bool GalleryItemAvailable(int handle)
{
    for (auto& h : State().Handlers)
        if (h.Handle == handle) {
            std::unique_ptr<TGalleryItem> item(h.ItemClass->Create());
            return item->IsAvailable(h.Kind);
        }
    return false;
}

int GalleryHandlerCount() { return static_cast<int>(State().Handlers.size()); }

bool RunGalleryItem(const String& categoryId, const String& caption)
{
    auto& s = State();
    auto cat = std::find_if(s.Categories.begin(), s.Categories.end(),
                            [&](auto& c) { return SameText(c->IDString(), categoryId); });
    if (cat == s.Categories.end()) throw EHostError("Unknown gallery category '" + categoryId + "'");
    const TGalleryEntry* found = nullptr;
    for (auto& h : s.Handlers)
        if (SameText(h.CategoryId, categoryId) && SameText(h.Caption, caption)) found = &h;
    if (!found) throw EHostError("No item '" + caption + "' in gallery category '" + categoryId + "'");
    const int kind = found->Kind;
    std::unique_ptr<TGalleryItem> item(found->ItemClass->Create());
    if (!item->IsAvailable(kind)) throw EHostError("The gallery item '" + caption + "' is not available now");
    try {
        item->Select(kind);
    } catch (const EAbort&) {
        return false;
    }
    return true;
}

const TGalleryItemClass* ProjFormTemplateClass(const String& personality)
{
    auto& m = State().ProjFormTemplates;
    auto it = m.find(UpperCase(personality));
    return it == m.end() ? nullptr : it->second;
}

bool InheritProjectForm(const String& personality, const String& ancestorName)
{
    const TGalleryItemClass* cls = ProjFormTemplateClass(personality);
    if (!cls) throw EHostError("No project form template for " + personality);
    std::unique_ptr<TGalleryItem> item(cls->Create());
    auto* t = dynamic_cast<TCppProjectFormTemplate*>(item.get());
    if (!t) throw EHostError(String("The class ") + cls->ClassName + " is no project form template");
    t->SetAncestorName(ancestorName);
    try {
        item->Select(0);
    } catch (const EAbort&) {
        return false;
    }
    return true;
}

int RegisteredClassCount() { return static_cast<int>(State().Classes.size()); }

String ClassGroup(const String& className)
{
    auto& g = State().ClassGroups;
    auto it = g.find(className);
    return it == g.end() ? "" : it->second;
}

}  // namespace hostimpl
