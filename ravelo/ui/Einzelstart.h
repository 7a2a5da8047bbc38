#pragma once
// One copy of the program per program folder: two copies would share the run keys, write
// history.txt twice and delete each other's picture backups.
#include "rtl/SysUtils.h"

// Holds the program folder for this process: a lock on the folder itself, which the system
// releases when the process ends in whatever way, so a crashed copy never blocks the next.
class TOrdnersperre {
public:
    // Takes the lock on ordner; Gesperrt() tells whether another process holds it.
    explicit TOrdnersperre(const String& ordner);
    ~TOrdnersperre();
    TOrdnersperre(const TOrdnersperre&) = delete;
    TOrdnersperre& operator=(const TOrdnersperre&) = delete;

    // Another running copy holds the folder.
    bool Gesperrt() const { return FGesperrt; }

private:
    int FFd = -1;
    bool FGesperrt = false;
};

// The message of a second start on a folder that a running copy holds.
String Meldung_zweiter_Start(const String& ordner);
