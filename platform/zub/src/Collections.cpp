#include "zub/Collections.h"

TCollection::~TCollection()
{
    for (auto& item : FItems) item->FCollection = nullptr;
}

TCollectionItem* TCollection::Items(int index) const
{
    if (index < 0 || index >= Count())
        throw EListError("Collection index out of bounds (" + IntToStr(index) + ")");
    return FItems[static_cast<std::size_t>(index)].get();
}

TCollectionItem* TCollection::Add(std::unique_ptr<TCollectionItem> item)
{
    if (!item) throw EListError("No collection item to add");
    item->FCollection = this;
    FItems.push_back(std::move(item));
    return FItems.back().get();
}

void TCollection::Delete(int index)
{
    Items(index);
    FItems.erase(FItems.begin() + index);
}
