#pragma once
// Saves the results page as 0.html and makes its draw block the archive dorov_zahlen.txt.
#include <atomic>

#include "Arbeitsthread.h"
#include "Archivpruefung.h"

class IUpdateFenster;

// How a page cut ended.
enum class TSeitenschnitt {
    offen,  // not ended yet
    aktualisiert,  // the page's draw block replaced the archive
    abgelehnt,  // the archive check refused the page's block (see Archivpruefung); it is unchanged
    nicht_geladen,  // the browser had no page; nothing written
    zu_gross,  // the browser refused the page as too large; nothing written
    Schreibfehler,  // a file could not be written; the archive is unchanged
};

// The page's draw block: the lines strictly between the last "<zahlen>" line and the last
// "</zahlen>" line (a missing opening marker counts as line 0; a closing marker only on line 0
// counts as none).
TStringList Ziehungsblock(const TStrings& zeilen);

class ThreadStripHompage : public TArbeitsThread {
public:
    // Works on the window installed with setze_UpdateFenster when it starts.
    explicit ThreadStripHompage(bool CreateSuspended);
    ThreadStripHompage(bool CreateSuspended, IUpdateFenster* fenster);
    ~ThreadStripHompage() override;

    TSeitenschnitt Ergebnis() const { return FErgebnis; }
    // After the end: empty when the archive was updated, else why not, in the user's words.
    String Begruendung() const;

protected:
    void Execute() override;

private:
    TSeitenschnitt schneiden(IUpdateFenster& f);
    IUpdateFenster* FFenster;
    std::atomic<TSeitenschnitt> FErgebnis{TSeitenschnitt::offen};
    TArchivpruefung FPruefung;  // of the page's block, when it came to that
    String FSchreibfehler;  // which file could not be written and why, in German
    std::size_t FGrenze = 0;  // zu_gross: the browser's page limit in bytes
};
