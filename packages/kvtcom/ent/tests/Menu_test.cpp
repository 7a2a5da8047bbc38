#include <gtest/gtest.h>

#include "PackageTestHost.h"
#include "host/ComPlatform.h"
#include "host/MainMenu.h"
#include "host/MessageServices.h"
#include "host/TypeLibrary.h"
#include "hostimpl/HostImpl.h"
#include "hostimpl/PackageLoader.h"

using namespace hostimpl;

namespace {

class kvtcom_Menu : public PackageTestHost {
protected:
    kvtcom_Menu() : PackageTestHost("kvtcom_menu_", KVTCOM_PACKAGE_DIR, KVTCOM_TEMPLATE_DIR) {}
    void TearDown() override
    {
        PackageTestHost::TearDown();
        SetComPlatforms(true, true);
    }
    static std::vector<String> RunMenuItems()
    {
        std::vector<String> r;
        TMenuItem* run = IDEMainMenu()->FindItem("RunMenu");
        for (int i = 0; i < run->Count(); ++i) r.push_back(run->Items(i)->Name());
        return r;
    }
};

TEST_F(kvtcom_Menu, InstallItemsStandBeforeTheParametersSeparatorWhileLoaded)
{
    const auto before = RunMenuItems();
    EXPECT_EQ(before, (std::vector<String>{"RunRunItem", "RunParametersSeparator", "RunParametersItem"}));
    LoadWithMainForm("kvtcoment100");
    EXPECT_EQ(RunMenuItems(),
              (std::vector<String>{"RunRunItem", "sbCOMPlusInstallObjects", "sbMTSInstallObjects",
                                   "RunParametersSeparator", "RunParametersItem"}));
    TMenuItem* mts = IDEMainMenu()->FindItem("sbMTSInstallObjects");
    EXPECT_EQ(mts->Caption(), "Install &MTS Objects...");
    EXPECT_EQ(IDEMainMenu()->FindItem("sbCOMPlusInstallObjects")->Caption(), "Install COM+ &Objects...");
    // the item installs the CoClasses of the active project's type library
    OpenProject("Server.zproj");
    GetOrCreateTypeLibModule(ActiveProject().get())->TypeLibrary()->AddCoClass("Orders", "", "", true, false);
    mts->Click();
    auto messages = RequireService<IQMessageServices>("message view")->Messages();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].Text, "installed Server.Orders");
    loader->Unload("kvtcoment100");
    EXPECT_EQ(RunMenuItems(), (std::vector<String>{"RunRunItem", "sbCOMPlusInstallObjects",
                                                   "RunParametersSeparator", "RunParametersItem"}));
    loader->Unload("kvtcompro100");
    EXPECT_EQ(RunMenuItems(), before);
}

TEST_F(kvtcom_Menu, NoItemsOffTheirPlatforms)
{
    SetComPlatforms(false, false);
    LoadWithMainForm("kvtcoment100");
    EXPECT_EQ(RunMenuItems(),
              (std::vector<String>{"RunRunItem", "RunParametersSeparator", "RunParametersItem"}));
    EXPECT_NO_THROW(loader->UnloadAll());
}

TEST_F(kvtcom_Menu, NoItemsWithoutTheSeparator)
{
    TMenuItem* sep = IDEMainMenu()->FindItem("RunParametersSeparator");
    sep->SetName("Other");
    LoadWithMainForm("kvtcoment100");
    EXPECT_EQ(RunMenuItems(), (std::vector<String>{"RunRunItem", "Other", "RunParametersItem"}));
    EXPECT_NO_THROW(loader->UnloadAll());
    sep->SetName("RunParametersSeparator");
}

}  // namespace
