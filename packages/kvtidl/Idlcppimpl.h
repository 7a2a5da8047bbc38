#pragma once
// The IDL symbols of a project's IDL file, read from the C++ header krotex generated for it: a
// tree of file, modules, classes (the IDL interfaces, known by their "_sk_" skeletons) and
// methods (operations and attribute halves), and the cache of trees already built.
#include <memory>
#include <vector>

#include "Skbrowser.h"
#include "host/CppScanner.h"
#include "rtl/DateUtils.h"

enum TIdlBaseSymbolKind { iskFile = 0, iskModule = 1, iskClass = 2, iskMethod = 3 };

class TIdlBaseSymbol;
class TIdlModuleSymbol;
class TIdlClassSymbol;
class TIdlMethodSymbol;

// An owning list of symbols; it registers itself with its owner, which holds it.
class TIdlBaseSymbolList : public TObject {
public:
    explicit TIdlBaseSymbolList(TIdlBaseSymbol* owner);
    TIdlBaseSymbolList(const TIdlBaseSymbolList&) = delete;
    TIdlBaseSymbolList& operator=(const TIdlBaseSymbolList&) = delete;
    TIdlBaseSymbol* Owner() const { return FOwner; }
    int Count() const { return static_cast<int>(FItems.size()); }
    TIdlBaseSymbol* Item(int index) const { return FItems.at(static_cast<std::size_t>(index)).get(); }
    // The first item of that name (case-sensitive), or nullptr.
    TIdlBaseSymbol* FindName(const String& name) const;
    // Appends a copy of every item of other under this list's owner.
    virtual void Assign(const TIdlBaseSymbolList& other) = 0;
    // Appends the symbol; the list owns it from now on.
    template <class T>
    T* Add(std::unique_ptr<T> symbol)
    {
        T* s = symbol.get();
        FItems.push_back(std::move(symbol));
        return s;
    }
    // Sorted by name (case-insensitive), equal names kept in order.
    void SortByName();

private:
    TIdlBaseSymbol* FOwner;
    std::vector<std::unique_ptr<TIdlBaseSymbol>> FItems;
};

class TIdlBaseSymbol : public TObject {
public:
    TIdlBaseSymbol(const String& name, TIdlBaseSymbol* parent, TIdlBaseSymbolKind kind);
    TIdlBaseSymbol(const TIdlBaseSymbol&) = delete;
    TIdlBaseSymbol& operator=(const TIdlBaseSymbol&) = delete;
    String Name() const { return FName; }
    TIdlBaseSymbol* Parent() const { return FParent; }
    TIdlBaseSymbolKind Kind() const { return FKind; }
    // The skeleton name: "_sk_Bank::_sk_Account" for Account in Bank; "" for a file.
    String GetQualifiedName() const;
    // "::_sk_Bank::Account", "Bank::_sk_Account": the symbol, or nullptr.
    TIdlBaseSymbol* FindQualifiedName(const String& name) const;
    // Copies the lists of other (appended as new symbols).
    virtual void Assign(const TIdlBaseSymbol& other);

protected:
    friend class TIdlBaseSymbolList;
    std::vector<TIdlBaseSymbolList*> FLists;  // in order of creation; held by the subclass

private:
    String FName;
    TIdlBaseSymbol* FParent;
    TIdlBaseSymbolKind FKind;
};

class TIdlModuleSymbolList : public TIdlBaseSymbolList {
public:
    using TIdlBaseSymbolList::TIdlBaseSymbolList;
    TIdlModuleSymbol* Items(int index) const;
    void Assign(const TIdlBaseSymbolList& other) override;
};
class TIdlClassSymbolList : public TIdlBaseSymbolList {
public:
    using TIdlBaseSymbolList::TIdlBaseSymbolList;
    TIdlClassSymbol* Items(int index) const;
    void Assign(const TIdlBaseSymbolList& other) override;
};
class TIdlMethodSymbolList : public TIdlBaseSymbolList {
public:
    using TIdlBaseSymbolList::TIdlBaseSymbolList;
    TIdlMethodSymbol* Items(int index) const;
    void Assign(const TIdlBaseSymbolList& other) override;
};

// A file or a module: holds modules and classes.
class TIdlScopeSymbol : public TIdlBaseSymbol {
public:
    TIdlScopeSymbol(const String& name, TIdlBaseSymbol* parent, TIdlBaseSymbolKind kind);
    TIdlModuleSymbolList& Modules() { return *FModules; }
    TIdlClassSymbolList& Classes() { return *FClasses; }
    const TIdlModuleSymbolList& Modules() const { return *FModules; }
    const TIdlClassSymbolList& Classes() const { return *FClasses; }

private:
    std::unique_ptr<TIdlModuleSymbolList> FModules;
    std::unique_ptr<TIdlClassSymbolList> FClasses;
};

