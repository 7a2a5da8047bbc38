#include <gtest/gtest.h>

#include <dlfcn.h>

#include "PackageTestHost.h"
#include "host/Actions.h"
#include "host/BuildTools.h"
#include "host/CodeUpdaters.h"
#include "host/EnvironmentOptions.h"
#include "host/FileOpenHandlers.h"
#include "host/MainMenu.h"
#include "host/Registry.h"
#include "host/CppPersonality.h"
#include "host/CppProject.h"
#include "hostimpl/HostImpl.h"
#include "hostimpl/PackageLoader.h"
#include "rtl/Files.h"
#include "rtl/ScopeGuard.h"
#include "zub/Dialogs.h"
#include "zub/Graphics.h"
#include "zub/ImgList.h"

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
            // a real picture in the package's library
            TPicture icon;
            ASSERT_NO_THROW(icon.LoadFromIconResource(e.Module, e.IconName));
            EXPECT_EQ(icon.Width(), 32);
            EXPECT_EQ(icon.Height(), 32);
        }
    EXPECT_TRUE(found);
    // the five images the actions' indexes name
    ASSERT_EQ(IDEMainMenu()->ImageLists().size(), 1u);
    EXPECT_EQ(IDEMainMenu()->ImageLists()[0]->Count(), 5);
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
    ASSERT_TRUE(ForceDirectories(dir + "proj"));
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

TEST_F(KvtidlLoad, CorbaWizardsOfferToAddIdlFilesToAProjectWithoutOne)
{
    auto dialogs = std::make_shared<THeadlessDialogs>();
    auto previous = SetDialogs(dialogs);
    TScopeGuard restore([&] { SetDialogs(previous); });
    AtomicWriteFile(dir + "bank.idl", "module Bank {};\n");
    NewCppProject(dir + "P.mak");
    auto group = MainProjectGroup();
    const int before = group->OpenModuleCount();
    SetDialogAnswer("open.files", "bank.idl");
    dialogs->AddAnswer(mrNo);
    EXPECT_TRUE(FindAction(IDEApplication(), "CORBAUseObject")->Execute());
    ASSERT_EQ(dialogs->Shown().size(), 1u);
    EXPECT_EQ(dialogs->Shown()[0].Text,
              "A project can't use a CORBA object unless the project contains an IDL "
              "file.  Choose Yes to add an IDL file to the project.");
    EXPECT_EQ(group->OpenModuleCount(), before) << "No asks for no file";
    dialogs->AddAnswer(mrYes);
    EXPECT_TRUE(FindAction(IDEApplication(), "CORBANewObjectImpl")->Execute());
    ASSERT_EQ(dialogs->Shown().size(), 2u);
    EXPECT_EQ(dialogs->Shown()[1].Text,
              "A CORBA object implementation cannot be created unless the project "
              "contains an IDL file.  Choose Yes to add an IDL file to the project.");
    ASSERT_EQ(group->OpenModuleCount(), before + 1);
    EXPECT_EQ(ExtractFileName(group->OpenModule(before)->FileName()), "bank.idl");
    // a project with an IDL file is not asked
    ActiveCppProject()->AddItem(dir + "bank.idl");
    EXPECT_TRUE(FindAction(IDEApplication(), "CORBAUseObject")->Execute());
    EXPECT_EQ(dialogs->Shown().size(), 2u);
}

namespace {
std::vector<String> MenuNames(const char* menu)
{
    std::vector<String> r;
    TMenuItem* m = IDEMainMenu()->FindItem(menu);
    for (int i = 0; i < m->Count(); ++i) r.push_back(m->Items(i)->Name());
    return r;
}
}  // namespace

