#include "CppZubIDECmd.h"

#include <cstdio>
#include <memory>

#include "host/CppProjectOptions.h"
#include "host/GalleryServices.h"
#include "host/Hooks.h"
#include "host/HostStrings.h"
#include "host/PersonalityServices.h"
#include "rtl/Files.h"

namespace {

RTL_RESOURCESTRING(sCppZubIdeCmdSources, "CPPZUBIDECMD");
RTL_RESOURCESTRING(sZubAppCaption, "ZUB Forms Application");
RTL_RESOURCESTRING(sZubFormCaption, "Form");
RTL_RESOURCESTRING(sZubFrameCaption, "Frame");
RTL_RESOURCESTRING(sZubDataModuleCaption, "Data Module");
RTL_RESOURCESTRING(sThreadCaption, "Thread Object");
RTL_RESOURCESTRING(sZubAppIcon, "NEWZUBAPP");
RTL_RESOURCESTRING(sZubFormIcon, "NEWZUBFORM");
RTL_RESOURCESTRING(sZubFrameIcon, "NEWZUBFRAME");
RTL_RESOURCESTRING(sZubDataModuleIcon, "NEWZUBDATA");
RTL_RESOURCESTRING(sThreadIcon, "NEWZUBTHREAD");

const char* const kNewCategory = "Quistor.Tolvane.New";
const char* const kNewFilesCategory = "Quistor.Tolvane.NewFiles";
constexpr int kHighSource = 11;

std::vector<String> gSources;

// What IDERegister put into the host, so the finalisation takes exactly that back out.
struct TRegistration {
    std::unique_ptr<TProductStartup> Startup;
    bool FormHookSet = false, ProjectHookSet = false;
    TGetFormCreatorProc OldFormCreator = nullptr;
    TGetProjectCreatorProc OldProjectCreator = nullptr;
    TOwnGalleryCategories Categories;
    std::vector<int> Handlers;
    bool ClassRegistered = false, TemplateRegistered = false;
} gReg;

TIntfPtr<IQModuleCreator> ZubFormCreator(const String& fileName, const String& formName,
                                         const String& ancestorName)
{
    return TIntfPtr<IQModuleCreator>(new TCppZUBFormCreator(fileName, formName, ancestorName));
}

TIntfPtr<IQProjectCreator> ZubProjectCreator(const String& fileName)
{
    return TIntfPtr<IQProjectCreator>(new TCppZUBProjectCreator(fileName, 3));
}

const String& Source(int index)
{
    const auto& s = CppZubIDECmd::Sources();
    if (index < 0 || index >= static_cast<int>(s.size()))
        throw EHostError("The templates of " + String(sCppZubIdeCmdSources) + " are not loaded");
    return s[static_cast<std::size_t>(index)];
}

String UnitNameOf(const String& fileName) { return ChangeFileExt(ExtractFileName(fileName), ""); }

}  // namespace

namespace CppZubIDECmd {

int UseCount = 0;

void Initialization() { gSources = InitModuleSources(HInstance, sCppZubIdeCmdSources, kHighSource); }

void Finalization()
{
    gReg.Startup.reset();
    // A hook is put back only while it is still ours; a later package's value stays.
    if (gReg.FormHookSet && GetFormCreator == &ZubFormCreator) GetFormCreator = gReg.OldFormCreator;
    if (gReg.ProjectHookSet && GetProjectCreator == &ZubProjectCreator)
        GetProjectCreator = gReg.OldProjectCreator;
    for (int h : gReg.Handlers) UnregisterNewHandler(h);
    if (gReg.TemplateRegistered)
        UnregisterProjFormTemplateClass(sCppPersonality, ClassOf<TNewInheritedCppProjectModule>());
    if (gReg.ClassRegistered) UnRegisterClass(ClassOf<TNewInheritedCppProjectModule>());
    gReg.Categories.Release();
    gReg = TRegistration{};
    gSources.clear();
}

const std::vector<String>& Sources() { return gSources; }

}  // namespace CppZubIDECmd

