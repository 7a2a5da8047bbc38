#pragma once
// The desktop services of the Qt view: message boxes and the print dialog, the clipboard, the
// printer and the shell. TQtView installs them; each works on the user-interface thread (zub
// brings the calls there).
#include <functional>
#include <vector>

#include "zub/Clipbrd.h"
#include "zub/Dialogs.h"
#include "zub/Printers.h"
#include "zub/ShellApi.h"

class TQtDialogs : public IDialogs {
public:
    // A box with German button texts; closing it without a choice answers its cancelling
    // choice (Cancel, else No, else OK).
    int MessageBox(const TDialogRequest& request) override;
    // The print dialog on the printer that TQtPrinter prints on.
    bool PrintDialog() override;
};

class TQtClipboard : public IClipboard {
public:
    bool GetText(String& text) override;
    bool SetText(const String& text) override;
};

class TQtPrinter : public IPrinter {
public:
    // The job goes to the printer chosen in the print dialog; with no printer on this desktop
    // it is written as a PDF file named after the job's title into the working directory.
    void Print(const TPrintJob& job) override;
};

// "open" hands a document, folder or address to the desktop's opener (xdg-open), started
// directly with the target as its one argument: no command shell reads the name.
class TQtShell : public IShell {
public:
    // Starts a program detached; true when it started.
    using TLauncher = std::function<bool(const String& program, const std::vector<String>& arguments)>;
    explicit TQtShell(TLauncher launcher = {});
    // Above 32 when the opener started; 2 when the file is missing, 31 when the verb is not
    // "open" or the opener cannot be started.
    int Execute(const TShellRequest& request) override;

private:
    TLauncher FLauncher;
};