TEST_F(KvtidlLoad, SeparatorsFollowTheirHostItemsInTheMainMenu)
{
    EXPECT_EQ(MenuNames("ToolsMenu"),
              (std::vector<String>{"ToolsOptionsItem", "ToolsGalleryItem", "CORBAToolsSeparator1",
                                   "CORBAToolsSeparator2", "ToolsToolsItem"}));
    const auto edit = MenuNames("EditMenu");
    ASSERT_GE(edit.size(), 2u);
    EXPECT_EQ(edit[edit.size() - 2], "EditLockControlsItem");
    EXPECT_EQ(edit.back(), "CORBAEditSeparator");
    for (const char* name : {"CORBAEditSeparator", "CORBAToolsSeparator1", "CORBAToolsSeparator2"}) {
        TMenuItem* item = IDEMainMenu()->FindItem(name);
        ASSERT_NE(item, nullptr) << name;
        EXPECT_EQ(item->Caption(), "-");
        EXPECT_EQ(item->Owner(), IDEMainMenu()->Owner());
        EXPECT_EQ(item->Count(), 0);
    }
    ASSERT_EQ(IDEMainMenu()->ImageLists().size(), 1u);
    EXPECT_EQ(IDEMainMenu()->ImageLists()[0]->Name(), "ImageList1");
}

TEST_F(KvtidlLoad, ASeparatorTheHostFreedFirstIsNotFreedAgain)
{
    delete IDEMainMenu()->FindItem("CORBAToolsSeparator1");
    loader->Unload(kPackage);
    EXPECT_EQ(IDEMainMenu()->FindItem("CORBAToolsSeparator2"), nullptr);
    EXPECT_EQ(IDEMainMenu()->FindItem("CORBAEditSeparator"), nullptr);
}

TEST_F(KvtidlLoad, IdlFilesOpenOnceWithTheirCodeUpdater)
{
    AtomicWriteFile(dir + "X.IDL", "module X {};\n");
    bool listed = false;
    for (const TFilterEntry& f : OpenFileFilters()) listed |= f.Filter == "IDL File (*.idl)|*.idl";
    EXPECT_TRUE(listed);
    auto group = MainProjectGroup();
    const int before = group->OpenModuleCount();
    ASSERT_TRUE(OpenFileWithHandlers(dir + "X.IDL"));  // the extension in any case
    ASSERT_TRUE(OpenFileWithHandlers(dir + "X.IDL"));
    ASSERT_EQ(group->OpenModuleCount(), before + 1) << "opened again, the open module is shown";
    TIntfPtr<IQModule> m = group->OpenModule(before);
    EXPECT_EQ(m->ShowCount(), 2);
    EXPECT_EQ(m->File(0)->Source(), "module X {};\n");
    EXPECT_FALSE(OpenFileWithHandlers(dir + "X.txt"));

    TIntfPtr<IQCodeUpdater> u = CodeUpdaterOf(m.get());
    ASSERT_NE(u, nullptr);
    EXPECT_EQ(u->GetModuleName(), "X.IDL");
    EXPECT_EQ(u->GetModuleTab(), "X.IDL");
    EXPECT_TRUE(u->GetEditable());
    EXPECT_TRUE(u->GetShowSource());
    EXPECT_TRUE(u->GetModified());
    EXPECT_FALSE(u->HasForm());
    EXPECT_FALSE(u->HasCompanionFile());
    EXPECT_EQ(u->GetAncestorClassName(), "");
    EXPECT_EQ(RunParseHandlers(dir + "X.IDL"), 1);  // its own, doing nothing
    u.reset();
    const String path = loader->LibraryPath(kPackage);
    loader->Unload(kPackage);
    EXPECT_EQ(CodeUpdaterOf(m.get()), nullptr);
    EXPECT_EQ(RunParseHandlers(dir + "X.IDL"), 0);
}

