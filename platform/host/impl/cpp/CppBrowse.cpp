// The compiler library's browse functions over libclang. One translation unit is open at a time,
// for the length of the browse callback; a handle carries the number of its browse, so one kept
// beyond it is refused instead of reaching a freed translation unit.
#include <clang-c/Index.h>

#include <map>
#include <set>
#include <unordered_map>

#include "host/TypeLibrary.h"
#include "hostimpl/CppBrowseImpl.h"
#include "rtl/ScopeGuard.h"

namespace hostimpl {

namespace {

String Take(CXString s)
{
    const char* c = clang_getCString(s);
    String r = c ? c : "";
    clang_disposeString(s);
    return r;
}

}  // namespace

class TBrowseSession {
public:
    TBrowseSession(CXTranslationUnit tu, std::uint32_t generation) : FTU(tu), FGeneration(generation)
    {
        IndexNamespaces(clang_getTranslationUnitCursor(tu));
    }

    // ---- handles ----
    TSymbol Handle(CXCursor c)
    {
        if (clang_Cursor_isNull(c) || clang_isInvalid(clang_getCursorKind(c))) return nullptr;
        const unsigned h = clang_hashCursor(c);
        auto [lo, hi] = FByHash.equal_range(h);
        for (auto it = lo; it != hi; ++it)
            if (FEntries[it->second].IsCursor && clang_equalCursors(FEntries[it->second].Cursor, c))
                return Encode(it->second);
        FEntries.push_back({true, c, {}});
        FByHash.emplace(h, FEntries.size() - 1);
        return Encode(FEntries.size() - 1);
    }
    TSymbol Handle(CXType t)
    {
        if (t.kind == CXType_Invalid) return nullptr;
        FEntries.push_back({false, clang_getNullCursor(), t});
        return Encode(FEntries.size() - 1);
    }
    struct TEntry {
        bool IsCursor;
        CXCursor Cursor;
        CXType Type;
    };
    const TEntry& Entry(TSymbol s) const
    {
        const auto v = reinterpret_cast<std::uintptr_t>(s);
        const std::uintptr_t index = (v & 0xFFFFFFFFu) - 1;
        if ((v >> 32) != FGeneration || index >= FEntries.size())
            throw EHostError("A browse symbol was used outside the browse it came from");
        return FEntries[index];
    }
    CXType TypeOf(TSymbol s) const
    {
        const TEntry& e = Entry(s);
        return e.IsCursor ? clang_getCursorType(e.Cursor) : e.Type;
    }

    // ---- scopes ----
    // The members of the file scope or of a namespace (every declaration of it); declarations
    // only, one per entity (a class by its definition where there is one).
    std::vector<CXCursor> ScopeMembers(CXCursor scope) const
    {
        std::vector<CXCursor> out;
        std::set<String> seen;
        auto visitDecl = [&](CXCursor parent) { Collect(parent, out, seen); };
        if (clang_getCursorKind(scope) == CXCursor_Namespace) {
            auto it = FNamespaces.find(Take(clang_getCursorUSR(scope)));
            if (it != FNamespaces.end())
                for (CXCursor d : it->second) visitDecl(d);
        } else {
            visitDecl(scope);
        }
        return out;
    }
    CXCursor FileScope() const { return clang_getTranslationUnitCursor(FTU); }

