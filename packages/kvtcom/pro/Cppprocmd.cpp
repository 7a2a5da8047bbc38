#include "Cppprocmd.h"

#include <algorithm>

#include "host/ComWizard.h"
#include "host/CppClassUpdater.h"
#include "rtl/Files.h"

namespace {
RTL_RESOURCESTRING(
    sTestPageHead,
    "<HTML>\r\n<HEAD>\r\n<TITLE> Testing Tolvane ASP </TITLE>\r\n</HEAD>\r\n<BODY>\r\n<CENTER>\r\n"
    "<H3> You should see the results of your Tolvane Active Server method below </H3>\r\n"
    "</CENTER>\r\n<HR>\r\n<% Set TolvaneASPObj = Server.CreateObject(\"");
RTL_RESOURCESTRING(sTestPageTail,
                   "\")\r\nTolvaneASPObj.{Insert Method name here}\r\n%>\r\n<HR>\r\n</BODY>\r\n</HTML>\r\n");
TGetATLUnitCreatorProc gOldATLProc = nullptr;
bool gOldCanSwap = false, gHooked = false;
}  // namespace

namespace {
// The save callbacks of this package's code leave the type-library modules with it.
void RemoveAtlCallbacks()
{
    TIntfPtr<IQModuleServices> ms;
    if (!Supports(QuistorIDEServices(), ms)) return;
    TIntfPtr<IQProjectGroup> group = ms->MainProjectGroup();
    for (int i = 0; i < group->OpenModuleCount(); ++i) {
        TIntfPtr<IQProject> p;
        if (!Supports(group->OpenModule(i), p)) continue;
        if (TIntfPtr<IQTypeLibModule> m = FindTypeLibModule(p.get()))
            m->RemoveSaveCallbacksOf(reinterpret_cast<const void*>(&AddAtlCallback));
    }
}
}  // namespace

namespace Cppprocmd {
int UseCount = 0;
void Initialization() {}
void Finalization()
{
    RemoveAtlCallbacks();
    if (!gHooked) return;
    if (GetATLUnitCreatorProc == &CppATLUnitCreator) GetATLUnitCreatorProc = gOldATLProc;
    CanSwapTlibEditLanguage = gOldCanSwap;
    gHooked = false;
}
}  // namespace Cppprocmd

extern "C" void Cppprocmd_IDERegister()
{
    if (gHooked) return;
    gOldATLProc = GetATLUnitCreatorProc;
    gOldCanSwap = CanSwapTlibEditLanguage;
    gHooked = true;
    CanSwapTlibEditLanguage = true;
    GetATLUnitCreatorProc = &CppATLUnitCreator;
}

TIntfPtr<IQModuleCreator> CppATLUnitCreator(IQProject* project)
{
    if (!project) project = ActiveProject().get();
    if (!project) throw EHostError("There is no active project");
    const String file = project->FileName();
    const String module = ChangeFileExt(ExtractFileName(file), "");
    return TIntfPtr<IQModuleCreator>(
        new TATLUnitCreator(ExtractFilePath(file) + MakeATLModuleName(module) + ".cpp"));
}

TIntfPtr<IQModuleCreator> TCppNewComObject::GetUnitCreator()
{
    return TIntfPtr<IQModuleCreator>(new TCppCOMObjectCreator(
        FileName, CoClassName, Instancing, ThreadingModel, Description, Events, InterfaceName, Dual));
}

std::unique_ptr<TComObjectExpert> TCppNewComObject::ShowComObjectExpert(TDialogFactory makeDialog,
                                                                        int helpContext,
                                                                        const String& className,
                                                                        const String& caption)
{
    std::unique_ptr<TComObjectExpert> d = makeDialog ? makeDialog() : std::make_unique<TCppComObjectExpert>();
    d->HelpContext = helpContext;
    if (!caption.empty()) d->SetCaption(caption);
    d->edtClassName->SetText(className);
    d->Offer(Offers());
    if (d->Execute() != mrOk) return nullptr;
    return d;
}

std::unique_ptr<TComObjectExpert> TCppNewComObject::ShowExpert()
{
    return ShowComObjectExpert(nullptr, hcNewComObject, GetDefaultName(), "");
}

void TCppNewComObject::ReadExpert(TComObjectExpert& dialog)
{
    MarkOleAutomation = dialog.cbMarkOleAutomation->Checked();
    IncludeTypeLib = true;
    TComWizardItem::ReadExpert(dialog);
}

std::unique_ptr<TComObjectExpert> ShowAutoObjectExpert(const String& caption, int helpContext, int offers)
{
    std::unique_ptr<TComObjectExpert> d = caption.empty() ? std::make_unique<TAutoObjectCppExpert>()
                                                          : std::make_unique<TAutoObjectCppExpert>(caption);
    d->HelpContext = helpContext;
    d->Offer(offers);
    if (d->Execute() != mrOk) return nullptr;
    return d;
}

