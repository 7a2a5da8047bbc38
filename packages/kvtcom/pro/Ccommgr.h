#pragma once
// The co-class updater of a C++ COM unit: after an edit of the project's type library it renames
// what was renamed, keeps the ProgID and licence literals in step, and declares and implements new
// members, with an expert per kind of object writing the bodies.
#include <functional>
#include <memory>
#include <vector>

#include "host/CppBrowse.h"
#include "host/CppClassUpdater.h"
#include "host/TypeLibrary.h"

enum TInterfaceMethodKind { imMethod, imPropGet, imPropSet, imEvent };

class TInterfaceMethod : public TObject {
public:
    // An empty name takes the record's.
    TInterfaceMethod(TInterfaceMethodKind kind, const String& name, bool existed, TTypeLibMember* member,
                     TMethodTypeInfo record);
    TInterfaceMethodKind Kind;
    String Name;
    bool Existed;
    TTypeLibMember* Member;
    TMethodTypeInfo Record;
    // 0 for an event, 2 for an HRESULT result, else 1.
    int HeaderType() const;
};

using TInterfaceMethods = std::vector<std::unique_ptr<TInterfaceMethod>>;

struct TInterfaceDescription {
    TInterfaceMethods Methods;
    bool ComPlusStub = false;
    String Name, OldName;
    bool Dual = false;
    bool UpdateBaseList = true;
    bool IsEvent = false;
};

// The record of a type-library member; prefix goes before the record's name.
TMethodTypeInfo MethodRecordOf(const TTypeLibMember& member, const String& prefix);
// The member's invoke kind: 1 function, 2 property get, 4 put, 8 put by reference.
int InvokeKindOf(const TTypeLibMember& member);
// The text every generated implementation starts from ("#" for the interface's IID).
extern const String StandardMethodBody;
// The body with the lines at the start of its try block (in place of the block's empty line); a
// body without a try block stays as it is.
String IntoTryBlock(const String& body, const String& lines);
// The handler of an event member: "OnClick" is handled by "ClickEvent".
String EventMethodName(const String& memberName);

class TCppCoClassUpdater;
class TCoClassExpert;

// The browse of the ZUB class an expert's control wraps; from its callback the expert's inner
// update runs, so the members are generated while the class's symbols can be asked about.
class TCoClassComponentBrowser : public TComponentBrowser {
public:
    using TComponentBrowser::TComponentBrowser;
    TCppCoClassUpdater* Updater = nullptr;
    TTypeObject* CoClass = nullptr;
    String ImplName;
    TCoClassExpert* Expert = nullptr;

protected:
    void Execute() override;
};

class TCoClassExpert : public TObject {
public:
    // nullptr: the expert needs no browse.
    virtual std::unique_ptr<TCoClassComponentBrowser> CreateComponentBrowser() { return nullptr; }
    explicit TCoClassExpert(TCppClassManager* manager) : FManager(manager) {}
    virtual bool ConnectToClass(const TCppUnitClass&) { return false; }
    virtual void GetUnits(std::vector<String>&) {}
    virtual void GenPropertyGet(const TInterfaceMethod&, String&) {}
    virtual void GenPropertySet(const TInterfaceMethod&, String&) {}
    virtual void GenMethod(const TInterfaceMethod& method, String& body);
    // The handler's record of an event member; false when the expert does not handle it.
    virtual bool GetEventInfo(const TTypeLibMember&, TMethodTypeInfo&) { return false; }
    virtual void GenEvent(const TInterfaceMethod&, String&) {}
    virtual void GenAux(const TInterfaceMethod&) {}
    // Declares and implements the members of each interface the CoClass implements (and the
    // handlers of its events), through the expert's browse when it has one.
    virtual void UpdateInterface(TCppCoClassUpdater& updater, const String& implName, TTypeObject& coClass);
    // The same without the browse.
    void UpdateInterfaces(TCppCoClassUpdater& updater, const String& implName, TTypeObject& coClass);

protected:
    TCppClassManager* FManager;
    TCoClassComponentBrowser* FBrowser = nullptr;  // during UpdateInterface
    String FImplName, FCoClassName;  // of the class being updated
};

// The experts of objects that wrap a ZUB control: the members the type library adds are
// written against the control (its properties, methods and events) as the browse finds them.
class TActiveXCoClassExpert : public TCoClassExpert {
public:
    using TCoClassExpert::TCoClassExpert;
    void GetUnits(std::vector<String>& units) override;
    void GenPropertyGet(const TInterfaceMethod& method, String& body) override;
    void GenPropertySet(const TInterfaceMethod& method, String& body) override;
    void GenMethod(const TInterfaceMethod& method, String& body) override;
    bool GetEventInfo(const TTypeLibMember& member, TMethodTypeInfo& record) override;
    void GenEvent(const TInterfaceMethod& method, String& body) override;
    void GenAux(const TInterfaceMethod& method) override;

protected:
    std::vector<String> FUnits;
    String FPrefix;  // how the implementation reaches the control: "m_ZubCtl->"
    void GenProperty(const TInterfaceMethod& method, String& body, bool setter);
};

