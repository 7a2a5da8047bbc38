#include <algorithm>

#include "hostimpl/HostState.h"

namespace hostimpl {
namespace {

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

bool IsUnder(IQGalleryCategory* c, IQGalleryCategory* ancestor)
{
    for (TIntfPtr<IQGalleryCategory> p(c); p; p = p->Parent())
        if (p.get() == ancestor) return true;
    return false;
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
        if (auto existing = FindCategory(idString)) return existing;
        auto& cats = State().Categories;
        if (parent && std::none_of(cats.begin(), cats.end(), [&](auto& c) { return c.get() == parent; }))
            throw EHostError("The parent of gallery category '" + idString + "' is not registered");
        TIntfPtr<IQGalleryCategory> c(
            new TGalleryCategory(idString, displayName, TIntfPtr<IQGalleryCategory>(parent)));
        cats.push_back(c);
        return c;
    }
    TIntfPtr<IQGalleryCategory> FindCategory(const String& idString) override
    {
        for (auto& c : State().Categories)
            if (SameText(c->IDString(), idString)) return c;
        return nullptr;
    }
    void DeleteCategory(IQGalleryCategory* category) override
    {
        if (!category) return;
        auto& cats = State().Categories;
        std::erase_if(cats, [&](auto& c) { return IsUnder(c.get(), category); });
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

int GalleryCategoryCount() { return static_cast<int>(State().Categories.size()); }

}  // namespace hostimpl

TIntfPtr<IQGalleryCategory> TOwnGalleryCategories::Ensure(IQGalleryCategory* parent, const String& idString,
                                                          const String& displayName)
{
    auto gm = RequireService<IQGalleryCategoryManager>("gallery category manager");
    if (auto existing = gm->FindCategory(idString)) return existing;
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
