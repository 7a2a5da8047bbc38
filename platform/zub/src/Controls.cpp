#include "zub/Controls.h"

#include <algorithm>

#include "rtl/ScopeGuard.h"

// ---- TControl

TControl::TControl(TComponent* AOwner) : TComponent(AOwner)
{
    FFont.OnChange = [this] { Changed(TProp::Font); };
}

TControl::~TControl()
{
    {
        std::lock_guard g(TreeLock());
        // Children may outlive us for a moment (their owner frees them later): cut the links.
        for (TControl* c : FControls) c->FParent = nullptr;
        FControls.clear();
        if (FParent) {
            auto& l = FParent->FControls;
            l.erase(std::remove(l.begin(), l.end(), this), l.end());
            FParent = nullptr;
        }
    }
    FFont.OnChange = nullptr;
    Notices().Destroyed(this);
}

void TControl::PostNotice(TNotice n)
{
    n.Sender = this;
    Notices().Post(std::move(n));
}

int TControl::Left() const { return Get(FLeft); }
int TControl::Top() const { return Get(FTop); }
int TControl::Width() const { return Get(FWidth); }
int TControl::Height() const { return Get(FHeight); }
void TControl::SetLeft(int v) { Put(FLeft, v, TProp::Bounds); }
void TControl::SetTop(int v) { Put(FTop, v, TProp::Bounds); }
void TControl::SetWidth(int v) { SetBounds(Left(), Top(), v, Height()); }
void TControl::SetHeight(int v) { SetBounds(Left(), Top(), Width(), v); }
TAnchors TControl::Anchors() const { return Get(FAnchors); }
void TControl::SetAnchors(TAnchors a) { Put(FAnchors, a, TProp::Style); }

void TControl::SetBounds(int left, int top, int width, int height)
{
    int dw = 0, dh = 0;
    {
        std::lock_guard g(Lock());
        if (FLeft == left && FTop == top && FWidth == width && FHeight == height) return;
        dw = width - FWidth;
        dh = height - FHeight;
        FLeft = left;
        FTop = top;
        FWidth = width;
        FHeight = height;
        Changed(TProp::Bounds);
    }
    if (dw == 0 && dh == 0) return;
    std::vector<TControl*> children;
    {
        std::lock_guard g(TreeLock());
        children = FControls;
    }
    for (TControl* c : children) c->ParentResized(dw, dh);
}

void TControl::ParentResized(int dw, int dh)
{
    const TAnchors a = Anchors();
    int left = Left(), top = Top(), width = Width(), height = Height();
    if (a & akRight) {
        if (a & akLeft)
            width = std::max(0, width + dw);
        else
            left += dw;
    }
    if (a & akBottom) {
        if (a & akTop)
            height = std::max(0, height + dh);
        else
            top += dh;
    }
    SetBounds(left, top, width, height);
}

TRect TControl::BoundsRect() const
{
    std::lock_guard g(Lock());
    return TRect{FLeft, FTop, FLeft + FWidth, FTop + FHeight};
}

TRect TControl::ClientRect() const
{
    std::lock_guard g(Lock());
    return TRect{0, 0, FWidth, FHeight};
}

bool TControl::Visible() const { return Get(FVisible); }
void TControl::SetVisible(bool v) { Put(FVisible, v, TProp::Visible); }
bool TControl::Enabled() const { return Get(FEnabled); }
void TControl::SetEnabled(bool v) { Put(FEnabled, v, TProp::Enabled); }
String TControl::Text() const { return Get(FText); }
void TControl::SetText(const String& s) { Put(FText, s, TProp::Text); }
String TControl::Hint() const { return Get(FHint); }
void TControl::SetHint(const String& s) { Put(FHint, s, TProp::Hint); }
bool TControl::ShowHint() const { return Get(FShowHint); }
void TControl::SetShowHint(bool v) { Put(FShowHint, v, TProp::Hint); }
TColor TControl::Color() const { return Get(FColor); }
void TControl::SetColor(TColor c) { Put(FColor, c, TProp::Color); }
TCursor TControl::Cursor() const { return Get(FCursor); }
void TControl::SetCursor(TCursor c) { Put(FCursor, c, TProp::Cursor); }
bool TControl::Transparent() const { return Get(FTransparent); }
void TControl::SetTransparent(bool v) { Put(FTransparent, v, TProp::Style); }

TControl* TControl::Parent() const
{
    std::lock_guard g(TreeLock());
    return FParent;
}

