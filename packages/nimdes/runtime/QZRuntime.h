#pragma once
// A stand-in of the Nimbrel web framework's runtime, as far as its design package uses it: the
// framework's classes (as class references; one control class and one component class carry the
// properties of every kind), its colours and fonts, the paint-handler hook that draws controls
// at design time, and the warning hook.
#include <functional>
#include <map>
#include <memory>
#include <vector>

#include "host/ComponentClasses.h"
#include "zub/Collections.h"
#include "zub/Controls.h"
#include "zub/Layout.h"

// Class references of the framework, qzc::TQZButton and so on.
namespace qzc {
#define QZ_CLASS(name, parent, kind) extern const TComponentClassInfo name;
#include "QZClassList.h"
#undef QZ_CLASS
}  // namespace qzc

// Every class of the framework, parents first.
std::vector<TComponentClass> QZAllClasses();
// nullptr when the framework has no class of that name (letter case ignored).
TComponentClass QZFindClass(const String& name);

class EInvalidCast : public Exception {
public:
    using Exception::Exception;
};
// The runtime's overflow error.
class EIntOverflow : public Exception {
public:
    using Exception::Exception;
};

// Framework colours: component-library colours (0x00BBGGRR, system colours 0xFF0000nn) plus
// "no colour" and "default".
using TQZColor = std::int32_t;
constexpr TQZColor fcNone = 0x1FFFFFFF;
constexpr TQZColor fcDefault = 0x20000000;
// The component-library colour of a framework colour: fcNone gives clNone (0x1FFFFFFF),
// fcDefault gives -1; others are the same value.
TColor toTColor(TQZColor c);
struct TQZWebColor {
    const char* Name;  // "Black", "AliceBlue", ...
    TQZColor Color;
};
// The web colours by name, in the order the colour editors list them.
const std::vector<TQZWebColor>& QZWebColors();
// The web colour's name, empty when c is none of them.
String QZWebColorName(TQZColor c);

// Property types of the framework for the object inspector.
#include "host/PropertyEditors.h"
extern const TTypeInfo QZTypeInfoColor;  // TQZColor
extern const TTypeInfo QZTypeInfoScriptEvents;  // TQZScriptEvents

// A framework font: the component-library font with a framework colour.
class TQZFont : public TFont {
public:
    TQZColor WebColor = fcDefault;
};

struct TQZBorderOptions {
    int Width = 0;
    TQZColor Color = fcDefault;
    int Style = 0;  // regions: 0 .. 9
    int PixelWidth = 0;
};

// An object of a framework class: its class reference.
class IQZClassed {
public:
    virtual ~IQZClassed() = default;
    virtual TComponentClass ClassType() const = 0;
    String ClassName() const { return ClassType()->ClassName; }
    bool InheritsFrom(TComponentClass c) const { return ClassType()->InheritsFrom(c); }
    // Published properties of class kind, by upper-cased name (a null value: the property is
    // there but holds nothing).
    std::map<String, TObject*> ObjectProperties;
};

// A published property of class kind of a framework object: false when the object has no such
// property (or is no framework object); value is what it holds.
bool QZGetObjectProperty(TObject* object, const String& name, TObject*& value);

// A data source of the component library's data access: the field names of its data set.
class TDataSource : public TComponent {
public:
    using TComponent::TComponent;
    // nullptr: no data set assigned.
    TStringList* DataSetFields = nullptr;
};

// A control's client-side script: its events, each a name with its code lines.
struct TQZScriptEvent {
    String EventName;
    TStringList Event;
};
class TQZScriptEvents : public TObject {
public:
    int Count() const { return static_cast<int>(FItems.size()); }
    TQZScriptEvent& Items(int index) { return FItems.at(static_cast<std::size_t>(index)); }
    const TQZScriptEvent& Items(int index) const { return FItems.at(static_cast<std::size_t>(index)); }
    // nullptr when there is no event of that name (letter case ignored).
    TQZScriptEvent* Find(const String& name);
    TQZScriptEvent& Add(const String& name);
    void Assign(const TQZScriptEvents& other) { FItems = other.FItems; }

private:
    std::vector<TQZScriptEvent> FItems;
};

