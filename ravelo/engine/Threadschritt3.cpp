#include "Threadschritt3.h"

ThreadSchritt3::ThreadSchritt3(bool CreateSuspended) : TArbeitsThread("ThreadSchritt3")
{
    starte_wenn_verlangt(CreateSuspended);
}

ThreadSchritt3::~ThreadSchritt3() { warte_auf_Ende(); }

void ThreadSchritt3::Execute()
{
    // Reports "not running" from the first instruction: the creator's poll ends at once and
    // its WaitFor does the waiting.
    b_laeuft = false;
    melde_gestartet();

    // ---- work of ThreadSchritt3 goes here ----

    b_laeuft = false;
}
