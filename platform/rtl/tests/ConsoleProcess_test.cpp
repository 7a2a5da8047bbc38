#include "rtl/ConsoleProcess.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "testsupport/TestDir.h"
#include "rtl/Files.h"
#include "rtl/Interrupt.h"

#include <csignal>

namespace {

struct TRun {
    const char* App;
    const char* CommandLine;
    int ExitCode;
    const char* Output;  // first line of standard output
    const char* Errors;  // first line of standard error
};

// a failure names the program, not the bytes of the pointers
void PrintTo(const TRun& r, std::ostream* os) { *os << r.App; }

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
                             TRun{"true", "", 0, "", ""}),
                         [](const auto& info) { return String(info.param.App); });

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

namespace {

// The program waits (bounded) for a file that only the caller's OnLine can make: lines reach
// the caller while the program runs.
TEST(ConsoleProcessLines, EachLineIsToldWhileTheProgramRuns)
{
    const String mark = ScratchDir() + "console_lines_mark";
    (void)DeleteFile(mark);
    TConsoleProcess p;
    p.ApplicationName = "sh";
    p.CommandLine = "sh -c \"echo first; echo warn >&2; n=0; while [ ! -e " + mark +
                    " ] && [ $n -lt 300 ]; do sleep 0.1; n=$((n+1)); done; printf last\"";
    std::vector<String> told;
    p.OnLine = [&](int stream, const String& line) {
        told.push_back(IntToStr(stream) + ":" + line);
        if (line == "warn") AtomicWriteFile(mark, "");
    };
    p.Execute();
    EXPECT_EQ(told, (std::vector<String>{"0:first", "1:warn", "0:last"}));
    EXPECT_TRUE(FileExists(mark));
    ASSERT_EQ(p.Output().Count(), 2);
    EXPECT_EQ(p.Output()[1], "last");
}

// A stop signal while the program runs: it is passed on, the program ends, Execute raises.
TEST(ConsoleProcessLines, AStopSignalEndsTheProgramAndRaises)
{
    InstallInterruptHandlers();
    TConsoleProcess p;
    p.ApplicationName = "sh";
    // the program signals this process, then waits to be stopped itself
    p.CommandLine = "sh -c \"echo started; kill -TERM $PPID; exec sleep 30\"";
    EXPECT_THROW(p.Execute(), EInterrupted);
    EXPECT_EQ(p.ExitCode(), 128 + SIGTERM);
    EXPECT_EQ(InterruptSignal(), SIGTERM);
    ClearInterrupt();
    EXPECT_EQ(InterruptSignal(), 0);
    // after a cleared signal a program runs as ever
    TConsoleProcess q;
    q.ApplicationName = "true";
    q.Execute();
    EXPECT_EQ(q.ExitCode(), 0);
}

}  // namespace
