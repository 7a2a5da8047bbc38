#include "hostimpl/HostState.h"

#include "rtl/Files.h"

namespace hostimpl {
namespace {

std::unique_ptr<THostState> gState;

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
        FServices.push_back(NewMessageServices(self));
        FServices.push_back(NewProgressServices(self));
        FServices.push_back(NewSplashScreenServices(self));
        FServices.push_back(NewNTAServices(self));
        FServices.push_back(NewInspectorServices(self));
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

String FolderOrCurrent(const String& folder)
{
    // absolute, so what the host stores does not depend on its working folder
    return IncludeTrailingPathDelimiter(ExpandFileName(folder.empty() ? GetCurrentDir() : folder));
}

}  // namespace

THostState* StateOrNull() { return gState.get(); }

THostState& State()
{
    if (!gState) throw EHostError("The host is not running");
    return *gState;
}

bool HostRunning() { return gState != nullptr; }

void StartHost(const String& projectFolder)
{
    if (gState) throw EHostError("The host is already running");
    // The state is the host's only once it is whole; a failure before leaves no host.
    auto state = std::make_unique<THostState>();
    state->ProjectFolder = FolderOrCurrent(projectFolder);
    state->Personalities = {"Pendro.Personality", sCppPersonality};
    state->Traits[UpperCase(sCppPersonality)].push_back(IQProjectDocumentTrait::IID);
    state->Compiler = std::make_unique<TCppCompiler>();
    AddHostCategories(*state);
    state->Services = TIntfPtr<IInterface>(new TQuistorIDEServices);
    gState = std::move(state);
    CreateMainMenu();
    InstallDialogAnswers();
}

void ClearIDENotifiers();

void StopHost()
{
    if (!gState) return;
    ClearIDENotifiers();
    RemoveDialogAnswers();
    FreeMainMenu();
    DropCodeUpdaters();
    gState->CurrentModule.reset();
    gState->ActiveProject.reset();
    gState->Projects.clear();
    gState->LooseModules.clear();
    gState->Services.reset();
    gState.reset();
}

void SetProjectFolder(const String& folder) { State().ProjectFolder = FolderOrCurrent(folder); }

String ProjectFolder() { return State().ProjectFolder; }

std::vector<TReceivedFile> ReceivedFiles() { return State().Received; }
void ClearReceivedFiles() { State().Received.clear(); }

}  // namespace hostimpl

IInterface* QuistorIDEServices()
{
    auto* s = hostimpl::StateOrNull();
    return s ? s->Services.get() : nullptr;
}
