#include "Threadstriphompage.h"

#include <algorithm>

#include "Archivpruefung.h"
#include "Dateifehler.h"
#include "Programmordner.h"
#include "Tippdateien.h"
#include "Updatefenster.h"
#include "rtl/Clock.h"
#include "rtl/Debug.h"
#include "rtl/Files.h"
#include "rtl/IniFiles.h"

namespace {

const char* const NICHT_GELADEN = "HTML nicht geladen!";

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

// The status line's text of a refused block.
String Label1_Text(const TArchivpruefung& p)
{
    switch (p.urteil) {
    case TArchivurteil::ohne_Ziehungen: return "ERROR : Keine Lottozahlen in der Seite gefunden!";
    case TArchivurteil::weniger_Ziehungen:
        return "ERROR : Die Seite enthält nur " + IntToStr(p.neu) + " Ziehungen, das Archiv " +
               IntToStr(p.alt) + ": dorov_zahlen.txt bleibt unverändert!";
    default: return "ERROR : " + Einwand(p, "Die Seite") + " dorov_zahlen.txt bleibt unverändert!";
    }
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

TStringList Ziehungsblock(const TStrings& zeilen)
{
    TStringList block;
    const int a = std::max(Index_der_letzten(zeilen, "<zahlen>"), 0);
    const int b = std::max(Index_der_letzten(zeilen, "</zahlen>"), 0);
    if (b == 0) return block;
    for (int i = a + 1; i < b; ++i) block.Add(zeilen[i]);
    return block;
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

String ThreadStripHompage::Begruendung() const
{
    switch (FErgebnis.load()) {
    case TSeitenschnitt::aktualisiert: return String();
    case TSeitenschnitt::offen: return "Die Ergebnisseite wurde nicht rechtzeitig verarbeitet.";
    case TSeitenschnitt::nicht_geladen: return "Die Ergebnisseite konnte nicht geladen werden.";
    case TSeitenschnitt::zu_gross: {
        constexpr std::size_t MB = 1024 * 1024;
        const String grenze = FGrenze % MB == 0 ? IntToStr(static_cast<long long>(FGrenze / MB)) + " MB"
                                                : IntToStr(static_cast<long long>(FGrenze)) + " Bytes";
        return "Die Ergebnisseite ist zu groß (mehr als " + grenze + ") und wurde nicht geladen.";
    }
    case TSeitenschnitt::abgelehnt: return Einwand(FPruefung, "Die Ergebnisseite");
    case TSeitenschnitt::Schreibfehler: return FSchreibfehler;
    }
    return String();
}

TSeitenschnitt ThreadStripHompage::schneiden(IUpdateFenster& f)
{
    // Each file is replaced atomically, so a failed write leaves the old one whole.
    String datei = DATEI_SEITE;
    try {
        TIntfPtr<IPersistFile> seite = Seite(f);
        if (!seite) {
            f.Label1(NICHT_GELADEN);
            FGrenze = f.CppWebBrowser1_zu_gross();
            return FGrenze > 0 ? TSeitenschnitt::zu_gross : TSeitenschnitt::nicht_geladen;
        }
        const String seitenpfad = ProgrammDatei(DATEI_SEITE);
        seite->Save(seitenpfad, true);

        TStringList zeilen;
        zeilen.LoadFromFile(seitenpfad);
        const TStringList block = Ziehungsblock(zeilen);

        datei = DATEI_UMGEBUNG;
        if (hat_Versionshinweis(zeilen))
            TIniFile(ProgrammDatei(DATEI_UMGEBUNG)).WriteString("Allgemein", "Update", "true");

        datei = DATEI_DOROV_ZAHLEN;
        const TArchivpruefung pruefung = FPruefung = pruefe_neues_Archiv(block, ProgrammDatei(datei));
        if (pruefung.urteil != TArchivurteil::gut) {
            const String text = Label1_Text(pruefung);
            f.Label1(text);
            OutputDebugStringA(text);
            return TSeitenschnitt::abgelehnt;
        }
        block.SaveToFile(ProgrammDatei(DATEI_DOROV_ZAHLEN));
        return TSeitenschnitt::aktualisiert;
    } catch (const Exception& e) {
        // The box says why in German; the system's own text goes to the trace.
        FSchreibfehler = Dateifehler_Satz(datei + " konnte nicht gespeichert werden.", e.Message());
        const String text = "ERROR : " + datei + " konnte nicht gespeichert werden!";
        f.Label1(text);
        OutputDebugStringA(text + " " + e.Message());
        return TSeitenschnitt::Schreibfehler;
    }
}
