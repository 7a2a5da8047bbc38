#include "Idlcompile.h"

#include <dlfcn.h>
#include <sys/stat.h>

#include <cerrno>
#include <filesystem>
#include <set>

#include "Idldepends.h"
#include "KrotexSwitches.h"
#include "rtl/Interrupt.h"
#include "rtl/Files.h"
#include "rtl/Format.h"

namespace fs = std::filesystem;

namespace {

const char* const sTempGen = "TempGen";

String StripTrailingDelim(String d)
{
    if (d.size() > 1 && IsPathDelim(d.back())) d.pop_back();
    return d;
}

}  // namespace

TTempDirectory::TTempDirectory(const String& parentDir)
{
    const String base = StripTrailingDelim(parentDir) + "/" + sTempGen;
    FPath = base;
    for (int n = 1; FileExists(FPath) || DirectoryExists(FPath); ++n) FPath = base + IntToStr(n);
    if (!ForceDirectories(FPath)) throw Exception(FPath + " could not be created");
}

TTempDirectory::~TTempDirectory()
{
    std::error_code ec;
    fs::remove_all(FPath, ec);
}

TGenFileProcess::TGenFileProcess(const String& workDir) : FWorkDir(StripTrailingDelim(workDir)) {}

bool TGenFileProcess::Run(const String& exe, const String& commandLine)
{
    TConsoleProcess process;
    process.ApplicationName = exe;
    process.CommandLine = commandLine;
    process.CurrentDirectory = FWorkDir;
    process.OnLine = [this](int stream, const String& line) { DoLine(stream, line); };
    process.Execute();
    return DoProcessDone(process);
}

void TGenFileProcess::DoLine(int, const String&) {}

bool TGenFileProcess::DoProcessDone(TConsoleProcess& process)
{
    if (OnProcessDone) return OnProcessDone(process);
    return process.ExitCode() == 0;
}

TKrotexProcess::TKrotexProcess(const String& workDir, TCompileErrorEvent onError)
    : TGenFileProcess(workDir), FOnError(std::move(onError))
{
}

String& TKrotexProcess::Executable()
{
    // the host's own krotex (beside its program or the package) first, else the one on PATH
    static String exe = [] {
        Dl_info info{};
        String lib;
        if (dladdr(reinterpret_cast<void*>(&TKrotexProcess::Executable), &info) && info.dli_fname)
            lib = ExtractFilePath(info.dli_fname);
        for (const String& dir : {ExtractFilePath(ExeFileName()), lib})
            if (!dir.empty() && FileExists(dir + "krotex")) return dir + "krotex";
        return String("krotex");
    }();
    return exe;
}

bool TKrotexProcess::Compile(const String& seenName, const String& idlFile, const String& switches)
{
    FSeenName = seenName;
    FIdlFile = idlFile;
    FErrors = FWarnings = 0;
    FHeld.clear();
    return Run(Executable(), "krotex " + switches + " \"" + seenName + "\"");
}

String TKrotexProcess::ReplaceFileName(const String& text) const
{
    String r = text;
    if (FSeenName.empty()) return r;
    const auto p = r.find(FSeenName);
    if (p != String::npos) r.replace(p, FSeenName.size(), FIdlFile);
    return r;
}

void TKrotexProcess::ReportError(const String& file, int line, int column, const String& text)
{
    ++FErrors;
    if (FOnError) FOnError(file, line, column, ReplaceFileName(text), TCompileErrorKind::ekError);
}

void TKrotexProcess::ReportWarning(const String& file, int line, int column, const String& text)
{
    ++FWarnings;
    if (FOnError) FOnError(file, line, column, ReplaceFileName(text), TCompileErrorKind::ekWarning);
}

int KrotexLineNumber(const String& line)
{
    TKrotexPlace p;
    return KrotexPlace(line, p) ? p.Line : 0;
}

void TKrotexProcess::Report(const String& line, TCompileErrorKind kind)
{
    // "file:line: text" is told as its place and its text, once; the copy the compiler saw is
    // named as the user's file
    TKrotexPlace p;
    String file = FIdlFile, text = line;
    int at = 0, column = kind == TCompileErrorKind::ekWarning ? 1 : 0;
    if (KrotexPlace(line, p)) {
        if (!FSeenName.empty() && p.File != FSeenName) file = p.File;
        const String named = ExpandRelativePath(FWorkDir, p.File);
        for (const auto& [copy, user] : Copies)
            if (SameFileName(named, copy)) file = user;
        at = p.Line;
        column = 1;
        text = p.Text;
        if (kind == TCompileErrorKind::ekWarning && text.rfind("(warning) ", 0) == 0) text = text.substr(10);
    }
    if (kind == TCompileErrorKind::ekWarning)
        ReportWarning(file, at, column, text);
    else
        ReportError(file, at, column, text);
}

