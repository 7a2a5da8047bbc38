#pragma once
// Custom modules: a designer kind for forms and modules of a base class, deciding which
// components may be dropped on it.
#include "host/ComponentClasses.h"
#include "host/Export.h"

class HOST_API TCustomModule : public TObject {
public:
    explicit TCustomModule(TComponent* root) : FRoot(root) {}
    virtual void ValidateComponent(TComponent* component) { (void)component; }
    // Whether a component of class c may be dropped. The host's own check accepts every class
    // that can be made (has a constructor).
    virtual bool ValidateComponentClass(TComponentClass c) { return c && c->Create; }
    virtual bool Nestable() { return false; }
    TComponent* Root() const { return FRoot; }

private:
    TComponent* FRoot;
};

struct HOST_API TCustomModuleClassInfo {
    const char* ClassName;
    TCustomModule* (*Create)(TComponent* root);
};
using TCustomModuleClass = const TCustomModuleClassInfo*;
template <class T>
TCustomModuleClass CustomModuleClassOf(const char* name)
{
    static const TCustomModuleClassInfo c{name, [](TComponent* r) -> TCustomModule* { return new T(r); }};
    return &c;
}
#define HOST_CUSTOM_MODULE_CLASS(T) CustomModuleClassOf<T>(#T)

struct HOST_API TCustomModuleEntry {
    TComponentClass BaseClass;
    TCustomModuleClass Module;
};

HOST_API void RegisterCustomModule(TComponentClass baseClass, TCustomModuleClass module);
HOST_API void UnregisterCustomModule(TCustomModuleClass module);
HOST_API std::vector<TCustomModuleEntry> CustomModuleEntries();
// The module kind for a root of class c: the latest registration for c or its nearest ancestor;
// nullptr when none (the host's plain designer).
HOST_API TCustomModuleClass FindCustomModule(TComponentClass c);
