// A developer's day with each package, through the idehost program: every File>New item the
// package offers in one session, the project saved; a second session started from another
// working folder opens it, finds what was saved, adds one more item and builds or applies.
// The output folder is given relatively and absolutely.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "GalleryItems.h"
#include "OrbCall.h"
#include "testsupport/TestDir.h"
#include "IdeHostRun.h"
#include "rtl/Files.h"

namespace {

const char* const kBankIdl = "module Bank {\n"
                             "  interface Account {\n"
                             "    readonly attribute long balance;\n"
                             "    void deposit(in long amount);\n"
                             "  };\n"
                             "};\n";

struct TGolden {
    const char* File;  // relative to the output folder
    String Text;
};

struct TDay {
    const char* Name;
    const char* Load;
    const char* Answers;
    String First;  // the first session's commands after the load
    const char* Project;  // the project file, relative to the output folder
    const char* Second;  // the second session's commands after `project open` and `project show`
    std::vector<TGolden> Goldens;  // files after the first session, by hand
    std::vector<const char*> Expect;  // lines the second session prints
};

String NewItem(const char* category, const char* caption)
{
    return String(" new ") + category + " \"" + caption + "\"";
}

// Lines ended by CR LF, as the templates write them.
String Crlf(const char* text)
{
    String r;
    for (const char* c = text; *c; ++c) r += *c == '\n' ? String("\r\n") : String(1, *c);
    return r;
}

const String kZubItems = NewItem(kProjects, "ZUB Forms Application") + NewItem(kFiles, "Form") +
                         NewItem(kFiles, "Frame") + NewItem(kFiles, "Data Module") +
                         NewItem(kFiles, "Thread Object");

const char* const kZubGolden =
    "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n"
    "<PROJECT>\n"
    "  <MACROS />\n"
    "  <OPTIONS />\n"
    "  <OPTIONSETS>\n"
    "    <OPTIONSET name=\"project\">\n"
    "      <OPTION name=\"kind\" value=\"3\" />\n"
    "      <OPTION name=\"sources\" value=\"Project1.cpp\" />\n"
    "    </OPTIONSET>\n"
    "  </OPTIONSETS>\n"
    "  <FILELIST>\n"
    "    <FILE FILENAME=\"Project1.cpp\" />\n"
    "    <FILE FILENAME=\"Unit1.cpp\" COMPILER=\"CCompiler\">\n"
    "      <VALUE name=\"ANCESTOR\" value=\"Form\" />\n"
    "    </FILE>\n"
    "    <FILE FILENAME=\"Unit2.cpp\" COMPILER=\"CCompiler\">\n"
    "      <VALUE name=\"ANCESTOR\" value=\"Form\" />\n"
    "    </FILE>\n"
    "    <FILE FILENAME=\"Unit3.cpp\" COMPILER=\"CCompiler\">\n"
    "      <VALUE name=\"ANCESTOR\" value=\"Frame\" />\n"
    "    </FILE>\n"
    "    <FILE FILENAME=\"Unit4.cpp\" COMPILER=\"CCompiler\">\n"
    "      <VALUE name=\"ANCESTOR\" value=\"DataModule\" />\n"
    "    </FILE>\n"
    "    <FILE FILENAME=\"Unit5.cpp\" COMPILER=\"CCompiler\" />\n"
    "  </FILELIST>\n"
    "  <USES>\n"
    "    <ENTRY FILENAME=\"Unit1.cpp\" COMPILER=\"CCompiler\" KIND=\"0\" FORMNAME=\"Form1\" />\n"
    "    <ENTRY FILENAME=\"Unit2.cpp\" COMPILER=\"CCompiler\" KIND=\"0\" FORMNAME=\"Form2\" />\n"
    "    <ENTRY FILENAME=\"Unit3.cpp\" COMPILER=\"CCompiler\" KIND=\"0\" FORMNAME=\"Frame1\" />\n"
    "    <ENTRY FILENAME=\"Unit4.cpp\" COMPILER=\"CCompiler\" KIND=\"0\" FORMNAME=\"DataModule1\" />\n"
    "    <ENTRY FILENAME=\"Unit5.cpp\" COMPILER=\"CCompiler\" KIND=\"0\" />\n"
    "  </USES>\n"
    "</PROJECT>\n";

// The Bank project: its IDL file and a new one, every path relative to the make file.
const String kBankItems = " project new Bank.mak project add bank.idl" + NewItem(kFiles, "CORBA IDL File");

const char* const kBankGolden = "# Make file of the C++ project Bank, kept by the IDE.\n"
                                "PROJECT = Bank.exe\n"
                                "PROJECTFILES = bank.idl File1.idl\n"
                                "IDLFILES = bank.idl File1.idl\n"
                                "IDLGENFILES = bank_s.cc bank_c.cc File1_s.cc File1_c.cc\n"
                                "\n"
                                "\n"
                                "!if !$d(KROTEX)\n"
                                "KROTEX = krotex\n"
                                "!endif\n"
                                "\n"
                                "all: $(PROJECT)\n"
                                "\n"
                                "bank_s.cc: bank.idl\n"
                                "    $(KROTEX) $(IDLCFLAGS) $?\n"
                                "\n"
                                "bank_c.cc: bank.idl\n"
                                "    $(KROTEX) $(IDLCFLAGS) $?\n"
                                "\n"
                                "File1_s.cc: File1.idl\n"
                                "    $(KROTEX) $(IDLCFLAGS) $?\n"
                                "\n"
                                "File1_c.cc: File1.idl\n"
                                "    $(KROTEX) $(IDLCFLAGS) $?\n"
                                "\n";

// The Pascal web application with a form, a frame and a test unit: every unit named by its form's
// root, the session module too.
const char* const kShopPascalProject =
    "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n"
    "<PROJECT>\n"
    "  <MACROS />\n"
    "  <OPTIONS />\n"
    "  <OPTIONSETS>\n"
    "    <OPTIONSET name=\"project\">\n"
    "      <OPTION name=\"kind\" value=\"0\" />\n"
    "      <OPTION name=\"name\" value=\"Shop.pdr\" />\n"
    "      <OPTION name=\"personality\" value=\"Pendro.Personality\" />\n"
    "      <OPTION name=\"sources\" value=\"Shop.pdr\" />\n"
    "    </OPTIONSET>\n"
    "  </OPTIONSETS>\n"
    "  <FILELIST>\n"
    "    <FILE FILENAME=\"Shop.pdr\" />\n"
    "    <FILE FILENAME=\"Unit1.pas\">\n"
    "      <VALUE name=\"ANCESTOR\" value=\"TQZAppForm\" />\n"
    "    </FILE>\n"
    "    <FILE FILENAME=\"ServerController.pas\">\n"
    "      <VALUE name=\"ANCESTOR\" value=\"TQZServerControllerBase\" />\n"
    "    </FILE>\n"
    "    <FILE FILENAME=\"UserSessionUnit.pas\" />\n"
    "    <FILE FILENAME=\"Unit2.pas\">\n"
    "      <VALUE name=\"ANCESTOR\" value=\"TQZAppForm32\" />\n"
    "    </FILE>\n"
    "    <FILE FILENAME=\"Unit3.pas\">\n"
    "      <VALUE name=\"ANCESTOR\" value=\"TFrame\" />\n"
    "    </FILE>\n"
    "    <FILE FILENAME=\"Unit4.pas\" />\n"
    "  </FILELIST>\n"
    "  <USES>\n"
    "    <ENTRY FILENAME=\"Unit1.pas\" COMPILER=\"\" KIND=\"0\" FORMNAME=\"QZForm1\" />\n"
    "    <ENTRY FILENAME=\"ServerController.pas\" COMPILER=\"\" KIND=\"0\" FORMNAME=\"QZServerController\" "
    "/>\n"
    "    <ENTRY FILENAME=\"UserSessionUnit.pas\" COMPILER=\"\" KIND=\"0\" FORMNAME=\"UserSession\" />\n"
    "    <ENTRY FILENAME=\"Unit2.pas\" COMPILER=\"\" KIND=\"0\" FORMNAME=\"QZForm2\" />\n"
    "    <ENTRY FILENAME=\"Unit3.pas\" COMPILER=\"\" KIND=\"0\" FORMNAME=\"QZFrame3\" />\n"
    "    <ENTRY FILENAME=\"Unit4.pas\" COMPILER=\"\" KIND=\"0\" />\n"
    "  </USES>\n"
    "</PROJECT>\n";

const String kShopPascalSource =
    Crlf("program Shop;\n"
         "\n"
         "uses\n"
         "  Forms,\n"
         "  QZMain,\n"
         "  ServerController in 'ServerController.pas' {QZServerController: TQZServerController},\n"
         "  Unit1 in 'Unit1.pas' {QZForm1: TQZFormModuleBase},\n"
         "  UserSessionUnit in 'UserSessionUnit.pas' {UserSession},\n"
         "  Unit2 in 'Unit2.pas' {QZForm2: TQZAppForm32},\n"
         "  Unit3 in 'Unit3.pas' {QZFrame3: TFrame},\n"
         "  Unit4 in 'Unit4.pas';\n"
         "\n"
         "{$R *.res}\n"
         "\n"
         "begin\n"
         "  Application.Initialize;\n"
         "  Application.CreateForm(TFormQZMain, formQZMain);\n"
         "  Application.Run;\n"
         "end.\n");

// The test application and a test unit in it.
const char* const kTestsProject = "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n"
                                  "<PROJECT>\n"
                                  "  <MACROS />\n"
                                  "  <OPTIONS />\n"
                                  "  <OPTIONSETS>\n"
                                  "    <OPTIONSET name=\"project\">\n"
                                  "      <OPTION name=\"kind\" value=\"0\" />\n"
                                  "      <OPTION name=\"name\" value=\"Project1.pdr\" />\n"
                                  "      <OPTION name=\"personality\" value=\"Pendro.Personality\" />\n"
                                  "      <OPTION name=\"sources\" value=\"Project1.pdr\" />\n"
                                  "    </OPTIONSET>\n"
                                  "  </OPTIONSETS>\n"
                                  "  <FILELIST>\n"
                                  "    <FILE FILENAME=\"Project1.pdr\" />\n"
                                  "    <FILE FILENAME=\"Unit1.pas\" />\n"
                                  "    <FILE FILENAME=\"Unit2.pas\" />\n"
                                  "  </FILELIST>\n"
                                  "  <USES>\n"
                                  "    <ENTRY FILENAME=\"Unit1.pas\" COMPILER=\"\" KIND=\"0\" />\n"
                                  "    <ENTRY FILENAME=\"Unit2.pas\" COMPILER=\"\" KIND=\"0\" />\n"
                                  "  </USES>\n"
                                  "</PROJECT>\n";

const String kTestsSource = Crlf("program Project1;\n"
                                 "\n"
                                 "uses\n"
                                 "  Forms,\n"
                                 "  TestFramework,\n"
                                 "  GUITestRunner,\n"
                                 "  QZInit,\n"
                                 "  QZGlobal,\n"
                                 "  Unit1 in 'Unit1.pas',\n"
                                 "  Unit2 in 'Unit2.pas';\n"
                                 "\n"
                                 "{$R *.res}\n"
                                 "\n"
                                 "begin\n"
                                 "  GAppModeInit(Application);\n"
                                 "  TGUITestRunner.runRegisteredTests;\n"
                                 "end.\n");

// The C++ web application: one USEFORM a unit, the form file's root its name; the frame and the
// modules the server creates are only named.
const char* const kShopCppProject =
    "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n"
    "<PROJECT>\n"
    "  <MACROS />\n"
    "  <OPTIONS />\n"
    "  <OPTIONSETS>\n"
    "    <OPTIONSET name=\"project\">\n"
    "      <OPTION name=\"kind\" value=\"0\" />\n"
    "      <OPTION name=\"name\" value=\"Shop.cpp\" />\n"
    "      <OPTION name=\"sources\" value=\"Shop.cpp\" />\n"
    "    </OPTIONSET>\n"
    "  </OPTIONSETS>\n"
    "  <FILELIST>\n"
    "    <FILE FILENAME=\"Shop.cpp\" />\n"
    "    <FILE FILENAME=\"Unit1.cpp\" COMPILER=\"CCompiler\">\n"
    "      <VALUE name=\"ANCESTOR\" value=\"QZAppForm\" />\n"
    "    </FILE>\n"
    "    <FILE FILENAME=\"ServerController.cpp\" COMPILER=\"CCompiler\">\n"
    "      <VALUE name=\"ANCESTOR\" value=\"TQZServerControllerBase\" />\n"
    "    </FILE>\n"
    "    <FILE FILENAME=\"UserSessionUnit.cpp\" COMPILER=\"CCompiler\" />\n"
    "    <FILE FILENAME=\"Unit2.cpp\" COMPILER=\"CCompiler\">\n"
    "      <VALUE name=\"ANCESTOR\" value=\"QZAppForm32\" />\n"
    "    </FILE>\n"
    "    <FILE FILENAME=\"Unit3.cpp\" COMPILER=\"CCompiler\">\n"
    "      <VALUE name=\"ANCESTOR\" value=\"TFrame\" />\n"
    "    </FILE>\n"
    "  </FILELIST>\n"
    "  <USES>\n"
    "    <ENTRY FILENAME=\"Unit1.cpp\" COMPILER=\"CCompiler\" KIND=\"0\" FORMNAME=\"QZForm1\" />\n"
    "    <ENTRY FILENAME=\"ServerController.cpp\" COMPILER=\"CCompiler\" KIND=\"0\" "
    "FORMNAME=\"QZServerController\" />\n"
    "    <ENTRY FILENAME=\"UserSessionUnit.cpp\" COMPILER=\"CCompiler\" KIND=\"0\" FORMNAME=\"UserSession\" "
    "/>\n"
    "    <ENTRY FILENAME=\"Unit2.cpp\" COMPILER=\"CCompiler\" KIND=\"0\" FORMNAME=\"QZForm2\" />\n"
    "    <ENTRY FILENAME=\"Unit3.cpp\" COMPILER=\"CCompiler\" KIND=\"0\" FORMNAME=\"QZFrame3\" />\n"
    "  </USES>\n"
    "</PROJECT>\n";

const String kShopCppSource =
    Crlf("//---------------------------------------------------------------------------\n"
         "#include <zub.h>\n"
         "#pragma hdrstop\n"
         "USERES(\"Shop.res\");\n"
         "USEFORM(\"Unit1.cpp\", QZForm1);\n"
         "USEFORM(\"ServerController.cpp\", QZServerController);\n"
         "USEFORM(\"UserSessionUnit.cpp\", UserSession);\n"
         "USEFORM(\"Unit2.cpp\", QZForm2);\n"
         "USEFORM(\"Unit3.cpp\", QZFrame3);\n"
         "//---------------------------------------------------------------------------\n"
         "WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)\n"
         "{\n"
         "  try\n"
         "  {\n"
         "    Forms::Application->Initialize();\n"
         "    Forms::Application->CreateForm(__classid(TFormQZMain), &FormQZMain);\n"
         "    Forms::Application->CreateForm(__classid(TQZForm2), &QZForm2);\n"
         "    Forms::Application->Run();\n"
         "  }\n"
         "  catch (Exception &exception)\n"
         "  {\n"
         "  }\n"
         "  return 0;\n"
         "}\n"
         "//---------------------------------------------------------------------------\n");

// With all seven packages loaded: the ZUB project holds the IDL files and their generated sources.
const char* const kAllSevenProject =
    "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n"
    "<PROJECT>\n"
    "  <MACROS>\n"
    "    <MACRO name=\"IDLFILES\" value=\"File1.idl bank.idl\" />\n"
    "    <MACRO name=\"IDLGENFILES\" value=\"File1_s.cc File1_c.cc bank_s.cc bank_c.cc\" />\n"
    "    <MACRO name=\"IDLCFLAGS\" value=\"\" />\n"
    "  </MACROS>\n"
    "  <OPTIONS />\n"
    "  <OPTIONSETS>\n"
    "    <OPTIONSET name=\"coclasses\">\n"
    "      <OPTION name=\"Orders\" value=\"OrdersImpl1.cpp\" />\n"
    "    </OPTIONSET>\n"
    "    <OPTIONSET name=\"project\">\n"
    "      <OPTION name=\"kind\" value=\"3\" />\n"
    "      <OPTION name=\"sources\" value=\"Project1.cpp\" />\n"
    "    </OPTIONSET>\n"
    "  </OPTIONSETS>\n"
    "  <FILELIST>\n"
    "    <FILE FILENAME=\"Project1.cpp\" />\n"
    "    <FILE FILENAME=\"Unit1.cpp\" COMPILER=\"CCompiler\">\n"
    "      <VALUE name=\"ANCESTOR\" value=\"Form\" />\n"
    "    </FILE>\n"
    "    <FILE FILENAME=\"Unit2.cpp\" COMPILER=\"CCompiler\">\n"
    "      <VALUE name=\"ANCESTOR\" value=\"Form\" />\n"
    "    </FILE>\n"
    "    <FILE FILENAME=\"Unit3.cpp\" COMPILER=\"CCompiler\">\n"
    "      <VALUE name=\"ANCESTOR\" value=\"Frame\" />\n"
    "    </FILE>\n"
    "    <FILE FILENAME=\"Unit4.cpp\" COMPILER=\"CCompiler\">\n"
    "      <VALUE name=\"ANCESTOR\" value=\"DataModule\" />\n"
    "    </FILE>\n"
    "    <FILE FILENAME=\"Unit5.cpp\" COMPILER=\"CCompiler\" />\n"
    "    <FILE FILENAME=\"File1.idl\">\n"
    "      <GENFILE FILENAME=\"File1_s.cc\" />\n"
    "      <GENFILE FILENAME=\"File1_c.cc\" />\n"
    "      <VALUE name=\"IDLROOTDIR\" value=\" -root_dir . \" />\n"
    "    </FILE>\n"
    "    <FILE FILENAME=\"bank.idl\">\n"
    "      <GENFILE FILENAME=\"bank_s.cc\" />\n"
    "      <GENFILE FILENAME=\"bank_c.cc\" />\n"
    "      <VALUE name=\"IDLROOTDIR\" value=\" -root_dir . \" />\n"
    "    </FILE>\n"
    "    <FILE FILENAME=\"Project1.tlb\" />\n"
    "    <FILE FILENAME=\"OrdersImpl1.cpp\" COMPILER=\"CCompiler\" />\n"
    "    <FILE FILENAME=\"Project1_ATL.cpp\" COMPILER=\"CCompiler\" />\n"
    "  </FILELIST>\n"
    "  <USES>\n"
    "    <ENTRY FILENAME=\"Unit1.cpp\" COMPILER=\"CCompiler\" KIND=\"0\" FORMNAME=\"Form1\" />\n"
    "    <ENTRY FILENAME=\"Unit2.cpp\" COMPILER=\"CCompiler\" KIND=\"0\" FORMNAME=\"Form2\" />\n"
    "    <ENTRY FILENAME=\"Unit3.cpp\" COMPILER=\"CCompiler\" KIND=\"0\" FORMNAME=\"Frame1\" />\n"
    "    <ENTRY FILENAME=\"Unit4.cpp\" COMPILER=\"CCompiler\" KIND=\"0\" FORMNAME=\"DataModule1\" />\n"
    "    <ENTRY FILENAME=\"Unit5.cpp\" COMPILER=\"CCompiler\" KIND=\"0\" />\n"
    "    <ENTRY FILENAME=\"OrdersImpl1.cpp\" COMPILER=\"CCompiler\" KIND=\"0\" />\n"
    "    <ENTRY FILENAME=\"Project1_ATL.cpp\" COMPILER=\"CCompiler\" KIND=\"0\" />\n"
    "  </USES>\n"
    "</PROJECT>\n";

const String kAllSeven = "KVTWEKIDE100 KVTPRO100 Brannow100 KVTIDL100 kvtcompro100 kvtcoment100 nimdes";

const TDay kDays[] = {
    {"KVTWEKIDE100",
     "KVTWEKIDE100",
     "thread.class=TMyThread\n",
     kZubItems,
     "Project1.zproj",
     " new Quistor.Tolvane.NewFiles Form project show",
     {{"Project1.zproj", kZubGolden}},
     {"  Unit6.cpp  [CCompiler]", "wrote %OUT%Unit6.zfm"}},
    // a reopened web application offers its form and frame items again
    {"nimdes_Pascal",
     "nimdes",
     kNimbrelAnswers,
     NewItem(kNimbrel, "Nimbrel Application Wizard") + NewItem(kNimbrel, "New Form") +
         NewItem(kNimbrel, "New Frame") + NewItem(kNimbrel, "New Nimbrel Test"),
     "Shop/Shop.zproj",
     " gallery new Pelmor.QZApplicationWizard \"New Form\" new Pelmor.QZApplicationWizard \"New Frame\" "
     "project show",
     {{"Shop/Shop.zproj", kShopPascalProject}, {"Shop/Shop.pdr", kShopPascalSource}},
     {"    - New Form  [Pelmor.QZUnitWizard, icon QZ_FORM_ICON (32x32), kind 2]",
      "    - New Frame  [Pelmor.QZFrameWizard, icon QZ_FORM_ICON (32x32), kind 3]", "  Unit5.pas",
      "  Unit6.pas", "wrote %OUT%Shop/Unit6.zfm"}},
    {"nimdes_Tests",
     "nimdes",
     "",
     NewItem(kNimbrel, "Nimbrel Test Application") + NewItem(kNimbrel, "New Nimbrel Test"),
     "Quistor Studio Projects/Project1.zproj",
     " new Pelmor.QZApplicationWizard \"New Nimbrel Test\" project show",
     {{"Quistor Studio Projects/Project1.zproj", kTestsProject},
      {"Quistor Studio Projects/Project1.pdr", kTestsSource}},
     {"  Unit3.pas"}},
    {"nimdes_Cpp",
     "nimdes",
     kNimbrelAnswers,
     NewItem(kNimbrelCpp, "Nimbrel Application Wizard") + NewItem(kNimbrelCpp, "New Form") +
         NewItem(kNimbrelCpp, "New Frame"),
     "Shop/Shop.zproj",
     " gallery new Pelmor.QZApplicationWizard_KVT \"New Form\" new Pelmor.QZApplicationWizard_KVT "
     "\"New Frame\" project show",
     {{"Shop/Shop.zproj", kShopCppProject}, {"Shop/Shop.cpp", kShopCppSource}},
     {"    - New Form  [Pelmor.QZUnitWizard_KVT, icon QZ_FORM_ICON (32x32), kind 7]",
      "    - New Frame  [Pelmor.QZFrameWizard_KVT, icon QZ_FORM_ICON (32x32), kind 8]",
      "  Unit4.cpp  [CCompiler]", "  Unit5.cpp  [CCompiler]", "wrote %OUT%Shop/Unit5.zfm"}},
    // the make file's paths are the project's, whatever folder the build runs from
    {"KVTIDL100",
     "KVTIDL100",
     "",
     kBankItems,
     "Bank.mak",
     " project build",
     {{"Bank.mak", Crlf(kBankGolden)}},
     {"compiled %OUT%bank.idl", "compiled %OUT%File1.idl", "build done"}},
    // the class explorer's package lists the to-do items of the reopened project's files
    {"KVTPRO100",
     "KVTWEKIDE100 KVTPRO100",
     "thread.class=TMyThread\n",
     kZubItems,
     "Project1.zproj",
     " new Quistor.Tolvane.NewFiles Form todo",
     {{"Project1.zproj", kZubGolden}},
     {"to-do list: 0 items in 7 files"}},
    // the browser finds the generated header of the reopened project's IDL file
    {"Brannow100",
     "KVTIDL100 Brannow100",
     "",
     kBankItems,
     "Bank.mak",
     " project build browse bank.idl",
     {{"Bank.mak", Crlf(kBankGolden)}},
     {"file %OUT%bank_c.hh", "module Bank", "  interface Account  skeleton _sk_Bank::_sk_Account"}},
    // every package's items in one project; the COM object's library is saved with the project
    // and its unit follows an edit of the library next session
    {"AllSeven",
     kAllSeven.c_str(),
     "thread.class=TMyThread\ncom.coclass=Orders\n",
     kZubItems + NewItem(kFiles, "CORBA IDL File") + " project add bank.idl" +
         NewItem("Quistor.Tolvane.ActiveX", "COM Object"),
     "Project1.zproj",
     " new Quistor.Tolvane.NewFiles Form project show project build browse bank.idl todo typelib edit "
     "typelib method IOrders Ship long:Count typelib apply",
     {{"Project1.zproj", kAllSevenProject}},
     {"  Unit6.cpp  [CCompiler]", "compiled %OUT%bank.idl", "build done", "module Bank",
      "to-do list: 0 items in 16 files", "updated %OUT%OrdersImpl1.cpp"}},
};

TIdeHostRun RunIdeHost(const String& commandLine, const String& cwd)
{
    return ::RunIdeHost(IDEHOST, commandLine, cwd);
}

// The first `project show` listing of a session's output.
String Listing(const String& out, std::size_t from = 0)
{
    const std::size_t b = out.find("project /", from);
    if (b == String::npos) return "";
    std::size_t e = out.find('\n', b);
    while (e != String::npos && e + 2 < out.size() && out.compare(e + 1, 2, "  ") == 0)
        e = out.find('\n', e + 1);
    return out.substr(b, e == String::npos ? String::npos : e + 1 - b);
}

struct TDayRun {
    const TDay* Day;
    bool Relative;
};

void PrintTo(const TDayRun& r, std::ostream* os)
{
    *os << r.Day->Name << (r.Relative ? " relative" : " absolute");
}

class package_ProjectDay : public ::testing::TestWithParam<TDayRun> {};

TEST_P(package_ProjectDay, SavedProjectIsTheOneOpenedNextSession)
{
    const TDay& d = *GetParam().Day;
    const bool relative = GetParam().Relative;
    const String base = FreshDir(ScratchDir() + "project_day_" + d.Name + (relative ? "_rel" : "_abs"));
    const String out = FreshDir(base + "out"), one = FreshDir(base + "one"), two = FreshDir(base + "two");
    AtomicWriteFile(out + "bank.idl", kBankIdl);
    String common = "--packages " + String(PACKAGE_DIR);
    if (*d.Answers) {
        AtomicWriteFile(base + "answers.txt", d.Answers);
        common += " --answers " + base + "answers.txt";
    }
    // relative: the first session runs beside the output folder, the second from a sibling folder
    const String dir1 = relative ? String("out") : out, dir2 = relative ? String("../out") : out;
    const TIdeHostRun first =
        RunIdeHost(common + " --dir " + dir1 + " load " + d.Load + d.First + " project show project save",
                   relative ? base : one);
    ASSERT_EQ(first.Status, 0) << first.Err << first.Out;
    const String listing = Listing(first.Out);
    ASSERT_NE(listing, "") << first.Out;
    EXPECT_EQ(listing.substr(0, listing.find('\n')), "project " + out + d.Project);
    for (const TGolden& g : d.Goldens) EXPECT_EQ(ReadFileBytes(out + g.File), g.Text) << g.File;

    const String project =
        String(d.Project).find(' ') == String::npos ? String(d.Project) : "\"" + String(d.Project) + "\"";
    const TIdeHostRun second = RunIdeHost(common + " --dir " + dir2 + " load " + d.Load + " project open " +
                                              project + " project show" + d.Second,
                                          two);
    ASSERT_EQ(second.Status, 0) << second.Err << second.Out;
    EXPECT_EQ(Listing(second.Out), listing) << second.Out;
    for (String line : d.Expect) {
        if (line.find("%OUT%") != String::npos) line.replace(line.find("%OUT%"), 5, out);
        EXPECT_NE(second.Out.find(line + "\n"), String::npos) << line << "\n" << second.Out;
    }
    EXPECT_EQ(FilesBelow(one), std::vector<String>{});
    EXPECT_EQ(FilesBelow(two), std::vector<String>{});
}

std::vector<TDayRun> AllRuns()
{
    std::vector<TDayRun> r;
    for (const TDay& d : kDays)
        for (bool rel : {false, true}) r.push_back({&d, rel});
    return r;
}

INSTANTIATE_TEST_SUITE_P(Packages, package_ProjectDay, ::testing::ValuesIn(AllRuns()), [](const auto& info) {
    return String(info.param.Day->Name) + (info.param.Relative ? "_relative" : "_absolute");
});

// The IDL project reopened from another folder builds, and what it generated makes a server and a
// client that talk over the ORB.
TEST(package_ProjectDay, IdlProjectBuiltAfterTheReopenCallsOverTheOrb)
{
    const String base = FreshDir(ScratchDir() + "project_day_orb");
    const String out = FreshDir(base + "out"), two = FreshDir(base + "two");
    AtomicWriteFile(out + "shop.idl", kShopIdl);
    const String common = "--packages " + String(PACKAGE_DIR) + " --dir ";
    const TIdeHostRun first = RunIdeHost(
        common +
            "out load KVTIDL100 project new Shop.mak project add shop.idl project set krotex rootdir gen "
            "project save",
        base);
    ASSERT_EQ(first.Status, 0) << first.Err << first.Out;
    EXPECT_FALSE(std::filesystem::exists((out + "gen").c_str()));  // nothing built yet
    const TIdeHostRun second =
        RunIdeHost(common + "../out load KVTIDL100 project open Shop.mak project build", two);
    ASSERT_EQ(second.Status, 0) << second.Err << second.Out;
    EXPECT_NE(second.Out.find("compiled " + out + "shop.idl\n"), String::npos) << second.Out;
    BuildAndCallOverTheOrb(out);
    EXPECT_EQ(FilesBelow(two), std::vector<String>{});
}

}  // namespace
