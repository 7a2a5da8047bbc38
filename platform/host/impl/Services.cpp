#include "hostimpl/HostState.h"

#include "rtl/Files.h"

namespace hostimpl {
namespace {

THostState* gState = nullptr;

// The root service object: answers each service interface by its GUID. The services are parts
// of it, so a reference to any service keeps the whole alive.
class TQuistorIDEServices : public TInterfacedObject {
public:
    TQuistorIDEServices()
    {
        IInterface* self = this;
        FServices.push_back(NewGalleryCategoryManager(self));
        FServices.push_back(NewModuleServices(self));
        FServices.push_back(NewPersonalityServices(self));
        FServices.push_back(NewCppProjectOptions(self));
        FServices.push_back(NewIDEServices(self));
        FServices.push_back(NewHistoryServices(self));
        FServices.push_back(NewCurrentPersonality(self));
        FServices.push_back(NewWizardServices(self));
    }
    HRESULT QueryInterface(const TGUID& iid, void** obj) override
    {
        for (auto& s : FServices)
            if (s->QueryOwnInterface(iid, obj)) return S_OK;
        return TInterfacedObject::QueryInterface(iid, obj);
    }

private:
    std::vector<std::unique_ptr<TAggregatedObject>> FServices;
};

}  // namespace

THostState* StateOrNull() { return gState; }

THostState& State()
{
    if (!gState) throw EHostError("The host is not running");
    return *gState;
}

bool HostRunning() { return gState != nullptr; }

void StartHost(const String& projectFolder)
{
    if (gState) throw EHostError("The host is already running");
    gState = new THostState;
    try {
        SetProjectFolder(projectFolder);
        gState->Personalities = {"Pendro.Personality", sCppPersonality};
        SetTraitSupported(sCppPersonality, IQProjectDocumentTrait::IID, true);
        gState->Compiler = std::make_unique<TCppCompiler>();
        gState->Services = TIntfPtr<IInterface>(new TQuistorIDEServices);
    } catch (...) {
        delete gState;
        gState = nullptr;
        throw;
    }
}

void StopHost()
{
    if (!gState) return;
    gState->CurrentModule.reset();
    gState->ActiveProject.reset();
    gState->Projects.clear();
    gState->LooseModules.clear();
    gState->Services.reset();
    delete gState;
    gState = nullptr;
}

void SetProjectFolder(const String& folder)
{
    State().ProjectFolder = IncludeTrailingPathDelimiter(folder.empty() ? GetCurrentDir() : folder);
}

String ProjectFolder() { return State().ProjectFolder; }

std::vector<TReceivedFile> ReceivedFiles() { return State().Received; }
void ClearReceivedFiles() { State().Received.clear(); }

}  // namespace hostimpl

IInterface* QuistorIDEServices()
{
    auto* s = hostimpl::StateOrNull();
    return s ? s->Services.get() : nullptr;
}
