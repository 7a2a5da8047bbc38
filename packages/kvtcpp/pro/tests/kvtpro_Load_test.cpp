#include <gtest/gtest.h>

#include <cstdio>

#include "PackageTestHost.h"
#include "host/ClassExplorer.h"
#include "hostimpl/HostImpl.h"
#include "hostimpl/PackageLoader.h"
#include "host/ToDo.h"
#include "rtl/Files.h"

using namespace hostimpl;

namespace {

const char* const kPackage = "KVTPRO100";

class kvtpro_Load : public PackageTestHost {
protected:
    kvtpro_Load() : PackageTestHost("pro_load_", KVTPRO_PACKAGE_DIR) {}
    void TearDown() override
    {
        loader.reset();
        ToDoList().Clear();
        PackageTestHost::TearDown();
    }
};

TEST_F(kvtpro_Load, RegistersOnLoadAndLeavesNothingBehind)
{
    const int handlers = CFileHandlerCount();
    ASSERT_EQ(ToDoList().CreatorCount(), 0);
    ASSERT_EQ(GetCppClassExplorerController(), nullptr);

    loader->Load(kPackage);
    EXPECT_EQ(CFileHandlerCount(), handlers + 1);
    ASSERT_NE(FindCFileHandler("x.cpp"), nullptr);
    EXPECT_EQ(String(FindCFileHandler("x.cpp")->ClassName), "TCppCFileHandler");
    EXPECT_EQ(FindCFileHandler("x.cxx"), nullptr);
    EXPECT_EQ(ToDoList().CreatorCount(), 2);
    TIntfPtr<TClassExplorer> c = GetCppClassExplorerController();
    ASSERT_NE(c, nullptr);
    EXPECT_TRUE(c->NodeSelected(nullptr));
    c.reset();

    // the package's managers at work through the host's list
    AtomicWriteFile(dir + "a.cpp", "// TODO 4 -c load: from the package\n");
    ToDoList().OpenModule(dir + "a.cpp", "");
    TSourceToDoManager* m = ToDoList().ManagerFor(dir + "a.cpp");
    ASSERT_NE(m, nullptr);
    m->Parse();
    ASSERT_EQ(m->Items().size(), 1u);
    EXPECT_EQ(m->Items()[0].Category, "load");
    ASSERT_NE(ToDoList().ManagerFor(dir + "a.h"), nullptr);

    loader->Unload(kPackage);  // raises when the package left something registered
    EXPECT_FALSE(loader->IsLoaded(kPackage));
    EXPECT_EQ(CFileHandlerCount(), handlers);
    EXPECT_EQ(ToDoList().CreatorCount(), 0);
    EXPECT_EQ(ToDoList().ManagerCount(), 0);
    EXPECT_EQ(GetCppClassExplorerController, &DefaultGetCppClassExplorerController);
    EXPECT_EQ(GetCppClassExplorerController(), nullptr);

    // and again: the units initialise anew
    loader->Load(kPackage);
    EXPECT_EQ(ToDoList().CreatorCount(), 2);
    EXPECT_NE(GetCppClassExplorerController(), nullptr);
    loader->Unload(kPackage);
    EXPECT_EQ(ToDoList().CreatorCount(), 0);
}

TEST_F(kvtpro_Load, IdeHostLoadsAndUnloads)
{
    const String cmd = String(KVTPRO_IDEHOST) + " --packages " + KVTPRO_PACKAGE_DIR + " --dir " + dir +
                       " load " + kPackage + " unload " + kPackage + " 2>&1";
    FILE* p = popen(cmd.c_str(), "r");
    ASSERT_NE(p, nullptr);
    String out;
    char buf[256];
    while (fgets(buf, sizeof buf, p)) out += buf;
    EXPECT_EQ(pclose(p), 0) << out;
}

}  // namespace
