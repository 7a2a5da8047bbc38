#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

#include "Cppprocmd.h"
#include "Cppproopen.h"
#include "Cppproreg.h"
#include "Cppprocrtrs.h"
#include "Cpptypelibraryoptionspage.h"
#include "ProjectTestHost.h"
#include "host/AppIniFile.h"
#include "host/CppProject.h"
#include "host/IDEControl.h"
#include "host/IDENotifiers.h"
#include "host/MessageServices.h"
#include "host/ProjectMenu.h"
#include "host/Registry.h"
#include "host/TypeLibrary.h"
#include "hostimpl/HostImpl.h"
#include "rtl/Files.h"

using namespace hostimpl;

namespace {

const char* const kOldLibrary = "// Type library Old\n"
                                "[uuid(11111111-2222-3333-4444-555555555555), version(1.0)]\n"
                                "library Old\n"
                                "{\n"
                                "};\n";

class kvtcompro_Ide : public ProjectTestHost {
protected:
    kvtcompro_Ide() : ProjectTestHost("kvtcompro_ide_", KVTCOM_TEMPLATE_DIR) {}
    void SetUp() override
    {
        ProjectTestHost::SetUp();
        Cppprocrtrs::Initialization();
        Cppprocmd_IDERegister();
        Cpptypelibraryoptionspage::Initialization();
        Cppproreg_IDERegister();
        MainFormCreated().FirePending(IDEApplication());
    }
    void TearDown() override
    {
        Cppproreg::Finalization();
        Cpptypelibraryoptionspage::Finalization();
        Cppproopen::Finalization();
        Cppprocmd::Finalization();
        Cppprocrtrs::Finalization();
        AppIniFile().EraseSection("Type Library");
        ProjectTestHost::TearDown();
    }
    String Project(const std::vector<String>& args)
    {
        std::ostringstream out;
        RunProjectCommand(args, out);
        return out.str();
    }
    // A saved project with the files given (created with their text) as items, closed again.
    void SaveProject(const String& name, const std::vector<std::pair<String, String>>& files)
    {
        Project({"new", name});
        for (auto& [f, text] : files) {
            AtomicWriteFile(dir + f, text);
            Project({"add", f});
        }
        MainProjectGroup()->CloseAll(0);
    }
};

TEST_F(kvtcompro_Ide, OpeningAProjectMovesItsOldTypeLibraryBesideIt)
{
    SaveProject("Shop.tvproj",
                {{"Old.tlb", kOldLibrary},
                 {"Old_TLB.cpp", "// unit\r\n#include \"Old_TLB.h\"\r\n"},
                 {"Old_TLB.h", "// header\r\n"},
                 {"Main.cpp", "#include <zub.h>\r\n#include \"Old_TLB.h\"\r\n#include \"Old_TLB.h\"\r\n"},
                 {"Main.hpp", "  #include \"Old_TLB.h\"\n#include \"Old_TLB.h\"\n"}});
    Project({"open", "Shop.tvproj"});
    auto p = ActiveProject();
    auto m = FindTypeLibModule(p.get());
    ASSERT_NE(m, nullptr);
    EXPECT_EQ(m->FileName(), dir + "Shop.tlb");
    EXPECT_EQ(ReadFileBytes(dir + "Shop.tlb"), kOldLibrary);
    auto cpp = CppProjectOf(p.get());
    EXPECT_EQ(cpp->Items(), (std::vector<String>{dir + "Shop.tlb", dir + "Shop_TLB.cpp", dir + "Old_TLB.h",
                                                 dir + "Main.cpp", dir + "Main.hpp"}));
    // copies under the new name; the old files stay
    EXPECT_EQ(ReadFileBytes(dir + "Shop_TLB.cpp"), "// unit\r\n#include \"Shop_TLB.h\"\r\n");
    EXPECT_EQ(ReadFileBytes(dir + "Shop_TLB.h"), "// header\r\n");
    EXPECT_TRUE(FileExists(dir + "Old_TLB.cpp"));
    // the first include line that is exactly the old one, in each source and its header
    EXPECT_EQ(ReadFileBytes(dir + "Main.cpp"),
              "#include <zub.h>\r\n#include \"Shop_TLB.h\"\r\n#include \"Old_TLB.h\"\r\n");
    EXPECT_EQ(ReadFileBytes(dir + "Main.hpp"), "  #include \"Old_TLB.h\"\n#include \"Shop_TLB.h\"\n");
}

TEST_F(kvtcompro_Ide, MigrationCases)
{
    struct Case {
        const char* what;
        const char* project;
        std::vector<std::pair<String, String>> files;
        bool module;  // the project gets its type-library module
        const char* shopTlb;  // text of Shop.tlb afterwards, nullptr: none
    };
    const Case cases[] = {
        {"library beside the project and listed",
         "Shop.tvproj",
         {{"Shop.tlb", kOldLibrary}},
         true,
         kOldLibrary},
        {"library beside, listed is another", "Shop.tvr", {{"Old.tlb", "x"}}, false, nullptr},
        {"old library without its unit", "Shop.qdsproj", {{"Old.tlb", kOldLibrary}}, false, kOldLibrary},
        {"upper-case extension",
         "Shop.TVPROJ",
         {{"Old.tlb", kOldLibrary}, {"Old_TLB.cpp", ""}},
         false,
         nullptr},
        {"not a project file of the kind",
         "Shop.zproj",
         {{"Old.tlb", kOldLibrary}, {"Old_TLB.cpp", ""}},
         false,
         nullptr},
        {"no type library", "Shop.tvproj", {{"Main.cpp", ""}}, false, nullptr},
        {"unreadable old library",
         "Shop.tvproj",
         {{"Old.tlb", "library"}, {"Old_TLB.cpp", ""}},
         false,
         nullptr},
        {"upper-case library extension", "Shop.tvproj", {{"Old.TLB", kOldLibrary}}, false, nullptr},
    };
    for (const auto& c : cases) {
        FreshDir(dir);
        if (String(c.what) == "library beside, listed is another")
            AtomicWriteFile(dir + "Shop.tlb", kOldLibrary);
        SaveProject(c.project, c.files);
        Project({"open", c.project});
        auto p = ActiveProject();
        EXPECT_EQ(FindTypeLibModule(p.get()) != nullptr, c.module) << c.what;
        if (String(c.what) == "library beside, listed is another") continue;
        if (c.shopTlb)
            EXPECT_EQ(ReadFileBytes(dir + "Shop.tlb"), c.shopTlb) << c.what;
        else
            EXPECT_FALSE(FileExists(dir + "Shop.tlb")) << c.what;
        MainProjectGroup()->CloseAll(0);
    }
}

TEST_F(kvtcompro_Ide, ACopyNeverOverwrites)
{
    SaveProject("Shop.tvproj",
                {{"Old.tlb", kOldLibrary}, {"Old_TLB.cpp", "old\r\n"}, {"Old_TLB.h", "old\r\n"}});
    AtomicWriteFile(dir + "Shop_TLB.h", "mine\r\n");
    Project({"open", "Shop.tvproj"});
    EXPECT_EQ(ReadFileBytes(dir + "Shop_TLB.h"), "mine\r\n");
    EXPECT_EQ(ReadFileBytes(dir + "Shop_TLB.cpp"), "old\r\n");
    EXPECT_NE(FindTypeLibModule(ActiveProject().get()), nullptr);
}

TEST_F(kvtcompro_Ide, AMigrationThatFailsLeavesTheProjectAsItWasAndSaysWhy)
{
    SaveProject("Shop.tvproj", {{"Old.tlb", kOldLibrary},
                                {"Old_TLB.cpp", "// unit\r\n#include \"Old_TLB.h\"\r\n"},
                                {"Old_TLB.h", "// header\r\n"},
                                {"Main.cpp", "#include \"Old_TLB.h\"\r\n"}});
    // no file can be made where the unit's header goes
    ASSERT_TRUE(ForceDirectories(dir + "Shop_TLB.h"));
    RequireService<IQMessageServices>("message view")->ClearMessages();
    Project({"open", "Shop.tvproj"});
    auto p = ActiveProject();
    EXPECT_EQ(FindTypeLibModule(p.get()), nullptr);
    EXPECT_EQ(CppProjectOf(p.get())->Items(), (std::vector<String>{dir + "Old.tlb", dir + "Old_TLB.cpp",
                                                                   dir + "Old_TLB.h", dir + "Main.cpp"}));
    EXPECT_FALSE(FileExists(dir + "Shop.tlb"));
    EXPECT_FALSE(FileExists(dir + "Shop_TLB.cpp"));
    EXPECT_EQ(ReadFileBytes(dir + "Old_TLB.cpp"), "// unit\r\n#include \"Old_TLB.h\"\r\n");
    EXPECT_EQ(ReadFileBytes(dir + "Main.cpp"), "#include \"Old_TLB.h\"\r\n");
    const auto messages = RequireService<IQMessageServices>("message view")->Messages();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].Kind, 2);
    EXPECT_EQ(messages[0].Text.rfind(
                  "The type library " + dir + "Old.tlb was not moved to " + dir + "Shop.tlb: ", 0),
              0u)
        << messages[0].Text;
    // once the way is free the next open moves it
    MainProjectGroup()->CloseAll(0);
    std::filesystem::remove(dir + "Shop_TLB.h");
    Project({"open", "Shop.tvproj"});
    EXPECT_NE(FindTypeLibModule(ActiveProject().get()), nullptr);
    EXPECT_EQ(ReadFileBytes(dir + "Main.cpp"), "#include \"Shop_TLB.h\"\r\n");
}

