#pragma once
// A minimal page control for the property pages: tab sheets whose tabs can be hidden, one active
// sheet and a change handler.
#include <vector>

#include "zub/Controls.h"

class TPageControl;

class TTabSheet : public TControl {
public:
    explicit TTabSheet(TPageControl* control);
    ~TTabSheet() override;
    bool TabVisible() const { return FTabVisible; }
    void SetTabVisible(bool v);
    TPageControl* PageControl() const { return FControl; }
    // Position among the sheets whose tab is visible, -1 when the tab is hidden.
    int TabIndex() const;

private:
    friend class TPageControl;
    TPageControl* FControl;
    bool FTabVisible = true;
};

class TPageControl : public TControl {
public:
    explicit TPageControl(TComponent* AOwner);
    ~TPageControl() override;
    int PageCount() const { return static_cast<int>(FSheets.size()); }
    TTabSheet* Pages(int index) const;  // EListError out of range
    TTabSheet* ActivePage() const { return FActive; }
    void SetActivePage(TTabSheet* sheet);
    // The active sheet's position among the visible tabs, -1 without one.
    int TabIndex() const { return FActive ? FActive->TabIndex() : -1; }
    // User input: picks the tab at that position among the visible tabs; fires OnChange.
    void SelectTab(int tabIndex);

private:
    friend class TTabSheet;
    std::vector<TTabSheet*> FSheets;  // owned by the control as components
    TTabSheet* FActive = nullptr;
};
