#include "host/CppClassUpdater.h"

#include <algorithm>
#include <cstdint>

#include "host/ModuleServices.h"
#include "rtl/Files.h"
#include "rtl/ScopeGuard.h"
#include "rtl/SysUtils.h"

// ---- method type records ----

namespace {

void PutShort(String& out, const String& s)
{
    if (s.size() > 255)
        throw EHostError("The name \"" + s.substr(0, 40) + "...\" is too long for a method record");
    out += static_cast<char>(s.size());
    out += s;
}

void PutWord(String& out, std::uint32_t w)
{
    for (int i = 0; i < 4; ++i) out += static_cast<char>((w >> (8 * i)) & 0xFF);
}

class TReader {
public:
    explicit TReader(const String& s) : FS(s) {}
    unsigned Byte()
    {
        if (FPos >= FS.size()) throw EHostError("The method record ends early");
        return static_cast<unsigned char>(FS[FPos++]);
    }
    std::uint32_t Word()
    {
        std::uint32_t w = 0;
        for (int i = 0; i < 4; ++i) w |= static_cast<std::uint32_t>(Byte()) << (8 * i);
        return w;
    }
    String Short()
    {
        const unsigned n = Byte();
        if (FPos + n > FS.size()) throw EHostError("The method record ends early");
        String s = FS.substr(FPos, n);
        FPos += n;
        return s;
    }

private:
    const String& FS;
    std::size_t FPos = 0;
};

constexpr std::uint32_t kRecordTag = 'H' | ('M' << 8) | ('I' << 16) | (static_cast<std::uint32_t>('T') << 24);

}  // namespace

String TMethodTypeInfo::Encode() const
{
    if (Params.size() > 255)
        throw EHostError("The method " + Name + " has too many parameters for a method record");
    String body;
    body += static_cast<char>(8);
    PutShort(body, Name);
    body += static_cast<char>(IsFunction ? 1 : 0);
    body += static_cast<char>(Params.size());
    for (const auto& p : Params) {
        body += static_cast<char>(p.Flags & 0xFF);
        PutShort(body, p.Name);
        PutShort(body, p.Type);
    }
    if (IsFunction) PutShort(body, ResultType);
    String out;
    PutWord(out, kRecordTag);
    PutWord(out, static_cast<std::uint32_t>(body.size() + 8));
    return out + body;
}

TMethodTypeInfo TMethodTypeInfo::Decode(const String& block)
{
    TReader r(block);
    if (block.size() < 8 || r.Word() != kRecordTag) throw EHostError("No method record");
    if (r.Word() != block.size()) throw EHostError("The method record's size is wrong");
    if (r.Byte() != 8) throw EHostError("The method record is of another kind");
    TMethodTypeInfo m;
    m.Name = r.Short();
    m.IsFunction = r.Byte() == 1;
    const unsigned n = r.Byte();
    for (unsigned i = 0; i < n; ++i) {
        TMethodTypeParam p;
        p.Flags = static_cast<int>(r.Byte());
        p.Name = r.Short();
        p.Type = r.Short();
        m.Params.push_back(p);
    }
    if (m.IsFunction) m.ResultType = r.Short();
    return m;
}

String CppMethodHeader(const TMethodTypeInfo& info, const String& className, int style, int headerType)
{
    String params;
    for (const auto& p : info.Params) {
        if (!params.empty()) params += ", ";
        // a handler's types are the compiler's spelling: "TObject *" goes before the name unspaced
        const bool tight =
            headerType == 0 && !p.Type.empty() && (p.Type.back() == '*' || p.Type.back() == '&');
        params += p.Type + (tight ? "" : " ") + p.Name;
    }
    const bool hresult = info.IsFunction && info.ResultType == "HRESULT";
    const String result = info.IsFunction ? info.ResultType : String("void");
    if (headerType == 0) {
        if (style == mhDeclaration) return result + " " + info.Name + "(" + params + ");";
        if (style == mhImplementation)
            return result + " " + className + "::" + info.Name + "(" + params + ")";
    }
    if (style == mhDeclaration) {
        const String head =
            hresult ? "STDMETHOD(" + info.Name + ")" : "STDMETHOD_(" + result + ", " + info.Name + ")";
        return head + "(" + params + ");";
    }
    if (style == mhImplementation) {
        const String head = hresult ? String("STDMETHODIMP ") : "STDMETHODIMP_(" + result + ") ";
        return head + className + "::" + info.Name + "(" + params + ")";
    }
    throw EHostError("Unknown method header style " + IntToStr(style));
}

