// The COM packages' type library as a user of the idehost program meets it.
#include <gtest/gtest.h>

#include <cstdlib>

#include "testsupport/TestDir.h"
#include "TypeLibraryGolden.h"
#include "rtl/ConsoleProcess.h"
#include "rtl/Files.h"

namespace {

struct TRun {
    int Status;
    String Out, Err;
};

// files: what the output folder holds before the run (name, text).
TRun RunIdeHost(const String& name, const String& commands, const String& answers,
                const std::vector<std::pair<String, String>>& files = {})
{
    const String base = FreshDir(ScratchDir() + "kvtcom_idehost_" + name);
    AtomicWriteFile(base + "answers.txt", answers);
    if (!files.empty()) {
        EXPECT_TRUE(ForceDirectories(base + "out"));
    }
    for (const auto& [file, text] : files) AtomicWriteFile(base + "out/" + file, text);
    TConsoleProcess p;
    p.ApplicationName = IDEHOST;
    p.CommandLine = "idehost --packages " + String(PACKAGE_DIR) + " --dir " + base + "out --answers " + base +
                    "answers.txt " + commands;
    p.CurrentDirectory = base;
    p.Execute();
    TRun r{p.ExitCode(), "", ""};
    for (int i = 0; i < p.Output().Count(); ++i) r.Out += p.Output()[i] + "\n";
    for (int i = 0; i < p.Errors().Count(); ++i) r.Err += p.Errors()[i] + "\n";
    return r;
}

// Written by hand: what the Active Server object Shop adds.
const char* const kShopTypes =
    "\n"
    "  [uuid(*), version(1.0), helpstring(\"Interface for Shop Object\"), dual, oleautomation]\n"
    "  interface IShop: IDispatch\n"
    "  {\n"
    "    [id(0x00000001)] HRESULT OnStartPage([in] IUnknown* AScriptingContext);\n"
    "    [id(0x00000002)] HRESULT OnEndPage();\n"
    "  };\n"
    "\n"
    "  [uuid(*), version(1.0), helpstring(\"Shop Object\")]\n"
    "  coclass Shop\n"
    "  {\n"
    "    [default] interface IShop;\n"
    "  };\n";

TEST(kvtcom_Idehost, ActiveXLibraryComObjectAndActiveServerObjectInTheTypeLibrary)
{
    const TRun r =
        RunIdeHost("library",
                   "state load kvtcoment100 new Quistor.Tolvane.ActiveX \"ActiveX Library\" "
                   "new Quistor.Tolvane.ActiveX \"COM Object\" answer com.coclass=Shop "
                   "new Quistor.Tolvane.ActiveX \"Active Server Object\" typelib dump typelib save "
                   "unload state",
                   "com.coclass=Orders\ncom.testpage=false\n");
    ASSERT_EQ(r.Status, 0) << r.Err << r.Out;
    EXPECT_EQ(r.Err, "");
    const auto from = r.Out.find("// Type library Project1\n");
    ASSERT_NE(from, String::npos) << r.Out;
    const auto to = r.Out.find("saved ", from);
    ASSERT_NE(to, String::npos) << r.Out;
    const String dump = r.Out.substr(from, to - from);
    EXPECT_EQ(WithoutGuids(dump), String(kProject1LibraryHead) + kOrdersTypes + kShopTypes + "};\n");
    const String out = ScratchDir() + "kvtcom_idehost_library/out/";
    EXPECT_NE(r.Out.find("saved " + out + "Project1.tlb\n"), String::npos) << r.Out;
    EXPECT_EQ(ReadFileBytes(out + "Project1.tlb"), dump);
    // what the packages added to the host is gone after the unload
    const auto loaded = r.Out.find("loaded kvtcoment100\n"), unloaded = r.Out.find("unloaded all\n");
    ASSERT_NE(loaded, String::npos);
    ASSERT_NE(unloaded, String::npos);
    EXPECT_EQ(r.Out.substr(unloaded + 13), r.Out.substr(0, loaded));
}

TEST(kvtcom_Idehost, ComObjectWithoutAProjectStopsWithTheNoProjectMessage)
{
    const TRun r = RunIdeHost("noproject", "load kvtcompro100 new Quistor.Tolvane.ActiveX \"COM Object\"",
                              "com.coclass=Orders\n");
    EXPECT_EQ(r.Status, 1);
    EXPECT_EQ(r.Err, "idehost: error: A COM object can only be added to an open project\n");
}

}  // namespace

