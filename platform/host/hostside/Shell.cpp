#include "hostimpl/Shell.h"

#include <algorithm>
#include <functional>
#include <iostream>
#include <memory>

#include "host/Actions.h"
#include "host/CodeUpdaters.h"
#include "host/CppClassUpdater.h"
#include "host/CppPersonality.h"
#include "host/EnvironmentOptions.h"
#include "host/FileOpenHandlers.h"
#include "host/MainMenu.h"
#include "host/GalleryServices.h"
#include "host/MakeFile.h"
#include "host/Palette.h"
#include "hostimpl/DesignSession.h"
#include "hostimpl/HostImpl.h"
#include "hostimpl/PackageLoader.h"
#include "hostimpl/StateListing.h"
#include "raster/PixelCanvas.h"
#include "rtl/Interrupt.h"
#include "rtl/Files.h"
#include "zub/Forms.h"
#include "zub/Layout.h"

namespace hostimpl {
namespace {

class EUsage : public Exception {
public:
    using Exception::Exception;
};

// Splits a line into words; "..." keeps blanks inside a word.
std::vector<String> Words(const String& line)
{
    if (std::count(line.begin(), line.end(), '"') % 2 != 0) throw EUsage("Unclosed quote in: " + line);
    return MacroWords(line);
}

class TShell;

// One of idehost's commands. The table below is the command set: it splits the command line,
// dispatches and words the usage errors.
struct TCommand {
    const char* Name;
    void (TShell::*Handler)(std::vector<String>& args);
    // What the arguments must be ("needs an action name"); nullptr: the handler words its own.
    const char* Usage;
    // The first word after it is a subcommand even where it names a command (project new).
    bool TakesSubcommand;
};

const TCommand* FindCommand(const String& name);

class TShell {
public:
    TShell(String packages, std::ostream& out) : FLoader(std::move(packages)), FOut(out) {}

    void Run(const String& cmd, std::vector<String> a)
    {
        const TCommand* command = FindCommand(cmd);
        if (!command) throw EUsage("Unknown command " + cmd);
        FCommand = command;
        (this->*command->Handler)(a);
    }

    void Load(std::vector<String>& a)
    {
        Need(!a.empty());
        for (const auto& n : a) {
            FLoader.Load(n);
            FOut << "loaded " << n << "\n";
        }
        MainFormCreated().FirePending(IDEApplication());
        FLoader.EndLoading();
    }

    void Gallery(std::vector<String>& a)
    {
        Need(a.empty());
        ListGallery();
    }

    void State(std::vector<String>& a)
    {
        Need(a.empty());
        for (const auto& line : HostStateListing()) FOut << line << "\n";
    }

    void New(std::vector<String>& a)
    {
        String dir = TakeOption(a, "--dir");
        Need(a.size() == 2);
        if (!dir.empty()) {
            if (!ForceDirectories(dir)) throw EHostError("Cannot create folder " + dir);
            SetProjectFolder(dir);
        }
        const std::size_t before = ReceivedFiles().size();
        // an item that made no file was cancelled, whether its wizard said so or not
        const bool done = RunGalleryItem(a[0], a[1]) && ReceivedFiles().size() > before;
        WriteReceived(before);
        if (!done) FOut << "cancelled\n";
    }

    void RunAction(std::vector<String>& a)
    {
        Need(a.size() == 1);
        TAction* action = FindAction(IDEApplication(), a[0]);
        if (!action) throw EHostError("No action named " + a[0]);
        const std::size_t before = ReceivedFiles().size();
        const std::vector<String> open = OpenModuleFiles();
        if (!action->Execute()) throw EHostError("Action " + a[0] + " is disabled");
        WriteReceived(before);
        // the modules the action opened, as `open` shows them
        for (const String& f : OpenModuleFiles())
            if (std::find(open.begin(), open.end(), f) == open.end()) FOut << "opened " << f << "\n";
        FOut << "executed " << action->Name() << "\n";
    }

