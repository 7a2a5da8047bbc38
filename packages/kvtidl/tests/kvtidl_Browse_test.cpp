// The IDL symbol model over the host's compiler: skeleton headers browsed into modules, classes
// and methods, the file-symbol cache, and the browser's protocol.
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>

#include "Idlcppimpl.h"
#include "Idlenvoptions.h"
#include "ProjectTestHost.h"

namespace {

// A server header as the ORB's compiler writes its skeletons: modules and interfaces with "_sk_".
const char* const kSkeletons = "#pragma once\n"
                               "namespace _sk_Bank {\n"
                               "class _sk_Account {\n"
                               "public:\n"
                               "    virtual ~_sk_Account();\n"
                               "    virtual float balance() = 0;\n"
                               "    virtual void balance(float value) = 0;\n"
                               "    virtual void deposit(float amount, const char* memo) = 0;\n"
                               "    virtual void ping();\n"
                               "};\n"
                               "namespace _sk_Inner {\n"
                               "class _sk_Teller { public: virtual long Open(const char* name) = 0; };\n"
                               "}\n"
                               "}\n"
                               "class _sk_Top { public: virtual void run() = 0; };\n"
                               "class Other { public: virtual void x() = 0; };\n";

int gCompiles = 0;
bool CountingCompile(TEditBuffer& buffer)
{
    ++gCompiles;
    return DefaultCompileAndBrowse(buffer);
}

class IdlBrowse : public ProjectTestHost {
protected:
    IdlBrowse() : ProjectTestHost("idlbrowse_") {}
    void SetUp() override
    {
        ProjectTestHost::SetUp();
        IdlEnvironmentOptions = NewDataModule<TIdlEnvironmentOptions>(nullptr);
        IdlFileSymbolCache = new TIdlFileSymbolCache();
        CompileAndBrowseProc = CountingCompile;
        gCompiles = 0;
    }
    void TearDown() override
    {
        CompileAndBrowseProc = DefaultCompileAndBrowse;
        delete IdlFileSymbolCache;
        IdlFileSymbolCache = nullptr;
        delete IdlEnvironmentOptions;
        IdlEnvironmentOptions = nullptr;
        ProjectTestHost::TearDown();
    }
    void Limit(int n) { IdlEnvironmentOptions->CORBA->SetValue("FileSymbolCacheLimit", IntToStr(n)); }
    String Header(const String& name, const char* text = kSkeletons)
    {
        AtomicWriteFile(dir + name, text);
        return dir + name;
    }
    static String Methods(const TIdlClassSymbol& c)
    {
        String out;
        for (int i = 0; i < c.Methods().Count(); ++i) {
            const TIdlMethodSymbol* m = c.Methods().Items(i);
            out += m->ResultType + " " + m->Name() + "(" + m->Params + ")" +
                   (m->IsAttribute ? " attribute " + IntToStr(m->AttributeIndex) : String()) + "\n";
        }
        return out;
    }
};

TEST_F(IdlBrowse, SkeletonsBecomeModulesClassesAndMethods)
{
    TIdlFileSymbol file(Header("bank_s.hh"));
    ASSERT_TRUE(file.PopulateClasses());
    ASSERT_EQ(file.Modules().Count(), 1);
    TIdlModuleSymbol* bank = file.Modules().Items(0);
    EXPECT_EQ(bank->Name(), "Bank");
    ASSERT_EQ(bank->Classes().Count(), 1);
    ASSERT_EQ(bank->Modules().Count(), 1);
    EXPECT_EQ(bank->Modules().Items(0)->Name(), "Inner");
    ASSERT_EQ(file.Classes().Count(), 1);
    EXPECT_EQ(file.Classes().Items(0)->Name(), "Top");

    // sorted by name, the attribute's halves paired; what the class does not leave to an
    // implementation (ping, the destructor) is no operation
    const TIdlClassSymbol& account = *bank->Classes().Items(0);
    EXPECT_EQ(Methods(account), "float balance() attribute 0\n"
                                "void balance(float) attribute 0\n"
                                "void deposit(float,| const char *)\n");
    EXPECT_TRUE(account.Methods().Items(0)->GetIsAttributeGet());
    EXPECT_TRUE(account.Methods().Items(1)->GetIsAttributeSet());
    EXPECT_EQ(account.Methods().Items(1)->GetAttributeType(), "float");
    EXPECT_EQ(account.Methods().Items(2)->GetAttributeType(), "");
    EXPECT_EQ(account.Methods().Items(2)->DeclLine, 8);
    EXPECT_EQ(ExtractFileName(account.Methods().Items(2)->DeclFile), "bank_s.hh");
    EXPECT_FALSE(account.Methods().Items(2)->Resolved);
    EXPECT_EQ(Methods(*bank->Modules().Items(0)->Classes().Items(0)), "long Open(const char *)\n");
}

TEST_F(IdlBrowse, DeclarationsAreReadFromTheSource)
{
    const String h = Header("bank_s.hh");
    TIdlFileSymbol file(h);
    file.PopulateClasses();
    TIdlClassSymbol& account = *file.Modules().Items(0)->Classes().Items(0);
    // the header changed since the browse: the declarations are read as the file is now
    AtomicWriteFile(h,
                    String(kSkeletons).replace(String(kSkeletons).find("float amount"), 12, "double  sum"));
    account.ResolveMethodDeclarations();
    String got;
    for (int i = 0; i < account.Methods().Count(); ++i) {
        const TIdlMethodSymbol* m = account.Methods().Items(i);
        got += m->ResultType + "|" + m->Name() + "|" + m->Params + "|" + (m->Resolved ? "1" : "0") + "\n";
    }
    EXPECT_EQ(got, "virtual float|balance||1\n"
                   "virtual void|balance|float value|1\n"
                   "virtual void|deposit|double  sum, const char* memo|1\n");

    // a declaration beyond the end of a shortened file stays unresolved
    TIdlFileSymbol again(h);
    again.PopulateClasses();
    TIdlClassSymbol& a2 = *again.Modules().Items(0)->Classes().Items(0);
    AtomicWriteFile(h, "namespace _sk_Bank {\n");
    a2.ResolveMethodDeclarations();
    for (int i = 0; i < a2.Methods().Count(); ++i) EXPECT_FALSE(a2.Methods().Items(i)->Resolved) << i;
}

TEST_F(IdlBrowse, QualifiedNames)
{
    TIdlFileSymbol file(Header("bank_s.hh"));
    file.Populate();
    TIdlBaseSymbol* account = file.Modules().Items(0)->Classes().Items(0);
    EXPECT_EQ(account->GetQualifiedName(), "_sk_Bank::_sk_Account");
    EXPECT_EQ(file.Classes().Items(0)->GetQualifiedName(), "_sk_Top");
    EXPECT_EQ(file.GetQualifiedName(), "");
    for (const char* name :
         {"::_sk_Bank::Account", "Bank::_sk_Account", "Bank::Account", "_sk_Bank::_sk_Account"})
        EXPECT_EQ(file.FindQualifiedName(name), account) << name;
    EXPECT_EQ(file.FindQualifiedName("Bank::Inner::Teller")->Name(), "Teller");
    EXPECT_EQ(file.FindQualifiedName("Bank::Nothing"), nullptr);
    EXPECT_EQ(file.FindQualifiedName("Account"), nullptr);

    EXPECT_EQ(StripClassPrefix("_sk_Bank::_sk_Account"), "Bank::Account");
    EXPECT_EQ(StripClassPrefix("_sk_"), "_sk_");
    EXPECT_EQ(StripClassPrefix("Bank::Account"), "Bank::Account");

    // depth first: a scope's modules before its own classes
    TIdlClassSymbolEnumerator e(file);
    ASSERT_TRUE(e.AnyClasses());
    std::vector<String> order;
    for (TIdlClassSymbol* c = e.Current(); c; c = e.Next() ? e.Current() : nullptr)
        order.push_back(c->Name());
    EXPECT_EQ(order, (std::vector<String>{"Teller", "Account", "Top"}));
    EXPECT_EQ(e.Current(), nullptr);
}

TEST_F(IdlBrowse, CacheOffLeavesClassesWithoutMethodsUnlessAsked)
{
    Limit(0);
    const String h = Header("bank_s.hh");
    TIdlFileSymbol plain(h);
    plain.Populate();
    EXPECT_EQ(plain.Modules().Items(0)->Classes().Items(0)->Methods().Count(), 0);
    TIdlFileSymbol full(h);
    full.PopulateClasses();
    EXPECT_EQ(full.Modules().Items(0)->Classes().Items(0)->Methods().Count(), 3);
    EXPECT_EQ(IdlFileSymbolCache->Count(), 0);
    EXPECT_EQ(gCompiles, 2);
}

TEST_F(IdlBrowse, CacheKeepsTheMostRecentFilesAndAnswersUnchangedOnes)
{
    Limit(2);
    const String a = Header("a_s.hh"), b = Header("b_s.hh"), c = Header("c_s.hh");
    for (const String& f : {a, b, c}) TIdlFileSymbol(f).Populate();
    EXPECT_EQ(gCompiles, 3);
    ASSERT_EQ(IdlFileSymbolCache->Count(), 2);
    EXPECT_EQ(IdlFileSymbolCache->FileName(0), c);
    EXPECT_EQ(IdlFileSymbolCache->FileName(1), b);

    // b again: from the cache, a deep copy with its methods, the order unchanged
    TIdlFileSymbol again(b);
    again.Populate();
    EXPECT_EQ(gCompiles, 3);
    EXPECT_EQ(IdlFileSymbolCache->FileName(0), c);
    EXPECT_EQ(again.Modules().Items(0)->Classes().Items(0)->Methods().Count(), 3);
    EXPECT_NE(IdlFileSymbolCache->Lookup(b)->Modules().Items(0), again.Modules().Items(0));

    // a was evicted: browsed again
    TIdlFileSymbol(a).Populate();
    EXPECT_EQ(gCompiles, 4);
    EXPECT_EQ(IdlFileSymbolCache->FileName(0), a);
    EXPECT_EQ(IdlFileSymbolCache->FileName(1), c);

    // an edited header is stale: dropped at the next lookup and browsed again
    std::filesystem::last_write_time(c, std::filesystem::last_write_time(c) + std::chrono::seconds(5));
    EXPECT_EQ(IdlFileSymbolCache->Lookup(c), nullptr);
    EXPECT_EQ(IdlFileSymbolCache->Count(), 1);
    TIdlFileSymbol(c).Populate();
    EXPECT_EQ(gCompiles, 5);
}

TEST_F(IdlBrowse, HeaderThatDoesNotCompileCannotBeBrowsed)
{
    const String h = Header("broken_s.hh", "namespace _sk_X { class _sk_Y { int }; }\n");
    TIdlFileSymbol file(h);
    try {
        file.PopulateClasses();
        FAIL() << "no error";
    } catch (const Exception& e) {
        EXPECT_EQ(e.Message(), "Unable to browse " + h);
    }
    EXPECT_EQ(IdlFileSymbolCache->Count(), 0);
    TIdlFileSymbol missing(dir + "none_s.hh");
    EXPECT_THROW(missing.Populate(), Exception);
}

TEST_F(IdlBrowse, BrowserProtocol)
{
    const String h = Header("bank_s.hh");
    // without the host's compiler nothing is browsed, and that is no failure
    CompileAndBrowseProc = nullptr;
    bool called = false;
    TSkBrowser none;
    EXPECT_TRUE(none.Compile(
        h, [&](TObject*, TSkBrowser*) { called = true; }, nullptr));
    EXPECT_FALSE(called);
    CompileAndBrowseProc = CountingCompile;

    TObject owner;
    TSkBrowser browser;
    EXPECT_TRUE(browser.Compile(
        h,
        [&](TObject* o, TSkBrowser* b) {
            called = true;
            EXPECT_EQ(o, &owner);
            EXPECT_EQ(b->HeaderFile(), h);
            TSymbol deposit = b->FindSymbol("_sk_Bank::_sk_Account::deposit", nullptr, 0);
            ASSERT_NE(deposit, nullptr);
            TSymbol params[2];
            ASSERT_EQ(b->GetMembers(deposit, CppMembers::Parameters, params), 2);
            // a pointer to char stays the pointer; the base of a float is none
            EXPECT_EQ(b->GetTypeCode(b->GetBaseTypeSymbol(params[1])), CppTypeCodes::Pointer);
            EXPECT_EQ(b->GetBaseTypeCode(params[0]), CppTypeCodes::Float);
            // a lookup without a place answers false and leaves the outputs as they were
            int line = -7;
            String file = "kept";
            EXPECT_FALSE(b->FindDeclaration(b->GetTypeSymbol(params[0]), line, file));
            EXPECT_EQ(line, -7);
            EXPECT_EQ(file, "kept");
            EXPECT_TRUE(b->FindDeclaration(deposit, line, file));
            EXPECT_EQ(line, 8);
        },
        &owner));
    EXPECT_TRUE(called);
    // the hook points at a browser only during its compile
    EXPECT_FALSE(EnableBrowser);
    EXPECT_EQ(BrowseSymbolText("this"), "SELF");
    EXPECT_EQ(BrowseSymbolText("This"), "This");
}

}  // namespace
