// The replaceable desktop services: dialogs, clipboard, printer and shell.
#include "rtl/MainThread.h"
#include "zub/Clipbrd.h"
#include "zub/Dialogs.h"
#include "zub/Forms.h"
#include "zub/Printers.h"
#include "zub/ShellApi.h"

namespace {

template <class I, class Headless>
class TServiceSlot {
public:
    I& Get()
    {
        std::lock_guard g(FLock);
        return *FCurrent;
    }
    std::shared_ptr<I> Set(std::shared_ptr<I> s)
    {
        std::lock_guard g(FLock);
        std::shared_ptr<I> previous = FCurrent;
        FCurrent = s ? std::move(s) : std::make_shared<Headless>();
        return previous;
    }

private:
    std::mutex FLock;
    std::shared_ptr<I> FCurrent = std::make_shared<Headless>();
};

// One slot per service, headless until a view installs its own.
template <class I, class Headless>
TServiceSlot<I, Headless>& Slot()
{
    static TServiceSlot<I, Headless> slot;
    return slot;
}

auto& DialogSlot() { return Slot<IDialogs, THeadlessDialogs>(); }
auto& ClipboardSlot() { return Slot<IClipboard, THeadlessClipboard>(); }
auto& PrinterSlot() { return Slot<IPrinter, THeadlessPrinter>(); }
auto& ShellSlot() { return Slot<IShell, THeadlessShell>(); }

// Runs f on the user-interface thread and waits (at once when already there).
template <class R>
R OnMainThread(const std::function<R()>& f)
{
    if (IsMainThread()) return f();
    R result{};
    RunInMainThread([&] { result = f(); }, true);
    return result;
}

}  // namespace

// ---- dialogs

int THeadlessDialogs::MessageBox(const TDialogRequest& request)
{
    std::lock_guard g(FLock);
    FShown.push_back(request);
    if (!FAnswers.empty()) {
        int a = FAnswers.front();
        FAnswers.pop_front();
        return a;
    }
    if (request.Buttons & mbCancel) return mrCancel;
    if (request.Buttons & mbNo) return mrNo;
    return mrOk;
}

bool THeadlessDialogs::PrintDialog()
{
    std::lock_guard g(FLock);
    ++FPrintShown;
    if (FPrintAnswers.empty()) return false;
    bool a = FPrintAnswers.front();
    FPrintAnswers.pop_front();
    return a;
}

void THeadlessDialogs::AddAnswer(int modalResult)
{
    std::lock_guard g(FLock);
    FAnswers.push_back(modalResult);
}

void THeadlessDialogs::AddPrintAnswer(bool confirm)
{
    std::lock_guard g(FLock);
    FPrintAnswers.push_back(confirm);
}

std::vector<TDialogRequest> THeadlessDialogs::Shown() const
{
    std::lock_guard g(FLock);
    return FShown;
}

int THeadlessDialogs::PrintDialogsShown() const
{
    std::lock_guard g(FLock);
    return FPrintShown;
}

void THeadlessDialogs::Clear()
{
    std::lock_guard g(FLock);
    FAnswers.clear();
    FPrintAnswers.clear();
    FShown.clear();
    FPrintShown = 0;
}

IDialogs& Dialogs() { return DialogSlot().Get(); }
std::shared_ptr<IDialogs> SetDialogs(std::shared_ptr<IDialogs> dialogs)
{
    return DialogSlot().Set(std::move(dialogs));
}

int ShowDialog(const TDialogRequest& request)
{
    return OnMainThread<int>([&] { return Dialogs().MessageBox(request); });
}

int MessageBox(const String& text, const String& caption, int flags)
{
    TDialogRequest r;
    r.Text = text;
    r.Title = caption;
    switch (flags & 0xF) {
    case MB_OKCANCEL: r.Buttons = mbOK | mbCancel; break;
    case MB_YESNOCANCEL: r.Buttons = mbYes | mbNo | mbCancel; break;
    case MB_YESNO: r.Buttons = mbYes | mbNo; break;
    default: r.Buttons = mbOK; break;
    }
    switch (flags & 0xF0) {
    case MB_ICONERROR: r.Type = mtError; break;
    case MB_ICONQUESTION: r.Type = mtConfirmation; break;
    case MB_ICONWARNING: r.Type = mtWarning; break;
    case MB_ICONINFORMATION: r.Type = mtInformation; break;
    default: r.Type = mtCustom; break;
    }
    return ShowDialog(r);  // the modal results share the box results' numbers
}