String CoClassToImplName(const String& coClassName) { return "T" + coClassName + "Impl"; }

String ImplToCoClassName(const String& implName)
{
    if (implName.size() <= 5 || implName[0] != 'T' || implName.substr(implName.size() - 4) != "Impl")
        return "";
    return implName.substr(1, implName.size() - 5);
}

String GetPropPrefix(int invokeKind)
{
    switch (invokeKind) {
    case 2: return "get_";
    case 4: return "set_";
    case 8: return "_set_";
    default: return "";
    }
}

// ---- the class manager ----

const TCppMethodPlace* TCppUnitClass::FindMethod(const String& name) const
{
    for (const auto& m : Methods)
        if (SameText(m.Name, name)) return &m;
    return nullptr;
}

TCppClassManager::TCppClassManager(String sourceFile) : FSource(std::move(sourceFile)) {}

String TCppClassManager::HeaderFile() const { return ChangeFileExt(FSource, ".h"); }

String TCppClassManager::UnitName() const { return ChangeFileExt(ExtractFileName(FSource), ""); }

const TCppUnitClass* TCppClassManager::FindClass(const String& name) const
{
    for (const auto& c : FClasses)
        if (c.Name == name) return &c;
    return nullptr;
}

const TCppInclude* TCppClassManager::FindInclude(const String& name) const
{
    for (const auto& i : FIncludes)
        if (SameText(i.Name, name)) return &i;
    return nullptr;
}

namespace {

// The #include lines of a text.
std::vector<TCppInclude> ReadIncludes(const String& text)
{
    std::vector<TCppInclude> list;
    for (std::size_t at = 0; at < text.size();) {
        std::size_t end = text.find('\n', at);
        if (end == String::npos) end = text.size();
        const std::size_t lineEnd = end > at && text[end - 1] == '\r' ? end - 1 : end;
        std::size_t p = at;
        const auto blanks = [&] {
            while (p < lineEnd && (text[p] == ' ' || text[p] == '\t')) ++p;
        };
        blanks();
        const std::size_t hash = p;
        if (p < lineEnd && text[p] == '#') {
            ++p;
            blanks();
            if (text.compare(p, 7, "include") == 0) {
                p += 7;
                blanks();
                const char close = p < lineEnd ? (text[p] == '"' ? '"' : text[p] == '<' ? '>' : 0) : 0;
                const std::size_t stop = close ? text.find(close, p + 1) : String::npos;
                if (stop != String::npos && stop < lineEnd)
                    list.push_back({text.substr(p + 1, stop - p - 1), hash, lineEnd});
            }
        }
        at = end + 1;
    }
    return list;
}

// The offset of the line break that ends the line before pos ("\r\n" counted from its "\r").
std::size_t EndOfLineBefore(const String& text, std::size_t pos)
{
    const std::size_t nl = text.rfind('\n', pos == 0 ? 0 : pos - 1);
    if (nl == String::npos) return 0;
    return nl > 0 && text[nl - 1] == '\r' ? nl - 1 : nl;
}

// Skips a balanced "(...)" with the scanner before "("; the ")" token.
TCppToken SkipParens(TCppScanner& s)
{
    TCppToken t = s.Next();
    if (!t.Is("(")) return t;
    int depth = 1;
    for (t = s.Next(); t.Kind != TCppTokenKind::End; t = s.Next()) {
        if (t.Is("(")) ++depth;
        if (t.Is(")") && --depth == 0) break;
    }
    return t;
}

// In the body that follows (the scanner after the header's ")"): "const DISPID dispid = N;".
void FindDispId(TCppScanner& s, TCppMethodPlace& m)
{
    const std::size_t save = s.Position();
    TScopeGuard back([&] { s.SetPosition(save); });
    if (!s.Next().Is("{")) return;
    int depth = 1;
    std::vector<TCppToken> last;  // the tokens before ";", at most seven
    for (TCppToken t = s.Next(); t.Kind != TCppTokenKind::End; t = s.Next()) {
        if (t.Is("{")) ++depth;
        if (t.Is("}") && --depth == 0) return;
        if (!t.Is(";")) {
            last.push_back(t);
            if (last.size() > 7) last.erase(last.begin());
            continue;
        }
        // const DISPID dispid = [-] N ;
        for (const std::size_t n : {std::size_t(5), std::size_t(6)}) {
            if (last.size() < n) continue;
            const TCppToken* w = last.data() + last.size() - n;
            const bool minus = n == 6;
            if (w[0].Text == "const" && w[1].Text == "DISPID" && w[2].Text == "dispid" && w[3].Is("=") &&
                (!minus || w[4].Is("-")) && w[n - 1].Kind == TCppTokenKind::Number) {
                m.DispIdPos = w[4].Start;
                m.DispIdText = s.Source().substr(w[4].Start, w[n - 1].End - w[4].Start);
                return;
            }
        }
        last.clear();
    }
}

// The tokens of one argument each, split at the commas outside brackets, up to the closing
// bracket of the list (the scanner after its opening one).
std::vector<String> ReadArguments(TCppScanner& s, const char* open, const char* close)
{
    std::vector<String> args(1);
    int depth = 1;
    for (TCppToken t = s.Next(); t.Kind != TCppTokenKind::End; t = s.Next()) {
        if (t.Is(open) || t.Is("(")) ++depth;
        if ((t.Is(close) || t.Is(")")) && --depth == 0) break;
        if (depth == 1 && t.Is(",")) {
            args.emplace_back();
            continue;
        }
        args.back() += t.Text;
    }
    return args;
}

// The implementation base of a class and the ZUB class it wraps, from its base list.
void ReadImplBase(const String& bases, TCppUnitClass& cls)
{
    TCppScanner s(bases);
    const TCppToken first = s.Next();
    if (first.Kind != TCppTokenKind::Identifier) return;
    cls.ImplBase = first.Text;
    if (first.Text == "ZUBCONTROL_IMPL" || first.Text == "PROPERTYPAGE_IMPL") {
        if (!s.Next().Is("(")) return;
        const std::vector<String> args = ReadArguments(s, "(", ")");
        if (args.size() >= 3) cls.WrappedClass = args[2];
        return;
    }
    if (first.Text != "public") return;
    for (TCppToken t = s.Next(); t.Kind != TCppTokenKind::End; t = s.Next())
        if ((t.Text == "TZubControlImpl" || t.Text == "TPropertyPageImpl") && s.Peek().Is("<")) {
            s.Next();
            cls.WrappedClass = ReadArguments(s, "<", ">").front();
            return;
        }
}

// Walks a class body after its "{" up to the matching "}": the places the class updater edits
// and the member functions it declares.
class TClassBodyParser {
public:
    TClassBodyParser(TCppScanner& s, TCppUnitClass& cls, std::size_t braceEnd) : FScan(s), FClass(cls)
    {
        FPrev.End = braceEnd;
    }

