#include "CppClassExplorer.h"

#include <cmath>
#include <functional>

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

void TCppProjectClassModelManager::CreateNamespace(const String& name, int parentId, int id)
{
    FModified = true;
    auto node = std::make_unique<TClassModelNode>(this, id, name);
    TClassModelNode* n = node.get();
    // a node given again replaces the old one, which must not stay linked
    if (FNamespaces.Find(IntToStr(id))) DropLinks(id);
    FNamespaces.Add(IntToStr(id), std::move(node));
    if (parentId != 0)
        if (TClassModelNode* parent = FNamespaces.Find(IntToStr(parentId)); parent && parent != n)
            parent->AddChild(n);
}

void TCppProjectClassModelManager::AddType(int kind, const String& name, int namespaceId, int containerId,
                                           int typeId, int sourceFileId, int further, int /*last*/)
{
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

void TCppProjectClassModelManager::DropLinks(int id)
{
    for (int i = 0; i < FTypes.Count(); ++i) FTypes.At(i)->RemoveID(id);
    for (int i = 0; i < FNamespaces.Count(); ++i) FNamespaces.At(i)->RemoveID(id);
}

void TCppProjectClassModelManager::RemoveType(int id)
{
    FModified = true;
    auto node = FTypes.Remove(IntToStr(id));
    if (node) DropLinks(id);
}

void TCppProjectClassModelManager::AddParent(int classId, int parentId)
{
    FModified = true;
    TClassModelNode* c = FTypes.Find(IntToStr(classId));
    TClassModelNode* p = FTypes.Find(IntToStr(parentId));
    if (c && p) c->AddBaseType(p);
}

void TCppProjectClassModelManager::RemoveParent(int classId, int parentId)
{
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
    FPch.ClearError();
    if (!FCancelled) {
        WriteDependency();
        WriteDependencyXML();
    }
}

void TCppProjectClassModelManager::Reset()
{
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

// Every open editor buffer of the project's modules.
void ForEachEditBuffer(IQProject* project, const std::function<void(IQEditBuffer&)>& f)
{
    if (!project) return;
    for (int i = 0; i < project->ModuleCount(); ++i) {
        TIntfPtr<IQModule> m = project->Module(i);
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
    ForEachEditBuffer(FProject.get(), [&](IQEditBuffer& b) {
        if (AgeMs(b.Age()) > RecordedAge(b.FileName())) changed.push_back(b.FileName());
    });
    for (const String& header : changed) {
        const String source = GetSourceFile(header);
        if (source.empty()) continue;
        RefreshIncludeTimestamps(source);
        InvokeBrowser(source);
    }
}

long long TCppProjectClassModelManager::CurrentAge(const String& fileName)
{
    long long age = 0;
    bool open = false;
    ForEachEditBuffer(FProject.get(), [&](IQEditBuffer& b) {
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
    FTimestamps[fileName] = IntToStr(CurrentAge(fileName));
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

void WalkIncludes(IXMLInc* inc, const std::function<void(const String&)>& f)
{
    f(inc->FileName());
    for (int i = 0; i < inc->Count(); ++i) WalkIncludes(inc->Inc(i).get(), f);
}

}  // namespace

String TCppProjectClassModelManager::GetSourceFile(const String& header)
{
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
    TIntfPtr<IXMLPchDb> db = FPch.GetPchDb();
    if (!db) return;
    for (int c = 0; c < db->CuCount(); ++c) {
        TIntfPtr<IXMLCu> cu = db->Cu(c);
        if (!SameText(cu->FileName(), source)) continue;
        // the includes are parsed with their source: record their ages, or a changed header
        // would have its source parsed again at every update
        for (int i = 0; i < cu->Count(); ++i)
            WalkIncludes(cu->Inc(i).get(), [&](const String& f) { RecordAge(f); });
        return;
    }
}

// ---- trees ----

namespace {

using TChildren = std::function<const std::vector<TClassModelNode*>&(const TClassModelNode&)>;

// Namespaces show their non-system children, types the nodes `next` gives.
void WalkNode(const TClassModelNode& node, TInfoNode& info, const TChildren& next)
{
    std::vector<TInfoNodePtr> collected;
    if (node.IsNamespace() && node.HasChildren()) {
        for (TClassModelNode* c : node.Children())
            if (!c->IsSystemSym())
                if (TInfoNodePtr ci = c->InfoNode(true)) {
                    WalkNode(*c, *ci, next);
                    collected.push_back(ci);
                }
    } else {
        for (TClassModelNode* t : next(node))
            if (TInfoNodePtr ti = t->InfoNode(true)) {
                WalkNode(*t, *ti, next);
                collected.push_back(ti);
            }
    }
    for (auto& c : collected) info.Children.push_back(c);
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
    FPch.ClearError();
    auto root = std::make_shared<TInfoNode>();
    TChildren next = derived
                         ? TChildren([](const TClassModelNode& n) -> const std::vector<TClassModelNode*>& {
                               return n.DerivedTypes();
                           })
                         : TChildren([](const TClassModelNode& n) -> const std::vector<TClassModelNode*>& {
                               return n.BaseTypes();
                           });
    for (int i = 0; i < FNamespaces.Count(); ++i) {
        const TClassModelNode* ns = FNamespaces.At(i);
        if (!ns->HasChildren() || ns->Parent() || ns->IsSystemSym()) continue;
        if (TInfoNodePtr info = ns->InfoNode(true)) {
            WalkNode(*ns, *info, next);
            if (!info->Children.empty()) root->Children.push_back(info);
        }
    }
    for (int i = 0; i < FTypes.Count(); ++i) {
        const TClassModelNode* t = FTypes.At(i);
        if (t->Namespace() || t->IsSystemSym()) continue;
        if (TInfoNodePtr info = t->InfoNode(true)) {
            root->Children.push_back(info);
            WalkNode(*t, *info, next);
        }
    }
    return root;
}

TInfoNodePtr TCppProjectClassModelManager::GetBaseHierarchy() { return Hierarchy(false); }
TInfoNodePtr TCppProjectClassModelManager::GetDerivedHierarchy() { return Hierarchy(true); }

TInfoNodePtr TCppProjectClassModelManager::GetContainerHierarchy()
{
    FPch.ClearError();
    auto root = std::make_shared<TInfoNode>();
    std::function<void(const TClassModelNode&, TInfoNode&)> addChildren = [&](const TClassModelNode& n,
                                                                              TInfoNode& info) {
        for (TClassModelNode* c : n.Children())
            if (!c->IsSystemSym())
                if (TInfoNodePtr ci = c->InfoNode(true)) {
                    addChildren(*c, *ci);
                    info.Children.push_back(ci);
                }
    };
    for (int i = 0; i < FNamespaces.Count(); ++i) {
        const TClassModelNode* ns = FNamespaces.At(i);
        if (!ns->HasChildren() || ns->Parent() || ns->IsSystemSym()) continue;
        if (TInfoNodePtr info = ns->InfoNode(true)) {
            addChildren(*ns, *info);
            if (!info->Children.empty()) root->Children.push_back(info);
        }
    }
    // types outside every namespace and container; the others stand under their namespace
    for (int i = 0; i < FTypes.Count(); ++i) {
        const TClassModelNode* t = FTypes.At(i);
        if (t->Namespace() || t->Parent() || t->IsSystemSym()) continue;
        if (TInfoNodePtr info = t->InfoNode(true)) {
            addChildren(*t, *info);
            root->Children.push_back(info);
        }
    }
    return root;
}

TInfoNodePtr TCppProjectClassModelManager::GetSourceHierarchy()
{
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
