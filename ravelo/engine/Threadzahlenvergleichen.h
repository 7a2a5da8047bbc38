#pragma once
// Comparison of tips and favourites with the draws.
#include "Arbeitsthread.h"

class ThreadZahlenVergleichen : public TArbeitsThread {
public:
    explicit ThreadZahlenVergleichen(bool CreateSuspended);
    ~ThreadZahlenVergleichen() override;

protected:
    void Execute() override;
};
