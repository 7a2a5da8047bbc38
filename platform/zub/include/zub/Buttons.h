#pragma once
// Flat picture buttons.
#include "zub/Controls.h"

class TSpeedButton : public TControl {
public:
    explicit TSpeedButton(TComponent* AOwner);
    ~TSpeedButton() override;
    TPicture* Glyph() { return &FGlyph; }
    bool Flat() const;
    void SetFlat(bool v);
    int GroupIndex() const;
    void SetGroupIndex(int g);
    // A button of a group (GroupIndex > 0) stays down; pressing one raises the others.
    bool Down() const;
    void SetDown(bool v);
    bool AllowAllUp() const;
    void SetAllowAllUp(bool v);
    void Click() override;
    bool SetLayoutProperty(const String& name, const TLayoutValue& value) override;

private:
    TPicture FGlyph;
    bool FFlat = false;
    int FGroupIndex = 0;
    bool FDown = false;
    bool FAllowAllUp = false;
};
