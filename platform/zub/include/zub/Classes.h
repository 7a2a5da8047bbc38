#pragma once
// Components: named objects in an ownership tree. An owner frees what it owns; a component can
// ask to be told when another one is freed (FreeNotification).
#include <atomic>
#include <mutex>
#include <vector>

#include "rtl/Classes.h"
#include "zub/Notices.h"

class EComponentError : public Exception {
public:
    using Exception::Exception;
};

enum TOperation { opInsert, opRemove };

class TComponent : public TObject {
public:
    explicit TComponent(TComponent* AOwner);
    ~TComponent() override;
    TComponent(const TComponent&) = delete;
    TComponent& operator=(const TComponent&) = delete;

    String Name() const;
    // An identifier or empty; raises EComponentError when it is no identifier or a sibling
    // (a component of the same owner) already has it (letter case ignored).
    virtual void SetName(const String& name);

    TComponent* Owner() const;
    int ComponentCount() const;
    TComponent* Components(int index) const;  // EListError out of range
    int ComponentIndex() const;  // position in the owner's list, -1 without owner
    // Owned component with this name (letter case ignored), nullptr when there is none.
    TComponent* FindComponent(const String& name) const;

    // Takes over ownership of c (from its previous owner, if any).
    void InsertComponent(TComponent* c);
    // Gives up ownership of c; c is no longer freed by this component.
    void RemoveComponent(TComponent* c);
    // Frees every owned component, last inserted first.
    void DestroyComponents();

    // c's Notification(this, opRemove) runs when this component is freed (and vice versa).
    void FreeNotification(TComponent* c);
    void RemoveFreeNotification(TComponent* c);

    long long Tag() const;
    void SetTag(long long tag);

    bool Destroying() const;

protected:
    // Told when an owned component is inserted or removed, and when a component this one asked
    // (or was asked) to be notified about is freed.
    virtual void Notification(TComponent* AComponent, TOperation Operation);
    // Posts a property notice for this component (not while it is being destroyed).
    void Changed(TProp prop);
    // Reads a property field under the component's lock.
    template <class T>
    T Get(const T& field) const
    {
        std::lock_guard g(FLock);
        return field;
    }
    // Writes a property field under the lock and posts prop when it changed; returns whether it
    // changed.
    template <class T>
    bool Put(T& field, const T& value, TProp prop)
    {
        std::lock_guard g(FLock);
        if (field == value) return false;
        field = value;
        Changed(prop);
        return true;
    }
    // Guards this component's properties; derived classes take it for theirs, so every property
    // write is atomic whatever thread makes it.
    std::recursive_mutex& Lock() const { return FLock; }
    // Guards the structure of every component tree (owners, owned lists, names, notification
    // lists). One lock for all trees: the structure changes rarely and never on hot paths.
    static std::recursive_mutex& TreeLock();
    // A pointer to another component that is cleared when that component is freed: set it with
    // SetReference, and call DropReference from Notification(opRemove).
    template <class T>
    void SetReference(T*& field, T* value)
    {
        std::lock_guard g(FLock);
        if (field == value) return;
        if (field) field->RemoveFreeNotification(this);
        field = value;
        if (value) value->FreeNotification(this);
    }
    template <class T>
    void DropReference(T*& field, TComponent* gone)
    {
        std::lock_guard g(FLock);
        if (field == gone) field = nullptr;
    }

private:
    void Unlink(TComponent* c);  // drops c from the owned list (tree lock held)

    mutable std::recursive_mutex FLock;
    String FName;
    TComponent* FOwner = nullptr;
    std::vector<TComponent*> FComponents;
    std::vector<TComponent*> FFreeNotifies;
    std::atomic<long long> FTag{0};
    std::atomic<bool> FDestroying{false};
};

// Factory registry for the layout reader: class name -> constructor taking the owner.
using TComponentFactory = TComponent* (*)(TComponent* AOwner);
void RegisterClass(const String& className, TComponentFactory factory);
// nullptr when unknown; names compare ignoring letter case.
TComponentFactory FindClass(const String& className);
template <class T>
void RegisterComponentClass(const String& className)
{
    RegisterClass(className, [](TComponent* owner) -> TComponent* { return new T(owner); });
}