    void Run()
    {
        while (true) {
            const TCppToken t = FScan.Next();
            if (t.Kind == TCppTokenKind::End) return;
            if (FDepth == 1 && FStatement == NoPosition && !t.Is(";") && !t.Is("}")) FStatement = t.Start;
            TakeLicence(t);
            if (t.Is("{")) ++FDepth;
            if (t.Is("}") && --FDepth == 0) {
                if (FIsPublic) FClass.MemberInsertPos = FPrev.End;
                if (FClass.EventInsertPos == NoPosition) FClass.EventInsertPos = FPrev.End;
                return;
            }
            if (FDepth == 1 && (t.Is(";") || t.Is("}") || t.Is(":") || t.Is("{"))) FStatement = NoPosition;
            if (FDepth == 1 && t.Kind == TCppTokenKind::Identifier) {
                Access(t);
                if (EventHookup(t) || PlainMethod(t) || Declaration(t)) continue;
            }
            FPrev = t;
        }
    }

private:
    void TakeLicence(const TCppToken& t)
    {
        if (!FLicence || t.Kind != TCppTokenKind::String) return;
        FClass.LicencePos = t.Start;
        FClass.LicenceText = t.Text;
        FLicence = false;
    }

    // new members go at the end of the last public section, event handlers at the end of the
    // class's own section
    void Access(const TCppToken& t)
    {
        if ((t.Text == "public" || t.Text == "protected" || t.Text == "private") && FScan.Peek().Is(":")) {
            if (FIsPublic) FClass.MemberInsertPos = FPrev.End;
            if (FClass.EventInsertPos == NoPosition) FClass.EventInsertPos = FPrev.End;
            FIsPublic = t.Text == "public";
        }
    }

