#include "zub/Buttons.h"

TSpeedButton::TSpeedButton(TComponent* AOwner) : TControl(AOwner)
{
    SetBounds(0, 0, 23, 22);
    FGlyph.OnChange = [this] { Changed(TProp::Picture); };
}

TSpeedButton::~TSpeedButton() { FGlyph.OnChange = nullptr; }

bool TSpeedButton::Flat() const { return Get(FFlat); }
void TSpeedButton::SetFlat(bool v) { Put(FFlat, v, TProp::Style); }
int TSpeedButton::GroupIndex() const { return Get(FGroupIndex); }
void TSpeedButton::SetGroupIndex(int g) { Put(FGroupIndex, g, TProp::Style); }
bool TSpeedButton::Down() const { return Get(FDown); }
bool TSpeedButton::AllowAllUp() const { return Get(FAllowAllUp); }
void TSpeedButton::SetAllowAllUp(bool v) { Put(FAllowAllUp, v, TProp::Style); }

void TSpeedButton::SetDown(bool v)
{
    if (!Put(FDown, v, TProp::Checked) || !v || GroupIndex() == 0) return;
    if (TControl* p = Parent())
        for (int i = 0, n = p->ControlCount(); i < n; ++i) {
            auto* b = dynamic_cast<TSpeedButton*>(p->Controls(i));
            if (b && b != this && b->GroupIndex() == GroupIndex()) b->SetDown(false);
        }
}

void TSpeedButton::Click()
{
    if (!Enabled()) return;
    if (GroupIndex() != 0) SetDown(AllowAllUp() ? !Down() : true);
    Fire(OnClick, this);
}

bool TSpeedButton::SetLayoutProperty(const String& name, const TLayoutValue& v)
{
    if (SameText(name, "Flat"))
        SetFlat(v.AsBool());
    else if (SameText(name, "GroupIndex"))
        SetGroupIndex(v.AsInt());
    else if (SameText(name, "Down"))
        SetDown(v.AsBool());
    else if (SameText(name, "AllowAllUp"))
        SetAllowAllUp(v.AsBool());
    else if (SameText(name, "Glyph.Data"))
        LoadLayoutPicture(FGlyph, v);
    else if (SameText(name, "NumGlyphs") || SameText(name, "Layout") || SameText(name, "Spacing") ||
             SameText(name, "Margin"))
        return true;
    else
        return TControl::SetLayoutProperty(name, v);
    return true;
}
