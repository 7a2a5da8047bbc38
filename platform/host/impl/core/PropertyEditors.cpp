#include "host/PropertyEditors.h"

#include <algorithm>

#include "hostimpl/DesignRegistries.h"

const TTypeInfo TypeInfoString{"String", tkString};
const TTypeInfo TypeInfoFileName{"TFileName", tkString};
const TTypeInfo TypeInfoStrings{"TStrings", tkClass};

TComponent* TPropertyEditor::GetComponent(int index) const
{
    if (index < 0 || index >= PropCount()) return nullptr;
    return FTarget.Selection[static_cast<std::size_t>(index)];
}

namespace hostimpl {
std::vector<TPropertyEditorEntry>& PropertyEditors()
{
    static std::vector<TPropertyEditorEntry> e;
    return e;
}
}  // namespace hostimpl

using hostimpl::PropertyEditors;

void RegisterPropertyEditor(const TTypeInfo* propertyType, TComponentClass componentClass,
                            const String& propertyName, TPropertyEditorClass editor)
{
    if (!propertyType || !editor)
        throw EHostError("A property editor needs a property type and an editor class");
    hostimpl::TraceRegistration(String("RegisterPropertyEditor ") + propertyType->Name + " " +
                                (componentClass ? componentClass->ClassName : "*") + " " +
                                (propertyName.empty() ? String("*") : propertyName) + " " +
                                editor->ClassName);
    PropertyEditors().push_back({propertyType, componentClass, propertyName, editor});
}

void UnregisterPropertyEditor(TPropertyEditorClass editor)
{
    std::erase_if(PropertyEditors(), [&](const TPropertyEditorEntry& e) { return e.Editor == editor; });
}

std::vector<TPropertyEditorEntry> PropertyEditorEntries() { return PropertyEditors(); }

TPropertyEditorClass FindPropertyEditor(const TTypeInfo* propertyType, TComponentClass componentClass,
                                        const String& propertyName)
{
    const auto& all = PropertyEditors();
    for (auto it = all.rbegin(); it != all.rend(); ++it) {
        if (it->PropertyType != propertyType) continue;
        if (it->ComponentClass && !(componentClass && componentClass->InheritsFrom(it->ComponentClass)))
            continue;
        if (!it->PropertyName.empty() && !SameText(it->PropertyName, propertyName)) continue;
        return it->Editor;
    }
    return nullptr;
}
