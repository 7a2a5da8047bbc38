// What the host asks of wizards and COM wizard items before it runs them.
#include <gtest/gtest.h>

#include "ProjectTestHost.h"
#include "host/ComWizards.h"
#include "host/SourceFiles.h"
#include "host/WizardServices.h"

using namespace hostimpl;

namespace {

class TTestWizard : public TInterfacedObject, public IQTAWizard {
public:
    HRESULT QueryInterface(const TGUID& iid, void** obj) override
    {
        if (QueryAs<IQTAWizard>(this, iid, obj)) return S_OK;
        return TInterfacedObject::QueryInterface(iid, obj);
    }
    String GetIDString() override { return "Test.Wizard"; }
    String GetName() override { return "Test Wizard"; }
    String GetComment() override { return ""; }
    String GetAuthor() override { return ""; }
    String GetPage() override { return ""; }
    String GetDesigner() override { return ""; }
    String GetPersonality() override { return sCppPersonality; }
    String GetGlyph() override { return "ICON"; }
    int GetState() override { return wsEnabled; }
    TIntfPtr<IQGalleryCategory> GetGalleryCategory() override
    {
        return RequireService<IQGalleryCategoryManager>("gallery")->FindCategory("Quistor.Pendro.New");
    }
    void Execute() override { ++Executed; }
    bool IsVisible(IQProject* project) override
    {
        AskedFor = project;
        return Visible;
    }
    bool Visible = false;
    int Executed = 0;
    IQProject* AskedFor = reinterpret_cast<IQProject*>(1);
};

class host_Wizards : public ProjectTestHost {
protected:
    host_Wizards() : ProjectTestHost("host_wizards_") {}
};

TEST_F(host_Wizards, AnInvisibleWizardIsNotAvailableAndCannotRun)
{
    TIntfPtr<TTestWizard> wizard(new TTestWizard);
    auto ws = RequireService<IQTAWizardServices>("wizards");
    const int index = ws->AddWizard(wizard.get());
    const int handle = GalleryEntries().at(0).Handle;

    EXPECT_FALSE(GalleryItemAvailable(handle));
    EXPECT_EQ(wizard->AskedFor, nullptr);  // asked with no project open
    EXPECT_THROW(RunGalleryItem("Quistor.Pendro.New", "Test Wizard"), EHostError);
    EXPECT_EQ(wizard->Executed, 0);

    OpenProject("Web.zproj");
    wizard->Visible = true;
    EXPECT_TRUE(GalleryItemAvailable(handle));
    EXPECT_EQ(wizard->AskedFor, ActiveProject().get());
    EXPECT_TRUE(RunGalleryItem("Quistor.Pendro.New", "Test Wizard"));
    EXPECT_EQ(wizard->Executed, 1);
    ws->RemoveWizard(index);
}

class TTestComItem : public TComWizardItem {
public:
    HOST_GALLERY_CLASS(TTestComItem);

protected:
    TIntfPtr<IQModuleCreator> GetUnitCreator() override
    {
        return TIntfPtr<IQModuleCreator>(new TFileCreator(FileName, "unit of " + CoClassName));
    }
};

TEST_F(host_Wizards, AWizardsIconIsLookedUpInTheLibraryThatAddedIt)
{
    auto ws = RequireService<IQTAWizardServices>("wizards");
    TIntfPtr<IQTAWizard> own(new TTestWizard);
    TIntfPtr<IQTAWizard> made(
        new TGalleryItemWizard({"Test.Item", "Test Item", "", "ICON", "Quistor.Pendro.New", sCppPersonality},
                               ClassOf<TTestComItem>()));
    const int a = ws->AddWizard(own.get()), b = ws->AddWizard(made.get());
    const HMODULE host = ModuleOfAddress(reinterpret_cast<const void*>(&RegisterNewHandler));
    ASSERT_NE(host, HInstance);
    const auto entries = GalleryEntries();
    ASSERT_EQ(entries.size(), 2u);
    for (const TGalleryEntry& e : entries) EXPECT_EQ(e.Module, HInstance) << e.Id;  // not the host's
    ws->RemoveWizard(a);
    ws->RemoveWizard(b);
}

TEST_F(host_Wizards, ComWizardsStopWithoutAProject)
{
    const int h =
        RegisterNewHandler("Quistor.Pendro.New", "Com Item", "ICON", 0, ClassOf<TTestComItem>(), "ComItem");
    SetDialogAnswer("com.coclass", "Orders");
    try {
        RunGalleryItem("Quistor.Pendro.New", "Com Item");
        ADD_FAILURE() << "ran without a project";
    } catch (const EHostError& e) {
        EXPECT_EQ(e.Message(), String(SNoProjectForComObject));
    }
    EXPECT_TRUE(ReceivedFiles().empty());

    OpenProject("Server.zproj");
    ClearReceivedFiles();
    ASSERT_TRUE(RunGalleryItem("Quistor.Pendro.New", "Com Item"));
    ASSERT_EQ(ReceivedFiles().size(), 1u);
    EXPECT_EQ(ReceivedFiles()[0].FileName, dir + "OrdersImpl1.cpp");
    EXPECT_EQ(ReceivedFiles()[0].Text, "unit of Orders");
    UnregisterNewHandler(h);
}

TEST_F(host_Wizards, AnUnansweredComDialogIsCancelledAndWritesNothing)
{
    const int h =
        RegisterNewHandler("Quistor.Pendro.New", "Com Item", "ICON", 0, ClassOf<TTestComItem>(), "ComItem");
    OpenProject("Server.zproj");
    ClearReceivedFiles();
    EXPECT_NO_THROW(RunGalleryItem("Quistor.Pendro.New", "Com Item"));
    EXPECT_TRUE(ReceivedFiles().empty());
    UnregisterNewHandler(h);
}

TEST_F(host_Wizards, NewModulesGoBesideTheActiveProject)
{
    EXPECT_EQ(MakeUniqueModuleName("Unit", ".cpp"), dir + "Unit1.cpp");  // no project: the host's folder
    ASSERT_TRUE(ForceDirectories(dir + "proj"));
    OpenProject("proj/Desk.zproj");
    SetProjectFolder(dir + "elsewhere");
    EXPECT_EQ(MakeUniqueModuleName("Unit", ".cpp"), dir + "proj/Unit1.cpp");
}

}  // namespace
