// The personality's token scanner.
#include <gtest/gtest.h>

#include "host/CppScanner.h"

namespace {

std::vector<String> Tokens(TCppScanner& s)
{
    std::vector<String> out;
    for (TCppToken t = s.Next(); t.Kind != TCppTokenKind::End; t = s.Next()) out.push_back(t.Text);
    return out;
}

TEST(CppScanner, TokensWithoutPreprocessorLinesAndComments)
{
    TCppScanner s("#include <a.h>\n"
                  "#define X \\\n  1\n"
                  "class A : public ::B::C { // note\n"
                  "  /* a\n b */ void f(int x = 0x1F, const char* s = \"a;\\\"b\", char c = ';');\n"
                  "};\n");
    EXPECT_EQ(Tokens(s),
              (std::vector<String>{"class", "A",     ":",    "public", "::",  "B", "::",          "C",
                                   "{",     "void",  "f",    "(",      "int", "x", "=",           "0x1F",
                                   ",",     "const", "char", "*",      "s",   "=", "\"a;\\\"b\"", ",",
                                   "char",  "c",     "=",    "';'",    ")",   ";", "}",           ";"}));
}

TEST(CppScanner, PositionsLinesAndComments)
{
    TCppScanner s("int a;\n/* one\ntwo */ int b;\n// end\n");
    s.ReturnComments = true;
    ASSERT_TRUE(s.SkipToLine(2));
    const std::size_t at = s.Position();
    TCppToken c = s.Next();
    EXPECT_EQ(c.Kind, TCppTokenKind::Comment);
    EXPECT_EQ(c.Line, 2);
    EXPECT_EQ(c.EndLine, 3);
    TCppToken i = s.Next();
    EXPECT_EQ(i.Text, "int");
    EXPECT_EQ(i.Line, 3);
    EXPECT_EQ(s.Text(c.Start, i.End), "/* one\ntwo */ int");
    EXPECT_EQ(s.Peek().Text, "b");
    s.SetPosition(at);
    EXPECT_EQ(s.Next().Kind, TCppTokenKind::Comment);
    EXPECT_FALSE(s.SkipToLine(9));
    EXPECT_TRUE(s.AtEnd());
}

}  // namespace