// A tree view's items: each with its caption, its parent item and whether it is expanded.
struct TQZTreeViewItem {
    String Caption;
    TQZTreeViewItem* Parent = nullptr;
    bool Expanded = false;
};
// The designer of a tree view's items, told when the items go.
class IQZTreeViewDesigner {
public:
    virtual ~IQZTreeViewDesigner() = default;
    virtual void ItemsFreed() = 0;
};
class TQZTreeViewItems {
public:
    TQZTreeViewItems() = default;
    TQZTreeViewItems(const TQZTreeViewItems&) = delete;
    TQZTreeViewItems& operator=(const TQZTreeViewItems&) = delete;
    ~TQZTreeViewItems();
    int Count() const { return static_cast<int>(FItems.size()); }
    TQZTreeViewItem* Items(int index) const { return FItems.at(static_cast<std::size_t>(index)).get(); }
    TQZTreeViewItem* Add(TQZTreeViewItem* parent, const String& caption);
    // Frees the item with every item below it.
    void Delete(TQZTreeViewItem* item);
    IQZTreeViewDesigner* Designer = nullptr;

private:
    std::vector<std::unique_ptr<TQZTreeViewItem>> FItems;
};

// A framework control of any kind, with the properties the kinds have.
class TQZControl : public TControl, public IQZClassed {
public:
    TQZControl(TComponent* owner, TComponentClass cls);
    TComponentClass ClassType() const override { return FClass; }

    TQZFont WebFont;
    TQZColor ControlColor = fcDefault;
    TQZColor BGColor = fcDefault;
    TQZBorderOptions BorderOptions;
    TStringList Items;
    TStringList Lines;
    std::vector<bool> Selected;  // by item index (multi-select lists)
    int ItemIndex = -1;
    int Layout = 0;  // radio groups: non-zero lays the items side by side
    int Alignment = 0;  // 0 left, 1 right, 2 centre
    int VertAlignment = 0;  // rectangles: 0 centre, 1 top, 2 bottom
    bool Checked = false;
    bool MultiSelect = false;
    bool NameValue = false;  // items are name=value pairs
    bool Numbered = false;
    bool ScrollBars = false;
    bool AutoSize = false;
    bool AlignedToParent = false;  // Align is not none
    bool RenderSize = false;
    int Percent = 0;
    bool HasPicture = false;  // images: a picture object is there
    TBitmap* Graphic = nullptr;  // the picture's graphic, not owned
    unsigned VisibleButtons = 0x3FF;  // navigators: bits first .. refresh
    int Orientation = 0;  // navigators: 0 side by side, 1 stacked
    int ImageWidth = 24, ImageHeight = 24;  // DB navigator
    int ButtonWidth = 25, ButtonHeight = 25;  // client-side navigator
    int ActivePageIndex = 0;  // tab control
    int TabOrder = 0;
    TQZScriptEvents ScriptEvents;
    TQZTreeViewItems TreeItems;  // tree views
    TCollection Columns{this};  // data grids: their TQZDBGridColumn items
    // The tab control's pages (its TQZTabPage children) in list order.
    std::vector<TQZControl*> Pages() const;

    // The framework's properties in a form layout: Color, BGColor and WebFont.Color take a web
    // colour's name, a colour constant or a number; Items.Strings, Lines.Strings, ItemIndex,
    // Checked and the other fields above by their names.
    bool SetLayoutProperty(const String& name, const TLayoutValue& value) override;

protected:
    void Paint(TCanvas& canvas) override;

private:
    TComponentClass FClass;
};

// The framework class name of a control (its C++ type name for other controls).
String QZClassNameOf(const TControl* control);

// A non-visual framework component.
class TQZComponent : public TComponent, public IQZClassed {
public:
    TQZComponent(TComponent* owner, TComponentClass cls) : TComponent(owner), FClass(cls) {}
    TComponentClass ClassType() const override { return FClass; }
    // Client-side data sets: the names of their fields.
    virtual void AddFieldNames(TStrings& list) const;
    TStringList FieldNames;
    // HTML layout managers: the attached HTML manager, the work area, the page layout, whether a
    // result is taken, and the control new components are created in.
    void* LayoutManager = nullptr;
    String LayoutWorkArea;
    TStringList LayoutHTML;
    bool TakesResult = true;
    TControl* LayoutContainer = nullptr;

private:
    TComponentClass FClass;
};

