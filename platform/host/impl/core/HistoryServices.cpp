#include "host/HistoryServices.h"

#include <algorithm>
#include <vector>

#include "hostimpl/HostState.h"
#include "host/ToolsAPI.h"

HRESULT TNotifierObject::QueryInterface(const TGUID& iid, void** obj)
{
    if (QueryAs<IQTANotifier>(this, iid, obj)) return S_OK;
    return TInterfacedObject::QueryInterface(iid, obj);
}

namespace hostimpl {
namespace {

class THistoryServices : public TAggregatedObject, public IQTAHistoryServices {
public:
    using TAggregatedObject::TAggregatedObject;
    ~THistoryServices() override
    {
        // Items belong to packages that may be gone after the host stops.
        FItems.clear();
    }
    bool QueryOwnInterface(const TGUID& iid, void** obj) override
    {
        return QueryAs<IQTAHistoryServices>(this, iid, obj);
    }

    void AddItem(const TIntfPtr<IQTAHistoryItem>& current, const TIntfPtr<IQTAHistoryItem>& item) override
    {
        if (!item) return;
        int at = FCurrent;
        if (current) {
            const int p = Find(current);
            if (p >= 0) at = p;
        }
        FItems.erase(FItems.begin() + (at + 1), FItems.end());
        FItems.push_back(item);
        FCurrent = static_cast<int>(FItems.size()) - 1;
    }
    int GetBackCount() override { return std::max(FCurrent, 0); }
    TIntfPtr<IQTAHistoryItem> GetItem(int index) override
    {
        if (index < 0 || index >= static_cast<int>(FItems.size()))
            throw EHostError("History index out of range: " + std::to_string(index));
        return FItems[static_cast<std::size_t>(index)];
    }
    int GetForwardCount() override
    {
        return FItems.empty() ? 0 : static_cast<int>(FItems.size()) - FCurrent - 1;
    }
    bool GoBack() override
    {
        if (FCurrent <= 0) return false;
        --FCurrent;
        TIntfPtr<IQTAHistoryItem> item = FItems[static_cast<std::size_t>(FCurrent)];
        item->Show();
        return true;
    }
    bool GoForward() override
    {
        if (FCurrent + 1 >= static_cast<int>(FItems.size())) return false;
        ++FCurrent;
        TIntfPtr<IQTAHistoryItem> item = FItems[static_cast<std::size_t>(FCurrent)];
        item->Show();
        return true;
    }
    void Clear() override
    {
        FItems.clear();
        FCurrent = -1;
    }
    void MoveTo(const TIntfPtr<IQTAHistoryItem>& item) override
    {
        const int p = Find(item);
        if (p >= 0) FCurrent = p;
    }
    void RemoveItem(const TIntfPtr<IQTAHistoryItem>& item) override
    {
        const int p = Find(item);
        if (p < 0) return;
        FItems.erase(FItems.begin() + p);
        if (FCurrent >= p) --FCurrent;
        if (FCurrent < 0 && !FItems.empty()) FCurrent = 0;
    }

private:
    int Find(const TIntfPtr<IQTAHistoryItem>& item) const
    {
        for (std::size_t i = 0; i < FItems.size(); ++i)
            if (FItems[i] == item) return static_cast<int>(i);
        return -1;
    }
    std::vector<TIntfPtr<IQTAHistoryItem>> FItems;
    int FCurrent = -1;  // -1 while empty
};

}  // namespace

std::unique_ptr<TAggregatedObject> NewHistoryServices(IInterface* controller)
{
    return std::make_unique<THistoryServices>(controller);
}

}  // namespace hostimpl
