#pragma once
// Gallery items and their registries.
//
// A gallery item class is registered with a class reference (ClassOf<T>()); the host creates an
// item from it when the user picks it and frees it afterwards. Registrations hold pointers into
// the registering package, so a package removes each of them before it is unloaded.
#include "host/Export.h"
#include "host/Creators.h"

class TGalleryItem;

struct HOST_API TGalleryItemClass {
    const char* ClassName;
    TGalleryItem* (*Create)();
};

#define HOST_GALLERY_CLASS(name) static constexpr const char* StaticClassName = #name

template <class T>
const TGalleryItemClass* ClassOf()
{
    static const TGalleryItemClass c{T::StaticClassName, []() -> TGalleryItem* { return new T(); }};
    return &c;
}

class HOST_API TGalleryItem : public TObject {
public:
    // Listed and selectable only while true.
    virtual bool IsVisible() { return true; }
    // What the host asks for an item registered with kind: IsVisible() unless the item knows
    // better from its kind.
    virtual bool IsAvailable(int kind)
    {
        (void)kind;
        return IsVisible();
    }
    // The user picked the item; kind is what it was registered (or selected) with.
    virtual void Select(int kind) = 0;
};

// A new-project item: asks its creator for the project, then the project back.
class HOST_API TNewCppApplicationItem : public TGalleryItem {
public:
    void Select(int kind) override;
    const String& ProjectFileName() const { return FProjectFileName; }
    // What the second operation answered for the last project made (nullptr: nothing).
    TIntfPtr<IQProject> NewProject() const { return FNewProject; }

protected:
    virtual TIntfPtr<IQProjectCreator> CreateProjectCreator(const String& projectFileName) = 0;
    virtual TIntfPtr<IQProject> GetNewProject() { return nullptr; }

private:
    String FProjectFileName;
    TIntfPtr<IQProject> FNewProject;
};

// A new-form item: makes a unit with a form of the ancestor.
class HOST_API TNewCppFormItem : public TGalleryItem {
public:
    explicit TNewCppFormItem(String ancestorName = "Form") : FAncestorName(std::move(ancestorName)) {}
    void Select(int kind) override;
    // Adds a new form to owner (nullptr: the active project).
    void CreateForm(IQDocumentModule* owner);
    const String& AncestorName() const { return FAncestorName; }

protected:
    // By default through the GetFormCreator hook.
    virtual void NewModule(const String& moduleName, const String& ancestorName, IQDocumentModule* owner);

private:
    String FAncestorName;
};

// An item that hands one creator to the module services.
class HOST_API TCreatorTemplate : public TGalleryItem {
public:
    void Select(int kind) override;

protected:
    // nullptr: nothing to create.
    virtual TIntfPtr<IQModuleCreator> GetCreator() = 0;
};

// Inheriting a form from a module of the project: the host sets the ancestor (the form chosen)
// before it selects the item.
class HOST_API TCppProjectFormTemplate : public TGalleryItem {
public:
    const String& AncestorName() const { return FAncestorName; }
    void SetAncestorName(const String& name) { FAncestorName = name; }

private:
    String FAncestorName;
};

// Wraps an item class for a single selection (menu commands).
class HOST_API TNewQuistorTemplate : public TObject {
public:
    explicit TNewQuistorTemplate(const TGalleryItemClass* itemClass) : FClass(itemClass) {}
    void Select(int kind);

private:
    const TGalleryItemClass* FClass;
};

// Registers an item under a category; returns a handle for UnregisterNewHandler. Raises
// EHostError for an unknown category or a duplicate ID. The description is what the gallery
// tells of the item beside its caption.
HOST_API int RegisterNewHandler(const String& categoryId, const String& caption, const String& iconName,
                                int kind, const TGalleryItemClass* itemClass, const String& id,
                                const String& description = "");
HOST_API void UnregisterNewHandler(int handle);

// The class that inherits forms from project modules, per personality (one each; a new one
// replaces the old). Unregistering removes it only when it is still the one registered.
HOST_API void RegisterProjFormTemplateClass(const String& personality, const TGalleryItemClass* itemClass);
HOST_API void UnregisterProjFormTemplateClass(const String& personality, const TGalleryItemClass* itemClass);

// The host's class registry (classes found by name) and its grouping of classes.
HOST_API void RegisterClass(const TGalleryItemClass* itemClass);
HOST_API void UnRegisterClass(const TGalleryItemClass* itemClass);
HOST_API void GroupDescendentsWith(const TGalleryItemClass* itemClass, const String& groupClassName);
HOST_API const TGalleryItemClass* FindGalleryClass(const String& className);