    void Unload(std::vector<String>& a)
    {
        CloseDesign();
        if (a.empty()) {
            FLoader.UnloadAll();
            FOut << "unloaded all\n";
        }
        for (const auto& n : a) {
            FLoader.Unload(n);
            FOut << "unloaded " << n << "\n";
        }
    }

    void Compiler(std::vector<String>& a)
    {
        Need(a.size() == 1);
        String v = LowerCase(a[0]);
        if (v == "none")
            SetCompilerState(TCompilerState::None);
        else if (v == "idle")
            SetCompilerState(TCompilerState::Idle);
        else if (v == "busy")
            SetCompilerState(TCompilerState::Busy);
        else
            Need(false);
    }

    void Project(std::vector<String>& a) { RunProjectCommand(a, FOut); }
    void Browse(std::vector<String>& a) { RunBrowseCommand(a, FOut); }
    void Component(std::vector<String>& a) { RunComponentCommand(a, FOut); }
    void ToDo(std::vector<String>& a) { RunToDoCommand(a, FOut); }

    void Answer(std::vector<String>& a)
    {
        Need(!a.empty());
        for (const auto& kv : a) {
            const auto eq = kv.find('=');
            if (eq == String::npos || eq == 0) throw EUsage("answer needs KEY=VALUE, not " + kv);
            SetDialogAnswer(kv.substr(0, eq), kv.substr(eq + 1));
        }
    }

    void TypeLib(std::vector<String>& a)
    {
        const std::size_t before = ReceivedFiles().size();
        RunTypeLibCommand(a, FOut);
        WriteReceived(before);
    }

    void Messages(std::vector<String>& a)
    {
        Need(a.empty());
        RunMessagesCommand(FOut);
    }

    void Menu(std::vector<String>& a)
    {
        Need(a.empty());
        if (TMainMenu* menu = IDEMainMenu()) ListMenu(menu->Items(), 0);
    }

    void Filters(std::vector<String>& a)
    {
        Need(a.empty());
        for (const TFilterEntry& f : OpenFileFilters()) FOut << f.Filter << "\n";
    }

    void Open(std::vector<String>& a)
    {
        Need(a.size() == 1);
        OpenFile(InProjectFolder(a[0]));
    }

    void Edit(std::vector<String>& a)
    {
        Need(a.size() == 2);
        EditFile(InProjectFolder(a[0]), ReadFileBytes(InProjectFolder(a[1])));
        FOut << "editing " << InProjectFolder(a[0]) << "\n";
    }

    // The class manager's view of a C++ unit (FILE.cpp and the header beside it): the classes
    // the CORBA helper reads, with their interfaces, members and method bodies.
    void Classes(std::vector<String>& a)
    {
        Need(a.size() == 1);
        const String file = InProjectFolder(a[0]);
        if (!FileExists(file)) throw EHostError("No file " + file);
        TCppClassManager m(file);
        m.Parse();
        auto line = [](const String& text, std::size_t pos) {
            return 1 + std::count(text.begin(), text.begin() + static_cast<std::ptrdiff_t>(pos), '\n');
        };
        for (const auto& c : m.IdlClasses()) {
            FOut << "class " << c->Name << "  (line " << c->Line << ")";
            if (!c->IdlInterfaceName.empty()) FOut << "  CORBA interface " << c->IdlInterfaceName;
            FOut << "\n";
            for (const TMethodSymbol& method : c->Methods) {
                FOut << "  " << (method.Type.empty() ? "" : method.Type + " ") << method.Name << "("
                     << method.Params << ")";
                if (method.CodePos != NoPosition)
                    FOut << "  body at " << ExtractFileName(method.CodeSource) << ":"
                         << line(m.Text(csSource), method.CodePos) << (method.Empty ? ", empty" : "");
                FOut << "\n";
            }
        }
    }

