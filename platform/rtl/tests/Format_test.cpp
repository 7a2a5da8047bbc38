#include <gtest/gtest.h>

#include "rtl/Format.h"

namespace {

struct FormatCase {
    const char* name;
    const char* fmt;
    TVarRecs args;
    const char* expected;
};
void PrintTo(const FormatCase& c, std::ostream* os) { *os << c.name; }

class host_FormatTable : public ::testing::TestWithParam<FormatCase> {};

TEST_P(host_FormatTable, Fills)
{
    const auto& c = GetParam();
    EXPECT_EQ(Format(c.fmt, c.args), c.expected) << c.fmt;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, host_FormatTable,
    ::testing::Values(
        FormatCase{"plain", "plain text", {}, "plain text"},
        FormatCase{"indexed", "%0:s-%1:s-%0:s", {"a", "b"}, "a-b-a"},
        // unindexed continues after the last used argument
        FormatCase{
            "continuation_after_index", "%1:s#ifndef %sH", {"--", "==\r\n", "Unit1"}, "==\r\n#ifndef Unit1H"},
        FormatCase{"unindexed_run", "%s %s %s", {"x", "y", "z"}, "x y z"},
        FormatCase{"continuation_twice", "%2:s %s %0:s %s", {"a", "b", "c", "d"}, "c d a b"},
        FormatCase{"int", "%d items", {42}, "42 items"},
        FormatCase{"int_indexed", "%4:d", {"a", "b", "c", "d", -7}, "-7"},
        FormatCase{"upper_case_S", "%2:S", {"a", "b", "Form1"}, "Form1"},
        FormatCase{"both_cases", "%0:S/%0:s", {"x"}, "x/x"}, FormatCase{"percent", "100%%", {}, "100%"},
        FormatCase{"percent_around", "%%%s%%", {"v"}, "%v%"}, FormatCase{"char", "%s", {'c'}, "c"},
        FormatCase{
            "hex_precision", "0x%8.8x, 0x%4.4x, 0x%2.2x", {0x1A2B, 0xC, 255}, "0x00001A2B, 0x000C, 0xFF"},
        FormatCase{"width_and_precision", "[%5s][%-5s][%.2s]", {"ab", "cd", "xyz"}, "[   ab][cd   ][xy]"},
        FormatCase{"int_width", "%3d|%.3d", {7, 7}, "  7|007"},
        // unreferenced arguments have no effect, whatever their kind
        FormatCase{"unreferenced_args", "%0:s", {"only", true, 5}, "only"},
        FormatCase{"utf8", "ümlaut %s", {"Größe"}, "ümlaut Größe"}),
    [](const ::testing::TestParamInfo<FormatCase>& info) { return String(info.param.name); });

TEST(host_Format, ErrorsAreClear)
{
    const std::vector<std::pair<const char*, TVarRecs>> bad = {
        {"%3:s", {"a"}},  // no such argument
        {"%s %s", {"a"}},  // continuation runs out
        {"%d", {"text"}},  // wrong kind
        {"%s", {12}},  // wrong kind
        {"%s", {true}},  // booleans are no text
        {"%q", {"a"}},  // unknown conversion
        {"trailing %", {}},  // unfinished specifier
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
