#pragma once
// One-click driver: runs the steps one after another, then the comparison.
#include <memory>

#include "Arbeitsthread.h"

class ISchrittFenster;
class ISchritt1Fenster;
class IVergleichFenster;

class Thread_Sarnik : public TFensterThread<ISchrittFenster> {
public:
    // Most polls the driver makes while a step's running flag is set; a step still running at
    // its bound has timed out.
    static constexpr int POLLS_SCHRITT1 = 551;
    static constexpr int POLLS_SCHRITT2 = 950;
    static constexpr int POLLS_SCHRITT3 = 550;

    // Works, and lets its children work, on the windows installed when each thread starts.
    explicit Thread_Sarnik(bool CreateSuspended);
    // Works on the given windows (null: the installed one of that kind).
    Thread_Sarnik(bool CreateSuspended, ISchrittFenster* fenster, ISchritt1Fenster* fenster1,
                  IVergleichFenster* vergleich);
    ~Thread_Sarnik() override;

    // Terminates each child that is set; the children's OnTerminate handler.
    void Kinder_beenden(TObject* Sender);

    // Child threads of the run: slot 0 is never set, slots 1..3 hold steps 1..3. The driver
    // owns them, so a finished run leaves nothing behind.
    std::unique_ptr<TArbeitsThread> t_Schritt[4];
    // The comparison the run ends with; owned too, but no child that Kinder_beenden terminates.
    std::unique_ptr<TArbeitsThread> t_Vergleich;

private:
    // Starts the step in slot `schritt`, polls it up to `polls` times and waits for its end;
    // false when it still runs at the bound.
    bool fuehre_aus(int schritt, std::unique_ptr<TArbeitsThread> kind, int polls, const char* warten);
    void ausfuehren(ISchrittFenster& f) override;

    ISchritt1Fenster* FFenster1;
    IVergleichFenster* FVergleich;
};
