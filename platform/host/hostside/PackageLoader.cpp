#include "hostimpl/PackageLoader.h"

#include <dlfcn.h>

#include <algorithm>
#include <iterator>
#include <utility>

#include "hostimpl/HostImpl.h"
#include "host/IDEControl.h"
#include "hostimpl/StateListing.h"
#include "host/Package.h"
#include "rtl/Files.h"
#include "rtl/Resources.h"
#include "rtl/ScopeGuard.h"

namespace {

// An open library; closing it is the last thing that happens to it, whichever way the load or
// the unload ends.
class TLibraryHandle {
public:
    explicit TLibraryHandle(void* handle) : FHandle(handle) {}
    ~TLibraryHandle()
    {
        if (FHandle) dlclose(FHandle);
    }
    TLibraryHandle(TLibraryHandle&& o) noexcept : FHandle(std::exchange(o.FHandle, nullptr)) {}
    TLibraryHandle& operator=(TLibraryHandle&&) = delete;
    void* get() const { return FHandle; }

private:
    void* FHandle;
};

}  // namespace

struct TPackageLoader::TPackage {
    String Name;
    String Path;
    TLibraryHandle Handle;
    const void* Base = nullptr;  // load address, to tell the package's code from others'
    const TPackageInfoTable* Table = nullptr;
    TPackageEntryProc Finalize = nullptr;
    std::vector<String> Requires;
    // The host's state before the package ran, and what it changed in it (sorted listings).
    std::vector<String> Before, Added, Removed;
};

namespace {

template <class T>
T Symbol(void* handle, const char* name)
{
    dlerror();
    void* p = dlsym(handle, name);
    return reinterpret_cast<T>(p);
}

// a - b of sorted listings, each line counted.
std::vector<String> Minus(const std::vector<String>& a, const std::vector<String>& b)
{
    std::vector<String> r;
    std::set_difference(a.begin(), a.end(), b.begin(), b.end(), std::back_inserter(r));
    return r;
}

std::vector<String> Plus(const std::vector<String>& a, const std::vector<String>& b)
{
    std::vector<String> r;
    std::merge(a.begin(), a.end(), b.begin(), b.end(), std::back_inserter(r));
    return r;
}

String Describe(const std::vector<String>& items)
{
    String r;
    for (const auto& s : items) r += (r.empty() ? "" : ", ") + s;
    return r;
}

}  // namespace

TPackageLoader::TPackageLoader(String packageFolder) : FFolder(IncludeTrailingPathDelimiter(packageFolder)) {}

TPackageLoader::~TPackageLoader()
{
    try {
        UnloadAll();
    } catch (...) {
    }
}

String TPackageLoader::LibraryPath(const String& name) const
{
    return ResolvePath(FFolder + "lib" + name + ".so");
}

bool TPackageLoader::IsLoaded(const String& name) const
{
    return std::any_of(FPackages.begin(), FPackages.end(),
                       [&](const auto& p) { return SameText(p->Name, name); });
}

std::vector<String> TPackageLoader::Loaded() const
{
    std::vector<String> r;
    for (const auto& p : FPackages) r.push_back(p->Name);
    return r;
}

void TPackageLoader::CloseWindow()
{
    // What happened since the last package loaded (its main-form handlers, say) is its doing.
    if (FOpen.empty()) return;
    for (auto& p : FPackages)
        if (p->Name == FOpen) {
            const auto now = hostimpl::HostStateListing();
            p->Added = Minus(now, p->Before);
            p->Removed = Minus(p->Before, now);
        }
    FOpen.clear();
}

void TPackageLoader::Load(const String& name)
{
    CloseWindow();
    std::vector<String> stack, loadedNow;
    // A failed load leaves nothing of what it loaded on the way.
    TScopeGuard rollback([&] {
        for (auto it = loadedNow.rbegin(); it != loadedNow.rend(); ++it) {
            auto pos = std::find_if(FPackages.begin(), FPackages.end(),
                                    [&](const auto& p) { return p->Name == *it; });
            if (pos == FPackages.end()) continue;
            std::vector<String> ignored;
            UnloadOne(static_cast<std::size_t>(pos - FPackages.begin()), ignored);
        }
    });
    LoadOne(name, stack, loadedNow);
    rollback.Dismiss();
}

