#include "Idlcppreg.h"

#include "Idlclassmanager.h"
#include "Idlexpertfilter.h"

#include <memory>

#include "Idldepends.h"
#include "Idlintflist.h"
#include "Idlfilemanager.h"
#include "Idlopenfile.h"
#include "host/MainMenu.h"
#include "Idlproject.h"
#include "Idlprojopts.h"
#include "Idlprojupdater.h"
#include "host/CppPersonality.h"
#include "host/CppProject.h"
#include "Idlenvoptions.h"
#include "host/GalleryServices.h"
#include "host/HostStrings.h"
#include "host/SourceFiles.h"
#include "rtl/Files.h"
#include "rtl/Resources.h"

TIdlCommands* IdlCommands = nullptr;

namespace {

RTL_RESOURCESTRING(sNewIdlFileCaption, "CORBA IDL File");
RTL_RESOURCESTRING(sNewIdlFileIcon, "NEWIDLFILE");

const char* const kNewCategory = "Quistor.Tolvane.New";
const char* const kNewFilesCategory = "Quistor.Tolvane.NewFiles";

// What IDERegister put into the host, so the finalisation takes exactly that back out.
struct TRegistration {
    std::unique_ptr<TProductStartup> Startup;
    TIntfPtr<IQCreateUpdaters> Updaters;
    TOwnGalleryCategories Categories;
    std::vector<int> Handlers;
    // the personality's hooks as they were before
    TIdlCompilerHelperClassProc OldHelperClass = nullptr;
    TIdlOptionsUpdaterClassProc OldUpdaterClass = nullptr;
    TIdlProjectUpdaterClassProc OldProjectUpdaterClass = nullptr;
    TIdlProjectOptionsClassProc OldProjectOptionsClass = nullptr;
    TIdlProjOptsManagerHelperClassProc OldProjOptsHelperClass = nullptr;
    TIdlClassManagerHelperClassProc OldClassManagerHelperClass = nullptr;
    TIdlExpertFilterClassProc OldExpertFilterClass = nullptr;
    bool HooksSet = false;
} gReg;

}  // namespace

void CreateNewIDLFile() {}
// The wizards themselves are the host's; here they first make sure the project has IDL files.
void CreateNewIdlObjectImpl()
{
    TIdlInterfaceList list;
    TIntfPtr<IQCppProject> project = ActiveCppProject();
    EnsureProjectIdlFiles(project.get(), TIdlImplInterfaceListHelper(project.get(), list));
}

void UseCORBAObject()
{
    TIdlInterfaceList list;
    TIntfPtr<IQCppProject> project = ActiveCppProject();
    EnsureProjectIdlFiles(project.get(), TIdlUseInterfaceListHelper(project.get(), list));
}

bool IsIdlFile(const String& fileName) { return SameText(ExtractFileExt(fileName), ".idl"); }

String NewIdlFileName(const String& dir)
{
    for (int n = 1;; ++n) {
        const String name = IncludeTrailingPathDelimiter(dir) + "File" + IntToStr(n) + ".idl";
        if (!FileExists(name)) return name;
    }
}

TIntfPtr<IQSourceFile> TCppIdlFileCreator::GetSource()
{
    return TIntfPtr<IQSourceFile>(new TStringFile(FileName(), ""));
}

TIntfPtr<IQModuleCreator> TNewIDLFile::GetCreator()
{
    return TIntfPtr<IQModuleCreator>(new TCppIdlFileCreator(NewIdlFileName(NewFilesFolder())));
}

bool TCppIdlUpdaters::HandlesFile(const String& fileName) { return IsIdlFile(fileName); }

TIntfPtr<IQCodeUpdater> TCppIdlUpdaters::Create(IQModule* module)
{
    auto manager = std::make_unique<TCppIdlFileManager>(TIntfPtr<IQModule>(module));
    return TIntfPtr<IQCodeUpdater>(new TCppIdlFileUpdater(std::move(manager)));
}

