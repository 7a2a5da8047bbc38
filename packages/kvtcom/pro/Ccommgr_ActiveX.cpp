// The experts of ActiveX controls and Active Forms: members written against the ZUB control the
// object wraps, as the browse of its class finds them.
//
// How the browse's C++ answers stand for the control's members:
// - an event is a public data member (own or inherited) whose type is, through aliases, a
//   std::function (CppSymbolFlags::Event on a variable); a function when the std::function has a
//   result, else a procedure; its parameters are those of the alias's declaration, names kept:
//   a non-const reference is a var parameter (1), a const reference a const one (2), a pointer to
//   a class the class case (8, unless var), a parameter named Self is left out and an unnamed
//   struct type is written "TObject /*HACK*/";
// - a property P is a public getter P() or GetP() with a setter SetP of one parameter (an object
//   property, a pointer to a class changed in place, needs no setter); its type is the getter's
//   result;
// - a method is any other public member function.
#include "Ccommgr.h"

#include <algorithm>

#include "host/ComponentClasses.h"
#include "rtl/Format.h"
#include "rtl/SysUtils.h"

namespace {

const char* const CRLF = "\r\n";

// A type-library type without its pointer levels ("BSTR*" is "BSTR").
String WithoutPointers(String type)
{
    while (!type.empty() && (type.back() == '*' || type.back() == ' ')) type.pop_back();
    return type;
}

// The type code under aliases and references.
int ResolvedTypeCode(IQBrowserCompilerBase& c, TSymbol symbol)
{
    TSymbol t = c.GetTypeSymbol(symbol);
    for (int guard = 0; t && guard < 32; ++guard) {
        const int code = c.GetTypeCode(t);
        if (code != CppTypeCodes::Typedef && code != CppTypeCodes::Reference) return code;
        t = c.GetBaseTypeSymbol(t);
    }
    return CppTypeCodes::None;
}

String TextOf(IQBrowserCompilerBase& c, TSymbol s, int kind)
{
    String t;
    c.GetText(s, t, kind);
    return t;
}

bool IsPublic(IQBrowserCompilerBase& c, TSymbol s)
{
    return !(c.GetFlags(s) & (CppSymbolFlags::Private | CppSymbolFlags::Protected));
}

std::vector<TSymbol> MembersOf(IQBrowserCompilerBase& c, TSymbol s, int flags)
{
    std::vector<TSymbol> m(BrowserMemberCapacity);
    const int n = std::min(c.GetMembers(s, flags, m.data()), BrowserMemberCapacity);
    m.resize(static_cast<std::size_t>(std::max(n, 0)));
    return m;
}

// A public member function of the class or an ancestor with that name (and parameter count,
// unless -1).
TSymbol FindFunction(IQBrowserCompilerBase& c, TSymbol cls, const String& name, int params = -1)
{
    for (TSymbol f : MembersOf(c, cls, CppMembers::Functions | CppMembers::Inherited)) {
        if (!IsPublic(c, f) || TextOf(c, f, 0) != name) continue;
        if (params < 0 || c.GetMembers(f, CppMembers::Parameters | CppMembers::Count, nullptr) == params)
            return f;
    }
    return nullptr;
}

const String kPlainBody = "{\r\n};\r\n\r\n";

bool StartsWithText(const String& s, const String& prefix)
{
    return s.size() >= prefix.size() && SameText(s.substr(0, prefix.size()), prefix);
}

}  // namespace

// ---- TActiveXCoClassExpert ----

void TActiveXCoClassExpert::GetUnits(std::vector<String>& units)
{
    units.insert(units.end(), FUnits.begin(), FUnits.end());
}

