#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>

#include "Idlcompile.h"
#include "Idlenvoptions.h"
#include "Idlproject.h"
#include "Idlprojopts.h"
#include "rtl/ScopeGuard.h"
#include "IdlProjectHost.h"
#include "testsupport/TestDir.h"
#include "host/Registry.h"
#include "rtl/Files.h"

namespace {

String IniPath(const char* name)
{
    const String p = ScratchDir() + name;
    EXPECT_TRUE(DeleteFile(p) || !FileExists(p));
    return p;
}

// The CORBA options of a host project.
class KvtidlCorbaProject : public IdlProjectHost {
protected:
    KvtidlCorbaProject() : IdlProjectHost("kvtidl_project_") {}
    // Sets the project's options "Defines", "Libraries", "IncludePath", "LibPath".
    void Options(const std::vector<String>& values)
    {
        for (std::size_t i = 0; i < values.size(); ++i) project->SetOption(kOptions[i], values[i]);
    }
    std::vector<String> Options() const
    {
        std::vector<String> r;
        for (const char* o : kOptions) r.push_back(project->GetOption(o));
        return r;
    }
    static constexpr const char* kOptions[] = {"Defines", "Libraries", "IncludePath", "LibPath"};
};

}  // namespace

TEST_F(KvtidlCorbaProject, IniWithoutCorbaSectionReadsAllTrue)
{
    TIdlProjOptsManagerHelper helper(project.get());
    TIniFile ini(IniPath("none.ini"));
    ini.WriteString("Other", "AddServerUnit", "false");
    helper.LoadFromIni(ini);
    EXPECT_TRUE(helper.AddServerUnit);
    EXPECT_TRUE(helper.AddClientUnit);
    EXPECT_TRUE(helper.PrecompiledHeaders);
}

TEST_F(KvtidlCorbaProject, OptionsRoundTripThroughSectionCorba)
{
    TIdlProjOptsManagerHelper helper(project.get());
    TIniFile ini(IniPath("corba.ini"));
    helper.AddClientUnit = false;
    helper.SaveToIni(ini);
    EXPECT_EQ(ini.ReadString("CORBA", "AddClientUnit", ""), "false");
    EXPECT_EQ(ini.ReadString("CORBA", "AddServerUnit", ""), "true");
    TIdlProjOptsManagerHelper other(project.get());
    other.LoadFromIni(ini);
    EXPECT_FALSE(other.AddClientUnit);
    EXPECT_TRUE(other.PrecompiledHeaders);
}

// The project keeps the booleans in its set "CORBA": a new helper on it reads them; a value
// that is no boolean keeps the default.
TEST_F(KvtidlCorbaProject, TheBooleansAreKeptWithTheProject)
{
    {
        TIdlProjOptsManagerHelper helper(project.get());
        EXPECT_TRUE(helper.AddServerUnit && helper.AddClientUnit && helper.PrecompiledHeaders);
        helper.AddServerUnit = false;
        helper.SaveToProject();
    }
    EXPECT_EQ(project->OptionValue("", "CORBA", "AddServerUnit"), "False");
    project->SetOptionValue("", "CORBA", "AddClientUnit", "0");
    project->SetOptionValue("", "CORBA", "PrecompiledHeaders", "perhaps");
    TIdlProjOptsManagerHelper again(project.get());
    EXPECT_FALSE(again.AddServerUnit);
    EXPECT_FALSE(again.AddClientUnit);
    EXPECT_TRUE(again.PrecompiledHeaders);
}

TEST_F(KvtidlCorbaProject, SetDefinesAlwaysLeavesSourceSuffixCpp)
{
    project->SetMakeSym("IDLCFLAGS", "-boa -src_suffix cc");
    TIdlProjOptsManagerHelper helper(project.get());
    helper.SetDefines("A;B");
    EXPECT_EQ(project->GetMakeSym("IDLCFLAGS"), "-src_suffix cpp -DA -DB -boa");
    helper.SetInclPath("inc");
    EXPECT_EQ(project->GetMakeSym("IDLCFLAGS"), "-Iinc -src_suffix cpp -DA -DB -boa");
}

