// The main window: toolbar, printing, dialogs, the draw update by web page and by FTP.
#include "Unit1.h"

#include "Unit1_intern.h"

#include <cstdlib>

#include "Archivpruefung.h"
#include "Dateifehler.h"
#include "Tippdateien.h"
#include "Unit5.h"
#include "Unit7.h"
#include "Update_zahlen.h"
#include "rtl/Clock.h"
#include "rtl/Debug.h"
#include "rtl/ScopeGuard.h"
#include "zub/ShellApi.h"

using namespace unit1;

namespace {

// The maker's addresses; the program ships without a public server.
const char* const HOMEPAGE = "http://localhost/";
const char* const DOWNLOADSEITE = "http://localhost/download/index.php";
const char* const SUPPORT_MAIL =
    "mailto:support@example.com?subject=Anfrage zu Quenzel 2009 v3.3.7 &body=Hallo,%0AGruß";
const char* const VERSION_ANFANG = "<v3.3.7>";
const char* const VERSION_ENDE = "</v3.3.7>";

String Einstellung(const char* name, const char* vorgabe)
{
    const char* wert = std::getenv(name);
    return wert && *wert ? String(wert) : String(vorgabe);
}

// Picture buttons of the toolbar: base name of their pictures gifs\B.gif, B_h.gif, B_d.gif.
struct Werkzeug {
    TImage* TForm1::*bild;
    int TForm1::*zaehler;
    const char* stamm;
    const char* frage;  // hover text on move
    const char* frage_up;  // hover text on mouse up
    const char* klick;  // text while the action runs
};

enum WerkzeugNr {
    W_SPEICHERN,
    W_PROFIL_LOESCHEN,
    W_HISTORY,
    W_MAIL,
    W_HILFE,
    W_DRUCKEN,
    W_HOMEPAGE,
    W_EINGEBEN,
    W_UPDATE,
    W_AUF,
    W_AB,
    W_FAVORITEN
};

const Werkzeug WERKZEUGE[] = {
    {&TForm1::Image13, &TForm1::zaehler_Image13, "save24", "Profil speichern?", "Profil speichern?", nullptr},
    {&TForm1::Image14, &TForm1::zaehler_Image14, "delete_x24", "Profil löschen?", "Profil löschen", nullptr},
    {&TForm1::Image15, &TForm1::zaehler_Image15, "delete_x24", "History löschen?", "History löschen",
     "History wird gelöscht!"},
    {&TForm1::Image17, &TForm1::zaehler_Image17, "mail24", "Support kontaktieren?", "Support kontaktieren?",
     "Support kontaktieren?"},
    {&TForm1::Image18, &TForm1::zaehler_Image18, "help24", "Hilfe anzeigen?", "Hilfe anzeigen?",
     "Hilfe anzeigen?"},
    {&TForm1::Image19, &TForm1::zaehler_Image19, "print24", "Getippte Lottozahlen drucken?",
     "Getippte Lottozahlen drucken?", "Getippte Lottozahlen drucken?"},
    {&TForm1::Image20, &TForm1::zaehler_Image20, "web_download24", "Unser Homepage besuchen?",
     "Unser Homepage besuchen?", "Unser Hompage besuchen?"},
    {&TForm1::Image23, &TForm1::zaehler_Image23, "edit_table_structure24", "Lottozahlen eintragen?",
     "Lottozahlen eintragen?", "Zahlen eintragen?"},
    {&TForm1::Image24, &TForm1::zaehler_Image24, "web_search24",
     "Lottozahlen aus dem Internet aktualisieren?", "Lottozahlen aus dem Internet aktualisieren?",
     "Zahlen aus dem Internet aktualisieren?"},
    {&TForm1::Image26, &TForm1::zaehler_Image26, "up_blue24", "Aufwärts sortieren?", "Aufwärts sortieren?",
     "Aufwärts sortieren!"},
    {&TForm1::Image27, &TForm1::zaehler_Image27, "down_blue24", "Abwärts sortieren?", "Abwärts sortieren?",
     "Abwärts sortieren!"},
    {&TForm1::Image28, &TForm1::zaehler_Image28, "favorites24", "Favoritten eingeben?",
     "Favoritten eingeben?", "Favoritten eingeben"},
};

String Werkzeugbild(const Werkzeug& w, const char* variante)
{
    return String("gifs\\") + w.stamm + variante + ".gif";
}

// The picture and text change once per visit, not on every mouse move.
void Werkzeug_bewegt(TForm1& f, WerkzeugNr nr, bool up)
{
    const Werkzeug& w = WERKZEUGE[nr];
    if (++(f.*w.zaehler) != 1) return;
    Hinweis(f, up ? w.frage_up : w.frage);
    zeige_Bild(f, f.*w.bild, Werkzeugbild(w, "_h"));
}

void Werkzeug_verlassen(TForm1& f, WerkzeugNr nr)
{
    const Werkzeug& w = WERKZEUGE[nr];
    if (!(f.*w.bild)->Enabled()) return;
    Hinweis(f, BESCHREIBUNG);
    zeige_Bild(f, f.*w.bild, Werkzeugbild(w, ""));
    f.*w.zaehler = 0;
}

// Busy picture and click text around the action; the normal picture comes back whatever the
// action does.
template <class Aktion>
void Werkzeug_klick(TForm1& f, WerkzeugNr nr, Aktion aktion)
{
    const Werkzeug& w = WERKZEUGE[nr];
    zeige_Bild(f, f.*w.bild, Werkzeugbild(w, "_d"));
    f.Label1->SetCaption(w.klick);
    Nachrichten_verarbeiten();
    TScopeGuard ende([&] {
        zeige_Bild(f, f.*w.bild, Werkzeugbild(w, ""));
        f.*w.zaehler = 0;
    });
    aktion();
}

void Shell_klick(TForm1& f, WerkzeugNr nr, TComponent* besitzer, const char* ziel, int anzeige)
{
    Werkzeug_klick(f, nr, [&] {
        ShellExecute(besitzer, "open", ziel, "", "", anzeige);
        Sleep(500);
    });
}

// A job around which the window is greyed out; the window comes back whatever the job does.
template <class Aktion>
void grau_um(TForm1& f, Aktion aktion)
{
    f.grau_schalten();
    TScopeGuard zurueck([&] { Fenster_zurueck(f); });
    aktion();
}

}  // namespace

