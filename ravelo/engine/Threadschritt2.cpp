#include "Threadschritt2.h"

ThreadSchritt2::ThreadSchritt2(bool CreateSuspended) : TArbeitsThread("ThreadSchritt2")
{
    starte_wenn_verlangt(CreateSuspended);
}

ThreadSchritt2::~ThreadSchritt2() { warte_auf_Ende(); }

void ThreadSchritt2::Execute()
{
    // Reports "not running" from the first instruction: the creator's poll ends at once and
    // its WaitFor does the waiting.
    b_laeuft = false;
    melde_gestartet();

    // ---- work of ThreadSchritt2 goes here ----

    b_laeuft = false;
}
