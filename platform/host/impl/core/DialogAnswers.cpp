// Modal dialogs of packages in a host without a user: the answers name control values and the
// button that closes the dialog; a dialog without an answer is cancelled, never waited for.
// Message boxes have no form: the answer "box" names the button that closes each of them.
#include <cctype>

#include "hostimpl/HostState.h"
#include "rtl/Debug.h"
#include "zub/Dialogs.h"
#include "zub/ExtCtrls.h"
#include "zub/Forms.h"
#include "zub/Grids.h"
#include "zub/StdCtrls.h"

namespace hostimpl {
namespace {

TModalHook gPreviousHook;

bool IsNumber(const String& s)
{
    return !s.empty() && std::all_of(s.begin(), s.end(), [](unsigned char c) { return std::isdigit(c); });
}

bool IsTrue(const String& s) { return SameText(s, "true") || s == "1"; }

String WithoutAccelerator(String s)
{
    std::erase(s, '&');
    return s;
}

// An item by its index or its caption (letter case and accelerator marks ignored).
int ItemOf(const TStrings& items, const String& value)
{
    if (IsNumber(value)) return StrToInt(value);
    for (int i = 0; i < items.Count(); ++i)
        if (SameText(items[i], value) || SameText(WithoutAccelerator(items[i]), value)) return i;
    return -2;
}

}  // namespace

void ApplyDialogAnswer(const String& formName, TComponent& c, const String& value)
{
    auto bad = [&] { return EHostError("Dialog " + formName + ": " + c.Name() + " has no item " + value); };
    if (auto* e = dynamic_cast<TEdit*>(&c)) {
        e->UserSetText(value);
    } else if (auto* m = dynamic_cast<TMemo*>(&c)) {
        m->SetText(value);
    } else if (auto* b = dynamic_cast<TCheckBox*>(&c)) {
        b->SetChecked(IsTrue(value));
    } else if (auto* r = dynamic_cast<TRadioButton*>(&c)) {
        r->SetChecked(IsTrue(value));
    } else if (auto* g = dynamic_cast<TRadioGroup*>(&c)) {
        const int i = ItemOf(*g->Items(), value);
        if (i < 0 || i >= g->Items()->Count()) throw bad();
        g->SetItemIndex(i);
    } else if (auto* cb = dynamic_cast<TComboBox*>(&c)) {
        const int i = ItemOf(*cb->Items(), value);
        if (i >= 0 && i < cb->Items()->Count())
            cb->SetItemIndex(i);
        else
            cb->UserSetText(value);
    } else if (auto* l = dynamic_cast<TListBox*>(&c)) {
        const int i = ItemOf(*l->Items(), value);
        if (i < 0 || i >= l->Items()->Count()) throw bad();
        l->SelectItem(i);  // as the user picks it: the list's click handler runs
    } else if (auto* grid = dynamic_cast<TStringGrid*>(&c)) {
        // COL,ROW: the cell is clicked.
        const auto comma = value.find(',');
        const String col = comma == String::npos ? String() : Trim(value.substr(0, comma));
        const String row = comma == String::npos ? String() : Trim(value.substr(comma + 1));
        if (!IsNumber(col) || !IsNumber(row) || StrToInt(col) >= grid->ColCount() ||
            StrToInt(row) >= grid->RowCount())
            throw EHostError("Dialog " + formName + ": " + c.Name() + " has no cell " + value);
        grid->SelectCell(StrToInt(col), StrToInt(row));
    } else if (auto* ctl = dynamic_cast<TControl*>(&c)) {
        ctl->SetText(value);
    } else {
        throw EHostError("Dialog " + formName + ": " + c.Name() + " takes no value");
    }
}

namespace {

void AnswerDialog(TForm& form)
{
    const String name = form.Name();
    auto* s = StateOrNull();
    String button;
    bool answered = false;
    std::vector<std::pair<String, String>> values;  // control name, value
    if (s)
        for (const auto& [key, value] : s->Answers) {
            if (key.size() <= 5 || !SameText(key.substr(0, 5), "form.")) continue;
            const String rest = key.substr(5);
            if (SameText(rest, name)) {
                button = value;
                answered = true;
            } else if (rest.size() > name.size() + 1 && SameText(rest.substr(0, name.size()), name) &&
                       rest[name.size()] == '.') {
                values.emplace_back(rest.substr(name.size() + 1), value);
            }
        }
    if (!answered) {
        form.SetModalResult(mrCancel);
        return;
    }
    for (const auto& [control, value] : values) {
        TComponent* c = form.FindComponent(control);
        if (!c) throw EHostError("Dialog " + name + " has no control " + control);
        ApplyDialogAnswer(name, *c, value);
    }
    auto* b = dynamic_cast<TButton*>(form.FindComponent(button));
    if (!b) throw EHostError("Dialog " + name + " has no button " + button);
    b->Click();
    // A button that does not close the dialog (its handler refused) must not leave it waiting.
    if (form.ModalResult() == mrNone) form.SetModalResult(mrCancel);
}

}  // namespace

namespace {

struct TBoxButton {
    const char* Name;
    TMsgDlgButtons Button;
    int Result;
};
const TBoxButton kBoxButtons[] = {
    {"Yes", mbYes, mrYes}, {"No", mbNo, mrNo}, {"OK", mbOK, mrOk}, {"Cancel", mbCancel, mrCancel}};

// Answers a box by the button the answer "box" names; a box without that button, or without
// the answer, gets what the dialogs before gave (their cancelling choice).
class TAnsweredBoxes : public IDialogs {
public:
    std::shared_ptr<IDialogs> Previous;

    int MessageBox(const TDialogRequest& request) override
    {
        auto* s = StateOrNull();
        const auto answer = s ? s->Answers.find("box") : std::map<String, String>::iterator();
        if (!s || answer == s->Answers.end()) return Previous->MessageBox(request);
        const TBoxButton* named = nullptr;
        for (const TBoxButton& b : kBoxButtons)
            if (SameText(answer->second, b.Name)) named = &b;
        if (!named)
            throw EHostError("The answer box=" + answer->second + " names no button (yes, no, ok or cancel)");
        if (!(request.Buttons & named->Button)) {
            OutputDebugStringA("message box: " + request.Text + " (has no button " + named->Name + ")");
            return Previous->MessageBox(request);
        }
        OutputDebugStringA("message box: " + request.Text + " (answered " + named->Name + ")");
        return named->Result;
    }
    bool PrintDialog() override { return Previous->PrintDialog(); }
};

std::shared_ptr<TAnsweredBoxes> gBoxes;

}  // namespace

void InstallDialogAnswers()
{
    gPreviousHook = SetModalHook(AnswerDialog);
    gBoxes = std::make_shared<TAnsweredBoxes>();
    gBoxes->Previous = SetDialogs(gBoxes);
}

void RemoveDialogAnswers()
{
    SetModalHook(std::exchange(gPreviousHook, nullptr));
    // dialogs a test installed over ours stay
    if (&Dialogs() == gBoxes.get()) SetDialogs(gBoxes->Previous);
    gBoxes.reset();
}

}  // namespace hostimpl
