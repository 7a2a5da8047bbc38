#include "Idlmakefile.h"

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <set>

#include "rtl/Files.h"
#include "rtl/Format.h"

const char* const sIdlFilesMacro = "IDLFILES";
const char* const sIdlGenFilesMacro = "IDLGENFILES";
const char* const sIdlFlagsMacro = "IDLCFLAGS";
const char* const sIdlDefaultCommand = "    $(KROTEX) $(IDLCFLAGS) $?";

namespace fs = std::filesystem;

namespace {

const char* const CRLF = "\r\n";
const char* const kKrotexDefinition = "!if !$d(KROTEX)";

// The compiler's definition starts a line of its own: the same text inside a macro's value (on
// its line or a continued one) goes when that macro is rewritten.
bool HasKrotexDefinition(const String& text)
{
    bool continued = false;
    for (const auto& line : TMakeFileText::SplitLines(text)) {
        if (!continued &&
            TrimLeft(line.Text).compare(0, std::strlen(kKrotexDefinition), kKrotexDefinition) == 0)
            return true;
        const String t = TrimRight(line.Text);
        continued = !t.empty() && t.back() == '\\';
    }
    return false;
}

String Unquote(const String& s)
{
    if (s.size() >= 2 && s.front() == '"' && s.back() == '"') return s.substr(1, s.size() - 2);
    return s;
}

bool EndsWithText(const String& s, const String& tail)
{
    return s.size() >= tail.size() && SameText(s.substr(s.size() - tail.size()), tail);
}

}  // namespace

TCustomIdlMakeSymbol::TCustomIdlMakeSymbol(String projectDir, const String& switches, String idlFile,
                                           String rootDir)
    : FProjectDir(std::move(projectDir)), FIdlFile(std::move(idlFile)), FRootDir(std::move(rootDir)),
      FOptions(switches)
{
}

String TCustomIdlMakeSymbol::MakeGenFileName(TKnownGenFileTypes kind) const
{
    const TIdlCppOptions o = IdlGenOptions(FOptions.Text(), FRootDir);
    return kind == TKnownGenFileTypes::gfServer ? o.MakeServerSourceName(FProjectDir, FIdlFile)
                                                : o.MakeClientSourceName(FProjectDir, FIdlFile);
}

void TCustomIdlMakeSymbol::SetName(const String& idlFile)
{
    if (idlFile == FIdlFile) return;
    FIdlFile = idlFile;
    Changed = true;
}

void TCustomIdlMakeSymbol::SetOptionsString(const String& text)
{
    if (text == FOptions.Text()) return;
    FOptions.SetText(text);
    Changed = true;
}

void TCustomIdlMakeSymbol::Assign(const TCustomIdlMakeSymbol& other)
{
    Current[0] = other.Current[0];
    Current[1] = other.Current[1];
}

void TCustomIdlMakeSymbol::TakeCurrent(const String& name)
{
    for (int k = 0; k < 2; ++k)
        if (SameText(name, MakeGenFileName(static_cast<TKnownGenFileTypes>(k)))) Current[k] = name;
}

void TIdlMakeSymbol::AddGenFile(const String& name, const String& command)
{
    auto g = std::make_unique<TGenFile>();
    g->FileName = name;
    g->Command = command;
    FGenFiles.push_back(std::move(g));
    TakeCurrent(name);
}

TGenFile* TIdlMakeSymbol::FindGenFile(const String& name)
{
    for (auto& g : FGenFiles)
        if (SameFileName(g->FileName, name)) return g.get();
    return nullptr;
}

void TIdlMakeSymbol::UpdateGenFiles()
{
    for (int k = 0; k < 2; ++k) {
        const String name = MakeGenFileName(static_cast<TKnownGenFileTypes>(k));
        TGenFile* existing = Current[k].empty() ? nullptr : FindGenFile(Current[k]);
        if (name == Current[k] && existing) continue;
        Changed = true;
        Current[k] = name;
        if (existing) {
            if (name.empty()) {
                FGenFiles.erase(std::find_if(FGenFiles.begin(), FGenFiles.end(),
                                             [&](auto& g) { return g.get() == existing; }));
            } else {
                existing->FileName = name;
            }
        } else if (!name.empty() && !FindGenFile(name)) {
            AddGenFile(name, sIdlDefaultCommand);
        }
    }
}

