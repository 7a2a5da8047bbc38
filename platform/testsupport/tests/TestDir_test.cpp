#include "testsupport/TestDir.h"

#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

namespace fs = std::filesystem;

TEST(TestDir, FreshDirEmptiesWhatIsThere)
{
    const std::string dir = ScratchDir() + "voll";
    fs::create_directories(dir + "/tief/tiefer");
    std::ofstream(dir + "/tief/tiefer/datei.txt") << "alt";
    const std::string fresh = FreshDir(dir);
    EXPECT_EQ(fresh, dir + "/");
    EXPECT_TRUE(fs::is_directory(fresh));
    EXPECT_TRUE(fs::is_empty(fresh));
}

TEST(TestDir, NamesInQuotesAndSpacesAreOnlyNames)
{
    // A name that a shell would read as a second command is just a folder name here.
    const std::string base = ScratchDir();
    fs::create_directories(base + "bleibt");
    const std::string odd = base + "a'; rm -rf '" + base + "bleibt";
    FreshDir(odd);
    EXPECT_TRUE(fs::is_directory(odd));
    EXPECT_TRUE(fs::is_directory(base + "bleibt"));
}

TEST(TestDir, EachTestHasItsOwnFolderBelowHome)
{
    const std::string dir = FreshTestDir("bereich");
    EXPECT_EQ(dir, std::string(std::getenv("HOME")) + "/bereich/TestDir.EachTestHasItsOwnFolderBelowHome/");
    EXPECT_TRUE(fs::is_empty(dir));
}

class TestDirParam : public ::testing::TestWithParam<int> {};
TEST_P(TestDirParam, ParameterisedNamesMakeOneFolder)
{
    const std::string name = TestName();
    EXPECT_EQ(name.find('/'), std::string::npos) << name;
    EXPECT_TRUE(fs::is_directory(FreshTestDir()));
}
INSTANTIATE_TEST_SUITE_P(Faelle, TestDirParam, ::testing::Values(1, 2));

TEST(TestDir, AFolderThatCannotBeMadeFailsTheTest)
{
    const std::string datei = ScratchDir() + "eine-datei";
    std::ofstream(datei) << "x";
    EXPECT_NONFATAL_FAILURE(FreshDir(datei + "/unter"), "eine-datei/unter");
}
