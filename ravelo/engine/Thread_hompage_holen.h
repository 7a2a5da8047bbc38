#pragma once
// Waits until the embedded browser has loaded the results page.
#include "Arbeitsthread.h"

class IUpdateFenster;

class Thread_Hompage_holen : public TArbeitsThread {
public:
    // Works on the window installed with setze_UpdateFenster when it starts.
    explicit Thread_Hompage_holen(bool CreateSuspended);
    Thread_Hompage_holen(bool CreateSuspended, IUpdateFenster* fenster);
    ~Thread_Hompage_holen() override;

    static constexpr unsigned ANLAUF_MS = 3000;  // before the first look at the browser
    static constexpr int MAX_ABFRAGEN = 41;  // looks at the busy browser, 500 ms apart

protected:
    void Execute() override;

private:
    IUpdateFenster* FFenster;
};
