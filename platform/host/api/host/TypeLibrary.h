#pragma once
// Type libraries: the host's model of a library (interfaces, dispatch interfaces, CoClasses and
// their members), kept per project in a type-library module and saved beside the project as
// "<project>.tlb", an IDL-like text the host reads back whole. The updater of a project's type
// library and the project kinds the COM wizards test live here too.
#include "host/Export.h"
#include <memory>
#include <unordered_map>
#include <vector>

#include "host/ModuleServices.h"
#include "rtl/Guid.h"

// Kinds of type objects, numbered as type libraries number them.
enum TTypeObjectKind {
    tkEnum = 0,
    tkRecord = 1,
    tkModule = 2,
    tkInterface = 3,
    tkDispatch = 4,
    tkCoClass = 5,
    tkAlias = 6,
    tkUnion = 7
};

// Variant types of parameters and results (the automation numbers).
enum TTypeLibVarType {
    vtI2 = 2,
    vtI4 = 3,
    vtR4 = 4,
    vtR8 = 5,
    vtCurrency = 6,
    vtDate = 7,
    vtBstr = 8,
    vtDispatch = 9,
    vtError = 10,
    vtBool = 11,
    vtVariant = 12,
    vtUnknown = 13,
    vtDecimal = 14,
    vtI1 = 16,
    vtUI1 = 17,
    vtInt = 22,
    vtVoid = 24,
    vtHResult = 25,
    vtUserDefined = 29
};
// The IDL type name of a variant type ("IUnknown*" for vtUnknown); EHostError for another.
HOST_API String VarTypeName(int varType);
// The variant type of an IDL type name; vtUserDefined for a name of the library's own types.
HOST_API int VarTypeOf(const String& typeName);

enum TTypeLibParamFlag { pfIn = 1, pfOut = 2, pfRetval = 8 };

struct HOST_API TTypeLibParam {
    String Name;
    String Type;  // IDL type name
    int Flags = pfIn;
    int VarType() const { return VarTypeOf(Type); }
};

// What an object of the library was when the edit began: Existed is false for an object added
// since, OldName the name it had then (empty when it was not renamed).
struct HOST_API TTypeLibEditState {
    bool Existed = false;
    String OldName;
};

// A method or property of an interface.
class HOST_API TTypeLibMember {
public:
    String Name;
    int MemberId = 0;  // the dispatch id
    String ResultType = "HRESULT";
    // Further attributes as written: "propget", "propput", "hidden", helpstring(...) ...
    std::vector<String> Attributes;
    std::vector<TTypeLibParam> Params;
    TTypeLibEditState Edit;
    bool HasAttribute(const String& attribute) const;
    TTypeLibParam& AddParam(const String& name, int varType, int flags = pfIn);
};

class TTypeLibrary;

// An interface, dispatch interface or CoClass of a library.
class HOST_API TTypeObject {
public:
    TTypeObject(TTypeLibrary* library, TTypeObjectKind kind, String name, TGUID guid);
    TTypeObjectKind Kind() const { return FKind; }
    const String& Name() const { return FName; }
    // A renamed object that existed keeps its first name as old name.
    void Rename(const String& name);
    const TGUID& Guid() const { return FGuid; }
    TTypeLibrary* Library() const { return FLibrary; }
    String Version = "1.0";
    String HelpString;
    // Further attributes as written ("dual", "oleautomation", "hidden" ...), in order.
    std::vector<String> Attributes;
    bool HasAttribute(const String& attribute) const;
    TTypeLibEditState Edit;

    // Interfaces and dispatch interfaces: the parent interface and the members.
    String ParentName;
    std::vector<std::unique_ptr<TTypeLibMember>> Members;
    // A dispatch id no member has: one above the highest (1 for the first).
    int NewMemberId() const;
    // A property's getter and setter ("propget", "propput" among the attributes) share a name;
    // EHostError for any other second member of a name.
    TTypeLibMember* AddMethod(const String& name, int memberId, std::vector<String> attributes = {});
    TTypeLibMember* FindMember(const String& name) const;  // letter case ignored

    // CoClasses: the interfaces they implement.
    struct TImplemented {
        String InterfaceName;
        bool IsDispatch = false;  // written "dispinterface"
        bool Default = false, Source = false;
    };
    std::vector<TImplemented> Implements;
    // The default (non-source) interface; nullptr when the library lacks it.
    TTypeObject* DefaultInterface() const;

private:
    TTypeLibrary* FLibrary;
    TTypeObjectKind FKind;
    String FName;
    TGUID FGuid;
};

