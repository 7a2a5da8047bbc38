#pragma once
// The shop over the ORB: what krotex generates for kShopIdl built into a server and a client with
// g++ against omniORB, and one call between the two processes.
#include <gtest/gtest.h>

#include <utility>

#include "rtl/ConsoleProcess.h"
#include "rtl/Files.h"

// One deposit, one balance, one closing call.
inline const char* const kShopIdl = "module Bank {\n"
                                    "  struct Money { long units; short cents; };\n"
                                    "  interface Account {\n"
                                    "    readonly attribute Money balance;\n"
                                    "    void deposit(in Money amount);\n"
                                    "    oneway void close();\n"
                                    "  };\n"
                                    "};\n";
inline const char* const kShopServer =
    "#include <shop_s.hh>\n"
    "#include <iostream>\n"
    "static bool done = false;\n"
    "class Account : public virtual _sk_Bank::_sk_Account {\n"
    "  Bank::Money m{0, 0};\n"
    "public:\n"
    "  Bank::Money balance() override { return m; }\n"
    "  void deposit(const Bank::Money& a) override { m.units += a.units; m.cents += a.cents; }\n"
    "  void close() override { done = true; }\n"
    "};\n"
    "int main(int argc, char** argv) {\n"
    "  CORBA::ORB_var orb = CORBA::ORB_init(argc, argv);\n"
    "  CORBA::Object_var o = orb->resolve_initial_references(\"RootPOA\");\n"
    "  PortableServer::POA_var poa = PortableServer::POA::_narrow(o);\n"
    "  Account* a = new Account;\n"
    "  PortableServer::ObjectId_var id = poa->activate_object(a);\n"
    "  CORBA::Object_var ref = poa->id_to_reference(id);\n"
    "  CORBA::String_var ior = orb->object_to_string(ref);\n"
    "  poa->the_POAManager()->activate();\n"
    "  std::cout << ior << std::endl;\n"
    "  while (!done) orb->perform_work();\n"
    "  orb->destroy();\n"
    "  return 0;\n"
    "}\n";
inline const char* const kShopClient =
    "#include <shop_c.hh>\n"
    "#include <iostream>\n"
    "int main(int argc, char** argv) {\n"
    "  CORBA::ORB_var orb = CORBA::ORB_init(argc, argv);\n"
    "  std::string ior;\n"
    "  std::getline(std::cin, ior);\n"
    "  CORBA::Object_var o = orb->string_to_object(ior.c_str());\n"
    "  Bank::Account_var acc = Bank::Account::_narrow(o);\n"
    "  Bank::Money m{12, 34};\n"
    "  acc->deposit(m);\n"
    "  Bank::Money b = acc->balance();\n"
    "  std::cerr << \"balance \" << b.units << \".\" << b.cents << std::endl;\n"
    "  acc->close();\n"
    "  orb->destroy();\n"
    "  return b.units == 12 && b.cents == 34 ? 0 : 1;\n"
    "}\n";

// Builds the server and the client in dir from what krotex generated into dir/gen, and makes the
// call; a step that fails fails the running test.
inline void BuildAndCallOverTheOrb(const String& dir)
{
    AtomicWriteFile(dir + "server.cc", kShopServer);
    AtomicWriteFile(dir + "client.cc", kShopClient);
    auto run = [&](const String& command) {
        TConsoleProcess p;
        p.ApplicationName = "sh";
        p.CommandLine = "sh -c \"" + command + "\"";
        p.CurrentDirectory = dir;
        p.Execute();
        return std::make_pair(p.ExitCode(), p.Errors().GetText());
    };
    const String gxx = "g++ -std=c++17 -I gen -o ";
    const String orb = " -lomniORB4 -lomnithread";
    auto built = run(gxx + "server server.cc gen/shop_s.cc gen/shop_c.cc" + orb);
    ASSERT_EQ(built.first, 0) << built.second;
    built = run(gxx + "client client.cc gen/shop_c.cc" + orb);
    ASSERT_EQ(built.first, 0) << built.second;
    const auto called = run("timeout 60 ./server | timeout 60 ./client");
    EXPECT_EQ(called.first, 0) << called.second;
    EXPECT_NE(called.second.find("balance 12.34"), String::npos) << called.second;
}
