#include "zub/StdCtrls.h"

#include "zub/Forms.h"

// ---- TLabel

TLabel::TLabel(TComponent* AOwner) : TControl(AOwner) { SetBounds(0, 0, 65, 13); }

bool TLabel::WordWrap() const { return Get(FWordWrap); }
void TLabel::SetWordWrap(bool v) { Put(FWordWrap, v, TProp::Style); }
bool TLabel::AutoSize() const { return Get(FAutoSize); }
void TLabel::SetAutoSize(bool v) { Put(FAutoSize, v, TProp::Style); }
TAlignment TLabel::Alignment() const { return Get(FAlignment); }
void TLabel::SetAlignment(TAlignment a) { Put(FAlignment, a, TProp::Style); }
TTextLayout TLabel::Layout() const { return Get(FLayout); }
void TLabel::SetLayout(TTextLayout l) { Put(FLayout, l, TProp::Style); }
bool TLabel::ShowAccelChar() const { return Get(FShowAccelChar); }
void TLabel::SetShowAccelChar(bool v) { Put(FShowAccelChar, v, TProp::Text); }

bool TLabel::SetLayoutProperty(const String& name, const TLayoutValue& v)
{
    if (SameText(name, "WordWrap"))
        SetWordWrap(v.AsBool());
    else if (SameText(name, "AutoSize"))
        SetAutoSize(v.AsBool());
    else if (SameText(name, "ShowAccelChar"))
        SetShowAccelChar(v.AsBool());
    else if (SameText(name, "Alignment"))
        SetAlignment(static_cast<TAlignment>(LayoutEnum(v, {"taLeftJustify", "taRightJustify", "taCenter"})));
    else if (SameText(name, "Layout"))
        SetLayout(static_cast<TTextLayout>(LayoutEnum(v, {"tlTop", "tlCenter", "tlBottom"})));
    else
        return TControl::SetLayoutProperty(name, v);
    return true;
}

// ---- TGroupBox

TGroupBox::TGroupBox(TComponent* AOwner) : TControl(AOwner) { SetBounds(0, 0, 185, 105); }

// ---- TEdit

TEdit::TEdit(TComponent* AOwner) : TControl(AOwner)
{
    SetBounds(0, 0, 121, 21);
    SetColor(clWindow);
}

void TEdit::SetText(const String& s)
{
    bool changed;
    {
        std::lock_guard g(Lock());
        changed = s != TControl::Text();
        if (changed) TControl::SetText(s);
    }
    if (changed) Fire(OnChange, this);
}

bool TEdit::ReadOnly() const { return Get(FReadOnly); }
void TEdit::SetReadOnly(bool v) { Put(FReadOnly, v, TProp::Style); }
int TEdit::MaxLength() const { return Get(FMaxLength); }
void TEdit::SetMaxLength(int n) { Put(FMaxLength, n, TProp::Style); }

bool TEdit::SetLayoutProperty(const String& name, const TLayoutValue& v)
{
    if (SameText(name, "ReadOnly"))
        SetReadOnly(v.AsBool());
    else if (SameText(name, "MaxLength"))
        SetMaxLength(v.AsInt());
    else if (SameText(name, "AutoSize") || SameText(name, "BorderStyle") || SameText(name, "AutoSelect") ||
             SameText(name, "CharCase") || SameText(name, "PasswordChar"))
        return true;
    else
        return TControl::SetLayoutProperty(name, v);
    return true;
}

// ---- TButton

TButton::TButton(TComponent* AOwner) : TControl(AOwner) { SetBounds(0, 0, 75, 25); }

int TButton::ModalResult() const { return Get(FModalResult); }
void TButton::SetModalResult(int r) { Put(FModalResult, r, TProp::Style); }
bool TButton::Default() const { return Get(FDefault); }
void TButton::SetDefault(bool v) { Put(FDefault, v, TProp::Style); }
bool TButton::Cancel() const { return Get(FCancel); }
void TButton::SetCancel(bool v) { Put(FCancel, v, TProp::Style); }

void TButton::Click()
{
    if (!Enabled()) return;
    Fire(OnClick, this);
    if (int r = ModalResult())
        if (auto* form = dynamic_cast<TForm*>(TopParent())) form->SetModalResult(r);
}

