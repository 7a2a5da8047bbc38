// A C++ project with IDL files driven through idehost's commands, as a user would: the real
// krotex (over omniidl) compiles, the make file and the XML project keep the rules.
#include <gtest/gtest.h>

#include <chrono>

#include "IdlHostTest.h"
#include "OrbCall.h"
#include "rtl/ConsoleProcess.h"
#include "hostimpl/IDEServicesImpl.h"
#include "rtl/Interrupt.h"
#include "rtl/ScopeGuard.h"

namespace {

const char* const kTeller = "#include \"bank.idl\"\n"
                            "module Teller {\n"
                            "  interface Desk { Bank::Account open(in string name); };\n"
                            "};\n";

class KvtidlRoad : public IdlHostTest {
protected:
    KvtidlRoad() : IdlHostTest("road_") {}
    void SetUp() override
    {
        IdlHostTest::SetUp();
        AtomicWriteFile(dir + "bank.idl", kBankIdl);
        AtomicWriteFile(dir + "teller.idl", kTeller);
    }
    // The "compiled ..." lines of the last session.
    int Compiled() const
    {
        int n = 0;
        for (std::size_t p = out.find("compiled "); p != String::npos; p = out.find("compiled ", p + 1)) ++n;
        return n;
    }
};

// The make file of the project Bank up to its IDL rules.
String MakeHead(const String& projectFiles, const String& idlFiles, const String& genFiles)
{
    return "# Make file of the C++ project Bank, kept by the IDE.\r\n"
           "PROJECT = Bank.exe\r\n"
           "PROJECTFILES = " +
           projectFiles + "\r\nIDLFILES = " + idlFiles + "\r\nIDLGENFILES = " + genFiles +
           "\r\n"
           "\r\n"
           "\r\n"
           "!if !$d(KROTEX)\r\n"
           "KROTEX = krotex\r\n"
           "!endif\r\n"
           "\r\n"
           "all: $(PROJECT)\r\n"
           "\r\n";
}

const String kMakeGolden = MakeHead("bank.idl teller.idl bank_c.cc bank_s.cc teller_c.cpp teller_s.cpp",
                                    "bank.idl teller.idl", "bank_s.cc bank_c.cc teller_s.cpp teller_c.cpp") +
                           "bank_s.cc: bank.idl\r\n"
                           "    $(KROTEX) $(IDLCFLAGS) $?\r\n"
                           "\r\n"
                           "bank_c.cc: bank.idl\r\n"
                           "    $(KROTEX) $(IDLCFLAGS) $?\r\n"
                           "\r\n"
                           "teller_s.cpp: teller.idl\r\n"
                           "    $(KROTEX) $(IDLCFLAGS) $?\r\n"
                           "\r\n"
                           "teller_c.cpp: teller.idl\r\n"
                           "    $(KROTEX) $(IDLCFLAGS) $?\r\n"
                           "\r\n"
                           "# Options of single files, kept by the IDE\r\n"
                           "#@ \"teller.idl\" krotex switches=-boa -src_suffix cpp\r\n"
                           "#@ \"bank_c.cc\" - compiler=CCompiler\r\n"
                           "#@ \"bank_s.cc\" - compiler=CCompiler\r\n"
                           "#@ \"teller_c.cpp\" - compiler=CCompiler\r\n"
                           "#@ \"teller_s.cpp\" - compiler=CCompiler\r\n";

const char* const kBuild = "project add bank.idl teller.idl\n"
                           "project switches teller.idl \"-boa -src_suffix cpp\"\n"
                           "project build\n";

TEST_F(KvtidlRoad, MakeFileProjectBuildsAndRebuildsWhatChanged)
{
    ASSERT_EQ(Host(String("project new Bank.mak\n") + kBuild), 0) << err;
    EXPECT_EQ(Compiled(), 2) << out;
    for (const char* f : {"bank_c.hh", "bank_c.cc", "bank_s.hh", "bank_s.cc", "teller_c.hh", "teller_c.cpp",
                          "teller_s.hh", "teller_s.cpp"})
        EXPECT_TRUE(FileExists(dir + f)) << f;
    EXPECT_EQ(ReadFileBytes(dir + "Bank.mak"), kMakeGolden);

    // the generated sources compile against the ORB's headers
    for (const char* f : {"bank_c.cc", "bank_s.cc", "teller_c.cpp", "teller_s.cpp"}) {
        TConsoleProcess gxx;
        gxx.ApplicationName = "g++";
        gxx.CommandLine = "g++ -std=c++17 -fsyntax-only -I " + dir + " " + dir + f;
        gxx.Execute();
        EXPECT_EQ(gxx.ExitCode(), 0) << f << ": " << gxx.Errors().GetText();
    }

    // an untouched project compiles nothing
    ASSERT_EQ(Host("project open Bank.mak\nproject build\n"), 0) << err;
    EXPECT_EQ(Compiled(), 0) << out;
    EXPECT_EQ(ReadFileBytes(dir + "Bank.mak"), kMakeGolden);

    // the included file changed: both IDL files are compiled again
    std::filesystem::last_write_time(
        dir + "bank.idl", std::filesystem::last_write_time(dir + "teller_s.cpp") + std::chrono::seconds(2));
    ASSERT_EQ(Host("project open Bank.mak\nproject build\n"), 0) << err;
    EXPECT_EQ(Compiled(), 2) << out;
}

TEST_F(KvtidlRoad, RenamedModuleKeepsItsSwitches)
{
    ASSERT_EQ(Host(String("project new Bank.mak\n") + kBuild + "project rename teller.idl desk.idl\n"), 0)
        << err;
    ASSERT_EQ(Host("project open Bank.mak\nproject show\n"), 0) << err;
    EXPECT_NE(out.find("desk.idl  switches: -boa -src_suffix cpp"), String::npos) << out;
    const String mk = ReadFileBytes(dir + "Bank.mak");
    EXPECT_NE(mk.find("desk_s.cpp: desk.idl\r\n    $(KROTEX) $(IDLCFLAGS) $?\r\n"), String::npos) << mk;
    EXPECT_EQ(mk.find("teller_s.cpp: teller.idl"), String::npos) << mk;
    EXPECT_NE(mk.find("IDLFILES = bank.idl desk.idl\r\n"), String::npos) << mk;
}

// The IDL data of the XML project: the IDL files and what is generated from them as macros, per
// IDL file its generated sources and its root-directory switch, the generated units as C++ items
// and uses entries.
const char* const kXmlGolden =
    "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n"
    "<PROJECT>\n"
    "  <MACROS>\n"
    "    <MACRO name=\"IDLFILES\" value=\"bank.idl teller.idl\" />\n"
    "    <MACRO name=\"IDLGENFILES\" value=\"bank_s.cc bank_c.cc teller_s.cpp teller_c.cpp\" />\n"
    "    <MACRO name=\"IDLCFLAGS\" value=\"\" />\n"
    "  </MACROS>\n"
    "  <OPTIONS />\n"
    "  <OPTIONSETS />\n"
    "  <FILELIST>\n"
    "    <FILE FILENAME=\"bank.idl\">\n"
    "      <GENFILE FILENAME=\"bank_s.cc\" />\n"
    "      <GENFILE FILENAME=\"bank_c.cc\" />\n"
    "      <VALUE name=\"IDLROOTDIR\" value=\" -root_dir . \" />\n"
    "    </FILE>\n"
    "    <FILE FILENAME=\"teller.idl\">\n"
    "      <OPTIONSET name=\"krotex\">\n"
    "        <OPTION name=\"switches\" value=\"-boa -src_suffix cpp\" />\n"
    "      </OPTIONSET>\n"
    "      <GENFILE FILENAME=\"teller_s.cpp\" />\n"
    "      <GENFILE FILENAME=\"teller_c.cpp\" />\n"
    "      <VALUE name=\"IDLROOTDIR\" value=\" -root_dir . \" />\n"
    "    </FILE>\n"
    "    <FILE FILENAME=\"bank_c.cc\" COMPILER=\"CCompiler\" />\n"
    "    <FILE FILENAME=\"bank_s.cc\" COMPILER=\"CCompiler\" />\n"
    "    <FILE FILENAME=\"teller_c.cpp\" COMPILER=\"CCompiler\" />\n"
    "    <FILE FILENAME=\"teller_s.cpp\" COMPILER=\"CCompiler\" />\n"
    "  </FILELIST>\n"
    "  <USES>\n"
    "    <ENTRY FILENAME=\"bank_c.cc\" COMPILER=\"CCompiler\" KIND=\"3\" />\n"
    "    <ENTRY FILENAME=\"bank_s.cc\" COMPILER=\"CCompiler\" KIND=\"3\" />\n"
    "    <ENTRY FILENAME=\"teller_c.cpp\" COMPILER=\"CCompiler\" KIND=\"3\" />\n"
    "    <ENTRY FILENAME=\"teller_s.cpp\" COMPILER=\"CCompiler\" KIND=\"3\" />\n"
    "  </USES>\n"
    "</PROJECT>\n";

TEST_F(KvtidlRoad, XmlProjectKeepsTheIdlDataAndWhatItDoesNotKnow)
{
    ASSERT_EQ(Host(String("project new Bank.zproj\n") + kBuild), 0) << err;
    EXPECT_EQ(Compiled(), 2) << out;
    String xml = ReadFileBytes(dir + "Bank.zproj");
    EXPECT_EQ(xml, kXmlGolden);
    // an untouched build compiles nothing and leaves the project as it was
    ASSERT_EQ(Host("project open Bank.zproj\nproject build\n"), 0) << err;
    EXPECT_EQ(Compiled(), 0) << out;
    EXPECT_EQ(ReadFileBytes(dir + "Bank.zproj"), kXmlGolden);
    EXPECT_NE(xml.find("<MACRO name=\"IDLFILES\" value=\"bank.idl teller.idl\" />"), String::npos) << xml;
    EXPECT_NE(
        xml.find("<MACRO name=\"IDLGENFILES\" value=\"bank_s.cc bank_c.cc teller_s.cpp teller_c.cpp\" />"),
        String::npos)
        << xml;
    EXPECT_NE(xml.find("<FILE FILENAME=\"teller.idl\">\n"
                       "      <OPTIONSET name=\"krotex\">\n"
                       "        <OPTION name=\"switches\" value=\"-boa -src_suffix cpp\" />\n"
                       "      </OPTIONSET>\n"
                       "      <GENFILE FILENAME=\"teller_s.cpp\" />\n"
                       "      <GENFILE FILENAME=\"teller_c.cpp\" />\n"
                       "      <VALUE name=\"IDLROOTDIR\" value=\" -root_dir . \" />\n"
                       "    </FILE>"),
              String::npos)
        << xml;
    EXPECT_NE(xml.find("<ENTRY FILENAME=\"teller_c.cpp\" COMPILER=\"CCompiler\" KIND=\"3\" />"), String::npos)
        << xml;

    // what another tool wrote into the project survives the host's next save
    const auto at = xml.find("<FILE FILENAME=\"bank.idl\"");
    ASSERT_NE(at, String::npos);
    xml.insert(at + 6, "NOTE=\"kept\" ");
    xml.insert(xml.find("</PROJECT>"), "<DEPLOY target=\"x\"><STEP/></DEPLOY>\n");
    AtomicWriteFile(dir + "Bank.zproj", xml);
    ASSERT_EQ(Host("project open Bank.zproj\nproject rename bank.idl money.idl\n"), 0) << err;
    const String again = ReadFileBytes(dir + "Bank.zproj");
    EXPECT_NE(again.find("<FILE NOTE=\"kept\" FILENAME=\"money.idl\">"), String::npos) << again;
    EXPECT_NE(again.find("<DEPLOY target=\"x\">"), String::npos) << again;
    EXPECT_NE(again.find("<STEP />"), String::npos) << again;
}

TEST_F(KvtidlRoad, SyntaxErrorIsReportedWithFileAndLineAndFailsTheBuild)
{
    AtomicWriteFile(dir + "bad.idl", "module X {\n  interface Y {\n    void f(in long a)\n  };\n};\n");
    EXPECT_EQ(Host("project new Bad.mak\nproject add bad.idl\nproject build\n"), 1);
    // the place once, the user's file and line, then the compiler's words
    EXPECT_NE(out.find("error: " + dir + "bad.idl:4:1: Syntax error in interface body\n"), String::npos)
        << out;
    EXPECT_NE(err.find("The build failed"), String::npos) << err;
    EXPECT_FALSE(FileExists(dir + "bad_c.cc"));
}

// A file whose compile failed is not shown as compiled; the file before it is.
TEST_F(KvtidlRoad, AFailedFileIsNotShownAsCompiled)
{
    AtomicWriteFile(dir + "bad.idl", "module X {\n  interface Y {\n    void f(in long a)\n  };\n};\n");
    EXPECT_EQ(Host("project new Bad.mak\nproject add bank.idl bad.idl\nproject build\n"), 1);
    EXPECT_NE(out.find("compiled " + dir + "bank.idl\n"), String::npos) << out;
    EXPECT_EQ(out.find("compiled " + dir + "bad.idl"), String::npos) << out;
    EXPECT_NE(out.find("error: " + dir + "bad.idl:4:1: "), String::npos) << out;
}

// An IDL file in a folder with a blank: its names stand quoted, the rule's command names the
// folder with -root_dir and the IDL file instead of "$?".
const String kBlankGolden =
    MakeHead("\"idl files/bank.idl\" \"idl files/bank_c.cc\" \"idl files/bank_s.cc\"",
             "\"idl files/bank.idl\"", "\"idl files/bank_s.cc\" \"idl files/bank_c.cc\"") +
    "\"idl files/bank_s.cc\": \"idl files/bank.idl\"\r\n"
    "    $(KROTEX) $(IDLCFLAGS) -root_dir \"idl files/\" \"idl files/bank.idl\"\r\n"
    "\r\n"
    "\"idl files/bank_c.cc\": \"idl files/bank.idl\"\r\n"
    "    $(KROTEX) $(IDLCFLAGS) -root_dir \"idl files/\" \"idl files/bank.idl\"\r\n"
    "\r\n"
    "# Options of single files, kept by the IDE\r\n"
    "#@ \"idl files/bank_c.cc\" - compiler=CCompiler\r\n"
    "#@ \"idl files/bank_s.cc\" - compiler=CCompiler\r\n";

TEST_F(KvtidlRoad, IdlFileInAFolderWithABlank)
{
    ASSERT_TRUE(ForceDirectories(dir + "idl files"));
    AtomicWriteFile(dir + "idl files/bank.idl", kBankIdl);
    ASSERT_EQ(Host("project new Bank.mak\nproject add \"idl files/bank.idl\"\nproject build\n"), 0) << err;
    EXPECT_EQ(Compiled(), 1) << out;
    // beside the IDL file, where the rules and the project look for them
    for (const char* f : {"bank_c.hh", "bank_c.cc", "bank_s.hh", "bank_s.cc"})
        EXPECT_TRUE(FileExists(dir + "idl files/" + f)) << f;
    EXPECT_FALSE(FileExists(dir + "bank_c.cc"));
    EXPECT_EQ(ReadFileBytes(dir + "Bank.mak"), kBlankGolden);

    ASSERT_EQ(Host("project open Bank.mak\nproject build\n"), 0) << err;
    EXPECT_EQ(Compiled(), 0) << out;
    ASSERT_EQ(Host("project open Bank.mak\nproject remove \"idl files/bank.idl\"\nproject show\n"), 0) << err;
    EXPECT_EQ(out.find("bank_"), String::npos) << out;
}

TEST_F(KvtidlRoad, AFolderSwitchIsTakenAgainstTheProjectFolder)
{
    ASSERT_TRUE(ForceDirectories(dir + "idl"));
    AtomicWriteFile(dir + "idl/bank.idl", kBankIdl);
    ASSERT_EQ(Host("project new B.mak\nproject add idl/bank.idl\n"
                   "project switches idl/bank.idl \"-boa -root_dir gen\"\nproject build\nproject "
                   "build\nproject show\n"),
              0)
        << err;
    EXPECT_EQ(Compiled(), 1) << out;  // the second build finds everything in place
    EXPECT_TRUE(FileExists(dir + "gen/bank_s.cc"));
    EXPECT_TRUE(FileExists(dir + "gen/bank_c.hh"));
    EXPECT_NE(out.find("  gen/bank_c.cc  [CCompiler]\n  gen/bank_s.cc  [CCompiler]\n"), String::npos) << out;
}

TEST_F(KvtidlRoad, SourcesNoIdlFileListsAnyMoreLeaveTheProject)
{
    for (const char* project : {"S.mak", "S.zproj"}) {
        ASSERT_EQ(Host(String("project new ") + project + "\nproject add bank.idl\nproject build\n" +
                       "project switches bank.idl \"-boa -src_suffix cpp\"\nproject show\n"),
                  0)
            << err;
        EXPECT_EQ(out.find("bank_c.cc"), String::npos) << project << "\n" << out;
        EXPECT_EQ(ReadFileBytes(dir + project).find("bank_s.cc"), String::npos) << project;
        ASSERT_EQ(Host(String("project open ") + project + "\nproject build\nproject show\n"), 0) << err;
        EXPECT_NE(out.find("  bank_c.cpp  [CCompiler]\n  bank_s.cpp  [CCompiler]\n"), String::npos) << out;
    }
}

TEST_F(KvtidlRoad, AWarningIsAWarningAndTheBuildGoesOn)
{
    AtomicWriteFile(dir + "warn.idl",
                    "module W {\n  interface Later;\n  interface Now { void go(); };\n};\n");
    ASSERT_EQ(Host("project new W.mak\nproject add warn.idl\nproject build\nmessages\n"), 0) << err;
    const String line =
        "warning: " + dir + "warn.idl:2:1: Forward declared interface 'W::Later' was never fully defined\n";
    EXPECT_NE(out.find(line), String::npos) << out;
    EXPECT_EQ(out.find("error:"), String::npos) << out;
    EXPECT_NE(out.find("build done"), String::npos) << out;
    EXPECT_TRUE(FileExists(dir + "warn_c.cc"));
}

TEST_F(KvtidlRoad, ModuleCommandsOfTheIdlNode)
{
    ASSERT_EQ(Host("project new P.mak\nproject add bank.idl\nproject compile bank.idl\nproject show\n"), 0)
        << err;
    EXPECT_EQ(Compiled(), 0) << out;  // a node's compile reports no build progress
    EXPECT_TRUE(FileExists(dir + "bank_s.cc"));
    EXPECT_NE(out.find("  bank_s.cc  [CCompiler]"), String::npos) << out;
    // removing the IDL file removes its generated sources from the project
    ASSERT_EQ(Host("project open P.mak\nproject remove bank.idl\nproject show\n"), 0) << err;
    EXPECT_EQ(out.find("bank_s.cc"), String::npos) << out;
}

TEST_F(KvtidlRoad, MenuOpenAndOptionsOfThePackage)
{
    ASSERT_EQ(Host("menu\nfilters\nopen bank.idl\noptions CORBA.ShowProjectUpdates=true ok\n"), 0) << err;
    EXPECT_NE(out.find("  ToolsGalleryItem  \"&Repository...\"\n"
                       "  CORBAToolsSeparator1  \"-\"\n"
                       "  CORBAToolsSeparator2  \"-\"\n"
                       "  ToolsToolsItem  \"&Configure Tools...\"\n"),
              String::npos)
        << out;
    EXPECT_NE(out.find("  EditLockControlsItem  \"Loc&k Controls\"\n  CORBAEditSeparator  \"-\"\n"),
              String::npos)
        << out;
    EXPECT_NE(out.find("IDL File (*.idl)|*.idl\n"), String::npos) << out;
    EXPECT_NE(out.find("opened " + dir +
                       "bank.idl\n  module bank.idl, tab bank.idl, editable, source shown, modified\n"),
              String::npos)
        << out;
    EXPECT_NE(out.find("    [x] &Show updates  (CORBA.ShowProjectUpdates)\n"), String::npos) << out;
    EXPECT_NE(out.find("options saved"), String::npos) << out;

    // kept in the registry; a cancelled dialog changes nothing
    ASSERT_EQ(Host("options CORBA.ShowProjectUpdates=false CORBA.VerifyIDLIncludes=no cancel\noptions\n"), 0)
        << err;
    // the dialog shows the edits until it is closed
    EXPECT_NE(out.find("page CORBA (help 5954)\n"
                       "  [ Update object options ]\n"
                       "    [ ] &Show updates  (CORBA.ShowProjectUpdates)\n"
                       "  [ IDL file options ]\n"
                       "    [ ] &Verify IDL include files  (CORBA.VerifyIDLIncludes)\n"
                       "options cancelled\n"),
              String::npos)
        << out;
    const auto last = out.rfind("page CORBA");
    ASSERT_NE(last, String::npos) << out;
    EXPECT_EQ(out.substr(last), "page CORBA (help 5954)\n"
                                "  [ Update object options ]\n"
                                "    [x] &Show updates  (CORBA.ShowProjectUpdates)\n"
                                "  [ IDL file options ]\n"
                                "    [x] &Verify IDL include files  (CORBA.VerifyIDLIncludes)\n"
                                "options cancelled\n");
    ASSERT_EQ(Host("options CORBA.ShowProjectUpdates=false ok\nopen nothere.idl\n"), 1);
    EXPECT_NE(err.find("No file " + dir + "nothere.idl"), String::npos) << err;
}

}  // namespace

