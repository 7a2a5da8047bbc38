#include "rtl/Files.h"

#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <climits>
#include <cstring>
#include <filesystem>
#include <mutex>
#include <vector>

#include "RtlInternal.h"
#include "rtl/ScopeGuard.h"

using rtl_detail::IsPathDelimiter;

namespace {

bool PathExists(const String& p)
{
    struct stat st {};
    return !p.empty() && ::lstat(p.c_str(), &st) == 0;
}

String ConvertDelimiters(const String& name)
{
    String r = name;
    for (char& c : r)
        if (c == '\\') c = '/';
    return r;
}

// The entry of dir whose name equals comp ignoring ASCII case; empty when none. Several matches:
// the first in byte order, so the choice does not depend on the directory's order.
String FindEntryIgnoringCase(const String& dir, const String& comp)
{
    DIR* dh = ::opendir(dir.empty() ? "." : dir.c_str());
    if (!dh) return String();
    String best;
    while (dirent* e = ::readdir(dh)) {
        String n = e->d_name;
        if (SameText(n, comp) && (best.empty() || n < best)) best = n;
    }
    ::closedir(dh);
    return best;
}

String ErrnoText(int err) { return std::strerror(err); }

[[noreturn]] void OpenError(const String& name, int err)
{
    throw EFOpenError("Cannot open file \"" + name + "\". " + ErrnoText(err));
}

bool WriteAll(int fd, const String& bytes)
{
    std::size_t done = 0;
    while (done < bytes.size()) {
        ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        done += static_cast<std::size_t>(n);
    }
    return true;
}

std::mutex& HookLock()
{
    static std::mutex m;
    return m;
}

std::function<void(const String&)>& Hook()
{
    static std::function<void(const String&)> h;
    return h;
}

}  // namespace

String ResolvePath(const String& name)
{
    String path = ConvertDelimiters(name);
    if (path.empty() || PathExists(path)) return path;
    const bool absolute = path[0] == '/';
    std::vector<String> comps;
    std::size_t i = 0;
    while (i < path.size()) {
        std::size_t j = path.find('/', i);
        if (j == String::npos) j = path.size();
        if (j > i) comps.push_back(path.substr(i, j - i));
        i = j + 1;
    }
    const bool trailing = path.back() == '/';
    String result = absolute ? "/" : "";
    bool lookup = true;  // stops once a component is missing: nothing below it can exist
    for (std::size_t k = 0; k < comps.size(); ++k) {
        const String& c = comps[k];
        String candidate = result + c;
        if (lookup && c != "." && c != ".." && !PathExists(candidate)) {
            String found = FindEntryIgnoringCase(result, c);
            if (!found.empty())
                candidate = result + found;
            else
                lookup = false;
        }
        result = candidate;
        if (k + 1 < comps.size() || trailing) result += '/';
    }
    return result;
}

String FileNameKey(const String& name)
{
    return UpperCase(std::filesystem::path(ConvertDelimiters(name)).lexically_normal().string());
}

bool SameFileName(const String& a, const String& b) { return FileNameKey(a) == FileNameKey(b); }

bool FileExists(const String& name)
{
    struct stat st {};
    String p = ResolvePath(name);
    return !p.empty() && ::stat(p.c_str(), &st) == 0 && !S_ISDIR(st.st_mode);
}

