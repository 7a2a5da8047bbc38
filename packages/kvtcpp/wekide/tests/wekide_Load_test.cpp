#include <gtest/gtest.h>

#include <dlfcn.h>
#include <sys/wait.h>

#include <cstdio>
#include <filesystem>

#include "Golden.h"
#include "PackageTestHost.h"
#include "host/Actions.h"
#include "hostimpl/HostImpl.h"
#include "hostimpl/PackageLoader.h"
#include "rtl/Files.h"
#include "rtl/Resources.h"

using namespace hostimpl;

namespace {

const char* const kPackage = "KVTWEKIDE100";

class wekide_Load : public PackageTestHost {
protected:
    wekide_Load() : PackageTestHost("wekide_load_", WEKIDE_PACKAGE_DIR) {}
    void SetUp() override
    {
        PackageTestHost::SetUp();
        LoadWithMainForm(kPackage);
    }
};

TEST_F(wekide_Load, CommandsExistOnceTheMainFormDoes)
{
    TComponent* app = IDEApplication();
    ASSERT_EQ(app->ComponentCount(), 1);
    TComponent* dm = app->Components(0);
    EXPECT_EQ(dm->Name(), "ZUBCommands");
    struct Want {
        const char *name, *caption, *hint;
        int help, image;
    };
    const Want want[] = {
        {"FileNewZUBApplicationCommand", "&Application", "New ZUB Application", 1180, 0},
        {"FileNewZubDAtaModuleCommand", "Data &Module", "New Data Module", 1008, 1},
        {"FileNewZubFrameCommand", "Fra&me", "New Frame", 1020, 2},
        {"FileNewZubFormCommand", "&Form", "New Form", 1007, 3},
    };
    auto* popup = dynamic_cast<TPopupMenu*>(dm->FindComponent("PopupMenu1"));
    ASSERT_NE(popup, nullptr);
    ASSERT_EQ(popup->Items()->Count(), 4);
    for (std::size_t i = 0; i < 4; ++i) {
        TAction* a = FindAction(app, want[i].name);
        ASSERT_NE(a, nullptr) << want[i].name;
        EXPECT_EQ(a->Caption, want[i].caption);
        EXPECT_EQ(a->Hint, want[i].hint);
        EXPECT_EQ(a->HelpContext, want[i].help);
        EXPECT_EQ(a->ImageIndex, want[i].image);
        EXPECT_EQ(a->Category, "File");
        EXPECT_NE(a->ActionList(), nullptr);
        // menu order: application, data module, frame, form; the item runs its action
        EXPECT_EQ(popup->Items()->Items(static_cast<int>(i))->Caption(), want[i].caption);
    }
    // firing again creates no second data module
    MainFormCreated().Fire(IDEApplication());
    EXPECT_EQ(app->ComponentCount(), 1);
}

TEST_F(wekide_Load, BusyTestsOfTheFourActions)
{
    // expected Enabled after Update, starting from the given state
    struct Case {
        TCompilerState compiler;
        bool before;
        bool app, dataModule, frame, form;
    };
    const Case cases[] = {
        {TCompilerState::None, true, true, true, false, false},  // A keeps its state, B off
        {TCompilerState::None, false, false, false, false, false},
        {TCompilerState::Idle, false, true, true, true, true},
        {TCompilerState::Busy, true, false, false, false, false},
    };
    const char* names[] = {"FileNewZUBApplicationCommand", "FileNewZubDAtaModuleCommand",
                           "FileNewZubFrameCommand", "FileNewZubFormCommand"};
    for (const auto& c : cases) {
        SetCompilerState(c.compiler);
        const bool want[] = {c.app, c.dataModule, c.frame, c.form};
        for (int i = 0; i < 4; ++i) {
            TAction* a = FindAction(IDEApplication(), names[i]);
            a->Enabled = c.before;
            a->Update();
            EXPECT_EQ(a->Enabled, want[i]) << names[i] << " compiler " << static_cast<int>(c.compiler);
        }
    }
}

TEST_F(wekide_Load, ActionsCreateUnits)
{
    SetCompilerState(TCompilerState::Idle);
    ASSERT_TRUE(FindAction(IDEApplication(), "FileNewZubFormCommand")->Execute());
    ASSERT_TRUE(FindAction(IDEApplication(), "FileNewZubDAtaModuleCommand")->Execute());
    auto files = ReceivedFiles();
    ASSERT_EQ(files.size(), 6u);
    EXPECT_EQ(files[0].FileName, dir + "Unit1.cpp");
    EXPECT_NE(files[1].Text.find("class TForm1 : public TForm"), String::npos);
    EXPECT_NE(files[4].Text.find("class TDataModule1 : public TDataModule"), String::npos);
    // a new application closes what is open first
    ASSERT_TRUE(FindAction(IDEApplication(), "FileNewZUBApplicationCommand")->Execute());
    EXPECT_EQ(MainProjectGroup()->ProjectCount(), 1);
    EXPECT_EQ(ActiveProject()->ModuleCount(), 1);
    SetCompilerState(TCompilerState::Busy);
    EXPECT_FALSE(FindAction(IDEApplication(), "FileNewZubFormCommand")->Execute());
    // the pop-up menu's form item runs the form action
    SetCompilerState(TCompilerState::Idle);
    FindAction(IDEApplication(), "FileNewZubFormCommand")->Update();  // as the host does when idle
    auto* popup = dynamic_cast<TPopupMenu*>(IDEApplication()->Components(0)->FindComponent("PopupMenu1"));
    ASSERT_NE(popup, nullptr);
    const std::size_t before = ReceivedFiles().size();
    popup->Items()->Items(3)->Click();
    // the form's three files, and the application's project source naming the form
    ASSERT_EQ(ReceivedFiles().size(), before + 4);
    EXPECT_EQ(ReceivedFiles().back().FileName, dir + "Project1.cpp");
}

TEST_F(wekide_Load, UnloadLeavesNothingBehind)
{
    EXPECT_EQ(ResourceCount(), 6);  // the template resource and the five gallery icons
    const String path = loader->LibraryPath(kPackage);
    loader->Unload(kPackage);  // raises if anything was left registered
    EXPECT_EQ(dlopen(path.c_str(), RTLD_NOW | RTLD_NOLOAD), nullptr);  // the library is closed
    EXPECT_EQ(ResourceCount(), 0);
    EXPECT_EQ(IDEApplication()->ComponentCount(), 0);
    EXPECT_EQ(GalleryHandlerCount(), 0);
    EXPECT_EQ(GalleryCategoryCount(), 0);
    EXPECT_EQ(GetFormCreator, &DefaultGetFormCreator);
    EXPECT_EQ(GetProjectCreator, &DefaultGetProjectCreator);
    EXPECT_EQ(MainFormCreated().Count(), 0);
    EXPECT_EQ(RegisteredClassCount(), 0);
    EXPECT_EQ(ProjFormTemplateClass(sCppPersonality), nullptr);
    // the host goes on working without the package
    MainFormCreated().Fire(IDEApplication());
    EXPECT_THROW(RunGalleryItem("Quistor.Tolvane.NewFiles", "Form"), EHostError);
    // and the package loads again
    LoadWithMainForm(kPackage);
    EXPECT_EQ(IDEApplication()->ComponentCount(), 1);
}

TEST_F(wekide_Load, CommandsDataModuleFreedElsewhereIsForgotten)
{
    delete IDEApplication()->Components(0);
    EXPECT_NO_THROW(loader->Unload(kPackage));
}

// --- idehost end to end ---

// A fresh, empty folder for one run.
String RunDir(const String& name) { return FreshDir(ScratchDir() + name); }

struct TRun {
    int status;
    String out;
};

TRun RunIdeHost(const String& args, const String& input = "")
{
    String cmd = String(WEKIDE_IDEHOST) + " --packages " + WEKIDE_PACKAGE_DIR + " " + args + " 2>&1";
    if (!input.empty()) {
        String in = ScratchDir() + "idehost_input.txt";
        AtomicWriteFile(in, input);
        cmd += " < " + in;
    } else {
        cmd += " < /dev/null";
    }
    FILE* p = popen(cmd.c_str(), "r");
    TRun r{-1, ""};
    if (!p) return r;
    char buf[4096];
    std::size_t n;
    while ((n = fread(buf, 1, sizeof buf, p)) > 0) r.out.append(buf, n);
    int st = pclose(p);
    r.status = WIFEXITED(st) ? WEXITSTATUS(st) : -1;
    return r;
}

TEST(wekide_IdeHost, NewFormWritesTheUnitFiles)
{
    String out = RunDir("idehost_form");
    auto r = RunIdeHost("load KVTWEKIDE100 new Quistor.Tolvane.NewFiles Form --dir " + out);
    ASSERT_EQ(r.status, 0) << r.out;
    const String dash = "//---------------------------------------------------------------------------";
    String cpp = ReadFileBytes(out + "Unit1.cpp");
    String h = ReadFileBytes(out + "Unit1.h");
    String zfm = ReadFileBytes(out + "Unit1.zfm");
    EXPECT_EQ(h.substr(0, dash.size() + 2 + 15), dash + "\r\n#ifndef Unit1H\r");
    EXPECT_NE(h.find("class TForm1 : public TForm\r\n"), String::npos);
    EXPECT_NE(h.find("extern PACKAGE TForm1 *Form1;\r\n"), String::npos);
    EXPECT_NE(cpp.find("#include \"Unit1.h\"\r\n" + dash + "\r\n"), String::npos);
    EXPECT_NE(cpp.find("__fastcall TForm1::TForm1(TComponent* Owner)\r\n\t: TForm(Owner)\r\n"), String::npos);
    EXPECT_EQ(zfm, "object Form1: TForm1\r\nend\r\n");
    EXPECT_NE(r.out.find("wrote " + out + "Unit1.zfm"), String::npos) << r.out;
}

TEST(wekide_IdeHost, ApplicationThenFormWritesAProjectThatCreatesBoth)
{
    String out = RunDir("idehost_app");
    auto r = RunIdeHost("--dir " + out +
                        " load KVTWEKIDE100 new Quistor.Tolvane.New \"ZUB Forms Application\" new "
                        "Quistor.Tolvane.NewFiles Form");
    ASSERT_EQ(r.status, 0) << r.out;
    EXPECT_EQ(ReadFileBytes(out + "Project1.cpp"), golden::CRLF(golden::ProjectSourceTwoForms));
    EXPECT_NE(ReadFileBytes(out + "Unit2.h").find("class TForm2 : public TForm\r\n"), String::npos);
    EXPECT_NE(ReadFileBytes(out + "Unit2.cpp").find("TForm2 *Form2;\r\n"), String::npos);
}

TEST(wekide_IdeHost, CommandsFromStandardInput)
{
    String out = RunDir("idehost_stdin");
    String answers = ScratchDir() + "idehost_answers.txt";
    AtomicWriteFile(answers, "# thread dialog\nthread.class=TWorker\nthread.name=Worker \"1\"\n");
    auto r = RunIdeHost("--answers " + answers + " --dir " + out + " load KVTWEKIDE100",
                        "gallery\nnew Quistor.Tolvane.NewFiles \"Thread Object\"\ncompiler idle\nrun "
                        "FileNewZubFrameCommand\n");
    ASSERT_EQ(r.status, 0) << r.out;
    // each item with its own icon from the package
    for (const char* item : {"- Thread Object  [NewKVTZubThread, icon NEWZUBTHREAD (32x32), kind 4]",
                             "- ZUB Forms Application  [NewKVTZubApp, icon NEWZUBAPP (32x32), kind 1]",
                             "- Form  [NewKVTZUBForm, icon NEWZUBFORM (32x32), kind 4]",
                             "- Frame  [NewKVTZubFrame, icon NEWZUBFRAME (32x32), kind 4]",
                             "- Data Module  [NewKVTZubDataModule, icon NEWZUBDATA (32x32), kind 4]"})
        EXPECT_NE(r.out.find(item), String::npos) << item << "\n" << r.out;
    EXPECT_NE(ReadFileBytes(out + "Unit1.cpp").find("info.szName = \"Worker \\\"1\\\"\";"), String::npos);
    EXPECT_NE(ReadFileBytes(out + "Unit2.h").find("class TFrame1 : public TFrame"), String::npos);
}

TEST(wekide_IdeHost, ErrorsExitNonZero)
{
    struct Case {
        String args, input, message;
        int status;
    };
    const Case cases[] = {
        {"load NoSuchPackage", "", "Package NoSuchPackage not found", 1},
        {"load KVTWEKIDE100 new No.Such.Category Form", "", "Unknown gallery category 'No.Such.Category'", 1},
        {"load KVTWEKIDE100 new Quistor.Tolvane.NewFiles Nothing", "", "No item 'Nothing'", 1},
        {"load KVTWEKIDE100 run NoAction", "", "No action named NoAction", 1},
        {"load KVTWEKIDE100 designer off new Quistor.Tolvane.NewFiles Form", "", "not available", 1},
        {"load KVTWEKIDE100 compiler none run FileNewZubFormCommand", "", "is disabled", 1},
        {"load KVTWEKIDE100", "bogus\n", "Unknown command bogus", 1},
        {"", "", "usage:", 2},
        {"--what x load A", "", "Unknown option --what", 2},
    };
    for (const auto& c : cases) {
        auto r = RunIdeHost(c.args, c.input);
        EXPECT_EQ(r.status, c.status) << c.args << "\n" << r.out;
        EXPECT_NE(r.out.find(c.message), String::npos) << c.args << "\n" << r.out;
    }
}

}  // namespace
