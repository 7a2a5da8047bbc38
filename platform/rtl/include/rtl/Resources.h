#pragma once
// Resources compiled into a module (the program or a package library).
//
// Every module has its own table of named resources: a generated source file in the module holds
// the bytes and a static TResourceRegistrar that enters them under the module's handle when the
// library is loaded and removes them when it is unloaded. Names compare without regard to case.
// HInstance is the handle of the module whose code names it.
#include <dlfcn.h>

#include <cstddef>
#include <vector>

#include "rtl/SysUtils.h"

using HMODULE = const void*;

// The load address of the module (program or shared library) whose code asks. Internal linkage
// on purpose: every module that includes this gets its own copy, so the function's own address
// lies in the caller's module.
static inline HMODULE ModuleHandle()
{
    Dl_info info{};
    return dladdr(reinterpret_cast<const void*>(&ModuleHandle), &info) ? info.dli_fbase : nullptr;
}
#define HInstance (ModuleHandle())

// The module whose code or data holds address; nullptr for an address in none.
HMODULE ModuleOfAddress(const void* address);

inline constexpr const char* RT_RCDATA = "RCDATA";
inline constexpr const char* RT_BITMAP = "BITMAP";  // BMP files
// Icons: a PNG (transparent where the icon is not drawn) or BMP picture, 32x32 for the gallery,
// 16x16 for image lists.
inline constexpr const char* RT_ICON = "ICON";

class EResNotFound : public Exception {
public:
    using Exception::Exception;
};

class TResourceRegistrar {
public:
    TResourceRegistrar(HMODULE module, const char* type, const char* name, const void* data,
                       std::size_t size);
    ~TResourceRegistrar();
    TResourceRegistrar(const TResourceRegistrar&) = delete;
    TResourceRegistrar& operator=(const TResourceRegistrar&) = delete;

private:
    HMODULE FModule;
    String FType, FName;
};

// Bytes of a resource; false when the module has none of that type and name.
bool FindResourceData(HMODULE module, const String& type, const String& name, String& bytes);
// Raises EResNotFound ("Resource NAME not found").
String LoadResourceData(HMODULE module, const String& type, const String& name);
// The first loaded module that holds a resource of that type and name, nullptr when none does.
HMODULE FindInstanceContainingResource(const String& type, const String& name);
// Number of resources a module has entered (0 once its library is unloaded).
int ModuleResourceCount(HMODULE module);
int ResourceCount();  // of every module

// Resource strings: a named text of the module's string table.
struct TResourceString {
    const char* Name;
    const char* Text;
    operator String() const { return Text; }
    String str() const { return Text; }
};
#define RTL_RESOURCESTRING(id, text)                                                                         \
    inline const TResourceString id { #id, text }

// Splits an RCDATA resource of templates into a table. Each template ends with "|"; one line
// break directly after a "|" belongs to the separator, and after the last "|" only white space
// may follow. highIndex is the index of the last template expected: fewer templates raise
// EResNotFound, so does a missing resource.
std::vector<String> InitModuleSources(HMODULE module, const String& resName, int highIndex);
// The same for a text already in memory.
std::vector<String> SplitModuleSources(const String& text, int highIndex, const String& what);
