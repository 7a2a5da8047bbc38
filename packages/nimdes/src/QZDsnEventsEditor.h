#pragma once
// The client-side script events editor: one memo of code per event of a framework control.
#include "QZRuntime.h"
#include "zub/Forms.h"
#include "zub/StdCtrls.h"

// The events the editor offers, in list order.
const std::vector<String>& QZScriptEventNames();

class TfrmEventsEditor : public TForm {
public:
    explicit TfrmEventsEditor(TComponent* owner);

    TListBox* cbEvents;
    TLabel* lblEvent;
    TLabel* lblCode;
    TMemo* memoCode;
    TButton* btnOK;
    TButton* btnCancel;
    TLabel* StatusBar1;

    // The working copy the dialog edits.
    TQZScriptEvents& Events() { return FEvents; }
    int EditedIndex() const { return FIndex; }
    // The first event of the copy (or the first of the list) becomes current.
    void FormShow(TObject* sender);
    void EventChange(TObject* sender);
    void OKClick(TObject* sender);
    // Draws one row of the list on the canvas.
    void DrawEvent(TCanvas& canvas, int index, const TRect& r, bool selected);

private:
    void StoreCode();
    TQZScriptEvents FEvents;
    int FIndex = -1;
};

// Edits the control's script events in the dialog; true when the user confirmed (the control then
// has the edited events).
bool EditScriptEvents(TQZControl* control);
