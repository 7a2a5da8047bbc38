// Main of every test program: each process gets its own scratch folders for HOME, the XDG
// folders, the program folder and the Windows-directory stand-in, so no test touches the user's
// files and tests that ctest runs in parallel never share a folder.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <unistd.h>

int main(int argc, char** argv)
{
    namespace fs = std::filesystem;
    // below the test home, one folder a test program, named after it
    const fs::path root = fs::path(RAVELO_TEST_HOME) / fs::path(argv[0]).filename();
    fs::create_directories(root);
    std::string pattern = (root / "run-XXXXXX").string();
    if (!mkdtemp(pattern.data())) {
        perror("mkdtemp");
        return 2;
    }
    const fs::path scratch = pattern;
    auto set = [&](const char* var, const fs::path& p) {
        fs::create_directories(p);
        setenv(var, p.c_str(), 1);
    };
    set("HOME", scratch);
    set("XDG_DATA_HOME", scratch / "data");
    set("XDG_CONFIG_HOME", scratch / "config");
    set("RAVELO_HOME", scratch / "program");
    set("RAVELO_WINDIR", scratch / "windows");
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    unsetenv("RAVELO_DEBUG");

    ::testing::InitGoogleTest(&argc, argv);
    const int rc = RUN_ALL_TESTS();
    std::error_code ec;
    if (rc == 0) fs::remove_all(scratch, ec);
    return rc;
}
