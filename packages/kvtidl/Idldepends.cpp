#include "Idldepends.h"

#include <sys/stat.h>

#include <cctype>

#include "Idlcppopts.h"
#include "host/ClassExplorer.h"
#include "host/CppScanner.h"
#include "host/ToolsAPI.h"
#include "host/ModuleServices.h"
#include "rtl/Files.h"
#include "rtl/Format.h"

TIdlEditorBuffers& IdlEditorBuffers()
{
    static TIdlEditorBuffers buffers;
    return buffers;
}

TIntfPtr<IQSourceFile> OpenEditorFile(const String& fileName, TIntfPtr<IQModule>* module)
{
    TIntfPtr<IQModuleServices> ms;
    if (!Supports(QuistorIDEServices(), ms)) return {};
    TIntfPtr<IQProjectGroup> group = ms->MainProjectGroup();
    for (int i = 0; group && i < group->OpenModuleCount(); ++i) {
        TIntfPtr<IQModule> m = group->OpenModule(i);
        for (int j = 0; m && j < m->FileCount(); ++j) {
            TIntfPtr<IQSourceFile> f = m->File(j);
            TIntfPtr<IQEditBuffer> b;
            if (f && Supports(f, b) && SameFileName(b->FileName(), fileName)) {
                if (module) *module = m;
                return f;
            }
        }
    }
    return {};
}

void ConnectIdlEditorBuffers()
{
    IdlEditorBuffers().Find = [](const String& fileName) -> std::optional<TIdlEditorBuffers::TBuffer> {
        TIntfPtr<IQModule> m;
        TIntfPtr<IQSourceFile> f = OpenEditorFile(fileName, &m);
        TIntfPtr<IQEditBuffer> b;
        if (!f || !Supports(f, b)) return std::nullopt;
        return TIdlEditorBuffers::TBuffer{f->Source(), b->Age(), m && m->Modified()};
    };
    IdlEditorBuffers().Replace = [](const String& fileName, const String& text) {
        TIntfPtr<IQEditBufferText> b;
        if (TIntfPtr<IQSourceFile> f = OpenEditorFile(fileName); f && Supports(f, b))
            b->ReplaceText(text);
        else
            AtomicWriteFile(fileName, text);  // an editor that takes no text: the file it shows
    };
}

TIdlFileDependencies& IdlFileDependencies()
{
    static TIdlFileDependencies deps;
    return deps;
}

String FileSearch(const String& name, const String& dirList)
{
    if (FileExists(name)) return ResolvePath(name);
    for (const String& dir : ExtractStrings(dirList, ";")) {
        String d = Trim(dir);
        if (d.size() > 2 && d.front() == '"' && d.back() == '"') d = d.substr(1, d.size() - 2);
        const String candidate = IncludeTrailingPathDelimiter(d) + name;
        if (FileExists(candidate)) return ResolvePath(candidate);
    }
    return "";
}

namespace {

std::optional<TIdlEditorBuffers::TBuffer> FindBuffer(const String& fileName)
{
    if (!IdlEditorBuffers().Find) return std::nullopt;
    return IdlEditorBuffers().Find(fileName);
}

}  // namespace

String ReadIdlFile(const String& fileName)
{
    struct stat st {};
    if (stat(fileName.c_str(), &st) != 0) throw EFOpenError(fileName + " cannot be opened");
    if (!S_ISREG(st.st_mode)) throw EIdlFileRefused(fileName + " is not a regular file: it is not read");
    if (st.st_size > MaxIdlFileSize)
        throw EIdlFileRefused(fileName +
                              Format(" is larger than %d MB: it is not read", {MaxIdlFileSize >> 20}));
    return ReadFileBytes(fileName);
}

