// krotex stopped while omniidl writes: nothing of its scratch folder stays behind.
#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>

#include "rtl/ConsoleProcess.h"
#include "rtl/Files.h"
#include "testsupport/TestDir.h"

namespace {

TEST(KrotexStop, AStoppedCompileLeavesNoScratchFolder)
{
    const String dir = FreshDir(ScratchDir() + "krotex_stop");
    ASSERT_TRUE(ForceDirectories(dir + "tmp") && ForceDirectories(dir + "bin"));
    // an omniidl that writes half a header into krotex's scratch folder, then stops krotex
    AtomicWriteFile(dir + "bin/omniidl", "#!/bin/sh\n"
                                         "for a in \"$@\"; do case $a in -C*) out=${a#-C};; esac; done\n"
                                         "printf '// part of a hea' > \"$out/a_c.hh\"\n"
                                         "kill -TERM $PPID\n"
                                         "exec sleep 30\n");
    std::filesystem::permissions(dir + "bin/omniidl", std::filesystem::perms::owner_all);
    AtomicWriteFile(dir + "a.idl", "interface A {};\n");
    TConsoleProcess p;
    p.ApplicationName = "env";
    p.CommandLine =
        "env \"PATH=" + dir + "bin:/usr/bin:/bin\" \"TMPDIR=" + dir + "tmp\" " KROTEX_EXE " -boa a.idl";
    p.CurrentDirectory = dir;
    p.Execute();
    EXPECT_EQ(p.ExitCode(), 128 + SIGTERM) << p.Errors().GetText();
    EXPECT_TRUE(std::filesystem::is_empty(dir + "tmp"));
    EXPECT_FALSE(FileExists(dir + "a_c.hh"));
}

}  // namespace