bool DirectoryExists(const String& name)
{
    struct stat st {};
    String p = ResolvePath(name);
    return !p.empty() && ::stat(p.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

bool ForceDirectories(const String& dir)
{
    String p = ResolvePath(dir);
    if (p.empty()) return false;
    for (std::size_t i = 1; i <= p.size(); ++i) {
        if (i == p.size() || p[i] == '/') {
            String part = p.substr(0, i);
            if (::mkdir(part.c_str(), 0777) != 0 && errno != EEXIST) return false;
        }
    }
    return DirectoryExists(p);
}

bool DeleteFile(const String& name)
{
    String p = ResolvePath(name);
    return !p.empty() && ::unlink(p.c_str()) == 0;
}

bool RenameFile(const String& oldName, const String& newName)
{
    String from = ResolvePath(oldName), to = ResolvePath(newName);
    return !from.empty() && !to.empty() && ::rename(from.c_str(), to.c_str()) == 0;
}

bool CopyFile(const String& from, const String& to, bool failIfExists)
{
    if (failIfExists && FileExists(to)) return false;
    try {
        AtomicWriteFile(to, ReadFileBytes(from));
        return true;
    } catch (const Exception&) {
        return false;
    }
}

TDateTime FileAge(const String& name)
{
    struct stat st {};
    String p = ResolvePath(name);
    if (p.empty() || ::stat(p.c_str(), &st) != 0 || S_ISDIR(st.st_mode)) return TDateTime(-1);
    return rtl_detail::LocalDateTimeFromUnix(st.st_mtim.tv_sec, st.st_mtim.tv_nsec);
}

String GetCurrentDir()
{
    std::vector<char> buf(PATH_MAX + 1);
    if (!::getcwd(buf.data(), buf.size())) return String();
    return String(buf.data());
}

String ExpandFileName(const String& name)
{
    if (name.empty()) return name;
    namespace fs = std::filesystem;
    fs::path p(name);
    if (p.is_relative()) p = fs::path(GetCurrentDir()) / p;
    String r = p.lexically_normal().string();
    // a folder keeps its trailing delimiter
    if (IsPathDelimiter(name.back())) r = IncludeTrailingPathDelimiter(r);
    return r;
}

bool SetCurrentDir(const String& dir)
{
    String p = ResolvePath(dir);
    return !p.empty() && ::chdir(p.c_str()) == 0;
}

namespace {

std::size_t LastDelimiter(const String& name)
{
    for (std::size_t i = name.size(); i > 0; --i)
        if (IsPathDelimiter(name[i - 1])) return i - 1;
    return String::npos;
}

}  // namespace

String ExtractFilePath(const String& name)
{
    std::size_t p = LastDelimiter(name);
    return p == String::npos ? String() : name.substr(0, p + 1);
}

String ExtractFileName(const String& name)
{
    std::size_t p = LastDelimiter(name);
    return p == String::npos ? name : name.substr(p + 1);
}

String ExtractFileExt(const String& name)
{
    String file = ExtractFileName(name);
    std::size_t p = file.rfind('.');
    return p == String::npos ? String() : file.substr(p);
}

String ChangeFileExt(const String& name, const String& ext)
{
    std::size_t sep = LastDelimiter(name);
    std::size_t dot = name.rfind('.');
    if (dot == String::npos || (sep != String::npos && dot < sep)) return name + ext;
    return name.substr(0, dot) + ext;
}

String IncludeTrailingPathDelimiter(const String& dir)
{
    if (!dir.empty() && IsPathDelimiter(dir.back())) return dir;
    return dir + "/";
}

String ExeFileName()
{
    std::vector<char> buf(PATH_MAX + 1);
    ssize_t n = ::readlink("/proc/self/exe", buf.data(), buf.size() - 1);
    if (n <= 0) return String();
    return String(buf.data(), static_cast<std::size_t>(n));
}

String ReadFileBytes(const String& name)
{
    String p = ResolvePath(name);
    int fd = ::open(p.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) OpenError(name, errno);
    struct stat st {};
    if (::fstat(fd, &st) == 0 && S_ISDIR(st.st_mode)) {
        ::close(fd);
        OpenError(name, EISDIR);
    }
    // One buffer of the file's size, filled by reads straight into it; it grows only when the
    // file grew meanwhile (or reports no size, as a pipe).
    String bytes;
    std::size_t done = 0;
    if (S_ISREG(st.st_mode) && st.st_size > 0) bytes.resize(static_cast<std::size_t>(st.st_size) + 1);
    for (;;) {
        if (done == bytes.size()) bytes.resize(std::max<std::size_t>(2 * bytes.size(), 65536));
        ssize_t n = ::read(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0) {
            if (errno == EINTR) continue;
            int err = errno;
            ::close(fd);
            throw EInOutError("Cannot read file \"" + name + "\". " + ErrnoText(err));
        }
        if (n == 0) break;
        done += static_cast<std::size_t>(n);
    }
    ::close(fd);
    bytes.resize(done);
    return bytes;
}

std::function<void(const String&)> SetAtomicWriteHook(std::function<void(const String&)> hook)
{
    std::lock_guard<std::mutex> lock(HookLock());
    std::function<void(const String&)> previous = std::move(Hook());
    Hook() = std::move(hook);
    return previous;
}

namespace {

// "NAME.~PID-N.tmp" of a process that no longer runs: what a write killed half-way left.
bool IsDeadTempOf(const String& entry, const String& base)
{
    const String prefix = base + ".~";
    if (entry.size() <= prefix.size() + 4 || entry.compare(0, prefix.size(), prefix) != 0 ||
        entry.compare(entry.size() - 4, 4, ".tmp") != 0)
        return false;
    const String middle = entry.substr(prefix.size(), entry.size() - prefix.size() - 4);
    const std::size_t dash = middle.find('-');
    if (dash == 0 || dash == String::npos || dash + 1 == middle.size()) return false;
    for (std::size_t k = 0; k < middle.size(); ++k)
        if (k != dash && (middle[k] < '0' || middle[k] > '9')) return false;
    if (dash > 9) return false;
    const long pid = std::stol(middle.substr(0, dash));
    if (pid <= 0 || pid == ::getpid()) return false;
    return ::kill(static_cast<pid_t>(pid), 0) != 0 && errno == ESRCH;
}

}  // namespace

namespace {

// Removes the dead temporary files of base in dir, or of every file there when base is empty.
void RemoveDeadTemps(const String& dir, const String& base)
{
    DIR* d = ::opendir(dir.empty() ? "." : dir.c_str());
    if (!d) return;
    std::vector<String> dead;
    while (dirent* e = ::readdir(d)) {
        const String entry = e->d_name;
        const std::size_t mark = entry.rfind(".~");
        if (mark == String::npos || mark == 0) continue;
        if (IsDeadTempOf(entry, base.empty() ? entry.substr(0, mark) : base)) dead.push_back(entry);
    }
    ::closedir(d);
    for (const String& entry : dead) ::unlink((dir + entry).c_str());
}

}  // namespace

void RemoveDeadTempFiles(const String& fileName)
{
    const String target = ResolvePath(fileName);
    const String dir = ExtractFilePath(target);
    if (target.size() > dir.size()) RemoveDeadTemps(dir, target.substr(dir.size()));
}

void RemoveDeadTempFilesIn(const String& folder)
{
    RemoveDeadTemps(IncludeTrailingPathDelimiter(ResolvePath(folder)), "");
}

namespace {

// Both atomic writers: durable waits until the bytes and the rename are on the disk.
void WriteAndReplace(const String& name, std::span<const String> pieces, bool durable)
{
    String target = ResolvePath(name);
    if (target.empty()) throw EFOpenError("Cannot create file \"\"");
    // Write through a symbolic link to the file it names, so the link stays.
    char real[PATH_MAX];
    if (::realpath(target.c_str(), real)) target = real;
    struct stat st {};
    if (::stat(target.c_str(), &st) == 0 && S_ISDIR(st.st_mode)) OpenError(name, EISDIR);
    const bool hadFile = ::stat(target.c_str(), &st) == 0;

    // The run's own files are written many times a run; their leftovers go with the start-up sweep,
    // so only the user's files pay for a look through the folder.
    if (durable) RemoveDeadTempFiles(target);
    static std::atomic<unsigned> counter{0};
    String temp = target + ".~" + IntToStr(::getpid()) + "-" + IntToStr(counter.fetch_add(1)) + ".tmp";
    int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0) OpenError(name, errno);
    {
        // A failed write leaves neither an open descriptor nor the temporary file.
        TScopeGuard discard([&] {
            if (fd >= 0) ::close(fd);
            ::unlink(temp.c_str());
        });
        if (hadFile) {
            // Keep the permissions the user gave the old file.
            if (::fchmod(fd, st.st_mode & 07777) != 0) { /* not fatal: the content matters */
            }
        }
        for (const String& bytes : pieces)
            if (!WriteAll(fd, bytes))
                throw EInOutError("Cannot write file \"" + name + "\". " + ErrnoText(errno));
        if (durable && ::fsync(fd) != 0)
            throw EInOutError("Cannot write file \"" + name + "\". " + ErrnoText(errno));
        int rc = ::close(fd);
        fd = -1;
        if (rc != 0) throw EInOutError("Cannot write file \"" + name + "\". " + ErrnoText(errno));
        std::function<void(const String&)> hook;
        {
            std::lock_guard<std::mutex> lock(HookLock());
            hook = Hook();
        }
        if (hook) hook(temp);
        if (::rename(temp.c_str(), target.c_str()) != 0)
            throw EInOutError("Cannot replace file \"" + name + "\". " + ErrnoText(errno));
        discard.Dismiss();
    }
    if (!durable) return;
    // Make the rename itself durable.
    String dir = ExtractFilePath(target);
    int dfd = ::open(dir.empty() ? "." : dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dfd >= 0) {
        ::fsync(dfd);
        ::close(dfd);
    }
}

}  // namespace

void AtomicWriteFile(const String& name, const String& bytes) { WriteAndReplace(name, {&bytes, 1}, true); }

void AtomicWriteFileNoSync(const String& name, const String& bytes)
{
    WriteAndReplace(name, {&bytes, 1}, false);
}

void AtomicWriteFileNoSync(const String& name, std::span<const String> pieces)
{
    WriteAndReplace(name, pieces, false);
}

void AppendToFile(const String& name, const String& bytes)
{
    String p = ResolvePath(name);
    int fd = ::open(p.c_str(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0666);
    if (fd < 0) OpenError(name, errno);
    bool ok = WriteAll(fd, bytes);
    int err = errno;
    if (::close(fd) != 0 && ok) {
        ok = false;
        err = errno;
    }
    if (!ok) throw EInOutError("Cannot write file \"" + name + "\". " + ErrnoText(err));
}

std::ifstream OpenInput(const String& name, std::ios::openmode mode)
{
    return std::ifstream(ResolvePath(name), mode | std::ios::in);
}

std::ofstream OpenOutput(const String& name, std::ios::openmode mode)
{
    return std::ofstream(ResolvePath(name), mode | std::ios::out);
}

// ---------------------------------------------------------------------------------------------
// TLineReader

TLineReader::TLineReader(const String& fileName)
    : FOwned(std::make_unique<std::ifstream>(ResolvePath(fileName), std::ios::in | std::ios::binary)),
      FIn(FOwned.get())
{
}

TLineReader::TLineReader(std::istream& in) : FIn(&in) {}

bool TLineReader::IsOpen() const { return FOwned ? FOwned->is_open() : static_cast<bool>(*FIn); }

bool TLineReader::Next(String& line, std::size_t maxLen)
{
    line.clear();
    std::streambuf* sb = FIn->rdbuf();
    if (!sb || !IsOpen()) return false;
    // One character beyond maxLen is kept so that a CR before the LF can still be told apart.
    const std::size_t keep = maxLen == String::npos ? String::npos : maxLen + 1;
    bool any = false, overflow = false;
    for (;;) {
        int c = sb->sbumpc();
        if (c == std::char_traits<char>::eof()) {
            FIn->setstate(std::ios::eofbit);
            if (!any) return false;
            break;
        }
        any = true;
        if (c == '\n') break;
        if (line.size() < keep)
            line.push_back(static_cast<char>(c));
        else
            overflow = true;
    }
    if (!overflow && !line.empty() && line.back() == '\r') line.pop_back();
    if (maxLen != String::npos && line.size() > maxLen) line.resize(maxLen);
    return true;
}

bool TLineReader::Eof()
{
    std::streambuf* sb = FIn->rdbuf();
    return !sb || !IsOpen() || sb->sgetc() == std::char_traits<char>::eof();
}
