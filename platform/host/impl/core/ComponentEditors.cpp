#include "host/ComponentEditors.h"

#include <algorithm>

#include "hostimpl/DesignRegistries.h"

namespace hostimpl {
std::vector<TComponentEditorEntry>& ComponentEditors()
{
    static std::vector<TComponentEditorEntry> e;
    return e;
}
}  // namespace hostimpl

using hostimpl::ComponentEditors;

void RegisterComponentEditor(TComponentClass componentClass, TComponentEditorClass editor)
{
    if (!componentClass || !editor)
        throw EHostError("A component editor needs a component class and an editor class");
    hostimpl::TraceRegistration(String("RegisterComponentEditor ") + componentClass->ClassName + " " +
                                editor->ClassName);
    ComponentEditors().push_back({componentClass, editor});
}

void UnregisterComponentEditor(TComponentEditorClass editor)
{
    std::erase_if(ComponentEditors(), [&](const TComponentEditorEntry& e) { return e.Editor == editor; });
}

std::vector<TComponentEditorEntry> ComponentEditorEntries() { return ComponentEditors(); }

TComponentEditorClass FindComponentEditor(TComponentClass componentClass)
{
    return hostimpl::FindForClass(ComponentEditors(), componentClass, &TComponentEditorEntry::ComponentClass,
                                  &TComponentEditorEntry::Editor);
}
