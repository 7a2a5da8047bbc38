#include "zub/Menus.h"

#include <algorithm>

// ---- TMenuItem

TMenuItem::TMenuItem(TComponent* AOwner) : TComponent(AOwner) {}

TMenuItem::~TMenuItem()
{
    {
        std::lock_guard g(TreeLock());
        for (TMenuItem* i : FItems) i->FParent = nullptr;
        FItems.clear();
        if (FParent) {
            auto& l = FParent->FItems;
            l.erase(std::remove(l.begin(), l.end(), this), l.end());
        }
    }
    Notices().Forget(this);
    Notices().Post(TNotice{this, TProp::Destroyed});
}

void TMenuItem::Changed(TProp p) { Notices().Post(TNotice{this, p}); }

#define ZUB_ITEM_PROP(Type, Arg, Get, Set, Field, Prop) \
    Type TMenuItem::Get() const                         \
    {                                                   \
        std::lock_guard g(Lock());                      \
        return Field;                                   \
    }                                                   \
    void TMenuItem::Set(Arg v)                          \
    {                                                   \
        std::lock_guard g(Lock());                      \
        if (Field == v) return;                         \
        Field = v;                                      \
        Changed(Prop);                                  \
    }
ZUB_ITEM_PROP(String, const String&, Caption, SetCaption, FCaption, TProp::Text)
ZUB_ITEM_PROP(String, const String&, Hint, SetHint, FHint, TProp::Hint)
ZUB_ITEM_PROP(bool, bool, Enabled, SetEnabled, FEnabled, TProp::Enabled)
ZUB_ITEM_PROP(bool, bool, Visible, SetVisible, FVisible, TProp::Visible)
ZUB_ITEM_PROP(bool, bool, Checked, SetChecked, FChecked, TProp::Checked)
#undef ZUB_ITEM_PROP

void TMenuItem::Add(TMenuItem* item)
{
    if (!item || item == this) return;
    {
        std::lock_guard g(TreeLock());
        if (item->FParent) item->FParent->Remove(item);
        FItems.push_back(item);
        item->FParent = this;
    }
    Changed(TProp::Items);
}

void TMenuItem::Remove(TMenuItem* item)
{
    {
        std::lock_guard g(TreeLock());
        if (!item || item->FParent != this) return;
        FItems.erase(std::remove(FItems.begin(), FItems.end(), item), FItems.end());
        item->FParent = nullptr;
    }
    Changed(TProp::Items);
}

int TMenuItem::Count() const
{
    std::lock_guard g(TreeLock());
    return static_cast<int>(FItems.size());
}

TMenuItem* TMenuItem::Items(int index) const
{
    std::lock_guard g(TreeLock());
    if (index < 0 || index >= static_cast<int>(FItems.size()))
        throw EListError("Menu index out of bounds (" + IntToStr(index) + ")");
    return FItems[static_cast<std::size_t>(index)];
}

TMenuItem* TMenuItem::ParentItem() const
{
    std::lock_guard g(TreeLock());
    return FParent;
}

void TMenuItem::Click()
{
    if (Enabled() && OnClick) OnClick(this);
}

void TMenuItem::Notification(TComponent* c, TOperation op) { TComponent::Notification(c, op); }

bool TMenuItem::SetLayoutProperty(const String& name, const TLayoutValue& v)
{
    if (SameText(name, "Caption")) SetCaption(v.AsString());
    else if (SameText(name, "Hint")) SetHint(v.AsString());
    else if (SameText(name, "Enabled")) SetEnabled(v.AsBool());
    else if (SameText(name, "Visible")) SetVisible(v.AsBool());
    else if (SameText(name, "Checked")) SetChecked(v.AsBool());
    else if (SameText(name, "Tag")) SetTag(v.AsInt());
    else if (SameText(name, "ShortCut") || SameText(name, "ImageIndex") || SameText(name, "Default"))
        return true;
    else return false;
    return true;
}

int TMenuItem::SetLayoutEvent(const String& name, const std::any& h)
{
    if (SameText(name, "OnClick")) return AssignEvent(OnClick, h);
    return 0;
}

// ---- TPopupMenu

TPopupMenu::TPopupMenu(TComponent* AOwner) : TComponent(AOwner) {}

TPopupMenu::~TPopupMenu()
{
    Notices().Forget(this);
    Notices().Post(TNotice{this, TProp::Destroyed});
}

TComponent* TPopupMenu::PopupComponent() const
{
    std::lock_guard g(Lock());
    return FPopupComponent;
}

void TPopupMenu::SetPopupComponent(TComponent* c) { SetReference(FPopupComponent, c); }

void TPopupMenu::Notification(TComponent* c, TOperation op)
{
    TComponent::Notification(c, op);
    if (op == opRemove) DropReference(FPopupComponent, c);
}

void TPopupMenu::Popup(int x, int y)
{
    if (OnPopup) OnPopup(this);
    std::lock_guard g(Lock());
    ++FPopupCount;
    FPopupPoint = {x, y};
    Notices().Post(TNotice{this, TProp::Visible, TNoticeKind::Property, x, y, "popup"});
}

int TPopupMenu::PopupCount() const
{
    std::lock_guard g(Lock());
    return FPopupCount;
}

TPoint TPopupMenu::PopupPoint() const
{
    std::lock_guard g(Lock());
    return FPopupPoint;
}

bool TPopupMenu::AutoPopup() const
{
    std::lock_guard g(Lock());
    return FAutoPopup;
}

void TPopupMenu::SetAutoPopup(bool v)
{
    std::lock_guard g(Lock());
    FAutoPopup = v;
}

bool TPopupMenu::SetLayoutProperty(const String& name, const TLayoutValue& v)
{
    if (SameText(name, "AutoPopup")) SetAutoPopup(v.AsBool());
    else if (SameText(name, "Tag")) SetTag(v.AsInt());
    else if (SameText(name, "Left") || SameText(name, "Top") || SameText(name, "Alignment")) return true;
    else return false;
    return true;
}

int TPopupMenu::SetLayoutEvent(const String& name, const std::any& h)
{
    if (SameText(name, "OnPopup")) return AssignEvent(OnPopup, h);
    return 0;
}