void TControl::SetParent(TControl* parent)
{
    {
        std::lock_guard g(TreeLock());
        if (parent == FParent) return;
        for (TControl* p = parent; p; p = p->FParent)
            if (p == this) throw EComponentError("A control cannot be its own parent");
        if (FParent) {
            auto& l = FParent->FControls;
            l.erase(std::remove(l.begin(), l.end(), this), l.end());
        }
        FParent = parent;
        if (parent) parent->FControls.push_back(this);
    }
    Changed(TProp::Parent);
}

void TControl::BringToFront()
{
    {
        std::lock_guard g(TreeLock());
        if (!FParent) return;
        auto& l = FParent->FControls;
        l.erase(std::remove(l.begin(), l.end(), this), l.end());
        l.push_back(this);
    }
    PostNotice(TNotice{this, TProp::Request, TNoticeKind::Property, -1, -1, "front"});
}

int TControl::ControlCount() const
{
    std::lock_guard g(TreeLock());
    return static_cast<int>(FControls.size());
}

TControl* TControl::Controls(int index) const
{
    std::lock_guard g(TreeLock());
    if (index < 0 || index >= static_cast<int>(FControls.size()))
        throw EListError("Control index out of bounds (" + IntToStr(index) + ")");
    return FControls[static_cast<std::size_t>(index)];
}

TControl* TControl::TopParent() const
{
    std::lock_guard g(TreeLock());
    const TControl* c = this;
    while (c->FParent) c = c->FParent;
    return const_cast<TControl*>(c);
}

bool TControl::Focused() const { return Get(FFocused); }

namespace {

void ClearFocus(TControl* c, TControl* except)
{
    for (int i = 0, n = c->ControlCount(); i < n; ++i) {
        TControl* child = c->Controls(i);
        if (child != except && child->Focused()) child->DoExit();
        ClearFocus(child, except);
    }
}

}  // namespace

void TControl::SetFocus()
{
    if (Focused()) return;
    ClearFocus(TopParent(), this);
    Put(FFocused, true, TProp::Style);
    DoEnter();
}

void TControl::DoEnter()
{
    Put(FFocused, true, TProp::Style);
    Fire(OnEnter, this);
}

void TControl::DoExit()
{
    Put(FFocused, false, TProp::Style);
    Fire(OnExit, this);
}

void TControl::Invalidate()
{
    if (!Destroying()) PostNotice(TNotice{this, TProp::Repaint});
}

void TControl::SetRedraw(bool on)
{
    std::lock_guard g(Lock());
    if (FRedraw == on) return;
    FRedraw = on;
    PostNotice(TNotice{this, TProp::Repaint, TNoticeKind::Property, -1, -1, on ? "redraw=1" : "redraw=0"});
}

bool TControl::Redraw() const { return Get(FRedraw); }

TCanvas* TControl::Canvas()
{
    if (FPaintCanvas) return FPaintCanvas;
    if (FLastingCanvas) return FLastingCanvas;
    if (!FIdleCanvas) FIdleCanvas = std::make_unique<TRecordingCanvas>(TRecordingCanvas::IdleLimit);
    return FIdleCanvas.get();
}

void TControl::PaintTo(TCanvas& canvas)
{
    TCanvas* previous = FPaintCanvas;
    FPaintCanvas = &canvas;
    TScopeGuard restore([&] { FPaintCanvas = previous; });
    Paint(canvas);
}

void TControl::Click()
{
    if (Enabled()) Fire(OnClick, this);
}

void TControl::DblClick()
{
    if (Enabled()) Fire(OnDblClick, this);
}

void TControl::MouseDown(TMouseButton button, TShiftState shift, int x, int y)
{
    if (Enabled() && OnMouseDown) OnMouseDown(this, button, shift, x, y);
}

void TControl::MouseMove(TShiftState shift, int x, int y)
{
    if (Enabled() && OnMouseMove) OnMouseMove(this, shift, x, y);
}

void TControl::MouseUp(TMouseButton button, TShiftState shift, int x, int y)
{
    if (Enabled() && OnMouseUp) OnMouseUp(this, button, shift, x, y);
}

void TControl::MouseEnter() { Fire(OnMouseEnter, this); }

// Leave reaches disabled controls too: their handlers decide (the picture buttons check Enabled).
void TControl::MouseLeave() { Fire(OnMouseLeave, this); }

void TControl::KeyDown(unsigned short& key, TShiftState shift)
{
    TControl* top = TopParent();
    if (top != this && top->KeyPreviewOn() && top->OnKeyDown) top->OnKeyDown(top, key, shift);
    if (key != 0 && Enabled() && OnKeyDown) OnKeyDown(this, key, shift);
}