TIdlCommands::TIdlCommands(TComponent* AOwner) : TDataModule(AOwner)
{
    SetName("IdlCommands");
    ImageList1 = new TImageList(this);
    ImageList1->SetName("ImageList1");
    // in the order of the actions' image indexes
    for (const char* icon :
         {"CORBAREFRESH", "CORBAUSEOBJECT", "CORBAKROTIR", "CORBANEWIDL", "CORBANEWOBJECTIMPL"})
        ImageList1->AddIcon(HInstance, icon);
    ActionList1 = new TActionList(this);
    ActionList1->SetName("ActionList1");
    ActionList1->Images = ImageList1;
    auto action = [&](const char* name, const char* category, const String& caption, int image) {
        auto* a = new TAction(this);
        a->SetName(name);
        a->Category = category;
        a->Caption = caption;
        String hint;
        for (char c : caption)
            if (c != '&') hint += c;
        a->Hint = hint;
        a->ImageIndex = image;
        a->SetActionList(ActionList1);
        return a;
    };
    CORBAUpdateObjects = action("CORBAUpdateObjects", "CORBA", "C&ORBA Refresh", 0);
    CORBAUseObject = action("CORBAUseObject", "CORBA", "Use CORBA Ob&ject...", 1);
    CORBAUseObject->OnExecute = [](TObject*) { UseCORBAObject(); };
    ViewCORBACommands = action("ViewCORBACommands", "View", "CORBA", -1);
    ViewCORBACommands->OnExecute = [this](TObject* s) { ViewCORBACommandsExecute(s); };
    ViewCORBACommands->OnUpdate = [this](TObject* s) { ViewCORBACommandsUpdate(s); };
    CORBAKrotir = action("CORBAKrotir", "CORBA", "IDL Repositor&y...", 2);
    CORBAVantrald = action("CORBAVantrald", "CORBA", "Vantrald Location Agent", -1);
    CORBANewIdl = action("CORBANewIdl", "CORBA", "New IDL File", 3);
    CORBANewIdl->OnExecute = [](TObject*) { CreateNewIDLFile(); };
    CORBANewObjectImpl = action("CORBANewObjectImpl", "CORBA", "New CORBA Object Implementation", 4);
    CORBANewObjectImpl->OnExecute = [](TObject*) { CreateNewIdlObjectImpl(); };
}

TIdlCommands::~TIdlCommands()
{
    // the separators are owned by the main menu's owner: take them out with the commands, so
    // nothing of the package stays in the menu
    std::vector<TMenuItem*> items;
    items.swap(FMenuItems);
    for (TMenuItem* item : items) delete item;
    if (IdlCommands == this) IdlCommands = nullptr;
}

void TIdlCommands::Notification(TComponent* AComponent, TOperation Operation)
{
    TDataModule::Notification(AComponent, Operation);
    // the host may free its main window, with the separators, first
    if (Operation == opRemove) std::erase(FMenuItems, AComponent);
}

void TIdlCommands::InitUIComponents()
{
    TIntfPtr<IQNTAServices> services = RequireService<IQNTAServices>("main window services");
    services->AddImages(ImageList1);
    TMainMenu* menu = services->GetMainMenu();
    auto separator = [&](const char* name, const char* after) {
        std::unique_ptr<TMenuItem> made(new TMenuItem(menu->Owner()));
        made->SetName(name);
        made->SetCaption("-");
        services->InsertMenuItemAfter(made.get(), after);
        TMenuItem* item = made.release();
        FMenuItems.push_back(item);
        item->FreeNotification(this);
    };
    separator("CORBAEditSeparator", "EditLockControlsItem");
    separator("CORBAToolsSeparator2", "ToolsGalleryItem");
    separator("CORBAToolsSeparator1", "ToolsGalleryItem");
}

TControl* TIdlCommands::GetCORBAToolBar() const
{
    TComponent* app = IDEApplication();
    return app ? dynamic_cast<TControl*>(app->FindComponent("CORBAToolBar")) : nullptr;
}

void TIdlCommands::ViewCORBACommandsExecute(TObject*)
{
    if (TControl* bar = GetCORBAToolBar()) bar->SetVisible(!ViewCORBAChecked);
}

void TIdlCommands::ViewCORBACommandsUpdate(TObject*)
{
    if (TControl* bar = GetCORBAToolBar()) ViewCORBAChecked = bar->Visible();
}

