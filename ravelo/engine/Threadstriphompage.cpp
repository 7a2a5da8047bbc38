#include "Threadstriphompage.h"

ThreadStripHompage::ThreadStripHompage(bool CreateSuspended) : TArbeitsThread("ThreadStripHompage")
{
    starte_wenn_verlangt(CreateSuspended);
}

ThreadStripHompage::~ThreadStripHompage() { warte_auf_Ende(); }

void ThreadStripHompage::Execute()
{
    b_laeuft = true;
    melde_gestartet();

    // ---- work of ThreadStripHompage goes here ----

    b_laeuft = false;
}
