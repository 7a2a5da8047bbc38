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

// ---- environment options

#include "host/EnvironmentOptions.h"
#include "host/Registry.h"

namespace {

const String kTestKey = String(rkBaseRegKey) + "\\HostOptionsTest";

TEST_F(host_MainWindow, HistoryIsMostRecentFirstAndKeptBelowItsKey)
{
    TRegistry().DeleteKey(kTestKey);
    THistoryManager h(nullptr);
    h.KeyPath = kTestKey;
    h.MaxItems = 3;
    for (const char* s : {"a", "b", "c", "b", "d"}) h.Add(s);
    EXPECT_EQ(h.Items, (std::vector<String>{"d", "b", "c"}));
    h.SaveHistory();
    THistoryManager again(nullptr);
    again.KeyPath = kTestKey;
    again.Items = {"stale"};
    again.LoadHistory();
    EXPECT_EQ(again.Items, h.Items);
    again.MaxItems = 2;  // a shorter list takes the most recent only
    again.LoadHistory();
    EXPECT_EQ(again.Items, (std::vector<String>{"d", "b"}));
    TRegistry().DeleteKey(kTestKey);
}

TEST_F(host_MainWindow, PropertySetsLoadWhatTheKeyHoldsAndDefaultsForTheRest)
{
    TRegistry().DeleteKey(kTestKey);
    TRegistryPropSet set(nullptr);
    set.SetName("Set");
    set.KeyPath = kTestKey;
    set.AddField("Flag", TRegistryPropSet::ftBoolean, "True", "&Flag");
    set.AddField("Count", TRegistryPropSet::ftInteger, "", "Count");
    set.AddField("Name", TRegistryPropSet::ftString, "none", "Name");
    EXPECT_THROW(set.AddField("flag", TRegistryPropSet::ftString, "", ""), EHostError);
    struct Case {
        const char* value;
        bool checked;
    };
    for (const Case& c : {Case{"yes", true}, Case{"1", true}, Case{"TRUE", true}, Case{"No", false},
                          Case{"0", false}, Case{"false", false}}) {
        set.SetValue("Flag", c.value);
        EXPECT_EQ(set.BoolValue("Flag"), c.checked) << c.value;
    }
    EXPECT_THROW(set.SetValue("Flag", "2"), EConvertError);
    EXPECT_THROW(set.Value("Missing"), EHostError);
    EXPECT_EQ(set.IntValue("Count"), 0);  // no default given

    TRegistry().WriteString(kTestKey, "Name", "kept");
    set.SetValue("Count", "7");
    set.LoadFromRegistry();
    EXPECT_EQ(set.Value("Name"), "kept");
    EXPECT_EQ(set.Value("Count"), "");
    EXPECT_TRUE(set.BoolValue("Flag"));
    set.SetValue("Count", "12");
    set.SetValue("Flag", "no");
    set.SaveToRegistry();
    TRegistryPropSet again(nullptr);
    again.KeyPath = kTestKey;
    again.AddField("Flag", TRegistryPropSet::ftBoolean, "True", "");
    again.AddField("Count", TRegistryPropSet::ftInteger, "", "");
    again.LoadFromRegistry();
    EXPECT_FALSE(again.BoolValue("Flag"));
    EXPECT_EQ(again.IntValue("Count"), 12);
    // booleans as a user or another program wrote them; what is none stays the default
    for (const Case& c : {Case{"Yes", true}, Case{"1", true}, Case{"true", true}, Case{"NO", false},
                          Case{"0", false}, Case{"maybe", true}}) {
        TRegistry().WriteString(kTestKey, "Flag", c.value);
        again.LoadFromRegistry();
        EXPECT_EQ(again.BoolValue("Flag"), c.checked) << c.value;
    }
    TRegistry().DeleteKey(kTestKey);
}

class TNoteOptions : public TAddInOptions {
public:
    using TAddInOptions::TAddInOptions;
    void CustomizeDialog(TEnvironmentOptionsDialog& d) override { d.AddSheet(Page); }
    static inline String Page = "TNotePage";
    static inline int Created = 0;
};
TAddInOptions* NewNoteOptions(TComponent* owner)
{
    auto* o = new TNoteOptions(owner);
    o->SetName("NoteOptions");
    o->OnCreate = [](TObject*) { ++TNoteOptions::Created; };
    return o;
}

TEST_F(host_MainWindow, AddInOptionsAndTheirPagesAreListedWhileRegistered)
{
    const auto before = HostStateListing();
    TAddInOptions* o = RegisterAddInOptions(NewNoteOptions);
    EXPECT_EQ(TNoteOptions::Created, 1);
    RegisterPropertySheetClass("TNotePage", [](TComponent* owner) { return new TPropertySheet(owner); });
    const auto listed = HostStateListing();
    EXPECT_NE(std::find(listed.begin(), listed.end(), "property sheet class TNOTEPAGE @host_tests"),
              listed.end());
    EXPECT_EQ(listed.size(), before.size() + 2);
    {
        TEnvironmentOptionsDialog d;
        EXPECT_EQ(d.Sheets().size(), 1u);
    }
    TNoteOptions::Page = "TNoSuchPage";  // a page class nobody registered
    EXPECT_THROW(TEnvironmentOptionsDialog(), EHostError);
    TNoteOptions::Page = "TNotePage";
    UnregisterPropertySheetClass("tnotepage");
    UnregisterAddInOptions(o);
    UnregisterAddInOptions(o);  // once gone, nothing
    EXPECT_TRUE(AddInOptionsList().empty());
    EXPECT_EQ(HostStateListing(), before);
}

}  // namespace
