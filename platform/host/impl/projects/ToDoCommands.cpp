// idehost's todo command: the to-do list of the files given or of the open project, read through
// the to-do managers and file handlers packages register, shown in the list's columns.
#include <algorithm>
#include <filesystem>
#include <ostream>

#include "host/CppProject.h"
#include "host/ToDo.h"
#include "hostimpl/HostImpl.h"
#include "rtl/Files.h"

namespace {

// The C++ personality opens a unit's source with the header of its name.
const char* const kHeaderExts[] = {".h", ".hpp", ".hh"};

bool IsHeader(const String& file)
{
    const String ext = LowerCase(ExtractFileExt(file));
    return std::any_of(std::begin(kHeaderExts), std::end(kHeaderExts),
                       [&](const char* e) { return ext == e; });
}

String UnitHeader(const String& source)
{
    for (const char* e : kHeaderExts)
        if (FileExists(ChangeFileExt(source, e))) return ResolvePath(ChangeFileExt(source, e));
    return String();
}

bool IsRegularFile(const String& name)
{
    std::error_code ec;
    return std::filesystem::is_regular_file(name.c_str(), ec);
}

// A name as the host keeps it (relative ones to the current folder), made absolute.
String Absolute(const String& name)
{
    return ResolvePath(std::filesystem::absolute(name.c_str()).lexically_normal().string());
}

struct TToDoFile {
    String Name;  // full
    String Shown;  // as the Module column shows it
};

// The name relative to the folder when it lies inside it.
String Shown(const String& name, const String& folder)
{
    const String rel = std::filesystem::path(name.c_str()).lexically_relative(folder.c_str()).string();
    return rel.empty() || rel.rfind("..", 0) == 0 ? name : rel;
}

std::vector<TToDoFile> GivenFiles(const std::vector<String>& args)
{
    const String folder = hostimpl::ProjectFolder();
    const String shownFrom = IncludeTrailingPathDelimiter(Absolute(folder));
    std::vector<TToDoFile> files;
    for (const String& a : args) {
        const String name = Absolute(a[0] == '/' ? a : folder + a);
        if (!IsRegularFile(name)) throw EHostError("No such file: " + a);
        if (std::none_of(files.begin(), files.end(),
                         [&](const TToDoFile& f) { return SameFileName(f.Name, name); }))
            files.push_back({name, Shown(name, shownFrom)});
    }
    return files;
}

std::vector<TToDoFile> ProjectFiles()
{
    TIntfPtr<IQProject> project = ActiveProject();
    if (!project) throw EHostError("No project is open: todo FILE... lists files, or open a project first");
    std::vector<String> names;
    String folder = ExtractFilePath(project->FileName());
    if (TIntfPtr<IQCppProject> cpp = CppProjectOf(project.get())) {
        names = cpp->Items();
        folder = cpp->Directory();
    } else {
        for (int i = 0; i < project->ModuleCount(); ++i) names.push_back(project->Module(i)->FileName());
    }
    folder = IncludeTrailingPathDelimiter(Absolute(folder));
    std::vector<TToDoFile> files;
    for (const String& n : names) {
        const String name = Absolute(n);
        files.push_back({name, Shown(name, folder)});
    }
    return files;
}

// Opens the sources in editor modules as the C++ personality does: each with its unit header.
void OpenSourceModules(const std::vector<TToDoFile>& files)
{
    for (const TToDoFile& f : files)
        if (!IsHeader(f.Name) && IsRegularFile(f.Name)) ToDoList().OpenModule(f.Name, UnitHeader(f.Name));
}

struct TRow {
    String Cells[5];
};

void PrintTable(const std::vector<TRow>& rows, std::ostream& out)
{
    std::size_t width[5] = {};
    for (int c = 0; c < 5; ++c) width[c] = String(ToDoListColumns[c]).size();
    for (const TRow& r : rows)
        for (int c = 0; c < 5; ++c) width[c] = std::max(width[c], r.Cells[c].size());
    auto line = [&](const String* cells) {
        String s;
        for (int c = 0; c < 5; ++c) {
            s += cells[c];
            if (c < 4) s += String(width[c] - cells[c].size() + 2, ' ');
        }
        out << TrimRight(s) << "\n";
    };
    String head[5];
    for (int c = 0; c < 5; ++c) head[c] = ToDoListColumns[c];
    line(head);
    for (const TRow& r : rows) line(r.Cells);
}

}  // namespace

namespace hostimpl {

void RunToDoCommand(std::vector<String> a, std::ostream& out)
{
    const std::vector<TToDoFile> files = a.empty() ? ProjectFiles() : GivenFiles(a);
    // what the editor held before is read anew
    ToDoList().Clear();
    OpenSourceModules(files);
    // every manager first: a header listed before its source finds the source's manager
    std::vector<TSourceToDoManager*> managers;
    std::vector<String> notes;
    for (const TToDoFile& f : files) {
        TSourceToDoManager* m = nullptr;
        if (!IsRegularFile(f.Name))
            notes.push_back(f.Shown + ": file not found");
        else if (m = ToDoList().ManagerFor(f.Name); !m || !FindCFileHandler(f.Name)) {
            notes.push_back(f.Shown + ": no to-do handler takes this file");
            m = nullptr;
        }
        managers.push_back(m);
    }
    // a header that no module of a source reaches is opened on its own
    for (std::size_t k = 0; k < files.size(); ++k)
        if (managers[k] && IsHeader(files[k].Name) && !managers[k]->GetUpdater())
            ToDoList().OpenModule(String(), files[k].Name);
    for (TSourceToDoManager* m : managers)
        if (m) m->Parse();
    std::vector<TRow> rows;
    for (std::size_t k = 0; k < files.size(); ++k) {
        if (!managers[k]) continue;
        for (const TToDoItem& i : managers[k]->Items())
            rows.push_back({{(i.Done ? "[x] " : "[ ] ") + i.Text, IntToStr(i.Priority),
                             files[k].Shown + ":" + IntToStr(i.Line), i.Owner, i.Category}});
    }
    out << "to-do list: " << rows.size() << (rows.size() == 1 ? " item" : " items") << " in " << files.size()
        << (files.size() == 1 ? " file" : " files") << "\n";
    PrintTable(rows, out);
    for (const String& n : notes) out << n << "\n";
    ToDoList().Clear();
}

}  // namespace hostimpl
