#include "host/MakeFile.h"

#include <unordered_map>

namespace {
const char* const CRLF = "\r\n";
}

std::vector<TMakeFileText::TLine> TMakeFileText::SplitLines(const String& text)
{
    std::vector<TLine> lines;
    long pos = 0;
    const long n = static_cast<long>(text.size());
    while (pos < n) {
        long e = pos;
        while (e < n && text[e] != '\n') ++e;
        String t = text.substr(pos, e - pos);
        if (!t.empty() && t.back() == '\r') t.pop_back();
        lines.push_back({pos, e < n ? e + 1 : e, t});
        pos = e + 1;
    }
    return lines;
}

bool TMakeFileText::BeginsStatement(const String& line)
{
    return !line.empty() && line[0] != ' ' && line[0] != '\t' && line[0] != '#' && line[0] != '!';
}

namespace {

// Make strips blanks and tabs around values and continuations, nothing else.
String TrimBlanksRight(const String& s)
{
    const auto e = s.find_last_not_of(" \t");
    return e == String::npos ? String() : s.substr(0, e + 1);
}

String TrimBlanks(const String& s)
{
    const auto b = s.find_first_not_of(" \t");
    return b == String::npos ? String() : TrimBlanksRight(s.substr(b));
}

struct TDefinition {
    long Start, End;
    String Value;  // the macro's value after this definition
    String Prev;  // its value before
    bool Appends;  // "+=", or "$(NAME)" first in the value
    String Comment;  // the statement's comment, with its "#"
};

bool EndsContinued(const String& line)
{
    const String t = TrimBlanksRight(line);
    return !t.empty() && t.back() == '\\';
}

// The statement without its comment; `comment` gets the comment. "\#" is a "#".
String StripComment(const String& s, String& comment)
{
    String r;
    for (std::size_t i = 0; i < s.size(); ++i) {
        if (s[i] == '\\' && i + 1 < s.size() && s[i + 1] == '#') {
            r += '#';
            ++i;
        } else if (s[i] == '#') {
            comment = TrimBlanksRight(s.substr(i));
            break;
        } else {
            r += s[i];
        }
    }
    return r;
}

// Every "$(name)" and "${name}" in `s` replaced by `value`.
String ExpandSelf(const String& s, const String& name, const String& value)
{
    String r;
    for (std::size_t i = 0; i < s.size();) {
        if (s[i] == '$' && i + 1 < s.size() && (s[i + 1] == '(' || s[i + 1] == '{')) {
            const char close = s[i + 1] == '(' ? ')' : '}';
            if (s.compare(i + 2, name.size(), name) == 0 && i + 2 + name.size() < s.size() &&
                s[i + 2 + name.size()] == close) {
                r += value;
                i += name.size() + 3;
                continue;
            }
        }
        r += s[i++];
    }
    return r;
}

bool BeginsWithSelf(const String& raw, const String& name)
{
    for (const String& ref : {"$(" + name + ")", "${" + name + "}"})
        if (raw.compare(0, ref.size(), ref) == 0 &&
            (raw.size() == ref.size() || raw[ref.size()] == ' ' || raw[ref.size()] == '\t'))
            return true;
    return false;
}

String EscapeComment(const String& value)
{
    String r;
    for (char c : value) {
        if (c == '#') r += '\\';
        r += c;
    }
    return r;
}

}  // namespace

struct TMakeFileText::TIndex {
    struct TMacro {
        String Name;
        std::vector<TDefinition> Defs;
    };
    std::vector<TMacro> Macros;  // in order of the first definition
    std::unordered_map<String, std::size_t> ByName;
    const TMacro* Find(const String& name) const
    {
        const auto it = ByName.find(name);
        return it == ByName.end() ? nullptr : &Macros[it->second];
    }
};

const TMakeFileText::TIndex& TMakeFileText::Index() const
{
    if (FIndex) return *FIndex;
    auto index = std::make_shared<TIndex>();
    const std::vector<TLine> lines = SplitLines(FText);
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const String& first = lines[i].Text;
        const std::size_t from = i;
        // a statement's continuations belong to it, comments continue nothing
        String joined = first;
        if (first.empty() || first[0] != '#') {
            while (EndsContinued(lines[i].Text)) {
                joined = TrimBlanksRight(joined);
                joined.pop_back();
                if (i + 1 >= lines.size()) break;  // a "\" on the last line continues into nothing
                joined = TrimBlanksRight(joined) + " " + TrimBlanks(lines[++i].Text);
            }
        }
        if (!BeginsStatement(first)) continue;
        String comment;
        const String stmt = StripComment(joined, comment);
        const auto eq = stmt.find('=');
        if (eq == String::npos) continue;
        // "+=", "?=", ":=", "::=" stand right before the "=": "A+ = x" defines "A+", as in make
        String name = stmt.substr(0, eq);
        bool append = false, ifUnset = false;
        if (!name.empty() && (name.back() == '+' || name.back() == ':' || name.back() == '?')) {
            append = name.back() == '+';
            ifUnset = name.back() == '?';
            name.pop_back();
            if (!append && !ifUnset && !name.empty() && name.back() == ':') name.pop_back();
        }
        name = TrimBlanksRight(name);
        if (name.empty() || name.find_first_of(" \t:") != String::npos) continue;
        const String raw = TrimBlanks(stmt.substr(eq + 1));
        auto [it, fresh] = index->ByName.emplace(name, index->Macros.size());
        if (fresh) index->Macros.push_back({name, {}});
        TIndex::TMacro& m = index->Macros[it->second];
        const String prev = m.Defs.empty() ? String() : m.Defs.back().Value;
        if (ifUnset && !m.Defs.empty()) continue;
        String value = ExpandSelf(raw, name, prev);
        if (append && !prev.empty()) value = value.empty() ? prev : prev + " " + value;
        m.Defs.push_back({lines[from].Start, lines[i].End, TrimBlanks(value), prev,
                          append || BeginsWithSelf(raw, name), comment});
    }
    FIndex = index;
    return *FIndex;
}

