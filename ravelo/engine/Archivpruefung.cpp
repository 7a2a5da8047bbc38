#include "Archivpruefung.h"

#include "Kernhilfen.h"
#include "rtl/Files.h"

namespace {

bool ist_Ziffer(char c) { return c >= '0' && c <= '9'; }
bool ist_Leer(char c) { return c == ' ' || c == '\t'; }

void ueberspringe_Leer(std::string_view s, std::size_t& p)
{
    while (p < s.size() && ist_Leer(s[p])) ++p;
}

// The number of one to three digits at p; -1 when there is none or it is longer.
int lies_Feld(std::string_view s, std::size_t& p)
{
    int wert = -1;
    for (int n = 0; p < s.size() && ist_Ziffer(s[p]); ++p, ++n) {
        if (n == 3) return -1;
        wert = (wert < 0 ? 0 : wert * 10) + (s[p] - '0');
    }
    return wert;
}

}  // namespace

bool ist_Ziehungszeile(std::string_view zeile)
{
    std::size_t p = 0;
    ueberspringe_Leer(zeile, p);
    zeile.remove_prefix(p);
    if (zeile.size() < 9) return false;
    for (std::size_t i : {0, 1, 3, 4, 6, 7})
        if (!ist_Ziffer(zeile[i])) return false;
    if (zeile[2] != '.' || zeile[5] != '.' || zeile[8] != ',') return false;
    const int tag = (zeile[0] - '0') * 10 + (zeile[1] - '0');
    const int monat = (zeile[3] - '0') * 10 + (zeile[4] - '0');
    if (tag < 1 || tag > 31 || monat < 1 || monat > 12) return false;
    p = 8;
    for (int feld = 0; feld < 7; ++feld) {
        if (p >= zeile.size() || zeile[p] != ',') return false;
        ++p;
        ueberspringe_Leer(zeile, p);
        const int zahl = lies_Feld(zeile, p);
        if (zahl > 49 || zahl < (feld < 6 ? 1 : 0)) return false;
        if (feld < 6) ueberspringe_Leer(zeile, p);
    }
    return true;
}

int Anzahl_Ziehungen(std::string_view text)
{
    int n = 0;
    kern::fuer_jede_Zeile(text, std::string_view::npos, [&n](std::string_view zeile) {
        n += ist_Ziehungszeile(zeile);
        return true;
    });
    return n;
}

int Anzahl_Ziehungen(const TStrings& zeilen)
{
    int n = 0;
    for (int i = 0; i < zeilen.Count(); ++i) n += ist_Ziehungszeile(zeilen[i]);
    return n;
}

TArchivpruefung pruefe_neues_Archiv(int neue_Ziehungen, const String& archivdatei)
{
    TArchivpruefung p;
    p.neu = neue_Ziehungen;
    try {
        if (FileExists(archivdatei)) p.alt = Anzahl_Ziehungen(ReadFileBytes(archivdatei));
    } catch (const Exception&) {
        p.alt = 0;
    }
    if (p.neu == 0)
        p.urteil = TArchivurteil::ohne_Ziehungen;
    else if (p.neu < p.alt)
        p.urteil = TArchivurteil::weniger_Ziehungen;
    return p;
}

bool ist_ganz_uebertragen(std::int64_t groesse, std::string_view bytes)
{
    if (groesse < 0) return true;
    const auto n = static_cast<std::int64_t>(bytes.size());
    if (n == groesse) return true;
    std::int64_t zeilenenden = 0;
    for (char c : bytes) zeilenenden += c == '\n';
    // Every line end was CR LF on the server, and arrived as LF.
    return n + zeilenenden == groesse;
}

String Einwand_gegen_Download(std::int64_t groesse, std::string_view bytes, const String& archivdatei)
{
    if (!ist_ganz_uebertragen(groesse, bytes))
        return "Die Übertragung ist abgebrochen: " + IntToStr(static_cast<long long>(bytes.size())) +
               " von " + IntToStr(static_cast<long long>(groesse)) + " Bytes sind angekommen.";
    const TArchivpruefung p = pruefe_neues_Archiv(Anzahl_Ziehungen(bytes), archivdatei);
    switch (p.urteil) {
    case TArchivurteil::ohne_Ziehungen: return "Die Datei auf dem Server enthält keine Lottozahlen.";
    case TArchivurteil::weniger_Ziehungen:
        return "Die Datei auf dem Server enthält nur " + IntToStr(p.neu) + " Ziehungen, das Archiv aber " +
               IntToStr(p.alt) + ".";
    case TArchivurteil::gut: break;
    }
    return String();
}
