#pragma once
// IDL compilation in a host C++ project: the switches and folders the project holds for its
// IDL files, the compiler helper the personality calls, and the project-file updaters that
// keep the IDL rules of the make file and the IDL data of the XML project.
#include "host/CppPersonality.h"
#include "host/CppProject.h"

#include <map>
#include <memory>

#include "Idlmakefile.h"

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

// The IDL files of a project as its project file lists them.
struct TIdlFileEntry {
    String FileName;  // as given
    String FullName;
    String ProjectFile;  // the XML form's: the project file the entry belongs to
};
class TIdlFileEntries : public TObject {
public:
    void Clear() { FEntries.clear(); }
    void Add(TIdlFileEntry entry) { FEntries.push_back(std::move(entry)); }
    const std::vector<TIdlFileEntry>& Entries() const { return FEntries; }
    std::vector<String> FullNames() const;

private:
    std::vector<TIdlFileEntry> FEntries;
};

class TXMLIdlOptionsUpdater;

// Reads the IDL data of an XML project.
class TXMLIdlOptionsManagerHelper : public TObject {
public:
    explicit TXMLIdlOptionsManagerHelper(IQCppProject* project) : FProject(project) {}
    String GetIdlCFlags() const;
    // The IDL-files macro becomes the updater's file list; each file's symbol names its
    // generated files.
    void ExtractIdlSymbols(TXMLIdlOptionsUpdater& updater);

private:
    IQCppProject* FProject;
};

// Writes the IDL data of an XML project: the two macros and each IDL file's generated files.
class TXMLIdlOptionsUpdaterHelper : public TObject {
public:
    explicit TXMLIdlOptionsUpdaterHelper(IQCppProject* project) : FProject(project) {}
    void UpdateIDLRules(const TIdlFileEntries& entries);

private:
    IQCppProject* FProject;
};

// The make-file form: rules and macros in the make file's text.
class TIdlOptionsUpdater : public TIdlOptionsUpdaterBase {
public:
    // The entry list becomes one entry per file.
    virtual void UpdateIdlFiles(const std::vector<String>& files, IQCppProject* project);
    const TIdlFileEntries& GetIdlFileEntries() const { return FEntries; }
    void UpdateIDLRules(IQCppProject* project) override;
    bool RenameModule(IQCppProject* project, const String& oldName, const String& newName) override;
    std::vector<String> GetAllGenFiles(IQCppProject* project) override;
    String GetGenFileName(IQCppProject* project, const String& idlFile, int kind) override;
    std::unique_ptr<TRemoveGenModulesTransaction> PrepareRemoveGenModules(IQCppProject* project) override;
    void RemoveGenModules(IQCppProject* project, const TRemoveGenModulesTransaction& t) override;

protected:
    // Whether the project file lists the generated source for the IDL file.
    virtual bool ListsGenFile(IQCppProject* project, const String& idlFile, const String& genFile);
    TIdlFileEntries FEntries;
};
// The XML form: each IDL file's element lists its generated files.
class TXMLIdlOptionsUpdater : public TIdlOptionsUpdater {
public:
    void UpdateIdlFiles(const std::vector<String>& files, IQCppProject* project) override;
    void UpdateIDLRules(IQCppProject* project) override;
    std::vector<String> GetAllGenFiles(IQCppProject* project) override;
    std::unique_ptr<TRemoveGenModulesTransaction> PrepareRemoveGenModules(IQCppProject* project) override;
    // As the make-file form, and each file that went loses its "depend" entry too.
    void RemoveGenModules(IQCppProject* project, const TRemoveGenModulesTransaction& t) override;
    // The symbols ExtractIdlSymbols found, by FileNameKey.
    std::map<String, std::unique_ptr<TXMLIdlMakeSymbol>>& Symbols() { return FSymbols; }

protected:
    bool ListsGenFile(IQCppProject* project, const String& idlFile, const String& genFile) override;

private:
    std::map<String, std::unique_ptr<TXMLIdlMakeSymbol>> FSymbols;
};
// The XML form's record of the generated files before a change.
class TXMLRemoveGenModulesTransaction : public TRemoveGenModulesTransaction {
public:
    using TRemoveGenModulesTransaction::TRemoveGenModulesTransaction;
};
TIdlOptionsUpdaterBase* NewIdlOptionsUpdater(IQCppProject* project);