    // void InitializeControl() { ... }: the end of its last line before "}"
    bool EventHookup(const TCppToken& t)
    {
        if (t.Text != "InitializeControl" || !FScan.Peek().Is("(")) return false;
        const std::size_t save = FScan.Position();
        if (!SkipParens(FScan).Is(")") || !FScan.Peek().Is("{")) {
            FScan.SetPosition(save);
            return false;
        }
        TCppToken last = FScan.Next();
        int inner = 1;
        for (TCppToken u = FScan.Next(); u.Kind != TCppTokenKind::End; u = FScan.Next()) {
            if (u.Is("{")) ++inner;
            if (u.Is("}") && --inner == 0) break;
            last = u;
        }
        FClass.EventHookupPos = last.End;
        FPrev = last;
        FStatement = NoPosition;
        return true;
    }

    // a plain member function: Type Name(...);  (event handlers)
    bool PlainMethod(const TCppToken& t)
    {
        if (!FScan.Peek().Is("(") || FStatement == NoPosition || FStatement >= t.Start ||
            !(FPrev.Kind == TCppTokenKind::Identifier || FPrev.Is("*") || FPrev.Is("&")) ||
            FPrev.Text == "STDMETHOD" || FPrev.Text == "STDMETHOD_")
            return false;
        const std::size_t save = FScan.Position();
        if (!SkipParens(FScan).Is(")") || !FScan.Peek().Is(";")) {
            FScan.SetPosition(save);
            return false;
        }
        const std::size_t end = AddMethod(t.Text, FStatement);
        FPrev.Kind = TCppTokenKind::Symbol;
        FPrev.Text = ";";
        FPrev.End = end;
        return true;
    }

    // The macros that mark what the class registers, persists, licenses and implements.
    bool Declaration(const TCppToken& t)
    {
        if ((t.Text == "DECLARE_PROGID" || t.Text == "DECLARE_ACTIVEXCONTROL_REGISTRY") &&
            FScan.Peek().Is("(")) {
            FScan.Next();
            const std::size_t nl = FScan.Source().rfind('\n', t.Start);
            FClass.RegistryLinePos = nl == String::npos ? 0 : nl + 1;
            const TCppToken lit = FScan.Peek();
            if (lit.Kind == TCppTokenKind::String) {
                FClass.ProgIdPos = lit.Start;
                FClass.ProgIdText = lit.Text;
            }
            if (t.Text == "DECLARE_ACTIVEXCONTROL_REGISTRY") {
                const std::size_t save = FScan.Position();
                const std::vector<String> args = ReadArguments(FScan, "(", ")");
                FScan.SetPosition(save);
                if (args.size() >= 2) FClass.ToolboxBitmap = StrToIntDef(args[1], 0);
            }
        } else if (t.Text == "DECLARE_ZUB_CONTROL_PERSISTENCE") {
            FClass.HasPersistence = true;
        } else if (t.Text == "GetLicenseFileName") {
            FLicence = true;
        } else if (t.Text == "END_COM_MAP") {
            FClass.ComMapPos = FPrev.End;
        } else if (t.Text == "STDMETHOD" || t.Text == "STDMETHOD_") {
            return StdMethod(t);
        }
        return false;
    }

    // STDMETHOD(Name)(...);  STDMETHOD_(Type, Name)(...);
    bool StdMethod(const TCppToken& t)
    {
        const std::size_t save = FScan.Position();
        TCppToken name;
        if (FScan.Next().Is("(")) {
            for (TCppToken u = FScan.Next(); u.Kind != TCppTokenKind::End && !u.Is(")"); u = FScan.Next())
                if (u.Kind == TCppTokenKind::Identifier) name = u;
        }
        const TCppToken close = SkipParens(FScan);
        if (name.Kind != TCppTokenKind::Identifier || !close.Is(")") || !FScan.Peek().Is(";")) {
            FScan.SetPosition(save);
            return false;
        }
        const std::size_t end = AddMethod(name.Text, t.Start);
        FPrev = FScan.Peek();
        FPrev.End = end;
        return true;
    }

    // The declaration from declPos to the ";" ahead; returns where it ends.
    std::size_t AddMethod(const String& name, std::size_t declPos)
    {
        TCppMethodPlace m;
        m.Name = name;
        m.DeclPos = declPos;
        m.DeclEnd = FScan.Next().End;
        FClass.Methods.push_back(m);
        FStatement = NoPosition;
        return m.DeclEnd;
    }

    TCppScanner& FScan;
    TCppUnitClass& FClass;
    int FDepth = 1;
    TCppToken FPrev;
    bool FLicence = false;  // the next literal is the licence file's
    bool FIsPublic = false;
    std::size_t FStatement = NoPosition;  // where the current member declaration began
};

void ParseClassBody(TCppScanner& s, TCppUnitClass& cls, std::size_t braceEnd)
{
    TClassBodyParser(s, cls, braceEnd).Run();
}

}  // namespace

