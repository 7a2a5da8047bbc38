#pragma once
// Each test gets a program folder of its own below $RAVELO_HOME (tests of one program may run
// at the same time) and, where it needs one, a main window built without a view.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <optional>
#include <vector>

#include "Programmordner.h"
#include "Unit1.h"
#include "Update_zahlen.h"
#include "rtl/Classes.h"
#include "rtl/Clock.h"
#include "rtl/Files.h"
#include "rtl/MainThread.h"
#include "testsupport/TestDir.h"
#include "zub/ExtCtrls.h"
#include "zub/Grids.h"

// Sets an environment variable (null: removes it) for the lifetime of the object.
class Umgebung {
public:
    Umgebung(const char* name, const char* wert) : FName(name)
    {
        if (const char* alt = std::getenv(name)) FAlt = String(alt);
        wert ? setenv(name, wert, 1) : unsetenv(name);
    }
    Umgebung(const char* name, const String& wert) : Umgebung(name, wert.c_str()) {}
    Umgebung(const Umgebung&) = delete;
    Umgebung& operator=(const Umgebung&) = delete;
    ~Umgebung() { FAlt ? setenv(FName, FAlt->c_str(), 1) : unsetenv(FName); }

private:
    const char* FName;
    std::optional<String> FAlt;
};

// A tiny GIF that carries its own name, so a control tells which file it shows.
inline String Testbild(const String& name) { return String("GIF89a\x01\x00\x01\x00", 10) + name; }

// The name the picture of a control carries; "" when it shows none.
inline String zeigt(TImage* bild)
{
    const String b = bild->Picture()->Bytes();
    return b.size() > 10 ? b.substr(10) : String();
}

// The cells of row r of a grid.
inline std::vector<String> Zeile(TStringGrid* g, int r)
{
    std::vector<String> z;
    for (int c = 0; c < g->ColCount(); ++c) z.push_back(g->Cells(c, r));
    return z;
}

class ProgrammordnerTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        SetMainThread();
        const char* home = std::getenv("RAVELO_HOME");
        ASSERT_NE(home, nullptr);
        ordner = FreshDir(IncludeTrailingPathDelimiter(home) + TestName());
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

// The start-up comparison (and an update job started at start-up) work on the window: a test
// goes on once they have ended, and the window must not go before them.
inline void Startjobs_abwarten(TForm1& form)
{
    if (form.t_Update) form.t_Update->WaitFor();
    if (form.t_Vergleich) form.t_Vergleich->WaitFor();
}

// The main window as the program builds it. Start-up waits three seconds: on virtual time from
// the present moment of the installed clock, whatever clock that is.
inline std::unique_ptr<TForm1> Hauptfenster_bauen()
{
    TVirtualClockGuard uhr(Now());
    auto form = std::make_unique<TForm1>(nullptr);
    Startjobs_abwarten(*form);
    return form;
}

class Form1Test : public ProgrammordnerTest {
protected:
    void SetUp() override
    {
        ProgrammordnerTest::SetUp();
        // A Wednesday morning.
        TVirtualClockGuard uhr(EncodeDate(2009, 8, 12) + EncodeTime(10, 0, 0, 0));
        form = Hauptfenster_bauen();
    }
    void TearDown() override
    {
        form.reset();
        ProgrammordnerTest::TearDown();
    }

    std::unique_ptr<TForm1> form;
};
