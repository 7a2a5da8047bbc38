#include <gtest/gtest.h>

#include "rtl/Format.h"

namespace {

struct FormatCase {
    const char* fmt;
    TVarRecs args;
    const char* expected;
};

class host_FormatTable : public ::testing::TestWithParam<FormatCase> {};

TEST_P(host_FormatTable, Fills) {
    const auto& c = GetParam();
    EXPECT_EQ(Format(c.fmt, c.args), c.expected) << c.fmt;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, host_FormatTable,
    ::testing::Values(
        FormatCase{"plain text", {}, "plain text"},
        FormatCase{"%0:s-%1:s-%0:s", {"a", "b"}, "a-b-a"},
        // unindexed continues after the last used argument
        FormatCase{"%1:s#ifndef %sH", {"--", "==\r\n", "Unit1"}, "==\r\n#ifndef Unit1H"},
        FormatCase{"%s %s %s", {"x", "y", "z"}, "x y z"},
        FormatCase{"%2:s %s %0:s %s", {"a", "b", "c", "d"}, "c d a b"},
        FormatCase{"%d items", {42}, "42 items"},
        FormatCase{"%4:d", {"a", "b", "c", "d", -7}, "-7"},
        FormatCase{"%2:S", {"a", "b", "Form1"}, "Form1"},
        FormatCase{"%0:S/%0:s", {"x"}, "x/x"},
        FormatCase{"100%%", {}, "100%"},
        FormatCase{"%%%s%%", {"v"}, "%v%"},
        FormatCase{"%s", {'c'}, "c"},
        FormatCase{"0x%8.8x, 0x%4.4x, 0x%2.2x", {0x1A2B, 0xC, 255}, "0x00001A2B, 0x000C, 0xFF"},
        FormatCase{"[%5s][%-5s][%.2s]", {"ab", "cd", "xyz"}, "[   ab][cd   ][xy]"},
        FormatCase{"%3d|%.3d", {7, 7}, "  7|007"},
        // unreferenced arguments have no effect, whatever their kind
        FormatCase{"%0:s", {"only", true, 5}, "only"},
        FormatCase{"ümlaut %s", {"Größe"}, "ümlaut Größe"}));

TEST(host_Format, ErrorsAreClear) {
    const std::vector<std::pair<const char*, TVarRecs>> bad = {
        {"%3:s", {"a"}},          // no such argument
        {"%s %s", {"a"}},         // continuation runs out
        {"%d", {"text"}},         // wrong kind
        {"%s", {12}},             // wrong kind
        {"%s", {true}},           // booleans are no text
        {"%q", {"a"}},            // unknown conversion
        {"trailing %", {}},       // unfinished specifier
        {"%0:", {"a"}},
    };
    for (const auto& [fmt, args] : bad) {
        try {
            Format(fmt, args);
            ADD_FAILURE() << "no error for " << fmt;
        } catch (const EConvertError& e) {
            EXPECT_NE(e.Message().find(fmt), String::npos) << e.Message();
        }
    }
}

}  // namespace
