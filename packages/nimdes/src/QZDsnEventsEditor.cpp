#include "QZDsnEventsEditor.h"

#include "QZDsnFormBuild.h"
#include "rtl/Resources.h"

namespace {
RTL_RESOURCESTRING(RSScriptEditorCaption, "Script Events Editor");
RTL_RESOURCESTRING(RSScriptEditorEvent, "Event:");
RTL_RESOURCESTRING(RSScriptEditorCode, "Code:");
RTL_RESOURCESTRING(RSOKButton, "OK");
RTL_RESOURCESTRING(RSCancelButton, "Cancel");

}  // namespace

const std::vector<String>& QZScriptEventNames()
{
    static const std::vector<String> names{
        "onAbort",     "onBlur",      "onChange",   "onClick",     "onDblClick", "onDragDrop",
        "onError",     "onFocus",     "onKeyDown",  "onKeyPress",  "onKeyUp",    "onLoad",
        "onMouseDown", "onMouseMove", "onMouseOut", "onMouseOver", "onMouseUp",  "onMove",
        "onReset",     "onResize",    "onSelect",   "onSubmit",    "onUnload"};
    return names;
}

TfrmEventsEditor::TfrmEventsEditor(TComponent* owner) : TForm(owner)
{
    SetName("frmEventsEditor");
    SetCaption(RSScriptEditorCaption);
    SetBorderStyle(bsDialog);
    SetPosition(poScreenCenter);
    SetBounds(0, 0, 520, 380);
    lblEvent = Make<TLabel>(this, this, "lblEvent", 8, 8, 0, 0);
    lblEvent->SetCaption(RSScriptEditorEvent);
    cbEvents = Make<TListBox>(this, this, "cbEvents", 8, 26, 140, 290);
    cbEvents->SetStyle(lbOwnerDrawFixed);
    cbEvents->SetItemHeight(16);
    for (const String& n : QZScriptEventNames()) cbEvents->Items()->Add(n);
    cbEvents->OnClick = [this](TObject* s) { EventChange(s); };
    cbEvents->OnDrawItem = [this](TControl*, int index, TRect r, TOwnerDrawState state) {
        DrawEvent(*cbEvents->Canvas(), index, r, (state & odSelected) != 0);
    };
    lblCode = Make<TLabel>(this, this, "lblCode", 156, 8, 0, 0);
    lblCode->SetCaption(RSScriptEditorCode);
    memoCode = Make<TMemo>(this, this, "memoCode", 156, 26, 356, 290);
    btnOK = Make<TButton>(this, this, "btnOK", 356, 324, 75, 25);
    btnOK->SetCaption(RSOKButton);
    btnOK->SetDefault(true);
    btnOK->OnClick = [this](TObject* s) { OKClick(s); };
    btnCancel = Make<TButton>(this, this, "btnCancel", 437, 324, 75, 25);
    btnCancel->SetCaption(RSCancelButton);
    btnCancel->SetCancel(true);
    btnCancel->SetModalResult(mrCancel);
    StatusBar1 = Make<TLabel>(this, this, "StatusBar1", 0, 356, 520, 19);
    OnShow = [this](TObject* s) { FormShow(s); };
}

void TfrmEventsEditor::FormShow(TObject* sender)
{
    int i = 0;
    if (FEvents.Count() > 0) {
        const String first = FEvents.Items(0).EventName;
        const auto& names = QZScriptEventNames();
        for (std::size_t k = 0; k < names.size(); ++k)
            if (SameText(names[k], first)) i = static_cast<int>(k);
    }
    cbEvents->SetItemIndex(i);
    EventChange(sender);
}

void TfrmEventsEditor::StoreCode()
{
    if (FIndex < 0) return;
    const String name = (*cbEvents->Items())[FIndex];
    TQZScriptEvent* e = FEvents.Find(name);
    if (!e) e = &FEvents.Add(name);
    e->Event.Assign(*memoCode->Lines());
}

void TfrmEventsEditor::EventChange(TObject*)
{
    StoreCode();
    const int i = cbEvents->ItemIndex();
    TQZScriptEvent* e = i >= 0 ? FEvents.Find((*cbEvents->Items())[i]) : nullptr;
    if (e)
        memoCode->Lines()->Assign(e->Event);
    else
        memoCode->Clear();
    FIndex = i;
    cbEvents->Invalidate();
}

void TfrmEventsEditor::OKClick(TObject*)
{
    StoreCode();
    SetModalResult(mrOk);
}

void TfrmEventsEditor::DrawEvent(TCanvas& canvas, int index, const TRect& r, bool selected)
{
    canvas.FillRect(r);
    if (selected) canvas.DrawFocusRect(r);
    const String name = (*cbEvents->Items())[index];
    canvas.Font().SetStyle(FEvents.Find(name) ? TFontStyles(fsBold) : TFontStyles(0));
    canvas.TextOut(r.Left + 2, r.Top + (r.Bottom - r.Top - canvas.TextHeight(name)) / 2, name);
    canvas.Font().SetStyle(0);
}

bool EditScriptEvents(TQZControl* control)
{
    auto editor = std::make_unique<TfrmEventsEditor>(Application);
    editor->Events().Assign(control->ScriptEvents);
    if (editor->ShowModal() != mrOk) return false;
    control->ScriptEvents.Assign(editor->Events());
    return true;
}
