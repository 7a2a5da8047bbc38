#include <algorithm>

#include "hostimpl/HostState.h"

namespace hostimpl {
namespace {

const char* const kPascalNewCategory = "Quistor.Pendro.New";

class TGalleryCategory : public TInterfacedObject, public IQGalleryCategory {
public:
    TGalleryCategory(String id, String caption, TIntfPtr<IQGalleryCategory> parent)
        : FId(std::move(id)), FCaption(std::move(caption)), FParent(std::move(parent))
    {
    }
    HRESULT QueryInterface(const TGUID& iid, void** obj) override
    {
        if (QueryAs<IQGalleryCategory>(this, iid, obj)) return S_OK;
        return TInterfacedObject::QueryInterface(iid, obj);
    }
    String IDString() override { return FId; }
    String DisplayName() override { return FCaption; }
    TIntfPtr<IQGalleryCategory> Parent() override { return FParent; }

private:
    String FId, FCaption;
    TIntfPtr<IQGalleryCategory> FParent;
};

bool HasChildren(IQGalleryCategory* parent)
{
    const auto& cats = State().Categories;
    return std::any_of(cats.begin(), cats.end(), [&](auto& c) { return c->Parent().get() == parent; });
}

class TGalleryCategoryManager : public TAggregatedObject, public IQGalleryCategoryManager {
public:
    using TAggregatedObject::TAggregatedObject;
    bool QueryOwnInterface(const TGUID& iid, void** obj) override
    {
        return QueryAs<IQGalleryCategoryManager>(this, iid, obj);
    }
    TIntfPtr<IQGalleryCategory> AddCategory(IQGalleryCategory* parent, const String& idString,
                                            const String& displayName) override
    {
        if (idString.empty()) throw EHostError("A gallery category needs an identifier");
        auto& users = State().CategoryUsers;
        if (auto existing = FindCategory(idString)) {
            ++users[UpperCase(existing->IDString())];
            return existing;
        }
        auto& cats = State().Categories;
        if (parent && std::none_of(cats.begin(), cats.end(), [&](auto& c) { return c.get() == parent; }))
            throw EHostError("The parent of gallery category '" + idString + "' is not registered");
        TIntfPtr<IQGalleryCategory> c(
            new TGalleryCategory(idString, displayName, TIntfPtr<IQGalleryCategory>(parent)));
        cats.push_back(c);
        users[UpperCase(idString)] = 1;
        return c;
    }
    TIntfPtr<IQGalleryCategory> FindCategory(const String& idString) override
    {
        for (auto& c : State().Categories)
            if (SameText(c->IDString(), idString)) return c;
        return nullptr;
    }
    // One user fewer; a category goes when it has no user and no sub-category left (a parent
    // kept for another package's sub-category goes with the last of those).
    void DeleteCategory(IQGalleryCategory* category) override
    {
        if (!category) return;
        auto& s = State();
        auto it = s.CategoryUsers.find(UpperCase(category->IDString()));
        if (it != s.CategoryUsers.end() && it->second > 0) --it->second;
        for (bool removed = true; removed;) {
            removed = false;
            for (auto c = s.Categories.begin(); c != s.Categories.end(); ++c) {
                const String key = UpperCase((*c)->IDString());
                if (s.CategoryUsers[key] > 0 || HasChildren(c->get())) continue;
                s.CategoryUsers.erase(key);
                s.Categories.erase(c);
                removed = true;
                break;
            }
        }
    }
    int CategoryCount() override { return static_cast<int>(State().Categories.size()); }
    TIntfPtr<IQGalleryCategory> Category(int index) override
    {
        return State().Categories.at(static_cast<std::size_t>(index));
    }
};

}  // namespace

std::unique_ptr<TAggregatedObject> NewGalleryCategoryManager(IInterface* controller)
{
    return std::make_unique<TGalleryCategoryManager>(controller);
}

void AddHostCategories(THostState& s)
{
    // The Pascal personality's new-items category is the host's own; packages add under it.
    TIntfPtr<IQGalleryCategory> c(new TGalleryCategory(kPascalNewCategory, "Pendro Projects", nullptr));
    s.Categories.push_back(c);
    s.CategoryUsers[UpperCase(c->IDString())] = 1;
}

int GalleryCategoryCount()
{
    const auto& s = State();
    return static_cast<int>(std::count_if(s.Categories.begin(), s.Categories.end(), [](auto& c) {
        return !SameText(c->IDString(), kPascalNewCategory);
    }));
}

}  // namespace hostimpl

TIntfPtr<IQGalleryCategory> TOwnGalleryCategories::Ensure(IQGalleryCategory* parent, const String& idString,
                                                          const String& displayName)
{
    auto gm = RequireService<IQGalleryCategoryManager>("gallery category manager");
    auto c = gm->AddCategory(parent, idString, displayName);
    FAdded.push_back(idString);
    return c;
}

void TOwnGalleryCategories::Release()
{
    TIntfPtr<IQGalleryCategoryManager> gm;
    if (!FAdded.empty() && Supports(QuistorIDEServices(), gm))
        for (auto it = FAdded.rbegin(); it != FAdded.rend(); ++it)
            if (auto c = gm->FindCategory(*it)) gm->DeleteCategory(c.get());
    FAdded.clear();
}
