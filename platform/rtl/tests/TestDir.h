#pragma once
// A fresh scratch folder per test under the test's private HOME.
#include <gtest/gtest.h>

#include <cstdlib>

#include "rtl/Files.h"

inline String FreshTestDir()
{
    const ::testing::TestInfo* info = ::testing::UnitTest::GetInstance()->current_test_info();
    const char* home = std::getenv("HOME");
    String name = String(info->test_suite_name()) + "." + info->name();
    for (char& c : name)
        if (c == '/') c = '_';
    String dir = String(home && *home ? home : "/tmp") + "/rtl-tests/" + name + "/";
    std::system(("rm -rf '" + dir + "'").c_str());
    if (!ForceDirectories(dir)) ADD_FAILURE() << "cannot create " << dir;
    return dir;
}