TEST_F(kvtcompro_Ide, ActiveXServerRegisteredAroundCompiles)
{
    struct Case {
        bool typeLibrary, target, registerFlag, registered;
    };
    const Case cases[] = {{true, true, true, true},
                          {false, true, true, false},
                          {true, false, true, false},
                          {true, true, false, false}};
    int n = 0;
    for (const auto& c : cases) {
        const String name = "Srv" + IntToStr(++n);
        OpenProject(name + ".zproj", pkActiveXLibrary);
        auto p = ActiveProject();
        if (c.typeLibrary) GetOrCreateTypeLibModule(p.get());
        if (c.target) AtomicWriteFile(dir + name + ".dll", "");
        if (c.registerFlag) CppProjectOf(p.get())->SetOptionValue("", "compiler", "RegisterActiveX", "true");
        const String out = Project({"build"});
        const String registered = "info: " + dir + name + ".dll:0:0: registered the ActiveX server\n";
        EXPECT_EQ(IsOleControlRegistered(dir + name + ".dll"), c.registered) << n << out;
        EXPECT_EQ(out.find(registered) != String::npos, c.registered) << n << out;
    }
    // each compile unregisters the server first, and registers it again after
    OpenProject("Srv.zproj", pkActiveXLibrary);
    auto p = ActiveProject();
    GetOrCreateTypeLibModule(p.get());
    AtomicWriteFile(dir + "Srv.dll", "");
    CppProjectOf(p.get())->SetOptionValue("", "compiler", "RegisterActiveX", "true");
    Project({"build"});
    const String out = Project({"build"});
    const auto un = out.find("info: " + dir + "Srv.dll:0:0: unregistered the ActiveX server\n");
    const auto re = out.find("info: " + dir + "Srv.dll:0:0: registered the ActiveX server\n");
    ASSERT_NE(un, String::npos) << out;
    ASSERT_NE(re, String::npos) << out;
    EXPECT_GT(re, un) << out;
    // conversion to an assembly is asked for after the compile
    CppProjectOf(p.get())->SetOptionValue("", "compiler", "ConvertToAssembly", "true");
    EXPECT_NE(Project({"build"}).find("cannot be converted to an assembly"), String::npos);
}

