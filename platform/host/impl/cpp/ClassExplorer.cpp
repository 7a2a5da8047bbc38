#include "host/ClassExplorer.h"

#include <algorithm>
#include <set>

#include <pugixml.hpp>

#include "hostimpl/ClassExplorerImpl.h"
#include "hostimpl/StateListing.h"
#include "rtl/Files.h"

TIntfPtr<TClassExplorer> DefaultGetCppClassExplorerController() { return nullptr; }
TGetClassExplorerControllerProc GetCppClassExplorerController = DefaultGetCppClassExplorerController;

namespace {
void ListClassExplorerHook(std::vector<String>& out)
{
    out.push_back(hostimpl::HookLine("GetCppClassExplorerController",
                                     reinterpret_cast<const void*>(GetCppClassExplorerController)));
}
const hostimpl::TStateSource kClassExplorerHook("class explorer", ListClassExplorerHook);
}  // namespace

// ---- model nodes ----

TClassModelNode::TClassModelNode(IProjectClassModelManager* manager, int id, String name)
    : FManager(manager), FIsNamespace(true), FId(id), FName(std::move(name))
{
}

TClassModelNode::TClassModelNode(IProjectClassModelManager* manager, int further, int sourceFileId, int id,
                                 int kind, String name)
    : FManager(manager), FIsNamespace(false), FId(id), FKind(kind), FSourceFileId(sourceFileId),
      FFurther(further), FName(std::move(name))
{
}

void TClassModelNode::AddChild(TClassModelNode* child)
{
    // a scope cannot lie inside itself
    if (!child || child->Encloses(this)) return;
    if (child->FParent) std::erase(child->FParent->FChildren, child);
    child->FParent = this;
    FChildren.push_back(child);
}

void TClassModelNode::SetNamespace(TClassModelNode* ns)
{
    if (ns == FNamespace || (ns && Encloses(ns))) return;
    if (FNamespace) std::erase(FNamespace->FChildren, this);
    FNamespace = ns;
    if (ns) ns->FChildren.push_back(this);
}

void TClassModelNode::AddBaseType(TClassModelNode* base)
{
    if (!base || base == this || std::find(FBases.begin(), FBases.end(), base) != FBases.end()) return;
    FBases.push_back(base);
    base->FDerived.push_back(this);
}

void TClassModelNode::RemoveBaseType(int id)
{
    std::erase_if(FBases, [&](TClassModelNode* b) {
        if (b->FId != id) return false;
        std::erase(b->FDerived, this);
        return true;
    });
}

void TClassModelNode::RemoveID(int id, bool isNamespace)
{
    // namespaces and types number apart: type 5 is not namespace 5
    auto has = [=](const TClassModelNode* n) { return n->FId == id && n->FIsNamespace == isNamespace; };
    std::erase_if(FChildren, has);
    std::erase_if(FBases, has);
    std::erase_if(FDerived, has);
    if (FParent && has(FParent)) FParent = nullptr;
    if (FNamespace && has(FNamespace)) FNamespace = nullptr;
}

bool TClassModelNode::Encloses(const TClassModelNode* node) const
{
    std::set<const TClassModelNode*> seen;
    for (const TClassModelNode* p = node; p && seen.insert(p).second;
         p = p->FParent ? p->FParent : p->FNamespace)
        if (p == this) return true;
    return false;
}

TInfoNodePtr TClassModelNode::InfoNode(bool create) const
{
    if (!create || FName.empty()) return nullptr;
    auto n = std::make_shared<TInfoNode>();
    n->Caption = FName;
    n->Node = this;
    return n;
}

TInfoNodePtr TClassModelNode::FlatInfoNode() const
{
    auto n = InfoNode(true);
    if (!n) return n;
    const String delim = FManager ? FManager->GetScopeDelimiter() : String("::");
    std::set<const TClassModelNode*> seen{this};
    for (const TClassModelNode* p = FParent ? FParent : FNamespace; p && seen.insert(p).second;
         p = p->FParent ? p->FParent : p->FNamespace)
        n->Caption = p->FName + delim + n->Caption;
    return n;
}

bool TClassModelNode::IsSystemSym() const { return !FName.empty() && FName[0] == '_'; }

// ---- table ----

void TStringObjHashTable::Add(const String& key, std::unique_ptr<TClassModelNode> node)
{
    auto it = FIndex.find(key);
    if (it != FIndex.end()) {
        FOrder[it->second].second = std::move(node);
        return;
    }
    FIndex[key] = FOrder.size();
    FOrder.emplace_back(key, std::move(node));
}

TClassModelNode* TStringObjHashTable::Find(const String& key) const
{
    auto it = FIndex.find(key);
    return it == FIndex.end() ? nullptr : FOrder[it->second].second.get();
}

std::unique_ptr<TClassModelNode> TStringObjHashTable::Remove(const String& key)
{
    auto it = FIndex.find(key);
    if (it == FIndex.end()) return nullptr;
    const std::size_t at = it->second;
    auto node = std::move(FOrder[at].second);
    FOrder.erase(FOrder.begin() + static_cast<std::ptrdiff_t>(at));
    FIndex.erase(it);
    for (auto& kv : FIndex)
        if (kv.second > at) --kv.second;
    return node;
}

void TStringObjHashTable::Clear()
{
    FIndex.clear();
    FOrder.clear();
}

// ---- dependency database ----