extern "C" void CppZubIDECmd_IDERegister()
{
    auto& r = gReg;
    r.Startup = std::make_unique<TProductStartup>(nullptr);

    r.OldFormCreator = GetFormCreator;
    GetFormCreator = &ZubFormCreator;
    r.FormHookSet = true;
    r.OldProjectCreator = GetProjectCreator;
    GetProjectCreator = &ZubProjectCreator;
    r.ProjectHookSet = true;

    auto top = r.Categories.Ensure(nullptr, kNewCategory, HostStrings::_sNewKVTProject);
    r.Categories.Ensure(top.get(), kNewFilesCategory, HostStrings::_sNewKVTFiles);

    r.Handlers.push_back(RegisterNewHandler(kNewCategory, sZubAppCaption, sZubAppIcon, 1,
                                            ClassOf<TNewZUBApplication>(), "NewKVTZubApp"));
    r.Handlers.push_back(RegisterNewHandler(kNewFilesCategory, sZubFormCaption, sZubFormIcon, 4,
                                            ClassOf<TNewZUBForm>(), "NewKVTZUBForm"));
    r.Handlers.push_back(RegisterNewHandler(kNewFilesCategory, sZubFrameCaption, sZubFrameIcon, 4,
                                            ClassOf<TNewZUBFrame>(), "NewKVTZubFrame"));
    r.Handlers.push_back(RegisterNewHandler(kNewFilesCategory, sZubDataModuleCaption, sZubDataModuleIcon, 4,
                                            ClassOf<TNewZUBDataModule>(), "NewKVTZubDataModule"));
    r.Handlers.push_back(RegisterNewHandler(kNewFilesCategory, sThreadCaption, sThreadIcon, 4,
                                            ClassOf<TNewThread>(), "NewKVTZubThread"));

    GroupDescendentsWith(ClassOf<TNewInheritedCppProjectModule>(), "TControl");
    RegisterClass(ClassOf<TNewInheritedCppProjectModule>());
    r.ClassRegistered = true;
    RegisterProjFormTemplateClass(sCppPersonality, ClassOf<TNewInheritedCppProjectModule>());
    r.TemplateRegistered = true;
}

TProductStartup* ProductStartupObject() { return gReg.Startup.get(); }

String CStringLiteralText(const String& s)
{
    String r;
    for (unsigned char c : s) {
        if (c == '\\' || c == '"') {
            r += '\\';
            r += static_cast<char>(c);
        } else if (c < 0x20 || c == 0x7F) {
            // three octal digits, so a following digit cannot extend the escape
            char buf[5];
            std::snprintf(buf, sizeof buf, "\\%03o", c);
            r += buf;
        } else {
            r += static_cast<char>(c);
        }
    }
    return r;
}

// --- creators ---

TCppZUBFormCreator::TCppZUBFormCreator(const String& fileName, const String& formName,
                                       const String& ancestorName)
    : TCppFormCreator(fileName, formName, ancestorName)
{
}

TIntfPtr<IQSourceFile> TCppZUBFormCreator::FormSource(int index, const String& ext)
{
    return FormatFile(ChangeFileExt(FileName(), ext), Source(index),
                      {DashLine, DashLineCRLF, UnitName(), GetFormName(), GetAncestorName()});
}

TIntfPtr<IQSourceFile> TCppZUBFormCreator::GetSource() { return FormSource(4, ".cpp"); }
TIntfPtr<IQSourceFile> TCppZUBFormCreator::GetInterfaceSource() { return FormSource(3, ".h"); }
TIntfPtr<IQSourceFile> TCppZUBFrameCreator::GetSource() { return FormSource(1, ".cpp"); }
TIntfPtr<IQSourceFile> TCppZUBFrameCreator::GetInterfaceSource() { return FormSource(0, ".h"); }

TIntfPtr<IQSourceFile> TCppZUBProjectCreator::GetSource()
{
    return FormatFile(ChangeFileExt(FileName(), ".cpp"), Source(2),
                      {DashLine, DashLineCRLF, UnitNameOf(FileName())});
}

void TCppZUBProjectCreator::InitTargetOptions()
{
    RequireService<IQCppProjectOptions>("C++ project options")->SetTargetOptions(3, true, 0, 1, 0, 0, 0);
}

void TCppZUBProjectCreator::CreateDefaultModule(IQProject* project)
{
    TCppProjectCreator::CreateDefaultModule(project);
    if (NoForm) return;
    TNewZUBForm item;
    item.CreateForm(project);
}