namespace {

TEST_F(KvtidlRoad, AHugeSwitchOrIdentifierIsAnErrorNotACrash)
{
    const String huge(60000, 'x');
    ASSERT_EQ(Host("project new Big.mak\nproject add bank.idl\nproject switches bank.idl \"-Z" + huge +
                   "\"\nproject build\n"),
              1);
    EXPECT_NE(out.find("krotex: unknown switch -Z" + huge + "\n"), String::npos) << out.substr(0, 500);
    EXPECT_NE(err.find("The build failed"), String::npos) << err;
    // the saved make file holds the switch: the next build says the same
    ASSERT_EQ(Host("project open Big.mak\nproject build\n"), 1);
    EXPECT_NE(out.find("krotex: unknown switch -Z" + huge + "\n"), String::npos) << out.substr(0, 500);

    // a forward declaration never defined: a warning naming the 60,000 characters
    AtomicWriteFile(dir + "fwd.idl", "interface " + huge + ";\ninterface B { void f(in long a); };\n");
    ASSERT_EQ(Host("project new Fwd.mak\nproject add fwd.idl\nproject build\n"), 0) << err.substr(0, 500);
    EXPECT_NE(out.find("warning: " + dir + "fwd.idl:1:1: Forward declared interface '" + huge +
                       "' was never fully defined\n"),
              String::npos)
        << out.substr(0, 500);
}

// Two IDL files, one including the other from inc/ through a relative include folder.
class KvtidlIncRoad : public KvtidlRoad {
protected:
    void SetUp() override
    {
        KvtidlRoad::SetUp();
        ASSERT_TRUE(ForceDirectories(dir + "inc"));
        AtomicWriteFile(dir + "inc/bank.idl", kBankIdl);
        std::filesystem::remove(dir + "bank.idl");
    }
    // The file's date, `seconds` after the file `than`'s.
    void Later(const String& file, const String& than, int seconds = 2)
    {
        std::filesystem::last_write_time(dir + file, std::filesystem::last_write_time(dir + than) +
                                                         std::chrono::seconds(seconds));
    }
    bool Saw(const String& what) const { return out.find(what) != String::npos; }
};

TEST_F(KvtidlIncRoad, AnEditedIncludeRecompilesWhatIncludesIt)
{
    ASSERT_EQ(Host("project new Bank.mak\nproject add inc/bank.idl teller.idl\n"
                   "project switches * \"-boa -I inc\"\nproject build\n"),
              0)
        << err << out;
    EXPECT_EQ(Compiled(), 2) << out;
    for (const char* f : {"inc/bank_c.cc", "inc/bank_s.cc", "teller_c.cc", "teller_s.cc"})
        EXPECT_TRUE(FileExists(dir + f)) << f;
    ASSERT_EQ(Host("project open Bank.mak\nproject build\n"), 0) << err;
    EXPECT_EQ(Compiled(), 0) << out;
    // the included file changed on disk: it and its includer
    Later("inc/bank.idl", "teller_s.cc");
    ASSERT_EQ(Host("project open Bank.mak\nproject build\n"), 0) << err;
    EXPECT_EQ(Compiled(), 2) << out;
    EXPECT_TRUE(Saw("compiled " + dir + "inc/bank.idl\n") && Saw("compiled " + dir + "teller.idl\n")) << out;
    // the includer alone changed: only it (the include's date from before its sources again: the
    // build above ran within the two seconds)
    Later("inc/bank.idl", "inc/bank_c.cc", -2);
    Later("teller.idl", "teller_s.cc");
    ASSERT_EQ(Host("project open Bank.mak\nproject build\n"), 0) << err;
    EXPECT_EQ(Compiled(), 1) << out;
    EXPECT_TRUE(Saw("compiled " + dir + "teller.idl\n")) << out;
}

TEST_F(KvtidlIncRoad, AnUnsavedIncludeIsCompiledFromItsEditor)
{
    ASSERT_EQ(Host("project new Bank.mak\nproject add inc/bank.idl teller.idl\n"
                   "project switches * \"-boa -I inc\"\nproject build\n"),
              0)
        << err << out;
    ASSERT_EQ(Compiled(), 2) << out;
    const String edited = String(kBankIdl) + "module Extra { interface Added { void go(); }; };\n";
    AtomicWriteFile(dir + "edited.txt", edited);
    ASSERT_EQ(Host("project open Bank.mak\nedit inc/bank.idl edited.txt\nproject build\n"), 0) << err << out;
    EXPECT_EQ(Compiled(), 2) << out;
    EXPECT_NE(ReadFileBytes(dir + "inc/bank_c.hh").find("Added"), String::npos);
    // the includer saw the editor's text too, and the disk still holds what was saved
    EXPECT_NE(ReadFileBytes(dir + "teller_c.hh").find("Teller"), String::npos);
    EXPECT_EQ(ReadFileBytes(dir + "inc/bank.idl"), kBankIdl);
    EXPECT_FALSE(DirectoryExists(dir + "TempGen")) << out;
    EXPECT_FALSE(DirectoryExists(dir + "inc/TempGen")) << out;
    // an editor with an error: the message names the user's file
    AtomicWriteFile(dir + "broken.txt", "module X {\n  interface Y {\n    void f(in long a)\n  };\n};\n");
    ASSERT_EQ(Host("project open Bank.mak\nedit inc/bank.idl broken.txt\nproject build\n"), 1) << out;
    EXPECT_NE(out.find("error: " + dir + "inc/bank.idl:4:1: Syntax error in interface body\n"), String::npos)
        << out;
}

// The includer is compiled from its copy beside the unsaved include: an error in the include
// names the user's file and line, not the copy.
TEST_F(KvtidlIncRoad, AnErrorInAnUnsavedIncludeNamesTheUsersFile)
{
    AtomicWriteFile(dir + "broken.txt",
                    "module Bank {\n  interface Account {\n    long balance()\n  };\n};\n");
    ASSERT_EQ(Host("project new Teller.mak\nproject add teller.idl\nproject switches * \"-boa -I inc\"\n"
                   "edit inc/bank.idl broken.txt\nproject build\n"),
              1)
        << out;
    EXPECT_NE(out.find("error: " + dir + "inc/bank.idl:4:1: Syntax error in interface body\n"), String::npos)
        << out;
    EXPECT_EQ(out.find("TempGen"), String::npos) << out;
    EXPECT_FALSE(DirectoryExists(dir + "TempGen")) << out;
}

// Adding an IDL file runs the add-IDL-files transaction: what it includes and the project does
// not hold is told (unless the switches generate the include files' code).
TEST_F(KvtidlIncRoad, AddingAnIdlFileTellsTheIncludesTheProjectLacks)
{
    ASSERT_EQ(Host("project new T.mak\nproject switches * \"-boa -I inc\"\nproject add teller.idl\n"), 0)
        << err;
    EXPECT_NE(out.find("included, not in the project: " + dir + "inc/bank.idl\n"), String::npos) << out;
    ASSERT_EQ(Host("project open T.mak\nproject add inc/bank.idl\n"), 0) << err;
    EXPECT_EQ(out.find("included, not in the project"), String::npos) << out;
    ASSERT_EQ(Host("project new U.mak\nproject switches * \"-boa -incl_files_code -I inc\"\n"
                   "project add teller.idl\n"),
              0)
        << err;
    EXPECT_EQ(out.find("included, not in the project"), String::npos) << out;
}

TEST_F(KvtidlIncRoad, GeneratedFilesInTheRootFolderAreTheProjectsAndUpToDate)
{
    ASSERT_EQ(Host("project new Bank.mak\nproject add inc/bank.idl teller.idl\n"
                   "project switches * \"-boa -I inc\"\nproject set krotex rootdir gen\nproject build\n"
                   "project show\n"),
              0)
        << err << out;
    EXPECT_EQ(Compiled(), 2) << out;
    for (const char* f :
         {"gen/bank_c.cc", "gen/bank_c.hh", "gen/bank_s.cc", "gen/teller_c.cc", "gen/teller_s.cc"})
        EXPECT_TRUE(FileExists(dir + f)) << f;
    EXPECT_FALSE(FileExists(dir + "teller_c.cc"));
    for (const char* unit : {"  gen/bank_c.cc  [CCompiler]\n", "  gen/bank_s.cc  [CCompiler]\n",
                             "  gen/teller_c.cc  [CCompiler]\n", "  gen/teller_s.cc  [CCompiler]\n"})
        EXPECT_TRUE(Saw(unit)) << unit << out;
    const String mk = ReadFileBytes(dir + "Bank.mak");
    EXPECT_NE(mk.find("IDLGENFILES = gen/bank_s.cc gen/bank_c.cc gen/teller_s.cc gen/teller_c.cc\r\n"),
              String::npos)
        << mk;
    EXPECT_NE(mk.find("gen/teller_s.cc: teller.idl\r\n"), String::npos) << mk;
    ASSERT_EQ(Host("project open Bank.mak\nproject build\n"), 0) << err;
    EXPECT_EQ(Compiled(), 0) << out;
    EXPECT_EQ(ReadFileBytes(dir + "Bank.mak"), mk);
}

TEST_F(KvtidlRoad, GeneratedClientAndServerMakeOneCallOverTheOrb)
{
    AtomicWriteFile(dir + "shop.idl", kShopIdl);
    ASSERT_EQ(
        Host("project new Shop.mak\nproject add shop.idl\nproject set krotex rootdir gen\nproject build\n"),
        0)
        << err << out;
    BuildAndCallOverTheOrb(dir);
}

}  // namespace

