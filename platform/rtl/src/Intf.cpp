#include "rtl/Intf.h"

bool Supports(IInterface* p, const TGUID& iid)
{
    void* obj = nullptr;
    if (!p || p->QueryInterface(iid, &obj) != S_OK || !obj) return false;
    // Every answered interface derives from IInterface, so release through p's identity.
    p->Release();
    return true;
}

HRESULT TInterfacedObject::QueryInterface(const TGUID& iid, void** obj)
{
    if (QueryAs<IInterface>(this, iid, obj)) return S_OK;
    *obj = nullptr;
    return E_NOINTERFACE;
}

int TInterfacedObject::Release()
{
    int r = --FRefCount;
    if (r == 0) delete this;
    return r;
}
