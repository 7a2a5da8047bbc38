#include <gtest/gtest.h>

#include <dlfcn.h>

#include "PackageTestHost.h"
#include "host/Actions.h"
#include "host/BuildTools.h"
#include "host/CppPersonality.h"
#include "hostimpl/HostImpl.h"
#include "hostimpl/PackageLoader.h"
#include "rtl/Files.h"

using namespace hostimpl;

namespace {

const char* const kPackage = "KVTIDL100";

class KvtidlLoad : public PackageTestHost {
protected:
    KvtidlLoad() : PackageTestHost("kvtidl_load_", KVTIDL_PACKAGE_DIR) {}
    void SetUp() override
    {
        PackageTestHost::SetUp();
        LoadWithMainForm(kPackage);
    }
};

}  // namespace

TEST_F(KvtidlLoad, RequiredPackageLoadsFirst)
{
    const std::vector<String> order = loader->Loaded();
    ASSERT_EQ(order.size(), 2u);
    EXPECT_EQ(order[0], "KVTPRO100");
    EXPECT_EQ(order[1], kPackage);
}

TEST_F(KvtidlLoad, GalleryItemAndCommands)
{
    bool found = false;
    for (const TGalleryEntry& e : GalleryEntries())
        if (e.Caption == "CORBA IDL File") {
            found = true;
            EXPECT_EQ(e.CategoryId, "Quistor.Tolvane.NewFiles");
            EXPECT_EQ(e.IconName, "NEWIDLFILE");
            EXPECT_EQ(e.Id, "NewKVTIdlFile");
        }
    EXPECT_TRUE(found);
    struct Want {
        const char *name, *category, *caption, *hint;
        int image;
    };
    const Want want[] = {
        {"CORBAUpdateObjects", "CORBA", "C&ORBA Refresh", "CORBA Refresh", 0},
        {"CORBAUseObject", "CORBA", "Use CORBA Ob&ject...", "Use CORBA Object...", 1},
        {"ViewCORBACommands", "View", "CORBA", "CORBA", -1},
        {"CORBAKrotir", "CORBA", "IDL Repositor&y...", "IDL Repository...", 2},
        {"CORBANewIdl", "CORBA", "New IDL File", "New IDL File", 3},
        {"CORBANewObjectImpl", "CORBA", "New CORBA Object Implementation", "New CORBA Object Implementation",
         4},
    };
    for (const Want& w : want) {
        TAction* a = FindAction(IDEApplication(), w.name);
        ASSERT_NE(a, nullptr) << w.name;
        EXPECT_EQ(a->Category, w.category);
        EXPECT_EQ(a->Caption, w.caption);
        EXPECT_EQ(a->Hint, w.hint);
        EXPECT_EQ(a->ImageIndex, w.image);
    }
    // Without a CORBA tool bar the view action does nothing.
    EXPECT_TRUE(FindAction(IDEApplication(), "ViewCORBACommands")->Execute());
}

TEST_F(KvtidlLoad, GalleryItemCreatesAnEmptyIdlFile)
{
    ClearReceivedFiles();
    ASSERT_TRUE(RunGalleryItem("Quistor.Tolvane.NewFiles", "CORBA IDL File"));
    auto files = ReceivedFiles();
    ASSERT_EQ(files.size(), 1u);
    EXPECT_EQ(ExtractFileExt(files[0].FileName), ".idl");
    EXPECT_EQ(files[0].Text, "");
    // no project: the host's folder, never the process's working folder
    EXPECT_EQ(ExtractFilePath(files[0].FileName), dir);
}

TEST_F(KvtidlLoad, NewIdlFileGoesToTheProjectFolder)
{
    ForceDirectories(dir + "proj");
    NewCppProject(dir + "proj/P.mak");
    ClearReceivedFiles();
    ASSERT_TRUE(RunGalleryItem("Quistor.Tolvane.NewFiles", "CORBA IDL File"));
    ASSERT_EQ(ReceivedFiles().size(), 1u);
    EXPECT_EQ(ReceivedFiles()[0].FileName, dir + "proj/File1.idl");
}

TEST_F(KvtidlLoad, NewIdlActionRunsItsEmptyHandler)
{
    ClearReceivedFiles();
    EXPECT_TRUE(FindAction(IDEApplication(), "CORBANewIdl")->Execute());
    EXPECT_TRUE(ReceivedFiles().empty());
}

TEST_F(KvtidlLoad, UnloadLeavesNothingBehind)
{
    const String path = loader->LibraryPath(kPackage);
    loader->Unload(kPackage);  // raises if anything was left registered
    EXPECT_EQ(dlopen(path.c_str(), RTLD_NOW | RTLD_NOLOAD), nullptr);
    EXPECT_EQ(FindAction(IDEApplication(), "CORBANewIdl"), nullptr);
    for (const TGalleryEntry& e : GalleryEntries()) EXPECT_NE(e.Caption, "CORBA IDL File");
    EXPECT_EQ(MainFormCreated().Count(), 0);
    EXPECT_EQ(IdlCompilerHelperClass, nullptr);
    EXPECT_EQ(IdlOptionsUpdaterClass, nullptr);
    EXPECT_TRUE(BuildTools().empty());
    LoadWithMainForm(kPackage);
    EXPECT_NE(IdlCompilerHelperClass, nullptr);
    ASSERT_EQ(BuildTools().size(), 1u);
    EXPECT_EQ(BuildTools()[0]->Name(), "IDLCompiler");
    EXPECT_NE(FindAction(IDEApplication(), "CORBANewIdl"), nullptr);
}
