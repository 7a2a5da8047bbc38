#include "Thread_hompage_holen.h"

Thread_Hompage_holen::Thread_Hompage_holen(bool CreateSuspended) : TArbeitsThread("Thread_Hompage_holen")
{
    starte_wenn_verlangt(CreateSuspended);
}

Thread_Hompage_holen::~Thread_Hompage_holen() { warte_auf_Ende(); }

void Thread_Hompage_holen::Execute()
{
    b_laeuft = true;
    melde_gestartet();

    // ---- work of Thread_Hompage_holen goes here ----

    b_laeuft = false;
}
