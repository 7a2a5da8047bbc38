#include "QZDsnWizards.h"

#include <cstdlib>
#include <memory>

#include "QZDsnAppWizForm.h"
#include "host/CppProject.h"
#include "host/CppProjectOptions.h"
#include "host/GalleryServices.h"
#include "host/HostStrings.h"
#include "host/Registry.h"
#include "rtl/Files.h"
#include "rtl/Resources.h"
#include "zub/Dialogs.h"

namespace QZDsnWizard {
namespace {
TIntfPtr<IQGalleryCategory> gCategory[2];  // Pascal, C++
TOwnGalleryCategories gOwnCategories;
}  // namespace

String GetIDEProjectPath()
{
    const char* env = std::getenv("ZEFPROJECTSDIR");
    if (env && *env) return IncludeTrailingPathDelimiter(env);
    return DefaultProjectsFolder();
}

std::vector<String> GroupProjectFiles()
{
    std::vector<String> files;
    auto group = MainProjectGroup();
    for (int i = 0; i < group->OpenModuleCount(); ++i) {
        TIntfPtr<IQProject> p;
        if (Supports(group->OpenModule(i), p)) files.push_back(p->FileName());
    }
    return files;
}

String InstallPath()
{
    return TRegistry().ReadString("Software\\Pelmor Software\\Nimbrel", "KVT Install Path", "");
}

TIntfPtr<IQGalleryCategory> GalleryCategory(bool isCpp, const String& wizardId, bool create)
{
    auto& cat = gCategory[isCpp ? 1 : 0];
    if (!cat && create) {
        TIntfPtr<IQGalleryCategory> parent;
        if (isCpp) {
            // The C++ new-items category comes with the C++ packages; loaded before them, the
            // wizard adds it itself so its category does not land at the top.
            parent = gOwnCategories.Ensure(nullptr, "Quistor.Tolvane.New", HostStrings::_sNewKVTProject);
        } else {
            parent = RequireService<IQGalleryCategoryManager>("gallery")->FindCategory("Quistor.Pendro.New");
        }
        cat = gOwnCategories.Ensure(parent.get(), wizardId, "Nimbrel");
    }
    return cat;
}

void ReleaseGalleryCategories()
{
    gCategory[0].reset();
    gCategory[1].reset();
    gOwnCategories.Release();
}

}  // namespace QZDsnWizard

using namespace QZDsnWizard;

HRESULT TQZWizard::QueryInterface(const TGUID& iid, void** obj)
{
    if (QueryAs<IQTAWizard>(this, iid, obj)) return S_OK;
    return TInterfacedObject::QueryInterface(iid, obj);
}

String TQZWizard::GetPersonality() { return IsCpp ? sCppPersonality : "Pendro.Personality"; }

void TQZWizard::TakeNewNames(const String& classPrefix, const String& folder)
{
    auto& s = Settings();
    s.FileName = MakeUniqueModuleName("Unit", IsCpp ? ".cpp" : ".pas", folder);
    s.UnitIdent = ChangeFileExt(ExtractFileName(s.FileName), "");
    s.FormClassName = classPrefix + (s.UnitIdent.size() > 4 ? s.UnitIdent.substr(4) : String());
}

TIntfPtr<IQGalleryCategory> TQZApplicationWizard::GetGalleryCategory()
{
    return GalleryCategory(IsCpp, GetIDString(), true);
}

void TQZApplicationWizard::Execute()
{
    auto ms = ModuleServices();
    std::unique_ptr<TformAppWizard> dlg(new TformAppWizard(nullptr, IsCpp));
    dlg->ProjectDir = GetIDEProjectPath();
    // The host always has its project group, so a folder left by an earlier session is never
    // proposed again.
    const std::vector<String> group = GroupProjectFiles();
    dlg->ProjectName = GetDefaultProjectName(&group, dlg->ProjectDir);
    dlg->Init();
    if (dlg->ShowModal() != mrOk) return;
    const TQZWizardSettings old = Settings();
    auto& s = Settings();
    // The folder may hold files of the user's own: the new unit takes a name free there.
    s.ProjectDir = IncludeTrailingPathDelimiter(dlg->ProjectDir);
    TakeNewNames("QZForm", s.ProjectDir);
    s.AppType = dlg->AppType;
    s.UseISAPIThreadPool = dlg->UseISAPIThreadPool;
    s.CreateUserSession = dlg->CreateUserSession;
    s.UseServerManager = dlg->UseServerManager;
    s.MainFormType = static_cast<TQZFormType>(dlg->MainFormType);
    s.PoolDataConnections = dlg->PoolDataConnections;
    s.ProjectName = dlg->ProjectName;
    TIntfPtr<TQZProjectCreator> creator(new TQZProjectCreator(IsCpp));
    // The other names are fixed: a file of one of them is the user's, and nothing is made.
    for (const String& f : creator->FileNames())
        if (FileExists(f)) {
            Settings() = old;
            throw EInOutError("The file " + f + " already exists: the project is not created");
        }
    if (!ForceDirectories(s.ProjectDir)) throw EInOutError("Cannot create the folder " + s.ProjectDir);
    auto project = ms->CreateProject(creator.get());
    if (IsCpp) SetupProject(project.get());
}

