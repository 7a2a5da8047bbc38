#include "Typebrowserview.h"

#include <algorithm>

#include "Language.h"
#include "Pluggableregistry.h"
#include "host/CurrentPersonality.h"
#include "host/IDEControl.h"
#include "host/ToolsAPI.h"
#include "rtl/Files.h"

const char* const sBrowserCaption = "Browser";

namespace {
int gFrameNumber = 0;
std::vector<TTypeBrowserView*> gViews;

TIntfPtr<IQTAHistoryServices> HistoryServices()
{
    TIntfPtr<IQTAHistoryServices> hs;
    Supports(QuistorIDEServices(), hs);
    return hs;
}

// The node of a history item of ours, nullptr for another kind of item.
TIntfPtr<IPluggableTreeNode> NodeOf(const TIntfPtr<IQTAHistoryItem>& item)
{
    TIntfPtr<ITypeBrowserHistoryNode> h;
    if (!Supports(item, h)) return nullptr;
    return h->GetNode();
}

bool SameNode(IPluggableTreeNode* a, IPluggableTreeNode* b)
{
    return a && b && a->GetIndex() == b->GetIndex();
}
}  // namespace

String Utf16ToUtf8(const std::u16string& s)
{
    String out;
    for (std::size_t i = 0; i < s.size(); ++i) {
        char32_t c = s[i];
        if (c >= 0xD800 && c <= 0xDBFF && i + 1 < s.size() && s[i + 1] >= 0xDC00 && s[i + 1] <= 0xDFFF) {
            c = 0x10000 + ((c - 0xD800) << 10) + (s[i + 1] - 0xDC00);
            ++i;
        } else if (c >= 0xD800 && c <= 0xDFFF) {
            c = 0xFFFD;
        }
        AppendUtf8(out, c);
    }
    return out;
}

// --- open handler and module ---

bool TPluggableFileOpenHandler::CanOpen(const String& fileName)
{
    return CanOpenEvent ? CanOpenEvent(fileName, Factory) : false;
}

void TPluggableFileOpenHandler::GetFilters(TFilterList* list, bool onlyDefault)
{
    if (onlyDefault || !list || !Factory) return;
    String filter;
    Factory->GetFilter(filter);
    list->push_back({filter, this});
}

void TPluggableFileOpenHandler::FileOpen(const String& fileName)
{
    new TGenericModule(fileName, Factory, "");
}

TPluggableModule::TPluggableModule() : FHandler(new TPluggableFileOpenHandler)
{
    RegisterOpenHandler(FHandler);
}

TPluggableModule::TPluggableModule(const TIntfPtr<IPluggableSourceFactory>& factory, TCanOpenEvent canOpen)
    : TPluggableModule()
{
    FHandler->CanOpenEvent = std::move(canOpen);
    FHandler->Factory = factory;
}

TPluggableModule::~TPluggableModule()
{
    UnregisterOpenHandler(FHandler);
    delete FHandler;
}

// --- frame ---

TTypeBrowserFrame::TTypeBrowserFrame(TComponent* AOwner, TTypeBrowserView* view)
    : TViewFrame(AOwner), FView(view)
{
    ToolPanel = new TControl(this);
    ToolPanel->SetName("ToolPanel");
    ToolPanel->SetParent(this);
    ToolPanel->SetVisible(false);
    BackButton = new TSpeedButton(this);
    BackButton->SetName("BackButton");
    BackButton->SetParent(ToolPanel);
    ForewardButton = new TSpeedButton(this);
    ForewardButton->SetName("ForewardButton");
    ForewardButton->SetParent(ToolPanel);
    TreeViewPanel = new TControl(this);
    TreeViewPanel->SetName("TreeViewPanel");
    TreeViewPanel->SetParent(this);
    Splitter1 = new TControl(this);
    Splitter1->SetName("Splitter1");
    Splitter1->SetParent(this);
    PageControl = new TPageControl(this);
    PageControl->SetName("PageControl");
    PageControl->SetParent(this);

    TreeView = new TPluggableTreeView(this);
    TreeView->SetParent(TreeViewPanel);
    TreeView->SetPageControl(PageControl);
    TreeView->SetBackButton(BackButton);
    TreeView->SetForewardButton(ForewardButton);
    TreeView->OnSelect = [this](TObject*, IPluggableTreeNode* oldNode, IPluggableTreeNode* newNode) {
        RecordSelection(oldNode, newNode);
    };
    for (int i = 0; i < GetPluggablePropertyPageCount(); ++i)
        TreeView->RegisterPageFactory(GetPluggablePropertyPage(i));
    BackButton->OnClick = [this](TObject*) { TreeView->GoBack(); };
    ForewardButton->OnClick = [this](TObject*) { TreeView->GoForeward(); };
}

