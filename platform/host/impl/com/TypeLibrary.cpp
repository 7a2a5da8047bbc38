// The type-library model and its IDL-like text.
#include "host/TypeLibrary.h"

#include <algorithm>

#include "host/SourceFiles.h"
#include "rtl/Files.h"

namespace {

struct TVarTypeName {
    int VarType;
    const char* Name;
};
const TVarTypeName kVarTypes[] = {
    {vtI2, "short"},          {vtI4, "long"},           {vtR4, "float"},        {vtR8, "double"},
    {vtCurrency, "CURRENCY"}, {vtDate, "DATE"},         {vtBstr, "BSTR"},       {vtDispatch, "IDispatch*"},
    {vtError, "SCODE"},       {vtBool, "VARIANT_BOOL"}, {vtVariant, "VARIANT"}, {vtUnknown, "IUnknown*"},
    {vtI1, "char"},           {vtUI1, "unsigned char"}, {vtInt, "int"},         {vtVoid, "void"},
    {vtHResult, "HRESULT"},   {vtDecimal, "DECIMAL"},
};

// A name the library's C++ header can declare.
bool IsTypeLibIdent(const String& name) { return IsValidIdent(name) && !IsCppKeyword(name); }

// A version as the text writes it: MAJOR.MINOR, both decimal.
bool IsVersion(const String& v)
{
    const auto dot = v.find('.');
    const auto digits = [](const String& d) {
        return !d.empty() && d.size() <= 5 &&
               std::all_of(d.begin(), d.end(), [](char c) { return c >= '0' && c <= '9'; });
    };
    return dot != String::npos && digits(v.substr(0, dot)) && digits(v.substr(dot + 1));
}

bool HasWord(const std::vector<String>& list, const String& word)
{
    return std::any_of(list.begin(), list.end(), [&](const String& a) { return SameText(a, word); });
}

}  // namespace

String VarTypeName(int varType)
{
    for (const auto& v : kVarTypes)
        if (v.VarType == varType) return v.Name;
    throw EHostError("No type name for the variant type " + IntToStr(varType));
}

int VarTypeOf(const String& typeName)
{
    for (const auto& v : kVarTypes)
        if (typeName == v.Name) return v.VarType;
    return vtUserDefined;
}

const TGUID LIBID_StdZUB = TGUID::Parse("{EA544A21-C82D-11D1-A3E9-00A0C90AEA82}");

bool TTypeLibMember::HasAttribute(const String& attribute) const { return HasWord(Attributes, attribute); }

TTypeLibParam& TTypeLibMember::AddParam(const String& name, int varType, int flags)
{
    Params.push_back({name, VarTypeName(varType), flags});
    return Params.back();
}

TTypeObject::TTypeObject(TTypeLibrary* library, TTypeObjectKind kind, String name, TGUID guid)
    : FLibrary(library), FKind(kind), FName(std::move(name)), FGuid(guid)
{
}

void TTypeObject::Rename(const String& name)
{
    if (name == FName) return;
    if (!IsTypeLibIdent(name)) throw EHostError("'" + name + "' is not a valid identifier");
    if (TTypeObject* other = FLibrary->FindType(name); other && other != this)
        throw EHostError("The type library has a type named " + name + " already");
    // interfaces name each other: a CoClass's entries follow the rename
    for (int i = 0; i < FLibrary->TypeCount(); ++i)
        for (auto& impl : FLibrary->Type(i)->Implements)
            if (SameText(impl.InterfaceName, FName)) impl.InterfaceName = name;
    if (Edit.Existed && Edit.OldName.empty()) Edit.OldName = FName;
    FLibrary->FByName.erase(UpperCase(FName));
    FName = name;
    FLibrary->FByName[UpperCase(FName)] = this;
}

bool TTypeObject::HasAttribute(const String& attribute) const { return HasWord(Attributes, attribute); }

int TTypeObject::NewMemberId() const
{
    int id = 0;
    for (auto& m : Members) id = std::max(id, m->MemberId);
    return id + 1;
}