    // The member functions or data members of a class definition; with inherited, those of its
    // bases too, an overridden function only as its overrider.
    std::vector<CXCursor> ClassMembers(CXCursor cls, bool functions, bool data, bool types,
                                       bool inherited) const
    {
        std::vector<CXCursor> out;
        std::set<String> keys, visited;
        std::function<void(CXCursor, bool)> walk = [&](CXCursor c, bool own) {
            c = Definition(c);
            if (clang_Cursor_isNull(c) || !visited.insert(Take(clang_getCursorUSR(c))).second) return;
            std::vector<CXCursor> bases;
            VisitChildren(c, [&](CXCursor m) {
                const CXCursorKind k = clang_getCursorKind(m);
                if (k == CXCursor_CXXBaseSpecifier) {
                    bases.push_back(clang_getTypeDeclaration(clang_getCursorType(m)));
                    return;
                }
                const bool isFn = k == CXCursor_CXXMethod || k == CXCursor_Constructor ||
                                  k == CXCursor_Destructor || k == CXCursor_ConversionFunction;
                const bool isData = k == CXCursor_FieldDecl || k == CXCursor_VarDecl;
                const bool isType = k == CXCursor_ClassDecl || k == CXCursor_StructDecl ||
                                    k == CXCursor_UnionDecl || k == CXCursor_TypedefDecl ||
                                    k == CXCursor_TypeAliasDecl || k == CXCursor_EnumDecl;
                if (!((functions && isFn) || (data && isData) || (types && isType))) return;
                String key = Take(clang_getCursorSpelling(m));
                if (isFn) {
                    // constructors and destructors belong to their own class only
                    if (!own && (k == CXCursor_Constructor || k == CXCursor_Destructor)) return;
                    key += "|" + Take(clang_getTypeSpelling(clang_getCanonicalType(clang_getCursorType(m)))) +
                           (clang_CXXMethod_isConst(m) ? "|const" : "");
                }
                if (keys.insert(key).second) out.push_back(m);
            });
            if (inherited)
                for (CXCursor b : bases) walk(b, false);
        };
        walk(cls, true);
        return out;
    }

    static CXCursor Definition(CXCursor c)
    {
        CXCursor d = clang_getCursorDefinition(c);
        return clang_Cursor_isNull(d) ? c : d;
    }
    static bool IsClass(CXCursor c)
    {
        const CXCursorKind k = clang_getCursorKind(c);
        return k == CXCursor_ClassDecl || k == CXCursor_StructDecl || k == CXCursor_UnionDecl ||
               k == CXCursor_ClassTemplate;
    }

    // ---- files ----
    int FileIndex(CXFile f)
    {
        if (!f) return 0;
        const String name = Take(clang_getFileName(f));
        auto it = FFileIndex.find(name);
        if (it != FFileIndex.end()) return it->second;
        FFiles.push_back(name);
        return FFileIndex[name] = static_cast<int>(FFiles.size());
    }
    const char* FileName(int index) const
    {
        if (index < 1 || index > static_cast<int>(FFiles.size())) return "";
        return FFiles[static_cast<std::size_t>(index - 1)].c_str();
    }

private:
    TSymbol Encode(std::size_t index) const
    {
        return reinterpret_cast<TSymbol>((static_cast<std::uintptr_t>(FGeneration) << 32) | (index + 1));
    }
    template <class F>
    static void VisitChildren(CXCursor parent, F f)
    {
        clang_visitChildren(
            parent,
            [](CXCursor c, CXCursor, CXClientData data) {
                (*static_cast<F*>(data))(c);
                return CXChildVisit_Continue;
            },
            &f);
    }
    void IndexNamespaces(CXCursor parent)
    {
        VisitChildren(parent, [&](CXCursor c) {
            const CXCursorKind k = clang_getCursorKind(c);
            if (k == CXCursor_Namespace) {
                FNamespaces[Take(clang_getCursorUSR(c))].push_back(c);
                IndexNamespaces(c);
            } else if (k == CXCursor_LinkageSpec) {
                IndexNamespaces(c);
            }
        });
    }
    static void Collect(CXCursor parent, std::vector<CXCursor>& out, std::set<String>& seen)
    {
        VisitChildren(parent, [&](CXCursor c) {
            const CXCursorKind k = clang_getCursorKind(c);
            if (k == CXCursor_LinkageSpec) {
                Collect(c, out, seen);
                return;
            }
            if (!clang_isDeclaration(k) || k == CXCursor_UnexposedDecl || k == CXCursor_UsingDirective ||
                k == CXCursor_StaticAssert)
                return;
            const String usr = Take(clang_getCursorUSR(c));
            if (!usr.empty() && !seen.insert(usr).second) return;
            out.push_back(IsClass(c) ? Definition(c) : c);
        });
    }

