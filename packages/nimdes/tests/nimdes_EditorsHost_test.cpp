#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <set>
#include <sstream>

#include "host/Registry.h"
#include "hostimpl/Shell.h"
#include "rtl/Files.h"
#include "testsupport/TestDir.h"

using namespace hostimpl;

namespace {

struct Result {
    int Status;
    String Out, Err;
};

// idehost with the package folder and an answers file holding the dialog answers.
Result Idehost(const String& answers, std::vector<String> args)
{
    const String dir = IncludeTrailingPathDelimiter(ScratchDir() + "editors_host");
    EXPECT_TRUE(ForceDirectories(dir));
    const String file = dir + "answers.txt";
    AtomicWriteFile(file, answers);
    args.insert(args.begin(), {"--packages", NIMDES_PACKAGE_DIR, "--answers", file, "--dir", dir});
    std::istringstream in;
    std::ostringstream out, err;
    const int status = RunIdeHost(args, in, out, err);
    return {status, out.str(), err.str()};
}

TEST(nimdes_EditorsHost, ColourDialogTakesTheWebColourOfTheCell)
{
    auto r = Idehost("form.QZColorForm.WebColorsGrid=1,5\n"  // cell 61
                     "form.QZColorForm=Button1\n",
                     {"load", "nimdes", "place", "TQZButton", "Button1", "property", "Button1", "BGColor",
                      "TQZColor", "255", "unload"});
    EXPECT_EQ(r.Status, 0) << r.Err;
    EXPECT_NE(r.Out.find("placed Button1: TQZButton\n"), String::npos) << r.Out;
    EXPECT_NE(r.Out.find("Button1.BGColor = Gold (modified)\n"), String::npos) << r.Out;
    EXPECT_NE(r.Out.find("unloaded all\n"), String::npos) << r.Out;
}

// Every cell of the Web Colors page but the last picks its colour.
TEST(nimdes_EditorsHost, EveryWebColourCellCanBePicked)
{
    std::vector<String> args{"load", "nimdes", "place", "TQZButton", "Button1"};
    for (int cell = 0; cell < 144; ++cell)
        for (const String& w :
             {String("answer"),
              "form.QZColorForm.WebColorsGrid=" + IntToStr(cell % 12) + "," + IntToStr(cell / 12),
              String("property"), String("Button1"), String("BGColor"), String("TQZColor"),
              String("$00FEFEFE")})
            args.push_back(w);
    auto r = Idehost("form.QZColorForm=Button1\n", args);
    ASSERT_EQ(r.Status, 0) << r.Err;
    std::vector<String> picked;
    for (std::size_t p = 0; (p = r.Out.find("Button1.BGColor = ", p)) != String::npos; ++p)
        picked.push_back(r.Out.substr(p + 18, r.Out.find('\n', p) - p - 18));
    ASSERT_EQ(picked.size(), 144u);
    std::set<String> names;
    for (int cell = 0; cell < 143; ++cell) {
        EXPECT_EQ(picked[cell].find(" (modified)"), picked[cell].size() - 11) << cell << ": " << picked[cell];
        names.insert(picked[cell]);
    }
    // Aqua and Cyan, Fuchsia and Magenta, and the greys in both spellings are one colour each.
    EXPECT_EQ(names.size(), 138u);
    const std::pair<int, const char*> some[] = {{0, "Black"},         {9, "Red"},
                                                {15, "White"},        {16, "AliceBlue"},
                                                {61, "Gold"},         {98, "MediumSpringGreen"},
                                                {142, "YellowGreen"}, {39, "DarkGray"},
                                                {64, "Gray"},         {33, "Aqua"}};
    for (auto [cell, name] : some) EXPECT_EQ(picked[cell], String(name) + " (modified)") << cell;
    // The last cell shows the X: nothing is picked.
    EXPECT_EQ(picked[143], "$00FEFEFE (unchanged)");
}

// VALUE is typed as into the inspector; without it the editor opens on the value the form has.
TEST(nimdes_EditorsHost, ColourPropertyOpensOnTheFormsValueOrTheTypedOne)
{
    struct Row {
        std::vector<String> Value;  // typed, or none
        const char* Cell;  // the web colour cell picked, or none
        const char* Shown;
    } rows[] = {
        {{}, nullptr, "QZButton1.Color = Silver (unchanged)"},
        {{"Silver"}, nullptr, "QZButton1.Color = Silver (unchanged)"},
        {{"silver"}, "1,5", "QZButton1.Color = Gold (modified)"},
        {{"clRed"}, nullptr, "QZButton1.Color = Red (unchanged)"},
        {{"$00C0C0C0"}, nullptr, "QZButton1.Color = Silver (unchanged)"},
        {{}, "1,5", "QZButton1.Color = Gold (modified)"},
    };
    for (const Row& row : rows) {
        std::vector<String> args{"load",     "nimdes",    "design", NIMDES_SAMPLE_FORM,
                                 "property", "QZButton1", "Color",  "TQZColor"};
        args.insert(args.end(), row.Value.begin(), row.Value.end());
        String answers = "form.QZColorForm=Button1\n";
        if (row.Cell) answers = "form.QZColorForm.WebColorsGrid=" + String(row.Cell) + "\n" + answers;
        auto r = Idehost(answers, args);
        EXPECT_EQ(r.Status, 0) << r.Err;
        EXPECT_NE(r.Out.find(String(row.Shown) + "\n"), String::npos) << row.Shown << "\n" << r.Out;
    }
    // A placed button has the framework's default colour until one is given.
    auto r = Idehost("form.QZColorForm=Button1\n", {"load", "nimdes", "place", "TQZButton", "Button1",
                                                    "property", "Button1", "BGColor", "TQZColor"});
    EXPECT_EQ(r.Status, 0) << r.Err;
    EXPECT_NE(r.Out.find("Button1.BGColor = $20000000 (unchanged)\n"), String::npos) << r.Out;
    // A value that is neither a colour name nor a number is refused in words.
    r = Idehost("form.QZColorForm=Button1\n", {"load", "nimdes", "design", NIMDES_SAMPLE_FORM, "property",
                                               "QZButton1", "Color", "TQZColor", "Silber"});
    EXPECT_EQ(r.Status, 1);
    EXPECT_NE(r.Err.find("'Silber' is not a valid integer value"), String::npos) << r.Err;
}

TEST(nimdes_EditorsHost, UnansweredColourDialogChangesNothing)
{
    auto r = Idehost("", {"load", "nimdes", "place", "TQZButton", "Button1", "property", "Button1", "BGColor",
                          "TQZColor", "255", "unload"});
    EXPECT_EQ(r.Status, 0) << r.Err;
    EXPECT_NE(r.Out.find("Button1.BGColor = Red (unchanged)\n"), String::npos) << r.Out;
}

TEST(nimdes_EditorsHost, ScriptEventsDialogAndTabPages)
{
    auto r = Idehost("form.frmEventsEditor.cbEvents=onClick\n"
                     "form.frmEventsEditor.memoCode=alert('x');\n"
                     "form.frmEventsEditor=btnOK\n",
                     {"load",
                      "nimdes",
                      "place",
                      "TQZButton",
                      "Button1",
                      "property",
                      "Button1",
                      "ScriptEvents",
                      "TQZScriptEvents",
                      "place",
                      "TQZTabControl",
                      "Tabs",
                      "verb",
                      "Tabs",
                      "verb",
                      "Tabs",
                      "0",
                      "verb",
                      "Tabs",
                      "0",
                      "verb",
                      "Button1",
                      "unload"});
    EXPECT_EQ(r.Status, 0) << r.Err;
    EXPECT_NE(r.Out.find("Button1.ScriptEvents =  (modified)\n"), String::npos) << r.Out;
    EXPECT_NE(r.Out.find("0 Add page\n1 Remove page\n"), String::npos) << r.Out;
    EXPECT_NE(r.Out.find("Tabs: Add page\n  Button1\n  Tabs\n  TabsPage0 in Tabs \"Page0\"\n"
                         "  TabsPage1 in Tabs \"Page1\"\n  selected: TabsPage1\n"),
              String::npos)
        << r.Out;
    EXPECT_NE(r.Out.find("0 Nimbrel 9.0 for Pendro 2007 / Ostrel Studio\n"), String::npos) << r.Out;
    EXPECT_NE(r.Out.find("unloaded all\n"), String::npos) << r.Out;
}

TEST(nimdes_EditorsHost, EditorsOnTheSampleForm)
{
    auto r = Idehost("form.QZColorForm.SysColorsGrid=1,0\n"  // clMaroon, named as the web colour of its value
                     "form.QZColorForm=Button1\n",
                     {"load",
                      "nimdes",
                      "design",
                      NIMDES_SAMPLE_FORM,
                      "property",
                      "QZButton1",
                      "Color",
                      "TQZColor",
                      "0",
                      "verb",
                      "QZTabControl1",
                      "0",
                      "verb",
                      "QZTabControl1",
                      "1",
                      "place",
                      "TQZTreeView",
                      "Tree1",
                      "verb",
                      "Tree1",
                      "1",
                      "unload",
                      "state"});
    EXPECT_EQ(r.Status, 0) << r.Err;
    EXPECT_NE(r.Out.find("designing QZSampleForm ("), String::npos) << r.Out;
    EXPECT_NE(r.Out.find("QZButton1.Color = Maroon (modified)\n"), String::npos) << r.Out;
    // The sample's tab control has two pages of other names: the new one is QZTabControl1Page0.
    EXPECT_NE(r.Out.find("  QZTabControl1Page0 in QZTabControl1 \"Page2\"\n  selected: QZTabControl1Page0\n"),
              String::npos)
        << r.Out;
    EXPECT_NE(r.Out.find("QZTabControl1: Remove page\n"), String::npos) << r.Out;
    // The tree items editor stays open beside the designer until the package goes.
    EXPECT_NE(r.Out.find("Tree1: Edit tree nodes\n"), String::npos) << r.Out;
    EXPECT_NE(r.Out.find("unloaded all\n"), String::npos) << r.Out;
}

TEST(nimdes_EditorsHost, HTMLDesignerOpenAtUnloadLeavesNothingBehind)
{
    const char* key = "SOFTWARE\\Microsoft\\Internet Explorer";
    auto r = Idehost("", {"load", "nimdes", "place", "TQZLayoutMgrHTML", "Layout1", "verb", "Layout1", "0"});
    EXPECT_EQ(r.Status, 0) << r.Err;  // no browser: a message, nothing opened
    TRegistry().WriteString(key, "Version", "6.0");
    r = Idehost("", {"load", "nimdes", "design", NIMDES_SAMPLE_FORM, "place", "TQZLayoutMgrHTML", "Layout1",
                     "verb", "Layout1", "0", "verb", "QZButton1", "0", "state", "unload", "state"});
    TRegistry().DeleteKey(key);
    EXPECT_EQ(r.Status, 0) << r.Err;
    EXPECT_NE(r.Out.find("Layout1: Edit HTML\n"), String::npos) << r.Out;
    const auto unloaded = r.Out.find("unloaded all\n");
    ASSERT_NE(unloaded, String::npos) << r.Out;
    // The manager's class is known by name while the package is loaded, and only then.
    const auto cls = r.Out.find("\nclass TQZHTMLManager\n");
    EXPECT_LT(cls, unloaded) << r.Out;
    EXPECT_EQ(r.Out.find("class TQZHTMLManager", unloaded), String::npos) << r.Out;
}

TEST(nimdes_EditorsHost, CommandErrorsSayWhatIsMissing)
{
    struct Row {
        std::vector<String> Args;
        const char* Error;
    } rows[] = {
        {{"place", "TNoSuch", "X"}, "No palette class TNoSuch"},
        {{"verb", "Nobody", "0"}, "No component Nobody on the form"},
        {{"place", "TQZButton", "B", "property", "B", "Caption", "String"},
         "No property editor for String Caption of B"},
        {{"place", "TQZTabControl", "T", "verb", "T", "2"}, "No verb 2 of T"},
    };
    for (const Row& row : rows) {
        std::vector<String> args{"load", "nimdes"};
        args.insert(args.end(), row.Args.begin(), row.Args.end());
        auto r = Idehost("", args);
        EXPECT_EQ(r.Status, 1);
        EXPECT_NE(r.Err.find(row.Error), String::npos) << r.Err;
    }
}

// The user's own files in the folder the application wizard is given stay as they are.
TEST(nimdes_EditorsHost, ApplicationWizardNeverWritesOverTheUsersFiles)
{
    const String dir = IncludeTrailingPathDelimiter(ScratchDir() + "editors_host");
    const String unit = "// the user's own unit\r\nint Answer = 42;\n",
                 controller = "// the user's controller\n";
    auto wizard = [&](const char* project) {
        return Idehost(
            String("form.formAppWizard=butnOk\nform.formAppWizard.editProject=") + project + "\n",
            {"load", "nimdes", "new", "Pelmor.QZApplicationWizard_KVT", "Nimbrel Application Wizard"});
    };
    // A unit of the user's: the main form takes the next free name beside it.
    const String shop = dir + "Shop/";
    ASSERT_TRUE(ForceDirectories(shop));
    AtomicWriteFile(shop + "Unit1.cpp", unit);
    auto r = wizard("Shop");
    EXPECT_EQ(r.Status, 0) << r.Err;
    EXPECT_NE(r.Out.find("wrote " + shop + "Unit2.cpp\n"), String::npos) << r.Out;
    EXPECT_NE(r.Out.find("wrote " + shop + "ServerController.cpp\n"), String::npos) << r.Out;
    EXPECT_EQ(r.Out.find("Unit1"), String::npos) << r.Out;
    EXPECT_EQ(ReadFileBytes(shop + "Unit1.cpp"), unit);
    // A file of a fixed name is the user's too: nothing is made, nothing written.
    const String other = dir + "Other/";
    ASSERT_TRUE(ForceDirectories(other));
    AtomicWriteFile(other + "Unit1.cpp", unit);
    AtomicWriteFile(other + "ServerController.cpp", controller);
    r = wizard("Other");
    EXPECT_EQ(r.Status, 1);
    EXPECT_NE(r.Err.find("The file " + other + "ServerController.cpp already exists"), String::npos) << r.Err;
    EXPECT_EQ(r.Out.find("wrote "), String::npos) << r.Out;
    EXPECT_EQ(ReadFileBytes(other + "Unit1.cpp"), unit);
    EXPECT_EQ(ReadFileBytes(other + "ServerController.cpp"), controller);
    std::vector<String> names;
    for (const auto& e : std::filesystem::directory_iterator(other))
        names.push_back(e.path().filename().string());
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<String>{"ServerController.cpp", "Unit1.cpp"}));
}

