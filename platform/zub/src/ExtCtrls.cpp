#include "zub/ExtCtrls.h"

#include <algorithm>

#include "rtl/Clock.h"
#include "zub/Menus.h"

// ---- TImage

TImage::TImage(TComponent* AOwner) : TControl(AOwner)
{
    SetBounds(0, 0, 105, 105);
    FPicture.OnChange = [this] {
        if (AutoSize() && !FPicture.Empty()) {
            std::lock_guard g(Lock());
            SetBounds(Left(), Top(), FPicture.Width(), FPicture.Height());
        }
        Changed(TProp::Picture);
    };
}

TImage::~TImage() { FPicture.OnChange = nullptr; }

bool TImage::Stretch() const { return Get(FStretch); }
void TImage::SetStretch(bool v) { Put(FStretch, v, TProp::Style); }
bool TImage::Center() const { return Get(FCenter); }
void TImage::SetCenter(bool v) { Put(FCenter, v, TProp::Style); }
bool TImage::Proportional() const { return Get(FProportional); }
void TImage::SetProportional(bool v) { Put(FProportional, v, TProp::Style); }
bool TImage::AutoSize() const { return Get(FAutoSize); }
void TImage::SetAutoSize(bool v) { Put(FAutoSize, v, TProp::Style); }

bool TImage::SetLayoutProperty(const String& name, const TLayoutValue& v)
{
    if (SameText(name, "Stretch"))
        SetStretch(v.AsBool());
    else if (SameText(name, "Center"))
        SetCenter(v.AsBool());
    else if (SameText(name, "Proportional"))
        SetProportional(v.AsBool());
    else if (SameText(name, "AutoSize"))
        SetAutoSize(v.AsBool());
    else if (SameText(name, "Picture.Data"))
        LoadLayoutPicture(FPicture, v);
    else
        return TControl::SetLayoutProperty(name, v);
    return true;
}

// ---- TTimer

namespace {

struct TTimerList {
    std::mutex lock;
    std::vector<TTimer*> timers;
};

TTimerList& Timers()
{
    static TTimerList list;
    return list;
}

// Wrap-safe: how far tick a is after tick b.
std::int32_t TickDiff(std::uint32_t a, std::uint32_t b) { return static_cast<std::int32_t>(a - b); }

}  // namespace

TTimer::TTimer(TComponent* AOwner) : TComponent(AOwner)
{
    Restart();
    std::lock_guard g(Timers().lock);
    Timers().timers.push_back(this);
}

TTimer::~TTimer()
{
    std::lock_guard g(Timers().lock);
    auto& l = Timers().timers;
    l.erase(std::remove(l.begin(), l.end(), this), l.end());
}

void TTimer::Restart() { FDue = GetTickCount() + FInterval.load(); }

void TTimer::SetEnabled(bool v)
{
    if (v) Restart();
    FEnabled = v;
}

void TTimer::SetInterval(unsigned ms)
{
    FInterval = ms;
    Restart();
}

bool TTimer::FireDue()
{
    // Collect first, fire without the list lock: a handler may create or free timers.
    std::vector<TTimer*> due;
    std::uint32_t now = GetTickCount();
    {
        std::lock_guard g(Timers().lock);
        for (TTimer* t : Timers().timers)
            if (t->FEnabled && t->FInterval > 0 && TickDiff(now, t->FDue) >= 0) due.push_back(t);
    }
    bool fired = false;
    for (TTimer* t : due) {
        {
            // Still alive and enabled? (an earlier handler may have changed that)
            std::lock_guard g(Timers().lock);
            auto& l = Timers().timers;
            if (std::find(l.begin(), l.end(), t) == l.end() || !t->FEnabled) continue;
            t->FDue = now + t->FInterval;
        }
        fired = true;
        if (t->OnTimer) t->OnTimer(t);
    }
    return fired;
}

long long TTimer::NextDueIn()
{
    std::uint32_t now = GetTickCount();
    long long best = -1;
    std::lock_guard g(Timers().lock);
    for (TTimer* t : Timers().timers) {
        if (!t->FEnabled || t->FInterval == 0) continue;
        long long in = std::max<std::int32_t>(0, TickDiff(t->FDue, now));
        if (best < 0 || in < best) best = in;
    }
    return best;
}