    CXTranslationUnit FTU;
    std::uint32_t FGeneration;
    std::vector<TEntry> FEntries;
    std::unordered_multimap<unsigned, std::size_t> FByHash;
    std::map<String, std::vector<CXCursor>> FNamespaces;
    std::vector<String> FFiles;
    std::map<String, int> FFileIndex;
};

namespace {

TBrowseSession* gSession = nullptr;
std::uint32_t gGeneration = 0;

TBrowseSession& Session()
{
    if (!gSession) throw EHostError("The compiler's browse data is only there during a browse");
    return *gSession;
}

int TypeCode(CXType t)
{
    namespace C = CppTypeCodes;
    switch (t.kind) {
    case CXType_Invalid: return C::None;
    case CXType_Void: return C::Void;
    case CXType_Bool: return C::Bool;
    case CXType_Char_U:
    case CXType_UChar:
    case CXType_Char_S:
    case CXType_SChar:
    case CXType_WChar:
    case CXType_Char16:
    case CXType_Char32: return C::Char;
    case CXType_Short:
    case CXType_UShort: return C::Short;
    case CXType_Int:
    case CXType_UInt: return C::Int;
    case CXType_Long:
    case CXType_ULong: return C::Long;
    case CXType_LongLong:
    case CXType_ULongLong: return C::LongLong;
    case CXType_Float: return C::Float;
    case CXType_Double: return C::Double;
    case CXType_LongDouble: return C::LongDouble;
    case CXType_Enum: return C::Enum;
    case CXType_Record: return C::Class;
    case CXType_FunctionProto:
    case CXType_FunctionNoProto: return C::Function;
    case CXType_Pointer: return C::Pointer;
    case CXType_ConstantArray:
    case CXType_IncompleteArray: return C::Array;
    case CXType_Typedef:
    case CXType_Elaborated: return C::Typedef;
    case CXType_LValueReference:
    case CXType_RValueReference: return C::Reference;
    default: return C::Other;
    }
}

CXType BaseType(CXType t)
{
    switch (t.kind) {
    case CXType_Pointer:
    case CXType_LValueReference:
    case CXType_RValueReference: return clang_getPointeeType(t);
    case CXType_ConstantArray:
    case CXType_IncompleteArray: return clang_getArrayElementType(t);
    case CXType_Typedef: return clang_getTypedefDeclUnderlyingType(clang_getTypeDeclaration(t));
    case CXType_Elaborated: return clang_Type_getNamedType(t);
    default: return CXType{CXType_Invalid, {nullptr, nullptr}};
    }
}

int KindFlags(CXCursor c)
{
    namespace F = CppSymbolFlags;
    switch (clang_getCursorKind(c)) {
    case CXCursor_Namespace: return F::Namespace;
    case CXCursor_ClassDecl:
    case CXCursor_StructDecl:
    case CXCursor_UnionDecl:
    case CXCursor_ClassTemplate: return F::Class;
    case CXCursor_VarDecl:
    case CXCursor_FieldDecl: return F::Variable;
    case CXCursor_FunctionDecl:
    case CXCursor_CXXMethod:
    case CXCursor_Constructor:
    case CXCursor_Destructor:
    case CXCursor_ConversionFunction:
    case CXCursor_FunctionTemplate: return F::Function;
    case CXCursor_ParmDecl: return F::Parameter;
    case CXCursor_TypedefDecl:
    case CXCursor_TypeAliasDecl: return F::Typedef;
    case CXCursor_EnumDecl: return F::Enum;
    case CXCursor_EnumConstantDecl: return F::Enumerator;
    default: return 0;
    }
}

// The function type of an event type: a std::function, directly or through aliases; invalid
// for any other type.
CXType EventFunctionType(CXType t)
{
    t = clang_getCanonicalType(t);
    if (t.kind != CXType_Record) return CXType{CXType_Invalid, {nullptr, nullptr}};
    const String name = Take(clang_getTypeSpelling(t));
    if (name.rfind("std::function<", 0) != 0) return CXType{CXType_Invalid, {nullptr, nullptr}};
    const CXType fn = clang_Type_getTemplateArgumentAsType(t, 0);
    return fn.kind == CXType_FunctionProto ? fn : CXType{CXType_Invalid, {nullptr, nullptr}};
}

bool IsEventHolder(CXCursor c)
{
    const CXCursorKind k = clang_getCursorKind(c);
    return (k == CXCursor_FieldDecl || k == CXCursor_VarDecl || k == CXCursor_TypedefDecl ||
            k == CXCursor_TypeAliasDecl) &&
           EventFunctionType(k == CXCursor_TypedefDecl || k == CXCursor_TypeAliasDecl
                                 ? clang_getTypedefDeclUnderlyingType(c)
                                 : clang_getCursorType(c))
                   .kind != CXType_Invalid;
}

// The parameters as declared, with their names: the function type written in the member's own
// declaration or else in the nearest alias it goes through.
std::vector<CXCursor> EventParameters(CXCursor c)
{
    for (int guard = 0; guard < 64 && !clang_Cursor_isNull(c); ++guard) {
        std::vector<CXCursor> params;
        clang_visitChildren(
            c,
            [](CXCursor child, CXCursor, CXClientData data) {
                if (clang_getCursorKind(child) != CXCursor_ParmDecl) return CXChildVisit_Recurse;
                static_cast<std::vector<CXCursor>*>(data)->push_back(child);
                return CXChildVisit_Continue;
            },
            &params);
        if (!params.empty()) return params;
        const CXCursorKind k = clang_getCursorKind(c);
        CXType t = k == CXCursor_TypedefDecl || k == CXCursor_TypeAliasDecl
                       ? clang_getTypedefDeclUnderlyingType(c)
                       : clang_getCursorType(c);
        while (t.kind == CXType_Elaborated) t = clang_Type_getNamedType(t);
        if (t.kind != CXType_Typedef) break;
        c = clang_getTypeDeclaration(t);
    }
    return {};
}

CXCursor ScopeCursor(TBrowseSession& s, TSymbol scope)
{
    if (!scope) return s.FileScope();
    const auto& e = s.Entry(scope);
    if (!e.IsCursor) return clang_getTypeDeclaration(e.Type);
    return e.Cursor;
}

std::vector<CXCursor> Members(TBrowseSession& s, TSymbol scope, int flags)
{
    namespace M = CppMembers;
    const CXCursor c = ScopeCursor(s, scope);
    const CXCursorKind k = clang_getCursorKind(c);
    if (flags & M::Parameters) {
        if (IsEventHolder(c)) return EventParameters(c);
        std::vector<CXCursor> out;
        const int n = clang_Cursor_getNumArguments(c);
        for (int i = 0; i < n; ++i) out.push_back(clang_Cursor_getArgument(c, static_cast<unsigned>(i)));
        return out;
    }
    if (TBrowseSession::IsClass(c)) {
        if (flags & M::ClassMembers) return s.ClassMembers(c, true, true, true, true);
        if (flags & (M::Functions | M::DataMembers))
            return s.ClassMembers(c, flags & M::Functions, flags & M::DataMembers, false,
                                  flags & M::Inherited);
        if (flags & M::Scope) return s.ClassMembers(c, true, true, true, false);
        return {};
    }
    if ((flags & M::Scope) && (k == CXCursor_TranslationUnit || k == CXCursor_Namespace))
        return s.ScopeMembers(c);
    return {};
}

std::vector<String> SplitQualified(String name)
{
    std::vector<String> parts;
    std::size_t p;
    while ((p = name.find("::")) != String::npos) {
        parts.push_back(name.substr(0, p));
        name.erase(0, p + 2);
    }
    parts.push_back(name);
    return parts;
}

}  // namespace

bool BrowseTranslationUnit(const std::vector<std::pair<String, String>>& files,
                           const std::vector<String>& args, const std::function<void()>& browse,
                           std::vector<String>& errors)
{
    const String& fileName = files.at(0).first;
    if (gSession) throw EHostError("The compiler is browsing already");
    CXIndex index = clang_createIndex(0, 0);
    std::vector<const char*> argv;
    for (const String& a : args) argv.push_back(a.c_str());
    std::vector<CXUnsavedFile> unsaved;
    for (auto& [name, text] : files)
        unsaved.push_back({name.c_str(), text.c_str(), static_cast<unsigned long>(text.size())});
    CXTranslationUnit tu = nullptr;
    const CXErrorCode rc = clang_parseTranslationUnit2(
        index, fileName.c_str(), argv.data(), static_cast<int>(argv.size()), unsaved.data(),
        static_cast<unsigned>(unsaved.size()), CXTranslationUnit_SkipFunctionBodies, &tu);
    struct TClose {
        CXIndex Index;
        CXTranslationUnit& TU;
        ~TClose()
        {
            if (TU) clang_disposeTranslationUnit(TU);
            clang_disposeIndex(Index);
        }
    } close{index, tu};
    if (rc != CXError_Success || !tu) {
        errors.push_back(fileName + ": the compiler could not read it");
        return false;
    }
    const unsigned n = clang_getNumDiagnostics(tu);
    for (unsigned i = 0; i < n; ++i) {
        CXDiagnostic d = clang_getDiagnostic(tu, i);
        if (clang_getDiagnosticSeverity(d) >= CXDiagnostic_Error)
            errors.push_back(Take(clang_formatDiagnostic(d, clang_defaultDiagnosticDisplayOptions())));
        clang_disposeDiagnostic(d);
    }
    if (!errors.empty()) return false;
    TBrowseSession session(tu, ++gGeneration);
    gSession = &session;
    TScopeGuard end([] { gSession = nullptr; });
    browse();
    return true;
}

}  // namespace hostimpl

