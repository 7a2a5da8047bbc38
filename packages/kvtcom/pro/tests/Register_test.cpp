#include <gtest/gtest.h>

#include "Cppprocmd.h"
#include "Cppproreg.h"
#include "Cppprocrtrs.h"
#include "RegisteredHost.h"
#include "host/AppIniFile.h"
#include "hostimpl/HostImpl.h"
#include "host/IDEControl.h"
#include "hostimpl/IDEServicesImpl.h"
#include "rtl/Files.h"

using namespace hostimpl;

namespace {

TEST(kvtcompro_Settings, OptionalItemsFollowTheirKeysExactly)
{
    struct Case {
        const char* value;
        bool defaultOn, want;
    };
    const Case cases[] = {
        {"", false, false}, {"True", false, true},  {"true", false, false}, {"1", false, false},
        {"", true, true},   {"False", true, false}, {"false", true, true},  {"0", true, true},
    };
    for (const auto& c : cases)
        EXPECT_EQ(OptionalWizardOn(c.value, c.defaultOn), c.want) << c.value << c.defaultOn;
}

class kvtcompro_Register : public RegisteredHost {
protected:
    kvtcompro_Register() : RegisteredHost("kvtcompro_reg_") {}
    void SetUp() override
    {
        RegisteredHost::SetUp();
        OpenProject("Web.zproj");
    }
    void TearDown() override
    {
        AppIniFile().EraseSection("Type Library");
        RegisteredHost::TearDown();
    }
    std::vector<String> Names()
    {
        std::vector<String> r;
        for (auto& f : ReceivedFiles()) r.push_back(ExtractFileName(f.FileName));
        return r;
    }
};

TEST_F(kvtcompro_Register, DefaultSettingsOfferActiveFormAndServerButNoControl)
{
    Register();
    EXPECT_THROW(RunGalleryItem("Quistor.Tolvane.ActiveX", "ActiveX Control"), EHostError);
    SetDialogAnswer("com.coclass", "Shop");
    ASSERT_TRUE(RunGalleryItem("Quistor.Tolvane.ActiveX", "Active Server Object"));
    // the test page is named after the CoClass, not after the unit
    EXPECT_EQ(Names(), (std::vector<String>{"Shop.asp", "ShopImpl1.cpp", "ShopImpl1.h"}));
    const String page = ReceivedFiles()[0].Text;
    EXPECT_NE(page.find("<TITLE> Testing Tolvane ASP </TITLE>\r\n"), String::npos);
    EXPECT_NE(
        page.find("Server.CreateObject(\"Web.Shop\")\r\nTolvaneASPObj.{Insert Method name here}\r\n%>\r\n"),
        String::npos);
    EXPECT_NE(ReceivedFiles()[1].Text.find("OnStartPage"), String::npos);

    ClearReceivedFiles();
    SetDialogAnswer("com.coclass", "Ctx");
    SetDialogAnswer("com.servertype", "Object Context");
    SetDialogAnswer("com.testpage", "false");
    ASSERT_TRUE(RunGalleryItem("Quistor.Tolvane.ActiveX", "Active Server Object"));
    EXPECT_EQ(Names(), (std::vector<String>{"CtxImpl1.cpp", "CtxImpl1.h"}));
    EXPECT_NE(ReceivedFiles()[1].Text.find("TASPMTSObject<TCtxImpl"), String::npos);
}

TEST_F(kvtcompro_Register, SettingsSwitchTheOptionalItems)
{
    AppIniFile().WriteString("Type Library", "ActiveXWizard", "True");
    AppIniFile().WriteString("Type Library", "ActiveFormWizard", "False");
    AppIniFile().WriteString("Type Library", "ActiveServerWizard", "false");
    Register();
    EXPECT_THROW(RunGalleryItem("Quistor.Tolvane.ActiveX", "Active Form"), EHostError);
    SetDialogAnswer("com.coclass", "Knob");
    SetDialogAnswer("com.control", "TTrackBar");
    ASSERT_TRUE(RunGalleryItem("Quistor.Tolvane.ActiveX", "ActiveX Control"));
    EXPECT_EQ(Names(),
              (std::vector<String>{"KnobImpl1.cpp", "KnobImpl1.h", "About1.cpp", "About1.h", "About1.zfm"}));
    EXPECT_NE(
        ReceivedFiles()[1].Text.find("ZUBCONTROL_IMPL(TKnobImpl, Knob, TTrackBar, IKnob, DIID_IKnobEvents)"),
        String::npos);
    EXPECT_NE(ReceivedFiles()[3].Text.find("void ShowKnobAbout(void);"), String::npos);
    ClearReceivedFiles();
    SetDialogAnswer("com.coclass", "Shop");
    ASSERT_TRUE(RunGalleryItem("Quistor.Tolvane.ActiveX", "Active Server Object"));  // "false" is not "False"
}

TEST_F(kvtcompro_Register, FinalizationTakesTheItemsBack)
{
    Register();
    Cppproreg::Finalization();
    EXPECT_THROW(RunGalleryItem("Quistor.Tolvane.ActiveX", "COM Object"), EHostError);
    EXPECT_EQ(MainFormCreated().Count(), 0);
}

TEST_F(kvtcompro_Register, ATLUnitHookNamesTheUnitAfterTheProjectAndIsPutBack)
{
    auto* const before = GetATLUnitCreatorProc;
    Cppprocmd_IDERegister();
    EXPECT_TRUE(CanSwapTlibEditLanguage);
    ASSERT_NE(GetATLUnitCreatorProc, nullptr);
    Cppprocrtrs::Initialization();
    auto c = GetATLUnitCreatorProc(nullptr);
    EXPECT_EQ(c->GetFileName(), dir + "Web_ATL.cpp");
    EXPECT_NE(c->GetInterfaceSource()->Source().find("#ifndef Web_ATLH\r\n"), String::npos);
    Cppprocmd::Finalization();
    EXPECT_EQ(GetATLUnitCreatorProc, before);
    EXPECT_FALSE(CanSwapTlibEditLanguage);
}

TEST_F(kvtcompro_Register, PropertyPageAndComPlusItems)
{
    Register();
    SetDialogAnswer("com.coclass", "Colors");
    ASSERT_TRUE(RunGalleryItem("Quistor.Tolvane.ActiveX", "Property Page"));
    // the page's unit binds its form's resource: the form file comes along
    EXPECT_EQ(Names(), (std::vector<String>{"ColorsImpl1.cpp", "ColorsImpl1.h", "ColorsImpl1.zfm"}));
    EXPECT_NE(ReceivedFiles()[1].Text.find("class TColors : public TPropertyPage\r\n"), String::npos);
    EXPECT_EQ(ReceivedFiles()[2].Text, "object Colors: TColors\r\nend\r\n");
    ClearReceivedFiles();
    SetDialogAnswer("com.coclass", "Notice");
    SetDialogAnswer("com.events", "true");
    ASSERT_TRUE(RunGalleryItem("Quistor.Tolvane.ActiveX", "COM+ Event Object"));
    const String h = ReceivedFiles()[1].Text;
    EXPECT_NE(h.find("// Dual Interface : TRUE\r\n"), String::npos);  // automation: always dual
    EXPECT_NE(h.find("// Event Support  : FALSE\r\n"), String::npos);  // events are never on here
    ClearReceivedFiles();
    SetDialogAnswer("com.coclass", "Listener");
    ASSERT_TRUE(RunGalleryItem("Quistor.Tolvane.ActiveX", "COM+ Subscription Object"));
    EXPECT_NE(ReceivedFiles()[1].Text.find("// Event Support  : FALSE\r\n"), String::npos);
    EXPECT_NE(ReceivedFiles()[1].Text.find("// Dual Interface : FALSE\r\n"), String::npos);
}

}  // namespace
