#include "Idlcppimpl.h"

#include <algorithm>
#include <map>

#include "Idldepends.h"
#include "Idlenvoptions.h"
#include "host/ClassExplorer.h"
#include "host/ModuleServices.h"
#include "rtl/Files.h"
#include "rtl/Resources.h"
#include "zub/Forms.h"

namespace {
RTL_RESOURCESTRING(sUnableToBrowse, "Unable to browse %s");
const String kSkPrefix = "_sk_";

bool HasSkPrefix(const String& name) { return name.size() > 4 && name.compare(0, 4, kSkPrefix) == 0; }

String WithoutSkPrefix(const String& name) { return HasSkPrefix(name) ? name.substr(4) : name; }
}  // namespace

// ---- lists ----

TIdlBaseSymbolList::TIdlBaseSymbolList(TIdlBaseSymbol* owner) : FOwner(owner)
{
    if (owner) owner->FLists.push_back(this);
}

TIdlBaseSymbol* TIdlBaseSymbolList::FindName(const String& name) const
{
    for (const auto& s : FItems)
        if (s->Name() == name) return s.get();
    return nullptr;
}

void TIdlBaseSymbolList::SortByName()
{
    std::stable_sort(FItems.begin(), FItems.end(),
                     [](const auto& a, const auto& b) { return CompareText(a->Name(), b->Name()) < 0; });
}

TIdlModuleSymbol* TIdlModuleSymbolList::Items(int index) const
{
    return static_cast<TIdlModuleSymbol*>(Item(index));
}
TIdlClassSymbol* TIdlClassSymbolList::Items(int index) const
{
    return static_cast<TIdlClassSymbol*>(Item(index));
}
TIdlMethodSymbol* TIdlMethodSymbolList::Items(int index) const
{
    return static_cast<TIdlMethodSymbol*>(Item(index));
}

void TIdlModuleSymbolList::Assign(const TIdlBaseSymbolList& other)
{
    auto* owner = static_cast<TIdlScopeSymbol*>(Owner());
    for (int i = 0; i < other.Count(); ++i) {
        auto* copy = owner->Modules().Add(std::make_unique<TIdlModuleSymbol>(other.Item(i)->Name(), owner));
        copy->Assign(*other.Item(i));
    }
}

void TIdlClassSymbolList::Assign(const TIdlBaseSymbolList& other)
{
    auto* owner = static_cast<TIdlScopeSymbol*>(Owner());
    for (int i = 0; i < other.Count(); ++i) {
        auto* copy = owner->Classes().Add(std::make_unique<TIdlClassSymbol>(other.Item(i)->Name(), owner));
        copy->Assign(*other.Item(i));
    }
}

void TIdlMethodSymbolList::Assign(const TIdlBaseSymbolList& other)
{
    auto* owner = static_cast<TIdlClassSymbol*>(Owner());
    for (int i = 0; i < other.Count(); ++i) {
        auto* copy = owner->Methods().Add(std::make_unique<TIdlMethodSymbol>(other.Item(i)->Name(), owner));
        copy->Assign(*other.Item(i));
    }
}

// ---- symbols ----

TIdlBaseSymbol::TIdlBaseSymbol(const String& name, TIdlBaseSymbol* parent, TIdlBaseSymbolKind kind)
    : FName(name), FParent(parent), FKind(kind)
{
}

String TIdlBaseSymbol::GetQualifiedName() const
{
    if (FKind == iskFile) return "";
    const String parent = FParent ? FParent->GetQualifiedName() : String();
    return parent.empty() ? kSkPrefix + FName : parent + "::" + kSkPrefix + FName;
}

TIdlBaseSymbol* TIdlBaseSymbol::FindQualifiedName(const String& name) const
{
    String n = name;
    if (n.rfind("::", 0) == 0) n.erase(0, 2);
    const std::size_t sep = n.find("::");
    const String head = WithoutSkPrefix(sep == String::npos ? n : n.substr(0, sep));
    for (TIdlBaseSymbolList* l : FLists) {
        TIdlBaseSymbol* found = l->FindName(head);
        if (!found) continue;
        if (sep == String::npos) return found;
        return found->FindQualifiedName(n.substr(sep + 2));
    }
    return nullptr;
}

void TIdlBaseSymbol::Assign(const TIdlBaseSymbol& other)
{
    for (std::size_t i = 0; i < FLists.size() && i < other.FLists.size(); ++i)
        FLists[i]->Assign(*other.FLists[i]);
}

