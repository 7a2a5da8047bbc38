#include "host/CppClassManager.h"

#include <algorithm>

int TClassSymbol::MethodCount(const String& name) const
{
    return static_cast<int>(std::count_if(Methods.begin(), Methods.end(),
                                          [&](const TMethodSymbol& m) { return m.Name == name; }));
}

bool TIdlClassManagerHelperBase::ParseMethod(TCppScanner& s, TClassSymbol& cls, const TCppToken& name,
                                             const String& type)
{
    if (!s.Peek().Is("(")) return false;
    const std::size_t open = s.Next().End;
    int depth = 1;
    TCppToken t = s.Next();
    for (; t.Kind != TCppTokenKind::End; t = s.Next()) {
        if (t.Is("(")) ++depth;
        if (t.Is(")") && --depth == 0) break;
    }
    TMethodSymbol m;
    m.Name = name.Text;
    m.Type = type;
    m.Params = Trim(s.Text(open, t.Start));
    m.Line = name.Line;
    cls.Methods.push_back(m);
    return true;
}

String TIdlClassManagerHelperBase::ParseMethodType(TCppScanner& s, const TCppToken& first)
{
    std::size_t end = first.End;
    TCppToken prev = first;
    int angle = 0;
    while (true) {
        const TCppToken t = s.Peek();
        if (t.Kind == TCppTokenKind::End) break;
        if (angle == 0) {
            const bool ident = t.Kind == TCppTokenKind::Identifier;
            // an identifier after a complete type is what the type declares
            if (ident && t.Text != "const" &&
                ((prev.Kind == TCppTokenKind::Identifier && prev.Text != "const") || prev.Is("*") ||
                 prev.Is("&") || prev.Is(">")))
                break;
            if (!(ident || t.Is("::") || t.Is("*") || t.Is("&") || t.Is("<"))) break;
        }
        if (t.Is("<")) ++angle;
        if (t.Is(">")) --angle;
        s.Next();
        end = t.End;
        prev = t;
    }
    return Trim(s.Text(first.Start, end));
}

namespace {
// The types of a parameter list, one per parameter, blanks folded.
std::vector<String> ParameterTypes(const String& params)
{
    std::vector<String> out;
    TCppScanner s(params);
    String type;
    std::vector<TCppToken> tokens;
    auto flush = [&] {
        // the last identifier of a parameter of more than one token is its name
        if (tokens.size() > 1 && tokens.back().Kind == TCppTokenKind::Identifier &&
            tokens.back().Text != "const")
            tokens.pop_back();
        String t;
        for (const TCppToken& k : tokens) t += (t.empty() ? "" : " ") + k.Text;
        if (!(t.empty() || t == "void") || !out.empty()) out.push_back(t);
        tokens.clear();
    };
    int depth = 0;
    bool defaulted = false;
    for (TCppToken t = s.Next(); t.Kind != TCppTokenKind::End; t = s.Next()) {
        if (t.Is("(") || t.Is("<") || t.Is("[")) ++depth;
        if (t.Is(")") || t.Is(">") || t.Is("]")) --depth;
        if (depth == 0 && t.Is(",")) {
            flush();
            defaulted = false;
            continue;
        }
        if (depth == 0 && t.Is("=")) defaulted = true;
        if (!defaulted) tokens.push_back(t);
    }
    if (!tokens.empty() || !out.empty()) flush();
    return out;
}
}  // namespace

bool TIdlClassManagerHelperBase::SameParameters(const String& a, const String& b)
{
    return ParameterTypes(a) == ParameterTypes(b);
}

std::vector<std::unique_ptr<TClassSymbol>> ParseIdlImplClasses(TIdlClassManagerHelperBase& helper,
                                                               const String& header, const String& source,
                                                               const String& sourceFile)
{
    std::vector<std::unique_ptr<TClassSymbol>> out;
    TCppScanner s(header);
    for (TCppToken t = s.Next(); t.Kind != TCppTokenKind::End; t = s.Next()) {
        if (t.Kind != TCppTokenKind::Identifier || (t.Text != "class" && t.Text != "struct") ||
            s.Peek().Kind != TCppTokenKind::Identifier)
            continue;
        const TCppToken name = s.Next();
        if (auto cls = helper.ParseIdlImplClass(s, name)) {
            helper.ParseIdlImplMembers(s, *cls);
            out.push_back(std::move(cls));
        }
    }
    if (!source.empty()) {
        std::vector<TClassSymbol*> classes;
        for (auto& c : out) classes.push_back(c.get());
        helper.ParseIdlImplSource(source, sourceFile, classes);
    }
    return out;
}
