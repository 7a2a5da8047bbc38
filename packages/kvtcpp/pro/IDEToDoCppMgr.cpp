#include "IDEToDoCppMgr.h"

#include <initializer_list>

#include "rtl/Files.h"

namespace {

bool HasExt(const String& fileName, std::initializer_list<const char*> exts)
{
    const String ext = LowerCase(ExtractFileExt(fileName));
    for (const char* e : exts)
        if (ext == e) return true;
    return false;
}

// The manager of the same file name with the first of the extensions that has one.
TSourceToDoManager* PairedManager(const String& fileName, std::initializer_list<const char*> exts)
{
    for (const char* e : exts)
        if (auto* m = ToDoList().FindManager(ChangeFileExt(fileName, e))) return m;
    return nullptr;
}

}  // namespace

void TCppSourceToDoManager::Parse()
{
    ClearItems();
    if (TToDoUpdater* u = GetUpdater()) {
        ParseSection(u, 0);
        SetIsParsed(true);
    }
    if (auto* header = PairedManager(FileName(), {".h", ".hpp", ".hh"})) header->Parse();
}

void THeaderSourceToDoManager::Parse()
{
    ClearItems();
    TToDoUpdater* u = GetUpdater();
    if (!u) return;
    ParseSection(u, 1);
    SetIsParsed(true);
}

TToDoUpdater* THeaderSourceToDoManager::GetUpdater()
{
    if (TToDoUpdater* own = TSourceToDoManager::GetUpdater()) return own;
    auto* source = PairedManager(FileName(), {".cpp", ".c"});
    return source ? source->GetUpdater() : nullptr;
}

std::unique_ptr<TSourceToDoManager> TCppSourceManagerCreator::CreateManager(const String& fileName,
                                                                            int hostValue)
{
    return std::make_unique<TCppSourceToDoManager>(fileName, hostValue);
}

bool TCppSourceManagerCreator::CanHandleFile(const String& fileName)
{
    return HasExt(fileName, {".cpp", ".tvf", ".c", ".cc"});
}

std::unique_ptr<TSourceToDoManager> THeaderSourceManagerCreator::CreateManager(const String& fileName,
                                                                               int hostValue)
{
    auto m = std::make_unique<THeaderSourceToDoManager>(fileName, hostValue);
    ParseThread().Modified();
    return m;
}

bool THeaderSourceManagerCreator::CanHandleFile(const String& fileName)
{
    return HasExt(fileName, {".h", ".hh", ".hpp"});
}

namespace IDEToDoCppMgr {
int UseCount = 0;
namespace {
std::unique_ptr<TCppSourceManagerCreator> gSourceCreator;
std::unique_ptr<THeaderSourceManagerCreator> gHeaderCreator;
}  // namespace

void Initialization()
{
    gSourceCreator = std::make_unique<TCppSourceManagerCreator>();
    gHeaderCreator = std::make_unique<THeaderSourceManagerCreator>();
    RegisterToDoManagerCreator(gSourceCreator.get());
    RegisterToDoManagerCreator(gHeaderCreator.get());
}

void Finalization()
{
    UnregisterToDoManagerCreator(gSourceCreator.get());
    UnregisterToDoManagerCreator(gHeaderCreator.get());
    gSourceCreator.reset();
    gHeaderCreator.reset();
}
}  // namespace IDEToDoCppMgr
