// The make file as the host reads and writes it: macros as make reads them, and a file that an
// open and a save leave as it was.
#include <gtest/gtest.h>

#include <sstream>

#include "host/MakeFile.h"
#include "host/CppProject.h"
#include "hostimpl/HostImpl.h"
#include "rtl/Files.h"
#include "testsupport/TestDir.h"

namespace {

using TMacros = std::vector<std::pair<String, String>>;

TEST(MakeFileText, MacrosReadAsMakeReadsThem)
{
    const struct {
        const char* Text;
        TMacros Want;
    } cases[] = {
        {"PROJECTFILES = main.cpp\r\nPROJECTFILES = $(PROJECTFILES) util.cpp\r\n",
         {{"PROJECTFILES", "main.cpp util.cpp"}}},
        {"A = x\r\nB = $(A) z\r\nA = y\r\n", {{"A", "y"}, {"B", "$(A) z"}}},
        {"A = x\r\nA += y\r\nA += ${A}\r\n", {{"A", "x y x y"}}},
        {"A = x\r\nA ?= y\r\nC ?= z\r\n", {{"A", "x"}, {"C", "z"}}},
        {"A := x\r\n", {{"A", "x"}}},
        {"PROJECTFILES = main.cpp util.cpp # the sources\r\n", {{"PROJECTFILES", "main.cpp util.cpp"}}},
        {"DEFS = A\\#B # a comment\r\n", {{"DEFS", "A#B"}}},
        {"# X = commented out\r\nY = 1\r\n", {{"Y", "1"}}},
        {"PROJECTFILES = a.cpp \\\r\n  b.cpp \\", {{"PROJECTFILES", "a.cpp b.cpp"}}},
        // a continuation line belongs to its statement, even one that looks like a macro
        {"A = x \\\r\nB = y\r\n", {{"A", "x B = y"}}},
        {"A = x # note \\\r\n  still the note\r\nB = 2\r\n", {{"A", "x"}, {"B", "2"}}},
        {"a.o: a.c b=c\r\n\tcc $(X)=1\r\n", {}},
    };
    for (const auto& c : cases) EXPECT_EQ(TMakeFileText(c.Text).Macros(), c.Want) << c.Text;
}

TEST(MakeFileText, SetMacroChangesOnlyWhatDiffers)
{
    const String idiom =
        "PROJECTFILES = main.cpp # first\r\nPROJECTFILES = $(PROJECTFILES) util.cpp\r\nX = 1\r\n";
    TMakeFileText t(idiom);
    t.SetMacro("PROJECTFILES", "main.cpp util.cpp");
    EXPECT_EQ(t.Text(), idiom);
    // still appending to what the first definition holds
    t.SetMacro("PROJECTFILES", "main.cpp util.cpp new.cpp");
    EXPECT_EQ(
        t.Text(),
        "PROJECTFILES = main.cpp # first\r\nPROJECTFILES = $(PROJECTFILES) util.cpp new.cpp\r\nX = 1\r\n");
    // no longer: the last definition says it all
    t.SetMacro("PROJECTFILES", "other.cpp");
    EXPECT_EQ(t.Text(), "PROJECTFILES = main.cpp # first\r\nPROJECTFILES = other.cpp\r\nX = 1\r\n");
    EXPECT_EQ(t.MacroValue("PROJECTFILES"), "other.cpp");
    // a comment stays on a line of its own; a "#" in a value is written as make reads it
    TMakeFileText c("DEFS = A # the defines\r\n");
    c.SetMacro("DEFS", "A#1");
    EXPECT_EQ(c.Text(), "# the defines\r\nDEFS = A\\#1\r\n");
    EXPECT_EQ(c.MacroValue("DEFS"), "A#1");
}

TEST(MakeFileText, ContinuationAtTheEndOfTheFileIsReadAndWrittenBack)
{
    TMakeFileText t("PROJECTFILES = a.cpp \\\r\n  b.cpp \\");
    EXPECT_EQ(t.MacroValue("PROJECTFILES"), "a.cpp b.cpp");
    t.SetMacro("PROJECTFILES", "a.cpp b.cpp c.cpp");
    EXPECT_EQ(t.Text(), "PROJECTFILES = a.cpp b.cpp c.cpp\r\n");
}

class MakeFileProject : public ::testing::Test {
protected:
    const String dir =
        FreshDir(ScratchDir() + "makefile_" + testing::UnitTest::GetInstance()->current_test_info()->name());
    // Opens the make file in a host of its own, saves it; the items read.
    std::vector<String> OpenAndSave(const String& file)
    {
        hostimpl::THostSession host(dir);
        std::ostringstream out;
        hostimpl::RunProjectCommand({"open", file}, out);
        std::vector<String> items;
        for (const String& i : ActiveCppProject()->Items()) items.push_back(ExtractFileName(i));
        hostimpl::RunProjectCommand({"save"}, out);
        return items;
    }
};

TEST_F(MakeFileProject, OpenAndSaveLeaveAnAppendingMakeFileAsItWas)
{
    ASSERT_TRUE(ForceDirectories(dir));
    const String text = "PROJECT = App.exe\r\n"
                        "PROJECTFILES = main.cpp # the sources\r\n"
                        "PROJECTFILES = $(PROJECTFILES) util.cpp \\\r\n"
                        "  io.cpp\r\n"
                        "USERDEFINES = A\r\n"
                        "USERDEFINES = $(USERDEFINES) B\r\n"
                        "all: $(PROJECT)\r\n";
    AtomicWriteFile(dir + "App.mak", text);
    for (int round = 0; round < 3; ++round) {
        EXPECT_EQ(OpenAndSave(dir + "App.mak"), (std::vector<String>{"main.cpp", "util.cpp", "io.cpp"}));
        EXPECT_EQ(ReadFileBytes(dir + "App.mak"), text) << round;
    }
}

}  // namespace
