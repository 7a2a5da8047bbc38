#pragma once
// The main window as steps 2 and 3 and the one-click driver see it: the settings they read and
// the texts, lines, frames and flags they write. The engine must not link the window, so the
// window implements this (TSchrittAnschluss) and installs itself with setze_SchrittFenster;
// every call comes from a worker thread and must reach the user-interface thread in the order
// it is made.
#include <vector>

#include "rtl/DateUtils.h"

class ISchrittFenster {
public:
    virtual ~ISchrittFenster() = default;

    // Settings.
    virtual String ComboBox2() = 0;  // the run key
    virtual TDateTime DateTimePicker2() = 0;  // tip date
    virtual bool CheckBox(int nummer) = 0;  // CheckBox2..CheckBox20 checked
    virtual String Edit(int nummer) = 0;  // text of Edit1..Edit8
    virtual int anzahl_Varianten() = 0;
    virtual String tipp_datum() = 0;

    // Reports.
    // ListBox1 cleared and given these lines, then the three line lists set.
    virtual void ListBox1(const std::vector<String>& zeilen, const String& zeilen_farbe,
                          const String& zeilen_symbol0, const String& zeilen_symbol1) = 0;
    virtual void Label1(const String& text) = 0;
    virtual void Edit_setzen(int nummer, const String& text) = 0;  // a default written back
    virtual void Animate1_spielen(int von, int bis) = 0;  // plays until stopped
    virtual void Animate1_zeigen(int bild) = 0;  // shows one frame
    virtual void Animate1_sichtbar() = 0;
    virtual void ProgressBar1_null() = 0;
    virtual void Timer1_an() = 0;
    virtual void schritt_beendet(int schritt) = 0;  // schritt2_aktiv / schritt3_aktiv = 0
    // ComboBox2's items reloaded from the history file.
    virtual void ComboBox2_Eintraege(const String& historyDatei) = 0;

    // The main window's operations.
    virtual bool bilder_freigeben() = 0;
    virtual bool pruefe_Tippdatum(bool vom_Picker) = 0;
    virtual void Nachrichten_verarbeiten() = 0;
    // A message box with an OK button and the error icon.
    virtual void Fehlermeldung(const String& text, const String& titel) = 0;
};

// The window steps 2 and 3 and the driver work on; null until the main window has installed itself.
void setze_SchrittFenster(ISchrittFenster* fenster);
ISchrittFenster* SchrittFenster();
