#include "Threadcheckzwischenablage.h"

ThreadCheckZwischenablage::ThreadCheckZwischenablage(bool CreateSuspended) : TArbeitsThread("ThreadCheckZwischenablage")
{
    starte_wenn_verlangt(CreateSuspended);
}

ThreadCheckZwischenablage::~ThreadCheckZwischenablage() { warte_auf_Ende(); }

void ThreadCheckZwischenablage::Execute()
{
    // This worker keeps no running flag and writes no start trace.

    // ---- work of ThreadCheckZwischenablage goes here ----
}