TEST(kvtcom_Idehost, InstallItemsStandBeforeTheSeparatorWhileLoadedAndGoAtUnload)
{
    const TRun r = RunIdeHost("menu", "state load kvtcoment100 menu unload state menu", "");
    ASSERT_EQ(r.Status, 0) << r.Err << r.Out;
    EXPECT_EQ(r.Err, "");
    const String loaded = "RunMenu  \"&Run\"\n"
                          "  RunRunItem  \"&Run\"\n"
                          "  sbCOMPlusInstallObjects  \"Install COM+ &Objects...\"\n"
                          "  sbMTSInstallObjects  \"Install &MTS Objects...\"\n"
                          "  RunParametersSeparator  \"-\"\n"
                          "  RunParametersItem  \"&Parameters...\"\n";
    const String unloaded = "RunMenu  \"&Run\"\n"
                            "  RunRunItem  \"&Run\"\n"
                            "  RunParametersSeparator  \"-\"\n"
                            "  RunParametersItem  \"&Parameters...\"\n";
    const auto first = r.Out.find("loaded kvtcoment100\n"), at = r.Out.find("unloaded all\n");
    ASSERT_NE(first, String::npos) << r.Out;
    ASSERT_NE(at, String::npos) << r.Out;
    EXPECT_NE(r.Out.substr(first, at - first).find(loaded), String::npos) << r.Out;
    const auto menuAfter = r.Out.find("FileMenu  \"&File\"\n", at);
    ASSERT_NE(menuAfter, String::npos) << r.Out;
    EXPECT_NE(r.Out.substr(menuAfter).find(unloaded), String::npos) << r.Out;
    // the listing after the unload is the one before the load: menu, notifier, modifiers, pages
    const String before = r.Out.substr(0, first);
    EXPECT_NE(before.find("main menu /RunMenu #1 RunParametersSeparator \"-\"\n"), String::npos) << before;
    EXPECT_EQ(r.Out.substr(at + 13, menuAfter - at - 13), before);
}

TEST(kvtcom_Idehost, ApplicationWithATypeLibraryGetsItsAtlUnitNamedAfterIt)
{
    const TRun r =
        RunIdeHost("atl",
                   "load KVTWEKIDE100 kvtcompro100 new Quistor.Tolvane.New \"ZUB Forms Application\" "
                   "new Quistor.Tolvane.ActiveX \"Type Library\" new Quistor.Tolvane.ActiveX \"COM Object\" "
                   "answer com.coclass=Pay new Quistor.Tolvane.ActiveX \"COM Object\" typelib save",
                   "com.coclass=Orders\n");
    ASSERT_EQ(r.Status, 0) << r.Err << r.Out;
    const String out = ScratchDir() + "kvtcom_idehost_atl/out/";
    // made once, with the first COM object
    EXPECT_NE(r.Out.find("wrote " + out + "OrdersImpl1.h\nwrote " + out + "Project1_ATL.cpp\nwrote " + out +
                         "Project1_ATL.h\n"),
              String::npos)
        << r.Out;
    EXPECT_EQ(r.Out.find("Project1_ATL.cpp", r.Out.find("PayImpl1.cpp")), String::npos) << r.Out;
    EXPECT_NE(ReadFileBytes(out + "Project1_ATL.h").find("#ifndef Project1_ATLH"), String::npos);
    EXPECT_NE(r.Out.find("saved " + out + "Project1.tlb\n"), String::npos) << r.Out;
    const String tlb = ReadFileBytes(out + "Project1.tlb");
    EXPECT_NE(tlb.find("  coclass Orders\n"), String::npos) << tlb;
    EXPECT_NE(tlb.find("  coclass Pay\n"), String::npos) << tlb;
}