bool TActiveXCoClassExpert::GetEventInfo(const TTypeLibMember& member, TMethodTypeInfo& record)
{
    IQBrowserCompilerBase* c = FBrowser ? FBrowser->Compiler() : nullptr;
    if (!c) return false;
    TSymbol event = nullptr;
    for (TSymbol d : MembersOf(*c, FBrowser->ClassSymbol(), CppMembers::DataMembers | CppMembers::Inherited))
        if (IsPublic(*c, d) && TextOf(*c, d, 0) == member.Name) event = d;
    constexpr int mask = CppSymbolFlags::Event | CppSymbolFlags::KindMask;
    if (!event || (c->GetFlags(event) & mask) != (CppSymbolFlags::Event | CppSymbolFlags::Variable))
        return false;
    const TSymbol result = c->GetResultType(event);
    if ((result != nullptr) != (member.ResultType != "void")) return false;
    TMethodTypeInfo r;
    r.Name = EventMethodName(member.Name);
    r.IsFunction = result != nullptr;
    if (result) r.ResultType = TextOf(*c, result, 1);
    for (TSymbol p : MembersOf(*c, event, CppMembers::Parameters)) {
        TMethodTypeParam param;
        param.Name = TextOf(*c, p, 0);
        if (SameText(param.Name, "Self")) continue;
        param.Type = TextOf(*c, p, 1);
        const int flags = c->GetFlags(p);
        param.Flags = flags & CppSymbolFlags::VarParam ? 1 : flags & CppSymbolFlags::ConstParam ? 2 : 0;
        if (param.Flags != 1 && c->GetTypeCode(c->GetTypeSymbol(p)) == CppTypeCodes::Pointer &&
            c->GetObjectType(p, 0))
            param.Flags = 8;
        if (SameText(param.Type, "struct ") || StartsWithText(param.Type, "struct ("))
            param.Type = "TObject /*HACK*/";
        r.Params.push_back(param);
    }
    record = std::move(r);
    return true;
}

void TActiveXCoClassExpert::GenEvent(const TInterfaceMethod& method, String& body)
{
    if (!method.Member) return;
    String decls, pre, post, args;
    const auto& tlb = method.Member->Params;
    for (const TTypeLibParam& tp : tlb) {
        // the handler's parameter of the same name (the library's events leave Sender out)
        const auto own = std::find_if(method.Record.Params.begin(), method.Record.Params.end(),
                                      [&](const TMethodTypeParam& p) { return SameText(p.Name, tp.Name); });
        const bool found = own != method.Record.Params.end();
        const String name = found ? own->Name : tp.Name;
        String eventType = found ? own->Type : tp.Type;
        while (!eventType.empty() && (eventType.back() == '&' || eventType.back() == ' '))
            eventType.pop_back();
        if (!args.empty()) args += ", ";
        if (tp.Flags & pfOut) {
            // passed through a temporary of the library's type, read back after the call
            const String temp = "Temp" + tp.Name;
            const bool pointer = !tp.Type.empty() && tp.Type.back() == '*';
            const String type = pointer ? Trim(tp.Type.substr(0, tp.Type.size() - 1)) : tp.Type;
            decls += "  " + type + " " + temp + ";" + CRLF;
            pre += VarTypeOf(type) == vtBstr ? Format("  %s = WideString(%s).Copy();", {temp, name})
                                             : Format("  %s = (%s)%s;", {temp, type, name});
            pre += CRLF;
            post += Format("  %s = (%s)%s;", {name, eventType, temp}) + CRLF;
            args += (pointer ? "&" : "") + temp;
        } else if (eventType == tp.Type) {
            args += name;
        } else if (VarTypeOf(tp.Type) == vtBstr) {
            const String temp = "Temp" + tp.Name;
            decls += "  BSTR " + temp + " = WideString(" + name + ").Copy();" + CRLF;
            post += "  SysFreeString(" + temp + ");" + CRLF;
            args += temp;
        } else {
            args += "(" + tp.Type + ")" + name;
        }
    }
    body = String("{") + CRLF + decls + pre + "  Fire_" + method.Member->Name + "(" + args + ");" + CRLF +
           post + "}" + CRLF;
}

void TActiveXCoClassExpert::GenAux(const TInterfaceMethod& method)
{
    if (method.Kind != imEvent || !method.Member) return;
    const TCppUnitClass* cls = FManager->FindClass(FImplName);
    if (!cls || cls->EventHookupPos == NoPosition) return;
    // the control's event calls the generated handler
    FManager->Insert(csHeader, cls->EventHookupPos,
                     String(CRLF) + "    " + FPrefix + method.Member->Name + " = std::bind_front(&" +
                         FImplName + "::" + method.Record.Name + ", this);");
}

