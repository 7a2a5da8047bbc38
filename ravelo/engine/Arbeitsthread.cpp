#include "Arbeitsthread.h"

#include <pthread.h>

#include "rtl/Debug.h"

TArbeitsThread::TArbeitsThread(const char* klassenname)
    : TThread(true), b_laeuft(false), FKlassenname(klassenname)
{
    OutputDebugStringA(String(FKlassenname) + " angelegt...");
    b_laeuft = false;
}

void TArbeitsThread::starte_wenn_verlangt(bool CreateSuspended)
{
    if (!CreateSuspended) Resume();
}

void TArbeitsThread::melde_gestartet() const { OutputDebugStringA(String(FKlassenname) + " gestartet..."); }

void TArbeitsThread::melde_kein_Fenster() const
{
    OutputDebugStringA(String(FKlassenname) + ": kein Hauptfenster");
}

void TArbeitsThread::warte_auf_Ende()
{
    if (Suspended() || Finished()) return;
    if (ThreadID() == static_cast<std::uint64_t>(pthread_self())) return;  // freed from its own work
    WaitFor();
}
