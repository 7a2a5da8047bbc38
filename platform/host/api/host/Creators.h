#pragma once
// Base creators of the C++ personality. Packages derive from them and override what they
// supply; everything else answers as the host's defaults below.
#include "host/Export.h"
#include "host/ModuleServices.h"

// Answers every module creator operation with the host's default.
class HOST_API TDefaultCreator : public TInterfacedObject, public virtual IQModuleCreator {
public:
    HRESULT QueryInterface(const TGUID& iid, void** obj) override;
    bool GetExisting() override { return false; }
    String GetFileName() override { return ""; }
    TIntfPtr<IQSourceFile> GetSource() override { return nullptr; }
    String GetLanguage() override { return ""; }
    bool GetShowSource() override { return true; }
    bool GetIncludeInProject() override { return true; }
    String GetAncestorName() override { return ""; }
    TIntfPtr<IQSourceFile> GetInterfaceSource() override { return nullptr; }
    TIntfPtr<IQSourceFile> GetForm() override { return nullptr; }
    String GetFormName() override { return ""; }
    bool GetMainForm() override { return false; }
    String GetClasses() override { return ""; }
    String GetUnits() override { return ""; }
    String GetLicenseString() override { return ""; }
    bool GetShowForm() override { return false; }
};

// A C++ unit: fileName is the full path of its .cpp (empty: a unique "UnitN.cpp" of the
// project folder is taken).
class HOST_API TCppCreator : public TDefaultCreator {
public:
    explicit TCppCreator(const String& fileName);
    String GetFileName() override { return FFileName; }
    String GetLanguage() override { return "C++"; }
    const String& FileName() const { return FFileName; }
    // The file name without folder and extension.
    String UnitName() const;

protected:
    // Checks a name the creator was given; raises on one that is no identifier.
    virtual void DoValidateIdent(const String& name);

private:
    String FFileName;
};

// A C++ unit that is on disk already, made from what its files hold (the generated units of an
// IDL file): not shown, no file written anew. headerName empty: a unit without header.
class HOST_API TCppUnitFromStreamCreator : public TCppCreator {
public:
    TCppUnitFromStreamCreator(const String& sourceName, String headerText, String sourceText,
                              String headerName);
    bool GetExisting() override { return true; }
    bool GetShowSource() override { return false; }
    TIntfPtr<IQSourceFile> GetSource() override;
    TIntfPtr<IQSourceFile> GetInterfaceSource() override;

private:
    String FHeaderText, FSourceText, FHeaderName;
};

// A unit with a form. formName empty: a unique name from GetBaseName() (without trailing digits)
// + N; ancestorName empty:
// "Form".
class HOST_API TCppFormCreator : public TCppCreator, public virtual IQSourceCreator {
public:
    TCppFormCreator(const String& fileName, const String& formName, const String& ancestorName);
    HRESULT QueryInterface(const TGUID& iid, void** obj) override;
    String GetAncestorName() override { return FAncestorName; }
    String GetFormName() override;
    bool GetShowForm() override { return true; }
    // The form file: "object NAME: TNAME" ... "end", named after the unit with GetFormFileExt().
    TIntfPtr<IQSourceFile> GetForm() override;
    String GetFormFileExt() override { return ".fm"; }

protected:
    // Base of a generated form name; the ancestor name by default.
    virtual String GetBaseName() { return FAncestorName; }

private:
    String FFormName, FAncestorName;
};

// A project: fileName is the project file; kind the host's project kind.
class HOST_API TCppProjectCreator : public TInterfacedObject, public virtual IQProjectCreator50 {
public:
    TCppProjectCreator(const String& fileName, int kind);
    HRESULT QueryInterface(const TGUID& iid, void** obj) override;
    bool GetExisting() override { return false; }
    String GetFileName() override { return FFileName; }
    TIntfPtr<IQSourceFile> GetSource() override { return nullptr; }
    String GetLanguage() override { return "C++"; }
    bool GetShowSource() override { return true; }
    String GetPersonality() override { return sCppPersonality; }
    int GetTargetType() override { return FKind; }
    void InitTargetOptions() override {}
    // The host's default module of a C++ project: none in this host.
    void CreateDefaultModule(IQProject*) override {}

    const String& FileName() const { return FFileName; }
    int Kind() const { return FKind; }
    // Set: the project starts without a form.
    bool NoForm = false;

protected:
    virtual void DoValidateIdent(const String& name);
    // Name of the project's precompiled-header cache.
    virtual String GetCSMName();

private:
    String FFileName;
    int FKind;
};
