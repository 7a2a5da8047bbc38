// CORBA implementation classes in C++ sources: recognised by their skeleton base or a comment
// marker, with their members, access labels and the places of their method bodies.
#include <gtest/gtest.h>

#include "Idlclassmanager.h"

namespace {

const char* const kHeader = "class AccountImpl;\n"
                            "class AccountImpl : public _sk_Bank::_sk_Account, public Other\n"
                            "{\n"
                            "public:\n"
                            "    AccountImpl(const char* name);\n"
                            "    virtual void deposit(float amount);\n"
                            "    void deposit(float amount, const char* memo);\n"
                            "    Bank::Money balance();\n"
                            "    STDMETHOD(Query)(int id);\n"
                            "    int __fastcall Count(void);\n"
                            "    int FValue;\n"
                            "private:\n"
                            "    void helper() { if (FValue) { FValue = 0; } }\n"
                            "};\n"
                            "class DeskImpl : public Base /* Teller::Desk : CORBAIdlInterface */\n"
                            "{\n"
                            "protected:\n"
                            "    void open();\n"
                            "};\n"
                            "class Plain { void f(); };\n";

const char* const kSource =
    "#include \"AccountImpl.h\"\n"
    "AccountImpl::AccountImpl(const char* name) : Other(1), _sk_Bank::_sk_Account(name)\n"
    "{\n"
    "}\n"
    "void AccountImpl::deposit(float amount, const char* memo)\n"
    "{\n"
    "}\n"
    "void AccountImpl::deposit(float sum)\n"
    "{\n"
    "  // nothing yet\n"
    "}\n"
    "Bank::Money AccountImpl::balance()\n"
    "{\n"
    "  return Bank::Money();\n"
    "}\n";

TEST(IdlClassManager, ClassesMembersAndMarkers)
{
    TIdlClassManagerHelper h;
    auto classes = ParseIdlImplClasses(h, kHeader);
    // the forward declaration yields no class
    ASSERT_EQ(classes.size(), 3u);
    TClassSymbol& account = *classes[0];
    EXPECT_EQ(account.Name, "AccountImpl");
    EXPECT_EQ(account.Line, 2);
    EXPECT_EQ(account.IdlInterfaceName, "_sk_Bank::_sk_Account");
    EXPECT_EQ(String(kHeader).substr(account.IdlInterfacePos, 8), "_sk_Bank");

    String methods;
    for (const TMethodSymbol& m : account.Methods) methods += m.Type + "|" + m.Name + "|" + m.Params + "\n";
    EXPECT_EQ(methods, "|AccountImpl|const char* name\n"
                       "void|deposit|float amount\n"
                       "void|deposit|float amount, const char* memo\n"
                       "Bank::Money|balance|\n"
                       "HRESULT|Query|int id\n"
                       "int|Count|void\n"
                       "void|helper|\n");

    const String h0 = kHeader;
    EXPECT_EQ(account.FirstMemberPos, h0.find("    AccountImpl(const"));
    ASSERT_EQ(account.AccessLabelPos.size(), 2u);
    EXPECT_EQ(account.AccessLabelPos[1], h0.find("private:"));
    // after "private:" new members go on the next line
    EXPECT_EQ(account.MemberInsertPos, h0.find("    void helper()"));
    EXPECT_EQ(account.EndPos, h0.find("};\nclass DeskImpl"));

    // the comment names the interface whatever the bases are
    EXPECT_EQ(classes[1]->IdlInterfaceName, "Teller::Desk");
    EXPECT_EQ(h0.substr(classes[1]->IdlInterfacePos, 12), "Teller::Desk");
    EXPECT_EQ(classes[1]->MemberInsertPos, h0.find("protected:"));
    EXPECT_EQ(classes[2]->IdlInterfaceName, "");
}

TEST(IdlClassManager, MethodBodiesOverloadsAndTheSkeletonInitializer)
{
    TIdlClassManagerHelper h;
    auto classes = ParseIdlImplClasses(h, kHeader);
    std::vector<TClassSymbol*> list = {classes[0].get(), classes[1].get(), classes[2].get()};
    h.ParseIdlImplSource(kSource, "AccountImpl.cpp", list);
    const String src = kSource;
    TClassSymbol& a = *classes[0];
    EXPECT_EQ(a.IdlInitializerPos, src.find("_sk_Bank::_sk_Account(name)"));

    const TMethodSymbol& one = a.Methods[1];  // deposit(float amount)
    const TMethodSymbol& two = a.Methods[2];  // deposit(float amount, const char* memo)
    EXPECT_EQ(two.CodePos, src.find("void AccountImpl::deposit(float amount, const"));
    EXPECT_EQ(one.CodePos, src.find("void AccountImpl::deposit(float sum)"));
    EXPECT_EQ(one.NamePos, src.find("deposit(float sum)"));
    EXPECT_EQ(one.HeaderEnd, src.find("\n{\n  // nothing"));
    EXPECT_EQ(one.BeginPos, src.find("{\n  // nothing"));
    EXPECT_EQ(one.CodeBegin, one.BeginPos + 1);
    EXPECT_EQ(one.CodeSource, "AccountImpl.cpp");
    // an empty pair of braces is empty; one holding only a comment is not
    EXPECT_TRUE(two.Empty);
    EXPECT_FALSE(one.Empty);
    EXPECT_FALSE(a.Methods[3].Empty);
    EXPECT_EQ(src.substr(a.Methods[3].CodeEnd, 1), "}");
    // declared only: no code position
    EXPECT_EQ(a.Methods[4].CodePos, NoPosition);
}

TEST(IdlClassManager, SameParameters)
{
    const struct {
        const char* a;
        const char* b;
        bool same;
    } cases[] = {
        {"float amount, const char* memo", "float sum, const char *note", true},
        {"float amount", "float amount, const char* memo", false},
        {"int x = 3", "int", true},
        {"", "void", true},
        {"const Bank::Money& m", "const Bank::Money &", true},
        {"int", "long", false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(TIdlClassManagerHelperBase::SameParameters(c.a, c.b), c.same) << c.a << " / " << c.b;
}

}  // namespace
