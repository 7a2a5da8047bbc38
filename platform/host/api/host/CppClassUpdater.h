#pragma once
// The code updater of one C++ unit (its header and source): a class manager that knows where the
// unit's classes, their base lists, COM maps, registry literals and methods are, and text edits
// by section and position that are collected and written together at the end. A failed update
// leaves both files as they were.
#include "host/CodeUpdaters.h"
#include "host/CppClassManager.h"
#include "host/Export.h"
#include "host/ModuleServices.h"
#include <memory>
#include <vector>

enum TCppSection { csHeader = 0, csSource = 1 };

// A member signature as handed to the method-header generator. Encoded as a block: "HMIT" and the
// total size (two 32-bit little-endian words), then kind byte 8, the name, function flag, the
// parameter count, per parameter flags, name and type, and a function's result type (strings
// with a length byte).
struct HOST_API TMethodTypeParam {
    int Flags = 0;
    String Name, Type;
};
struct HOST_API TMethodTypeInfo {
    String Name;
    bool IsFunction = false;
    std::vector<TMethodTypeParam> Params;
    String ResultType;
    String Encode() const;  // EHostError for a name or list longer than a length byte holds
    static TMethodTypeInfo Decode(const String& block);  // EHostError for a block without the prefix
};

// Header styles of CppMethodHeader.
inline constexpr int mhImplementation = 2;  // "STDMETHODIMP Class::Name(...)"
inline constexpr int mhDeclaration = 6;  // "STDMETHOD(Name)(...);"
// Header type 0 is a plain member function, as event handlers are: "void Name(...);" and
// "void Class::Name(...)"; other header types are COM methods as above.
HOST_API String CppMethodHeader(const TMethodTypeInfo& info, const String& className, int style,
                                int headerType = 1);

// The implementation class of a CoClass and back: "TOrdersImpl" for "Orders"; "" when the name
// is no implementation class name.
HOST_API String CoClassToImplName(const String& coClassName);
HOST_API String ImplToCoClassName(const String& implName);
// The method-name prefix of a member by its invoke kind (1 function, 2 get, 4 put, 8 put by
// reference).
HOST_API String GetPropPrefix(int invokeKind);

// A method of a class: where its declaration is in the header and where its implementation's
// header is in the source (from the end of the line before it to after its ")").
struct HOST_API TCppMethodPlace {
    String Name;
    std::size_t DeclPos = NoPosition, DeclEnd = NoPosition;
    std::size_t ImplPos = NoPosition, ImplEnd = NoPosition;
    // The number in the body's "const DISPID dispid = N;" (offset into the source).
    std::size_t DispIdPos = NoPosition;
    String DispIdText;
};

// A class of the unit's header. Positions are offsets into the header; a reference is an
// identifier occurrence in header (section 0) or source (section 1).
struct HOST_API TCppReference {
    int Section = csHeader;
    std::size_t Pos = 0;
    String Text;
};
struct HOST_API TCppUnitClass {
    String Name;
    std::size_t BaseListPos = NoPosition;  // after the last base, before "{"
    std::vector<TCppReference> BaseReferences;  // identifiers of the base list
    // How the class implements its object: the first word of its base list (the wizard's
    // "ZUBCONTROL_IMPL" or "PROPERTYPAGE_IMPL", or "public" where the base is written out), and
    // the ZUB class it wraps: the macro's third argument, or the template argument of a written-out
    // TZubControlImpl<...> or TPropertyPageImpl<...>; "" when it wraps none.
    String ImplBase, WrappedClass;
    std::size_t ComMapPos = NoPosition;  // end of the last line of the COM map before its end
    // The ProgID literal (first argument of the registry macro) and the licence-file literal,
    // quotes included.
    std::size_t ProgIdPos = NoPosition, LicencePos = NoPosition;
    String ProgIdText, LicenceText;
    // The start of the registry macro's line; whether the class declares the persistence of the
    // ZUB control it wraps.
    std::size_t RegistryLinePos = NoPosition;
    bool HasPersistence = false;
    std::size_t MemberInsertPos = NoPosition;  // end of the last line of the last public section
    // Where a new event handler goes: the end of the class's own section before its first access
    // label (right after "{" when it has no members there).
    std::size_t EventInsertPos = NoPosition;
    // The toolbox bitmap of an ActiveX control: the registry macro's second argument; 0 for none.
    int ToolboxBitmap = 0;
    // Where the ZUB control's events are pointed at their handlers: the end of the last line of
    // InitializeControl's body before its "}".
    std::size_t EventHookupPos = NoPosition;
    std::vector<TCppMethodPlace> Methods;
    const TCppMethodPlace* FindMethod(const String& name) const;  // letter case ignored
};

// An #include of the header: the name between its quotes or angle brackets, and where the
// directive stands (from "#" to the end of its line, the line break not included).
struct HOST_API TCppInclude {
    String Name;
    std::size_t Pos = 0, End = 0;
};

