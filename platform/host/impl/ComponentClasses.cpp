#include "host/ComponentClasses.h"

#include <algorithm>

#include "hostimpl/DesignRegistries.h"

const TComponentClassInfo ClassTPersistent{"TPersistent", nullptr, nullptr};
const TComponentClassInfo ClassTComponent{"TComponent", &ClassTPersistent, nullptr};
const TComponentClassInfo ClassTControl{"TControl", &ClassTComponent, nullptr};
const TComponentClassInfo ClassTWinControl{"TWinControl", &ClassTControl, nullptr};
const TComponentClassInfo ClassTFrame{"TFrame", &ClassTWinControl, nullptr};
const TComponentClassInfo ClassTCommonDialog{"TCommonDialog", &ClassTComponent, nullptr};
const TComponentClassInfo ClassTDataModule{"TDataModule", &ClassTComponent, nullptr};

bool TComponentClassInfo::InheritsFrom(const TComponentClassInfo* ancestor) const
{
    for (const TComponentClassInfo* c = this; c; c = c->Parent)
        if (c == ancestor) return true;
    return false;
}

namespace hostimpl {
std::vector<TComponentClass>& StreamableClasses()
{
    static std::vector<TComponentClass> c;
    return c;
}
}  // namespace hostimpl

using hostimpl::StreamableClasses;

void RegisterClasses(const std::vector<TComponentClass>& classes)
{
    String names;
    for (TComponentClass c : classes) names += String(" ") + (c ? c->ClassName : "nil");
    hostimpl::TraceRegistration("RegisterClasses" + names);
    for (TComponentClass c : classes)
        if (c && !GetComponentClass(c->ClassName)) StreamableClasses().push_back(c);
}

void UnRegisterClasses(const std::vector<TComponentClass>& classes)
{
    std::erase_if(StreamableClasses(), [&](TComponentClass c) {
        return std::find(classes.begin(), classes.end(), c) != classes.end();
    });
}

TComponentClass GetComponentClass(const String& className)
{
    for (TComponentClass c : StreamableClasses())
        if (SameText(c->ClassName, className)) return c;
    return nullptr;
}

std::vector<TComponentClass> RegisteredComponentClasses() { return StreamableClasses(); }
