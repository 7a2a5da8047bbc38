#include "Thread_Sarnik.h"

Thread_Sarnik::Thread_Sarnik(bool CreateSuspended) : TArbeitsThread("Thread_Sarnik")
{
    starte_wenn_verlangt(CreateSuspended);
}

Thread_Sarnik::~Thread_Sarnik() { warte_auf_Ende(); }

void Thread_Sarnik::Execute()
{
    b_laeuft = true;
    melde_gestartet();

    // ---- work of Thread_Sarnik goes here ----

    b_laeuft = false;
}

void Thread_Sarnik::Kinder_beenden(TObject*)
{
    for (auto& kind : t_Schritt)
        if (kind) kind->Terminate();
}