void TForm1::Hist_loesch_move(TObject*, TShiftState, int, int) { Werkzeug_bewegt(*this, W_HISTORY, false); }
void TForm1::Profil_loesch_move(TObject*, TShiftState, int, int)
{
    Werkzeug_bewegt(*this, W_PROFIL_LOESCHEN, false);
}
void TForm1::Help_move(TObject*, TShiftState, int, int) { Werkzeug_bewegt(*this, W_HILFE, false); }
void TForm1::mail_move(TObject*, TShiftState, int, int) { Werkzeug_bewegt(*this, W_MAIL, false); }
void TForm1::Homepage_move(TObject*, TShiftState, int, int) { Werkzeug_bewegt(*this, W_HOMEPAGE, false); }
void TForm1::update_move(TObject*, TShiftState, int, int) { Werkzeug_bewegt(*this, W_UPDATE, false); }
void TForm1::archiv_move(TObject*, TShiftState, int, int) { Werkzeug_bewegt(*this, W_EINGEBEN, false); }
void TForm1::save_profil_move(TObject*, TShiftState, int, int) { Werkzeug_bewegt(*this, W_SPEICHERN, false); }
void TForm1::Print_move(TObject*, TShiftState, int, int) { Werkzeug_bewegt(*this, W_DRUCKEN, false); }
void TForm1::up_move(TObject*, TShiftState, int, int) { Werkzeug_bewegt(*this, W_AUF, false); }
void TForm1::down_move(TObject*, TShiftState, int, int) { Werkzeug_bewegt(*this, W_AB, false); }
void TForm1::favorites_move(TObject*, TShiftState, int, int) { Werkzeug_bewegt(*this, W_FAVORITEN, false); }
void TForm1::Hist_loesch_Up(TObject*, TMouseButton, TShiftState, int, int)
{
    Werkzeug_bewegt(*this, W_HISTORY, true);
}
void TForm1::Profil_loesch_Up(TObject*, TMouseButton, TShiftState, int, int)
{
    Werkzeug_bewegt(*this, W_PROFIL_LOESCHEN, true);
}
void TForm1::Help_Up(TObject*, TMouseButton, TShiftState, int, int) { Werkzeug_bewegt(*this, W_HILFE, true); }
void TForm1::mail_Up(TObject*, TMouseButton, TShiftState, int, int) { Werkzeug_bewegt(*this, W_MAIL, true); }
void TForm1::Hompage_Up(TObject*, TMouseButton, TShiftState, int, int)
{
    Werkzeug_bewegt(*this, W_HOMEPAGE, true);
}
void TForm1::update_Up(TObject*, TMouseButton, TShiftState, int, int)
{
    Werkzeug_bewegt(*this, W_UPDATE, true);
}
void TForm1::archiv_Up(TObject*, TMouseButton, TShiftState, int, int)
{
    Werkzeug_bewegt(*this, W_EINGEBEN, true);
}
void TForm1::save_profil_Up(TObject*, TMouseButton, TShiftState, int, int)
{
    Werkzeug_bewegt(*this, W_SPEICHERN, true);
}
void TForm1::Print_Up(TObject*, TMouseButton, TShiftState, int, int)
{
    Werkzeug_bewegt(*this, W_DRUCKEN, true);
}
void TForm1::up_up(TObject*, TMouseButton, TShiftState, int, int) { Werkzeug_bewegt(*this, W_AUF, true); }
void TForm1::down_up(TObject*, TMouseButton, TShiftState, int, int) { Werkzeug_bewegt(*this, W_AB, true); }
void TForm1::favorites_up(TObject*, TMouseButton, TShiftState, int, int)
{
    Werkzeug_bewegt(*this, W_FAVORITEN, true);
}
void TForm1::Hist_loesch_leave(TObject*) { Werkzeug_verlassen(*this, W_HISTORY); }
void TForm1::Profil_loesch_leave(TObject*) { Werkzeug_verlassen(*this, W_PROFIL_LOESCHEN); }
void TForm1::Help_leave(TObject*) { Werkzeug_verlassen(*this, W_HILFE); }
void TForm1::mail_leave(TObject*) { Werkzeug_verlassen(*this, W_MAIL); }
void TForm1::Hompage_leave(TObject*) { Werkzeug_verlassen(*this, W_HOMEPAGE); }
void TForm1::update_leave(TObject*) { Werkzeug_verlassen(*this, W_UPDATE); }
void TForm1::archiv_leave(TObject*) { Werkzeug_verlassen(*this, W_EINGEBEN); }
void TForm1::save_profil_leave(TObject*) { Werkzeug_verlassen(*this, W_SPEICHERN); }
void TForm1::Print_leave(TObject*) { Werkzeug_verlassen(*this, W_DRUCKEN); }
void TForm1::up_leave(TObject*) { Werkzeug_verlassen(*this, W_AUF); }
void TForm1::down_leave(TObject*) { Werkzeug_verlassen(*this, W_AB); }
void TForm1::favorites_leave(TObject*) { Werkzeug_verlassen(*this, W_FAVORITEN); }

