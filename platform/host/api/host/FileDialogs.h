#pragma once
// The IDE's file-open dialog. In idehost it is answered by the answers file: "open.files" lists
// the chosen files (";" between them; names relative to the host's folder); without that key
// the dialog is cancelled. What a dialog is asked goes to the debug output as
// "open dialog: filter F, options O, folder D, file N" (O in hexadecimal).
#include "host/Export.h"
#include "rtl/Classes.h"
#include "zub/Classes.h"

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
    using TComponent::TComponent;
    String Filter;  // "IDL File (*.idl)|*.idl"
    unsigned Options = ofHideReadOnly;
    String InitialDir;
    // The chosen files after Execute; FileName is the first (before Execute: the file shown).
    TStringList Files;
    String FileName;
    // False when cancelled. With ofFileMustExist, a file that does not exist cancels the choice
    // (the dialog would not have closed with it); without ofAllowMultiSelect only one file is taken.
    bool Execute();
};
