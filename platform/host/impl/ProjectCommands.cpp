// idehost's commands for C++ projects: create or open one, add files, set switches, build.
#include "hostimpl/HostImpl.h"

#include <ostream>

#include "host/CppPersonality.h"
#include "host/IDENotifiers.h"
#include "hostimpl/CppProjectModel.h"
#include "hostimpl/HostState.h"
#include "host/MakeFile.h"
#include "host/MessageServices.h"
#include "host/ProgressServices.h"
#include "host/ProjectManager.h"
#include "host/ProjectOptionsDialog.h"
#include "host/TypeLibrary.h"
#include "rtl/ScopeGuard.h"
#include "rtl/Files.h"

namespace hostimpl {

bool FireFileNotification(int code, const String& fileName);
bool FireBeforeCompile(IQProject* project);
void FireAfterCompileNotifiers(bool succeeded);

namespace {

TIntfPtr<IQCppProject> Active()
{
    // a project of any personality is kept in its project file
    auto m = ProjectModelOf(ActiveProject().get());
    if (!m) throw EHostError("No project is open (project new FILE or project open FILE)");
    return TIntfPtr<IQCppProject>(m.get());
}

String InFolder(const String& name, const String& folder)
{
    return name.empty() || name[0] == '/' ? name : folder + name;
}

void Need(const std::vector<String>& a, std::size_t n, const char* usage)
{
    if (a.size() != n) throw EHostError(String("usage: project ") + usage);
}

void PrintMessages(std::ostream& out, std::size_t from)
{
    TIntfPtr<IQMessageServices> ms = RequireService<IQMessageServices>("message view");
    const auto list = ms->Messages();
    for (std::size_t i = from; i < list.size(); ++i) {
        const auto& m = list[i];
        const char* kind = m.Kind == 1 ? "warning" : m.Kind == 2 ? "error" : "info";
        out << kind << ": " << m.FileName << ":" << m.Line << ":" << m.Column << ": " << m.Text << "\n";
    }
}

// A file counts as compiled only when no error arrived between its report and the next one.
void PrintCompiled(std::ostream& out, const std::vector<TIDEProgress>& reports,
                   const std::vector<TIDEMessage>& messages)
{
    for (std::size_t i = 0; i < reports.size(); ++i) {
        if (reports[i].Kind != 1) continue;
        const std::size_t to = i + 1 < reports.size() ? reports[i + 1].MessagesBefore : messages.size();
        bool failed = false;
        for (std::size_t m = reports[i].MessagesBefore; m < to && m < messages.size(); ++m)
            failed = failed || messages[m].Kind == 2;
        if (!failed) out << "compiled " << reports[i].Text << "\n";
    }
}

void Save(IQCppProject* p, std::ostream& out)
{
    p->Save();
    out << "saved " << p->FileName() << "\n";
}

// Around a change of the project's IDL data: the generated files that no IDL file lists after it
// leave the project (and the IDE).
class TIdlChange {
public:
    explicit TIdlChange(IQCppProject* p)
        : FProject(p), FUpdater(IdlOptionsUpdaterClass ? IdlOptionsUpdaterClass(p) : nullptr)
    {
        if (FUpdater) FBefore = FUpdater->PrepareRemoveGenModules(p);
    }
    TIdlOptionsUpdaterBase* Updater() const { return FUpdater.get(); }
    // Saves the project, then once more: generated files that left it (told), or their other
    // entries in the project file (an XML project's "depend" entries).
    void Commit(std::ostream& out)
    {
        Save(FProject, out);
        if (!FUpdater) return;
        const std::size_t items = FProject->Items().size();
        FUpdater->RemoveGenModules(FProject, *FBefore);
        if (FProject->Items().size() != items)
            Save(FProject, out);
        else
            FProject->Save();
    }

private:
    IQCppProject* FProject;
    std::unique_ptr<TIdlOptionsUpdaterBase> FUpdater;
    std::unique_ptr<TRemoveGenModulesTransaction> FBefore;
};

// A build that leaves a generated file the project lists unwritten compiled less than it
// should: that is an error, reported in the message view.
bool GeneratedFilesExist(IQCppProject* p)
{
    if (!IdlOptionsUpdaterClass) return true;
    std::unique_ptr<TIdlOptionsUpdaterBase> u(IdlOptionsUpdaterClass(p));
    bool ok = true;
    for (const String& f : u->GetAllGenFiles(p))
        if (!FileExists(f)) {
            BMSG(2, 0, f, 0, 0, 0, "The build did not write this generated file");
            ok = false;
        }
    return ok;
}

void NewProject(const std::vector<String>& a, std::ostream& out)
{
    Need(a, 1, "new FILE");
    const String file = InFolder(a[0], ProjectFolder());
    if (FileExists(file)) throw EHostError("The project file " + file + " exists already");
    NewCppProject(file);
    Save(Active().get(), out);
}

void OpenProject(const std::vector<String>& a, std::ostream& out)
{
    Need(a, 1, "open FILE");
    const String file = InFolder(a[0], ProjectFolder());
    OpenCppProject(file);
    out << "opened " << file << "\n";
    FireFileNotification(ofnFileOpened, file);
}

void AddFiles(IQCppProject* p, const std::vector<String>& a, std::ostream& out)
{
    if (a.empty()) throw EHostError("usage: project add FILE...");
    std::unique_ptr<TIdlProjectUpdaterBase> updater(IdlProjectUpdaterClass ? IdlProjectUpdaterClass(p)
                                                                           : nullptr);
    auto adding = updater ? updater->PrepareAddIdlFiles() : nullptr;
    const String dir = p->Directory();
    for (const String& f : a) {
        const String full = InFolder(f, dir);
        if (!FileExists(full)) throw EHostError("No file " + full);
        p->AddItem(full);
        out << "added " << full << "\n";
    }
    if (adding)
        for (const String& f : adding->Complete()) out << "included, not in the project: " << f << "\n";
    Save(p, out);
}

void RemoveFile(IQCppProject* p, const std::vector<String>& a, std::ostream& out)
{
    Need(a, 1, "remove FILE");
    TIdlChange change(p);
    if (!p->RemoveItem(InFolder(a[0], p->Directory()))) throw EHostError("The project holds no file " + a[0]);
    change.Commit(out);
}

void RenameProjectFile(IQCppProject* p, const std::vector<String>& a, std::ostream& out)
{
    Need(a, 2, "rename OLD NEW");
    const String dir = p->Directory();
    const String from = InFolder(a[0], dir), to = InFolder(a[1], dir);
    if (!p->HasItem(from)) throw EHostError("The project holds no file " + a[0]);
    if (FileExists(from) && !RenameFile(from, to)) throw EHostError("Cannot rename " + from);
    TIdlChange change(p);
    TIdlOptionsUpdaterBase* u = change.Updater();
    if (!(u ? u->RenameModule(p, from, to) : p->RenameItem(from, to)))
        throw EHostError("Cannot rename " + a[0] + " in the project");
    out << "renamed " << from << " to " << to << "\n";
    change.Commit(out);
}

void SetSwitches(IQCppProject* p, const std::vector<String>& a, std::ostream& out)
{
    Need(a, 2, "switches FILE|* SWITCHES");
    TIdlChange change(p);
    if (a[0] == "*")
        p->SetMakeSym("IDLCFLAGS", a[1]);
    else
        p->SetOptionValue(InFolder(a[0], p->Directory()), "krotex", "switches", a[1]);
    change.Commit(out);
}

void SetNamedValue(IQCppProject* p, const std::vector<String>& a, std::ostream& out)
{
    Need(a, 3, "set SET NAME VALUE");
    TIdlChange change(p);
    p->SetOptionValue("", a[0], a[1], a[2]);
    change.Commit(out);
}

void SetOption(IQCppProject* p, const std::vector<String>& a, std::ostream& out)
{
    Need(a, 2, "option NAME VALUE");
    std::unique_ptr<TIdlProjectOptionsBase> corba(IdlProjectOptionsClass ? IdlProjectOptionsClass(p)
                                                                         : nullptr);
    if (!corba || !corba->SetOption(a[0], a[1])) p->SetOption(a[0], a[1]);
    Save(p, out);
}

bool CompileFile(IQCppProject* p, const std::vector<String>& a)
{
    Need(a, 1, "compile FILE");
    TStdFileContainer* node = ProjectManagerNode(p, InFolder(a[0], p->Directory()));
    if (!node) throw EHostError("The project holds no file " + a[0]);
    const auto cmds = node->GetStandardCommands();
    if (std::find(cmds.begin(), cmds.end(), int(cmCompile)) == cmds.end())
        throw EHostError("Nothing compiles " + a[0]);
    return node->CommandHandler(cmCompile);
}

bool BuildAll(IQCppProject* p, const std::vector<String>& a)
{
    Need(a, 0, "build");
    if (!IdlCompilerHelperClass) return true;
    std::unique_ptr<TIdlCompilerHelperBase> h(IdlCompilerHelperClass(p));
    return h->IdlAll("", nullptr, 0, false);
}

// The compile between the IDE's before- and after-compile notifications, with what it compiled
// and said printed, then the project saved.
void RunCompile(IQCppProject* p, const std::vector<String>& a, std::ostream& out, bool build)
{
    TIntfPtr<IQMessageServices> ms = RequireService<IQMessageServices>("message view");
    TIntfPtr<IQProgressServices> ps = RequireService<IQProgressServices>("progress");
    ms->ClearMessages();
    ps->ClearReports();
    if (!FireBeforeCompile(ActiveProject().get())) throw EHostError("The compile was cancelled");
    // a stopped build still shows what its compiler said before it stopped
    TScopeGuard shown([&] {
        PrintCompiled(out, ps->Reports(), ms->Messages());
        PrintMessages(out, 0);
    });
    bool ok = build ? BuildAll(p, a) : CompileFile(p, a);
    shown.Dismiss();
    FireAfterCompile(nullptr, p, ok);
    FireAfterCompileNotifiers(ok);
    PrintCompiled(out, ps->Reports(), ms->Messages());
    PrintMessages(out, 0);
    Save(p, out);
    // the saved project lists the generated files
    if (ok && build) {
        const std::size_t before = ms->Messages().size();
        ok = GeneratedFilesExist(p);
        PrintMessages(out, before);
    }
    if (!ok) throw EHostError("The build failed");
    out << "build done\n";
}

void Build(IQCppProject* p, const std::vector<String>& a, std::ostream& out) { RunCompile(p, a, out, true); }

void CompileOne(IQCppProject* p, const std::vector<String>& a, std::ostream& out)
{
    RunCompile(p, a, out, false);
}

void SaveProject(IQCppProject* p, const std::vector<String>& a, std::ostream& out)
{
    Need(a, 0, "save");
    // the project's type library first: a library that cannot be saved keeps the project
    // file as it was
    if (TIntfPtr<IQTypeLibModule> m = FindTypeLibModule(ActiveProject().get())) {
        m->Save();
        out << "saved " << m->FileName() << "\n";
    }
    Save(p, out);
}

void ShowProject(IQCppProject* p, const std::vector<String>& a, std::ostream& out)
{
    Need(a, 0, "show");
    out << "project " << p->FileName() << "\n";
    for (const char* o : {"LibPath", "IncludePath", "Defines", "Libraries"})
        if (!p->GetOption(o).empty()) out << "  option " << o << " = " << p->GetOption(o) << "\n";
    for (const String& f : p->Items()) {
        out << "  " << ExtractRelativePath(p->FileName(), f);
        if (!p->ItemCompiler(f).empty()) out << "  [" << p->ItemCompiler(f) << "]";
        if (p->HasOptionValue(f, "krotex", "switches"))
            out << "  switches: " << p->OptionValue(f, "krotex", "switches");
        out << "\n";
    }
}

// The project-options dialog: PAGE.FIELD=VALUE sets a control; it closes with ok, which keeps
// the edits and saves the project, else it is cancelled. The pages are listed before it closes.
void ProjectOptions(IQCppProject* p, const std::vector<String>& a, std::ostream& out)
{
    TProjectOptionsDialog dialog(p);
    bool ok = false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        const auto eq = a[i].find('=');
        if (eq != String::npos)
            dialog.SetControl(a[i].substr(0, eq), a[i].substr(eq + 1));
        else if (i + 1 == a.size() && (SameText(a[i], "ok") || SameText(a[i], "cancel")))
            ok = SameText(a[i], "ok");
        else
            throw EHostError("usage: project options [PAGE.FIELD=VALUE...] [ok|cancel]");
    }
    for (TPropertySheet* page : dialog.Sheets()) {
        out << "page " << page->Caption << "\n";
        if (auto* idl = dynamic_cast<TIdlOptionsPage*>(page))
            for (const TIdlOptionsPage::TField& f : idl->Fields()) {
                if (f.Field.OnOff)
                    out << "  " << (f.Value == "True" ? "[x] " : "[ ] ") << f.Field.Name;
                else
                    out << "  " << f.Field.Name << " \"" << f.Value << "\"";
                out << "  (" << page->Caption << "." << f.Field.Name << ")\n";
            }
    }
    if (!ok) {
        dialog.Close(false);
        out << "project options cancelled\n";
        return;
    }
    TIdlChange change(p);
    dialog.Close(true);
    out << "project options saved\n";
    change.Commit(out);
}

// The subcommands that work on the open project.
struct TProjectSubcommand {
    const char* Name;
    void (*Run)(IQCppProject* p, const std::vector<String>& a, std::ostream& out);
};

const TProjectSubcommand kProjectSubcommands[] = {
    {"add", AddFiles},         {"remove", RemoveFile},      {"rename", RenameProjectFile},
    {"switches", SetSwitches}, {"set", SetNamedValue},      {"option", SetOption},
    {"build", Build},          {"compile", CompileOne},     {"save", SaveProject},
    {"show", ShowProject},     {"options", ProjectOptions},
};

}  // namespace

void RunProjectCommand(std::vector<String> a, std::ostream& out)
{
    if (a.empty()) throw EHostError("project needs a subcommand");
    const String sub = LowerCase(a[0]);
    a.erase(a.begin());
    if (sub == "new") return NewProject(a, out);
    if (sub == "open") return OpenProject(a, out);
    TIntfPtr<IQCppProject> p = Active();
    for (const TProjectSubcommand& c : kProjectSubcommands)
        if (sub == c.Name) return c.Run(p.get(), a, out);
    throw EHostError("Unknown project command " + sub);
}

void RunMessagesCommand(std::ostream& out) { PrintMessages(out, 0); }

}  // namespace hostimpl