TIdlScopeSymbol::TIdlScopeSymbol(const String& name, TIdlBaseSymbol* parent, TIdlBaseSymbolKind kind)
    : TIdlBaseSymbol(name, parent, kind), FModules(std::make_unique<TIdlModuleSymbolList>(this)),
      FClasses(std::make_unique<TIdlClassSymbolList>(this))
{
}

TIdlModuleSymbol::TIdlModuleSymbol(const String& name, TIdlScopeSymbol* parent)
    : TIdlScopeSymbol(name, parent, iskModule)
{
}

TIdlClassSymbol::TIdlClassSymbol(const String& name, TIdlScopeSymbol* parent)
    : TIdlBaseSymbol(name, parent, iskClass), FMethods(std::make_unique<TIdlMethodSymbolList>(this))
{
}

TIdlMethodSymbol::TIdlMethodSymbol(const String& name, TIdlClassSymbol* parent)
    : TIdlBaseSymbol(name, parent, iskMethod)
{
}

void TIdlMethodSymbol::Assign(const TIdlBaseSymbol& other)
{
    TIdlBaseSymbol::Assign(other);
    if (auto* m = dynamic_cast<const TIdlMethodSymbol*>(&other)) {
        AttributeIndex = m->AttributeIndex;
        IsAttribute = m->IsAttribute;
        ResultType = m->ResultType;
        Params = m->Params;
        DeclFile = m->DeclFile;
        DeclLine = m->DeclLine;
        Resolved = m->Resolved;
    }
}

String TIdlMethodSymbol::GetAttributeType() const
{
    auto* cls = static_cast<TIdlClassSymbol*>(Parent());
    if (AttributeIndex < 0 || !cls || AttributeIndex >= cls->Methods().Count()) return "";
    return cls->Methods().Items(AttributeIndex)->ResultType;
}

// ---- building the tree ----

TIdlFileSymbol::TIdlFileSymbol(const String& headerFile) : TIdlScopeSymbol(headerFile, nullptr, iskFile) {}

bool TIdlFileSymbol::PopulatingClasses() const
{
    return FPopulatingClasses || (IdlFileSymbolCache && IdlFileSymbolCache->Enabled());
}

bool TIdlFileSymbol::Populate()
{
    if (Application) Application->ProcessMessages();
    if (IdlFileSymbolCache && IdlFileSymbolCache->Fill(*this)) return true;
    TSkBrowser browser;
    const bool compiled = browser.Compile(
        Name(), [this](TObject*, TSkBrowser* b) { Walk(*b, nullptr, *this); }, this);
    if (!compiled) throw Exception(Format(sUnableToBrowse, {Name()}));
    if (PopulatingClasses() && IdlFileSymbolCache) IdlFileSymbolCache->Add(*this);
    return true;
}

bool TIdlFileSymbol::PopulateClasses()
{
    FPopulatingClasses = true;
    struct TLower {
        bool& Flag;
        ~TLower() { Flag = false; }
    } lower{FPopulatingClasses};
    return Populate();
}

void TIdlFileSymbol::Walk(TSkBrowser& browser, TSymbol scope, TIdlScopeSymbol& into)
{
    const int count = browser.GetMembers(scope, CppMembers::Scope | CppMembers::Count, nullptr, 0);
    std::vector<TSymbol> symbols(static_cast<std::size_t>(std::clamp(count, 0, TSkBrowser::MaxMembers)));
    const int n = std::min(
        browser.GetMembers(scope, CppMembers::Scope, symbols.data(), static_cast<int>(symbols.size())),
        static_cast<int>(symbols.size()));
    for (int i = 0; i < n; ++i) {
        const TSymbol s = symbols[static_cast<std::size_t>(i)];
        String name;
        try {
            name = browser.GetText(s, 0);
        } catch (const Exception&) {
            continue;  // a symbol without a readable name is no skeleton
        }
        if (scope) {
            const std::size_t sep = name.rfind("::");
            if (sep != String::npos) name.erase(0, sep + 2);
        }
        if (name.empty() || name[0] != '_' || !HasSkPrefix(name)) continue;
        if (browser.GetMembers(s, CppMembers::ClassMembers | CppMembers::Count, nullptr, 0) > 0) {
            auto* cls = into.Classes().Add(std::make_unique<TIdlClassSymbol>(name.substr(4), &into));
            if (PopulatingClasses()) cls->Populate(browser, s, Name());
        } else {
            auto* module = into.Modules().Add(std::make_unique<TIdlModuleSymbol>(name.substr(4), &into));
            Walk(browser, s, *module);
        }
    }
}

