#pragma once
// Message boxes and the print dialog, behind IDialogs. The headless implementation (installed
// until a view installs its own) answers from a script and records every dialog shown. Asked for
// on a worker thread, a dialog is shown on the user-interface thread and the worker waits.
#include <deque>
#include <memory>
#include <mutex>
#include <vector>

#include "zub/Classes.h"
#include "zub/Layout.h"

// Message box flags and results (the desktop's values).
constexpr int MB_OK = 0x0, MB_OKCANCEL = 0x1, MB_YESNOCANCEL = 0x3, MB_YESNO = 0x4;
constexpr int MB_ICONERROR = 0x10, MB_ICONQUESTION = 0x20, MB_ICONWARNING = 0x30, MB_ICONINFORMATION = 0x40;
constexpr int IDOK = 1, IDCANCEL = 2, IDYES = 6, IDNO = 7;

// Modal results (same numbers as the box results).
constexpr int mrNone = 0, mrOk = 1, mrCancel = 2, mrAbort = 3, mrRetry = 4, mrIgnore = 5, mrYes = 6, mrNo = 7;

enum TMsgDlgType { mtWarning, mtError, mtInformation, mtConfirmation, mtCustom };
using TMsgDlgButtons = unsigned;
constexpr TMsgDlgButtons mbYes = 1, mbNo = 2, mbOK = 4, mbCancel = 8;

struct TDialogRequest {
    String Title;
    String Text;
    TMsgDlgType Type = mtInformation;
    TMsgDlgButtons Buttons = mbOK;
};

class IDialogs {
public:
    virtual ~IDialogs() = default;
    // Shows a message box; returns mrOk, mrCancel, mrYes or mrNo. Called on the UI thread.
    virtual int MessageBox(const TDialogRequest& request) = 0;
    // The print dialog; true when the user confirms. Called on the UI thread.
    virtual bool PrintDialog() = 0;
};

// Headless dialogs: answers are taken from the script in order; with the script empty a box
// answers its cancelling choice (mrCancel, else mrNo, else mrOk) and the print dialog is cancelled.
class THeadlessDialogs : public IDialogs {
public:
    int MessageBox(const TDialogRequest& request) override;
    bool PrintDialog() override;

    void AddAnswer(int modalResult);
    void AddPrintAnswer(bool confirm);
    std::vector<TDialogRequest> Shown() const;
    int PrintDialogsShown() const;
    void Clear();

private:
    mutable std::mutex FLock;
    std::deque<int> FAnswers;
    std::deque<bool> FPrintAnswers;
    std::vector<TDialogRequest> FShown;
    int FPrintShown = 0;
};

// The installed dialogs (a THeadlessDialogs until SetDialogs). Returns the previous.
IDialogs& Dialogs();
std::shared_ptr<IDialogs> SetDialogs(std::shared_ptr<IDialogs> dialogs);

// Shows a box from any thread (on the UI thread; a worker waits for the answer).
int ShowDialog(const TDialogRequest& request);
// Desktop-style box: flags MB_* (buttons | icon); returns IDOK, IDCANCEL, IDYES or IDNO.
int MessageBox(const String& text, const String& caption, int flags);
// Titled by the application's title (or the type's name when it has none).
int MessageDlg(const String& text, TMsgDlgType type, TMsgDlgButtons buttons, int helpContext = 0);
void ShowMessage(const String& text);

class TPrintDialog : public TComponent, public ILayoutTarget {
public:
    explicit TPrintDialog(TComponent* AOwner);
    // True when the user confirms (from any thread, shown on the UI thread).
    bool Execute();
    bool SetLayoutProperty(const String& name, const TLayoutValue& value) override;
};
