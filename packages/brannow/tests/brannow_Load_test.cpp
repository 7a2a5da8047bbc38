#include <gtest/gtest.h>

#include <dlfcn.h>

#include "PackageTestHost.h"
#include "host/DeskMenus.h"
#include "hostimpl/HostImpl.h"
#include "host/IDEControl.h"
#include "hostimpl/PackageLoader.h"
#include "rtl/Files.h"

using namespace hostimpl;

namespace {

const char* const kPackage = "Brannow100";

class brannow_Load : public PackageTestHost {
protected:
    brannow_Load() : PackageTestHost("brannow_load_", BRANNOW_PACKAGE_DIR) {}
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
    LoadWithMainForm(kPackage);
    EXPECT_NO_THROW(loader->Unload(kPackage));
}

TEST_F(brannow_Load, UnloadBeforeTheMainWindowIsClean)
{
    loader->Load(kPackage);
    EXPECT_NO_THROW(loader->Unload(kPackage));
    EXPECT_EQ(MainFormCreated().Count(), 0);
}