using hostimpl::Session;
using hostimpl::TBrowseSession;

int CppGetSymbols(TSymbol scope, int flags, TSymbol* array, int capacity)
{
    TBrowseSession& s = Session();
    const auto members = hostimpl::Members(s, scope, flags);
    if (!(flags & CppMembers::Count) && array) {
        const std::size_t n = std::min(members.size(), static_cast<std::size_t>(std::max(capacity, 0)));
        for (std::size_t i = 0; i < n; ++i) array[i] = s.Handle(members[i]);
    }
    return static_cast<int>(members.size());
}

int CppGetSymbolFlags(TSymbol symbol)
{
    namespace F = CppSymbolFlags;
    TBrowseSession& s = Session();
    const auto& e = s.Entry(symbol);
    if (!e.IsCursor) return F::Type;
    const CXCursor c = e.Cursor;
    int flags = hostimpl::KindFlags(c);
    switch (clang_getCXXAccessSpecifier(c)) {
    case CX_CXXProtected: flags |= F::Protected; break;
    case CX_CXXPrivate: flags |= F::Private; break;
    default: break;
    }
    const CXCursorKind k = clang_getCursorKind(c);
    if (k == CXCursor_CXXMethod) {
        if (clang_CXXMethod_isStatic(c)) flags |= F::Static;
        if (clang_CXXMethod_isVirtual(c)) flags |= F::Virtual;
        if (clang_CXXMethod_isConst(c)) flags |= F::Const;
        if (clang_CXXMethod_isPureVirtual(c)) flags |= F::Abstract;
    } else if (k == CXCursor_VarDecl &&
               clang_getCursorKind(clang_getCursorSemanticParent(c)) != CXCursor_Namespace &&
               TBrowseSession::IsClass(clang_getCursorSemanticParent(c))) {
        flags |= F::Static;
    } else if (k == CXCursor_ParmDecl) {
        const CXType t = clang_getCursorType(c);
        if (t.kind == CXType_LValueReference)
            flags |= clang_isConstQualifiedType(clang_getPointeeType(t)) ? F::ConstParam : F::VarParam;
    }
    if ((k == CXCursor_FieldDecl || k == CXCursor_VarDecl) && hostimpl::IsEventHolder(c)) flags |= F::Event;
    return flags;
}

