#include "Cppprocrtrs.h"

#include <cstdio>

#include "host/ComWizard.h"
#include "host/CppProjectOptions.h"
#include "host/TypeLibrary.h"
#include "rtl/Files.h"
#include "rtl/Guid.h"

namespace {

RTL_RESOURCESTRING(sCppProCrtrs, "CppProCrtrs");
constexpr int kHighSource = stATLUnitSource;

std::vector<String> gSources;

String ActiveProjectName()
{
    auto p = ActiveProject();
    return p ? p->UnitName() : String();
}

String ActiveTypeLibUnitName() { return TypeLibUnitName(ActiveProject().get()); }

// A fresh GUID as the initialiser list of DEFINE_GUID.
String NewClsidInitializer()
{
    const TGUID g = CreateGUID();
    char buf[128];
    std::snprintf(
        buf, sizeof buf,
        "0x%8.8x, 0x%4.4x, 0x%4.4x, 0x%2.2x, 0x%2.2x, 0x%2.2x, 0x%2.2x, 0x%2.2x, 0x%2.2x, 0x%2.2x, 0x%2.2x",
        static_cast<unsigned>(g.D1), static_cast<unsigned>(g.D2), static_cast<unsigned>(g.D3),
        unsigned{g.D4[0]}, unsigned{g.D4[1]}, unsigned{g.D4[2]}, unsigned{g.D4[3]}, unsigned{g.D4[4]},
        unsigned{g.D4[5]}, unsigned{g.D4[6]}, unsigned{g.D4[7]});
    return buf;
}

}  // namespace

namespace Cppprocrtrs {
int UseCount = 0;
void Initialization() { gSources = InitModuleSources(HInstance, sCppProCrtrs, kHighSource); }
void Finalization() { gSources.clear(); }
}  // namespace Cppprocrtrs

const std::array<String, 2> FALSETRUE = {"FALSE", "TRUE"};

const String& CppProSource(TSourceIndex index)
{
    if (index < 0 || index >= static_cast<int>(gSources.size()))
        throw EHostError("The templates of " + String(sCppProCrtrs) + " are not loaded");
    return gSources[static_cast<std::size_t>(index)];
}

TIntfPtr<IQSourceFile> TCppProCreator::FormatSource(TSourceIndex index, const String& ext,
                                                    const TVarRecs& args)
{
    return FormatFile(ChangeFileExt(FileName(), ext), CppProSource(index), args);
}

TCppCOMCreator::TCppCOMCreator(const String& fileName)
    : TCppProCreator(fileName), FExpertFilter(CoExpertFilter::Create())
{
}

TCppCoClassCreator::TCppCoClassCreator(const String& fileName, const String& coClassName,
                                       const String& instancing, const String& threadingModel,
                                       const String& description, bool events)
    : TCppCOMCreator(fileName)
{
    ValidateIdent(coClassName);
    FCoClassName = coClassName;
    FInstancing = instancing;
    FThreadingModel = threadingModel;
    FDescription = description;
    FEvents = events;
}

TCppCoClassLicCreator::TCppCoClassLicCreator(const String& fileName, const String& coClassName, bool licensed)
    : TCppCoClassCreator(fileName, coClassName, "", "", "", false)
{
    if (licensed) FLicenseGUID = CreateClassID();
}

String TCppCoClassLicCreator::LicensingBlock()
{
    if (FLicenseGUID.empty()) return "";
    return CodeFix(Format(CppProSource(stActiveXControlLicensing),
                          {FLicenseGUID, FCoClassName, CppStringText(ActiveProjectName())}));
}

TCppActiveControlCreator::TCppActiveControlCreator(const String& zubClassName, const String& fileName,
                                                   const String& coClassName, int bitmapNumber, bool licensed,
                                                   const String& extra)
    : TCppCoClassLicCreator(fileName, coClassName, licensed), FZubClassName(zubClassName),
      FBitmapNumber(bitmapNumber), FExtra(extra)
{
}

TIntfPtr<IQSourceFile> TCppActiveControlCreator::GetSource()
{
    return FormatSource(stActiveXControlSource, ".cpp", {DashLine, DashLineCRLF, UnitName()});
}