// A reference to another library (importlib).
struct HOST_API TTypeLibReference {
    String FileName;
    TGUID LibId{};
    int Major = 0, Minor = 0, Lcid = 0;
};

// The standard type library of the component library.
HOST_API extern const TGUID LIBID_StdZUB;

class HOST_API TTypeLibrary {
public:
    TTypeLibrary(String name, TGUID guid);
    String Name, Version = "1.0", HelpString;
    TGUID Guid;
    // Where the library is saved; empty for one not saved yet.
    String FileName;
    std::vector<TTypeLibReference> References;
    // Adds the reference unless the library has one to that LIBID.
    void AddReference(const TGUID& libId, int major, int minor, int lcid, const String& fileName);

    int TypeCount() const { return static_cast<int>(FTypes.size()); }
    TTypeObject* Type(int index) const { return FTypes.at(static_cast<std::size_t>(index)).get(); }
    // The type of that name (letter case ignored) and kind (-1: any); nullptr when there is none.
    TTypeObject* FindType(const String& name, int kind = -1) const;
    // Adds a type; EHostError when the name is taken or no identifier. A fresh GUID when none is
    // given.
    TTypeObject* AddType(TTypeObjectKind kind, const String& name, const TGUID* guid = nullptr);
    // A CoClass with its default interface (dual, derived from IDispatch, when dual; else from
    // IUnknown) and, with events, its source dispatch interface "I<name>Events".
    TTypeObject* AddCoClass(const String& name, const String& interfaceName, const String& helpString,
                            bool dual, bool events);

    // The library as IDL-like text; Parse reads such a text back (EHostError with the line
    // number for text it cannot read).
    String Text() const;
    static std::unique_ptr<TTypeLibrary> Parse(const String& text);
    // Writes Text() to FileName (replaced atomically); EHostError without a file name or for a
    // text that Parse could not read back whole (the file stays as it was).
    void Save() const;
    // An edit begins (or was applied): every object and member counts as existing, old names
    // are forgotten.
    void AcceptEdit();
    // Reads a saved library; every object in it counts as existing.
    static std::unique_ptr<TTypeLibrary> Load(const String& fileName);

private:
    friend class TTypeObject;
    std::vector<std::unique_ptr<TTypeObject>> FTypes;
    // The types by their upper-case name: a library of many types is read in linear time.
    std::unordered_map<String, TTypeObject*> FByName;
};

// The C++ header of the library's unit ("<unitName>.h"), as the COM objects' units include it:
// the LIBID, an IID (DIID for a dispatch interface) per interface and a CLSID per CoClass; each
// interface an abstract class of its members (a property's accessors "get_", "set_" and
// "_set_" + name, as the units implement them); per CoClass with a source interface the event
// proxy TEvents_<CoClass> with a Fire_<member> per event. The COM library's own names come from
// <atl/atlzub.h>.
HOST_API String TypeLibraryHeader(const TTypeLibrary& lib, const String& unitName);

// Told when a type-library module saves (the ATL unit follows the project's name).
class HOST_API IQTypeLibSaveCallback : public virtual IInterface {
public:
    RTL_IID("{06667FA7-D636-42B7-8D21-1FDE7CCAB9BC}");
    virtual void Save() = 0;
};

// The type-library module of a project: its library, shown in the type-library editor, saved
// to the project's ".tlb".
class HOST_API IQTypeLibModule : public virtual IInterface {
public:
    RTL_IID("{3C0B5E71-9A4D-4F2E-8B61-7D2A0C9E4F15}");
    virtual IQProject* Project() = 0;
    virtual TTypeLibrary* TypeLibrary() = 0;
    virtual String FileName() = 0;
    // The library's unit: its file's name + "_TLB" (the project's name for a new library).
    virtual String UnitName() = 0;
    // The unit name when the edit began; UnitName differs from it while a rename of the
    // library waits for the units to follow.
    virtual String OldUnitName() = 0;
    // The library takes the name, its file the name + ".tlb" beside the old one (the file on
    // disk moves, the project's item follows); EHostError for a name that is no identifier or
    // a file that exists.
    virtual void RenameLibrary(const String& name) = 0;
    // An edit begins or was applied: the library's AcceptEdit, and the old unit name becomes
    // the current one.
    virtual void AcceptEdit() = 0;
    virtual void Show() = 0;  // brings the editor to the front
    virtual int ShowCount() = 0;
    virtual void AddSaveCallback(IQTypeLibSaveCallback* callback) = 0;
    // Drops every callback whose object lives in the library of the address (a package that
    // unloads); returns how many.
    virtual int RemoveSaveCallbacksOf(const void* codeAddress) = 0;
    virtual int SaveCallbackCount() = 0;
    // The editor: goes to a page (0: the library's attributes), and applies what it shows.
    virtual void SelectPage(int page) = 0;
    virtual void Refresh() = 0;
    // Writes the library, then tells the callbacks.
    virtual void Save() = 0;
};

