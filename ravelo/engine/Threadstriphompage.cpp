#include "Threadstriphompage.h"

#include <algorithm>

#include "Programmordner.h"
#include "Tippdateien.h"
#include "Updatefenster.h"
#include "rtl/Clock.h"
#include "rtl/Debug.h"
#include "rtl/Files.h"
#include "rtl/IniFiles.h"

namespace {

const char* const DATEI_UMGEBUNG = "environment.ini";
const char* const NICHT_GELADEN = "HTML nicht geladen!";

bool ist_Ziffer(char c) { return c >= '0' && c <= '9'; }

// The number of at most three digits at p (blanks before it skipped); -1 when there is none.
int lies_Feld(const String& s, std::size_t& p)
{
    while (p < s.size() && s[p] == ' ') ++p;
    int wert = -1;
    for (int n = 0; p < s.size() && ist_Ziffer(s[p]); ++p, ++n) {
        if (n == 3) return -1;
        wert = (wert < 0 ? 0 : wert * 10) + (s[p] - '0');
    }
    return wert;
}

int Index_der_letzten(const TStrings& zeilen, const char* marke)
{
    for (int i = zeilen.Count() - 1; i >= 0; --i)
        if (zeilen[i].find(marke) != String::npos) return i;
    return -1;
}

// A version notice: the first line with "</v3.3.7>" is not line 0, and it or a line before it
// holds "<v3.3.7>".
bool hat_Versionshinweis(const TStrings& zeilen)
{
    int ende = -1;
    for (int i = 0; i < zeilen.Count() && ende < 0; ++i)
        if (zeilen[i].find("</v3.3.7>") != String::npos) ende = i;
    if (ende <= 0) return false;
    for (int i = ende; i >= 0; --i)
        if (zeilen[i].find("<v3.3.7>") != String::npos) return true;
    return false;
}

// The lines strictly between the last "<zahlen>" line and the last "</zahlen>" line (a missing
// opening marker counts as line 0; a closing marker only on line 0 counts as none).
TStringList Ziehungsblock(const TStrings& zeilen)
{
    TStringList block;
    const int a = std::max(Index_der_letzten(zeilen, "<zahlen>"), 0);
    const int b = std::max(Index_der_letzten(zeilen, "</zahlen>"), 0);
    if (b == 0) return block;
    for (int i = a + 1; i < b; ++i) block.Add(zeilen[i]);
    return block;
}

bool hat_Ziehung(const TStrings& block)
{
    for (int i = 0; i < block.Count(); ++i)
        if (ist_Ziehungszeile(block[i])) return true;
    return false;
}

// The browser's page, when it has one that can be saved.
TIntfPtr<IPersistFile> Seite(IUpdateFenster& f)
{
    if (f.CppWebBrowser1(DISPID_BUSY).AsBool()) return nullptr;
    TIntfPtr<IInterface> dokument = f.CppWebBrowser1(DISPID_DOCUMENT).AsInterface();
    if (!dokument || f.CppWebBrowser1(DISPID_LOCATIONURL).AsString() == "about:blank") return nullptr;
    TIntfPtr<IHTMLDocument2> html = QueryIntf<IHTMLDocument2>(dokument);
    // Without a way to save it, 0.html would still hold an older page: that counts as no page.
    return html ? QueryIntf<IPersistFile>(html) : nullptr;
}

}  // namespace

bool ist_Ziehungszeile(const String& zeile)
{
    if (zeile.size() < 9) return false;
    for (std::size_t i : {0, 1, 3, 4, 6, 7})
        if (!ist_Ziffer(zeile[i])) return false;
    if (zeile[2] != '.' || zeile[5] != '.' || zeile[8] != ',') return false;
    const int tag = (zeile[0] - '0') * 10 + (zeile[1] - '0');
    const int monat = (zeile[3] - '0') * 10 + (zeile[4] - '0');
    if (tag < 1 || tag > 31 || monat < 1 || monat > 12) return false;
    std::size_t p = 8;
    for (int feld = 0; feld < 7; ++feld) {
        if (p >= zeile.size() || zeile[p] != ',') return false;
        ++p;
        const int zahl = lies_Feld(zeile, p);
        if (zahl > 49 || zahl < (feld < 6 ? 1 : 0)) return false;
        while (p < zeile.size() && zeile[p] == ' ') ++p;
        if (feld < 6 && p >= zeile.size()) return false;
    }
    return p == zeile.size() || zeile[p] == ',';
}

ThreadStripHompage::ThreadStripHompage(bool CreateSuspended) : ThreadStripHompage(CreateSuspended, nullptr) {}

ThreadStripHompage::ThreadStripHompage(bool CreateSuspended, IUpdateFenster* fenster)
    : TArbeitsThread("ThreadStripHompage"), FFenster(fenster)
{
    starte_wenn_verlangt(CreateSuspended);
}

ThreadStripHompage::~ThreadStripHompage() { warte_auf_Ende(); }

void ThreadStripHompage::Execute()
{
    b_laeuft = true;
    melde_gestartet();
    IUpdateFenster* f = FFenster ? FFenster : UpdateFenster();
    if (!f) {
        FErgebnis = TSeitenschnitt::nicht_geladen;
        b_laeuft = false;
        return;
    }
    Sleep(1000);
    FErgebnis = schneiden(*f);
    b_laeuft = false;
}

TSeitenschnitt ThreadStripHompage::schneiden(IUpdateFenster& f)
{
    // Each file is replaced atomically, so a failed write leaves the old one whole.
    String datei = DATEI_SEITE;
    try {
        TIntfPtr<IPersistFile> seite = Seite(f);
        if (!seite) {
            f.Label1(NICHT_GELADEN);
            return TSeitenschnitt::nicht_geladen;
        }
        const String seitenpfad = ProgrammDatei(DATEI_SEITE);
        seite->Save(seitenpfad, true);

        TStringList zeilen;
        zeilen.LoadFromFile(seitenpfad);
        const TStringList block = Ziehungsblock(zeilen);

        datei = DATEI_UMGEBUNG;
        if (hat_Versionshinweis(zeilen))
            TIniFile(ProgrammDatei(DATEI_UMGEBUNG)).WriteString("Allgemein", "Update", "true");

        if (!hat_Ziehung(block)) {
            const String text = "ERROR : Keine Lottozahlen in der Seite gefunden!";
            f.Label1(text);
            OutputDebugStringA(text);
            return TSeitenschnitt::ohne_Ziehungen;
        }
        datei = DATEI_DOROV_ZAHLEN;
        block.SaveToFile(ProgrammDatei(DATEI_DOROV_ZAHLEN));
        return TSeitenschnitt::aktualisiert;
    } catch (const Exception& e) {
        const String text = "ERROR : " + datei + " konnte nicht gespeichert werden!";
        f.Label1(text);
        OutputDebugStringA(text + " " + e.Message());
        return TSeitenschnitt::Schreibfehler;
    }
}