    // A template of the CORBA wizards, filled through the personality's IDL expert filter:
    // NAME=true|false sets a boolean variable, another value a text.
    void Template(std::vector<String>& a)
    {
        Need(!a.empty());
        if (!IdlExpertFilterClass) throw EHostError("No package fills the CORBA wizards' template filter");
        std::unique_ptr<TIdlExpertFilterBase> filter(IdlExpertFilterClass());
        for (std::size_t i = 1; i < a.size(); ++i) {
            const auto eq = a[i].find('=');
            if (eq == String::npos || eq == 0) throw EUsage("idltemplate needs NAME=VALUE, not " + a[i]);
            const String name = a[i].substr(0, eq), value = a[i].substr(eq + 1);
            if (SameText(value, "true") || SameText(value, "false"))
                filter->SetBoolValue(name, SameText(value, "true"));
            else
                filter->SetStringValue(name, value);
        }
        FOut << filter->TemplateResult(a[0]) << "\n";
    }

    // The form designer's commands.
    void Designed(std::vector<String>& a) { FDesign->Run(FCommand->Name, a, FOut); }

    void Options(std::vector<String>& a) { RunOptionsDialog(a); }

    void Render(std::vector<String>& a)
    {
        Need(a.size() == 2);
        RenderForm(a[0], a[1]);
        FOut << "rendered " << a[1] << "\n";
    }

    void Designer(std::vector<String>& a)
    {
        Need(a.size() == 1 && (LowerCase(a[0]) == "on" || LowerCase(a[0]) == "off"));
        SetZubDesignerActive(LowerCase(a[0]) == "on");
    }

    TPackageLoader& Loader() { return FLoader; }
    // The designed form's components are the packages' objects: they go first.
    void CloseDesign() { FDesign = std::make_unique<TDesignSession>(); }

private:
    // The usage error of the running command unless `ok`.
    void Need(bool ok) const
    {
        if (!ok) throw EUsage(String(FCommand->Name) + " " + FCommand->Usage);
    }

    // A file the user names: an absolute name as it is, another in the project folder.
    static String InProjectFolder(const String& f) { return f[0] == '/' ? f : ProjectFolder() + f; }

    static String TakeOption(std::vector<String>& a, const String& opt)
    {
        for (std::size_t i = 0; i < a.size(); ++i)
            if (a[i] == opt) {
                if (i + 1 >= a.size()) throw EUsage(opt + " needs a value");
                String v = a[i + 1];
                a.erase(a.begin() + static_cast<std::ptrdiff_t>(i),
                        a.begin() + static_cast<std::ptrdiff_t>(i) + 2);
                return v;
            }
        return "";
    }

    static std::vector<String> OpenModuleFiles()
    {
        std::vector<String> r;
        TIntfPtr<IQProjectGroup> group = MainProjectGroup();
        for (int i = 0; i < group->OpenModuleCount(); ++i) r.push_back(group->OpenModule(i)->FileName());
        return r;
    }

    void ListMenu(TMenuItem* parent, int depth)
    {
        for (int i = 0; i < parent->Count(); ++i) {
            TMenuItem* item = parent->Items(i);
            FOut << String(static_cast<std::size_t>(depth) * 2, ' ') << item->Name() << "  \""
                 << item->Caption() << "\"\n";
            ListMenu(item, depth + 1);
        }
    }

    // File>Open: the first handler that takes the file opens it; then what its module's code
    // updater says.
    void OpenFile(const String& fileName)
    {
        if (!OpenFileWithHandlers(fileName)) throw EHostError("No open handler takes " + fileName);
        FOut << "opened " << fileName << "\n";
        TIntfPtr<IQProjectGroup> group = MainProjectGroup();
        for (int i = 0; i < group->OpenModuleCount(); ++i) {
            TIntfPtr<IQModule> m = group->OpenModule(i);
            if (!SameFileName(m->FileName(), fileName)) continue;
            TIntfPtr<IQCodeUpdater> u = CodeUpdaterOf(m.get());
            if (!u) continue;
            FOut << "  module " << u->GetModuleName() << ", tab " << u->GetModuleTab()
                 << (u->GetEditable() ? ", editable" : "") << (u->GetShowSource() ? ", source shown" : "")
                 << (u->HasForm() ? ", with form" : "") << (u->GetModified() ? ", modified" : "") << "\n";
        }
    }

