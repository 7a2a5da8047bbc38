#include "host/SourceFiles.h"

#include "host/CppProject.h"
#include "hostimpl/CppBrowseImpl.h"
#include "hostimpl/HostState.h"
#include "rtl/Files.h"

TStringFile::TStringFile(String fileName, String source, bool)
    : FFileName(std::move(fileName)), FSource(std::move(source))
{
}

HRESULT TStringFile::QueryInterface(const TGUID& iid, void** obj)
{
    if (QueryAs<IQSourceFile>(this, iid, obj)) return S_OK;
    return TInterfacedObject::QueryInterface(iid, obj);
}

const String DashLine = "//" + String(75, '-');
const String DashLineCRLF = DashLine + "\r\n";

TIntfPtr<IQSourceFile> FormatFile(const String& fileName, const String& templ, const TVarRecs& args)
{
    return TIntfPtr<IQSourceFile>(new TStringFile(fileName, Format(templ, args)));
}

void ValidateIdent(const String& name)
{
    if (!IsValidIdent(name)) throw EHostError("'" + name + "' is not a valid identifier");
}

namespace {
bool ModuleNameTaken(const String& unitName)
{
    for (auto* m : hostimpl::AllModules())
        if (SameText(m->UnitName(), unitName)) return true;
    return hostimpl::ScratchBufferNameTaken(unitName);
}
}  // namespace

String MakeUniqueModuleName(const String& base, const String& ext, const String& folder)
{
    // A new module belongs beside the active project; without one in the host's folder.
    const String dir = folder.empty() ? NewFilesFolder() : IncludeTrailingPathDelimiter(folder);
    for (int n = 1;; ++n) {
        String unit = base + IntToStr(n);
        String candidate = dir + unit + ext;
        if (!ModuleNameTaken(unit) && !FileExists(candidate)) return candidate;
    }
}
