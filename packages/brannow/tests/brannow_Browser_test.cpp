#include <gtest/gtest.h>

#include "Language.h"
#include "Pluggableregistry.h"
#include "PropertyPages.h"
#include "Plugs.h"
#include "testsupport/TestDir.h"
#include "Typebrowserview.h"
#include "host/CurrentPersonality.h"
#include "hostimpl/HostImpl.h"
#include "host/Package.h"
#include "host/ToolsAPI.h"
#include "rtl/Files.h"

extern "C" const TPackageInfoTable* GetPackageInfoTable();

namespace {

// A source that knows one root and, if asked, can browse to symbols.
class TBrowsingSource : public TTestSource, public virtual IPluggableSymbolBrowser {
public:
    HRESULT QueryInterface(const TGUID& iid, void** obj) override
    {
        if (Browses && QueryAs<IPluggableSymbolBrowser>(this, iid, obj)) return S_OK;
        return TTestSource::QueryInterface(iid, obj);
    }
    int AddRef() override { return TTestSource::AddRef(); }
    int Release() override { return TTestSource::Release(); }
    bool BrowseToSymbol(const String& name) override
    {
        Browsed.push_back(name);
        return name == "System.Reflection.Assembly" || name == "Ärger";
    }
    bool Browses = false;
    std::vector<String> Browsed;
};

class TTestFactory : public TTestSourceFactoryBase {
public:
    void CreateSource(TIntfPtr<IPluggableSource>& s) override
    {
        Last = TIntfPtr<TBrowsingSource>(new TBrowsingSource);
        Last->Browses = Browses;
        Last->AddNode("A", 20);
        Last->AddNode("B", 20);
        s = TIntfPtr<IPluggableSource>(Last);
    }
    void GetFilter(String& f) override { f = "Assemblies (*.dll)|*.dll"; }
    bool CanLoad(const String&) override { return Loads; }
    bool Loads = true;
    bool Browses = false;
    TIntfPtr<TBrowsingSource> Last;
};

class brannow_Browser : public ::testing::Test {
protected:
    String dir = IncludeTrailingPathDelimiter(ScratchDir() + "brannow_browser_" +
                                              testing::UnitTest::GetInstance()->current_test_info()->name());
    std::unique_ptr<hostimpl::THostSession> host;
    TIntfPtr<TTestFactory> factory{new TTestFactory};
    std::unique_ptr<TPluggableModule> module;
    bool finalized = false;

    void SetUp() override
    {
        FreshDir(dir);
        host = std::make_unique<hostimpl::THostSession>(dir);
        InitializePackage(GetPackageInfoTable());
        module = std::make_unique<TPluggableModule>(
            TIntfPtr<IPluggableSourceFactory>(factory),
            [](const String& f, const TIntfPtr<IPluggableSourceFactory>&) { return f.ends_with(".dll"); });
    }
    void Finalize()
    {
        // Nodes hold their tree, which goes with its view: let go of them first.
        factory->Last.reset();
        module.reset();
        FinalizePackage(GetPackageInfoTable());
        finalized = true;
    }
    void TearDown() override
    {
        if (!finalized) Finalize();
        while (!EditWindowList().empty()) delete EditWindowList().back();
        host.reset();
    }
    String ExistingFile(const String& name)
    {
        const String path = dir + name;
        AtomicWriteFile(path, "MZ");
        return path;
    }
    TGenericModule* Open(const String& path)
    {
        EXPECT_TRUE(OpenFileWithHandlers(path));
        return dynamic_cast<TGenericModule*>(FindDocModule(path));
    }
    TIntfPtr<IQTAHistoryServices> History() { return RequireService<IQTAHistoryServices>("history"); }
};

}  // namespace

TEST_F(brannow_Browser, ModuleRegistersItsOpenHandlerAndFilter)
{
    EXPECT_EQ(OpenHandlerCount(), 1);
    TFilterList filters = OpenFileFilters();
    ASSERT_EQ(filters.size(), 1u);
    EXPECT_EQ(filters[0].Filter, "Assemblies (*.dll)|*.dll");
    EXPECT_FALSE(OpenFileWithHandlers(dir + "notes.txt"));
    module->SetCanOpenEvent(nullptr);
    EXPECT_FALSE(OpenFileWithHandlers(dir + "x.dll"));  // no function: cannot open
    module.reset();
    EXPECT_EQ(OpenHandlerCount(), 0);
}