int LayoutEnum(const TLayoutValue& v, std::initializer_list<const char*> names)
{
    int i = 0;
    for (const char* n : names) {
        if (SameText(n, v.AsIdent())) return i;
        ++i;
    }
    throw ELayoutError(v.Line, "unknown value " + v.Text);
}

TColor LayoutColor(const TLayoutValue& v)
{
    if (v.Kind == TLayoutValue::Ident) {
        TColor c = 0;
        if (!IdentToColor(v.Text, c)) throw ELayoutError(v.Line, "unknown colour " + v.Text);
        return c;
    }
    return static_cast<TColor>(v.AsInt());
}

void LoadLayoutPicture(TPicture& picture, const TLayoutValue& v)
{
    if (v.Kind != TLayoutValue::Binary) throw ELayoutError(v.Line, "picture data expected");
    String bytes = v.Text;
    // A picture class name (length byte, name) may stand before the file's bytes.
    if (DetectPictureFormat(bytes) == TPictureFormat::None && !bytes.empty()) {
        std::size_t skip = 1 + static_cast<unsigned char>(bytes[0]);
        if (skip < bytes.size()) bytes = bytes.substr(skip);
    }
    try {
        picture.LoadFromBytes(bytes);
    } catch (const EInvalidGraphic& e) {
        throw ELayoutError(v.Line, e.Message());
    }
}

void AssignLayoutList(TStrings& lines, const TLayoutValue& v)
{
    TStringList l;
    for (const String& s : v.AsList()) l.Add(s);
    lines.Assign(l);
}

namespace {

TCursor LayoutCursor(const TLayoutValue& v)
{
    if (v.Kind != TLayoutValue::Ident) return v.AsInt();
    static const std::pair<const char*, TCursor> names[] = {
        {"crDefault", crDefault},   {"crNone", crNone},           {"crArrow", crArrow},
        {"crCross", crCross},       {"crIBeam", crIBeam},         {"crNo", crNo},
        {"crAppStart", crAppStart}, {"crHourGlass", crHourGlass}, {"crHandPoint", crHandPoint},
        {"crSizeAll", crSizeAll}};
    for (const auto& [name, value] : names)
        if (SameText(name, v.Text)) return value;
    throw ELayoutError(v.Line, "unknown cursor " + v.Text);
}

TFontStyles LayoutFontStyles(const TLayoutValue& v)
{
    TFontStyles s = 0;
    for (const String& id : v.AsSet()) {
        if (SameText(id, "fsBold"))
            s |= fsBold;
        else if (SameText(id, "fsItalic"))
            s |= fsItalic;
        else if (SameText(id, "fsUnderline"))
            s |= fsUnderline;
        else if (SameText(id, "fsStrikeOut"))
            s |= fsStrikeOut;
        else
            throw ELayoutError(v.Line, "unknown font style " + id);
    }
    return s;
}

}  // namespace

// Properties a layout may carry that the model has no use for (they only matter to a desktop's
// own window handling); accepted so layouts read as written.
static bool IgnoredLayoutProperty(const String& name)
{
    static const char* names[] = {"TabOrder",       "TabStop",        "ParentFont",       "ParentColor",
                                  "ParentShowHint", "Font.Charset",   "Font.Pitch",       "PixelsPerInch",
                                  "TextHeight",     "OldCreateOrder", "DesignSize",       "Anchors",
                                  "ExplicitLeft",   "ExplicitTop",    "ExplicitWidth",    "ExplicitHeight",
                                  "Ctl3D",          "ParentCtl3D",    "ParentBackground", "DoubleBuffered",
                                  "HelpContext",    "BiDiMode",       "ParentBiDiMode",   "ImeName"};
    for (const char* n : names)
        if (SameText(n, name)) return true;
    return false;
}

