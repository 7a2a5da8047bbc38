#pragma once
// The shape every worker thread of the program shares: a one-byte running flag that the creator
// polls, and the debug traces "<class> angelegt..." at creation and "<class> gestartet..." at start.
#include <atomic>

#include "rtl/Classes.h"

class TArbeitsThread : public TThread {
public:
    bool laeuft() const { return b_laeuft.load(); }
    // The work ended on a failure that leaves nothing for a following step (a file that could
    // not be written); the driver ends its run there.
    bool gescheitert() const { return FGescheitert.load(); }

protected:
    // Always builds the runtime thread suspended: a thread must not start before its most derived
    // class is complete, so each worker resumes itself at the end of its own constructor when
    // asked to start at once (see starte_wenn_verlangt).
    TArbeitsThread(const char* klassenname);
    void starte_wenn_verlangt(bool CreateSuspended);
    void melde_gestartet() const;
    // For destructors of workers with fields of their own: the work must be over before
    // those fields go away.
    void warte_auf_Ende();
    void melde_Scheitern() { FGescheitert = true; }

    // The debug trace of a worker that finds no window to work on.
    void melde_kein_Fenster() const;

    std::atomic<bool> b_laeuft;  // the running flag; one byte, polled by the creator
    static_assert(sizeof(std::atomic<bool>) == 1);

private:
    const char* FKlassenname;
    std::atomic<bool> FGescheitert{false};
};

// How a worker's running flag goes: on from the start and cleared by the work itself where it
// ends normally (an early return leaves it on, which the creator's poll bound reports as a
// time-out), or off from the first instruction, so the creator's poll ends at once and its
// WaitFor does the waiting.
enum class TLaufflag { von_der_Arbeit, sofort_aus };

// The skeleton of a worker on one window interface: it works on the window given to its
// constructor, or else on the one installed when the work starts; with neither it does nothing.
// Each worker still resumes itself at the end of its own constructor (starte_wenn_verlangt) and
// waits for its work in its own destructor (warte_auf_Ende).
template <class IFenster>
class TFensterThread : public TArbeitsThread {
protected:
    TFensterThread(const char* klassenname, IFenster* fenster, IFenster* (*installiert)(), TLaufflag flag)
        : TArbeitsThread(klassenname), FFenster(fenster), FInstalliert(installiert), FFlag(flag)
    {
    }

    // The work on the window.
    virtual void ausfuehren(IFenster& f) = 0;
    // The window given to the constructor; null for the installed one.
    IFenster* gegebenes_Fenster() const { return FFenster; }

    void Execute() override
    {
        b_laeuft = FFlag == TLaufflag::von_der_Arbeit;
        melde_gestartet();
        IFenster* f = FFenster ? FFenster : FInstalliert();
        if (!f) {
            melde_kein_Fenster();
            b_laeuft = false;
            return;
        }
        ausfuehren(*f);
        if (FFlag == TLaufflag::sofort_aus) b_laeuft = false;
    }

private:
    IFenster* FFenster;
    IFenster* (*FInstalliert)();
    TLaufflag FFlag;
};
