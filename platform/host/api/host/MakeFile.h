#pragma once
// A make file in memory: its macros ("NAME = value", continued by a trailing "\") read and
// written in place, lines ending in CR LF. Macros read as make reads them: a later definition
// wins, "$(NAME)" in a macro's own definition stands for its value so far, "+=" appends, "#"
// begins a comment ("\#" is a "#").
#include "host/Export.h"
#include <memory>
#include <utility>
#include <vector>

#include "rtl/SysUtils.h"

class HOST_API TMakeFileText {
public:
    explicit TMakeFileText(String text = "") : FText(std::move(text)) {}
    const String& Text() const { return FText; }
    String& Text()
    {
        FIndex.reset();
        return FText;
    }
    // The macro's value and where its last definition starts and ends (after its last line
    // break).
    bool FindMacro(const String& name, String& value, long& start, long& end) const;
    bool HasMacro(const String& name) const;
    String MacroValue(const String& name) const;
    // Replaces the macro's last definition when the value differs (an appending definition
    // stays one when the value still begins with what it appends to); a new macro goes after
    // the macro `after` (when there is one), else first.
    void SetMacro(const String& name, const String& value, const String& after = "");
    // Every macro once, in order of its first definition, with its value.
    std::vector<std::pair<String, String>> Macros() const;
    // The text ends with a line break, after an empty line when its last line is continued, so
    // that nothing added is glued to its last line.
    void EnsureLineEnd();

    struct TLine {
        long Start, End;  // End: after the line break
        String Text;  // without the line break
    };
    static std::vector<TLine> SplitLines(const String& text);
    // A line that begins a statement: not indented, not empty, no comment or directive.
    static bool BeginsStatement(const String& line);

    struct TIndex;

private:
    const TIndex& Index() const;
    String FText;
    mutable std::shared_ptr<const TIndex> FIndex;  // the definitions of FText, read once
};

// Make files break long lines at this column.
constexpr int MakeFileLineWidth = 80;
// Breaks `line` at one of `breakChars` so that no piece is longer than `maxCol`; `breakStr`
// goes between the pieces. Quoted stretches are not broken.
HOST_API String WrapText(const String& line, const String& breakStr, const String& breakChars, int maxCol);
// A name that a make file would split or continue (a blank or tab in it, a "\" at its end) in
// double quotes.
HOST_API String FixFileSpaces(const String& name);
// `name` relative to the folder of the file `baseFile` ("/" separators).
HOST_API String ExtractRelativePath(const String& baseFile, const String& name);
// The macro after which a new macro of the project's make file goes ("" for none: first).
HOST_API String MakeMacroFollows(const String& name);
// Words at blanks and tabs; a stretch in double quotes is one word (quotes dropped).
HOST_API std::vector<String> MacroWords(const String& text);
