#pragma once
// Comparison of tips and favourites with the draws.
#include <vector>

#include "Arbeitsthread.h"
#include "Tippdateien.h"
#include "rtl/SysUtils.h"
#include "rtl/DateUtils.h"

// The option "compare the favourites at every start": [Favoritten] CheckBox1 of the environment.ini
// that the INI class finds by its bare name (the Windows-directory stand-in), not the one in the
// program folder. True exactly when the value is "true".
bool lies_Favoriten_Option();
void schreibe_Favoriten_Option(bool an);

// The value of a number field or of a field of a tip line: the decimal integer at the start of
// the text (leading blanks skipped, an optional sign, reading stops at the first non-digit; no
// digits give 0). Very long digit runs saturate.
int Feldwert(const String& text);

// The tip list before the first run, and its line list of grey check marks (the three steps).
const std::vector<String>& Starthinweis();
inline constexpr const char* STARTHINWEIS_SYMBOLE = "4,5,6,";

// The main window as the comparison sees it. The engine must not link the window, so the window
// implements this (TVergleichAnschluss) and installs itself with setze_VergleichFenster.
// Calls come from the comparison's thread.
class IVergleichFenster {
public:
    virtual ~IVergleichFenster() = default;

    virtual String ComboBox2() = 0;  // the run key chosen in the history box
    virtual bool start_laeuft() = 0;
    virtual bool zahlen_aktualisiert() = 0;
    virtual bool vergleich_beim_Start() = 0;
    virtual void vergleich_beim_Start_loeschen() = 0;
    // The window's pruefe_Tippdatum: the archive holds the draw of the tip date (vom_Picker) or
    // of the run key's date.
    virtual bool pruefe_Tippdatum(bool vom_Picker) = 0;

    // ListBox1 cleared and given these lines; the line lists stay as they are.
    virtual void ListBox1(const std::vector<String>& zeilen) = 0;
    // ListBox1 cleared and given these lines, then the three line lists set.
    virtual void ListBox1(const std::vector<String>& zeilen, const String& zeilen_farbe,
                          const String& zeilen_symbol0, const String& zeilen_symbol1) = 0;
    virtual void ListBox1_Hint(const String& text) = 0;
    virtual void ListBox1_ShowHint(bool an) = 0;
};

// The window the comparison works on when none is given; null until the main window installs one.
void setze_VergleichFenster(IVergleichFenster* fenster);
IVergleichFenster* VergleichFenster();

class ThreadZahlenVergleichen : public TFensterThread<IVergleichFenster> {
public:
    // Works on the window installed with setze_VergleichFenster when it starts.
    explicit ThreadZahlenVergleichen(bool CreateSuspended);
    // Works on the given window.
    ThreadZahlenVergleichen(bool CreateSuspended, IVergleichFenster* fenster);
    ~ThreadZahlenVergleichen() override;

private:
    void ausfuehren(IVergleichFenster& f) override;
};
