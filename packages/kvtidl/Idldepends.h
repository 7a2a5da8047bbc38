#pragma once
// Include-dependency tree of IDL files: which files an IDL file includes, transitively, and
// whether any of them is newer than a given date.
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <vector>

#include "host/ModuleServices.h"
#include "host/SourceFiles.h"
#include "rtl/Classes.h"
#include "rtl/DateUtils.h"

// The editor buffers of the IDE as far as IDL compilation needs them. Unset members mean
// "no file is open".
struct TIdlEditorBuffers {
    struct TBuffer {
        String Text;
        TDateTime ModTime;
        bool Modified = false;  // changes not on disk
    };
    std::function<std::optional<TBuffer>(const String& fileName)> Find;
    std::function<void(const String& fileName, const String& text)> Replace;
};
TIdlEditorBuffers& IdlEditorBuffers();
// The host's open editors become the buffers (on package registration).
void ConnectIdlEditorBuffers();
// The file of an open editor buffer of that name (and its module), or nullptr.
TIntfPtr<IQSourceFile> OpenEditorFile(const String& fileName, TIntfPtr<IQModule>* module = nullptr);

struct TIdlIncludeFile {
    String Text;  // as written
    String Path;  // resolved full path, empty when not found
};

struct TIdlFileDependencySymbol {
    String FileName;
    double FileDate = 0;
    std::vector<TIdlIncludeFile> Includes;
};

class TIdlFileDependencies : public TObject {
public:
    void RefreshTree(const String& fileName, const String& includePath);
    bool IsNewer(const String& fileName, TDateTime date, const String& includePath);
    // Every file reachable through includes, once each, the starting file excluded.
    void ListDependentFiles(const String& fileName, TStrings& list, const String& includePath);
    static void ScanForIncludes(const String& fileName, std::vector<TIdlIncludeFile>& list);
    const TIdlFileDependencySymbol* Find(const String& fileName) const;

private:
    void Refresh(const String& fileName, const String& baseDir, const String& includePath,
                 std::set<String>& visited);
    bool Newer(const String& fileName, double date, std::set<String>& visited) const;
    std::map<String, std::unique_ptr<TIdlFileDependencySymbol>> FSymbols;
};

TIdlFileDependencies& IdlFileDependencies();

// An IDL file that is not read: a device, a FIFO, a folder or a file too large for one.
class EIdlFileRefused : public Exception {
public:
    using Exception::Exception;
};
constexpr long MaxIdlFileSize = 16L << 20;
// The bytes of an IDL file, when it is a regular file of at most MaxIdlFileSize bytes
// (EIdlFileRefused otherwise, EFOpenError when it cannot be opened).
String ReadIdlFile(const String& fileName);

// `name` as it stands, else in each directory of the ";"-separated path; empty when not found.
String FileSearch(const String& name, const String& dirList);
