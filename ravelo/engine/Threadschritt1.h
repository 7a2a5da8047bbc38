#pragma once
// Step 1: pool of numbers and all combinations of the run.
#include "Arbeitsthread.h"

class ISchritt1Fenster;

class ThreadSchritt1 : public TFensterThread<ISchritt1Fenster> {
public:
    // Works on the window installed with setze_Schritt1Fenster when it starts.
    explicit ThreadSchritt1(bool CreateSuspended);
    // Works on the given window.
    ThreadSchritt1(bool CreateSuspended, ISchritt1Fenster* fenster);
    ~ThreadSchritt1() override;

private:
    void ausfuehren(ISchritt1Fenster& f) override;
    void Schreibfehler(ISchritt1Fenster& f, const String& was, const String& systemtext);
    void Eingabe_abgelehnt(ISchritt1Fenster& f, const String& meldung);
};
