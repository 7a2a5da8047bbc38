#pragma once
// The host's class explorer: controllers of the explorer view, the class model that a language's
// parser fills through symbol-table notifications, the info nodes the view shows, the
// precompiled-header dependency database and the parser a personality offers as a trait.
#include "host/Export.h"
#include <map>
#include <memory>
#include <vector>

#include "host/ModuleServices.h"
#include "rtl/DateUtils.h"

// ---- explorer view ----

struct HOST_API TInfoNode {
    String Caption;
    const class TClassModelNode* Node = nullptr;  // null for roots and file nodes
    std::vector<std::shared_ptr<TInfoNode>> Children;
};
using TInfoNodePtr = std::shared_ptr<TInfoNode>;

// A controller of the explorer view. The host's answers: nothing happens, nothing is shown.
class HOST_API TClassExplorer : public TInterfacedObject {
public:
    virtual bool AddRootNode(const TInfoNodePtr&) { return false; }
    virtual bool RemoveRootNode(const TInfoNodePtr&) { return false; }
    virtual bool DefaultNodeAction(const TInfoNodePtr&) { return false; }
    virtual bool NodeEdited(const TInfoNodePtr&, const String&) { return false; }
    virtual bool NodeFocused(const TInfoNodePtr&) { return false; }
    virtual bool NodeSelected(const TInfoNodePtr&) { return false; }
    virtual TInfoNodePtr GetRootStructureNode() { return nullptr; }
    virtual int Get_RootNodeCount() { return 0; }
    virtual int Get_ViewOptions() { return 0; }
    virtual void Repopulate() { ++FRepopulateCount; }
    virtual void SetDisplayOrder(int order) { FDisplayOrder = order; }
    virtual int ButtonCount() { return 0; }
    virtual bool Invoke(int /*command*/) { return false; }
    int RepopulateCount() const { return FRepopulateCount; }
    int DisplayOrder() const { return FDisplayOrder; }

private:
    int FRepopulateCount = 0, FDisplayOrder = 0;
};

// The explorer-controller registry's hook for the C++ personality; the host's value gives none.
using TGetClassExplorerControllerProc = TIntfPtr<TClassExplorer> (*)();
extern HOST_API TGetClassExplorerControllerProc GetCppClassExplorerController;
HOST_API TIntfPtr<TClassExplorer> DefaultGetCppClassExplorerController();

// ---- class model ----

class HOST_API IProjectClassModelManager : public virtual IInterface {
public:
    RTL_IID("{3B0E6C52-7A41-4F9D-9C2E-81D4A6F0B573}");
    virtual TIntfPtr<IQProject> GetProject() = 0;
    virtual String GetFileIdName(int id) = 0;
    virtual String GetScopeDelimiter() = 0;
};

// A namespace or a type of the model. Links between nodes are plain pointers; RemoveID drops
// every link to a node before it goes.
class HOST_API TClassModelNode : public TObject {
public:
    // A namespace node.
    TClassModelNode(IProjectClassModelManager* manager, int id, String name);
    // A type node.
    TClassModelNode(IProjectClassModelManager* manager, int further, int sourceFileId, int id, int kind,
                    String name);

    int Id() const { return FId; }
    const String& Name() const { return FName; }
    int Kind() const { return FKind; }
    int SourceFileId() const { return FSourceFileId; }
    int Further() const { return FFurther; }
    bool IsNamespace() const { return FIsNamespace; }
    IProjectClassModelManager* Manager() const { return FManager; }
    TIntfPtr<IInterface> Context;

    TClassModelNode* Parent() const { return FParent; }  // container namespace or type
    TClassModelNode* Namespace() const { return FNamespace; }  // of a type
    const std::vector<TClassModelNode*>& Children() const { return FChildren; }
    const std::vector<TClassModelNode*>& BaseTypes() const { return FBases; }
    const std::vector<TClassModelNode*>& DerivedTypes() const { return FDerived; }
    bool HasChildren() const { return !FChildren.empty(); }

    void AddChild(TClassModelNode* child);  // sets the child's parent
    // A type's namespace lists the type among its children; the type's parent stays its container.
    void SetNamespace(TClassModelNode* ns);
    void AddBaseType(TClassModelNode* base);  // the base gets this as derived type
    void RemoveBaseType(int id);
    // Drops every link to the namespace (isNamespace) or the type with the id.
    void RemoveID(int id, bool isNamespace);
    // Whether node is this one or lies inside it (through containers and namespaces).
    bool Encloses(const TClassModelNode* node) const;