TXMLIdlMakeSymbol::TXMLIdlMakeSymbol(IQCppProject* project, const String& switches, const String& idlFile,
                                     const String& rootDir)
    : TCustomIdlMakeSymbol(project->Directory(), switches, idlFile, rootDir), FProject(project)
{
    for (const String& g : FProject->ItemGenFiles(FIdlFile)) TakeCurrent(ExpandRelativePath(FProjectDir, g));
}

String TXMLIdlMakeSymbol::Relative(const String& name) const
{
    return ExtractRelativePath(FProject->FileName(), name);
}

void TXMLIdlMakeSymbol::AddGenFile(const String& name)
{
    std::vector<String> list = FProject->ItemGenFiles(FIdlFile);
    const String rel = Relative(name);
    if (std::none_of(list.begin(), list.end(), [&](const String& g) { return SameFileName(g, rel); })) {
        list.push_back(rel);
        FProject->SetItemGenFiles(FIdlFile, list);
    }
    String dir = Trim(ExtractFilePath(rel));
    if (dir.empty()) dir = ".";
    if (dir.find(' ') != String::npos && dir.front() != '"') {
        if (dir.size() > 1 && IsPathDelim(dir.back())) dir.pop_back();
        dir = "\"" + dir + "\"";
    }
    FProject->SetItemValue(FIdlFile, "IDLROOTDIR", Format(" %s %s ", {"-root_dir", dir}));
    TakeCurrent(name);
}

bool TXMLIdlMakeSymbol::FindGenFile(const String& name)
{
    const String rel = Relative(name);
    for (const String& g : FProject->ItemGenFiles(FIdlFile))
        if (SameFileName(g, rel)) return true;
    return false;
}

void TXMLIdlMakeSymbol::UpdateGenFiles()
{
    std::vector<String> wanted;
    for (auto kind : {TKnownGenFileTypes::gfServer, TKnownGenFileTypes::gfClient}) {
        const String name = MakeGenFileName(kind);
        if (name != Current[static_cast<int>(kind)]) Changed = true;
        Current[static_cast<int>(kind)] = name;
        wanted.push_back(Relative(name));
    }
    // names the switches no longer give leave the element
    if (FProject->ItemGenFiles(FIdlFile) != wanted) {
        Changed = true;
        FProject->SetItemGenFiles(FIdlFile, {});
    }
    for (const String& name : Current) AddGenFile(name);
}

void TXMLIdlMakeSymbol::ClearGenFiles()
{
    std::vector<String> list = FProject->ItemGenFiles(FIdlFile);
    for (auto kind : {TKnownGenFileTypes::gfServer, TKnownGenFileTypes::gfClient}) {
        const String rel = Relative(MakeGenFileName(kind));
        std::erase_if(list, [&](const String& g) { return SameFileName(g, rel); });
    }
    FProject->SetItemGenFiles(FIdlFile, list);
}

