#pragma once
// The File>New gallery: categories (dotted identifiers such as "Quistor.Tolvane.New") and the
// handlers registered under them.
#include "host/Export.h"
#include <vector>

#include "host/ToolsAPI.h"

class HOST_API IQGalleryCategory : public virtual IInterface {
public:
    RTL_IID("{5A0B7C42-1D93-4E28-B6F5-0C3A9D8E7F12}");
    virtual String IDString() = 0;
    virtual String DisplayName() = 0;
    virtual TIntfPtr<IQGalleryCategory> Parent() = 0;  // nullptr for a top category
};

class HOST_API IQGalleryCategoryManager : public virtual IInterface {
public:
    RTL_IID("{8E1F2A53-6C04-4B39-A7D6-1F4B0E9C8A23}");
    // Adds a category under parent (nullptr: top level), or one more user of an existing one
    // (answered as it is, its caption unchanged). Each call is matched by one DeleteCategory.
    virtual TIntfPtr<IQGalleryCategory> AddCategory(IQGalleryCategory* parent, const String& idString,
                                                    const String& displayName) = 0;
    virtual TIntfPtr<IQGalleryCategory> FindCategory(const String& idString) = 0;
    // Ends one use of the category; it goes when its last user has gone and no sub-category is
    // left under it (sub-categories of others stay). Handlers under a removed category stay
    // registered but unlisted.
    virtual void DeleteCategory(IQGalleryCategory* category) = 0;
    virtual int CategoryCount() = 0;
    virtual TIntfPtr<IQGalleryCategory> Category(int index) = 0;
};

// The gallery categories a package uses (added or already there), so that its unload ends
// exactly its uses, newest first.
class HOST_API TOwnGalleryCategories {
public:
    TIntfPtr<IQGalleryCategory> Ensure(IQGalleryCategory* parent, const String& idString,
                                       const String& displayName);
    // Deletes the added categories that are still there; the host may already be gone.
    void Release();
    bool Empty() const { return FAdded.empty(); }

private:
    std::vector<String> FAdded;
};
