#pragma once
// Creators and generated files of the web framework's File>New wizards: projects, form units,
// server controller, user session, data module and frames, for both personalities.
#include <cstdint>
#include <vector>

#include "host/ModuleServices.h"

enum TQZAppType : std::uint8_t { atStandAlone = 0, atService = 1, atISAPI = 2, atApache1 = 3, atApache2 = 4 };
enum TQZFormType : std::int32_t { ftApp = 0, ftApp32 = 1, ftAppWap = 2, ftPage = 3, ftPage32 = 4 };

// What the wizards asked; read by the generators when the host asks for the sources.
struct TQZWizardSettings {
    String UnitIdent;
    String FormClassName;
    String FileName;
    String ProjectName;
    String ProjectDir;  // with a trailing path delimiter
    TQZAppType AppType = atStandAlone;
    bool CreateUserSession = false;
    bool UseServerManager = false;
    TQZFormType MainFormType = ftApp;
    bool UseISAPIThreadPool = false;
    bool PoolDataConnections = false;
};

namespace QZDsnWizard {
extern int UseCount;
void Initialization();
void Finalization();
// The one settings record of the wizards and generators.
TQZWizardSettings& Settings();
// RCDATA template of this package, line ends as CR LF; raises EResNotFound for an unknown name.
String LoadTemplate(const String& name);
// Template filled slot by slot; the argument count must match the template's slots.
String FillTemplate(const String& name, const TVarRecs& args);
extern const String CRLF;
// "QZForm" + the unit identifier from its fifth character on ("Unit1" -> "QZForm1").
String FormClassNameFor(const String& unitIdent);
// True when one of the project files is named name (no folder, no extension, any case).
bool ProjectExists(const std::vector<String>& projectFiles, const String& name);
// "ProjectN" with the smallest N from 1 that no project of the group has and that is no folder in
// dir; no group: "Project1".
String GetDefaultProjectName(const std::vector<String>* groupProjectFiles, const String& dir);
}  // namespace QZDsnWizard

class TQZNotifierObject : public TInterfacedObject {
public:
    // The project folder of the settings + name ["." ext].
    static String MakeFileName(const String& name, const String& ext);
};

// A generated source: built from its template when the host reads it.
class TQZSourceFile : public TQZNotifierObject, public IQSourceFile {
public:
    explicit TQZSourceFile(String fileName) : FFileName(std::move(fileName)) {}
    HRESULT QueryInterface(const TGUID& iid, void** obj) override;
    String FileName() override { return FFileName; }
    String Source() override { return Build(); }
    double GetAge() { return -1.0; }  // no file date

protected:
    virtual String Build() = 0;

private:
    String FFileName;
};

namespace QZDsnWizard {
// The host keeps what it is handed beyond the package's lifetime: it gets the built text in a
// file object of its own.
TIntfPtr<IQSourceFile> HandOver(TQZSourceFile* file);
}  // namespace QZDsnWizard

class TQZProjectFile : public TQZSourceFile {
public:
    TQZProjectFile(String fileName, bool isCpp) : TQZSourceFile(std::move(fileName)), IsCpp(isCpp) {}
    bool IsCpp;

protected:
    String Build() override;
};

class TQZUnitFile : public TQZSourceFile {
public:
    TQZUnitFile(String fileName, bool isCpp, TQZFormType formType, bool isMain)
        : TQZSourceFile(std::move(fileName)), IsCpp(isCpp), FormType(formType), IsMain(isMain)
    {
    }
    bool IsCpp;
    TQZFormType FormType;
    bool IsMain;

protected:
    String Build() override;
};

class TQZUnitHeader : public TQZSourceFile {
public:
    TQZUnitHeader(String fileName, TQZFormType formType, bool isMain)
        : TQZSourceFile(std::move(fileName)), FormType(formType), IsMain(isMain)
    {
    }
    TQZFormType FormType;
    bool IsMain;

protected:
    String Build() override;
};

class TQZUnitFormFile : public TQZSourceFile {
public:
    TQZUnitFormFile(String fileName, TQZFormType formType)
        : TQZSourceFile(std::move(fileName)), FormType(formType)
    {
    }
    TQZFormType FormType;

protected:
    String Build() override;
};

// Files that differ only by language.
class TQZLanguageFile : public TQZSourceFile {
public:
    TQZLanguageFile(String fileName, bool isCpp) : TQZSourceFile(std::move(fileName)), IsCpp(isCpp) {}
    bool IsCpp;
};

