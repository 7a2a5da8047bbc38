#pragma once
// The main window as step 1 sees it: the settings it reads and the texts, captions, frames and
// flags it writes. The engine must not link the window, so the window implements this and
// installs itself (setze_Schritt1Fenster); every call comes from step 1's thread and must reach
// the user-interface thread in the order it is made.
#include <vector>

#include "rtl/DateUtils.h"

class ISchritt1Fenster {
public:
    virtual ~ISchritt1Fenster() = default;

    // Settings.
    virtual TDateTime DateTimePicker2() = 0;  // tip date
    virtual bool CheckBox22() = 0;  // clipboard watching on
    virtual int TrackBar1() = 0;  // pool size N
    virtual bool RadioButton(int nummer) = 0;  // RadioButton1..RadioButton5 checked
    virtual String Tabelle2(int zeile) = 0;  // statistics grid, column 0
    virtual String Edit(int nummer) = 0;  // text of Edit9..Edit38
    virtual String ComboBox2() = 0;  // the run key

    // Reports.
    // ListBox1 cleared and given these lines, then the three line lists set.
    virtual void ListBox1(const std::vector<String>& zeilen, const String& zeilen_farbe,
                          const String& zeilen_symbol0, const String& zeilen_symbol1) = 0;
    virtual void Label1(const String& text) = 0;
    virtual void Label(int nummer, const String& caption) = 0;  // Label2..Label31
    virtual void Label_sichtbar(int nummer, bool sichtbar) = 0;
    virtual void Edit_sichtbar(int nummer, bool sichtbar) = 0;  // Edit9..Edit38
    virtual void Animate1_spielen(int von, int bis) = 0;  // plays until stopped
    virtual void Animate1_zeigen(int bild) = 0;  // shows one frame
    virtual void ProgressBar1_Schritt() = 0;
    virtual void Timer1_aus() = 0;
    virtual void schritt1_beendet() = 0;  // schritt1_aktiv = 0
    // The main window's lade_History with this date: a new run key in ComboBox2.
    virtual bool lade_History(TDateTime datum) = 0;

    // A message box with an OK button (and the error icon when fehler is set).
    virtual void Meldung(const String& text, const String& titel, bool fehler) = 0;
    // A confirmation box with Yes and No buttons; true for Yes.
    virtual bool Frage(const String& text) = 0;
};

// The window step 1 works on; null until the main window has installed itself.
void setze_Schritt1Fenster(ISchritt1Fenster* fenster);
ISchritt1Fenster* Schritt1Fenster();
