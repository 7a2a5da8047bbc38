#pragma once
// Pop-up menus and their items.
#include "zub/Classes.h"
#include "zub/Graphics.h"
#include "zub/Layout.h"
#include "zub/Notices.h"

class TMenuItem : public TComponent, public ILayoutTarget {
public:
    explicit TMenuItem(TComponent* AOwner);
    ~TMenuItem() override;

    String Caption() const;
    void SetCaption(const String& s);
    String Hint() const;
    void SetHint(const String& s);
    bool Enabled() const;
    void SetEnabled(bool v);
    bool Visible() const;
    void SetVisible(bool v);
    bool Checked() const;
    void SetChecked(bool v);

    // Sub-items (not owned: their owner frees them).
    void Add(TMenuItem* item);
    // Puts the item at index (0 .. Count); one already here moves.
    void Insert(int index, TMenuItem* item);
    void Remove(TMenuItem* item);
    int IndexOf(const TMenuItem* item) const;  // -1 when it is no sub-item
    int Count() const;
    TMenuItem* Items(int index) const;
    TMenuItem* ParentItem() const;

    // User input: chooses the item (fires OnClick when enabled).
    void Click();
    TNotifyEvent OnClick;

    bool SetLayoutProperty(const String& name, const TLayoutValue& value) override;
    int SetLayoutEvent(const String& name, const std::any& handler) override;

protected:
    void Notification(TComponent* c, TOperation op) override;

private:
    String FCaption, FHint;
    bool FEnabled = true, FVisible = true, FChecked = false;
    TMenuItem* FParent = nullptr;
    std::vector<TMenuItem*> FItems;  // guarded by TreeLock
};

class TPopupMenu : public TComponent, public ILayoutTarget {
public:
    explicit TPopupMenu(TComponent* AOwner);
    ~TPopupMenu() override;
    TMenuItem* Items() { return &FItems; }

    // The component the menu was popped up for.
    TComponent* PopupComponent() const;
    void SetPopupComponent(TComponent* c);
    // Asks the view to show the menu at screen position (x, y); counted and kept for tests.
    void Popup(int x, int y);
    int PopupCount() const;
    TPoint PopupPoint() const;
    bool AutoPopup() const;
    void SetAutoPopup(bool v);

    TNotifyEvent OnPopup;

    bool SetLayoutProperty(const String& name, const TLayoutValue& value) override;
    int SetLayoutEvent(const String& name, const std::any& handler) override;

protected:
    void Notification(TComponent* c, TOperation op) override;

private:
    TMenuItem FItems{nullptr};
    TComponent* FPopupComponent = nullptr;
    int FPopupCount = 0;
    TPoint FPopupPoint;
    bool FAutoPopup = true;
};
