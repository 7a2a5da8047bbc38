#include "Tippdateien.h"

#include <gtest/gtest.h>

#include <cctype>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <vector>

#include "Programmordner.h"
#include "rtl/Files.h"
#include "testsupport/TestDir.h"

namespace {

const String SCHLUESSEL = "12-08-2009-aus20_Index-1*";

TEST(Tippschluessel, WholeKeysAreToldFromCutOnes)
{
    for (const char* ganz : {"12-08-2009-aus20_Index-1*", "05-01-2011-aus6_Index-12*"})
        EXPECT_TRUE(ist_Tippschluessel(ganz)) << ganz;
    for (const char* halb :
         {"12-08-2009-aus20_Index-1", "12-08-2009-aus20_Index-*", "12-08-2009-aus20_In",
          "12-08-2009-aus_Index-1*", "12-08-2009", "12-08-20", "", "12.08.2009-aus20_Index-1*",
          "12-08-2009-aus2x_Index-1*", "12-08-2009-aus20_Index-1x*"})
        EXPECT_FALSE(ist_Tippschluessel(halb)) << halb;
}

TEST(Tippschluessel, IsBuiltFromDatePoolSizeAndIndex)
{
    EXPECT_EQ(Tippschluessel("12-08-2009", 20, 1), SCHLUESSEL);
    EXPECT_EQ(Tippschluessel("05-01-2011", 30, 12), "05-01-2011-aus30_Index-12*");
}

struct Namensfall {
    Tippdatei datei;
    const char* erwartet;
};

void PrintTo(const Namensfall& f, std::ostream* os) { *os << f.datei.vorlage; }

class DateinameTest : public ::testing::TestWithParam<Namensfall> {};

TEST_P(DateinameTest, KeyAndExtensionReplaceTheStar)
{
    EXPECT_EQ(Dateiname(GetParam().datei, SCHLUESSEL), GetParam().erwartet);
}

INSTANTIATE_TEST_SUITE_P(
    Vorlagen, DateinameTest,
    ::testing::Values(
        Namensfall{DATEI_VORSCHLAG, "Schritt2_Vorschlag_12-08-2009-aus20_Index-1.txt"},
        Namensfall{DATEI_ERSETZT, "Schritt2_ersetzt_12-08-2009-aus20_Index-1.cvs"},
        Namensfall{DATEI_ERSETZT_GELOESCHT, "Schritt3_ersetzt_geloescht_12-08-2009-aus20_Index-1.cvs"},
        Namensfall{DATEI_KRITERIENPUNKTE, "Schritt5_kriterienpunkte_12-08-2009-aus20_Index-1.txt"},
        Namensfall{DATEI_KRITERIENPUNKTE_SORTIERT,
                   "Schritt5_kriterienpunkte_sortiert12-08-2009-aus20_Index-1.txt"},
        Namensfall{DATEI_AUSGEWAEHLT,
                   "Schritt5_kriterienpunkte_sortiert_ausgewählt_12-08-2009-aus20_Index-1.txt"}),
    [](const auto& info) {
        std::string name;
        for (const char* c = info.param.datei.vorlage; *c; ++c)
            if (std::isalnum(static_cast<unsigned char>(*c))) name += *c;
        return name;
    });

TEST(Dateiname, KeyWithoutFinalStarNamesNoFile)
{
    EXPECT_THROW(Dateiname(DATEI_ERSETZT, "12-08-2009-aus20_Index-1"), ETippschluessel);
    EXPECT_THROW(Dateiname(DATEI_ERSETZT, ""), ETippschluessel);
    EXPECT_THROW(Dateiname(DATEI_ERSETZT, "12-08-2009*-aus20_Index-1"), ETippschluessel);
    EXPECT_THROW(Dateipfad(DATEI_VORSCHLAG, "12-08-2009-aus20_Index-1"), ETippschluessel);
}

TEST(Dateiname, TemplateWithoutStarIsAnError)
{
    EXPECT_THROW(Dateiname("Schritt2_ersetzt_", SCHLUESSEL, ".cvs"), ETippschluessel);
}

TEST(Dateiname, PathLiesInTheProgramFolder)
{
    setze_ProgrammOrdner("/daten/Quenzel 2009");
    EXPECT_EQ(Dateipfad(DATEI_ERSETZT, SCHLUESSEL),
              "/daten/Quenzel 2009/Schritt2_ersetzt_12-08-2009-aus20_Index-1.cvs");
    setze_ProgrammOrdner("");
}

// ---- program folder ----

class ProgrammOrdnerTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        for (const char* n : {"RAVELO_HOME", "XDG_DATA_HOME", "HOME"}) {
            const char* v = std::getenv(n);
            gemerkt.push_back({n, v ? std::optional<std::string>(v) : std::nullopt});
        }
    }
    void TearDown() override
    {
        for (const auto& [n, v] : gemerkt) {
            if (v)
                setenv(n, v->c_str(), 1);
            else
                unsetenv(n);
        }
        setze_ProgrammOrdner("");
    }
    static void setze(const char* n, const char* v)
    {
        if (v)
            setenv(n, v, 1);
        else
            unsetenv(n);
    }
    std::vector<std::pair<const char*, std::optional<std::string>>> gemerkt;
};

