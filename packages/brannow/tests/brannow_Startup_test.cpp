#include <gtest/gtest.h>

#include "Brannowreg.h"
#include "Language.h"
#include "Pluggableregistry.h"
#include "Pluggableviewer.h"
#include "host/AppIniFile.h"
#include "host/DeskMenus.h"
#include "host/IDEControl.h"
#include "host/Package.h"

extern "C" const TPackageInfoTable* GetPackageInfoTable();

namespace {

std::vector<String> RegisteredIDs()
{
    std::vector<String> r;
    for (int i = 0; i < GetPluggablePropertyPageCount(); ++i)
        r.push_back(GUIDToString(GetPluggablePropertyPage(i)->GetID()));
    return r;
}

// The package's units and registration as the loader runs them, without loading a library.
class brannow_Startup : public ::testing::Test {
protected:
    bool finished = false;
    void Start(bool showIL)
    {
        AppIniFile().WriteBool(sShowILSection, sShowILKey, showIL);
        InitializePackage(GetPackageInfoTable());
        Brannowreg_IDERegister();
    }
    void Finish()
    {
        FinalizePackage(GetPackageInfoTable());
        finished = true;
    }
    void TearDown() override
    {
        if (!finished) Finish();
        AppIniFile().DeleteKey(sShowILSection, sShowILKey);
    }
};

}  // namespace

TEST_F(brannow_Startup, ThreePagesOnceTheMainFormExistsWithoutIL)
{
    Start(false);
    EXPECT_EQ(MainFormCreated().Count(), 1);
    EXPECT_EQ(GetPluggablePropertyPageCount(), 0);  // nothing before the main window
    MainFormCreated().FirePending(nullptr);
    EXPECT_EQ(RegisteredIDs(),
              (std::vector<String>{GUIDToString(GUID_AttributePagePlugID), GUIDToString(GUID_FlagsPagePlugID),
                                   GUIDToString(GUID_UsesPagePlugID)}));
    // the tree's menu hooks now lead to the host's
    const int before = Deskform::RegisterMenuCalls();
    ASSERT_TRUE(static_cast<bool>(Pluggableviewer::RegisterMenu));
    Pluggableviewer::RegisterMenu(nullptr);
    EXPECT_EQ(Deskform::RegisterMenuCalls(), before + 1);
    EXPECT_TRUE(static_cast<bool>(Pluggableviewer::UnRegisterMenu));
}

TEST_F(brannow_Startup, TextPageWhenTheHostShowsIL)
{
    Start(true);
    MainFormCreated().FirePending(nullptr);
    ASSERT_EQ(GetPluggablePropertyPageCount(), 4);
    EXPECT_EQ(GetPluggablePropertyPage(3)->GetID(), GUID_TextPagePlugID);
}

TEST_F(brannow_Startup, UnloadTakesEverythingBack)
{
    Start(true);
    MainFormCreated().FirePending(nullptr);
    // the setting changes while the package runs: what was registered still goes
    AppIniFile().WriteBool(sShowILSection, sShowILKey, false);
    Finish();
    EXPECT_EQ(Brannowreg::ProductStartupObject(), nullptr);
    EXPECT_EQ(MainFormCreated().Count(), 0);
    EXPECT_EQ(GetPluggablePropertyPageCount(), 0);
    EXPECT_FALSE(static_cast<bool>(Pluggableviewer::RegisterMenu));
    EXPECT_FALSE(static_cast<bool>(Pluggableviewer::UnRegisterMenu));
    EXPECT_EQ(Deskform::RegisterMenu != nullptr, true);  // the host's own hooks are untouched
}

TEST(brannow_Language, QuotationFollowsThePersonality)
{
    struct Case {
        const char* personality;
        TLanguageType language;
        const char* quote;
    };
    const Case cases[] = {
        {"Pendro.Personality", ltPendro, "'"},
        {"Tolvane.Personality", ltCPP, ""},
        {"CSharp.Personality", ltCSharp, "\""},
        {"Other.Personality", ltNone, ""},
    };
    for (const auto& c : cases) {
        SetLanguage(LanguageOfPersonality(c.personality));
        EXPECT_EQ(GetLanguage(), c.language) << c.personality;
        EXPECT_EQ(GetLanguageQuotation(), c.quote) << c.personality;
    }
    SetLanguage(ltIL);
    EXPECT_EQ(GetLanguageQuotation(), "");
    Language::Initialization();
    EXPECT_EQ(GetLanguage(), ltNone);
}

TEST(brannow_StartupObject, DestructorUnregistersWhatItRegistered)
{
    Pluggableregistry::Initialization();
    AppIniFile().WriteBool(sShowILSection, sShowILKey, true);
    {
        TProductStartup s;
        MainFormCreated().FirePending(nullptr);
        EXPECT_EQ(GetPluggablePropertyPageCount(), 4);
        AppIniFile().WriteBool(sShowILSection, sShowILKey, false);
    }
    EXPECT_EQ(GetPluggablePropertyPageCount(), 0);
    EXPECT_EQ(MainFormCreated().Count(), 0);
    {
        TProductStartup never;  // the main window never came: nothing to take back
    }
    EXPECT_EQ(MainFormCreated().Count(), 0);
    AppIniFile().DeleteKey(sShowILSection, sShowILKey);
    Pluggableregistry::Finalization();
}
