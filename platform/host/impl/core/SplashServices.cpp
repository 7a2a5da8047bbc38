#include "host/SplashServices.h"

#include "hostimpl/DesignRegistries.h"
#include "hostimpl/HostState.h"

namespace hostimpl {
namespace {

std::vector<TSplashEntry>& Entries()
{
    static std::vector<TSplashEntry> e;
    return e;
}

class TSplashScreenServices : public TAggregatedObject, public IQTASplashScreenServices {
public:
    using TAggregatedObject::TAggregatedObject;
    bool QueryOwnInterface(const TGUID& iid, void** obj) override
    {
        return QueryAs<IQTASplashScreenServices>(this, iid, obj);
    }
    void AddPluginBitmap(const String& caption, const TBitmap* bitmap, bool, const String&,
                         const String&) override
    {
        TraceRegistration("AddPluginBitmap " + caption);
        // A copy of what is shown: nothing of the caller's bitmap is kept.
        Entries().push_back({caption, bitmap ? bitmap->Width() : 0, bitmap ? bitmap->Height() : 0,
                             bitmap ? bitmap->Name() : String()});
    }
};

}  // namespace

std::unique_ptr<TAggregatedObject> NewSplashScreenServices(IInterface* controller)
{
    return std::make_unique<TSplashScreenServices>(controller);
}

}  // namespace hostimpl

std::vector<TSplashEntry> SplashEntries() { return hostimpl::Entries(); }