    // The environment-options dialog: PAGE.FIELD=VALUE sets a check box or types into a combo
    // box; it closes with ok,
    // else it is cancelled.
    void RunOptionsDialog(const std::vector<String>& a)
    {
        TEnvironmentOptionsDialog dialog;
        bool ok = false;
        for (std::size_t i = 0; i < a.size(); ++i) {
            const auto eq = a[i].find('=');
            if (eq != String::npos)
                dialog.SetControl(a[i].substr(0, eq), a[i].substr(eq + 1));
            else if (i + 1 == a.size() && (LowerCase(a[i]) == "ok" || LowerCase(a[i]) == "cancel"))
                ok = LowerCase(a[i]) == "ok";
            else
                Need(false);
        }
        for (TPropertySheet* page : dialog.Sheets()) {
            FOut << "page " << page->Caption << " (help " << page->HelpContext << ")\n";
            // each group once, its check boxes first, then its combo boxes
            std::vector<String> groups;
            auto note = [&](const String& g) {
                if (std::find(groups.begin(), groups.end(), g) == groups.end()) groups.push_back(g);
            };
            for (const TPropCheckBox& box : page->CheckBoxes) note(box.Group);
            for (const TPropHistoryComboBox& box : page->ComboBoxes) note(box.Group);
            for (const String& group : groups) {
                FOut << "  [" << group << "]\n";
                for (const TPropCheckBox& box : page->CheckBoxes)
                    if (box.Group == group)
                        FOut << "    " << (box.PropSet->BoolValue(box.Field) ? "[x] " : "[ ] ") << box.Caption
                             << "  (" << page->Caption << "." << box.Field << ")\n";
                for (const TPropHistoryComboBox& box : page->ComboBoxes) {
                    if (box.Group != group) continue;
                    FOut << "    " << box.Name << " \"" << box.PropSet->Value(box.Field) << "\""
                         << (box.Enabled ? "" : " (disabled)") << "  (" << page->Caption << "." << box.Field
                         << ")\n";
                    if (box.History)
                        for (const String& item : box.History->Items)
                            FOut << "      history \"" << item << "\"\n";
                }
            }
        }
        dialog.Close(ok);
        FOut << (ok ? "options saved" : "options cancelled") << "\n";
    }

    // The form designer's view of a form: the layout's classes are those of the palette and the
    // registered classes, each control paints itself as at design time; the picture is a PNG.
    static void RenderForm(const String& layoutFile, const String& pictureFile)
    {
        const String text = ReadFileBytes(layoutFile);
        auto findClass = [](const String& name) -> TComponentFactory {
            if (TComponentClass c = GetComponentClass(name)) return c->Create;
            for (const TPalettePage& page : PalettePages())
                for (TComponentClass c : page.Classes)
                    if (SameText(c->ClassName, name)) return c->Create;
            return nullptr;
        };
        // The form and its controls are gone before a package that made them can be unloaded.
        TForm form(nullptr);
        ReadLayout(&form, text, findClass);
        PaintFormPicture(&form).SaveToPngFile(pictureFile);
    }

