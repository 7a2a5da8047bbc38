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
        {"A := x\r\nB ::= y\r\n", {{"A", "x"}, {"B", "y"}}},
        // the operator stands right before the "="
        {"A+ = x\r\nA+ += y\r\nB? = 1\r\n", {{"A+", "x y"}, {"B?", "1"}}},
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

TEST(MakeFileText, ACarriageReturnEndingTheTextEndsItsLastLine)
{
    const struct {
        const char *Text, *Value, *Ended;
    } cases[] = {
        {"X = 1\r", "1", "X = 1\r\n"},
        {"X = 1\r\r", "1\r", "X = 1\r\r\n"},
        {"X = 1", "1", "X = 1\r\n"},
        {"X = 1\n", "1", "X = 1\n"},
        // continued into nothing: an empty line ends it
        {"X = 1 \\", "1", "X = 1 \\\r\n\r\n"},
        {"X = 1 \\\r\n", "1", "X = 1 \\\r\n\r\n"},
        {"X = 1 \\\r\n\r\n", "1", "X = 1 \\\r\n\r\n"},
    };
    for (const auto& c : cases) {
        TMakeFileText t(c.Text);
        EXPECT_EQ(t.MacroValue("X"), c.Value) << c.Text;
        t.EnsureLineEnd();
        EXPECT_EQ(t.Text(), c.Ended) << c.Text;
        EXPECT_EQ(t.MacroValue("X"), c.Value) << c.Text;
    }
}

TEST(MakeFileText, AMacroAddedAfterALastContinuedLineIsItsOwn)
{
    TMakeFileText t("PROJECT = App.exe \\\r\n  lib.exe \\");
    t.SetMacro("PROJECTFILES", "main.cpp", "PROJECT");
    EXPECT_EQ(t.Macros(), (TMacros{{"PROJECT", "App.exe lib.exe"}, {"PROJECTFILES", "main.cpp"}}));
}

TEST(MakeFileText, AValueAMakeFileCannotHoldIsRefused)
{
    const String text = "INCLUDEPATH = inc\r\nX = 1\r\n";
    for (const char* value : {"inc\nlib", "inc\\", "inc \\  ", "\n"}) {
        TMakeFileText t(text);
        EXPECT_THROW(t.SetMacro("INCLUDEPATH", value), Exception) << value;
        EXPECT_THROW(t.SetMacro("NEW", value, "X"), Exception) << value;
        EXPECT_EQ(t.Text(), text) << value;
    }
    // a value read so stays as it is
    TMakeFileText t("A = x\\\\\r\n");
    EXPECT_EQ(t.MacroValue("A"), "x\\");
    t.SetMacro("A", "x\\");
    EXPECT_EQ(t.Text(), "A = x\\\\\r\n");
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
        for (const String& i : ActiveCppProject()->Items())
            items.push_back(i.rfind(dir, 0) == 0 ? i.substr(dir.size()) : i);
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

// A make file whose last line ends in a CR alone (no LF): its value reads the same after a save
// and a second opening.
TEST_F(MakeFileProject, ACarriageReturnAtTheEndOfTheFileIsALineEnd)
{
    ASSERT_TRUE(ForceDirectories(dir));
    AtomicWriteFile(dir + "App.mak",
                    "PROJECT = App.exe\r\nPROJECTFILES = main.cpp\r\nUSERDEFINES = _DEBUG;NO_STRICT\r");
    for (int round = 0; round < 2; ++round) {
        hostimpl::THostSession host(dir);
        std::ostringstream out;
        hostimpl::RunProjectCommand({"open", dir + "App.mak"}, out);
        EXPECT_EQ(ActiveCppProject()->GetOption("Defines"), "_DEBUG;NO_STRICT") << round;
        hostimpl::RunProjectCommand({"save"}, out);
        EXPECT_EQ(ReadFileBytes(dir + "App.mak"),
                  "PROJECT = App.exe\r\nPROJECTFILES = main.cpp\r\nUSERDEFINES = _DEBUG;NO_STRICT\r\n")
            << round;
    }
}

// An option value with a line break cannot be one option line: the save refuses it and leaves
// the file as it was.
TEST_F(MakeFileProject, AnOptionValueWithALineBreakIsRefusedAndTheFileKept)
{
    ASSERT_TRUE(ForceDirectories(dir));
    const String text = "PROJECT = App.exe\r\nPROJECTFILES = main.cpp\r\n";
    AtomicWriteFile(dir + "App.mak", text);
    hostimpl::THostSession host(dir);
    std::ostringstream out;
    hostimpl::RunProjectCommand({"open", dir + "App.mak"}, out);
    TIntfPtr<IQCppProject> p = ActiveCppProject();
    for (const auto& [set, name, value] : {std::tuple<String, String, String>{"cpp", "defines", "A\nB"},
                                           {"cpp", "a=b", "1"},
                                           {"my set", "defines", "1"}}) {
        p->SetOptionValue(dir + "main.cpp", set, name, value);
        EXPECT_THROW(p->Save(), Exception) << set << " " << name;
        EXPECT_EQ(ReadFileBytes(dir + "App.mak"), text);
        p->RemoveLocalOptions(dir + "main.cpp");
    }
    p->SetOption("Defines", "A\nB");
    EXPECT_THROW(p->Save(), Exception);
    EXPECT_EQ(ReadFileBytes(dir + "App.mak"), text);
}

// File names that a make file would split (a tab) or continue (a "\" at the end) are written in
// quotes, so a list written anew reads back as the same files.
TEST_F(MakeFileProject, FileNamesWithATabOrAClosingBackslashReadBackWhenTheListIsWrittenAnew)
{
    ASSERT_TRUE(ForceDirectories(dir));
    AtomicWriteFile(dir + "App.mak",
                    "PROJECT = App.exe\r\nPROJECTFILES = \"a\tb.cpp\" main.cpp \"odd\\\"\r\n");
    {
        hostimpl::THostSession host(dir);
        std::ostringstream out;
        hostimpl::RunProjectCommand({"open", dir + "App.mak"}, out);
        ActiveCppProject()->AddItem(dir + "new.cpp");
        hostimpl::RunProjectCommand({"save"}, out);
    }
    EXPECT_EQ(ReadFileBytes(dir + "App.mak"),
              "PROJECT = App.exe\r\nPROJECTFILES = \"a\tb.cpp\" main.cpp \"odd\\\" new.cpp\r\n");
    EXPECT_EQ(OpenAndSave(dir + "App.mak"),
              (std::vector<String>{"a\tb.cpp", "main.cpp", "odd\\", "new.cpp"}));
}

}  // namespace
