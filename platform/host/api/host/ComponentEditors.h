#pragma once
// Component editors of the form designer: the verbs of a component's context menu and what a
// double click does.
#include "host/ComponentClasses.h"
#include "host/Export.h"

class HOST_API TComponentEditor : public TObject {
public:
    explicit TComponentEditor(TComponent* component) : FComponent(component) {}
    virtual int GetVerbCount() { return 0; }
    virtual String GetVerb(int index)
    {
        (void)index;
        return String();
    }
    virtual void ExecuteVerb(int index) { (void)index; }
    // A double click: the first verb when there is one.
    virtual void Edit()
    {
        if (GetVerbCount() > 0) ExecuteVerb(0);
    }
    TComponent* Component() const { return FComponent; }

private:
    TComponent* FComponent;
};

struct HOST_API TComponentEditorClassInfo {
    const char* ClassName;
    TComponentEditor* (*Create)(TComponent* component);
};
using TComponentEditorClass = const TComponentEditorClassInfo*;
template <class T>
TComponentEditorClass ComponentEditorClassOf(const char* name)
{
    static const TComponentEditorClassInfo c{name,
                                             [](TComponent* x) -> TComponentEditor* { return new T(x); }};
    return &c;
}
#define HOST_COMPONENT_EDITOR_CLASS(T) ComponentEditorClassOf<T>(#T)

struct HOST_API TComponentEditorEntry {
    TComponentClass ComponentClass;
    TComponentEditorClass Editor;
};

HOST_API void RegisterComponentEditor(TComponentClass componentClass, TComponentEditorClass editor);
HOST_API void UnregisterComponentEditor(TComponentEditorClass editor);
HOST_API std::vector<TComponentEditorEntry> ComponentEditorEntries();
// The latest registration for the class or its nearest ancestor; nullptr when none.
HOST_API TComponentEditorClass FindComponentEditor(TComponentClass componentClass);