std::unique_ptr<TIdlFileSymbol> TIdlFileSymbol::Duplicate() const
{
    auto copy = std::make_unique<TIdlFileSymbol>(Name());
    copy->Assign(*this);
    return copy;
}

void TIdlClassSymbol::Populate(TSkBrowser& browser, TSymbol symbol, const String& headerFile)
{
    const int count = browser.GetMembers(
        symbol, CppMembers::Functions | CppMembers::Inherited | CppMembers::Count, nullptr, 0);
    std::vector<TSymbol> functions(static_cast<std::size_t>(std::clamp(count, 0, TSkBrowser::MaxMembers)));
    const int n = std::min(browser.GetMembers(symbol, CppMembers::Functions | CppMembers::Inherited,
                                              functions.data(), static_cast<int>(functions.size())),
                           static_cast<int>(functions.size()));
    const String header = ExtractFileName(headerFile);
    for (int i = 0; i < n; ++i) {
        const TSymbol f = functions[static_cast<std::size_t>(i)];
        if (!(browser.GetFlags(f) & CppSymbolFlags::Abstract)) continue;
        int line = 0;
        String file;
        if (!browser.FindDeclaration(f, line, file) || !SameFileName(ExtractFileName(file), header)) continue;
        auto* m = FMethods->Add(std::make_unique<TIdlMethodSymbol>(browser.GetText(f, 0), this));
        const TSymbol result = browser.GetResultType(f);
        m->ResultType = result ? browser.GetText(result, 1) : String();
        const int np = browser.GetMembers(f, CppMembers::Parameters | CppMembers::Count, nullptr, 0);
        std::vector<TSymbol> params(static_cast<std::size_t>(std::clamp(np, 0, TSkBrowser::MaxMembers)));
        browser.GetMembers(f, CppMembers::Parameters, params.data(), static_cast<int>(params.size()));
        for (std::size_t p = 0; p < params.size(); ++p)
            m->Params += (p ? ",| " : "") + browser.GetText(params[p], 1);
        m->DeclFile = file;
        m->DeclLine = line;
        m->Resolved = false;
    }
    FMethods->SortByName();
    SetMethodProperties(*FMethods);
}

namespace {
// The text of a file as the IDE has it: its open editor buffer, else the disk's.
String IdlSourceText(const String& fileName)
{
    if (TIntfPtr<IQSourceFile> f = OpenEditorFile(fileName)) return f->Source();
    return ReadFileBytes(fileName);
}
}  // namespace

void TCppIdlImplScanner::ScanDeclaration(TIdlMethodSymbol& method)
{
    const std::size_t saved = Position();
    std::size_t first = String::npos;
    for (TCppToken t = Next(); t.Kind != TCppTokenKind::End && !t.Is(";"); t = Next()) {
        if (first == String::npos) first = t.Start;
        if (t.Kind != TCppTokenKind::Identifier || t.Text != method.Name() || !Peek().Is("(")) continue;
        method.ResultType = Trim(Text(first, t.Start));
        const std::size_t open = Next().End;
        int depth = 1;
        TCppToken p = Next();
        for (; p.Kind != TCppTokenKind::End; p = Next()) {
            if (p.Is("(")) ++depth;
            if (p.Is(")") && --depth == 0) break;
        }
        method.Params = Trim(Text(open, p.Start));
        break;
    }
    SetPosition(saved);
}

void TIdlClassSymbol::ResolveMethodDeclarations()
{
    std::map<String, std::vector<TIdlMethodSymbol*>> byFile;
    for (int i = 0; i < FMethods->Count(); ++i) {
        TIdlMethodSymbol* m = FMethods->Items(i);
        if (!m->Resolved) byFile[m->DeclFile].push_back(m);
    }
    for (auto& [file, methods] : byFile) {
        std::stable_sort(
            methods.begin(), methods.end(),
            [](const TIdlMethodSymbol* a, const TIdlMethodSymbol* b) { return a->DeclLine < b->DeclLine; });
        String text;
        try {
            text = IdlSourceText(file);
        } catch (const Exception&) {
            continue;  // a file that cannot be read leaves its methods unresolved
        }
        TCppIdlImplScanner scanner(text);
        for (TIdlMethodSymbol* m : methods) {
            if (!scanner.SkipToLine(m->DeclLine) || scanner.AtEnd()) break;
            m->Resolved = true;
            scanner.ScanDeclaration(*m);
        }
    }
}

