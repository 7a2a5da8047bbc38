// A program folder laid out by the program itself: what is missing comes from the assets, what
// is there stays as it is, and what cannot be placed is named once.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "Auslegen.h"

namespace {

namespace fs = std::filesystem;

void schreibe(const fs::path& p, const std::string& text)
{
    fs::create_directories(p.parent_path());
    std::ofstream(p, std::ios::binary) << text;
}

std::string lies(const fs::path& p)
{
    std::ifstream in(p, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

class Auslegen : public ::testing::Test {
protected:
    void SetUp() override
    {
        char vorlage[] = "/tmp/ravelo-auslegen-XXXXXX";
        ASSERT_NE(::mkdtemp(vorlage), nullptr);
        basis = vorlage;
        assets = basis / "assets";
        gebaut = basis / "built";
        ordner = basis / "Quenzel 2009";
        schreibe(assets / "MANIFEST", "# files\ngifs/a.gif\n\ndata/history.txt\ndata/dorov_zahlen.txt\r\n");
        schreibe(assets / "gifs/a.gif", "GIF");
        schreibe(assets / "data/history.txt", "");
        schreibe(assets / "data/dorov_zahlen.txt", "01.07.09,5,11,19,28,36,44,9\n");
        schreibe(gebaut / "help/Hilfe.chm", "CHM");
    }
    void TearDown() override
    {
        ::chmod(ordner.c_str(), 0755);
        fs::remove_all(basis);
    }
    fs::path basis, assets, gebaut, ordner;
};

TEST_F(Auslegen, LegtEinenLeerenOrdnerAnUndLaesstVorhandenesStehen)
{
    fs::create_directories(ordner);
    schreibe(ordner / "dorov_zahlen.txt", "meine Ziehungen\n");
    EXPECT_TRUE(Programmordner_auslegen(ordner.string(), assets.string(), gebaut.string()).empty());
    EXPECT_EQ(lies(ordner / "gifs/a.gif"), "GIF");
    EXPECT_TRUE(fs::is_regular_file(ordner / "history.txt"));
    EXPECT_EQ(lies(ordner / "dorov_zahlen.txt"), "meine Ziehungen\n");
    EXPECT_EQ(lies(ordner / "help/Hilfe.chm"), "CHM");
    EXPECT_FALSE(fs::exists(ordner / "data"));
    EXPECT_FALSE(fs::exists(ordner / "MANIFEST"));
    // A second start finds everything there.
    EXPECT_TRUE(Programmordner_auslegen(ordner.string() + "/", assets.string(), gebaut.string()).empty());
}

TEST_F(Auslegen, NenntWasNichtAngelegtWerdenKann)
{
    fs::create_directories(ordner);
    fs::remove(assets / "gifs/a.gif");
    std::vector<String> fehlend = Programmordner_auslegen(ordner.string(), assets.string(), gebaut.string());
    EXPECT_EQ(fehlend, (std::vector<String>{"gifs/a.gif"}));
    // Without the assets nothing can be placed: the manifest is named.
    fehlend = Programmordner_auslegen(ordner.string(), (basis / "weg").string(), (basis / "weg").string());
    EXPECT_EQ(fehlend, (std::vector<String>{(basis / "weg/MANIFEST").string()}));
    EXPECT_EQ(Meldung_fehlende_Dateien("/home/anna/Quenzel 2009/", {"gifs/a.gif", "history.txt"}),
              "Im Programmordner /home/anna/Quenzel 2009 fehlen Dateien, die das Programm braucht, und sie "
              "konnten nicht angelegt werden:\ngifs/a.gif\nhistory.txt");
}

TEST_F(Auslegen, SchreibgeschuetzterOrdnerBleibtUnberuehrt)
{
    if (::geteuid() == 0) GTEST_SKIP() << "root writes into read-only folders";
    fs::create_directories(ordner);
    ::chmod(ordner.c_str(), 0555);
    const std::vector<String> fehlend =
        Programmordner_auslegen(ordner.string(), assets.string(), gebaut.string());
    EXPECT_EQ(fehlend.size(), 4u);
    EXPECT_TRUE(fs::is_empty(ordner));
}

}  // namespace