TEST_F(ProgrammOrdnerTest, ComesFromTheEnvironment)
{
    struct Fall {
        const char* ravelo_home;
        const char* xdg;
        const char* home;
        const char* erwartet;
    };
    for (Fall f : {Fall{"/opt/ravelo", "/x/data", "/home/u", "/opt/ravelo/"},
                   Fall{"/opt/ravelo/", "/x/data", "/home/u", "/opt/ravelo/"},
                   Fall{"", "/x/data", "/home/u", "/x/data/Quenzel 2009/"},
                   Fall{nullptr, "/x/data", "/home/u", "/x/data/Quenzel 2009/"},
                   Fall{nullptr, nullptr, "/home/u", "/home/u/.local/share/Quenzel 2009/"},
                   Fall{nullptr, "", "/home/u", "/home/u/.local/share/Quenzel 2009/"}}) {
        setze("RAVELO_HOME", f.ravelo_home);
        setze("XDG_DATA_HOME", f.xdg);
        setze("HOME", f.home);
        setze_ProgrammOrdner("");
        EXPECT_EQ(ProgrammOrdner(), f.erwartet)
            << (f.ravelo_home ? f.ravelo_home : "-") << " " << (f.xdg ? f.xdg : "-");
    }
}

TEST_F(ProgrammOrdnerTest, SetFolderWinsAndGetsItsSlash)
{
    setze_ProgrammOrdner("/tmp/anders");
    EXPECT_EQ(ProgrammOrdner(), "/tmp/anders/");
    EXPECT_EQ(ProgrammDatei("history.txt"), "/tmp/anders/history.txt");
}

TEST_F(ProgrammOrdnerTest, SetUpCreatesTestFolderAndChangesIntoIt)
{
    const String wurzel = FreshDir(ProgrammOrdner() + "einrichten");
    setze("RAVELO_HOME", (wurzel + "a/b/Quenzel 2009").c_str());
    setze_ProgrammOrdner("");
    const String alt = GetCurrentDir();
    ASSERT_TRUE(ProgrammOrdner_einrichten());
    EXPECT_TRUE(std::filesystem::is_directory(wurzel + "a/b/Quenzel 2009/test"));
    EXPECT_EQ(std::filesystem::canonical(GetCurrentDir()),
              std::filesystem::canonical(wurzel + "a/b/Quenzel 2009"));
    EXPECT_TRUE(SetCurrentDir(alt));
}

TEST_F(ProgrammOrdnerTest, SetUpFailsWhereNoFolderCanBe)
{
    const String wurzel = ProgrammOrdner() + "blockiert/";
    std::filesystem::create_directories(wurzel);
    {
        std::ofstream(wurzel + "datei") << "x";
    }
    setze_ProgrammOrdner(wurzel + "datei/Quenzel 2009");
    EXPECT_FALSE(ProgrammOrdner_einrichten());
}

}  // namespace
