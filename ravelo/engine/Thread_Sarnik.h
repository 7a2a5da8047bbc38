#pragma once
// One-click driver: runs the steps one after another, then the comparison.
#include <memory>

#include "Arbeitsthread.h"

class Thread_Sarnik : public TArbeitsThread {
public:
    explicit Thread_Sarnik(bool CreateSuspended);
    ~Thread_Sarnik() override;

    // Terminates each child that is set; the children's OnTerminate handler.
    void Kinder_beenden(TObject* Sender);

    // Child threads of the run: slot 0 is never set, slots 1..3 hold steps 1..3. The driver
    // owns them, so a finished run leaves nothing behind.
    std::unique_ptr<TArbeitsThread> t_Schritt[4];
    // The comparison the run ends with; owned too, but no child that Kinder_beenden terminates.
    std::unique_ptr<TArbeitsThread> t_Vergleich;

protected:
    void Execute() override;
};
