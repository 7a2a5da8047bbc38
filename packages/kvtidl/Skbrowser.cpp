#include "Skbrowser.h"

#include <algorithm>
#include <memory>

#include "host/SourceFiles.h"
#include "rtl/ScopeGuard.h"

String BrowseSymbolText(const char* text)
{
    String s = text;
    return s == "this" ? String("SELF") : s;
}

bool TSkBrowser::Compile(const String& headerFile, TBrowseCallback callback, TObject* owner)
{
    FHeaderFile = headerFile;
    std::unique_ptr<TEditBuffer> buffer;
    try {
        buffer = std::make_unique<TEditBuffer>(MakeUniqueModuleName("IdlGenSyms", ".cpp"));
        buffer->Write("#include <corba.h>\r\n#pragma hdrstop\r\n#include \"" + headerFile + "\"\r\n");
    } catch (const std::exception&) {
        return false;
    }
    FCallback = std::move(callback);
    FOwner = owner;
    // The hook points at this browser only for its compile: a freed browser is never called.
    TEnableBrowserEvent previous = ::EnableBrowser;
    ::EnableBrowser = [this] { EnableBrowser(); };
    TScopeGuard restore([&] { ::EnableBrowser = previous; });
    if (!CompileAndBrowseProc) return true;
    return CompileAndBrowseProc(*buffer);
}

void TSkBrowser::EnableBrowser()
{
    if (FCallback) FCallback(FOwner, this);
}

int TSkBrowser::GetMembers(TSymbol scope, int flags, TSymbol* array, int capacity)
{
    return CppGetSymbols(scope, flags, array, std::clamp(capacity, 0, MaxMembers));
}

int TSkBrowser::GetFlags(TSymbol symbol) { return CppGetSymbolFlags(symbol); }

String TSkBrowser::GetText(TSymbol symbol, int kind)
{
    char buffer[501];
    CppGetSymbolText(symbol, buffer, sizeof buffer, kind);
    return BrowseSymbolText(buffer);
}

int TSkBrowser::GetTypeCode(TSymbol symbol) { return CppGetTypeCode(symbol) & 0xFF; }

TSymbol TSkBrowser::GetResultType(TSymbol symbol) { return CppGetResultType(symbol); }

TSymbol TSkBrowser::GetTypeSymbol(TSymbol symbol) { return CppGetTypeSymbol(symbol); }

TSymbol TSkBrowser::GetBaseTypeSymbol(TSymbol symbol)
{
    TSymbol t = CppGetTypeSymbol(symbol);
    if (t && GetTypeCode(t) == CppTypeCodes::Pointer) {
        TSymbol b = CppGetBaseType(t);
        if (b && GetTypeCode(b) == CppTypeCodes::Char) return t;
        t = b;
    }
    while ((t && GetTypeCode(t) == CppTypeCodes::Pointer) || GetTypeCode(t) == CppTypeCodes::Typedef)
        t = CppGetBaseType(t);
    return t;
}

TSymbol TSkBrowser::GetObjectType(TSymbol symbol, int kind) { return CppGetObjectType(symbol, kind); }

TSymbol TSkBrowser::FindSymbol(const String& name, TSymbol scope, int kind)
{
    return CppFindSymbol(name.c_str(), scope, kind);
}

bool TSkBrowser::FindDeclaration(TSymbol symbol, int& line, String& file)
{
    TCppDeclaration d;
    CppFindDeclaration(&d, symbol, 0);
    if (d.FileIndex == 0 && d.Line == 0) return false;
    line = d.Line;
    file = CppFileIndexToName(d.FileIndex);
    return true;
}
