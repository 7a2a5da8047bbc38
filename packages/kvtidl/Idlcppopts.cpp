#include "Idlcppopts.h"

#include <filesystem>

#include "rtl/Files.h"
#include "rtl/Format.h"

const TKrotexSwitchDef KrotexSwitches[16] = {
    {"-client_ext", sfBlankDelim | sfQuote | sfBlankSep, false, "_c"},
    {"-server_ext", sfBlankDelim | sfQuote | sfBlankSep, false, "_s"},
    {"-no_tie", 0, true, ""},
    {"-no_stdstream", 0, true, ""},
    {"-incl_files_code", 0, true, ""},
    {"-hdr_suffix", sfBlankDelim | sfQuote | sfBlankSep, false, "hh"},
    {"-I", sfConcat | sfBlankDelim | sfQuote, false, ""},
    {"-obj_wrapper", 0, true, ""},
    {"-virtual_impl_inh", 0, true, ""},
    {"-type_code_info", 0, true, ""},
    {"-src_suffix", sfBlankDelim | sfQuote | sfBlankSep, false, "cc"},
    {"-D", sfConcat, false, ""},
    {"-src_dir", sfBlankDelim | sfQuote | sfBlankSep, false, ""},
    {"-hdr_dir", sfBlankDelim | sfQuote | sfBlankSep, false, ""},
    {"-root_dir", sfBlankDelim | sfQuote | sfBlankSep, false, ""},
    {"-boa", 0, true, ""},
};

namespace {

const TKrotexSwitchDef& Def(TKrotexSwitchId id) { return KrotexSwitches[static_cast<int>(id)]; }

bool StartsWith(const String& s, const String& prefix) { return s.compare(0, prefix.size(), prefix) == 0; }

String Join(const std::vector<String>& words)
{
    String r;
    for (const String& w : words) {
        if (!r.empty()) r += ' ';
        r += w;
    }
    return r;
}

String& RootMacroDir()
{
    static String dir;
    return dir;
}

}  // namespace

bool IsPathDelim(char c) { return c == '/' || c == '\\'; }

std::vector<String> ExtractStrings(const String& text, const String& seps)
{
    std::vector<String> words;
    String cur;
    char quote = 0;
    // Blank-separated words end at any control character too, as trimming takes them for blanks:
    // a word read back from a make file is then the word that was written.
    const bool blanks = seps.find(' ') != String::npos;
    for (char c : text) {
        if (quote) {
            cur += c;
            if (c == quote) quote = 0;
        } else if (c == '"' || c == '\'') {
            quote = c;
            cur += c;
        } else if (c == '\r' || c == '\n' || seps.find(c) != String::npos ||
                   (blanks && static_cast<unsigned char>(c) < ' ')) {
            if (!cur.empty()) words.push_back(cur);
            cur.clear();
        } else {
            cur += c;
        }
    }
    if (!cur.empty()) words.push_back(cur);
    return words;
}

void SetIdlRootMacroDir(const String& dir) { RootMacroDir() = dir; }

String ExpandRootMacro(const String& s)
{
    static const String macro = "$(BCB)";
    String r = s;
    for (auto p = r.find(macro); p != String::npos; p = r.find(macro, p + RootMacroDir().size()))
        r.replace(p, macro.size(), RootMacroDir());
    return r;
}

String ExpandRelativePath(const String& base, const String& path)
{
    if (path.empty()) return path;
    std::filesystem::path p(path);
    if (p.is_relative() && !base.empty()) p = std::filesystem::path(base) / p;
    return p.lexically_normal().string();
}

String TIdlCppOptionsManager::GetStrSwitchVal(const String& s, const String& sw, unsigned flags,
                                              const String& def)
{
    String result;
    std::size_t pos = 0;
    while ((pos = s.find(sw, pos)) != String::npos) {
        pos += sw.size();
        if (flags & sfBlankDelim)
            while (pos < s.size() && s[pos] == ' ') ++pos;
        std::size_t end = pos;
        bool inside = false;
        // A value ends at a blank or control character, where the words of the switches end.
        while (end < s.size() && (inside || static_cast<unsigned char>(s[end]) > ' ')) {
            if (s[end] == '"') inside = !inside;
            ++end;
        }
        String value = s.substr(pos, end - pos);
        if ((flags & sfQuote) && value.size() > 2 && value.front() == '"' && value.back() == '"')
            value = value.substr(1, value.size() - 2);
        if (!result.empty()) result += ';';
        result += value;
        pos = end;
        if (!(flags & sfConcat)) break;
    }
    return result.empty() ? def : result;
}

String TIdlCppOptionsManager::RemoveOption(const String& s, const String& sw, bool blankDelim)
{
    std::vector<String> words = ExtractStrings(s);
    for (int i = static_cast<int>(words.size()) - 1; i >= 0; --i) {
        if (!StartsWith(words[i], sw)) continue;
        const bool bare = words[i] == sw;
        if (blankDelim && bare && i + 1 < static_cast<int>(words.size())) words.erase(words.begin() + i + 1);
        words.erase(words.begin() + i);
    }
    return Join(words);
}