// The updater of a project's type library: the wizards tell it about a new COM object (the
// CoClass is implemented in that unit) and about a new library project.
class HOST_API IQTypeLibUpdater : public virtual IInterface {
public:
    RTL_IID("{FFA12CF0-F2F6-11D0-976A-0020AFF4D227}");
    virtual void NewComObject(const String& coClassName, const String& fileName) = 0;
    virtual void NewLibraryProject() = 0;
};

// The project's file entries as the updater sees them (the project's items).
class HOST_API IQProjectFileEntries : public virtual IInterface {
public:
    RTL_IID("{9E3D41B8-2C57-4A10-8F6B-3E5C7A1D0B92}");
    virtual int EntryCount() = 0;
    virtual String Entry(int index) = 0;
    virtual void SetEntry(int index, const String& fileName) = 0;
    // The unit that implements a CoClass ("" when none is known).
    virtual String CoClassUnit(const String& coClassName) = 0;
};

// Told by the co-class updater when a unit's class follows a renamed CoClass; the project's
// updater answers it: the unit it recorded for the CoClass stays with the new name.
class HOST_API IQCoClassRename : public virtual IInterface {
public:
    RTL_IID("{0619B2A0-069B-11D1-A644-00A024C11562}");
    virtual void Rename(const String& oldName, const String& newName) = 0;
};

// Project kinds (what a project creator's GetTargetType answers).
enum TProjectKind {
    pkApplication = 1,
    pkConsoleApplication = 5,
    pkStaticLibrary = 6,
    pkLibrary = 7,
    pkActiveXLibrary = 8
};
HOST_API int ProjectKind(IQProject* project);
// Every kind but the libraries.
HOST_API bool IsApplication(IQProject* project);
HOST_API bool IsLibrary(IQProject* project);  // a library that is loaded: DLL or ActiveX library

// The type library of a project: its module's; nullptr when it has none.
HOST_API TTypeLibrary* GetTypeLibrary(IQProject* project);
HOST_API TIntfPtr<IQTypeLibModule> FindTypeLibModule(IQProject* project);
// The project's type-library module for fileName: read from it when the file exists, else a
// new library named after the project.
HOST_API TIntfPtr<IQTypeLibModule> CreateTypeLibModule(IQProject* project, const String& fileName);
// The project's module, or a new one for the project file with ".tlb".
HOST_API TIntfPtr<IQTypeLibModule> GetOrCreateTypeLibModule(IQProject* project);
// EHostError for a project that cannot have a type library: a library that is no ActiveX
// library, a console application, a static library.
HOST_API void RequireTypeLibraryProject(IQProject* project);
// The project's updater (IQTypeLibUpdater, IQProjectFileEntries and IQCoClassRename); nullptr
// for no project.
HOST_API TIntfPtr<IInterface> GetProjectUpdater(IQProject* project);

// A stand-alone library in the type-library editor ("LibraryN.tlb" of the host's folder).
HOST_API TTypeLibrary* OpenNewTypeLibrary();
HOST_API int StandAloneTypeLibraryCount();

// The ATL support unit of an application project: made once, when its first COM object is
// added; it follows the project's name when the type library saves.
class HOST_API TAtlSourceModule : public TObject {
public:
    TAtlSourceModule(IQProject* project, TIntfPtr<IQModule> module);
    IQProject* Project() const { return FProject; }
    String FileName() const;
    // Renames the unit (its source and header) and its project item.
    void Rename(const String& fileName);
    // Writes the unit's source and header.
    void Save();

private:
    IQProject* FProject;
    TIntfPtr<IQModule> FModule;
};
// nullptr when the project has no ATL unit.
HOST_API TAtlSourceModule* FindAtlSourceModule(IQProject* project);
// Makes the project's ATL unit through GetATLUnitCreatorProc unless it has one or the hook is
// not set; the unit.
HOST_API TAtlSourceModule* GetOrCreateAtlSourceModule(IQProject* project);
