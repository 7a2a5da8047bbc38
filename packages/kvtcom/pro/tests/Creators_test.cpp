#include <gtest/gtest.h>

#include <set>

#include "Cppprocrtrs.h"
#include "Golden.h"
#include "ProjectTestHost.h"
#include "host/ComWizard.h"
#include "hostimpl/HostImpl.h"
#include "hostimpl/IDEServicesImpl.h"
#include "rtl/Files.h"
#include "testsupport/Pattern.h"

using namespace hostimpl;
using golden::CRLF;

namespace {

const char* const kDash = "//---------------------------------------------------------------------------";

String WithDash(const char* text)
{
    String s = CRLF(text);
    for (auto p = s.find("<DASH>"); p != String::npos; p = s.find("<DASH>")) s.replace(p, 6, kDash);
    return s;
}

class kvtcompro_Creators : public ProjectTestHost {
protected:
    kvtcompro_Creators() : ProjectTestHost("kvtcompro_", KVTCOM_TEMPLATE_DIR) {}
    void SetUp() override
    {
        ProjectTestHost::SetUp();
        Cppprocrtrs::Initialization();
        OpenProject("MyLib.zproj");
    }
    void TearDown() override
    {
        Cppprocrtrs::Finalization();
        ProjectTestHost::TearDown();
    }
};

TEST_F(kvtcompro_Creators, ThirteenTemplatesWithTheirHeadings)
{
    const char* const headings[] = {
        "//$$---- activex control header ---- (stActiveXControlHeader)",
        "//$$---- activex control license support (stActiveXControlLicensing)",
        "//$$---- activex control source ---- (stActiveXControlSource)",
        "//$$---- activex aboutbox header ---- (stAboutBoxHeader)",
        "//$$---- activex aboutbox source ---- (stAboutBoxSource)",
        "//$$---- axlib proj source ---- (stAXLibProjectSource)",
        "//$$---- Active Form HDR ---- (stActiveFormHdr)",
        "//$$---- Active Form CPP ---- (stActiveFormSource)",
        "//$$---- Property page hdr ---- (stPropertyPageHdr)",
        "//$$---- Property page CPP ---- (stPropertyPageSource)",
        "//$$---- component factory source ----",
        "//$$---- ATL unit HDR ---- (stATLUnitHdr)",
        "//$$---- ATL Unit CPP ---- (stATLUnitSource)",
    };
    for (int i = 0; i <= stATLUnitSource; ++i)
        EXPECT_EQ(CppProSource(static_cast<TSourceIndex>(i)).rfind(String(headings[i]) + "\r\n", 0), 0u) << i;
    Cppprocrtrs::Finalization();
    EXPECT_THROW(CppProSource(stATLUnitHdr), EHostError);
    Cppprocrtrs::Initialization();
}

TEST_F(kvtcompro_Creators, ATLUnitSourceAndHeader)
{
    TIntfPtr<IQModuleCreator> c(new TATLUnitCreator(dir + "MyLib_ATL.cpp"));
    auto h = c->GetInterfaceSource();
    EXPECT_EQ(h->FileName(), dir + "MyLib_ATL.h");
    EXPECT_EQ(h->Source(), WithDash(R"(//$$---- ATL unit HDR ---- (stATLUnitHdr)
<DASH>
#ifndef MyLib_ATLH
#define MyLib_ATLH

#if defined(USING_ATLZUB)
#include <atl\atlzub.h>
#elif defined(USING_ATL)
#include <utilcls.h>
#include <atlbase.h>
// The ATL Module: the one object of the server that counts its locks
extern CComModule &_Module;
#include <atlcom.h>
#include <shellapi.h>
#endif

#endif	// MyLib_ATLH
)"));
    auto s = c->GetSource();
    EXPECT_EQ(s->FileName(), dir + "MyLib_ATL.cpp");
    EXPECT_EQ(s->Source(), WithDash(R"(//$$---- ATL Unit CPP ---- (stATLUnitSource)
<DASH>
#include <zub.h>
#pragma hdrstop
#define USING_ATL
#include "MyLib_ATL.h"
#pragma option -w-aus

#ifdef _ATL_STATIC_REGISTRY
#include <statreg.h>
#include <statreg.cpp>
#endif

#include <atl\atlimpl.cpp>

#if defined(USING_ATLZUB)
#include <atl\atlzub.cpp>
#endif
<DASH>
#pragma package(smart_init)
)"));
}

TEST_F(kvtcompro_Creators, UnlicensedActiveXControl)
{
    TIntfPtr<IQModuleCreator> c(
        new TCppActiveControlCreator("TButton", dir + "ButtonImpl1.cpp", "ButtonX", 7, false, ""));
    EXPECT_EQ(c->GetLicenseString(), "");
    EXPECT_EQ(c->GetClasses(), "ButtonX");
    EXPECT_EQ(c->GetInterfaceSource()->Source(),
              WithDash(R"(//$$---- activex control header ---- (stActiveXControlHeader)
<DASH>
#ifndef ButtonImpl1H
#define ButtonImpl1H
<DASH>
#include "MyLib_TLB.h"

class ATL_NO_VTABLE TButtonXImpl:
  ZUBCONTROL_IMPL(TButtonXImpl, ButtonX, TButton, IButtonX, DIID_IButtonXEvents)
{
public:

  void InitializeControl()
  {
  }

// Data used when registering Object
BEGIN_COM_MAP(TButtonXImpl)
  ZUB_CONTROL_COM_INTERFACE_ENTRIES(IButtonX)
END_COM_MAP()


// The PROPERTY map stores property descriptions, property DISPIDs,
// property page CLSIDs and IDispatch IIDs.
BEGIN_PROPERTY_MAP(TButtonXImpl)
  // PROP_PAGE(CLSID_ButtonXPage)
END_PROPERTY_MAP()

// The persistence of the ZUB control wrapped by this object
DECLARE_ZUB_CONTROL_PERSISTENCE(TButtonXImpl, TButton);

// Data used when registering Object
DECLARE_ACTIVEXCONTROL_REGISTRY("", 7);

protected:
};
<DASH>
#endif
)"));
    EXPECT_EQ(c->GetSource()->Source(),
              WithDash(R"(//$$---- activex control source ---- (stActiveXControlSource)
<DASH>
#include <zub.h>
#pragma hdrstop
#include <atl\atlzub.h>

#include "ButtonImpl1.h"
<DASH>
#pragma package(smart_init)
)"));
}

TEST_F(kvtcompro_Creators, LicensedActiveXControlCarriesItsGuid)
{
    TIntfPtr<IQModuleCreator> c(
        new TCppActiveControlCreator("TButton", dir + "B.cpp", "ButtonX", 1, true, ""));
    const String guid = c->GetLicenseString();
    EXPECT_TRUE(MatchesPattern(guid, R"(\{[0-9A-F]{8}(-[0-9A-F]{4}){3}-[0-9A-F]{12}\})")) << guid;
    EXPECT_EQ(c->GetLicenseString(), guid);  // once per creator
    const String h = c->GetInterfaceSource()->Source();
    EXPECT_NE(h.find("    return L\"" + guid + "\";\r\n"), String::npos);
    EXPECT_NE(h.find("    return _T(\"MyLib.lic\");\r\n"), String::npos);
    EXPECT_NE(h.find("  typedef TLicenseString<TButtonXImpl> TLicenseClassImpl;\r\n"), String::npos);
    EXPECT_NE(h.find("TValidateLicense::IsGUIDInFile(GetLicenseString(), GetLicenseFileName())"),
              String::npos);
}

TEST_F(kvtcompro_Creators, CoClassNameMustBeAnIdentifier)
{
    EXPECT_THROW(TCppActiveControlCreator("TButton", dir + "B.cpp", "1Button", 1, false, ""), EHostError);
    EXPECT_THROW(TCppCOMObjectCreator(dir + "C.cpp", "My Obj", "", "Apartment", "", false, "", false),
                 EHostError);
    EXPECT_THROW(TCppActiveFormCreator(dir + "F.cpp", "", 1, false), EHostError);
}

TEST_F(kvtcompro_Creators, ActiveFormAndPropertyPageNames)
{
    TIntfPtr<IQModuleCreator> f(new TCppActiveFormCreator(dir + "FormImpl1.cpp", "MyForm", 3, false));
    EXPECT_EQ(f->GetAncestorName(), "ActiveForm");
    EXPECT_EQ(f->GetFormName(), "MyForm");
    const String h = f->GetInterfaceSource()->Source();
    EXPECT_NE(h.find("#include \"MyLib_TLB.h\"\r\n"), String::npos);
    EXPECT_NE(h.find("class TMyForm : public TActiveForm\r\n"), String::npos);
    EXPECT_NE(h.find("  ZUBCONTROL_IMPL(TMyFormImpl, MyForm, TMyForm, IMyForm, DIID_IMyFormEvents)\r\n"),
              String::npos);
    // the unlicensed block leaves an empty line after the COM map
    EXPECT_NE(h.find("END_COM_MAP()\r\n\r\n\r\n"), String::npos);
    EXPECT_NE(f->GetSource()->Source().find("\r\nTMyForm *MyForm;\r\n"), String::npos);

    TIntfPtr<IQModuleCreator> p(new TCppPropertyPageCreator(dir + "Page1.cpp", "MyPage"));
    EXPECT_EQ(p->GetAncestorName(), "PropertyPage");
    EXPECT_EQ(p->GetFormName(), "MyPage");
    const String guidLine =
        "DEFINE_GUID\\(CLSID_MyPage, 0x[0-9a-f]{8}, 0x[0-9a-f]{4}, 0x[0-9a-f]{4}(, 0x[0-9a-f]{2}){8}\\);";
    String m1, m2;
    const String h1 = p->GetInterfaceSource()->Source(), h2 = p->GetInterfaceSource()->Source();
    ASSERT_TRUE(FindPattern(h1, guidLine, m1)) << h1;
    ASSERT_TRUE(FindPattern(h2, guidLine, m2));
    EXPECT_NE(m1, m2);  // a fresh CLSID each time
    EXPECT_NE(p->GetSource()->Source().find("  // Update your controls from OleObjects\r\n"), String::npos);
}

TEST_F(kvtcompro_Creators, TwoAboutBoxesGetDifferentFiles)
{
    TIntfPtr<IQModuleCreator> a(new TCppAboutBoxCreator("TButton", "ButtonX"));
    EXPECT_EQ(a->GetFileName(), dir + "About1.cpp");
    EXPECT_EQ(a->GetFormName(), "ButtonXAbout");
    EXPECT_EQ(a->GetAncestorName(), "Form");
    EXPECT_NE(a->GetSource()->Source().find("void ShowButtonXAbout(void)\r\n"), String::npos);
    ModuleServices()->CreateModule(a.get(), nullptr);
    TIntfPtr<IQModuleCreator> b(new TCppAboutBoxCreator("TEdit", "EditX"));
    EXPECT_EQ(b->GetFileName(), dir + "About2.cpp");
    EXPECT_EQ(b->GetForm()->FileName(), dir + "About2.zfm");
}

TEST_F(kvtcompro_Creators, ComObjectFilterVariables)
{
    struct Case {
        bool automation;
        const char* interfaceName;
        bool events, dual;
        const char *wantInterface, *wantDual, *wantEvents;
    };
    const Case cases[] = {
        {false, "", false, false, "IMyObj", "FALSE", "FALSE"},
        {false, "IOther", true, true, "IOther", "TRUE", "TRUE"},
        {true, "", false, false, "IMyObj", "TRUE", "FALSE"},
    };
    for (const auto& c : cases) {
        std::unique_ptr<TCppCOMObjectCreator> cr;
        if (c.automation)
            cr.reset(new TCppAutoObjectCreator(dir + "Obj1.cpp", "MyObj", "", "Apartment", "d", c.events,
                                               c.interfaceName, c.dual));
        else
            cr.reset(new TCppCOMObjectCreator(dir + "Obj1.cpp", "MyObj", "", "Apartment", "d", c.events,
                                              c.interfaceName, c.dual));
        TIntfPtr<IQModuleCreator> keep(cr.release());
        auto* co = dynamic_cast<TCppCOMObjectCreator*>(keep.get());
        IExpertFilter* f = co->ExpertFilter();
        EXPECT_EQ(f->GetVariable("InterfaceName"), c.wantInterface);
        EXPECT_EQ(f->GetVariable("Dual"), c.wantDual);
        EXPECT_EQ(f->GetVariable("ConnectionPointsEnabled"), c.wantEvents);
        EXPECT_EQ(f->GetVariable("CoClassName"), "MyObj");
        EXPECT_EQ(f->GetVariable("ClassName"), "TMyObjImpl");
        EXPECT_EQ(f->GetVariable("ProgID"), "MyLib.MyObj");  // the project's name, not the unit's
        EXPECT_EQ(f->GetVariable("LibName"), "MyLib");
        EXPECT_EQ(f->GetVariable("TypeLibModuleName"), "MyLib_TLB");
        EXPECT_EQ(f->GetVariable("IDEHeaderName"), "Obj1H");
        EXPECT_EQ(f->GetVariable("CPPName"), "OBJ1");
        EXPECT_EQ(f->GetVariable("HeaderName"), "Obj1.h");
        EXPECT_EQ(f->GetVariable("ThreadingModel"), "Apartment");
        EXPECT_EQ(f->GetVariable("Description"), "d");
        EXPECT_EQ(keep->GetClasses(), "MyObj");
    }
}

TEST_F(kvtcompro_Creators, ComObjectSourceFromTheHostTemplate)
{
    TIntfPtr<IQModuleCreator> c(
        new TCppCOMObjectCreator(dir + "Obj1.cpp", "MyObj", "", "Apartment", "", false, "", false));
    auto s = c->GetSource();
    EXPECT_EQ(s->FileName(), dir + "Obj1.cpp");
    EXPECT_EQ(s->Source(), CRLF(R"(// OBJ1 : Implementation of TMyObjImpl (MyObj, IMyObj)

#include <zub.h>
#pragma hdrstop

#include "Obj1.h"

/////////////////////////////////////////////////////////////////////////////
// TMyObjImpl

)"));
    const String h = c->GetInterfaceSource()->Source();
    EXPECT_NE(h.find("  public IMyObj\r\n{"), String::npos);
    EXPECT_EQ(h.find("IConnectionPointContainer"), String::npos);
    EXPECT_NE(h.find("DECLARE_PROGID(\"MyLib.MyObj\");"), String::npos);
}

TEST_F(kvtcompro_Creators, ActiveServerObjectsUseTheirTemplates)
{
    TIntfPtr<IQModuleCreator> a(
        new TCppActiveServerPageCreator(dir + "Asp1.cpp", "Page", "", "Both", "", false, "", false));
    EXPECT_NE(
        a->GetSource()->Source().find("STDMETHODIMP TPageImpl::OnStartPage(IUnknown* AScriptingContext)"),
        String::npos);
    TIntfPtr<IQModuleCreator> m(
        new TCppActiveServerPageMTSCreator(dir + "Asp2.cpp", "Ctx", "", "Both", "", false, "", false));
    EXPECT_NE(m->GetInterfaceSource()->Source().find("TASPMTSObject<TCtxImpl, &IID_ICtx, &LIBID_MyLib>"),
              String::npos);
    EXPECT_EQ(m->GetInterfaceSource()->FileName(), dir + "Asp2.h");
}

TEST_F(kvtcompro_Creators, ActiveXLibraryProject)
{
    TCppActiveLibraryCreator c(dir + "AxLib.zproj", 8);
    const String s = c.GetSource()->Source();
    EXPECT_EQ(c.GetSource()->FileName(), dir + "AxLib.cpp");
    EXPECT_NE(s.find("USERES(\"AxLib.res\");\r\n"), String::npos);
    EXPECT_NE(s.find("TComModule  AxLibModule;\r\nTComModule &_Module = AxLibModule;\r\n"), String::npos);
    EXPECT_NE(s.find("// Entry point of the library\r\nint WINAPI DllEntryPoint(HINSTANCE hinst, unsigned "
                     "long reason, void*)"),
              String::npos);
    EXPECT_NE(s.find("#pragma exit ModuleTerm 63\r\n"), String::npos);
    EXPECT_NE(s.find("  return _Module.RegisterServer(TRUE);\r\n"), String::npos);
}

}  // namespace