void TForm1::Image11Click(TObject*) { ShellExecute(this, "open", HOMEPAGE, "", "", SW_SHOWDEFAULT); }
void TForm1::Image20Click(TObject*) { Shell_klick(*this, W_HOMEPAGE, this, HOMEPAGE, SW_SHOWDEFAULT); }
void TForm1::Image17Click(TObject*) { Shell_klick(*this, W_MAIL, nullptr, SUPPORT_MAIL, SW_SHOW); }
void TForm1::Image18Click(TObject*) { Shell_klick(*this, W_HILFE, this, DATEI_HILFE, SW_SHOWNORMAL); }

void TForm1::Image19Click(TObject*)
{
    Werkzeug_klick(*this, W_DRUCKEN, [this] {
        grau_um(*this, [this] {
            const String datei = programm_ordner + DATEI_AUSDRUCK;
            ListBox1->Items()->SaveToFile(datei);
            RichEdit1->Lines()->LoadFromFile(datei);
            if (PrintDialog1->Execute()) RichEdit1->Print(Caption());
        });
    });
}

void TForm1::Image23Click(TObject*)
{
    Label1->SetCaption("Zahlen eintragen?");
    Nachrichten_verarbeiten();
    grau_um(*this, [this] {
        auto dialog = std::make_unique<TForm5>(Application);
        if (RadioGroup1->ItemIndex() == 0) dialog->Label9->SetCaption("49: Geben Sie bitte Ihre Zahlen ein.");
        if (RadioGroup1->ItemIndex() == 1) dialog->Label9->SetCaption("45: Geben Sie bitte Ihre Zahlen ein.");
        dialog->DateTimePicker1->SetDateTime(Now());
        dialog->ShowModal();
    });
    zaehler_Image23 = 0;
}

