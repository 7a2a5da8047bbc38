#pragma once
// The IDE's file-open dialog. In idehost it is answered by the answers file: "open.files" lists
// the chosen files (";" between them; names relative to the host's folder), "open.filter" the
// filter chosen (1 for the first of Filter's "text|mask" pairs, the default); without
// "open.files" the dialog is cancelled. What a dialog is asked goes to the debug output as
// "open dialog: filter F, options O, folder D, file N" (O in hexadecimal).
//
// While it runs, the dialog's window exists: OnShow comes first, then OnSelectionChange for the
// file shown at the start and for each file the user selects (FileName and FilterIndex say
// which), then OnClose. A derived dialog puts controls of its own into the window, right of the
// standard controls.
#include <memory>

#include "host/Export.h"
#include "rtl/Classes.h"
#include "zub/Forms.h"

// The desktop's option bits.
enum TOpenOption : unsigned {
    ofHideReadOnly = 0x4,
    ofShowHelp = 0x10,
    ofAllowMultiSelect = 0x40,
    ofPathMustExist = 0x100,
    ofFileMustExist = 0x200
};

class HOST_API TOpenDialog : public TComponent {
public:
    explicit TOpenDialog(TComponent* AOwner);
    ~TOpenDialog() override;
    String Filter;  // "IDL File (*.idl)|*.idl"
    int FilterIndex = 1;  // 1-based, the filter shown and, after Execute, the one chosen
    unsigned Options = ofHideReadOnly;
    String InitialDir;
    // The chosen files after Execute; FileName is the first (before Execute: the file shown).
    TStringList Files;
    String FileName;
    TNotifyEvent OnShow, OnSelectionChange, OnClose;
    // False when cancelled. With ofFileMustExist, a file that does not exist cancels the choice
    // (the dialog would not have closed with it); without ofAllowMultiSelect only one file is taken.
    bool Execute();

    // The dialog's window while the dialog runs, nullptr otherwise.
    TForm* Window() const { return FWindow.get(); }
    // Where the standard controls lie in the window's client area (from its left edge).
    static constexpr int kStandardWidth = 420, kStandardHeight = 330;

protected:
    // Width a derived dialog adds to the window's client area for its own controls.
    int ExtraWidth = 0;

private:
    std::unique_ptr<TForm> FWindow;
};