TEST_F(brannow_Browser, OpeningAFileShowsItsSourceInANumberedFrame)
{
    TGenericModule* m = Open(ExistingFile("System.dll"));
    ASSERT_NE(m, nullptr);
    EXPECT_EQ(m->ModuleFlag(), 2);
    TTypeBrowserView* v = m->View();
    ASSERT_NE(v, nullptr);
    EXPECT_EQ(v->GetTabText(), "System.dll");
    EXPECT_EQ(v->GetCaption(), "Browser");
    ASSERT_NE(v->Frame(), nullptr);
    EXPECT_EQ(v->Frame()->Name(), "browser0");
    EXPECT_TRUE(v->EditWindow()->Visible());
    EXPECT_EQ(v->EditWindow()->CurrentEditor(), v->Frame());
    EXPECT_EQ(factory->Last->Loaded, (std::vector<String>{dir + "System.dll"}));
    EXPECT_EQ(v->GetTreeView()->GetRootNodesCount(), 2);
    EXPECT_EQ(v->GetTreeView()->Selected()->Text(), "A");
    // a second file: same window, next frame number
    TGenericModule* m2 = Open(ExistingFile("Other.dll"));
    ASSERT_NE(m2, nullptr);
    EXPECT_EQ(m2->View()->Frame()->Name(), "browser1");
    EXPECT_EQ(m2->View()->EditWindow(), v->EditWindow());
}

TEST_F(brannow_Browser, NothingIsLoadedWhenTheFactorySaysNoOrTheFileIsMissing)
{
    factory->Loads = false;
    TGenericModule* m = Open(ExistingFile("a.dll"));
    ASSERT_NE(m, nullptr);
    EXPECT_TRUE(factory->Last->Loaded.empty());
    EXPECT_EQ(m->View()->GetTreeView()->GetSourceItemsCount(), 1);
    factory->Loads = true;
    TGenericModule* m2 = Open(dir + "missing.dll");
    ASSERT_NE(m2, nullptr);
    EXPECT_TRUE(factory->Last->Loaded.empty());
    EXPECT_EQ(m2->View()->GetTreeView()->GetRootNodesCount(), 2);
}

TEST_F(brannow_Browser, LanguageFollowsTheCurrentPersonality)
{
    auto ps = RequireService<IQTAPersonalityServices>("personalities");
    ps->SetCurrentPersonality("Tolvane.Personality");
    Open(ExistingFile("a.dll"));
    EXPECT_EQ(GetLanguage(), ltCPP);
    EXPECT_EQ(GetLanguageQuotation(), "");
    ps->SetCurrentPersonality("Pendro.Personality");
    Open(ExistingFile("b.dll"));
    EXPECT_EQ(GetLanguageQuotation(), "'");
}

TEST_F(brannow_Browser, SymbolBrowsingSourcesAreAskedForTheAssembly)
{
    factory->Browses = true;
    TGenericModule* m = Open(ExistingFile("a.dll"));
    ASSERT_NE(m, nullptr);
    EXPECT_EQ(factory->Last->Browsed, (std::vector<String>{"System.Reflection.Assembly"}));
    TIntfPtr<IQTABrowserModule> bm;
    ASSERT_TRUE(Supports(m->GetModuleIntf(), bm));
    EXPECT_TRUE(bm->BrowseToSymbol(u"\u00C4rger"));  // reaches the source as UTF-8
    EXPECT_EQ(factory->Last->Browsed.back(), "Ärger");
    EXPECT_FALSE(bm->BrowseToSymbol(u"Nothing"));
    // the interface outlives its module harmlessly
    m->Close();
    EXPECT_FALSE(bm->BrowseToSymbol(u"\u00C4rger"));
}

