#include <gtest/gtest.h>

#include "host/CppBrowse.h"

#include <dlfcn.h>

#include "testsupport/TestDir.h"
#include "hostimpl/HostImpl.h"
#include "hostimpl/PackageLoader.h"
#include "hostimpl/StateListing.h"
#include "host/ComWizards.h"
#include "host/GalleryServices.h"
#include "rtl/Debug.h"
#include "rtl/Files.h"

using namespace hostimpl;

namespace {

class host_Loader : public ::testing::Test {
protected:
    THostSession host{ScratchDir()};
    TPackageLoader loader{HOST_FIXTURE_DIR};
    TDebugCapture log;

    void ExpectClean()
    {
        EXPECT_EQ(GalleryHandlerCount(), 0);
        EXPECT_EQ(GalleryCategoryCount(), 0);
        EXPECT_EQ(GetFormCreator, &DefaultGetFormCreator);
        EXPECT_EQ(GetProjectCreator, &DefaultGetProjectCreator);
        EXPECT_EQ(MainFormCreated().Count(), 0);
    }
    std::vector<String> Events()
    {
        std::vector<String> r;
        for (auto& l : log.Lines())
            if (l.rfind("Fx", 0) == 0) r.push_back(l);
        return r;
    }
    void ExpectError(const String& package, const String& part)
    {
        try {
            loader.Load(package);
            ADD_FAILURE() << "loaded " << package;
        } catch (const EPackageError& e) {
            EXPECT_NE(e.Message().find(part), String::npos) << e.Message();
        }
    }
};

TEST_F(host_Loader, SharedUnitInitialisesOnceAcrossTwoPackages)
{
    loader.Load("FxA");
    loader.Load("FxB");
    loader.Unload("FxB");
    loader.Unload("FxA");
    EXPECT_EQ(Events(),
              (std::vector<String>{
                  "FxShared init", "FxUnitA init", "FxA register",  // FxA
                  "FxUnitB init", "FxB register 1", "FxB register 2",  // FxB: shared unit already up
                  "FxUnitB fini",  // FxB out: shared unit stays
                  "FxUnitA fini", "FxShared fini",  // FxA out, reverse order
              }));
    ExpectClean();
}

TEST_F(host_Loader, RequiredPackageLoadsFirstAndUnloadsLast)
{
    loader.Load("fxb");  // letter case of the name does not matter
    EXPECT_EQ(loader.Loaded(), (std::vector<String>{"FxA", "fxb"}));
    EXPECT_TRUE(loader.IsLoaded("FxA"));
    // FxA is still needed
    EXPECT_THROW(loader.Unload("FxA"), EPackageError);
    EXPECT_TRUE(loader.IsLoaded("FxA"));
    loader.Load("FxB");  // already there: nothing happens
    loader.UnloadAll();
    EXPECT_EQ(Events(), (std::vector<String>{"FxShared init", "FxUnitA init", "FxA register", "FxUnitB init",
                                             "FxB register 1", "FxB register 2", "FxUnitB fini",
                                             "FxUnitA fini", "FxShared fini"}));
    EXPECT_TRUE(loader.Loaded().empty());
    ExpectClean();
}

TEST_F(host_Loader, ReloadRunsTheUnitsAgain)
{
    for (int round = 0; round < 2; ++round) {
        loader.Load("FxB");
        loader.UnloadAll();
    }
    auto e = Events();
    EXPECT_EQ(std::count(e.begin(), e.end(), "FxShared init"), 2);
    EXPECT_EQ(std::count(e.begin(), e.end(), "FxShared fini"), 2);
    ExpectClean();
}

TEST_F(host_Loader, UnloadTakesBackEveryRegistration)
{
    loader.Load("FxA");
    EXPECT_EQ(GalleryHandlerCount(), 1);
    EXPECT_NE(GetFormCreator, &DefaultGetFormCreator);
    EXPECT_EQ(MainFormCreated().Count(), 1);
    MainFormCreated().FirePending(nullptr);
    EXPECT_TRUE(RunGalleryItem("Fx.Category", "fx item"));
    EXPECT_TRUE(log.Contains("FxA main form"));
    EXPECT_TRUE(log.Contains("FxItem selected 4"));
    const String path = loader.LibraryPath("FxA");
    loader.Unload("FxA");
    ExpectClean();
    // the library is really gone, not just forgotten
    EXPECT_EQ(dlopen(path.c_str(), RTLD_NOW | RTLD_NOLOAD), nullptr);
}

TEST_F(host_Loader, LeftoversAreRemovedAndReported)
{
    loader.Load("FxLeaky");
    EXPECT_NE(GetProjectCreator, &DefaultGetProjectCreator);
    try {
        loader.Unload("FxLeaky");
        ADD_FAILURE() << "no error";
    } catch (const EPackageError& e) {
        for (const char* part :
             {"hook GetProjectCreator", "gallery item LeakyItem", "MainFormCreated handler",
              "hook CompileAndBrowseProc", "hook EnableBrowser", "hook IdlBrowseProc", "C++ browser compiler",
              // what no pointer tells is found by the host's state listing
              "left in the host's state: C++ browser compiler @libFxLeaky.so, CanSwapTlibEditLanguage true, "
              "MainFormCreated handler "
              "@libFxLeaky.so, "
              "category Fx.Leaky under -",
              "taken from the host's state: CanSwapTlibEditLanguage false"})
            EXPECT_NE(e.Message().find(part), String::npos) << e.Message();
    }
    CanSwapTlibEditLanguage = false;
    EXPECT_FALSE(loader.IsLoaded("FxLeaky"));
    // nothing that points into the closed library is left; the host can go on
    EXPECT_EQ(GetProjectCreator, &DefaultGetProjectCreator);
    EXPECT_EQ(GalleryHandlerCount(), 0);
    EXPECT_EQ(MainFormCreated().Count(), 0);
    MainFormCreated().Fire(nullptr);
    EXPECT_EQ(CompileAndBrowseProc, &DefaultCompileAndBrowse);
    EXPECT_FALSE(EnableBrowser);
    EXPECT_EQ(IdlBrowseProc, nullptr);
}

TEST_F(host_Loader, APackageThatTakesAnothersRegistrationIsReported)
{
    loader.Load("FxA");
    const auto withA = HostStateListing();
    loader.Load("FxTakes");
    try {
        loader.Unload("FxTakes");
        ADD_FAILURE() << "no error";
    } catch (const EPackageError& e) {
        EXPECT_NE(e.Message().find("taken from the host's state: category Fx.Category under -"), String::npos)
            << e.Message();
    }
    EXPECT_NE(HostStateListing(), withA);
}

TEST_F(host_Loader, TheStateAfterAnUnloadIsTheStateBeforeTheLoad)
{
    const auto empty = HostStateListing();
    loader.Load("FxA");
    const auto withA = HostStateListing();
    EXPECT_NE(withA, empty);
    loader.Load("FxLeaky");
    EXPECT_THROW(loader.Unload("FxLeaky"), EPackageError);
    CanSwapTlibEditLanguage = false;
    auto gm = RequireService<IQGalleryCategoryManager>("gallery");
    gm->DeleteCategory(gm->FindCategory("Fx.Leaky").get());
    EXPECT_EQ(HostStateListing(), withA);  // the leftovers were FxLeaky's only
    loader.UnloadAll();
    EXPECT_EQ(HostStateListing(), empty);
}

TEST_F(host_Loader, ClearErrors)
{
    ExpectError("FxNothing", "Package FxNothing not found");
    ExpectError("FxNoExport", "does not export Finalize");
    ExpectError("FxNoReg", "does not export its registration procedure FxBad_NotThere");
    ExpectError("FxCyc1", "requires cycle: FxCyc1 -> FxCyc2 -> FxCyc1");
    ExpectError("FxFailReg", "registration FxBad_Register failed: registration refused");
    ExpectError("FxInitFail", "initialisation failed: unit refuses to start");
    // errors of the package's own classes are read before its library closes
    ExpectError("FxInitOwn", "initialisation failed: own unit refuses to start");
    ExpectError("FxRegOwn", "registration FxBad_Register failed: own registration refused");
    EXPECT_TRUE(loader.Loaded().empty());
    // the failed registration was undone through the package's finalisation
    EXPECT_TRUE(log.Contains("FxFailReg init"));
    EXPECT_TRUE(log.Contains("FxFailReg fini"));
    EXPECT_FALSE(log.Contains("FxInitFail fini"));
    ExpectClean();
}

TEST_F(host_Loader, FailedRequirementUnloadsWhatTheCallLoaded)
{
    ExpectError("FxNeedsAbsent", "Package FxAbsent not found");
    EXPECT_TRUE(loader.Loaded().empty());
    EXPECT_TRUE(log.Contains("FxShared fini"));
    // a package loaded before the failing call stays
    loader.Load("FxA");
    ExpectError("FxNeedsAbsent", "FxAbsent");
    EXPECT_EQ(loader.Loaded(), (std::vector<String>{"FxA"}));
}

}  // namespace
