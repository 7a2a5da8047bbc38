#include "Threadschritt1.h"

ThreadSchritt1::ThreadSchritt1(bool CreateSuspended) : TArbeitsThread("ThreadSchritt1")
{
    starte_wenn_verlangt(CreateSuspended);
}

ThreadSchritt1::~ThreadSchritt1() { warte_auf_Ende(); }

void ThreadSchritt1::Execute()
{
    b_laeuft = true;
    melde_gestartet();

    // ---- work of ThreadSchritt1 goes here ----

    b_laeuft = false;
}
