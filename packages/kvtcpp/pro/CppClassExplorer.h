#pragma once
// The C++ side of the class explorer: its controller, the project class model the C++ parser
// fills, the precompiled-header dependency database and the queue of reparse/update requests.
#include <atomic>
#include <condition_variable>
#include <deque>
#include <map>
#include <mutex>

#include "host/ClassExplorer.h"
#include "rtl/Classes.h"

namespace CppClassExplorer {
extern int UseCount;
void Initialization();
void Finalization();
}  // namespace CppClassExplorer

class TCppClassExplorerController : public TClassExplorer {
public:
    bool AddRootNode(const TInfoNodePtr&) override { return true; }
    bool RemoveRootNode(const TInfoNodePtr&) override { return true; }
    bool DefaultNodeAction(const TInfoNodePtr&) override { return true; }
    bool NodeEdited(const TInfoNodePtr&, const String&) override { return true; }
    bool NodeFocused(const TInfoNodePtr&) override { return true; }
    bool NodeSelected(const TInfoNodePtr&) override { return true; }
    TInfoNodePtr GetRootStructureNode() override { return nullptr; }
    int Get_RootNodeCount() override { return 0; }
    int Get_ViewOptions() override { return 0; }
};

// The controller of this package: created on the first call, the same one afterwards.
TIntfPtr<TClassExplorer> _GetCppClassExplorerController();

class TPchDbManager : public TObject {
public:
    explicit TPchDbManager(String fileName) : FFileName(std::move(fileName)) {}
    const String& FileName() const { return FFileName; }
    // The database, loaded on first use; none after an error (until the flag is cleared).
    TIntfPtr<IXMLPchDb> GetPchDb();
    // Raises EConvertError for a name without an id.
    int GetFileId(const String& name);
    String GetFileIdName(int id);  // "" when unknown
    bool Error() const { return FError; }
    void ClearError() { FError = false; }

private:
    void BuildIdMaps();
    String FFileName;
    TIntfPtr<IXMLPchDb> FDb;
    std::map<String, String> FIdToName, FNameToId;
    bool FError = false;
};

class TClassBrowserRequestQueue;

class TCppProjectClassModelManager : public TInterfacedObject,
                                     public TSymbolTableNotifications,
                                     public IProjectClassModelManager {
public:
    // pchFileName: the dependency database of the project ("" for none).
    explicit TCppProjectClassModelManager(TIntfPtr<IQProject> project, const String& pchFileName = String());
    HRESULT QueryInterface(const TGUID& iid, void** obj) override;

    // IProjectClassModelManager
    TIntfPtr<IQProject> GetProject() override { return FProject; }
    String GetFileIdName(int id) override;
    String GetScopeDelimiter() override { return "::"; }

    // symbol-table notifications (each sets the modified flag)
    void CreateNamespace(const String& name, int parentId, int id) override;
    void AddType(int kind, const String& name, int namespaceId, int containerId, int typeId, int sourceFileId,
                 int further, int last) override;
    void RemoveType(int id) override;
    void AddParent(int classId, int parentId) override;
    void RemoveParent(int classId, int parentId) override;
    int GetFlags() override { return FFlags; }

    // The readers below may run while the request queue's thread updates the model: every
    // operation on the model takes the model's lock. A node found stays valid until the next
    // reset or removal of it.
    int GetClassCount() const;
    TClassModelNode* FindType(int id) const;
    TClassModelNode* FindNamespace(int id) const;
    bool Modified() const { return FModified; }
    bool Cancelled() const { return FCancelled; }
    void SetContext(TIntfPtr<IInterface> context);
    void SetFlags(int flags) { FFlags = flags; }
    void SetRequestQueue(TClassBrowserRequestQueue* queue) { FQueue = queue; }
    TPchDbManager& PchDb() { return FPch; }

    void Update(bool full);
    void Update() { Update(false); }
    void Reparse();
    // Hand the manager to the request queue; false when it has none.
    bool ThreadedReparse();
    bool ThreadedUpdate();
    void CancelClassBrowser() { FCancelled = true; }
    void Reset();
    void WriteDependencyInfo();

    // Whether the file changed since its age was recorded.
    bool NeedsReparse(const String& fileName);
    // The compilation unit whose include tree holds the header, "" when none does.
    String GetSourceFile(const String& header);
    // The age recorded for the file, 0 when none is.
    long long RecordedAge(const String& fileName) const;

    // trees for the explorer
    TInfoNodePtr GetBaseHierarchy();
    TInfoNodePtr GetDerivedHierarchy();
    TInfoNodePtr GetContainerHierarchy();
    TInfoNodePtr GetSourceHierarchy();
    std::vector<TInfoNodePtr> GetFlatClasses();

private:
    void UpdateModel(bool full);
    void DropLinks(int id, bool isNamespace);  // RemoveID on every node
    void CheckModifiedHeaders();
    long long CurrentAge(const String& fileName);
    void RecordAge(const String& fileName);
    void InvokeBrowser(const String& fileName);
    void RefreshIncludeTimestamps(const String& source);
    TInfoNodePtr Hierarchy(bool derived);
    void WriteDependency() {}
    void WriteDependencyXML() {}

    TIntfPtr<IQProject> FProject;
    TStringObjHashTable FNamespaces, FTypes;
    std::map<String, String> FTimestamps;  // file name -> age in ms, decimal
    using TGuard = std::lock_guard<std::recursive_mutex>;
    mutable std::recursive_mutex FLock;  // the tables, the timestamps and the database
    std::atomic<bool> FModified{false}, FCancelled{false};
    bool FPending = false;
    TIntfPtr<IInterface> FContext;
    TPchDbManager FPch;
    TClassBrowserRequestQueue* FQueue = nullptr;
    std::atomic<int> FFlags{0};
};

// Runs reparse and update requests on its own thread, one manager at a time, reparses first.
// Created suspended; the first request starts it.
class TClassBrowserRequestQueue : public TThread {
public:
    TClassBrowserRequestQueue();
    ~TClassBrowserRequestQueue() override;
    void AddReparseRequest(TCppProjectClassModelManager* manager);
    void AddUpdateRequest(TCppProjectClassModelManager* manager);
    int ReparseCount();
    int UpdateCount();

protected:
    void Execute() override;

private:
    using TList = std::deque<TIntfPtr<TCppProjectClassModelManager>>;
    void Add(TList& list, TCppProjectClassModelManager* manager);
    // The first manager of the list, taken out of it; null when it is empty.
    TIntfPtr<TCppProjectClassModelManager> GetNextManager(TList& list);
    void Acquire() { FLock.lock(); }
    void Release() { FLock.unlock(); }
    std::mutex FLock;
    std::condition_variable_any FWake;
    TList FReparse, FUpdate;
    bool FStop = false;
};
