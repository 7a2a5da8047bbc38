// The form side of a host module: its root, the components its form file lists, and renaming
// the root, which renames the form's class in the unit as the designer does.
#include "hostimpl/HostState.h"
#include "host/CppScanner.h"
#include "rtl/Files.h"
#include "rtl/ScopeGuard.h"

namespace hostimpl {
namespace {

// "object Name: TClass", "inherited Name: TClass" or "inline Name: TClass" (blanks before it).
struct TFormLine {
    std::size_t NamePos = String::npos;
    String Name, ClassName;
    std::size_t ClassPos = String::npos;
};

TFormLine ReadFormLine(const String& text, std::size_t from, std::size_t to)
{
    TFormLine l;
    std::size_t p = from;
    while (p < to && (text[p] == ' ' || text[p] == '\t')) ++p;
    for (const char* word : {"object ", "inherited ", "inline "}) {
        const String w = word;
        if (text.compare(p, w.size(), w) != 0) continue;
        const std::size_t colon = text.find(':', p);
        if (colon == String::npos || colon >= to) return l;
        l.NamePos = p + w.size();
        l.Name = Trim(text.substr(l.NamePos, colon - l.NamePos));
        l.ClassPos = colon + 1;
        while (l.ClassPos < to && text[l.ClassPos] == ' ') ++l.ClassPos;
        std::size_t e = l.ClassPos;
        while (e < to && text[e] != ' ' && text[e] != '\r' && text[e] != '\n' && text[e] != '[') ++e;
        l.ClassName = text.substr(l.ClassPos, e - l.ClassPos);
        return l;
    }
    return l;
}

// Every object line of a form text, the root first.
std::vector<TFormLine> FormLines(const String& text)
{
    std::vector<TFormLine> lines;
    for (std::size_t at = 0; at < text.size();) {
        std::size_t end = text.find('\n', at);
        if (end == String::npos) end = text.size();
        TFormLine l = ReadFormLine(text, at, end);
        if (l.NamePos != String::npos) lines.push_back(std::move(l));
        at = end + 1;
    }
    return lines;
}

// Every identifier token from in a C++ text renamed to to.
String RenameIdentifier(const String& text, const String& from, const String& to)
{
    String out;
    std::size_t at = 0;
    TCppScanner s(text);
    for (TCppToken t = s.Next(); t.Kind != TCppTokenKind::End; t = s.Next())
        if (t.Kind == TCppTokenKind::Identifier && t.Text == from) {
            out += text.substr(at, t.Start - at) + to;
            at = t.End;
        }
    return out + text.substr(at);
}

// The root line of a form text with the new name (and class T<new> where it was T<old>).
String RenameFormRoot(const String& text, const String& oldName, const String& newName)
{
    const auto lines = FormLines(text);
    if (lines.empty() || !SameText(lines[0].Name, oldName)) return text;
    const TFormLine& root = lines[0];
    String out = text;
    if (root.ClassName == "T" + oldName) out.replace(root.ClassPos, root.ClassName.size(), "T" + newName);
    out.replace(root.NamePos, root.Name.size(), newName);
    return out;
}

}  // namespace

String THostModule::RootClass()
{
    // the designer makes the root an instance of the ancestor it designs
    if (SameText(FAncestor, "CRemoteDataModule") || SameText(FAncestor, "MTSDataModule") ||
        SameText(FAncestor, "DataModule"))
        return "TDataModule";
    return FAncestor.empty() ? String("TForm") : AncestorClassName(FAncestor);
}

namespace {

// The form text: the file on disk when it was written, else the one the module received.
String FormText(THostModule& m)
{
    const String file = ChangeFileExt(m.FileName(), ".zfm");
    if (FileExists(file)) return ReadFileBytes(file);
    for (int i = 0; i < m.FileCount(); ++i)
        if (SameText(ExtractFileExt(m.File(i)->FileName()), ".zfm")) return m.File(i)->Source();
    return "";
}

}  // namespace

String THostModule::RootName()
{
    // the form file's root is the form, whatever name its creator gave
    const auto lines = FormLines(FormText(*this));
    return lines.empty() || lines[0].Name.empty() ? FFormName : lines[0].Name;
}

std::vector<String> THostModule::ComponentNames()
{
    std::vector<String> names;
    const auto lines = FormLines(FormText(*this));
    for (std::size_t i = 1; i < lines.size(); ++i) names.push_back(lines[i].Name);
    return names;
}

void THostModule::RenameRoot(const String& newName)
{
    const String oldName = FFormName;
    if (newName == oldName) return;
    if (!IsValidIdent(newName)) throw EHostError("'" + newName + "' is not a valid identifier");
    // two forms of one name would share their class
    for (THostModule* m : AllModules())
        if (m != this && SameText(m->FormName(), newName))
            throw EHostError("A form named " + newName + " exists already");
    const String oldClass = "T" + oldName, newClass = "T" + newName;
    // the files on disk and the texts the module holds change together
    struct TChange {
        String File, Old, New;
    };
    std::vector<TChange> changes;
    std::vector<TIntfPtr<IQSourceFile>> held;
    const auto newText = [&](const String& file, const String& text) {
        return SameText(ExtractFileExt(file), ".zfm") ? RenameFormRoot(text, oldName, newName)
                                                      : RenameIdentifier(text, oldClass, newClass);
    };
    for (const String& file : {FFileName, ChangeFileExt(FFileName, ".h"), ChangeFileExt(FFileName, ".zfm")})
        if (FileExists(file)) {
            const String text = ReadFileBytes(file);
            const String renamed = newText(file, text);
            if (renamed != text) changes.push_back({file, text, renamed});
        }
    for (const auto& f : FFiles)
        held.push_back(
            TIntfPtr<IQSourceFile>(new TStringFile(f->FileName(), newText(f->FileName(), f->Source()))));
    std::size_t written = 0;
    TScopeGuard undo([&] {
        for (std::size_t i = 0; i < written; ++i) AtomicWriteFile(changes[i].File, changes[i].Old);
    });
    for (const auto& c : changes) {
        AtomicWriteFile(c.File, c.New);
        ++written;
    }
    undo.Dismiss();
    FFiles = std::move(held);
    FFormName = newName;
}

}  // namespace hostimpl
