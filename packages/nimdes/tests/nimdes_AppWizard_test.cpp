#include <gtest/gtest.h>

#include "QZDsnAppWizForm.h"
#include "host/CppProject.h"
#include "testsupport/TestDir.h"
#include "hostimpl/HostImpl.h"
#include "rtl/Files.h"

using namespace QZDsnWizard;

namespace {

String Dir(const char* name)
{
    String d = IncludeTrailingPathDelimiter(ScratchDir() + name);
    EXPECT_TRUE(ForceDirectories(d));
    return d;
}

TEST(nimdes_AppWizard, DefaultProjectNameSkipsTakenNamesAndFolders)
{
    String dir = Dir("projects");
    EXPECT_EQ(GetDefaultProjectName(nullptr, dir), "Project1");
    ASSERT_TRUE(ForceDirectories(dir + "Project3"));
    std::vector<String> group = {"/a/b/PROJECT1.cpp", "/c/project2.pdr"};
    EXPECT_EQ(GetDefaultProjectName(&group, dir), "Project4");
    std::vector<String> empty;
    EXPECT_EQ(GetDefaultProjectName(&empty, dir), "Project1");
    EXPECT_FALSE(ProjectExists(group, "Project12"));
}

TEST(nimdes_AppWizard, PathOptionIsAppendedOnlyWhenMissing)
{
    EXPECT_EQ(AddPathOption("", "/qz/lib/"), ";/qz/lib/");
    EXPECT_EQ(AddPathOption("/a;/qz/lib/;/b", "/qz/lib/"), "/a;/qz/lib/;/b");
    EXPECT_EQ(AddPathOption("/a", "/qz/lib/"), "/a;/qz/lib/");
    EXPECT_EQ(AddPathOption("/QZ/LIB/", "/qz/lib/"), "/QZ/LIB/;/qz/lib/");
}

// The logo of the package's resources at (8, 4) in its own size; the version ends 16 pixels
// from the form's right edge, beside the logo.
TEST(nimdes_AppWizard, DialogShowsTheLogoAndTheWholeVersion)
{
    TformAppWizard dlg(nullptr, true);
    TImage* logo = dlg.ImageQZLogo;
    ASSERT_NE(logo, nullptr);
    EXPECT_EQ(logo->Parent(), dlg.Panel2);
    EXPECT_EQ(logo->Picture()->Format(), TPictureFormat::Bmp);
    EXPECT_EQ(logo->BoundsRect(), Rect(8, 4, 8 + logo->Picture()->Width(), 4 + logo->Picture()->Height()));
    EXPECT_GT(logo->Picture()->Width(), 0);
    EXPECT_FALSE(logo->Stretch());
    TLabel* v = dlg.LabelVersion;
    EXPECT_EQ(v->Caption(), "Version 9.0.17");
    EXPECT_EQ(v->Top(), 8);
    EXPECT_GE(v->Width(), v->Canvas()->TextWidth("Version 9.0.17"));
    EXPECT_GE(v->Height(), v->Canvas()->TextHeight("Version 9.0.17"));
    EXPECT_EQ(v->Left() + v->Width(), 410 - 16);
    EXPECT_LE(logo->Left() + logo->Width(), v->Left());
}

TEST(nimdes_AppWizard, FolderFollowsTheNameUntilEdited)
{
    String dir = Dir("wiz");
    TformAppWizard f(nullptr, false);
    f.ProjectDir = dir;
    f.ProjectName = "Project1";
    f.Init();
    EXPECT_EQ(f.editDir->Text(), dir + "Project1/");
    f.editProject->UserSetText("Shop");
    EXPECT_EQ(f.editDir->Text(), dir + "Shop/");
    f.editDir->UserSetText("/elsewhere/");
    f.editProject->UserSetText("Shop2");
    EXPECT_EQ(f.editDir->Text(), "/elsewhere/");
}

TEST(nimdes_AppWizard, EmptyNameBlocksOkAndAnExistingFolderWarns)
{
    String dir = Dir("wiz2");
    ASSERT_TRUE(ForceDirectories(dir + "Old"));
    TformAppWizard f(nullptr, false);
    f.ProjectDir = dir;
    f.ProjectName = "New";
    f.Init();
    f.editProject->UserSetText("  ");
    EXPECT_FALSE(f.butnOk->Enabled());
    EXPECT_TRUE(f.LabelWarning->Visible());
    EXPECT_EQ(f.LabelWarning->Caption(), "Error: Project name required!");
    f.editProject->UserSetText("Fresh");
    EXPECT_TRUE(f.butnOk->Enabled());
    EXPECT_FALSE(f.LabelWarning->Visible());
    f.editProject->UserSetText("Old");
    EXPECT_TRUE(f.butnOk->Enabled());
    EXPECT_EQ(f.LabelWarning->Caption(), "Warning: Directory already exists!");
    EXPECT_TRUE(f.LabelWarning->Visible());
}

TEST(nimdes_AppWizard, ThreadPoolOnlyForIsapiAndOkCopiesTheChoices)
{
    TformAppWizard f(nullptr, false);
    f.ProjectDir = Dir("wiz3");
    f.ProjectName = "P";
    f.Init();
    EXPECT_FALSE(f.chkbISAPIThreadPool->Enabled());
    f.rgrpProject->SetItemIndex(2);
    EXPECT_TRUE(f.chkbISAPIThreadPool->Enabled());
    f.chkbISAPIThreadPool->SetChecked(true);
    f.chkbPool->SetChecked(true);
    f.chkbServerManager->SetChecked(true);
    f.cboxFormType->SetItemIndex(2);
    f.rgrpProject->SetItemIndex(1);
    EXPECT_FALSE(f.chkbISAPIThreadPool->Enabled());
    EXPECT_TRUE(f.chkbISAPIThreadPool->Checked());
    f.actnOkExecute(nullptr);
    EXPECT_EQ(f.AppType, atService);
    EXPECT_TRUE(f.UseISAPIThreadPool);
    EXPECT_TRUE(f.PoolDataConnections);
    EXPECT_TRUE(f.CreateUserSession);
    EXPECT_TRUE(f.UseServerManager);
    EXPECT_EQ(f.MainFormType, ftAppWap);
    EXPECT_EQ(f.ProjectName, "P");
    TformAppWizard cpp(nullptr, true);
    EXPECT_FALSE(cpp.chkbServerManager->Visible());
}

}  // namespace

