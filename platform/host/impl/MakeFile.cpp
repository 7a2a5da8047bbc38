#include "host/MakeFile.h"

#include <filesystem>

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

bool TMakeFileText::FindMacro(const String& name, String& value, long& start, long& end) const
{
    const std::vector<TLine> lines = SplitLines(FText);
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const String& t = lines[i].Text;
        const auto eq = t.find('=');
        if (eq == String::npos || !BeginsStatement(t) || Trim(t.substr(0, eq)) != name) continue;
        start = lines[i].Start;
        value = Trim(t.substr(eq + 1));
        std::size_t j = i;
        while (!value.empty() && value.back() == '\\' && j + 1 < lines.size()) {
            value.pop_back();
            value = TrimRight(value) + " " + Trim(lines[++j].Text);
        }
        end = lines[j].End;
        value = Trim(value);
        return true;
    }
    return false;
}

bool TMakeFileText::HasMacro(const String& name) const
{
    String v;
    long s, e;
    return FindMacro(name, v, s, e);
}

String TMakeFileText::MacroValue(const String& name) const
{
    String v;
    long s, e;
    return FindMacro(name, v, s, e) ? v : String();
}

void TMakeFileText::SetMacro(const String& name, const String& value, const String& after)
{
    String old;
    long s, e;
    const String line = WrapText(name + " = " + value, " \\\r\n  ", " \t", MakeFileLineWidth) + CRLF;
    if (FindMacro(name, old, s, e)) {
        if (old != value) FText.replace(s, e - s, line);
        return;
    }
    // after the macro named, else after the one that one follows, and so on; else first
    long at = 0;
    for (String a = after; !a.empty(); a = MakeMacroFollows(a)) {
        if (!FindMacro(a, old, s, e)) continue;
        const bool last = e == static_cast<long>(FText.size());
        EnsureLineEnd();
        at = last ? static_cast<long>(FText.size()) : e;
        break;
    }
    FText.insert(at, line);
}

std::vector<std::pair<String, String>> TMakeFileText::Macros() const
{
    std::vector<std::pair<String, String>> r;
    for (const TLine& l : SplitLines(FText)) {
        const auto eq = l.Text.find('=');
        if (eq == String::npos || !BeginsStatement(l.Text)) continue;
        const String name = Trim(l.Text.substr(0, eq));
        if (name.empty() || name.find_first_of(" \t:") != String::npos) continue;
        r.emplace_back(name, MacroValue(name));
    }
    return r;
}

void TMakeFileText::EnsureLineEnd()
{
    if (!FText.empty() && FText.back() != '\n') FText += CRLF;
}

String FixFileSpaces(const String& name)
{
    if (name.find(' ') != String::npos && !(name.size() >= 2 && name.front() == '"' && name.back() == '"'))
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

String ExtractRelativePath(const String& baseFile, const String& name)
{
    namespace fs = std::filesystem;
    const fs::path base = fs::path(baseFile).parent_path();
    return fs::path(name).lexically_normal().lexically_relative(base.lexically_normal()).string();
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