void TActiveXCoClassExpert::GenPropertyGet(const TInterfaceMethod& method, String& body)
{
    GenProperty(method, body, false);
}

void TActiveXCoClassExpert::GenPropertySet(const TInterfaceMethod& method, String& body)
{
    GenProperty(method, body, true);
}

void TActiveXCoClassExpert::GenProperty(const TInterfaceMethod& method, String& body, bool setter)
{
    if (method.HeaderType() != 2) {
        body = kPlainBody;
        return;
    }
    IQBrowserCompilerBase* c = FBrowser ? FBrowser->Compiler() : nullptr;
    if (!c || !method.Member || method.Member->Params.empty()) return;
    const String name = method.Member->Name;
    const String tlbType = WithoutPointers(method.Member->Params.back().Type);
    const int vt = VarTypeOf(tlbType);
    // the ZUB property: Name() or GetName() with SetName(value); an object property (a pointer
    // to a class, changed in place) needs no setter
    const TSymbol cls = FBrowser->ClassSymbol();
    TSymbol getter = FindFunction(*c, cls, name, 0);
    if (!getter) getter = FindFunction(*c, cls, "Get" + name, 0);
    const TSymbol result = getter ? c->GetResultType(getter) : nullptr;
    if (!result) return;
    const bool object = c->GetTypeCode(result) == CppTypeCodes::Pointer && c->GetObjectType(result, 0);
    const bool settable = FindFunction(*c, cls, "Set" + name, 1) != nullptr;
    String zubType = TextOf(*c, result, 1);
    const int zubCode = ResolvedTypeCode(*c, result);
    const String read = FPrefix + TextOf(*c, getter, 0) + "()";
    const String write = FPrefix + "Set" + name;

    enum { None, Simple, Bstr, Object } kind = None;
    const String upper = UpperCase(tlbType);
    if (vt == vtBstr)
        kind = Bstr;
    else if (vt == vtUserDefined && (upper == "IFONTDISP" || upper == "IPICTUREDISP" || upper == "ISTRINGS"))
        kind = Object;
    else if ((vt >= 2 && vt <= 7) || vt == 11 || vt == 12 || (vt >= 16 && vt <= 23) || vt == vtUserDefined)
        kind = TTypeCodeToVarType(zubCode) == vt || zubType == "TCursor" ? Simple : None;
    // 9, 10, 13, 24 and above, 14 and 15 keep the standard body
    if (kind == None || (!settable && !(object && kind == Object))) return;
    const bool cast = zubType != tlbType && zubCode != CppTypeCodes::Bool;

    String lines;
    if (!setter) {
        switch (kind) {
        case Simple: lines = "    *Value = " + (cast ? "(" + tlbType + ")(" + read + ")" : read) + ";"; break;
        case Bstr: lines = "    *Value = WideString(" + read + ").Copy();"; break;
        default: lines = "    GetZubCtlProp(" + read + ", Value);"; break;
        }
        body = IntoTryBlock(body, lines + CRLF);
        return;
    }
    lines = Format("    const DISPID dispid = %d;", {method.Member->MemberId}) + CRLF +
            "    if (FireOnRequestEdit(dispid) == S_FALSE)" + CRLF + "      return S_FALSE;" + CRLF;
    switch (kind) {
    case Simple:
        lines += "    " + write + "(" + (cast ? "(" + zubType + ")(Value)" : String("Value")) + ");";
        break;
    case Bstr: lines += "    " + write + "(AnsiString(Value));"; break;
    default: lines += "    SetZubCtlProp(" + read + ", Value);"; break;
    }
    lines += String(CRLF) + "    FireOnChanged(dispid);" + CRLF;
    body = IntoTryBlock(body, lines);
}

