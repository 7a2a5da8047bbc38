#include "Dateifehler.h"

#include <cerrno>
#include <cstring>

namespace {

// The system's texts of a cause, in the desktop's language (the view sets the locale) and in
// English, as the runtime writes them without one.
bool nennt(const String& text, int fehler, const char* englisch)
{
    return text.find(std::strerror(fehler)) != String::npos || text.find(englisch) != String::npos;
}

}  // namespace

String Grund_auf_Deutsch(const String& systemtext)
{
    if (nennt(systemtext, EROFS, "Read-only file system")) return "Der Programmordner ist schreibgeschützt.";
    if (nennt(systemtext, ENOSPC, "No space left on device") ||
        nennt(systemtext, EDQUOT, "Disk quota exceeded"))
        return "Der Datenträger ist voll.";
    if (nennt(systemtext, EACCES, "Permission denied") || nennt(systemtext, EPERM, "Operation not permitted"))
        return "Das Programm darf im Programmordner nicht schreiben.";
    if (nennt(systemtext, ENOMEM, "Cannot allocate memory")) return "Der Arbeitsspeicher reicht nicht aus.";
    return String();
}

String Dateifehler_Satz(const String& satz, const String& systemtext)
{
    const String grund = Grund_auf_Deutsch(systemtext);
    return satz + " " + (grund.empty() ? String("Ist der Datenträger voll oder schreibgeschützt?") : grund);
}

String Fehlerzeile(const String& kopf, const String& satz, const String& systemtext)
{
    const String grund = Grund_auf_Deutsch(systemtext);
    return kopf + (grund.empty() ? String() : grund + " ") + satz;
}

String Dateifehler_Text(const String& satz, const Exception& e)
{
    return Dateifehler_Satz(satz, e.Message()) + "\n\nMeldung des Systems: " + e.Message();
}