String MakeIdlRule(const String& projectFile, const TCustomIdlMakeSymbol& sym, const TGenFile& gen)
{
    const String genRel = ExtractRelativePath(projectFile, gen.FileName);
    const String idlRel = ExtractRelativePath(projectFile, sym.Name());
    String wanted = ExtractFilePath(genRel);
    const TIdlCppOptions& o = sym.Options();
    if (!o.RootDir().empty() || (!o.SrcDir().empty() && !o.HdrDir().empty())) wanted.clear();

    String cmd = gen.Command;
    const String sw = "-root_dir";
    const auto at = cmd.find(sw);
    String value;
    std::size_t valueEnd = at == String::npos ? String::npos : at + sw.size();
    if (at != String::npos) {
        std::size_t p = at + sw.size();
        while (p < cmd.size() && cmd[p] == ' ') ++p;
        std::size_t e = p;
        if (p < cmd.size() && cmd[p] == '"') {
            e = cmd.find('"', p + 1);
            e = e == String::npos ? cmd.size() : e + 1;
        } else {
            while (e < cmd.size() && cmd[e] != ' ') ++e;
        }
        value = cmd.substr(p, e - p);
        if (!value.empty()) valueEnd = e;
    }
    if (Unquote(value) != wanted) {
        if (at != String::npos) {
            if (valueEnd < cmd.size() && cmd[valueEnd] == ' ') ++valueEnd;  // no double blank left
            cmd.erase(at, valueEnd - at);
        }
        const String flags = "(IDLCFLAGS)";
        const auto f = cmd.find(flags);
        if (!wanted.empty() && f != String::npos) {
            const std::size_t after = f + flags.size();
            std::size_t e = after;
            while (e < cmd.size() && cmd[e] == ' ') ++e;
            cmd.erase(after, e - after);
            const bool quote = wanted.find(' ') != String::npos || IsPathDelim(wanted.back());
            cmd.insert(after, Format(" %s %s ", {sw, quote ? "\"" + wanted + "\"" : wanted}));
        }
    }
    // The input word: the IDL file itself when its name needs quotes, else "$?".
    const auto f = cmd.find("(IDLCFLAGS)");
    if (f != String::npos) {
        const std::size_t from = f + 11;
        const std::vector<String> words = ExtractStrings(TrimRight(cmd.substr(from)));
        for (auto w = words.rbegin(); w != words.rend(); ++w) {
            if (w->empty() || (*w)[0] == '-') continue;
            const auto p = cmd.rfind(*w);
            if (p != String::npos && p >= from) {
                const String fixed = FixFileSpaces(idlRel);
                cmd.replace(p, w->size(), fixed[0] == '"' ? fixed : String("$?"));
            }
            break;
        }
    }
    const String rule = Format("%s: %s\r\n%s", {FixFileSpaces(genRel), FixFileSpaces(idlRel),
                                                WrapText(cmd, "\\\r\n  ", " \t", MakeFileLineWidth)});
    return Trim(rule) + CRLF + CRLF;
}

TIdlMakeFile::TIdlMakeFile(String projectFile, String text)
    : FProjectFile(std::move(projectFile)), FText(std::move(text))
{
}

String TIdlMakeFile::ProjectDir() const { return ExtractFilePath(FProjectFile); }

bool TIdlMakeFile::FindMacro(const String& name, String& value, long& start, long& end) const
{
    return TMakeFileText(FText).FindMacro(name, value, start, end);
}

String TIdlMakeFile::MacroValue(const String& name) const { return TMakeFileText(FText).MacroValue(name); }

void TIdlMakeFile::SetMacro(const String& name, const String& value)
{
    TMakeFileText t(std::move(FText));
    t.SetMacro(name, value, MakeMacroFollows(name));
    FText = std::move(t.Text());
}

std::vector<String> TIdlMakeFile::IdlFiles() const
{
    std::vector<String> out;
    for (const String& w : ExtractStrings(MacroValue(sIdlFilesMacro), " \t"))
        out.push_back(ExpandRelativePath(ProjectDir(), Unquote(w)));
    return out;
}

void TIdlMakeFile::ParseIdlSymbols() { TIdlOptionsManagerHelper(*this).ParseIdlSymbols(); }

void TIdlMakeFile::UpdateIDLRules(const std::vector<String>& entries)
{
    TIdlOptionsUpdaterHelper(*this).UpdateIDLRules(entries);
}

String TIdlOptionsManagerHelper::GetIdlCFlags() const { return FMakeFile.MacroValue(sIdlFlagsMacro); }