TIntfPtr<IQSourceFile> TCppActiveControlCreator::GetInterfaceSource()
{
    const String project = ActiveProjectName();
    // the unit's interfaces are declared by the type library's header
    return FormatSource(stActiveXControlHeader, ".h",
                        {UnitName(), FCoClassName, FZubClassName, ActiveTypeLibUnitName(), FBitmapNumber,
                         LicensingBlock(), FExtra, project, sPropertyMapComment.str(),
                         sAXRegistryMacroComment.str(), sCOMMapComment.str(), sDEFINELIBIDComment.str(),
                         sDECLAREZUBPERSISTENCEComment.str(), DashLine, DashLineCRLF});
}

TCppActiveFormCreator::TCppActiveFormCreator(const String& fileName, const String& coClassName,
                                             int bitmapNumber, bool licensed)
    : TCppCoClassLicCreator(fileName, coClassName, licensed), FBitmapNumber(bitmapNumber)
{
}

TIntfPtr<IQSourceFile> TCppActiveFormCreator::GetSource()
{
    return FormatSource(stActiveFormSource, ".cpp", {UnitName(), FCoClassName, DashLine, DashLineCRLF});
}

TIntfPtr<IQSourceFile> TCppActiveFormCreator::GetInterfaceSource()
{
    return FormatSource(stActiveFormHdr, ".h",
                        {UnitName(), FCoClassName, FCoClassName, ActiveTypeLibUnitName(), FBitmapNumber,
                         LicensingBlock(), ActiveProjectName(), "OLEMISC_SIMPLEFRAME | OLEMISC_ACTSLIKELABEL",
                         sCOMMapComment.str(), sPropertyMapComment.str(), sAXRegistryMacroComment.str(),
                         sDEFINELIBIDComment.str(), sDECLAREZUBPERSISTENCEComment.str(), DashLine,
                         DashLineCRLF});
}

TCppPropertyPageCreator::TCppPropertyPageCreator(const String& fileName, const String& pageName)
    : TCppProCreator(fileName), FPageName(pageName)
{
    // the page's name is its class's and its literal's
    ValidateIdent(pageName);
}

TIntfPtr<IQSourceFile> TCppPropertyPageCreator::GetSource()
{
    return FormatSource(stPropertyPageSource, ".cpp", {UnitName(), FPageName, DashLine, DashLineCRLF});
}

TIntfPtr<IQSourceFile> TCppPropertyPageCreator::GetInterfaceSource()
{
    return FormatSource(stPropertyPageHdr, ".h",
                        {UnitName(), FPageName, FPageName, NewClsidInitializer(), sCOMMapComment.str(),
                         sRegistryMacroComment.str(), DashLine, DashLineCRLF});
}

TCppAboutBoxCreator::TCppAboutBoxCreator(const String& controlName, const String& baseName)
    : TCppProCreator(MakeUniqueModuleName(AboutBoxPrefixName(), ".cpp")), FControlName(controlName),
      FBaseName(baseName)
{
}

String TCppAboutBoxCreator::GetFormName() { return AboutBoxFormName(FBaseName); }

TIntfPtr<IQSourceFile> TCppAboutBoxCreator::GetSource()
{
    return FormatSource(stAboutBoxSource, ".cpp", {UnitName(), GetFormName(), DashLine, DashLineCRLF});
}

TIntfPtr<IQSourceFile> TCppAboutBoxCreator::GetInterfaceSource()
{
    return FormatSource(stAboutBoxHeader, ".h", {UnitName(), GetFormName(), DashLine, DashLineCRLF});
}

TIntfPtr<IQSourceFile> TCppAboutBoxCreator::GetForm()
{
    return CreateAboutBoxFormFile(FileName(), FControlName, FBaseName);
}

