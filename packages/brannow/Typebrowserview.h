#pragma once
// Opening files of a source factory's kind in the IDE: an open handler makes a document module,
// which shows a type browser view (a frame with a pluggable tree, its pages and back/forward
// buttons) and records selections in the host's history.
#include <functional>
#include <string>
#include <vector>

#include "PluggableIntf.h"
#include "Pluggableviewer.h"
#include "host/DocModules.h"
#include "host/EditWindows.h"
#include "host/FileOpenHandlers.h"
#include "host/HistoryServices.h"
#include "zub/Buttons.h"

class IQTABrowserModule : public virtual IInterface {
public:
    RTL_IID("{10F40E7C-2D93-45B4-B776-36A50D7511F8}");
    virtual bool BrowseToSymbol(const std::u16string& name) = 0;
};

class ITypeBrowserHistoryNode : public virtual IInterface {
public:
    RTL_IID("{CA57CB7F-2329-4738-B369-DBF1CC7D2F8C}");
    virtual TIntfPtr<IPluggableTreeNode> GetNode() = 0;
};

// "Browser"
extern const char* const sBrowserCaption;

using TCanOpenEvent =
    std::function<bool(const String& fileName, const TIntfPtr<IPluggableSourceFactory>& factory)>;

class TPluggableFileOpenHandler : public TFileOpenHandler {
public:
    bool CanOpen(const String& fileName) override;
    void GetFilters(TFilterList* list, bool onlyDefault) override;
    void FileOpen(const String& fileName) override;
    TCanOpenEvent CanOpenEvent;
    TIntfPtr<IPluggableSourceFactory> Factory;
};

// Made by an outside package with its source factory: lets the IDE open such files.
class TPluggableModule : public TObject {
public:
    TPluggableModule();
    TPluggableModule(const TIntfPtr<IPluggableSourceFactory>& factory, TCanOpenEvent canOpen);
    ~TPluggableModule() override;
    TPluggableModule(const TPluggableModule&) = delete;
    TPluggableModule& operator=(const TPluggableModule&) = delete;
    TCanOpenEvent GetCanOpenEvent() const { return FHandler->CanOpenEvent; }
    void SetCanOpenEvent(TCanOpenEvent e) { FHandler->CanOpenEvent = std::move(e); }
    TIntfPtr<IPluggableSourceFactory> GetFactory() const { return FHandler->Factory; }
    void SetFactory(const TIntfPtr<IPluggableSourceFactory>& f) { FHandler->Factory = f; }

private:
    TPluggableFileOpenHandler* FHandler;
};

class TTypeBrowserView;

class TTypeBrowserFrame : public TViewFrame {
public:
    TTypeBrowserFrame(TComponent* AOwner, TTypeBrowserView* view);
    TPluggableTreeView* TreeView;
    TControl* ToolPanel;
    TSpeedButton* BackButton;
    TSpeedButton* ForewardButton;
    TControl* TreeViewPanel;
    TControl* Splitter1;
    TPageControl* PageControl;

private:
    void RecordSelection(IPluggableTreeNode* oldNode, IPluggableTreeNode* newNode);
    TTypeBrowserView* FView;
};

class THistoryItem;

class TTypeBrowserView : public TCustomEditView {
public:
    TTypeBrowserView(TEditWindow* window, const String& tabText, const String& fileName);
    ~TTypeBrowserView() override;
    void SelectView() override;
    void Show() override;
    String GetCaption() override { return sBrowserCaption; }
    void GetViewTabNames(TStrings& names) override { names.Add(sBrowserCaption); }
    String GetTabText() override { return FTabText; }
    TCustomEditView* CloneEditView() override { return nullptr; }
    void SaveChildIndex(int index) override;
    int GetSavedChildIndex() const { return FSavedChildIndex; }
    TPluggableTreeView* GetTreeView() const { return FFrame ? FFrame->TreeView : nullptr; }
    TTypeBrowserFrame* Frame() const { return FFrame; }
    const String& FileName() const { return FFileName; }
    void AddHistoryItem(const TIntfPtr<IQTAHistoryItem>& item) { FItems.push_back(item); }
    int HistoryItemCount() const { return static_cast<int>(FItems.size()); }

private:
    TTypeBrowserFrame* FFrame = nullptr;
    String FFileName, FTabText;
    int FSavedChildIndex = -1;
    std::vector<TIntfPtr<IQTAHistoryItem>> FItems;
};

class THistoryItem : public TNotifierObject,
                     public virtual ITypeBrowserHistoryNode,
                     public virtual IQTAHistoryItem {
public:
    THistoryItem(TPluggableTreeView* tree, const TIntfPtr<IPluggableTreeNode>& node, TTypeBrowserView* view);
    HRESULT QueryInterface(const TGUID& iid, void** obj) override;
    int AddRef() override { return TNotifierObject::AddRef(); }
    int Release() override { return TNotifierObject::Release(); }
    TIntfPtr<IPluggableTreeNode> GetNode() override { return FNode; }
    void Show() override;
    String GetCaption() override { return NodeCaption(FNode.get()); }
    bool IsEqual(const TIntfPtr<IQTAHistoryItem>& other) override;

private:
    TPluggableTreeView* FTree;
    TIntfPtr<IPluggableTreeNode> FNode;
    TTypeBrowserView* FView;
};

class TGenericModule;

class TGenericModuleIntf : public TInterfacedObject, public virtual IQTABrowserModule {
public:
    explicit TGenericModuleIntf(TGenericModule* module) : FModule(module) {}
    HRESULT QueryInterface(const TGUID& iid, void** obj) override;
    int AddRef() override { return TInterfacedObject::AddRef(); }
    int Release() override { return TInterfacedObject::Release(); }
    bool BrowseToSymbol(const std::u16string& name) override;
    void Forget() { FModule = nullptr; }

private:
    TGenericModule* FModule;
};

class TGenericModule : public TDocModule {
public:
    TGenericModule(const String& fileName, const TIntfPtr<IPluggableSourceFactory>& factory,
                   const String& caption);
    ~TGenericModule() override;
    String GetFileName() override { return FFileName; }
    bool CheckFileDate() override { return false; }
    TIntfPtr<IInterface> GetModuleIntf() override;
    bool BrowseToSymbol(const String& name);
    TTypeBrowserView* View() const { return FView; }
    // The view is going: the module no longer reaches it.
    void ForgetView() { FView = nullptr; }

private:
    TTypeBrowserView* FView = nullptr;
    TIntfPtr<TGenericModuleIntf> FIntf;
};

// UTF-16 to UTF-8 (unpaired surrogates become U+FFFD).
String Utf16ToUtf8(const std::u16string& s);

namespace Typebrowserview {
extern int UseCount;
void Initialization();
void Finalization();
// Type browser views that are open now.
int OpenViewCount();
}  // namespace Typebrowserview
