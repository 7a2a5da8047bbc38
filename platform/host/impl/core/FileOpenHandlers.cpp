#include "host/FileOpenHandlers.h"

#include <algorithm>

#include "hostimpl/StateListing.h"

namespace {
std::vector<TFileOpenHandler*>& Handlers()
{
    static std::vector<TFileOpenHandler*> list;
    return list;
}
void ListHandlers(std::vector<String>& out)
{
    for (auto* h : Handlers()) out.push_back("open handler" + hostimpl::AtObject(h));
}
const hostimpl::TStateSource kOpenHandlers("open handlers", ListHandlers);

}  // namespace

void RegisterOpenHandler(TFileOpenHandler* handler)
{
    if (handler && std::find(Handlers().begin(), Handlers().end(), handler) == Handlers().end())
        Handlers().push_back(handler);
}

void UnregisterOpenHandler(TFileOpenHandler* handler) { std::erase(Handlers(), handler); }

int OpenHandlerCount() { return static_cast<int>(Handlers().size()); }

bool OpenFileWithHandlers(const String& fileName)
{
    const std::vector<TFileOpenHandler*> list = Handlers();  // a handler may unregister itself
    for (TFileOpenHandler* h : list)
        if (h->CanOpen(fileName)) {
            h->FileOpen(fileName);
            return true;
        }
    return false;
}

TFilterList OpenFileFilters()
{
    TFilterList list;
    for (TFileOpenHandler* h : std::vector<TFileOpenHandler*>(Handlers())) h->GetFilters(&list, false);
    return list;
}