void TKrotexProcess::ParseError(const String& line)
{
    const String t = Trim(line);
    if (t.find("(warning)") != String::npos) Report(t, TCompileErrorKind::ekWarning);
}

void TKrotexProcess::DoLine(int stream, const String& line)
{
    const String t = Trim(line);
    if (t.find("(warning)") != String::npos)
        ParseError(t);
    else if (stream == 1 && !t.empty() && FWarnings == 0)
        // The error text is the compiler's errors when it gave no warning before it.
        Report(t, TCompileErrorKind::ekError);
    else if (stream == 1 && !t.empty())
        FHeld.push_back(t);
}

bool TKrotexProcess::DoProcessDone(TConsoleProcess& process)
{
    // Beside warnings the error text is reported when the compiler failed: its errors are never
    // lost behind a warning.
    if (FErrors == 0 && process.ExitCode() != 0)
        for (const String& l : FHeld) Report(l, TCompileErrorKind::ekError);
    FHeld.clear();
    // A compiler that fails without a word still failed.
    if (FErrors == 0 && process.ExitCode() != 0)
        ReportError(FIdlFile, 0, 0, Format("%s: exit code %d", {Executable(), process.ExitCode()}));
    return FErrors == 0;
}

void TCollectedFile::Save()
{
    chmod(Dest.c_str(), S_IRUSR | S_IWUSR | S_IRGRP | S_IROTH);
    std::error_code ec;
    fs::create_directories(fs::path(Dest).parent_path(), ec);
    try {
        AtomicWriteFile(Dest, ReadFileBytes(Temp));
    } catch (const Exception& e) {
        throw Exception(Format("%s could not be created: %s", {Dest, e.Message()}));
    }
    // the copy is in place; a temporary file that stays harms nothing
    (void)DeleteFile(Temp);
}

TIdlCollectedFiles::TIdlCollectedFiles(const String& tempDir, const String& hdrDest, const String& srcDest)
    : FTempDir(StripTrailingDelim(tempDir)), FHdrDest(hdrDest), FSrcDest(srcDest)
{
    std::error_code ec;
    std::vector<String> found;
    for (auto it = fs::recursive_directory_iterator(FTempDir, ec);
         !ec && it != fs::recursive_directory_iterator(); it.increment(ec))
        if (it->is_regular_file()) found.push_back(it->path().string());
    std::sort(found.begin(), found.end());
    for (const String& f : found) {
        const String rest = f.substr(FTempDir.size());  // begins with the delimiter
        FFiles.push_back(std::make_unique<TCollectedFile>(StripTrailingDelim(GetDestDir(f)) + rest, f));
    }
}

String TIdlCollectedFiles::GetDestDir(const String& file) const
{
    const String ext = ExtractFileExt(file);
    return SameText(ext, ".cpp") || SameText(ext, ".cc") ? FSrcDest : FHdrDest;
}

bool TIdlCompilerHelper::NeedToCompile(const String& idlFile, const String& switches, const String& baseDir,
                                       const String& rootDir)
{
    const TIdlCppOptions opts = IdlGenOptions(switches, rootDir);
    const double client = FileAge(opts.MakeClientSourceName(baseDir, idlFile));
    const double server = FileAge(opts.MakeServerSourceName(baseDir, idlFile));
    return IdlFileDependencies().IsNewer(idlFile, std::min(client, server), opts.IncludePathIn(baseDir));
}

TIDLProjUnit::TIDLProjUnit(const String& fileName, const String& switches, int usesFormType,
                           const String& directory)
    : FFileName(fileName), FSwitches(switches), FDirectory(directory), FUsesFormType(usesFormType)
{
}

TIdlCppOptions& TIDLProjUnit::GetOptions()
{
    if (!FOptions) FOptions = std::make_unique<TIdlCppOptions>(FSwitches);
    return *FOptions;
}

void TIDLProjUnit::Update(const String& fileName, const String& switches, int usesFormType,
                          const String& directory)
{
    FFileName = fileName;
    FSwitches = switches;
    FUsesFormType = usesFormType;
    FDirectory = directory;
    // the options object stays, but never with switches the unit no longer has
    if (FOptions) FOptions->SetText(switches);
}

