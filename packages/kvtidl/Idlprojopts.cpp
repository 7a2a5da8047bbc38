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

void TIdlProjOptsManagerHelper::LoadFromIni(const TIniFile& ini)
{
    AddServerUnit = ini.ReadBool(sCORBASection, "AddServerUnit", AddServerUnit);
    AddClientUnit = ini.ReadBool(sCORBASection, "AddClientUnit", AddClientUnit);
    PrecompiledHeaders = ini.ReadBool(sCORBASection, "PrecompiledHeaders", PrecompiledHeaders);
}

void TIdlProjOptsManagerHelper::SaveToIni(TIniFile& ini) const
{
    ini.WriteBool(sCORBASection, "AddServerUnit", AddServerUnit);
    ini.WriteBool(sCORBASection, "AddClientUnit", AddClientUnit);
    ini.WriteBool(sCORBASection, "PrecompiledHeaders", PrecompiledHeaders);
}

void TIdlProjOptsManagerHelper::SetInclPath(const String& path)
{
    TIdlCppOptions o(FProject.IdlSwitches);
    o.SetIncludePath(path);
    FProject.IdlSwitches = o.Text();
}

void TIdlProjOptsManagerHelper::SetDefines(const String& text)
{
    TIdlCppOptions o(FProject.IdlSwitches);
    o.SetDefines(text);
    o.SetSourceSuffix("cpp");
    FProject.IdlSwitches = o.Text();
}

void TIdlProjOptsManagerHelper::SetIdlOptions(TPropertySheet* pageControl)
{
    TIdlCppOptions o(FProject.IdlSwitches);
    pageControl->Broadcast(CM_SHOWIDLOPTIONS, reinterpret_cast<std::intptr_t>(&o),
                           reinterpret_cast<std::intptr_t>(this));
}

void TIdlProjOptsManagerHelper::GetIdlOptions(TPropertySheet* pageControl)
{
    TIdlCppOptions o(FProject.IdlSwitches);
    pageControl->Broadcast(CM_TAKEIDLOPTIONS, reinterpret_cast<std::intptr_t>(&o),
                           reinterpret_cast<std::intptr_t>(this));
    FProject.IdlSwitches = o.Text();
}

std::unique_ptr<TIDLProjUnit> TIdlProjOptsManagerHelper::CreateProjUnit(const String& fileName) const
{
    return std::make_unique<TIDLProjUnit>(fileName, FProject.IdlSwitches, TIDLProjUnit::IdlUsesFormType,
                                          FProjectDir);
}

void TIdlProjOptsManagerHelper::UpdateProjUnit(TIDLProjUnit& unit, const String& fileName) const
{
    unit.Update(fileName, FProject.IdlSwitches, TIDLProjUnit::IdlUsesFormType, FProjectDir);
}

std::vector<String> TIdlProjOptsManagerHelper::IdlFilesList(const String& text)
{
    return ExtractStrings(text);
}

bool* TIdlProjectOptions::Option(const String& name) const
{
    if (!FHelper) return nullptr;
    if (SameText(name, "AddServerUnit")) return &FHelper->AddServerUnit;
    if (SameText(name, "AddClientUnit")) return &FHelper->AddClientUnit;
    if (SameText(name, "PrecompiledHeaders")) return &FHelper->PrecompiledHeaders;
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
    for (const String& d : ExtractStrings(FProject.Defines, ";")) {
        const String n = Trim(d.substr(0, d.find('=')));
        if (n == name) return true;
    }
    return false;
}

void TIdlProjectOptions::AddDefine(const String& name)
{
    if (!IsDefined(name)) FProject.Defines = AppendPathEntry(FProject.Defines, name);
}

void TIdlProjectOptions::AddCORBASupport(unsigned flags)
{
    AddDefine("_USE_OLD_RW_STL");
    if ((flags & csLibrary) && !ContainsText(FProject.Libraries, sOrbImportLib) &&
        !ContainsText(FProject.Libraries, sOrbImportLibDebug))
        FProject.Libraries = Format("%s %s", {sOrbImportLib, FProject.Libraries});
    if ((flags & csIncludePath) && !ContainsText(FProject.IncludePath, "$(MORVASKDIR)\\include"))
        FProject.IncludePath = AppendPathEntry(FProject.IncludePath, "$(MORVASKDIR)\\include");
    if ((flags & csLibPath) && !ContainsText(FProject.LibPath, "$(MORVASKDIR)\\lib"))
        FProject.LibPath = AppendPathEntry(FProject.LibPath, "$(MORVASKDIR)\\lib");
}

bool TIdlProjectOptions::IsCORBAProject() const { return ContainsText(FProject.Libraries, sOrbImportLib); }

void TIdlProjectOptions::RemoveZUB()
{
    AddDefine("_NO_ZUB");
    if (!ContainsText(FProject.Libraries, "zube.lib"))
        FProject.Libraries = Format("%s %s", {"zube.lib", FProject.Libraries});
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

namespace {
const char* const kCorbaSet = "CORBA";
const char* const kCorbaKeys[] = {"AddServerUnit", "AddClientUnit", "PrecompiledHeaders"};
}  // namespace

TIdlHostProjectOptions::TIdlHostProjectOptions(IQCppProject* project)
    : FProject(project), FHelper(FSettings, project->Directory())
{
    for (const char* key : kCorbaKeys)
        if (project->HasOptionValue("", kCorbaSet, key)) {
            TOptionValue v = SameText(project->OptionValue("", kCorbaSet, key), "True");
            TIdlProjectOptions(FSettings, &FHelper).SetOption(key, v);
        }
}

bool TIdlHostProjectOptions::SetOption(const String& name, const String& value)
{
    TIdlProjectOptions options(FSettings, &FHelper);
    TOptionValue probe;
    options.GetOption(name, probe);
    if (std::holds_alternative<std::monostate>(probe)) return false;
    // a number is an integer value, a word a boolean
    TOptionValue v;
    const bool number = !value.empty() && std::all_of(value.begin(), value.end(), [](char c) {
        return (c >= '0' && c <= '9') || c == '-';
    });
    if (number)
        v = StrToIntDef(value, -1);
    else if (SameText(value, "True") || SameText(value, "Yes"))
        v = true;
    else if (SameText(value, "False") || SameText(value, "No"))
        v = false;
    else
        v = value;
    options.SetOption(name, v);
    for (const char* key : kCorbaKeys) {
        TOptionValue now;
        options.GetOption(key, now);
        FProject->SetOptionValue("", kCorbaSet, key, std::get<bool>(now) ? "True" : "False");
    }
    return true;
}

TIdlProjectOptionsBase* NewIdlProjectOptions(IQCppProject* project)
{
    return new TIdlHostProjectOptions(project);
}
