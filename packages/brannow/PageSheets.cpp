#include "PageSheets.h"

#include <algorithm>

TTabSheet::TTabSheet(TPageControl* control) : TControl(control), FControl(control)
{
    SetParent(control);
    control->FSheets.push_back(this);
}

TTabSheet::~TTabSheet()
{
    if (FControl) {
        auto& v = FControl->FSheets;
        v.erase(std::remove(v.begin(), v.end(), this), v.end());
        if (FControl->FActive == this) FControl->FActive = nullptr;
    }
}

void TTabSheet::SetTabVisible(bool v)
{
    FTabVisible = v;
    Invalidate();
}

int TTabSheet::TabIndex() const
{
    if (!FTabVisible || !FControl) return -1;
    int n = 0;
    for (TTabSheet* s : FControl->FSheets) {
        if (s == this) return n;
        if (s->FTabVisible) ++n;
    }
    return -1;
}

TPageControl::TPageControl(TComponent* AOwner) : TControl(AOwner) {}

TPageControl::~TPageControl()
{
    for (TTabSheet* s : FSheets) s->FControl = nullptr;
    FSheets.clear();
    FActive = nullptr;
}

TTabSheet* TPageControl::Pages(int index) const
{
    if (index < 0 || index >= PageCount()) throw EListError("Page index out of bounds");
    return FSheets[static_cast<std::size_t>(index)];
}

void TPageControl::SetActivePage(TTabSheet* sheet)
{
    if (sheet && sheet->FControl != this) return;
    FActive = sheet;
    Invalidate();
}

void TPageControl::SelectTab(int tabIndex)
{
    for (TTabSheet* s : FSheets)
        if (s->TabIndex() == tabIndex && tabIndex >= 0) {
            SetActivePage(s);
            if (OnChange) OnChange(this);
            return;
        }
}
