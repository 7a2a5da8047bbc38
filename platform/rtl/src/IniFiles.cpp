#include "rtl/IniFiles.h"

#include <cstdlib>
#include <mutex>
#include <vector>

#include "RtlInternal.h"
#include "rtl/Files.h"
#include "rtl/ProgramSettings.h"

namespace {

// One lock for every INI file: each operation reads the file afresh and a write is
// read-modify-replace, which must not interleave with another thread's.
std::mutex& IniLock()
{
    // Never destroyed: threads left running at exit may still use it.
    static std::mutex* m = new std::mutex;
    return *m;
}

String TrimBlanks(const String& s)
{
    std::size_t b = 0, e = s.size();
    while (b < e && (s[b] == ' ' || s[b] == '\t')) ++b;
    while (e > b && (s[e - 1] == ' ' || s[e - 1] == '\t')) --e;
    return s.substr(b, e - b);
}

struct TIniLine {
    String text;
    enum class TKind { Section, Key, Other } kind = TKind::Other;
    String name;  // section or key name
    String value;  // key lines
};

struct TIniDoc {
    std::vector<TIniLine> lines;
    bool endsWithNewline = true;

    static TIniLine Parse(const String& text)
    {
        TIniLine l;
        l.text = text;
        String t = TrimBlanks(text);
        if (!t.empty() && t[0] == '[') {
            std::size_t close = t.find(']');
            if (close != String::npos) {
                l.kind = TIniLine::TKind::Section;
                l.name = TrimBlanks(t.substr(1, close - 1));
                return l;
            }
        }
        if (!t.empty() && t[0] != ';' && t[0] != '#') {
            std::size_t eq = t.find('=');
            if (eq != String::npos && eq > 0) {
                l.kind = TIniLine::TKind::Key;
                l.name = TrimBlanks(t.substr(0, eq));
                l.value = TrimBlanks(t.substr(eq + 1));
            }
        }
        return l;
    }

    void Load(const String& file)
    {
        lines.clear();
        String bytes;
        try {
            bytes = ReadFileBytes(file);
        } catch (const EFOpenError&) {
            return;  // a missing file reads as empty
        }
        endsWithNewline = bytes.empty() || bytes.back() == '\n';
        std::size_t start = 0;
        while (start < bytes.size()) {
            std::size_t nl = bytes.find('\n', start);
            std::size_t end = nl == String::npos ? bytes.size() : nl;
            String text = bytes.substr(start, end - start);
            // Only the CR of a CR LF ending goes; a CR before it belongs to the line.
            if (nl != String::npos && !text.empty() && text.back() == '\r') text.pop_back();
            lines.push_back(Parse(text));
            start = end + 1;
        }
    }

    // Index of the first section header with that name, or -1.
    int FindSection(const String& section) const
    {
        for (std::size_t i = 0; i < lines.size(); ++i)
            if (lines[i].kind == TIniLine::TKind::Section && SameText(lines[i].name, section))
                return static_cast<int>(i);
        return -1;
    }

    // End (exclusive) of the section starting at header index s.
    int SectionEnd(int s) const
    {
        std::size_t i = static_cast<std::size_t>(s) + 1;
        while (i < lines.size() && lines[i].kind != TIniLine::TKind::Section) ++i;
        return static_cast<int>(i);
    }

    int FindKey(const String& section, const String& ident) const
    {
        int s = FindSection(section);
        if (s < 0) return -1;
        for (int i = s + 1, e = SectionEnd(s); i < e; ++i)
            if (lines[static_cast<std::size_t>(i)].kind == TIniLine::TKind::Key &&
                SameText(lines[static_cast<std::size_t>(i)].name, ident))
                return i;
        return -1;
    }

    String Serialise() const
    {
        String r;
        for (std::size_t i = 0; i < lines.size(); ++i) {
            r += lines[i].text;
            // Lines end in LF; one whose text ends in CR keeps it behind a CR LF, so it reads
            // back the same.
            const bool endsInCr = !lines[i].text.empty() && lines[i].text.back() == '\r';
            if (i + 1 < lines.size() || endsWithNewline) r += endsInCr ? "\r\n" : "\n";
        }
        return r;
    }
};

void CheckName(const String& what, const String& name, bool isKey)
{
    bool bad = name.empty() || name.find_first_of("\r\n") != String::npos || TrimBlanks(name) != name ||
               (isKey ? (name.find('=') != String::npos || name[0] == '[' || name[0] == ';')
                      : name.find(']') != String::npos);
    if (bad) throw EInOutError("Invalid INI " + what + " name \"" + name + "\"");
}

}  // namespace

String TIniFile::WindowsDirectory()
{
    const TProgramSettings settings = ProgramSettings();
    const char* win =
        settings.WindowsDirVariable.empty() ? nullptr : std::getenv(settings.WindowsDirVariable.c_str());
    if (win && *win) return IncludeTrailingPathDelimiter(ResolvePath(win));
    const String folder = IncludeTrailingPathDelimiter(settings.ConfigFolder);
    const char* xdg = std::getenv("XDG_CONFIG_HOME");
    if (xdg && *xdg) return IncludeTrailingPathDelimiter(xdg) + folder;
    const char* home = std::getenv("HOME");
    return IncludeTrailingPathDelimiter(home && *home ? home : ".") + ".config/" + folder;
}

TIniFile::TIniFile(const String& fileName)
{
    bool bare = fileName.find('/') == String::npos && fileName.find('\\') == String::npos;
    FFileName = ResolvePath(bare ? WindowsDirectory() + fileName : fileName);
}

TIniFile::~TIniFile() = default;

