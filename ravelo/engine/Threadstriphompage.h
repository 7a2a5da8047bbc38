#pragma once
// Saves the results page and cuts the draw block into the archive.
#include "Arbeitsthread.h"

class ThreadStripHompage : public TArbeitsThread {
public:
    explicit ThreadStripHompage(bool CreateSuspended);
    ~ThreadStripHompage() override;

protected:
    void Execute() override;
};