    void ListGallery()
    {
        TIntfPtr<IQGalleryCategoryManager> gm = RequireService<IQGalleryCategoryManager>("gallery");
        auto entries = GalleryEntries();
        // the icon as the gallery finds it in the library that registered the item
        auto icon = [](const TGalleryEntry& e) -> String {
            if (e.IconName.empty()) return "no icon";
            String bytes;
            if (!FindResourceData(e.Module, RT_ICON, e.IconName, bytes))
                return "icon " + e.IconName + " (not found)";
            TPicture picture;
            try {
                picture.LoadFromBytes(bytes);
            } catch (const EInvalidGraphic&) {
                return "icon " + e.IconName + " (no picture)";
            }
            return "icon " + e.IconName + " (" + IntToStr(picture.Width()) + "x" +
                   IntToStr(picture.Height()) + ")";
        };
        std::function<void(IQGalleryCategory*, int)> show = [&](IQGalleryCategory* parent, int depth) {
            for (int i = 0; i < gm->CategoryCount(); ++i) {
                auto cat = gm->Category(i);
                if (cat->Parent().get() != parent) continue;
                FOut << String(static_cast<std::size_t>(depth) * 2, ' ') << cat->IDString() << "  \""
                     << cat->DisplayName() << "\"\n";
                for (const auto& e : entries) {
                    if (!SameText(e.CategoryId, cat->IDString())) continue;
                    FOut << String(static_cast<std::size_t>(depth) * 2 + 2, ' ') << "- " << e.Caption << "  ["
                         << e.Id << ", " << icon(e) << ", kind " << e.Kind << "]"
                         << (GalleryItemAvailable(e.Handle) ? "" : " (not available)") << "\n";
                    if (!e.Description.empty())
                        FOut << String(static_cast<std::size_t>(depth) * 2 + 4, ' ') << e.Description << "\n";
                }
                show(cat.get(), depth + 1);
            }
        };
        show(nullptr, 0);
    }

    // Writes the files the module services received since `before`.
    void WriteReceived(std::size_t before)
    {
        auto files = ReceivedFiles();
        for (std::size_t i = before; i < files.size(); ++i) {
            AtomicWriteFile(files[i].FileName, files[i].Text);
            FOut << "wrote " << files[i].FileName << "\n";
        }
    }

