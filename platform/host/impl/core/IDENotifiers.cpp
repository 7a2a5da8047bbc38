// The IDE notifiers the IDE services hold and OLE registration.
#include "host/IDENotifiers.h"

#include <algorithm>
#include <map>
#include <set>
#include <typeinfo>

#include "host/MessageServices.h"
#include "hostimpl/HostState.h"
#include "hostimpl/StateListing.h"
#include "rtl/Files.h"

namespace hostimpl {
namespace {

std::map<int, TIntfPtr<IQTAIDENotifier>>& Notifiers()
{
    static std::map<int, TIntfPtr<IQTAIDENotifier>> n;
    return n;
}
int gNextNotifier = 1;

std::set<String>& Registered()
{
    static std::set<String> r;
    return r;
}

// A notifier may remove itself (or another) while it is told: each is told from a copy.
template <class F>
void Tell(F f)
{
    const auto copy = Notifiers();
    for (auto& [index, n] : copy)
        if (Notifiers().count(index)) f(*n);
}

void ListNotifiers(std::vector<String>& out)
{
    for (auto& [index, n] : Notifiers()) out.push_back("IDE notifier" + AtObject(n.get()));
}
const TStateSource kNotifiers("IDE notifiers", ListNotifiers);

}  // namespace

int AddIDENotifier(IQTAIDENotifier* notifier)
{
    if (!notifier) throw EHostError("No notifier to add");
    const int index = gNextNotifier++;
    Notifiers()[index] = TIntfPtr<IQTAIDENotifier>(notifier);
    return index;
}

void RemoveIDENotifier(int index) { Notifiers().erase(index); }

bool FireFileNotification(int code, const String& fileName)
{
    bool cancel = false;
    Tell([&](IQTAIDENotifier& n) { n.FileNotification(code, fileName, cancel); });
    return !cancel;
}

bool FireBeforeCompile(IQProject* project)
{
    bool cancel = false;
    Tell([&](IQTAIDENotifier& n) { n.BeforeCompile(project, cancel); });
    return !cancel;
}

void FireAfterCompileNotifiers(bool succeeded)
{
    Tell([&](IQTAIDENotifier& n) { n.AfterCompile(succeeded); });
}

void RemoveNotifierResidue(const std::function<bool(const void*)>& inModule, std::vector<String>& found)
{
    const auto copy = Notifiers();
    for (auto& [index, n] : copy)
        if (inModule(*reinterpret_cast<void* const*>(n.get()))) {
            Notifiers().erase(index);
            found.push_back("IDE notifier");
        }
}

void ClearIDENotifiers()
{
    Notifiers().clear();
    Registered().clear();
}

}  // namespace hostimpl

void RegisterOleControl(const String& fileName)
{
    hostimpl::Registered().insert(FileNameKey(fileName));
    BMSG(0, 0, fileName, 0, 0, 0, "registered the ActiveX server");
}

void UnregisterOleControl(const String& fileName)
{
    hostimpl::Registered().erase(FileNameKey(fileName));
    BMSG(0, 0, fileName, 0, 0, 0, "unregistered the ActiveX server");
}

bool IsOleControlRegistered(const String& fileName)
{
    return hostimpl::Registered().count(FileNameKey(fileName)) > 0;
}

void ConvertTypeLibraryToAssembly(const String& fileName, std::vector<String>& messages)
{
    // no assembly tools on this platform: the request is reported and nothing is written
    const String text =
        "the type library of " + ExtractFileName(fileName) + " cannot be converted to an assembly here";
    messages.push_back(text);
    BMSG(1, 0, fileName, 0, 0, 0, text);
}
