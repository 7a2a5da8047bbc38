#include "host/ClassExplorer.h"

#include <algorithm>

#include "hostimpl/ClassExplorerImpl.h"
#include "rtl/Files.h"

TIntfPtr<TClassExplorer> DefaultGetCppClassExplorerController() { return nullptr; }
TGetClassExplorerControllerProc GetCppClassExplorerController = DefaultGetCppClassExplorerController;

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
    if (!child || child == this) return;
    if (child->FParent) std::erase(child->FParent->FChildren, child);
    child->FParent = this;
    FChildren.push_back(child);
}

void TClassModelNode::SetNamespace(TClassModelNode* ns)
{
    if (ns == FNamespace || ns == this) return;
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

void TClassModelNode::RemoveID(int id)
{
    auto has = [id](TClassModelNode* n) { return n->FId == id; };
    std::erase_if(FChildren, has);
    std::erase_if(FBases, has);
    std::erase_if(FDerived, has);
    if (FParent && FParent->FId == id) FParent = nullptr;
    if (FNamespace && FNamespace->FId == id) FNamespace = nullptr;
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
    for (const TClassModelNode* p = FParent ? FParent : FNamespace; p;
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

struct TXmlElement {
    String Name;
    std::map<String, String> Attributes;
    std::vector<TXmlElement> Children;
};

// Reads the small XML subset the database uses: elements, attributes in quotes, the five
// entities, comments and processing instructions.
class TXmlReader {
public:
    TXmlReader(const String& text, const String& fileName) : FText(text), FFile(fileName) {}
    TXmlElement Document()
    {
        SkipMisc();
        TXmlElement root = Element();
        SkipMisc();
        if (FPos < FText.size()) Fail("text after the root element");
        return root;
    }

private:
    [[noreturn]] void Fail(const String& what) { throw EHostError(FFile + ": " + what); }
    void SkipBlanks()
    {
        while (FPos < FText.size() && std::isspace(static_cast<unsigned char>(FText[FPos]))) ++FPos;
    }
    void SkipMisc()
    {
        for (;;) {
            SkipBlanks();
            if (FText.compare(FPos, 4, "<!--") == 0) {
                const auto e = FText.find("-->", FPos + 4);
                if (e == String::npos) Fail("unclosed comment");
                FPos = e + 3;
            } else if (FText.compare(FPos, 2, "<?") == 0) {
                const auto e = FText.find("?>", FPos + 2);
                if (e == String::npos) Fail("unclosed processing instruction");
                FPos = e + 2;
            } else {
                return;
            }
        }
    }
    String Name()
    {
        const std::size_t b = FPos;
        while (FPos < FText.size() &&
               (std::isalnum(static_cast<unsigned char>(FText[FPos])) || FText[FPos] == '_' ||
                FText[FPos] == '-' || FText[FPos] == ':' || FText[FPos] == '.'))
            ++FPos;
        if (b == FPos) Fail("name expected");
        return FText.substr(b, FPos - b);
    }
    String Unescape(const String& s)
    {
        String r;
        for (std::size_t i = 0; i < s.size(); ++i) {
            if (s[i] != '&') {
                r += s[i];
                continue;
            }
            const auto e = s.find(';', i);
            if (e == String::npos) Fail("bad entity");
            const String ent = s.substr(i + 1, e - i - 1);
            if (ent == "amp")
                r += '&';
            else if (ent == "lt")
                r += '<';
            else if (ent == "gt")
                r += '>';
            else if (ent == "quot")
                r += '"';
            else if (ent == "apos")
                r += '\'';
            else
                Fail("unknown entity &" + ent + ";");
            i = e;
        }
        return r;
    }
    TXmlElement Element()
    {
        if (FPos >= FText.size() || FText[FPos] != '<') Fail("element expected");
        ++FPos;
        TXmlElement el;
        el.Name = Name();
        for (;;) {
            SkipBlanks();
            if (FPos >= FText.size()) Fail("unclosed element <" + el.Name + ">");
            if (FText.compare(FPos, 2, "/>") == 0) {
                FPos += 2;
                return el;
            }
            if (FText[FPos] == '>') {
                ++FPos;
                break;
            }
            const String attr = Name();
            SkipBlanks();
            if (FPos >= FText.size() || FText[FPos] != '=') Fail("'=' expected after " + attr);
            ++FPos;
            SkipBlanks();
            if (FPos >= FText.size() || (FText[FPos] != '"' && FText[FPos] != '\''))
                Fail("quoted value expected");
            const char q = FText[FPos++];
            const auto e = FText.find(q, FPos);
            if (e == String::npos) Fail("unclosed value of " + attr);
            el.Attributes[attr] = Unescape(FText.substr(FPos, e - FPos));
            FPos = e + 1;
        }
        for (;;) {
            // text between elements carries nothing in this format
            while (FPos < FText.size() && FText[FPos] != '<') ++FPos;
            SkipMisc();
            if (FPos >= FText.size()) Fail("unclosed element <" + el.Name + ">");
            if (FText.compare(FPos, 2, "</") == 0) {
                FPos += 2;
                if (Name() != el.Name) Fail("mismatched end of <" + el.Name + ">");
                SkipBlanks();
                if (FPos >= FText.size() || FText[FPos] != '>') Fail("'>' expected");
                ++FPos;
                return el;
            }
            el.Children.push_back(Element());
        }
    }
    const String& FText;
    String FFile;
    std::size_t FPos = 0;
};

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

int IdAttribute(const TXmlElement& el, const char* attr, const String& fileName)
{
    auto it = el.Attributes.find(attr);
    if (it == el.Attributes.end()) throw EHostError(fileName + ": <" + el.Name + "> without " + attr);
    try {
        return StrToInt(it->second);
    } catch (const EConvertError&) {
        throw EHostError(fileName + ": <" + el.Name + "> " + attr + " is no number: " + it->second);
    }
}

TIntfPtr<TXmlInc> MakeInc(TXmlPchDb& db, const TXmlElement& el, const String& fileName)
{
    const int id = IdAttribute(el, "file", fileName);
    auto it = db.FNames.find(id);
    if (it == db.FNames.end()) throw EHostError(fileName + ": unknown file id " + IntToStr(id));
    TIntfPtr<TXmlInc> inc(new TXmlInc(id, it->second));
    for (const auto& c : el.Children) {
        if (c.Name != "inc") throw EHostError(fileName + ": unexpected <" + c.Name + ">");
        inc->FIncs.push_back(TIntfPtr<IXMLInc>(static_cast<IXMLInc*>(MakeInc(db, c, fileName).get())));
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
    const TXmlElement root = TXmlReader(text, fileName).Document();
    if (root.Name != "pchdb") throw EHostError(fileName + ": no dependency database");
    TIntfPtr<TXmlPchDb> db(new TXmlPchDb);
    for (const auto& c : root.Children)
        if (c.Name == "file") {
            const int id = IdAttribute(c, "id", fileName);
            auto it = c.Attributes.find("name");
            if (it == c.Attributes.end()) throw EHostError(fileName + ": <file> without name");
            db->FFiles.emplace_back(id, it->second);
            db->FNames.emplace(id, it->second);
        }
    for (const auto& c : root.Children) {
        if (c.Name == "file") continue;
        if (c.Name != "cu") throw EHostError(fileName + ": unexpected <" + c.Name + ">");
        db->FCus.push_back(TIntfPtr<IXMLCu>(static_cast<IXMLCu*>(MakeInc(*db, c, fileName).get())));
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
