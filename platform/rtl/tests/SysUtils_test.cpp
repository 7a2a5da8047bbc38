#include <gtest/gtest.h>

#include <clocale>

#include "rtl/Debug.h"
#include "rtl/SysUtils.h"

struct IntCase {
    const char* text;
    bool valid;
    int value;
};

void PrintTo(const IntCase& c, std::ostream* os) { *os << '"' << c.text << '"'; }

class StrToIntCases : public ::testing::TestWithParam<IntCase> {};

TEST_P(StrToIntCases, ParsesOrRaises)
{
    const IntCase& c = GetParam();
    if (c.valid) {
        EXPECT_EQ(StrToInt(c.text), c.value);
        EXPECT_EQ(StrToIntDef(c.text, -99), c.value);
    } else {
        EXPECT_THROW(StrToInt(c.text), EConvertError);
        EXPECT_EQ(StrToIntDef(c.text, -99), -99);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, StrToIntCases,
    ::testing::Values(IntCase{"42", true, 42}, IntCase{"  -7 ", true, -7}, IntCase{"+3", true, 3},
                      IntCase{"2147483647", true, 2147483647}, IntCase{"-2147483648", true, -2147483647 - 1},
                      IntCase{"2147483648", false, 0}, IntCase{"", false, 0}, IntCase{"  ", false, 0},
                      IntCase{"12a", false, 0}, IntCase{"1 2", false, 0}, IntCase{"-", false, 0},
                      IntCase{"0x10", false, 0}, IntCase{"99999999999999999999", false, 0}));

TEST(SysUtils, ConvertErrorNamesTheText)
{
    try {
        StrToInt("zwölf");
        FAIL();
    } catch (const EConvertError& e) {
        EXPECT_NE(e.Message().find("zwölf"), String::npos);
    }
}

TEST(SysUtils, AnsiUpperCaseFollowsTheLocale)
{
    const String saved = std::setlocale(LC_CTYPE, nullptr);
    ASSERT_NE(std::setlocale(LC_CTYPE, "C.UTF-8"), nullptr);
    const std::pair<String, String> cases[] = {
        {"größe", "GRÖßE"},  // ß has no one-letter capital
        {"ÆØÅ æøå", "ÆØÅ ÆØÅ"},
        {"ελλάδα", "ΕΛΛΆΔΑ"},
        {"a\xff\xc3"
         "b",
         "A\xff\xc3"
         "B"},  // no UTF-8: the bytes stay
        {"\xc0\x80", "\xc0\x80"},  // overlong
        {"", ""},
    };
    for (const auto& [in, out] : cases) EXPECT_EQ(AnsiUpperCase(in), out) << in;
    std::setlocale(LC_CTYPE, "C");
    EXPECT_EQ(AnsiUpperCase("abc ä"), "ABC ä");  // the C locale knows ASCII letters only
    std::setlocale(LC_CTYPE, saved.c_str());
}

TEST(SysUtils, CaseAndTrim)
{
    EXPECT_EQ(UpperCase("abc ä"), "ABC ä");
    EXPECT_EQ(LowerCase("ABC Ä"), "abc Ä");
    EXPECT_EQ(Trim(" \t x y \r\n"), "x y");
    EXPECT_EQ(TrimLeft("  x "), "x ");
    EXPECT_EQ(TrimRight("  x "), "  x");
    EXPECT_EQ(Trim("ü"), "ü");  // UTF-8 bytes are no blanks
    EXPECT_TRUE(SameText("Hallo", "hALLO"));
    EXPECT_FALSE(SameText("Hallo", "Hall"));
    EXPECT_LT(CompareText("abc", "ABD"), 0);
    EXPECT_GT(CompareText("b", "A"), 0);
    EXPECT_EQ(Pos("lo", "Hallo"), 4);
    EXPECT_EQ(Pos("x", "Hallo"), 0);
    EXPECT_EQ(IntToStr(-12), "-12");
}

TEST(Debug, CaptureCollectsLines)
{
    TDebugCapture capture;
    OutputDebugStringA("ThreadSchritt1 angelegt...");
    OutputDebugStringA(String("zweite"));
    EXPECT_EQ(capture.Lines(), (std::vector<String>{"ThreadSchritt1 angelegt...", "zweite"}));
    EXPECT_TRUE(capture.Contains("zweite"));
    EXPECT_FALSE(capture.Contains("zweit"));
}

TEST(SysUtils, IsValidIdentAcceptsIdentifiersOnly)
{
    struct Case {
        const char* text;
        bool ok;
    } cases[] = {{"Form1", true}, {"_x", true},   {"a_9", true},       {"", false},      {"1a", false},
                 {"a b", false},  {"a-b", false}, {"\xc3\xa4", false}, {"Zähler", false}};
    for (const Case& c : cases) EXPECT_EQ(IsValidIdent(c.text), c.ok) << c.text;
}
