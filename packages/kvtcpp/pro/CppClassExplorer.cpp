#include "CppClassExplorer.h"

#include <algorithm>
#include <cmath>
#include <functional>

#include "host/ModuleServices.h"
#include "host/PersonalityServices.h"
#include "rtl/Files.h"

// ---- controller ----

namespace {
TIntfPtr<TClassExplorer> gController;
TGetClassExplorerControllerProc gPreviousHook = nullptr;
}  // namespace

TIntfPtr<TClassExplorer> _GetCppClassExplorerController()
{
    if (!gController) gController = TIntfPtr<TClassExplorer>(new TCppClassExplorerController);
    return gController;
}

// ---- PCH database ----

TIntfPtr<IXMLPchDb> TPchDbManager::GetPchDb()
{
    if (FError) return nullptr;
    if (FDb) return FDb;
    try {
        FDb = LoadpchDb(FFileName);
        BuildIdMaps();
    } catch (const std::exception&) {
        FDb.reset();
        FIdToName.clear();
        FNameToId.clear();
        FError = true;
    }
    return FDb;
}

void TPchDbManager::BuildIdMaps()
{
    FIdToName.clear();
    FNameToId.clear();
    for (int i = 0; i < FDb->FileCount(); ++i) {
        const String id = IntToStr(FDb->FileId(i));
        FIdToName.emplace(id, FDb->FileName(i));
        FNameToId.emplace(FDb->FileName(i), id);
    }
}

int TPchDbManager::GetFileId(const String& name)
{
    GetPchDb();
    auto it = FNameToId.find(name);
    return StrToInt(it == FNameToId.end() ? String() : it->second);
}

String TPchDbManager::GetFileIdName(int id)
{
    GetPchDb();
    auto it = FIdToName.find(IntToStr(id));
    return it == FIdToName.end() ? String() : it->second;
}

// ---- model manager ----

TCppProjectClassModelManager::TCppProjectClassModelManager(TIntfPtr<IQProject> project,
                                                           const String& pchFileName)
    : FProject(std::move(project)), FPch(pchFileName)
{
}

HRESULT TCppProjectClassModelManager::QueryInterface(const TGUID& iid, void** obj)
{
    if (QueryAs<IProjectClassModelManager>(this, iid, obj)) return S_OK;
    return TInterfacedObject::QueryInterface(iid, obj);
}

String TCppProjectClassModelManager::GetFileIdName(int id)
{
    TGuard g(FLock);
    return FPch.GetFileIdName(id);
}

int TCppProjectClassModelManager::GetClassCount() const
{
    TGuard g(FLock);
    return FTypes.Count();
}

TClassModelNode* TCppProjectClassModelManager::FindType(int id) const
{
    TGuard g(FLock);
    return FTypes.Find(IntToStr(id));
}

TClassModelNode* TCppProjectClassModelManager::FindNamespace(int id) const
{
    TGuard g(FLock);
    return FNamespaces.Find(IntToStr(id));
}

void TCppProjectClassModelManager::SetContext(TIntfPtr<IInterface> context)
{
    TGuard g(FLock);
    FContext = std::move(context);
}

void TCppProjectClassModelManager::CreateNamespace(const String& name, int parentId, int id)
{
    TGuard g(FLock);
    FModified = true;
    TClassModelNode* n = FNamespaces.Find(IntToStr(id));
    // every file that opens the namespace announces it again: the node and its members stay
    if (!n) {
        auto node = std::make_unique<TClassModelNode>(this, id, name);
        n = node.get();
        FNamespaces.Add(IntToStr(id), std::move(node));
    }
    if (parentId != 0 && !n->Parent())
        if (TClassModelNode* parent = FNamespaces.Find(IntToStr(parentId))) parent->AddChild(n);
}

void TCppProjectClassModelManager::AddType(int kind, const String& name, int namespaceId, int containerId,
                                           int typeId, int sourceFileId, int further, int /*last*/)
{
    TGuard g(FLock);
    FModified = true;
    auto node = std::make_unique<TClassModelNode>(this, further, sourceFileId, typeId, kind, name);
    TClassModelNode* n = node.get();
    n->Context = FContext;
    if (FTypes.Find(IntToStr(typeId))) RemoveType(typeId);
    FTypes.Add(IntToStr(typeId), std::move(node));
    if (containerId != 0) {
        if (TClassModelNode* container = FTypes.Find(IntToStr(containerId)); container && container != n)
            container->AddChild(n);
    } else if (namespaceId != 0) {
        if (TClassModelNode* ns = FNamespaces.Find(IntToStr(namespaceId))) n->SetNamespace(ns);
    }
}