namespace {
// What kind of accessor a member is: a property's getter and setter share its name.
String AccessorOf(const std::vector<String>& attributes)
{
    for (const char* a : {"propget", "propput", "propputref"})
        if (std::find(attributes.begin(), attributes.end(), a) != attributes.end()) return a;
    return "";
}
}  // namespace

TTypeLibMember* TTypeObject::AddMethod(const String& name, int memberId, std::vector<String> attributes)
{
    if (!IsTypeLibIdent(name)) throw EHostError("'" + name + "' is not a valid identifier");
    const String accessor = AccessorOf(attributes);
    for (auto& m : Members)
        if (SameText(m->Name, name) &&
            (accessor.empty() || AccessorOf(m->Attributes).empty() || AccessorOf(m->Attributes) == accessor))
            throw EHostError(FName + " has a member named " + name + " already");
    auto m = std::make_unique<TTypeLibMember>();
    m->Name = name;
    m->MemberId = memberId;
    m->Attributes = std::move(attributes);
    Members.push_back(std::move(m));
    return Members.back().get();
}

TTypeLibMember* TTypeObject::FindMember(const String& name) const
{
    for (auto& m : Members)
        if (SameText(m->Name, name)) return m.get();
    return nullptr;
}

TTypeObject* TTypeObject::DefaultInterface() const
{
    for (auto& i : Implements)
        if (i.Default && !i.Source) return FLibrary->FindType(i.InterfaceName);
    return nullptr;
}

TTypeLibrary::TTypeLibrary(String name, TGUID guid) : Name(std::move(name)), Guid(guid) {}

void TTypeLibrary::AddReference(const TGUID& libId, int major, int minor, int lcid, const String& fileName)
{
    if (std::any_of(References.begin(), References.end(), [&](const auto& r) { return r.LibId == libId; }))
        return;
    References.push_back({fileName, libId, major, minor, lcid});
}

TTypeObject* TTypeLibrary::FindType(const String& name, int kind) const
{
    const auto it = FByName.find(UpperCase(name));
    if (it == FByName.end() || (kind >= 0 && it->second->Kind() != kind)) return nullptr;
    return it->second;
}

void TTypeLibrary::AcceptEdit()
{
    for (auto& t : FTypes) {
        t->Edit = {true, ""};
        for (auto& m : t->Members) m->Edit = {true, ""};
    }
}

TTypeObject* TTypeLibrary::AddType(TTypeObjectKind kind, const String& name, const TGUID* guid)
{
    if (!IsTypeLibIdent(name)) throw EHostError("'" + name + "' is not a valid identifier");
    if (FindType(name)) throw EHostError("The type library has a type named " + name + " already");
    if (kind != tkInterface && kind != tkDispatch && kind != tkCoClass)
        throw EHostError("The type library holds interfaces, dispatch interfaces and CoClasses only");
    FTypes.push_back(std::make_unique<TTypeObject>(this, kind, name, guid ? *guid : CreateGUID()));
    FByName[UpperCase(name)] = FTypes.back().get();
    return FTypes.back().get();
}

TTypeObject* TTypeLibrary::AddCoClass(const String& name, const String& interfaceName,
                                      const String& helpString, bool dual, bool events)
{
    const String intfName = interfaceName.empty() ? "I" + name : interfaceName;
    const String eventsName = "I" + name + "Events";
    // check every name before anything is added, so that a refused CoClass leaves nothing
    for (const String& n : {name, intfName})
        if (FindType(n)) throw EHostError("The type library has a type named " + n + " already");
    if (events && FindType(eventsName))
        throw EHostError("The type library has a type named " + eventsName + " already");
    for (const String& n : {name, intfName})
        if (!IsTypeLibIdent(n)) throw EHostError("'" + n + "' is not a valid identifier");

    TTypeObject* intf = AddType(tkInterface, intfName);
    intf->HelpString = "Interface for " + name + " Object";
    intf->ParentName = dual ? "IDispatch" : "IUnknown";
    if (dual) intf->Attributes = {"dual", "oleautomation"};
    TTypeObject* co = AddType(tkCoClass, name);
    co->HelpString = helpString.empty() ? name + " Object" : helpString;
    co->Implements.push_back({intfName, false, true, false});
    if (events) {
        TTypeObject* ev = AddType(tkDispatch, eventsName);
        ev->HelpString = "Events interface for " + name + " Object";
        co->Implements.push_back({eventsName, true, true, true});
    }
    return co;
}