bool TControl::SetLayoutProperty(const String& name, const TLayoutValue& v)
{
    if (SameText(name, "Left"))
        SetLeft(v.AsInt());
    else if (SameText(name, "Top"))
        SetTop(v.AsInt());
    else if (SameText(name, "Width"))
        SetWidth(v.AsInt());
    else if (SameText(name, "Height"))
        SetHeight(v.AsInt());
    else if (SameText(name, "ClientWidth"))
        SetClientWidth(v.AsInt());
    else if (SameText(name, "ClientHeight"))
        SetClientHeight(v.AsInt());
    else if (SameText(name, "Visible"))
        SetVisible(v.AsBool());
    else if (SameText(name, "Enabled"))
        SetEnabled(v.AsBool());
    else if (SameText(name, "Caption") || SameText(name, "Text"))
        SetText(v.AsString());
    else if (SameText(name, "Hint"))
        SetHint(v.AsString());
    else if (SameText(name, "ShowHint"))
        SetShowHint(v.AsBool());
    else if (SameText(name, "Color"))
        SetColor(LayoutColor(v));
    else if (SameText(name, "Font.Color"))
        FFont.SetColor(LayoutColor(v));
    else if (SameText(name, "Font.Name"))
        FFont.SetName(v.AsString());
    else if (SameText(name, "Font.Size"))
        FFont.SetSize(v.AsInt());
    else if (SameText(name, "Font.Height"))
        FFont.SetHeight(v.AsInt());
    else if (SameText(name, "Font.Style"))
        FFont.SetStyle(LayoutFontStyles(v));
    else if (SameText(name, "Cursor"))
        SetCursor(LayoutCursor(v));
    else if (SameText(name, "Tag"))
        SetTag(v.AsInt());
    else if (SameText(name, "Transparent"))
        SetTransparent(v.AsBool());
    else if (IgnoredLayoutProperty(name))
        return true;
    else
        return false;
    return true;
}

int TControl::SetLayoutEvent(const String& name, const std::any& h)
{
    if (SameText(name, "OnClick")) return AssignEvent(OnClick, h);
    if (SameText(name, "OnDblClick")) return AssignEvent(OnDblClick, h);
    if (SameText(name, "OnMouseDown")) return AssignEvent(OnMouseDown, h);
    if (SameText(name, "OnMouseMove")) return AssignEvent(OnMouseMove, h);
    if (SameText(name, "OnMouseUp")) return AssignEvent(OnMouseUp, h);
    if (SameText(name, "OnMouseEnter")) return AssignEvent(OnMouseEnter, h);
    if (SameText(name, "OnMouseLeave")) return AssignEvent(OnMouseLeave, h);
    if (SameText(name, "OnKeyDown")) return AssignEvent(OnKeyDown, h);
    if (SameText(name, "OnChange")) return AssignEvent(OnChange, h);
    if (SameText(name, "OnEnter")) return AssignEvent(OnEnter, h);
    if (SameText(name, "OnExit")) return AssignEvent(OnExit, h);
    return 0;
}

// ---- TControlStrings

TControlStrings::TControlStrings(TComponent* owner, std::recursive_mutex& lock, TProp prop)
    : FOwner(owner), FLock(lock), FProp(prop)
{
}

void TControlStrings::Post(TNoticeKind kind, int index, const String& text)
{
    if (OnItemsChanged) OnItemsChanged();
    if (FOwner->Destroying()) return;
    Notices().Post(TNotice{FOwner, FProp, kind, index, -1, text});
}

int TControlStrings::Count() const
{
    std::lock_guard g(FLock);
    return TStringList::Count();
}

String TControlStrings::Get(int index) const
{
    std::lock_guard g(FLock);
    return TStringList::Get(index);
}

void TControlStrings::Put(int index, const String& s)
{
    std::lock_guard g(FLock);
    TStringList::Put(index, s);
    Post(TNoticeKind::ItemChanged, index, s);
}

void TControlStrings::Insert(int index, const String& s)
{
    std::lock_guard g(FLock);
    TStringList::Insert(index, s);
    Post(TNoticeKind::ItemInserted, index, s);
}

void TControlStrings::Delete(int index)
{
    std::lock_guard g(FLock);
    TStringList::Delete(index);
    Post(TNoticeKind::ItemDeleted, index, {});
}

void TControlStrings::Clear()
{
    std::lock_guard g(FLock);
    if (FItems.empty()) return;
    TStringList::Clear();
    Post(TNoticeKind::ItemsCleared, -1, {});
}

int TControlStrings::IndexOf(const String& s) const
{
    std::lock_guard g(FLock);
    return TStringList::IndexOf(s);
}

void TControlStrings::BeginUpdate()
{
    FLock.lock();
    TStringList::BeginUpdate();
}

void TControlStrings::EndUpdate()
{
    TStringList::EndUpdate();
    FLock.unlock();
}

void TControlStrings::Sort()
{
    std::lock_guard g(FLock);
    TStringList::Sort();
    Post(TNoticeKind::ItemsCleared, -1, {});
    for (int i = 0; i < static_cast<int>(FItems.size()); ++i)
        Post(TNoticeKind::ItemInserted, i, FItems[static_cast<std::size_t>(i)]);
}

std::vector<String> TControlStrings::ToVector() const
{
    std::lock_guard g(FLock);
    return FItems;
}