void CppGetSymbolText(TSymbol symbol, char* buffer, int size, int kind)
{
    TBrowseSession& s = Session();
    if (!buffer || size <= 0) return;
    const auto& e = s.Entry(symbol);
    String text;
    if (!e.IsCursor)
        text = hostimpl::Take(clang_getTypeSpelling(e.Type));
    else if (kind == 1)
        text = hostimpl::Take(clang_getTypeSpelling(clang_getCursorType(e.Cursor)));
    else
        text = hostimpl::Take(clang_getCursorSpelling(e.Cursor));
    const std::size_t n = std::min(text.size(), static_cast<std::size_t>(size - 1));
    text.copy(buffer, n);
    buffer[n] = 0;
}

int CppGetTypeCode(TSymbol symbol)
{
    if (!symbol) return CppTypeCodes::None;
    return hostimpl::TypeCode(Session().TypeOf(symbol));
}

TSymbol CppGetResultType(TSymbol function)
{
    TBrowseSession& s = Session();
    const auto& e = s.Entry(function);
    if (e.IsCursor && hostimpl::IsEventHolder(e.Cursor)) {
        const CXCursorKind k = clang_getCursorKind(e.Cursor);
        const bool alias = k == CXCursor_TypedefDecl || k == CXCursor_TypeAliasDecl;
        return s.Handle(clang_getResultType(hostimpl::EventFunctionType(
            alias ? clang_getTypedefDeclUnderlyingType(e.Cursor) : clang_getCursorType(e.Cursor))));
    }
    return s.Handle(e.IsCursor ? clang_getCursorResultType(e.Cursor) : clang_getResultType(e.Type));
}

