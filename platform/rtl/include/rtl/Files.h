#pragma once
// Files and paths. Names may use "\" as separator (turned into "/"). Opening an existing file
// whose name differs only in letter case finds it, as the original file system did.
#include <fstream>
#include <functional>
#include <memory>
#include <span>

#include "rtl/DateUtils.h"

// "\" -> "/", then each component that does not exist as written is looked up
// case-insensitively. Returns the path as it exists, or (for a new file) the converted path with
// the existing prefix resolved.
String ResolvePath(const String& name);

// Whether two names name one file as this file system sees it: "\\" as "/", "." and ".."
// folded, letter case ignored. FileNameKey gives the one key of all such names.
bool SameFileName(const String& a, const String& b);
String FileNameKey(const String& name);

bool FileExists(const String& name);
bool DirectoryExists(const String& name);
[[nodiscard]] bool ForceDirectories(const String& dir);  // creates missing parents; true when it exists after
[[nodiscard]] bool DeleteFile(const String& name);
[[nodiscard]] bool RenameFile(const String& oldName, const String& newName);  // replaces an existing target
[[nodiscard]] bool CopyFile(const String& from, const String& to, bool failIfExists);
// Age of a file as TDateTime (local time); -1 when it does not exist.
TDateTime FileAge(const String& name);

String GetCurrentDir();
// The name made absolute against the working folder, "." and ".." taken out; "" stays "".
String ExpandFileName(const String& name);
[[nodiscard]] bool SetCurrentDir(const String& dir);
String ExtractFilePath(const String& name);  // up to and including the last separator
String ExtractFileName(const String& name);
String ExtractFileExt(const String& name);  // with the dot
String ChangeFileExt(const String& name, const String& ext);
String IncludeTrailingPathDelimiter(const String& dir);  // appends "/" when missing
String ExeFileName();  // the running executable's path

// Whole file as bytes; raises EFOpenError when it cannot be opened.
String ReadFileBytes(const String& name);
// Replaces the file atomically: writes name + a unique temporary suffix in the same folder, flushes,
// then renames over the old file. On any failure the old file is left whole, the temporary file is
// removed, and EInOutError (or EFOpenError) is raised.
// A write first removes what writes of that file by processes that died half-way left behind
// (their "NAME.~PID-N.tmp" files).
void AtomicWriteFile(const String& name, const String& bytes);
// The same replace without waiting for the disk (no fsync): for files the program makes again
// itself, where a crash may lose the new content but never leaves a torn file. The hook below
// applies to both.
void AtomicWriteFileNoSync(const String& name, const String& bytes);
// The same with the bytes given as pieces, written one after the other, so a text made in parts
// needs no joined copy.
void AtomicWriteFileNoSync(const String& name, std::span<const String> pieces);
// Removes the temporary files that killed writes left: those of fileName, or of every file in
// folder (at program start). Files of running processes stay.
void RemoveDeadTempFiles(const String& fileName);
void RemoveDeadTempFilesIn(const String& folder);
// Test hook: called with the temporary file's name just before the rename; an exception thrown
// from it makes the write fail there. Returns the previous hook; pass nullptr to remove it.
std::function<void(const String& tempName)>
SetAtomicWriteHook(std::function<void(const String& tempName)> hook);
// Appends to a file (creates it); raises EFOpenError when it cannot be opened.
void AppendToFile(const String& name, const String& bytes);

// Opens through ResolvePath; check is_open() as with any stream.
std::ifstream OpenInput(const String& name, std::ios::openmode mode = std::ios::in);
std::ofstream OpenOutput(const String& name, std::ios::openmode mode = std::ios::out);

// Line reader: strips LF / CR LF; a line longer than maxLen is cut to its first maxLen characters
// and the rest of that line is skipped, so the following lines are read as usual.
class TLineReader {
public:
    explicit TLineReader(const String& fileName);  // check IsOpen()
    explicit TLineReader(std::istream& in);
    bool IsOpen() const;
    bool Next(String& line, std::size_t maxLen = String::npos);  // false at the end
    bool Eof();

private:
    std::unique_ptr<std::ifstream> FOwned;
    std::istream* FIn;
};