void TPackageLoader::LoadOne(const String& name, std::vector<String>& stack, std::vector<String>& loadedNow)
{
    if (IsLoaded(name)) return;
    for (const auto& s : stack)
        if (SameText(s, name)) {
            String chain;
            for (const auto& x : stack) chain += x + " -> ";
            throw EPackageError("Package requires cycle: " + chain + name);
        }
    const String path = LibraryPath(name);
    if (!FileExists(path))
        throw EPackageError("Package " + name + " not found (no lib" + name + ".so in " + FFolder + ")");

    TLibraryHandle library(dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL));
    if (!library.get()) throw EPackageError("Package " + name + " cannot be loaded: " + dlerror());
    void* handle = library.get();
    auto getTable = Symbol<TGetPackageInfoTableProc>(handle, "GetPackageInfoTable");
    auto init = Symbol<TPackageEntryProc>(handle, "Initialize");
    auto fini = Symbol<TPackageEntryProc>(handle, "Finalize");
    for (auto [sym, what] : {std::pair{reinterpret_cast<void*>(getTable), "GetPackageInfoTable"},
                             std::pair{reinterpret_cast<void*>(init), "Initialize"},
                             std::pair{reinterpret_cast<void*>(fini), "Finalize"}})
        if (!sym) throw EPackageError("Package " + name + " does not export " + what);
    // A library linked against another package answers that package's entry points through its
    // dependencies; take them only from the library itself.
    const void* base = ModuleOfAddress(reinterpret_cast<const void*>(getTable));
    for (const void* p : {reinterpret_cast<const void*>(init), reinterpret_cast<const void*>(fini)})
        if (ModuleOfAddress(p) != base)
            throw EPackageError("Package " + name + " does not export its own entry points");

    const TPackageInfoTable* table = getTable();
    if (!table || !table->Name || !SameText(table->Name, name))
        throw EPackageError("Library " + path + " is not the package " + name);
    std::vector<TPackageEntryProc> procs;
    for (int i = 0; i < table->RegisterCount; ++i) {
        auto proc = Symbol<TPackageEntryProc>(handle, table->RegisterProcs[i]);
        if (!proc)
            throw EPackageError("Package " + name + " does not export its registration procedure " +
                                table->RegisterProcs[i]);
        procs.push_back(proc);
    }
    std::vector<String> required;
    for (int i = 0; i < table->RequiresCount; ++i) required.push_back(table->Requires[i]);

    stack.push_back(name);
    for (const auto& r : required) LoadOne(r, stack, loadedNow);
    stack.pop_back();

    CloseWindow();
    auto before = hostimpl::HostStateListing();
    // The exception a package raised may be of its own classes: it is gone, and its message
    // taken, before the library closes.
    bool initFailed = false;
    String initError;
    try {
        init();
    } catch (const std::exception& e) {
        initFailed = true;
        initError = e.what();
    }
    if (initFailed) throw EPackageError("Package " + name + ": initialisation failed: " + initError);
    FPackages.push_back(std::make_unique<TPackage>(
        TPackage{name, path, std::move(library), base, table, fini, required, before, {}, {}}));
    loadedNow.push_back(name);
    FOpen = name;
    for (std::size_t i = 0; i < procs.size(); ++i) {
        String error;
        try {
            procs[i]();
            continue;
        } catch (const std::exception& e) {
            error = e.what();
        }
        // The caller's roll-back unloads the package (its finalisation undoes what it did).
        throw EPackageError("Package " + name + ": registration " + table->RegisterProcs[i] +
                            " failed: " + error);
    }
    // With the main window there, the package sees it now, so what it adds then is its own.
    if (hostimpl::MainFormShown()) MainFormCreated().FirePending(IDEApplication());
}

void TPackageLoader::UnloadOne(std::size_t index, std::vector<String>& errors)
{
    CloseWindow();
    std::unique_ptr<TPackage> p = std::move(FPackages[index]);
    FPackages.erase(FPackages.begin() + static_cast<std::ptrdiff_t>(index));
    const auto before = hostimpl::HostStateListing();
    try {
        p->Finalize();
    } catch (const std::exception& e) {
        errors.push_back(String("finalisation failed: ") + e.what());
    }
    // The host's state must be what it was before the package came, with what the others did
    // since: nothing of the package left, nothing of the others gone.
    const String own = " @" + ExtractFileName(p->Path);
    std::vector<String> expected;
    for (auto& line : Plus(Minus(before, p->Added), p->Removed))
        if (!line.ends_with(own)) expected.push_back(line);
    const auto after = hostimpl::HostStateListing();
    const auto left = Minus(after, expected), gone = Minus(expected, after);
    if (!left.empty()) errors.push_back("left in the host's state: " + Describe(left));
    if (!gone.empty()) errors.push_back("taken from the host's state: " + Describe(gone));
    const void* base = p->Base;
    auto residue = hostimpl::RemoveResidue([&](const void* addr) { return ModuleOfAddress(addr) == base; });
    if (!residue.empty()) errors.push_back("left registered in the host: " + Describe(residue));
}

void TPackageLoader::Unload(const String& name)
{
    auto pos = std::find_if(FPackages.begin(), FPackages.end(),
                            [&](const auto& p) { return SameText(p->Name, name); });
    if (pos == FPackages.end()) throw EPackageError("Package " + name + " is not loaded");
    for (const auto& other : FPackages)
        for (const auto& r : other->Requires)
            if (SameText(r, name)) throw EPackageError("Package " + name + " is required by " + other->Name);
    String realName = (*pos)->Name;
    std::vector<String> errors;
    UnloadOne(static_cast<std::size_t>(pos - FPackages.begin()), errors);
    if (!errors.empty()) throw EPackageError("Unloading package " + realName + ": " + Describe(errors));
}

void TPackageLoader::UnloadAll()
{
    std::vector<String> errors;
    while (!FPackages.empty()) {
        String name = FPackages.back()->Name;
        std::vector<String> e;
        UnloadOne(FPackages.size() - 1, e);
        for (auto& x : e) errors.push_back(name + ": " + x);
    }
    if (!errors.empty()) throw EPackageError("Unloading packages: " + Describe(errors));
}