void SetMethodProperties(TIdlMethodSymbolList& methods)
{
    for (int i = 0; i + 1 < methods.Count();) {
        TIdlMethodSymbol* a = methods.Items(i);
        TIdlMethodSymbol* b = methods.Items(i + 1);
        if (a->Name() != b->Name()) {
            ++i;
            continue;
        }
        const int getter = b->ResultType != "void" ? i + 1 : i;
        a->IsAttribute = b->IsAttribute = true;
        a->AttributeIndex = b->AttributeIndex = getter;
        i += 2;
    }
}

// ---- enumerating ----

namespace {
void CollectClasses(TIdlScopeSymbol& scope, std::vector<TIdlClassSymbol*>& out)
{
    for (int i = 0; i < scope.Modules().Count(); ++i) CollectClasses(*scope.Modules().Items(i), out);
    for (int i = 0; i < scope.Classes().Count(); ++i) out.push_back(scope.Classes().Items(i));
}
}  // namespace

TIdlClassSymbolEnumerator::TIdlClassSymbolEnumerator(TIdlFileSymbol& file) { CollectClasses(file, FClasses); }

bool TIdlClassSymbolEnumerator::Next()
{
    if (FPosition < FClasses.size()) ++FPosition;
    return FPosition < FClasses.size();
}

TIdlClassSymbol* TIdlClassSymbolEnumerator::Current() const
{
    return FPosition < FClasses.size() ? FClasses[FPosition] : nullptr;
}

String StripClassPrefix(const String& name)
{
    String out;
    std::size_t start = 0;
    while (true) {
        const std::size_t sep = name.find("::", start);
        const String part = name.substr(start, sep == String::npos ? String::npos : sep - start);
        out += HasSkPrefix(part) ? part.substr(4) : part;
        if (sep == String::npos) break;
        out += "::";
        start = sep + 2;
    }
    return out;
}

// ---- the cache ----

TIdlFileSymbolCache* IdlFileSymbolCache = nullptr;

TDateTime IdlFileDate(const String& fileName)
{
    TIntfPtr<IQEditBuffer> b;
    if (TIntfPtr<IQSourceFile> f = OpenEditorFile(fileName); f && Supports(f, b)) return b->Age();
    return FileAge(fileName);
}

TIdlFileSymbolCache::~TIdlFileSymbolCache() = default;

int TIdlFileSymbolCache::Limit() const
{
    return IdlEnvironmentOptions ? IdlEnvironmentOptions->FileSymbolCacheLimit()
                                 : kDefaultFileSymbolCacheLimit;
}

void TIdlFileSymbolCache::Add(const TIdlFileSymbol& symbol)
{
    const int limit = Limit();
    if (limit <= 0) return;
    const TDateTime date = IdlFileDate(symbol.Name());
    auto it = std::find_if(FItems.begin(), FItems.end(),
                           [&](const TItem& i) { return SameFileName(i.Symbol->Name(), symbol.Name()); });
    if (it != FItems.end()) {
        if (it->Date.Val == date.Val) {
            std::rotate(FItems.begin(), it, it + 1);
            return;
        }
        FItems.erase(it);
    }
    FItems.insert(FItems.begin(), TItem{date, symbol.Duplicate()});
    while (static_cast<int>(FItems.size()) > limit) FItems.pop_back();
}

const TIdlFileSymbol* TIdlFileSymbolCache::Lookup(const String& fileName)
{
    const TDateTime date = IdlFileDate(fileName);
    auto it = std::find_if(FItems.begin(), FItems.end(),
                           [&](const TItem& i) { return SameFileName(i.Symbol->Name(), fileName); });
    if (it == FItems.end()) return nullptr;
    if (it->Date.Val == date.Val) return it->Symbol.get();
    FItems.erase(it);
    return nullptr;
}

bool TIdlFileSymbolCache::Fill(TIdlFileSymbol& symbol)
{
    const TIdlFileSymbol* cached = Lookup(symbol.Name());
    if (!cached) return false;
    symbol.Assign(*cached);
    return true;
}

// ---- the unit ----

namespace Idlcppimpl {
int UseCount = 0;

void Initialization() { IdlFileSymbolCache = new TIdlFileSymbolCache(); }

void Finalization()
{
    delete IdlFileSymbolCache;
    IdlFileSymbolCache = nullptr;
}
}  // namespace Idlcppimpl
