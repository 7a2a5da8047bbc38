#pragma once
// The main window as the draw update job, its two page helpers and the clipboard watcher see it.
// The engine must not link the window, so the window implements these (see UpdateAnschluss.h)
// and installs itself; every call comes from a worker thread.
#include "net/WebBrowser.h"

class IUpdateFenster {
public:
    virtual ~IUpdateFenster() = default;

    virtual bool start_laeuft() = 0;  // the window's constructor still runs
    // A property of the embedded browser CppWebBrowser1 by dispatch identifier.
    virtual TDispVariant CppWebBrowser1(int dispid) = 0;
    // The browser's page limit in bytes when its last load failed because the page was larger;
    // 0 otherwise.
    virtual std::size_t CppWebBrowser1_zu_gross() = 0;

    virtual void Label1(const String& text) = 0;
    virtual void TrayIcon2_sichtbar(bool sichtbar) = 0;
    // Sets TrayIcon2's balloon title and text and shows the balloon.
    virtual void TrayIcon2_Sprechblase(const String& titel, const String& text) = 0;
    // The window's lade_Archiv: the archive grid reloaded from dorov_zahlen.txt.
    virtual bool lade_Archiv() = 0;
    virtual int Tabelle_Zeilen() = 0;  // row count of the archive grid
    virtual void Tabelle_oberste_Zeile(int zeile) = 0;  // scrolls the archive grid
    virtual void zahlen_aktualisiert() = 0;  // zahlen_aktualisiert = true
    virtual void Image24_freigeben() = 0;  // enables the update button
};

class IZwischenablageFenster {
public:
    virtual ~IZwischenablageFenster() = default;
    virtual bool CheckBox22() = 0;  // "Zwischenablage überwachen" ticked
};

// The windows the workers use when they are given none; null until the window installs itself.
void setze_UpdateFenster(IUpdateFenster* fenster);
IUpdateFenster* UpdateFenster();
void setze_ZwischenablageFenster(IZwischenablageFenster* fenster);
IZwischenablageFenster* ZwischenablageFenster();
