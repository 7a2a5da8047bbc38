#pragma once
// Collections: the items of a component's list property (a grid's columns). An item knows its
// collection and the collection its owner, so an item's editor finds the component holding it.
// Items are components so that the form designer can select them; their component owner is
// none, the collection frees them.
#include <memory>
#include <vector>

#include "zub/Classes.h"

class TCollection;

class TCollectionItem : public TComponent {
public:
    TCollectionItem() : TComponent(nullptr) {}
    // nullptr while the item is in no collection.
    TCollection* Collection() const { return FCollection; }

private:
    friend class TCollection;
    TCollection* FCollection = nullptr;
};

class TCollection : public TObject {
public:
    explicit TCollection(TComponent* owner) : FOwner(owner) {}
    ~TCollection() override;
    TCollection(const TCollection&) = delete;
    TCollection& operator=(const TCollection&) = delete;

    TComponent* Owner() const { return FOwner; }
    int Count() const { return static_cast<int>(FItems.size()); }
    TCollectionItem* Items(int index) const;  // EListError out of range
    // Takes the item in as the last one; returns it.
    TCollectionItem* Add(std::unique_ptr<TCollectionItem> item);
    void Delete(int index);  // frees the item; EListError out of range

private:
    TComponent* FOwner;
    std::vector<std::unique_ptr<TCollectionItem>> FItems;
};
