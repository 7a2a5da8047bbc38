// The component browser's compiler: a ZUB class of a small project header browsed for its
// properties, methods and events, directly and through idehost.
#include <gtest/gtest.h>

#include <sstream>

#include "Ccombrow.h"
#include "ProjectTestHost.h"
#include "host/CppProject.h"
#include "hostimpl/Shell.h"

namespace {

const char* const kGauge = "#pragma once\n"
                           "#include \"zub/Controls.h\"\n"
                           "class TGauge : public TControl {\n"
                           "public:\n"
                           "    explicit TGauge(TComponent* AOwner);\n"
                           "    int GetPosition() const;\n"
                           "    void SetPosition(int value);\n"
                           "    String GetCaption() const;\n"
                           "    void SetCaption(const String& value);\n"
                           "    void Reset();\n"
                           "    bool Step(int by);\n"
                           "    TNotifyEvent OnChange;\n"
                           "    double Ratio;\n"
                           "private:\n"
                           "    int FPosition;\n"
                           "};\n";

class CppBrowserCompiler : public ProjectTestHost {
protected:
    CppBrowserCompiler() : ProjectTestHost("ccombrow_") {}
    void Project()
    {
        AtomicWriteFile(dir + "Unit1.h", kGauge);
        AtomicWriteFile(dir + "Unit1.cpp", "#include \"Unit1.h\"\n");
        OpenProject("App.mak");
        ActiveCppProject()->AddItem(dir + "Unit1.cpp");
    }
};

TEST_F(CppBrowserCompiler, AnswersTheBrowserAboutTheClassOfAUnit)
{
    Project();
    TIntfPtr<TCppBrowserCompiler> c(new TCppBrowserCompiler);
    TIntfPtr<IQBrowserCompilerBase> base;
    ASSERT_TRUE(Supports(static_cast<IQBrowserCompiler*>(c.get()), base));
    int marker = 7;
    bool called = false;
    EXPECT_TRUE(c->Compile(
        "TGauge", "Unit1",
        [&](void* value, TSymbol cls) -> int {
            called = true;
            EXPECT_EQ(value, &marker);
            String name;
            c->GetText(cls, name, 0);
            EXPECT_EQ(name, "TGauge");
            TSymbol reset = c->FindSymbol("Reset", cls, 0);
            EXPECT_NE(reset, nullptr);
            if (!reset) return 0;
            // a void function is a procedure, and has no result type
            EXPECT_EQ(c->GetFlags(reset) & CppSymbolFlags::KindMask, CppSymbolFlags::Procedure);
            EXPECT_EQ(c->GetResultType(reset), nullptr);
            TSymbol step = c->FindSymbol("Step", cls, 0);
            EXPECT_EQ(c->GetFlags(step) & CppSymbolFlags::KindMask, CppSymbolFlags::Function);
            EXPECT_EQ(c->GetTypeCode(c->GetResultType(step)), CppTypeCodes::Bool);
            // one step under an alias: TNotifyEvent is a std::function
            TSymbol onChange = c->FindSymbol("OnChange", cls, 0);
            EXPECT_EQ(c->GetTypeCode(c->GetTypeSymbol(onChange)), CppTypeCodes::Typedef);
            String type;
            c->GetText(c->GetBaseTypeSymbol(onChange), type, 0);
            EXPECT_NE(type.find("std::function"), String::npos) << type;
            std::vector<TSymbol> members(BrowserMemberCapacity);
            EXPECT_EQ(c->GetMembers(cls, CppMembers::DataMembers, members.data()), 3);
            return 1;
        },
        &marker));
    EXPECT_TRUE(called);
    EXPECT_FALSE(EnableBrowser);
}

TEST_F(CppBrowserCompiler, UnitWithoutHeaderIsNotCompiled)
{
    Project();
    TIntfPtr<TCppBrowserCompiler> c(new TCppBrowserCompiler);
    bool called = false;
    try {
        c->Compile(
            "TGauge", "Unit9", [&](void*, TSymbol) { return called = true; }, nullptr);
        FAIL() << "no error";
    } catch (const EHostError& e) {
        EXPECT_EQ(e.Message(), "Could not find the header file of unit Unit9 to browse class TGauge");
    }
    EXPECT_FALSE(called);
    // a class the compile does not know: the callback is not called
    EXPECT_TRUE(c->Compile(
        "TNothing", "Unit1", [&](void*, TSymbol) { return called = true; }, nullptr));
    EXPECT_FALSE(called);
}

TEST_F(CppBrowserCompiler, PascalHeadersAndTheirMarkerFile)
{
    const struct {
        const char* include;
        bool pascal;
    } cases[] = {
        {"<stdctrls.hpp>", true}, {"<STDCTRLS.HPP>", true}, {"<a.hpp>", true},       {"<.hpp>", true},
        {".hpp>", false},         {"\"Unit1.h\"", false},   {"\"unit.hpp\"", false}, {"", false}};
    for (const auto& c : cases) EXPECT_EQ(IsPascalUnitHeader(c.include), c.pascal) << c.include;

    OpenProject("App.mak");
    ASSERT_TRUE(ForceDirectories(dir + "vcl"));
    AtomicWriteFile(dir + "vcl/stdctrls.hpp", "");
    ActiveCppProject()->SetOption("IncludePath", "vcl");
    TIntfPtr<TCppBrowserCompiler> c(new TCppBrowserCompiler);
    const String saved = NoPascalBrowseMarker;
    NoPascalBrowseMarker = dir + "NOPASBROW.KVT";
    EXPECT_TRUE(c->AllowPascalCompile("StdCtrls"));
    EXPECT_FALSE(c->AllowPascalCompile("Nowhere"));
    AtomicWriteFile(NoPascalBrowseMarker, "");
    EXPECT_FALSE(c->AllowPascalCompile("StdCtrls"));
    NoPascalBrowseMarker = saved;
}

TEST(CppBrowserCompilerRoad, ComponentBrowserThroughIdehost)
{
    const String dir = FreshDir(ScratchDir() + "ccombrow_road");
    AtomicWriteFile(dir + "Unit1.h", kGauge);
    AtomicWriteFile(dir + "Unit1.cpp", "#include \"Unit1.h\"\n");
    std::istringstream in("project new App.mak\nproject add Unit1.cpp\nstate\ncomponent TGauge Unit1\n");
    std::ostringstream out, err;
    ASSERT_EQ(hostimpl::RunIdeHost(
                  {"--packages", KVTCOMPRO_PACKAGE_DIR, "--dir", dir, "load", "kvtcompro100"}, in, out, err),
              0)
        << err.str();
    const String o = out.str();
    // registered at the package's load (this test's process links the package too, so the
    // listing may place the class in either)
    EXPECT_NE(o.find("C++ browser compiler @"), String::npos) << o;
    EXPECT_NE(o.find("property Position: int\n"
                     "property Caption: String\n"
                     "method Reset: void ()\n"
                     "method Step: bool (int)\n"
                     "event OnChange: TNotifyEvent\n"
                     "property Ratio: double\n"),
              String::npos)
        << o;
}

}  // namespace
