#include <gtest/gtest.h>

#include <dlfcn.h>

#include "ScratchDir.h"
#include "host/DeskMenus.h"
#include "host/HostImpl.h"
#include "host/IDEControl.h"
#include "host/PackageLoader.h"
#include "rtl/Files.h"

using namespace hostimpl;

namespace {

const char* const kPackage = "Brannow100";

class brannow_Load : public ::testing::Test {
protected:
    String dir = IncludeTrailingPathDelimiter(ScratchDir() + "brannow_load_" +
                                              testing::UnitTest::GetInstance()->current_test_info()->name());
    std::unique_ptr<THostSession> host;
    std::unique_ptr<TPackageLoader> loader;

    void SetUp() override
    {
        ForceDirectories(dir);
        host = std::make_unique<THostSession>(dir);
        loader = std::make_unique<TPackageLoader>(BRANNOW_PACKAGE_DIR);
    }
    void TearDown() override
    {
        loader.reset();
        host.reset();
    }
};

}  // namespace

TEST_F(brannow_Load, UnloadLeavesNothingBehind)
{
    const TDeskMenuProc reg = Deskform::RegisterMenu, unreg = Deskform::UnregisterMenu;
    loader->Load(kPackage);
    EXPECT_EQ(MainFormCreated().Count(), 1);  // waits for the main window
    MainFormCreated().FirePending(IDEApplication());
    const String path = loader->LibraryPath(kPackage);
    loader->Unload(kPackage);  // raises if anything was left registered
    EXPECT_EQ(dlopen(path.c_str(), RTLD_NOW | RTLD_NOLOAD), nullptr);
    EXPECT_EQ(MainFormCreated().Count(), 0);
    EXPECT_EQ(Deskform::RegisterMenu, reg);
    EXPECT_EQ(Deskform::UnregisterMenu, unreg);
    EXPECT_EQ(IDEApplication()->ComponentCount(), 0);
    // the host goes on without it, and it loads again
    MainFormCreated().Fire(IDEApplication());
    loader->Load(kPackage);
    MainFormCreated().FirePending(IDEApplication());
    EXPECT_NO_THROW(loader->Unload(kPackage));
}

TEST_F(brannow_Load, UnloadBeforeTheMainWindowIsClean)
{
    loader->Load(kPackage);
    EXPECT_NO_THROW(loader->Unload(kPackage));
    EXPECT_EQ(MainFormCreated().Count(), 0);
}