TEST_F(kvtcompro_Ide, ProjectMenuModifiersTakeCommandsOfGeneratedFiles)
{
    struct Case {
        const char* file;
        std::vector<int> commands;
    };
    const Case cases[] = {
        {"/p/Shop_ATL.cpp", {1, 2, 16}},       {"/p/Shop_TLB.cpp", {2, 16}},
        {"/p/Shop.tlb", {1, 2, 16}},           {"/p/Shop.TLB", {1, 2, 8, 9, 16}},
        {"/p/shop_atl.cpp", {1, 2, 8, 9, 16}}, {"/p/Shop.cpp", {1, 2, 8, 9, 16}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ProjectMenuManager()->LocalCommands(c.file, {1, 2, 8, 9, 16}), c.commands) << c.file;
    Cppproreg::Finalization();
    EXPECT_EQ(ProjectMenuManager()->ModifierCount(), 0);
}

TEST_F(kvtcompro_Ide, UnloadTakesTheNotifierAlong)
{
    SaveProject("Shop.tvproj", {{"Old.tlb", kOldLibrary}, {"Old_TLB.cpp", ""}});
    Cppproreg::Finalization();
    Project({"open", "Shop.tvproj"});
    EXPECT_EQ(FindTypeLibModule(ActiveProject().get()), nullptr);
    EXPECT_FALSE(FileExists(dir + "Shop.tlb"));
}

TEST_F(kvtcompro_Ide, TypeLibraryOptionsPage)
{
    AppIniFile().WriteString("Type Library", "MSStylePropGetSet", "Yes");
    AppIniFile().WriteString("Type Library", "CppOcxSuffix", "Ctl");
    {
        TEnvironmentOptionsDialog dialog;
        ASSERT_EQ(dialog.Sheets().size(), 1u);
        auto* page = dynamic_cast<TCppTypeLibOptions*>(dialog.Sheets()[0]);
        ASSERT_NE(page, nullptr);
        EXPECT_EQ(page->Caption, "Type Library");
        ASSERT_EQ(page->CheckBoxes.size(), 3u);
        EXPECT_EQ(page->CheckBoxes[0].Caption, "Change &suffix");
        EXPECT_EQ(page->CheckBoxes[0].Group, "Component wrapper file");
        EXPECT_EQ(page->CheckBoxes[1].Caption, "Use &dispinterfaces in control wrappers");
        EXPECT_EQ(page->CheckBoxes[2].Caption, "MS-style pr&operty getter/setter prefixes");
        EXPECT_TRUE(page->TypeLibrary()->BoolValue("MSStylePropGetSet"));
        EXPECT_EQ(page->TypeLibrary()->Value("CppOcxSuffix"), "Ctl");
        EXPECT_FALSE(page->SuffixEnabled());  // disabled at first
        dialog.SetCheckBox("Type Library.CppChangeSuffixInCompWrap", "1");
        EXPECT_TRUE(page->SuffixEnabled());
        dialog.SetCheckBox("Type Library.CppChangeSuffixInCompWrap", "No");
        EXPECT_FALSE(page->SuffixEnabled());
        dialog.SetCheckBox("Type Library.DispInterfInControlWrap", "yes");
        dialog.Close(true);
    }
    EXPECT_EQ(AppIniFile().ReadString("Type Library", "DispInterfInControlWrap", ""), "True");
    EXPECT_EQ(AppIniFile().ReadString("Type Library", "CppChangeSuffixInCompWrap", ""), "False");
    EXPECT_EQ(AppIniFile().ReadString("Type Library", "MSStylePropGetSet", ""), "True");
    {
        TEnvironmentOptionsDialog dialog;
        dialog.SetCheckBox("Type Library.MSStylePropGetSet", "False");
        dialog.Close(false);
    }
    EXPECT_EQ(AppIniFile().ReadString("Type Library", "MSStylePropGetSet", ""), "True");
    // a page opened on a checked box offers the suffix
    AppIniFile().WriteString("Type Library", "CppChangeSuffixInCompWrap", "True");
    {
        TEnvironmentOptionsDialog dialog;
        auto* page = dynamic_cast<TCppTypeLibOptions*>(dialog.Sheets()[0]);
        ASSERT_NE(page, nullptr);
        EXPECT_TRUE(page->TypeLibrary()->BoolValue("CppChangeSuffixInCompWrap"));
        EXPECT_TRUE(page->SuffixEnabled());
        dialog.Close(false);
    }
}

}  // namespace

