#pragma once
// Clipboard number collector; runs while the clipboard watch box is ticked.
#include <vector>

#include "Arbeitsthread.h"

class IZwischenablageFenster;

class ThreadCheckZwischenablage : public TArbeitsThread {
public:
    // Works on the window installed with setze_ZwischenablageFenster when it starts.
    explicit ThreadCheckZwischenablage(bool CreateSuspended);
    ThreadCheckZwischenablage(bool CreateSuspended, IZwischenablageFenster* fenster);
    ~ThreadCheckZwischenablage() override;

    static constexpr unsigned PAUSE_MS = 3000;  // between two looks at the clipboard

protected:
    void Execute() override;

private:
    IZwischenablageFenster* FFenster;
};

// Adds to gesammelt the numbers 1..49 written in text that it does not hold yet. Numbers are
// tried from 49 down, each at the first place its digits occur, and a place taken by one number
// is not used again, so the digits of 12 do not also count as 1 and 2.
void sammle_Zahlen(const String& text, std::vector<int>& gesammelt);
