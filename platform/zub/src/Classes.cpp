#include "zub/Classes.h"

#include <algorithm>
#include <map>

std::recursive_mutex& TComponent::TreeLock()
{
    static std::recursive_mutex lock;
    return lock;
}

TComponent::TComponent(TComponent* AOwner)
{
    if (AOwner) AOwner->InsertComponent(this);
}

TComponent::~TComponent()
{
    FDestroying = true;
    // Tell everyone who holds a pointer to us, and forget them, so neither side dangles.
    // Notifications run without the tree lock: a handler may take its own component's lock,
    // and the lock order is component lock before tree lock.
    std::vector<TComponent*> notifies;
    {
        std::lock_guard g(TreeLock());
        notifies.swap(FFreeNotifies);
        for (TComponent* c : notifies) {
            auto& l = c->FFreeNotifies;
            l.erase(std::remove(l.begin(), l.end(), this), l.end());
        }
    }
    for (TComponent* c : notifies) c->Notification(this, opRemove);
    DestroyComponents();
    if (TComponent* owner = Owner()) owner->RemoveComponent(this);
}

String TComponent::Name() const
{
    std::lock_guard g(TreeLock());
    return FName;
}

void TComponent::SetName(const String& name)
{
    std::lock_guard g(TreeLock());
    if (name == FName) return;
    if (!name.empty() && !IsValidIdent(name))
        throw EComponentError("\"" + name + "\" is not a valid component name");
    if (!name.empty() && FOwner) {
        TComponent* other = FOwner->FindComponent(name);
        if (other && other != this) throw EComponentError("A component named " + name + " already exists");
    }
    FName = name;
}

TComponent* TComponent::Owner() const
{
    std::lock_guard g(TreeLock());
    return FOwner;
}

int TComponent::ComponentCount() const
{
    std::lock_guard g(TreeLock());
    return static_cast<int>(FComponents.size());
}

TComponent* TComponent::Components(int index) const
{
    std::lock_guard g(TreeLock());
    if (index < 0 || index >= static_cast<int>(FComponents.size()))
        throw EListError("Component index out of bounds (" + IntToStr(index) + ")");
    return FComponents[static_cast<std::size_t>(index)];
}

int TComponent::ComponentIndex() const
{
    std::lock_guard g(TreeLock());
    if (!FOwner) return -1;
    auto& l = FOwner->FComponents;
    auto it = std::find(l.begin(), l.end(), this);
    return it == l.end() ? -1 : static_cast<int>(it - l.begin());
}

TComponent* TComponent::FindComponent(const String& name) const
{
    if (name.empty()) return nullptr;
    std::lock_guard g(TreeLock());
    for (TComponent* c : FComponents)
        if (SameText(c->FName, name)) return c;
    return nullptr;
}

void TComponent::InsertComponent(TComponent* c)
{
    if (!c || c == this) return;
    {
        std::lock_guard g(TreeLock());
        if (c->FOwner == this) return;
        if (!c->FName.empty() && FindComponent(c->FName))
            throw EComponentError("A component named " + c->FName + " already exists");
    }
    if (c->FOwner) c->FOwner->RemoveComponent(c);
    {
        std::lock_guard g2(TreeLock());
        FComponents.push_back(c);
        c->FOwner = this;
    }
    Notification(c, opInsert);
}

void TComponent::Unlink(TComponent* c)
{
    FComponents.erase(std::remove(FComponents.begin(), FComponents.end(), c), FComponents.end());
    c->FOwner = nullptr;
}

void TComponent::RemoveComponent(TComponent* c)
{
    {
        std::lock_guard g(TreeLock());
        if (!c || c->FOwner != this) return;
        Unlink(c);
    }
    Notification(c, opRemove);
}

void TComponent::DestroyComponents()
{
    for (;;) {
        TComponent* c;
        {
            std::lock_guard g(TreeLock());
            if (FComponents.empty()) return;
            c = FComponents.back();
            Unlink(c);  // the child's destructor then finds no owner to report to
        }
        Notification(c, opRemove);
        delete c;
    }
}

void TComponent::FreeNotification(TComponent* c)
{
    if (!c || c == this) return;
    std::lock_guard g(TreeLock());
    if (std::find(FFreeNotifies.begin(), FFreeNotifies.end(), c) == FFreeNotifies.end()) {
        FFreeNotifies.push_back(c);
        c->FFreeNotifies.push_back(this);
    }
}

void TComponent::RemoveFreeNotification(TComponent* c)
{
    if (!c) return;
    std::lock_guard g(TreeLock());
    FFreeNotifies.erase(std::remove(FFreeNotifies.begin(), FFreeNotifies.end(), c), FFreeNotifies.end());
    auto& l = c->FFreeNotifies;
    l.erase(std::remove(l.begin(), l.end(), this), l.end());
}

void TComponent::Notification(TComponent*, TOperation) {}

void TComponent::Changed(TProp prop)
{
    if (!Destroying()) Notices().Post(TNotice{this, prop});
}

long long TComponent::Tag() const { return FTag; }
void TComponent::SetTag(long long tag) { FTag = tag; }
bool TComponent::Destroying() const { return FDestroying; }

namespace {

struct NoCase {
    bool operator()(const String& a, const String& b) const { return CompareText(a, b) < 0; }
};

std::map<String, TComponentFactory, NoCase>& Registry()
{
    static std::map<String, TComponentFactory, NoCase> r;
    return r;
}

std::mutex& RegistryLock()
{
    static std::mutex m;
    return m;
}

}  // namespace

void RegisterClass(const String& className, TComponentFactory factory)
{
    std::lock_guard g(RegistryLock());
    Registry()[className] = factory;
}

TComponentFactory FindClass(const String& className)
{
    std::lock_guard g(RegistryLock());
    auto it = Registry().find(className);
    return it == Registry().end() ? nullptr : it->second;
}