namespace {

String PreparePart(const String& raw, unsigned flags)
{
    String part = Trim(raw);
    if (flags & sfQuote) {
        if (!part.empty() && IsPathDelim(part.back())) {
            part += '.';
        } else if (part.size() >= 2 && part.back() == '"' && IsPathDelim(part[part.size() - 2])) {
            part.insert(part.size() - 1, ".");
        }
        if (part.find(' ') != String::npos && part.front() != '"') part = "\"" + part + "\"";
    }
    if (flags & sfBlankSep) part = " " + part;
    return part;
}

}  // namespace

String TIdlCppOptionsManager::SetStrSwitch(const String& s, const String& sw, unsigned flags,
                                           const String& def, const String& value)
{
    const String rest = RemoveOption(s, sw, flags & sfBlankDelim);
    const String trimmed = Trim(value);
    if (trimmed.empty() || trimmed == def) return rest;
    if (flags & sfConcat) {
        String words;
        for (const String& part : ExtractStrings(value, ";")) words += " " + sw + PreparePart(part, flags);
        words = Trim(words);
        return rest.empty() ? words : words + " " + rest;
    }
    return Format("%s%s %s", {sw, PreparePart(value, flags), rest});
}

void TIdlCppOptionsManager::SeparateOptions(const String& text, String& known, String& additional)
{
    std::vector<String> words = ExtractStrings(text);
    std::vector<String> knownWords;  // kept in the order they stand, so include paths keep theirs
    std::vector<bool> taken(words.size(), false);
    for (int i = static_cast<int>(words.size()) - 1; i >= 0; --i) {
        if (taken[i]) continue;
        for (int e = 2; e <= 11; ++e) {
            const TKrotexSwitchDef& d = KrotexSwitches[e];
            if (!StartsWith(words[i], d.Switch)) continue;
            taken[i] = true;
            if ((d.Flags & sfBlankDelim) && words[i] == d.Switch && i + 1 < static_cast<int>(words.size()))
                taken[i + 1] = true;
            break;
        }
    }
    std::vector<String> rest;
    for (std::size_t i = 0; i < words.size(); ++i) (taken[i] ? knownWords : rest).push_back(words[i]);
    if (!rest.empty()) {
        String& last = rest.back();
        const bool endsDelim = IsPathDelim(last.back());
        if (!last.empty() && last[0] == '-') {
            for (const TKrotexSwitchDef& d : KrotexSwitches) {
                const String sw = d.Switch;
                if (endsDelim && last.size() > sw.size() && SameText(last.substr(0, sw.size()), sw)) {
                    last.insert(sw.size(), "\"");
                    last += '"';
                    break;
                }
            }
        } else if (endsDelim) {
            last = "\"" + last + "\"";
        }
    }
    known = Join(knownWords);
    additional = Join(rest);
}

TIdlCppOptions::TIdlCppOptions(const String& switches) : FText(switches)
{
    if (FText.empty()) SetBoa(true);
}

bool TIdlCppOptions::GetBoolValue(TKrotexSwitchId id) const
{
    return FText.find(Def(id).Switch) != String::npos;
}

void TIdlCppOptions::SetBoolValue(TKrotexSwitchId id, bool on)
{
    const TKrotexSwitchDef& d = Def(id);
    FText = RemoveOption(FText, d.Switch, d.Flags & sfBlankDelim);
    if (on) FText = String(d.Switch) + " " + FText;
}

String TIdlCppOptions::GetStrValue(TKrotexSwitchId id) const
{
    const TKrotexSwitchDef& d = Def(id);
    return GetStrSwitchVal(FText, d.Switch, d.Flags, d.Default);
}

void TIdlCppOptions::SetStrValue(TKrotexSwitchId id, const String& value)
{
    const TKrotexSwitchDef& d = Def(id);
    FText = SetStrSwitch(FText, d.Switch, d.Flags, d.Default, value);
}

String TIdlCppOptions::GetAdditonal() const
{
    String known, additional;
    SeparateOptions(FText, known, additional);
    return additional;
}

void TIdlCppOptions::SetAdditional(const String& text)
{
    String newKnown, newAdditional, known, additional;
    SeparateOptions(text, newKnown, newAdditional);
    SeparateOptions(FText, known, additional);
    if (SameText(newAdditional, additional)) return;
    // Typed switches in the given text are not taken over: only its additional part counts.
    FText = newAdditional.empty() ? known : (known.empty() ? newAdditional : known + " " + newAdditional);
}

namespace {

const char* const kPageFieldNames[16] = {"ClientExt",
                                         "ServerExt",
                                         "GenNoTie",
                                         "GenNoStdStream",
                                         "GenIncludeFilesCode",
                                         "HeaderSuffix",
                                         "IncludePath",
                                         "GenObjectWrapper",
                                         "GenVirtualImplInh",
                                         "GenTypeCodeInfo",
                                         "SourceSuffix",
                                         "Defines",
                                         "SrcDir",
                                         "HdrDir",
                                         "RootDir",
                                         "Boa"};
const char* const kAdditionalField = "Additional";

// The switch of a page field; false for "Additional" and names that are none.
bool PageSwitch(const String& field, TKrotexSwitchId& id)
{
    for (int i = 0; i < 16; ++i)
        if (SameText(field, kPageFieldNames[i])) {
            id = static_cast<TKrotexSwitchId>(i);
            return true;
        }
    return false;
}

}  // namespace