TEST_F(brannow_Browser, SelectionsGoIntoTheHostHistoryAndLeaveWithTheView)
{
    TGenericModule* m = Open(ExistingFile("a.dll"));
    ASSERT_NE(m, nullptr);
    TTypeBrowserView* v = m->View();
    TPluggableTreeView* tree = v->GetTreeView();
    auto hs = History();
    EXPECT_EQ(hs->GetBackCount() + hs->GetForwardCount() + 1, 1);  // A, selected by the source's Add
    tree->Select(tree->GetItem(1), false);  // B
    EXPECT_EQ(hs->GetBackCount(), 1);
    EXPECT_EQ(hs->GetItem(1)->GetCaption(), "B");
    EXPECT_TRUE(hs->GetItem(0)->IsEqual(hs->GetItem(0)));
    EXPECT_FALSE(hs->GetItem(0)->IsEqual(hs->GetItem(1)));
    // the host goes back: the view shows A again
    ASSERT_TRUE(hs->GoBack());
    EXPECT_EQ(tree->Selected()->Text(), "A");
    // closing the view closes its module and takes its items out of the history
    factory->Last.reset();  // nodes must not outlive their tree
    v->EditWindow()->CloseView(v);
    EXPECT_EQ(FindDocModule(dir + "a.dll"), nullptr);
    EXPECT_THROW(hs->GetItem(0), EHostError);
}

TEST_F(brannow_Browser, HistoryKeepsItsPlaceWhenTheHostMovesBack)
{
    factory->Last.reset();
    TGenericModule* m = Open(ExistingFile("a.dll"));
    ASSERT_NE(m, nullptr);
    TPluggableTreeView* tree = m->View()->GetTreeView();
    tree->Select(tree->GetItem(1), false);  // B
    tree->Select(tree->GetItem(0), false);  // A
    auto hs = History();
    ASSERT_EQ(hs->GetBackCount(), 2);  // A, B, A
    // the host steps back to B: the current item is of another node than the one left
    ASSERT_TRUE(hs->GoBack());
    EXPECT_EQ(tree->Selected()->Text(), "B");
    EXPECT_EQ(hs->GetBackCount(), 1);
    EXPECT_EQ(hs->GetForwardCount(), 1);  // nothing added, nothing dropped
    // choosing a node from the current place adds after it and drops what lay ahead
    tree->Select(tree->GetItem(0), false);
    EXPECT_EQ(hs->GetBackCount(), 2);
    EXPECT_EQ(hs->GetForwardCount(), 0);
    EXPECT_EQ(hs->GetItem(2)->GetCaption(), "A");
    EXPECT_EQ(m->View()->HistoryItemCount(), 5);  // every selection made an item
}

TEST_F(brannow_Browser, FrameTakesTheRegisteredPageFactories)
{
    RegisterPluggablePropertyPage(TIntfPtr<IPluggablePropertyPageFactory>(new TFlagsPageFactory));
    TGenericModule* m = Open(ExistingFile("a.dll"));
    ASSERT_NE(m, nullptr);
    TTypeBrowserFrame* f = m->View()->Frame();
    auto page = f->TreeView->GetPropertyPage(GUID_FlagsPagePlugID, "Flags");
    ASSERT_NE(page, nullptr);
    EXPECT_EQ(f->PageControl->PageCount(), 1);
    EXPECT_EQ(f->TreeView->GetPropertyPage(GUID_TextPagePlugID, "Text"), nullptr);
    // the frame's buttons drive the tree's history
    f->TreeView->Select(f->TreeView->GetItem(1), false);
    EXPECT_TRUE(f->BackButton->Enabled());
    f->BackButton->Click();
    EXPECT_EQ(f->TreeView->Selected()->Text(), "A");
    EXPECT_TRUE(f->ForewardButton->Enabled());
}

TEST_F(brannow_Browser, UnloadClosesTheViewsStillOpen)
{
    Open(ExistingFile("a.dll"));
    EXPECT_EQ(Typebrowserview::OpenViewCount(), 1);
    EXPECT_TRUE(EditViewManager()->IsRegistered("TTypeBrowserView"));
    Finalize();
    EXPECT_EQ(Typebrowserview::OpenViewCount(), 0);
    EXPECT_EQ(DocModuleCount(), 0);
    EXPECT_FALSE(EditViewManager()->IsRegistered("TTypeBrowserView"));
    EXPECT_EQ(History()->GetForwardCount() + History()->GetBackCount(), 0);
}