    // The node as the explorer shows it (a new node with the name); none for a nameless node.
    TInfoNodePtr InfoNode(bool create) const;
    // The same with the full name (scopes joined by the manager's delimiter), for flat lists.
    TInfoNodePtr FlatInfoNode() const;
    // Compiler and runtime symbols: a name that starts with "_".
    bool IsSystemSym() const;

private:
    IProjectClassModelManager* FManager;
    bool FIsNamespace;
    int FId, FKind = 0, FSourceFileId = 0, FFurther = 0;
    String FName;
    TClassModelNode* FParent = nullptr;
    TClassModelNode* FNamespace = nullptr;
    std::vector<TClassModelNode*> FChildren, FBases, FDerived;
};

// Owning table of model nodes by key, kept in insertion order.
class HOST_API TStringObjHashTable {
public:
    void Add(const String& key, std::unique_ptr<TClassModelNode> node);  // replaces a node of that key
    TClassModelNode* Find(const String& key) const;
    std::unique_ptr<TClassModelNode> Remove(const String& key);
    int Count() const { return static_cast<int>(FOrder.size()); }
    TClassModelNode* At(int index) const { return FOrder.at(static_cast<std::size_t>(index)).second.get(); }
    void Clear();

private:
    std::vector<std::pair<String, std::unique_ptr<TClassModelNode>>> FOrder;
    std::map<String, std::size_t> FIndex;
};

// What a parser calls while it reads a file.
class HOST_API TSymbolTableNotifications {
public:
    virtual ~TSymbolTableNotifications() = default;
    virtual void CreateNamespace(const String& name, int parentId, int id) = 0;
    virtual void AddType(int kind, const String& name, int namespaceId, int containerId, int typeId,
                         int sourceFileId, int further, int last) = 0;
    virtual void RemoveType(int id) = 0;
    virtual void AddParent(int classId, int parentId) = 0;
    virtual void RemoveParent(int classId, int parentId) = 0;
    virtual int GetFlags() = 0;
};

// ---- parser trait ----

// The trait of a personality that gives its class-browser parser.
class HOST_API IQCppParserTrait : public virtual IInterface {
public:
    RTL_IID("{2926930F-C072-4827-963D-0AE063881645}");
    virtual TIntfPtr<IInterface> GetParser() = 0;
};

class HOST_API IQClassBrowserParser : public virtual IInterface {
public:
    RTL_IID("{741D97A0-4A5F-11D1-A644-00A024C11562}");
    virtual void ParseFile(const String& fileName, IQProject* project, TSymbolTableNotifications* sink) = 0;
};

// An open editor buffer of a file.
class HOST_API IQEditBuffer : public virtual IInterface {
public:
    RTL_IID("{5D965803-8147-4D32-B8C5-712F6DDCF98E}");
    virtual String FileName() = 0;
    virtual TDateTime Age() = 0;  // of the buffer's last change
};

// An editor buffer whose text a tool may replace (the file on disk stays as it is).
class HOST_API IQEditBufferText : public virtual IInterface {
public:
    RTL_IID("{A3C1E6F2-7B48-4D0E-9F25-61D8B0C4E7A9}");
    virtual void ReplaceText(const String& text) = 0;
};

// ---- precompiled-header dependency database ----

class HOST_API IXMLInc : public virtual IInterface {
public:
    RTL_IID("{B7E13A40-5C2D-4E18-9F6A-0D3C8E21F4A7}");
    virtual int FileId() = 0;
    virtual String FileName() = 0;
    virtual int Count() = 0;  // child include records
    virtual TIntfPtr<IXMLInc> Inc(int index) = 0;
};

class HOST_API IXMLCu : public virtual IInterface {
public:
    RTL_IID("{C41F8E02-9A3B-4D76-B15E-7F2A0C93D6E8}");
    virtual int FileId() = 0;
    virtual String FileName() = 0;
    virtual int Count() = 0;
    virtual TIntfPtr<IXMLInc> Inc(int index) = 0;
};

class HOST_API IXMLPchDb : public virtual IInterface {
public:
    RTL_IID("{D8A52F71-0E6C-4B93-A27D-5C1E9F30B8A4}");
    virtual int FileCount() = 0;  // file entries: id and name
    virtual int FileId(int index) = 0;
    virtual String FileName(int index) = 0;
    virtual int CuCount() = 0;
    virtual TIntfPtr<IXMLCu> Cu(int index) = 0;
};

// Reads the database (XML with its entities, character references, CDATA and comments):
//     <pchdb>
//       <file id="1" name="main.cpp"/> ...
//       <cu file="1"> <inc file="2"> <inc file="3"/> </inc> </cu> ...
//     </pchdb>
// Raises EHostError when the file cannot be read or is no such database (an unknown file id
// included, or includes nested more than 200 deep).
HOST_API TIntfPtr<IXMLPchDb> LoadpchDb(const String& fileName);
