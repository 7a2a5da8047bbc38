#pragma once
// Component classes as values: a class reference names the class, its parent and how to make an
// object of it, so registries can take classes and the designers can ask about descent. The
// component library's own base classes are here; libraries add theirs with HOST_COMPONENT_CLASS.
#include <vector>
#include "host/Export.h"

#include "zub/Classes.h"

struct HOST_API TComponentClassInfo {
    const char* ClassName;
    const TComponentClassInfo* Parent;  // nullptr for TPersistent
    TComponent* (*Create)(TComponent* owner);  // nullptr for classes that are only bases
    const char* UnitName = nullptr;  // the unit that declares it ("StdCtrls"); nullptr: not known
    // True for the class itself and every class below it.
    bool InheritsFrom(const TComponentClassInfo* ancestor) const;
};
using TComponentClass = const TComponentClassInfo*;

// The component library's classes the designers ask about.
extern HOST_API const TComponentClassInfo ClassTPersistent;
extern HOST_API const TComponentClassInfo ClassTComponent;
extern HOST_API const TComponentClassInfo ClassTControl;
extern HOST_API const TComponentClassInfo ClassTWinControl;
extern HOST_API const TComponentClassInfo ClassTFrame;
extern HOST_API const TComponentClassInfo ClassTCommonDialog;
extern HOST_API const TComponentClassInfo ClassTDataModule;

// Classes streamable by name (the component library's RegisterClasses). A name registered again
// keeps its first class.
HOST_API void RegisterClasses(const std::vector<TComponentClass>& classes);
HOST_API void UnRegisterClasses(const std::vector<TComponentClass>& classes);
// nullptr when no class of that name is registered (letter case ignored).
HOST_API TComponentClass GetComponentClass(const String& className);
// Every registered class, in registration order.
HOST_API std::vector<TComponentClass> RegisteredComponentClasses();
// The component library's controls that own a window (TWinControl descendants), which an ActiveX
// control may wrap; the host brings them, each with its unit.
HOST_API std::vector<TComponentClass> LibraryControlClasses();
// A registered class, else one of the library's controls; nullptr when neither has the name.
HOST_API TComponentClass FindComponentClass(const String& className);