    TPackageLoader FLoader;
    std::ostream& FOut;
    std::unique_ptr<TDesignSession> FDesign = std::make_unique<TDesignSession>();
    const TCommand* FCommand = nullptr;
};

const TCommand kCommands[] = {
    {"load", &TShell::Load, "needs a package name", false},
    {"gallery", &TShell::Gallery, "takes no arguments", false},
    {"new", &TShell::New, "needs CATEGORY ITEM [--dir OUT]", false},
    {"run", &TShell::RunAction, "needs an action name", false},
    {"unload", &TShell::Unload, nullptr, false},
    {"compiler", &TShell::Compiler, "needs none, idle or busy", false},
    {"designer", &TShell::Designer, "needs on or off", false},
    {"state", &TShell::State, "takes no arguments", false},
    {"project", &TShell::Project, nullptr, true},
    {"messages", &TShell::Messages, "takes no arguments", false},
    {"menu", &TShell::Menu, "takes no arguments", false},
    {"open", &TShell::Open, "needs a file name", false},
    {"filters", &TShell::Filters, "takes no arguments", false},
    {"options", &TShell::Options, "takes PAGE.FIELD=VALUE... then ok or cancel", false},
    {"browse", &TShell::Browse, nullptr, false},
    {"component", &TShell::Component, nullptr, false},
    {"render", &TShell::Render, "needs LAYOUT PICTURE", false},
    {"typelib", &TShell::TypeLib, nullptr, true},
    {"answer", &TShell::Answer, "needs KEY=VALUE...", false},
    {"todo", &TShell::ToDo, nullptr, false},
    {"edit", &TShell::Edit, "needs FILE TEXTFILE", false},
    {"unitclasses", &TShell::Classes, "needs a C++ source file", false},
    {"idltemplate", &TShell::Template, "needs FILE [NAME=VALUE...]", false},
    {"design", &TShell::Designed, nullptr, false},
    {"place", &TShell::Designed, nullptr, false},
    {"property", &TShell::Designed, nullptr, false},
    {"verb", &TShell::Designed, nullptr, false},
    {"inspector", &TShell::Designed, nullptr, false},
};

const TCommand* FindCommand(const String& name)
{
    const String n = LowerCase(name);
    for (const TCommand& c : kCommands)
        if (n == c.Name) return &c;
    return nullptr;
}

// Groups "cmd arg arg cmd arg" into commands; load's names end at the next command word.
std::vector<std::vector<String>> Commands(const std::vector<String>& words)
{
    std::vector<std::vector<String>> r;
    for (const auto& w : words) {
        const TCommand* last = r.empty() ? nullptr : FindCommand(r.back()[0]);
        const bool subcommand = last && last->TakesSubcommand && r.back().size() == 1;
        if (r.empty() || (FindCommand(w) && !subcommand))
            r.push_back({w});
        else
            r.back().push_back(w);
    }
    return r;
}

}  // namespace

int RunIdeHost(const std::vector<String>& args, std::istream& in, std::ostream& out, std::ostream& err)
{
    String packages = ExtractFilePath(ExeFileName()), answers, dir;
    std::size_t i = 0;
    bool stateFirst = false;
    try {
        for (; i < args.size() && args[i].rfind("--", 0) == 0; ++i) {
            const String& o = args[i];
            if (i + 1 >= args.size()) throw EUsage(o + " needs a value");
            if (o == "--packages")
                packages = args[++i];
            else if (o == "--answers")
                answers = args[++i];
            else if (o == "--dir")
                dir = args[++i];
            else
                throw EUsage("Unknown option " + o);
        }
        // `state` before the first load lists the host as it starts, to compare with after unloads.
        if (i < args.size() && LowerCase(args[i]) == "state") {
            stateFirst = true;
            ++i;
        }
        if (i >= args.size() || LowerCase(args[i]) != "load") throw EUsage("expected: load NAME...");
    } catch (const EUsage& e) {
        err << "idehost: " << e.Message() << "\n"
            << "usage: idehost [--packages DIR] [--answers FILE] [--dir OUT] [state] load NAME... "
               "[COMMAND...]\n";
        return 2;
    }

    int status = 0;
    try {
        if (!dir.empty() && !ForceDirectories(dir)) throw EHostError("Cannot create folder " + dir);
        THostSession host(dir.empty() ? GetCurrentDir() : dir);
        ShowMainForm();  // idehost stands for the whole IDE: its main window is there
        if (!answers.empty()) LoadDialogAnswers(answers);
        TShell shell(packages, out);
        auto exec = [&](const std::vector<String>& c) -> bool {
            try {
                shell.Run(c[0], std::vector<String>(c.begin() + 1, c.end()));
                return true;
            } catch (const EUsage& e) {
                err << "idehost: " << e.Message() << "\n";
            } catch (const std::exception& e) {
                err << "idehost: error: " << e.what() << "\n";
            }
            status = 1;
            return false;
        };
        auto cmds = Commands(std::vector<String>(args.begin() + static_cast<std::ptrdiff_t>(i), args.end()));
        bool ok = !stateFirst || exec({"state"});
        for (const auto& c : cmds)
            if (!(ok = exec(c))) break;
        // Commands on the command line beyond load: no standard input.
        if (ok && cmds.size() == 1) {
            String line;
            while (!InterruptSignal() && std::getline(in, line)) {
                if (!line.empty() && line.back() == '\r') line.pop_back();
                std::vector<String> w;
                try {
                    w = Words(line);
                } catch (const EUsage& e) {
                    err << "idehost: " << e.Message() << "\n";
                    status = 1;
                    continue;
                }
                if (w.empty() || w[0][0] == '#') continue;
                if (LowerCase(w[0]) == "quit") break;
                exec(w);
            }
        }
        try {
            shell.CloseDesign();
            shell.Loader().UnloadAll();
        } catch (const std::exception& e) {
            err << "idehost: error: " << e.what() << "\n";
            status = 1;
        }
    } catch (const std::exception& e) {
        err << "idehost: error: " << e.what() << "\n";
        return 1;
    }
    return status;
}

}  // namespace hostimpl
