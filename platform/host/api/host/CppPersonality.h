#pragma once
// Hooks of the C++ personality that a package fills: the IDL compiler helper, the writer of the
// IDL data of the project file, and the compiler settings the personality shows.
#include "host/Export.h"
#include "host/CppProject.h"
#include "host/EnvironmentOptions.h"
#include <memory>

#include "rtl/Classes.h"

// Compiles the IDL files of a project.
class HOST_API TIdlCompilerHelperBase : public TObject {
public:
    // mode 0: what needs it; 2: the one file (or those in files); else all. checkOnly: whether
    // anything would be compiled.
    virtual bool IdlAll(const String& file, const TStrings* files, int mode, bool checkOnly) = 0;
    virtual bool IdlCompile(const String& idlFile, const String& switches) = 0;
};
using TIdlCompilerHelperClassProc = TIdlCompilerHelperBase* (*)(IQCppProject* project);
extern HOST_API TIdlCompilerHelperClassProc IdlCompilerHelperClass;  // nullptr: no IDL support

// The files generated from a project's IDL files before a change of the project.
class HOST_API TRemoveGenModulesTransaction : public TObject {
public:
    explicit TRemoveGenModulesTransaction(std::vector<String> genFiles) : GenFiles(std::move(genFiles)) {}
    const std::vector<String> GenFiles;
};

// Keeps the IDL data of a project file (rules, macros, file symbols) in step with its items.
class HOST_API TIdlOptionsUpdaterBase : public TObject {
public:
    virtual void UpdateIDLRules(IQCppProject* project) = 0;
    // Renames an IDL item with its rules and switches.
    virtual bool RenameModule(IQCppProject* project, const String& oldName, const String& newName) = 0;
    // Every generated file the project file lists for its IDL files (full names).
    virtual std::vector<String> GetAllGenFiles(IQCppProject* project) = 0;
    // The header generated beside the IDL file's server (kind 0) or client (kind 1) source, when
    // the project file lists that source; else "".
    virtual String GetGenFileName(IQCppProject* project, const String& idlFile, int kind) = 0;
    // Recorded before a change; after it, RemoveGenModules closes and takes out of the project
    // the generated files that no IDL file lists any more.
    virtual std::unique_ptr<TRemoveGenModulesTransaction> PrepareRemoveGenModules(IQCppProject* project) = 0;
    virtual void RemoveGenModules(IQCppProject* project, const TRemoveGenModulesTransaction& t) = 0;
};
using TIdlOptionsUpdaterClassProc = TIdlOptionsUpdaterBase* (*)(IQCppProject* project);
extern HOST_API TIdlOptionsUpdaterClassProc IdlOptionsUpdaterClass;

// Around adding files to a project: made before the files are added; Complete, after, answers
// the files the added IDL files include that the project does not hold.
class HOST_API TAddIdlFilesTransactionBase : public TObject {
public:
    virtual std::vector<String> Complete() = 0;
};
// The project updater of CORBA projects.
class HOST_API TIdlProjectUpdaterBase : public TObject {
public:
    virtual std::unique_ptr<TAddIdlFilesTransactionBase> PrepareAddIdlFiles() = 0;
};
using TIdlProjectUpdaterClassProc = TIdlProjectUpdaterBase* (*)(IQCppProject* project);
extern HOST_API TIdlProjectUpdaterClassProc IdlProjectUpdaterClass;  // nullptr: none

// The CORBA options of a project. SetOption: false for a name that is not one of them; raises
// for a value the option does not take.
class HOST_API TIdlProjectOptionsBase : public TObject {
public:
    virtual bool SetOption(const String& name, const String& value) = 0;
};
using TIdlProjectOptionsClassProc = TIdlProjectOptionsBase* (*)(IQCppProject* project);
extern HOST_API TIdlProjectOptionsClassProc IdlProjectOptionsClass;  // nullptr: none

