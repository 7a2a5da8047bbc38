#include "rtl/Resources.h"

#include <map>
#include <mutex>
#include <tuple>

namespace {

struct TKey {
    HMODULE Module;
    String Type, Name;  // upper-cased
    bool operator<(const TKey& o) const
    {
        return std::tie(Module, Type, Name) < std::tie(o.Module, o.Type, o.Name);
    }
};

struct TResourceTable {
    std::mutex Lock;
    std::map<TKey, String> Items;
};

TResourceTable& Table()
{
    static TResourceTable* t = new TResourceTable;  // outlives every module's registrar
    return *t;
}

TKey MakeKey(HMODULE m, const String& type, const String& name)
{
    return {m, UpperCase(type), UpperCase(name)};
}

}  // namespace

HMODULE ModuleOfAddress(const void* address)
{
    Dl_info info{};
    return address && dladdr(address, &info) ? info.dli_fbase : nullptr;
}

TResourceRegistrar::TResourceRegistrar(HMODULE module, const char* type, const char* name, const void* data,
                                       std::size_t size)
    : FModule(module), FType(type), FName(name)
{
    auto& t = Table();
    std::lock_guard g(t.Lock);
    t.Items[MakeKey(module, FType, FName)] = String(static_cast<const char*>(data), size);
}

TResourceRegistrar::~TResourceRegistrar()
{
    auto& t = Table();
    std::lock_guard g(t.Lock);
    t.Items.erase(MakeKey(FModule, FType, FName));
}

bool FindResourceData(HMODULE module, const String& type, const String& name, String& bytes)
{
    auto& t = Table();
    std::lock_guard g(t.Lock);
    auto it = t.Items.find(MakeKey(module, type, name));
    if (it == t.Items.end()) return false;
    bytes = it->second;
    return true;
}

String LoadResourceData(HMODULE module, const String& type, const String& name)
{
    String bytes;
    if (!FindResourceData(module, type, name, bytes)) throw EResNotFound("Resource " + name + " not found");
    return bytes;
}

HMODULE FindInstanceContainingResource(const String& type, const String& name)
{
    auto& t = Table();
    std::lock_guard g(t.Lock);
    const String ut = UpperCase(type), un = UpperCase(name);
    for (const auto& [k, v] : t.Items)
        if (k.Type == ut && k.Name == un) return k.Module;
    return nullptr;
}

int ModuleResourceCount(HMODULE module)
{
    auto& t = Table();
    std::lock_guard g(t.Lock);
    int n = 0;
    for (const auto& [k, v] : t.Items)
        if (k.Module == module) ++n;
    return n;
}

int ResourceCount()
{
    auto& t = Table();
    std::lock_guard g(t.Lock);
    return static_cast<int>(t.Items.size());
}

std::vector<String> SplitModuleSources(const String& text, int highIndex, const String& what)
{
    std::vector<String> result;
    std::size_t start = 0;
    while (static_cast<int>(result.size()) <= highIndex) {
        std::size_t bar = text.find('|', start);
        if (bar == String::npos)
            throw EResNotFound("Resource " + what + " holds " +
                               IntToStr(static_cast<long long>(result.size())) + " templates, " +
                               IntToStr(highIndex + 1) + " expected");
        result.push_back(text.substr(start, bar - start));
        start = bar + 1;
        if (text.compare(start, 2, "\r\n") == 0)
            start += 2;
        else if (start < text.size() && text[start] == '\n')
            ++start;
    }
    if (text.find_first_not_of(" \t\r\n", start) != String::npos)
        throw EResNotFound("Resource " + what + " holds more than " + IntToStr(highIndex + 1) + " templates");
    return result;
}

std::vector<String> InitModuleSources(HMODULE module, const String& resName, int highIndex)
{
    return SplitModuleSources(LoadResourceData(module, RT_RCDATA, resName), highIndex, resName);
}
