// The open-browser dialog as a user meets it: idehost loads a package that uses it (its source
// factories come from that package), runs its command, answers the host's open-file dialog, and
// unloads both packages clean.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>

#include "rtl/ConsoleProcess.h"
#include "rtl/Files.h"
#include "testsupport/TestDir.h"

namespace {

struct TRun {
    int Status;
    std::vector<String> Out;
    String Err;
};

TRun IdeHost(const String& args, const String& cwd)
{
    setenv("IDEHOST_DEBUG", "1", 1);
    TConsoleProcess p;
    p.ApplicationName = IDEHOST;
    p.CommandLine = String("idehost --packages ") + BRANNOW_TEST_PACKAGE_DIR + " " + args;
    p.CurrentDirectory = cwd;
    p.Execute();
    unsetenv("IDEHOST_DEBUG");
    TRun r{p.ExitCode(), {}, {}};
    for (int i = 0; i < p.Output().Count(); ++i) r.Out.push_back(p.Output()[i]);
    for (int i = 0; i < p.Errors().Count(); ++i) r.Err += p.Errors()[i] + "\n";
    return r;
}

String Lines(const std::vector<String>& v, std::size_t from, std::size_t to)
{
    String s;
    for (std::size_t i = from; i < to && i < v.size(); ++i) s += v[i] + "\n";
    return s;
}

const char* const kFilter = "open dialog: filter Test sources (*.tsrc)|*.tsrc|Test trees (*.ttree)|*.ttree, "
                            "options 0x4, folder , file \n";

TEST(brannow_Transcript, DialogAnsweredFactoryAskedUnloadClean)
{
    struct Case {
        const char* name;
        const char* answers;  // after "answer"
        int status;
        const char* messages;  // %D% the host's folder
        const char* error;  // a line of standard error
    };
    const Case cases[] = {
        {"chosen under the factory that takes it", "open.files=trees/a.ttree open.filter=2", 0,
         "info: %D%trees/a.ttree:0:0: Test trees can load it\n"
         "info: %D%trees/a.ttree:0:0: chosen with filter 2, preview (none)\n",
         ""},
        {"the first filter by default: its factory is asked and says no", "open.files=trees/a.ttree", 0,
         "info: %D%trees/a.ttree:0:0: Test sources cannot load it\n"
         "info: %D%trees/a.ttree:0:0: chosen with filter 1, preview (none)\n",
         ""},
        {"cancelled: no factory asked", "open.filter=2", 0, "info: :0:0: cancelled\n", ""},
        {"a filter the dialog does not have", "open.files=trees/a.ttree open.filter=3", 1, "",
         "idehost: error: The open dialog has no filter 3 (it has 2)\n"},
    };
    for (const Case& c : cases) {
        const String dir = FreshTestDir(), cwd = FreshDir(dir + "cwd");
        ASSERT_TRUE(ForceDirectories(dir + "trees"));
        AtomicWriteFile(dir + "trees/a.ttree", "tree");
        const TRun r = IdeHost("--dir " + dir + " state load BrannowTestSources answer " + c.answers +
                                   " run BrowseTestSourcesCmd messages unload state",
                               cwd);
        EXPECT_EQ(r.Status, c.status) << c.name << "\n" << r.Err;
        if (*c.error) {
            EXPECT_NE(r.Err.find(c.error), String::npos) << c.name << "\n" << r.Err;
            continue;
        }
        EXPECT_EQ(r.Err.find("error"), String::npos) << c.name << "\n" << r.Err;
        EXPECT_NE(r.Err.find(kFilter), String::npos) << c.name << "\n" << r.Err;

        const auto loaded = std::find(r.Out.begin(), r.Out.end(), String("loaded BrannowTestSources"));
        const auto unloaded = std::find(r.Out.begin(), r.Out.end(), String("unloaded all"));
        ASSERT_NE(loaded, r.Out.end()) << c.name;
        ASSERT_NE(unloaded, r.Out.end()) << c.name;
        const std::size_t l = loaded - r.Out.begin(), u = unloaded - r.Out.begin();
        String messages = c.messages;
        for (auto p = messages.find("%D%"); p != String::npos; p = messages.find("%D%"))
            messages.replace(p, 3, dir);
        EXPECT_EQ(Lines(r.Out, l, u + 1),
                  "loaded BrannowTestSources\nexecuted BrowseTestSourcesCmd\n" + messages + "unloaded all\n")
            << c.name;
        // both packages took back all they registered
        EXPECT_EQ(Lines(r.Out, u + 1, r.Out.size()), Lines(r.Out, 0, l)) << c.name;
        EXPECT_EQ(ReadFileBytes(dir + "trees/a.ttree"), "tree");
    }
}

}  // namespace
