#include "hostimpl/HostState.h"
#include "rtl/Files.h"

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

}  // namespace

String AddFormToProjectSource(const String& text, const String& unitFile, const String& formName,
                              bool createForm)
{
    const String nl = text.find("\r\n") != String::npos ? "\r\n" : "\n";
    const String use = "USEFORM(\"" + unitFile + "\", " + formName + ");";
    const std::size_t hdrstop = text.find("#pragma hdrstop");
    const std::size_t run = text.find("Application->Run();");
    if (hdrstop == String::npos || run == String::npos || text.find(use) != String::npos) return text;
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

void AddFormToProject(THostModule& project, THostModule& unit)
{
    for (int i = 0; i < project.FileCount(); ++i) {
        TIntfPtr<IQSourceFile> f = project.File(i);
        if (!f || !SameText(ExtractFileExt(f->FileName()), ".cpp")) continue;
        // beside the project its name alone, as the IDE writes it
        const String unitFile = SameText(ExtractFilePath(unit.FileName()), ExtractFilePath(f->FileName()))
                                    ? ExtractFileName(unit.FileName())
                                    : unit.FileName();
        const String text = f->Source();
        const String changed =
            AddFormToProjectSource(text, unitFile, unit.FormName(), !SameText(unit.AncestorName(), "Frame"));
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

}  // namespace hostimpl
