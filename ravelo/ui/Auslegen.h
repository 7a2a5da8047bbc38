#pragma once
// A program folder nobody laid out (the program started on its own, not through its start
// script): the pictures, animations, help and starting data it needs are placed there from the
// assets the program was built with.
#include <vector>

#include "rtl/SysUtils.h"

// Copies every file of assets/MANIFEST that ordner lacks (data/NAME as NAME at the top, the rest
// at its path), and each file below gebaut by its path; a file already there is never touched.
// Returns what is still missing afterwards (the manifest itself when it cannot be read).
std::vector<String> Programmordner_auslegen(const String& ordner, const String& assets, const String& gebaut);

// The one message about what the folder still lacks.
String Meldung_fehlende_Dateien(const String& ordner, const std::vector<String>& fehlend);
