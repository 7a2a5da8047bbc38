#pragma once
// A fresh program folder per test, below the one the test environment names, so tests that
// run at the same time never share files.
#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

#include "Programmordner.h"
#include "testsupport/TestDir.h"

class TestOrdner : public ::testing::Test {
protected:
    void SetUp() override
    {
        setze_ProgrammOrdner("");
        ordner = FreshDir(ProgrammOrdner() + "engine/" + TestName());
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
