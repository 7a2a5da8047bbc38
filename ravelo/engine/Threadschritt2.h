#pragma once
// Step 2: filters and removal of drawn combinations.
#include "Arbeitsthread.h"

class ISchrittFenster;

class ThreadSchritt2 : public TFensterThread<ISchrittFenster> {
public:
    // Works on the window installed with setze_SchrittFenster when it starts.
    explicit ThreadSchritt2(bool CreateSuspended);
    // Works on the given window.
    ThreadSchritt2(bool CreateSuspended, ISchrittFenster* fenster);
    ~ThreadSchritt2() override;

private:
    void ausfuehren(ISchrittFenster& f) override;
};
