#pragma once
// A file the program could not write, told in German: what failed, why (the folder read-only,
// the disk full, no right to write there), and the system's own text on a line of its own.
#include "rtl/SysUtils.h"

// The German reason of a failed write or open; empty when the system's text names none of
// the known causes.
String Grund_auf_Deutsch(const String& systemtext);
// satz ("Die Profilliste profile.txt kann nicht gespeichert werden!") and the reason, for a line
// that has no room for the system's text.
String Dateifehler_Satz(const String& satz, const String& systemtext);
// A status line: kopf ("Schritt2: ERROR : "), the reason where the system names a known one, then
// satz (which says what failed). The reason comes first: the line may be cut at its end.
String Fehlerzeile(const String& kopf, const String& satz, const String& systemtext);
// satz, the reason, then the system's text.
String Dateifehler_Text(const String& satz, const Exception& e);