TCppThreadModuleCreator::TCppThreadModuleCreator(const String& fileName, const String& threadName,
                                                 const String& className)
    : TCppCreator(fileName), FThreadName(threadName), FClassName(className)
{
    DoValidateIdent(FClassName);
}

TIntfPtr<IQSourceFile> TCppThreadModuleCreator::GetSource()
{
    const bool named = !FThreadName.empty();
    return FormatFile(ChangeFileExt(FileName(), ".cpp"), Source(named ? 11 : 10),
                      {DashLine, DashLineCRLF, UnitName(), FClassName, CStringLiteralText(FThreadName)});
}

TIntfPtr<IQSourceFile> TCppThreadModuleCreator::GetInterfaceSource()
{
    const bool named = !FThreadName.empty();
    return FormatFile(ChangeFileExt(FileName(), ".h"), Source(named ? 9 : 8),
                      {DashLine, DashLineCRLF, UnitName(), FClassName});
}

// --- gallery items ---

TIntfPtr<IQProjectCreator> TNewZUBApplication::CreateProjectCreator(const String& projectFileName)
{
    return TIntfPtr<IQProjectCreator>(new TCppZUBProjectCreator(projectFileName, 3));
}

TIntfPtr<IQProject> TNewZUBApplication::GetNewProject()
{
    TIntfPtr<IQPersonalityServices> ps;
    if (!Supports(QuistorIDEServices(), ps) ||
        !ps->SupportsTrait(sCppPersonality, IQProjectDocumentTrait::IID))
        return nullptr;
    TIntfPtr<IQProjectDocumentTrait> trait;
    if (!Supports(ps->GetTrait(sCppPersonality, IQProjectDocumentTrait::IID), trait)) return nullptr;
    TIntfPtr<IQProject> project;
    Supports(trait->GetDocumentModule(ProjectFileName()), project);
    return project;
}

void TNewZUBForm::NewModule(const String& moduleName, const String& ancestorName, IQDocumentModule* owner)
{
    TIntfPtr<IQModuleCreator> creator(new TCppZUBFormCreator(moduleName, "", ancestorName));
    TSourceModule module(creator.get(), "", owner);
}

void TNewZUBFrame::NewModule(const String& moduleName, const String& ancestorName, IQDocumentModule* owner)
{
    TIntfPtr<IQModuleCreator> creator(new TCppZUBFrameCreator(moduleName, "", ancestorName));
    TSourceModule module(creator.get(), "", owner);
}

TIntfPtr<IQModuleCreator> TNewZUBDataModule::GetCreator()
{
    return TIntfPtr<IQModuleCreator>(
        new TCppZUBFormCreator(MakeUniqueModuleName("Unit", ".cpp"), "", "DataModule"));
}

bool TNewThread::IsVisible()
{
    auto project = ActiveProject();
    return !project || SameText(project->Personality(), sCppPersonality);
}

TIntfPtr<IQModuleCreator> TNewThread::GetCreator()
{
    String className, threadName;
    if (!CreateNewThreadModule(className, threadName)) Abort();
    return TIntfPtr<IQModuleCreator>(
        new TCppThreadModuleCreator(MakeUniqueModuleName("Unit", ".cpp"), threadName, className));
}

void TNewInheritedCppProjectModule::Select(int)
{
    TIntfPtr<IQDocumentModule> owner;
    Supports(MainProjectGroup()->CurrentModule(), owner);
    TIntfPtr<IQModuleCreator> creator(
        new TCppZUBFormCreator(MakeUniqueModuleName("Unit", ".cpp"), "", AncestorName()));
    TSourceModule module(creator.get(), "", owner.get());
    module.Show(0);
    module.MarkModified();
}

// --- commands ---

