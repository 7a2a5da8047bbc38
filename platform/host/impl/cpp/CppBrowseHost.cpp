// The host's side of compile and browse: the compile hook over the translation unit, the header
// lookup of units, the component browser and their state lines.
#include <algorithm>
#include <filesystem>
#include <ostream>
#include <typeinfo>

#include "HostBrowsePaths.h"
#include "host/CppProject.h"
#include "hostimpl/CppBrowseImpl.h"
#include "hostimpl/HostState.h"
#include "hostimpl/ScratchBuffers.h"
#include "hostimpl/StateListing.h"
#include "rtl/Files.h"
#include "rtl/ScopeGuard.h"

TCompileAndBrowseProc CompileAndBrowseProc = DefaultCompileAndBrowse;
TEnableBrowserEvent EnableBrowser;
TIdlBrowseProc IdlBrowseProc = nullptr;

namespace hostimpl {
namespace {

std::vector<TIntfPtr<IQBrowserCompiler>>& BrowserCompilers()
{
    static std::vector<TIntfPtr<IQBrowserCompiler>> list;
    return list;
}

// The headers the host's compiler brings: the ORB's, the component library's and the ATL
// form's, under the names includes use for them.
const char* const kHostInclude = "/quistor-host/include/";

std::vector<std::pair<String, String>> HostHeaders()
{
    return {
        {String(kHostInclude) + "corba.h", "#include <omniORB4/CORBA.h>\n"},
        {String(kHostInclude) + "zub.h",
         "#include \"zub/Classes.h\"\n#include \"zub/Controls.h\"\n#include \"zub/StdCtrls.h\"\n"
         "#include \"zub/ExtCtrls.h\"\n#include \"zub/Forms.h\"\n"},
        {String(kHostInclude) + "atl/axform.h",
         "#pragma once\n#include \"zub/Forms.h\"\n"
         "// The form of an Active Form: a ZUB form shown inside an ActiveX control's window.\n"
         "class TActiveForm : public TForm {\npublic:\n"
         "    explicit TActiveForm(TComponent* AOwner) : TForm(AOwner) {}\n};\n"},
    };
}

std::vector<String> SplitList(const String& list)
{
    std::vector<String> out;
    std::size_t start = 0;
    while (start <= list.size()) {
        std::size_t end = list.find(';', start);
        if (end == String::npos) end = list.size();
        String item = Trim(list.substr(start, end - start));
        if (!item.empty()) out.push_back(item);
        start = end + 1;
    }
    return out;
}

// Include directives name headers with "\" as the host's paths do; the compiler wants "/".
String WithForwardIncludes(const String& text)
{
    String out;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == String::npos) end = text.size() - 1;
        String line = text.substr(start, end - start + 1);
        const String t = TrimLeft(line);
        if (t.rfind("#include", 0) == 0) std::replace(line.begin(), line.end(), '\\', '/');
        out += line;
        start = end + 1;
    }
    return out;
}

// A project path (relative ones against the project's folder), with "/" separators.
String AtFolder(const String& path, const String& folder)
{
    const std::filesystem::path p(ResolvePath(path));
    return (p.is_absolute() ? p : std::filesystem::path(folder) / p).lexically_normal().string();
}

// The units the host's compiler brings without an include path: the Active Form's, and each
// header of the component library under its unit name ("StdCtrls" is <zub/StdCtrls.h>).
String LibraryHeaderFileSpec(const String& unitName)
{
    if (SameText(unitName, "AxCtrls")) return "<atl/axform.h>";
    std::error_code ec;
    for (const char* dir : {HOST_ZUB_INCLUDE_DIR})
        for (const auto& e : std::filesystem::directory_iterator(std::filesystem::path(dir) / "zub", ec)) {
            const String name = e.path().filename().string();
            if (SameText(name, unitName + ".h")) return "<zub/" + name + ">";
        }
    return "";
}

}  // namespace

std::vector<String>& LastBrowseErrors()
{
    static std::vector<String> errors;
    return errors;
}

void RemoveBrowseResidue(const std::function<bool(const void*)>& inModule, std::vector<String>& found)
{
    auto fn = [](auto* f) { return reinterpret_cast<const void*>(f); };
    if (CompileAndBrowseProc && inModule(fn(CompileAndBrowseProc))) {
        CompileAndBrowseProc = DefaultCompileAndBrowse;
        found.push_back("hook CompileAndBrowseProc");
    }
    if (EnableBrowser && inModule(&EnableBrowser.target_type())) {
        EnableBrowser = nullptr;
        found.push_back("hook EnableBrowser");
    }
    if (IdlBrowseProc && inModule(fn(IdlBrowseProc))) {
        IdlBrowseProc = nullptr;
        found.push_back("hook IdlBrowseProc");
    }
    std::erase_if(BrowserCompilers(), [&](const TIntfPtr<IQBrowserCompiler>& c) {
        if (!inModule(&typeid(*c))) return false;
        found.push_back("C++ browser compiler");
        return true;
    });
    for (TEditBuffer* b : ScratchBuffers())
        found.push_back("scratch edit buffer " + b->FileName() + " (left open)");
}