namespace {

// A build stopped while the compiler runs: what the compiler said before is shown, no scratch
// folder stays, the host's session ends. The omniidl under krotex here warns, then stops this
// process (krotex's parent) and waits to be stopped itself.
TEST_F(KvtidlRoad, AStoppedBuildShowsWhatCameAndLeavesNoScratchFolder)
{
    ASSERT_TRUE(ForceDirectories(dir + "bin") && ForceDirectories(dir + "tmp"));
    AtomicWriteFile(dir + "bin/omniidl", "#!/bin/sh\n"
                                         "echo 'bank.idl:1: Warning: early bird' >&2\n"
                                         "kill -TERM $(ps -o ppid= -p $PPID)\n"
                                         "exec sleep 30\n");
    std::filesystem::permissions(dir + "bin/omniidl", std::filesystem::perms::owner_all);
    setenv("PATH", (dir + "bin:" + getenv("PATH")).c_str(), 1);
    setenv("TMPDIR", (dir + "tmp").c_str(), 1);
    InstallInterruptHandlers();
    EXPECT_EQ(Host("project new Bank.mak\nproject add bank.idl\nproject build\nproject show\n"), 1);
    ClearInterrupt();
    EXPECT_NE(out.find("warning: bank.idl:1:1: early bird\n"), String::npos) << out;
    EXPECT_NE(err.find("Interrupted"), String::npos) << err;
    EXPECT_EQ(out.find("project " + dir), String::npos) << out;  // no command after the stop
    EXPECT_FALSE(DirectoryExists(dir + "TempGen"));
    EXPECT_TRUE(std::filesystem::is_empty(dir + "tmp"));
}

}  // namespace

