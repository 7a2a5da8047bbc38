#pragma once
// Step 3: pattern scoring, selection and history.
#include "Arbeitsthread.h"

class ThreadSchritt3 : public TArbeitsThread {
public:
    explicit ThreadSchritt3(bool CreateSuspended);
    ~ThreadSchritt3() override;

protected:
    void Execute() override;
};