void TIdlOptionsManagerHelper::ParseIdlSymbols()
{
    TIdlMakeFile& m = FMakeFile;
    // A symbol read before keeps the switches its rules were written with, so that a change of
    // the switches is seen by the next update.
    std::map<String, String> known;
    for (auto& [key, sym] : m.FSymbols) known[key] = sym->Options().Text();
    m.FSymbols.clear();
    const std::vector<String> names = ExtractStrings(m.MacroValue(sIdlFilesMacro), " \t");
    const String macroFlags = GetIdlCFlags();
    TGenFile* current = nullptr;
    bool continued = false;  // the line goes on from the one before (a macro's value, say)
    for (const auto& line : TMakeFileText::SplitLines(m.FText)) {
        const bool continuation = continued;
        const String right = TrimRight(line.Text);
        continued = !right.empty() && right.back() == '\\';
        if (!continuation && TMakeFileText::BeginsStatement(line.Text)) {
            current = nullptr;
            const String t = Trim(line.Text);
            for (const String& name : names) {
                if (t.size() <= name.size() || !EndsWithText(t, name)) continue;
                // "a.idl" is not the end of "other/a.idl": a rule on another file stays the user's.
                const char before = t[t.size() - name.size() - 1];
                if (before != ' ' && before != '\t' && before != ':') continue;
                String target = t.substr(0, t.size() - name.size());
                const auto colon = target.rfind(':');
                if (colon == String::npos) continue;
                target = Trim(target.substr(0, colon));
                const String idl = ExpandRelativePath(m.ProjectDir(), Unquote(name));
                auto& sym = m.FSymbols[FileNameKey(idl)];
                if (!sym) {
                    auto k = known.find(FileNameKey(idl));
                    const String sw = k != known.end() ? k->second
                                      : m.SwitchesOf   ? m.SwitchesOf(idl)
                                                       : macroFlags;
                    sym = std::make_unique<TIdlMakeSymbol>(m.ProjectDir(), sw, idl, m.RootDir);
                }
                sym->AddGenFile(ExpandRelativePath(m.ProjectDir(), Unquote(target)), "");
                current = sym->GenFiles().back().get();
                current->Position = line.Start;
                current->EndPosition = line.End;
                break;
            }
        } else if (current && !line.Text.empty() && (line.Text[0] == '#' || line.Text[0] == '!')) {
            current = nullptr;  // a comment or directive ends the rule
        } else if (current) {
            // Continued command lines are read back as one line, so that writing it again
            // wraps it afresh. The blanks before the break stay: the line was broken after
            // them, and dropping them would move the next break.
            if (!Trim(line.Text).empty()) {
                String& cmd = current->Command;
                if (!cmd.empty() && cmd.back() == '\\') {
                    cmd.pop_back();
                    if (cmd.empty() || (cmd.back() != ' ' && cmd.back() != '\t')) cmd += ' ';
                    cmd += TrimLeft(line.Text);
                } else {
                    cmd += cmd.empty() ? line.Text : CRLF + line.Text;
                }
            }
            current->EndPosition = line.End;
        }
    }
    // Only a rule that runs the IDL compiler is the IDL file's: "docs.html: a.idl" with a
    // command of the user's stays the user's, whatever the IDL rules' updates do.
    for (auto it = m.FSymbols.begin(); it != m.FSymbols.end();) {
        std::erase_if(it->second->GenFiles(), [](const std::unique_ptr<TGenFile>& g) {
            return UpperCase(g->Command).find("KROTEX") == String::npos;
        });
        it = it->second->GenFiles().empty() ? m.FSymbols.erase(it) : std::next(it);
    }
}