class TQZServerControllerFile : public TQZLanguageFile {
public:
    using TQZLanguageFile::TQZLanguageFile;

protected:
    String Build() override;
};
class TQZServerControllerHeader : public TQZSourceFile {
public:
    using TQZSourceFile::TQZSourceFile;

protected:
    String Build() override;
};
class TQZServerControllerFormFile : public TQZSourceFile {
public:
    using TQZSourceFile::TQZSourceFile;

protected:
    String Build() override;
};

class TQZUserSessionFile : public TQZLanguageFile {
public:
    using TQZLanguageFile::TQZLanguageFile;

protected:
    String Build() override;
};
class TQZUserSessionHeader : public TQZSourceFile {
public:
    using TQZSourceFile::TQZSourceFile;

protected:
    String Build() override;
};
class TQZUserSessionFormFile : public TQZSourceFile {
public:
    using TQZSourceFile::TQZSourceFile;

protected:
    String Build() override;
};

class TQZDataModuleFile : public TQZLanguageFile {
public:
    using TQZLanguageFile::TQZLanguageFile;

protected:
    String Build() override;
};
class TQZDataModuleHeader : public TQZSourceFile {
public:
    using TQZSourceFile::TQZSourceFile;

protected:
    String Build() override;
};
class TQZDataModuleFormFile : public TQZSourceFile {
public:
    using TQZSourceFile::TQZSourceFile;

protected:
    String Build() override;
};

class TQZFrameFile : public TQZSourceFile {
public:
    TQZFrameFile(String fileName, TQZFormType frameType, bool isCpp)
        : TQZSourceFile(std::move(fileName)), FrameType(frameType), IsCpp(isCpp)
    {
    }
    TQZFormType FrameType;
    bool IsCpp;

protected:
    String Build() override;
};
class TQZFrameHeader : public TQZSourceFile {
public:
    TQZFrameHeader(String fileName, TQZFormType frameType)
        : TQZSourceFile(std::move(fileName)), FrameType(frameType)
    {
    }
    TQZFormType FrameType;

protected:
    String Build() override;
};
class TQZFrameFormFile : public TQZSourceFile {
public:
    TQZFrameFormFile(String fileName, TQZFormType frameType)
        : TQZSourceFile(std::move(fileName)), FrameType(frameType)
    {
    }
    TQZFormType FrameType;

protected:
    String Build() override;
};

// Common answers of the module creators: never existing, no file system, owned by the project
// given at construction, C++ or Pascal, form files ".zfm".
class TQZModuleCreator : public TQZNotifierObject,
                         public virtual IQModuleCreator,
                         public virtual IQSourceCreator {
public:
    TQZModuleCreator(bool isCpp, IQDocumentModule* owner) : IsCpp(isCpp), Owner(owner) {}
    HRESULT QueryInterface(const TGUID& iid, void** obj) override;
    String GetCreatorType() { return "Form"; }
    bool GetUnnamed() { return false; }
    String GetFileSystem() { return ""; }
    IQDocumentModule* GetOwner() { return Owner; }
    void FormCreated() {}

    bool GetExisting() override { return false; }
    String GetLanguage() override { return IsCpp ? "C++" : "Pascal"; }
    bool GetIncludeInProject() override { return true; }
    String GetClasses() override { return ""; }
    String GetUnits() override { return ""; }
    String GetLicenseString() override { return ""; }
    String GetFormFileExt() override { return ".zfm"; }
    TIntfPtr<IQSourceFile> GetSource() override;
    TIntfPtr<IQSourceFile> GetInterfaceSource() override;
    TIntfPtr<IQSourceFile> GetForm() override;

    bool IsCpp;
    IQDocumentModule* Owner;

protected:
    // "cpp" or "pas".
    String SourceExt() const { return IsCpp ? "cpp" : "pas"; }
    virtual TQZSourceFile* NewImplSource(const String& fileName) = 0;
    virtual TQZSourceFile* NewHeader(const String& fileName) = 0;  // C++ only
    virtual TQZSourceFile* NewFormFile(const String& fileName) = 0;
};

class TQZUnitCreator : public TQZModuleCreator {
public:
    TQZUnitCreator(bool isCpp, IQDocumentModule* owner, TQZFormType formType, bool isMain)
        : TQZModuleCreator(isCpp, owner), IsMain(isMain), FormType(formType)
    {
    }
    String GetAncestorName() override;
    String GetFormName() override;
    String GetFileName() override;
    bool GetMainForm() override { return IsMain; }
    bool GetShowForm() override { return true; }
    bool GetShowSource() override { return true; }
    bool IsMain;
    TQZFormType FormType;

protected:
    TQZSourceFile* NewImplSource(const String& f) override
    {
        return new TQZUnitFile(f, IsCpp, FormType, IsMain);
    }
    TQZSourceFile* NewHeader(const String& f) override { return new TQZUnitHeader(f, FormType, IsMain); }
    TQZSourceFile* NewFormFile(const String& f) override { return new TQZUnitFormFile(f, FormType); }
};

