#pragma once
// Each test gets a program folder of its own below $RAVELO_HOME (tests of one program may run
// at the same time) and, where it needs one, a main window built without a view.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <memory>

#include "Programmordner.h"
#include "Unit1.h"
#include "rtl/Classes.h"
#include "rtl/Files.h"
#include "rtl/MainThread.h"

class ProgrammordnerTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        SetMainThread();
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        String name = String(info->test_suite_name()) + "_" + info->name();
        for (char& c : name)
            if (c == '/') c = '_';
        const char* home = std::getenv("RAVELO_HOME");
        ASSERT_NE(home, nullptr);
        ordner = IncludeTrailingPathDelimiter(home) + name + "/";
        std::filesystem::remove_all(ordner);
        setze_ProgrammOrdner(ordner);
    }
    void TearDown() override { setze_ProgrammOrdner(""); }

    // Writes lines (each ended by "\n") into a file of the program folder.
    void schreibe(const String& datei, std::initializer_list<const char*> zeilen)
    {
        String inhalt;
        for (const char* z : zeilen) inhalt += String(z) + "\n";
        AtomicWriteFile(ordner + datei, inhalt);
    }

    String ordner;
};

class Form1Test : public ProgrammordnerTest {
protected:
    void SetUp() override
    {
        ProgrammordnerTest::SetUp();
        form = std::make_unique<TForm1>(nullptr);
    }
    void TearDown() override
    {
        form.reset();
        ProgrammordnerTest::TearDown();
    }

    std::unique_ptr<TForm1> form;
};
