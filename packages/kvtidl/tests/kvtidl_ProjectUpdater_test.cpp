// The project updater of CORBA projects: implementation units and their IDL files, the load
// question, compiling IDL files through the personality, the add-IDL-files transaction.
#include <gtest/gtest.h>

#include "Idlenvoptions.h"
#include "Idlproject.h"
#include "Idlprojupdater.h"
#include "IdlProjectHost.h"
#include "host/BuildTools.h"
#include "host/CppPersonality.h"
#include "host/IDEControl.h"
#include "host/Registry.h"
#include "zub/Dialogs.h"

namespace {

class KvtidlProjectUpdater : public IdlProjectHost {
protected:
    KvtidlProjectUpdater() : IdlProjectHost("kvtidl_projupd_", "P.zproj") {}
    void SetUp() override
    {
        IdlProjectHost::SetUp();
        dialogs = std::make_shared<THeadlessDialogs>();
        previousDialogs = SetDialogs(dialogs);
    }
    void TearDown() override
    {
        SetDialogs(previousDialogs);
        IdlProjectHost::TearDown();
    }
    void Uses(const char* file, int kind, const char* form)
    {
        TUsesEntry e{dir + file, "CCompiler", kind};
        e.FormName = form;
        project->AddUsesEntry(e);
    }
    std::shared_ptr<THeadlessDialogs> dialogs;
    std::shared_ptr<IDialogs> previousDialogs;
};

TEST_F(KvtidlProjectUpdater, ImplementationUnitsReferenceTheirIdlFilesInPlace)
{
    Uses("a.cpp", 3, "AForm");
    Uses("lib/a.cpp", 2, "");  // kind 2 is never an implementation unit
    Uses("b.cpp", 3, "BForm");
    TIdlProjectUpdater u(project.get());
    EXPECT_FALSE(u.CanRefreshIdlImpl());
    u.AddIdlReference("A", dir + "bank.idl");
    u.AddIdlReference("a", dir + "bank.idl");  // once only
    u.AddIdlReference("a", dir + "teller.idl");
    const auto e = project->UsesEntries();
    ASSERT_EQ(e.size(), 3u);
    EXPECT_EQ(e[0].FileName, dir + "a.cpp");
    EXPECT_TRUE(e[0].CorbaImpl);
    EXPECT_EQ(e[0].FormName, "AForm");
    EXPECT_EQ(e[0].Kind, 3);
    EXPECT_EQ(e[0].IdlFiles, (std::vector<String>{dir + "bank.idl", dir + "teller.idl"}));
    EXPECT_FALSE(e[1].CorbaImpl);
    EXPECT_FALSE(e[2].CorbaImpl);
    EXPECT_TRUE(u.CanRefreshIdlImpl());
    // the project file holds the references
    EXPECT_NE(ReadFileBytes(dir + "P.zproj")
                  .find("<ENTRY FILENAME=\"a.cpp\" COMPILER=\"CCompiler\" KIND=\"3\" FORMNAME=\"AForm\" "
                        "CORBAIMPL=\"1\" IDLFILES=\"bank.idl teller.idl\" />"),
              String::npos)
        << ReadFileBytes(dir + "P.zproj");

    u.AddIdlReference("b", dir + "bank.idl");
    // renaming the IDL item takes its references along
    project->AddItem(dir + "bank.idl");
    std::unique_ptr<TIdlOptionsUpdaterBase> renamer(NewIdlOptionsUpdater(project.get()));
    ASSERT_TRUE(renamer->RenameModule(project.get(), dir + "BANK.idl", dir + "money.idl"));
    EXPECT_TRUE(u.ListUsesEntries(dir + "bank.idl").empty());
    const auto money = u.ListUsesEntries(dir + "money.idl");
    ASSERT_EQ(money.size(), 2u);
    EXPECT_EQ(money[0].IdlFiles, (std::vector<String>{dir + "money.idl", dir + "teller.idl"}));
    EXPECT_EQ(money[1].FileName, dir + "b.cpp");
}

TEST_F(KvtidlProjectUpdater, UnitsNotLoadedAreAskedForOnceCancelStops)
{
    Uses("a.cpp", 3, "AForm");
    Uses("b.cpp", 3, "BForm");
    TIdlProjectUpdater u(project.get());
    EXPECT_TRUE(u.RefreshIdlImpl(dir + "bank.idl"));  // nothing references it: no question
    EXPECT_TRUE(dialogs->Shown().empty());

    u.AddIdlReference("a", dir + "bank.idl");
    dialogs->AddAnswer(mrCancel);
    EXPECT_FALSE(u.RefreshIdlImpl(dir + "bank.idl"));
    u.AddIdlReference("b", dir + "bank.idl");
    dialogs->AddAnswer(mrNo);
    EXPECT_TRUE(u.RefreshIdlImpl(dir + "bank.idl"));
    ASSERT_EQ(dialogs->Shown().size(), 2u);
    EXPECT_EQ(dialogs->Shown()[0].Text, "Module AForm is not loaded and may contain CORBA objects that need "
                                        "updating.  Do you wish to load AForm now?");
    EXPECT_EQ(dialogs->Shown()[1].Text,
              "Modules AForm,BForm are not loaded and may contain CORBA objects that "
              "need updating.  Do you wish to load the modules now?");
    EXPECT_EQ(dialogs->Shown()[1].Type, mtInformation);
    EXPECT_EQ(dialogs->Shown()[1].Buttons, mbYes | mbNo | mbCancel);
}

struct TFakeCompile {
    static inline std::vector<String> Files;
    static inline bool BusyInside = false;
    static inline bool Result = true;
    static inline bool Throw = false;
    static bool Proc(IQCppProject*, const std::vector<String>& files, TCompileFileCallback)
    {
        BusyInside = Compiler() && Compiler()->Busy();
        if (Throw) throw EHostError("compiler gone");
        Files.insert(Files.end(), files.begin(), files.end());
        return Result;
    }
};

// A build tool for .idl items that only counts.
class TCountingIdlTool : public TInterfacedObject, public IQBuildTool {
public:
    HRESULT QueryInterface(const TGUID& iid, void** obj) override
    {
        if (QueryAs<IQBuildTool>(this, iid, obj)) return S_OK;
        return TInterfacedObject::QueryInterface(iid, obj);
    }
    String Name() override { return "CountingIdl"; }
    String Title() override { return Name(); }
    String FileFilter() override { return ""; }
    bool HandlesFile(const String& file) override { return SameText(ExtractFileExt(file), ".idl"); }
    std::vector<String> Extensions() override { return {".idl"}; }
    TStdFileContainer* CreateContainer(TStdFileContainer*, const String&, IQCppProject*) override
    {
        return nullptr;
    }
    TUsesEntry CreateUsesEntry(const String& file, IQCppProject*) override { return {file, "", 14}; }
    bool Compile(const String& file, IQCppProject*) override
    {
        Compiled.push_back(file);
        return true;
    }
    void LoadSettings() override {}
    std::vector<String> Compiled;
};

TEST_F(KvtidlProjectUpdater, IdlFilesCompileThroughThePersonalityWhileTheCompilerIsBusy)
{
    TIntfPtr<TCountingIdlTool> tool(new TCountingIdlTool);
    RegisterItemContainerCreator(tool.get());
    project->AddItem(dir + "bank.idl");
    project->AddItem(dir + "teller.idl");
    const TCompileFilesProc saved = CompileFilesProc;
    TIdlProjectUpdater u(project.get());
    const std::vector<String> both{dir + "bank.idl", dir + "teller.idl"};

    // the host's procedure: each file through its build tool
    EXPECT_TRUE(u.CompileIdlFiles(both));
    EXPECT_EQ(tool->Compiled, both);

    CompileFilesProc = TFakeCompile::Proc;
    struct Case {
        std::vector<String> files;
        bool result, throws;
        std::vector<String> ran;
    };
    const Case cases[] = {
        {both, true, false, both},
        {both, false, false, both},  // the procedure's failure is the answer
        {{dir + "other.idl"}, false, false, {}},  // no item of the project: nothing runs, true
        {both, true, true, {}},  // an exception passes, the compiler is free again
    };
    for (const Case& c : cases) {
        TFakeCompile::Files.clear();
        TFakeCompile::BusyInside = false;
        TFakeCompile::Result = c.result;
        TFakeCompile::Throw = c.throws;
        if (c.throws) {
            EXPECT_THROW(u.CompileIdlFiles(c.files), EHostError);
            EXPECT_TRUE(TFakeCompile::BusyInside);
        } else {
            EXPECT_EQ(u.CompileIdlFiles(c.files), c.ran.empty() ? true : c.result);
            EXPECT_EQ(TFakeCompile::Files, c.ran);
            EXPECT_EQ(TFakeCompile::BusyInside, !c.ran.empty());
        }
        EXPECT_FALSE(Compiler()->Busy());
    }
    CompileFilesProc = saved;
    UnregisterItemContainerCreator(tool.get());
}

TEST_F(KvtidlProjectUpdater, AddedIdlFilesListTheIncludesTheProjectLacks)
{
    TRegistry().DeleteKey(TIdlEnvironmentOptions::KeyPath());
    std::unique_ptr<TIdlEnvironmentOptions> options(NewDataModule<TIdlEnvironmentOptions>(nullptr));
    IdlEnvironmentOptions = options.get();
    AtomicWriteFile(dir + "a.idl", "module A {};\n");
    AtomicWriteFile(dir + "c.idl", "module C {};\n");
    AtomicWriteFile(dir + "b.idl", "#include \"a.idl\"\n#include \"c.idl\"\nmodule B {};\n");
    project->AddItem(dir + "a.idl");
    TIdlProjectUpdater u(project.get());
    struct Case {
        const char* switches;
        const char* verify;
        std::vector<String> missing;
    };
    const Case cases[] = {
        {"-boa", "True", {dir + "c.idl"}},
        {"-boa -incl_files_code", "True", {}},
        {"-boa", "False", {}},
    };
    for (const Case& c : cases) {
        project->RemoveItem(dir + "b.idl");
        project->SetMakeSym("IDLCFLAGS", c.switches);
        options->CORBA->SetValue("VerifyIDLIncludes", c.verify);
        auto t = u.PrepareAddIdlFiles();
        project->AddItem(dir + "b.idl");
        EXPECT_EQ(t->Complete(), c.missing) << c.switches << " " << c.verify;
    }
    IdlEnvironmentOptions = nullptr;
}

}  // namespace