namespace {

// The CORBA options of the project reach the package's project options: 0/1 and the words,
// kept with the project; another value is refused and changes nothing.
TEST_F(KvtidlRoad, CorbaProjectOptionsTakeIntegersAndWords)
{
    ASSERT_EQ(
        Host("project new O.mak\nproject option AddServerUnit 0\nproject option precompiledheaders No\n"), 0)
        << err;
    String mk = ReadFileBytes(dir + "O.mak");
    EXPECT_NE(mk.find("#@ \"*\" CORBA AddServerUnit=False\r\n"), String::npos) << mk;
    EXPECT_NE(mk.find("#@ \"*\" CORBA AddClientUnit=True\r\n"), String::npos) << mk;
    EXPECT_NE(mk.find("#@ \"*\" CORBA PrecompiledHeaders=False\r\n"), String::npos) << mk;
    EXPECT_EQ(Host("project open O.mak\nproject option AddClientUnit 2\n"), 1);
    EXPECT_NE(err.find("The project option AddClientUnit takes True or False"), String::npos) << err;
    ASSERT_EQ(Host("project open O.mak\nproject option AddServerUnit 1\n"), 0) << err;
    mk = ReadFileBytes(dir + "O.mak");
    EXPECT_NE(mk.find("#@ \"*\" CORBA AddServerUnit=True\r\n"), String::npos) << mk;
    EXPECT_NE(mk.find("#@ \"*\" CORBA AddClientUnit=True\r\n"), String::npos) << mk;
    EXPECT_EQ(mk.find("ADDSERVERUNIT"), String::npos) << mk;
}

}  // namespace