namespace {

void ListBrowse(std::vector<String>& out)
{
    auto fn = [](auto* f) { return reinterpret_cast<const void*>(f); };
    out.push_back(String("hook CompileAndBrowseProc") +
                  (CompileAndBrowseProc ? At(fn(CompileAndBrowseProc)) : String(" none")));
    out.push_back(String("hook EnableBrowser") +
                  (EnableBrowser ? At(&EnableBrowser.target_type()) : String(" none")));
    out.push_back(String("hook IdlBrowseProc") + (IdlBrowseProc ? At(fn(IdlBrowseProc)) : String(" none")));
    for (auto& c : BrowserCompilers()) out.push_back("C++ browser compiler" + AtObject(c.get()));
    for (TEditBuffer* b : ScratchBuffers()) out.push_back("scratch edit buffer " + b->FileName());
}

const TStateSource kBrowse("browse", ListBrowse);

}  // namespace
}  // namespace hostimpl

using namespace hostimpl;

bool DefaultCompileAndBrowse(TEditBuffer& buffer)
{
    std::vector<String> args = {"-x", "c++", "-std=c++20", "-Wno-unknown-pragmas",
                                "-I" + String(kHostInclude)};
    for (const char* dir : {HOST_ZUB_INCLUDE_DIR}) args.push_back(String("-I") + dir);
    if (auto project = ActiveCppProject()) {
        const String folder = project->Directory();
        for (const String& dir : SplitList(project->GetOption("IncludePath")))
            args.push_back("-I" + AtFolder(dir, folder));
        args.push_back("-I" + AtFolder(".", folder));
        for (const String& d : SplitList(project->GetOption("Defines"))) args.push_back("-D" + d);
    }
    std::vector<std::pair<String, String>> files = {{buffer.FileName(), WithForwardIncludes(buffer.Text())}};
    for (auto& h : HostHeaders()) files.push_back(h);
    std::vector<String> errors;
    const bool ok = BrowseTranslationUnit(
        files, args,
        [] {
            if (EnableBrowser) EnableBrowser();
        },
        errors);
    LastBrowseErrors() = errors;
    return ok;
}

String FindHeaderFileSpec(const String& unitName)
{
    const String base = ChangeFileExt(ExtractFileName(unitName), "");
    auto project = ActiveCppProject();
    if (!project) return LibraryHeaderFileSpec(base);
    const String folder = project->Directory();
    for (const String& item : project->Items()) {
        if (!SameText(ChangeFileExt(ExtractFileName(item), ""), base)) continue;
        for (const char* ext : {".h", ".hpp", ".hh"}) {
            const String header = ChangeFileExt(item, ext);
            if (FileExists(header) || project->HasItem(header))
                return "\"" +
                       std::filesystem::path(AtFolder(header, folder)).lexically_relative(folder).string() +
                       "\"";
        }
    }
    for (const String& dir : SplitList(project->GetOption("IncludePath")))
        for (const char* ext : {".hpp", ".h"}) {
            const String header =
                ResolvePath(IncludeTrailingPathDelimiter(AtFolder(dir, folder)) + base + ext);
            if (FileExists(header)) return "<" + ExtractFileName(header) + ">";
        }
    return LibraryHeaderFileSpec(base);
}

void RegisterCppBrowserCompiler(IQBrowserCompiler* compiler)
{
    if (compiler) BrowserCompilers().emplace_back(compiler);
}

void UnRegisterCppBrowserCompiler(IQBrowserCompiler* compiler)
{
    auto& l = BrowserCompilers();
    auto it = std::find_if(l.begin(), l.end(), [&](const auto& c) { return c.get() == compiler; });
    if (it != l.end()) l.erase(it);
}

