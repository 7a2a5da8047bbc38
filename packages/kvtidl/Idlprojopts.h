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

// The parts of a C++ project's options that CORBA support touches.
struct TIdlProjectSettings {
    String Defines;  // ";"-separated, NAME or NAME=VALUE
    String Libraries;  // blank-separated
    String IncludePath;  // ";"-separated
    String LibPath;  // ";"-separated
    String IdlSwitches;  // the IDL compiler switches of the project
};

class TIDLProjUnit;

class TIdlProjOptsManagerHelper : public TObject {
public:
    // projectDir: the project file's folder
    explicit TIdlProjOptsManagerHelper(TIdlProjectSettings& project, String projectDir = "")
        : FProject(project), FProjectDir(std::move(projectDir))
    {
    }
    bool AddServerUnit = true;
    bool AddClientUnit = true;
    bool PrecompiledHeaders = true;
    void LoadFromIni(const TIniFile& ini);
    void SaveToIni(TIniFile& ini) const;
    void SetInclPath(const String& path);
    // Also sets the source suffix cpp.
    void SetDefines(const String& text);
    // The IDL file list in the text, split at blanks.
    static std::vector<String> IdlFilesList(const String& text);
    // The IDL page of the project options: it shows the project switches on the first message
    // and writes its edits into them on the second; wParam is the TIdlCppOptions, lParam this
    // helper.
    static constexpr int CM_SHOWIDLOPTIONS = 113;
    static constexpr int CM_TAKEIDLOPTIONS = 114;
    void SetIdlOptions(TPropertySheet* pageControl);
    void GetIdlOptions(TPropertySheet* pageControl);
    // The project unit of an ".idl" item, with the project's switches and folder.
    std::unique_ptr<TIDLProjUnit> CreateProjUnit(const String& fileName) const;
    void UpdateProjUnit(TIDLProjUnit& unit, const String& fileName) const;

private:
    TIdlProjectSettings& FProject;
    String FProjectDir;
};

enum TCORBASupportFlag : unsigned { csLibrary = 1u << 0, csIncludePath = 1u << 1, csLibPath = 1u << 2 };

// A project option's value as the personality passes it.
using TOptionValue = std::variant<std::monostate, bool, int, String>;

class TIdlProjectOptions : public TObject {
public:
    explicit TIdlProjectOptions(TIdlProjectSettings& project, TIdlProjOptsManagerHelper* helper = nullptr)
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
    TIdlProjectSettings& FProject;
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

// The CORBA options of a host project: kept in its option set "CORBA" under the INI keys; a
// value is "True"/"False", "Yes"/"No" or an integer 0/1.
class TIdlHostProjectOptions : public TIdlProjectOptionsBase {
public:
    explicit TIdlHostProjectOptions(IQCppProject* project);
    bool SetOption(const String& name, const String& value) override;
    TIdlProjOptsManagerHelper& Helper() { return FHelper; }

private:
    IQCppProject* FProject;
    TIdlProjectSettings FSettings;
    TIdlProjOptsManagerHelper FHelper;
};
// The personality's hook.
TIdlProjectOptionsBase* NewIdlProjectOptions(IQCppProject* project);
