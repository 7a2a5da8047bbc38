// Compile and browse over the host's compiler: a scratch buffer including a small header, walked
// through the library's functions while the browse data is there, and refused after.
#include <gtest/gtest.h>

#include "ProjectTestHost.h"
#include "host/CppBrowse.h"
#include "host/CppProject.h"
#include "host/SourceFiles.h"
#include "hostimpl/StateListing.h"

namespace {

const char* const kShop = "#pragma once\n"
                          "namespace Shop {\n"
                          "struct Money { long units; short cents; };\n"
                          "class Base {\n"
                          "public:\n"
                          "    virtual ~Base();\n"
                          "    virtual int count() const = 0;\n"
                          "    virtual void reset();\n"
                          "};\n"
                          "class Till : public Base {\n"
                          "public:\n"
                          "    int count() const override;\n"
                          "    virtual void pay(const Money& amount, char* note) = 0;\n"
                          "    static Till* make();\n"
                          "private:\n"
                          "    int FOpen;\n"
                          "};\n"
                          "typedef char* PChar;\n"
                          "}\n"
                          "namespace Shop { class Counter; }\n";

class CppBrowse : public ProjectTestHost {
protected:
    CppBrowse() : ProjectTestHost("browse_") {}
    void TearDown() override
    {
        EnableBrowser = nullptr;
        ProjectTestHost::TearDown();
    }
    // Compiles a buffer including header through the host's hook; walk runs inside.
    bool Browse(const String& header, std::function<void()> walk)
    {
        TEditBuffer buffer(MakeUniqueModuleName("Syms", ".cpp"));
        buffer.Write("#include \"" + header + "\"\r\n");
        EnableBrowser = std::move(walk);
        return CompileAndBrowseProc(buffer);
    }
    static String Text(TSymbol s, int kind = 0)
    {
        char buf[501];
        CppGetSymbolText(s, buf, sizeof buf, kind);
        return buf;
    }
    static std::vector<TSymbol> Members(TSymbol scope, int flags)
    {
        const int n = CppGetSymbols(scope, flags | CppMembers::Count, nullptr, 0);
        std::vector<TSymbol> v(static_cast<std::size_t>(n));
        EXPECT_EQ(CppGetSymbols(scope, flags, v.data(), n), n);
        return v;
    }
    static std::vector<String> Names(const std::vector<TSymbol>& v)
    {
        std::vector<String> out;
        for (TSymbol s : v) out.push_back(Text(s));
        return out;
    }
};

TEST_F(CppBrowse, WalksNamespacesClassesFunctionsAndTypes)
{
    AtomicWriteFile(dir + "shop.h", kShop);
    bool walked = false;
    ASSERT_TRUE(Browse("shop.h", [&] {
        walked = true;
        TSymbol shop = CppFindSymbol("Shop", nullptr, CppSymbolFlags::Namespace);
        ASSERT_NE(shop, nullptr);
        EXPECT_EQ(CppGetSymbolFlags(shop) & CppSymbolFlags::KindMask, CppSymbolFlags::Namespace);
        // both declarations of the namespace give its members, each entity once
        EXPECT_EQ(Names(Members(shop, CppMembers::Scope)),
                  (std::vector<String>{"Money", "Base", "Till", "PChar", "Counter"}));
        EXPECT_EQ(CppGetSymbols(shop, CppMembers::ClassMembers | CppMembers::Count, nullptr, 0), 0);

        TSymbol till = CppFindSymbol("Shop::Till", nullptr, 0);
        ASSERT_NE(till, nullptr);
        EXPECT_GT(CppGetSymbols(till, CppMembers::ClassMembers | CppMembers::Count, nullptr, 0), 0);
        EXPECT_EQ(CppFindSymbol("::Shop::Till", shop, 0), till);
        EXPECT_EQ(CppFindSymbol("Till", shop, 0), till);
        EXPECT_EQ(CppFindSymbol("Shop::Nothing", nullptr, 0), nullptr);

        // own functions, then with what the bases declare; an override stands once
        EXPECT_EQ(Names(Members(till, CppMembers::Functions)), (std::vector<String>{"count", "pay", "make"}));
        const auto all = Members(till, CppMembers::Functions | CppMembers::Inherited);
        EXPECT_EQ(Names(all), (std::vector<String>{"count", "pay", "make", "reset"}));
        auto flagsOf = [&](const char* name) {
            for (TSymbol s : all)
                if (Text(s) == name) return CppGetSymbolFlags(s);
            return -1;
        };
        EXPECT_FALSE(flagsOf("count") & CppSymbolFlags::Abstract);
        EXPECT_TRUE(flagsOf("pay") & CppSymbolFlags::Abstract);
        EXPECT_TRUE(flagsOf("make") & CppSymbolFlags::Static);
        EXPECT_EQ(flagsOf("pay") & CppSymbolFlags::KindMask, CppSymbolFlags::Function);
        EXPECT_EQ(Names(Members(till, CppMembers::DataMembers)), (std::vector<String>{"FOpen"}));
        EXPECT_TRUE(CppGetSymbolFlags(Members(till, CppMembers::DataMembers)[0]) & CppSymbolFlags::Private);

        // parameters with their types; the result type of a function
        TSymbol pay = all[1];
        const auto params = Members(pay, CppMembers::Parameters);
        EXPECT_EQ(Names(params), (std::vector<String>{"amount", "note"}));
        EXPECT_EQ(Text(params[0], 1), "const Shop::Money &");
        EXPECT_EQ(Text(params[1], 1), "char *");
        EXPECT_EQ(CppGetTypeCode(CppGetResultType(pay)), CppTypeCodes::Void);
        EXPECT_EQ(CppGetTypeCode(CppGetResultType(all[0])), CppTypeCodes::Int);

        // types unwind: reference -> const Money (record), pointer -> char; an alias to its target
        TSymbol ref = CppGetTypeSymbol(params[0]);
        EXPECT_EQ(CppGetTypeCode(ref), CppTypeCodes::Reference);
        EXPECT_EQ(CppGetObjectType(params[0], 0), CppFindSymbol("Shop::Money", nullptr, 0));
        TSymbol ptr = CppGetTypeSymbol(params[1]);
        EXPECT_EQ(CppGetTypeCode(ptr), CppTypeCodes::Pointer);
        EXPECT_EQ(CppGetTypeCode(CppGetBaseType(ptr)), CppTypeCodes::Char);
        TSymbol alias = CppGetTypeSymbol(CppFindSymbol("Shop::PChar", nullptr, CppSymbolFlags::Typedef));
        EXPECT_EQ(CppGetTypeCode(alias), CppTypeCodes::Typedef);
        EXPECT_EQ(CppGetTypeCode(CppGetBaseType(alias)), CppTypeCodes::Pointer);
        EXPECT_EQ(CppGetBaseType(CppGetBaseType(CppGetBaseType(alias))), nullptr);
        EXPECT_EQ(CppGetTypeCode(nullptr), CppTypeCodes::None);

        // where a symbol is declared
        TCppDeclaration d;
        CppFindDeclaration(&d, pay, 0);
        EXPECT_EQ(d.Line, 13);
        EXPECT_EQ(ExtractFileName(CppFileIndexToName(d.FileIndex)), "shop.h");
        EXPECT_STREQ(CppFileIndexToName(0), "");
    }));
    EXPECT_TRUE(walked);
}

TEST_F(CppBrowse, TextIsCutToTheBufferAndCountsFillNothing)
{
    AtomicWriteFile(dir + "shop.h", kShop);
    ASSERT_TRUE(Browse("shop.h", [&] {
        TSymbol till = CppFindSymbol("Shop::Till", nullptr, 0);
        char small[3] = {'x', 'x', 'x'};
        CppGetSymbolText(till, small, 3, 0);
        EXPECT_STREQ(small, "Ti");
        TSymbol one[1] = {nullptr};
        // more members than room: only the room is filled, the count is the whole
        EXPECT_EQ(CppGetSymbols(till, CppMembers::Functions, one, 1), 3);
        EXPECT_EQ(Text(one[0]), "count");
    }));
}

TEST_F(CppBrowse, HandleUsedAfterItsBrowseIsRefused)
{
    AtomicWriteFile(dir + "shop.h", kShop);
    TSymbol kept = nullptr;
    ASSERT_TRUE(Browse("shop.h", [&] { kept = CppFindSymbol("Shop::Till", nullptr, 0); }));
    ASSERT_NE(kept, nullptr);
    EXPECT_THROW(CppGetSymbolFlags(kept), EHostError);
    EXPECT_THROW(CppGetSymbols(nullptr, CppMembers::Scope | CppMembers::Count, nullptr, 0), EHostError);
    EXPECT_THROW(CppFindSymbol("Shop", nullptr, 0), EHostError);
    // nor does a later browse take it for one of its own
    ASSERT_TRUE(Browse("shop.h", [&] {
        EXPECT_THROW(CppGetSymbolFlags(kept), EHostError);
        EXPECT_THROW(CppGetTypeSymbol(reinterpret_cast<TSymbol>(std::uintptr_t{12345})), EHostError);
    }));
}

TEST_F(CppBrowse, HeaderThatDoesNotCompileIsNotBrowsed)
{
    for (const char* text : {"class Broken { int x }\n", "#include \"missing.h\"\n"}) {
        AtomicWriteFile(dir + "bad.h", text);
        bool walked = false;
        EXPECT_FALSE(Browse("bad.h", [&] { walked = true; })) << text;
        EXPECT_FALSE(walked) << text;
    }
}

TEST_F(CppBrowse, ProjectIncludePathAndDefinesReachTheCompiler)
{
    OpenProject("Shop.mak");
    ASSERT_TRUE(ForceDirectories(dir + "inc"));
    AtomicWriteFile(dir + "inc/deep.h", "#ifndef SHOP_ON\n#error off\n#endif\nclass Deep {};\n");
    auto project = ActiveCppProject();
    ASSERT_TRUE(project);
    project->SetOption("IncludePath", "inc");
    // without the define the header stops the compile
    EXPECT_FALSE(Browse("deep.h", [] {}));
    project->SetOption("Defines", "_DEBUG;SHOP_ON=1");
    bool found = false;
    EXPECT_TRUE(Browse("deep.h", [&] { found = CppFindSymbol("Deep", nullptr, 0) != nullptr; }));
    EXPECT_TRUE(found);
}

TEST_F(CppBrowse, ScratchBuffersHaveUniqueNamesAndShowInTheState)
{
    auto listed = [] {
        int n = 0;
        for (const String& l : hostimpl::HostStateListing()) n += l.rfind("scratch edit buffer ", 0) == 0;
        return n;
    };
    {
        TEditBuffer a(MakeUniqueModuleName("IdlGenSyms", ""));
        TEditBuffer b(MakeUniqueModuleName("IdlGenSyms", ""));
        EXPECT_EQ(ExtractFileName(a.FileName()), "IdlGenSyms1");
        EXPECT_EQ(ExtractFileName(b.FileName()), "IdlGenSyms2");
        EXPECT_EQ(listed(), 2);
    }
    EXPECT_EQ(listed(), 0);
    EXPECT_EQ(ExtractFileName(MakeUniqueModuleName("IdlGenSyms", "")), "IdlGenSyms1");
}

TEST_F(CppBrowse, HeaderFileSpecOfAUnit)
{
    OpenProject("App.mak");
    auto project = ActiveCppProject();
    AtomicWriteFile(dir + "Unit1.cpp", "");
    AtomicWriteFile(dir + "Unit1.h", "");
    project->AddItem(dir + "Unit1.cpp");
    ASSERT_TRUE(ForceDirectories(dir + "vcl"));
    AtomicWriteFile(dir + "vcl/stdctrls.hpp", "");
    project->SetOption("IncludePath", "vcl");
    EXPECT_EQ(FindHeaderFileSpec("Unit1"), "\"Unit1.h\"");
    EXPECT_EQ(FindHeaderFileSpec("Unit1.cpp"), "\"Unit1.h\"");
    EXPECT_EQ(FindHeaderFileSpec("StdCtrls"), "<stdctrls.hpp>");
    EXPECT_EQ(FindHeaderFileSpec("Nowhere"), "");
}

}  // namespace
