#pragma once
// The program folder: where the draw archive, the settings and every pipeline file live.
// $RAVELO_HOME when set, else $XDG_DATA_HOME/Quenzel 2009/, else ~/.local/share/Quenzel 2009/.
#include "rtl/SysUtils.h"

// The program folder, ending in "/". Safe to call from any thread.
String ProgrammOrdner();
// Sets the program folder (a trailing "/" is added when missing); an empty text goes back to
// the folder the environment names.
void setze_ProgrammOrdner(const String& ordner);
// A file in the program folder.
String ProgrammDatei(const String& name);
// At program start: creates the program folder and its sub-folder "test" (with any missing
// parents), removes the temporary files of writes that a killed process left there, and makes
// the program folder the working directory. False when either fails.
bool ProgrammOrdner_einrichten();
// At program start, before any thread: names the program's own folders and debug switch to the
// runtime library (INI files without folder in $RAVELO_WINDIR, else $XDG_CONFIG_HOME/Quenzel 2009/;
// debug lines on stderr while $RAVELO_DEBUG is set).
void Laufzeit_einrichten();
// Part of Laufzeit_einrichten: the tip run's tables and texts (tens of MB) come from one heap in
// large pages and stay with the process when freed, for the next run to use again, instead of
// going back to the system, which would have to map and clear every page of them anew.
void Speicher_einrichten();
