#include "Ccombrow.h"

#include <memory>

#include "host/HostStrings.h"
#include "host/SourceFiles.h"
#include "rtl/Files.h"
#include "rtl/ScopeGuard.h"

String NoPascalBrowseMarker = "\\NOPASBROW.KVT";

HRESULT TCppBrowserCompiler::QueryInterface(const TGUID& iid, void** obj)
{
    if (QueryAs<IQBrowserCompiler>(this, iid, obj) || QueryAs<IQBrowserCompilerBase>(this, iid, obj))
        return S_OK;
    return TInterfacedObject::QueryInterface(iid, obj);
}

bool TCppBrowserCompiler::Compile(const String& className, const String& unitName, TBrowseCallback callback,
                                  void* value)
{
    const String include = FindHeaderFileSpec(unitName);
    if (include.empty()) throw EHostError(Format(HostStrings::sCouldNotFindFile, {unitName, className}));
    TEditBuffer buffer(MakeUniqueModuleName("AxSyms", ".cpp"));
    buffer.Write("#include <zub.h>\r\n#include <atl\\axform.h>\r\n#pragma hdrstop\r\n#include " + include +
                 "\r\n");
    FCallback = std::move(callback);
    FValue = value;
    FClassName = className;
    // The hook points here only during this compile.
    TEnableBrowserEvent previous = ::EnableBrowser;
    ::EnableBrowser = [this] { EnableBrowser(); };
    TScopeGuard restore([&] { ::EnableBrowser = previous; });
    if (!CompileAndBrowseProc) return true;
    return CompileAndBrowseProc(buffer);
}

int TCppBrowserCompiler::EnableBrowser()
{
    TSymbol cls = CppFindSymbol(FClassName.c_str(), nullptr, 0);
    if (!cls || !FCallback) return 0;
    return FCallback(FValue, cls);
}

bool IsPascalUnitHeader(const String& include)
{
    return include.size() >= 6 && SameText(include.substr(include.size() - 5), ".HPP>");
}

bool TCppBrowserCompiler::AllowPascalCompile(const String& unitName)
{
    if (FileExists(NoPascalBrowseMarker)) return false;
    return IsPascalUnitHeader(FindHeaderFileSpec(unitName));
}

int TCppBrowserCompiler::GetMembers(TSymbol symbol, int flags, TSymbol* array)
{
    return CppGetSymbols(symbol, flags, array, BrowserMemberCapacity);
}

void TCppBrowserCompiler::GetText(TSymbol symbol, String& text, int kind)
{
    char buffer[257];
    CppGetSymbolText(symbol, buffer, sizeof buffer, static_cast<std::int16_t>(kind));
    text = buffer;
    if (text == "this") text = "SELF";
}

int TCppBrowserCompiler::GetFlags(TSymbol symbol)
{
    int flags = CppGetSymbolFlags(symbol);
    if ((flags & CppSymbolFlags::KindMask) == CppSymbolFlags::Function && !GetResultType(symbol))
        flags = (flags & ~CppSymbolFlags::KindMask) | CppSymbolFlags::Procedure;
    return flags;
}

int TCppBrowserCompiler::GetTypeCode(TSymbol symbol) { return CppGetTypeCode(symbol); }

int TCppBrowserCompiler::GetBaseTypeCode(TSymbol symbol) { return CppGetTypeCode(GetBaseTypeSymbol(symbol)); }

TSymbol TCppBrowserCompiler::GetResultType(TSymbol symbol)
{
    TSymbol t = CppGetResultType(symbol);
    return t && CppGetTypeCode(t) == CppTypeCodes::Void ? nullptr : t;
}

TSymbol TCppBrowserCompiler::GetTypeSymbol(TSymbol symbol) { return CppGetTypeSymbol(symbol); }

TSymbol TCppBrowserCompiler::GetBaseTypeSymbol(TSymbol symbol)
{
    TSymbol t = CppGetTypeSymbol(symbol);
    if (!t) return t;
    const int code = CppGetTypeCode(t);
    if (code == CppTypeCodes::Pointer || code == CppTypeCodes::Reference || code == CppTypeCodes::Typedef)
        return CppGetBaseType(t);
    return t;
}

TSymbol TCppBrowserCompiler::GetObjectType(TSymbol symbol, int kind)
{
    return CppGetObjectType(symbol, static_cast<std::int16_t>(kind));
}

TSymbol TCppBrowserCompiler::FindSymbol(const String& name, TSymbol scope, int kind)
{
    return CppFindSymbol(name.c_str(), scope, kind);
}

namespace Ccombrow {
int UseCount = 0;
namespace {
TIntfPtr<TCppBrowserCompiler> gCompiler;
}

void Initialization()
{
    gCompiler = TIntfPtr<TCppBrowserCompiler>(new TCppBrowserCompiler);
    RegisterCppBrowserCompiler(gCompiler.get());
}

void Finalization()
{
    UnRegisterCppBrowserCompiler(gCompiler.get());
    gCompiler.reset();
}
}  // namespace Ccombrow
