#include <gtest/gtest.h>

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <iterator>
#include <sstream>

#include "testsupport/TestDir.h"
#include "rtl/Files.h"

namespace {

void Put(const String& path, const String& bytes) { AtomicWriteFile(path, bytes); }

// What a folder holds, hidden files included.
long Entries(const String& dir)
{
    return std::distance(std::filesystem::directory_iterator(dir), std::filesystem::directory_iterator());
}

}  // namespace

TEST(Files, CaseInsensitiveLookupOfEachComponent)
{
    String dir = FreshTestDir();
    ASSERT_TRUE(ForceDirectories(dir + "Daten/Bilder"));
    Put(dir + "Daten/Bilder/Kugel1.GIF", "gif");
    EXPECT_EQ(ResolvePath(dir + "daten/BILDER/kugel1.gif"), dir + "Daten/Bilder/Kugel1.GIF");
    EXPECT_EQ(ResolvePath(dir + "daten\\bilder\\KUGEL1.gif"), dir + "Daten/Bilder/Kugel1.GIF");
    EXPECT_TRUE(FileExists(dir + "DATEN\\Bilder\\kugel1.gif"));
    EXPECT_EQ(ReadFileBytes(dir + "daten/bilder/kugel1.gif"), "gif");
    // A new file: the existing folders are resolved, the new name stays as written.
    EXPECT_EQ(ResolvePath(dir + "daten/bilder/Neu.txt"), dir + "Daten/Bilder/Neu.txt");
    EXPECT_EQ(ResolvePath(dir + "daten/fehlt/X.txt"), dir + "Daten/fehlt/X.txt");
    EXPECT_TRUE(DirectoryExists(dir + "DATEN/"));
    EXPECT_FALSE(FileExists(dir + "daten"));
    EXPECT_FALSE(DirectoryExists(dir + "daten/bilder/kugel1.gif"));
}

TEST(Files, AnExactMatchWinsOverOtherCases)
{
    String dir = FreshTestDir();
    // Written around the lookup, which would take the one for the other.
    std::ofstream(dir + "a.txt") << "klein";
    std::ofstream(dir + "A.txt") << "gross";
    EXPECT_EQ(ReadFileBytes(dir + "A.txt"), "gross");
    EXPECT_EQ(ReadFileBytes(dir + "a.txt"), "klein");
    EXPECT_EQ(ResolvePath(dir + "A.TXT"), dir + "A.txt");  // first in byte order
}