bool TButton::SetLayoutProperty(const String& name, const TLayoutValue& v)
{
    if (SameText(name, "ModalResult")) {
        if (v.Kind == TLayoutValue::Ident)
            SetModalResult(LayoutEnum(
                v, {"mrNone", "mrOk", "mrCancel", "mrAbort", "mrRetry", "mrIgnore", "mrYes", "mrNo"}));
        else
            SetModalResult(v.AsInt());
    } else if (SameText(name, "Default"))
        SetDefault(v.AsBool());
    else if (SameText(name, "Cancel"))
        SetCancel(v.AsBool());
    else
        return TControl::SetLayoutProperty(name, v);
    return true;
}

// ---- TCheckBox

TCheckBox::TCheckBox(TComponent* AOwner) : TControl(AOwner) { SetBounds(0, 0, 97, 17); }

bool TCheckBox::Checked() const { return Get(FChecked); }

void TCheckBox::SetChecked(bool v)
{
    if (Put(FChecked, v, TProp::Checked)) Fire(OnClick, this);
}

void TCheckBox::Click()
{
    if (Enabled()) SetChecked(!Checked());
}

TAlignment TCheckBox::Alignment() const { return Get(FAlignment); }
void TCheckBox::SetAlignment(TAlignment a) { Put(FAlignment, a, TProp::Style); }

bool TCheckBox::SetLayoutProperty(const String& name, const TLayoutValue& v)
{
    if (SameText(name, "Checked") || SameText(name, "State")) {
        // A layout sets the start state; no handler is bound yet that could fire.
        bool c = v.Kind == TLayoutValue::Ident && !SameText(v.Text, "true") && !SameText(v.Text, "false")
                     ? LayoutEnum(v, {"cbUnchecked", "cbChecked"}) == 1
                     : v.AsBool();
        SetChecked(c);
    } else if (SameText(name, "Alignment"))
        SetAlignment(static_cast<TAlignment>(LayoutEnum(v, {"taLeftJustify", "taRightJustify"})));
    else if (SameText(name, "AllowGrayed") || SameText(name, "WordWrap"))
        return true;
    else
        return TControl::SetLayoutProperty(name, v);
    return true;
}

// ---- TRadioButton

TRadioButton::TRadioButton(TComponent* AOwner) : TControl(AOwner) { SetBounds(0, 0, 113, 17); }

bool TRadioButton::Checked() const { return Get(FChecked); }

void TRadioButton::SetChecked(bool v)
{
    if (!Put(FChecked, v, TProp::Checked) || !v) return;
    // Siblings: radio buttons of the same parent (of the same owner when there is no parent).
    std::vector<TRadioButton*> siblings;
    if (TControl* p = Parent()) {
        for (int i = 0, n = p->ControlCount(); i < n; ++i)
            if (auto* r = dynamic_cast<TRadioButton*>(p->Controls(i))) siblings.push_back(r);
    } else if (TComponent* o = Owner()) {
        for (int i = 0, n = o->ComponentCount(); i < n; ++i)
            if (auto* r = dynamic_cast<TRadioButton*>(o->Components(i)); r && !r->Parent())
                siblings.push_back(r);
    }
    for (TRadioButton* r : siblings)
        if (r != this) r->SetChecked(false);
    Fire(OnClick, this);
}

void TRadioButton::Click()
{
    if (!Enabled()) return;
    if (Checked())
        Fire(OnClick, this);
    else
        SetChecked(true);
}

bool TRadioButton::SetLayoutProperty(const String& name, const TLayoutValue& v)
{
    if (SameText(name, "Checked"))
        SetChecked(v.AsBool());
    else if (SameText(name, "Alignment") || SameText(name, "WordWrap"))
        return true;
    else
        return TControl::SetLayoutProperty(name, v);
    return true;
}

// ---- TListBox

TListBox::TListBox(TComponent* AOwner) : TControl(AOwner), FItems(this, Lock(), TProp::Items)
{
    SetBounds(0, 0, 121, 97);
    SetColor(clWindow);
    // An item index beyond the shrunken list means nothing is selected.
    FItems.OnItemsChanged = [this] {
        if (FItemIndex >= FItems.TStringList::Count()) FItemIndex = -1;
    };
}

