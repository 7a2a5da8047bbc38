// One copy per program folder: a second lock on a held folder is refused, and the lock of a
// process that died is free again.
#include <gtest/gtest.h>

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>

#include "Einzelstart.h"

namespace {

class Einzelstart : public ::testing::Test {
protected:
    void SetUp() override
    {
        char vorlage[] = "/tmp/ravelo-einzelstart-XXXXXX";
        ASSERT_NE(::mkdtemp(vorlage), nullptr);
        ordner = vorlage;
    }
    void TearDown() override { std::filesystem::remove_all(ordner); }
    std::string ordner;
};

TEST_F(Einzelstart, ZweiteSperreAufDemselbenOrdnerWirdAbgelehnt)
{
    {
        TOrdnersperre erste(ordner + "/");
        EXPECT_FALSE(erste.Gesperrt());
        TOrdnersperre zweite(ordner);
        EXPECT_TRUE(zweite.Gesperrt());
        // Another folder is free.
        const std::string anderer = ordner + "/test";
        std::filesystem::create_directory(anderer);
        EXPECT_FALSE(TOrdnersperre(anderer).Gesperrt());
    }
    EXPECT_FALSE(TOrdnersperre(ordner).Gesperrt());
    EXPECT_TRUE(std::filesystem::is_empty(ordner + "/test"));
}

TEST_F(Einzelstart, SperreEinesAbgestuerztenProzessesIstFrei)
{
    int meldung[2];
    ASSERT_EQ(::pipe(meldung), 0);
    const pid_t kind = ::fork();
    ASSERT_GE(kind, 0);
    if (kind == 0) {
        TOrdnersperre sperre(ordner);
        const char c = sperre.Gesperrt() ? 'n' : 'j';
        (void)!::write(meldung[1], &c, 1);
        ::pause();
        ::_exit(0);
    }
    char c = 0;
    ASSERT_EQ(::read(meldung[0], &c, 1), 1);
    EXPECT_EQ(c, 'j');
    EXPECT_TRUE(TOrdnersperre(ordner).Gesperrt());
    ::kill(kind, SIGKILL);
    ::waitpid(kind, nullptr, 0);
    EXPECT_FALSE(TOrdnersperre(ordner).Gesperrt());
    ::close(meldung[0]);
    ::close(meldung[1]);
}

TEST(EinzelstartMeldung, NenntDenOrdner)
{
    EXPECT_EQ(Meldung_zweiter_Start("/home/anna/Quenzel 2009/"),
              "Quenzel 2009 läuft bereits mit dem Programmordner /home/anna/Quenzel 2009.\n"
              "Ein zweites Programm auf demselben Ordner wird nicht gestartet.");
}

}  // namespace
