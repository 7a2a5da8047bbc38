#pragma once
// IDL rules of a project's make file: for every IDL file of the project, a rule per generated
// source that runs the IDL compiler, and the macro listing the generated files.
#include <functional>
#include <map>
#include <memory>
#include <vector>

#include "Idlcppopts.h"
#include "host/CppProject.h"
#include "host/MakeFile.h"

extern const char* const sIdlFilesMacro;  // the project's IDL files
extern const char* const sIdlGenFilesMacro;  // the files generated from them
extern const char* const sIdlFlagsMacro;  // the IDL compiler switches
extern const char* const sIdlDefaultCommand;

enum class TKnownGenFileTypes { gfServer, gfClient };

struct TGenFile {
    String FileName;
    String Command;  // the lines under the rule header, as they stand
    long Position = -1;
    long EndPosition = -1;
};

// What both forms of the project file keep for one IDL file: its switches and the names of its
// two generated sources.
class TCustomIdlMakeSymbol : public TObject {
public:
    // `rootDir`: the project's folder for generated files, when no switch names one.
    TCustomIdlMakeSymbol(String projectDir, const String& switches, String idlFile, String rootDir = "");
    const String& Name() const { return FIdlFile; }
    // Another spelling of the same file: its rules are written again.
    void SetName(const String& idlFile);
    TIdlCppOptions& Options() { return FOptions; }
    const TIdlCppOptions& Options() const { return FOptions; }
    String MakeGenFileName(TKnownGenFileTypes kind) const;
    void SetOptionsString(const String& text);
    // Takes the current names of other.
    void Assign(const TCustomIdlMakeSymbol& other);
    // The generated files as the switches name them now.
    virtual void UpdateGenFiles() = 0;
    virtual void ClearGenFiles() = 0;
    bool Changed = false;
    String Current[2];  // server, client

protected:
    // The kind whose name this is, as the switches give it (case-insensitive), else none.
    void TakeCurrent(const String& name);
    String FProjectDir, FIdlFile, FRootDir;
    TIdlCppOptions FOptions;
};

// The make-file form: one rule per generated file.
class TIdlMakeSymbol : public TCustomIdlMakeSymbol {
public:
    using TCustomIdlMakeSymbol::TCustomIdlMakeSymbol;
    void AddGenFile(const String& name, const String& command);
    TGenFile* FindGenFile(const String& name);
    void UpdateGenFiles() override;
    void ClearGenFiles() override { FGenFiles.clear(); }
    std::vector<std::unique_ptr<TGenFile>>& GenFiles() { return FGenFiles; }

private:
    std::vector<std::unique_ptr<TGenFile>> FGenFiles;
};

// The XML form: the IDL file's element in the project lists its generated files (relative to
// the project) and keeps their folder as the value "IDLROOTDIR".
class TXMLIdlMakeSymbol : public TCustomIdlMakeSymbol {
public:
    TXMLIdlMakeSymbol(IQCppProject* project, const String& switches, const String& idlFile,
                      const String& rootDir = "");
    void AddGenFile(const String& name);
    bool FindGenFile(const String& name);
    // The element lists just the two sources the switches name.
    void UpdateGenFiles() override;
    void ClearGenFiles() override;

private:
    String Relative(const String& name) const;
    IQCppProject* FProject;
};

// The text of one rule, ending in two line breaks.
String MakeIdlRule(const String& projectFile, const TCustomIdlMakeSymbol& sym, const TGenFile& gen);

// A make file in memory with the operations the IDL rules need.
class TIdlMakeFile : public TObject {
public:
    TIdlMakeFile(String projectFile, String text);
    const String& Text() const { return FText; }
    const String& ProjectFile() const { return FProjectFile; }
    // Value of a macro ("NAME = value" at the start of a line, continued by a trailing "\").
    bool FindMacro(const String& name, String& value, long& start, long& end) const;
    String MacroValue(const String& name) const;
    void SetMacro(const String& name, const String& value);
    // The IDL files (full names) listed in the IDL-files macro.
    std::vector<String> IdlFiles() const;
    // Finds the IDL rules of the file into the symbols (TIdlOptionsManagerHelper).
    void ParseIdlSymbols();
    // Brings the rules and the generated-files macro in step with `entries` (full names)
    // (TIdlOptionsUpdaterHelper).
    void UpdateIDLRules(const std::vector<String>& entries);
    // The project's IDL files become `entries`: rules, generated-files macro and IDL-files
    // macro are brought in step.
    void SetIdlFiles(const std::vector<String>& entries);
    // Keyed by FileNameKey: one symbol for every spelling of a file's name.
    std::map<String, std::unique_ptr<TIdlMakeSymbol>>& Symbols() { return FSymbols; }
    // The switches of one IDL file (unset: the flags macro's).
    std::function<String(const String& idlFile)> SwitchesOf;
    // The project's folder for generated files (empty: none).
    String RootDir;

private:
    friend class TIdlOptionsManagerHelper;
    friend class TIdlOptionsUpdaterHelper;
    String ProjectDir() const;
    String FProjectFile, FText;
    std::map<String, std::unique_ptr<TIdlMakeSymbol>> FSymbols;
};

// Reads the IDL data of a make file.
class TIdlOptionsManagerHelper : public TObject {
public:
    explicit TIdlOptionsManagerHelper(TIdlMakeFile& makeFile) : FMakeFile(makeFile) {}
    // The flags macro's value ("" when absent).
    String GetIdlCFlags() const;
    void ParseIdlSymbols();

private:
    TIdlMakeFile& FMakeFile;
};

// Writes the IDL rules of a make file.
class TIdlOptionsUpdaterHelper : public TObject {
public:
    explicit TIdlOptionsUpdaterHelper(TIdlMakeFile& makeFile) : FMakeFile(makeFile) {}
    void UpdateIDLRules(const std::vector<String>& entries);

private:
    TIdlMakeFile& FMakeFile;
};