void TTypeBrowserFrame::RecordSelection(IPluggableTreeNode* oldNode, IPluggableTreeNode* newNode)
{
    TIntfPtr<IQTAHistoryItem> item(new THistoryItem(TreeView, TIntfPtr<IPluggableTreeNode>(newNode), FView));
    TIntfPtr<IQTAHistoryServices> hs = HistoryServices();
    if (!hs) return;
    TIntfPtr<IQTAHistoryItem> current;
    int back = 0;
    if (oldNode && (back = hs->GetBackCount()) > 0) {
        try {
            current = hs->GetItem(back);
        } catch (...) {
            current.reset();  // the history's failures never touch the selection
        }
    }
    TIntfPtr<IPluggableTreeNode> currentNode = current ? NodeOf(current) : nullptr;
    if (currentNode && SameNode(currentNode.get(), oldNode)) {
        hs->AddItem(current, item);
    } else if (currentNode) {
        try {
            const int last = back + hs->GetForwardCount();
            for (int i = 0; i <= last; ++i) {
                TIntfPtr<IPluggableTreeNode> n = NodeOf(hs->GetItem(i));
                if (!SameNode(n.get(), oldNode)) continue;
                TIntfPtr<IQTAHistoryItem> next = hs->GetItem(i + 1);
                if (SameNode(NodeOf(next).get(), newNode)) hs->MoveTo(next);
                break;
            }
        } catch (...) {
            // a failing call ends the scan
        }
    } else {
        hs->AddItem(nullptr, item);
    }
}

// --- view ---

TTypeBrowserView::TTypeBrowserView(TEditWindow* window, const String& tabText, const String& fileName)
    : TCustomEditView(window, tabText), FFileName(fileName), FTabText(tabText)
{
    gViews.push_back(this);
}

TTypeBrowserView::~TTypeBrowserView()
{
    std::erase(gViews, this);
    if (TDocModule* m = FindDocModule(FFileName)) {
        if (auto* g = dynamic_cast<TGenericModule*>(m)) g->ForgetView();
        m->Close();
    }
    // The items hold nodes, and nodes hold the tree: they go before the frame does.
    if (TIntfPtr<IQTAHistoryServices> hs = HistoryServices())
        for (auto& item : FItems) hs->RemoveItem(item);
    FItems.clear();
    delete FFrame;
    FFrame = nullptr;
}

void TTypeBrowserView::SelectView()
{
    TEditWindow* w = EditWindow();
    if (!FFrame && w) {
        FFrame = new TTypeBrowserFrame(w, this);
        FFrame->SetName("browser" + std::to_string(gFrameNumber++));
        FFrame->SetParent(w->ViewArea());
        FFrame->SetBounds(0, 0, w->ViewArea()->Width(), w->ViewArea()->Height());
    }
    if (w) w->SetCurrentEditor(FFrame);
}

void TTypeBrowserView::Show()
{
    if (!FFrame || !EditWindow()) return;
    EditWindow()->SelectView(this);
    EditWindow()->SetVisible(true);
}

void TTypeBrowserView::SaveChildIndex(int index)
{
    TCustomEditView::SaveChildIndex(index);
    FSavedChildIndex = index;
}

// --- history item ---

THistoryItem::THistoryItem(TPluggableTreeView* tree, const TIntfPtr<IPluggableTreeNode>& node,
                           TTypeBrowserView* view)
    : FTree(tree), FNode(node), FView(view)
{
    if (FView) FView->AddHistoryItem(TIntfPtr<IQTAHistoryItem>(this));
}

