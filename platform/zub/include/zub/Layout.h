#pragma once
// Form layouts in the library's object notation:
//
//   object Form1: TForm1
//     Left = 50
//     Caption = 'Beispiel ' + '2009'#13#10'x'
//     Font.Style = [fsBold]
//     object ListBox1: TListBox
//       Items.Strings = (
//         'a'
//         'b')
//       OnDrawItem = drawItem
//     end
//   end
//
// Values: integers, floats, quoted strings ('' is a quote, #NNN a character code, pieces joined
// by +), identifiers (true/false, enum names, colour names, event handler names), sets [a, b],
// string lists ( 'a' 'b' ) and binary data { hex }. Nested objects are created through the class
// registry (RegisterClass) with the root as owner and the enclosing control as parent.
#include <any>
#include <functional>
#include <vector>

#include "zub/Classes.h"

class ELayoutError : public Exception {
public:
    ELayoutError(int line, const String& msg);
    int Line() const { return FLine; }

private:
    int FLine;
};

struct TLayoutValue {
    enum TKind { Int, Float, Str, Ident, Set, List, Binary } Kind = Int;
    long long IntValue = 0;
    double FloatValue = 0.0;
    String Text;  // Str, Ident, Binary (the bytes)
    std::vector<String> Items;  // Set (identifiers), List (strings)
    int Line = 0;
    TComponent* Root = nullptr;  // the layout's root, for references to other components

    // Conversions for property setters; each raises ELayoutError naming the line on a mismatch.
    int AsInt() const;
    double AsFloat() const;
    bool AsBool() const;  // the identifiers true and false
    String AsString() const;
    const String& AsIdent() const;
    const std::vector<String>& AsList() const;
    const std::vector<String>& AsSet() const;
    // The root's component named by the identifier (every object of the layout exists when
    // properties are set, so references may point forward).
    TComponent* AsComponent() const;
};

// Implemented by every class a layout can create or configure.
class ILayoutTarget {
public:
    virtual ~ILayoutTarget() = default;
    // Sets a property ("Left", "Font.Style", "Items.Strings"); false when the class has none of
    // that name. A value of the wrong kind raises ELayoutError.
    virtual bool SetLayoutProperty(const String& name, const TLayoutValue& value) = 0;
    // Binds an event ("OnClick") to a handler of the root form (a std::function of the event's
    // type in the any). Returns 1 when bound, 0 when the class has no such event, -1 when the
    // handler's type does not fit the event.
    virtual int SetLayoutEvent(const String&, const std::any&) { return 0; }
    // After all properties and nested objects of this object were read.
    virtual void LayoutLoaded() {}
};

// Assigns handler to slot when it holds the slot's type: 1, else -1.
template <class F>
int AssignEvent(F& slot, const std::any& handler)
{
    if (const F* f = std::any_cast<F>(&handler)) {
        slot = *f;
        return 1;
    }
    return -1;
}

// Where the layout reader finds event handlers: the root form's table.
class IHandlerTable {
public:
    virtual ~IHandlerTable() = default;
    virtual const std::any* FindHandler(const String& name) const = 0;
};

// Reads a layout into root: the outer object's properties go to root (its name becomes root's
// name), every nested object is created. An unknown class, property, enum value or event handler,
// or a syntax error, raises ELayoutError naming the line; what was created stays owned by root.
void ReadLayout(TComponent* root, const String& text);
// The same, with the classes the registry does not know looked up by findClass (nullptr: unknown).
using TLayoutClassFinder = std::function<TComponentFactory(const String& className)>;
void ReadLayout(TComponent* root, const String& text, const TLayoutClassFinder& findClass);

// Registers the library's own classes (TLabel, TEdit, ...); ReadLayout calls it.
void RegisterZubClasses();