namespace {

TIniDoc LoadDoc(const String& file)
{
    TIniDoc doc;
    doc.Load(ResolvePath(file));
    return doc;
}

void SaveDoc(const String& file, const TIniDoc& doc)
{
    String dir = ExtractFilePath(file);
    if (!dir.empty() && dir == TIniFile::WindowsDirectory() && !DirectoryExists(dir) &&
        !ForceDirectories(dir))
        throw EInOutError("Cannot create folder \"" + dir + "\"");
    AtomicWriteFile(ResolvePath(file), doc.Serialise());
}

}  // namespace

String TIniFile::ReadString(const String& section, const String& ident, const String& def) const
{
    std::lock_guard<std::mutex> lock(IniLock());
    TIniDoc doc = LoadDoc(FFileName);
    int k = doc.FindKey(section, ident);
    return k < 0 ? def : doc.lines[static_cast<std::size_t>(k)].value;
}

void TIniFile::WriteString(const String& section, const String& ident, const String& value)
{
    CheckName("section", section, false);
    CheckName("key", ident, true);
    if (value.find_first_of("\r\n") != String::npos)
        throw EInOutError("INI value for \"" + ident + "\" must not contain a line break");
    std::lock_guard<std::mutex> lock(IniLock());
    TIniDoc doc = LoadDoc(FFileName);
    int k = doc.FindKey(section, ident);
    if (k >= 0) {
        TIniLine& l = doc.lines[static_cast<std::size_t>(k)];
        if (l.value == value && l.text == l.name + "=" + value) return;  // nothing changes
        l = TIniDoc::Parse(l.name + "=" + value);
    } else {
        int s = doc.FindSection(section);
        if (s < 0) {
            doc.lines.push_back(TIniDoc::Parse("[" + section + "]"));
            doc.lines.push_back(TIniDoc::Parse(ident + "=" + value));
        } else {
            // After the section's last non-empty line, so blank separator lines stay below it.
            int at = doc.SectionEnd(s);
            while (at > s + 1 && TrimBlanks(doc.lines[static_cast<std::size_t>(at - 1)].text).empty()) --at;
            doc.lines.insert(doc.lines.begin() + at, TIniDoc::Parse(ident + "=" + value));
        }
        doc.endsWithNewline = true;
    }
    SaveDoc(FFileName, doc);
}

int TIniFile::ReadInteger(const String& section, const String& ident, int def) const
{
    return StrToIntDef(ReadString(section, ident, String()), def);
}

void TIniFile::WriteInteger(const String& section, const String& ident, int value)
{
    WriteString(section, ident, IntToStr(value));
}

bool TIniFile::ReadBool(const String& section, const String& ident, bool def) const
{
    String v = ReadString(section, ident, String());
    if (v == "true") return true;
    if (v == "false") return false;
    return def;
}

void TIniFile::WriteBool(const String& section, const String& ident, bool value)
{
    WriteString(section, ident, value ? "true" : "false");
}

bool TIniFile::SectionExists(const String& section) const
{
    std::lock_guard<std::mutex> lock(IniLock());
    return LoadDoc(FFileName).FindSection(section) >= 0;
}

bool TIniFile::ValueExists(const String& section, const String& ident) const
{
    std::lock_guard<std::mutex> lock(IniLock());
    return LoadDoc(FFileName).FindKey(section, ident) >= 0;
}

void TIniFile::ReadSection(const String& section, TStrings& idents) const
{
    TStringList keys;
    {
        std::lock_guard<std::mutex> lock(IniLock());
        TIniDoc doc = LoadDoc(FFileName);
        int s = doc.FindSection(section);
        if (s >= 0)
            for (int i = s + 1, e = doc.SectionEnd(s); i < e; ++i)
                if (doc.lines[static_cast<std::size_t>(i)].kind == TIniLine::TKind::Key)
                    keys.Add(doc.lines[static_cast<std::size_t>(i)].name);
    }
    idents.Assign(keys);
}

void TIniFile::ReadSections(TStrings& sections) const
{
    TStringList names;
    {
        std::lock_guard<std::mutex> lock(IniLock());
        TIniDoc doc = LoadDoc(FFileName);
        for (const TIniLine& l : doc.lines) {
            if (l.kind != TIniLine::TKind::Section) continue;
            if (names.IndexOf(l.name) < 0) names.Add(l.name);
        }
    }
    sections.Assign(names);
}

void TIniFile::ReadSectionValues(const String& section, TStrings& lines) const
{
    TStringList values;
    {
        std::lock_guard<std::mutex> lock(IniLock());
        TIniDoc doc = LoadDoc(FFileName);
        int s = doc.FindSection(section);
        if (s >= 0)
            for (int i = s + 1, e = doc.SectionEnd(s); i < e; ++i) {
                const TIniLine& l = doc.lines[static_cast<std::size_t>(i)];
                if (l.kind == TIniLine::TKind::Key) values.Add(l.name + "=" + l.value);
            }
    }
    lines.Assign(values);
}

void TIniFile::EraseSection(const String& section)
{
    std::lock_guard<std::mutex> lock(IniLock());
    TIniDoc doc = LoadDoc(FFileName);
    int s = doc.FindSection(section);
    if (s < 0) return;
    // Every section of that name goes, with the lines inside it.
    while (s >= 0) {
        doc.lines.erase(doc.lines.begin() + s, doc.lines.begin() + doc.SectionEnd(s));
        s = doc.FindSection(section);
    }
    SaveDoc(FFileName, doc);
}

void TIniFile::DeleteKey(const String& section, const String& ident)
{
    std::lock_guard<std::mutex> lock(IniLock());
    TIniDoc doc = LoadDoc(FFileName);
    int k = doc.FindKey(section, ident);
    if (k < 0) return;
    doc.lines.erase(doc.lines.begin() + k);
    SaveDoc(FFileName, doc);
}
