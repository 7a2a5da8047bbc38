#include "Thread_Sarnik.h"

#include "Schrittfenster.h"
#include "Threadschritt1.h"
#include "Threadschritt2.h"
#include "Threadschritt3.h"
#include "Threadzahlenvergleichen.h"
#include "rtl/Clock.h"
#include "rtl/Debug.h"

Thread_Sarnik::Thread_Sarnik(bool CreateSuspended) : Thread_Sarnik(CreateSuspended, nullptr, nullptr, nullptr)
{
}

Thread_Sarnik::Thread_Sarnik(bool CreateSuspended, ISchrittFenster* fenster, ISchritt1Fenster* fenster1,
                             IVergleichFenster* vergleich)
    : TFensterThread("Thread_Sarnik", fenster, SchrittFenster, TLaufflag::von_der_Arbeit),
      FFenster1(fenster1), FVergleich(vergleich)
{
    starte_wenn_verlangt(CreateSuspended);
}

Thread_Sarnik::~Thread_Sarnik() { warte_auf_Ende(); }

bool Thread_Sarnik::fuehre_aus(int schritt, std::unique_ptr<TArbeitsThread> kind, int polls,
                               const char* warten)
{
    t_Schritt[schritt] = std::move(kind);
    TArbeitsThread& t = *t_Schritt[schritt];
    t.Resume();
    Sleep(1);
    for (int n = 0; t.laeuft() && n < polls; ++n) {
        Sleep(100);
        OutputDebugStringA(warten);
    }
    // Only a step that still runs at the bound has timed out: a slow step that ends within
    // it is waited for.
    if (t.laeuft()) return false;
    t.WaitFor();
    OutputDebugStringA("Ergebnis TSchritt" + IntToStr(schritt) + ":");
    t.OnTerminate = [this](TObject* Sender) { Kinder_beenden(Sender); };
    return true;
}

// Time-outs return with the running flag on, so the run button's poll runs to its own bound.
// A run that stopped early counts as failed, so the window keeps the reason on screen.
void Thread_Sarnik::ausfuehren(ISchrittFenster& f)
{
    struct Schritt {
        int box;  // CheckBox2..CheckBox4 asks for the step
        int polls;
        const char* warten;  // trace of every poll
        const char* timeout;  // Label1 on a time-out
        const char* spur;  // trace on a time-out
        bool freigeben;  // a time-out still releases the pictures
    };
    static const Schritt SCHRITTE[4] = {
        {},
        {2, POLLS_SCHRITT1, "Warte auf Ende TSchritt1 .....", "ERROR : Timeout warten auf Ende TSchritt1 ..",
         "ERROR : Timeout warten auf Ende TSchritt1 ..", false},
        {3, POLLS_SCHRITT2, "Warte auf Ende TSchritt2 .....", "ERROR : Timeout Warte auf Ende TSchritt2 ..",
         "ERROR : Timeout Warte auf Ende TSchritt2 ...", false},
        {4, POLLS_SCHRITT3, "Warte auf Ende TSchritt3 .....", "ERROR : Timeout Warte auf Ende TSchritt3 ..",
         "ERROR : Timeout Warte auf Ende TSchritt3 ..", true},
    };
    for (int nr = 1; nr <= 3; ++nr) {
        const Schritt& s = SCHRITTE[nr];
        if (!f.CheckBox(s.box)) continue;  // skipped, not failed
        if (nr == 1)
            f.Timer1_an();
        else
            f.Animate1_sichtbar();
        f.Nachrichten_verarbeiten();
        std::unique_ptr<TArbeitsThread> kind;
        if (nr == 1) kind = std::make_unique<ThreadSchritt1>(true, FFenster1);
        if (nr == 2) kind = std::make_unique<ThreadSchritt2>(true, gegebenes_Fenster());
        if (nr == 3) kind = std::make_unique<ThreadSchritt3>(true, gegebenes_Fenster());
        if (!fuehre_aus(nr, std::move(kind), s.polls, s.warten)) {
            f.Label1(s.timeout);
            OutputDebugStringA(s.spur);
            melde_Scheitern();
            if (s.freigeben) f.bilder_freigeben();
            return;
        }
        if (t_Schritt[nr]->gescheitert()) {
            // The step has said what failed; no later step has its file to work on. Step 2
            // released the pictures itself.
            OutputDebugStringA("Thread_Sarnik: Lauf nach Schritt " + IntToStr(nr) + " beendet");
            if (nr != 2) f.bilder_freigeben();
            melde_Scheitern();
            b_laeuft = false;
            return;
        }
    }

    bool tippdatum_gezogen = false;
    try {
        tippdatum_gezogen = f.pruefe_Tippdatum(true);
    } catch (const Exception&) {
        tippdatum_gezogen = false;  // an unreadable archive holds no draw
    }
    if (tippdatum_gezogen) {
        t_Vergleich = std::make_unique<ThreadZahlenVergleichen>(true, FVergleich);
        t_Vergleich->Resume();
        Sleep(1);
        for (int n = 1; t_Vergleich->laeuft() && n < 10; ++n) {
            Sleep(500);
            OutputDebugStringA("Warte auf TZahlenVergleichen .....");
            f.Nachrichten_verarbeiten();
        }
        t_Vergleich->WaitFor();
        t_Vergleich->Terminate();
        t_Vergleich->OnTerminate = [this](TObject* Sender) { Kinder_beenden(Sender); };
    }

    f.bilder_freigeben();
    b_laeuft = false;
}

void Thread_Sarnik::Kinder_beenden(TObject*)
{
    for (auto& kind : t_Schritt)
        if (kind) kind->Terminate();
}