TEST_F(KvtidlCorbaProject, AddCorbaSupport)
{
    struct Case {
        unsigned flags;
        std::vector<String> before, after;  // Defines, Libraries, IncludePath, LibPath
    };
    const Case cases[] = {
        {0, {"X", "a.lib", "inc", "lib"}, {"X;_USE_OLD_RW_STL", "a.lib", "inc", "lib"}},
        {csLibrary | csIncludePath | csLibPath,
         {"_USE_OLD_RW_STL=1", "a.lib", "inc;", ""},
         {"_USE_OLD_RW_STL=1", "morvask_r.lib a.lib", "inc;$(MORVASKDIR)\\include", "$(MORVASKDIR)\\lib"}},
        {csLibrary,
         {"", "x.lib MORVASK_RD.LIB", "", ""},
         {"_USE_OLD_RW_STL", "x.lib MORVASK_RD.LIB", "", ""}},
        {csIncludePath,
         {"", "", "a;$(morvaskdir)\\Include", ""},
         {"_USE_OLD_RW_STL", "", "a;$(morvaskdir)\\Include", ""}},
    };
    for (const Case& c : cases) {
        Options(c.before);
        TIdlProjectOptions(project.get()).AddCORBASupport(c.flags);
        EXPECT_EQ(Options(), c.after) << c.flags;
    }
}

TEST_F(KvtidlCorbaProject, CorbaProjectAndRemoveZub)
{
    Options({"", "Morvask_R.lib", "", ""});
    TIdlProjectOptions opts(project.get());
    EXPECT_TRUE(opts.IsCORBAProject());
    opts.RemoveZUB();
    opts.RemoveZUB();
    EXPECT_EQ(project->GetOption("Defines"), "_NO_ZUB");
    EXPECT_EQ(project->GetOption("Libraries"), "zube.lib Morvask_R.lib");
}

TEST_F(KvtidlCorbaProject, ProjectUnitsOfIdlItemsFollowTheProjectSwitches)
{
    const auto day = std::filesystem::file_time_type::clock::now() - std::chrono::hours(24);
    auto write = [&](const char* name, int seconds) {
        AtomicWriteFile(dir + name, "interface A {};\n");
        std::filesystem::last_write_time(dir + name, day + std::chrono::seconds(seconds));
        return dir + name;
    };
    const String idl = write("a.idl", 0);
    project->SetMakeSym("IDLCFLAGS", "-boa");
    TIdlProjOptsManagerHelper helper(project.get());
    auto made = helper.CreateProjUnit(idl);
    auto* unit = dynamic_cast<TIDLProjUnit*>(made.get());
    ASSERT_NE(unit, nullptr);
    EXPECT_EQ(unit->FileName(), idl);
    EXPECT_EQ(unit->UsesFormType(), 14);
    EXPECT_EQ(unit->Directory(), dir);
    TIdlCppOptions* options = &unit->GetOptions();
    EXPECT_EQ(&unit->GetOptions(), options);
    EXPECT_TRUE(unit->NeedToCompile());  // no sources yet
    for (const char* f : {"a_c.cc", "a_s.cc"}) write(f, 100);
    EXPECT_FALSE(unit->NeedToCompile());

    project->SetMakeSym("IDLCFLAGS", "-boa -src_suffix cpp");
    helper.UpdateProjUnit(*unit, idl);
    EXPECT_EQ(&unit->GetOptions(), options) << "the options object stays";
    EXPECT_EQ(unit->GetOptions().SourceSuffix(), "cpp") << "with the switches the unit has now";
    EXPECT_TRUE(unit->NeedToCompile());  // a_c.cpp is not there
}

// A build asks the personality for the project's units: the ".idl" items, through the hook.
TEST_F(KvtidlCorbaProject, TheBuildTakesTheIdlUnitsThePersonalityMakes)
{
    AtomicWriteFile(dir + "a.idl", "interface A {};\n");
    AtomicWriteFile(dir + "main.cpp", "int main() {}\n");
    project->AddItem(dir + "main.cpp");
    project->AddItem(dir + "a.idl");
    const auto previous = IdlProjOptsManagerHelperClass;
    TScopeGuard restore([&] { IdlProjOptsManagerHelperClass = previous; });
    IdlProjOptsManagerHelperClass = NewIdlProjOptsManagerHelper;
    const auto units = CppProjectUnits(project.get());
    ASSERT_EQ(units.size(), 1u);
    EXPECT_EQ(units[0]->FileName(), dir + "a.idl");
    EXPECT_NE(dynamic_cast<TIDLProjUnit*>(units[0].get()), nullptr);
    EXPECT_TRUE(TIdlProjectCompilerHelper(project.get()).IdlAll("", nullptr, 0, true)) << "a.idl needs it";
    // without the personality's units there is nothing to compile
    IdlProjOptsManagerHelperClass = nullptr;
    EXPECT_TRUE(CppProjectUnits(project.get()).empty());
    EXPECT_FALSE(TIdlProjectCompilerHelper(project.get()).IdlAll("", nullptr, 0, true));
}