void TCppProjectClassModelManager::DropLinks(int id, bool isNamespace)
{
    for (int i = 0; i < FTypes.Count(); ++i) FTypes.At(i)->RemoveID(id, isNamespace);
    for (int i = 0; i < FNamespaces.Count(); ++i) FNamespaces.At(i)->RemoveID(id, isNamespace);
}

void TCppProjectClassModelManager::RemoveType(int id)
{
    TGuard g(FLock);
    FModified = true;
    auto node = FTypes.Remove(IntToStr(id));
    if (node) DropLinks(id, false);
}

void TCppProjectClassModelManager::AddParent(int classId, int parentId)
{
    TGuard g(FLock);
    FModified = true;
    TClassModelNode* c = FTypes.Find(IntToStr(classId));
    TClassModelNode* p = FTypes.Find(IntToStr(parentId));
    if (c && p) c->AddBaseType(p);
}

void TCppProjectClassModelManager::RemoveParent(int classId, int parentId)
{
    TGuard g(FLock);
    FModified = true;
    if (TClassModelNode* c = FTypes.Find(IntToStr(classId))) c->RemoveBaseType(parentId);
}

// ---- updates ----

void TCppProjectClassModelManager::Update(bool full)
{
    UpdateModel(full);
    WriteDependencyInfo();
}

void TCppProjectClassModelManager::Reparse()
{
    CancelClassBrowser();
    Reset();
    UpdateModel(true);
    WriteDependencyInfo();
}

bool TCppProjectClassModelManager::ThreadedReparse()
{
    if (!FQueue) return false;
    FQueue->AddReparseRequest(this);
    return true;
}

bool TCppProjectClassModelManager::ThreadedUpdate()
{
    if (!FQueue) return false;
    FQueue->AddUpdateRequest(this);
    return true;
}

void TCppProjectClassModelManager::WriteDependencyInfo()
{
    TGuard g(FLock);
    FPch.ClearError();
    if (!FCancelled) {
        WriteDependency();
        WriteDependencyXML();
    }
}

void TCppProjectClassModelManager::Reset()
{
    TGuard g(FLock);
    FTimestamps.clear();
    FNamespaces.Clear();
    FTypes.Clear();
}

void TCppProjectClassModelManager::UpdateModel(bool /*full*/)
{
    FModified = false;
    FCancelled = false;
    CheckModifiedHeaders();
    if (FCancelled || !FProject) return;
    for (int i = 0; i < FProject->ModuleCount() && !FCancelled; ++i) {
        TIntfPtr<IQModule> m = FProject->Module(i);
        if (!m) continue;
        const String file = m->FileName();
        if (NeedsReparse(file)) InvokeBrowser(file);
    }
}

namespace {

// Every editor buffer of every module open in the host.
void ForEachEditBuffer(const std::function<void(IQEditBuffer&)>& f)
{
    TIntfPtr<IQModuleServices> ms;
    if (!Supports(QuistorIDEServices(), ms)) return;
    TIntfPtr<IQProjectGroup> group = ms->MainProjectGroup();
    if (!group) return;
    for (int i = 0; i < group->OpenModuleCount(); ++i) {
        TIntfPtr<IQModule> m = group->OpenModule(i);
        if (!m) continue;
        for (int j = 0; j < m->FileCount(); ++j) {
            TIntfPtr<IQEditBuffer> b;
            if (Supports(m->File(j), b)) f(*b);
        }
    }
}

long long AgeMs(TDateTime age) { return std::llround(age.Val * 86400000.0); }

}  // namespace

