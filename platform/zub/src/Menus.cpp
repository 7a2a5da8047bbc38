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
    Notices().Destroyed(this);
}

String TMenuItem::Caption() const { return Get(FCaption); }
void TMenuItem::SetCaption(const String& s) { Put(FCaption, s, TProp::Text); }
String TMenuItem::Hint() const { return Get(FHint); }
void TMenuItem::SetHint(const String& s) { Put(FHint, s, TProp::Hint); }
bool TMenuItem::Enabled() const { return Get(FEnabled); }
void TMenuItem::SetEnabled(bool v) { Put(FEnabled, v, TProp::Enabled); }
bool TMenuItem::Visible() const { return Get(FVisible); }
void TMenuItem::SetVisible(bool v) { Put(FVisible, v, TProp::Visible); }
bool TMenuItem::Checked() const { return Get(FChecked); }
void TMenuItem::SetChecked(bool v) { Put(FChecked, v, TProp::Checked); }

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

void TMenuItem::Insert(int index, TMenuItem* item)
{
    if (!item || item == this) return;
    {
        std::lock_guard g(TreeLock());
        if (item->FParent) item->FParent->Remove(item);
        if (index < 0 || index > static_cast<int>(FItems.size()))
            throw EListError("Menu index out of bounds (" + IntToStr(index) + ")");
        FItems.insert(FItems.begin() + index, item);
        item->FParent = this;
    }
    Changed(TProp::Items);
}

int TMenuItem::IndexOf(const TMenuItem* item) const
{
    std::lock_guard g(TreeLock());
    auto it = std::find(FItems.begin(), FItems.end(), item);
    return it == FItems.end() ? -1 : static_cast<int>(it - FItems.begin());
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
    if (SameText(name, "Caption"))
        SetCaption(v.AsString());
    else if (SameText(name, "Hint"))
        SetHint(v.AsString());
    else if (SameText(name, "Enabled"))
        SetEnabled(v.AsBool());
    else if (SameText(name, "Visible"))
        SetVisible(v.AsBool());
    else if (SameText(name, "Checked"))
        SetChecked(v.AsBool());
    else if (SameText(name, "Tag"))
        SetTag(v.AsInt());
    else if (SameText(name, "ShortCut") || SameText(name, "ImageIndex") || SameText(name, "Default"))
        return true;
    else
        return false;
    return true;
}

int TMenuItem::SetLayoutEvent(const String& name, const std::any& h)
{
    if (SameText(name, "OnClick")) return AssignEvent(OnClick, h);
    return 0;
}

// ---- TPopupMenu

TPopupMenu::TPopupMenu(TComponent* AOwner) : TComponent(AOwner) {}

TPopupMenu::~TPopupMenu() { Notices().Destroyed(this); }

TComponent* TPopupMenu::PopupComponent() const { return Get(FPopupComponent); }

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

int TPopupMenu::PopupCount() const { return Get(FPopupCount); }

TPoint TPopupMenu::PopupPoint() const { return Get(FPopupPoint); }

bool TPopupMenu::AutoPopup() const { return Get(FAutoPopup); }

void TPopupMenu::SetAutoPopup(bool v)
{
    std::lock_guard g(Lock());
    FAutoPopup = v;
}

bool TPopupMenu::SetLayoutProperty(const String& name, const TLayoutValue& v)
{
    if (SameText(name, "AutoPopup"))
        SetAutoPopup(v.AsBool());
    else if (SameText(name, "Tag"))
        SetTag(v.AsInt());
    else if (SameText(name, "Left") || SameText(name, "Top") || SameText(name, "Alignment"))
        return true;
    else
        return false;
    return true;
}

int TPopupMenu::SetLayoutEvent(const String& name, const std::any& h)
{
    if (SameText(name, "OnPopup")) return AssignEvent(OnPopup, h);
    return 0;
}