// An object of class c made with its class reference; EInvalidCast for a base-only class.
TComponent* QZCreate(TComponentClass c, TComponent* owner);
// The control as a control of class c; EInvalidCast when it is not.
TQZControl& QZCast(TControl* control, TComponentClass c);
// Whether the control is of class c.
bool QZIs(const TControl* control, TComponentClass c);
// The runtime's tab-order comparison: by TabOrder.
bool TabOrderCompare(const TQZControl* a, const TQZControl* b);

// ---- paint handlers

// Draws one control at design time, made for one paint.
class TQZPaintHandler : public TObject {
public:
    TQZPaintHandler(TControl* control, TCanvas* canvas) : FControl(control), FCanvas(canvas) {}
    virtual void Paint() {}
    TControl* Control() const { return FControl; }
    TCanvas* GetControlCanvas() const { return FCanvas; }

private:
    TControl* FControl;
    TCanvas* FCanvas;
};

struct TQZPaintHandlerClassInfo {
    const char* ClassName;
    TQZPaintHandler* (*Create)(TControl* control, TCanvas* canvas);
};
using TQZPaintHandlerClass = const TQZPaintHandlerClassInfo*;
template <class T>
TQZPaintHandlerClass PaintHandlerClassOf(const char* name)
{
    static const TQZPaintHandlerClassInfo c{
        name, [](TControl* x, TCanvas* cv) -> TQZPaintHandler* { return new T(x, cv); }};
    return &c;
}
#define QZ_PAINT_HANDLER_CLASS(T) PaintHandlerClassOf<T>(#T)

// The handler of controls without one of their own; the runtime's own draws nothing.
extern TQZPaintHandlerClass GDefaultPaintHandler;
TQZPaintHandlerClass RuntimeDefaultPaintHandler();
// Registers the handler for controls of that class name. A name registered again takes the later
// handler.
void QZRegisterPaintHandler(const String& className, TQZPaintHandlerClass handler);
// Takes every name of that handler back out.
void QZUnregisterPaintHandler(TQZPaintHandlerClass handler);
// The registered names with their handlers, in the order first registered.
std::vector<std::pair<String, TQZPaintHandlerClass>> QZPaintHandlers();
// The handler for a class: its own name's, else its nearest ancestor's (names compare without
// regard to case), else GDefaultPaintHandler.
TQZPaintHandlerClass QZFindPaintHandler(TComponentClass c);
// Paints the control with its handler on the canvas; the canvas's clip rectangle is the control's
// client rectangle meanwhile. The handlers compute their coordinates in int: a control whose size,
// percentage, button or border sizes could take them beyond it raises EIntOverflow, naming the
// control, before anything is drawn.
void QZPaintControl(TQZControl* control, TCanvas& canvas);

// ---- warnings

using TQZWarningProc = void (*)(const String& message);
// Called with the framework's warnings; nullptr: warnings are dropped.
extern TQZWarningProc GWarningProc;
void QZWarning(const String& message);

// ---- designer libraries

// A designer library of the framework ("QZHTMLLayoutMgr", "QZPreviewMgr"), loaded from the
// package folder by name, with its entry points GetManager and ReleaseManager.
class TQZDesignerLibrary {
public:
    // EFOpenError when the library or one of its entry points is missing.
    explicit TQZDesignerLibrary(const String& name);
    ~TQZDesignerLibrary();
    TQZDesignerLibrary(const TQZDesignerLibrary&) = delete;
    TQZDesignerLibrary& operator=(const TQZDesignerLibrary&) = delete;
    // The library's manager object for an application window.
    void* GetManager(void* appWindow);
    void ReleaseManager(void*& manager);
    static String FolderOf();  // where the libraries are looked for (beside the runtime)

private:
    void* FHandle = nullptr;
    void* (*FGet)(void*) = nullptr;
    void (*FRelease)(void**) = nullptr;
};
