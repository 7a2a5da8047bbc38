#pragma once
// A fresh program folder per test, below the one the test environment names, so tests that
// run at the same time never share files.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "Programmordner.h"

class TestOrdner : public ::testing::Test {
protected:
    void SetUp() override
    {
        setze_ProgrammOrdner("");
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        std::string name = std::string(info->test_suite_name()) + "." + info->name();
        for (char& c : name)
            if (c == '/') c = '_';
        ordner = ProgrammOrdner() + "engine/" + name + "/";
        std::filesystem::remove_all(ordner);
        std::filesystem::create_directories(ordner);
        setze_ProgrammOrdner(ordner);
    }
    void TearDown() override { setze_ProgrammOrdner(""); }

    void schreibe(const std::string& name, const std::vector<std::string>& zeilen) const
    {
        std::ofstream out(ordner + name, std::ios::binary);
        for (const auto& z : zeilen) out << z << "\n";
    }

    std::string ordner;
};