namespace {

TEST_F(KvtidlProjectUpdater, GeneratedHeadersOnlyOfSourcesTheProjectFileLists)
{
    // an XML project here; the make-file form parses its rules for the same answer
    for (const char* file : {"", "M.mak"}) {
        TIntfPtr<IQCppProject> p = project;
        if (*file) {
            hostimpl::NewCppProject(dir + file);
            p = ActiveCppProject();
        }
        p->AddItem(dir + "bank.idl");
        p->SetOptionValue(dir + "bank.idl", "krotex", "switches", "-boa -hdr_suffix h");
        std::unique_ptr<TIdlOptionsUpdaterBase> u(NewIdlOptionsUpdater(p.get()));
        EXPECT_EQ(u->GetGenFileName(p.get(), dir + "bank.idl", 0), "") << "no rules yet";
        u->UpdateIDLRules(p.get());
        EXPECT_EQ(u->GetGenFileName(p.get(), dir + "bank.idl", 0), dir + "bank_s.h") << file;
        EXPECT_EQ(u->GetGenFileName(p.get(), dir + "bank.idl", 1), dir + "bank_c.h") << file;
        EXPECT_EQ(u->GetGenFileName(p.get(), dir + "bank.idl", 2), "");
        EXPECT_EQ(u->GetGenFileName(p.get(), dir + "other.idl", 0), "");
        EXPECT_EQ(u->GetAllGenFiles(p.get()), (std::vector<String>{dir + "bank_s.cc", dir + "bank_c.cc"}))
            << file;
    }
}

}  // namespace

