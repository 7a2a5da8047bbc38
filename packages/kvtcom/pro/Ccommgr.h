#pragma once
// The co-class updater of a C++ COM unit: after an edit of the project's type library it renames
// what was renamed, keeps the ProgID and licence literals in step, and declares and implements new
// members, with an expert per kind of object writing the bodies.
#include <memory>
#include <vector>

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

class TCppCoClassUpdater;

class TCoClassExpert : public TObject {
public:
    explicit TCoClassExpert(TCppClassManager* manager) : FManager(manager) {}
    virtual bool ConnectToClass(const TCppUnitClass&) { return false; }
    virtual void GetUnits(std::vector<String>&) {}
    virtual void GenPropertyGet(const TInterfaceMethod&, String&) {}
    virtual void GenPropertySet(const TInterfaceMethod&, String&) {}
    virtual void GenMethod(const TInterfaceMethod& method, String& body);
    virtual void GenEvent(const TInterfaceMethod&, String&) {}
    virtual void GenAux(const TInterfaceMethod&) {}
    // Declares and implements the members of each interface the CoClass implements.
    virtual void UpdateInterface(TCppCoClassUpdater& updater, const String& implName, TTypeObject& coClass);

protected:
    TCppClassManager* FManager;
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
    // Brings the unit's source to the front when its class implements the member (the name
    // with its property prefix); sMethodNotFound when it does not.
    void ShowMethod(const String& coClassName, const String& memberName) override;
    void MakeComObject(const String&, const String&, const String&) override {}
    bool Modified() override { return FModified; }
    TCppClassManager& Manager() { return *FManager; }
    void RenameIncludeFile(const String& oldName, const String& newName);
    // Declares what the description has and the class lacks; rewrites changed signatures.
    void UpdateInterface(const TInterfaceDescription& description, const TCppUnitClass& cls, TCoClassExpert& expert,
                         const String& coClassName);

private:
    // A wrapping control's class that lacks it gets the persistence declaration.
    void DeclarePersistence(const TCppUnitClass& cls, const String& implName);
    void UpdateLiterals(const TCppUnitClass& cls, const String& oldBase, const String& newBase, TTypeObject& coClass);
    std::unique_ptr<TCppClassManager> FManager;
    TIntfPtr<IQModule> FModule;
    bool FModified = false;
};

namespace Ccommgr {
extern int UseCount;
void Initialization();
void Finalization();
}  // namespace Ccommgr
