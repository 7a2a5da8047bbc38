#include "Einzelstart.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>

TOrdnersperre::TOrdnersperre(const String& ordner)
{
    // The folder's own descriptor: nothing is written into the user's folder, and programs the
    // copy starts do not inherit it.
    FFd = ::open(ordner.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (FFd < 0) return;  // a folder that cannot be opened is reported by the window
    if (::flock(FFd, LOCK_EX | LOCK_NB) != 0) {
        FGesperrt = errno == EWOULDBLOCK;
        ::close(FFd);
        FFd = -1;
    }
}

TOrdnersperre::~TOrdnersperre()
{
    if (FFd >= 0) ::close(FFd);
}

String Meldung_zweiter_Start(const String& ordner)
{
    String name = ordner;
    if (name.size() > 1 && name.back() == '/') name.pop_back();
    return "Quenzel 2009 läuft bereits mit dem Programmordner " + name +
           ".\nEin zweites Programm auf demselben Ordner wird nicht gestartet.";
}