TEST(kvtcom_Idehost, ComDialogsAreFormsAnsweredByTheirControls)
{
    // The Active Server object goes first so that the test page of the form's check box is its own.
    const TRun r = RunIdeHost("forms",
                              "load kvtcoment100 new Quistor.Tolvane.ActiveX \"ActiveX Library\" "
                              "new Quistor.Tolvane.ActiveX \"COM Object\" "
                              "new Quistor.Tolvane.ActiveX \"Active Server Object\" typelib dump",
                              "form.CppComObjectExpert=btnOK\n"
                              "form.CppComObjectExpert.edtClassName=Orders\n"
                              "form.CppActiveServerObjectExpert=btnOK\n"
                              "form.CppActiveServerObjectExpert.edtClassName=Shop\n"
                              "form.CppActiveServerObjectExpert.rgServerType=0\n"
                              "form.CppActiveServerObjectExpert.cbTestScript=true\n");
    ASSERT_EQ(r.Status, 0) << r.Err << r.Out;
    const auto from = r.Out.find("// Type library Project1\n");
    ASSERT_NE(from, String::npos) << r.Out;
    EXPECT_EQ(WithoutGuids(r.Out.substr(from)),
              String(kProject1LibraryHead) + kOrdersTypes + kShopTypes + "};\n");
    const String out = ScratchDir() + "kvtcom_idehost_forms/out/";
    EXPECT_TRUE(FileExists(out + "Shop.asp"));
    EXPECT_TRUE(FileExists(out + "OrdersImpl1.cpp"));
}

TEST(kvtcom_Idehost, ComDialogFormAnswersThatDoNotFit)
{
    struct Case {
        const char *answers, *error;
    };
    const Case cases[] = {
        // cancelled: no unit, no error
        {"form.CppComObjectExpert=btnCancel\nform.CppComObjectExpert.edtClassName=Orders\n", ""},
        {"form.CppComObjectExpert=btnOK\nform.CppComObjectExpert.edtNone=x\n",
         "idehost: error: Dialog CppComObjectExpert has no control edtNone\n"},
        {"form.CppComObjectExpert=butnNone\nform.CppComObjectExpert.edtClassName=Orders\n",
         "idehost: error: Dialog CppComObjectExpert has no button butnNone\n"},
    };
    for (const auto& c : cases) {
        const TRun r = RunIdeHost("formerrors",
                                  "load kvtcompro100 new Quistor.Tolvane.ActiveX \"ActiveX Library\" "
                                  "new Quistor.Tolvane.ActiveX \"COM Object\"",
                                  c.answers);
        EXPECT_EQ(r.Status, *c.error ? 1 : 0) << c.answers;
        EXPECT_EQ(r.Err, c.error) << c.answers;
        EXPECT_FALSE(FileExists(ScratchDir() + "kvtcom_idehost_formerrors/out/OrdersImpl1.cpp")) << c.answers;
    }
}

