#pragma once
// The host's services. Packages reach every service through QuistorIDEServices, asking it for
// the service interface by GUID:
//     TIntfPtr<IQModuleServices> ms;
//     if (Supports(QuistorIDEServices(), ms)) ...
#include "host/Export.h"
#include "rtl/Intf.h"

// The host's service object, or nullptr before the host has started (and after it has ended).
HOST_API IInterface* QuistorIDEServices();

class HOST_API EHostError : public Exception {
public:
    using Exception::Exception;
};

// The service of type I; raises EHostError when the host does not offer it.
template <class I>
TIntfPtr<I> RequireService(const char* what)
{
    TIntfPtr<I> s;
    if (!Supports(QuistorIDEServices(), s)) throw EHostError(String("The host offers no ") + what);
    return s;
}

// The personality of the C++ tools.
inline constexpr const char* sCppPersonality = "Tolvane.Personality";