void TForm1::Image28Click(TObject*)
{
    Werkzeug_klick(*this, W_FAVORITEN, [this] {
        grau_um(*this, [] {
            auto dialog = std::make_unique<TForm7>(Application);
            dialog->ShowModal();
        });
    });
}

void TForm1::Image26Click(TObject*)
{
    Werkzeug_klick(*this, W_AUF, [this] { Statistik_sortieren(*this, true); });
}

void TForm1::Image27Click(TObject*)
{
    Werkzeug_klick(*this, W_AB, [this] { Statistik_sortieren(*this, false); });
}

namespace {

// What a failed FTP update tells the user: what went wrong in the user's words; the client's own
// text (host, reply, library detail) goes to the debug trace.
String Ftp_Grund(const EIdException& e, bool verbunden, const String& host)
{
    OutputDebugStringA("ftp_holen: " + e.Message());
    const String datei = DATEI_DOROV_ZAHLEN;
    if (auto* abgelehnt = dynamic_cast<const EIdReplyRFCError*>(&e)) {
        if (!verbunden)
            return abgelehnt->ErrorCode == 530 ? "Der FTP-Server hat die Anmeldung abgelehnt."
                                               : "Der FTP-Server hat die Verbindung abgelehnt.";
        return abgelehnt->ErrorCode == 550
                   ? "Die Datei " + datei + " gibt es auf dem FTP-Server nicht."
                   : "Der FTP-Server hat die Übertragung von " + datei + " abgelehnt.";
    }
    if (dynamic_cast<const EIdSocketError*>(&e))
        return verbunden ? "Die Verbindung zum FTP-Server ist während der Übertragung abgebrochen."
                         : "Der FTP-Server " + host +
                               " ist nicht erreichbar. Bitte prüfen Sie die Internetverbindung.";
    return "Die Übertragung vom FTP-Server ist fehlgeschlagen.";
}

}  // namespace

bool TForm1::ftp_holen()
{
    bool verbunden = false;
    String grund;
    try {
        const String port = Einstellung("RAVELO_FTP_PORT", "21");
        const int nummer = StrToIntDef(port, 0);
        if (nummer < 1 || nummer > 65535)
            throw EConvertError("RAVELO_FTP_PORT ist keine Portnummer: \"" + port + "\"");
        IdFTP1->Host = Einstellung("RAVELO_FTP_HOST", "localhost");
        IdFTP1->Username = Einstellung("RAVELO_FTP_USER", "vov8eva");
        IdFTP1->Password = Einstellung("RAVELO_FTP_PASSWORD", "vov8eva");
        IdFTP1->Passive = false;
        IdFTP1->Port = nummer;
        IdFTP1->TransferType = ftASCII;
        IdFTP1->Connect();
        verbunden = true;
        // The archive is the user's: only a whole transfer holding at least as many draws
        // replaces it.
        const std::int64_t groesse = IdFTP1->Size(DATEI_DOROV_ZAHLEN);
        String archiv;
        IdFTP1->Get(DATEI_DOROV_ZAHLEN, archiv);
        const String einwand = Einwand_gegen_Download(groesse, archiv, programm_ordner + DATEI_DOROV_ZAHLEN);
        if (!einwand.empty()) throw Exception(einwand);
        try {
            AtomicWriteFile(programm_ordner + DATEI_DOROV_ZAHLEN, archiv);
        } catch (const Exception& e) {
            throw Exception(
                Dateifehler_Text(String(DATEI_DOROV_ZAHLEN) + " kann nicht gespeichert werden!", e));
        }
    } catch (const EIdException& e) {
        grund = Ftp_Grund(e, verbunden, IdFTP1->Host);
    } catch (const Exception& e) {
        grund = e.Message();  // the program's own words: the port setting, a refused download
    }
    if (!grund.empty()) {
        IdFTP1->Disconnect();
        MessageBox("Die Lottozahlen konnten nicht heruntergeladen werden. " + String(DATEI_DOROV_ZAHLEN) +
                       " bleibt unverändert.\n" + grund,
                   "Info", MB_OK | MB_ICONERROR);
        return false;
    }
    // Nothing in the program reads the news: without them the update has still succeeded.
    try {
        IdFTP1->Get(DATEI_NEWS, programm_ordner + DATEI_NEWS, true, false);
    } catch (const Exception& e) {
        OutputDebugStringA("ftp_holen: " + e.Message());
    }
    IdFTP1->Disconnect();
    return true;
}