class HOST_API TCppClassManager : public TObject {
public:
    // The unit of a source file; its header beside it with ".h".
    explicit TCppClassManager(String sourceFile);
    const String& SourceFile() const { return FSource; }
    String HeaderFile() const;
    String UnitName() const;
    // Reads both files again and finds the classes; drops pending edits.
    void Parse();
    const std::vector<TCppUnitClass>& Classes() const { return FClasses; }
    // The header's classes as the CORBA helper reads them (IdlClassManagerHelperClass), with
    // their interfaces, members and method bodies; none without the helper.
    const std::vector<std::unique_ptr<TClassSymbol>>& IdlClasses() const { return FIdlClasses; }
    const TCppUnitClass* FindClass(const String& name) const;
    const std::vector<TCppInclude>& Includes() const { return FIncludes; }
    const TCppInclude* FindInclude(const String& name) const;  // letter case ignored
    const String& Text(int section) const { return section == csHeader ? FHeaderText : FSourceText; }
    // Every identifier token of the unit equal to name (comments and literals aside).
    std::vector<TCppReference> References(const String& name) const;

    // Edits against the texts as last parsed; nothing changes before Commit.
    void Insert(int section, std::size_t pos, const String& text);
    void Delete(int section, std::size_t pos, std::size_t length);
    void Replace(int section, std::size_t pos, std::size_t length, const String& text);
    int PendingEdits() const { return static_cast<int>(FEdits.size()); }
    void DropEdits() { FEdits.clear(); }
    // Applies every pending edit and writes the changed files (replaced atomically), then parses
    // again. Overlapping edits or positions outside the text raise EHostError before anything is
    // written; the edits are dropped in either case.
    void Commit();
    // The unit's texts as last parsed; Restore writes them back where the files differ (an update
    // that fails after some commits leaves the unit as it was) and parses again.
    struct TSnapshot {
        String Header, Source;
    };
    TSnapshot Snapshot() const { return {FHeaderText, FSourceText}; }
    void Restore(const TSnapshot& snapshot);

private:
    struct TEdit {
        int Section;
        std::size_t Pos, Length;
        String Text;
    };
    String Apply(int section) const;
    String FSource, FHeaderText, FSourceText;
    std::vector<TCppUnitClass> FClasses;
    std::vector<std::unique_ptr<TClassSymbol>> FIdlClasses;
    std::vector<TCppInclude> FIncludes;
    std::vector<TEdit> FEdits;
};

// The class manager of a module's unit (parsed); nullptr when the module has no C++ source.
HOST_API std::unique_ptr<TCppClassManager> GetClassManager(IQModule* module);

// Renames the identifiers of an implementation class and its CoClass in the unit (TOldImpl,
// CLSID_Old, and the CoClass named in a base list) as pending edits; how many.
HOST_API int UpdateClassNames(TCppClassManager& manager, const String& oldCoClass, const String& newCoClass);

class TTypeLibMember;

// What the host asks a personality for when a type library of a project changes.
class HOST_API IQCoClassUpdater : public virtual IInterface {
public:
    RTL_IID("{D20DCFE0-CE15-11D0-9ED5-00A02457621F}");
    virtual bool RenameClass(const String& oldName, const String& newName) = 0;
    virtual void Update(IQProject* project) = 0;
    // Shows where the unit implements the CoClass's member; nothing when it does not.
    virtual void ShowMethod(const String& coClassName, const TTypeLibMember& member) = 0;
    virtual void MakeComObject(const String&, const String&, const String&) = 0;
    virtual bool Modified() = 0;
};

// The personality's updater factory; only the operations someone answers return non-null. A
// package registers it with RegisterCreateUpdaters and takes it back with UnRegisterCreateUpdaters;
// it makes no code updaters of its own.
class HOST_API TCPPUpdaters : public TBaseCreateUpdaters {
public:
    static constexpr const char* Iid = "{DBC97A1E-6511-11D1-AA62-00C04FB17A72}";
    virtual TIntfPtr<IInterface> CreateModuleUpdater(IQModule*) { return nullptr; }
    virtual TIntfPtr<IInterface> CreateFormUpdater(IQModule*) { return nullptr; }
    virtual TIntfPtr<IQCoClassUpdater> CreateCoClassUpdater(IQModule*) { return nullptr; }
    virtual TIntfPtr<IInterface> CreateClassCompleter(IQModule*) { return nullptr; }
    virtual TIntfPtr<IInterface> CreateProjectUpdater(IQProject*) { return nullptr; }
    virtual TIntfPtr<IInterface> CreateProjectOptions(IQProject*) { return nullptr; }
    virtual TIntfPtr<IInterface> CreateOptionsUpdater(IQProject*) { return nullptr; }
    virtual TIntfPtr<IInterface> GetExplorerController() { return nullptr; }
    virtual bool CanHandleFile(const String&) { return false; }
    bool HandlesFile(const String& fileName) override { return CanHandleFile(fileName); }
    TIntfPtr<IQCodeUpdater> Create(IQModule*) override { return nullptr; }
};
// The factory the host asks: the one registered last; nullptr when none is.
HOST_API TCPPUpdaters* CppUpdaters();
