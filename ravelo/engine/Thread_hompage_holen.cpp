#include "Thread_hompage_holen.h"

#include "Updatefenster.h"
#include "rtl/Clock.h"
#include "rtl/Debug.h"

Thread_Hompage_holen::Thread_Hompage_holen(bool CreateSuspended)
    : Thread_Hompage_holen(CreateSuspended, nullptr)
{
}

Thread_Hompage_holen::Thread_Hompage_holen(bool CreateSuspended, IUpdateFenster* fenster)
    : TArbeitsThread("Thread_Hompage_holen"), FFenster(fenster)
{
    starte_wenn_verlangt(CreateSuspended);
}

Thread_Hompage_holen::~Thread_Hompage_holen() { warte_auf_Ende(); }

void Thread_Hompage_holen::Execute()
{
    b_laeuft = true;
    melde_gestartet();
    IUpdateFenster* f = FFenster ? FFenster : UpdateFenster();
    if (!f) {  // no window, no browser to wait for
        b_laeuft = false;
        return;
    }

    Sleep(ANLAUF_MS);
    auto beschaeftigt = [f] { return f->CppWebBrowser1(DISPID_BUSY).AsBool(); };
    for (int i = 0; i < MAX_ABFRAGEN && beschaeftigt(); ++i) {
        Sleep(500);
        OutputDebugStringA("Warte auf Ende CppWebBrowser1 .....");
    }
    if (beschaeftigt()) {
        // The running flag stays on: the job sees the page never came.
        f->Label1("ERROR : Timeout CppWebBrowser1");
        OutputDebugStringA("ERROR : Timeout CppWebBrowser1");
        return;
    }
    OutputDebugStringA("Thread_Hompage_holen beendet...");
    b_laeuft = false;
}