bool TTimer::SetLayoutProperty(const String& name, const TLayoutValue& v)
{
    if (SameText(name, "Enabled"))
        SetEnabled(v.AsBool());
    else if (SameText(name, "Interval"))
        SetInterval(static_cast<unsigned>(v.AsInt()));
    else if (SameText(name, "Tag"))
        SetTag(v.AsInt());
    else if (SameText(name, "Left") || SameText(name, "Top"))
        return true;  // designer position
    else
        return false;
    return true;
}

int TTimer::SetLayoutEvent(const String& name, const std::any& h)
{
    if (SameText(name, "OnTimer")) return AssignEvent(OnTimer, h);
    return 0;
}

// ---- TRadioGroup

TRadioGroup::TRadioGroup(TComponent* AOwner) : TControl(AOwner), FItems(this, Lock(), TProp::Items)
{
    SetBounds(0, 0, 185, 105);
    FItems.OnItemsChanged = [this] { FDirty = true; };
}

TRadioGroup::~TRadioGroup()
{
    std::lock_guard g(FButtonsLock);
    for (TRadioButton* b : FButtons) delete b;
    FButtons.clear();
}

void TRadioGroup::SyncButtons()
{
    std::lock_guard g(FButtonsLock);
    if (!FDirty.exchange(false)) return;
    std::vector<String> items = FItems.ToVector();
    while (FButtons.size() > items.size()) {
        delete FButtons.back();
        FButtons.pop_back();
    }
    int index = ItemIndex();
    FSyncing = true;
    for (std::size_t i = 0; i < items.size(); ++i) {
        if (i == FButtons.size()) {
            auto* b = new TRadioButton(this);
            b->SetParent(this);
            b->OnClick = [this](TObject* s) { ButtonClicked(s); };
            FButtons.push_back(b);
        }
        TRadioButton* b = FButtons[i];
        b->SetCaption(items[i]);
        b->SetBounds(8, 16 + static_cast<int>(i) * 20, Width() - 16, 17);
        if (static_cast<int>(i) == index)
            b->SetChecked(true);
        else
            b->SetChecked(false);
    }
    FSyncing = false;
}

void TRadioGroup::ButtonClicked(TObject* sender)
{
    int i = 0;
    {
        std::lock_guard g(FButtonsLock);
        if (FSyncing) return;
        for (TRadioButton* b : FButtons) {
            if (b == sender) break;
            ++i;
        }
    }
    bool changed;
    {
        std::lock_guard g(Lock());
        changed = FItemIndex != i;
        if (changed) {
            FItemIndex = i;
            Changed(TProp::ItemIndex);
        }
    }
    if (changed) Fire(OnClick, this);
}

int TRadioGroup::ItemIndex() const { return Get(FItemIndex); }

void TRadioGroup::SetItemIndex(int i)
{
    if (i < -1 || i >= FItems.Count()) i = -1;
    bool changed = Put(FItemIndex, i, TProp::ItemIndex);
    if (!changed) return;
    FDirty = true;
    SyncButtons();
    Fire(OnClick, this);
}

int TRadioGroup::Columns() const { return Get(FColumns); }
void TRadioGroup::SetColumns(int n) { Put(FColumns, n, TProp::Style); }

int TRadioGroup::ButtonCount()
{
    SyncButtons();
    std::lock_guard g(FButtonsLock);
    return static_cast<int>(FButtons.size());
}

TRadioButton* TRadioGroup::Buttons(int index)
{
    SyncButtons();
    std::lock_guard g(FButtonsLock);
    if (index < 0 || index >= static_cast<int>(FButtons.size()))
        throw EListError("Radio group button index out of bounds (" + IntToStr(index) + ")");
    return FButtons[static_cast<std::size_t>(index)];
}

bool TRadioGroup::SetLayoutProperty(const String& name, const TLayoutValue& v)
{
    if (SameText(name, "Items.Strings")) {
        AssignLayoutList(FItems, v);
    } else if (SameText(name, "ItemIndex")) {
        std::lock_guard g(Lock());
        FItemIndex = v.AsInt();  // the items may follow; checked in LayoutLoaded
        FDirty = true;
    } else if (SameText(name, "Columns"))
        SetColumns(v.AsInt());
    else
        return TControl::SetLayoutProperty(name, v);
    return true;
}