namespace {

// The XML reader: the IDL-files macro is the updater's file list, each file's symbol names the
// sources its switches give; a symbol's ClearGenFiles takes them out of the element again.
TEST_F(KvtidlProjectUpdater, XmlReaderFindsTheIdlFilesAndTheirSources)
{
    project->AddItem(dir + "bank.idl");
    project->AddItem(dir + "idl files/teller.idl");
    project->SetOptionValue(dir + "bank.idl", "krotex", "switches", "-boa -src_suffix cpp");
    project->SetMakeSym("IDLFILES", "bank.idl \"idl files/teller.idl\"");
    TXMLIdlOptionsUpdater u;
    TXMLIdlOptionsManagerHelper(project.get()).ExtractIdlSymbols(u);
    ASSERT_EQ(u.GetIdlFileEntries().Entries().size(), 2u);
    EXPECT_EQ(u.GetIdlFileEntries().Entries()[0].ProjectFile, project->FileName());
    EXPECT_EQ(u.GetIdlFileEntries().FullNames()[1], dir + "idl files/teller.idl");
    EXPECT_EQ(project->ItemGenFiles(dir + "bank.idl"), (std::vector<String>{"bank_s.cpp", "bank_c.cpp"}));
    EXPECT_EQ(project->ItemValue(dir + "idl files/teller.idl", "IDLROOTDIR"), " -root_dir \"idl files\" ");
    ASSERT_EQ(u.Symbols().size(), 2u);
    TXMLIdlMakeSymbol& bank = *u.Symbols().at(FileNameKey(dir + "bank.idl"));
    EXPECT_EQ(bank.Current[0], dir + "bank_s.cpp");
    EXPECT_TRUE(bank.FindGenFile(dir + "bank_c.cpp"));
    bank.ClearGenFiles();
    EXPECT_TRUE(project->ItemGenFiles(dir + "bank.idl").empty());
    EXPECT_EQ(TXMLIdlOptionsManagerHelper(project.get()).GetIdlCFlags(), "");
    auto t = u.PrepareRemoveGenModules(project.get());
    EXPECT_NE(dynamic_cast<TXMLRemoveGenModulesTransaction*>(t.get()), nullptr);
}

}  // namespace