#include "QZDsnWizards.h"
#include "QZRegister.h"

namespace {

TEST(nimdes_AppWizard, CppHostIsRecognisedByKvtAnywhereInItsName)
{
    const std::pair<const char*, bool> cases[] = {{"/opt/ide/kvt32.exe", true},
                                                  {"/opt/ide/QuistorKVTStudio", true},
                                                  {"/kvt/ide.exe", false},
                                                  {"/opt/ide/kv-t.exe", false},
                                                  {"bds.exe", false}};
    for (auto [name, want] : cases) EXPECT_EQ(QZRegister::HostIsKVT(name), want) << name;
}

TEST(nimdes_AppWizard, FormWizardsNeedAServerControllerModule)
{
    String dir = Dir("visible");
    hostimpl::THostSession host(dir);
    TIntfPtr<TQZUnitWizard> wizard(new TQZUnitWizard(true));
    EXPECT_FALSE(wizard->IsVisible(nullptr));
    Settings() = TQZWizardSettings{};
    Settings().ProjectDir = dir;
    Settings().ProjectName = "Desk";
    Settings().UnitIdent = "Unit1";
    auto project = ModuleServices()->CreateProject(new TQZProjectCreator(true));
    EXPECT_TRUE(wizard->IsVisible(project.get()));
    // a project whose controller unit is named in another letter case does not count
    struct TOther : TQZServerControllerCreator {
        using TQZServerControllerCreator::TQZServerControllerCreator;
        String GetFileName() override { return MakeFileName("servercontroller", "cpp"); }
    };
    Settings().ProjectName = "Other";
    struct TBareProject : TQZProjectCreator {
        using TQZProjectCreator::TQZProjectCreator;
        void CreateDefaultModule(IQProject* p) override
        {
            ModuleServices()->CreateModule(new TOther(true, p), p);
        }
    };
    auto other = ModuleServices()->CreateProject(new TBareProject(true));
    EXPECT_FALSE(wizard->IsVisible(other.get()));
    Settings() = TQZWizardSettings{};
}

}  // namespace
