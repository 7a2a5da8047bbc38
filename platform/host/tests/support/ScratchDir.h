#pragma once
// Scratch folder of a test program (its private HOME from ravelo_test), so builds that run their
// tests at the same time never share files.
#include <gtest/gtest.h>

#include <cstdlib>

#include "rtl/Files.h"

inline String ScratchDir()
{
    const char* home = std::getenv("HOME");
    String d = IncludeTrailingPathDelimiter(home && *home ? String(home) : testing::TempDir()) + "scratch/";
    ForceDirectories(d);
    return d;
}
