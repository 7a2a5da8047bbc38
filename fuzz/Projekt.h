#pragma once
// A project file opened in a host of its own, as idehost opens it.
#include <cstdlib>
#include <functional>
#include <sstream>

#include "host/CppProject.h"
#include "hostimpl/HostImpl.h"

// False when the host refuses the file; else `lesen` sees the open project, which is saved
// afterwards when `speichern` says so.
inline bool oeffne_Projekt(const String& ordner, const String& datei,
                           const std::function<void(IQCppProject&)>& lesen, bool speichern)
{
    hostimpl::THostSession host(ordner);
    std::ostringstream aus;
    try {
        hostimpl::RunProjectCommand({"open", datei}, aus);
    } catch (const Exception&) {
        return false;
    }
    TIntfPtr<IQCppProject> p = ActiveCppProject();
    if (!p) std::abort();
    lesen(*p);
    if (speichern) p->Save();
    return true;
}
