#include "Idlprojopts.h"

#include <algorithm>

#include "Idlcompile.h"
#include "rtl/Files.h"
#include "rtl/Format.h"

const char* const sOrbImportLib = "morvask_r.lib";
const char* const sOrbImportLibDebug = "morvask_rd.lib";

namespace {

const char* const sCORBASection = "CORBA";

bool ContainsText(const String& haystack, const String& needle)
{
    return Pos(LowerCase(needle), LowerCase(haystack)) > 0;
}

// "a;" + "b" gives "a;b", "" + "b" gives "b": no empty entry arises.
String AppendPathEntry(String path, const String& entry)
{
    if (!path.empty() && path.back() == ';') path.pop_back();
    return path.empty() ? entry : Format("%s;%s", {path, entry});
}

}  // namespace

namespace {
const char* const kIdlFlagsSym = "IDLCFLAGS";
}  // namespace

TIdlProjOptsManagerHelper::TIdlProjOptsManagerHelper(IQCppProject* project) : FProject(project)
{
    LoadFromProject();
}

// The three booleans with their keys, for the INI and the project alike.
#define KVTIDL_CORBA_OPTIONS(X)                                                                              \
    X(AddServerUnit)                                                                                         \
    X(AddClientUnit)                                                                                         \
    X(PrecompiledHeaders)

void TIdlProjOptsManagerHelper::LoadFromIni(const TIniFile& ini)
{
#define X(name) name = ini.ReadBool(sCORBASection, #name, name);
    KVTIDL_CORBA_OPTIONS(X)
#undef X
}

void TIdlProjOptsManagerHelper::SaveToIni(TIniFile& ini) const
{
#define X(name) ini.WriteBool(sCORBASection, #name, name);
    KVTIDL_CORBA_OPTIONS(X)
#undef X
}

void TIdlProjOptsManagerHelper::LoadFromProject()
{
    auto read = [&](const char* key, bool& value) {
        if (FProject->HasOptionValue("", sCORBASection, key))
            BooleanText(FProject->OptionValue("", sCORBASection, key), value);
    };
#define X(name) read(#name, name);
    KVTIDL_CORBA_OPTIONS(X)
#undef X
}

void TIdlProjOptsManagerHelper::SaveToProject() const
{
#define X(name) FProject->SetOptionValue("", sCORBASection, #name, name ? "True" : "False");
    KVTIDL_CORBA_OPTIONS(X)
#undef X
}

String TIdlProjOptsManagerHelper::Switches() const { return FProject->GetMakeSym(kIdlFlagsSym); }

void TIdlProjOptsManagerHelper::SetSwitches(const String& switches)
{
    if (switches != Switches()) FProject->SetMakeSym(kIdlFlagsSym, switches);
}

void TIdlProjOptsManagerHelper::SetInclPath(const String& path)
{
    TIdlCppOptions o(Switches());
    o.SetIncludePath(path);
    SetSwitches(o.Text());
}

void TIdlProjOptsManagerHelper::SetDefines(const String& text)
{
    TIdlCppOptions o(Switches());
    o.SetDefines(text);
    o.SetSourceSuffix("cpp");
    SetSwitches(o.Text());
}

void TIdlProjOptsManagerHelper::SetIdlOptions(TPropertySheet* pageControl)
{
    TIdlCppOptions o(Switches());
    pageControl->Broadcast(CM_SHOWIDLOPTIONS,
                           reinterpret_cast<std::intptr_t>(static_cast<TIdlPageOptionsBase*>(&o)),
                           reinterpret_cast<std::intptr_t>(this));
}

void TIdlProjOptsManagerHelper::GetIdlOptions(TPropertySheet* pageControl)
{
    TIdlCppOptions o(Switches());
    pageControl->Broadcast(CM_TAKEIDLOPTIONS,
                           reinterpret_cast<std::intptr_t>(static_cast<TIdlPageOptionsBase*>(&o)),
                           reinterpret_cast<std::intptr_t>(this));
    SetSwitches(o.Text());
}

std::unique_ptr<TProjUnit> TIdlProjOptsManagerHelper::CreateProjUnit(const String& fileName) const
{
    return std::make_unique<TIDLProjUnit>(fileName, Switches(), TIDLProjUnit::IdlUsesFormType,
                                          FProject->Directory());
}

void TIdlProjOptsManagerHelper::UpdateProjUnit(TProjUnit& unit, const String& fileName) const
{
    if (auto* idl = dynamic_cast<TIDLProjUnit*>(&unit))
        idl->Update(fileName, Switches(), TIDLProjUnit::IdlUsesFormType, FProject->Directory());
}

std::vector<String> TIdlProjOptsManagerHelper::IdlFilesList(const String& text)
{
    return ExtractStrings(text);
}

