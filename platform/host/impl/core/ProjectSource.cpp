#include "hostimpl/HostState.h"
#include "host/MakeFile.h"
#include "rtl/Files.h"

#include <cctype>
#include <filesystem>
#include <functional>

namespace hostimpl {

namespace {

// The start of the line after the one that holds pos (the text's end for the last line).
std::size_t NextLine(const String& text, std::size_t pos)
{
    const std::size_t e = text.find('\n', pos);
    return e == String::npos ? text.size() : e + 1;
}

std::size_t LineStart(const String& text, std::size_t pos)
{
    const std::size_t b = pos == 0 ? String::npos : text.rfind('\n', pos - 1);
    return b == String::npos ? 0 : b + 1;
}

bool IsIdentChar(char c) { return std::isalnum(static_cast<unsigned char>(c)) || c == '_'; }

}  // namespace

String AncestorClassName(const String& ancestor)
{
    // creators name the ancestor with its "T" ("TFrame") or without it ("Form")
    const bool isClass =
        ancestor.size() > 1 && ancestor[0] == 'T' && std::isupper(static_cast<unsigned char>(ancestor[1]));
    return isClass ? ancestor : "T" + ancestor;
}

String AddFormToProjectSource(const String& text, const String& unitFile, const String& formName,
                              bool createForm)
{
    const String nl = text.find("\r\n") != String::npos ? "\r\n" : "\n";
    const String use = "USEFORM(\"" + unitFile + "\", " + formName + ");";
    const std::size_t hdrstop = text.find("#pragma hdrstop");
    const std::size_t run = text.find("Application->Run();");
    // a unit is named once, whatever form name it was named with
    if (hdrstop == String::npos || run == String::npos ||
        text.find("USEFORM(\"" + unitFile + "\",") != String::npos)
        return text;
    String r = text;
    // the forms are created before the application runs, in the order they were added
    if (createForm) {
        const String create = "Application->CreateForm(__classid(T" + formName + "), &" + formName + ");";
        const std::size_t last = r.rfind("Application->CreateForm(");
        const std::size_t runLine = LineStart(r, run);
        const String indent = r.substr(runLine, run - runLine);
        const std::size_t at = last != String::npos ? NextLine(r, last) : runLine;
        r.insert(at, indent + create + nl);
    }
    // the units are named between two separator lines after the precompiled-header stop
    const std::size_t lastUse = r.rfind("USEFORM(");
    if (lastUse != String::npos) {
        r.insert(NextLine(r, lastUse), use + nl);
    } else {
        std::size_t at = NextLine(r, hdrstop);
        if (r.compare(at, DashLine.size(), DashLine) == 0) {
            at = NextLine(r, at);
            r.insert(at, use + nl + DashLine + nl);
        } else {
            r.insert(at, DashLine + nl + use + nl + DashLine + nl);
        }
    }
    return r;
}

String AddUnitToPascalSource(const String& text, const String& unitFile, const String& formName,
                             const String& ancestor)
{
    const String nl = text.find("\r\n") != String::npos ? "\r\n" : "\n";
    const String unit = ChangeFileExt(ExtractFileName(unitFile), "");
    const String lower = LowerCase(text);
    // the uses list ends at the first ";" after the word "uses"
    std::size_t uses = String::npos;
    for (std::size_t p = lower.find("uses"); p != String::npos; p = lower.find("uses", p + 4)) {
        const bool startOk = p == 0 || !IsIdentChar(lower[p - 1]);
        const bool endOk = p + 4 >= lower.size() || !IsIdentChar(lower[p + 4]);
        if (startOk && endOk) {
            uses = p;
            break;
        }
    }
    if (uses == String::npos) return text;
    const std::size_t end = text.find(';', uses);
    if (end == String::npos) return text;
    // named already
    const String list = lower.substr(uses + 4, end - uses - 4);
    const String key = LowerCase(unit);
    for (std::size_t p = list.find(key); p != String::npos; p = list.find(key, p + 1))
        if ((p == 0 || !IsIdentChar(list[p - 1])) &&
            (p + key.size() >= list.size() || !IsIdentChar(list[p + key.size()])))
            return text;
    String entry = "," + nl + "  " + unit + " in '" + unitFile + "'";
    if (!formName.empty())
        entry += " {" + formName + (ancestor.empty() ? "" : ": " + AncestorClassName(ancestor)) + "}";
    String r = text;
    r.insert(end, entry);
    return r;
}

namespace {

// Frames (a "Frame" or a framework's "QZFrame") are named in the project source, never created.
bool IsFrameAncestor(const String& ancestor)
{
    return ancestor.size() >= 5 && SameText(ancestor.substr(ancestor.size() - 5), "Frame");
}

bool IsPascalSource(const String& file)
{
    const String ext = ExtractFileExt(file);
    return SameText(ext, ".pdr") || SameText(ext, ".dpr");
}

// The project's source (a C++ or Pascal one) changed by edit, which gets the text and the
// source's name and answers the text unchanged when it has nothing to do.
void EditProjectSource(THostModule& project, const std::function<String(const String&, const String&)>& edit)
{
    for (int i = 0; i < project.FileCount(); ++i) {
        TIntfPtr<IQSourceFile> f = project.File(i);
        if (!f || !(SameText(ExtractFileExt(f->FileName()), ".cpp") || IsPascalSource(f->FileName())))
            continue;
        const String text = f->Source();
        const String changed = edit(text, f->FileName());
        if (changed == text) return;
        project.SetFile(static_cast<std::size_t>(i),
                        TIntfPtr<IQSourceFile>(new TStringFile(f->FileName(), changed)));
        // a project being made has its source still to be written: it gets the new text; an
        // open project's source is received again
        auto& s = State();
        if (s.CreatingProject == &project)
            for (auto it = s.Received.rbegin(); it != s.Received.rend(); ++it)
                if (SameText(it->FileName, f->FileName())) {
                    it->Text = changed;
                    return;
                }
        s.Received.push_back({f->FileName(), changed});
        return;
    }
}

}  // namespace

void AddFormToProject(THostModule& project, THostModule& unit)
{
    EditProjectSource(project, [&](const String& text, const String& source) {
        const bool pascal = IsPascalSource(source);
        // named by its form's root; a module whose creator names no form but writes one (a
        // session module) is left to whoever creates it
        const String formName = unit.RootName();
        if (!pascal && formName.empty()) return text;
        // beside the project its name alone, as the IDE writes it
        const String unitFile = SameText(ExtractFilePath(unit.FileName()), ExtractFilePath(source))
                                    ? ExtractFileName(unit.FileName())
                                    : unit.FileName();
        return pascal ? AddUnitToPascalSource(text, unitFile, formName, unit.AncestorName())
                      : AddFormToProjectSource(text, unitFile, formName,
                                               !unit.FormName().empty() &&
                                                   !IsFrameAncestor(unit.AncestorName()));
    });
}

namespace {

String ObjectEntry(const String& coClassName)
{
    return "OBJECT_ENTRY(CLSID_" + coClassName + ", T" + coClassName + "Impl)";
}

}  // namespace

String AddObjectToObjectMap(const String& text, const String& coClassName, const String& header)
{
    const String entry = ObjectEntry(coClassName);
    const std::size_t begin = text.find("BEGIN_OBJECT_MAP(");
    const std::size_t end = begin == String::npos ? String::npos : text.find("END_OBJECT_MAP()", begin);
    if (end == String::npos || text.substr(begin, end - begin).find(entry) != String::npos) return text;
    const String nl = text.find("\r\n") != String::npos ? "\r\n" : "\n";
    String r = text;
    r.insert(LineStart(r, end), "  " + entry + nl);
    // the entry names the unit's class: its header comes in after the last include before the map
    const String include = "#include \"" + header + "\"";
    if (header.empty() || r.find(include) != String::npos) return r;
    const std::size_t last = r.rfind("#include", begin);
    r.insert(last == String::npos ? LineStart(r, begin) : NextLine(r, last), include + nl);
    return r;
}

void AddObjectToProjectMap(THostModule& project, const String& coClassName, const String& unitFile)
{
    if (coClassName.empty()) return;
    EditProjectSource(project, [&](const String& text, const String& source) {
        if (IsPascalSource(source)) return text;
        const String header = unitFile.empty() ? String() : ChangeFileExt(unitFile, ".h");
        const String named = SameText(ExtractFilePath(header), ExtractFilePath(source))
                                 ? ExtractFileName(header)
                                 : ExtractRelativePath(source, header);
        return AddObjectToObjectMap(text, coClassName, named);
    });
}

String RenameInObjectMap(const String& text, const String& oldName, const String& newName)
{
    const String from = ObjectEntry(oldName);
    const std::size_t begin = text.find("BEGIN_OBJECT_MAP(");
    const std::size_t end = begin == String::npos ? String::npos : text.find("END_OBJECT_MAP()", begin);
    const std::size_t at = end == String::npos ? String::npos : text.find(from, begin);
    if (at == String::npos || at > end) return text;
    String r = text;
    r.replace(at, from.size(), ObjectEntry(newName));
    return r;
}

void RenameObjectInProjectMap(THostModule& project, const String& oldName, const String& newName)
{
    EditProjectSource(project, [&](const String& text, const String& source) {
        return IsPascalSource(source) ? text : RenameInObjectMap(text, oldName, newName);
    });
}

}  // namespace hostimpl

String ExtractRelativePath(const String& baseFile, const String& name)
{
    namespace fs = std::filesystem;
    // both absolute: a relative and an absolute name have no relative path between them
    const fs::path base = fs::path(ExpandFileName(baseFile)).parent_path();
    return fs::path(ExpandFileName(name)).lexically_relative(base).string();
}
