#pragma once
// Step 1: pool of numbers and all combinations of the run.
#include "Arbeitsthread.h"

class ThreadSchritt1 : public TArbeitsThread {
public:
    explicit ThreadSchritt1(bool CreateSuspended);
    ~ThreadSchritt1() override;

protected:
    void Execute() override;
};
