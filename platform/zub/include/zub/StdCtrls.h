#pragma once
// Standard controls: labels, edits, buttons, check and radio buttons, lists, combo boxes, memos.
#include "zub/Controls.h"

enum TTextLayout { tlTop, tlCenter, tlBottom };

class TLabel : public TControl {
public:
    explicit TLabel(TComponent* AOwner);
    bool WordWrap() const;
    void SetWordWrap(bool v);
    bool AutoSize() const;
    void SetAutoSize(bool v);
    TAlignment Alignment() const;
    void SetAlignment(TAlignment a);
    TTextLayout Layout() const;
    void SetLayout(TTextLayout l);
    // "&x" in the caption underlines x and "&&" is a literal "&"; off, the caption shows as it is.
    bool ShowAccelChar() const;
    void SetShowAccelChar(bool v);
    bool SetLayoutProperty(const String& name, const TLayoutValue& value) override;

private:
    bool FWordWrap = false;
    bool FAutoSize = true;
    bool FShowAccelChar = true;
    TAlignment FAlignment = taLeftJustify;
    TTextLayout FLayout = tlTop;
};

// A frame around other controls with its caption in the frame's top line.
class TGroupBox : public TControl {
public:
    explicit TGroupBox(TComponent* AOwner);
};

class TEdit : public TControl {
public:
    explicit TEdit(TComponent* AOwner);
    // Fires OnChange when the text changes (programmatically or typed).
    void SetText(const String& s) override;
    bool ReadOnly() const;
    void SetReadOnly(bool v);
    int MaxLength() const;  // 0: no limit
    void SetMaxLength(int n);
    // User input: the text as typed.
    void UserSetText(const String& s) { SetText(s); }
    bool SetLayoutProperty(const String& name, const TLayoutValue& value) override;

private:
    bool FReadOnly = false;
    int FMaxLength = 0;
};

class TButton : public TControl {
public:
    explicit TButton(TComponent* AOwner);
    // A button with a modal result closes the modal form it sits on with that result.
    int ModalResult() const;
    void SetModalResult(int r);
    bool Default() const;
    void SetDefault(bool v);
    bool Cancel() const;
    void SetCancel(bool v);
    void Click() override;
    bool SetLayoutProperty(const String& name, const TLayoutValue& value) override;

private:
    int FModalResult = 0;
    bool FDefault = false;
    bool FCancel = false;
};

// Check box: setting Checked to a new state fires OnClick, as a click would; Click toggles.
class TCheckBox : public TControl {
public:
    explicit TCheckBox(TComponent* AOwner);
    bool Checked() const;
    void SetChecked(bool v);
    void Click() override;
    TAlignment Alignment() const;
    void SetAlignment(TAlignment a);
    bool SetLayoutProperty(const String& name, const TLayoutValue& value) override;

private:
    bool FChecked = false;
    TAlignment FAlignment = taRightJustify;
};

// Radio button: becoming checked unchecks the radio buttons of the same parent and fires
// OnClick; being unchecked fires nothing. Click checks it.
class TRadioButton : public TControl {
public:
    explicit TRadioButton(TComponent* AOwner);
    bool Checked() const;
    void SetChecked(bool v);
    void Click() override;
    bool SetLayoutProperty(const String& name, const TLayoutValue& value) override;

private:
    bool FChecked = false;
};

enum TListBoxStyle { lbStandard, lbOwnerDrawFixed, lbOwnerDrawVariable };

using TOwnerDrawState = unsigned;
constexpr TOwnerDrawState odSelected = 1, odGrayed = 2, odDisabled = 4, odChecked = 8, odFocused = 16,
                          odDefault = 32;

using TDrawItemEvent = std::function<void(TControl* Control, int Index, TRect Rect, TOwnerDrawState State)>;

class TListBox : public TControl {
public:
    explicit TListBox(TComponent* AOwner);
    TControlStrings* Items() { return &FItems; }
    const TControlStrings* Items() const { return &FItems; }
    int ItemIndex() const;  // -1: none selected
    void SetItemIndex(int i);
    TListBoxStyle Style() const;
    void SetStyle(TListBoxStyle s);
    int ItemHeight() const;
    void SetItemHeight(int h);
    int TopIndex() const;
    void SetTopIndex(int i);
    void Clear() { FItems.Clear(); }
    // Rectangle of item i in the control (rows of ItemHeight from TopIndex).
    TRect ItemRect(int index) const;
    // User input: selects item i (fires OnClick).
    void SelectItem(int i);

    // Owner-drawn items are painted by this handler on Canvas(); without it (or for a standard
    // list) each item is filled and its text drawn.
    TDrawItemEvent OnDrawItem;

    bool SetLayoutProperty(const String& name, const TLayoutValue& value) override;
    int SetLayoutEvent(const String& name, const std::any& handler) override;

protected:
    void Paint(TCanvas& canvas) override;

private:
    TControlStrings FItems;
    int FItemIndex = -1;
    TListBoxStyle FStyle = lbStandard;
    int FItemHeight = 13;
    int FTopIndex = 0;
};

enum TComboBoxStyle { csDropDown, csSimple, csDropDownList, csOwnerDrawFixed, csOwnerDrawVariable };

class TComboBox : public TControl {
public:
    explicit TComboBox(TComponent* AOwner);
    TControlStrings* Items() { return &FItems; }
    const TControlStrings* Items() const { return &FItems; }
    // Index of the item equal to Text, -1 when Text is no item. Setting it shows that item.
    int ItemIndex() const;
    void SetItemIndex(int i);
    void SetText(const String& s) override;
    TComboBoxStyle Style() const;
    void SetStyle(TComboBoxStyle s);
    int DropDownCount() const;
    void SetDropDownCount(int n);
    void Clear();
    // User input: picks item i from the list (fires OnChange, then OnClick) or types a text
    // (fires OnChange).
    void SelectItem(int i);
    void UserSetText(const String& s);
    bool SetLayoutProperty(const String& name, const TLayoutValue& value) override;
    void LayoutLoaded() override;

private:
    TControlStrings FItems;
    TComboBoxStyle FStyle = csDropDown;
    int FDropDownCount = 8;
    int FPendingIndex = -2;  // ItemIndex read from a layout before the items
};

enum TScrollStyle { ssNone, ssHorizontal, ssVertical, ssBoth };

// Multi-line text. Lines is the content; Text joins it.
class TMemo : public TControl {
public:
    explicit TMemo(TComponent* AOwner);
    TControlStrings* Lines() { return &FLines; }
    const TControlStrings* Lines() const { return &FLines; }
    void SetText(const String& s) override;  // splits into Lines
    String Text() const override { return FLines.GetText(); }
    void Clear() { FLines.Clear(); }
    bool ReadOnly() const;
    void SetReadOnly(bool v);
    bool WordWrap() const;
    void SetWordWrap(bool v);
    TScrollStyle ScrollBars() const;
    void SetScrollBars(TScrollStyle s);
    bool SetLayoutProperty(const String& name, const TLayoutValue& value) override;

private:
    TControlStrings FLines;
    bool FReadOnly = false;
    bool FWordWrap = true;
    TScrollStyle FScrollBars = ssNone;
};