void TActiveXCoClassExpert::GenMethod(const TInterfaceMethod& method, String& body)
{
    if (method.HeaderType() != 2) {
        body = kPlainBody;
        return;
    }
    IQBrowserCompilerBase* c = FBrowser ? FBrowser->Compiler() : nullptr;
    if (!c || !method.Member) return;
    const TTypeLibMember& m = *method.Member;
    const TSymbol fn = FindFunction(*c, FBrowser->ClassSymbol(), m.Name);
    if (!fn) {
        if (m.MemberId == -552 && SameText(m.Name, "ABOUTBOX"))
            body = IntoTryBlock(body, Format("    Show%sAbout();", {FCoClassName}) + CRLF);
        return;
    }
    std::vector<TTypeLibParam> params = m.Params;
    String retval;
    if (!params.empty() && (params.back().Flags & pfRetval)) {
        retval = params.back().Name;
        params.pop_back();
    }
    const std::vector<TSymbol> zub = MembersOf(*c, fn, CppMembers::Parameters);
    if (zub.size() != params.size()) return;
    String args;
    bool compatible = true;
    for (std::size_t i = 0; i < params.size(); ++i) {
        const int tlbVt = VarTypeOf(WithoutPointers(params[i].Type));
        const int zubVt = TTypeCodeToVarType(ResolvedTypeCode(*c, zub[i]));
        if (!args.empty()) args += ", ";
        if (tlbVt == zubVt) {
            args += params[i].Name;
        } else {
            compatible = false;
            args += Format("[INCOMPAT_TYPE(COMP(%d), TLB(%d), %s )]", {zubVt, tlbVt, params[i].Name});
        }
    }
    String call = FPrefix + m.Name + "(" + args + ");";
    // the control's result goes to the retval parameter; one the member has no place for is
    // dropped, and a procedure leaves the retval parameter alone
    if (!retval.empty() && c->GetResultType(fn)) call = "*" + retval + " = " + call;
    body = IntoTryBlock(body, (compatible ? "    " : "    // ") + call + CRLF);
}

// ---- TActiveXControlCoClassExpert ----

bool TActiveXControlCoClassExpert::ConnectToClass(const TCppUnitClass& cls)
{
    // ZUBCONTROL_IMPL(TAImpl, A, TWrapped, IA, DIID_IAEvents)
    const auto& bases = cls.BaseReferences;
    if (ImplToCoClassName(cls.Name).empty() || bases.size() < 4 || bases[0].Text != "ZUBCONTROL_IMPL")
        return false;
    TComponentClass wrapped = FindComponentClass(bases[3].Text);
    if (!wrapped || wrapped == &ClassTWinControl || !wrapped->InheritsFrom(&ClassTWinControl)) return false;
    FPrefix = "m_ZubCtl->";
    FWrapped = wrapped->ClassName;
    FUnits.clear();
    for (TComponentClass c = wrapped; c && c != &ClassTWinControl; c = c->Parent)
        if (c->UnitName && std::find(FUnits.begin(), FUnits.end(), c->UnitName) == FUnits.end())
            FUnits.push_back(c->UnitName);
    return !FUnits.empty();
}

std::unique_ptr<TCoClassComponentBrowser> TActiveXControlCoClassExpert::CreateComponentBrowser()
{
    return std::make_unique<TCoClassComponentBrowser>(FWrapped, FUnits.at(0));
}

// ---- TActiveFormCoClassExpert ----

bool TActiveFormCoClassExpert::ConnectToClass(const TCppUnitClass& cls)
{
    if (ImplToCoClassName(cls.Name).empty()) return false;
    // the unit's form is an Active Form: its designer root says so while the unit is open, else
    // its form class derives from TActiveForm
    bool form = false;
    if (TIntfPtr<IQFormModule> root = FormModuleOf(ModuleOfUnit(*FManager).get())) {
        form = SameText(root->RootClass(), "TACTIVEFORM");
    } else {
        for (const TCppUnitClass& k : FManager->Classes())
            for (const TCppReference& r : k.BaseReferences)
                if (SameText(r.Text, "TActiveForm")) form = true;
    }
    if (!form) return false;
    FUnits = {"AxCtrls"};
    FPrefix = "m_ZubCtl->";
    return true;
}

std::unique_ptr<TCoClassComponentBrowser> TActiveFormCoClassExpert::CreateComponentBrowser()
{
    return std::make_unique<TCoClassComponentBrowser>("TActiveForm", FUnits.at(0));
}
