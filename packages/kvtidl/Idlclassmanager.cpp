#include "Idlclassmanager.h"

#include <map>

namespace {

bool IsSkeletonName(const String& name) { return name.size() > 4 && name.compare(0, 4, "_sk_") == 0; }

std::size_t LineStart(const String& text, std::size_t pos)
{
    const std::size_t nl = pos == 0 ? String::npos : text.rfind('\n', pos - 1);
    return nl == String::npos ? 0 : nl + 1;
}

std::size_t NextLineStart(const String& text, std::size_t pos)
{
    const std::size_t nl = text.find('\n', pos);
    return nl == String::npos ? text.size() : nl + 1;
}

// With the scanner after an opening token: past its closing partner; the closing token.
TCppToken SkipBalanced(TCppScanner& s, const char* open, const char* close)
{
    int depth = 1;
    TCppToken t = s.Next();
    for (; t.Kind != TCppTokenKind::End; t = s.Next()) {
        if (t.Is(open)) ++depth;
        if (t.Is(close) && --depth == 0) break;
    }
    return t;
}

}  // namespace

std::unique_ptr<TClassSymbol> TIdlClassManagerHelper::ParseIdlImplClass(TCppScanner& s, const TCppToken& name)
{
    auto cls = std::make_unique<TClassSymbol>(name.Text, name.Line);
    const bool comments = s.ReturnComments;
    s.ReturnComments = true;
    struct TRestore {
        TCppScanner& S;
        bool Comments;
        ~TRestore() { S.ReturnComments = Comments; }
    } restore{s, comments};
    bool markedByComment = false, inBases = false;
    for (TCppToken t = s.Next(); t.Kind != TCppTokenKind::End; t = s.Next()) {
        if (t.Kind == TCppTokenKind::Comment) {
            if (t.Line == t.EndLine && !markedByComment)
                markedByComment = ParseIdlImplComment(t.Text, t.Start, *cls);
            continue;
        }
        if (t.Is(";")) return nullptr;
        if (t.Is("{")) return cls;
        if (t.Is(":")) {
            inBases = true;
            continue;
        }
        if (inBases && !markedByComment && cls->IdlInterfaceName.empty() &&
            t.Kind == TCppTokenKind::Identifier && IsSkeletonName(t.Text)) {
            String interfaceName = t.Text;
            for (TCppToken n = s.Peek(); n.Kind == TCppTokenKind::Identifier || n.Is("::"); n = s.Peek())
                interfaceName += s.Next().Text;
            cls->IdlInterfaceName = interfaceName;
            cls->IdlInterfacePos = t.Start;
        }
    }
    return nullptr;
}

bool TIdlClassManagerHelper::ParseIdlImplComment(const String& comment, std::size_t pos, TClassSymbol& cls)
{
    for (std::size_t open = comment.find("/*"); open != String::npos; open = comment.find("/*", open + 2)) {
        const std::size_t close = comment.find("*/", open + 2);
        if (close == String::npos) return false;
        const String inner = comment.substr(open + 2, close - open - 2);
        std::size_t marker = inner.find(": CORBAIdlInterface");
        if (marker == String::npos) marker = inner.find(" :CORBAIdlInterface");
        if (marker == String::npos) continue;
        const String before = inner.substr(0, marker);
        const std::size_t first = before.find_first_not_of(" \t");
        cls.IdlInterfaceName = Trim(before);
        cls.IdlInterfacePos = pos + open + 2 + (first == String::npos ? 0 : first);
        return true;
    }
    return false;
}

void TIdlClassManagerHelper::ParseIdlImplMembers(TCppScanner& s, TClassSymbol& cls)
{
    const String& text = s.Source();
    bool inDeclaration = false;
    for (TCppToken t = s.Next(); t.Kind != TCppTokenKind::End; t = s.Next()) {
        if (t.Is("}")) {
            cls.EndPos = LineStart(text, t.Start);
            return;
        }
        if (t.Is("{")) {  // an inline body or a nested class: skipped as a block
            SkipBalanced(s, "{", "}");
            inDeclaration = false;
            continue;
        }
        if (t.Is(";")) {
            inDeclaration = false;
            continue;
        }
        if (t.Kind == TCppTokenKind::Identifier &&
            (t.Text == "public" || t.Text == "protected" || t.Text == "private") && s.Peek().Is(":")) {
            s.Next();
            cls.AccessLabelPos.push_back(LineStart(text, t.Start));
            cls.MemberInsertPos = t.Text == "private" ? NextLineStart(text, t.End) : LineStart(text, t.Start);
            continue;
        }
        if (!inDeclaration) {
            inDeclaration = true;
            if (cls.FirstMemberPos == NoPosition) cls.FirstMemberPos = LineStart(text, t.Start);
        }
        if (t.Kind != TCppTokenKind::Identifier) continue;
        if (t.Text == "STDMETHOD" && s.Peek().Is("(")) {
            s.Next();
            const TCppToken name = s.Next();
            if (s.Peek().Is(")")) s.Next();
            ParseMethod(s, cls, name, "HRESULT");
            continue;
        }
        if (ParseMethod(s, cls, t, "")) continue;  // a constructor
        String type = ParseMethodType(s, t);
        for (TCppToken n = s.Peek(); n.Kind == TCppTokenKind::Identifier; n = s.Peek()) {
            s.Next();
            if (n.Text == "__fastcall" || n.Text == "STDMETHODCALLTYPE")
                continue;  // the type gathered stands
            if (ParseMethod(s, cls, n, type)) break;
            type = ParseMethodType(s, n);
        }
    }
}

