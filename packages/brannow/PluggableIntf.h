#pragma once
// The contracts between the pluggable tree view and the packages that plug data into it: sources
// deliver nodes, nodes fill property pages, source factories make sources for files.
// Operations are declared in their slot order; the ones this package never calls keep an empty
// body so that implementers need not write them.
#include <vector>

#include "rtl/Classes.h"
#include "rtl/Intf.h"

class TImageList;
class TPopupMenu;
class TControl;

class IPluggableTreeManager;
class IPropertyPageManager;
class IPluggablePropertyPage;
class IPluggableSearch;

// Root nodes of this kind are listed before all other roots.
inline constexpr int kFirstRootKind = 20;

class IPluggableTreeNode : public virtual IInterface {
public:
    RTL_IID("{8D061ACA-CADF-4B42-9407-808FABCC42AC}");
    virtual void GetCaption(String& caption) = 0;
    virtual bool CanRename(const String& newName) = 0;
    virtual void Selected() = 0;
    virtual void Expanding() = 0;
    virtual void Rename(const String& newName) = 0;
    virtual void Reserved8() {}
    virtual void SetPageManager(const TIntfPtr<IPropertyPageManager>& manager) = 0;
    virtual void GetTreeManager(TIntfPtr<IPluggableTreeManager>& manager) = 0;
    virtual void SetTreeManager(const TIntfPtr<IPluggableTreeManager>& manager) = 0;
    virtual void PageModified(const TGUID& pageID) = 0;
    virtual int GetImageIndex() = 0;
    virtual int GetSelectedIndex() = 0;
    virtual int GetKind() = 0;
    virtual int GetIndex() = 0;  // -1 for none
    virtual void SetIndex(int index) = 0;
    virtual void GetParent(TIntfPtr<IPluggableTreeNode>& parent) = 0;  // empty for a root
    virtual void Reserved19() {}
    virtual int GetHelpContext() = 0;
    virtual void Reserved21() {}
};

// The caption of a node as a value.
inline String NodeCaption(IPluggableTreeNode* node)
{
    String s;
    if (node) node->GetCaption(s);
    return s;
}

class IPluggableSource : public virtual IInterface {
public:
    RTL_IID("{E1ECE044-72D9-430B-87BB-9A60A9D19990}");
    virtual void LoadFromFile(const String& fileName) = 0;
    virtual void Reserved4() {}
    virtual void Populate() = 0;
    virtual void Reserved6() {}
    virtual void Reserved7() {}
    virtual void Reserved8() {}
    virtual void SetPageManager(const TIntfPtr<IPropertyPageManager>& manager) = 0;
    virtual TImageList* GetImages() = 0;
    virtual void Reserved11() {}
    virtual void SetTreeManager(const TIntfPtr<IPluggableTreeManager>& manager) = 0;
    virtual void Reserved13() {}
    virtual void Reserved14() {}
};

class IPluggableSourceFactory : public virtual IInterface {
public:
    RTL_IID("{F3BB2DC5-D80C-4004-BEE2-CDCA5448481B}");
    virtual void CreateSource(TIntfPtr<IPluggableSource>& source) = 0;
    virtual void Reserved4() {}
    // Description and mask separated by "|", as the file dialogs take it.
    virtual void GetFilter(String& filter) = 0;
    virtual void Reserved6() {}
    virtual bool CanLoad(const String& fileName) = 0;
    virtual void Reserved8() {}
};

class IPluggableSymbolBrowser : public virtual IInterface {
public:
    RTL_IID("{D7907844-700C-4E5C-8C10-B7B1DC469D05}");
    virtual bool BrowseToSymbol(const String& name) = 0;
};

// A marker only; nothing here asks for it.
class IPluggableSort : public virtual IInterface {
public:
    RTL_IID("{94B5935D-1513-4734-9DF6-010948CF2DEC}");
};

using TSearchColumnsProc = void (*)(IPluggableSearch* search);
using TSearchRowProc = void (*)(IPluggableSearch* search, IPluggableTreeNode* node);

class IPluggableSearch : public virtual IInterface {
public:
    RTL_IID("{33B44BAF-E739-4733-9E05-2A9017CD5964}");
    virtual TIntfPtr<IPluggableTreeManager> GetTree() = 0;
    virtual void SetTree(const TIntfPtr<IPluggableTreeManager>& tree) = 0;
    virtual int GetSearchType() = 0;
    virtual void SetSearchType(int type) = 0;
    virtual void Execute() = 0;
    virtual void Clear() = 0;
    virtual void AddSearchType(const String& caption, int type, TSearchColumnsProc columns,
                               TSearchRowProc row) = 0;
    virtual void AddColumn(const String& caption, int width) = 0;
    virtual void AddRow(const std::vector<String>& values, int imageIndex,
                        const TIntfPtr<IPluggableTreeNode>& node) = 0;
};

