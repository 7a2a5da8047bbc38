#pragma once
// Reference-counted interfaces identified by GUIDs.
//
// An interface is an abstract class that derives virtually from IInterface and names its
// identifier with RTL_IID. Objects implement interfaces by deriving from TInterfacedObject and the
// interfaces, and answer QueryInterface for each of them (QueryAs below). Virtual inheritance keeps
// one IInterface per object, so one AddRef/Release serves every interface it implements.
// TIntfPtr<T> holds one reference; an object dies when its last reference is released.
#include <atomic>
#include <cstddef>
#include <cstdint>
#include <utility>

#include "rtl/Guid.h"
#include "rtl/SysUtils.h"

using HRESULT = std::int32_t;
constexpr HRESULT S_OK = 0;
constexpr HRESULT E_NOINTERFACE = static_cast<HRESULT>(0x80004002u);

#define RTL_IID(text) static constexpr TGUID IID = TGUID::Parse(text)

class IInterface {
public:
    RTL_IID("{00000000-0000-0000-C000-000000000046}");
    // On success stores the interface pointer (already AddRef'ed) in *obj and returns S_OK;
    // otherwise stores nullptr and returns E_NOINTERFACE.
    virtual HRESULT QueryInterface(const TGUID& iid, void** obj) = 0;
    virtual int AddRef() = 0;
    virtual int Release() = 0;

protected:
    virtual ~IInterface() = default;
};
using IUnknown = IInterface;

template <class T>
class TIntfPtr {
public:
    TIntfPtr() = default;
    TIntfPtr(std::nullptr_t) {}
    TIntfPtr(T* p) : FPtr(p)
    {
        if (FPtr) FPtr->AddRef();
    }
    TIntfPtr(const TIntfPtr& o) : TIntfPtr(o.FPtr) {}
    TIntfPtr(TIntfPtr&& o) noexcept : FPtr(std::exchange(o.FPtr, nullptr)) {}
    template <class U>
    TIntfPtr(const TIntfPtr<U>& o) : TIntfPtr(static_cast<T*>(o.get()))
    {
    }
    ~TIntfPtr() { reset(); }

    TIntfPtr& operator=(TIntfPtr o) noexcept
    {
        std::swap(FPtr, o.FPtr);
        return *this;
    }

    // Takes over a reference the caller already owns (no AddRef).
    static TIntfPtr Attach(T* p)
    {
        TIntfPtr r;
        r.FPtr = p;
        return r;
    }
    // Gives up the reference without releasing it.
    T* Detach() { return std::exchange(FPtr, nullptr); }
    void reset()
    {
        if (T* p = std::exchange(FPtr, nullptr)) p->Release();
    }

    T* get() const { return FPtr; }
    T* operator->() const { return FPtr; }
    T& operator*() const { return *FPtr; }
    explicit operator bool() const { return FPtr != nullptr; }
    friend bool operator==(const TIntfPtr& a, const TIntfPtr& b) { return a.FPtr == b.FPtr; }
    friend bool operator==(const TIntfPtr& a, std::nullptr_t) { return a.FPtr == nullptr; }

private:
    T* FPtr = nullptr;
};

// True when p answers the interface; stores it in out (cleared otherwise).
template <class I>
bool Supports(IInterface* p, TIntfPtr<I>& out)
{
    out.reset();
    void* obj = nullptr;
    if (p && p->QueryInterface(I::IID, &obj) == S_OK && obj) {
        out = TIntfPtr<I>::Attach(static_cast<I*>(obj));
        return true;
    }
    return false;
}
template <class T, class I>
bool Supports(const TIntfPtr<T>& p, TIntfPtr<I>& out)
{
    return Supports<I>(p.get(), out);
}
// Every interface an object answers counts on that same object (see TAggregatedObject), so the
// reference the query took is given back through p.
bool Supports(IInterface* p, const TGUID& iid);
template <class T>
bool Supports(const TIntfPtr<T>& p, const TGUID& iid)
{
    return Supports(static_cast<IInterface*>(p.get()), iid);
}

// The interface I of p, or nullptr.
template <class I, class T>
TIntfPtr<I> QueryIntf(const TIntfPtr<T>& p)
{
    TIntfPtr<I> r;
    Supports<I>(p.get(), r);
    return r;
}
template <class I>
TIntfPtr<I> QueryIntf(IInterface* p)
{
    TIntfPtr<I> r;
    Supports<I>(p, r);
    return r;
}

// For QueryInterface implementations: answers iid when it is I's identifier.
template <class I, class Self>
bool QueryAs(Self* self, const TGUID& iid, void** obj)
{
    if (iid != I::IID) return false;
    I* p = static_cast<I*>(self);
    p->AddRef();
    *obj = p;
    return true;
}

class TInterfacedObject : public TObject, public virtual IInterface {
public:
    TInterfacedObject() = default;
    TInterfacedObject(const TInterfacedObject&) = delete;
    TInterfacedObject& operator=(const TInterfacedObject&) = delete;

    HRESULT QueryInterface(const TGUID& iid, void** obj) override;
    int AddRef() override { return ++FRefCount; }
    int Release() override;
    int RefCount() const { return FRefCount; }

private:
    std::atomic<int> FRefCount{0};
};

// An object that lives inside another (its controller) and answers interfaces on its behalf:
// references count on the controller, and QueryInterface asks the controller, so every interface
// of the whole answers for the same object. The controller owns and frees it, and asks it for
// its own interfaces with QueryOwnInterface.
class TAggregatedObject : public TObject, public virtual IInterface {
public:
    explicit TAggregatedObject(IInterface* controller) : FController(controller) {}
    TAggregatedObject(const TAggregatedObject&) = delete;
    TAggregatedObject& operator=(const TAggregatedObject&) = delete;

    HRESULT QueryInterface(const TGUID& iid, void** obj) override
    {
        return FController->QueryInterface(iid, obj);
    }
    int AddRef() override { return FController->AddRef(); }
    int Release() override { return FController->Release(); }
    // The interfaces this part implements itself (not IInterface); QueryAs inside.
    virtual bool QueryOwnInterface(const TGUID& iid, void** obj) = 0;

private:
    IInterface* FController;
};
