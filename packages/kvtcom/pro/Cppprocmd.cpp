#include "Cppprocmd.h"

#include "host/ComWizard.h"
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

namespace Cppprocmd {
int UseCount = 0;
void Initialization() {}
void Finalization()
{
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

std::unique_ptr<TComObjectExpert> ShowAutoObjectExpert(const String& caption, int helpContext)
{
    std::unique_ptr<TComObjectExpert> d = caption.empty() ? std::make_unique<TAutoObjectCppExpert>()
                                                          : std::make_unique<TAutoObjectCppExpert>(caption);
    d->HelpContext = helpContext;
    if (d->ShowModal() != 1) return nullptr;
    return d;
}

std::unique_ptr<TComObjectExpert> TCppNewAutoObject::ShowExpert() { return ShowAutoObjectExpert("", 1403); }

TIntfPtr<IQModuleCreator> TCppNewAutoObject::GetUnitCreator()
{
    return TIntfPtr<IQModuleCreator>(new TCppAutoObjectCreator(
        FileName, CoClassName, Instancing, ThreadingModel, Description, Events, "", true));
}

TIntfPtr<IQModuleCreator> TCppNewActiveXControl::GetUnitCreator()
{
    return TIntfPtr<IQModuleCreator>(
        new TCppActiveControlCreator(ControlClassName, FileName, CoClassName, 1, Licensed, ""));
}

TIntfPtr<IQModuleCreator> TCppNewActiveXControl::GetAboutUnitCreator()
{
    return TIntfPtr<IQModuleCreator>(new TCppAboutBoxCreator(ControlClassName, CoClassName));
}

TIntfPtr<IQModuleCreator> TCppNewActiveForm::GetUnitCreator()
{
    return TIntfPtr<IQModuleCreator>(new TCppActiveFormCreator(FileName, CoClassName, 1, Licensed));
}

TIntfPtr<IQModuleCreator> TCppNewActiveForm::GetAboutUnitCreator()
{
    return TIntfPtr<IQModuleCreator>(new TCppAboutBoxCreator(CoClassName, CoClassName));
}

std::unique_ptr<TComObjectExpert> TCppNewActiveServerObject::ShowExpert()
{
    auto d = std::make_unique<TAutoObjectCppExpert>("New Active Server Object");
    d->HelpContext = 1403;
    if (d->ShowModal() != 1) return nullptr;
    return d;
}

TIntfPtr<IQModuleCreator> TCppNewActiveServerObject::GetUnitCreator()
{
    TIntfPtr<IQModuleCreator> c;
    if (ServerType == "Object Context")
        c = TIntfPtr<IQModuleCreator>(new TCppActiveServerPageMTSCreator(
            FileName, CoClassName, Instancing, ThreadingModel, "", Events, "", true));
    else
        c = TIntfPtr<IQModuleCreator>(new TCppActiveServerPageCreator(FileName, CoClassName, Instancing,
                                                                      ThreadingModel, "", Events, "", true));
    if (TestPage) GenerateTestPage();
    return c;
}

void TCppNewActiveServerObject::GenerateTestPage()
{
    const String folder = Project ? ExtractFilePath(Project->FileName()) : ExtractFilePath(FileName);
    const String name = Project ? Project->UnitName() : String();
    const String page = folder + CoClassName + ".asp";
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
    return TIntfPtr<IQModuleCreator>(
        new TCppAutoObjectCreator(FileName, CoClassName, Instancing, ThreadingModel, "", false, "", false));
}

TIntfPtr<IQModuleCreator> TCppNewSubscriptionObject::GetUnitCreator()
{
    return TIntfPtr<IQModuleCreator>(new TCppCOMObjectCreator(
        FileName, CoClassName, Instancing, ThreadingModel, Description, false, InterfaceName, Dual));
}