int TListBox::ItemIndex() const { return Get(FItemIndex); }

void TListBox::SetItemIndex(int i)
{
    std::lock_guard g(Lock());
    if (i < -1 || i >= FItems.Count()) i = -1;
    Put(FItemIndex, i, TProp::ItemIndex);
}

TListBoxStyle TListBox::Style() const { return Get(FStyle); }
void TListBox::SetStyle(TListBoxStyle s) { Put(FStyle, s, TProp::Style); }
int TListBox::ItemHeight() const { return Get(FItemHeight); }
void TListBox::SetItemHeight(int h) { Put(FItemHeight, h, TProp::Style); }
int TListBox::TopIndex() const { return Get(FTopIndex); }
void TListBox::SetTopIndex(int i) { Put(FTopIndex, i < 0 ? 0 : i, TProp::TopRow); }

TRect TListBox::ItemRect(int index) const
{
    std::lock_guard g(Lock());
    int top = (index - FTopIndex) * FItemHeight;
    return TRect{0, top, Width(), top + FItemHeight};
}

void TListBox::SelectItem(int i)
{
    if (!Enabled()) return;
    SetItemIndex(i);
    Fire(OnClick, this);
}

void TListBox::Paint(TCanvas& canvas)
{
    // Snapshot under the lock, draw without it: handlers may read the control (and other
    // controls) while workers keep writing.
    std::vector<String> items = FItems.ToVector();
    int selected = ItemIndex();
    int top = TopIndex();
    int h = ItemHeight();
    int w = Width();
    int visibleRows = h > 0 ? (Height() + h - 1) / h : 0;
    bool focused = Focused();
    bool ownerDraw = Style() != lbStandard && OnDrawItem;
    TColor color = Color();
    for (int i = top; i < static_cast<int>(items.size()) && i < top + visibleRows; ++i) {
        TRect r{0, (i - top) * h, w, (i - top + 1) * h};
        TOwnerDrawState state = 0;
        if (i == selected) state |= odSelected | (focused ? odFocused : 0);
        if (!Enabled()) state |= odDisabled;
        canvas.Brush().SetColor(i == selected ? clHighlight : color);
        canvas.Font() = *Font();
        if (i == selected) canvas.Font().SetColor(clHighlightText);
        if (ownerDraw) {
            OnDrawItem(this, i, r, state);
        } else {
            canvas.FillRect(r);
            canvas.TextRect(r, r.Left + 2, r.Top, items[static_cast<std::size_t>(i)]);
            if (state & odFocused) canvas.DrawFocusRect(r);
        }
    }
}

bool TListBox::SetLayoutProperty(const String& name, const TLayoutValue& v)
{
    if (SameText(name, "Items.Strings")) {
        AssignLayoutList(FItems, v);
    } else if (SameText(name, "ItemIndex"))
        SetItemIndex(v.AsInt());
    else if (SameText(name, "Style"))
        SetStyle(static_cast<TListBoxStyle>(
            LayoutEnum(v, {"lbStandard", "lbOwnerDrawFixed", "lbOwnerDrawVariable"})));
    else if (SameText(name, "ItemHeight"))
        SetItemHeight(v.AsInt());
    else if (SameText(name, "BorderStyle") || SameText(name, "Sorted") || SameText(name, "MultiSelect") ||
             SameText(name, "Columns") || SameText(name, "IntegralHeight"))
        return true;
    else
        return TControl::SetLayoutProperty(name, v);
    return true;
}

int TListBox::SetLayoutEvent(const String& name, const std::any& h)
{
    if (SameText(name, "OnDrawItem")) return AssignEvent(OnDrawItem, h);
    return TControl::SetLayoutEvent(name, h);
}

// ---- TComboBox

TComboBox::TComboBox(TComponent* AOwner) : TControl(AOwner), FItems(this, Lock(), TProp::Items)
{
    SetBounds(0, 0, 145, 21);
    SetColor(clWindow);
}

