#pragma once
// Saves the results page as 0.html and makes its draw block the archive dorov_zahlen.txt.
#include <atomic>

#include "Arbeitsthread.h"

class IUpdateFenster;

// How a page cut ended.
enum class TSeitenschnitt {
    offen,  // not ended yet
    aktualisiert,  // the page's draw block replaced the archive
    ohne_Ziehungen,  // the page holds no draw block with a draw line; the archive is unchanged
    nicht_geladen,  // the browser had no page; nothing written
    Schreibfehler,  // a file could not be written; the archive is unchanged
};

class ThreadStripHompage : public TArbeitsThread {
public:
    // Works on the window installed with setze_UpdateFenster when it starts.
    explicit ThreadStripHompage(bool CreateSuspended);
    ThreadStripHompage(bool CreateSuspended, IUpdateFenster* fenster);
    ~ThreadStripHompage() override;

    TSeitenschnitt Ergebnis() const { return FErgebnis; }

protected:
    void Execute() override;

private:
    TSeitenschnitt schneiden(IUpdateFenster& f);
    IUpdateFenster* FFenster;
    std::atomic<TSeitenschnitt> FErgebnis{TSeitenschnitt::offen};
};

// A draw line as the archive holds it: a date dd.mm.yy, then behind "," six numbers 1..49 and
// the extra number 0..49, each behind a ","; anything behind that is the line's own.
bool ist_Ziehungszeile(const String& zeile);
