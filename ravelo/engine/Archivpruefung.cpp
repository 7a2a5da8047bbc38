#include "Archivpruefung.h"

#include <algorithm>

#include "CDorovZahlen.h"
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

String Formatfehler_des_Archivs(std::string_view bytes, const String& datei)
{
    const String anfang =
        "Die Datei " + datei + " ist nicht im Format des Archivs (Text, eine Ziehung je Zeile): ";
    const auto nullbytes = static_cast<std::size_t>(std::count(bytes.begin(), bytes.end(), '\0'));
    const bool bom = bytes.size() >= 2 && ((bytes[0] == '\xff' && bytes[1] == '\xfe') ||
                                           (bytes[0] == '\xfe' && bytes[1] == '\xff'));
    // Digits and separators in UTF-16 carry a NUL byte each.
    if (bom || (nullbytes > 0 && nullbytes * 4 >= bytes.size()))
        return anfang + "sie ist als UTF-16 gespeichert.";
    if (nullbytes > 0) return anfang + "sie enthält Nullbytes, ist also keine Textdatei.";
    if (bytes.find('\n') == std::string_view::npos && std::count(bytes.begin(), bytes.end(), '\r') > 1)
        return anfang + "ihre Zeilen enden nur mit CR.";
    return String();
}

namespace {

using Zeilen = std::vector<std::string_view>;

Zeilen Zeilen_von(std::string_view text)
{
    Zeilen z;
    kern::fuer_jede_Zeile(text, std::string_view::npos, [&z](std::string_view zeile) {
        z.push_back(zeile);
        return true;
    });
    return z;
}

std::string_view ohne_Leer_am_Ende(std::string_view s)
{
    while (!s.empty() && (ist_Leer(s.back()) || s.back() == '\r')) s.remove_suffix(1);
    return s;
}

// What a draw line that is not whole lacks, as a sentence naming the line.
String Mangel(std::string_view zeile)
{
    const CDorovZahlen::TArchivzeile z = CDorovZahlen::lies_Zeile(zeile);
    int fehlende = 0;
    for (int s = 0; s < 6; ++s) fehlende += !z.vorhanden[s] || z.werte[s] == 0;
    const bool ohne_Zusatzzahl = !z.vorhanden[CDorovZahlen::SPALTE_ZUSATZZAHL];
    zeile = ohne_Leer_am_Ende(zeile);
    const String genannt = "„" + String(zeile.substr(0, 60)) + (zeile.size() > 60 ? "…" : "") + "“";
    if (fehlende == 0 && !ohne_Zusatzzahl)
        return genannt +
               " ist keine Ziehung der Form tt.mm.jj mit sechs Zahlen von 1 bis 49 und der Zusatzzahl.";
    String was = fehlende == 0   ? String()
                 : fehlende == 1 ? String("eine der sechs Zahlen")
                                 : IntToStr(fehlende) + " der sechs Zahlen";
    if (ohne_Zusatzzahl) was += was.empty() ? "die Zusatzzahl" : " und die Zusatzzahl";
    const bool mehrere = fehlende > 1 || (fehlende == 1 && ohne_Zusatzzahl);
    return "Der Ziehung " + genannt + (mehrere ? " fehlen " : " fehlt ") + was + ".";
}

// The archive's draws as the archive reader counts them; false (and why) when they cannot be
// counted: the file cannot be read, is not in the archive's format, or holds text but no line
// the reader takes for a draw.
bool zaehle_Archiv(const String& archivdatei, TArchivpruefung& p, std::vector<String>& zeilen)
{
    // Whatever stands in the archive's place is counted; only a missing archive holds no draws.
    if (!FileExists(archivdatei) && !DirectoryExists(archivdatei)) return true;
    const String name = ExtractFileName(archivdatei);
    String bytes;
    try {
        bytes = ReadFileBytes(archivdatei);
    } catch (const Exception&) {
        p.grund =
            "Das Archiv " + name + " kann nicht gelesen werden, seine Ziehungen lassen sich nicht zählen.";
        return false;
    }
    p.grund = Formatfehler_des_Archivs(bytes, name);
    if (!p.grund.empty()) return false;
    bool Ziehungszeile = false, Text = false;
    kern::fuer_jede_Zeile(bytes, std::string_view::npos, [&](std::string_view zeile) {
        const CDorovZahlen::TArchivzeile z = CDorovZahlen::lies_Zeile(zeile);
        Ziehungszeile |= z.beginnt_mit_Zahl;
        p.alt += z.ist_Ziehung;
        Text |= !ohne_Leer_am_Ende(zeile).empty();
        zeilen.emplace_back(ohne_Leer_am_Ende(zeile));
        return true;
    });
    if (Text && !Ziehungszeile) {
        p.grund = "Das Archiv " + name +
                  " enthält keine Zeile in der Form einer Ziehung (tt.mm.jj,Zahlen), seine Ziehungen lassen "
                  "sich nicht zählen.";
        return false;
    }
    return true;
}

TArchivpruefung pruefe(const Zeilen& neu, const String& archivdatei)
{
    TArchivpruefung p;
    int ganze = 0;
    const std::string_view* letzte = nullptr;
    for (const std::string_view& zeile : neu) {
        ganze += ist_Ziehungszeile(zeile);
        const CDorovZahlen::TArchivzeile z = CDorovZahlen::lies_Zeile(zeile);
        p.neu += z.ist_Ziehung;
        if (z.beginnt_mit_Zahl) letzte = &zeile;
    }
    if (ganze == 0) {
        p.urteil = TArchivurteil::ohne_Ziehungen;
        return p;
    }
    std::vector<String> alte;
    if (!zaehle_Archiv(archivdatei, p, alte)) {
        p.urteil = TArchivurteil::Archiv_unlesbar;
        return p;
    }
    // A cut transfer ends inside its last line; any other draw the archive lacks must be whole too.
    const std::string_view* halbe = letzte && !ist_Ziehungszeile(*letzte) ? letzte : nullptr;
    if (!halbe) {
        std::sort(alte.begin(), alte.end());
        for (const std::string_view& zeile : neu)
            if (CDorovZahlen::lies_Zeile(zeile).beginnt_mit_Zahl && !ist_Ziehungszeile(zeile) &&
                !std::binary_search(alte.begin(), alte.end(), ohne_Leer_am_Ende(zeile))) {
                halbe = &zeile;
                break;
            }
    }
    if (halbe) {
        p.urteil = TArchivurteil::unvollstaendig;
        p.zeile = String(*halbe);
        p.grund = Mangel(*halbe);
    } else if (p.neu < p.alt) {
        p.urteil = TArchivurteil::weniger_Ziehungen;
    }
    return p;
}

}  // namespace