void TIdlFileDependencies::ScanForIncludes(const String& fileName, std::vector<TIdlIncludeFile>& list)
{
    String text;
    if (auto buf = FindBuffer(fileName)) {
        text = buf->Text;
    } else {
        try {
            text = ReadIdlFile(fileName);
        } catch (const EFOpenError&) {
            return;  // a missing file includes nothing
        }
    }
    // The personality's scanner: comments, strings and character literals hide no directive.
    TCppScanner scanner(std::move(text));
    scanner.ReturnDirectives = true;
    for (TCppToken t = scanner.Next(); t.Kind != TCppTokenKind::End; t = scanner.Next()) {
        if (t.Kind != TCppTokenKind::Directive) continue;
        String d = TrimLeft(t.Text.substr(1));
        if (d.compare(0, 7, "include") != 0) continue;
        d = TrimLeft(d.substr(7));
        String name;
        if (!d.empty() && d[0] == '<') {
            const auto close = d.find('>');
            if (close == String::npos) continue;
            name = d.substr(1, close - 1);
        } else if (!d.empty() && d[0] == '"') {
            const auto close = d.find('"', 1);
            if (close == String::npos) continue;
            name = d.substr(1, close - 1);
        }
        if (!name.empty()) list.push_back({name, ""});
    }
}

void TIdlFileDependencies::RefreshTree(const String& fileName, const String& includePath)
{
    std::set<String> visited;
    Refresh(fileName, ExtractFilePath(fileName), includePath, visited);
}

void TIdlFileDependencies::Refresh(const String& fileName, const String& baseDir, const String& includePath,
                                   std::set<String>& visited)
{
    auto& slot = FSymbols[FileNameKey(fileName)];
    if (!slot) {
        slot = std::make_unique<TIdlFileDependencySymbol>();
        slot->FileName = fileName;
    }
    TIdlFileDependencySymbol& sym = *slot;
    if (!visited.insert(FileNameKey(fileName)).second) return;
    const auto buf = FindBuffer(fileName);
    const double date = buf ? double(buf->ModTime) : double(FileAge(fileName));
    if (date != sym.FileDate) {
        sym.FileDate = date;
        sym.Includes.clear();
        ScanForIncludes(fileName, sym.Includes);
    }
    for (TIdlIncludeFile& inc : sym.Includes) {
        const bool hasDir = inc.Text.find_first_of("/\\") != String::npos;
        inc.Path =
            FileSearch(hasDir ? inc.Text : IncludeTrailingPathDelimiter(baseDir) + inc.Text, includePath);
        if (inc.Path.empty() && !hasDir) inc.Path = FileSearch(inc.Text, includePath);
        if (!inc.Path.empty()) Refresh(inc.Path, baseDir, includePath, visited);
    }
}

bool TIdlFileDependencies::Newer(const String& fileName, double date, std::set<String>& visited) const
{
    if (!visited.insert(FileNameKey(fileName)).second) return false;
    auto it = FSymbols.find(FileNameKey(fileName));
    if (it == FSymbols.end()) return false;
    if (it->second->FileDate > date) return true;
    for (const TIdlIncludeFile& inc : it->second->Includes)
        if (!inc.Path.empty() && Newer(inc.Path, date, visited)) return true;
    return false;
}

bool TIdlFileDependencies::IsNewer(const String& fileName, TDateTime date, const String& includePath)
{
    RefreshTree(fileName, includePath);
    std::set<String> visited;
    return Newer(fileName, date, visited);
}

void TIdlFileDependencies::ListDependentFiles(const String& fileName, TStrings& list,
                                              const String& includePath)
{
    RefreshTree(fileName, includePath);
    // One file under several spellings ("c.idl", "C.IDL", "./c.idl") is listed once.
    std::set<String> seen{FileNameKey(fileName)};
    std::vector<String> todo{fileName};
    while (!todo.empty()) {
        const String f = todo.back();
        todo.pop_back();
        auto it = FSymbols.find(FileNameKey(f));
        if (it == FSymbols.end()) continue;
        for (const TIdlIncludeFile& inc : it->second->Includes) {
            if (inc.Path.empty() || !seen.insert(FileNameKey(inc.Path)).second) continue;
            list.Add(inc.Path);
            todo.push_back(inc.Path);
        }
    }
}

const TIdlFileDependencySymbol* TIdlFileDependencies::Find(const String& fileName) const
{
    auto it = FSymbols.find(FileNameKey(fileName));
    return it == FSymbols.end() ? nullptr : it->second.get();
}
