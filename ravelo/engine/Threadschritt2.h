#pragma once
// Step 2: filters and removal of drawn combinations.
#include "Arbeitsthread.h"

class ThreadSchritt2 : public TArbeitsThread {
public:
    explicit ThreadSchritt2(bool CreateSuspended);
    ~ThreadSchritt2() override;

protected:
    void Execute() override;
};
