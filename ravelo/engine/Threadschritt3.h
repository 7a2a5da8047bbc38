#pragma once
// Step 3: pattern scoring, selection and history.
#include "Arbeitsthread.h"
#include "Schritt3Kern.h"

class ISchrittFenster;

// The prize amounts of the back-check: section [Gewinnbetraege] of the settings file, keys "3",
// "3z", "4", "4z", "5", "5z", "6". A missing file or key, or a value outside 1..1000000, takes
// the default.
Gewinnbetraege lies_Gewinnbetraege(const String& iniDatei);

class ThreadSchritt3 : public TFensterThread<ISchrittFenster> {
public:
    // Works on the window installed with setze_SchrittFenster when it starts.
    explicit ThreadSchritt3(bool CreateSuspended);
    // Works on the given window.
    ThreadSchritt3(bool CreateSuspended, ISchrittFenster* fenster);
    ~ThreadSchritt3() override;

private:
    void ausfuehren(ISchrittFenster& f) override;
};