namespace {

// The CORBA wizards ask a project without an IDL file for one: the user answers the box Yes and
// picks the files, which open.
TEST_F(KvtidlRoad, AnsweringYesToTheIdlFileQuestionOpensTheFilesChosen)
{
    ASSERT_EQ(Host("project new W.mak\nanswer box=no open.files=bank.idl;teller.idl\nrun CORBAUseObject\n"
                   "answer box=yes\nrun CORBAUseObject\n"),
              0)
        << err;
    const auto yes = out.rfind("executed CORBAUseObject");
    const auto no = out.find("executed CORBAUseObject");
    ASSERT_NE(no, yes) << out;
    EXPECT_EQ(out.substr(0, no).find("opened "), String::npos) << "No opens nothing: " << out;
    EXPECT_NE(out.find("opened " + dir + "bank.idl\nopened " + dir + "teller.idl\nexecuted CORBAUseObject"),
              String::npos)
        << out;
}

}  // namespace

namespace {

// The project-options dialog's IDL page shows the project's IDL switches; OK keeps the edits
// with the project, which a new session shows again; cancel changes nothing.
TEST_F(KvtidlRoad, TheIdlPageOfTheProjectOptionsKeepsItsSwitchesWithTheProject)
{
    ASSERT_EQ(
        Host("project new D.mak\nproject add bank.idl\n"
             "project options IDL.Boa=true IDL.IncludePath=inc IDL.genNoTie=Yes IDL.Additional=-keep ok\n"),
        0)
        << err;
    EXPECT_NE(out.find("page IDL\n"), String::npos) << out;
    EXPECT_NE(out.find("  [x] Boa  (IDL.Boa)\n"), String::npos) << out;
    EXPECT_NE(out.find("project options saved\nsaved " + dir + "D.mak\n"), String::npos) << out;
    String mk = ReadFileBytes(dir + "D.mak");
    EXPECT_NE(mk.find("IDLCFLAGS = -boa -Iinc -no_tie -keep\r\n"), String::npos) << mk;

    ASSERT_EQ(Host("project open D.mak\nproject options IDL.Boa=false IDL.IncludePath=x cancel\n"), 0) << err;
    // what the project holds, with the edits shown until the dialog closes
    EXPECT_NE(out.find("  ClientExt \"_c\"  (IDL.ClientExt)\n"), String::npos) << out;
    EXPECT_NE(out.find("  [x] GenNoTie  (IDL.GenNoTie)\n"), String::npos) << out;
    EXPECT_NE(out.find("  IncludePath \"x\"  (IDL.IncludePath)\n"), String::npos) << out;
    EXPECT_NE(out.find("  [ ] Boa  (IDL.Boa)\n"), String::npos) << out;
    // the switches the split leaves untyped, -boa among them; the Boa box written after it wins
    EXPECT_NE(out.find("  Additional \"-boa -keep\"  (IDL.Additional)\n"), String::npos) << out;
    EXPECT_NE(out.find("project options cancelled\n"), String::npos) << out;
    EXPECT_EQ(ReadFileBytes(dir + "D.mak"), mk) << "cancel changes nothing";

    ASSERT_EQ(Host("project open D.mak\nproject options\n"), 0) << err;
    EXPECT_NE(out.find("  [x] Boa  (IDL.Boa)\n"), String::npos) << out;
    EXPECT_NE(out.find("  IncludePath \"inc\"  (IDL.IncludePath)\n"), String::npos) << out;

    struct Bad {
        const char* answer;
        const char* error;
    };
    for (const Bad& b : {Bad{"IDL.Nothing=1", "The page IDL has no control Nothing"},
                         Bad{"IDL.Boa=maybe", "The check box IDL.Boa takes True or False, not maybe"},
                         Bad{"Linker.Map=1", "The project options have no page Linker"}}) {
        EXPECT_EQ(Host(String("project open D.mak\nproject options ") + b.answer + " ok\n"), 1) << b.answer;
        EXPECT_NE(err.find(b.error), String::npos) << err;
        EXPECT_EQ(ReadFileBytes(dir + "D.mak"), mk) << b.answer;
    }
}

}  // namespace