TArchivpruefung pruefe_neues_Archiv(std::string_view text, const String& archivdatei)
{
    return pruefe(Zeilen_von(text), archivdatei);
}

TArchivpruefung pruefe_neues_Archiv(const TStrings& zeilen, const String& archivdatei)
{
    std::vector<String> kopie;  // the list hands out copies of its lines
    kopie.reserve(static_cast<std::size_t>(zeilen.Count()));
    for (int i = 0; i < zeilen.Count(); ++i) kopie.push_back(zeilen[i]);
    return pruefe(Zeilen(kopie.begin(), kopie.end()), archivdatei);
}

String Einwand(const TArchivpruefung& p, const String& quelle)
{
    switch (p.urteil) {
    case TArchivurteil::gut: break;
    case TArchivurteil::ohne_Ziehungen: return quelle + " enthält keine Lottozahlen.";
    case TArchivurteil::unvollstaendig: return quelle + " enthält eine unvollständige Ziehung: " + p.grund;
    case TArchivurteil::weniger_Ziehungen:
        return quelle + " enthält nur " + IntToStr(p.neu) + " Ziehungen, das Archiv aber " + IntToStr(p.alt) +
               ".";
    case TArchivurteil::Archiv_unlesbar: return p.grund;
    }
    return String();
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
    return Einwand(pruefe_neues_Archiv(bytes, archivdatei), "Die Datei auf dem Server");
}
