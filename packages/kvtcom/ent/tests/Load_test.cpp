#include <gtest/gtest.h>

#include <algorithm>
#include <dlfcn.h>

#include "PackageTestHost.h"
#include "host/AppIniFile.h"
#include "host/CppClassUpdater.h"
#include "hostimpl/HostImpl.h"
#include "host/IDEControl.h"
#include "hostimpl/IDEServicesImpl.h"
#include "hostimpl/PackageLoader.h"
#include "hostimpl/StateListing.h"
#include "rtl/Files.h"
#include "rtl/Resources.h"
#include "zub/Graphics.h"

using namespace hostimpl;

namespace {

class kvtcoment_Load : public PackageTestHost {
protected:
    kvtcoment_Load() : PackageTestHost("kvtcoment_load_", KVTCOM_PACKAGE_DIR, KVTCOM_TEMPLATE_DIR) {}
    // The use counter of a unit both packages list (the templates by default).
    int* TemplateUnitCount(const char* symbol = "_ZN11Cppprocrtrs8UseCountE")
    {
        void* lib = dlopen(loader->LibraryPath("kvtcompro100").c_str(), RTLD_NOW | RTLD_NOLOAD);
        if (!lib) return nullptr;
        auto* p = static_cast<int*>(dlsym(lib, symbol));
        dlclose(lib);
        return p;
    }
};

TEST_F(kvtcoment_Load, EnterpriseLoadsTheProfessionalPackageFirstAndSharesItsTemplates)
{
    loader->Load("kvtcoment100");
    EXPECT_EQ(loader->Loaded(), (std::vector<String>{"kvtcompro100", "kvtcoment100"}));
    int* count = TemplateUnitCount();
    ASSERT_NE(count, nullptr);
    EXPECT_EQ(*count, -2);  // listed by both packages, initialised at the first
    int* experts = TemplateUnitCount("_ZN7Ccommgr8UseCountE");
    ASSERT_NE(experts, nullptr);
    EXPECT_EQ(*experts, -2);
    loader->Unload("kvtcoment100");
    EXPECT_EQ(*count, -1);  // still in use by kvtcompro100
    EXPECT_EQ(*experts, -1);
    EXPECT_TRUE(loader->IsLoaded("kvtcompro100"));
    loader->Unload("kvtcompro100");
    EXPECT_TRUE(loader->Loaded().empty());
    EXPECT_EQ(ResourceCount(), 0);
}

TEST_F(kvtcoment_Load, ProfessionalAloneLoadsAndUnloadsCleanly)
{
    loader->Load("kvtcompro100");
    int* count = TemplateUnitCount();
    ASSERT_NE(count, nullptr);
    EXPECT_EQ(*count, -1);
    EXPECT_NO_THROW(loader->UnloadAll());
    EXPECT_EQ(ResourceCount(), 0);
}

TEST_F(kvtcoment_Load, TheCoClassUpdaterFactoryComesWithTheMainFormAndGoesAtUnload)
{
    loader->Load("kvtcompro100");
    // nothing to update before the package's start-up has run
    EXPECT_EQ(CppUpdaters(), nullptr);
    const auto registered = [] {
        const std::vector<String> state = HostStateListing();
        return std::count_if(state.begin(), state.end(),
                             [](const String& line) { return line.rfind("create-updaters", 0) == 0; });
    };
    EXPECT_EQ(registered(), 0);
    ShowMainForm();
    TCPPUpdaters* updaters = CppUpdaters();
    ASSERT_NE(updaters, nullptr);
    EXPECT_EQ(registered(), 1);
    EXPECT_FALSE(updaters->HandlesFile("Unit1.cpp"));  // it makes co-class updaters, no code updaters
    loader->Unload("kvtcompro100");
    EXPECT_EQ(CppUpdaters(), nullptr);
    EXPECT_EQ(registered(), 0);
}

TEST_F(kvtcoment_Load, RemoteDataModuleFromTheGalleryCrossesBothPackages)
{
    LoadWithMainForm("kvtcoment100");
    OpenProject("Server.zproj");
    SetDialogAnswer("com.coclass", "Orders");
    ASSERT_TRUE(RunGalleryItem("Quistor.Tolvane.Multitier", "Remote Data Module"));
    auto files = ReceivedFiles();
    ASSERT_EQ(files.size(), 3u);
    EXPECT_EQ(files[0].FileName, dir + "OrdersImpl1.cpp");
    EXPECT_EQ(files[1].FileName, dir + "OrdersImpl1.h");
    // the data module's form file, which its unit binds
    EXPECT_EQ(files[2].FileName, dir + "OrdersImpl1.zfm");
    EXPECT_EQ(files[2].Text, "object Orders: TOrders\r\nend\r\n");
    EXPECT_NE(files[0].Text.find(
                  "__fastcall TOrders::TOrders(TComponent* Owner)\r\n  : TCRemoteDataModule(Owner)\r\n"),
              String::npos);
    EXPECT_NE(files[1].Text.find("DECLARE_PROGID(\"Server.Orders\");"), String::npos);
    // the MTS object stands among the ActiveX items of kvtcompro100
    ClearReceivedFiles();
    SetDialogAnswer("com.coclass", "Pay");
    ASSERT_TRUE(RunGalleryItem("Quistor.Tolvane.ActiveX", "Transactional Object"));
    ASSERT_EQ(ReceivedFiles().size(), 2u);
    EXPECT_NE(ReceivedFiles()[1].Text.find("  public IObjectControl,\r\n"), String::npos);
    // a cancelled dialog makes no unit
    ClearReceivedFiles();
    SetDialogAnswer("com.cancel", "true");
    EXPECT_TRUE(RunGalleryItem("Quistor.Tolvane.ActiveX", "COM Object"));
    EXPECT_TRUE(ReceivedFiles().empty());
    // both packages take their items and categories back
    EXPECT_NO_THROW(loader->UnloadAll());
    EXPECT_THROW(RunGalleryItem("Quistor.Tolvane.Multitier", "Remote Data Module"), EHostError);
    EXPECT_THROW(RunGalleryItem("Quistor.Tolvane.ActiveX", "COM Object"), EHostError);
}

TEST_F(kvtcoment_Load, EveryGalleryItemSaysWhatItMakes)
{
    AppIniFile().WriteString("Type Library", "ActiveXWizard", "True");
    LoadWithMainForm("kvtcoment100");
    AppIniFile().EraseSection("Type Library");
    struct Item {
        const char *id, *category, *caption, *icon, *description;
    };
    const Item items[] = {
        {"Quistor.Tolvane.TypeLibrary", "Quistor.Tolvane.ActiveX", "Type Library", "XTLIB",
         "Creates a new type library"},
        {"Quistor.Tolvane.ActiveXLibrary", "Quistor.Tolvane.ActiveX", "ActiveX Library", "XLIB",
         "Creates a new ActiveX library: a DLL that serves ActiveX controls and COM objects"},
        {"Quistor.Tolvane.ComObject", "Quistor.Tolvane.ActiveX", "COM Object", "XCOMOBJ",
         "Creates a COM object that implements an interface of the type library"},
        {"Quistor.Tolvane.AutoObject", "Quistor.Tolvane.ActiveX", "Automation Object", "XAUTO",
         "Creates an Automation object whose methods and properties clients call through IDispatch"},
        {"Quistor.Tolvane.PropertyPage", "Quistor.Tolvane.ActiveX", "Property Page", "XPROP",
         "Creates a property page for an ActiveX control"},
        {"Quistor.Tolvane.ComPlusEventObject", "Quistor.Tolvane.ActiveX", "COM+ Event Object", "COMPLUSEVENT",
         "Creates a COM+ event object whose events COM+ hands to its subscribers"},
        {"Quistor.Tolvane.ComPlusSubscriptionObject", "Quistor.Tolvane.ActiveX", "COM+ Subscription Object",
         "COMPLUSSUBSCRIPTION", "Creates a COM+ object that subscribes to the events of a COM+ event object"},
        {"Quistor.Tolvane.ActiveXControl", "Quistor.Tolvane.ActiveX", "ActiveX Control", "XCTRL",
         "Creates an ActiveX control that wraps a ZUB control"},
        {"Quistor.Tolvane.ActiveForm", "Quistor.Tolvane.ActiveX", "Active Form", "XFORM",
         "Creates an ActiveX control that shows a form"},
        {"Quistor.Tolvane.ActiveServerObject", "Quistor.Tolvane.ActiveX", "Active Server Object", "XASPOBJ",
         "Creates an Active Server object that the scripts of Active Server Pages call"},
        {"Quistor.Tolvane.RemoteDataModule", "Quistor.Tolvane.Multitier", "Remote Data Module",
         "NEWREMOTEDATA", "Creates a remote data module that serves its data sets to client applications"},
        {"Quistor.Tolvane.MTSAutoObject", "Quistor.Tolvane.ActiveX", "Transactional Object", "NEWMTSAUTO",
         "Creates an Automation object that runs under the transaction server"},
        {"Quistor.Tolvane.MTSDataModule", "Quistor.Tolvane.Multitier", "Transactional Data Module",
         "NEWMTSREMOTEDATA", "Creates a remote data module that runs under the transaction server"},
    };
    const std::vector<TGalleryEntry> entries = GalleryEntries();
    EXPECT_EQ(entries.size(), std::size(items));
    for (const Item& want : items) {
        auto it = std::find_if(entries.begin(), entries.end(),
                               [&](const TGalleryEntry& e) { return e.Id == want.id; });
        ASSERT_NE(it, entries.end()) << want.id;
        EXPECT_EQ(it->CategoryId, want.category) << want.id;
        EXPECT_EQ(it->Caption, want.caption) << want.id;
        EXPECT_EQ(it->IconName, want.icon) << want.id;
        EXPECT_EQ(it->Description, want.description) << want.id;
        // a picture of the package that registered the item
        TPicture icon;
        EXPECT_NO_THROW(icon.LoadFromIconResource(it->Module, it->IconName)) << want.id;
        EXPECT_EQ(icon.Width(), 32) << want.id;
        EXPECT_EQ(icon.Height(), 32) << want.id;
    }
}

}  // namespace