namespace {

// The class manager reads a unit's CORBA implementation classes through the package's helper:
// the interface from the skeleton base or the marker comment, the members, the method bodies.
TEST_F(KvtidlRoad, TheClassManagerKnowsTheCorbaImplementationClassesOfAUnit)
{
    AtomicWriteFile(dir + "AccountImpl.h", "#include \"bank_s.hh\"\n"
                                           "class AccountImpl : public _sk_Bank::_sk_Account {\n"
                                           "public:\n"
                                           "    void deposit(float amount);\n"
                                           "    void deposit(float amount, const char* memo);\n"
                                           "    float balance();\n"
                                           "};\n"
                                           "class DeskImpl /* Teller::Desk : CORBAIdlInterface */ {\n"
                                           "    void open();\n"
                                           "};\n");
    AtomicWriteFile(dir + "AccountImpl.cpp", "#include \"AccountImpl.h\"\n"
                                             "void AccountImpl::deposit(float a, const char* m)\n"
                                             "{\n"
                                             "  // later\n"
                                             "}\n"
                                             "void AccountImpl::deposit(float a)\n"
                                             "{}\n");
    ASSERT_EQ(Host("unitclasses AccountImpl.cpp\n"), 0) << err;
    EXPECT_NE(out.find("class AccountImpl  (line 2)  CORBA interface _sk_Bank::_sk_Account\n"
                       "  void deposit(float amount)  body at AccountImpl.cpp:6, empty\n"
                       "  void deposit(float amount, const char* memo)  body at AccountImpl.cpp:2\n"
                       "  float balance()\n"
                       "class DeskImpl  (line 8)  CORBA interface Teller::Desk\n"
                       "  void open()\n"),
              String::npos)
        << out;
    EXPECT_EQ(Host("unitclasses Nothing.cpp\n"), 1);
    EXPECT_NE(err.find("No file " + dir + "Nothing.cpp"), String::npos) << err;
}

}  // namespace

