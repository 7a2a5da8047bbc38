#pragma once
// The C++ personality's token scanner over a source text: identifiers, numbers, literals and
// punctuation ("::" one token), comments and preprocessor lines on request (else skipped). Positions
// are offsets into the text; a caller may save and restore them.
#include "host/Export.h"
#include "rtl/Classes.h"

enum class TCppTokenKind { End, Identifier, Number, String, Char, Symbol, Comment, Directive };

struct HOST_API TCppToken {
    TCppTokenKind Kind = TCppTokenKind::End;
    String Text;
    std::size_t Start = 0, End = 0;  // offsets: [Start, End)
    int Line = 0, EndLine = 0;  // 1-based
    bool Is(const char* symbol) const { return Kind == TCppTokenKind::Symbol && Text == symbol; }
};

class HOST_API TCppScanner : public TObject {
public:
    explicit TCppScanner(String text);
    TCppToken Next();
    // The next token without moving past it.
    TCppToken Peek();
    std::size_t Position() const { return FPos; }
    void SetPosition(std::size_t pos);
    // Moves to the start of line (1-based); false (at the end) when the text has fewer lines.
    bool SkipToLine(int line);
    bool AtEnd();
    String Text(std::size_t from, std::size_t to) const;
    const String& Source() const { return FText; }
    bool ReturnComments = false;
    // A preprocessor line (with its continuations) as one Directive token, "#" first.
    bool ReturnDirectives = false;

private:
    int LineAt(std::size_t pos) const;
    String FText;
    std::size_t FPos = 0;
    std::vector<std::size_t> FLineStarts;
};