bool TForm1::version_pruefen()
{
    lese_Umgebung();
    if (!update_hinweis) return true;
    TStringList seite;
    try {
        seite.LoadFromFile(programm_ordner + DATEI_SEITE);
    } catch (const Exception& e) {
        OutputDebugStringA("version_pruefen: " + e.Message());
        return false;
    }
    int anfang = 0, ende = 0;
    for (int i = 0; i < seite.Count(); ++i) {
        if (Pos(VERSION_ANFANG, seite[i]) > 0) anfang = i;
        if (Pos(VERSION_ENDE, seite[i]) > 0) {
            ende = i;
            break;
        }
    }
    String hinweis;
    for (int i = anfang + 1; i < ende; ++i) hinweis += seite[i];
    if (MessageDlg(hinweis, mtConfirmation, mbYes | mbNo) == mrYes)
        ShellExecute(this, "open", DOWNLOADSEITE, "", "", SW_SHOWDEFAULT);
    update_hinweis = false;
    schreibe_Umgebung();
    return true;
}

// ---- end of grids, history box and toolbar -----------------------------------------------
void TForm1::Update1Click(TObject*) { starte_Update(false); }

void TForm1::starte_Update(bool mit_Animation)
{
    // The tray entry loads the page as the update button does: without a fresh page the job
    // would only cut whatever the browser held before.
    CppWebBrowser1->Navigate(Ergebnisseite_URL());
    Sleep(100);
    t_Update = std::make_unique<Update_Zahlen>(true);
    if (mit_Animation) {
        Animate2->SetVisible(true);
        Animate2->Play(1, Animate2->FrameCount(), 0);
    }
    t_Update->Resume();
    Sleep(mit_Animation ? 10 : 1);
    // A job that has not yet raised its running flag (a busy machine) is polled too: waiting for
    // it without messages would freeze the window for the whole update.
    for (int i = 1; (t_Update->laeuft() || !t_Update->Finished()) && i < 400; ++i) {
        Sleep(100);
        OutputDebugStringA("Warte auf Update_Zahlen .....");
        Nachrichten_verarbeiten();
    }
    t_Update->WaitFor();
    t_Update->Terminate();
    if (mit_Animation) {
        Animate2->Stop();
        Animate2->SetVisible(false);
    }
    t_Update->OnTerminate = [this](TObject* Sender) { threads_beenden(Sender); };
    // Label1 is the hover line and does not keep the job's text: a failed update says so as the
    // FTP route does.
    const String grund = t_Update->Fehlermeldung();
    if (!grund.empty())
        MessageBox("Die Lottozahlen konnten nicht aktualisiert werden. " + String(DATEI_DOROV_ZAHLEN) +
                       " bleibt unverändert.\n" + grund,
                   "Info", MB_OK | MB_ICONERROR);
}

void TForm1::Image24Click(TObject*)
{
    if (grau_aktiv) return;  // the window is greyed out for another job
    zeige_Bild(*this, Image24, "gifs\\web_search24_d.gif");
    Label1->SetCaption("Zahlen aus dem Internet aktualisieren?");
    Nachrichten_verarbeiten();
    Image24->SetEnabled(false);
    {
        // When greying out fails nothing is greyed yet: only the button comes back.
        TScopeGuard knopf([this] {
            Image24->SetEnabled(true);
            zeige_Bild(*this, Image24, "gifs\\web_search24.gif");
        });
        grau_schalten();
        knopf.Dismiss();
    }
    // Whatever the update does, the window comes back.
    TScopeGuard zurueck([this] {
        Fenster_zurueck(*this);
        zeige_Bild(*this, Image24, "gifs\\web_search24.gif");
        zaehler_Image24 = 0;
    });
    // The restore reads the archive grid again, so a download shows at once; a failed one has
    // said why.
    if (ftp_download)
        (void)ftp_holen();
    else
        starte_Update(true);
}
