#pragma once
// One main window for the whole fuzz process, built without a view on an empty program folder
// of its own; each input is written into that folder and read by the window's own code. A
// refusal is an rtl Exception (the window shows it to the user); anything else that escapes is
// a finding.
#include <cstdlib>
#include <exception>
#include <memory>

#include "Fuzzordner.h"
#include "Programmordner.h"
#include "Unit1.h"
#include "Update_zahlen.h"
#include "rtl/Clock.h"
#include "rtl/Files.h"
#include "rtl/MainThread.h"
#include "zub/Dialogs.h"

class THauptfensterFuzz {
public:
    THauptfensterFuzz() : FOrdner("fuzz_window")
    {
        SetMainThread();
        setenv("RAVELO_WINDIR", (FOrdner.Pfad() + "windows").c_str(), 1);
        Laufzeit_einrichten();
        setze_ProgrammOrdner(FOrdner.Pfad());
        SetDialogs(FDialoge);
        // Start-up waits on its clock; a virtual one lets it pass at once.
        TVirtualClockGuard uhr(EncodeDate(2009, 8, 12) + EncodeTime(10, 0, 0, 0));
        // Start-up makes the program folder the working directory; the fuzzer's corpus names
        // are relative to the one it was started in.
        const String arbeitsordner = GetCurrentDir();
        FForm = std::make_unique<TForm1>(nullptr);
        if (!SetCurrentDir(arbeitsordner)) std::abort();  // the corpus names would not be found
        if (FForm->t_Update) FForm->t_Update->WaitFor();
        if (FForm->t_Vergleich) FForm->t_Vergleich->WaitFor();
    }
    TForm1& form() { return *FForm; }
    String Datei(const String& name) const { return FOrdner.Pfad() + name; }
    void schreibe(const String& name, const String& bytes) { AtomicWriteFileNoSync(Datei(name), bytes); }
    // Runs one reading; an rtl Exception is a refusal, anything else a finding.
    template <class F>
    void lies(F&& f)
    {
        FDialoge->Clear();
        try {
            f();
        } catch (const Exception&) {
        }
    }

private:
    TFuzzordner FOrdner;
    std::shared_ptr<THeadlessDialogs> FDialoge = std::make_shared<THeadlessDialogs>();
    std::unique_ptr<TForm1> FForm;
};

inline THauptfensterFuzz& Hauptfenster()
{
    static auto* fenster = new THauptfensterFuzz;  // lives to the end: workers may still hold it
    return *fenster;
}
