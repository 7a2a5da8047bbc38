#include <algorithm>

#include "hostimpl/HostState.h"
#include "host/PersonalityServices.h"
#include "hostimpl/TraitObjects.h"

namespace hostimpl {
namespace {

class TProjectDocumentTrait : public TInterfacedObject, public IQProjectDocumentTrait {
public:
    HRESULT QueryInterface(const TGUID& iid, void** obj) override
    {
        if (QueryAs<IQProjectDocumentTrait>(this, iid, obj)) return S_OK;
        return TInterfacedObject::QueryInterface(iid, obj);
    }
    TIntfPtr<IQDocumentModule> GetDocumentModule(const String& projectFileName) override
    {
        return TIntfPtr<IQDocumentModule>(FindProjectByFile(projectFileName));
    }
};

class TPersonalityServices : public TAggregatedObject, public IQPersonalityServices {
public:
    using TAggregatedObject::TAggregatedObject;
    bool QueryOwnInterface(const TGUID& iid, void** obj) override
    {
        return QueryAs<IQPersonalityServices>(this, iid, obj);
    }
    bool SupportsTrait(const String& personality, const TGUID& trait) override
    {
        auto& t = State().Traits;
        auto it = t.find(UpperCase(personality));
        return it != t.end() && std::find(it->second.begin(), it->second.end(), trait) != it->second.end();
    }
    TIntfPtr<IInterface> GetTrait(const String& personality, const TGUID& trait) override
    {
        if (!SupportsTrait(personality, trait)) return nullptr;
        if (trait == IQProjectDocumentTrait::IID)
            return TIntfPtr<IInterface>(static_cast<IQProjectDocumentTrait*>(new TProjectDocumentTrait));
        return TraitObject(personality, trait);
    }
    int PersonalityCount() override { return static_cast<int>(State().Personalities.size()); }
    String Personality(int index) override
    {
        return State().Personalities.at(static_cast<std::size_t>(index));
    }
    void AddTrait(const String& personality, const TGUID& trait, IInterface* object) override
    {
        if (!object) throw EHostError("No object for the trait " + GUIDToString(trait));
        SetTraitObject(personality, trait, TIntfPtr<IInterface>(object));
        SetTraitSupported(personality, trait, true);
    }
    void RemoveTrait(const String& personality, const TGUID& trait) override
    {
        SetTraitObject(personality, trait, nullptr);
        SetTraitSupported(personality, trait, false);
    }
};

}  // namespace

std::unique_ptr<TAggregatedObject> NewPersonalityServices(IInterface* controller)
{
    return std::make_unique<TPersonalityServices>(controller);
}

void SetTraitSupported(const String& personality, const TGUID& trait, bool supported)
{
    auto& list = State().Traits[UpperCase(personality)];
    std::erase(list, trait);
    if (supported) list.push_back(trait);
}

}  // namespace hostimpl