std::vector<TComponentMember> BrowseComponentClass(const String& className, const String& unitName)
{
    if (BrowserCompilers().empty()) throw EHostError("No C++ browser compiler is registered");
    TIntfPtr<IQBrowserCompiler> c = BrowserCompilers().front();
    std::vector<TComponentMember> members;
    bool seen = false;
    auto walk = [&](void*, TSymbol cls) -> int {
        seen = true;
        std::vector<TSymbol> m(BrowserMemberCapacity);
        auto text = [&](TSymbol s, int kind) {
            String t;
            c->GetText(s, t, kind);
            return t;
        };
        // The class's own members and those it inherits (an override once); its own come first.
        auto list = [&](int flags) {
            const int n = c->GetMembers(cls, flags, m.data());
            return std::vector<TSymbol>(m.begin(), m.begin() + std::min(n, BrowserMemberCapacity));
        };
        std::vector<TSymbol> own = list(CppMembers::Functions),
                             functions = list(CppMembers::Functions | CppMembers::Inherited);
        for (TSymbol d : list(CppMembers::DataMembers)) own.push_back(d);
        std::vector<std::pair<bool, TComponentMember>> found;  // inherited, member
        auto add = [&](TSymbol s, TComponentMember::TKind kind, const String& name, const String& type) {
            found.push_back({std::find(own.begin(), own.end(), s) == own.end(), {kind, name, type}});
        };
        auto publicFn = [&](TSymbol s) {
            const int f = c->GetFlags(s);
            const int kind = f & CppSymbolFlags::KindMask;
            return !(f & (CppSymbolFlags::Private | CppSymbolFlags::Protected)) &&
                   (kind == CppSymbolFlags::Function || kind == CppSymbolFlags::Procedure);
        };
        auto arity = [&](TSymbol s) {
            return c->GetMembers(s, CppMembers::Parameters | CppMembers::Count, nullptr);
        };
        auto setter = [&](const String& name) {
            for (TSymbol s : functions)
                if (publicFn(s) && text(s, 0) == "Set" + name && arity(s) == 1) return true;
            return false;
        };
        // A property is a getter without parameters, X() or GetX(), beside a setter SetX(value).
        std::vector<String> taken;
        for (TSymbol s : functions) {
            if (!publicFn(s) || arity(s) != 0) continue;
            TSymbol result = c->GetResultType(s);
            const String name = text(s, 0);
            const String property = name.rfind("Get", 0) == 0 && name.size() > 3 && setter(name.substr(3))
                                        ? name.substr(3)
                                        : name;
            if (!result || !setter(property) ||
                std::find(taken.begin(), taken.end(), property) != taken.end())
                continue;
            add(s, TComponentMember::Property, property, text(result, 1));
            taken.push_back(property);
        }
        auto ofProperty = [&](const String& name) {
            for (const String& p : taken)
                if (name == p || name == "Get" + p || name == "Set" + p) return true;
            return false;
        };
        for (TSymbol s : functions) {
            const String name = text(s, 0);
            // constructors, destructors and operators (a deleted copy included) are not the browser's
            if (!publicFn(s) || name == className || name == "~" + className ||
                name.rfind("operator", 0) == 0 || ofProperty(name))
                continue;
            add(s, TComponentMember::Method, name, text(s, 1));
        }
        // Data members: those of an event type are events, the others properties.
        for (TSymbol d : list(CppMembers::DataMembers | CppMembers::Inherited)) {
            const int f = c->GetFlags(d);
            if (f & (CppSymbolFlags::Private | CppSymbolFlags::Protected | CppSymbolFlags::Static)) continue;
            add(d, f & CppSymbolFlags::Event ? TComponentMember::Event : TComponentMember::Property,
                text(d, 0), text(d, 1));
        }
        std::stable_partition(found.begin(), found.end(), [](const auto& f) { return !f.first; });
        for (auto& f : found) members.push_back(std::move(f.second));
        return 1;
    };
    if (!c->Compile(className, unitName, walk, nullptr))
        throw EHostError("The unit " + unitName + " could not be compiled for browsing");
    if (!seen) throw EHostError("No class " + className + " in " + unitName);
    return members;
}

TComponentBrowser::TComponentBrowser(String className, String unitName)
    : FClassName(std::move(className)), FUnitName(std::move(unitName))
{
}

void TComponentBrowser::PrepareAndExecute()
{
    if (BrowserCompilers().empty()) throw EHostError("No C++ browser compiler is registered");
    TIntfPtr<IQBrowserCompiler> c = BrowserCompilers().front();
    bool found = false;
    const bool compiled = c->Compile(
        FClassName, FUnitName,
        [&](void*, TSymbol cls) -> int {
            found = true;
            FCompiler = c.get();
            FClass = cls;
            TScopeGuard end([this] {
                FCompiler = nullptr;
                FClass = nullptr;
            });
            Execute();
            return 1;
        },
        nullptr);
    if (!compiled) {
        String why;
        for (const String& e : LastBrowseErrors()) why += "\n" + e;
        throw EHostError("The unit " + FUnitName + " could not be compiled for browsing" + why);
    }
    if (!found) throw EHostError("No class " + FClassName + " in " + FUnitName);
}

namespace hostimpl {

namespace {
String InHostFolder(const String& name)
{
    if (name.empty() || name[0] == '/') return name;
    auto project = ActiveCppProject();
    const String inFolder = IncludeTrailingPathDelimiter(ProjectFolder()) + name;
    if (project && !FileExists(inFolder)) return project->Directory() + name;
    return inFolder;
}
}  // namespace

void RunBrowseCommand(std::vector<String> args, std::ostream& out)
{
    if (args.size() != 1) throw EHostError("usage: browse FILE");
    if (!IdlBrowseProc) throw EHostError("No package browses IDL files (load KVTIDL100)");
    for (const String& line : IdlBrowseProc(InHostFolder(args[0]))) out << line << "\n";
}

void RunComponentCommand(std::vector<String> args, std::ostream& out)
{
    if (args.size() != 2) throw EHostError("usage: component CLASS UNIT");
    static const char* const kKinds[] = {"property", "method", "event"};
    for (const TComponentMember& m : BrowseComponentClass(args[0], args[1]))
        out << kKinds[m.Kind] << " " << m.Name << ": " << m.Type << "\n";
}

}  // namespace hostimpl