TSymbol CppGetTypeSymbol(TSymbol symbol)
{
    TBrowseSession& s = Session();
    const auto& e = s.Entry(symbol);
    if (!e.IsCursor) return symbol;
    const CXCursorKind k = clang_getCursorKind(e.Cursor);
    if (k == CXCursor_Namespace) return nullptr;
    return s.Handle(clang_getCursorType(e.Cursor));
}

TSymbol CppGetBaseType(TSymbol type)
{
    TBrowseSession& s = Session();
    return s.Handle(hostimpl::BaseType(s.TypeOf(type)));
}

TSymbol CppGetObjectType(TSymbol symbol, int)
{
    TBrowseSession& s = Session();
    CXType t = s.TypeOf(symbol);
    for (int guard = 0; guard < 64 && t.kind != CXType_Invalid && t.kind != CXType_Record; ++guard)
        t = hostimpl::BaseType(t);
    if (t.kind != CXType_Record) return nullptr;
    return s.Handle(TBrowseSession::Definition(clang_getTypeDeclaration(t)));
}

TSymbol CppFindSymbol(const char* name, TSymbol scope, int kind)
{
    TBrowseSession& s = Session();
    if (!name || !*name) return nullptr;
    String n = name;
    if (n.rfind("::", 0) == 0) {
        scope = nullptr;
        n.erase(0, 2);
    }
    const auto parts = hostimpl::SplitQualified(n);
    auto find = [&](TSymbol from) -> TSymbol {
        TSymbol at = from;
        for (std::size_t i = 0; i < parts.size(); ++i) {
            const bool last = i + 1 == parts.size();
            TSymbol hit = nullptr;
            for (CXCursor c : hostimpl::Members(s, at, CppMembers::Scope)) {
                if (hostimpl::Take(clang_getCursorSpelling(c)) != parts[i]) continue;
                if (last && kind && (hostimpl::KindFlags(c) & CppSymbolFlags::KindMask) != kind) continue;
                hit = s.Handle(c);
                break;
            }
            if (!hit) return nullptr;
            at = hit;
        }
        return at;
    };
    TSymbol r = find(scope);
    if (!r && scope) r = find(nullptr);
    return r;
}

void CppFindDeclaration(TCppDeclaration* declaration, TSymbol symbol, int)
{
    TBrowseSession& s = Session();
    if (!declaration) return;
    const auto& e = s.Entry(symbol);
    const CXCursor c = e.IsCursor ? e.Cursor : clang_getTypeDeclaration(e.Type);
    *declaration = {};
    if (clang_Cursor_isNull(c)) return;
    CXFile file = nullptr;
    unsigned line = 0, column = 0;
    clang_getSpellingLocation(clang_getCursorLocation(c), &file, &line, &column, nullptr);
    if (!file) return;
    declaration->FileIndex = s.FileIndex(file);
    declaration->Line = static_cast<int>(line);
    declaration->Column = static_cast<int>(column);
}

const char* CppFileIndexToName(int fileIndex) { return Session().FileName(fileIndex); }

int TTypeCodeToVarType(int typeCode)
{
    namespace C = CppTypeCodes;
    switch (typeCode) {
    case C::Bool: return vtBool;
    case C::Char: return vtI1;
    case C::Short: return vtI2;
    case C::Int:
    case C::Long:
    case C::Enum: return vtI4;
    case C::LongLong: return 20;  // VT_I8
    case C::Float: return vtR4;
    case C::Double:
    case C::LongDouble: return vtR8;
    default: return 0;
    }
}
