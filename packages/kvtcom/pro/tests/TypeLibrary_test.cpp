#include <gtest/gtest.h>

#include "TypeLibraryGolden.h"
#include "UpdaterHost.h"
#include "host/AppIniFile.h"
#include "host/CppProject.h"
#include "host/TypeLibrary.h"
#include "hostimpl/HostImpl.h"
#include "rtl/Files.h"

using namespace hostimpl;

namespace {

class kvtcompro_TypeLibrary : public UpdaterHost {
protected:
    kvtcompro_TypeLibrary() : UpdaterHost("kvtcompro_tlb_") {}
    static bool Run(const char* caption) { return RunGalleryItem("Quistor.Tolvane.ActiveX", caption); }
};

TEST_F(kvtcompro_TypeLibrary, ActiveXLibraryThenComObjectFillTheProjectsLibrary)
{
    ASSERT_TRUE(Run("ActiveX Library"));
    auto p = ActiveProject();
    ASSERT_NE(p, nullptr);
    EXPECT_EQ(p->FileName(), dir + "Project1.zproj");
    EXPECT_EQ(ProjectKind(p.get()), pkActiveXLibrary);
    auto m = FindTypeLibModule(p.get());
    ASSERT_NE(m, nullptr);
    EXPECT_EQ(m->ShowCount(), 1);
    EXPECT_EQ(m->SaveCallbackCount(), 1);
    SetDialogAnswer("com.coclass", "Orders");
    ASSERT_TRUE(Run("COM Object"));
    EXPECT_EQ(WithoutGuids(m->TypeLibrary()->Text()), String(kProject1LibraryHead) + kOrdersTypes + "};\n");
    // the updater knows the CoClass's unit, the project lists it
    TIntfPtr<IQProjectFileEntries> entries;
    ASSERT_TRUE(Supports(GetProjectUpdater(p.get()), entries));
    EXPECT_EQ(entries->CoClassUnit("Orders"), dir + "OrdersImpl1.cpp");
    EXPECT_TRUE(CppProjectOf(p.get())->HasItem(dir + "OrdersImpl1.cpp"));
    // a taken CoClass name stops the next wizard before it writes anything
    ClearReceivedFiles();
    EXPECT_THROW(Run("Automation Object"), EHostError);
    EXPECT_TRUE(ReceivedFiles().empty());
}

TEST_F(kvtcompro_TypeLibrary, ActiveServerObjectGetsThePageMethodsUnlessObjectContext)
{
    ASSERT_TRUE(Run("ActiveX Library"));
    TTypeLibrary* lib = GetTypeLibrary(ActiveProject().get());
    SetDialogAnswer("com.coclass", "Shop");
    SetDialogAnswer("com.testpage", "false");
    ASSERT_TRUE(Run("Active Server Object"));
    TTypeObject* intf = lib->FindType("IShop");
    ASSERT_NE(intf, nullptr);
    EXPECT_TRUE(intf->HasAttribute("dual"));
    ASSERT_EQ(intf->Members.size(), 2u);
    EXPECT_EQ(intf->Members[0]->Name, "OnStartPage");
    EXPECT_EQ(intf->Members[0]->MemberId, 1);
    ASSERT_EQ(intf->Members[0]->Params.size(), 1u);
    EXPECT_EQ(intf->Members[0]->Params[0].Name, "AScriptingContext");
    EXPECT_EQ(intf->Members[0]->Params[0].VarType(), vtUnknown);
    EXPECT_EQ(intf->Members[0]->Params[0].Flags, pfIn);
    EXPECT_EQ(intf->Members[1]->Name, "OnEndPage");
    EXPECT_EQ(intf->Members[1]->MemberId, 2);
    EXPECT_TRUE(intf->Members[1]->Params.empty());

    SetDialogAnswer("com.coclass", "Ctx");
    SetDialogAnswer("com.servertype", "Object Context");
    ASSERT_TRUE(Run("Active Server Object"));
    ASSERT_NE(lib->FindType("ICtx"), nullptr);
    EXPECT_TRUE(lib->FindType("ICtx")->Members.empty());
}

TEST_F(kvtcompro_TypeLibrary, TypeLibraryItemByProjectKind)
{
    struct Case {
        int kind;  // 0: no project
        const char* message;  // nullptr: no error
        bool standAlone;
    };
    const Case cases[] = {
        {0, nullptr, true},
        {pkApplication, nullptr, false},
        {pkActiveXLibrary, nullptr, false},
        {pkLibrary, "only have a type library when it is an ActiveX library", false},
        {pkConsoleApplication, "A console application cannot have a type library", false},
        {pkStaticLibrary, "A static library cannot have a type library", false},
    };
    int n = 0;
    for (const auto& c : cases) {
        MainProjectGroup()->CloseAll(0);
        if (c.kind) OpenProject("P" + IntToStr(++n) + ".zproj", c.kind);
        const int standAlone = StandAloneTypeLibraryCount();
        auto p = ActiveProject();
        if (c.message) {
            try {
                Run("Type Library");
                ADD_FAILURE() << c.kind << ": no error";
            } catch (const EHostError& e) {
                EXPECT_NE(e.Message().find(c.message), String::npos) << c.kind << ": " << e.Message();
            }
            EXPECT_EQ(FindTypeLibModule(p.get()), nullptr) << c.kind;
            continue;
        }
        ASSERT_TRUE(Run("Type Library")) << c.kind;
        EXPECT_EQ(StandAloneTypeLibraryCount(), standAlone + (c.standAlone ? 1 : 0)) << c.kind;
        if (!c.standAlone) {
            auto m = FindTypeLibModule(p.get());
            ASSERT_NE(m, nullptr) << c.kind;
            EXPECT_EQ(m->ShowCount(), 1);
            ASSERT_EQ(m->TypeLibrary()->References.size(), 1u);
            EXPECT_EQ(m->TypeLibrary()->References[0].LibId, LIBID_StdZUB);
            // a project that has a type library gets a stand-alone one the next time
            ASSERT_TRUE(Run("Type Library"));
            EXPECT_EQ(StandAloneTypeLibraryCount(), standAlone + 1);
        }
    }
}

TEST_F(kvtcompro_TypeLibrary, SavingRenamesTheAtlUnitAfterTheProject)
{
    OpenProject("Shop.zproj", pkApplication);
    auto p = ActiveProject();
    ASSERT_TRUE(Run("Type Library"));
    auto m = FindTypeLibModule(p.get());
    EXPECT_EQ(m->SaveCallbackCount(), 1);  // the type library item's end
    SetDialogAnswer("com.coclass", "Orders");
    ASSERT_TRUE(Run("COM Object"));
    TAtlSourceModule* atl = FindAtlSourceModule(p.get());
    ASSERT_NE(atl, nullptr);
    EXPECT_EQ(atl->FileName(), dir + "Shop_ATL.cpp");
    EXPECT_EQ(m->SaveCallbackCount(), 2);
    // a unit named after an earlier name of the project follows the project at each save
    atl->Rename(dir + "Old_ATL.cpp");
    m->Save();
    EXPECT_EQ(atl->FileName(), dir + "Shop_ATL.cpp");
    EXPECT_TRUE(FileExists(dir + "Shop_ATL.cpp"));
    EXPECT_TRUE(FileExists(dir + "Shop_ATL.h"));
    EXPECT_NE(ReadFileBytes(dir + "Shop_ATL.h").find("#ifndef Shop_ATLH"), String::npos);
    EXPECT_TRUE(FileExists(dir + "Shop.tlb"));
    // a second COM object makes no second ATL unit
    SetDialogAnswer("com.coclass", "Pay");
    ASSERT_TRUE(Run("COM Object"));
    EXPECT_EQ(FindAtlSourceModule(p.get()), atl);
}

TEST_F(kvtcompro_TypeLibrary, AddingToTheProjectDoesNothingWhereItCannot)
{
    OpenProject("Lib.zproj", pkActiveXLibrary);
    auto p = ActiveProject();
    auto m = GetOrCreateTypeLibModule(p.get());
    AddAtlCallback(p.get());  // not an application
    AddAtlCallback(nullptr);
    EXPECT_EQ(m->SaveCallbackCount(), 0);
    AddComObjectToProject(p.get(), "", dir + "X.cpp");  // no CoClass
    EXPECT_FALSE(CppProjectOf(p.get())->HasItem(dir + "X.cpp"));
    AddComObjectToProject(nullptr, "X", dir + "X.cpp");  // no project, no updater
    OpenProject("App.zproj", pkApplication);
    AddAtlCallback(ActiveProject().get());  // no type-library module
    EXPECT_EQ(FindTypeLibModule(ActiveProject().get()), nullptr);
}

TEST_F(kvtcompro_TypeLibrary, UnloadTakesTheSaveCallbacksAlong)
{
    OpenProject("Shop.zproj", pkApplication);
    ASSERT_TRUE(Run("Type Library"));
    auto m = FindTypeLibModule(ActiveProject().get());
    ASSERT_EQ(m->SaveCallbackCount(), 1);
    Cppprocmd::Finalization();
    EXPECT_EQ(m->SaveCallbackCount(), 0);
    EXPECT_NO_THROW(m->Save());
}

}  // namespace
