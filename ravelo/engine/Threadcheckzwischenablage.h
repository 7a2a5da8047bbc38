#pragma once
// Clipboard number collector; runs while the clipboard watch box is ticked.
#include "Arbeitsthread.h"

class ThreadCheckZwischenablage : public TArbeitsThread {
public:
    explicit ThreadCheckZwischenablage(bool CreateSuspended);
    ~ThreadCheckZwischenablage() override;

protected:
    void Execute() override;
};
