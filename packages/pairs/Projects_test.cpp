// A developer's day with each package, through the idehost program: every File>New item the
// package offers in one session, the project saved; a second session started from another
// working folder opens it, finds what was saved, adds one more item and builds or applies.
// The output folder is given relatively and absolutely.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "GalleryItems.h"
#include "testsupport/TestDir.h"
#include "host/ConsoleProcess.h"
#include "rtl/Files.h"

namespace {

const char* const kBankIdl = "module Bank {\n"
                             "  interface Account {\n"
                             "    readonly attribute long balance;\n"
                             "    void deposit(in long amount);\n"
                             "  };\n"
                             "};\n";

struct TDay {
    const char* Name;
    const char* Load;
    const char* Answers;
    const char* First;  // the first session's commands after the load
    const char* Project;  // the project file, relative to the output folder
    const char* Second;  // the second session's commands after `project open` and `project show`
    const char* Golden;  // the project file after the first session, by hand
    std::vector<const char*> Expect;  // lines the second session prints
};

String NewItem(const char* category, const char* caption)
{
    return String(" new ") + category + " \"" + caption + "\"";
}

const String kZubItems = NewItem(kProjects, "ZUB Forms Application") + NewItem(kFiles, "Form") +
                         NewItem(kFiles, "Frame") + NewItem(kFiles, "Data Module") +
                         NewItem(kFiles, "Thread Object");

const char* const kZubGolden =
    "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n"
    "<PROJECT>\n"
    "  <MACROS />\n"
    "  <OPTIONS />\n"
    "  <OPTIONSETS>\n"
    "    <OPTIONSET name=\"project\">\n"
    "      <OPTION name=\"kind\" value=\"3\" />\n"
    "      <OPTION name=\"sources\" value=\"Project1.cpp\" />\n"
    "    </OPTIONSET>\n"
    "  </OPTIONSETS>\n"
    "  <FILELIST>\n"
    "    <FILE FILENAME=\"Project1.cpp\" />\n"
    "    <FILE FILENAME=\"Unit1.cpp\" COMPILER=\"CCompiler\">\n"
    "      <VALUE name=\"ANCESTOR\" value=\"Form\" />\n"
    "    </FILE>\n"
    "    <FILE FILENAME=\"Unit2.cpp\" COMPILER=\"CCompiler\">\n"
    "      <VALUE name=\"ANCESTOR\" value=\"Form\" />\n"
    "    </FILE>\n"
    "    <FILE FILENAME=\"Unit3.cpp\" COMPILER=\"CCompiler\">\n"
    "      <VALUE name=\"ANCESTOR\" value=\"Frame\" />\n"
    "    </FILE>\n"
    "    <FILE FILENAME=\"Unit4.cpp\" COMPILER=\"CCompiler\">\n"
    "      <VALUE name=\"ANCESTOR\" value=\"DataModule\" />\n"
    "    </FILE>\n"
    "    <FILE FILENAME=\"Unit5.cpp\" COMPILER=\"CCompiler\" />\n"
    "  </FILELIST>\n"
    "  <USES>\n"
    "    <ENTRY FILENAME=\"Unit1.cpp\" COMPILER=\"CCompiler\" KIND=\"0\" FORMNAME=\"Form1\" />\n"
    "    <ENTRY FILENAME=\"Unit2.cpp\" COMPILER=\"CCompiler\" KIND=\"0\" FORMNAME=\"Form2\" />\n"
    "    <ENTRY FILENAME=\"Unit3.cpp\" COMPILER=\"CCompiler\" KIND=\"0\" FORMNAME=\"Frame1\" />\n"
    "    <ENTRY FILENAME=\"Unit4.cpp\" COMPILER=\"CCompiler\" KIND=\"0\" FORMNAME=\"DataModule1\" />\n"
    "    <ENTRY FILENAME=\"Unit5.cpp\" COMPILER=\"CCompiler\" KIND=\"0\" />\n"
    "  </USES>\n"
    "</PROJECT>\n";

const TDay kDays[] = {
    {"KVTWEKIDE100",
     "KVTWEKIDE100",
     "thread.class=TMyThread\n",
     kZubItems.c_str(),
     "Project1.zproj",
     " new Quistor.Tolvane.NewFiles Form project show",
     kZubGolden,
     {"  Unit6.cpp  [CCompiler]", "wrote %OUT%Unit6.zfm"}},
};

struct TRun {
    int Status;
    String Out, Err;
};

TRun RunIdeHost(const String& commandLine, const String& cwd)
{
    TConsoleProcess p;
    p.ApplicationName = IDEHOST;
    p.CommandLine = "idehost " + commandLine;
    p.CurrentDirectory = cwd;
    p.Execute();
    auto lines = [](const TStrings& l) {
        String r;
        for (int i = 0; i < l.Count(); ++i) r += l[i] + "\n";
        return r;
    };
    return {p.ExitCode(), lines(p.Output()), lines(p.Errors())};
}

// The first `project show` listing of a session's output.
String Listing(const String& out, std::size_t from = 0)
{
    const std::size_t b = out.find("project /", from);
    if (b == String::npos) return "";
    std::size_t e = out.find('\n', b);
    while (e != String::npos && e + 2 < out.size() && out.compare(e + 1, 2, "  ") == 0)
        e = out.find('\n', e + 1);
    return out.substr(b, e == String::npos ? String::npos : e + 1 - b);
}

std::vector<String> FilesIn(const String& dir)
{
    std::vector<String> r;
    for (const auto& e : std::filesystem::recursive_directory_iterator(dir))
        if (e.is_regular_file()) r.push_back(std::filesystem::relative(e.path(), dir.c_str()).string());
    return r;
}

struct TDayRun {
    const TDay* Day;
    bool Relative;
};

class package_ProjectDay : public ::testing::TestWithParam<TDayRun> {};

TEST_P(package_ProjectDay, SavedProjectIsTheOneOpenedNextSession)
{
    const TDay& d = *GetParam().Day;
    const bool relative = GetParam().Relative;
    const String base = FreshDir(ScratchDir() + "project_day_" + d.Name + (relative ? "_rel" : "_abs"));
    const String out = FreshDir(base + "out"), one = FreshDir(base + "one"), two = FreshDir(base + "two");
    AtomicWriteFile(out + "bank.idl", kBankIdl);
    String common = "--packages " + String(PACKAGE_DIR);
    if (*d.Answers) {
        AtomicWriteFile(base + "answers.txt", d.Answers);
        common += " --answers " + base + "answers.txt";
    }
    // relative: the first session runs beside the output folder, the second from a sibling folder
    const String dir1 = relative ? String("out") : out, dir2 = relative ? String("../out") : out;
    const TRun first =
        RunIdeHost(common + " --dir " + dir1 + " load " + d.Load + d.First + " project show project save",
                   relative ? base : one);
    ASSERT_EQ(first.Status, 0) << first.Err << first.Out;
    const String listing = Listing(first.Out);
    ASSERT_NE(listing, "") << first.Out;
    EXPECT_EQ(listing.substr(0, listing.find('\n')), "project " + out + d.Project);
    EXPECT_EQ(ReadFileBytes(out + d.Project), d.Golden);

    const TRun second = RunIdeHost(common + " --dir " + dir2 + " load " + d.Load + " project open " +
                                       d.Project + " project show" + d.Second,
                                   two);
    ASSERT_EQ(second.Status, 0) << second.Err << second.Out;
    EXPECT_EQ(Listing(second.Out), listing) << second.Out;
    for (String line : d.Expect) {
        if (line.find("%OUT%") != String::npos) line.replace(line.find("%OUT%"), 5, out);
        EXPECT_NE(second.Out.find(line + "\n"), String::npos) << line << "\n" << second.Out;
    }
    EXPECT_EQ(FilesIn(one), std::vector<String>{});
    EXPECT_EQ(FilesIn(two), std::vector<String>{});
}

std::vector<TDayRun> AllRuns()
{
    std::vector<TDayRun> r;
    for (const TDay& d : kDays)
        for (bool rel : {false, true}) r.push_back({&d, rel});
    return r;
}

INSTANTIATE_TEST_SUITE_P(Packages, package_ProjectDay, ::testing::ValuesIn(AllRuns()), [](const auto& info) {
    return String(info.param.Day->Name) + (info.param.Relative ? "_relative" : "_absolute");
});

}  // namespace