namespace {

// An XML project's "depend" entry of a generated file goes with the file when no IDL file lists
// it any more; the entries of other files, and its items' elements, stay.
TEST_F(KvtidlRoad, AGeneratedFileThatLeavesTakesItsDependEntryAlong)
{
    ASSERT_EQ(Host("project new X.zproj\nproject add bank.idl\nproject build\n"), 0) << err;
    String xml = ReadFileBytes(dir + "X.zproj");
    const auto list = xml.find("<FILELIST>");
    ASSERT_NE(list, String::npos) << xml;
    xml.insert(list + 10, "<DEPEND FILENAME=\"bank_c.cc\" /><depend FILENAME=\"other.h\" />"
                          "<DEPEND FILENAME=\"bank_s.cc\" />");
    AtomicWriteFile(dir + "X.zproj", xml);
    ASSERT_EQ(Host("project open X.zproj\nproject switches bank.idl \"-boa -src_suffix cpp\"\n"), 0) << err;
    const String again = ReadFileBytes(dir + "X.zproj");
    EXPECT_EQ(again.find("<DEPEND FILENAME=\"bank_c.cc\""), String::npos) << again;
    EXPECT_EQ(again.find("<DEPEND FILENAME=\"bank_s.cc\""), String::npos) << again;
    EXPECT_NE(again.find("<depend FILENAME=\"other.h\" />"), String::npos) << again;
    EXPECT_NE(again.find("<FILE FILENAME=\"bank.idl\">"), String::npos) << again;
    EXPECT_NE(again.find("<GENFILE FILENAME=\"bank_c.cpp\" />"), String::npos) << again;
}

}  // namespace

namespace {

// The CORBA wizards' templates are filled through the package's expert filter.
TEST_F(KvtidlRoad, AnIdlTemplateIsFilledThroughThePackagesExpertFilter)
{
    const String templates = dir + "templates/";
    ASSERT_TRUE(ForceDirectories(templates));
    AtomicWriteFile(templates + "impl.cpp",
                    "class $(ClassName)\n$IF(Tie)\n  : public tie\n$ELSE\n  : public skeleton\n$ENDIF\n\n");
    hostimpl::SetTemplateDirectory(templates);
    TScopeGuard reset([] { hostimpl::SetTemplateDirectory(""); });
    ASSERT_EQ(Host("idltemplate impl.cpp ClassName=AccountImpl Tie=true\n"
                   "idltemplate impl.cpp ClassName=DeskImpl Tie=false\n"),
              0)
        << err;
    EXPECT_NE(out.find("class AccountImpl\n  : public tie\nclass DeskImpl\n  : public skeleton\n"),
              String::npos)
        << out;
    EXPECT_EQ(Host("idltemplate missing.cpp\n"), 1);
    EXPECT_NE(err.find("missing.cpp"), String::npos) << err;
}

}  // namespace
