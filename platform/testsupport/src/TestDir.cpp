#include "testsupport/TestDir.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <system_error>

namespace fs = std::filesystem;

namespace {

std::string WithSlash(std::string dir)
{
    if (dir.empty() || dir.back() != '/') dir += '/';
    return dir;
}

std::string Home()
{
    const char* home = std::getenv("HOME");
    return WithSlash(home && *home ? home : ::testing::TempDir());
}

std::string Made(const std::string& dir)
{
    std::error_code ec;
    fs::create_directories(dir, ec);
    if (ec || !fs::is_directory(dir)) ADD_FAILURE() << "cannot create " << dir << ": " << ec.message();
    return WithSlash(dir);
}

}  // namespace

std::string TestName()
{
    const ::testing::TestInfo* info = ::testing::UnitTest::GetInstance()->current_test_info();
    if (!info) return "no-test";
    std::string name = std::string(info->test_suite_name()) + "." + info->name();
    for (char& c : name)
        if (c == '/') c = '_';
    return name;
}

std::string FreshDir(const std::string& dir)
{
    std::error_code ec;
    fs::remove_all(dir, ec);
    if (!ec) return Made(dir);
    ADD_FAILURE() << "cannot empty " << dir << ": " << ec.message();
    return WithSlash(dir);
}

std::string ScratchDir() { return Made(Home() + "scratch/"); }

std::string FreshTestDir(const std::string& area) { return FreshDir(Home() + area + "/" + TestName() + "/"); }
