// The host's to-do list as its user meets it: idehost with KVTPRO100 lists the to-do items of
// files and of a project opened in a new process.
#include <gtest/gtest.h>

#include "IdeHostRun.h"
#include "rtl/Files.h"
#include "testsupport/TestDir.h"

namespace {

TIdeHostRun IdeHost(const String& args, const String& cwd)
{
    return RunIdeHost(KVTPRO_IDEHOST, String("--packages ") + KVTPRO_PACKAGE_DIR + " " + args, cwd);
}

// A small tree: line and block comments, upper and lower case, priorities, owners, categories,
// a C source, and comment-like text that holds no item.
String Tree()
{
    const String dir = FreshTestDir();
    EXPECT_TRUE(ForceDirectories(dir + "src"));
    AtomicWriteFile(dir + "src/engine.cpp", "#include \"engine.h\"\n"
                                            "// TODO 2 -o ann -c core: cache the pool\n"
                                            "int run() { return 0; }  /* todo: lower-case block */\n"
                                            "/* DONE 1 -o bob: first pass\n"
                                            " * of the loop */\n"
                                            "const char* s = \"// TODO: not a comment\";\n"
                                            "// todo later, no colon\n");
    AtomicWriteFile(dir + "src/engine.h", "#pragma once\n"
                                          "// todo -o \"Carla M\" -c api: document run()\n"
                                          "int run();\n");
    AtomicWriteFile(dir + "src/util.c", "// TODO 9: c item\r\nint u;\r\n");
    AtomicWriteFile(dir + "notes.txt", "TODO: not a source\n");
    return dir;
}

const char* const kTable = "Action Item                 Priority  Module            Owner    Category\n"
                           "[ ] cache the pool          2         src/engine.cpp:2  ann      core\n"
                           "[ ] lower-case block        0         src/engine.cpp:3\n"
                           "[x] first pass of the loop  1         src/engine.cpp:4  bob\n"
                           "[ ] document run()          0         src/engine.h:2    Carla M  api\n"
                           "[ ] c item                  9         src/util.c:1\n";

TEST(kvtpro_ToDoList, FilesGivenListTheirItemsInTheColumns)
{
    const String dir = Tree();
    const TIdeHostRun r = IdeHost(
        "--dir " + dir + " load KVTPRO100 todo src/engine.h src/engine.cpp src/util.c notes.txt", dir);
    ASSERT_EQ(r.Status, 0) << r.Err << r.Out;
    EXPECT_EQ(r.Err, "");
    // the header's items come through its source's module, whatever the order given
    EXPECT_EQ(r.Out, String("loaded KVTPRO100\nto-do list: 5 items in 4 files\n") +
                         "Action Item                 Priority  Module            Owner    Category\n"
                         "[ ] document run()          0         src/engine.h:2    Carla M  api\n"
                         "[ ] cache the pool          2         src/engine.cpp:2  ann      core\n"
                         "[ ] lower-case block        0         src/engine.cpp:3\n"
                         "[x] first pass of the loop  1         src/engine.cpp:4  bob\n"
                         "[ ] c item                  9         src/util.c:1\n"
                         "notes.txt: no to-do handler takes this file\n");
    // the files are read, never written
    EXPECT_EQ(ReadFileBytes(dir + "src/util.c"), "// TODO 9: c item\r\nint u;\r\n");
}

TEST(kvtpro_ToDoList, FilesNoHandlerTakesGetALineNotAnError)
{
    const String dir = Tree();
    struct Case {
        const char* load;
        const char* files;
        const char* out;
    };
    const Case cases[] = {
        {"load KVTPRO100", "notes.txt",
         "to-do list: 0 items in 1 file\nAction Item  Priority  Module  Owner  Category\n"
         "notes.txt: no to-do handler takes this file\n"},
        // a header alone is opened on its own
        {"load KVTPRO100", "src/engine.h",
         "to-do list: 1 item in 1 file\nAction Item         Priority  Module          Owner    Category\n"
         "[ ] document run()  0         src/engine.h:2  Carla M  api\n"},
        // without the package the host knows no C++ file
        {"load Brannow100", "src/engine.cpp",
         "to-do list: 0 items in 1 file\nAction Item  Priority  Module  Owner  Category\n"
         "src/engine.cpp: no to-do handler takes this file\n"},
    };
    for (const Case& c : cases) {
        const TIdeHostRun r = IdeHost("--dir " + dir + " " + c.load + " todo " + c.files, dir);
        EXPECT_EQ(r.Status, 0) << c.files << "\n" << r.Err;
        EXPECT_EQ(r.Err, "") << c.files;
        EXPECT_EQ(r.Out.substr(r.Out.find('\n') + 1), c.out) << c.files;
    }
    // a file that is not there, or no file, is an error
    for (const char* bad : {"src/missing.cpp", "src"}) {
        const TIdeHostRun r = IdeHost("--dir " + dir + " load KVTPRO100 todo " + bad, dir);
        EXPECT_EQ(r.Status, 1) << bad;
        EXPECT_EQ(r.Err, String("idehost: error: No such file: ") + bad + "\n");
    }
    const TIdeHostRun r = IdeHost("--dir " + dir + " load KVTPRO100 todo", dir);
    EXPECT_EQ(r.Status, 1);
    EXPECT_NE(r.Err.find("No project is open"), String::npos) << r.Err;
}

// The project is made in one process and listed in another, started in another folder with the
// project's folder given relative to it.
TEST(kvtpro_ToDoList, TheOpenProjectsFilesInANewProcess)
{
    const String dir = Tree();
    const String elsewhere = FreshDir(dir + "elsewhere");
    TIdeHostRun r =
        IdeHost("--dir " + dir +
                    " load KVTPRO100 project new Engine.mak project add src/engine.cpp src/engine.h "
                    "src/util.c notes.txt",
                dir);
    ASSERT_EQ(r.Status, 0) << r.Err << r.Out;
    r = IdeHost("--dir .. load KVTPRO100 project open Engine.mak todo", elsewhere);
    ASSERT_EQ(r.Status, 0) << r.Err << r.Out;
    EXPECT_EQ(r.Err, "");
    const auto at = r.Out.find("to-do list:");
    ASSERT_NE(at, String::npos) << r.Out;
    EXPECT_EQ(r.Out.substr(at), String("to-do list: 5 items in 4 files\n") + kTable +
                                    "notes.txt: no to-do handler takes this file\n");
}

}  // namespace