int TComboBox::ItemIndex() const
{
    std::lock_guard g(Lock());
    String t = TControl::Text();
    for (int i = 0, n = FItems.Count(); i < n; ++i)
        if (FItems.Get(i) == t) return i;
    return -1;
}

void TComboBox::SetItemIndex(int i)
{
    std::lock_guard g(Lock());
    if (i >= 0 && i < FItems.Count())
        TControl::SetText(FItems.Get(i));
    else
        TControl::SetText("");
    Changed(TProp::ItemIndex);
}

void TComboBox::SetText(const String& s) { TControl::SetText(s); }

TComboBoxStyle TComboBox::Style() const { return Get(FStyle); }
void TComboBox::SetStyle(TComboBoxStyle s) { Put(FStyle, s, TProp::Style); }
int TComboBox::DropDownCount() const { return Get(FDropDownCount); }
void TComboBox::SetDropDownCount(int n) { Put(FDropDownCount, n, TProp::Style); }

void TComboBox::Clear()
{
    std::lock_guard g(Lock());
    FItems.Clear();
    TControl::SetText("");
}

void TComboBox::SelectItem(int i)
{
    if (!Enabled()) return;
    SetItemIndex(i);
    Fire(OnChange, this);
    Fire(OnClick, this);
}

void TComboBox::UserSetText(const String& s)
{
    if (!Enabled()) return;
    SetText(s);
    Fire(OnChange, this);
}

bool TComboBox::SetLayoutProperty(const String& name, const TLayoutValue& v)
{
    if (SameText(name, "Items.Strings")) {
        AssignLayoutList(FItems, v);
    } else if (SameText(name, "ItemIndex"))
        FPendingIndex = v.AsInt();
    else if (SameText(name, "Style"))
        SetStyle(static_cast<TComboBoxStyle>(LayoutEnum(
            v, {"csDropDown", "csSimple", "csDropDownList", "csOwnerDrawFixed", "csOwnerDrawVariable"})));
    else if (SameText(name, "DropDownCount"))
        SetDropDownCount(v.AsInt());
    else if (SameText(name, "ItemHeight") || SameText(name, "Sorted") || SameText(name, "AutoComplete") ||
             SameText(name, "CharCase"))
        return true;
    else
        return TControl::SetLayoutProperty(name, v);
    return true;
}

void TComboBox::LayoutLoaded()
{
    if (FPendingIndex >= 0) SetItemIndex(FPendingIndex);
    FPendingIndex = -2;
}

// ---- TMemo

TMemo::TMemo(TComponent* AOwner) : TControl(AOwner), FLines(this, Lock(), TProp::Lines)
{
    SetBounds(0, 0, 185, 89);
    SetColor(clWindow);
}

void TMemo::SetText(const String& s) { FLines.SetText(s); }
bool TMemo::ReadOnly() const { return Get(FReadOnly); }
void TMemo::SetReadOnly(bool v) { Put(FReadOnly, v, TProp::Style); }
bool TMemo::WordWrap() const { return Get(FWordWrap); }
void TMemo::SetWordWrap(bool v) { Put(FWordWrap, v, TProp::Style); }
TScrollStyle TMemo::ScrollBars() const { return Get(FScrollBars); }
void TMemo::SetScrollBars(TScrollStyle s) { Put(FScrollBars, s, TProp::Style); }

bool TMemo::SetLayoutProperty(const String& name, const TLayoutValue& v)
{
    if (SameText(name, "Lines.Strings")) {
        AssignLayoutList(FLines, v);
    } else if (SameText(name, "ReadOnly"))
        SetReadOnly(v.AsBool());
    else if (SameText(name, "WordWrap"))
        SetWordWrap(v.AsBool());
    else if (SameText(name, "ScrollBars"))
        SetScrollBars(
            static_cast<TScrollStyle>(LayoutEnum(v, {"ssNone", "ssHorizontal", "ssVertical", "ssBoth"})));
    else if (SameText(name, "BorderStyle") || SameText(name, "PlainText") || SameText(name, "MaxLength") ||
             SameText(name, "WantReturns") || SameText(name, "WantTabs"))
        return true;
    else
        return TControl::SetLayoutProperty(name, v);
    return true;
}
