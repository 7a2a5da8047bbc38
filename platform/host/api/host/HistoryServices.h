#pragma once
// The host's back/forward history of places the user visited. Views add items for the places
// they show; the host moves through them and asks the item to show itself again.
#include "host/Export.h"
#include "rtl/Intf.h"

// What the host tells every notifier it holds.
class HOST_API IQTANotifier : public virtual IInterface {
public:
    RTL_IID("{6E3A7C51-2B94-4D0E-9F18-C7A25B6D4E03}");
    virtual void AfterSave() = 0;
    virtual void BeforeSave() = 0;
    virtual void Destroyed() = 0;
    virtual void Modified() = 0;
};

// A notifier that does nothing; items derive from it.
class HOST_API TNotifierObject : public TInterfacedObject, public virtual IQTANotifier {
public:
    HRESULT QueryInterface(const TGUID& iid, void** obj) override;
    int AddRef() override { return TInterfacedObject::AddRef(); }
    int Release() override { return TInterfacedObject::Release(); }
    void AfterSave() override {}
    void BeforeSave() override {}
    void Destroyed() override {}
    void Modified() override {}
};

class HOST_API IQTAHistoryItem : public virtual IQTANotifier {
public:
    RTL_IID("{3C8F1E27-9A45-4B6D-8E02-5D7B9C1A4F68}");
    virtual void Show() = 0;
    virtual String GetCaption() = 0;
    virtual bool IsEqual(const TIntfPtr<IQTAHistoryItem>& other) = 0;
};

// Items are numbered 0 .. BackCount + ForwardCount; the current one is at BackCount.
class HOST_API IQTAHistoryServices : public virtual IInterface {
public:
    RTL_IID("{0EFF550D-305C-466C-94C1-1D406DF9B73A}");
    // Adds item right after current and drops what lay after it; with no current item, after
    // the current position. The added item becomes current.
    virtual void AddItem(const TIntfPtr<IQTAHistoryItem>& current, const TIntfPtr<IQTAHistoryItem>& item) = 0;
    virtual int GetBackCount() = 0;
    // EHostError out of range.
    virtual TIntfPtr<IQTAHistoryItem> GetItem(int index) = 0;
    virtual int GetForwardCount() = 0;
    // Move one step and show the item there; false when there is none.
    virtual bool GoBack() = 0;
    virtual bool GoForward() = 0;
    virtual void Clear() = 0;
    // Makes item (the very object) current without showing it.
    virtual void MoveTo(const TIntfPtr<IQTAHistoryItem>& item) = 0;
    // Drops item (the very object); nothing when it is not there.
    virtual void RemoveItem(const TIntfPtr<IQTAHistoryItem>& item) = 0;
};
