#pragma once
// IDL compilation in a host C++ project: the switches and folders the project holds for its
// IDL files, the compiler helper the personality calls, and the project-file updaters that
// keep the IDL rules of the make file and the IDL data of the XML project.
#include "host/CppPersonality.h"
#include "host/CppProject.h"

// The option set of the IDL compiler in a project.
extern const char* const sKrotexOptionSet;
// A file's switches: its own "krotex" switches when it has them, else the project's
// (the flags macro).
String KrotexSwitchesOf(IQCppProject* project, const String& idlFile);
// The IDL items of a project, in item order.
std::vector<String> ProjectIdlFiles(IQCppProject* project);

class TIdlProjectCompilerHelper : public TIdlCompilerHelperBase {
public:
    explicit TIdlProjectCompilerHelper(IQCppProject* project) : FProject(project) {}
    bool IdlAll(const String& file, const TStrings* files, int mode, bool checkOnly) override;
    bool IdlCompile(const String& idlFile, const String& switches) override;

private:
    IQCppProject* FProject;
};
TIdlCompilerHelperBase* NewIdlCompilerHelper(IQCppProject* project);
// One IDL file of the project (the build tool's compile).
bool CompileKrotex(const String& idlFile, const String& switches, IQCppProject* project);

// The make-file form: rules and macros in the make file's text.
class TIdlOptionsUpdater : public TIdlOptionsUpdaterBase {
public:
    void UpdateIDLRules(IQCppProject* project) override;
    bool RenameModule(IQCppProject* project, const String& oldName, const String& newName) override;
    std::vector<String> GetAllGenFiles(IQCppProject* project) override;
    String GetGenFileName(IQCppProject* project, const String& idlFile, int kind) override;
    std::unique_ptr<TRemoveGenModulesTransaction> PrepareRemoveGenModules(IQCppProject* project) override;
    void RemoveGenModules(IQCppProject* project, const TRemoveGenModulesTransaction& t) override;

protected:
    // Whether the project file lists the generated source for the IDL file.
    virtual bool ListsGenFile(IQCppProject* project, const String& idlFile, const String& genFile);
};
// The XML form: each IDL file's element lists its generated files.
class TXMLIdlOptionsUpdater : public TIdlOptionsUpdater {
public:
    void UpdateIDLRules(IQCppProject* project) override;
    std::vector<String> GetAllGenFiles(IQCppProject* project) override;

protected:
    bool ListsGenFile(IQCppProject* project, const String& idlFile, const String& genFile) override;
};
TIdlOptionsUpdaterBase* NewIdlOptionsUpdater(IQCppProject* project);