TEST(Files, AtomicWriteReplacesAndLeavesNoTemporaryFile)
{
    String dir = FreshTestDir();
    Put(dir + "f.txt", "alt");
    ::chmod((dir + "f.txt").c_str(), 0640);
    Put(dir + "F.TXT", "neu");  // replaces the existing file, whatever the case of the name
    EXPECT_EQ(ReadFileBytes(dir + "f.txt"), "neu");
    struct stat st {};
    ASSERT_EQ(::stat((dir + "f.txt").c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0640u);
    EXPECT_EQ(Entries(dir), 1);
}

TEST(Files, FailedAtomicWriteKeepsTheOldFile)
{
    String dir = FreshTestDir();
    Put(dir + "daten.txt", "alter Inhalt");
    String temp;
    auto previous = SetAtomicWriteHook([&](const String& t) {
        temp = t;
        throw EInOutError("simulated rename failure");
    });
    EXPECT_THROW(AtomicWriteFile(dir + "daten.txt", "neuer Inhalt"), EInOutError);
    SetAtomicWriteHook(previous);
    EXPECT_EQ(ReadFileBytes(dir + "daten.txt"), "alter Inhalt");
    ASSERT_FALSE(temp.empty());
    EXPECT_EQ(ExtractFilePath(temp), dir);  // the temporary file lies beside the target
    EXPECT_FALSE(FileExists(temp));
}

TEST(Files, WriteWithoutSyncReplacesAtomicallyAsWell)
{
    String dir = FreshTestDir();
    AtomicWriteFileNoSync(dir + "lauf.txt", "erster Lauf");
    AtomicWriteFileNoSync(dir + "lauf.txt", "zweiter Lauf");
    EXPECT_EQ(ReadFileBytes(dir + "lauf.txt"), "zweiter Lauf");
    EXPECT_EQ(Entries(dir), 1);

    String temp;
    auto previous = SetAtomicWriteHook([&](const String& t) {
        temp = t;
        throw EInOutError("No space left on device");
    });
    EXPECT_THROW(AtomicWriteFileNoSync(dir + "lauf.txt", "dritter Lauf"), EInOutError);
    SetAtomicWriteHook(previous);
    EXPECT_EQ(ReadFileBytes(dir + "lauf.txt"), "zweiter Lauf");
    ASSERT_FALSE(temp.empty());
    EXPECT_FALSE(FileExists(temp));
    EXPECT_THROW(AtomicWriteFileNoSync(dir + "fehlt/x.txt", "x"), EFOpenError);

    // A text in pieces is the pieces one after the other, empty ones included; a failed write of
    // pieces leaves the old file as well.
    const std::vector<String> stuecke = {"vierter", "", " Lauf\n", String(70000, 'x'), ""};
    AtomicWriteFileNoSync(dir + "lauf.txt", stuecke);
    EXPECT_EQ(ReadFileBytes(dir + "lauf.txt"), "vierter Lauf\n" + String(70000, 'x'));
    AtomicWriteFileNoSync(dir + "leer.txt", std::vector<String>{});
    EXPECT_EQ(ReadFileBytes(dir + "leer.txt"), "");
    previous = SetAtomicWriteHook([](const String&) { throw EInOutError("No space left on device"); });
    EXPECT_THROW(AtomicWriteFileNoSync(dir + "lauf.txt", std::vector<String>{"fünfter", " Lauf"}),
                 EInOutError);
    SetAtomicWriteHook(previous);
    EXPECT_EQ(ReadFileBytes(dir + "lauf.txt"), "vierter Lauf\n" + String(70000, 'x'));
}

TEST(Files, AtomicWriteOntoAFolderOrIntoAMissingFolderRaises)
{
    String dir = FreshTestDir();
    EXPECT_TRUE(ForceDirectories(dir + "ordner"));
    EXPECT_THROW(AtomicWriteFile(dir + "ordner", "x"), EFOpenError);
    EXPECT_TRUE(DirectoryExists(dir + "ordner"));
    EXPECT_THROW(AtomicWriteFile(dir + "fehlt/x.txt", "x"), EFOpenError);
}

TEST(Files, ReadAndAppendErrors)
{
    String dir = FreshTestDir();
    EXPECT_THROW(ReadFileBytes(dir + "fehlt.txt"), EFOpenError);
    EXPECT_THROW(ReadFileBytes(dir), EFOpenError);
    EXPECT_THROW(AppendToFile(dir + "fehlt/x.txt", "x"), EFOpenError);
    AppendToFile(dir + "log.txt", "a\n");
    AppendToFile(dir + "LOG.txt", "b\n");
    EXPECT_EQ(ReadFileBytes(dir + "log.txt"), "a\nb\n");
}

// Whole files of every size come back byte for byte, also those that report no size.
TEST(Files, ReadFileBytesOfEverySize)
{
    String dir = FreshTestDir();
    for (std::size_t n : {0u, 1u, 65535u, 65536u, 65537u, 300001u}) {
        SCOPED_TRACE(n);
        String bytes(n, '\0');
        for (std::size_t i = 0; i < n; ++i) bytes[i] = static_cast<char>(i * 7 + i / 251);
        Put(dir + "f.bin", bytes);
        EXPECT_EQ(ReadFileBytes(dir + "f.bin"), bytes);
    }
    const String status = ReadFileBytes("/proc/self/status");  // stat reports size 0
    EXPECT_NE(status.find("Pid:"), String::npos);
    EXPECT_EQ(status.back(), '\n');
}

TEST(Files, NameParts)
{
    EXPECT_EQ(ExtractFilePath("C:\\Programme\\Ravelo\\ravelo.exe"), "C:\\Programme\\Ravelo\\");
    EXPECT_EQ(ExtractFileName("daten/zahlen.txt"), "zahlen.txt");
    EXPECT_EQ(ExtractFileName("zahlen.txt"), "zahlen.txt");
    EXPECT_EQ(ExtractFilePath("zahlen.txt"), "");
    EXPECT_EQ(ExtractFileExt("a.b/c.TXT"), ".TXT");
    EXPECT_EQ(ExtractFileExt("a.b/c"), "");
    EXPECT_EQ(ChangeFileExt("a.b/c", ".ini"), "a.b/c.ini");
    EXPECT_EQ(ChangeFileExt("x/ravelo.exe", ".ini"), "x/ravelo.ini");
    EXPECT_EQ(IncludeTrailingPathDelimiter("x"), "x/");
    EXPECT_EQ(IncludeTrailingPathDelimiter("x/"), "x/");
    EXPECT_EQ(IncludeTrailingPathDelimiter("x\\"), "x\\");
    EXPECT_EQ(ExtractFileName(ExeFileName()), "rtl_tests");
}

TEST(Files, FoldersRenameCopyDelete)
{
    String dir = FreshTestDir();
    EXPECT_TRUE(ForceDirectories(dir + "a\\b\\c"));
    EXPECT_TRUE(DirectoryExists(dir + "a/b/c"));
    Put(dir + "a/eins.txt", "1");
    EXPECT_TRUE(CopyFile(dir + "A/EINS.txt", dir + "a/zwei.txt", true));
    EXPECT_FALSE(CopyFile(dir + "a/eins.txt", dir + "a/zwei.txt", true));
    EXPECT_FALSE(CopyFile(dir + "a/fehlt.txt", dir + "a/drei.txt", false));
    Put(dir + "a/drei.txt", "3");
    EXPECT_TRUE(RenameFile(dir + "a/drei.txt", dir + "a/Zwei.txt"));
    EXPECT_EQ(ReadFileBytes(dir + "a/zwei.txt"), "3");
    EXPECT_TRUE(DeleteFile(dir + "a/ZWEI.txt"));
    EXPECT_FALSE(DeleteFile(dir + "a/zwei.txt"));
    EXPECT_GT(FileAge(dir + "a/eins.txt").Val, EncodeDate(2000, 1, 1).Val);
    EXPECT_EQ(FileAge(dir + "a/fehlt.txt").Val, -1.0);
    Put(dir + "a/datei", "x");
    EXPECT_FALSE(ForceDirectories(dir + "a/datei/unter"));
}

TEST(Files, ExpandFileNameTakesTheWorkingFolder)
{
    const String dir = FreshTestDir();
    const String old = GetCurrentDir();
    ASSERT_TRUE(ForceDirectories(dir + "a/b"));
    ASSERT_TRUE(SetCurrentDir(dir + "a"));
    const String cwd = GetCurrentDir();
    const struct {
        const char* Name;
        String Expanded;
    } cases[] = {{"", ""},
                 {"b/x.mak", cwd + "/b/x.mak"},
                 {"./b/../x.mak", cwd + "/x.mak"},
                 {"out/", cwd + "/out/"},
                 {".", cwd + "/"},
                 {"/abs/./p/../q.zproj", "/abs/q.zproj"},
                 {"/abs/dir/", "/abs/dir/"}};
    for (const auto& c : cases) EXPECT_EQ(ExpandFileName(c.Name), c.Expanded) << c.Name;
    EXPECT_TRUE(SetCurrentDir(old));
}

TEST(Files, CurrentDirectory)
{
    String dir = FreshTestDir();
    String old = GetCurrentDir();
    EXPECT_TRUE(ForceDirectories(dir + "Arbeit"));
    ASSERT_TRUE(SetCurrentDir(dir + "arbeit"));
    Put("hier.txt", "h");
    EXPECT_EQ(ReadFileBytes(dir + "Arbeit/hier.txt"), "h");
    EXPECT_EQ(GetCurrentDir() + "/", dir + "Arbeit/");
    EXPECT_TRUE(SetCurrentDir(old));
}

TEST(Files, StreamsOpenThroughTheLookup)
{
    String dir = FreshTestDir();
    {
        std::ofstream out = OpenOutput(dir + "Stream.txt");
        ASSERT_TRUE(out.is_open());
        out << "12 34\n";
    }
    std::ifstream in = OpenInput(dir + "STREAM.TXT");
    ASSERT_TRUE(in.is_open());
    int a = 0, b = 0;
    in >> a >> b;
    EXPECT_EQ(a + b, 46);
    EXPECT_FALSE(OpenInput(dir + "fehlt.txt").is_open());
}

struct LineCase {
    String input;
    std::size_t maxLen;
    std::vector<String> lines;
};

void PrintTo(const LineCase& c, std::ostream* os) { *os << c.lines.size() << " lines, max " << c.maxLen; }

class LineReaderCases : public ::testing::TestWithParam<LineCase> {};

TEST_P(LineReaderCases, ReadsLines)
{
    std::istringstream in(GetParam().input);
    TLineReader r(in);
    ASSERT_TRUE(r.IsOpen());
    std::vector<String> got;
    String line;
    while (r.Next(line, GetParam().maxLen)) got.push_back(line);
    EXPECT_EQ(got, GetParam().lines);
    EXPECT_TRUE(r.Eof());
}

INSTANTIATE_TEST_SUITE_P(
    Cases, LineReaderCases,
    ::testing::Values(LineCase{"", String::npos, {}}, LineCase{"a\nb\n", String::npos, {"a", "b"}},
                      LineCase{"a\r\nb", String::npos, {"a", "b"}}, LineCase{"\n\n", String::npos, {"", ""}},
                      LineCase{"abcdefgh\r\nxy\r\n", 4, {"abcd", "xy"}},
                      LineCase{"abcd\r\nxyz\n", 4, {"abcd", "xyz"}},
                      LineCase{"abcde\nxyz\n", 4, {"abcd", "xyz"}},
                      LineCase{String(100000, 'x') + "\nkurz\n", 10, {String(10, 'x'), "kurz"}},
                      LineCase{"ab\rcd\n", String::npos, {"ab\rcd"}}, LineCase{"abc", 0, {""}}));

TEST(Files, LineReaderOnAFile)
{
    String dir = FreshTestDir();
    Put(dir + "Zahlen.txt", "12.08.09 1 2 3\r\n15.08.09 4 5 6\r\n");
    TLineReader r(dir + "zahlen.TXT");
    ASSERT_TRUE(r.IsOpen());
    String line;
    ASSERT_TRUE(r.Next(line, 8));
    EXPECT_EQ(line, "12.08.09");
    ASSERT_TRUE(r.Next(line));
    EXPECT_EQ(line, "15.08.09 4 5 6");
    EXPECT_FALSE(r.Next(line));
    EXPECT_FALSE(TLineReader(dir + "fehlt.txt").IsOpen());
}

// A process that has ended: its temporary files are what a killed write left.
static long DeadPid()
{
    const pid_t child = ::fork();
    if (child == 0) ::_exit(0);
    int status = 0;
    ::waitpid(child, &status, 0);
    return child;
}

TEST(Files, TemporaryFilesOfDeadWritersGoAtTheNextWriteOrStart)
{
    const String dir = FreshTestDir();
    const String dead = IntToStr(DeadPid()), mine = IntToStr(::getpid());
    const char* names[] = {"dorov_zahlen.txt.~D-1.tmp",     "dorov_zahlen.txt.~D-17.tmp",
                           "dorov_zahlen.txt.~M-9.tmp",     "dorov_zahlen.txt.~1-0.tmp",
                           "dorov_zahlen.txt.~D-x.tmp",     "profile.txt.~D-2.tmp",
                           "dorov_zahlen.txt.~D-3.tmp.keep"};
    std::vector<String> files;
    for (String n : names) {
        for (std::size_t p; (p = n.find('D')) != String::npos && n[p - 1] == '~';) n.replace(p, 1, dead);
        for (std::size_t p; (p = n.find('M')) != String::npos && n[p - 1] == '~';) n.replace(p, 1, mine);
        files.push_back(n);
        AtomicWriteFile(dir + n, "x");
    }
    AtomicWriteFile(dir + "dorov_zahlen.txt", "neu");
    // Of the archive's: the dead writer's go; the running ones' (this process, init) and
    // names not made by a write stay; other files' temporaries wait for the start.
    const bool keptAfterWrite[] = {false, false, true, true, true, true, true};
    for (std::size_t i = 0; i < files.size(); ++i)
        EXPECT_EQ(FileExists(dir + files[i]), keptAfterWrite[i]) << files[i];
    RemoveDeadTempFilesIn(dir);
    EXPECT_FALSE(FileExists(dir + files[5]));
    EXPECT_TRUE(FileExists(dir + files[2]));
    EXPECT_TRUE(FileExists(dir + files[6]));
    EXPECT_EQ(ReadFileBytes(dir + "dorov_zahlen.txt"), "neu");
}