TEST(kvtcom_Idehost, RenamedLibraryTakesItsUnitTheIncludesAndTheProgIdsAlongAtApply)
{
    const TRun r =
        RunIdeHost("libraryname",
                   "load kvtcompro100 new Quistor.Tolvane.ActiveX \"ActiveX Library\" "
                   "new Quistor.Tolvane.ActiveX \"COM Object\" typelib edit typelib name Shop "
                   "typelib rename Orders Sales typelib apply typelib apply typelib save typelib name 9x",
                   "com.coclass=Orders\n");
    const String out = ScratchDir() + "kvtcom_idehost_libraryname/out/";
    EXPECT_EQ(r.Status, 1);
    EXPECT_EQ(r.Out, "loaded kvtcompro100\n"
                     "wrote " +
                         out +
                         "Project1.cpp\n"
                         "wrote " +
                         out +
                         "OrdersImpl1.cpp\n"
                         "wrote " +
                         out +
                         "OrdersImpl1.h\n"
                         "wrote " +
                         out +
                         "Project1.cpp\n"  // the object joins the object map
                         "renamed the library to Shop, its unit Shop_TLB\n"
                         "updated " +
                         out +
                         "OrdersImpl1.cpp\n"
                         "wrote " +
                         out +
                         "Project1.cpp\n"  // the object map follows the CoClass
                         "unchanged " +
                         out +
                         "OrdersImpl1.cpp\n"
                         "saved " +
                         out + "Shop.tlb\n");
    EXPECT_EQ(r.Err, "idehost: error: '9x' is not a valid identifier\n");
    EXPECT_NE(ReadFileBytes(out + "Project1.cpp")
                  .find("BEGIN_OBJECT_MAP(ObjectMap)\r\n  OBJECT_ENTRY(CLSID_Sales, "
                        "TSalesImpl)\r\nEND_OBJECT_MAP()\r\n"),
              String::npos);
    const String header = ReadFileBytes(out + "OrdersImpl1.h");
    EXPECT_NE(header.find("\r\n#include \"Shop_TLB.h\"\r\n"), String::npos);
    EXPECT_EQ(header.find("Project1"), String::npos);
    EXPECT_NE(header.find("class ATL_NO_VTABLE TSalesImpl :\r\n"), String::npos);
    EXPECT_NE(header.find("  DECLARE_PROGID(\"Shop.Sales\");\r\n"), String::npos);
    EXPECT_NE(ReadFileBytes(out + "Shop.tlb").find("library Shop\n"), String::npos);
}

TEST(kvtcom_Idehost, ActiveServerTestPageNeverReplacesAPageThatIsThere)
{
    const TRun r = RunIdeHost("asppage",
                              "load kvtcompro100 new Quistor.Tolvane.ActiveX \"ActiveX Library\" "
                              "new Quistor.Tolvane.ActiveX \"Active Server Object\"",
                              "com.coclass=Shop\ncom.testpage=true\n", {{"Shop.asp", "<% mine %>\r\n"}});
    ASSERT_EQ(r.Status, 0) << r.Err << r.Out;
    const String out = ScratchDir() + "kvtcom_idehost_asppage/out/";
    EXPECT_EQ(ReadFileBytes(out + "Shop.asp"), "<% mine %>\r\n");
    const String page = ReadFileBytes(out + "Shop1.asp");
    EXPECT_NE(page.find("<% Set TolvaneASPObj = Server.CreateObject(\"Project1.Shop\")\r\n"), String::npos)
        << page;
}

TEST(kvtcom_Idehost, ActiveXControlWrapsAControlOfTheList)
{
    struct Case {
        const char *answers, *error;
    };
    const Case cases[] = {
        {"com.coclass=Knob\n", "idehost: error: Choose the control the ActiveX control wraps\n"},
        {"com.coclass=Knob\ncom.control=TNoSuch\n",
         "idehost: error: TNoSuch is no control an ActiveX control can wrap\n"},
        {"com.coclass=Knob\ncom.control=ttrackbar\n", ""},
    };
    // the host's settings offer the item
    const String config = FreshDir(ScratchDir() + "kvtcom_idehost_control_config");
    AtomicWriteFile(config + "idehost.ini", "[Type Library]\nActiveXWizard=True\n");
    setenv("IDEHOST_CONFIG", config.c_str(), 1);
    for (const auto& c : cases) {
        const TRun r = RunIdeHost("control",
                                  "load kvtcompro100 new Quistor.Tolvane.ActiveX \"ActiveX Library\" "
                                  "new Quistor.Tolvane.ActiveX \"ActiveX Control\" typelib dump",
                                  c.answers);
        EXPECT_EQ(r.Err, c.error) << c.answers;
        const String file = ScratchDir() + "kvtcom_idehost_control/out/KnobImpl1.h";
        if (*c.error) {
            EXPECT_EQ(r.Status, 1) << c.answers;
            EXPECT_FALSE(FileExists(file)) << c.answers;
            EXPECT_EQ(r.Out.find("coclass Knob"), String::npos) << r.Out;
            continue;
        }
        const String header = ReadFileBytes(file);
        EXPECT_EQ(r.Status, 0) << c.answers << r.Err;
        EXPECT_NE(header.find("  ZUBCONTROL_IMPL(TKnobImpl, Knob, TTrackBar, IKnob, DIID_IKnobEvents)\r\n"),
                  String::npos)
            << header;
        EXPECT_NE(r.Out.find("  coclass Knob\n"), String::npos) << r.Out;
    }
    unsetenv("IDEHOST_CONFIG");
}

