#pragma once
// Running the IDL-to-C++ compiler in a scratch directory and moving what it wrote into place.
#include <functional>
#include <memory>
#include <vector>

#include "Idlcppopts.h"
#include "rtl/ConsoleProcess.h"
#include "rtl/Classes.h"

// The line a compiler message "file:line: text" names; 0 when it names none.
int KrotexLineNumber(const String& line);

enum class TCompileErrorKind { ekWarning, ekError, ekInfo };
using TCompileErrorEvent =
    std::function<void(const String& file, int line, int column, const String& text, TCompileErrorKind kind)>;

// A directory of its own below `parentDir` ("TempGen", else "TempGen1", "TempGen2", ...);
// deleted with everything in it on destruction.
class TTempDirectory : public TObject {
public:
    explicit TTempDirectory(const String& parentDir);
    ~TTempDirectory() override;
    const String& Path() const { return FPath; }

private:
    String FPath;
};

class TGenFileProcess : public TObject {
public:
    explicit TGenFileProcess(const String& workDir);
    std::function<bool(TConsoleProcess&)> OnProcessDone;
    bool Run(const String& exe, const String& commandLine);

protected:
    virtual bool DoProcessDone(TConsoleProcess& process);
    // One line as the program prints it (0: standard output, 1: standard error).
    virtual void DoLine(int stream, const String& line);
    String FWorkDir;
};

class TKrotexProcess : public TGenFileProcess {
public:
    TKrotexProcess(const String& workDir, TCompileErrorEvent onError);
    // The compiler program; a bare name is looked up on PATH.
    static String& Executable();
    bool Compile(const String& seenName, const String& idlFile, const String& switches);
    // The copies in the working folder that the compiler sees instead of the user's files
    // (copy, user's file): a message naming a copy names the user's file.
    std::vector<std::pair<String, String>> Copies;
    String ReplaceFileName(const String& text) const;
    void ReportError(const String& file, int line, int column, const String& text);
    void ReportWarning(const String& file, int line, int column, const String& text);
    int ErrorCount() const { return FErrors; }
    int WarningCount() const { return FWarnings; }

protected:
    bool DoProcessDone(TConsoleProcess& process) override;
    // Warnings and errors go to the message view as the compiler prints them.
    void DoLine(int stream, const String& line) override;
    void ParseError(const String& line);
    // One line of the compiler's output as an error or a warning at the place it names.
    void Report(const String& line, TCompileErrorKind kind);

private:
    TCompileErrorEvent FOnError;
    String FIdlFile, FSeenName;
    int FErrors = 0, FWarnings = 0;
    // error-stream lines after a warning: errors only when the compiler fails
    std::vector<String> FHeld;
};

class TCollectedFile : public TObject {
public:
    TCollectedFile(String dest, String temp) : Dest(std::move(dest)), Temp(std::move(temp)) {}
    String Dest;
    String Temp;
    // Moves the file into place; raises "%s could not be created: %d" when that fails.
    void Save();
};

class TIdlCollectedFiles : public TObject {
public:
    TIdlCollectedFiles(const String& tempDir, const String& hdrDest, const String& srcDest);
    std::vector<std::unique_ptr<TCollectedFile>>& Files() { return FFiles; }
    String GetDestDir(const String& file) const;

private:
    String FTempDir, FHdrDest, FSrcDest;
    std::vector<std::unique_ptr<TCollectedFile>> FFiles;
};

// Compiles IDL files. Without a project here: the caller gives the root directory the
// generated files go to and the source suffix.
class TIdlCompilerHelper : public TObject {
public:
    TCompileErrorEvent OnMessage;  // the host's message view
    // Whether the IDL file or anything it includes is newer than the older of its two sources.
    // `rootDir`: the project's folder for generated files (empty: none).
    static bool NeedToCompile(const String& idlFile, const String& switches, const String& baseDir,
                              const String& rootDir = "");
    static std::unique_ptr<TStringList> GetAddIdlGenUnits(const String& idlFile, const TIdlCppOptions& opts,
                                                          const String& projectDir);
    // `copies`, when given, gets each copy written with the user's file it stands for.
    String SaveIdlFilesToTempDir(const String& idlFile, const String& switches, const String& tempDir,
                                 const String& projectDir = "",
                                 std::vector<std::pair<String, String>>* copies = nullptr);
    bool IdlCompile(const String& idlFile, const String& switches, const String& rootDir,
                    const String& srcSuffix, const String& projectDir);
    void IdlRefreshGeneratedFiles(TIdlCollectedFiles& files, const String& idlFile, const String& switches,
                                  const String& srcSuffix, const String& projectDir,
                                  const String& rootDir = "");
    // The IDL files of a project, compiled in list order. mode 0: only those that need it
    // (the generated sources of the others are announced); mode 2: only `file` or those in
    // `fileList` (when given), the first one only; other modes: all. checkOnly: answers whether
    // there is anything to compile, compiling nothing.
    bool IdlAll(const String& file, const TStrings* fileList, const std::vector<String>& units, int mode,
                bool checkOnly, const String& switches, const String& rootDir, const String& srcSuffix,
                const String& projectDir);
    std::function<void(const String& idlFile)> OnProgress;
    // A generated source of the project's units was moved into place (with its header).
    std::function<void(const String& source, const String& header)> OnProjectUnit;
    // The switches of one IDL file (unset: the switches IdlAll is given).
    std::function<String(const String& idlFile)> SwitchesOf;
    // A generated source of a unit that needed no compile, with its header.
    std::function<void(const String& genSource, const String& genHeader)> OnAnnounceGenUnit;
    // The last exception that IdlCompile caught (shown by the host).
    String LastError;
};

// The project unit of an ".idl" item: its file, the folder relative generated names are taken
// against, its switches and the options made from them.
class TIDLProjUnit : public TProjUnit {
public:
    static constexpr int IdlUsesFormType = 14;
    TIDLProjUnit(const String& fileName, const String& switches, int usesFormType, const String& directory);
    const String& FileName() const override { return FFileName; }
    const String& Directory() const { return FDirectory; }
    const String& Switches() const { return FSwitches; }
    int UsesFormType() const { return FUsesFormType; }
    // Made on first use and kept; an Update brings its switches along.
    TIdlCppOptions& GetOptions();
    void Update(const String& fileName, const String& switches, int usesFormType, const String& directory);
    // Whether the IDL file or anything it includes is newer than the older of its two sources.
    bool NeedToCompile() override;

private:
    String FFileName, FSwitches, FDirectory;
    int FUsesFormType;
    std::unique_ptr<TIdlCppOptions> FOptions;
};

// Files included by the IDL files added to a project (`now` less `before`) that the project
// does not contain, each once.
std::vector<String> MissingIdlIncludes(const std::vector<String>& before, const std::vector<String>& now,
                                       const std::vector<String>& projectFiles, const String& switches,
                                       const String& projectDir = "");