HRESULT THistoryItem::QueryInterface(const TGUID& iid, void** obj)
{
    if (QueryAs<ITypeBrowserHistoryNode>(this, iid, obj) || QueryAs<IQTAHistoryItem>(this, iid, obj))
        return S_OK;
    return TNotifierObject::QueryInterface(iid, obj);
}

void THistoryItem::Show()
{
    if (FView) FView->Show();
    if (FTree) FTree->Select(FNode, false);
}

bool THistoryItem::IsEqual(const TIntfPtr<IQTAHistoryItem>& other)
{
    return SameNode(NodeOf(other).get(), FNode.get());
}

// --- document module ---

TGenericModule::TGenericModule(const String& fileName, const TIntfPtr<IPluggableSourceFactory>& factory,
                               const String& caption)
    : TDocModule(fileName)
{
    const String title = caption.empty() ? ExtractFileName(fileName) : caption;
    TEditWindow* window =
        EditWindowList().empty() ? new TEditWindow(IDEApplication()) : EditWindowList().front();
    FView = new TTypeBrowserView(window, title, fileName);
    window->SelectView(FView);
    window->SetVisible(true);
    SetModuleFlag(2);

    TIntfPtr<IPluggableSource> source;
    if (TPluggableTreeView* tree = FView->GetTreeView()) {
        tree->Clear();
        if (factory) factory->CreateSource(source);
        if (source) {
            if (factory->CanLoad(fileName) && FileExists(fileName)) source->LoadFromFile(fileName);
            tree->Add(source);
        }
    }
    TIntfPtr<IQTAPersonalityServices> ps;
    SetLanguage(Supports(QuistorIDEServices(), ps) ? LanguageOfPersonality(ps->CurrentPersonality())
                                                   : ltNone);
    TIntfPtr<IPluggableSymbolBrowser> browser;
    if (Supports(source, browser)) browser->BrowseToSymbol("System.Reflection.Assembly");
}

TGenericModule::~TGenericModule()
{
    if (FIntf) FIntf->Forget();
}

TIntfPtr<IInterface> TGenericModule::GetModuleIntf()
{
    if (!FIntf) FIntf = TIntfPtr<TGenericModuleIntf>(new TGenericModuleIntf(this));
    return TIntfPtr<IInterface>(static_cast<IQTABrowserModule*>(FIntf.get()));
}

bool TGenericModule::BrowseToSymbol(const String& name)
{
    TPluggableTreeView* tree = FView ? FView->GetTreeView() : nullptr;
    if (!tree) return false;
    for (int i = 0; i < tree->GetSourceItemsCount(); ++i) {
        TIntfPtr<IPluggableSymbolBrowser> b;
        if (Supports(tree->GetSourceItems(i), b)) return b->BrowseToSymbol(name);
    }
    return false;
}

HRESULT TGenericModuleIntf::QueryInterface(const TGUID& iid, void** obj)
{
    if (QueryAs<IQTABrowserModule>(this, iid, obj)) return S_OK;
    return TInterfacedObject::QueryInterface(iid, obj);
}

bool TGenericModuleIntf::BrowseToSymbol(const std::u16string& name)
{
    return FModule ? FModule->BrowseToSymbol(Utf16ToUtf8(name)) : false;
}

// --- unit ---

namespace Typebrowserview {
int UseCount = 0;

void Initialization()
{
    gFrameNumber = 0;
    if (TEditViewManager* m = EditViewManager()) m->RegisterViewClass("TTypeBrowserView");
}

void Finalization()
{
    // Views of ours must not outlive the code that runs them.
    while (!gViews.empty()) {
        TTypeBrowserView* v = gViews.back();
        if (v->EditWindow())
            v->EditWindow()->CloseView(v);
        else
            delete v;
    }
    if (TEditViewManager* m = EditViewManager()) m->UnregisterViewClass("TTypeBrowserView");
}

int OpenViewCount() { return static_cast<int>(gViews.size()); }
}  // namespace Typebrowserview
