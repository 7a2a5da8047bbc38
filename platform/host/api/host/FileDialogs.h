#pragma once
// The IDE's file-open dialog. In idehost it is answered by the answers file: "open.files" lists
// the chosen files (";" between them; names relative to the host's folder); without that key
// the dialog is cancelled.
#include "host/Export.h"
#include "rtl/Classes.h"
#include "zub/Classes.h"

enum TOpenOption : unsigned { ofAllowMultiSelect = 1u << 0, ofFileMustExist = 1u << 1 };

class HOST_API TOpenDialog : public TComponent {
public:
    using TComponent::TComponent;
    String Filter;  // "IDL File (*.idl)|*.idl"
    unsigned Options = 0;
    // The chosen files after Execute; FileName is the first.
    TStringList Files;
    String FileName;
    // False when cancelled. With ofFileMustExist, a file that does not exist cancels the choice
    // (the dialog would not have closed with it); without ofAllowMultiSelect only one file is taken.
    bool Execute();
};
