#include "hostimpl/TraitObjects.h"

#include <map>

#include "hostimpl/StateListing.h"

namespace hostimpl {
namespace {

std::map<std::pair<String, String>, TIntfPtr<IInterface>>& Objects()
{
    static std::map<std::pair<String, String>, TIntfPtr<IInterface>> objects;
    return objects;
}

std::pair<String, String> Key(const String& personality, const TGUID& trait)
{
    return {UpperCase(personality), GUIDToString(trait)};
}

void ListTraitObjects(std::vector<String>& out)
{
    for (auto& [key, object] : Objects())
        out.push_back("trait object " + key.first + " " + key.second + AtObject(object.get()));
}
const TStateSource kTraitObjects("trait objects", ListTraitObjects);

}  // namespace

void SetTraitObject(const String& personality, const TGUID& trait, TIntfPtr<IInterface> object)
{
    if (object)
        Objects()[Key(personality, trait)] = std::move(object);
    else
        Objects().erase(Key(personality, trait));
}

TIntfPtr<IInterface> TraitObject(const String& personality, const TGUID& trait)
{
    auto it = Objects().find(Key(personality, trait));
    return it == Objects().end() ? nullptr : it->second;
}

void ClearTraitObjects() { Objects().clear(); }

}  // namespace hostimpl