void TCppProjectClassModelManager::CheckModifiedHeaders()
{
    std::vector<String> changed;
    ForEachEditBuffer([&](IQEditBuffer& b) {
        if (AgeMs(b.Age()) > RecordedAge(b.FileName()) &&
            std::none_of(changed.begin(), changed.end(),
                         [&](const String& c) { return SameText(c, b.FileName()); }))
            changed.push_back(b.FileName());
    });
    for (const String& header : changed) {
        if (FCancelled) return;
        const String source = GetSourceFile(header);
        if (source.empty()) continue;
        RefreshIncludeTimestamps(source);
        RecordAge(header);
        InvokeBrowser(source);
    }
}

long long TCppProjectClassModelManager::CurrentAge(const String& fileName)
{
    long long age = 0;
    bool open = false;
    ForEachEditBuffer([&](IQEditBuffer& b) {
        if (!open && SameText(b.FileName(), fileName)) {
            age = AgeMs(b.Age());
            open = true;
        }
    });
    if (open) return age;
    const TDateTime disk = FileAge(fileName);
    return disk.Val < 0 ? -1 : AgeMs(disk);
}

long long TCppProjectClassModelManager::RecordedAge(const String& fileName) const
{
    TGuard g(FLock);
    auto it = FTimestamps.find(fileName);
    if (it == FTimestamps.end()) return 0;
    try {
        return std::stoll(it->second);
    } catch (const std::exception&) {
        return 0;
    }
}

bool TCppProjectClassModelManager::NeedsReparse(const String& fileName)
{
    return CurrentAge(fileName) > RecordedAge(fileName);
}

void TCppProjectClassModelManager::RecordAge(const String& fileName)
{
    const String age = IntToStr(CurrentAge(fileName));
    TGuard g(FLock);
    FTimestamps[fileName] = age;
}

void TCppProjectClassModelManager::InvokeBrowser(const String& fileName)
{
    FPending = false;
    RecordAge(fileName);
    if (!FProject) return;
    TIntfPtr<IQPersonalityServices> ps;
    if (!Supports(QuistorIDEServices(), ps)) return;
    TIntfPtr<IQCppParserTrait> trait;
    if (!Supports(ps->GetTrait(FProject->Personality(), IQCppParserTrait::IID), trait)) return;
    TIntfPtr<IQClassBrowserParser> parser;
    // the parse runs outside the lock: its notifications take it one by one, so readers go on
    if (Supports(trait->GetParser(), parser)) parser->ParseFile(fileName, FProject.get(), this);
}

namespace {

bool TreeHolds(IXMLInc* inc, const String& header)
{
    if (SameText(inc->FileName(), header)) return true;
    for (int i = 0; i < inc->Count(); ++i)
        if (TreeHolds(inc->Inc(i).get(), header)) return true;
    return false;
}

void WalkIncludes(IXMLInc* inc, const std::function<void(IXMLInc&)>& f)
{
    f(*inc);
    for (int i = 0; i < inc->Count(); ++i) WalkIncludes(inc->Inc(i).get(), f);
}

}  // namespace

String TCppProjectClassModelManager::GetSourceFile(const String& header)
{
    TGuard g(FLock);
    TIntfPtr<IXMLPchDb> db = FPch.GetPchDb();
    if (!db) return String();
    for (int c = 0; c < db->CuCount(); ++c) {
        TIntfPtr<IXMLCu> cu = db->Cu(c);
        for (int i = 0; i < cu->Count(); ++i)
            if (TreeHolds(cu->Inc(i).get(), header)) return cu->FileName();
    }
    return String();
}

void TCppProjectClassModelManager::RefreshIncludeTimestamps(const String& source)
{
    // walks the source's include records, looking their names up; the recorded ages stay
    TGuard g(FLock);
    TIntfPtr<IXMLPchDb> db = FPch.GetPchDb();
    if (!db) return;
    for (int c = 0; c < db->CuCount(); ++c) {
        TIntfPtr<IXMLCu> cu = db->Cu(c);
        if (!SameText(cu->FileName(), source)) continue;
        for (int i = 0; i < cu->Count(); ++i)
            WalkIncludes(cu->Inc(i).get(), [&](IXMLInc& inc) { FPch.GetFileIdName(inc.FileId()); });
        return;
    }
}

// ---- trees ----

