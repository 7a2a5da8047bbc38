#include <gtest/gtest.h>

#include <cstdlib>

#include "PackageTestHost.h"
#include "hostimpl/HostImpl.h"
#include "host/ModuleServices.h"
#include "hostimpl/PackageLoader.h"
#include "host/WizardServices.h"
#include "rtl/Files.h"
#include "zub/Dialogs.h"
#include "zub/ExtCtrls.h"
#include "zub/Forms.h"
#include "zub/StdCtrls.h"

using namespace hostimpl;

namespace {

class nimdes_Load : public PackageTestHost {
protected:
    nimdes_Load() : PackageTestHost("nimdes_load_", NIMDES_PACKAGE_DIR) {}
    void SetUp() override
    {
        setenv("ZEFPROJECTSDIR", (dir + "projects").c_str(), 1);
        PackageTestHost::SetUp();
        loader->Load("nimdes");
    }
    void TearDown() override
    {
        SetModalHook(nullptr);
        PackageTestHost::TearDown();
        unsetenv("ZEFPROJECTSDIR");
    }
    static std::vector<TGalleryEntry> Nimbrel()
    {
        std::vector<TGalleryEntry> r;
        for (auto& e : GalleryEntries())
            if (e.Id.rfind("Pelmor.", 0) == 0) r.push_back(e);
        return r;
    }
    template <class T>
    static T* Find(TForm& f, const char* name)
    {
        auto* c = dynamic_cast<T*>(f.FindComponent(name));
        if (!c) throw std::runtime_error(String("no ") + name);
        return c;
    }
};

TEST_F(nimdes_Load, RegisterListsTheWizardsAndUnloadTakesThemBack)
{
    auto items = Nimbrel();
    ASSERT_EQ(items.size(), 8u);
    const std::pair<const char*, const char*> want[] = {
        {"Pelmor.QZApplicationWizard", "Nimbrel Application Wizard"},
        {"Pelmor.QZUnitWizard", "New Form"},
        {"Pelmor.QZFrameWizard", "New Frame"},
        {"Pelmor.QZTestWizard", "Nimbrel Test Application"},
        {"Pelmor.QZTestUnitWizard", "New Nimbrel Test"},
        {"Pelmor.QZApplicationWizard_KVT", "Nimbrel Application Wizard"},
        {"Pelmor.QZUnitWizard_KVT", "New Form"},
        {"Pelmor.QZFrameWizard_KVT", "New Frame"}};
    for (std::size_t i = 0; i < 8; ++i) {
        EXPECT_EQ(items[i].Id, want[i].first);
        EXPECT_EQ(items[i].Caption, want[i].second);
    }
    // Both personalities' categories carry the application wizard's ID.
    EXPECT_EQ(items[1].CategoryId, "Pelmor.QZApplicationWizard");
    EXPECT_EQ(items[4].CategoryId, "Pelmor.QZApplicationWizard");
    EXPECT_EQ(items[6].CategoryId, "Pelmor.QZApplicationWizard_KVT");
    TIntfPtr<IQTAWizardServices> ws;
    ASSERT_TRUE(Supports(QuistorIDEServices(), ws));
    EXPECT_EQ(ws->WizardCount(), 8);
    loader->Unload("nimdes");
    EXPECT_TRUE(Nimbrel().empty());
    EXPECT_EQ(ws->WizardCount(), 0);
    TIntfPtr<IQGalleryCategoryManager> gm = RequireService<IQGalleryCategoryManager>("gallery");
    EXPECT_EQ(gm->FindCategory("Pelmor.QZApplicationWizard"), nullptr);
}

TEST_F(nimdes_Load, ApplicationWizardCreatesTheProjectFromTheDialog)
{
    SetModalHook([](TForm& f) {
        Find<TEdit>(f, "editProject")->UserSetText("Shop");
        Find<TCheckBox>(f, "chkbPool")->SetChecked(true);
        Find<TComboBox>(f, "cboxFormType")->SetItemIndex(1);
        Find<TButton>(f, "butnOk")->Click();
    });
    ASSERT_TRUE(RunGalleryItem("Pelmor.QZApplicationWizard_KVT", "Nimbrel Application Wizard"));
    auto project = ActiveProject();
    ASSERT_NE(project, nullptr);
    const String pdir = dir + "projects/Shop/";
    EXPECT_EQ(project->FileName(), pdir + "Shop.cpp");
    EXPECT_TRUE(DirectoryExists(pdir));
    ASSERT_EQ(project->ModuleCount(), 4);  // main form, controller, session, data module
    auto main = project->Module(0);
    EXPECT_EQ(main->FormName(), "QZForm1");
    EXPECT_NE(main->File(0)->Source().find("TQZAppForm32(Owner)"), String::npos);
    EXPECT_EQ(project->Module(3)->FileName(), pdir + "DatamoduleUnit.cpp");

    // A form wizard run adds a page form to that project.
    SetModalHook([](TForm& f) {
        Find<TRadioGroup>(f, "rgrpForm")->SetItemIndex(4);
        Find<TButton>(f, "Button1")->Click();
    });
    ASSERT_TRUE(RunGalleryItem("Pelmor.QZApplicationWizard_KVT", "New Form"));
    ASSERT_EQ(project->ModuleCount(), 5);
    auto page = project->Module(4);
    EXPECT_NE(page->File(0)->Source().find("#pragma startup RegisterPage"), String::npos);
    EXPECT_NE(page->File(0)->Source().find(": TQZPageForm32(Owner)"), String::npos);
}

TEST_F(nimdes_Load, CancelCreatesNothing)
{
    SetModalHook([](TForm& f) { Find<TButton>(f, "butnCancel")->Click(); });
    EXPECT_TRUE(RunGalleryItem("Pelmor.QZApplicationWizard", "Nimbrel Application Wizard"));
    EXPECT_EQ(ActiveProject(), nullptr);
    EXPECT_TRUE(ReceivedFiles().empty());
}

TEST_F(nimdes_Load, FrameWizardWithoutProjectIsNotAvailable)
{
    SetModalHook([](TForm& f) { Find<TButton>(f, "Button1")->Click(); });
    EXPECT_THROW(RunGalleryItem("Pelmor.QZApplicationWizard", "New Frame"), EHostError);
    EXPECT_TRUE(ReceivedFiles().empty());
}

TEST_F(nimdes_Load, TestApplicationGoesStraightIntoTheTestProjectsFolder)
{
    const String home = IncludeTrailingPathDelimiter(std::getenv("HOME"));
    const String folder = home + "Quistor Studio Projects/";
    ASSERT_TRUE(RunGalleryItem("Pelmor.QZApplicationWizard", "Nimbrel Test Application"));
    auto project = ActiveProject();
    ASSERT_NE(project, nullptr);
    EXPECT_EQ(project->FileName(), folder + "Project1.pdr");
    EXPECT_TRUE(DirectoryExists(folder));
    ASSERT_EQ(project->ModuleCount(), 1);
    auto unit = project->Module(0);
    ASSERT_EQ(unit->FileCount(), 1);  // no form file
    EXPECT_EQ(
        project->File(0)->Source(),
        "program Project1;\r\n\r\nuses\r\n  Forms,\r\n  TestFramework,\r\n  GUITestRunner,\r\n  QZInit,\r\n"
        "  QZGlobal,\r\n  Unit1 in 'Unit1.pas';\r\n\r\n{$R *.res}\r\n\r\nbegin\r\n"
        "  GAppModeInit(Application);\r\n  TGUITestRunner.runRegisteredTests;\r\nend.\r\n");
    // a second run: the group has Project1, so Project2 even though its folder exists
    ForceDirectories(folder + "Project2");
    ASSERT_TRUE(RunGalleryItem("Pelmor.QZApplicationWizard", "Nimbrel Test Application"));
    EXPECT_EQ(ActiveProject()->FileName(), folder + "Project2.pdr");
    // the test unit wizard adds a unit named by the host to the current project
    ASSERT_TRUE(RunGalleryItem("Pelmor.QZApplicationWizard", "New Nimbrel Test"));
    auto p2 = ActiveProject();
    ASSERT_EQ(p2->ModuleCount(), 2);
    String text = p2->Module(1)->File(0)->Source();
    const String ident = p2->Module(1)->UnitName();
    const String cls = "TQZTestCase" + ident.substr(4);
    EXPECT_NE(text.find("unit " + ident + ";"), String::npos);
    for (const String& part :
         {cls + " = class(TTestCase)", "procedure " + cls + ".SetUp;", "procedure " + cls + ".TearDown;",
          "procedure " + cls + ".Test;", "RegisterTest('', " + cls + ".Suite);"})
        EXPECT_NE(text.find(part), String::npos) << part;
    EXPECT_EQ(text.find("%"), String::npos);
}

}  // namespace
