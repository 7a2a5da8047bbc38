#include "host/CppScanner.h"

#include <algorithm>
#include <cctype>

namespace {
bool IdentStart(char c) { return std::isalpha(static_cast<unsigned char>(c)) || c == '_'; }
bool IdentChar(char c) { return std::isalnum(static_cast<unsigned char>(c)) || c == '_'; }
}  // namespace

TCppScanner::TCppScanner(String text) : FText(std::move(text))
{
    FLineStarts.push_back(0);
    for (std::size_t i = 0; i < FText.size(); ++i)
        if (FText[i] == '\n') FLineStarts.push_back(i + 1);
}

int TCppScanner::LineAt(std::size_t pos) const
{
    return static_cast<int>(std::upper_bound(FLineStarts.begin(), FLineStarts.end(), pos) -
                            FLineStarts.begin());
}

void TCppScanner::SetPosition(std::size_t pos) { FPos = std::min(pos, FText.size()); }

bool TCppScanner::SkipToLine(int line)
{
    if (line < 1 || static_cast<std::size_t>(line) > FLineStarts.size()) {
        FPos = FText.size();
        return false;
    }
    FPos = FLineStarts[static_cast<std::size_t>(line - 1)];
    return FPos < FText.size();
}

String TCppScanner::Text(std::size_t from, std::size_t to) const
{
    from = std::min(from, FText.size());
    to = std::clamp(to, from, FText.size());
    return FText.substr(from, to - from);
}

bool TCppScanner::AtEnd() { return Peek().Kind == TCppTokenKind::End; }

TCppToken TCppScanner::Peek()
{
    const std::size_t pos = FPos;
    TCppToken t = Next();
    FPos = pos;
    return t;
}

TCppToken TCppScanner::Next()
{
    const String& s = FText;
    const std::size_t n = s.size();
    while (true) {
        while (FPos < n && std::isspace(static_cast<unsigned char>(s[FPos]))) ++FPos;
        if (FPos >= n) {
            TCppToken end;
            end.Start = end.End = n;
            end.Line = end.EndLine = LineAt(n);
            return end;
        }
        // a preprocessor line (with its continuations) is one token, or none
        const std::size_t lineStart = FLineStarts[static_cast<std::size_t>(LineAt(FPos) - 1)];
        TCppToken t;
        t.Start = FPos;
        const char c = s[FPos];
        if (c == '#' && s.find_first_not_of(" \t", lineStart) == FPos) {
            while (FPos < n && s[FPos] != '\n') FPos += (s[FPos] == '\\' && FPos + 1 < n) ? 2 : 1;
            if (!ReturnDirectives) continue;
            t.Kind = TCppTokenKind::Directive;
        } else if (c == '/' && FPos + 1 < n && (s[FPos + 1] == '/' || s[FPos + 1] == '*')) {
            if (s[FPos + 1] == '/') {
                FPos = s.find('\n', FPos);
                if (FPos == String::npos) FPos = n;
            } else {
                const std::size_t close = s.find("*/", FPos + 2);
                FPos = close == String::npos ? n : close + 2;
            }
            if (!ReturnComments) continue;
            t.Kind = TCppTokenKind::Comment;
        } else if (IdentStart(c)) {
            while (FPos < n && IdentChar(s[FPos])) ++FPos;
            t.Kind = TCppTokenKind::Identifier;
        } else if (std::isdigit(static_cast<unsigned char>(c))) {
            while (FPos < n && (IdentChar(s[FPos]) || s[FPos] == '.')) ++FPos;
            t.Kind = TCppTokenKind::Number;
        } else if (c == '"' || c == '\'') {
            ++FPos;
            while (FPos < n && s[FPos] != c && s[FPos] != '\n') FPos += s[FPos] == '\\' ? 2 : 1;
            FPos = std::min(FPos + 1, n);
            t.Kind = c == '"' ? TCppTokenKind::String : TCppTokenKind::Char;
        } else {
            FPos += (c == ':' && FPos + 1 < n && s[FPos + 1] == ':') ? 2 : 1;
            t.Kind = TCppTokenKind::Symbol;
        }
        t.End = FPos;
        t.Text = s.substr(t.Start, t.End - t.Start);
        t.Line = LineAt(t.Start);
        t.EndLine = LineAt(t.End > t.Start ? t.End - 1 : t.Start);
        return t;
    }
}
