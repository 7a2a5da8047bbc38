#pragma once
// In-memory source files handed between creators and the host, and the C++ personality's text
// helpers.
#include "host/Export.h"
#include "rtl/Format.h"
#include "rtl/Intf.h"

class HOST_API IQSourceFile : public virtual IInterface {
public:
    RTL_IID("{6B8F3A10-4C2E-4D7A-9E51-2F0C8B7D1A01}");
    virtual String FileName() = 0;
    virtual String Source() = 0;
};

class HOST_API TStringFile : public TInterfacedObject, public IQSourceFile {
public:
    // owned: the text belongs to the file (kept for callers that pass a third flag)
    TStringFile(String fileName, String source, bool owned = true);
    HRESULT QueryInterface(const TGUID& iid, void** obj) override;
    String FileName() override { return FFileName; }
    String Source() override { return FSource; }

private:
    String FFileName, FSource;
};

// The separator comment line of generated C++ sources, without and with its line break.
extern HOST_API const String DashLine;
extern HOST_API const String DashLineCRLF;

// fileName's text: the template filled with the arguments (rtl Format rules).
HOST_API TIntfPtr<IQSourceFile> FormatFile(const String& fileName, const String& templ, const TVarRecs& args);

// Raises EHostError ("'NAME' is not a valid identifier") unless name is a C++ identifier (a
// keyword is none).
HOST_API void ValidateIdent(const String& name);
HOST_API bool IsCppKeyword(const String& name);
// The text as a C++ string literal: in double quotes, with quotes, backslashes and control
// characters escaped. CppStringText is the same without the quotes.
HOST_API String CppQuoted(const String& text);
HOST_API String CppStringText(const String& text);

// A module file name base + N + ext in folder (empty: the active project's folder, the host's
// folder when no project is open) that no open module and no file has yet (smallest N from 1).
HOST_API String MakeUniqueModuleName(const String& base, const String& ext, const String& folder = "");
