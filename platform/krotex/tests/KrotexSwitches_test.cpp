#include "KrotexSwitches.h"

#include <gtest/gtest.h>

namespace {

TEST(KrotexSwitches, ValuesGluedOrAsTheNextWord)
{
    const TKrotexArgs a = ParseKrotexArgs({"-boa", "-Iinc", "-I", "my dir", "-DA=1", "-DB", "-src_suffix",
                                           "cpp", "-hdr_suffixh", "-client_ext", "_cl", "-server_ext", "_sv",
                                           "-root_dir", "gen", "-no_tie", "bank.idl"});
    EXPECT_EQ(a.IncludePath, (std::vector<String>{"inc", "my dir"}));
    EXPECT_EQ(a.Defines, (std::vector<String>{"A=1", "B"}));
    EXPECT_EQ(a.SrcSuffix, "cpp");
    EXPECT_EQ(a.HdrSuffix, "h");
    EXPECT_EQ(a.ClientExt, "_cl");
    EXPECT_EQ(a.ServerExt, "_sv");
    EXPECT_EQ(a.Files, (std::vector<String>{"bank.idl"}));
    const TKrotexOutputs o = KrotexOutputs(a, "/p/bank.idl");
    EXPECT_EQ(o.ClientHeader, "gen/bank_cl.h");
    EXPECT_EQ(o.ClientSource, "gen/bank_cl.cpp");
    EXPECT_EQ(o.ServerHeader, "gen/bank_sv.h");
    EXPECT_EQ(o.ServerSource, "gen/bank_sv.cpp");
}

TEST(KrotexSwitches, DefaultsWriteIntoTheWorkingFolder)
{
    const TKrotexOutputs o = KrotexOutputs(ParseKrotexArgs({"a.idl"}), "a.idl");
    EXPECT_EQ(o.ClientHeader, "./a_c.hh");
    EXPECT_EQ(o.ClientSource, "./a_c.cc");
    EXPECT_EQ(o.ServerHeader, "./a_s.hh");
    EXPECT_EQ(o.ServerSource, "./a_s.cc");
}

TEST(KrotexSwitches, SourceAndHeaderFoldersOverTheRootFolder)
{
    const TKrotexOutputs o =
        KrotexOutputs(ParseKrotexArgs({"-root_dir", "r", "-hdr_dir", "inc", "a.idl"}), "a.idl");
    EXPECT_EQ(o.ClientSource, "r/a_c.cc");
    EXPECT_EQ(o.ClientHeader, "inc/a_c.hh");
}

TEST(KrotexSwitches, BadCommandLinesAreRefused)
{
    for (const std::vector<String>& bad : std::vector<std::vector<String>>{
             {"-frobnicate", "a.idl"}, {"a.idl", "-I"}, {"-boa"}, {"-src_suffix", ".", "a.idl"}, {}})
        EXPECT_THROW(ParseKrotexArgs(bad), EKrotexUsage) << (bad.empty() ? String("(none)") : bad[0]);
}

TEST(KrotexSwitches, DiagnosticsKeepFileAndLine)
{
    const struct {
        const char* In;
        const char* Out;
    } cases[] = {
        {"bad.idl:4: Syntax error in interface body", "bad.idl:4: Syntax error in interface body"},
        {"w.idl:1: Warning: Forward declared interface 'W::A' was never fully defined",
         "w.idl:1: (warning) Forward declared interface 'W::A' was never fully defined"},
        {"omniidl: 1 error and 1 warning.", ""},
        {"omniidl: Error running preprocessor", "krotex: Error running preprocessor"},
        {"   ", ""},
    };
    for (const auto& c : cases) EXPECT_EQ(KrotexDiagnostic(c.In), c.Out) << c.In;
}

}  // namespace