// ---- text ---------------------------------------------------------------------------------------

namespace {

// A line of its own per declaration: line breaks and tabs in a text are written as escapes.
String Quoted(const String& s)
{
    String r = "\"";
    for (char c : s) {
        if (c == '\n')
            r += "\\n";
        else if (c == '\r')
            r += "\\r";
        else if (c == '\t')
            r += "\\t";
        else {
            if (c == '"' || c == '\\') r += '\\';
            r += c;
        }
    }
    return r + "\"";
}

String AttributeList(const std::vector<String>& parts)
{
    String r = "[";
    for (std::size_t i = 0; i < parts.size(); ++i) r += (i ? ", " : "") + parts[i];
    return r + "]";
}

std::vector<String> TypeAttributes(const TGUID& guid, const String& version, const String& help,
                                   const std::vector<String>& more)
{
    std::vector<String> a{"uuid(" + GUIDToString(guid).substr(1, 36) + ")", "version(" + version + ")"};
    if (!help.empty()) a.push_back("helpstring(" + Quoted(help) + ")");
    a.insert(a.end(), more.begin(), more.end());
    return a;
}

String MemberText(const TTypeLibMember& m)
{
    std::vector<String> a{"id(" + Format("0x%.8X", {m.MemberId}) + ")"};
    a.insert(a.end(), m.Attributes.begin(), m.Attributes.end());
    String r = AttributeList(a) + " " + m.ResultType + " " + m.Name + "(";
    for (std::size_t i = 0; i < m.Params.size(); ++i) {
        const auto& p = m.Params[i];
        std::vector<String> f;
        if (p.Flags & pfIn) f.push_back("in");
        if (p.Flags & pfOut) f.push_back("out");
        if (p.Flags & pfRetval) f.push_back("retval");
        r += (i ? ", " : "") + AttributeList(f) + " " + p.Type + " " + p.Name;
    }
    return r + ");";
}

}  // namespace

String TTypeLibrary::Text() const
{
    String t = "// Type library " + Name + "\n";
    t += AttributeList(TypeAttributes(Guid, Version, HelpString, {})) + "\n";
    t += "library " + Name + "\n{\n";
    for (auto& r : References)
        t += "  " +
             AttributeList({"uuid(" + GUIDToString(r.LibId).substr(1, 36) + ")",
                            "version(" + IntToStr(r.Major) + "." + IntToStr(r.Minor) + ")",
                            "lcid(" + IntToStr(r.Lcid) + ")"}) +
             " importlib(" + Quoted(r.FileName) + ");\n";
    for (auto& ty : FTypes) {
        t += "\n  " + AttributeList(TypeAttributes(ty->Guid(), ty->Version, ty->HelpString, ty->Attributes)) +
             "\n";
        switch (ty->Kind()) {
        case tkInterface:
            t += "  interface " + ty->Name() + (ty->ParentName.empty() ? String() : ": " + ty->ParentName) +
                 "\n";
            break;
        case tkDispatch: t += "  dispinterface " + ty->Name() + "\n"; break;
        default: t += "  coclass " + ty->Name() + "\n"; break;
        }
        t += "  {\n";
        for (auto& m : ty->Members) t += "    " + MemberText(*m) + "\n";
        for (auto& i : ty->Implements) {
            std::vector<String> f;
            if (i.Default) f.push_back("default");
            if (i.Source) f.push_back("source");
            t += "    " + (f.empty() ? String() : AttributeList(f) + " ") +
                 (i.IsDispatch ? "dispinterface " : "interface ") + i.InterfaceName + ";\n";
        }
        t += "  };\n";
    }
    return t + "};\n";
}

