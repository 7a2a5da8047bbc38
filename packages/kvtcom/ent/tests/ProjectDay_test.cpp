// A COM project's day through the idehost program: the objects made and the project saved in one
// session; a second session, started from another working folder, opens it and edits the type
// library, and the units, the library file and the project source's object map follow.
#include <gtest/gtest.h>

#include "testsupport/TestDir.h"
#include "rtl/ConsoleProcess.h"
#include "rtl/Files.h"

namespace {

struct TRun {
    int Status;
    String Out, Err;
};

TRun RunIdeHost(const String& commandLine, const String& cwd)
{
    TConsoleProcess p;
    p.ApplicationName = IDEHOST;
    p.CommandLine = "idehost --packages " + String(PACKAGE_DIR) + " " + commandLine;
    p.CurrentDirectory = cwd;
    p.Execute();
    TRun r{p.ExitCode(), "", ""};
    for (int i = 0; i < p.Output().Count(); ++i) r.Out += p.Output()[i] + "\n";
    for (int i = 0; i < p.Errors().Count(); ++i) r.Err += p.Errors()[i] + "\n";
    return r;
}

// The first `project show` listing of a session's output.
String Listing(const String& out)
{
    const std::size_t b = out.find("project /");
    if (b == String::npos) return "";
    std::size_t e = out.find('\n', b);
    while (e != String::npos && e + 2 < out.size() && out.compare(e + 1, 2, "  ") == 0)
        e = out.find('\n', e + 1);
    return out.substr(b, e == String::npos ? String::npos : e + 1 - b);
}

const char* const kLoad = " load KVTWEKIDE100 kvtcompro100 kvtcoment100";
const char* const kActiveX = " new Quistor.Tolvane.ActiveX ";

// Written by hand: the library project with a COM object and an Active Form.
const char* const kLibraryProject =
    "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n"
    "<PROJECT>\n"
    "  <MACROS />\n"
    "  <OPTIONS />\n"
    "  <OPTIONSETS>\n"
    "    <OPTIONSET name=\"coclasses\">\n"
    "      <OPTION name=\"Knob\" value=\"KnobImpl1.cpp\" />\n"
    "      <OPTION name=\"Orders\" value=\"OrdersImpl1.cpp\" />\n"
    "    </OPTIONSET>\n"
    "    <OPTIONSET name=\"project\">\n"
    "      <OPTION name=\"kind\" value=\"8\" />\n"
    "      <OPTION name=\"sources\" value=\"Project1.cpp\" />\n"
    "    </OPTIONSET>\n"
    "  </OPTIONSETS>\n"
    "  <FILELIST>\n"
    "    <FILE FILENAME=\"Project1.cpp\" />\n"
    "    <FILE FILENAME=\"Project1.tlb\" />\n"
    "    <FILE FILENAME=\"OrdersImpl1.cpp\" COMPILER=\"CCompiler\" />\n"
    "    <FILE FILENAME=\"KnobImpl1.cpp\" COMPILER=\"CCompiler\">\n"
    "      <VALUE name=\"ANCESTOR\" value=\"ActiveForm\" />\n"
    "    </FILE>\n"
    "    <FILE FILENAME=\"About1.cpp\" COMPILER=\"CCompiler\">\n"
    "      <VALUE name=\"ANCESTOR\" value=\"Form\" />\n"
    "    </FILE>\n"
    "  </FILELIST>\n"
    "  <USES>\n"
    "    <ENTRY FILENAME=\"OrdersImpl1.cpp\" COMPILER=\"CCompiler\" KIND=\"0\" />\n"
    "    <ENTRY FILENAME=\"KnobImpl1.cpp\" COMPILER=\"CCompiler\" KIND=\"0\" FORMNAME=\"Knob\" />\n"
    "    <ENTRY FILENAME=\"About1.cpp\" COMPILER=\"CCompiler\" KIND=\"0\" FORMNAME=\"KnobAbout\" />\n"
    "  </USES>\n"
    "</PROJECT>\n";

struct TSessions {
    String Out;  // the output folder, absolute
    TRun First, Second;
    String Project, Library;  // the project file and library file the first session saved
};

// first: the commands of the first session, which then shows and saves the project; second:
// those of the second after it opened and showed it. relative: the first runs beside the output
// folder with a relative --dir, the second from a sibling folder with "../out".
TSessions TwoSessions(const String& name, bool relative, const String& first, const String& second)
{
    const String base = FreshDir(ScratchDir() + "kvtcom_day_" + name + (relative ? "_rel" : "_abs"));
    const String out = FreshDir(base + "out"), one = FreshDir(base + "one"), two = FreshDir(base + "two");
    AtomicWriteFile(base + "answers.txt", "com.coclass=Orders\n");
    const String answers = " --answers " + base + "answers.txt";
    TSessions s{out, {}, {}, "", ""};
    s.First = RunIdeHost(answers + " --dir " + (relative ? String("out") : out) + kLoad + first +
                             " project show project save",
                         relative ? base : one);
    if (FileExists(out + "Project1.zproj")) s.Project = ReadFileBytes(out + "Project1.zproj");
    if (FileExists(out + "Project1.tlb")) s.Library = ReadFileBytes(out + "Project1.tlb");
    s.Second = RunIdeHost(answers + " --dir " + (relative ? String("../out") : out) + kLoad +
                              " project open Project1.zproj project show" + second,
                          two);
    return s;
}

class kvtcom_ProjectDay : public ::testing::TestWithParam<bool> {};

TEST_P(kvtcom_ProjectDay, LibraryEditedInTheNextSessionReachesUnitsLibraryAndObjectMap)
{
    const TSessions s = TwoSessions(
        "library", GetParam(),
        String(kActiveX) + "\"ActiveX Library\"" + kActiveX + "\"COM Object\" answer com.coclass=Knob" +
            kActiveX + "\"Active Form\"",
        " typelib edit typelib method IOrders Ship long:Count typelib rename Orders Invoices typelib apply"
        " project save");
    ASSERT_EQ(s.First.Status, 0) << s.First.Err << s.First.Out;
    // the project save wrote the library: no `typelib save` was needed
    EXPECT_NE(s.First.Out.find("saved " + s.Out + "Project1.tlb\nsaved " + s.Out + "Project1.zproj\n"),
              String::npos)
        << s.First.Out;
    EXPECT_EQ(s.Project, kLibraryProject);
    EXPECT_NE(s.Library.find("coclass Orders\n"), String::npos) << s.Library;
    EXPECT_NE(s.Library.find("coclass Knob\n"), String::npos) << s.Library;

    ASSERT_EQ(s.Second.Status, 0) << s.Second.Err << s.Second.Out;
    EXPECT_EQ(Listing(s.Second.Out), Listing(s.First.Out)) << s.Second.Out;
    EXPECT_NE(s.Second.Out.find("updated " + s.Out + "OrdersImpl1.cpp\n"), String::npos) << s.Second.Out;
    const String header = ReadFileBytes(s.Out + "OrdersImpl1.h");
    EXPECT_NE(header.find("STDMETHOD(Ship)(long Count);"), String::npos) << header;
    EXPECT_NE(header.find("CComCoClass<TInvoicesImpl, &CLSID_Invoices>"), String::npos) << header;
    const String saved = ReadFileBytes(s.Out + "Project1.tlb");
    EXPECT_NE(saved.find("coclass Invoices\n"), String::npos) << saved;
    EXPECT_EQ(saved.find("coclass Orders\n"), String::npos) << saved;
    EXPECT_NE(saved.find("HRESULT Ship([in] long Count);"), String::npos) << saved;
    // one entry per CoClass, the renamed one under its new name
    const String source = ReadFileBytes(s.Out + "Project1.cpp");
    const String map = "BEGIN_OBJECT_MAP(ObjectMap)\r\n"
                       "  OBJECT_ENTRY(CLSID_Invoices, TInvoicesImpl)\r\n"
                       "  OBJECT_ENTRY(CLSID_Knob, TKnobImpl)\r\n"
                       "END_OBJECT_MAP()";
    EXPECT_NE(source.find(map), String::npos) << source;
    // the renamed CoClass's unit is still the one the project knows
    EXPECT_NE(ReadFileBytes(s.Out + "Project1.zproj")
                  .find("<OPTION name=\"Invoices\" value=\"OrdersImpl1.cpp\" />"),
              String::npos);
}

TEST_P(kvtcom_ProjectDay, ComObjectGivesAnApplicationItsTypeLibrary)
{
    const TSessions s = TwoSessions("application", GetParam(),
                                    " new Quistor.Tolvane.New \"ZUB Forms Application\"" + String(kActiveX) +
                                        "\"COM Object\"",
                                    " typelib edit typelib method IOrders Ship typelib apply typelib dump");
    ASSERT_EQ(s.First.Status, 0) << s.First.Err << s.First.Out;
    const String listing = Listing(s.First.Out);
    for (const char* item :
         {"  Project1.tlb\n", "  OrdersImpl1.cpp  [CCompiler]\n", "  Project1_ATL.cpp  [CCompiler]\n"})
        EXPECT_NE(listing.find(item), String::npos) << item << listing;
    EXPECT_NE(s.Library.find("coclass Orders\n"), String::npos) << s.Library;

    ASSERT_EQ(s.Second.Status, 0) << s.Second.Err << s.Second.Out;
    EXPECT_EQ(Listing(s.Second.Out), listing) << s.Second.Out;
    EXPECT_NE(s.Second.Out.find("updated " + s.Out + "OrdersImpl1.cpp\n"), String::npos) << s.Second.Out;
    EXPECT_NE(s.Second.Out.find("    [id(0x00000001)] HRESULT Ship();\n"), String::npos) << s.Second.Out;
}

TEST(kvtcom_ProjectDay, NothingIsSavedWhenTheLibraryCannotBe)
{
    const String base = FreshDir(ScratchDir() + "kvtcom_day_unsaved");
    AtomicWriteFile(base + "answers.txt", "com.coclass=Orders\n");
    // a library named like a C++ keyword could not be read back
    const TRun r =
        RunIdeHost("--answers " + base + "answers.txt --dir out" + String(kLoad) + kActiveX +
                       "\"ActiveX Library\"" + kActiveX + "\"COM Object\" typelib name int project save",
                   base);
    EXPECT_EQ(r.Status, 1) << r.Out;
    EXPECT_NE(r.Err.find("The type library int is not saved"), String::npos) << r.Err;
    EXPECT_EQ(r.Out.find("saved "), String::npos) << r.Out;
    EXPECT_FALSE(FileExists(base + "out/Project1.zproj"));
    EXPECT_FALSE(FileExists(base + "out/int.tlb"));
}

INSTANTIATE_TEST_SUITE_P(Dirs, kvtcom_ProjectDay, ::testing::Values(false, true),
                         [](const auto& info) { return info.param ? "relative" : "absolute"; });

}  // namespace
