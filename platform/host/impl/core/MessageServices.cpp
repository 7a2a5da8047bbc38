#include "host/MessageServices.h"

#include "hostimpl/HostState.h"

namespace hostimpl {
namespace {

class TMessageServices : public TAggregatedObject, public IQMessageServices {
public:
    using TAggregatedObject::TAggregatedObject;
    bool QueryOwnInterface(const TGUID& iid, void** obj) override
    {
        return QueryAs<IQMessageServices>(this, iid, obj);
    }
    void AddMessage(const TIDEMessage& message) override { FMessages.push_back(message); }
    std::vector<TIDEMessage> Messages() override { return FMessages; }
    void ClearMessages() override { FMessages.clear(); }

private:
    std::vector<TIDEMessage> FMessages;
};

}  // namespace

std::unique_ptr<TAggregatedObject> NewMessageServices(IInterface* controller)
{
    return std::make_unique<TMessageServices>(controller);
}

}  // namespace hostimpl

void BMSG(int kind, int group, const String& fileName, int line, int column, int endColumn,
          const String& text)
{
    TIntfPtr<IQMessageServices> ms;
    if (Supports(QuistorIDEServices(), ms))
        ms->AddMessage({kind, group, fileName, line, column, endColumn, text});
}
