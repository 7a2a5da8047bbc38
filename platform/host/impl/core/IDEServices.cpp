#include <cstdlib>

#include "hostimpl/HostState.h"
#include "host/IDENotifiers.h"
#include "host/IDEServices.h"
#include "hostimpl/IDEServicesImpl.h"
#include "rtl/Files.h"

namespace hostimpl {

int AddIDENotifier(IQTAIDENotifier* notifier);
void RemoveIDENotifier(int index);

namespace {

String gTemplateDirectory;

class TIDEServices : public TAggregatedObject, public IQIDEServices {
public:
    using TAggregatedObject::TAggregatedObject;
    bool QueryOwnInterface(const TGUID& iid, void** obj) override
    {
        return QueryAs<IQIDEServices>(this, iid, obj);
    }
    String GetTemplateDirectory() override { return TemplateDirectory(); }
    int AddNotifier(IInterface* notifier) override
    {
        TIntfPtr<IQTAIDENotifier> n;
        if (!notifier || !Supports(notifier, n)) throw EHostError("No IDE notifier to add");
        return AddIDENotifier(n.get());
    }
    void RemoveNotifier(int index) override { RemoveIDENotifier(index); }
};

}  // namespace

std::unique_ptr<TAggregatedObject> NewIDEServices(IInterface* controller)
{
    return std::make_unique<TIDEServices>(controller);
}

void SetTemplateDirectory(const String& folder)
{
    gTemplateDirectory = folder.empty() ? String() : IncludeTrailingPathDelimiter(folder);
}

String TemplateDirectory()
{
    if (!gTemplateDirectory.empty()) return gTemplateDirectory;
    if (const char* env = std::getenv("QUISTOR_TEMPLATES"); env && *env)
        return IncludeTrailingPathDelimiter(env);
    return ExtractFilePath(ExeFileName()) + "templates/";
}

}  // namespace hostimpl
