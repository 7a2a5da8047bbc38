#include "host/CurrentPersonality.h"

#include "hostimpl/HostState.h"

namespace hostimpl {
namespace {

class TCurrentPersonality : public TAggregatedObject, public IQTAPersonalityServices {
public:
    using TAggregatedObject::TAggregatedObject;
    bool QueryOwnInterface(const TGUID& iid, void** obj) override
    {
        return QueryAs<IQTAPersonalityServices>(this, iid, obj);
    }
    String CurrentPersonality() override { return FPersonality; }
    void SetCurrentPersonality(const String& personality) override { FPersonality = personality; }

private:
    String FPersonality;
};

}  // namespace

std::unique_ptr<TAggregatedObject> NewCurrentPersonality(IInterface* controller)
{
    return std::make_unique<TCurrentPersonality>(controller);
}

}  // namespace hostimpl