TCppCOMObjectCreator::TCppCOMObjectCreator(const String& fileName, const String& coClassName,
                                           const String& instancing, const String& threadingModel,
                                           const String& description, bool events,
                                           const String& interfaceName, bool dual)
    : TCppCoClassCreator(fileName, coClassName, instancing, threadingModel, description, events)
{
    const String base = UnitName();
    const String lib = ActiveProjectName();
    auto& f = *FExpertFilter;
    f.SetVariable("CoClassName", coClassName);
    f.SetVariable("InterfaceName", interfaceName.empty() ? "I" + coClassName : interfaceName);
    f.SetVariable("Description", description);
    f.SetVariable("ClassName", "T" + coClassName + "Impl");
    f.SetVariable("TypeLibModuleName", ActiveTypeLibUnitName());
    f.SetVariable("IDEHeaderName", base + "H");
    f.SetVariable("ThreadingModel", threadingModel);
    f.SetVariable("LibName", lib);
    f.SetVariable("CPPName", UpperCase(base));
    f.SetVariable("HeaderName", base + ".h");
    f.SetVariable("ProgID", lib + "." + coClassName);
    f.SetVariable("ConnectionPointsEnabled", FALSETRUE[events]);
    f.SetVariable("Dual", FALSETRUE[dual]);
}

TIntfPtr<IQSourceFile> TCppCOMObjectCreator::GetSource()
{
    return FilterExpertFile(FExpertFilter.get(), "comobject.cpp", FileName(), ".cpp");
}

TIntfPtr<IQSourceFile> TCppCOMObjectCreator::GetInterfaceSource()
{
    return FilterExpertFile(FExpertFilter.get(), "comobject.h", FileName(), ".h");
}

TCppAutoObjectCreator::TCppAutoObjectCreator(const String& fileName, const String& coClassName,
                                             const String& instancing, const String& threadingModel,
                                             const String& description, bool events,
                                             const String& interfaceName, bool dual)
    : TCppCOMObjectCreator(fileName, coClassName, instancing, threadingModel, description, events,
                           interfaceName, dual)
{
    FExpertFilter->SetVariable("Dual", "TRUE");
}

TIntfPtr<IQSourceFile> TCppBaseActiveServerCreator::AspFile(const String& templateFile, const String& ext)
{
    return FilterExpertFile(FExpertFilter.get(), templateFile, FileName(), ext);
}

TCppActiveServerPageCreator::TCppActiveServerPageCreator(const String& fileName, const String& coClassName,
                                                         const String& instancing,
                                                         const String& threadingModel,
                                                         const String& description, bool events,
                                                         const String& interfaceName, bool dual)
    : TCppBaseActiveServerCreator(fileName, coClassName, instancing, threadingModel, description, events,
                                  interfaceName, dual)
{
    TTypeLibrary* lib = GetTypeLibrary(ActiveProject().get());
    if (!lib) return;
    for (int i = 0; i < lib->TypeCount(); ++i) {
        TTypeObject* t = lib->Type(i);
        if (t->Kind() != tkCoClass || !SameText(t->Name(), coClassName)) continue;
        // without its default interface there is nothing to add the methods to
        TTypeObject* intf = t->DefaultInterface();
        if (!intf) return;
        if (!intf->FindMember("OnStartPage"))
            intf->AddMethod("OnStartPage", intf->NewMemberId())->AddParam("AScriptingContext", vtUnknown);
        if (!intf->FindMember("OnEndPage")) intf->AddMethod("OnEndPage", intf->NewMemberId());
        return;
    }
}

TIntfPtr<IQSourceFile> TATLUnitCreator::GetSource()
{
    return FormatSource(stATLUnitSource, ".cpp", {UnitName(), DashLine, DashLineCRLF});
}

TIntfPtr<IQSourceFile> TATLUnitCreator::GetInterfaceSource()
{
    return FormatSource(stATLUnitHdr, ".h", {UnitName(), sCOMModuleComment.str(), DashLine, DashLineCRLF});
}

TIntfPtr<IQSourceFile> TCppActiveLibraryCreator::GetSource()
{
    const String unit = ChangeFileExt(ExtractFileName(FileName()), "");
    return FormatFile(ChangeFileExt(FileName(), ".cpp"), CppProSource(stAXLibProjectSource),
                      {unit, sCOMModuleComment.str(), sObjectMapComment.str(), sModuleTermComment.str(),
                       sDLLCanUnloadNowComment.str(), sDLLGetClassObjectComment.str(),
                       sDLLRegisterServerComment.str(), sDLLUnregisterServerComment.str(),
                       sDLLEntryPointComment.str(), DashLine, DashLineCRLF});
}

void TCppActiveLibraryCreator::InitTargetOptions()
{
    auto options = RequireService<IQCppProjectOptions>("C++ project options");
    options->SetTargetOptions(8, true, 0, 1, 0, 0, 0);
    options->Commit();
}