TZUBCommands::TZUBCommands(TComponent* AOwner) : TDataModule(AOwner)
{
    SetName("ZUBCommands");
    ImageList1 = new TImageList(this);
    ImageList1->SetName("ImageList1");
    ActionList1 = new TActionList(this);
    ActionList1->SetName("ActionList1");
    ActionList1->Images = ImageList1;
    auto action = [&](const char* name, const char* caption, const char* hint, int help, int image,
                      void (TZUBCommands::*exec)(TObject*), void (TZUBCommands::*update)(TObject*)) {
        auto* a = new TAction(this);
        a->SetName(name);
        a->Caption = caption;
        a->Hint = hint;
        a->HelpContext = help;
        a->ImageIndex = image;
        a->Category = "File";
        a->OnExecute = [this, exec](TObject* s) { (this->*exec)(s); };
        a->OnUpdate = [this, update](TObject* s) { (this->*update)(s); };
        a->SetActionList(ActionList1);
        return a;
    };
    FileNewZUBApplicationCommand =
        action("FileNewZUBApplicationCommand", "&Application", "New ZUB Application", 1180, 0,
               &TZUBCommands::FileNewZUBApplicationCommandExecute, &TZUBCommands::BusyTestA);
    FileNewZubDAtaModuleCommand =
        action("FileNewZubDAtaModuleCommand", "Data &Module", "New Data Module", 1008, 1,
               &TZUBCommands::FileNewZubDAtaModuleCommandExecute, &TZUBCommands::BusyTestA);
    FileNewZubFrameCommand = action("FileNewZubFrameCommand", "Fra&me", "New Frame", 1020, 2,
                                    &TZUBCommands::FileNewZubFrameCommandExecute, &TZUBCommands::BusyTestB);
    FileNewZubFormCommand = action("FileNewZubFormCommand", "&Form", "New Form", 1007, 3,
                                   &TZUBCommands::FileNewZubFormCommandExecute, &TZUBCommands::BusyTestB);
    PopupMenu1 = new TPopupMenu(this);
    PopupMenu1->SetName("PopupMenu1");
    int n = 1;
    for (TAction* a : {FileNewZUBApplicationCommand, FileNewZubDAtaModuleCommand, FileNewZubFrameCommand,
                       FileNewZubFormCommand}) {
        auto* item = new TMenuItem(this);
        item->SetName("MenuItem" + IntToStr(n++));
        AssignAction(item, a);
        PopupMenu1->Items()->Add(item);
    }
    OnCreate = [this](TObject* s) { DataModuleCreate(s); };
}

void TZUBCommands::DataModuleCreate(TObject*) {}

void TZUBCommands::FileNewZUBApplicationCommandExecute(TObject*)
{
    MainProjectGroup()->CloseAll(0);
    TNewQuistorTemplate item(ClassOf<TNewZUBApplication>());
    item.Select(3);
}

void TZUBCommands::FileNewZubDAtaModuleCommandExecute(TObject*)
{
    TNewQuistorTemplate item(ClassOf<TNewZUBDataModule>());
    item.Select(3);
}

void TZUBCommands::FileNewZubFrameCommandExecute(TObject*)
{
    TNewQuistorTemplate item(ClassOf<TNewZUBFrame>());
    item.Select(3);
}

void TZUBCommands::FileNewZubFormCommandExecute(TObject*)
{
    TNewQuistorTemplate item(ClassOf<TNewZUBForm>());
    item.Select(3);
}

void TZUBCommands::BusyTestA(TObject* Sender)
{
    auto* action = dynamic_cast<TAction*>(Sender);
    if (!action) return;
    if (TCppCompiler* c = Compiler()) action->Enabled = !c->Busy();
}

void TZUBCommands::BusyTestB(TObject* Sender)
{
    auto* action = dynamic_cast<TAction*>(Sender);
    if (!action) return;
    TCppCompiler* c = Compiler();
    action->Enabled = c && !c->Busy();
}

// --- startup ---

TProductStartup::TProductStartup(TComponent* AOwner) : TComponent(AOwner)
{
    FCookie = MainFormCreated().Add([this](TObject* s) { ProductStartup(s); });
}

TProductStartup::~TProductStartup()
{
    MainFormCreated().Remove(FCookie);
    if (FCommands) {
        FCommands->RemoveFreeNotification(this);
        delete FCommands;
        FCommands = nullptr;
    }
}

void TProductStartup::ProductStartup(TObject*)
{
    if (FCommands) return;
    FCommands = NewDataModule<TZUBCommands>(IDEApplication());
    FCommands->FreeNotification(this);
}

void TProductStartup::Notification(TComponent* AComponent, TOperation Operation)
{
    TComponent::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent == FCommands) FCommands = nullptr;
}
