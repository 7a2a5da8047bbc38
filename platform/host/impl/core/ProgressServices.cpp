#include "host/ProgressServices.h"

#include "host/MessageServices.h"

#include "hostimpl/HostState.h"

namespace hostimpl {
namespace {

class TProgressServices : public TAggregatedObject, public IQProgressServices {
public:
    using TAggregatedObject::TAggregatedObject;
    bool QueryOwnInterface(const TGUID& iid, void** obj) override
    {
        return QueryAs<IQProgressServices>(this, iid, obj);
    }
    void Progress(int kind, const String& text) override
    {
        // what came into the message view after this report belongs to this file's work
        TIntfPtr<IQMessageServices> ms;
        const std::size_t held = Supports(QuistorIDEServices(), ms) ? ms->Messages().size() : 0;
        FReports.push_back({kind, text, held});
    }
    std::vector<TIDEProgress> Reports() override { return FReports; }
    void ClearReports() override { FReports.clear(); }

private:
    std::vector<TIDEProgress> FReports;
};

}  // namespace

std::unique_ptr<TAggregatedObject> NewProgressServices(IInterface* controller)
{
    return std::make_unique<TProgressServices>(controller);
}

}  // namespace hostimpl

void BPROGRESS(int kind, const String& text)
{
    TIntfPtr<IQProgressServices> ps;
    if (Supports(QuistorIDEServices(), ps)) ps->Progress(kind, text);
}
