#pragma once
// Compile and browse: the in-IDE C++ compiler compiles a scratch edit buffer in browse mode and,
// while its browse data is ready, calls EnableBrowser; inside that call the compiler library's
// functions (CppGetSymbols and the rest) answer symbol queries. Symbol handles are valid only
// during that call: a handle used afterwards raises EHostError.
#include "host/Export.h"
#include <cstdint>
#include <functional>

#include "host/ToolsAPI.h"
#include "rtl/Classes.h"

// ---- the compiler library ----

// An opaque browse symbol (a symbol, a scope or a type); nullptr is "none" and, as a scope, the
// file scope.
struct TSymbolRec;
using TSymbol = const TSymbolRec*;

// Member-query flags of CppGetSymbols.
namespace CppMembers {
inline constexpr int Scope = 0x1;  // the file-scope symbols (null scope) or a namespace's members
inline constexpr int Count = 0x20;  // only count: nothing is filled
inline constexpr int DataMembers = 0x400;  // the data members of a class
inline constexpr int Functions = 0x800;  // the member functions a class declares
inline constexpr int Inherited = 0x1000;  // with Functions/DataMembers: also those of its bases
inline constexpr int Parameters = 0x8000;  // the parameters of a function
inline constexpr int ClassMembers = 0x20000;  // every member of a class, own and inherited; none for others
}  // namespace CppMembers

// CppGetSymbolFlags: the kind in the low four bits, then attributes.
namespace CppSymbolFlags {
inline constexpr int KindMask = 0xF;
inline constexpr int Namespace = 1, Class = 2, Variable = 3, Procedure = 4, Function = 5, Parameter = 6,
                     Typedef = 7, Enum = 8, Enumerator = 9, Type = 10;
inline constexpr int Protected = 0x10, Private = 0x20, Static = 0x100, Virtual = 0x200, Const = 0x400;
inline constexpr int Abstract = 0x1000;  // pure virtual: an implementation has to take it over
inline constexpr int Inherited = 0x2000;  // declared in a base of the class asked about
// Parameters: passed by non-const reference (a var parameter), by const reference.
inline constexpr int VarParam = 0x4000, ConstParam = 0x8000;
// A data member of an event type: its type is, through aliases, a std::function. The function's
// result is the member's result type (CppGetResultType) and the parameters of the alias's
// declaration, names included, are its parameters (CppGetSymbols with CppMembers::Parameters).
inline constexpr int Event = 0x10000;
}  // namespace CppSymbolFlags

// CppGetTypeCode: the code in the low byte.
namespace CppTypeCodes {
inline constexpr int None = 0, Void = 1, Bool = 2, Char = 3, Short = 4, Int = 5, Long = 6, LongLong = 7,
                     Float = 8, Double = 9, LongDouble = 10, Enum = 11, Class = 12, Function = 13,
                     Pointer = 14, Array = 20, Typedef = 30, Reference = 39, Other = 255;
}  // namespace CppTypeCodes

// The automation variant type of a type code (vtI4 for Int ...); 0 for a code none matches.
HOST_API int TTypeCodeToVarType(int typeCode);

// Where a symbol is declared: file index (CppFileIndexToName), line and column (1-based).
struct TCppDeclaration {
    int FileIndex = 0;
    int Line = 0;
    int Column = 0;
};

// Each raises EHostError outside a browse callback, or for a handle of an earlier browse.
// The number of members of scope (flags above); at most capacity handles are filled into array
// unless counting (array may then be null).
HOST_API int CppGetSymbols(TSymbol scope, int flags, TSymbol* array, int capacity);
HOST_API int CppGetSymbolFlags(TSymbol symbol);
// kind 0: the name; 1: the type text. Zero-terminated, cut to fit size characters.
HOST_API void CppGetSymbolText(TSymbol symbol, char* buffer, int size, int kind);
HOST_API int CppGetTypeCode(TSymbol symbol);  // 0 for a null handle
HOST_API TSymbol CppGetResultType(TSymbol function);
HOST_API TSymbol CppGetTypeSymbol(TSymbol symbol);  // a type is its own type
// The type under a pointer, reference, array or type alias; none for others.
HOST_API TSymbol CppGetBaseType(TSymbol type);
// kind 0: the class a type (or a symbol's type) names, under pointers, references and aliases.
HOST_API TSymbol CppGetObjectType(TSymbol symbol, int kind);
// A name ("A::B" qualified, "::" first for the file scope) looked up from scope; kind 0: any
// symbol, else only symbols of that kind (CppSymbolFlags).
HOST_API TSymbol CppFindSymbol(const char* name, TSymbol scope, int kind);
HOST_API void CppFindDeclaration(TCppDeclaration* declaration, TSymbol symbol, int reserved);
// The file of a declaration's file index; "" for an unknown index.
HOST_API const char* CppFileIndexToName(int fileIndex);

// ---- the host's side of compile and browse ----

