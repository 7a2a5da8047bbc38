#pragma once
// The shape every worker thread of the program shares: a one-byte running flag that the creator
// polls, and the debug traces "<class> angelegt..." at creation and "<class> gestartet..." at start.
#include <atomic>

#include "rtl/Classes.h"

class TArbeitsThread : public TThread {
public:
    bool laeuft() const { return b_laeuft.load(); }

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

    std::atomic<bool> b_laeuft;  // the running flag; one byte, polled by the creator
    static_assert(sizeof(std::atomic<bool>) == 1);

private:
    const char* FKlassenname;
};
