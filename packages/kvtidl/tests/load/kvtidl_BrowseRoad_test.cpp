// Browsing through idehost, as the CORBA wizards see an IDL file: the real krotex writes the
// headers, the host's compiler reads them, KVTIDL100 lists modules, interfaces, operations,
// attributes and the names of their implementations.
#include "IdlHostTest.h"

namespace {

class KvtidlBrowseRoad : public IdlHostTest {
protected:
    KvtidlBrowseRoad() : IdlHostTest("browseroad_") {}
    // What the browse printed: from its "file" line up to the end.
    String Listing() const { return out.substr(std::min(out.find("file "), out.size())); }
};

TEST_F(KvtidlBrowseRoad, BankIdlListsItsModuleInterfaceOperationsAndImplementationNames)
{
    AtomicWriteFile(dir + "bank.idl", kBankIdl);
    ASSERT_EQ(Host("project new Bank.mak\nproject add bank.idl\nproject build\nbrowse bank.idl\n"), 0) << err;
    EXPECT_EQ(Listing(), "file " + dir +
                             "bank_c.hh\n"
                             "module Bank\n"
                             "  interface Account  skeleton _sk_Bank::_sk_Account\n"
                             "    operation Bank::Money balance()\n"
                             "    operation void deposit(const ::Bank::Money &)\n"
                             "    implementation AccountImpl in AccountServer.cpp, object AccountObject, tie "
                             "Bank_tie_Account\n"
                             "    client variable account\n");
}

TEST_F(KvtidlBrowseRoad, AttributesNestedModulesAndInterfacesOutsideModules)
{
    AtomicWriteFile(dir + "shop.idl", "interface Till { void open(in string who, in long drawer); };\n"
                                      "module Shop {\n"
                                      "  module Back { interface Store { attribute long stock; }; };\n"
                                      "  interface Door { oneway void ring(); };\n"
                                      "};\n");
    ASSERT_EQ(Host("project new Shop.mak\nproject add shop.idl\nproject build\nbrowse shop.idl\n"), 0) << err;
    EXPECT_EQ(Listing(),
              "file " + dir +
                  "shop_c.hh\n"
                  "module Shop\n"
                  "  module Back\n"
                  "    interface Store  skeleton _sk_Shop::_sk_Back::_sk_Store\n"
                  "      attribute stock: ::CORBA::Long\n"
                  "      implementation StoreImpl in StoreServer.cpp, object StoreObject, tie "
                  "Shop_Back_tie_Store\n"
                  "      client variable store\n"
                  "  interface Door  skeleton _sk_Shop::_sk_Door\n"
                  "    operation void ring()\n"
                  "    implementation DoorImpl in DoorServer.cpp, object DoorObject, tie Shop_tie_Door\n"
                  "    client variable door\n"
                  "interface Till  skeleton _sk_Till\n"
                  "  operation void open(const char *, ::CORBA::Long)\n"
                  "  implementation TillImpl in TillServer.cpp, object TillObject, tie _tie_Till\n"
                  "  client variable till\n");
}

TEST_F(KvtidlBrowseRoad, HeaderThatDoesNotParseIsReportedAndTheHostGoesOn)
{
    AtomicWriteFile(dir + "broken_c.hh", "namespace _sk_X { class _sk_Y { int }; }\n");
    EXPECT_EQ(Host("browse broken_c.hh\nbrowse missing.idl\nstate\n"), 1);
    EXPECT_NE(err.find("idehost: error: Unable to browse " + dir + "broken_c.hh\n"), String::npos) << err;
    EXPECT_NE(err.find("idehost: error: No IDL file " + dir + "missing.idl\n"), String::npos) << err;
    // the package's hook is there while it is loaded, and nothing stays behind after its unload
    EXPECT_NE(out.find("hook IdlBrowseProc @libKVTIDL100.so"), String::npos) << out;
    EXPECT_EQ(err.find("left"), String::npos) << err;
}

}  // namespace