// An ActiveX control wrapping one of the ZUB controls the host knows (a TWinControl descendant).
class TActiveXControlCoClassExpert : public TActiveXCoClassExpert {
public:
    using TActiveXCoClassExpert::TActiveXCoClassExpert;
    std::unique_ptr<TCoClassComponentBrowser> CreateComponentBrowser() override;
    bool ConnectToClass(const TCppUnitClass& cls) override;

private:
    String FWrapped;
};

// The control of an Active Form: a form derived from TActiveForm.
class TActiveFormCoClassExpert : public TActiveXCoClassExpert {
public:
    using TActiveXCoClassExpert::TActiveXCoClassExpert;
    std::unique_ptr<TCoClassComponentBrowser> CreateComponentBrowser() override;
    bool ConnectToClass(const TCppUnitClass& cls) override;
};

// The open module of the manager's unit, and a module's form; nullptr when there is none.
TIntfPtr<IQModule> ModuleOfUnit(const TCppClassManager& manager);
TIntfPtr<IQFormModule> FormModuleOf(IQModule* module);

// The implementation class of a remote data module: a property named like a component of the
// data module hands out that component's provider.
class TRemoteDataModuleCoClassExpert : public TCoClassExpert {
public:
    using TCoClassExpert::TCoClassExpert;
    bool ConnectToClass(const TCppUnitClass& cls) override;
    void GenPropertyGet(const TInterfaceMethod& method, String& body) override;

private:
    TIntfPtr<IQFormModule> FRoot;  // the data module's designer root
};

// The implementation class of an Active Server object: it implements the page methods.
class TCppActiveServerPageExpert : public TCoClassExpert {
public:
    using TCoClassExpert::TCoClassExpert;
    bool ConnectToClass(const TCppUnitClass& cls) override;
    void GenMethod(const TInterfaceMethod& method, String& body) override;
};

using TCoClassExpertFactory = std::unique_ptr<TCoClassExpert> (*)(TCppClassManager*);
void RegisterCoClassExpert(TCoClassExpertFactory factory);
// The expert that accepts the class: the last registered first; a plain one when none does.
std::unique_ptr<TCoClassExpert> ChooseCoClassExpert(TCppClassManager* manager, const TCppUnitClass& cls);

class TCppCoClassUpdater : public TInterfacedObject, public IQCoClassUpdater {
public:
    TCppCoClassUpdater(std::unique_ptr<TCppClassManager> manager, TIntfPtr<IQModule> module);
    HRESULT QueryInterface(const TGUID& iid, void** obj) override;
    int AddRef() override { return TInterfacedObject::AddRef(); }
    int Release() override { return TInterfacedObject::Release(); }
    // Asks the active project's type-library module to rename the CoClass; false.
    bool RenameClass(const String& oldName, const String& newName) override;
    void Update(IQProject* project) override;
    // Brings the unit's source to the front at the implementation of the member (its method named
    // with the property prefix of its invoke kind; the declaration when it has no
    // implementation); nothing when the class has no such method.
    void ShowMethod(const String& coClassName, const TTypeLibMember& member) override;
    void MakeComObject(const String&, const String&, const String&) override {}
    // A C++ COM unit takes no CORBA factory.
    bool CanAddCorbaFactory() { return false; }
    void AddCorbaFactory() {}
    // The project whose type library the unit implements: the open project that holds the unit;
    // nullptr when none does.
    TIntfPtr<IQProject> GetTypeLibraryProject();
    bool Modified() override { return FModified; }
    TCppClassManager& Manager() { return *FManager; }
    // The include of the header oldName (".h" added) names newName instead.
    void RenameIncludeFile(const String& oldName, const String& newName);
    // Declares what the description has and the class lacks; rewrites changed signatures.
    void UpdateInterface(const TInterfaceDescription& description, const TCppUnitClass& cls,
                         TCoClassExpert& expert, const String& coClassName);

private:
    // A wrapping control's class that lacks it gets the persistence declaration.
    void DeclarePersistence(const TCppUnitClass& cls, const String& implName);
    void UpdateLiterals(const TCppUnitClass& cls, const String& oldBase, const String& newBase,
                        TTypeObject& coClass);
    void RenameBaseName(const String& oldBase, const String& newBase, const String& coClassName);
    // What the update told others; taken back when it fails.
    using TUndoList = std::vector<std::function<void()>>;
    void OfferRename(IQProject* project, const String& oldName, const String& newName, TUndoList& undo);
    // The form's root named like the CoClass follows it; true when it was renamed (the unit is
    // parsed again).
    bool RenameFormRoot(const String& oldName, const String& newName, TUndoList& undo);
    std::unique_ptr<TCppClassManager> FManager;
    TIntfPtr<IQModule> FModule;
    bool FModified = false;
};

namespace Ccommgr {
extern int UseCount;
void Initialization();
void Finalization();
}  // namespace Ccommgr