TEST(KvtidlProject, GeneratedFilenames)
{
    struct Case {
        TKrotexOptionSet set;
        const char* server;
        const char* client;
    };
    const Case cases[] = {
        {{}, "/p/a_s.cc", "/p/a_c.cc"},
        {{"", true, "cpp", "", ""}, "/p/a_s.cpp", "/p/a_c.cpp"},
        {{"/gen", true, " ", "Srv", "Cli"}, "/gen/aSrv.cc", "/gen/aCli.cc"},
    };
    for (const Case& c : cases) {
        String server, client;
        GetGeneratedFilenames("/p/idl/a.idl", "/p/proj.bpr", c.set, server, client);
        EXPECT_EQ(server, c.server);
        EXPECT_EQ(client, c.client);
    }
}

TEST(KvtidlProject, ToolExtensions)
{
    EXPECT_EQ(IdlToolExtensions("*.idl;*.IDL"), (std::vector<String>{".idl", ".IDL"}));
    EXPECT_EQ(IdlToolExtensions(".idl; idl;;*"), (std::vector<String>{".idl", ".idl"}));
}

namespace {
// The options as the host makes them at registration (their OnCreate runs).
std::unique_ptr<TIdlEnvironmentOptions> NewOptions()
{
    return std::unique_ptr<TIdlEnvironmentOptions>(NewDataModule<TIdlEnvironmentOptions>(nullptr));
}
}  // namespace

TEST(KvtidlOptionsPage, NoKeyGivesDefaults)
{
    TRegistry().DeleteKey(TIdlEnvironmentOptions::KeyPath());
    auto o = NewOptions();
    EXPECT_EQ(o->FileSymbolCacheLimit(), 10);
    EXPECT_TRUE(o->VerifyIDLIncludes());
    EXPECT_FALSE(o->ShowProjectUpdates());
    EXPECT_EQ(o->CORBA->Value("IrName"), "");
    EXPECT_TRUE(o->CORBA->BoolValue("IrConsole"));
    EXPECT_EQ(o->CORBA->KeyPath, TIdlEnvironmentOptions::KeyPath());
    EXPECT_TRUE(o->GetIsModified());
}

TEST(KvtidlOptionsPage, OkSavesCancelThrowsEditsAway)
{
    TRegistry reg;
    reg.DeleteKey(TIdlEnvironmentOptions::KeyPath());
    reg.WriteBool(TIdlEnvironmentOptions::KeyPath(), "VerifyIDLIncludes", false);
    auto o = NewOptions();
    EXPECT_FALSE(o->VerifyIDLIncludes());
    {
        TCORBAOptions page(nullptr, o.get());
        EXPECT_EQ(page.HelpContext, 5954);
        EXPECT_TRUE(page.Pending());
        o->CORBA->SetValue("VerifyIDLIncludes", "Yes");  // ticked, then Cancel
        page.Broadcast(TCORBAOptions::WM_COMMAND, 2, 0);
    }
    EXPECT_FALSE(o->VerifyIDLIncludes());
    EXPECT_EQ(reg.ReadString(TIdlEnvironmentOptions::KeyPath(), "VerifyIDLIncludes", ""), "false");
    EXPECT_FALSE(o->GetIsModified());
    {
        TCORBAOptions page(nullptr, o.get());
        o->CORBA->SetValue("ShowProjectUpdates", "1");
        o->CORBA->SetValue("IrName", "repo");
        page.Broadcast(TCORBAOptions::WM_COMMAND, 1, 0);
        EXPECT_FALSE(page.Pending());
    }
    auto again = NewOptions();
    EXPECT_TRUE(again->ShowProjectUpdates());
    EXPECT_EQ(again->CORBA->Value("IrName"), "repo");
    EXPECT_FALSE(again->VerifyIDLIncludes());
}