bool TMakeFileText::FindMacro(const String& name, String& value, long& start, long& end) const
{
    const TIndex::TMacro* m = Index().Find(name);
    if (!m || m->Defs.empty()) return false;
    value = m->Defs.back().Value;
    start = m->Defs.back().Start;
    end = m->Defs.back().End;
    return true;
}

bool TMakeFileText::HasMacro(const String& name) const
{
    const TIndex::TMacro* m = Index().Find(name);
    return m && !m->Defs.empty();
}

String TMakeFileText::MacroValue(const String& name) const
{
    const TIndex::TMacro* m = Index().Find(name);
    return m && !m->Defs.empty() ? m->Defs.back().Value : String();
}

void TMakeFileText::SetMacro(const String& name, const String& value, const String& after)
{
    auto statement = [&](const String& text) {
        // what the reader would read otherwise: another line, or this one continued on the next
        if (text.find('\n') != String::npos)
            throw Exception("The value of the make-file macro " + name +
                            " holds a line break, which a make file cannot store");
        if (EndsContinued(text))
            throw Exception("The value of the make-file macro " + name +
                            " ends in \"\\\", which a make file reads as continued on the next line");
        return WrapText(EscapeComment(name) + " = " + EscapeComment(text), " \\\r\n  ", " \t",
                        MakeFileLineWidth) +
               CRLF;
    };
    if (const TIndex::TMacro* m = Index().Find(name); m && !m->Defs.empty()) {
        const TDefinition d = m->Defs.back();
        if (d.Value == value) return;
        String line;
        if (d.Appends && !d.Prev.empty() && value.compare(0, d.Prev.size() + 1, d.Prev + " ") == 0)
            line = statement("$(" + name + ") " + value.substr(d.Prev.size() + 1));
        else
            line = statement(value);
        // the statement's comment stays, on a line of its own
        if (!d.Comment.empty()) line = d.Comment + CRLF + line;
        Text().replace(d.Start, d.End - d.Start, line);
        return;
    }
    // after the macro named, else after the one that one follows, and so on; else first
    long at = 0;
    for (String a = after; !a.empty(); a = MakeMacroFollows(a)) {
        String old;
        long s, e;
        if (!FindMacro(a, old, s, e)) continue;
        const bool last = e == static_cast<long>(FText.size());
        EnsureLineEnd();
        at = last ? static_cast<long>(FText.size()) : e;
        break;
    }
    Text().insert(at, statement(value));
}

std::vector<std::pair<String, String>> TMakeFileText::Macros() const
{
    std::vector<std::pair<String, String>> r;
    for (const auto& m : Index().Macros)
        if (!m.Defs.empty()) r.emplace_back(m.Name, m.Defs.back().Value);
    return r;
}

void TMakeFileText::EnsureLineEnd()
{
    if (FText.empty()) return;
    // a CR at the very end is read as the line's end already: it gets its LF
    if (FText.back() != '\n') Text() += FText.back() == '\r' ? "\n" : CRLF;
    // a last line continued into nothing would take in what comes after it: an empty line ends it
    const auto from = FText.size() < 2 ? String::npos : FText.rfind('\n', FText.size() - 2);
    const std::vector<TLine> last = SplitLines(FText.substr(from == String::npos ? 0 : from + 1));
    if (!last.empty() && EndsContinued(last.back().Text)) Text() += CRLF;
}

String FixFileSpaces(const String& name)
{
    if ((name.find_first_of(" \t") != String::npos || (!name.empty() && name.back() == '\\')) &&
        !(name.size() >= 2 && name.front() == '"' && name.back() == '"'))
        return "\"" + name + "\"";
    return name;
}

String WrapText(const String& line, const String& breakStr, const String& breakChars, int maxCol)
{
    String out, cur;
    long lastBreak = -1;
    char quote = 0;
    for (char c : line) {
        cur += c;
        if (c == '\n') {  // a line of its own: its column and quotes start afresh
            out += cur;
            cur.clear();
            lastBreak = -1;
            quote = 0;
            continue;
        }
        if (quote) {
            if (c == quote) quote = 0;
        } else if (c == '"' || c == '\'') {
            quote = c;
        } else if (breakChars.find(c) != String::npos) {
            lastBreak = static_cast<long>(cur.size());
        }
        if (static_cast<int>(cur.size()) > maxCol && lastBreak > 0 &&
            lastBreak < static_cast<long>(cur.size())) {
            out += cur.substr(0, lastBreak) + breakStr;
            cur = cur.substr(lastBreak);
            lastBreak = -1;
        }
    }
    return out + cur;
}

std::vector<String> MacroWords(const String& text)
{
    std::vector<String> r;
    String cur;
    bool quoted = false, any = false;
    for (char c : text) {
        if (c == '"') {
            quoted = !quoted;
            any = true;
        } else if ((c == ' ' || c == '\t') && !quoted) {
            if (any) r.push_back(cur);
            cur.clear();
            any = false;
        } else {
            cur += c;
            any = true;
        }
    }
    if (any) r.push_back(cur);
    return r;
}