// A scratch edit buffer, bound to no file: a module of the host while it lives, under a name
// that no other module has (MakeUniqueModuleName).
class HOST_API TEditBuffer : public TObject {
public:
    explicit TEditBuffer(const String& fileName);
    ~TEditBuffer() override;
    TEditBuffer(const TEditBuffer&) = delete;
    TEditBuffer& operator=(const TEditBuffer&) = delete;
    String FileName() const { return FFileName; }
    void Write(const String& text) { FText += text; }
    String Text() const { return FText; }

private:
    String FFileName, FText;
};

// Compiles the buffer in browse mode; while the browse data is ready, calls EnableBrowser.
// Answers whether the compile succeeded. nullptr: the personality has no browsing compiler.
using TCompileAndBrowseProc = bool (*)(TEditBuffer& buffer);
extern HOST_API TCompileAndBrowseProc CompileAndBrowseProc;
// The host's own compiler: the buffer is compiled as a translation unit with the active
// project's include path and defines; errors make it answer false without browsing.
HOST_API bool DefaultCompileAndBrowse(TEditBuffer& buffer);

// Set by a browser immediately before its compile; the host calls it with no arguments.
using TEnableBrowserEvent = std::function<void()>;
extern HOST_API TEnableBrowserEvent EnableBrowser;

// The header of a unit of the active project as an include would name it, with its delimiters:
// "\"Unit1.h\"" for a header of the project, "<name.hpp>" for one found on its include path;
// "" when there is none.
HOST_API String FindHeaderFileSpec(const String& unitName);

// ---- the component browser ----

// A compiler the component browser asks about a class.
class HOST_API IQBrowserCompilerBase : public virtual IInterface {
public:
    RTL_IID("{316E6EE0-446D-11D1-A644-00A024C11562}");
    // Compiles the class's unit; during the compile callback(value, class symbol) runs.
    using TBrowseCallback = std::function<int(void* value, TSymbol classSymbol)>;
    virtual bool Compile(const String& className, const String& unitName, TBrowseCallback callback,
                         void* value) = 0;
    virtual int GetMembers(TSymbol symbol, int flags, TSymbol* array) = 0;  // array of 16380
    virtual void GetText(TSymbol symbol, String& text, int kind) = 0;
    virtual int GetFlags(TSymbol symbol) = 0;
    virtual int GetTypeCode(TSymbol symbol) = 0;
    virtual int GetBaseTypeCode(TSymbol symbol) = 0;
    virtual TSymbol GetResultType(TSymbol symbol) = 0;
    virtual TSymbol GetTypeSymbol(TSymbol symbol) = 0;
    virtual TSymbol GetBaseTypeSymbol(TSymbol symbol) = 0;
    virtual TSymbol GetObjectType(TSymbol symbol, int kind) = 0;
    virtual TSymbol FindSymbol(const String& name, TSymbol scope, int kind) = 0;
};

class HOST_API IQBrowserCompiler : public virtual IQBrowserCompilerBase {
public:
    RTL_IID("{EE1A8D80-4684-11D1-A644-00A024C11562}");
    // Whether the unit's header may be browsed as one made from a Pascal unit.
    virtual bool AllowPascalCompile(const String& unitName) = 0;
};

inline constexpr int BrowserMemberCapacity = 16380;

HOST_API void RegisterCppBrowserCompiler(IQBrowserCompiler* compiler);
HOST_API void UnRegisterCppBrowserCompiler(IQBrowserCompiler* compiler);

// What the component browser shows of a class, its own members and the inherited ones: its
// properties (a getter X() or GetX() beside a setter SetX), methods and events (data members of
// an event type), each with its type.
struct TComponentMember {
    enum TKind { Property, Method, Event } Kind;
    String Name, Type;
};
// Asks the registered C++ browser compiler; EHostError without one or when the class is not found.
HOST_API std::vector<TComponentMember> BrowseComponentClass(const String& className, const String& unitName);

// A browse of one ZUB class for a caller: PrepareAndExecute compiles the class's unit with the
// registered C++ browser compiler and runs Execute while the class's symbols can be asked about
// (Compiler, ClassSymbol). EHostError without a compiler, when the unit does not compile or does
// not declare the class; Execute then does not run.
class HOST_API TComponentBrowser : public TObject {
public:
    TComponentBrowser(String className, String unitName);
    void PrepareAndExecute();
    const String& ClassName() const { return FClassName; }
    const String& UnitName() const { return FUnitName; }
    // During Execute only; nullptr otherwise.
    IQBrowserCompilerBase* Compiler() const { return FCompiler; }
    TSymbol ClassSymbol() const { return FClass; }

protected:
    virtual void Execute() = 0;

private:
    String FClassName, FUnitName;
    IQBrowserCompilerBase* FCompiler = nullptr;
    TSymbol FClass = nullptr;
};

// ---- the CORBA wizards' view of an IDL file ----

// The symbol listing of a header (or of an IDL file's generated header), one line each; set by
// the CORBA package. nullptr: no IDL support.
using TIdlBrowseProc = std::vector<String> (*)(const String& file);
extern HOST_API TIdlBrowseProc IdlBrowseProc;