class TIdlFileSymbol : public TIdlScopeSymbol {
public:
    // headerFile: the generated header to browse.
    explicit TIdlFileSymbol(const String& headerFile);
    // Builds the tree (from the cache when it holds the file unchanged); raises "Unable to
    // browse %s" when the header does not compile.
    bool Populate();
    // Populate with the methods of every class, also when the cache is off.
    bool PopulateClasses();
    bool PopulatingClasses() const;
    // A deep copy.
    std::unique_ptr<TIdlFileSymbol> Duplicate() const;

private:
    void Walk(TSkBrowser& browser, TSymbol scope, TIdlScopeSymbol& into);
    bool FPopulatingClasses = false;
};

// Symbols below a parent are made by the parent's list (Add), which owns them.
class TIdlModuleSymbol : public TIdlScopeSymbol {
public:
    TIdlModuleSymbol(const String& name, TIdlScopeSymbol* parent);
};

class TIdlClassSymbol : public TIdlBaseSymbol {
public:
    TIdlClassSymbol(const String& name, TIdlScopeSymbol* parent);
    TIdlMethodSymbolList& Methods() { return *FMethods; }
    const TIdlMethodSymbolList& Methods() const { return *FMethods; }
    // The operations the skeleton symbol declares in headerFile, sorted, attributes marked.
    void Populate(TSkBrowser& browser, TSymbol symbol, const String& headerFile);
    // Reads the result type and parameter text of every unresolved method from its declaration
    // in the source (the open editor buffer of the file, else the file on disk).
    void ResolveMethodDeclarations();

private:
    std::unique_ptr<TIdlMethodSymbolList> FMethods;
};

class TIdlMethodSymbol : public TIdlBaseSymbol {
public:
    TIdlMethodSymbol(const String& name, TIdlClassSymbol* parent);
    void Assign(const TIdlBaseSymbol& other) override;
    int AttributeIndex = -1;
    bool IsAttribute = false;
    String ResultType, Params, DeclFile;
    int DeclLine = 0;
    bool Resolved = false;
    bool GetIsAttributeGet() const { return AttributeIndex >= 0 && ResultType != "void"; }
    bool GetIsAttributeSet() const { return AttributeIndex >= 0 && ResultType == "void"; }
    // The getter's result type; "" when this is no attribute (or the index is out of range).
    String GetAttributeType() const;
};

// Scans the declaration of a method in a header.
class TCppIdlImplScanner : public TCppScanner {
public:
    using TCppScanner::TCppScanner;
    // From the start of the method's line: the tokens up to ";"; where the method's name is
    // followed by "(", the text before the name is its result type and the text between the
    // parentheses its parameters. Restores the position.
    void ScanDeclaration(TIdlMethodSymbol& method);
};

// Neighbours of the same name in a name-sorted method list form an attribute (getter and setter).
void SetMethodProperties(TIdlMethodSymbolList& methods);

// The classes of a file, depth first: a symbol's modules' classes before its own.
class TIdlClassSymbolEnumerator : public TObject {
public:
    explicit TIdlClassSymbolEnumerator(TIdlFileSymbol& file);
    bool Next();
    bool AnyClasses() const { return !FClasses.empty(); }
    TIdlClassSymbol* Current() const;

private:
    std::vector<TIdlClassSymbol*> FClasses;
    std::size_t FPosition = 0;
};

// "_sk_Bank::_sk_Account" -> "Bank::Account".
String StripClassPrefix(const String& name);

// Trees of files already browsed, most recently used first, each taken at the file's date.
class TIdlFileSymbolCache : public TObject {
public:
    ~TIdlFileSymbolCache() override;
    int Limit() const;  // FileSymbolCacheLimit, read at every use
    bool Enabled() const { return Limit() > 0; }
    void Add(const TIdlFileSymbol& symbol);
    // The cached tree of the file while the file is unchanged; nullptr otherwise (a stale entry
    // is dropped).
    const TIdlFileSymbol* Lookup(const String& fileName);
    // Assigns the cached tree into symbol; false when there is none.
    bool Fill(TIdlFileSymbol& symbol);
    int Count() const { return static_cast<int>(FItems.size()); }
    String FileName(int index) const { return FItems.at(static_cast<std::size_t>(index)).Symbol->Name(); }
    void Clear() { FItems.clear(); }

private:
    struct TItem {
        TDateTime Date;
        std::unique_ptr<TIdlFileSymbol> Symbol;
    };
    std::vector<TItem> FItems;
};

// The package's cache, while the package is loaded.
extern TIdlFileSymbolCache* IdlFileSymbolCache;

// A file's date as the cache compares it: its open editor buffer's last change, else the disk's.
TDateTime IdlFileDate(const String& fileName);

namespace Idlcppimpl {
extern int UseCount;
void Initialization();
void Finalization();
}  // namespace Idlcppimpl
