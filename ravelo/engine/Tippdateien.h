#pragma once
// The run key (Tippschluessel) and the names of every file that passes data between the steps.
// All of these files live in the program folder.
#include "rtl/SysUtils.h"

// A run key that cannot name a file (it lacks its final "*"), or a template without its "*".
class ETippschluessel : public Exception {
public:
    using Exception::Exception;
};

// A step file of one run: a template ending in "*" and the extension that replaces the key's "*".
struct Tippdatei {
    const char* vorlage;
    const char* endung;
};

inline constexpr Tippdatei DATEI_VORSCHLAG{"Schritt2_Vorschlag_*", ".txt"};
inline constexpr Tippdatei DATEI_ERSETZT{"Schritt2_ersetzt_*", ".cvs"};
inline constexpr Tippdatei DATEI_ERSETZT_GELOESCHT{"Schritt3_ersetzt_geloescht_*", ".cvs"};
inline constexpr Tippdatei DATEI_KRITERIENPUNKTE{"Schritt5_kriterienpunkte_*", ".txt"};
inline constexpr Tippdatei DATEI_KRITERIENPUNKTE_SORTIERT{"Schritt5_kriterienpunkte_sortiert*", ".txt"};
inline constexpr Tippdatei DATEI_AUSGEWAEHLT{"Schritt5_kriterienpunkte_sortiert_ausgewählt_*", ".txt"};

// Files of fixed name.
inline constexpr const char* DATEI_HISTORY = "history.txt";
inline constexpr const char* DATEI_STATISTIK_SCHRITT3 = "Statistik_Schritt3_komplett.txt";
inline constexpr const char* DATEI_ZWISCHENABLAGE = "Zahlen_aus_der_Zwischenablage.txt";
inline constexpr const char* DATEI_ZWILLINGE_GEGLIEDERT =
    "statistik_wann_wiederholen_sich_die_zwillinge_gegliedert.txt";
inline constexpr const char* DATEI_ZWILLINGE = "statistik_wann_wiederholen_sich_die_zwillinge.txt";
inline constexpr const char* DATEI_ZWILLINGE_PROZENT =
    "statistik_wann_wiederholen_sich_die_zwillinge_in_prozent.txt";
inline constexpr const char* DATEI_DOROV_ZAHLEN = "dorov_zahlen.txt";
inline constexpr const char* DATEI_SEITE = "0.html";
inline constexpr const char* DATEI_DUMMY = "Dummy.txt";
// The user's favourite tips (one "k.n1, n2, n3, n4, n5, n6 -0 0" a line, only ever appended to).
inline constexpr const char* DATEI_FAVORITEN = "meineFavoritten.txt";
// The settings file; its [Favoritten] section lies in the one of the Windows-directory stand-in.
inline constexpr const char* DATEI_UMGEBUNG = "environment.ini";
// The enabled states recorded by the grey-out around a long job.
inline constexpr const char* DATEI_GRAU = "grau.ini";
// The profile names in the order of use; each profile's settings lie in "<name>.ini".
inline constexpr const char* DATEI_PROFILE = "profile.txt";
inline constexpr const char* PROFIL_ENDUNG = ".ini";
// A copy of the statistics grid.
inline constexpr const char* DATEI_STATISTIK = "Statistik.txt";
// The tip list as it goes to the printer.
inline constexpr const char* DATEI_AUSDRUCK = "ausdruck.txt";
inline constexpr const char* DATEI_NEWS = "news.txt";
inline constexpr const char* DATEI_HILFE = "help\\Quenzel_2009.chm";
inline constexpr const char* DATEI_ANIMATION_LAUF = "avi\\rad123.avi";
inline constexpr const char* DATEI_ANIMATION_DOWNLOAD = "avi\\serverdownload.avi";
// The placeholder draw line the comparison writes to Dummy.txt.
inline constexpr const char* DUMMY_ZEILE = "03.03.33, 0,0,0,0,0,0, 0";

// True for the name (ignoring case, as the file system finds files) of one of the program's own
// files of fixed name in the program folder.
bool ist_Programmdatei(const String& name);

// The run key: date dd-mm-yyyy, "-aus", pool size, "_Index-", run index, "*".
String Tippschluessel(const String& datum, int anzahl, int index);
// Whether text is a whole run key of that form (a line of history.txt cut short is not).
bool ist_Tippschluessel(const String& text);

// The file-name rule: the key (ending in "*") replaces the template's final "*", then the key's
// "*" is replaced by the extension. Raises ETippschluessel when the key or the template does
// not end in "*".
String Dateiname(const String& vorlage, const String& schluessel, const String& endung);
String Dateiname(const Tippdatei& datei, const String& schluessel);
// The same file with the program folder in front.
String Dateipfad(const Tippdatei& datei, const String& schluessel);
