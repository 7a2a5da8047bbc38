// Each package as its user meets it: the idehost program loads it, lists its gallery, runs every
// File>New item it offers with answers for its dialogs, and unloads it; the files land in --dir
// and the host's state after the unload is the state it started with.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "GalleryItems.h"
#include "testsupport/TestDir.h"
#include "IdeHostRun.h"
#include "rtl/Files.h"

namespace {

struct TItem {
    const char* Category;
    const char* Caption;
    const char* CoClass = nullptr;  // the COM dialog's class name: the names of one library differ
};

struct TTranscript {
    const char* Name;
    const char* Load;  // packages on the load command
    const char* Answers;  // answers file, empty for none
    std::vector<TItem> Items;
    std::vector<const char*> Files;  // all files written, relative to --dir
    const char* GoldenFile;  // one of them, by hand from the templates
    const char* Golden;
};

// A project, then the COM objects both COM packages offer.
const std::vector<TItem> kComItems = {
    {kProjects, "ZUB Forms Application"},    {kActiveX, "COM Object", "Orders"},
    {kActiveX, "Automation Object", "Auto"}, {kActiveX, "Property Page", "Page"},
    {kActiveX, "COM+ Event Object", "Evt"},  {kActiveX, "COM+ Subscription Object", "Sub"},
    {kActiveX, "Active Form", "AForm"},      {kActiveX, "Active Server Object", "Shop"}};

std::vector<TItem> Plus(std::vector<TItem> a, const std::vector<TItem>& b)
{
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

const TTranscript kTranscripts[] = {
    {"KVTWEKIDE100",
     "KVTWEKIDE100",
     "thread.class=TMyThread\n",
     {{kProjects, "ZUB Forms Application"},
      {kFiles, "Form"},
      {kFiles, "Frame"},
      {kFiles, "Data Module"},
      {kFiles, "Thread Object"}},
     {"Project1.cpp", "Unit1.cpp", "Unit1.h", "Unit1.zfm", "Unit2.cpp", "Unit2.h", "Unit2.zfm", "Unit3.cpp",
      "Unit3.h", "Unit3.zfm", "Unit4.cpp", "Unit4.h", "Unit4.zfm", "Unit5.cpp", "Unit5.h"},
     "Unit4.zfm",
     "object DataModule1: TDataModule1\r\nend\r\n"},
    {"kvtcompro100",
     "KVTWEKIDE100 kvtcompro100",
     "com.coclass=Orders\n",
     kComItems,
     // the property page and the Active Form have form files; the application's first COM
     // object gives it its ATL unit
     {"About1.cpp",      "About1.h",         "About1.zfm",     "AFormImpl1.cpp", "AFormImpl1.h",
      "AFormImpl1.zfm",  "AutoImpl1.cpp",    "AutoImpl1.h",    "EvtImpl1.cpp",   "EvtImpl1.h",
      "OrdersImpl1.cpp", "OrdersImpl1.h",    "PageImpl1.cpp",  "PageImpl1.h",    "PageImpl1.zfm",
      "Project1.cpp",    "Project1_ATL.cpp", "Project1_ATL.h", "Shop.asp",       "ShopImpl1.cpp",
      "ShopImpl1.h",     "SubImpl1.cpp",     "SubImpl1.h",     "Unit1.cpp",      "Unit1.h",
      "Unit1.zfm"},
     "Shop.asp",
     "<HTML>\r\n<HEAD>\r\n<TITLE> Testing Tolvane ASP </TITLE>\r\n</HEAD>\r\n<BODY>\r\n<CENTER>\r\n"
     "<H3> You should see the results of your Tolvane Active Server method below "
     "</H3>\r\n</CENTER>\r\n<HR>\r\n"
     "<% Set TolvaneASPObj = Server.CreateObject(\"Project1.Shop\")\r\n"
     "TolvaneASPObj.{Insert Method name here}\r\n%>\r\n<HR>\r\n</BODY>\r\n</HTML>\r\n"},
    {"kvtcoment100",
     "KVTWEKIDE100 kvtcoment100",
     "com.coclass=Orders\n",
     Plus(kComItems, {{kActiveX, "Transactional Object", "Mts"},
                      {kMultitier, "Remote Data Module", "Rdm"},
                      {kMultitier, "Transactional Data Module", "Tdm"}}),
     // and the two data modules
     {"About1.cpp",     "About1.h",      "About1.zfm",      "AFormImpl1.cpp",   "AFormImpl1.h",
      "AFormImpl1.zfm", "AutoImpl1.cpp", "AutoImpl1.h",     "EvtImpl1.cpp",     "EvtImpl1.h",
      "MtsImpl1.cpp",   "MtsImpl1.h",    "OrdersImpl1.cpp", "OrdersImpl1.h",    "PageImpl1.cpp",
      "PageImpl1.h",    "PageImpl1.zfm", "Project1.cpp",    "Project1_ATL.cpp", "Project1_ATL.h",
      "RdmImpl1.cpp",   "RdmImpl1.h",    "RdmImpl1.zfm",    "Shop.asp",         "ShopImpl1.cpp",
      "ShopImpl1.h",    "SubImpl1.cpp",  "SubImpl1.h",      "TdmImpl1.cpp",     "TdmImpl1.h",
      "TdmImpl1.zfm",   "Unit1.cpp",     "Unit1.h",         "Unit1.zfm"},
     "OrdersImpl1.cpp",
     "// ORDERSIMPL1 : Implementation of TOrdersImpl (Orders, IOrders)\r\n\r\n#include <zub.h>\r\n"
     "#pragma hdrstop\r\n\r\n#include \"OrdersImpl1.h\"\r\n\r\n"
     "/////////////////////////////////////////////////////////////////////////////\r\n// "
     "TOrdersImpl\r\n\r\n"},
    // The test project goes to the test projects folder, the new test into its project.
    {"nimdes_Pascal",
     "nimdes",
     kNimbrelAnswers,
     {{kNimbrel, "Nimbrel Application Wizard"},
      {kNimbrel, "New Form"},
      {kNimbrel, "New Frame"},
      {kNimbrel, "New Nimbrel Test"},
      {kNimbrel, "Nimbrel Test Application"},
      {kNimbrel, "New Nimbrel Test"}},
     {"Quistor Studio Projects/Project1.pdr", "Quistor Studio Projects/Unit5.pas",
      "Quistor Studio Projects/Unit6.pas", "Shop/ServerController.pas", "Shop/ServerController.zfm",
      "Shop/Shop.pdr", "Shop/Unit1.pas", "Shop/Unit1.zfm", "Shop/Unit2.pas", "Shop/Unit2.zfm",
      "Shop/Unit3.pas", "Shop/Unit3.zfm", "Shop/Unit4.pas", "Shop/UserSessionUnit.pas",
      "Shop/UserSessionUnit.zfm"},
     "Quistor Studio Projects/Project1.pdr",
     "program Project1;\r\n\r\nuses\r\n  Forms,\r\n  TestFramework,\r\n  GUITestRunner,\r\n  QZInit,\r\n"
     "  QZGlobal,\r\n  Unit5 in 'Unit5.pas',\r\n  Unit6 in 'Unit6.pas';\r\n\r\n{$R *.res}\r\n\r\nbegin\r\n"
     "  GAppModeInit(Application);\r\n  TGUITestRunner.runRegisteredTests;\r\nend.\r\n"},
    {"nimdes_Cpp",
     "nimdes",
     kNimbrelAnswers,
     {{kNimbrelCpp, "Nimbrel Application Wizard"}, {kNimbrelCpp, "New Form"}, {kNimbrelCpp, "New Frame"}},
     {"Shop/ServerController.cpp", "Shop/ServerController.h", "Shop/ServerController.zfm", "Shop/Shop.cpp",
      "Shop/Unit1.cpp", "Shop/Unit1.h", "Shop/Unit1.zfm", "Shop/Unit2.cpp", "Shop/Unit2.h", "Shop/Unit2.zfm",
      "Shop/Unit3.cpp", "Shop/Unit3.h", "Shop/Unit3.zfm", "Shop/UserSessionUnit.cpp",
      "Shop/UserSessionUnit.h", "Shop/UserSessionUnit.zfm"},
     "Shop/UserSessionUnit.zfm",
     "object UserSession: TQZUserSession\r\n  OldCreateOrder = False\r\n  Left = 192\r\n  Top = 160\r\n"
     "  Height = 150\r\n  Width = 215\r\nend\r\n"},
    {"KVTIDL100", "KVTIDL100", "", {{kFiles, "CORBA IDL File"}}, {"File1.idl"}, "File1.idl", ""},
    // the class explorer and the browser offer no File>New items
    {"KVTPRO100", "KVTPRO100", "", {}, {}, nullptr, nullptr},
    {"Brannow100", "Brannow100", "", {}, {}, nullptr, nullptr},
};

// The answers with %OUT% standing for the output folder.
String WithOut(String answers, const String& out)
{
    for (auto p = answers.find("%OUT%"); p != String::npos; p = answers.find("%OUT%", p + out.size()))
        answers.replace(p, 5, out);
    return answers;
}

String Quoted(const String& s) { return s.find(' ') == String::npos ? s : "\"" + s + "\""; }

TIdeHostRun RunIdeHost(const String& commandLine, const String& cwd)
{
    return ::RunIdeHost(IDEHOST, commandLine, cwd);
}

String Lines(const std::vector<String>& v, std::size_t from, std::size_t to)
{
    String s;
    for (std::size_t i = from; i < to && i < v.size(); ++i) s += v[i] + "\n";
    return s;
}

class package_Transcript : public ::testing::TestWithParam<TTranscript> {};

TEST_P(package_Transcript, LoadsRunsEveryItemAndUnloadsClean)
{
    const TTranscript& t = GetParam();
    const String base = FreshDir(ScratchDir() + "transcript_" + t.Name);
    const String out = FreshDir(base + "out"), cwd = FreshDir(base + "cwd");
    String cmd = "--packages " + String(PACKAGE_DIR) + " --dir " + out;
    if (*t.Answers) {
        AtomicWriteFile(base + "answers.txt", WithOut(t.Answers, out));
        cmd += " --answers " + base + "answers.txt";
    }
    cmd += " state load " + String(t.Load) + " gallery";
    for (const auto& i : t.Items) {
        if (i.CoClass) cmd += " answer com.coclass=" + String(i.CoClass);
        cmd += " new " + String(i.Category) + " " + Quoted(i.Caption);
    }
    cmd += " unload state";

    const TIdeHostRun r = RunIdeHost(cmd, cwd);
    ASSERT_EQ(r.Status, 0) << r.Err << r.Out;
    EXPECT_TRUE(r.Err.empty()) << r.Err;

    // state, "loaded" lines, gallery, "wrote" lines, "unloaded all", state
    const auto firstLoaded = std::find_if(r.OutLines.begin(), r.OutLines.end(),
                                          [](const String& l) { return l.rfind("loaded ", 0) == 0; });
    const auto unloaded = std::find(r.OutLines.begin(), r.OutLines.end(), String("unloaded all"));
    ASSERT_NE(firstLoaded, r.OutLines.end());
    ASSERT_NE(unloaded, r.OutLines.end());
    const std::size_t b = firstLoaded - r.OutLines.begin(), u = unloaded - r.OutLines.begin();
    const String before = Lines(r.OutLines, 0, b), after = Lines(r.OutLines, u + 1, r.OutLines.size());
    EXPECT_NE(before.find("category Quistor.Pendro.New under -\n"), String::npos) << before;
    EXPECT_EQ(after, before);

    const String middle = Lines(r.OutLines, b, u);
    for (const auto& i : t.Items)
        EXPECT_NE(middle.find(String("- ") + i.Caption + "  ["), String::npos) << i.Caption << " not listed\n"
                                                                               << middle;
    std::vector<String> expected(t.Files.begin(), t.Files.end());
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(FilesBelow(out), expected);
    EXPECT_EQ(FilesBelow(cwd), std::vector<String>{});  // nothing beside --dir
    for (const auto& f : expected) EXPECT_NE(middle.find("wrote " + out + f + "\n"), String::npos) << f;
    if (t.GoldenFile) {
        EXPECT_EQ(ReadFileBytes(out + t.GoldenFile), t.Golden);
    }
}

INSTANTIATE_TEST_SUITE_P(Packages, package_Transcript, ::testing::ValuesIn(kTranscripts),
                         [](const auto& info) { return String(info.param.Name); });

// What a package does after the loads (KVTIDL100 follows the project the IDL item adds to) is its
// own: the package loaded last is not blamed for it at the unload.
TEST(package_Transcript, WorkAfterTheLoadsIsNotCountedAsTheLastLoadedPackages)
{
    const String base = FreshDir(ScratchDir() + "transcript_after_loads");
    const String out = FreshDir(base + "out");
    const TIdeHostRun r =
        RunIdeHost("--packages " + String(PACKAGE_DIR) + " --dir " + out +
                       " load KVTWEKIDE100 KVTIDL100 Brannow100 new " + kProjects +
                       " \"ZUB Forms Application\" new " + kFiles + " \"CORBA IDL File\" unload",
                   base);
    EXPECT_EQ(r.Status, 0);
    EXPECT_EQ(r.Err, "");
    EXPECT_EQ(r.OutLines.back(), "unloaded all");
}

// A wizard's dialog with no answer is cancelled at once: nothing is written, the host goes on.
TEST(package_Transcript, UnansweredWizardDialogsAreCancelledNotWaitedFor)
{
    const String base = FreshDir(ScratchDir() + "transcript_unanswered");
    const String out = FreshDir(base + "out");
    const TIdeHostRun r = RunIdeHost(
        "--packages " + String(PACKAGE_DIR) + " --dir " + out + " load nimdes new " + kNimbrelCpp +
            " \"Nimbrel Application Wizard\" new " + kNimbrel + " \"Nimbrel Application Wizard\" gallery",
        base);
    ASSERT_EQ(r.Status, 0) << r.Err;
    EXPECT_EQ(Lines(r.OutLines, 0, 1), "loaded nimdes\n");
    EXPECT_EQ(FilesBelow(out), std::vector<String>{});
}

// The C++ wizards of nimdes put the framework's folders (from the host's registry) on the
// project's library and include paths, once; saving the project leaves its source alone.
TEST(package_Transcript, NimbrelCppProjectGetsTheFrameworkPaths)
{
    const String base = FreshDir(ScratchDir() + "transcript_nimdes_paths");
    const String out = FreshDir(base + "out"), config = FreshDir(base + "config");
    AtomicWriteFile(config + "registry.ini",
                    "[Software\\Pelmor Software\\Nimbrel]\nKVT Install Path=/opt/nimbrel\n");
    AtomicWriteFile(base + "answers.txt", kNimbrelAnswers);
    setenv("IDEHOST_CONFIG", config.c_str(), 1);
    const TIdeHostRun r = RunIdeHost(
        "--packages " + String(PACKAGE_DIR) + " --dir " + out + " --answers " + base +
            "answers.txt load nimdes new " + kNimbrelCpp + " \"Nimbrel Application Wizard\" new " +
            kNimbrelCpp + " \"New Form\" new " + kNimbrelCpp + " \"New Frame\" project show project save",
        base);
    unsetenv("IDEHOST_CONFIG");
    ASSERT_EQ(r.Status, 0) << r.Err << r.Out;
    const String all = r.Out;
    EXPECT_NE(all.find("project " + out +
                       "Shop/Shop.zproj\n  option LibPath = ;/opt/nimbrel/\n"
                       "  option IncludePath = ;/opt/nimbrel/include/\n"),
              String::npos)
        << all;
    EXPECT_NE(all.find("saved " + out + "Shop/Shop.zproj\n"), String::npos) << all;
    EXPECT_EQ(ReadFileBytes(out + "Shop/Shop.cpp").rfind("//", 0), 0u);  // still the C++ source
}

}  // namespace
