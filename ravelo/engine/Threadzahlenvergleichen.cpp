#include "Threadzahlenvergleichen.h"

ThreadZahlenVergleichen::ThreadZahlenVergleichen(bool CreateSuspended) : TArbeitsThread("ThreadZahlenVergleichen")
{
    starte_wenn_verlangt(CreateSuspended);
}

ThreadZahlenVergleichen::~ThreadZahlenVergleichen() { warte_auf_Ende(); }

void ThreadZahlenVergleichen::Execute()
{
    b_laeuft = true;
    melde_gestartet();

    // ---- work of ThreadZahlenVergleichen goes here ----

    b_laeuft = false;
}
