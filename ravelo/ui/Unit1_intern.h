#pragma once
// Helpers that the files of the main window's unit share; not for other units.
#include <vector>

#include "Unit1.h"
#include "rtl/Files.h"

namespace unit1 {

inline const char* const BESCHREIBUNG = "Beschreibung:";

// Runs the message loop when called on the user-interface thread; workers reach the model
// directly.
void Nachrichten_verarbeiten();

// Every picture file goes through the shared buffer into the control that shows it.
void lade_Bild(TForm1& f, TImage* bild, const String& datei);
// Pictures are decoration: one that is missing or broken leaves the control as it is.
void zeige_Bild(TForm1& f, TImage* bild, const String& datei);
// A hover text in the status line; the reason the last run stopped stays while it is shown.
void Hinweis(TForm1& f, const String& text);

// The control of that name; EComponentError when the window has none.
TControl* Element(TForm1& f, const String& name);
// Names stamm+von .. stamm+bis.
std::vector<String> Reihe(const char* stamm, int von, int bis);
std::vector<String> Verbunden(std::initializer_list<std::vector<String>> teile);
void zeigen(TForm1& f, const std::vector<String>& namen, bool sichtbar);
void freigeben(TForm1& f, const std::vector<String>& namen, bool an);

// Control groups of the mode pages and of expert mode.
const std::vector<String>& Gruppe_Quellen();
const std::vector<String>& Gruppe_Schritte();
const std::vector<String>& Gruppe_Filter();
const std::vector<String>& Gruppe_Kriterien();
const std::vector<String>& Gruppe_Tippzahl();

// The restore after a job greyed out; when something could not be brought back as recorded, the
// status line says so.
void Fenster_zurueck(TForm1& f);

// The statistics grid sorted by its counts. A grid that holds no counts yet (nothing shown so far)
// or a cell that is no number leaves it as it is, without an error for the user.
void Statistik_sortieren(TForm1& f, bool absteigend);

// The archive grid read again, its last rows in view.
void Archiv_neu_laden(TForm1& f);

// Leading decimal digits of s from position p; -1 when there are none.
int Zahl_ab(const String& s, std::size_t p);
// The lowest run index not yet used by a key of this date and pool size in history.txt.
int freier_Index(TLineReader& history, const String& datum, int anzahl);

// OnTerminate of a worker: runs after the work has ended, perhaps after the window is gone.
void Threads_beenden_lassen(TObject* Sender);

}  // namespace unit1