// The component browser of a ZUB class: its properties (a getter beside its setter) and its
// members inherited from TControl and TComponent after its own, an override once.
TEST(kvtcom_Idehost, ComponentListsPropertiesMethodsAndInheritedEvents)
{
    const String config = FreshDir(ScratchDir() + "kvtcom_idehost_component_config");
    setenv("IDEHOST_CONFIG", config.c_str(), 1);
    const TRun r = RunIdeHost("component", "load kvtcompro100 component TButton StdCtrls", "");
    unsetenv("IDEHOST_CONFIG");
    ASSERT_EQ(r.Status, 0) << r.Err;
    for (const char* line :
         {"property ModalResult: int\n", "property Default: bool\n", "property Cancel: bool\n",
          "property Caption: String\n", "property Left: int\n", "property Visible: bool\n",
          "method Click: void ()\n", "method SetBounds: void (int, int, int, int)\n",
          "method Show: void ()\n", "event OnClick: TNotifyEvent\n", "event OnMouseDown: TMouseEvent\n",
          "event OnKeyDown: TKeyEvent\n"})
        EXPECT_NE(r.Out.find(line), String::npos) << line << r.Out;
    // the accessors of a property are no methods of their own, nor is an operator; Click shows once
    for (const char* line : {"method ModalResult:", "method SetModalResult:", "method SetLeft:",
                             "method Caption:", "method operator"})
        EXPECT_EQ(r.Out.find(line), String::npos) << line << r.Out;
    EXPECT_EQ(r.Out.find("method Click:"), r.Out.rfind("method Click:")) << r.Out;
    // a getter without a setter is a method
    EXPECT_NE(r.Out.find("method ControlCount: int () const\n"), String::npos) << r.Out;
    // the class's own members first
    EXPECT_NE(r.Out.find("loaded kvtcompro100\nproperty ModalResult: int\nproperty Default: bool\n"
                         "property Cancel: bool\nmethod Click: void ()\n"),
              String::npos)
        << r.Out;
}

// The threading model the dialog gives is the one the unit registers; one the list does not have
// stops the wizard before the library or a unit changes.
TEST(kvtcom_Idehost, ComObjectRegistersTheThreadingModelOfTheList)
{
    const String config = FreshDir(ScratchDir() + "kvtcom_idehost_threading_config");
    setenv("IDEHOST_CONFIG", config.c_str(), 1);
    const struct {
        const char* threading;
        const char* error;
    } cases[] = {
        {"both", ""},
        {"Free", ""},
        {"Bogus", "idehost: error: No threading model Bogus: Single, Apartment, Free, Both or Neutral\n"},
    };
    for (const auto& c : cases) {
        const TRun r = RunIdeHost("threading",
                                  "load kvtcompro100 new Quistor.Tolvane.ActiveX \"ActiveX Library\" "
                                  "new Quistor.Tolvane.ActiveX \"COM Object\" typelib dump",
                                  String("com.coclass=Orders\ncom.threading=") + c.threading + "\n");
        EXPECT_EQ(r.Err, c.error) << c.threading;
        const String file = ScratchDir() + "kvtcom_idehost_threading/out/OrdersImpl1.h";
        if (*c.error) {
            EXPECT_EQ(r.Status, 1);
            EXPECT_FALSE(FileExists(file));
            EXPECT_EQ(r.Out.find("coclass Orders"), String::npos) << r.Out;
            continue;
        }
        EXPECT_EQ(r.Status, 0) << r.Err;
        const String model = SameText(c.threading, "both") ? "Both" : c.threading;
        EXPECT_NE(ReadFileBytes(file).find("  DECLARE_THREADING_MODEL(ot" + model + ");\r\n"), String::npos)
            << ReadFileBytes(file);
    }
    unsetenv("IDEHOST_CONFIG");
}
