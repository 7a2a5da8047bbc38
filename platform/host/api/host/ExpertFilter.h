#pragma once
// The host's expert filter: fills a template file of the host's template folder with named
// variables.
//
// Template syntax: "$(Name)" stands for the variable's value, "$CSTR(Name)" for the value as a C++
// string literal (quoted, with escapes where it needs them); a line that is exactly
// "$IF(Name)", "$ELSE" or "$ENDIF" (blanks around allowed) keeps the lines between them only when
// the variable is "TRUE" (any letter case; one not set is not), or for "$ELSE" when it is not.
// "$(Name)" of a variable not set, an unclosed or stray "$IF"/"$ELSE"/"$ENDIF" raise EHostError
// naming the file.
#include "host/Export.h"
#include "host/ToolsAPI.h"
#include "rtl/Resources.h"

class HOST_API IExpertFilter : public virtual IInterface {
public:
    RTL_IID("{3E0C5D2A-71B4-4F9E-A6C8-5B2D9E1F7A40}");
    // Variables are variant strings; setting one again replaces its value.
    virtual void SetVariable(const String& name, const String& value) = 0;
    virtual String GetVariable(const String& name) = 0;  // "" when not set
    virtual bool HasVariable(const String& name) = 0;
    // The filtered text of folder + fileName (folder ends in a path delimiter).
    virtual String FilterFile(const String& fileName, const String& folder) = 0;
};

struct HOST_API CoExpertFilter {
    static TIntfPtr<IExpertFilter> Create();
};

// Message of a template file that is not there; one argument: the full path.
RTL_RESOURCESTRING(sWizardFileNotFound, "Wizard file %s not found");