namespace {

class TTlbReader {
public:
    explicit TTlbReader(const String& text)
    {
        std::size_t start = 0;
        while (start <= text.size()) {
            std::size_t end = text.find('\n', start);
            if (end == String::npos) end = text.size();
            String line = Trim(text.substr(start, end - start));
            FLines.push_back(line);
            start = end + 1;
        }
    }

    std::unique_ptr<TTypeLibrary> Read()
    {
        TGUID guid{};
        String version = "1.0", help;
        TakeTypeAttributes(Attributes(Next()), guid, version, help, nullptr);
        const String head = Next();
        if (head.rfind("library ", 0) != 0) Fail("\"library NAME\" expected");
        auto lib = std::make_unique<TTypeLibrary>(Ident(Trim(head.substr(8))), guid);
        lib->Version = version;
        lib->HelpString = help;
        Expect("{");
        for (;;) {
            String line = Next();
            if (line == "};") break;
            std::vector<String> a = Attributes(line);
            String rest = FRest;
            if (rest.empty()) rest = Next();
            if (rest.rfind("importlib(", 0) == 0) {
                TTypeLibReference r;
                String version;
                for (const String& x : a) {
                    if (x.rfind("uuid(", 0) == 0)
                        r.LibId = Guid(Inner(x));
                    else if (x.rfind("version(", 0) == 0)
                        version = Inner(x);
                    else if (x.rfind("lcid(", 0) == 0)
                        r.Lcid = Number(Inner(x));
                    else
                        Fail("unknown attribute " + x);
                }
                const auto dot = version.find('.');
                if (dot == String::npos) Fail("version MAJOR.MINOR expected");
                r.Major = Number(version.substr(0, dot));
                r.Minor = Number(version.substr(dot + 1));
                if (rest.size() < 12 || rest.substr(rest.size() - 2) != ");")
                    Fail("importlib(\"FILE\"); expected");
                r.FileName = Unquote(rest.substr(10, rest.size() - 12));
                lib->References.push_back(r);
                continue;
            }
            ReadType(*lib, a, rest);
        }
        for (std::size_t i = FNext; i < FLines.size(); ++i)
            if (!FLines[i].empty()) Fail("text after the end of the library", i);
        // what was read existed before any edit
        for (int i = 0; i < lib->TypeCount(); ++i) {
            lib->Type(i)->Edit.Existed = true;
            for (auto& m : lib->Type(i)->Members) m->Edit.Existed = true;
        }
        return lib;
    }

private:
    [[noreturn]] void Fail(const String& what, std::size_t line = 0) const
    {
        throw EHostError("Type library, line " + IntToStr(static_cast<int>(line ? line : FNext)) + ": " +
                         what);
    }

    // The next line that is neither blank nor a comment.
    String Next()
    {
        while (FNext < FLines.size()) {
            const String& l = FLines[FNext++];
            if (!l.empty() && l.rfind("//", 0) != 0) return l;
        }
        Fail("unexpected end of the text");
    }

    void Expect(const String& what)
    {
        if (Next() != what) Fail("\"" + what + "\" expected");
    }

    // Splits "[a, b(c, d), e] rest" into its attributes; FRest is what follows the bracket.
    std::vector<String> Attributes(const String& line)
    {
        std::vector<String> r;
        FRest.clear();
        if (line.empty() || line[0] != '[') Fail("\"[\" expected");
        int depth = 0;
        bool quoted = false;
        String cur;
        std::size_t i = 1;
        for (; i < line.size(); ++i) {
            const char c = line[i];
            if (quoted) {
                cur += c;
                if (c == '\\' && i + 1 < line.size())
                    cur += line[++i];
                else if (c == '"')
                    quoted = false;
                continue;
            }
            if (c == '"') quoted = true;
            if (c == '(') ++depth;
            if (c == ')') --depth;
            if (depth == 0 && (c == ',' || c == ']')) {
                if (!Trim(cur).empty()) r.push_back(Trim(cur));
                cur.clear();
                if (c == ']') break;
                continue;
            }
            cur += c;
        }
        if (i >= line.size()) Fail("\"]\" expected");
        FRest = Trim(line.substr(i + 1));
        return r;
    }