void TRadioGroup::LayoutLoaded()
{
    {
        std::lock_guard g(Lock());
        if (FItemIndex >= FItems.Count()) FItemIndex = -1;
    }
    FDirty = true;
    SyncButtons();
}

// ---- TTrayIcon

TTrayIcon::TTrayIcon(TComponent* AOwner) : TComponent(AOwner) {}

TTrayIcon::~TTrayIcon() { Notices().Destroyed(this); }

bool TTrayIcon::Visible() const { return Get(FVisible); }
void TTrayIcon::SetVisible(bool v) { Put(FVisible, v, TProp::Visible); }
TBalloonFlags TTrayIcon::BalloonFlags() const { return Get(FBalloonFlags); }
void TTrayIcon::SetBalloonFlags(TBalloonFlags f) { Put(FBalloonFlags, f, TProp::Style); }
int TTrayIcon::BalloonTimeout() const { return Get(FBalloonTimeout); }
void TTrayIcon::SetBalloonTimeout(int ms) { Put(FBalloonTimeout, ms, TProp::Style); }
String TTrayIcon::Hint() const { return Get(FHint); }
void TTrayIcon::SetHint(const String& s) { Put(FHint, s, TProp::Hint); }
String TTrayIcon::BalloonTitle() const { return Get(FBalloonTitle); }
void TTrayIcon::SetBalloonTitle(const String& s) { Put(FBalloonTitle, s, TProp::Style); }
String TTrayIcon::BalloonHint() const { return Get(FBalloonHint); }
void TTrayIcon::SetBalloonHint(const String& s) { Put(FBalloonHint, s, TProp::Style); }

TPopupMenu* TTrayIcon::PopupMenu() const { return Get(FPopupMenu); }

void TTrayIcon::SetPopupMenu(TPopupMenu* m) { SetReference(FPopupMenu, m); }

void TTrayIcon::Notification(TComponent* c, TOperation op)
{
    TComponent::Notification(c, op);
    if (op == opRemove) DropReference(FPopupMenu, c);
}

void TTrayIcon::ShowBalloonHint()
{
    std::lock_guard g(Lock());
    ++FBalloons;
    Notices().Post(
        TNotice{this, TProp::Balloon, TNoticeKind::Property, -1, -1, FBalloonTitle + "\n" + FBalloonHint});
}

int TTrayIcon::BalloonsShown() const { return Get(FBalloons); }

void TTrayIcon::Click()
{
    if (OnClick) OnClick(this);
}

void TTrayIcon::DblClick()
{
    if (OnDblClick) OnDblClick(this);
}

bool TTrayIcon::SetLayoutProperty(const String& name, const TLayoutValue& v)
{
    if (SameText(name, "Visible"))
        SetVisible(v.AsBool());
    else if (SameText(name, "Hint"))
        SetHint(v.AsString());
    else if (SameText(name, "BalloonTitle"))
        SetBalloonTitle(v.AsString());
    else if (SameText(name, "BalloonHint"))
        SetBalloonHint(v.AsString());
    else if (SameText(name, "BalloonTimeout"))
        SetBalloonTimeout(v.AsInt());
    else if (SameText(name, "BalloonFlags"))
        SetBalloonFlags(
            static_cast<TBalloonFlags>(LayoutEnum(v, {"bfNone", "bfInfo", "bfWarning", "bfError"})));
    else if (SameText(name, "Icon.Data"))
        LoadLayoutPicture(FIcon, v);
    else if (SameText(name, "PopupMenu")) {
        auto* menu = dynamic_cast<TPopupMenu*>(v.AsComponent());
        if (!menu) throw ELayoutError(v.Line, v.Text + " is no pop-up menu");
        SetPopupMenu(menu);
    } else if (SameText(name, "Tag"))
        SetTag(v.AsInt());
    else if (SameText(name, "Left") || SameText(name, "Top") || SameText(name, "Animate") ||
             SameText(name, "AnimateInterval"))
        return true;
    else
        return false;
    return true;
}

int TTrayIcon::SetLayoutEvent(const String& name, const std::any& h)
{
    if (SameText(name, "OnClick")) return AssignEvent(OnClick, h);
    if (SameText(name, "OnDblClick")) return AssignEvent(OnDblClick, h);
    return 0;
}