void TIdlClassManagerHelper::ParseIdlImplSource(const String& text, const String& fileName,
                                                std::vector<TClassSymbol*>& classes)
{
    std::map<String, TClassSymbol*> interest;
    for (TClassSymbol* c : classes) {
        bool wanted = !c->IdlInterfaceName.empty();
        for (TMethodSymbol& m : c->Methods) {
            if (c->MethodCount(m.Name) > 1) {
                m.CodePos = NoPosition;
                wanted = true;
            } else if (m.CodePos == NoPosition) {
                wanted = true;
            }
        }
        if (wanted) interest[c->Name] = c;
    }
    TCppScanner s(text);
    for (TCppToken t = s.Next(); t.Kind != TCppTokenKind::End; t = s.Next()) {
        if (t.Kind != TCppTokenKind::Identifier || !interest.count(t.Text) || !s.Peek().Is("::")) continue;
        s.Next();
        const TCppToken m = s.Next();
        if (m.Kind != TCppTokenKind::Identifier) continue;
        TClassSymbol& cls = *interest[t.Text];
        if (m.Text == cls.Name) {
            // the constructor: its initializer of the skeleton
            if (!s.Peek().Is("(")) continue;
            s.Next();
            SkipBalanced(s, "(", ")");
            if (!s.Peek().Is(":")) continue;
            s.Next();
            while (true) {
                const TCppToken first = s.Peek();
                String name;
                while (s.Peek().Kind != TCppTokenKind::End && !s.Peek().Is("(") && !s.Peek().Is("{"))
                    name += s.Next().Text;
                if (!s.Peek().Is("(")) break;
                s.Next();
                if (!cls.IdlInterfaceName.empty() && SameText(name, cls.IdlInterfaceName))
                    cls.IdlInitializerPos = first.Start;
                SkipBalanced(s, "(", ")");
                if (!s.Peek().Is(",")) break;
                s.Next();
            }
            continue;
        }
        std::vector<TMethodSymbol*> candidates;
        for (TMethodSymbol& method : cls.Methods)
            if (method.Name == m.Text && (method.CodePos == NoPosition || method.CodeSource == fileName))
                candidates.push_back(&method);
        if (candidates.empty() || !s.Peek().Is("(")) continue;
        const std::size_t open = s.Next().End;
        const TCppToken close = SkipBalanced(s, "(", ")");
        const String params = s.Text(open, close.Start);
        while (s.Peek().Kind == TCppTokenKind::Identifier && s.Peek().Text == "const") s.Next();
        if (!s.Peek().Is("{")) continue;
        const TCppToken begin = s.Next();
        // the body, by its braces; a "__fastcall" inside means the braces went wrong
        int depth = 1;
        TCppToken end = s.Next();
        for (; end.Kind != TCppTokenKind::End; end = s.Next()) {
            if (end.Kind == TCppTokenKind::Identifier && end.Text == "__fastcall") break;
            if (end.Is("{")) ++depth;
            if (end.Is("}") && --depth == 0) break;
        }
        if (!end.Is("}")) continue;
        TMethodSymbol* target = nullptr;
        if (cls.MethodCount(m.Text) > 1) {
            for (TMethodSymbol* c : candidates)
                if (SameParameters(c->Params, params)) target = c;
        } else {
            target = candidates.front();
        }
        if (!target) continue;
        target->CodePos = LineStart(text, t.Start);
        target->NamePos = m.Start;
        target->HeaderEnd = close.End;
        target->BeginPos = begin.Start;
        target->CodeBegin = begin.End;
        target->CodeEnd = end.Start;
        target->CodeSource = fileName;
        target->Empty = s.Text(begin.End, end.Start).find_first_not_of(" \t\r\n") == String::npos;
    }
}

TIdlClassManagerHelperBase* NewIdlClassManagerHelper() { return new TIdlClassManagerHelper; }