    static String Inner(const String& attr)
    {
        const auto open = attr.find('(');
        return attr.substr(open + 1, attr.size() - open - 2);
    }

    String Unquote(const String& s) const
    {
        if (s.size() < 2 || s.front() != '"' || s.back() != '"') Fail("quoted text expected: " + s);
        String r;
        for (std::size_t i = 1; i + 1 < s.size(); ++i) {
            if (s[i] == '\\' && i + 2 < s.size()) {
                ++i;
                r += s[i] == 'n' ? '\n' : s[i] == 'r' ? '\r' : s[i] == 't' ? '\t' : s[i];
                continue;
            }
            r += s[i];
        }
        return r;
    }

    TGUID Guid(const String& s) const
    {
        TGUID g{};
        if (!TryStringToGUID("{" + s + "}", g)) Fail("no GUID: " + s);
        return g;
    }

    // Decimal, or hexadecimal after "0x".
    int Number(const String& s) const
    {
        const String t = Trim(s);
        const bool hex = t.size() > 2 && t[0] == '0' && (t[1] == 'x' || t[1] == 'X');
        const String digits = hex ? t.substr(2) : t;
        if (digits.empty() || digits.size() > 9) Fail("no number: " + s);
        long long v = 0;
        for (char c : digits) {
            int d = c >= '0' && c <= '9'          ? c - '0'
                    : hex && c >= 'a' && c <= 'f' ? c - 'a' + 10
                    : hex && c >= 'A' && c <= 'F' ? c - 'A' + 10
                                                  : -1;
            if (d < 0) Fail("no number: " + s);
            v = v * (hex ? 16 : 10) + d;
        }
        if (v > 0x7FFFFFFF) Fail("number out of range: " + s);
        return static_cast<int>(v);
    }

    String Ident(const String& s) const
    {
        if (!IsTypeLibIdent(s)) Fail("no identifier: " + s);
        return s;
    }

    // uuid, version and helpstring into their fields; the rest into more (nullptr: refused).
    void TakeTypeAttributes(const std::vector<String>& attrs, TGUID& guid, String& version, String& help,
                            std::vector<String>* more)
    {
        bool hasGuid = false;
        for (const String& a : attrs) {
            if (a.rfind("uuid(", 0) == 0) {
                guid = Guid(Inner(a));
                hasGuid = true;
            } else if (a.rfind("version(", 0) == 0) {
                version = Inner(a);
                if (!IsVersion(version)) Fail("version(MAJOR.MINOR) expected: " + a);
            } else if (a.rfind("helpstring(", 0) == 0) {
                help = Unquote(Inner(a));
            } else if (more) {
                more->push_back(a);
            } else {
                Fail("unknown attribute " + a);
            }
        }
        if (!hasGuid) Fail("uuid(...) expected");
    }

    void ReadType(TTypeLibrary& lib, const std::vector<String>& attrs, const String& decl)
    {
        TTypeObjectKind kind;
        String name, parent;
        if (decl.rfind("interface ", 0) == 0) {
            kind = tkInterface;
            name = Trim(decl.substr(10));
            if (const auto colon = name.find(':'); colon != String::npos) {
                parent = Ident(Trim(name.substr(colon + 1)));
                name = Trim(name.substr(0, colon));
            }
        } else if (decl.rfind("dispinterface ", 0) == 0) {
            kind = tkDispatch;
            name = Trim(decl.substr(14));
        } else if (decl.rfind("coclass ", 0) == 0) {
            kind = tkCoClass;
            name = Trim(decl.substr(8));
        } else {
            Fail("interface, dispinterface or coclass expected");
        }
        if (lib.FindType(name)) Fail("a second type named " + name);
        TGUID guid{};
        String version = "1.0", help;
        std::vector<String> more;
        TakeTypeAttributes(attrs, guid, version, help, &more);
        TTypeObject* t = lib.AddType(kind, Ident(name), &guid);
        t->Version = version;
        t->HelpString = help;
        t->Attributes = more;
        t->ParentName = parent;
        Expect("{");
        for (;;) {
            String line = Next();
            if (line == "};") return;
            if (kind == tkCoClass)
                ReadImplemented(*t, line);
            else
                ReadMember(*t, line);
        }
    }

