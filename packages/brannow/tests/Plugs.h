#pragma once
// Nodes and sources as an outside package would write them, recording the calls they get.
#include <functional>
#include <vector>

#include "PluggableIntf.h"

struct TCallLog {
    std::vector<String> Calls;
    void Add(const String& s) { Calls.push_back(s); }
};

class TTestNode : public TInterfacedObject, public virtual IPluggableTreeNode {
public:
    TTestNode(String caption, int kind, TCallLog* log = nullptr)
        : Caption(std::move(caption)), Kind(kind), Log(log)
    {
    }
    HRESULT QueryInterface(const TGUID& iid, void** obj) override
    {
        if (QueryAs<IPluggableTreeNode>(this, iid, obj)) return S_OK;
        return TInterfacedObject::QueryInterface(iid, obj);
    }
    int AddRef() override { return TInterfacedObject::AddRef(); }
    int Release() override { return TInterfacedObject::Release(); }

    void GetCaption(String& c) override { c = Caption; }
    bool CanRename(const String& n) override { return n != RefusedName; }
    void Selected() override
    {
        Note("Selected " + Caption);
        if (OnSelected) OnSelected();
    }
    void Expanding() override
    {
        Note("Expanding " + Caption);
        if (OnExpanding) OnExpanding();
    }
    void Rename(const String& n) override { Caption = n; }
    void SetPageManager(const TIntfPtr<IPropertyPageManager>& m) override
    {
        Note("SetPageManager " + Caption);
        Pages = m;
    }
    void GetTreeManager(TIntfPtr<IPluggableTreeManager>& m) override { m = Tree; }
    void SetTreeManager(const TIntfPtr<IPluggableTreeManager>& m) override
    {
        Note("SetTreeManager " + Caption);
        Tree = m;
    }
    void PageModified(const TGUID& id) override { Note("PageModified " + Caption + " " + GUIDToString(id)); }
    int GetImageIndex() override { return 1; }
    int GetSelectedIndex() override { return 2; }
    int GetKind() override { return Kind; }
    int GetIndex() override { return Index; }
    void SetIndex(int i) override
    {
        Note("SetIndex " + Caption);
        Index = i;
    }
    void GetParent(TIntfPtr<IPluggableTreeNode>& p) override { p = Parent; }
    int GetHelpContext() override { return HelpContext; }

    void Note(const String& s)
    {
        if (Log) Log->Add(s);
    }

    String Caption;
    int Kind;
    TCallLog* Log;
    int Index = -1;
    int HelpContext = 0;
    String RefusedName = "bad";
    TIntfPtr<IPluggableTreeNode> Parent;
    TIntfPtr<IPluggableTreeManager> Tree;
    TIntfPtr<IPropertyPageManager> Pages;
    std::function<void()> OnSelected, OnExpanding;
};

// Adds its nodes (parents before children) when populated.
class TTestSource : public TInterfacedObject, public virtual IPluggableSource {
public:
    explicit TTestSource(TCallLog* log = nullptr) : Log(log) {}
    HRESULT QueryInterface(const TGUID& iid, void** obj) override
    {
        if (QueryAs<IPluggableSource>(this, iid, obj)) return S_OK;
        return TInterfacedObject::QueryInterface(iid, obj);
    }
    int AddRef() override { return TInterfacedObject::AddRef(); }
    int Release() override { return TInterfacedObject::Release(); }

    void LoadFromFile(const String& f) override { Loaded.push_back(f); }
    void Populate() override
    {
        Note("Populate");
        for (auto& n : Nodes) Tree->Add(n.second, n.first);
    }
    void SetPageManager(const TIntfPtr<IPropertyPageManager>&) override { Note("SetPageManager"); }
    TImageList* GetImages() override
    {
        Note("GetImages");
        return Images;
    }
    void SetTreeManager(const TIntfPtr<IPluggableTreeManager>& m) override
    {
        Note("SetTreeManager");
        Tree = m;
    }
    void Note(const String& s)
    {
        if (Log) Log->Add(s);
    }
    // A node with its parent (empty for a root); the parent must come earlier.
    TIntfPtr<TTestNode> AddNode(const String& caption, int kind, const TIntfPtr<TTestNode>& parent = nullptr)
    {
        TIntfPtr<TTestNode> n(new TTestNode(caption, kind, Log));
        n->Parent = parent;
        Nodes.push_back({n, parent});
        return n;
    }

    TCallLog* Log;
    TImageList* Images = nullptr;
    TIntfPtr<IPluggableTreeManager> Tree;
    std::vector<std::pair<TIntfPtr<IPluggableTreeNode>, TIntfPtr<IPluggableTreeNode>>> Nodes;
    std::vector<String> Loaded;
};

// A source factory that makes no source; its filter and its answer to CanLoad are the subclass's.
class TTestSourceFactoryBase : public TInterfacedObject, public virtual IPluggableSourceFactory {
public:
    HRESULT QueryInterface(const TGUID& iid, void** obj) override
    {
        if (QueryAs<IPluggableSourceFactory>(this, iid, obj)) return S_OK;
        return TInterfacedObject::QueryInterface(iid, obj);
    }
    int AddRef() override { return TInterfacedObject::AddRef(); }
    int Release() override { return TInterfacedObject::Release(); }
    void CreateSource(TIntfPtr<IPluggableSource>& s) override { s.reset(); }
};