TEST(KvtidlOptionsPage, CancelWithoutKeyRestoresDefaults)
{
    TRegistry().DeleteKey(TIdlEnvironmentOptions::KeyPath());
    auto o = NewOptions();
    {
        TCORBAOptions page(nullptr, o.get());
        o->CORBA->SetValue("FileSymbolCacheLimit", "99");
    }
    EXPECT_EQ(o->FileSymbolCacheLimit(), 10);
    EXPECT_FALSE(TRegistry().KeyExists(TIdlEnvironmentOptions::KeyPath()));
}

TEST(KvtidlOptionsPage, HistoriesOfTheOptionsLiveBelowTheBaseKeyToo)
{
    const String key = String(rkBaseRegKey) + "\\CORBA\\Recent";
    TRegistry().DeleteKey(key);
    TRegistry().WriteInteger(key, "Count", 1);
    TRegistry().WriteString(key, "Item0", "bank.idl");
    // as the options would hold a history of their own
    std::unique_ptr<TIdlEnvironmentOptions> o(new TIdlEnvironmentOptions(nullptr));
    auto* recent = new THistoryManager(o.get());
    recent->KeyPath = "CORBA\\Recent";
    o->DoCreate();
    EXPECT_EQ(recent->KeyPath, key);
    EXPECT_EQ(recent->Items, std::vector<String>{"bank.idl"});
    recent->Add("teller.idl");
    o->SaveOptions();
    recent->Items.clear();
    o->LoadOptions();
    EXPECT_EQ(recent->Items, (std::vector<String>{"teller.idl", "bank.idl"}));
    TRegistry().DeleteKey(key);
}

TEST(KvtidlOptionsPage, ChangesAreAnnouncedUnlessTheHostUpdates)
{
    TRegistry().DeleteKey(TIdlEnvironmentOptions::KeyPath());
    auto o = NewOptions();
    o->LoadOptions();
    int heard = 0;
    o->ChangeEvent()->Add([&](TObject*) { ++heard; });
    o->CORBA->SetValue("IrConsole", "No");
    EXPECT_EQ(heard, 1);
    EXPECT_FALSE(o->GetIsModified());
    o->CORBA->SetValue("IrConsole", "False");  // the same value: no change
    EXPECT_EQ(heard, 1);
    EnvironmentOptions().Updating = true;
    o->CORBA->SetValue("IrConsole", "true");
    EnvironmentOptions().Updating = false;
    EXPECT_EQ(heard, 1);
    EXPECT_TRUE(o->GetIsModified());
    // a check box takes only what a check box can be
    EXPECT_THROW(o->CORBA->SetValue("IrConsole", "maybe"), EConvertError);
    EXPECT_THROW(o->CORBA->SetValue("FileSymbolCacheLimit", "ten"), EConvertError);
    EXPECT_TRUE(o->CORBA->BoolValue("IrConsole"));
}

#include "Idlcppreg.h"

TEST(KvtidlProject, IdlFilesAreKnownByExtensionInAnyCase)
{
    struct Case {
        const char* name;
        bool idl;
    };
    const Case cases[] = {
        {"a.idl", true}, {"/p/X.IDL", true}, {"a.idl.bak", false}, {"idl", false}, {"a.id", false}};
    for (const Case& c : cases) EXPECT_EQ(IsIdlFile(c.name), c.idl) << c.name;
}

TEST(KvtidlProject, NewIdlFileNameIsNotTaken)
{
    const String dir = ScratchDir() + "newidl/";
    ASSERT_TRUE(ForceDirectories(dir));
    ASSERT_TRUE(DeleteFile(dir + "File1.idl") || !FileExists(dir + "File1.idl"));
    ASSERT_TRUE(DeleteFile(dir + "File2.idl") || !FileExists(dir + "File2.idl"));
    EXPECT_EQ(NewIdlFileName(dir), dir + "File1.idl");
    AtomicWriteFile(dir + "File1.idl", "");
    EXPECT_EQ(NewIdlFileName(dir), dir + "File2.idl");
}
