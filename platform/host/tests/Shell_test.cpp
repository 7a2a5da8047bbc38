#include <gtest/gtest.h>

#include <sstream>

#include "testsupport/TestDir.h"
#include "hostimpl/HostImpl.h"
#include "hostimpl/Shell.h"
#include "rtl/Debug.h"
#include "rtl/Files.h"

using namespace hostimpl;

namespace {

struct TResult {
    int status;
    String out, err;
};

TResult RunHost(std::vector<String> args, const String& input = "")
{
    args.insert(args.begin(), {"--packages", HOST_FIXTURE_DIR, "--dir", ScratchDir() + "host_shell"});
    std::istringstream in(input);
    std::ostringstream out, err;
    int status = RunIdeHost(args, in, out, err);
    return {status, out.str(), err.str()};
}

TEST(host_Shell, StateBeforeTheFirstLoadIsTheStateAfterItsUnload)
{
    auto r = RunHost({"state", "load", "FxA", "unload", "state"});
    EXPECT_EQ(r.status, 0) << r.err;
    const auto loaded = r.out.find("loaded FxA\n"), unloaded = r.out.find("unloaded all\n");
    ASSERT_NE(loaded, String::npos);
    ASSERT_NE(unloaded, String::npos);
    const String before = r.out.substr(0, loaded), after = r.out.substr(unloaded + 13);
    EXPECT_NE(before.find("category Quistor.Pendro.New under -\n"), String::npos) << before;
    EXPECT_EQ(after, before);
    EXPECT_EQ(RunHost({"state", "gallery"}).status, 2);  // still nothing but load after it
}

TEST(host_Shell, LoadsInRequiresOrderAndRunsAnItem)
{
    TDebugCapture log;
    auto r = RunHost({"load", "FxB", "gallery", "new", "Fx.Category", "Fx Item", "unload", "FxB", "FxA"});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "loaded FxB\n"
                     "Quistor.Pendro.New  \"Pendro Projects\"\n"
                     "Fx.Category  \"Fixtures\"\n"
                     "  - Fx Item  [FxItem, icon FXICON (16x16), kind 4]\n"
                     "cancelled\n"  // the item made no file
                     "unloaded FxB\n"
                     "unloaded FxA\n");
    EXPECT_TRUE(log.Contains("FxA main form"));  // MainFormCreated fired after loading
    EXPECT_TRUE(log.Contains("FxItem selected 4"));
    EXPECT_TRUE(log.Contains("FxShared fini"));
    EXPECT_FALSE(HostRunning());
}

TEST(host_Shell, StandardInputCarriesOnAfterAnError)
{
    auto r = RunHost({"load", "FxA"}, "# a comment\n\nnew Fx.Category \"No Item\"\ngallery\nquit\ngallery\n");
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("No item 'No Item' in gallery category 'Fx.Category'"), String::npos) << r.err;
    // gallery ran once: before quit, not after
    EXPECT_EQ(r.out, "loaded FxA\nQuistor.Pendro.New  \"Pendro Projects\"\nFx.Category  \"Fixtures\"\n"
                     "  - Fx Item  [FxItem, icon FXICON (16x16), kind 4]\n");
}

TEST(host_Shell, FailuresAreClearAndNonZero)
{
    struct Case {
        std::vector<String> args;
        const char* message;
        int status;
    };
    const Case cases[] = {
        {{"load", "FxFailReg"},
         "Package FxFailReg: registration FxBad_Register failed: registration refused",
         1},
        {{"load", "FxAbsent"}, "Package FxAbsent not found", 1},
        {{"load", "FxA", "unload", "FxB"}, "Package FxB is not loaded", 1},
        {{"load", "FxB", "unload", "FxA"}, "Package FxA is required by FxB", 1},
        {{"load", "FxLeaky"}, "left registered in the host: hook GetProjectCreator", 1},
        {{"load", "FxA", "compiler", "sometimes"}, "compiler needs none, idle or busy", 1},
        {{"gallery"}, "expected: load NAME...", 2},
        {{"load"}, "load needs a package name", 1},
    };
    for (const auto& c : cases) {
        auto r = RunHost(c.args);
        EXPECT_EQ(r.status, c.status) << c.message << "\n" << r.err;
        EXPECT_NE(r.err.find(c.message), String::npos) << r.err;
        EXPECT_FALSE(HostRunning());
    }
}

}  // namespace

namespace {

TEST(host_Shell, ProjectSubcommandsNamedLikeCommandsStayWithProject)
{
    const String old = ScratchDir() + "host_shell/Sub.mak";
    ASSERT_TRUE(DeleteFile(old) || !FileExists(old));
    auto r = RunHost({"load", "FxA", "project", "new", "Sub.mak"});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.out.find("saved " + ScratchDir() + "host_shell/Sub.mak\n"), String::npos) << r.out;
    r = RunHost({"load", "FxA", "project", "open", "Sub.mak", "menu"});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.out.find("opened " + ScratchDir() + "host_shell/Sub.mak\n"), String::npos) << r.out;
    EXPECT_NE(r.out.find("ToolsMenu  \"&Tools\"\n  ToolsOptionsItem"), String::npos) << r.out;
}

}  // namespace