std::unique_ptr<TComObjectExpert> TCppNewAutoObject::ShowExpert()
{
    return ShowAutoObjectExpert("", 1403, Offers());
}

TIntfPtr<IQModuleCreator> TCppNewAutoObject::GetUnitCreator()
{
    return TIntfPtr<IQModuleCreator>(new TCppAutoObjectCreator(
        FileName, CoClassName, Instancing, ThreadingModel, Description, Events, InterfaceName, true));
}

int NextToolboxBitmapNumber(IQProject* project)
{
    int highest = 0;
    for (int i = 0; project && i < project->ModuleCount(); ++i)
        if (std::unique_ptr<TCppClassManager> m = GetClassManager(project->Module(i).get()))
            for (const auto& c : m->Classes()) highest = std::max(highest, c.ToolboxBitmap);
    return highest + 1;
}

TIntfPtr<IQModuleCreator> TCppNewActiveXControl::GetUnitCreator()
{
    return TIntfPtr<IQModuleCreator>(new TCppActiveControlCreator(
        ControlClassName, FileName, CoClassName, NextToolboxBitmapNumber(Project.get()), Licensed, ""));
}

TIntfPtr<IQModuleCreator> TCppNewActiveXControl::GetAboutUnitCreator()
{
    return TIntfPtr<IQModuleCreator>(new TCppAboutBoxCreator(ControlClassName, CoClassName));
}

TIntfPtr<IQModuleCreator> TCppNewActiveForm::GetUnitCreator()
{
    return TIntfPtr<IQModuleCreator>(
        new TCppActiveFormCreator(FileName, CoClassName, NextToolboxBitmapNumber(Project.get()), Licensed));
}

TIntfPtr<IQModuleCreator> TCppNewActiveForm::GetAboutUnitCreator()
{
    return TIntfPtr<IQModuleCreator>(new TCppAboutBoxCreator(CoClassName, CoClassName));
}

std::unique_ptr<TComObjectExpert> TCppNewActiveServerObject::ShowExpert()
{
    auto d = std::make_unique<TCppActiveServerObjectExpert>();
    d->HelpContext = 1403;
    d->Offer(Offers());
    if (d->Execute() != mrOk) return nullptr;
    return d;
}

void TCppNewActiveServerObject::ReadExpert(TComObjectExpert& dialog)
{
    TComWizardItem::ReadExpert(dialog);
    auto& d = dynamic_cast<TCppActiveServerObjectExpert&>(dialog);
    ServerType = d.ObjectContext() ? "Object Context" : "";
    TestPage = d.cbTestScript->Checked();
}

TIntfPtr<IQModuleCreator> TCppNewActiveServerObject::GetUnitCreator()
{
    TIntfPtr<IQModuleCreator> c;
    if (ServerType == "Object Context")
        c = TIntfPtr<IQModuleCreator>(new TCppActiveServerPageMTSCreator(
            FileName, CoClassName, Instancing, ThreadingModel, Description, Events, InterfaceName, true));
    else
        c = TIntfPtr<IQModuleCreator>(new TCppActiveServerPageCreator(
            FileName, CoClassName, Instancing, ThreadingModel, Description, Events, InterfaceName, true));
    if (TestPage) GenerateTestPage();
    return c;
}

void TCppNewActiveServerObject::GenerateTestPage()
{
    const String folder = Project ? ExtractFilePath(Project->FileName()) : ExtractFilePath(FileName);
    const String name = Project ? Project->UnitName() : String();
    // A page of that name that is already there (the user's, or another object's) stays.
    String page = folder + CoClassName + ".asp";
    if (FileExists(page)) page = MakeUniqueModuleName(CoClassName, ".asp", folder);
    TIntfPtr<IQModuleCreator> c(
        new TFileCreator(page, sTestPageHead.str() + name + "." + CoClassName + sTestPageTail.str()));
    ModuleServices()->CreateModule(c.get(), Project.get());
}

TIntfPtr<IQModuleCreator> TCppNewPropertyPage::GetUnitCreator()
{
    return TIntfPtr<IQModuleCreator>(new TCppPropertyPageCreator(FileName, CoClassName));
}

TIntfPtr<IQModuleCreator> TCppNewComPlusEventObject::GetUnitCreator()
{
    return TIntfPtr<IQModuleCreator>(new TCppAutoObjectCreator(
        FileName, CoClassName, Instancing, ThreadingModel, Description, Events, InterfaceName, false));
}

TIntfPtr<IQModuleCreator> TCppNewSubscriptionObject::GetUnitCreator()
{
    return TIntfPtr<IQModuleCreator>(new TCppCOMObjectCreator(
        FileName, CoClassName, Instancing, ThreadingModel, Description, Events, InterfaceName, Dual));
}

// ---- type library and ActiveX library ------------------------------------------------------------