    void ReadImplemented(TTypeObject& t, const String& line)
    {
        TTypeObject::TImplemented i;
        String rest = line;
        if (line[0] == '[') {
            for (const String& a : Attributes(line)) {
                if (a == "default")
                    i.Default = true;
                else if (a == "source")
                    i.Source = true;
                else
                    Fail("unknown attribute " + a);
            }
            rest = FRest;
        }
        if (rest.empty() || rest.back() != ';') Fail("\";\" expected");
        rest = Trim(rest.substr(0, rest.size() - 1));
        if (rest.rfind("interface ", 0) == 0)
            i.InterfaceName = Ident(Trim(rest.substr(10)));
        else if (rest.rfind("dispinterface ", 0) == 0) {
            i.InterfaceName = Ident(Trim(rest.substr(14)));
            i.IsDispatch = true;
        } else
            Fail("interface NAME; expected");
        t.Implements.push_back(i);
    }

    // "TYPE NAME": the last word is the name, the rest the type.
    std::pair<String, String> TypeAndName(const String& s) const
    {
        const String t = Trim(s);
        auto sp = t.find_last_of(" *");
        if (sp == String::npos) Fail("TYPE NAME expected: " + t);
        return {Trim(t.substr(0, sp + 1)), Ident(Trim(t.substr(sp + 1)))};
    }

    void ReadMember(TTypeObject& t, const String& line)
    {
        std::vector<String> attrs = Attributes(line);
        const String rest = FRest;
        const auto open = rest.find('(');
        if (open == String::npos || rest.size() < 2 || rest.substr(rest.size() - 2) != ");")
            Fail("TYPE NAME(PARAMS); expected");
        auto [type, name] = TypeAndName(rest.substr(0, open));
        int id = -1;
        std::vector<String> more;
        for (const String& a : attrs) {
            if (a.rfind("id(", 0) == 0) {
                id = Number(Inner(a));
            } else {
                more.push_back(a);
            }
        }
        if (id < 0) Fail("id(...) expected");
        TTypeLibMember* m = nullptr;
        try {
            m = t.AddMethod(name, id, more);
        } catch (const EHostError&) {
            Fail("a second member named " + name);
        }
        m->ResultType = type;
        const String params = Trim(rest.substr(open + 1, rest.size() - open - 3));
        if (params.empty()) return;
        std::size_t start = 0;
        while (start <= params.size()) {
            std::size_t end = params.find(',', params.find(']', start));
            if (end == String::npos) end = params.size();
            const String p = Trim(params.substr(start, end - start));
            TTypeLibParam param;
            param.Flags = 0;
            for (const String& f : Attributes(p)) {
                if (f == "in")
                    param.Flags |= pfIn;
                else if (f == "out")
                    param.Flags |= pfOut;
                else if (f == "retval")
                    param.Flags |= pfRetval;
                else
                    Fail("unknown parameter attribute " + f);
            }
            std::tie(param.Type, param.Name) = TypeAndName(FRest);
            m->Params.push_back(param);
            start = end + 1;
        }
    }

    std::vector<String> FLines;
    std::size_t FNext = 0;
    String FRest;
};

}  // namespace

namespace {

String AccessorPrefix(const TTypeLibMember& m)
{
    if (m.HasAttribute("propget")) return "get_";
    if (m.HasAttribute("propput")) return "set_";
    if (m.HasAttribute("propputref")) return "_set_";
    return "";
}

String CppParams(const TTypeLibMember& m)
{
    String r;
    for (std::size_t i = 0; i < m.Params.size(); ++i)
        r += (i ? ", " : "") + m.Params[i].Type + " " + m.Params[i].Name;
    return r;
}

}  // namespace