namespace {

using TChildren = std::function<const std::vector<TClassModelNode*>&(const TClassModelNode&)>;
// The nodes on the way from the root to the node being walked.
using TPath = std::vector<const TClassModelNode*>;

bool OnPath(const TPath& path, const TClassModelNode* n)
{
    return std::find(path.begin(), path.end(), n) != path.end();
}

// Namespaces show their non-system children, types the nodes `next` gives. Broken code gives
// cycles (a class its own base): a node already on the way down is not walked again.
void WalkNode(const TClassModelNode& node, TInfoNode& info, const TChildren& next, TPath& path)
{
    path.push_back(&node);
    std::vector<TInfoNodePtr> collected;
    const bool scope = node.IsNamespace() && node.HasChildren();
    for (TClassModelNode* c : scope ? node.Children() : next(node)) {
        if (OnPath(path, c) || (scope && c->IsSystemSym())) continue;
        if (TInfoNodePtr ci = c->InfoNode(true)) {
            WalkNode(*c, *ci, next, path);
            collected.push_back(ci);
        }
    }
    for (auto& c : collected) info.Children.push_back(c);
    path.pop_back();
}

void AddChildren(const TClassModelNode& n, TInfoNode& info, TPath& path)
{
    path.push_back(&n);
    for (TClassModelNode* c : n.Children())
        if (!c->IsSystemSym() && !OnPath(path, c))
            if (TInfoNodePtr ci = c->InfoNode(true)) {
                AddChildren(*c, *ci, path);
                info.Children.push_back(ci);
            }
    path.pop_back();
}

void AddSourceIncludes(IXMLInc* inc, TInfoNode& info)
{
    auto n = std::make_shared<TInfoNode>();
    n->Caption = inc->FileName();
    for (int i = 0; i < inc->Count(); ++i) AddSourceIncludes(inc->Inc(i).get(), *n);
    info.Children.push_back(n);
}

}  // namespace

TInfoNodePtr TCppProjectClassModelManager::Hierarchy(bool derived)
{
    TGuard g(FLock);
    FPch.ClearError();
    auto root = std::make_shared<TInfoNode>();
    TChildren next = derived
                         ? TChildren([](const TClassModelNode& n) -> const std::vector<TClassModelNode*>& {
                               return n.DerivedTypes();
                           })
                         : TChildren([](const TClassModelNode& n) -> const std::vector<TClassModelNode*>& {
                               return n.BaseTypes();
                           });
    TPath path;
    for (int i = 0; i < FNamespaces.Count(); ++i) {
        const TClassModelNode* ns = FNamespaces.At(i);
        if (!ns->HasChildren() || ns->Parent() || ns->IsSystemSym()) continue;
        if (TInfoNodePtr info = ns->InfoNode(true)) {
            WalkNode(*ns, *info, next, path);
            if (!info->Children.empty()) root->Children.push_back(info);
        }
    }
    for (int i = 0; i < FTypes.Count(); ++i) {
        const TClassModelNode* t = FTypes.At(i);
        if (t->Namespace() || t->IsSystemSym()) continue;
        if (TInfoNodePtr info = t->InfoNode(true)) {
            root->Children.push_back(info);
            WalkNode(*t, *info, next, path);
        }
    }
    return root;
}

TInfoNodePtr TCppProjectClassModelManager::GetBaseHierarchy() { return Hierarchy(false); }
TInfoNodePtr TCppProjectClassModelManager::GetDerivedHierarchy() { return Hierarchy(true); }

TInfoNodePtr TCppProjectClassModelManager::GetContainerHierarchy()
{
    TGuard g(FLock);
    FPch.ClearError();
    auto root = std::make_shared<TInfoNode>();
    TPath path;
    for (int i = 0; i < FNamespaces.Count(); ++i) {
        const TClassModelNode* ns = FNamespaces.At(i);
        if (!ns->HasChildren() || ns->Parent() || ns->IsSystemSym()) continue;
        if (TInfoNodePtr info = ns->InfoNode(true)) {
            AddChildren(*ns, *info, path);
            if (!info->Children.empty()) root->Children.push_back(info);
        }
    }
    // types outside every namespace and container; the others stand under their namespace
    for (int i = 0; i < FTypes.Count(); ++i) {
        const TClassModelNode* t = FTypes.At(i);
        if (t->Namespace() || t->Parent() || t->IsSystemSym()) continue;
        if (TInfoNodePtr info = t->InfoNode(true)) {
            AddChildren(*t, *info, path);
            root->Children.push_back(info);
        }
    }
    return root;
}

