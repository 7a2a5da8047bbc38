#include <gtest/gtest.h>

#include "Idlcppopts.h"

TEST(KvtidlOptions, EmptyStringBecomesBoa)
{
    TIdlCppOptions o("");
    EXPECT_EQ(o.Text(), "-boa ");
    EXPECT_TRUE(o.Boa());
    TIdlCppOptions given("-no_tie");
    EXPECT_FALSE(given.Boa());
}

TEST(KvtidlOptions, OnOffSwitches)
{
    TIdlCppOptions o("-src_suffix cpp");
    EXPECT_TRUE(o.GenTie());
    o.SetGenTie(false);
    EXPECT_EQ(o.Text(), "-no_tie -src_suffix cpp");
    EXPECT_FALSE(o.GenTie());
    o.SetGenTie(true);
    EXPECT_EQ(o.Text(), "-src_suffix cpp");
    o.SetGenTypeCodeInfo(true);
    o.SetGenTypeCodeInfo(true);  // not doubled
    EXPECT_EQ(o.Text(), "-type_code_info -src_suffix cpp");
}

TEST(KvtidlOptions, ReadingValues)
{
    struct Case {
        const char* text;
        TKrotexSwitchId id;
        const char* want;
    };
    const Case cases[] = {
        {"-Ia -Ib", TKrotexSwitchId::swIncludePath, "a;b"},
        {"-I c:\\x -boa", TKrotexSwitchId::swIncludePath, "c:\\x"},
        {"-I\"c:\\my dir\\.\"", TKrotexSwitchId::swIncludePath, "c:\\my dir\\."},
        {"-boa", TKrotexSwitchId::swSourceSuffix, "cc"},
        {"-src_suffix cpp", TKrotexSwitchId::swSourceSuffix, "cpp"},
        {"-hdr_suffix \"h\"", TKrotexSwitchId::swHeaderSuffix, "h"},
        {"-hdr_suffix \"\"", TKrotexSwitchId::swHeaderSuffix, "\"\""},  // too short to unquote
        {"-root_dir \"a b\" -boa", TKrotexSwitchId::swRootDir, "a b"},
        {"-DX=1 -DY", TKrotexSwitchId::swDefines, "X=1;Y"},
        {"", TKrotexSwitchId::swClientExt, "_c"},
    };
    for (const Case& c : cases) {
        TIdlCppOptions o(c.text);
        EXPECT_EQ(o.GetStrValue(c.id), c.want) << c.text;
    }
}

TEST(KvtidlOptions, WritingValues)
{
    struct Case {
        const char* text;
        TKrotexSwitchId id;
        const char* value;
        const char* want;
    };
    const Case cases[] = {
        {"-boa", TKrotexSwitchId::swIncludePath, "c:\\a;c:\\my dir\\", "-Ic:\\a -I\"c:\\my dir\\.\" -boa"},
        {"-boa -client_ext _x", TKrotexSwitchId::swClientExt, "_c", "-boa"},
        {"-boa", TKrotexSwitchId::swSourceSuffix, "cpp", "-src_suffix cpp -boa"},
        {"-src_suffix cpp -boa", TKrotexSwitchId::swSourceSuffix, "cc", "-boa"},
        {"-I c:\\x -boa", TKrotexSwitchId::swIncludePath, "", "-boa"},
        {"-boa", TKrotexSwitchId::swRootDir, "gen dir\\", "-root_dir \"gen dir\\.\" -boa"},
        {"-boa", TKrotexSwitchId::swRootDir, "\"gen\\\"", "-root_dir \"gen\\.\" -boa"},
        {"-boa", TKrotexSwitchId::swDefines, "A;B=2", "-DA -DB=2 -boa"},
    };
    for (const Case& c : cases) {
        TIdlCppOptions o(c.text);
        o.SetStrValue(c.id, c.value);
        EXPECT_EQ(o.Text(), c.want) << c.text << " <- " << c.value;
    }
}

TEST(KvtidlOptions, ValueWrittenReadsBack)
{
    TIdlCppOptions o("-boa");
    o.SetIncludePath("c:\\a;c:\\my dir");
    EXPECT_EQ(o.IncludePath(), "c:\\a;c:\\my dir");
}

TEST(KvtidlOptions, AdditionalKeepsUnknownSwitches)
{
    TIdlCppOptions o("-boa -Iinc -no_tie -xyz -src_suffix cpp");
    EXPECT_EQ(o.GetAdditonal(), "-boa -xyz");
    o.SetAdditional("-abc -src_suffix hpp");
    // Typed switches of the given text are not taken over.
    EXPECT_EQ(o.Text(), "-Iinc -no_tie -src_suffix cpp -abc");
    o.SetAdditional("");
    EXPECT_EQ(o.Text(), "-Iinc -no_tie -src_suffix cpp");
}

TEST(KvtidlOptions, AdditionalQuotesTrailingDelimiter)
{
    String known, additional;
    TIdlCppOptionsManager::SeparateOptions("-boa out\\", known, additional);
    EXPECT_EQ(additional, "-boa \"out\\\"");
    TIdlCppOptionsManager::SeparateOptions("-root_dirgen\\", known, additional);
    EXPECT_EQ(additional, "-root_dir\"gen\\\"");
}

TEST(KvtidlOptions, GeneratedSourceNames)
{
    struct Case {
        const char* text;
        const char* client;
        const char* server;
    };
    const Case cases[] = {
        {"-boa", "/p/idl/a_c.cc", "/p/idl/a_s.cc"},
        {"-src_suffix cpp -client_ext Cl", "/p/idl/aCl.cpp", "/p/idl/a_s.cpp"},
        {"-root_dir gen", "/p/gen/a_c.cc", "/p/gen/a_s.cc"},
        {"-root_dir gen -src_dir src/", "/p/src/a_c.cc", "/p/src/a_s.cc"},
        {"-src_dir /abs", "/abs/a_c.cc", "/abs/a_s.cc"},
    };
    for (const Case& c : cases) {
        TIdlCppOptions o(c.text);
        EXPECT_EQ(o.MakeClientSourceName("/p", "/p/idl/a.idl"), c.client) << c.text;
        EXPECT_EQ(o.MakeServerSourceName("/p", "/p/idl/a.idl"), c.server) << c.text;
    }
}

TEST(KvtidlOptions, KrotirOptionsAndRootMacro)
{
    TIdlCppOptions o("-boa -I $(BCB)/include -DX -no_tie -Ia");
    EXPECT_EQ(o.GetKrotirOptions(), "-I $(BCB)/include -DX -Ia");
    SetIdlRootMacroDir("/opt/host");
    EXPECT_EQ(o.GetExpandedIncludePath(), "/opt/host/include;a");
    SetIdlRootMacroDir("");
}

TEST(KvtidlOptions, ControlCharactersSeparateBlankSeparatedWordsOnly)
{
    EXPECT_EQ(ExtractStrings(String("-a\x01\x02x \x1f-b\0c", 11)),
              (std::vector<String>{"-a", "x", "-b", "c"}));
    EXPECT_EQ(ExtractStrings("\"q\x01r\" s"), (std::vector<String>{"\"q\x01r\"", "s"}));
    EXPECT_EQ(ExtractStrings("a\x01;b", ";"), (std::vector<String>{"a\x01", "b"}));
}
