#include <gtest/gtest.h>

#include <cstdlib>

#include "testsupport/TestDir.h"
#include "rtl/Debug.h"
#include "rtl/Files.h"
#include "rtl/IniFiles.h"
#include "rtl/ProgramSettings.h"

namespace {

class Ini : public ::testing::Test {
protected:
    void SetUp() override
    {
        dir = FreshTestDir();
        file = dir + "ravelo.ini";
    }
    String dir, file;
};

}  // namespace

TEST_F(Ini, MissingFileReadsAsEmpty)
{
    TIniFile ini(file);
    EXPECT_EQ(ini.ReadString("Optionen", "Pfad", "def"), "def");
    EXPECT_EQ(ini.ReadInteger("Optionen", "N", 20), 20);
    EXPECT_TRUE(ini.ReadBool("Optionen", "Start", true));
    EXPECT_FALSE(ini.SectionExists("Optionen"));
    TStringList keys;
    keys.Add("alt");
    ini.ReadSection("Optionen", keys);
    EXPECT_EQ(keys.Count(), 0);
    EXPECT_FALSE(FileExists(file));  // reading creates nothing
}

struct BoolCase {
    const char* text;
    bool def;
    bool expected;
};

void PrintTo(const BoolCase& c, std::ostream* os) { *os << '"' << c.text << "\" default " << c.def; }

class IniBool : public Ini, public ::testing::WithParamInterface<BoolCase> {};

