#pragma once
// Pictures, timers, radio groups and tray icons.
#include <atomic>
#include <cstdint>

#include "zub/StdCtrls.h"

class TPopupMenu;

class TImage : public TControl {
public:
    explicit TImage(TComponent* AOwner);
    ~TImage() override;
    // Loading or assigning a picture posts a Picture notice (and sizes the control when
    // AutoSize is on).
    TPicture* Picture() { return &FPicture; }
    const TPicture* Picture() const { return &FPicture; }
    bool Stretch() const;
    void SetStretch(bool v);
    bool Center() const;
    void SetCenter(bool v);
    bool Proportional() const;
    void SetProportional(bool v);
    bool AutoSize() const;
    void SetAutoSize(bool v);
    bool SetLayoutProperty(const String& name, const TLayoutValue& value) override;

private:
    TPicture FPicture;
    bool FStretch = false, FCenter = false, FProportional = false, FAutoSize = false;
};

// Fires OnTimer on the user-interface thread every Interval ms of the rtl clock while enabled,
// from the message loop (TApplication::Run, ProcessMessages). Enabling or changing the interval
// starts the period afresh. Safe to switch from any thread.
class TTimer : public TComponent, public ILayoutTarget {
public:
    explicit TTimer(TComponent* AOwner);
    ~TTimer() override;
    bool Enabled() const { return FEnabled; }
    void SetEnabled(bool v);
    unsigned Interval() const { return FInterval; }
    void SetInterval(unsigned ms);

    TNotifyEvent OnTimer;

    bool SetLayoutProperty(const String& name, const TLayoutValue& value) override;
    int SetLayoutEvent(const String& name, const std::any& handler) override;

    // The message loop's side: fires every due timer (user-interface thread); returns whether
    // any fired. NextDueIn: ms until the next timer is due, -1 when none is enabled.
    static bool FireDue();
    static long long NextDueIn();

private:
    void Restart();
    std::atomic<bool> FEnabled{true};
    std::atomic<unsigned> FInterval{1000};
    std::atomic<std::uint32_t> FDue{0};  // tick count of the next firing
};

// Radio buttons built from Items; ItemIndex is the checked one. Buttons(i) gives the button of
// item i, so single buttons can be disabled.
class TRadioGroup : public TControl {
public:
    explicit TRadioGroup(TComponent* AOwner);
    ~TRadioGroup() override;
    TControlStrings* Items() { return &FItems; }
    int ItemIndex() const;
    // Checks button i (fires OnClick when it changes); -1 unchecks all.
    void SetItemIndex(int i);
    int Columns() const;
    void SetColumns(int n);
    int ButtonCount();
    TRadioButton* Buttons(int index);  // EListError out of range
    bool SetLayoutProperty(const String& name, const TLayoutValue& value) override;
    void LayoutLoaded() override;

private:
    void SyncButtons();
    void ButtonClicked(TObject* sender);
    TControlStrings FItems;
    int FItemIndex = -1;
    int FColumns = 1;
    std::recursive_mutex FButtonsLock;
    std::vector<TRadioButton*> FButtons;  // owned by this group
    std::atomic<bool> FDirty{true};
    bool FSyncing = false;
};

enum TBalloonFlags { bfNone, bfInfo, bfWarning, bfError };

// Icon in the desktop's notification area.
class TTrayIcon : public TComponent, public ILayoutTarget {
public:
    explicit TTrayIcon(TComponent* AOwner);
    ~TTrayIcon() override;
    bool Visible() const;
    void SetVisible(bool v);
    String Hint() const;
    void SetHint(const String& s);
    String BalloonTitle() const;
    void SetBalloonTitle(const String& s);
    String BalloonHint() const;
    void SetBalloonHint(const String& s);
    TBalloonFlags BalloonFlags() const;
    void SetBalloonFlags(TBalloonFlags f);
    int BalloonTimeout() const;
    void SetBalloonTimeout(int ms);
    TPopupMenu* PopupMenu() const;
    void SetPopupMenu(TPopupMenu* m);
    TPicture* Icon() { return &FIcon; }

    // Shows the balloon (posts a Balloon notice); counted for tests.
    void ShowBalloonHint();
    int BalloonsShown() const;

    // User input.
    void Click();
    void DblClick();
    TNotifyEvent OnClick;
    TNotifyEvent OnDblClick;

    bool SetLayoutProperty(const String& name, const TLayoutValue& value) override;
    int SetLayoutEvent(const String& name, const std::any& handler) override;

protected:
    void Notification(TComponent* c, TOperation op) override;

private:
    bool FVisible = false;
    String FHint, FBalloonTitle, FBalloonHint;
    TBalloonFlags FBalloonFlags = bfNone;
    int FBalloonTimeout = 10000;
    TPopupMenu* FPopupMenu = nullptr;
    TPicture FIcon;
    int FBalloons = 0;
};