class TQZServerControllerCreator : public TQZModuleCreator {
public:
    using TQZModuleCreator::TQZModuleCreator;
    String GetAncestorName() override { return "TQZServerControllerBase"; }
    String GetFormName() override { return "ServerController"; }
    String GetFileName() override { return MakeFileName("ServerController", SourceExt()); }
    bool GetMainForm() override { return false; }
    bool GetShowForm() override { return false; }
    bool GetShowSource() override { return false; }

protected:
    TQZSourceFile* NewImplSource(const String& f) override { return new TQZServerControllerFile(f, IsCpp); }
    TQZSourceFile* NewHeader(const String& f) override { return new TQZServerControllerHeader(f); }
    TQZSourceFile* NewFormFile(const String& f) override { return new TQZServerControllerFormFile(f); }
};

class TQZUserSessionCreator : public TQZModuleCreator {
public:
    using TQZModuleCreator::TQZModuleCreator;
    String GetAncestorName() override { return ""; }
    String GetFormName() override { return ""; }
    String GetFileName() override { return MakeFileName("UserSessionUnit", SourceExt()); }
    bool GetMainForm() override { return false; }
    bool GetShowForm() override { return false; }
    bool GetShowSource() override { return true; }

protected:
    TQZSourceFile* NewImplSource(const String& f) override { return new TQZUserSessionFile(f, IsCpp); }
    TQZSourceFile* NewHeader(const String& f) override { return new TQZUserSessionHeader(f); }
    TQZSourceFile* NewFormFile(const String& f) override { return new TQZUserSessionFormFile(f); }
};

class TQZDataModuleCreator : public TQZModuleCreator {
public:
    using TQZModuleCreator::TQZModuleCreator;
    String GetAncestorName() override { return ""; }
    String GetFormName() override { return ""; }
    String GetFileName() override { return MakeFileName("DatamoduleUnit", SourceExt()); }
    bool GetMainForm() override { return false; }
    bool GetShowForm() override { return false; }
    bool GetShowSource() override { return true; }

protected:
    TQZSourceFile* NewImplSource(const String& f) override { return new TQZDataModuleFile(f, IsCpp); }
    TQZSourceFile* NewHeader(const String& f) override { return new TQZDataModuleHeader(f); }
    TQZSourceFile* NewFormFile(const String& f) override { return new TQZDataModuleFormFile(f); }
};

class TQZFrameCreator : public TQZModuleCreator {
public:
    TQZFrameCreator(bool isCpp, IQDocumentModule* owner, TQZFormType frameType)
        : TQZModuleCreator(isCpp, owner), FrameType(frameType)
    {
    }
    String GetAncestorName() override { return "TFrame"; }
    String GetFormName() override;
    String GetFileName() override;
    bool GetMainForm() override { return false; }
    bool GetShowForm() override { return true; }
    bool GetShowSource() override { return true; }
    TQZFormType FrameType;

protected:
    TQZSourceFile* NewImplSource(const String& f) override { return new TQZFrameFile(f, FrameType, IsCpp); }
    TQZSourceFile* NewHeader(const String& f) override { return new TQZFrameHeader(f, FrameType); }
    TQZSourceFile* NewFormFile(const String& f) override { return new TQZFrameFormFile(f, FrameType); }
};

class TQZProjectCreator : public TQZNotifierObject, public virtual IQProjectCreator50 {
public:
    explicit TQZProjectCreator(bool isCpp) : IsCpp(isCpp) {}
    HRESULT QueryInterface(const TGUID& iid, void** obj) override;
    // "Application" or "Library" by the application type.
    String GetCreatorType();
    bool GetUnnamed() { return false; }
    String GetOptionFileName() { return ""; }
    bool GetExisting() override { return false; }
    String GetFileName() override;
    TIntfPtr<IQSourceFile> GetSource() override;
    String GetLanguage() override { return IsCpp ? "C++" : "Pascal"; }
    bool GetShowSource() override { return !IsCpp; }
    String GetPersonality() override;
    int GetTargetType() override;
    void InitTargetOptions() override {}
    // The project's modules: main form, server controller, then user session and data module
    // as chosen.
    void CreateDefaultModule(IQProject* project) override;
    // The creators of those modules, in that order.
    std::vector<TIntfPtr<TQZModuleCreator>> ModuleCreators(IQProject* project);
    // Every file the project writes: its source, then each module's source, header and form.
    std::vector<String> FileNames();
    bool IsCpp;
};
