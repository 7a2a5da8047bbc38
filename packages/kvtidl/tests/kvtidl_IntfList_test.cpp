// Names derived from IDL interfaces for their implementations and clients.
#include <gtest/gtest.h>

#include "Idlintflist.h"
#include "ProjectTestHost.h"

namespace {

TEST(IdlIntfList, TieTemplateNames)
{
    const struct {
        const char* qualified;
        const char* tie;
    } cases[] = {
        {"_sk_Account", "_tie_Account"},
        {"_sk_Bank::_sk_Account", "Bank_tie_Account"},
        {"::_sk_Bank::_sk_Account", "_Bank_tie_Account"},
        {"_sk_A::_sk_B::_sk_I", "A_B_tie_I"},
        {"Bank::Account", "Bank_tie_Account"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(TIdlInterfaceItem(nullptr, "x", c.qualified, "a.idl").GetTieTemplateName(), c.tie)
            << c.qualified;
}

TEST(IdlIntfList, ImplementationAndClientNames)
{
    TIdlInterfaceList list;
    auto* impl = new TIdlImplInterfaceItem(&list, "Account", "_sk_Bank::_sk_Account", "bank.idl");
    EXPECT_EQ(impl->UnitName, "AccountServer");
    EXPECT_EQ(impl->ClassName, "AccountImpl");
    EXPECT_TRUE(impl->Implement);
    EXPECT_FALSE(impl->Delegate);
    EXPECT_EQ(impl->GetObjectNamesString(), "AccountObject");
    EXPECT_EQ(impl->GetImplFileName("/p/"), "/p/AccountServer.cpp");

    impl->SetObjectNamesString("one;\"two;three\";four");
    ASSERT_EQ(impl->ObjectNames.Count(), 3);
    EXPECT_EQ(impl->ObjectNames[1], "two;three");
    EXPECT_EQ(impl->GetObjectNamesString(), "one;\"two;three\";four");
    impl->SetObjectNamesString("");
    EXPECT_EQ(impl->ObjectNames.Count(), 0);

    auto* use = new TIdlUseInterfaceItem(&list, "Account", "_sk_Bank::_sk_Account", "teller.idl");
    EXPECT_EQ(use->VarName, "account");
    EXPECT_EQ(TIdlUseInterfaceItem(nullptr, "desk", "_sk_desk", "a.idl").VarName, "desk_");
    EXPECT_EQ(VarNameFromIdlIntfName(""), "");

    EXPECT_EQ(list.GetItemCount(), 2);
    EXPECT_EQ(list.Find("teller.idl", "_sk_Bank::_sk_Account"), use);
    EXPECT_EQ(list.Find("bank.idl", "_sk_Bank::_sk_Account"), impl);
    EXPECT_EQ(list.Find("Bank.idl", "_sk_Bank::_sk_Account"), nullptr);
}

TEST(IdlIntfList, WarningsWhenTheProjectHasNoIdlFile)
{
    TIdlInterfaceList list;
    EXPECT_EQ(
        TIdlImplInterfaceListHelper(nullptr, list).GetNeedsInterfacesWarning(),
        "A CORBA object implementation cannot be created unless the project contains an IDL file.  Choose "
        "Yes to add an IDL file to the project.");
    EXPECT_EQ(
        TIdlUseInterfaceListHelper(nullptr, list).GetNeedsInterfacesWarning(),
        "A project can't use a CORBA object unless the project contains an IDL file.  Choose Yes to add an "
        "IDL file to the project.");
}

class IdlAddFiles : public ProjectTestHost {
protected:
    IdlAddFiles() : ProjectTestHost("idladd_") {}
    void TearDown() override
    {
        Idlintflist::Finalization();  // frees the dialog kept since its first use
        ProjectTestHost::TearDown();
    }
    static std::vector<String> OpenFiles()
    {
        std::vector<String> out;
        auto group = MainProjectGroup();
        for (int i = 0; i < group->OpenModuleCount(); ++i)
            out.push_back(ExtractFileName(group->OpenModule(i)->FileName()));
        return out;
    }
};

TEST_F(IdlAddFiles, ChosenFilesOpenAsSourceModules)
{
    AtomicWriteFile(dir + "bank.idl", "module Bank {};\n");
    AtomicWriteFile(dir + "teller.idl", "module Teller {};\n");
    // not answered: cancelled, nothing opened
    EXPECT_FALSE(AddIdlFilesToProject());
    EXPECT_TRUE(OpenFiles().empty());
    // a file that does not exist cannot be chosen
    hostimpl::SetDialogAnswer("open.files", "bank.idl;none.idl");
    EXPECT_FALSE(AddIdlFilesToProject());
    EXPECT_TRUE(OpenFiles().empty());
    hostimpl::SetDialogAnswer("open.files", "bank.idl; teller.idl");
    EXPECT_TRUE(AddIdlFilesToProject());
    EXPECT_EQ(OpenFiles(), (std::vector<String>{"bank.idl", "teller.idl"}));
    // an open file is not opened twice
    EXPECT_TRUE(AddIdlFilesToProject());
    EXPECT_EQ(OpenFiles().size(), 2u);
}

}  // namespace
