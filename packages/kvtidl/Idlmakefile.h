#pragma once
// IDL rules of a project's make file: for every IDL file of the project, a rule per generated
// source that runs the IDL compiler, and the macro listing the generated files.
#include <functional>
#include <map>
#include <memory>
#include <vector>

#include "Idlcppopts.h"
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

class TIdlMakeSymbol : public TObject {
public:
    // `rootDir`: the project's folder for generated files, when no switch names one.
    TIdlMakeSymbol(String projectDir, const String& switches, String idlFile, String rootDir = "");
    const String& Name() const { return FIdlFile; }
    // Another spelling of the same file: its rules are written again.
    void SetName(const String& idlFile);
    TIdlCppOptions& Options() { return FOptions; }
    String MakeGenFileName(TKnownGenFileTypes kind) const;
    void SetOptionsString(const String& text);
    void AddGenFile(const String& name, const String& command);
    TGenFile* FindGenFile(const String& name);
    void UpdateGenFiles();
    std::vector<std::unique_ptr<TGenFile>>& GenFiles() { return FGenFiles; }
    bool Changed = false;
    String Current[2];  // server, client

private:
    String FProjectDir, FIdlFile, FRootDir;
    TIdlCppOptions FOptions;
    std::vector<std::unique_ptr<TGenFile>> FGenFiles;
};

// The text of one rule, ending in two line breaks.
String MakeIdlRule(const String& projectFile, TIdlMakeSymbol& sym, const TGenFile& gen);

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
    // Finds the IDL rules of the file into the symbols.
    void ParseIdlSymbols();
    // Brings the rules and the generated-files macro in step with `entries` (full names).
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
    String ProjectDir() const;
    String FProjectFile, FText;
    std::map<String, std::unique_ptr<TIdlMakeSymbol>> FSymbols;
};