void TQZApplicationWizard::SetupProject(IQProject* project)
{
    // Without an install folder there is nothing to add: an empty one would put the file
    // system's root on the paths.
    const String install = InstallPath();
    auto options = CppProjectOf(project);
    if (install.empty() || !options) return;
    const String lib = IncludeTrailingPathDelimiter(install);
    options->SetOption("LibPath", AddPathOption(options->GetOption("LibPath"), lib));
    options->SetOption("IncludePath", AddPathOption(options->GetOption("IncludePath"),
                                                    IncludeTrailingPathDelimiter(lib + "include")));
}

namespace {
struct TTypeItem {
    const char *Caption, *Description;
};
const TTypeItem kFormTypes[] = {
    {"Application Form", "Used in Application Mode"},
    {"Application Form 3.2", "Used in Application Mode for PDA support"},
    {"Application Form WAP", "Used in Application Mode for WAP support"},
    {"Page Form", "Used in Page Mode"},
    {"Page Form 3.2", "Used in Page Mode for PDA support"},
};
const TTypeItem kFrameTypes[] = {
    {"HTML 4.0", "Used in HTML 4.0 Applications"},
    {"HTML 3.2", "Used in HTML 3.2 Applications for PDA support"},
};
}  // namespace

TformTypeWizard::TformTypeWizard(TComponent* AOwner, bool frame) : TForm(AOwner), FFrame(frame)
{
    SetName(frame ? "formFrameWizard" : "formFormWizard");
    SetCaption(frame ? "New Frame Wizard" : "New Form Wizard");
    SetBorderStyle(bsDialog);
    SetPosition(poScreenCenter);
    SetBounds(0, 0, 250, frame ? 200 : 250);
    Panel1 = new TControl(this);
    Panel1->SetName("Panel1");
    Panel1->SetParent(this);
    Button1 = new TButton(this);
    Button1->SetName("Button1");
    Button1->SetParent(Panel1);
    Button1->SetBounds(81, 8, 75, 25);
    Button1->SetCaption("&Ok");
    Button1->SetDefault(true);
    Button1->SetModalResult(mrOk);
    Button2 = new TButton(this);
    Button2->SetName("Button2");
    Button2->SetParent(Panel1);
    Button2->SetBounds(165, 8, 75, 25);
    Button2->SetCaption("&Cancel");
    Button2->SetCancel(true);
    Button2->SetModalResult(mrCancel);
    Panel2 = new TControl(this);
    Panel2->SetName("Panel2");
    Panel2->SetParent(this);
    rgrpForm = new TRadioGroup(this);
    rgrpForm->SetName("rgrpForm");
    rgrpForm->SetParent(Panel2);
    rgrpForm->SetBounds(8, 8, 229, frame ? 111 : 161);
    rgrpForm->SetCaption(frame ? " Select Type of Frame " : " Select Type of Form ");
    lablDesc = new TLabel(this);
    lablDesc->SetName("lablDesc");
    lablDesc->SetParent(Panel2);
    lablDesc->SetBounds(8, frame ? 126 : 176, 0, 0);
    if (frame)
        for (const auto& t : kFrameTypes) rgrpForm->Items()->Add(t.Caption);
    else
        for (const auto& t : kFormTypes) rgrpForm->Items()->Add(t.Caption);
    rgrpForm->OnClick = [this](TObject* s) { rgrpFormClick(s); };
    rgrpForm->SetItemIndex(0);
    rgrpFormClick(rgrpForm);
}

void TformTypeWizard::rgrpFormClick(TObject*)
{
    const int i = rgrpForm->ItemIndex();
    const int n = FFrame ? 2 : 5;
    if (i < 0 || i >= n) return;
    lablDesc->SetCaption((FFrame ? kFrameTypes : kFormTypes)[i].Description);
    FFormType = static_cast<TQZFormType>(i);
}

TIntfPtr<IQGalleryCategory> TQZUnitWizard::GetGalleryCategory() { return GalleryCategory(IsCpp, "", false); }

bool TQZUnitWizard::IsVisible(IQProject* project)
{
    if (!project) return false;
    for (int i = 0; i < project->ModuleCount(); ++i)
        if (project->Module(i)->UnitName() == "ServerController") return true;
    return false;
}

void TQZUnitWizard::Execute() { Run(false); }

void TQZFrameWizard::Execute() { Run(true); }

void TQZUnitWizard::Run(bool frame)
{
    std::unique_ptr<TformTypeWizard> dlg(new TformTypeWizard(nullptr, frame));
    if (dlg->ShowModal() != mrOk) return;
    auto ms = ModuleServices();
    Settings().ProjectDir = GetIDEProjectPath();
    TakeNewNames(frame ? "QZFrame" : "QZForm", "");
    auto project = ActiveProject();
    if (!project) return;
    TIntfPtr<IQModuleCreator> c(
        frame ? static_cast<IQModuleCreator*>(new TQZFrameCreator(IsCpp, project.get(), dlg->FormType()))
              : new TQZUnitCreator(IsCpp, project.get(), dlg->FormType(), false));
    ms->CreateModule(c.get(), project.get());
    if (IsCpp) TQZApplicationWizard::SetupProject(project.get());
}
