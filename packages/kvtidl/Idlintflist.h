#pragma once
// The IDL interfaces a new object implementation implements or a client uses, with the names
// derived from each interface, and the listing of a file's IDL symbols the host's CORBA
// wizards show.
#include <memory>
#include <vector>

#include "Idlcppimpl.h"
#include "host/CppProject.h"
#include "rtl/Classes.h"

class TIdlInterfaceList;

class TIdlInterfaceItem : public TObject {
public:
    // Added to list (which owns it) when one is given.
    TIdlInterfaceItem(TIdlInterfaceList* list, const String& name, const String& qualifiedName,
                      const String& idlFile);
    String Name, QualifiedName, IdlFile;
    // The tie template: "_tie_Account" for Account, "Bank_tie_Account" for Bank::Account.
    String GetTieTemplateName() const;
};

class TIdlImplInterfaceItem : public TIdlInterfaceItem {
public:
    TIdlImplInterfaceItem(TIdlInterfaceList* list, const String& name, const String& qualifiedName,
                          const String& idlFile);
    String UnitName;  // "AccountServer"
    String ClassName;  // "AccountImpl"
    bool Implement = true;
    bool Delegate = false;
    TStringList ObjectNames;  // "AccountObject"
    // The unit as a full path with ".cpp" (against the project's folder).
    String GetImplFileName(const String& projectFolder) const;
    // Joined by ";", a name holding ";" in double quotes.
    String GetObjectNamesString() const;
    void SetObjectNamesString(const String& text);
};

enum TIdlUsage { useinForm, useinUnit, useinMain };

class TIdlUseInterfaceItem : public TIdlInterfaceItem {
public:
    TIdlUseInterfaceItem(TIdlInterfaceList* list, const String& name, const String& qualifiedName,
                         const String& idlFile);
    TIdlUsage Usage = useinForm;
    String VarName, PropertyName, ObjectName;
};

class TIdlInterfaceList : public TObject {
public:
    ~TIdlInterfaceList() override;
    int GetItemCount() const { return static_cast<int>(FItems.size()); }
    TIdlInterfaceItem* GetItem(int index) const { return FItems.at(static_cast<std::size_t>(index)).get(); }
    void AddItem(TIdlInterfaceItem* item) { FItems.emplace_back(item); }
    // The first item of that IDL file and qualified name (case-sensitive), or nullptr.
    TIdlInterfaceItem* Find(const String& idlFile, const String& qualifiedName) const;

private:
    std::vector<std::unique_ptr<TIdlInterfaceItem>> FItems;
};

// The interfaces of a project for one purpose: implementing or using.
class TIdlInterfaceListHelper : public TObject {
public:
    TIdlInterfaceListHelper(IQCppProject* project, TIdlInterfaceList& list) : FProject(project), FList(list)
    {
    }
    // An item of this helper's kind for the interface.
    virtual TIdlInterfaceItem* NewItem(const String& name, const String& qualifiedName,
                                       const String& idlFile) = 0;
    virtual String GetNeedsInterfacesWarning() const = 0;
    virtual void GetInterfaces() {}
    virtual void GetIdlFiles() {}
    virtual void CompileIdlFiles() {}

protected:
    IQCppProject* FProject;
    TIdlInterfaceList& FList;
};

class TIdlImplInterfaceListHelper : public TIdlInterfaceListHelper {
public:
    using TIdlInterfaceListHelper::TIdlInterfaceListHelper;
    TIdlInterfaceItem* NewItem(const String& name, const String& qualifiedName,
                               const String& idlFile) override;
    String GetNeedsInterfacesWarning() const override;
};

class TIdlUseInterfaceListHelper : public TIdlInterfaceListHelper {
public:
    using TIdlInterfaceListHelper::TIdlInterfaceListHelper;
    TIdlInterfaceItem* NewItem(const String& name, const String& qualifiedName,
                               const String& idlFile) override;
    String GetNeedsInterfacesWarning() const override;
};

// Asks for IDL files (several, each must exist) and opens each as a source module of the IDE;
// an error with one file is shown and the next follows. Whether the dialog was confirmed.
bool AddIdlFilesToProject();
// Before a CORBA wizard lists the project's interfaces: a project without an IDL file is offered
// the helper's warning, and Yes asks for files to add. Whether the wizard can go on (the project
// has IDL files, or files were chosen).
bool EnsureProjectIdlFiles(IQCppProject* project, const TIdlInterfaceListHelper& helper);

// The name with its first character in lower case ("" stays "").
String VarNameFromIdlIntfName(const String& name);

// The generated header browsed for a file: an IDL file's client header (from the active
// project's generated files when it holds the file, else beside it as krotex names it by
// default); any other file is the header itself.
String IdlBrowseHeader(const String& file);

// The symbols of a file one a line: modules, interfaces with their skeleton, operations and
// attributes, and the names an implementation and a client of each interface get.
std::vector<String> IdlSymbolListing(const String& file);

namespace Idlintflist {
extern int UseCount;
void Initialization();
void Finalization();
}  // namespace Idlintflist
