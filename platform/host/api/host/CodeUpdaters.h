#pragma once
// Code managers and code updaters of open modules. A package registers create-updaters for its
// kinds of file; the host asks them for the updater of a module and keeps it while the module is
// open.
#include "host/Export.h"
#include <functional>

#include "host/ModuleServices.h"

// What the host asks about the code of a module.
class HOST_API IQCodeUpdater : public virtual IInterface {
public:
    RTL_IID("{5D2C7A14-8B3E-4F60-9C1D-2A7E4B6F8D30}");
    virtual bool GetEditable() = 0;
    virtual bool GetShowSource() = 0;
    virtual String GetModuleName() = 0;
    virtual String GetModuleTab() = 0;
    virtual String GetAncestorClassName() = 0;
    virtual String GetCompanionFileName() = 0;
    virtual bool HasCompanionFile() = 0;
    virtual bool HasForm() = 0;
    virtual bool Imports() = 0;
    virtual bool GetModified() = 0;
    virtual bool SourceIsValid() = 0;
    virtual bool Validate() = 0;
    virtual void GetUsedUnits(std::vector<String>& units) = 0;
    virtual void SetModuleName(const String& name) = 0;
    virtual bool ValidateIdentifier(const String& ident) = 0;
    virtual void ModuleClosed() = 0;
};

// A handler the host runs when it parses the source of a file; `owner` is the object it
// belongs to.
HOST_API int AddParseHandler(const String& fileName, TObject* owner, std::function<void()> handler);
HOST_API void RemoveParseHandler(int cookie);
// Runs the handlers of the file; how many ran.
HOST_API int RunParseHandlers(const String& fileName);

// The code manager of one module: its source, its modified state.
class HOST_API TCppManager : public TObject {
public:
    explicit TCppManager(TIntfPtr<IQModule> module);
    IQModule* Module() const { return FModule.get(); }
    // The module's source file; nullptr when the module has none.
    TIntfPtr<IQSourceFile> Source() const;
    bool Modified() const { return FModified; }
    void SetModified(bool modified) { FModified = modified; }
    virtual bool SourceIsValid() { return true; }
    virtual bool Validate() { return true; }

private:
    TIntfPtr<IQModule> FModule;
    bool FModified = false;
};

// An updater that answers for a module with no code of its own; packages derive from it.
class HOST_API TCodeUpdater : public TInterfacedObject, public IQCodeUpdater {
public:
    HRESULT QueryInterface(const TGUID& iid, void** obj) override;
    int AddRef() override { return TInterfacedObject::AddRef(); }
    int Release() override { return TInterfacedObject::Release(); }
    bool GetEditable() override { return false; }
    bool GetShowSource() override { return false; }
    String GetModuleName() override { return ""; }
    String GetModuleTab() override { return ""; }
    String GetAncestorClassName() override { return ""; }
    String GetCompanionFileName() override { return ""; }
    bool HasCompanionFile() override { return false; }
    bool HasForm() override { return false; }
    bool Imports() override { return false; }
    bool GetModified() override { return false; }
    bool SourceIsValid() override { return true; }
    bool Validate() override { return true; }
    void GetUsedUnits(std::vector<String>&) override {}
    void SetModuleName(const String&) override {}
    bool ValidateIdentifier(const String&) override { return true; }
    void ModuleClosed() override {}
};

class HOST_API IQCreateUpdaters : public virtual IInterface {
public:
    RTL_IID("{A4E19B62-3C7D-4D85-B0F2-6E1C8D3A5F92}");
    virtual bool HandlesFile(const String& fileName) = 0;
    // The updater of the module, nullptr when these create-updaters make none for it.
    virtual TIntfPtr<IQCodeUpdater> Create(IQModule* module) = 0;
};

class HOST_API TBaseCreateUpdaters : public TInterfacedObject, public IQCreateUpdaters {
public:
    HRESULT QueryInterface(const TGUID& iid, void** obj) override;
    int AddRef() override { return TInterfacedObject::AddRef(); }
    int Release() override { return TInterfacedObject::Release(); }
};

HOST_API void RegisterCreateUpdaters(const TIntfPtr<IQCreateUpdaters>& updaters);
// Also drops every updater these made.
HOST_API void UnRegisterCreateUpdaters(IQCreateUpdaters* updaters);
// The updater of an open module: the one made before, else one from the first create-updaters
// that handle its file; nullptr when none does.
HOST_API TIntfPtr<IQCodeUpdater> CodeUpdaterOf(IQModule* module);