namespace {

// written by hand: the host's key and the list's place below it
const char* const kSuffixHistoryKey = "Software\\Quistor\\IDE\\1.0\\History Lists\\hlCppOcxSuffix";

std::vector<String> StoredSuffixHistory()
{
    TRegistry reg;
    std::vector<String> items;
    const int count = reg.ReadInteger(kSuffixHistoryKey, "Count", 0);
    for (int i = 0; i < count; ++i)
        items.push_back(reg.ReadString(kSuffixHistoryKey, "Item" + IntToStr(i), "?"));
    return items;
}

TEST_F(kvtcompro_Ide, SuffixComboBoxOffersTheSuffixesTakenBefore)
{
    {
        TRegistry reg;
        reg.WriteInteger(kSuffixHistoryKey, "Count", 1);
        reg.WriteString(kSuffixHistoryKey, "Item0", "Wrap");
    }
    AppIniFile().WriteString("Type Library", "CppOcxSuffix", "Wrap");
    {
        TEnvironmentOptionsDialog dialog;
        auto* page = dynamic_cast<TCppTypeLibOptions*>(dialog.Sheets()[0]);
        ASSERT_NE(page, nullptr);
        ASSERT_EQ(page->ComboBoxes.size(), 1u);
        const TPropHistoryComboBox& box = page->ComboBoxes[0];
        EXPECT_EQ(box.Name, "HistPropOcxSuff");
        EXPECT_EQ(box.Group, "Component wrapper file");
        EXPECT_EQ(box.Field, "CppOcxSuffix");
        ASSERT_EQ(box.History, page->SuffixHistory());
        EXPECT_EQ(box.History->Name(), "hlCppOcxSuffix");
        EXPECT_EQ(box.History->Items, std::vector<String>{"Wrap"});
        EXPECT_FALSE(box.Enabled);  // "Change &suffix" is not checked
        EXPECT_THROW(dialog.SetComboBox("Type Library.CppOcxSuffix", "Ctl"), EHostError);
        EXPECT_EQ(page->TypeLibrary()->Value("CppOcxSuffix"), "Wrap");
        EXPECT_THROW(dialog.SetComboBox("Type Library.MSStylePropGetSet", "x"), EHostError);  // a check box
        dialog.SetCheckBox("Type Library.CppChangeSuffixInCompWrap", "True");
        ASSERT_TRUE(page->ComboBoxes[0].Enabled);
        dialog.SetControl("Type Library.CppOcxSuffix", "Ctl");
        dialog.Close(true);
    }
    EXPECT_EQ(AppIniFile().ReadString("Type Library", "CppOcxSuffix", ""), "Ctl");
    EXPECT_EQ(StoredSuffixHistory(), (std::vector<String>{"Ctl", "Wrap"}));
    {
        // a suffix taken again moves to the front once; a cancelled dialog keeps nothing
        TEnvironmentOptionsDialog dialog;
        auto* page = dynamic_cast<TCppTypeLibOptions*>(dialog.Sheets()[0]);
        ASSERT_NE(page, nullptr);
        EXPECT_TRUE(page->ComboBoxes[0].Enabled);
        EXPECT_EQ(page->SuffixHistory()->Items, (std::vector<String>{"Ctl", "Wrap"}));
        dialog.SetComboBox("Type Library.CppOcxSuffix", "Other");
        dialog.Close(false);
    }
    EXPECT_EQ(AppIniFile().ReadString("Type Library", "CppOcxSuffix", ""), "Ctl");
    EXPECT_EQ(StoredSuffixHistory(), (std::vector<String>{"Ctl", "Wrap"}));
    {
        TEnvironmentOptionsDialog dialog;
        dialog.SetComboBox("Type Library.CppOcxSuffix", "Wrap");
        dialog.Close(true);
    }
    EXPECT_EQ(StoredSuffixHistory(), (std::vector<String>{"Wrap", "Ctl"}));
    {
        // an empty suffix is not remembered; a disabled box adds nothing either
        TEnvironmentOptionsDialog dialog;
        dialog.SetComboBox("Type Library.CppOcxSuffix", "");
        dialog.Close(true);
    }
    EXPECT_EQ(StoredSuffixHistory(), (std::vector<String>{"Wrap", "Ctl"}));
    AppIniFile().WriteString("Type Library", "CppChangeSuffixInCompWrap", "False");
    AppIniFile().WriteString("Type Library", "CppOcxSuffix", "Kept");
    {
        TEnvironmentOptionsDialog dialog;
        dialog.Close(true);
    }
    EXPECT_EQ(StoredSuffixHistory(), (std::vector<String>{"Wrap", "Ctl"}));
}

}  // namespace
