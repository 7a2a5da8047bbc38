#pragma once
// CORBA settings of a C++ project: the options kept in the project INI section "CORBA", the
// project's IDL switch string, CORBA support in the project's defines and paths, and the names
// of the sources generated for an IDL item.
#include <cstdint>
#include <memory>
#include <variant>
#include <vector>

#include "Idlcppopts.h"
#include "host/CppPersonality.h"
#include "host/EnvironmentOptions.h"
#include "rtl/IniFiles.h"

// The ORB's import library, release build and the other build.
extern const char* const sOrbImportLib;
extern const char* const sOrbImportLibDebug;

class TIDLProjUnit;

// The CORBA project options of a host project. The three booleans are kept in the project's
// option set "CORBA" (our projects have no INI; the set stands for its section "CORBA"); the
// project's IDL switches are its make symbol IDLCFLAGS.
class TIdlProjOptsManagerHelper : public TIdlProjOptsManagerHelperBase {
public:
    // Reads the booleans the project keeps.
    explicit TIdlProjOptsManagerHelper(IQCppProject* project);
    bool AddServerUnit = true;
    bool AddClientUnit = true;
    bool PrecompiledHeaders = true;
    void LoadFromIni(const TIniFile& ini);
    void SaveToIni(TIniFile& ini) const;
    // A value the project holds that is no boolean (True/Yes/1, False/No/0) keeps the current one.
    void LoadFromProject();
    void SaveToProject() const;
    IQCppProject* Project() const { return FProject; }
    String Switches() const;
    void SetSwitches(const String& switches);
    void SetInclPath(const String& path);
    // Also sets the source suffix cpp.
    void SetDefines(const String& text);
    // The IDL file list in the text, split at blanks.
    static std::vector<String> IdlFilesList(const String& text);
    void SetIdlOptions(TPropertySheet* pageControl) override;
    void GetIdlOptions(TPropertySheet* pageControl) override;
    // The project unit of an ".idl" item, with the project's switches and folder.
    std::unique_ptr<TProjUnit> CreateProjUnit(const String& fileName) const override;
    // A unit of another kind is left as it is.
    void UpdateProjUnit(TProjUnit& unit, const String& fileName) const override;

private:
    IQCppProject* FProject;
};

enum TCORBASupportFlag : unsigned { csLibrary = 1u << 0, csIncludePath = 1u << 1, csLibPath = 1u << 2 };

// A project option's value as the personality passes it.
using TOptionValue = std::variant<std::monostate, bool, int, String>;

// The project's options "Defines" (";" list), "Libraries" (blank-separated), "IncludePath" and
// "LibPath" (";" lists), and the helper's booleans by name.
class TIdlProjectOptions : public TObject {
public:
    explicit TIdlProjectOptions(IQCppProject* project, TIdlProjOptsManagerHelper* helper = nullptr)
        : FProject(project), FHelper(helper)
    {
    }
    // "AddServerUnit", "AddClientUnit", "PrecompiledHeaders" (any case): the helper's booleans;
    // another name leaves value as it is. SetOption raises EConvertError for a value that is no
    // boolean.
    void GetOption(const String& name, TOptionValue& value) const;
    void SetOption(const String& name, const TOptionValue& value);
    void AddCORBASupport(unsigned flags);
    bool IsCORBAProject() const;
    void RemoveZUB();
    bool IsDefined(const String& name) const;
    void AddDefine(const String& name);

private:
    bool* Option(const String& name) const;
    IQCppProject* FProject;
    TIdlProjOptsManagerHelper* FHelper;
};

// The "krotex" option set of a project, as far as the generated names need it.
struct TKrotexOptionSet {
    String RootDir;  // empty: the directory of the project file
    bool HasSrcSuffix = false;
    String SrcSuffix;
    String ServerExt;  // empty: "_s"
    String ClientExt;  // empty: "_c"
};

// Server and client source generated for an IDL item of a project.
void GetGeneratedFilenames(const String& idlFile, const String& projectFile, const TKrotexOptionSet& set,
                           String& serverSource, String& clientSource);
// The build tool's extension setting ("*.idl;*.IDL") as extensions with a leading ".".
std::vector<String> IdlToolExtensions(const String& setting);

// The CORBA options of a host project by name: a value is "True"/"False", "Yes"/"No" or an
// integer 0/1; a change is kept in the project at once.
class TIdlHostProjectOptions : public TIdlProjectOptionsBase {
public:
    explicit TIdlHostProjectOptions(IQCppProject* project) : FHelper(project) {}
    bool SetOption(const String& name, const String& value) override;
    TIdlProjOptsManagerHelper& Helper() { return FHelper; }

private:
    TIdlProjOptsManagerHelper FHelper;
};
// The personality's hooks.
TIdlProjectOptionsBase* NewIdlProjectOptions(IQCppProject* project);
TIdlProjOptsManagerHelperBase* NewIdlProjOptsManagerHelper(IQCppProject* project);