TEST_F(KvtidlLoad, OptionsDialogOkSavesCancelReloads)
{
    ASSERT_EQ(AddInOptionsList().size(), 1u);
    const String key = String(rkBaseRegKey) + "\\CORBA";
    TRegistry().DeleteKey(key);
    // later tests of this process start from the defaults again
    TScopeGuard defaults([&] { TRegistry().DeleteKey(key); });
    for (bool ok : {false, true}) {
        TEnvironmentOptionsDialog dialog;
        ASSERT_EQ(dialog.Sheets().size(), 1u);
        TPropertySheet* page = dialog.Sheets()[0];
        EXPECT_EQ(page->Caption, "CORBA");
        EXPECT_FALSE(page->TabVisible);
        ASSERT_EQ(page->CheckBoxes.size(), 2u);
        EXPECT_EQ(page->CheckBoxes[0].Group, " Update object options ");
        EXPECT_EQ(page->CheckBoxes[0].Caption, "&Show updates");
        EXPECT_EQ(page->CheckBoxes[1].Group, " IDL file options ");
        EXPECT_EQ(page->CheckBoxes[1].Caption, "&Verify IDL include files");
        dialog.SetCheckBox("CORBA.VerifyIDLIncludes", "False");
        EXPECT_THROW(dialog.SetCheckBox("CORBA.IrName", "x"), EHostError);  // no check box of it
        dialog.Close(ok);
        EXPECT_EQ(TRegistry().KeyExists(key), ok);
    }
    EXPECT_FALSE(TRegistry().ReadBool(key, "VerifyIDLIncludes", true));
}

TEST_F(KvtidlLoad, GeneratedUnitsBecomeModulesFromWhatTheirFilesHold)
{
    AtomicWriteFile(dir + "bank.idl", "module Bank { interface Account { void ping(); }; };\n");
    NewCppProject(dir + "P.mak");
    TIntfPtr<IQCppProject> p = ActiveCppProject();
    ASSERT_NE(p, nullptr);
    p->AddItem(dir + "bank.idl");
    std::unique_ptr<TIdlCompilerHelperBase> h(IdlCompilerHelperClass(p.get()));
    ASSERT_TRUE(h->IdlAll("", nullptr, 0, false));
    auto group = MainProjectGroup();
    auto find = [&](const String& f) {
        TIntfPtr<IQModule> found;
        for (int i = 0; i < group->OpenModuleCount(); ++i)
            if (group->OpenModule(i)->FileName() == f) found = group->OpenModule(i);
        return found;
    };
    for (const char* base : {"bank_c", "bank_s"}) {
        TIntfPtr<IQModule> m = find(dir + base + ".cc");
        ASSERT_NE(m, nullptr) << base;
        ASSERT_EQ(m->FileCount(), 2);
        EXPECT_EQ(m->File(0)->Source(), ReadFileBytes(dir + base + ".cc"));
        EXPECT_EQ(m->File(1)->FileName(), dir + base + ".hh");
        EXPECT_EQ(m->File(1)->Source(), ReadFileBytes(dir + base + ".hh"));
        EXPECT_FALSE(m->File(1)->Source().empty());
        EXPECT_FALSE(m->Modified());
        EXPECT_EQ(m->ShowCount(), 0);
        EXPECT_EQ(p->ItemCompiler(dir + base + ".cc"), "CCompiler");
    }
    // nothing to compile: the units are announced again and their open modules stand
    const int open = group->OpenModuleCount();
    ASSERT_TRUE(h->IdlAll("", nullptr, 0, false));
    EXPECT_EQ(group->OpenModuleCount(), open);
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
    EXPECT_EQ(OpenHandlerCount(), 0);
    EXPECT_TRUE(AddInOptionsList().empty());
    EXPECT_EQ(IDEMainMenu()->FindItem("CORBAToolsSeparator1"), nullptr);
    EXPECT_TRUE(IDEMainMenu()->ImageLists().empty());
    EXPECT_THROW(TEnvironmentOptionsDialog().SetCheckBox("CORBA.VerifyIDLIncludes", "true"), EHostError);
    LoadWithMainForm(kPackage);
    EXPECT_NE(IdlCompilerHelperClass, nullptr);
    ASSERT_EQ(BuildTools().size(), 1u);
    EXPECT_EQ(BuildTools()[0]->Name(), "IDLCompiler");
    EXPECT_NE(FindAction(IDEApplication(), "CORBANewIdl"), nullptr);
}
