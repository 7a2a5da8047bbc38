#include "host/ConsoleProcess.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "testsupport/TestDir.h"
#include "rtl/Files.h"

namespace {

struct TRun {
    const char* App;
    const char* CommandLine;
    int ExitCode;
    const char* Output;  // first line of standard output
    const char* Errors;  // first line of standard error
};

class ConsoleProcess : public ::testing::TestWithParam<TRun> {};

TEST_P(ConsoleProcess, RunsWithoutAShell)
{
    const TRun& r = GetParam();
    TConsoleProcess p;
    p.ApplicationName = r.App;
    p.CommandLine = r.CommandLine;
    p.Execute();
    EXPECT_EQ(p.ExitCode(), r.ExitCode);
    EXPECT_EQ(p.Output().Count() ? p.Output()[0] : String(), r.Output);
    EXPECT_EQ(p.Errors().Count() ? p.Errors()[0] : String(), r.Errors);
}

INSTANTIATE_TEST_SUITE_P(Runs, ConsoleProcess,
                         ::testing::Values(
                             // a quoted stretch is one word; nothing of it is expanded
                             TRun{"printf", "printf \"%s|\" \"a b\" $HOME;x", 0, "a b|$HOME;x|", ""},
                             TRun{"sh", "sh -c \"echo out; echo err >&2; exit 3\"", 3, "out", "err"},
                             TRun{"true", "", 0, "", ""}));

TEST(ConsoleProcessStart, RunsInTheCurrentDirectory)
{
    const String dir = IncludeTrailingPathDelimiter(ScratchDir() + "console_cwd");
    ASSERT_TRUE(ForceDirectories(dir));
    TConsoleProcess p;
    p.ApplicationName = "pwd";
    p.CommandLine = "pwd";
    p.CurrentDirectory = dir;
    p.Execute();
    ASSERT_EQ(p.Output().Count(), 1);
    EXPECT_TRUE(std::filesystem::equivalent(p.Output()[0], dir)) << p.Output()[0];
}

TEST(ConsoleProcessStart, AProgramThatCannotStartRaises)
{
    TConsoleProcess missing;
    missing.ApplicationName = "no-such-program-anywhere";
    missing.CommandLine = "no-such-program-anywhere";
    EXPECT_THROW(missing.Execute(), Exception);
    EXPECT_EQ(missing.ExitCode(), -1);

    TConsoleProcess noDir;
    noDir.ApplicationName = "true";
    noDir.CurrentDirectory = ScratchDir() + "no-such-folder";
    EXPECT_THROW(noDir.Execute(), Exception);
}

}  // namespace