int MessageDlg(const String& text, TMsgDlgType type, TMsgDlgButtons buttons, int)
{
    static const char* names[] = {"Warnung", "Fehler", "Information", "Bestätigen", ""};
    TDialogRequest r;
    r.Text = text;
    r.Type = type;
    r.Buttons = buttons;
    String title = Application ? Application->Title() : String();
    r.Title = title.empty() ? names[type] : title;
    return ShowDialog(r);
}

void ShowMessage(const String& text) { MessageDlg(text, mtCustom, mbOK); }

TPrintDialog::TPrintDialog(TComponent* AOwner) : TComponent(AOwner) {}

bool TPrintDialog::Execute()
{
    return OnMainThread<bool>([] { return Dialogs().PrintDialog(); });
}

bool TPrintDialog::SetLayoutProperty(const String& name, const TLayoutValue& v)
{
    if (SameText(name, "Tag"))
        SetTag(v.AsInt());
    else if (SameText(name, "Left") || SameText(name, "Top") || SameText(name, "Options") ||
             SameText(name, "Copies"))
        return true;
    else
        return false;
    return true;
}

// ---- clipboard

bool THeadlessClipboard::GetText(String& text)
{
    std::lock_guard g(FLock);
    if (FFailing || !FHasText) return false;
    text = FText;
    return true;
}

bool THeadlessClipboard::SetText(const String& text)
{
    std::lock_guard g(FLock);
    if (FFailing) return false;
    FText = text;
    FHasText = true;
    return true;
}

void THeadlessClipboard::SetFailing(bool failing)
{
    std::lock_guard g(FLock);
    FFailing = failing;
}

IClipboard& ClipboardService() { return ClipboardSlot().Get(); }
std::shared_ptr<IClipboard> SetClipboardService(std::shared_ptr<IClipboard> c)
{
    return ClipboardSlot().Set(std::move(c));
}

// The clipboard, the printer and the shell are used on the user-interface thread (a desktop's
// clipboard belongs to it); a worker's call runs there and the worker waits.

String TClipboard::AsText()
{
    return OnMainThread<String>([] {
        String text;
        return ClipboardService().GetText(text) ? text : String();
    });
}

void TClipboard::SetAsText(const String& text)
{
    OnMainThread<bool>([&] { return ClipboardService().SetText(text); });
}

bool TClipboard::HasText()
{
    return OnMainThread<bool>([] {
        String text;
        return ClipboardService().GetText(text);
    });
}

TClipboard* Clipboard()
{
    static TClipboard clipboard;
    return &clipboard;
}

// ---- printer

void THeadlessPrinter::Print(const TPrintJob& job)
{
    std::lock_guard g(FLock);
    FJobs.push_back(job);
}

std::vector<TPrintJob> THeadlessPrinter::Jobs() const
{
    std::lock_guard g(FLock);
    return FJobs;
}

IPrinter& Printer() { return PrinterSlot().Get(); }

void PrintJob(const TPrintJob& job)
{
    OnMainThread<bool>([&] {
        Printer().Print(job);
        return true;
    });
}
std::shared_ptr<IPrinter> SetPrinter(std::shared_ptr<IPrinter> p) { return PrinterSlot().Set(std::move(p)); }

// ---- shell

int THeadlessShell::Execute(const TShellRequest& request)
{
    std::lock_guard g(FLock);
    FRequests.push_back(request);
    return 42;
}

std::vector<TShellRequest> THeadlessShell::Requests() const
{
    std::lock_guard g(FLock);
    return FRequests;
}

IShell& Shell() { return ShellSlot().Get(); }
std::shared_ptr<IShell> SetShell(std::shared_ptr<IShell> s) { return ShellSlot().Set(std::move(s)); }

int ShellExecute(TComponent* owner, const String& verb, const String& file, const String& parameters,
                 const String& directory, int showCmd)
{
    TShellRequest r{owner, verb, file, parameters, directory, showCmd};
    return OnMainThread<int>([&] { return Shell().Execute(r); });
}
