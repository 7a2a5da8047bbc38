#pragma once
// Property editors of the object inspector: which editor class edits which property, and the
// editors' base classes.
#include <functional>
#include "host/Export.h"

#include "host/ComponentClasses.h"

// Attribute bits an editor gives the object inspector.
enum TPropertyAttribute : unsigned {
    paValueList = 0x1,
    paSubProperties = 0x2,
    paDialog = 0x4,
    paMultiSelect = 0x8,
    paAutoUpdate = 0x10,
    paSortList = 0x20,
    paReadOnly = 0x40,
    paRevertable = 0x80,
};
using TPropertyAttributes = unsigned;

// Type of a published property.
enum TTypeKind { tkString, tkClass, tkInteger, tkEnumeration };
struct HOST_API TTypeInfo {
    const char* Name;
    TTypeKind Kind;
};
extern HOST_API const TTypeInfo TypeInfoString;  // String
extern HOST_API const TTypeInfo TypeInfoFileName;  // TFileName
extern HOST_API const TTypeInfo TypeInfoStrings;  // TStrings

// The property being edited: the selected components and how to read and write the value as
// text (the object inspector fills it in).
struct HOST_API TPropertyTarget {
    std::vector<TComponent*> Selection;
    String PropName;
    std::function<String()> GetValue;
    std::function<void(const String&)> SetValue;
    std::function<void()> OnModified;  // the designer is told of a change
};

class HOST_API TPropertyEditor : public TObject {
public:
    explicit TPropertyEditor(TPropertyTarget target) : FTarget(std::move(target)) {}
    virtual TPropertyAttributes GetAttributes() { return paRevertable; }
    // Hands each value of the drop-down list to proc, in order.
    virtual void GetValues(const std::function<void(const String&)>& proc) { (void)proc; }
    // The "..." button.
    virtual void Edit() {}
    virtual String GetValue() { return FTarget.GetValue ? FTarget.GetValue() : String(); }
    virtual void SetValue(const String& v)
    {
        if (FTarget.SetValue) FTarget.SetValue(v);
        Modified();
    }
    int PropCount() const { return static_cast<int>(FTarget.Selection.size()); }
    // The index-th selected component; nullptr out of range.
    TComponent* GetComponent(int index) const;
    String GetName() const { return FTarget.PropName; }
    void Modified()
    {
        if (FTarget.OnModified) FTarget.OnModified();
    }

protected:
    TPropertyTarget FTarget;
};

class HOST_API TStringProperty : public TPropertyEditor {
public:
    using TPropertyEditor::TPropertyEditor;
    TPropertyAttributes GetAttributes() override { return paMultiSelect | paRevertable; }
};

class HOST_API TClassProperty : public TPropertyEditor {
public:
    using TPropertyEditor::TPropertyEditor;
    TPropertyAttributes GetAttributes() override { return paMultiSelect | paSubProperties | paReadOnly; }
};

struct HOST_API TPropertyEditorClassInfo {
    const char* ClassName;
    TPropertyEditor* (*Create)(TPropertyTarget target);
};
using TPropertyEditorClass = const TPropertyEditorClassInfo*;
// The class reference of an editor class T (one per T).
template <class T>
TPropertyEditorClass PropertyEditorClassOf(const char* name)
{
    static const TPropertyEditorClassInfo c{
        name, [](TPropertyTarget t) -> TPropertyEditor* { return new T(std::move(t)); }};
    return &c;
}
#define HOST_PROPERTY_EDITOR_CLASS(T) PropertyEditorClassOf<T>(#T)

struct HOST_API TPropertyEditorEntry {
    const TTypeInfo* PropertyType;
    TComponentClass ComponentClass;  // nullptr: every class
    String PropertyName;  // empty: every property of that type
    TPropertyEditorClass Editor;
};

HOST_API void RegisterPropertyEditor(const TTypeInfo* propertyType, TComponentClass componentClass,
                                     const String& propertyName, TPropertyEditorClass editor);
// Takes back every registration of that editor class.
HOST_API void UnregisterPropertyEditor(TPropertyEditorClass editor);
HOST_API std::vector<TPropertyEditorEntry> PropertyEditorEntries();
// The editor for a property of that type and name on that class: the latest registration that
// matches (its class the component's class or an ancestor, its name empty or equal without regard
// to case); nullptr when none does.
HOST_API TPropertyEditorClass FindPropertyEditor(const TTypeInfo* propertyType,
                                                 TComponentClass componentClass, const String& propertyName);