bool* TIdlProjectOptions::Option(const String& name) const
{
    if (!FHelper) return nullptr;
#define X(option)                                                                                            \
    if (SameText(name, #option)) return &FHelper->option;
    KVTIDL_CORBA_OPTIONS(X)
#undef X
    return nullptr;
}

void TIdlProjectOptions::GetOption(const String& name, TOptionValue& value) const
{
    if (const bool* b = Option(name)) value = *b;
}

void TIdlProjectOptions::SetOption(const String& name, const TOptionValue& value)
{
    bool* b = Option(name);
    if (!b) return;
    // an integer stands for a boolean as the host's options store them: 0 off, 1 on
    if (const bool* v = std::get_if<bool>(&value))
        *b = *v;
    else if (const int* i = std::get_if<int>(&value); i && (*i == 0 || *i == 1))
        *b = *i == 1;
    else
        throw EConvertError("The project option " + name + " takes True or False");
}

bool TIdlProjectOptions::IsDefined(const String& name) const
{
    for (const String& d : ExtractStrings(FProject->GetOption("Defines"), ";")) {
        const String n = Trim(d.substr(0, d.find('=')));
        if (n == name) return true;
    }
    return false;
}

void TIdlProjectOptions::AddDefine(const String& name)
{
    if (!IsDefined(name))
        FProject->SetOption("Defines", AppendPathEntry(FProject->GetOption("Defines"), name));
}

void TIdlProjectOptions::AddCORBASupport(unsigned flags)
{
    AddDefine("_USE_OLD_RW_STL");
    const String libraries = FProject->GetOption("Libraries");
    if ((flags & csLibrary) && !ContainsText(libraries, sOrbImportLib) &&
        !ContainsText(libraries, sOrbImportLibDebug))
        FProject->SetOption("Libraries", Format("%s %s", {sOrbImportLib, libraries}));
    auto addPath = [&](unsigned flag, const char* option, const char* entry) {
        const String path = FProject->GetOption(option);
        if ((flags & flag) && !ContainsText(path, entry))
            FProject->SetOption(option, AppendPathEntry(path, entry));
    };
    addPath(csIncludePath, "IncludePath", "$(MORVASKDIR)\\include");
    addPath(csLibPath, "LibPath", "$(MORVASKDIR)\\lib");
}

bool TIdlProjectOptions::IsCORBAProject() const
{
    return ContainsText(FProject->GetOption("Libraries"), sOrbImportLib);
}

void TIdlProjectOptions::RemoveZUB()
{
    AddDefine("_NO_ZUB");
    const String libraries = FProject->GetOption("Libraries");
    if (!ContainsText(libraries, "zube.lib"))
        FProject->SetOption("Libraries", Format("%s %s", {"zube.lib", libraries}));
}

void GetGeneratedFilenames(const String& idlFile, const String& projectFile, const TKrotexOptionSet& set,
                           String& serverSource, String& clientSource)
{
    const String root =
        set.RootDir.empty() ? ExtractFilePath(projectFile) : IncludeTrailingPathDelimiter(set.RootDir);
    String suffix = set.HasSrcSuffix ? Trim(set.SrcSuffix) : String(".cc");
    if (suffix.empty()) suffix = ".cc";
    if (suffix[0] != '.') suffix = "." + suffix;
    const String base = ChangeFileExt(ExtractFileName(idlFile), "");
    serverSource = ChangeFileExt(root + base + (set.ServerExt.empty() ? "_s" : set.ServerExt), suffix);
    clientSource = ChangeFileExt(root + base + (set.ClientExt.empty() ? "_c" : set.ClientExt), suffix);
}

std::vector<String> IdlToolExtensions(const String& setting)
{
    std::vector<String> out;
    for (const String& part : ExtractStrings(setting, ";")) {
        std::size_t i = 0;
        while (i < part.size() && (part[i] == ' ' || part[i] == '*' || part[i] == '.')) ++i;
        if (i < part.size()) out.push_back("." + part.substr(i));
    }
    return out;
}

bool TIdlHostProjectOptions::SetOption(const String& name, const String& value)
{
    TIdlProjectOptions options(FHelper.Project(), &FHelper);
    TOptionValue probe;
    options.GetOption(name, probe);
    if (std::holds_alternative<std::monostate>(probe)) return false;
    // a number is an integer value, a word a boolean
    TOptionValue v;
    const bool number = !value.empty() && std::all_of(value.begin(), value.end(), [](char c) {
        return (c >= '0' && c <= '9') || c == '-';
    });
    bool on = false;
    if (number)
        v = StrToIntDef(value, -1);
    else if (BooleanText(value, on))
        v = on;
    else
        v = value;
    options.SetOption(name, v);
    FHelper.SaveToProject();
    return true;
}

TIdlProjectOptionsBase* NewIdlProjectOptions(IQCppProject* project)
{
    return new TIdlHostProjectOptions(project);
}

TIdlProjOptsManagerHelperBase* NewIdlProjOptsManagerHelper(IQCppProject* project)
{
    return new TIdlProjOptsManagerHelper(project);
}