void TIdlCommands::FindVantraldCallback(int processId, const String& exeName)
{
    if (SameText(exeName, "vantrald.exe")) FVantraldPid = processId;
}

TProductStartup::TProductStartup(TComponent* AOwner) : TComponent(AOwner)
{
    FCookie = MainFormCreated().Add([this](TObject* s) { ProductStartup(s); });
}

TProductStartup::~TProductStartup()
{
    MainFormCreated().Remove(FCookie);
    delete IdlCommands;
    IdlCommands = nullptr;
}

void TProductStartup::ProductStartup(TObject*)
{
    if (IdlCommands) return;
    std::unique_ptr<TIdlCommands> commands(NewDataModule<TIdlCommands>(IDEApplication()));
    commands->InitUIComponents();
    IdlCommands = commands.release();
}

namespace Idlcppreg {

int UseCount = 0;

void Initialization() {}

void Finalization()
{
    gReg.Startup.reset();
    if (gReg.Updaters) UnRegisterCreateUpdaters(gReg.Updaters.get());
    UnregisterAddInOptions(IdlEnvironmentOptions);
    IdlEnvironmentOptions = nullptr;
    for (int h : gReg.Handlers) UnregisterNewHandler(h);
    if (gReg.HooksSet) {
        IdlCompilerHelperClass = gReg.OldHelperClass;
        IdlOptionsUpdaterClass = gReg.OldUpdaterClass;
        IdlProjectUpdaterClass = gReg.OldProjectUpdaterClass;
        IdlProjectOptionsClass = gReg.OldProjectOptionsClass;
        IdlProjOptsManagerHelperClass = gReg.OldProjOptsHelperClass;
        IdlClassManagerHelperClass = gReg.OldClassManagerHelperClass;
        IdlExpertFilterClass = gReg.OldExpertFilterClass;
        IdlEditorBuffers() = {};
    }
    gReg.Categories.Release();
    gReg = TRegistration{};
}

}  // namespace Idlcppreg

extern "C" void Idlcppreg_IDERegister()
{
    auto& r = gReg;
    r.Startup = std::make_unique<TProductStartup>(nullptr);
    auto top = r.Categories.Ensure(nullptr, kNewCategory, HostStrings::_sNewKVTProject);
    r.Categories.Ensure(top.get(), kNewFilesCategory, HostStrings::_sNewKVTFiles);
    r.Handlers.push_back(RegisterNewHandler(kNewFilesCategory, sNewIdlFileCaption, sNewIdlFileIcon, 4,
                                            ClassOf<TNewIDLFile>(), "NewKVTIdlFile"));
    r.Updaters = TIntfPtr<IQCreateUpdaters>(new TCppIdlUpdaters);
    RegisterCreateUpdaters(r.Updaters);
    IdlEnvironmentOptions =
        static_cast<TIdlEnvironmentOptions*>(RegisterAddInOptions(NewIdlEnvironmentOptions));
    RegisterIDLFileHandler();
    r.OldHelperClass = IdlCompilerHelperClass;
    r.OldUpdaterClass = IdlOptionsUpdaterClass;
    r.OldProjectUpdaterClass = IdlProjectUpdaterClass;
    r.OldProjectOptionsClass = IdlProjectOptionsClass;
    r.OldProjOptsHelperClass = IdlProjOptsManagerHelperClass;
    r.OldClassManagerHelperClass = IdlClassManagerHelperClass;
    r.OldExpertFilterClass = IdlExpertFilterClass;
    r.HooksSet = true;
    IdlCompilerHelperClass = NewIdlCompilerHelper;
    IdlOptionsUpdaterClass = NewIdlOptionsUpdater;
    IdlProjectUpdaterClass = NewIdlProjectUpdater;
    IdlProjectOptionsClass = NewIdlProjectOptions;
    IdlProjOptsManagerHelperClass = NewIdlProjOptsManagerHelper;
    IdlClassManagerHelperClass = NewIdlClassManagerHelper;
    IdlExpertFilterClass = NewIdlExpertFilter;
    ConnectIdlEditorBuffers();
}