TInfoNodePtr TCppProjectClassModelManager::GetSourceHierarchy()
{
    TGuard g(FLock);
    FPch.ClearError();
    auto root = std::make_shared<TInfoNode>();
    TIntfPtr<IXMLPchDb> db = FPch.GetPchDb();
    if (!db) return root;
    for (int c = 0; c < db->CuCount(); ++c) {
        TIntfPtr<IXMLCu> cu = db->Cu(c);
        auto n = std::make_shared<TInfoNode>();
        n->Caption = cu->FileName();
        for (int i = 0; i < cu->Count(); ++i) AddSourceIncludes(cu->Inc(i).get(), *n);
        root->Children.push_back(n);
    }
    return root;
}

std::vector<TInfoNodePtr> TCppProjectClassModelManager::GetFlatClasses()
{
    TGuard g(FLock);
    std::vector<TInfoNodePtr> r;
    for (int i = 0; i < FTypes.Count(); ++i)
        if (TInfoNodePtr n = FTypes.At(i)->FlatInfoNode()) r.push_back(n);
    return r;
}

// ---- request queue ----

TClassBrowserRequestQueue::TClassBrowserRequestQueue() : TThread(true) {}

TClassBrowserRequestQueue::~TClassBrowserRequestQueue()
{
    {
        std::lock_guard<std::mutex> g(FLock);
        FStop = true;
        Terminate();
    }
    FWake.notify_all();
    if (!Suspended()) WaitFor();
}

void TClassBrowserRequestQueue::Add(TList& list, TCppProjectClassModelManager* manager)
{
    if (!manager) return;
    // appended under the lock and signalled, so a request that arrives while the thread is about
    // to wait is not lost
    {
        std::lock_guard<std::mutex> g(FLock);
        list.push_back(TIntfPtr<TCppProjectClassModelManager>(manager));
    }
    FWake.notify_all();
    if (Suspended()) Resume();
}

void TClassBrowserRequestQueue::AddReparseRequest(TCppProjectClassModelManager* manager)
{
    Add(FReparse, manager);
}
void TClassBrowserRequestQueue::AddUpdateRequest(TCppProjectClassModelManager* manager)
{
    Add(FUpdate, manager);
}

int TClassBrowserRequestQueue::ReparseCount()
{
    std::lock_guard<std::mutex> g(FLock);
    return static_cast<int>(FReparse.size());
}

int TClassBrowserRequestQueue::UpdateCount()
{
    std::lock_guard<std::mutex> g(FLock);
    return static_cast<int>(FUpdate.size());
}

TIntfPtr<TCppProjectClassModelManager> TClassBrowserRequestQueue::GetNextManager(TList& list)
{
    if (list.empty()) return nullptr;
    auto m = list.front();
    list.pop_front();
    return m;
}

void TClassBrowserRequestQueue::Execute()
{
    for (;;) {
        TIntfPtr<TCppProjectClassModelManager> reparse, update;
        Acquire();
        FWake.wait(FLock, [&] { return FStop || !FReparse.empty() || !FUpdate.empty(); });
        if (FStop) {
            Release();
            return;
        }
        reparse = GetNextManager(FReparse);
        if (!reparse) update = GetNextManager(FUpdate);
        Release();
        // the work runs outside the lock so that requests can be added meanwhile
        if (reparse) reparse->Reparse();
        if (update) update->Update();
    }
}

// ---- unit ----

namespace CppClassExplorer {
int UseCount = 0;

void Initialization()
{
    gPreviousHook = GetCppClassExplorerController;
    GetCppClassExplorerController = _GetCppClassExplorerController;
}

void Finalization()
{
    // the host must not call into this package once it is gone
    if (GetCppClassExplorerController == _GetCppClassExplorerController)
        GetCppClassExplorerController = gPreviousHook ? gPreviousHook : DefaultGetCppClassExplorerController;
    gPreviousHook = nullptr;
    gController.reset();
}
}  // namespace CppClassExplorer
