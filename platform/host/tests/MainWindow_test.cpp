// The main window's services: the named main menu, images handed to the IDE, and the code
// updaters of open modules.
#include <gtest/gtest.h>

#include "ProjectTestHost.h"
#include "host/CodeUpdaters.h"
#include "host/MainMenu.h"
#include "hostimpl/HostImpl.h"
#include "hostimpl/StateListing.h"

using namespace hostimpl;

namespace {

class host_MainWindow : public ProjectTestHost {
protected:
    host_MainWindow() : ProjectTestHost("host_mainwindow_") {}
    static std::vector<String> Names(TMenuItem* parent)
    {
        std::vector<String> r;
        for (int i = 0; i < parent->Count(); ++i) r.push_back(parent->Items(i)->Name());
        return r;
    }
};

TEST_F(host_MainWindow, ItemsGoRightAfterTheNamedItemAtItsLevel)
{
    auto nta = RequireService<IQNTAServices>("main window");
    TMainMenu* menu = nta->GetMainMenu();
    ASSERT_EQ(menu, IDEMainMenu());
    auto* a = new TMenuItem(menu->Owner());
    a->SetName("A");
    auto* b = new TMenuItem(menu->Owner());
    b->SetName("B");
    nta->InsertMenuItemAfter(a, "ToolsGalleryItem");
    nta->InsertMenuItemAfter(b, "toolsgalleryitem");  // names in any letter case
    EXPECT_EQ(Names(menu->FindItem("ToolsMenu")),
              (std::vector<String>{"ToolsOptionsItem", "ToolsGalleryItem", "B", "A", "ToolsToolsItem"}));
    EXPECT_EQ(Names(menu->FindItem("ToolsGalleryItem")), std::vector<String>{});  // not as a child
    const auto listed = HostStateListing();
    EXPECT_NE(std::find(listed.begin(), listed.end(), "main menu /ToolsMenu #3 A \"\""), listed.end());
    delete a;
    delete b;
    EXPECT_EQ(Names(menu->FindItem("ToolsMenu")),
              (std::vector<String>{"ToolsOptionsItem", "ToolsGalleryItem", "ToolsToolsItem"}));
}

TEST_F(host_MainWindow, AnUnknownItemNameIsAnErrorAndInsertsNothing)
{
    auto nta = RequireService<IQNTAServices>("main window");
    const auto before = HostStateListing();
    TMenuItem item(nullptr);
    item.SetName("X");
    EXPECT_THROW(nta->InsertMenuItemAfter(&item, "NoSuchItem"), EHostError);
    EXPECT_EQ(HostStateListing(), before);
}

TEST_F(host_MainWindow, ImagesAreShownWhileTheirListLives)
{
    auto nta = RequireService<IQNTAServices>("main window");
    auto* first = new TImageList(nullptr);
    first->SetName("First");
    first->Add(TPicture());
    first->Add(TPicture());
    auto* second = new TImageList(nullptr);
    second->SetName("Second");
    EXPECT_EQ(nta->AddImages(first), 0);
    EXPECT_EQ(nta->AddImages(second), 2);
    EXPECT_EQ(nta->AddImages(first), 0);  // once only
    EXPECT_EQ(IDEMainMenu()->ImageLists().size(), 2u);
    delete first;
    EXPECT_EQ(IDEMainMenu()->ImageLists(), std::vector<TImageList*>{second});
    delete second;
    EXPECT_TRUE(IDEMainMenu()->ImageLists().empty());
}

class TNoteUpdater : public TCodeUpdater {
public:
    explicit TNoteUpdater(TIntfPtr<IQModule> m) : FManager(std::move(m))
    {
        FHandler = AddParseHandler(FManager.Module()->FileName(), &FManager, [] { ++Parsed; });
    }
    ~TNoteUpdater() override { RemoveParseHandler(FHandler); }
    String GetModuleName() override { return FManager.Module()->UnitName(); }
    static inline int Parsed = 0;

private:
    TCppManager FManager;
    int FHandler;
};

class TNoteUpdaters : public TBaseCreateUpdaters {
public:
    bool HandlesFile(const String& f) override { return SameText(ExtractFileExt(f), ".note"); }
    TIntfPtr<IQCodeUpdater> Create(IQModule* m) override
    {
        ++Made;
        return TIntfPtr<IQCodeUpdater>(new TNoteUpdater(TIntfPtr<IQModule>(m)));
    }
    int Made = 0;
};

TEST_F(host_MainWindow, CodeUpdatersAreMadeOncePerModuleAndGoWithTheirMaker)
{
    TIntfPtr<TNoteUpdaters> makers(new TNoteUpdaters);
    RegisterCreateUpdaters(TIntfPtr<IQCreateUpdaters>(makers.get()));
    TIntfPtr<IQModuleCreator> c1(new TCppCreator(dir + "a.NOTE")), c2(new TCppCreator(dir + "b.cpp"));
    auto note = ModuleServices()->CreateModule(c1.get(), nullptr);
    auto cpp = ModuleServices()->CreateModule(c2.get(), nullptr);
    EXPECT_EQ(CodeUpdaterOf(cpp.get()), nullptr);
    TIntfPtr<IQCodeUpdater> u = CodeUpdaterOf(note.get());
    ASSERT_NE(u, nullptr);
    EXPECT_EQ(u->GetModuleName(), "a");
    EXPECT_EQ(CodeUpdaterOf(note.get()).get(), u.get());
    EXPECT_EQ(makers->Made, 1);
    EXPECT_EQ(RunParseHandlers(dir + "a.note"), 1);  // file names compare as the host compares them
    EXPECT_EQ(TNoteUpdater::Parsed, 1);
    u.reset();
    UnRegisterCreateUpdaters(makers.get());
    EXPECT_EQ(RunParseHandlers(dir + "a.NOTE"), 0) << "the updater went with its maker";
    EXPECT_EQ(CodeUpdaterOf(note.get()), nullptr);
}

}  // namespace