// The IDL compiler switches as the project-options dialog's IDL page shows them, one field per
// switch; a switch that is on or off has the value "True" or "False".
struct HOST_API TIdlPageField {
    String Name;
    bool OnOff = false;
};
class HOST_API TIdlPageOptionsBase {
public:
    virtual ~TIdlPageOptionsBase() = default;
    virtual std::vector<TIdlPageField> PageFields() const = 0;
    virtual String PageValue(const String& field) const = 0;
    // EConvertError for a value the field does not take.
    virtual void SetPageValue(const String& field, const String& value) = 0;
};

// The project unit of an item: what the personality knows of the item for a build.
class HOST_API TProjUnit : public TObject {
public:
    virtual const String& FileName() const = 0;
    // Whether the item is to be compiled again.
    virtual bool NeedToCompile() = 0;
};

// The project-options side of CORBA projects. The IDL page hears CM_SHOWIDLOPTIONS to show the
// project's switches and CM_TAKEIDLOPTIONS to write its edits into them; wParam is the
// options (a TIdlPageOptionsBase*), lParam the helper.
class HOST_API TIdlProjOptsManagerHelperBase : public TObject {
public:
    static constexpr int CM_SHOWIDLOPTIONS = 113;
    static constexpr int CM_TAKEIDLOPTIONS = 114;
    virtual void SetIdlOptions(TPropertySheet* pageControl) = 0;
    virtual void GetIdlOptions(TPropertySheet* pageControl) = 0;
    // The project unit of an ".idl" item, and the same unit brought in step with the project.
    virtual std::unique_ptr<TProjUnit> CreateProjUnit(const String& fileName) const = 0;
    virtual void UpdateProjUnit(TProjUnit& unit, const String& fileName) const = 0;
};
// The project units of the project's ".idl" items, in item order, as the hook makes them (none
// without it). They are made for each call: none outlives the package that made it.
HOST_API std::vector<std::unique_ptr<TProjUnit>> CppProjectUnits(IQCppProject* project);
using TIdlProjOptsManagerHelperClassProc = TIdlProjOptsManagerHelperBase* (*)(IQCppProject* project);
extern HOST_API TIdlProjOptsManagerHelperClassProc IdlProjOptsManagerHelperClass;  // nullptr: none

// The templates of the CORBA wizards, filled through the host's expert filter: the variables
// set, a template file of the host's template folder evaluated.
class HOST_API TIdlExpertFilterBase : public TObject {
public:
    virtual String TemplateResult(const String& templateFile) = 0;
    virtual void SetBoolValue(const String& name, bool value) = 0;
    virtual void SetStringValue(const String& name, const String& text) = 0;
};
using TIdlExpertFilterClassProc = TIdlExpertFilterBase* (*)();
extern HOST_API TIdlExpertFilterClassProc IdlExpertFilterClass;  // nullptr: none

// The kind of the compiler running now (7: the IDL compiler).
extern HOST_API int CompilerType;
// The host's environment option "show command lines", and where they are shown.
extern HOST_API bool ShowCommandLines;
HOST_API void ShowCommandLine(int type, const String& switches, const String& file);

// The host's compiler service around a compile of project files: BeginCompile first, EndCompile
// in every case after (the compiler is busy in between). CheckCompileFiles: whether the files can
// be compiled for the project (each an item of it that a build tool handles).
HOST_API void BeginCompile(IQCppProject* project);
HOST_API void EndCompile(IQCppProject* project);
HOST_API bool CheckCompileFiles(IQCppProject* project, const std::vector<String>& files);
// The personality's compile-files procedure: compiles the files through their build tools in
// order and stops at the first failure; callback (may be nullptr) hears of each file first.
using TCompileFileCallback = void (*)(const String& file);
using TCompileFilesProc = bool (*)(IQCppProject* project, const std::vector<String>& files,
                                   TCompileFileCallback callback);
extern HOST_API TCompileFilesProc CompileFilesProc;  // nullptr: none
HOST_API bool DefaultCompileFiles(IQCppProject* project, const std::vector<String>& files,
                                  TCompileFileCallback callback);
