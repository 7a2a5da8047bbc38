#pragma once
// The component browser's compiler for the C++ personality: it compiles a scratch buffer that
// includes a unit's header and answers the browser's symbol queries about the class in it.
#include "host/CppBrowse.h"

class TCppBrowserCompiler : public TInterfacedObject, public IQBrowserCompiler {
public:
    HRESULT QueryInterface(const TGUID& iid, void** obj) override;
    // Raises sCouldNotFindFile when the active project has no header for the unit.
    bool Compile(const String& className, const String& unitName, TBrowseCallback callback,
                 void* value) override;
    bool AllowPascalCompile(const String& unitName) override;
    int GetMembers(TSymbol symbol, int flags, TSymbol* array) override;
    void GetText(TSymbol symbol, String& text, int kind) override;
    int GetFlags(TSymbol symbol) override;
    int GetTypeCode(TSymbol symbol) override;
    int GetBaseTypeCode(TSymbol symbol) override;
    TSymbol GetResultType(TSymbol symbol) override;
    TSymbol GetTypeSymbol(TSymbol symbol) override;
    TSymbol GetBaseTypeSymbol(TSymbol symbol) override;
    TSymbol GetObjectType(TSymbol symbol, int kind) override;
    TSymbol FindSymbol(const String& name, TSymbol scope, int kind) override;
    // Called by the host during the compile: the callback's answer for the class, 0 when the
    // compile does not know the class.
    int EnableBrowser();

private:
    String FClassName;
    TBrowseCallback FCallback;
    void* FValue = nullptr;
};

// Whether an include name, delimiters and all, is a header made from a Pascal unit ("<stdctrls.hpp>").
bool IsPascalUnitHeader(const String& include);
// The marker file that switches Pascal header browsing off: in the root of the current drive.
extern String NoPascalBrowseMarker;

namespace Ccombrow {
extern int UseCount;
void Initialization();
void Finalization();
}  // namespace Ccombrow