// The C++ wizards' category stands under the C++ new-items category whichever package comes
// first, and each unload leaves the other's categories in place.
TEST(nimdes_EditorsHost, CppCategoryStandsUnderTheNewItemsCategoryInEitherLoadOrder)
{
    const String nested = "\n  Pelmor.QZApplicationWizard_KVT  \"Nimbrel\"\n"
                          "    - Nimbrel Application Wizard  [Pelmor.QZApplicationWizard_KVT";
    for (const auto& order : {std::vector<String>{"nimdes", "KVTWEKIDE100"}, {"KVTWEKIDE100", "nimdes"}}) {
        auto r = Idehost("", {"load", order[0], "load", order[1], "gallery", "unload", order[0], "gallery",
                              "unload", order[1], "gallery"});
        ASSERT_EQ(r.Status, 0) << r.Err;
        const auto first = r.Out.find("loaded " + order[1] + "\n");
        const auto second = r.Out.find("unloaded " + order[0]);
        ASSERT_NE(second, String::npos) << r.Out;
        const String both = r.Out.substr(first, second - first);
        const auto cpp = both.find("\nQuistor.Tolvane.New  \"Tolvane Projects\"\n");
        ASSERT_NE(cpp, String::npos) << both;
        EXPECT_NE(both.find(nested, cpp), String::npos) << order[0] << " first:\n" << both;
        EXPECT_EQ(both.find("\nPelmor."), String::npos) << both;
        // Left alone, KVTWEKIDE100 keeps its categories; nimdes keeps only its own.
        const String left = r.Out.substr(second, r.Out.find("unloaded " + order[1]) - second);
        EXPECT_NE(
            left.find(order[0] == "nimdes" ? "Quistor.Tolvane.NewFiles" : "Pelmor.QZApplicationWizard_KVT"),
            String::npos)
            << left;
        EXPECT_EQ(left.find(order[0] == "nimdes" ? "Pelmor." : "Quistor.Tolvane.NewFiles"), String::npos)
            << left;
    }
}

}  // namespace
