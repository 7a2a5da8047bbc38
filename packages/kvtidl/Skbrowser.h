#pragma once
// One browse of a generated header: the host's in-IDE compiler compiles a scratch buffer that
// includes it, and the caller walks the compiler's symbols in its callback, while they are valid.
#include <functional>

#include "host/CppBrowse.h"

class TSkBrowser : public TObject {
public:
    using TBrowseCallback = std::function<void(TObject* owner, TSkBrowser* browser)>;
    static constexpr int MaxMembers = 16380;

    // Compiles headerFile for browsing; callback runs during it. False when the compile failed or
    // the scratch buffer could not be made; true without browsing when the host has no compiler.
    bool Compile(const String& headerFile, TBrowseCallback callback, TObject* owner);
    // The host calls this while the browse data is ready.
    void EnableBrowser();

    String HeaderFile() const { return FHeaderFile; }
    // The members of scope (null: the file scope) into array (at most capacity, never more than
    // MaxMembers); the count.
    int GetMembers(TSymbol scope, int flags, TSymbol* array, int capacity = MaxMembers);
    int GetFlags(TSymbol symbol);
    // kind 0: the name, 1: the type text; "this" reads "SELF".
    String GetText(TSymbol symbol, int kind);
    int GetTypeCode(TSymbol symbol);
    TSymbol GetResultType(TSymbol symbol);
    TSymbol GetTypeSymbol(TSymbol symbol);
    // The type under pointers and aliases; a pointer to char stays the pointer.
    TSymbol GetBaseTypeSymbol(TSymbol symbol);
    int GetBaseTypeCode(TSymbol symbol) { return GetTypeCode(GetBaseTypeSymbol(symbol)); }
    TSymbol GetObjectType(TSymbol symbol, int kind);
    TSymbol FindSymbol(const String& name, TSymbol scope, int kind);
    // False (outputs untouched) when the compiler knows no place of the symbol.
    bool FindDeclaration(TSymbol symbol, int& line, String& file);

private:
    String FHeaderFile;
    TBrowseCallback FCallback;
    TObject* FOwner = nullptr;
};

// The text of a symbol's name as the browse reports it ("this" reads "SELF").
String BrowseSymbolText(const char* text);
