#include "QZRuntime.h"

#include <dlfcn.h>

#include <algorithm>
#include <climits>
#include <typeinfo>

#include "rtl/Files.h"

namespace {
template <class T>
TComponent* Make(TComponent* owner, TComponentClass c)
{
    return new T(owner, c);
}
}  // namespace

// Each class reference makes its objects with the class it stands for.
#define QZ_FACTORY_A nullptr
#define QZ_FACTORY_P nullptr
#define QZ_FACTORY_V(name) [](TComponent* o) { return Make<TQZControl>(o, &qzc::name); }
#define QZ_FACTORY_N(name) [](TComponent* o) { return Make<TQZComponent>(o, &qzc::name); }
#define QZ_FACTORY_SEL_A(name) QZ_FACTORY_A
#define QZ_FACTORY_SEL_P(name) QZ_FACTORY_P
#define QZ_FACTORY_SEL_V(name) QZ_FACTORY_V(name)
#define QZ_FACTORY_SEL_N(name) QZ_FACTORY_N(name)
namespace qzc {
#define QZ_CLASS(name, parent, kind) extern const TComponentClassInfo name;
#include "QZClassList.h"
#undef QZ_CLASS
#define QZ_CLASS(name, parent, kind)                                                                         \
    const TComponentClassInfo name{#name, &parent, QZ_FACTORY_SEL_##kind(name)};
#include "QZClassList.h"
#undef QZ_CLASS
}  // namespace qzc

std::vector<TComponentClass> QZAllClasses()
{
    return {
#define QZ_CLASS(name, parent, kind) &qzc::name,
#include "QZClassList.h"
#undef QZ_CLASS
    };
}

TComponentClass QZFindClass(const String& name)
{
    for (TComponentClass c : QZAllClasses())
        if (SameText(c->ClassName, name)) return c;
    return nullptr;
}

const TTypeInfo QZTypeInfoColor{"TQZColor", tkInteger};
const TTypeInfo QZTypeInfoScriptEvents{"TQZScriptEvents", tkClass};

// ---- colours

TColor toTColor(TQZColor c)
{
    if (c == fcNone) return clNone;
    if (c == fcDefault) return -1;
    return c;
}

const std::vector<TQZWebColor>& QZWebColors()
{
    // 0x00BBGGRR
    // The sixteen colours of HTML first, then every other named web colour (the grey ones in
    // both spellings) in alphabetical order.
    static const std::vector<TQZWebColor> colors{
        {"Black", 0x000000},
        {"Maroon", 0x000080},
        {"Green", 0x008000},
        {"Olive", 0x008080},
        {"Navy", 0x800000},
        {"Purple", 0x800080},
        {"Teal", 0x808000},
        {"Gray", 0x808080},
        {"Silver", 0xC0C0C0},
        {"Red", 0x0000FF},
        {"Lime", 0x00FF00},
        {"Yellow", 0x00FFFF},
        {"Blue", 0xFF0000},
        {"Fuchsia", 0xFF00FF},
        {"Aqua", 0xFFFF00},
        {"White", 0xFFFFFF},
        {"AliceBlue", 0xFFF8F0},
        {"AntiqueWhite", 0xD7EBFA},
        {"Aquamarine", 0xD4FF7F},
        {"Azure", 0xFFFFF0},
        {"Beige", 0xDCF5F5},
        {"Bisque", 0xC4E4FF},
        {"BlanchedAlmond", 0xCDEBFF},
        {"BlueViolet", 0xE22B8A},
        {"Brown", 0x2A2AA5},
        {"BurlyWood", 0x87B8DE},
        {"CadetBlue", 0xA09E5F},
        {"Chartreuse", 0x00FF7F},
        {"Chocolate", 0x1E69D2},
        {"Coral", 0x507FFF},
        {"CornflowerBlue", 0xED9564},
        {"Cornsilk", 0xDCF8FF},
        {"Crimson", 0x3C14DC},
        {"Cyan", 0xFFFF00},
        {"DarkBlue", 0x8B0000},
        {"DarkCyan", 0x8B8B00},
        {"DarkGoldenRod", 0x0B86B8},
        {"DarkGray", 0xA9A9A9},
        {"DarkGreen", 0x006400},
        {"DarkGrey", 0xA9A9A9},
        {"DarkKhaki", 0x6BB7BD},
        {"DarkMagenta", 0x8B008B},
        {"DarkOliveGreen", 0x2F6B55},
        {"DarkOrange", 0x008CFF},
        {"DarkOrchid", 0xCC3299},
        {"DarkRed", 0x00008B},
        {"DarkSalmon", 0x7A96E9},
        {"DarkSeaGreen", 0x8FBC8F},
        {"DarkSlateBlue", 0x8B3D48},
        {"DarkSlateGray", 0x4F4F2F},
        {"DarkTurquoise", 0xD1CE00},
        {"DarkViolet", 0xD30094},
        {"DeepPink", 0x9314FF},
        {"DeepSkyBlue", 0xFFBF00},
        {"DimGray", 0x696969},
        {"DodgerBlue", 0xFF901E},
        {"FireBrick", 0x2222B2},
        {"FloralWhite", 0xF0FAFF},
        {"ForestGreen", 0x228B22},
        {"Gainsboro", 0xDCDCDC},
        {"GhostWhite", 0xFFF8F8},
        {"Gold", 0x00D7FF},
        {"GoldenRod", 0x20A5DA},
        {"GreenYellow", 0x2FFFAD},
        {"Grey", 0x808080},
        {"HoneyDew", 0xF0FFF0},
        {"HotPink", 0xB469FF},
        {"IndianRed", 0x5C5CCD},
        {"Indigo", 0x82004B},
        {"Ivory", 0xF0FFFF},
        {"Khaki", 0x8CE6F0},
        {"Lavender", 0xFAE6E6},
        {"LavenderBlush", 0xF5F0FF},
        {"LawnGreen", 0x00FC7C},
        {"LemonChiffon", 0xCDFAFF},
        {"LightBlue", 0xE6D8AD},
        {"LightCoral", 0x8080F0},
        {"LightCyan", 0xFFFFE0},
        {"LightGoldenRodYellow", 0xD2FAFA},
        {"LightGray", 0xD3D3D3},
        {"LightGreen", 0x90EE90},
        {"LightGrey", 0xD3D3D3},
        {"LightPink", 0xC1B6FF},
        {"LightSalmon", 0x7AA0FF},
        {"LightSeaGreen", 0xAAB220},
        {"LightSkyBlue", 0xFACE87},
        {"LightSlateGray", 0x998877},
        {"LightSteelBlue", 0xDEC4B0},
        {"LightYellow", 0xE0FFFF},
        {"LimeGreen", 0x32CD32},
        {"Linen", 0xE6F0FA},
        {"Magenta", 0xFF00FF},
        {"MediumAquaMarine", 0xAACD66},
        {"MediumBlue", 0xCD0000},
        {"MediumOrchid", 0xD355BA},
        {"MediumPurple", 0xDB7093},
        {"MediumSeaGreen", 0x71B33C},
        {"MediumSlateBlue", 0xEE687B},
        {"MediumSpringGreen", 0x9AFA00},
        {"MediumTurquoise", 0xCCD148},
        {"MediumVioletRed", 0x8515C7},
        {"MidnightBlue", 0x701919},
        {"MintCream", 0xFAFFF5},
        {"MistyRose", 0xE1E4FF},
        {"Moccasin", 0xB5E4FF},
        {"NavajoWhite", 0xADDEFF},
        {"OldLace", 0xE6F5FD},
        {"OliveDrab", 0x238E6B},
        {"Orange", 0x00A5FF},
        {"OrangeRed", 0x0045FF},
        {"Orchid", 0xD670DA},
        {"PaleGoldenRod", 0xAAE8EE},
        {"PaleGreen", 0x98FB98},
        {"PaleTurquoise", 0xEEEEAF},
        {"PaleVioletRed", 0x9370DB},
        {"PapayaWhip", 0xD5EFFF},
        {"PeachPuff", 0xB9DAFF},
        {"Peru", 0x3F85CD},
        {"Pink", 0xCBC0FF},
        {"Plum", 0xDDA0DD},
        {"PowderBlue", 0xE6E0B0},
        {"RosyBrown", 0x8F8FBC},
        {"RoyalBlue", 0xE16941},
        {"SaddleBrown", 0x13458B},
        {"Salmon", 0x7280FA},
        {"SandyBrown", 0x60A4F4},
        {"SeaGreen", 0x578B2E},
        {"SeaShell", 0xEEF5FF},
        {"Sienna", 0x2D52A0},
        {"SkyBlue", 0xEBCE87},
        {"SlateBlue", 0xCD5A6A},
        {"SlateGray", 0x908070},
        {"Snow", 0xFAFAFF},
        {"SpringGreen", 0x7FFF00},
        {"SteelBlue", 0xB48246},
        {"Tan", 0x8CB4D2},
        {"Thistle", 0xD8BFD8},
        {"Tomato", 0x4763FF},
        {"Turquoise", 0xD0E040},
        {"Violet", 0xEE82EE},
        {"Wheat", 0xB3DEF5},
        {"WhiteSmoke", 0xF5F5F5},
        {"YellowGreen", 0x32CD9A},
    };
    return colors;
}

String QZWebColorName(TQZColor c)
{
    for (const auto& w : QZWebColors())
        if (w.Color == c) return w.Name;
    return String();
}

// ---- objects

TQZScriptEvent* TQZScriptEvents::Find(const String& name)
{
    for (TQZScriptEvent& e : FItems)
        if (SameText(e.EventName, name)) return &e;
    return nullptr;
}

TQZTreeViewItems::~TQZTreeViewItems()
{
    if (Designer) Designer->ItemsFreed();
}

TQZTreeViewItem* TQZTreeViewItems::Add(TQZTreeViewItem* parent, const String& caption)
{
    FItems.push_back(std::make_unique<TQZTreeViewItem>(TQZTreeViewItem{caption, parent, false}));
    return FItems.back().get();
}

void TQZTreeViewItems::Delete(TQZTreeViewItem* item)
{
    auto below = [item](const TQZTreeViewItem* i) {
        for (; i; i = i->Parent)
            if (i == item) return true;
        return false;
    };
    // Nothing goes before every item was looked at: a child's parent chain must still be there.
    std::vector<std::unique_ptr<TQZTreeViewItem>> keep;
    for (auto& i : FItems)
        if (!below(i.get())) keep.push_back(std::move(i));
    FItems = std::move(keep);
}

TQZScriptEvent& TQZScriptEvents::Add(const String& name)
{
    FItems.push_back(TQZScriptEvent{name, {}});
    return FItems.back();
}

TQZControl::TQZControl(TComponent* owner, TComponentClass cls) : TControl(owner), FClass(cls) {}

std::vector<TQZControl*> TQZControl::Pages() const
{
    std::vector<TQZControl*> r;
    for (int i = 0; i < ControlCount(); ++i)
        if (auto* p = dynamic_cast<TQZControl*>(Controls(i)); p && p->InheritsFrom(&qzc::TQZTabPage))
            r.push_back(p);
    return r;
}

void TQZControl::Paint(TCanvas& canvas) { QZPaintControl(this, canvas); }

namespace {
TQZColor LayoutWebColor(const TLayoutValue& v)
{
    if (v.Kind == TLayoutValue::Int) return static_cast<TQZColor>(v.AsInt());
    const String& name = v.AsIdent();
    if (SameText(name, "fcNone")) return fcNone;
    if (SameText(name, "fcDefault")) return fcDefault;
    for (const auto& w : QZWebColors())
        if (SameText(w.Name, name)) return w.Color;
    TColor c = clNone;
    if (IdentToColor(name, c)) return c;
    throw ELayoutError(v.Line, "unknown colour " + name);
}
// Borders are drawn line by line: a width beyond any picture is refused.
int BorderWidth(const TLayoutValue& v)
{
    const int w = v.AsInt();
    if (w < 0 || w > 1000) throw ELayoutError(v.Line, "border width out of range 0 .. 1000: " + IntToStr(w));
    return w;
}
void LayoutLines(TStringList& list, const TLayoutValue& v)
{
    list.Clear();
    for (const String& s : v.AsList()) list.Add(s);
}
}  // namespace

bool TQZControl::SetLayoutProperty(const String& name, const TLayoutValue& v)
{
    const struct {
        const char* Name;
        int TQZControl::*Field;
    } ints[] = {{"ItemIndex", &TQZControl::ItemIndex},
                {"Layout", &TQZControl::Layout},
                {"Alignment", &TQZControl::Alignment},
                {"VertAlignment", &TQZControl::VertAlignment},
                {"Percent", &TQZControl::Percent},
                {"Orientation", &TQZControl::Orientation},
                {"ImageWidth", &TQZControl::ImageWidth},
                {"ImageHeight", &TQZControl::ImageHeight},
                {"ButtonWidth", &TQZControl::ButtonWidth},
                {"ButtonHeight", &TQZControl::ButtonHeight},
                {"ActivePageIndex", &TQZControl::ActivePageIndex},
                {"TabOrder", &TQZControl::TabOrder}};
    for (const auto& f : ints)
        if (SameText(name, f.Name)) {
            this->*f.Field = v.AsInt();
            return true;
        }
    const struct {
        const char* Name;
        bool TQZControl::*Field;
    } flags[] = {{"Checked", &TQZControl::Checked},       {"MultiSelect", &TQZControl::MultiSelect},
                 {"NameValue", &TQZControl::NameValue},   {"Numbered", &TQZControl::Numbered},
                 {"ScrollBars", &TQZControl::ScrollBars}, {"AutoSize", &TQZControl::AutoSize},
                 {"RenderSize", &TQZControl::RenderSize}, {"HasPicture", &TQZControl::HasPicture}};
    for (const auto& f : flags)
        if (SameText(name, f.Name)) {
            this->*f.Field = v.AsBool();
            return true;
        }
    if (SameText(name, "Color"))
        ControlColor = LayoutWebColor(v);
    else if (SameText(name, "BGColor"))
        BGColor = LayoutWebColor(v);
    else if (SameText(name, "WebFont.Color"))
        WebFont.WebColor = LayoutWebColor(v);
    else if (SameText(name, "BorderOptions.Color"))
        BorderOptions.Color = LayoutWebColor(v);
    else if (SameText(name, "BorderOptions.Width"))
        BorderOptions.Width = BorderWidth(v);
    else if (SameText(name, "BorderOptions.Style"))
        BorderOptions.Style = v.AsInt();
    else if (SameText(name, "BorderOptions.PixelWidth"))
        BorderOptions.PixelWidth = BorderWidth(v);
    else if (SameText(name, "VisibleButtons"))
        VisibleButtons = static_cast<unsigned>(v.AsInt()) & 0x3FF;
    else if (SameText(name, "Items.Strings"))
        LayoutLines(Items, v);
    else if (SameText(name, "Lines.Strings"))
        LayoutLines(Lines, v);
    else if (SameText(name, "Selected")) {
        // The indexes of the selected items of a multi-select list, as a list of strings.
        Selected.clear();
        for (const String& s : v.AsList()) {
            const int i = StrToIntDef(s, -1);
            if (i < 0 || i > 10000) throw ELayoutError(v.Line, "bad item index " + s);
            if (Selected.size() <= static_cast<std::size_t>(i))
                Selected.resize(static_cast<std::size_t>(i) + 1);
            Selected[static_cast<std::size_t>(i)] = true;
        }
    } else
        return TControl::SetLayoutProperty(name, v);
    return true;
}

TComponent* QZCreate(TComponentClass c, TComponent* owner)
{
    if (!c || !c->Create)
        throw EInvalidCast(String("Cannot create an object of ") + (c ? c->ClassName : "nil"));
    return c->Create(owner);
}

bool QZIs(const TControl* control, TComponentClass c)
{
    auto* q = dynamic_cast<const TQZControl*>(control);
    return q && q->InheritsFrom(c);
}

TQZControl& QZCast(TControl* control, TComponentClass c)
{
    if (!QZIs(control, c)) throw EInvalidCast("Invalid class typecast");
    return *static_cast<TQZControl*>(control);
}

bool QZGetObjectProperty(TObject* object, const String& name, TObject*& value)
{
    auto* q = dynamic_cast<IQZClassed*>(object);
    if (!q) return false;
    auto it = q->ObjectProperties.find(UpperCase(name));
    if (it == q->ObjectProperties.end()) return false;
    value = it->second;
    return true;
}

void TQZComponent::AddFieldNames(TStrings& list) const
{
    for (int i = 0; i < FieldNames.Count(); ++i) list.Add(FieldNames[i]);
}

String QZClassNameOf(const TControl* control)
{
    if (auto* q = dynamic_cast<const IQZClassed*>(control)) return q->ClassName();
    return typeid(*control).name();
}

bool TabOrderCompare(const TQZControl* a, const TQZControl* b) { return a->TabOrder < b->TabOrder; }

// ---- paint handlers

namespace {
TQZPaintHandlerClass RuntimeDefault()
{
    static const TQZPaintHandlerClassInfo c{
        "TQZPaintHandler", [](TControl* x, TCanvas* cv) { return new TQZPaintHandler(x, cv); }};
    return &c;
}
std::vector<std::pair<String, TQZPaintHandlerClass>>& Handlers()
{
    static std::vector<std::pair<String, TQZPaintHandlerClass>> h;
    return h;
}
}  // namespace

TQZPaintHandlerClass GDefaultPaintHandler = RuntimeDefault();
TQZPaintHandlerClass RuntimeDefaultPaintHandler() { return RuntimeDefault(); }

void QZRegisterPaintHandler(const String& className, TQZPaintHandlerClass handler)
{
    for (auto& [name, h] : Handlers())
        if (SameText(name, className)) {
            h = handler;
            return;
        }
    Handlers().push_back({className, handler});
}

void QZUnregisterPaintHandler(TQZPaintHandlerClass handler)
{
    std::erase_if(Handlers(), [&](const auto& e) { return e.second == handler; });
}

std::vector<std::pair<String, TQZPaintHandlerClass>> QZPaintHandlers() { return Handlers(); }

TQZPaintHandlerClass QZFindPaintHandler(TComponentClass c)
{
    for (; c; c = c->Parent)
        for (const auto& [name, h] : Handlers())
            if (SameText(name, c->ClassName)) return h;
    return GDefaultPaintHandler ? GDefaultPaintHandler : RuntimeDefault();
}

void QZPaintControl(TQZControl* control, TCanvas& canvas)
{
    // Sizes up to 2^24 pixels, button and border sizes up to 2^20 keep every sum and product of
    // the handlers (ten navigator buttons, a bar's width times its percentage) within int.
    auto within = [](long long v, long long bound) { return v >= -bound && v <= bound; };
    const long long big = 1LL << 24, part = 1LL << 20;
    const TQZControl& c = *control;
    if (!within(c.Width(), big) || !within(c.Height(), big) ||
        !within(static_cast<long long>(c.Width()) * c.Percent, INT_MAX) || !within(c.ImageWidth, part) ||
        !within(c.ImageHeight, part) || !within(c.ButtonWidth, part) || !within(c.ButtonHeight, part) ||
        !within(c.BorderOptions.Width, part) || !within(c.BorderOptions.PixelWidth, part))
        throw EIntOverflow("Arithmetic overflow painting " + c.Name() + " (" + c.ClassName() + ")");
    const TRect keep = canvas.ClipRect();
    canvas.SetClipRect(control->ClientRect());
    std::unique_ptr<TQZPaintHandler> h(QZFindPaintHandler(control->ClassType())->Create(control, &canvas));
    try {
        h->Paint();
    } catch (...) {
        canvas.SetClipRect(keep);
        throw;
    }
    canvas.SetClipRect(keep);
}

// ---- warnings

TQZWarningProc GWarningProc = nullptr;

void QZWarning(const String& message)
{
    if (GWarningProc) GWarningProc(message);
}

// ---- designer libraries

String TQZDesignerLibrary::FolderOf()
{
    Dl_info info{};
    if (!dladdr(reinterpret_cast<void*>(&toTColor), &info) || !info.dli_fname) return String();
    return ExtractFilePath(info.dli_fname);
}

TQZDesignerLibrary::TQZDesignerLibrary(const String& name)
{
    const String path = IncludeTrailingPathDelimiter(FolderOf()) + "lib" + name + ".so";
    FHandle = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!FHandle) throw EFOpenError("Cannot load the designer library " + name);
    FGet = reinterpret_cast<void* (*)(void*)>(dlsym(FHandle, "GetManager"));
    FRelease = reinterpret_cast<void (*)(void**)>(dlsym(FHandle, "ReleaseManager"));
    if (!FGet || !FRelease) {
        dlclose(FHandle);
        throw EFOpenError("The designer library " + name + " has no GetManager or ReleaseManager");
    }
}

TQZDesignerLibrary::~TQZDesignerLibrary() { dlclose(FHandle); }

void* TQZDesignerLibrary::GetManager(void* appWindow) { return FGet(appWindow); }

void TQZDesignerLibrary::ReleaseManager(void*& manager) { FRelease(&manager); }
