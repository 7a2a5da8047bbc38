#pragma once
// Waits until the embedded browser has loaded the results page.
#include "Arbeitsthread.h"

class Thread_Hompage_holen : public TArbeitsThread {
public:
    explicit Thread_Hompage_holen(bool CreateSuspended);
    ~Thread_Hompage_holen() override;

protected:
    void Execute() override;
};