void TCppClassManager::Parse()
{
    FEdits.clear();
    FClasses.clear();
    FHeaderText = FileExists(HeaderFile()) ? ReadFileBytes(HeaderFile()) : String();
    FSourceText = FileExists(FSource) ? ReadFileBytes(FSource) : String();
    FIncludes = ReadIncludes(FHeaderText);
    FIdlClasses.clear();
    if (IdlClassManagerHelperClass) {
        std::unique_ptr<TIdlClassManagerHelperBase> helper(IdlClassManagerHelperClass());
        FIdlClasses = ParseIdlImplClasses(*helper, FHeaderText, FSourceText, FSource);
    }
    TCppScanner s(FHeaderText);
    while (true) {
        const TCppToken t = s.Next();
        if (t.Kind == TCppTokenKind::End) break;
        if (t.Kind != TCppTokenKind::Identifier || (t.Text != "class" && t.Text != "struct")) continue;
        // class [ATL_NO_VTABLE] Name [: bases] {
        TCppToken name;
        TCppToken u = s.Next();
        while (u.Kind == TCppTokenKind::Identifier) {
            name = u;
            u = s.Next();
        }
        if (name.Kind != TCppTokenKind::Identifier || !(u.Is(":") || u.Is("{"))) continue;
        TCppUnitClass cls;
        cls.Name = name.Text;
        if (u.Is(":")) {
            const std::size_t colonEnd = u.End;
            TCppToken last = u;
            for (u = s.Next(); u.Kind != TCppTokenKind::End && !u.Is("{"); u = s.Next()) {
                if (u.Kind == TCppTokenKind::Identifier)
                    cls.BaseReferences.push_back({csHeader, u.Start, u.Text});
                last = u;
            }
            cls.BaseListPos = last.End;
            if (u.Is("{")) ReadImplBase(FHeaderText.substr(colonEnd, u.Start - colonEnd), cls);
        }
        if (!u.Is("{")) break;
        ParseClassBody(s, cls, u.End);
        FClasses.push_back(std::move(cls));
    }
    // implementations: STDMETHODIMP[_(Type)] Class::Name(...)
    TCppScanner c(FSourceText);
    while (true) {
        const TCppToken t = c.Next();
        if (t.Kind == TCppTokenKind::End) break;
        if (t.Kind != TCppTokenKind::Identifier || (t.Text != "STDMETHODIMP" && t.Text != "STDMETHODIMP_"))
            continue;
        if (t.Text == "STDMETHODIMP_") SkipParens(c);
        const TCppToken cls = c.Next();
        if (cls.Kind != TCppTokenKind::Identifier || !c.Next().Is("::")) continue;
        const TCppToken name = c.Next();
        if (name.Kind != TCppTokenKind::Identifier || !c.Peek().Is("(")) continue;
        const TCppToken close = SkipParens(c);
        if (!close.Is(")")) break;
        for (auto& k : FClasses) {
            if (k.Name != cls.Text) continue;
            for (auto& m : k.Methods)
                if (m.Name == name.Text && m.ImplPos == NoPosition) {
                    m.ImplPos = EndOfLineBefore(FSourceText, t.Start);
                    m.ImplEnd = close.End;
                    FindDispId(c, m);
                    break;
                }
        }
    }
    // plain member functions outside any body: Type Class::Name(...) {
    TCppScanner p(FSourceText);
    int depth = 0;
    TCppToken prev;
    for (TCppToken t = p.Next(); t.Kind != TCppTokenKind::End; prev = t, t = p.Next()) {
        if (t.Is("{")) ++depth;
        if (t.Is("}") && depth > 0) --depth;
        if (depth != 0 || t.Kind != TCppTokenKind::Identifier || prev.Text == "STDMETHODIMP" ||
            !(prev.Kind == TCppTokenKind::Identifier || prev.Is("*") || prev.Is("&")))
            continue;
        TCppUnitClass* k = nullptr;
        for (auto& c : FClasses)
            if (c.Name == t.Text) k = &c;
        if (!k || !p.Peek().Is("::")) continue;
        const std::size_t save = p.Position();
        p.Next();
        const TCppToken name = p.Next();
        TCppMethodPlace* m = nullptr;
        for (auto& c : k->Methods)
            if (c.Name == name.Text && c.ImplPos == NoPosition) m = &c;
        if (!m || name.Kind != TCppTokenKind::Identifier || !p.Peek().Is("(")) {
            p.SetPosition(save);
            continue;
        }
        const TCppToken close = SkipParens(p);
        if (!close.Is(")") || !p.Peek().Is("{")) {
            p.SetPosition(save);
            continue;
        }
        m->ImplPos = EndOfLineBefore(FSourceText, t.Start);
        m->ImplEnd = close.End;
        t = close;
    }
}