class IPluggablePopupMenu : public virtual IInterface {
public:
    RTL_IID("{4104C69A-8791-4CFB-A980-9850187F53CC}");
    virtual TImageList* GetImages() = 0;
    virtual void SetImages(TImageList* images) = 0;
    virtual TPopupMenu* GetPopupMenu() = 0;
    virtual void AddMenuItem(const String& caption, const TNotifyEvent& onClick, int imageIndex,
                             const String& name) = 0;
    virtual void Popup() = 0;
    virtual void Clear() = 0;
};

class IPluggablePropertyPageFactory : public virtual IInterface {
public:
    RTL_IID("{18091F9C-261F-40C8-9646-A8F9D6F8B312}");
    virtual TIntfPtr<IPluggablePropertyPage> CreateInstance(const String& name) = 0;
    virtual TGUID GetID() = 0;
};

class IPropertyPageManager : public virtual IInterface {
public:
    RTL_IID("{09B3F6F0-50EC-44D1-AE56-2F562F573B43}");
    virtual void RegisterPageFactory(const TIntfPtr<IPluggablePropertyPageFactory>& factory) = 0;
    virtual void SetVisible(IPluggablePropertyPage* page) = 0;
    virtual bool GetVisible(IPluggablePropertyPage* page) = 0;
    virtual void ShowPages() = 0;
    virtual TIntfPtr<IPluggablePropertyPage> GetPropertyPage(const TGUID& pageID, const String& caption) = 0;
};

class IPluggableTreeManager : public virtual IInterface {
public:
    RTL_IID("{F0200A08-3EDE-4E57-AB01-A94C6EB28EB0}");
    virtual void Add(const TIntfPtr<IPluggableSource>& source) = 0;
    virtual void Add(const TIntfPtr<IPluggableTreeNode>& parent,
                     const TIntfPtr<IPluggableTreeNode>& node) = 0;
    virtual void Remove(const TIntfPtr<IPluggableSource>& source) = 0;
    virtual void Remove(const TIntfPtr<IPluggableTreeNode>& node) = 0;
    virtual void ExpandNode(const TIntfPtr<IPluggableTreeNode>& node, bool all) = 0;
    virtual void CollapseNode(const TIntfPtr<IPluggableTreeNode>& node, bool all) = 0;
    virtual void AddMenuItem(const String& caption, const TNotifyEvent& onClick, int imageIndex,
                             const String& name) = 0;
    virtual void BeginUpdate() = 0;
    virtual void EndUpdate() = 0;
    virtual String GetTitle() = 0;
    virtual void SetTitle(const String& title) = 0;
    virtual void Select(const TIntfPtr<IPluggableTreeNode>& node, bool expand) = 0;
    virtual void RefreshCurrentSelection() = 0;
    virtual TIntfPtr<IPluggableTreeNode> GetItem(int index) = 0;
    virtual int GetCount() = 0;
    virtual TIntfPtr<IPluggableSource> GetSourceItems(int index) = 0;
    virtual int GetSourceItemsCount() = 0;
    virtual void SetImages(TImageList* images) = 0;
    virtual TImageList* GetImages() = 0;
    virtual void Clear() = 0;
};

class IPluggablePropertyPage : public virtual IInterface {
public:
    RTL_IID("{26F16925-2D30-4A14-8307-275C68AFE74E}");
    virtual void Clear() = 0;
    virtual String GetCaption() = 0;
    virtual void SetCaption(const String& caption) = 0;
    virtual void OnSelect() = 0;
    virtual void OnBegin() = 0;
    virtual void OnEnd() = 0;
    virtual bool GetVisible() = 0;
    // The value is not used: the page asks its manager to show it.
    virtual void SetVisible(bool value) = 0;
    virtual TGUID GetID() = 0;
    virtual bool Modified() = 0;
    virtual TControl* GetPage() = 0;
    virtual TIntfPtr<IPropertyPageManager> GetPageManager() = 0;
    virtual void SetPageManager(const TIntfPtr<IPropertyPageManager>& manager) = 0;
    virtual bool GetReadOnly() = 0;
    virtual void SetReadOnly(bool value) = 0;
};

// Page identities; a page and its factory report the same one.
inline constexpr TGUID GUID_UsesPagePlugID = TGUID::Parse("{0B6D2E09-821B-44AE-803A-B29D55E387C9}");
inline constexpr TGUID GUID_FlagsPagePlugID = TGUID::Parse("{26DE6874-81B2-4526-8A5C-7AFA11E01AB6}");
inline constexpr TGUID GUID_AttributePagePlugID = TGUID::Parse("{B27D8564-1066-4F02-A666-871206FCE2AD}");
inline constexpr TGUID GUID_TextPagePlugID = TGUID::Parse("{ACFB44CF-847F-477B-B0D3-A7E75E6862EF}");

class TObject;
using TPluggableNotifyEvent =
    std::function<void(TObject* Sender, IPluggableTreeNode* OldNode, IPluggableTreeNode* NewNode)>;
using TPluggableSourceEvent = std::function<void(TObject* Sender, IPluggableSource* Source)>;