void TIdlOptionsUpdaterHelper::UpdateIDLRules(const std::vector<String>& entries)
{
    TIdlMakeFile& m = FMakeFile;
    const String flags = TIdlOptionsManagerHelper(m).GetIdlCFlags();
    for (const String& e : entries) {
        auto& sym = m.FSymbols[FileNameKey(e)];
        if (!sym)
            sym = std::make_unique<TIdlMakeSymbol>(m.ProjectDir(), m.SwitchesOf ? m.SwitchesOf(e) : flags, e,
                                                   m.RootDir);
        else
            sym->SetName(e);  // the project's spelling of the name, for its rules too
    }
    // New rules go at the end, never glued to a last line without line break, nor read as part
    // of a last line that goes on to the next (ends in "\"): an empty line ends that one first.
    if (!m.FText.empty() && m.FText.back() != '\n') m.FText += CRLF;
    if (!m.FText.empty()) {
        const std::size_t nl = m.FText.size() - 1;
        const std::size_t before = nl == 0 ? String::npos : m.FText.rfind('\n', nl - 1);
        const std::size_t from = before == String::npos ? 0 : before + 1;
        const String last = TrimRight(m.FText.substr(from, nl - from));
        if (!last.empty() && last.back() == '\\') m.FText += CRLF;
    }
    std::map<long, String> inserts;  // rules to insert at each place, in order
    std::set<std::pair<long, long>> deleted;  // a range asked to be deleted twice is deleted once
    const long rulesAt = static_cast<long>(m.FText.size());
    String genList;
    std::vector<String> removed;
    for (auto& entry : m.FSymbols) {
        // no structured binding here: lambdas capture these, which not every compiler allows
        TIdlMakeSymbol* sym = entry.second.get();
        const String& name = sym->Name();
        const bool remove = std::none_of(entries.begin(), entries.end(),
                                         [&name](const String& e) { return SameFileName(e, name); });
        if (!remove) {
            sym->SetOptionsString(m.SwitchesOf ? m.SwitchesOf(name) : flags);
            sym->UpdateGenFiles();
        }
        if (remove || sym->Changed)
            for (auto& g : sym->GenFiles())
                if (g->Position >= 0) deleted.insert({g->Position, g->EndPosition});
        // rules of names the switches no longer give (read before a change of them) go
        if (!remove)
            std::erase_if(sym->GenFiles(), [&](const std::unique_ptr<TGenFile>& g) {
                if (SameFileName(g->FileName, sym->Current[0]) || SameFileName(g->FileName, sym->Current[1]))
                    return false;
                if (g->Position >= 0) deleted.insert({g->Position, g->EndPosition});
                return true;
            });
        if (remove) {
            removed.push_back(name);
            continue;
        }
        for (auto& g : sym->GenFiles()) {
            if (g->Position < 0) {
                inserts[rulesAt] += MakeIdlRule(m.FProjectFile, *sym, *g);
            } else if (sym->Changed) {
                inserts[g->Position] += MakeIdlRule(m.FProjectFile, *sym, *g);
            }
            if (!genList.empty()) genList += ' ';
            genList += FixFileSpaces(ExtractRelativePath(m.FProjectFile, g->FileName));
        }
        sym->Changed = false;
    }
    std::set<long> places;
    for (const auto& [s, e] : deleted) places.insert(s);
    for (const auto& [p, t] : inserts) places.insert(p);
    for (auto p = places.rbegin(); p != places.rend(); ++p) {
        for (auto d = deleted.lower_bound({*p, 0}); d != deleted.end() && d->first == *p; ++d) {
            m.FText.erase(d->first, d->second - d->first);
            break;  // the longest range at a place is last; ranges of one place are the same rule
        }
        auto in = inserts.find(*p);
        if (in != inserts.end()) m.FText.insert(*p, in->second);
    }
    for (const String& r : removed) m.FSymbols.erase(FileNameKey(r));
    m.SetMacro(sIdlGenFilesMacro, genList);
    if (!entries.empty() && !HasKrotexDefinition(m.FText)) {
        String v;
        long s, e;
        const long at = m.FindMacro(sIdlGenFilesMacro, v, s, e) ? e : 0;
        m.FText.insert(at, String(CRLF) + CRLF + kKrotexDefinition + CRLF + "KROTEX = krotex" + CRLF +
                               "!endif" + CRLF);
    }
    // Positions have moved: read the rules back.
    TIdlOptionsManagerHelper(m).ParseIdlSymbols();
}

void TIdlMakeFile::SetIdlFiles(const std::vector<String>& entries)
{
    ParseIdlSymbols();
    UpdateIDLRules(entries);
    String list;
    for (const String& e : entries) {
        if (!list.empty()) list += ' ';
        list += FixFileSpaces(ExtractRelativePath(FProjectFile, e));
    }
    SetMacro(sIdlFilesMacro, list);
    ParseIdlSymbols();
}
