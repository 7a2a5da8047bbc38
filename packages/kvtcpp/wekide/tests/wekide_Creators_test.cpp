#include <gtest/gtest.h>

#include "CppZubIDECmd.h"
#include "Golden.h"
#include "testsupport/TestDir.h"
#include "host/GalleryServices.h"
#include "hostimpl/HostImpl.h"
#include "host/HostStrings.h"
#include "host/PersonalityServices.h"
#include "rtl/Files.h"

using namespace hostimpl;
using golden::CRLF;

namespace {

String ReplaceAll(String s, const String& what, const String& with)
{
    for (auto p = s.find(what); p != String::npos; p = s.find(what, p + with.size()))
        s.replace(p, what.size(), with);
    return s;
}

class wekide_Creators : public ::testing::Test {
protected:
    String dir;
    std::unique_ptr<THostSession> host;

    void SetUp() override
    {
        dir = IncludeTrailingPathDelimiter(ScratchDir() + "wekide_" +
                                           testing::UnitTest::GetInstance()->current_test_info()->name());
        FreshDir(dir);
        host = std::make_unique<THostSession>(dir);
        CppZubIDECmd::Initialization();
        CppZubIDECmd_IDERegister();
    }
    void TearDown() override
    {
        CppZubIDECmd::Finalization();
        host.reset();
    }
    // The text the host received for a file name (without folder), "" when none.
    String Received(const String& name)
    {
        for (auto& f : ReceivedFiles())
            if (ExtractFileName(f.FileName) == name) return f.Text;
        return "";
    }
    std::vector<String> ReceivedNames()
    {
        std::vector<String> r;
        for (auto& f : ReceivedFiles()) {
            EXPECT_EQ(ExtractFilePath(f.FileName), dir);
            r.push_back(ExtractFileName(f.FileName));
        }
        return r;
    }
};

TEST_F(wekide_Creators, TemplateTableHasTwelveEntries)
{
    const auto& s = CppZubIDECmd::Sources();
    ASSERT_EQ(s.size(), 12u);
    EXPECT_EQ(s[0], s[3]);
    EXPECT_EQ(s[1], s[4]);
    EXPECT_EQ(s[0].rfind("%1:s#ifndef %sH\r\n", 0), 0u);
    EXPECT_NE(s[5].find("<?xml"), String::npos);
    EXPECT_NE(s[7].find("Register()"), String::npos);
}

TEST_F(wekide_Creators, FormUnit)
{
    TIntfPtr<IQModuleCreator> c(new TCppZUBFormCreator(dir + "Unit1.cpp", "", "Form"));
    EXPECT_EQ(c->GetFormName(), "Form1");
    EXPECT_EQ(c->GetAncestorName(), "Form");
    EXPECT_EQ(c->GetSource()->Source(), CRLF(golden::FormSource));
    EXPECT_EQ(c->GetSource()->FileName(), dir + "Unit1.cpp");
    EXPECT_EQ(c->GetInterfaceSource()->Source(), CRLF(golden::FormHeader));
    EXPECT_EQ(c->GetInterfaceSource()->FileName(), dir + "Unit1.h");
    EXPECT_EQ(c->GetForm()->FileName(), dir + "Unit1.zfm");
    EXPECT_EQ(c->GetForm()->Source(), CRLF(golden::FormFile));
    TIntfPtr<IQSourceCreator> sc;
    ASSERT_TRUE(Supports(c, sc));
    EXPECT_EQ(sc->GetFormFileExt(), ".zfm");
}

TEST_F(wekide_Creators, FirstHeaderLineJoinsUnitAndH)
{
    TIntfPtr<IQModuleCreator> c(new TCppZUBFormCreator(dir + "Abc.cpp", "Main", "Form"));
    String h = c->GetInterfaceSource()->Source();
    EXPECT_EQ(h.substr(0, DashLineCRLF.size() + 13), DashLineCRLF + "#ifndef AbcH\r");
}

TEST_F(wekide_Creators, FrameUnitFromTheGallery)
{
    // a form first, so the frame gets Unit2 and its own name Frame1
    ASSERT_TRUE(RunGalleryItem("Quistor.Tolvane.NewFiles", "Form"));
    ASSERT_TRUE(RunGalleryItem("Quistor.Tolvane.NewFiles", "Frame"));
    EXPECT_EQ(ReceivedNames(), (std::vector<String>{"Unit1.cpp", "Unit1.h", "Unit1.zfm", "Unit2.cpp",
                                                    "Unit2.h", "Unit2.zfm"}));
    EXPECT_EQ(Received("Unit1.cpp"), CRLF(golden::FormSource));
    EXPECT_EQ(Received("Unit2.cpp"), CRLF(golden::FrameSource));
    EXPECT_EQ(Received("Unit2.h"), CRLF(golden::FrameHeader));
    EXPECT_EQ(Received("Unit2.zfm"), "object Frame1: TFrame1\r\nend\r\n");
}

TEST_F(wekide_Creators, DataModuleUnit)
{
    ASSERT_TRUE(RunGalleryItem("Quistor.Tolvane.NewFiles", "Data Module"));
    EXPECT_EQ(ReceivedNames(), (std::vector<String>{"Unit1.cpp", "Unit1.h", "Unit1.zfm"}));
    EXPECT_EQ(Received("Unit1.cpp"), CRLF(golden::DataModuleSource));
    EXPECT_EQ(Received("Unit1.h"), CRLF(golden::DataModuleHeader));
}

TEST_F(wekide_Creators, ApplicationProjectWithItsForm)
{
    ASSERT_TRUE(RunGalleryItem("Quistor.Tolvane.New", "ZUB Forms Application"));
    EXPECT_EQ(ReceivedNames(), (std::vector<String>{"Project1.cpp", "Unit1.cpp", "Unit1.h", "Unit1.zfm"}));
    EXPECT_EQ(Received("Project1.cpp"), CRLF(golden::ProjectSourceOneForm));
    EXPECT_EQ(Received("Unit1.h"), CRLF(golden::FormHeader));
    auto project = ActiveProject();
    ASSERT_TRUE(project);
    EXPECT_EQ(project->FileName(), dir + "Project1.zproj");
    EXPECT_EQ(project->TargetOptions(), "3,true,0,1,0,0,0");
    EXPECT_EQ(project->ModuleCount(), 1);
    EXPECT_EQ(project->Personality(), sCppPersonality);
}

TEST_F(wekide_Creators, UnitsWithFormsJoinTheProjectSource)
{
    ASSERT_TRUE(RunGalleryItem("Quistor.Tolvane.New", "ZUB Forms Application"));
    ClearReceivedFiles();
    ASSERT_TRUE(RunGalleryItem("Quistor.Tolvane.NewFiles", "Form"));
    ASSERT_TRUE(RunGalleryItem("Quistor.Tolvane.NewFiles", "Frame"));
    ASSERT_TRUE(RunGalleryItem("Quistor.Tolvane.NewFiles", "Data Module"));
    SetDialogAnswer("thread.class", "TMyThread");
    ASSERT_TRUE(RunGalleryItem("Quistor.Tolvane.NewFiles", "Thread Object"));
    // an open project's source is received again after each unit with a form
    EXPECT_EQ(ReceivedNames(),
              (std::vector<String>{"Unit2.cpp", "Unit2.h", "Unit2.zfm", "Project1.cpp", "Unit3.cpp",
                                   "Unit3.h", "Unit3.zfm", "Project1.cpp", "Unit4.cpp", "Unit4.h",
                                   "Unit4.zfm", "Project1.cpp", "Unit5.cpp", "Unit5.h"}));
    String project;
    for (auto& f : ReceivedFiles())
        if (ExtractFileName(f.FileName) == "Project1.cpp") project = f.Text;
    // every form is named and created in order; a frame is only named, a thread unit neither
    const String dash = "//---------------------------------------------------------------------------";
    EXPECT_NE(project.find("#pragma hdrstop\r\n" + dash +
                           "\r\n"
                           "USEFORM(\"Unit1.cpp\", Form1);\r\n"
                           "USEFORM(\"Unit2.cpp\", Form2);\r\n"
                           "USEFORM(\"Unit3.cpp\", Frame1);\r\n"
                           "USEFORM(\"Unit4.cpp\", DataModule1);\r\n" +
                           dash + "\r\nWINAPI WinMain"),
              String::npos)
        << project;
    EXPECT_NE(project.find("\t\tSetApplicationMainFormOnTaskBar(Application, true);\r\n"
                           "\t\tApplication->CreateForm(__classid(TForm1), &Form1);\r\n"
                           "\t\tApplication->CreateForm(__classid(TForm2), &Form2);\r\n"
                           "\t\tApplication->CreateForm(__classid(TDataModule1), &DataModule1);\r\n"
                           "\t\tApplication->Run();\r\n"),
              String::npos)
        << project;
    EXPECT_EQ(project.find("Unit5"), String::npos);
    EXPECT_EQ(ActiveProject()->ModuleCount(), 5);
}

TEST_F(wekide_Creators, UnitsOutsideAProjectTouchNoProjectSource)
{
    ASSERT_TRUE(RunGalleryItem("Quistor.Tolvane.NewFiles", "Form"));
    EXPECT_EQ(ReceivedNames(), (std::vector<String>{"Unit1.cpp", "Unit1.h", "Unit1.zfm"}));
}

TEST_F(wekide_Creators, ApplicationAsksTheTraitForTheNewProject)
{
    TNewZUBApplication item;
    item.Select(1);
    ASSERT_TRUE(item.NewProject());
    EXPECT_EQ(item.NewProject().get(), ActiveProject().get());
    SetTraitSupported(sCppPersonality, IQProjectDocumentTrait::IID, false);
    TNewZUBApplication second;
    second.Select(1);
    EXPECT_FALSE(second.NewProject());
    EXPECT_EQ(ActiveProject()->FileName(), dir + "Project2.zproj");
}

TEST_F(wekide_Creators, ProjectWithoutForm)
{
    TIntfPtr<TCppZUBProjectCreator> c(new TCppZUBProjectCreator(dir + "Solo.zproj", 3));
    c->NoForm = true;
    ModuleServices()->CreateProject(c.get());
    EXPECT_EQ(ReceivedNames(), (std::vector<String>{"Solo.cpp"}));
    EXPECT_EQ(c->GetTargetType(), 3);
}

TEST_F(wekide_Creators, ThreadWithoutName)
{
    SetDialogAnswer("thread.class", "TWorker");
    ASSERT_TRUE(RunGalleryItem("Quistor.Tolvane.NewFiles", "Thread Object"));
    EXPECT_EQ(ReceivedNames(), (std::vector<String>{"Unit1.cpp", "Unit1.h"}));
    EXPECT_EQ(Received("Unit1.h"), CRLF(golden::ThreadHeader));
    EXPECT_EQ(Received("Unit1.cpp"), CRLF(golden::ThreadSource));
}

TEST_F(wekide_Creators, ThreadWithNameIsEscapedInTheLiteral)
{
    struct Case {
        const char* name;
        const char* literal;
    };
    const Case cases[] = {
        {"Worker", "Worker"},     {"Say \"hi\"", "Say \\\"hi\\\""},
        {"C:\\tmp", "C:\\\\tmp"}, {"two\nlines", "two\\012lines"},
        {"Größe", "Größe"},
    };
    for (const auto& c : cases) {
        ClearReceivedFiles();
        TIntfPtr<IQModuleCreator> cr(new TCppThreadModuleCreator(dir + "Unit1.cpp", c.name, "TWorker"));
        EXPECT_EQ(cr->GetInterfaceSource()->Source(), CRLF(golden::NamedThreadHeader)) << c.name;
        EXPECT_EQ(cr->GetSource()->Source(), ReplaceAll(CRLF(golden::NamedThreadSource), "@NAME@", c.literal))
            << c.name;
    }
}

TEST_F(wekide_Creators, ThreadClassNameMustBeAnIdentifier)
{
    for (const char* bad : {"", "1Thread", "My Thread", "T-1"})
        EXPECT_THROW(TCppThreadModuleCreator(dir + "Unit1.cpp", "", bad), EHostError) << bad;
    SetDialogAnswer("thread.class", "not valid");
    EXPECT_THROW(RunGalleryItem("Quistor.Tolvane.NewFiles", "Thread Object"), EHostError);
    EXPECT_TRUE(ReceivedFiles().empty());
}

TEST_F(wekide_Creators, CancelledThreadDialogStopsSilently)
{
    SetDialogAnswer("thread.cancel", "true");
    EXPECT_FALSE(RunGalleryItem("Quistor.Tolvane.NewFiles", "Thread Object"));
    EXPECT_TRUE(ReceivedFiles().empty());
}

class TPascalProjectCreator : public TCppProjectCreator {
public:
    using TCppProjectCreator::TCppProjectCreator;
    String GetPersonality() override { return "Pendro.Personality"; }
};

TEST_F(wekide_Creators, ItemVisibility)
{
    auto visible = [](const TGalleryItemClass* cls) {
        std::unique_ptr<TGalleryItem> item(cls->Create());
        return item->IsVisible();
    };
    EXPECT_TRUE(visible(ClassOf<TNewZUBForm>()));
    EXPECT_TRUE(visible(ClassOf<TNewThread>()));  // no project open
    SetZubDesignerActive(false);
    EXPECT_FALSE(visible(ClassOf<TNewZUBForm>()));
    EXPECT_FALSE(visible(ClassOf<TNewZUBFrame>()));
    EXPECT_TRUE(visible(ClassOf<TNewZUBDataModule>()));
    EXPECT_THROW(RunGalleryItem("Quistor.Tolvane.NewFiles", "Form"), EHostError);
    SetZubDesignerActive(true);
    // a Pascal project hides the thread item; a C++ one (any letter case) shows it
    TIntfPtr<IQProjectCreator> pas(new TPascalProjectCreator(dir + "P.zproj", 1));
    ModuleServices()->CreateProject(pas.get());
    EXPECT_FALSE(visible(ClassOf<TNewThread>()));
    TIntfPtr<IQProjectCreator> cpp(new TCppProjectCreator(dir + "C.zproj", 1));
    ModuleServices()->CreateProject(cpp.get());
    EXPECT_TRUE(visible(ClassOf<TNewThread>()));
}

TEST_F(wekide_Creators, InheritFromAProjectForm)
{
    ASSERT_TRUE(RunGalleryItem("Quistor.Tolvane.New", "ZUB Forms Application"));
    ClearReceivedFiles();
    ASSERT_TRUE(InheritProjectForm("tolvane.personality", "Form1"));
    // the inherited form joins the project source too
    EXPECT_EQ(ReceivedNames(), (std::vector<String>{"Unit2.cpp", "Unit2.h", "Unit2.zfm", "Project1.cpp"}));
    EXPECT_NE(Received("Project1.cpp").find("Application->CreateForm(__classid(TForm2), &Form2);"),
              String::npos);
    EXPECT_NE(Received("Unit2.h").find("class TForm2 : public TForm1\r\n"), String::npos);
    EXPECT_NE(Received("Unit2.cpp").find("\t: TForm1(Owner)\r\n"), String::npos);
    auto current = MainProjectGroup()->CurrentModule();
    ASSERT_TRUE(current);
    EXPECT_EQ(current->FormName(), "Form2");
    EXPECT_EQ(current->ShowCount(), 1);
    EXPECT_TRUE(current->Modified());
    EXPECT_EQ(ActiveProject()->ModuleCount(), 2);
}

TEST_F(wekide_Creators, RegistrationInTheHost)
{
    auto e = GalleryEntries();
    ASSERT_EQ(e.size(), 5u);
    struct Want {
        const char *cat, *caption, *icon, *id;
        int kind;
    };
    const Want want[] = {
        {"Quistor.Tolvane.New", "ZUB Forms Application", "NEWZUBAPP", "NewKVTZubApp", 1},
        {"Quistor.Tolvane.NewFiles", "Form", "NEWZUBFORM", "NewKVTZUBForm", 4},
        {"Quistor.Tolvane.NewFiles", "Frame", "NEWZUBFRAME", "NewKVTZubFrame", 4},
        {"Quistor.Tolvane.NewFiles", "Data Module", "NEWZUBDATA", "NewKVTZubDataModule", 4},
        {"Quistor.Tolvane.NewFiles", "Thread Object", "NEWZUBTHREAD", "NewKVTZubThread", 4},
    };
    for (std::size_t i = 0; i < 5; ++i) {
        EXPECT_EQ(e[i].CategoryId, want[i].cat);
        EXPECT_EQ(e[i].Caption, want[i].caption);
        EXPECT_EQ(e[i].IconName, want[i].icon);
        EXPECT_EQ(e[i].Id, want[i].id);
        EXPECT_EQ(e[i].Kind, want[i].kind);
    }
    auto gm = RequireService<IQGalleryCategoryManager>("gallery");
    auto files = gm->FindCategory("Quistor.Tolvane.NewFiles");
    ASSERT_TRUE(files);
    ASSERT_TRUE(files->Parent());
    EXPECT_EQ(files->Parent()->IDString(), "Quistor.Tolvane.New");
    EXPECT_EQ(files->Parent()->DisplayName(), String(HostStrings::_sNewKVTProject));
    EXPECT_EQ(files->DisplayName(), String(HostStrings::_sNewKVTFiles));
    EXPECT_EQ(ClassGroup("TNewInheritedCppProjectModule"), "TControl");
    EXPECT_EQ(FindGalleryClass("TNewInheritedCppProjectModule"), ClassOf<TNewInheritedCppProjectModule>());
    EXPECT_EQ(ProjFormTemplateClass(sCppPersonality), ClassOf<TNewInheritedCppProjectModule>());
    // hooks: the same three names reach a ZUB form creator; projects are of kind 3
    auto fc = GetFormCreator(dir + "Unit7.cpp", "Seven", "Form");
    EXPECT_EQ(fc->GetFileName(), dir + "Unit7.cpp");
    EXPECT_EQ(fc->GetFormName(), "Seven");
    EXPECT_EQ(fc->GetForm()->FileName(), dir + "Unit7.zfm");
    EXPECT_EQ(GetProjectCreator(dir + "P.zproj")->GetTargetType(), 3);
}

TEST_F(wekide_Creators, FinalizationTakesEverythingBack)
{
    TIntfPtr<IQGalleryCategoryManager> gm = RequireService<IQGalleryCategoryManager>("gallery");
    CppZubIDECmd::Finalization();
    EXPECT_EQ(GalleryHandlerCount(), 0);
    EXPECT_EQ(GalleryCategoryCount(), 0);
    EXPECT_EQ(GetFormCreator, &DefaultGetFormCreator);
    EXPECT_EQ(GetProjectCreator, &DefaultGetProjectCreator);
    EXPECT_EQ(ProjFormTemplateClass(sCppPersonality), nullptr);
    EXPECT_EQ(RegisteredClassCount(), 0);
    EXPECT_EQ(MainFormCreated().Count(), 0);
    EXPECT_TRUE(CppZubIDECmd::Sources().empty());
    // a category another package added first stays when this package leaves
    gm->AddCategory(nullptr, "Quistor.Tolvane.New", "Other");
    CppZubIDECmd::Initialization();
    CppZubIDECmd_IDERegister();
    CppZubIDECmd::Finalization();
    ASSERT_TRUE(gm->FindCategory("Quistor.Tolvane.New"));
    EXPECT_EQ(gm->FindCategory("Quistor.Tolvane.New")->DisplayName(), "Other");
    EXPECT_FALSE(gm->FindCategory("Quistor.Tolvane.NewFiles"));
    CppZubIDECmd::Initialization();  // for TearDown
}

}  // namespace
