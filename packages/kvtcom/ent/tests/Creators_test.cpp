#include <gtest/gtest.h>

#include "Cppentcrtrs.h"
#include "Kvtmts.h"
#include "Kvtmtsrdm.h"
#include "Golden.h"
#include "ProjectTestHost.h"
#include "hostimpl/HostImpl.h"
#include "hostimpl/IDEServicesImpl.h"
#include "rtl/Files.h"

using namespace hostimpl;
using golden::CRLF;

namespace {

class kvtcoment_Creators : public ProjectTestHost {
protected:
    kvtcoment_Creators() : ProjectTestHost("kvtcoment_", KVTCOM_TEMPLATE_DIR) {}
    void SetUp() override
    {
        ProjectTestHost::SetUp();
        OpenProject("Server.zproj");
    }
};

TEST_F(kvtcoment_Creators, FilterVariablesOfTheThreeCreators)
{
    struct Case {
        const char* kind;
        TCppAutoObjectCreator* creator;
        const char *objectControl, *canBePooled, *mtsObject;
    };
    const Case cases[] = {
        {"rdm", new TCppRemoteDataModuleCreator(dir + "R.cpp", "Data", "", "Apartment", "", false, "", false),
         nullptr, nullptr, nullptr},
        {"mtsrdm",
         new TCppMTSRemoteDataModuleCreator(dir + "M.cpp", "Data", "", "Apartment", "", false, "", false),
         "TRUE", "FALSE", "TRUE"},
        {"mtsauto",
         new TCppMTSAutoObjectCreator(dir + "A.cpp", "Data", "", "Apartment", "", false, true, false), "TRUE",
         "FALSE", nullptr},
    };
    for (const auto& c : cases) {
        TIntfPtr<IQModuleCreator> keep(c.creator);
        IExpertFilter* f = c.creator->ExpertFilter();
        EXPECT_EQ(f->GetVariable("Dual"), "TRUE") << c.kind;
        EXPECT_EQ(f->GetVariable("ProgID"), "Server.Data") << c.kind;
        auto var = [&](const char* name, const char* want) {
            if (want)
                EXPECT_EQ(f->GetVariable(name), want) << c.kind << " " << name;
            else
                EXPECT_FALSE(f->HasVariable(name)) << c.kind << " " << name;
        };
        var("ObjectControl", c.objectControl);
        var("CanBePooled", c.canBePooled);
        var("MTSObject", c.mtsObject);
        EXPECT_EQ(keep->GetClasses(), "Data");
    }
    TCppMTSAutoObjectCreator pooled(dir + "P.cpp", "Pool", "", "Both", "", false, false, true);
    EXPECT_EQ(pooled.ExpertFilter()->GetVariable("ObjectControl"), "FALSE");
    EXPECT_EQ(pooled.ExpertFilter()->GetVariable("CanBePooled"), "TRUE");
}

TEST_F(kvtcoment_Creators, RemoteDataModulesAreFormsOfTheirCoClass)
{
    TIntfPtr<IQModuleCreator> rdm(
        new TCppRemoteDataModuleCreator(dir + "Rdm1.cpp", "Orders", "", "Apartment", "", false, "", false));
    EXPECT_EQ(rdm->GetAncestorName(), "CRemoteDataModule");
    EXPECT_EQ(rdm->GetFormName(), "Orders");
    EXPECT_EQ(rdm->GetSource()->Source(),
              CRLF(R"(// RDM1 : Implementation of the remote data module TOrdersImpl

#include <zub.h>
#pragma hdrstop

#include "Rdm1.h"

#pragma package(smart_init)
#pragma resource "*.zfm"

__fastcall TOrders::TOrders(TComponent* Owner)
  : TCRemoteDataModule(Owner)
{
}
)"));
    TIntfPtr<IQModuleCreator> mts(new TCppMTSRemoteDataModuleCreator(dir + "Rdm2.cpp", "Orders", "",
                                                                     "Apartment", "", false, "", false));
    EXPECT_EQ(mts->GetAncestorName(), "MTSDataModule");
    EXPECT_EQ(mts->GetFormName(), "Orders");
    const String h = mts->GetInterfaceSource()->Source();
    EXPECT_EQ(mts->GetInterfaceSource()->FileName(), dir + "Rdm2.h");
    EXPECT_NE(h.find("class TOrders : public TMtsDataModule\r\n"), String::npos);
    EXPECT_NE(h.find("  public IObjectControl,\r\n"), String::npos);
}

TEST_F(kvtcoment_Creators, MissingTemplateFolderNamesTheFile)
{
    SetTemplateDirectory(dir + "nowhere");
    TIntfPtr<IQModuleCreator> c(
        new TCppMTSAutoObjectCreator(dir + "A.cpp", "X", "", "Both", "", false, true, false));
    try {
        c->GetSource();
        FAIL();
    } catch (const EHostError& e) {
        EXPECT_EQ(String(e.what()), "Wizard file " + dir + "nowhere/cpp\\mtsobject.cpp not found");
    }
}

}  // namespace