namespace {

class TXmlInc : public TInterfacedObject, public IXMLCu, public IXMLInc {
public:
    TXmlInc(int id, String name) : FId(id), FName(std::move(name)) {}
    HRESULT QueryInterface(const TGUID& iid, void** obj) override
    {
        if (QueryAs<IXMLInc>(this, iid, obj) || QueryAs<IXMLCu>(this, iid, obj)) return S_OK;
        return TInterfacedObject::QueryInterface(iid, obj);
    }
    int FileId() override { return FId; }
    String FileName() override { return FName; }
    int Count() override { return static_cast<int>(FIncs.size()); }
    TIntfPtr<IXMLInc> Inc(int index) override { return FIncs.at(static_cast<std::size_t>(index)); }
    std::vector<TIntfPtr<IXMLInc>> FIncs;

private:
    int FId;
    String FName;
};

class TXmlPchDb : public TInterfacedObject, public IXMLPchDb {
public:
    HRESULT QueryInterface(const TGUID& iid, void** obj) override
    {
        if (QueryAs<IXMLPchDb>(this, iid, obj)) return S_OK;
        return TInterfacedObject::QueryInterface(iid, obj);
    }
    int FileCount() override { return static_cast<int>(FFiles.size()); }
    int FileId(int index) override { return FFiles.at(static_cast<std::size_t>(index)).first; }
    String FileName(int index) override { return FFiles.at(static_cast<std::size_t>(index)).second; }
    int CuCount() override { return static_cast<int>(FCus.size()); }
    TIntfPtr<IXMLCu> Cu(int index) override { return FCus.at(static_cast<std::size_t>(index)); }

    std::vector<std::pair<int, String>> FFiles;
    std::map<int, String> FNames;
    std::vector<TIntfPtr<IXMLCu>> FCus;
};

int IdAttribute(const pugi::xml_node& el, const char* attr, const String& fileName)
{
    const pugi::xml_attribute a = el.attribute(attr);
    if (!a) throw EHostError(fileName + ": <" + el.name() + "> without " + attr);
    try {
        return StrToInt(a.value());
    } catch (const EConvertError&) {
        throw EHostError(fileName + ": <" + el.name() + "> " + attr + " is no number: " + a.value());
    }
}

// Deeper include nesting than compilers allow is no database of a build (and would exhaust the
// stack of every walk over it).
constexpr int kMaxIncludeDepth = 200;

TIntfPtr<TXmlInc> MakeInc(TXmlPchDb& db, const pugi::xml_node& el, const String& fileName, int depth)
{
    if (depth > kMaxIncludeDepth)
        throw EHostError(fileName + ": includes nested deeper than " + IntToStr(kMaxIncludeDepth));
    const int id = IdAttribute(el, "file", fileName);
    auto it = db.FNames.find(id);
    if (it == db.FNames.end()) throw EHostError(fileName + ": unknown file id " + IntToStr(id));
    TIntfPtr<TXmlInc> inc(new TXmlInc(id, it->second));
    for (const pugi::xml_node& c : el.children()) {
        if (c.type() != pugi::node_element) continue;  // text between elements carries nothing
        if (String(c.name()) != "inc") throw EHostError(fileName + ": unexpected <" + c.name() + ">");
        inc->FIncs.push_back(
            TIntfPtr<IXMLInc>(static_cast<IXMLInc*>(MakeInc(db, c, fileName, depth + 1).get())));
    }
    return inc;
}

}  // namespace

TIntfPtr<IXMLPchDb> LoadpchDb(const String& fileName)
{
    String text;
    try {
        text = ReadFileBytes(fileName);
    } catch (const Exception& e) {
        throw EHostError("Cannot read the dependency database " + fileName + ": " + e.Message());
    }
    pugi::xml_document doc;
    const pugi::xml_parse_result parsed = doc.load_buffer(text.data(), text.size(), pugi::parse_default);
    if (!parsed)
        throw EHostError(fileName + ": " + parsed.description() + " at byte " + IntToStr(parsed.offset));
    const pugi::xml_node root = doc.document_element();
    if (String(root.name()) != "pchdb") throw EHostError(fileName + ": no dependency database");
    TIntfPtr<TXmlPchDb> db(new TXmlPchDb);
    for (const pugi::xml_node& c : root.children("file")) {
        const int id = IdAttribute(c, "id", fileName);
        const pugi::xml_attribute name = c.attribute("name");
        if (!name) throw EHostError(fileName + ": <file> without name");
        db->FFiles.emplace_back(id, name.value());
        db->FNames.emplace(id, name.value());
    }
    for (const pugi::xml_node& c : root.children()) {
        if (c.type() != pugi::node_element || String(c.name()) == "file") continue;
        if (String(c.name()) != "cu") throw EHostError(fileName + ": unexpected <" + c.name() + ">");
        db->FCus.push_back(TIntfPtr<IXMLCu>(static_cast<IXMLCu*>(MakeInc(*db, c, fileName, 0).get())));
    }
    return TIntfPtr<IXMLPchDb>(db.get());
}

namespace hostimpl {
void RemoveClassExplorerResidue(const std::function<bool(const void*)>& inModule, std::vector<String>& found)
{
    auto fn = [](auto* f) { return reinterpret_cast<const void*>(f); };
    if (GetCppClassExplorerController && inModule(fn(GetCppClassExplorerController))) {
        GetCppClassExplorerController = DefaultGetCppClassExplorerController;
        found.push_back("hook GetCppClassExplorerController");
    }
}
}  // namespace hostimpl