std::vector<TIdlPageField> TIdlCppOptions::PageFields() const
{
    // "Additional" first: it holds the switches the split does not type (-boa, the folders and
    // the extensions among them), so the typed fields written after it win
    std::vector<TIdlPageField> r{{kAdditionalField, false}};
    for (int i = 0; i < 16; ++i) r.push_back({kPageFieldNames[i], KrotexSwitches[i].OnOff});
    return r;
}

String TIdlCppOptions::PageValue(const String& field) const
{
    TKrotexSwitchId id;
    if (!PageSwitch(field, id)) {
        if (SameText(field, kAdditionalField)) return GetAdditonal();
        throw EConvertError("The IDL options have no field " + field);
    }
    if (KrotexSwitches[static_cast<int>(id)].OnOff) return GetBoolValue(id) ? "True" : "False";
    return GetStrValue(id);
}

void TIdlCppOptions::SetPageValue(const String& field, const String& value)
{
    TKrotexSwitchId id;
    if (!PageSwitch(field, id)) {
        if (!SameText(field, kAdditionalField)) throw EConvertError("The IDL options have no field " + field);
        SetAdditional(value);
    } else if (!KrotexSwitches[static_cast<int>(id)].OnOff) {
        SetStrValue(id, value);
    } else if (value == "True" || value == "False") {
        SetBoolValue(id, value == "True");
    } else {
        throw EConvertError("The IDL option " + field + " takes True or False, not " + value);
    }
}

String TIdlCppOptions::GetExpandedIncludePath() const { return ExpandRootMacro(IncludePath()); }

String TIdlCppOptions::IncludePathIn(const String& baseDir) const
{
    const String path = GetExpandedIncludePath();
    if (baseDir.empty()) return path;
    String r;
    for (const String& entry : ExtractStrings(path, ";")) {
        String d = Trim(entry);
        if (d.size() > 2 && d.front() == '"' && d.back() == '"') d = d.substr(1, d.size() - 2);
        if (d.empty()) continue;
        r += (r.empty() ? "" : ";") + ExpandRelativePath(baseDir, d);
    }
    return r;
}

String TIdlCppOptions::SwitchesIn(const String& baseDir) const
{
    if (IncludePath().empty() || baseDir.empty()) return FText;
    TIdlCppOptions o(FText);
    o.SetIncludePath(IncludePathIn(baseDir));
    return o.Text();
}

TIdlCppOptions IdlGenOptions(const String& switches, const String& rootDir)
{
    TIdlCppOptions o(switches);
    if (!Trim(rootDir).empty() && o.RootDir().empty() && o.SrcDir().empty() && o.HdrDir().empty())
        o.SetRootDir(Trim(rootDir));
    return o;
}

String TIdlCppOptions::CalcSrcDir(const String& defaultDir) const
{
    String d = defaultDir;
    if (!RootDir().empty()) d = RootDir();
    if (!SrcDir().empty()) d = SrcDir();
    return ExpandRootMacro(d);
}

String TIdlCppOptions::CalcHdrDir(const String& defaultDir) const
{
    String d = defaultDir;
    if (!RootDir().empty()) d = RootDir();
    if (!HdrDir().empty()) d = HdrDir();
    return ExpandRootMacro(d);
}

String TIdlCppOptions::MakeSourceName(const String& baseDir, const String& idlFile, const String& ext) const
{
    String dir = CalcSrcDir(ExtractFilePath(idlFile));
    if (!dir.empty() && IsPathDelim(dir.back())) dir.pop_back();
    const String name = ChangeFileExt(ExtractFileName(idlFile), "");
    String full = dir.empty() ? Format("%s%s.%s", {name, ext, SourceSuffix()})
                              : Format("%s/%s%s.%s", {dir, name, ext, SourceSuffix()});
    return ExpandRelativePath(baseDir, full);
}

String TIdlCppOptions::MakeClientSourceName(const String& baseDir, const String& idlFile) const
{
    return MakeSourceName(baseDir, idlFile, ClientExt());
}

String TIdlCppOptions::MakeServerSourceName(const String& baseDir, const String& idlFile) const
{
    return MakeSourceName(baseDir, idlFile, ServerExt());
}

String TIdlCppOptions::GetKrotirOptions() const
{
    std::vector<String> words = ExtractStrings(FText), out;
    for (std::size_t i = 0; i < words.size(); ++i) {
        if (StartsWith(words[i], "-I") || StartsWith(words[i], "-D")) {
            out.push_back(words[i]);
            if (words[i] == "-I" && i + 1 < words.size()) out.push_back(words[++i]);
        }
    }
    return Join(out);
}