bool TIDLProjUnit::NeedToCompile()
{
    return TIdlCompilerHelper::NeedToCompile(FFileName, FSwitches, FDirectory);
}

std::unique_ptr<TStringList> TIdlCompilerHelper::GetAddIdlGenUnits(const String& idlFile,
                                                                   const TIdlCppOptions& opts,
                                                                   const String& projectDir)
{
    auto list = std::make_unique<TStringList>();
    list->Add(opts.MakeClientSourceName(projectDir, idlFile));
    list->Add(opts.MakeServerSourceName(projectDir, idlFile));
    return list;
}

String TIdlCompilerHelper::SaveIdlFilesToTempDir(const String& idlFile, const String& switches,
                                                 const String& tempDir, const String& projectDir,
                                                 std::vector<std::pair<String, String>>* copies)
{
    TIdlCppOptions opts(switches);
    TStringList deps;
    IdlFileDependencies().ListDependentFiles(idlFile, deps, opts.IncludePathIn(projectDir));
    bool anyWritten = false;
    for (int i = 0; i < deps.Count(); ++i) {
        const auto buf = IdlEditorBuffers().Find ? IdlEditorBuffers().Find(deps[i]) : std::nullopt;
        if (!buf || !buf->Modified) continue;
        AtomicWriteFile(tempDir + "/" + ExtractFileName(deps[i]), buf->Text);
        if (copies) copies->emplace_back(tempDir + "/" + ExtractFileName(deps[i]), deps[i]);
        anyWritten = true;
    }
    // Beside an unsaved include the compiler sees a copy of the file itself, open or not: its
    // includes are looked for beside it first.
    const auto own = IdlEditorBuffers().Find ? IdlEditorBuffers().Find(idlFile) : std::nullopt;
    if (anyWritten || (own && own->Modified)) {
        const String copy = tempDir + "/" + ExtractFileName(idlFile);
        AtomicWriteFile(copy, own ? own->Text : ReadIdlFile(idlFile));
        if (copies) copies->emplace_back(copy, idlFile);
        return copy;
    }
    return idlFile;
}

bool TIdlCompilerHelper::IdlCompile(const String& idlFile, const String& switches, const String& rootDir,
                                    const String& srcSuffix, const String& projectDir)
{
    LastError.clear();
    try {
        // An empty root directory is where the project expects the generated sources: beside
        // the IDL file (as its make-file rule puts them), or, when a switch names their folder,
        // the project's folder that the switch is taken against.
        const TIdlCppOptions opts(switches);
        const bool switchFolder = !opts.RootDir().empty() || !opts.SrcDir().empty() || !opts.HdrDir().empty();
        const String root = !Trim(rootDir).empty() ? ExpandRelativePath(projectDir, rootDir)
                            : switchFolder         ? IncludeTrailingPathDelimiter(projectDir)
                                                   : ExtractFilePath(idlFile);
        TTempDirectory temp(ExtractFilePath(root));
        TKrotexProcess process(temp.Path(), OnMessage);
        const String seen =
            SaveIdlFilesToTempDir(idlFile, switches, temp.Path(), projectDir, &process.Copies);
        // the compiler runs in the scratch folder: its include folders are the project's
        if (!process.Compile(seen, idlFile, opts.SwitchesIn(projectDir))) return false;
        TIdlCollectedFiles files(temp.Path(), root, root);
        IdlRefreshGeneratedFiles(files, idlFile, switches, srcSuffix, projectDir, rootDir);
        return true;
    } catch (const EInterrupted&) {
        // the build is to end: the scratch folder is gone, the caller stops
        throw;
    } catch (const std::exception& e) {
        LastError = e.what();
        if (OnMessage) OnMessage(idlFile, 0, 0, LastError, TCompileErrorKind::ekError);
        return false;
    }
}