String TypeLibraryHeader(const TTypeLibrary& lib, const String& unitName)
{
    const String guard = unitName + "H";
    String t = "// " + unitName + ".h: the C++ declarations of the type library " + lib.Name + "\r\n";
    t += "#ifndef " + guard + "\r\n#define " + guard + "\r\n\r\n#include <atl/atlzub.h>\r\n\r\n";
    t += "extern \"C\" const GUID LIBID_" + lib.Name + ";\r\n";
    for (int i = 0; i < lib.TypeCount(); ++i) {
        const TTypeObject& ty = *lib.Type(i);
        const char* prefix = ty.Kind() == tkInterface ? "IID_" : ty.Kind() == tkDispatch ? "DIID_" : "CLSID_";
        t += "extern \"C\" const GUID " + String(prefix) + ty.Name() + ";\r\n";
    }
    t += "\r\n";
    for (int i = 0; i < lib.TypeCount(); ++i)
        if (lib.Type(i)->Kind() != tkCoClass) t += "struct " + lib.Type(i)->Name() + ";\r\n";
    for (int i = 0; i < lib.TypeCount(); ++i) {
        const TTypeObject& ty = *lib.Type(i);
        if (ty.Kind() == tkCoClass) continue;
        const String parent = ty.Kind() == tkDispatch ? "IDispatch"
                              : ty.ParentName.empty() ? "IUnknown"
                                                      : ty.ParentName;
        t += "\r\nstruct " + ty.Name() + " : public " + parent + "\r\n{\r\n";
        // a dispatch interface is called through Invoke: its members are no virtual functions
        if (ty.Kind() == tkInterface)
            for (auto& m : ty.Members)
                t += "  virtual " + m->ResultType + " STDMETHODCALLTYPE " + AccessorPrefix(*m) + m->Name +
                     "(" + CppParams(*m) + ") = 0;\r\n";
        t += "};\r\n";
    }
    for (int i = 0; i < lib.TypeCount(); ++i) {
        const TTypeObject& co = *lib.Type(i);
        if (co.Kind() != tkCoClass) continue;
        for (auto& impl : co.Implements) {
            const TTypeObject* ev = impl.Source ? lib.FindType(impl.InterfaceName) : nullptr;
            if (!ev) continue;
            t += "\r\ntemplate <class T> class TEvents_" + co.Name() +
                 " : public IConnectionPointImpl<T, &DIID_" + ev->Name() + ">\r\n{\r\npublic:\r\n";
            for (auto& m : ev->Members) {
                String args;
                for (std::size_t k = 0; k < m->Params.size(); ++k)
                    args += (k ? ", " : "") + m->Params[k].Name;
                t += "  void Fire_" + m->Name + "(" + CppParams(*m) + ")\r\n  {\r\n    FireEvent(" +
                     IntToStr(m->MemberId) + (args.empty() ? String() : ", " + args) + ");\r\n  }\r\n";
            }
            t += "};\r\n";
            break;
        }
    }
    return t + "\r\n#endif // " + guard + "\r\n";
}

std::unique_ptr<TTypeLibrary> TTypeLibrary::Parse(const String& text) { return TTlbReader(text).Read(); }

void TTypeLibrary::Save() const
{
    if (FileName.empty()) throw EHostError("The type library " + Name + " has no file name");
    const String text = Text();
    // a file the library could not be opened from again is not written
    try {
        Parse(text);
    } catch (const EHostError& e) {
        throw EHostError("The type library " + Name + " is not saved: " + e.Message());
    }
    AtomicWriteFile(FileName, text);
}

std::unique_ptr<TTypeLibrary> TTypeLibrary::Load(const String& fileName)
{
    std::unique_ptr<TTypeLibrary> lib;
    try {
        lib = Parse(ReadFileBytes(fileName));
    } catch (const EHostError& e) {
        throw EHostError(fileName + ": " + e.Message());
    }
    lib->FileName = fileName;
    return lib;
}