namespace {

// A stand-alone library in the type-library editor, referring to the component library's.
void OpenStandAloneTypeLibrary() { OpenNewTypeLibrary()->AddReference(LIBID_StdZUB, 4, 1, 0, "stdzub.tlb"); }

// The project's type-library module, made and shown; the project kinds that cannot have one
// stop the wizard.
TIntfPtr<IQTypeLibModule> ProjectTypeLibModule(IQProject* project)
{
    RequireTypeLibraryProject(project);
    TIntfPtr<IQTypeLibModule> m = GetOrCreateTypeLibModule(project);
    m->TypeLibrary()->AddReference(LIBID_StdZUB, 4, 1, 0, "stdzub.tlb");
    m->Show();
    return m;
}

}  // namespace

void TCppNewTypeLibrary::Select(int)
{
    StartWizard();
    EndWizard();
}

void TCppNewTypeLibrary::StartWizard()
{
    TIntfPtr<IQProject> project = ActiveProject();
    if (!project || GetTypeLibrary(project.get()))
        OpenStandAloneTypeLibrary();
    else
        ProjectTypeLibModule(project.get());
}

void TCppNewTypeLibrary::EndWizard() { AddAtlCallback(ActiveProject().get()); }

void TCppActiveLibrary::Select(int)
{
    TIntfPtr<IQProjectCreator> creator = GetProjectCreator();
    if (creator) ModuleServices()->CreateProject(creator.get());
    EndWizard();
}

TIntfPtr<IQProjectCreator> TCppActiveLibrary::GetProjectCreator()
{
    const String file = ModuleServices()->CreateNewProjectFileName(sCppPersonality);
    if (file.empty()) return nullptr;
    return TIntfPtr<IQProjectCreator>(new TCppActiveLibraryCreator(file, pkActiveXLibrary));
}

void TCppActiveLibrary::EndWizard()
{
    TIntfPtr<IQProject> project = ActiveProject();
    if (!project) return;
    TIntfPtr<IQTypeLibUpdater> updater;
    if (Supports(GetProjectUpdater(project.get()), updater)) updater->NewLibraryProject();
    TIntfPtr<IQTypeLibSaveCallback> callback(new TAtlSaveCallback(project.get()));
    if (GetTypeLibrary(project.get()))
        OpenStandAloneTypeLibrary();
    else
        ProjectTypeLibModule(project.get())->AddSaveCallback(callback.get());
}

// ---- the end of the COM wizards ----------------------------------------------------------------

void AddComObjectToProject(IQProject* project, const String& coClassName, const String& fileName)
{
    if (coClassName.empty()) return;
    TIntfPtr<IQTypeLibUpdater> updater;
    if (Supports(GetProjectUpdater(project), updater)) updater->NewComObject(coClassName, fileName);
}

void AddAtlCallback(IQProject* project)
{
    if (!project || !IsApplication(project)) return;
    TIntfPtr<IQTypeLibSaveCallback> callback(new TAtlSaveCallback(project));
    if (TIntfPtr<IQTypeLibModule> m = FindTypeLibModule(project)) m->AddSaveCallback(callback.get());
}

void EndComObjectWizard(IQProject* project, const String& coClassName, const String& fileName,
                        bool atlCallback)
{
    AddComObjectToProject(project, coClassName, fileName);
    if (atlCallback) AddAtlCallback(project);
    FixStuff(project, fileName, coClassName);
}

HRESULT TAtlSaveCallback::QueryInterface(const TGUID& iid, void** obj)
{
    if (QueryAs<IQTypeLibSaveCallback>(this, iid, obj)) return S_OK;
    return TInterfacedObject::QueryInterface(iid, obj);
}

void TAtlSaveCallback::Save()
{
    TAtlSourceModule* atl = FindAtlSourceModule(FProject.get());
    if (!atl) return;
    const String file = FProject->FileName();
    atl->Rename(ExtractFilePath(file) + ChangeFileExt(ExtractFileName(file), "") + "_ATL.cpp");
    atl->Save();
}

void TCppNewComObject::EndWizard() { EndComObjectWizard(Project.get(), CoClassName, FileName, true); }
void TCppNewAutoObject::EndWizard() { EndComObjectWizard(Project.get(), CoClassName, FileName, true); }
void TCppNewComPlusEventObject::EndWizard()
{
    EndComObjectWizard(Project.get(), CoClassName, FileName, true);
}
void TCppNewActiveXControl::EndWizard() { AddComObjectToProject(Project.get(), CoClassName, FileName); }
void TCppNewActiveForm::EndWizard() { EndComObjectWizard(Project.get(), CoClassName, FileName, false); }
void TCppNewPropertyPage::EndWizard() { EndComObjectWizard(Project.get(), CoClassName, FileName, false); }
void TCppNewSubscriptionObject::EndWizard() { FixStuff(Project.get(), FileName, CoClassName); }

void TCppNewActiveServerObject::EndWizard()
{
    if (TIntfPtr<IQTypeLibModule> m = FindTypeLibModule(Project.get())) {
        m->SelectPage(0);
        m->Refresh();
    }
    EndComObjectWizard(Project.get(), CoClassName, FileName, false);
    FixStuff(Project.get(), FileName, CoClassName);
}
