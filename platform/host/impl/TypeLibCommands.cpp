// idehost's commands for the active project's type library.
#include <ostream>

#include "host/TypeLibrary.h"
#include "hostimpl/HostImpl.h"
#include "rtl/Files.h"

namespace hostimpl {

void RunTypeLibCommand(std::vector<String> a, std::ostream& out)
{
    if (a.size() != 1) throw EHostError("usage: typelib dump|save");
    const String sub = LowerCase(a[0]);
    TIntfPtr<IQProject> p = ActiveProject();
    if (!p) throw EHostError("No project is open");
    TIntfPtr<IQTypeLibModule> m = FindTypeLibModule(p.get());
    // a saved library beside the project is read when first asked for
    const String beside = ChangeFileExt(p->FileName(), ".tlb");
    if (!m && FileExists(beside)) m = CreateTypeLibModule(p.get(), beside);
    if (!m) throw EHostError("The project " + ExtractFileName(p->FileName()) + " has no type library");
    if (sub == "dump") {
        out << m->TypeLibrary()->Text();
    } else if (sub == "save") {
        m->Save();
        out << "saved " << m->FileName() << "\n";
    } else {
        throw EHostError("usage: typelib dump|save");
    }
}

}  // namespace hostimpl