std::vector<TCppReference> TCppClassManager::References(const String& name) const
{
    std::vector<TCppReference> refs;
    for (int section : {csHeader, csSource}) {
        TCppScanner s(Text(section));
        for (TCppToken t = s.Next(); t.Kind != TCppTokenKind::End; t = s.Next())
            if (t.Kind == TCppTokenKind::Identifier && t.Text == name)
                refs.push_back({section, t.Start, t.Text});
    }
    return refs;
}

void TCppClassManager::Insert(int section, std::size_t pos, const String& text)
{
    Replace(section, pos, 0, text);
}

void TCppClassManager::Delete(int section, std::size_t pos, std::size_t length)
{
    Replace(section, pos, length, "");
}

void TCppClassManager::Replace(int section, std::size_t pos, std::size_t length, const String& text)
{
    FEdits.push_back({section, pos, length, text});
}

String TCppClassManager::Apply(int section) const
{
    const String& text = Text(section);
    std::vector<const TEdit*> edits;
    for (const auto& e : FEdits)
        if (e.Section == section) edits.push_back(&e);
    // by position; edits at one position keep the order they were made in
    std::stable_sort(edits.begin(), edits.end(),
                     [](const TEdit* a, const TEdit* b) { return a->Pos < b->Pos; });
    String out;
    std::size_t at = 0;
    for (const TEdit* e : edits) {
        if (e->Pos > text.size() || e->Length > text.size() - e->Pos)
            throw EHostError("An edit of " + UnitName() + " lies outside its text");
        if (e->Pos < at) throw EHostError("Two edits of " + UnitName() + " overlap");
        out += text.substr(at, e->Pos - at);
        out += e->Text;
        at = e->Pos + e->Length;
    }
    return out + text.substr(at);
}

void TCppClassManager::Commit()
{
    String header, source;
    {
        TScopeGuard clearEdits([&] { FEdits.clear(); });
        header = Apply(csHeader);
        source = Apply(csSource);
    }
    const String oldHeader = FHeaderText;
    if (header != FHeaderText) AtomicWriteFile(HeaderFile(), header);
    if (source != FSourceText) {
        // the unit changes whole or not at all
        TScopeGuard restoreHeader([&] {
            if (header != oldHeader) AtomicWriteFile(HeaderFile(), oldHeader);
        });
        AtomicWriteFile(FSource, source);
        restoreHeader.Dismiss();
    }
    Parse();
}

void TCppClassManager::Restore(const TSnapshot& snapshot)
{
    FEdits.clear();
    const String header = HeaderFile();
    if (!FileExists(header) || ReadFileBytes(header) != snapshot.Header)
        AtomicWriteFile(header, snapshot.Header);
    if (!FileExists(FSource) || ReadFileBytes(FSource) != snapshot.Source)
        AtomicWriteFile(FSource, snapshot.Source);
    Parse();
}

std::unique_ptr<TCppClassManager> GetClassManager(IQModule* module)
{
    if (!module) return nullptr;
    const String file = module->FileName();
    if (!SameText(ExtractFileExt(file), ".cpp") || !FileExists(file)) return nullptr;
    auto m = std::make_unique<TCppClassManager>(file);
    m->Parse();
    return m;
}

int UpdateClassNames(TCppClassManager& manager, const String& oldCoClass, const String& newCoClass)
{
    int n = 0;
    const std::pair<String, String> names[] = {
        {CoClassToImplName(oldCoClass), CoClassToImplName(newCoClass)},
        {"CLSID_" + oldCoClass, "CLSID_" + newCoClass},
    };
    for (const auto& [from, to] : names)
        for (const auto& r : manager.References(from)) {
            manager.Replace(r.Section, r.Pos, from.size(), to);
            ++n;
        }
    // a base-list macro names the CoClass itself: ZUBCONTROL_IMPL(TAImpl, A, ...)
    for (const auto& c : manager.Classes())
        for (const auto& r : c.BaseReferences)
            if (r.Text == oldCoClass) {
                manager.Replace(r.Section, r.Pos, oldCoClass.size(), newCoClass);
                ++n;
            }
    return n;
}