TEST_P(IniBool, OnlyExactTrueAndFalse)
{
    AtomicWriteFile(file, String("[S]\nb=") + GetParam().text + "\n");
    EXPECT_EQ(TIniFile(file).ReadBool("S", "b", GetParam().def), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Cases, IniBool,
                         ::testing::Values(BoolCase{"true", false, true}, BoolCase{"false", true, false},
                                           BoolCase{"True", false, false}, BoolCase{"True", true, true},
                                           BoolCase{"FALSE", false, false}, BoolCase{"FALSE", true, true},
                                           BoolCase{"1", false, false}, BoolCase{"0", true, true},
                                           BoolCase{"", true, true}, BoolCase{"yes", false, false}));

TEST_F(Ini, WritesBoolsAsWords)
{
    TIniFile ini(file);
    ini.WriteBool("Optionen", "Start", true);
    ini.WriteBool("Optionen", "Ende", false);
    EXPECT_EQ(ReadFileBytes(file), "[Optionen]\nStart=true\nEnde=false\n");
}

TEST_F(Ini, LookupIgnoresCaseValuesKeepIt)
{
    AtomicWriteFile(file, "[Optionen]\r\nPfad = C:\\Daten\\Ravelo \r\nAnzahl=20\r\n");
    TIniFile ini(file);
    EXPECT_EQ(ini.ReadString("OPTIONEN", "pfad", ""), "C:\\Daten\\Ravelo");
    EXPECT_EQ(ini.ReadInteger("optionen", "ANZAHL", 0), 20);
    EXPECT_TRUE(ini.ValueExists("Optionen", "anzahl"));
    EXPECT_FALSE(ini.ValueExists("Optionen", "fehlt"));
    ini.WriteString("optionen", "PFAD", "D:\\Neu");
    EXPECT_EQ(ReadFileBytes(file), "[Optionen]\nPfad=D:\\Neu\nAnzahl=20\n");
}

TEST_F(Ini, RewriteKeepsOtherSectionsAndUnknownLines)
{
    AtomicWriteFile(file, "; Einstellungen von Ravelo\n"
                          "[Fenster]\n"
                          "Links=10\n"
                          "irgendein Text\n"
                          "\n"
                          "[Optionen]\n"
                          "N=20\n"
                          "\n"
                          "[Letzte]\n"
                          "Datei=x.txt\n");
    TIniFile ini(file);
    ini.WriteInteger("Fenster", "Oben", 5);
    ini.WriteInteger("Optionen", "N", 25);
    ini.WriteString("Neu", "k", "v");
    EXPECT_EQ(ReadFileBytes(file), "; Einstellungen von Ravelo\n"
                                   "[Fenster]\n"
                                   "Links=10\n"
                                   "irgendein Text\n"
                                   "Oben=5\n"
                                   "\n"
                                   "[Optionen]\n"
                                   "N=25\n"
                                   "\n"
                                   "[Letzte]\n"
                                   "Datei=x.txt\n"
                                   "[Neu]\n"
                                   "k=v\n");
    TStringList sections;
    ini.ReadSections(sections);
    EXPECT_EQ(sections.GetCommaText(), "Fenster,Optionen,Letzte,Neu");
    TStringList values;
    ini.ReadSectionValues("fenster", values);
    EXPECT_EQ(values.GetCommaText(), "Links=10,Oben=5");
}

TEST_F(Ini, EraseSectionAndDeleteKey)
{
    AtomicWriteFile(file, "[A]\nx=1\ny=2\n[B]\nz=3\n");
    TIniFile ini(file);
    ini.DeleteKey("a", "X");
    ini.DeleteKey("a", "fehlt");
    EXPECT_EQ(ReadFileBytes(file), "[A]\ny=2\n[B]\nz=3\n");
    ini.EraseSection("A");
    EXPECT_EQ(ReadFileBytes(file), "[B]\nz=3\n");
    EXPECT_FALSE(ini.SectionExists("a"));
    EXPECT_TRUE(ini.SectionExists("b"));
}

TEST_F(Ini, ReadSectionListsKeysInFileOrder)
{
    AtomicWriteFile(file, "[Favoriten]\nZ=1\nA=2\n; Kommentar\nM=3\n[Andere]\nQ=4\n");
    TStringList keys;
    TIniFile(file).ReadSection("FAVORITEN", keys);
    EXPECT_EQ(keys.GetCommaText(), "Z,A,M");
}

TEST_F(Ini, BadNamesAndValuesAreRefusedAndNothingIsLost)
{
    TIniFile ini(file);
    ini.WriteString("S", "k", "v");
    EXPECT_THROW(ini.WriteString("S", "a=b", "v"), EInOutError);
    EXPECT_THROW(ini.WriteString("S]", "k", "v"), EInOutError);
    EXPECT_THROW(ini.WriteString("S", "", "v"), EInOutError);
    EXPECT_THROW(ini.WriteString("S", "k", "zwei\nZeilen"), EInOutError);
    EXPECT_EQ(ReadFileBytes(file), "[S]\nk=v\n");
}

namespace {

// Puts an environment variable back as it was.
struct TEnvRestore {
    explicit TEnvRestore(const char* n)
        : name(n), had(std::getenv(n) != nullptr), value(had ? std::getenv(n) : "")
    {
    }
    ~TEnvRestore()
    {
        if (had)
            ::setenv(name, value.c_str(), 1);
        else
            ::unsetenv(name);
    }
    const char* name;
    bool had;
    String value;
};

}  // namespace

// Sets the program's settings for one test and puts back the ones before.
struct TSettingsRestore {
    explicit TSettingsRestore(const TProgramSettings& s) : previous(ProgramSettings())
    {
        SetProgramSettings(s);
    }
    ~TSettingsRestore() { SetProgramSettings(previous); }
    TProgramSettings previous;
};

TEST_F(Ini, BareNameLiesInTheFolderTheProgramNamed)
{
    TEnvRestore keepWin("TIPP_WINDIR"), keepXdg("XDG_CONFIG_HOME");
    TSettingsRestore settings({"Tippschein 7", "TIPP_WINDIR", ""});
    String win = dir + "Windows/";
    ASSERT_EQ(::setenv("TIPP_WINDIR", win.c_str(), 1), 0);
    EXPECT_EQ(TIniFile::WindowsDirectory(), win);
    TIniFile ini("Ravelo.ini");
    EXPECT_EQ(ini.FileName(), win + "Ravelo.ini");
    ini.WriteString("Optionen", "Pfad", "x");  // creates the folder
    EXPECT_EQ(ReadFileBytes(win + "Ravelo.ini"), "[Optionen]\nPfad=x\n");
    EXPECT_EQ(TIniFile("RAVELO.INI").ReadString("optionen", "pfad", ""), "x");
    // Paths with "\" work as well.
    TIniFile other(dir + "Windows\\ravelo.ini");
    EXPECT_EQ(other.ReadString("Optionen", "Pfad", ""), "x");

    ::unsetenv("TIPP_WINDIR");
    String xdg = dir + "config";
    ::setenv("XDG_CONFIG_HOME", xdg.c_str(), 1);
    EXPECT_EQ(TIniFile::WindowsDirectory(), xdg + "/Tippschein 7/");
    ::unsetenv("XDG_CONFIG_HOME");
    String home = std::getenv("HOME");
    EXPECT_EQ(TIniFile::WindowsDirectory(), home + "/.config/Tippschein 7/");
}

TEST_F(Ini, AProgramThatNamesNoFolderGetsOneNamedAfterItself)
{
    TEnvRestore keepXdg("XDG_CONFIG_HOME");
    String xdg = dir + "config";
    ::setenv("XDG_CONFIG_HOME", xdg.c_str(), 1);
    EXPECT_EQ(TIniFile::WindowsDirectory(), xdg + "/rtl_tests/");
}

TEST_F(Ini, TheDebugSwitchIsTheVariableTheProgramNamed)
{
    TEnvRestore keep("TIPP_DEBUG");
    TSettingsRestore settings({"Tippschein 7", "", "TIPP_DEBUG"});
    ::setenv("TIPP_DEBUG", "1", 1);
    ::testing::internal::CaptureStderr();
    OutputDebugStringA("eine Zeile");
    EXPECT_EQ(::testing::internal::GetCapturedStderr(), "eine Zeile\n");
    ::unsetenv("TIPP_DEBUG");
    ::testing::internal::CaptureStderr();
    OutputDebugStringA("keine Zeile");
    EXPECT_EQ(::testing::internal::GetCapturedStderr(), "");
}

TEST_F(Ini, AFileWithoutFinalLineEndGetsTheNewKeyOnItsOwnLine)
{
    AtomicWriteFile(file, "[S]\na=1");
    TIniFile(file).WriteString("S", "b", "2");
    EXPECT_EQ(ReadFileBytes(file), "[S]\na=1\nb=2\n");
}

TEST_F(Ini, WritingAKeyKeepsTheValuesOfEveryOtherLine)
{
    struct Case {
        const char* before;
        const char* after;  // once b=2 is written: lines end in LF
    } cases[] = {
        // A value ending in CR CR LF keeps its CR.
        {"[S]\r\na=x\r\r\nb=1\r\n", "[S]\na=x\r\r\nb=2\n"},
        {"[S]\na=x\r\r\n", "[S]\na=x\r\r\nb=2\n"},
        {"[S]\na=x\r", "[S]\na=x\r\r\nb=2\n"},
        {"[T]\r\nc=3\r\n", "[T]\nc=3\n[S]\nb=2\n"},
        {"[S]\r\nb=1", "[S]\nb=2"},
    };
    for (const Case& c : cases) {
        AtomicWriteFile(file, c.before);
        TIniFile(file).WriteString("S", "b", "2");
        EXPECT_EQ(ReadFileBytes(file), c.after) << c.before;
        // ... and once more: nothing is lost on the way either.
        TIniFile(file).WriteString("S", "b", "3");
        EXPECT_EQ(TIniFile(file).ReadString("S", "a", "-"),
                  String(c.before).find("a=x") != String::npos ? "x\r" : "-");
    }
}