void TIdlCompilerHelper::IdlRefreshGeneratedFiles(TIdlCollectedFiles& files, const String& idlFile,
                                                  const String& switches, const String& srcSuffix,
                                                  const String& projectDir, const String& rootDir)
{
    const TIdlCppOptions opts = IdlGenOptions(switches, rootDir);
    const auto units = GetAddIdlGenUnits(idlFile, opts, projectDir);
    // without a project suffix, the file's own switches say what its sources end in
    String suffix = Trim(srcSuffix);
    if (suffix.empty()) suffix = opts.SourceSuffix();
    if (suffix.empty()) suffix = ".cc";
    if (suffix[0] != '.') suffix = "." + suffix;

    auto moveOrReplace = [](TCollectedFile& f) {
        const auto buf = IdlEditorBuffers().Find ? IdlEditorBuffers().Find(f.Dest) : std::nullopt;
        if (buf && IdlEditorBuffers().Replace) {
            IdlEditorBuffers().Replace(f.Dest, ReadFileBytes(f.Temp));
            // The text is in the editor; a temporary file that stays harms nothing.
            (void)DeleteFile(f.Temp);
        } else {
            f.Save();
        }
    };
    std::set<TCollectedFile*> handled;
    for (auto& f : files.Files()) {
        const String ext = ExtractFileExt(f->Temp);
        if (SameText(ext, ".idl")) {
            handled.insert(f.get());
            continue;
        }
        if (!SameText(ext, suffix)) continue;
        TCollectedFile* header = nullptr;
        const String stem = ChangeFileExt(f->Temp, "");
        for (auto& h : files.Files())
            if (h.get() != f.get() && !SameText(ExtractFileExt(h->Temp), ".idl") &&
                SameText(ChangeFileExt(h->Temp, ""), stem)) {
                header = h.get();
                break;
            }
        bool projectUnit = false;
        for (int i = 0; i < units->Count(); ++i)
            projectUnit = projectUnit || SameFileName(f->Dest, (*units)[i]);
        if (projectUnit) {
            f->Save();
            if (header) header->Save();
            if (OnProjectUnit) OnProjectUnit(f->Dest, header ? header->Dest : String());
        } else {
            moveOrReplace(*f);
            if (header) moveOrReplace(*header);
        }
        handled.insert(f.get());
        if (header) handled.insert(header);
    }
    for (auto& f : files.Files())
        if (!handled.count(f.get())) moveOrReplace(*f);
}

bool TIdlCompilerHelper::IdlAll(const String& file, const TStrings* fileList,
                                const std::vector<String>& units, int mode, bool checkOnly,
                                const String& switches, const String& rootDir, const String& srcSuffix,
                                const String& projectDir)
{
    bool result = !checkOnly;
    const bool single = mode == 2;
    for (const String& unit : units) {
        const String unitSwitches = SwitchesOf ? SwitchesOf(unit) : switches;
        bool need = true;
        try {
            need = mode != 0 || NeedToCompile(unit, unitSwitches, projectDir, rootDir);
        } catch (const std::exception& e) {
            // an include that cannot be read is the unit's error, not the end of the build
            LastError = e.what();
            // reported as this unit's work, not as the one compiled before it
            if (OnProgress) OnProgress(unit);
            if (OnMessage) OnMessage(unit, 0, 0, LastError, TCompileErrorKind::ekError);
            return false;
        }
        if (!need) {
            const TIdlCppOptions opts = IdlGenOptions(unitSwitches, rootDir);
            const auto gen = GetAddIdlGenUnits(unit, opts, projectDir);
            for (int i = 0; i < gen->Count(); ++i)
                if (OnAnnounceGenUnit)
                    OnAnnounceGenUnit((*gen)[i], ChangeFileExt((*gen)[i], "." + opts.HeaderSuffix()));
            continue;
        }
        if (checkOnly) return true;
        if (single) {
            bool wanted = false;
            if (fileList) {
                for (int i = 0; i < fileList->Count() && !wanted; ++i)
                    wanted = SameFileName((*fileList)[i], unit);
            } else {
                wanted = SameFileName(file, unit);
            }
            if (!wanted) continue;
        }
        if (OnProgress) OnProgress(unit);
        result = IdlCompile(unit, SwitchesOf ? SwitchesOf(unit) : switches, rootDir, srcSuffix, projectDir);
        if (!result || single) break;
    }
    return result;
}

std::vector<String> MissingIdlIncludes(const std::vector<String>& before, const std::vector<String>& now,
                                       const std::vector<String>& projectFiles, const String& switches,
                                       const String& projectDir)
{
    TIdlCppOptions opts(switches);
    std::vector<String> missing;
    auto in = [](const std::vector<String>& list, const String& f) {
        for (const String& x : list)
            if (SameFileName(x, f)) return true;
        return false;
    };
    for (const String& f : now) {
        if (in(before, f)) continue;
        TStringList deps;
        IdlFileDependencies().ListDependentFiles(f, deps, opts.IncludePathIn(projectDir));
        for (int i = 0; i < deps.Count(); ++i)
            if (!in(projectFiles, deps[i]) && !in(missing, deps[i])) missing.push_back(deps[i]);
    }
    return missing;
}
