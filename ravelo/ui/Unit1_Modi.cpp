// The main window: mode pages, run buttons, expert mode, grey-out and restore.
#include "Unit1.h"

#include "Unit1_intern.h"

#include <algorithm>

#include "Dateifehler.h"
#include "Tippdateien.h"
#include "Thread_Sarnik.h"
#include "rtl/Clock.h"
#include "rtl/Debug.h"
#include "rtl/Files.h"
#include "rtl/IniFiles.h"
#include "rtl/ScopeGuard.h"

using namespace unit1;

namespace unit1 {

// Control groups of the mode pages and of expert mode.
const std::vector<String>& Gruppe_Quellen()
{
    static const std::vector<String> g = Verbunden(
        {Reihe("RadioButton", 1, 5), {"Label50", "Label53", "Label54", "Label47", "Label61", "Label51"}});
    return g;
}
const std::vector<String>& Gruppe_Schritte()
{
    static const std::vector<String> g = Reihe("CheckBox", 2, 4);
    return g;
}
const std::vector<String>& Gruppe_Filter()
{
    static const std::vector<String> g =
        Verbunden({Reihe("CheckBox", 5, 14), Reihe("Label", 35, 44), Reihe("Edit", 1, 7), {"Label60"}});
    return g;
}
const std::vector<String>& Gruppe_Kriterien()
{
    static const std::vector<String> g = Verbunden(
        {Reihe("CheckBox", 15, 20), {"Label48", "Label52", "Label55", "Label56", "Label57", "Label58"}});
    return g;
}
const std::vector<String>& Gruppe_Tippzahl()
{
    static const std::vector<String> g = {"Label46", "Edit8"};
    return g;
}

}  // namespace unit1

namespace {

void umschalten(TCheckBox* box) { box->SetChecked(!box->Checked()); }
void umschalten(TRadioButton* knopf) { knopf->SetChecked(!knopf->Checked()); }

struct Modusseite {
    TImage* TForm1::*bild;
    std::atomic<int> TForm1::*gewaehlt_flag;
    int TForm1::*zaehler;
    const char* gewaehlt;
    const char* ruhend;
    const char* schwebend;
    const char* text;
};

const Modusseite SEITEN[4] = {
    {&TForm1::Image2, &TForm1::modus_sarnik, &TForm1::zaehler_Image2, "gifs\\sarnik.jpg", "gifs\\sarnik_.jpg",
     "gifs\\sarnik_u.jpg", "Sarnik: Mit einem Klick, werden alle 3 Schritte automatisch ausgeführt."},
    {&TForm1::Image3, &TForm1::modus_schritt1, &TForm1::zaehler_Image3, "gifs\\s1.jpg", "gifs\\s1_.jpg",
     "gifs\\s1_u.jpg", "Schritt 1: Hier werden Zahlen ermittelt und alle möglichen Varianten gebildet!"},
    {&TForm1::Image4, &TForm1::modus_schritt2, &TForm1::zaehler_Image4, "gifs\\s2.jpg", "gifs\\s2_.jpg",
     "gifs\\s2_u.jpg", "Schritt 2: Hier werden Varianten gefiltert."},
    {&TForm1::Image5, &TForm1::modus_schritt3, &TForm1::zaehler_Image5, "gifs\\s3.jpg", "gifs\\s3_.jpg",
     "gifs\\s3_u.jpg", "Schritt 3: Hier werden die best mögliche Strukturen gebildet."},
};

bool gewaehlt(TForm1& f, int seite) { return (f.*SEITEN[seite].gewaehlt_flag) == 1; }

void Seite_waehlen(TForm1& f, int seite, TObject* Sender)
{
    for (int s = 0; s < 4; ++s) f.*SEITEN[s].gewaehlt_flag = s == seite ? 1 : 0;
    if (seite == 0) {
        for (TControl* c : {static_cast<TControl*>(f.Label46), static_cast<TControl*>(f.Edit8)}) {
            c->Show();
            c->Font()->SetColor(clBlack);
        }
    }
    zeige_Bild(f, f.*SEITEN[seite].bild, SEITEN[seite].gewaehlt);
    f.Label1->SetCaption(SEITEN[seite].text);
    if (seite == 1) {
        const int n = f.TrackBar1->Position();
        for (int k = 19; k <= 30; ++k) Element(f, "Label" + IntToStr(k + 1))->SetVisible(k <= n);
        Nachrichten_verarbeiten();
    }

    f.ListBox1->SetVisible(seite == 0 || seite == 3);
    if (seite == 1)
        zeigen(f, Reihe("Label", 2, 19), true);
    else
        zeigen(f, Reihe("Label", 2, 31), false);
    zeigen(f, Gruppe_Quellen(), seite == 1);
    zeigen(f, Gruppe_Schritte(), seite == 0);
    zeigen(f, Gruppe_Filter(), seite == 2);
    zeigen(f, Gruppe_Kriterien(), seite == 3);
    zeigen(f, Gruppe_Tippzahl(), seite == 0 || seite == 3);
    if (seite == 3) {
        f.Label46->Font()->SetColor(clLime);
        f.Edit8->Font()->SetColor(clLime);
    }
    if (seite != 1) zeigen(f, Reihe("Edit", 9, 38), false);
    TImage* start[4] = {f.Image6, f.Image7, f.Image8, f.Image9};
    for (int s = 0; s < 4; ++s) start[s]->SetVisible(s == seite);
    f.Image19->SetVisible(seite == 0 || seite == 3);
    f.Image28->SetVisible(seite == 0 || seite == 3);

    if (seite == 0 || seite == 3) f.ListBox1->Invalidate();
    if (seite == 1) f.RadioButton5Click(Sender);

    for (int s = 0; s < 4; ++s)
        if (s != seite) zeige_Bild(f, f.*SEITEN[s].bild, SEITEN[s].ruhend);
}

void Modus_bewegt(TForm1& f, int seite)
{
    int& zaehler = f.*SEITEN[seite].zaehler;
    ++zaehler;
    for (int s = 0; s < 4; ++s)
        if (s != seite) f.*SEITEN[s].zaehler = 0;
    Hinweis(f, SEITEN[seite].text);
    if (zaehler == 1 && !gewaehlt(f, seite)) zeige_Bild(f, f.*SEITEN[seite].bild, SEITEN[seite].schwebend);
}

void Modus_verlassen(TForm1& f, int seite)
{
    if (!(f.*SEITEN[seite].bild)->Enabled()) return;
    Hinweis(f, BESCHREIBUNG);
    if (gewaehlt(f, seite)) return;
    zeige_Bild(f, f.*SEITEN[seite].bild, SEITEN[seite].ruhend);
    f.*SEITEN[seite].zaehler = 0;
}

// Start pictures: 0 Sarnik, 1..3 the single steps, 4 the archive or statistics view.
struct Startbild {
    TImage* TForm1::*bild;
    int TForm1::*zaehler;
    const char* ruhend;
    const char* schwebend;
    const char* laufend;
    const char* frage;  // hover text
    const char* status;  // status text on click
};

const Startbild STARTBILDER[5] = {
    {&TForm1::Image6, &TForm1::zaehler_Image6, "gifs\\start_sw_.jpg", "gifs\\start_sw_u.jpg",
     "gifs\\start_sw.jpg", "Sarnik starten?", "Sarnik wurde gestartet!"},
    {&TForm1::Image7, &TForm1::zaehler_Image7, "gifs\\start_bl_.jpg", "gifs\\start_bl_u.jpg",
     "gifs\\start_bl.jpg", "Schritt1 starten?", "Zahlen werden berechnet!"},
    {&TForm1::Image8, &TForm1::zaehler_Image8, "gifs\\start_rt_.jpg", "gifs\\start_rt_u.jpg",
     "gifs\\start_rt.jpg", "Schritt2 starten?", "Zahlen werden gefiltert!"},
    {&TForm1::Image9, &TForm1::zaehler_Image9, "gifs\\start_gn_.jpg", "gifs\\start_gn_u.jpg",
     "gifs\\start_gn.jpg", "Schritt3 starten?", "Zahlen werden gefiltert!"},
    {&TForm1::Image10, &TForm1::zaehler_Image10, "gifs\\start_sw_.jpg", "gifs\\start_sw_u.jpg",
     "gifs\\start_sw.jpg", nullptr, nullptr},
};

String Frage(TForm1& f, int knopf)
{
    if (STARTBILDER[knopf].frage) return STARTBILDER[knopf].frage;
    return f.archiv_angezeigt ? "Archiv Anzeigen?" : "Statistik Anzeigen?";
}

void Start_bewegt(TForm1& f, int knopf)
{
    const Startbild& s = STARTBILDER[knopf];
    if (++(f.*s.zaehler) != 1) return;
    Hinweis(f, Frage(f, knopf));
    zeige_Bild(f, f.*s.bild, s.schwebend);
}

void Start_verlassen(TForm1& f, int knopf)
{
    const Startbild& s = STARTBILDER[knopf];
    if (!(f.*s.bild)->Enabled()) return;
    Hinweis(f, BESCHREIBUNG);
    zeige_Bild(f, f.*s.bild, s.ruhend);
    f.*s.zaehler = 0;
}

// Polls of the driver's running flag per run button (about 100 ms each).
const int POLLGRENZE[4] = {600, 600, 1000, 600};

// The step input that a single-step run needs; empty when it is there.
String fehlende_Eingabe(TForm1& f, int schritt)
{
    const char* text1 = "Sie müssen zuerst Schritt 1 ausführen!";
    const char* text2 = "Sie müssen zuerst Schritt 2 ausführen!";
    const String text = f.ComboBox2->Text();
    auto vorhanden = [&](const Tippdatei& datei) {
        try {
            return f.datei_vorhanden(Dateipfad(datei, text));
        } catch (const ETippschluessel&) {
            return false;  // a key without its "*" names no file
        }
    };
    if (!vorhanden(DATEI_ERSETZT)) return text1;
    if (schritt == 3 && !vorhanden(DATEI_ERSETZT_GELOESCHT)) return text2;
    return String();
}

void Schrittboxen(TForm1& f, bool b2, bool b3, bool b4)
{
    f.CheckBox2->SetChecked(b2);
    f.CheckBox3->SetChecked(b3);
    f.CheckBox4->SetChecked(b4);
}

// One run of the driver: schritt 0 runs the steps the boxes name, 1..3 that step alone.
void Lauf(TForm1& f, int schritt)
{
    // A click while the window is greyed out (a run being polled, an update) would record the
    // grey states and replace the driver that is being polled.
    if (grau_aktiv) return;
    const Startbild& s = STARTBILDER[schritt];
    TImage* bild = f.*s.bild;

    if (schritt == 1) f.schritt1_aktiv = 1;
    if (schritt == 2) f.schritt2_aktiv = 1;
    if (schritt == 3) f.schritt3_aktiv = 1;
    zeige_Bild(f, bild, s.laufend);
    f.lauf_grund.clear();
    f.Label1->SetCaption(s.status);
    Nachrichten_verarbeiten();
    if (schritt == 0) f.version_pruefen();
    if (schritt <= 1) f.vergleich_beim_Start = false;
    if (schritt >= 2) {
        const String fehlt = fehlende_Eingabe(f, schritt);
        if (!fehlt.empty()) {
            Application->MessageBox(fehlt, "Info", MB_OK | MB_ICONINFORMATION);
            return;
        }
    }
    if (schritt == 1) f.Timer1->SetEnabled(true);
    if (schritt > 0) Schrittboxen(f, schritt == 1, schritt == 2, schritt == 3);

    auto nachher = [&] {
        if (schritt > 0) Schrittboxen(f, true, true, true);
        if (schritt == 1) f.Timer1->SetEnabled(false);
    };
    {
        TScopeGuard ungegraut(nachher);  // when greying out fails, nothing is greyed yet
        f.grau_schalten();
        ungegraut.Dismiss();
    }
    {
        // Whatever fails from here on, the window comes back: the animation goes, the boxes come
        // back, then the recorded states.
        TScopeGuard zurueck([&] { Fenster_zurueck(f); });
        TScopeGuard boxen(nachher);
        TScopeGuard animation([&] { f.Animate1->Hide(); });
        f.t_Treiber = std::make_unique<Thread_Sarnik>(true);
        f.Animate1->Show();
        f.t_Treiber->Resume();
        Sleep(1);
        for (int n = 1; f.t_Treiber->laeuft() && n < POLLGRENZE[schritt]; ++n) {
            Sleep(100);
            OutputDebugStringA("Warte auf Thread_Sarnik .....");
            Nachrichten_verarbeiten();
        }
        f.t_Treiber->WaitFor();
        f.Animate1->Stop();
        f.t_Treiber->Terminate();
        if (f.t_Treiber->gescheitert() && f.Label1->Caption() != s.status) f.lauf_grund = f.Label1->Caption();
    }
    zeige_Bild(f, bild, s.ruhend);
    f.*s.zaehler = 0;
}

// grau.ini: section and the recorded controls, in the order grey-out records them. The first
// three are the profile and history pictures, recorded before their pictures are greyed.
const char* const GRAU_SEKTION = "grau";

const std::vector<String>& Grau_Bilder()
{
    static const std::vector<String> g = {"Image13", "Image14", "Image15"};
    return g;
}

const std::vector<String>& Grau_Elemente()
{
    static const std::vector<String> g = Verbunden({
        Reihe("Edit", 1, 8),
        {"Label58", "Label57", "Label56", "Label55"},
        Reihe("Label", 35, 43),
        {"Label46", "Label32", "Label33", "Label34", "Label45", "Label48", "Label52", "Label44", "Label60"},
        Reihe("CheckBox", 1, 21),
        {"ComboBox2", "ComboBox3", "RadioGroup1", "RadioGroup2", "DateTimePicker1"},
        {"Label50", "Label53", "Label54", "Label51", "Label47", "Label61"},
        Reihe("RadioButton", 1, 5),
    });
    return g;
}

// Disabled by grey-out without a record, enabled again by the restore.
const std::vector<String>& Grau_ohne_Eintrag()
{
    static const std::vector<String> g = {"ListBox1", "Image21",         "Image22",
                                          "Label59",  "DateTimePicker2", "Label49"};
    return g;
}

// Picture buttons: backup file and grey picture (for the mode pictures, the grey picture of the
// selected page and of the others).
struct Graubild {
    const char* name;
    const char* sicherung;
    const char* grau;
    const char* grau_gewaehlt;
    std::atomic<int> TForm1::*seite;
};

const Graubild GRAUBILDER[] = {
    {"Image1", "gifs\\image1.gif", "gifs\\hintergrund_SW.gif", nullptr, nullptr},
    {"Image2", "gifs\\image2.jpg", "gifs\\sarnik_SW.jpg", "gifs\\sarnikSW.jpg", &TForm1::modus_sarnik},
    {"Image3", "gifs\\image3.jpg", "gifs\\S1_SW.jpg", "gifs\\S1SW.jpg", &TForm1::modus_schritt1},
    {"Image4", "gifs\\image4.jpg", "gifs\\S2_SW.jpg", "gifs\\S2SW.jpg", &TForm1::modus_schritt2},
    {"Image5", "gifs\\image5.jpg", "gifs\\S3_SW.jpg", "gifs\\S3SW.jpg", &TForm1::modus_schritt3},
    {"Image13", "gifs\\image13.gif", "gifs\\save24_d.gif", nullptr, nullptr},
    {"Image14", "gifs\\image14.gif", "gifs\\delete_x24_d.gif", nullptr, nullptr},
    {"Image15", "gifs\\image15.gif", "gifs\\delete_x24_d.gif", nullptr, nullptr},
    {"Image17", "gifs\\image17.gif", "gifs\\mail24_d.gif", nullptr, nullptr},
    {"Image18", "gifs\\image18.gif", "gifs\\help24_d.gif", nullptr, nullptr},
    {"Image19", "gifs\\image19.gif", "gifs\\print24_d.gif", nullptr, nullptr},
    {"Image28", "gifs\\image28.gif", "gifs\\favorites24_d.gif", nullptr, nullptr},
    {"Image20", "gifs\\image20.gif", "gifs\\web_download24_d.gif", nullptr, nullptr},
    {"Image23", "gifs\\image23.gif", "gifs\\edit_table_structure24_d.gif", nullptr, nullptr},
    {"Image24", "gifs\\image24.gif", "gifs\\web_search24_d.gif", nullptr, nullptr},
    {"Image26", "gifs\\image26.gif", "gifs\\up_blue24_d.gif", nullptr, nullptr},
    {"Image27", "gifs\\image27.gif", "gifs\\down_blue24_d.gif", nullptr, nullptr},
};

// A backup that outlives its use would bring an old picture back at the next restore; one that
// cannot be removed is reported in the trace.
void Sicherung_entfernen(const String& sicherung)
{
    if (!DeleteFile(sicherung) && FileExists(sicherung))
        OutputDebugStringA("grau: Sicherung " + sicherung + " nicht entfernt");
}

// Saves the button's picture and shows the grey one. A picture that cannot be saved stays as
// it is (it would be lost otherwise); a button without a picture gets none.
void Bild_vergrauen(TForm1& f, const Graubild& g)
{
    auto* bild = static_cast<TImage*>(Element(f, g.name));
    const String sicherung = f.programm_ordner + g.sicherung;
    if (bild->Picture()->Empty()) {
        Sicherung_entfernen(sicherung);  // an old backup must not come back at the restore
        return;
    }
    try {
        bild->Picture()->SaveToFile(sicherung);
    } catch (const Exception& e) {
        Sicherung_entfernen(sicherung);
        OutputDebugStringA("grau_schalten: " + String(g.name) + " nicht gesichert: " + e.Message());
        return;
    }
    const bool seite_gewaehlt = g.seite && (f.*g.seite) == 1;
    zeige_Bild(f, bild, seite_gewaehlt ? g.grau_gewaehlt : g.grau);
}

// Brings the saved picture back; false when a backup exists but cannot be read.
bool Bild_zurueck(TForm1& f, const Graubild& g)
{
    auto* bild = static_cast<TImage*>(Element(f, g.name));
    const String sicherung = f.programm_ordner + g.sicherung;
    if (!FileExists(sicherung)) return true;  // the picture was never greyed
    try {
        lade_Bild(f, bild, g.sicherung);
    } catch (const Exception& e) {
        OutputDebugStringA("grau_aufheben: " + String(g.name) + ": " + e.Message());
        return false;
    }
    Sicherung_entfernen(sicherung);
    return true;
}

// Cursor, flag and the shown grid, the same way round for grey-out and restore. The archive
// grid is read again either way.
void Rahmen_grau(TForm1& f, bool grau)
{
    f.SetCursor(grau ? crHourGlass : crDefault);
    Screen->SetCursor(grau ? crHourGlass : crDefault);
    grau_aktiv = grau ? 1 : 0;
    if (f.archiv_angezeigt) {
        Archiv_neu_laden(f);
        f.Tabelle->SetEnabled(!grau);
    } else {
        // The statistics grid comes back from Statistik.txt as it was at grey-out. The file is
        // only a copy of the grid: when it cannot be written or read the grid stays as it is.
        try {
            if (grau) f.speichere_Statistik();
            f.lade_Statistik();
        } catch (const EConvertError& e) {
            // A file that is no copy of the grid is refused; the user hears why.
            OutputDebugStringA("Statistik.txt: " + e.Message());
            MessageBox(e.Message() + "\nDie Statistik bleibt, wie sie ist.", "Info", MB_OK | MB_ICONERROR);
        } catch (const Exception& e) {
            OutputDebugStringA("Statistik.txt: " + e.Message());
        }
        f.Tabelle2->SetEnabled(!grau);
    }
}

}  // namespace

void TForm1::test1(TObject*, TShiftState, int, int) { Hinweis(*this, BESCHREIBUNG); }

void TForm1::ExpertMove(TObject*, TShiftState, int, int)
{
    Hinweis(*this, "Experten Modus aktivieren? Danach können Sie eigene Einstellungen wählen!");
    Nachrichten_verarbeiten();
}

void TForm1::expertLeave(TObject*)
{
    Hinweis(*this, BESCHREIBUNG);
    Nachrichten_verarbeiten();
}

bool TForm1::grau_schalten()
{
    // Record first: when grau.ini cannot be written the job does not start, the window stays as
    // it is and the application's box says why in German.
    try {
        TIniFile ini(programm_ordner + DATEI_GRAU);
        for (const auto* liste : {&Grau_Bilder(), &Grau_Elemente()})
            for (const String& name : *liste)
                ini.WriteString(GRAU_SEKTION, name, Element(*this, name)->Enabled() ? "true" : "false");
    } catch (const Exception& e) {
        throw EInOutError(Dateifehler_Text("Die Datei " + String(DATEI_GRAU) +
                                               " kann nicht gespeichert werden, die Aufgabe beginnt nicht!",
                                           e));
    }

    Rahmen_grau(*this, true);
    freigeben(*this, Grau_Bilder(), false);
    for (const Graubild& g : GRAUBILDER) {
        Bild_vergrauen(*this, g);
        Element(*this, g.name)->SetEnabled(false);
    }
    freigeben(*this, Grau_ohne_Eintrag(), false);
    freigeben(*this, Grau_Elemente(), false);
    Nachrichten_verarbeiten();
    return true;
}

bool TForm1::grau_aufheben()
{
    bool ganz = true;
    Rahmen_grau(*this, false);
    Label59->SetEnabled(true);
    Label49->SetEnabled(true);
    for (const Graubild& g : GRAUBILDER) {
        ganz = Bild_zurueck(*this, g) && ganz;
        Element(*this, g.name)->SetEnabled(true);
    }
    freigeben(*this, Grau_ohne_Eintrag(), true);

    TIniFile ini(programm_ordner + DATEI_GRAU);
    bool gelesen = false;
    for (const auto* liste : {&Grau_Elemente(), &Grau_Bilder()})
        for (const String& name : *liste) gelesen = gelesen || ini.ValueExists(GRAU_SEKTION, name);
    if (gelesen) {
        for (const auto* liste : {&Grau_Elemente(), &Grau_Bilder()})
            for (const String& name : *liste)
                Element(*this, name)->SetEnabled(ini.ReadString(GRAU_SEKTION, name, "") == "true");
    } else {
        // Without its records the window would stay dead, and enabling everything would offer
        // expert controls with expert mode off: the controls come back as the start-up and the
        // expert state set them.
        OutputDebugStringA("grau_aufheben: grau.ini nicht lesbar, Vorgabezustand");
        ganz = false;
        freigeben(*this, {"CheckBox1", "CheckBox21", "RadioGroup1", "RadioGroup2", "DateTimePicker1"}, true);
        freigeben(*this, Gruppe_Schritte(), false);
        freigeben(*this, Gruppe_Tippzahl(), true);
        expertenModus(nullptr);
    }

    if (RadioGroup1->ButtonCount() > 1) RadioGroup1->Buttons(1)->SetEnabled(false);
    Nachrichten_verarbeiten();
    return ganz;
}

void unit1::Fenster_zurueck(TForm1& f)
{
    if (!f.grau_aufheben()) f.Label1->SetCaption("Das Fenster konnte nicht ganz wiederhergestellt werden.");
}

void TForm1::Sarnik_click_(TObject* Sender) { Seite_waehlen(*this, 0, Sender); }
void TForm1::ssarnik(TObject* Sender) { Seite_waehlen(*this, 1, Sender); }
void TForm1::s2_click(TObject* Sender) { Seite_waehlen(*this, 2, Sender); }
void TForm1::s3_click(TObject* Sender) { Seite_waehlen(*this, 3, Sender); }
void TForm1::aa(TObject*, TShiftState, int, int) { Modus_bewegt(*this, 0); }
void TForm1::bb(TObject*) { Modus_verlassen(*this, 0); }
void TForm1::ggggg(TObject*, TShiftState, int, int) { Modus_bewegt(*this, 1); }
void TForm1::qqqq(TObject*) { Modus_verlassen(*this, 1); }
void TForm1::lllll(TObject*, TShiftState, int, int) { Modus_bewegt(*this, 2); }
void TForm1::www(TObject*) { Modus_verlassen(*this, 2); }
void TForm1::cccc(TObject*, TShiftState, int, int) { Modus_bewegt(*this, 3); }
void TForm1::ccc(TObject*) { Modus_verlassen(*this, 3); }

void TForm1::start_sw(TObject*) { Lauf(*this, 0); }
void TForm1::start_bl(TObject*) { Lauf(*this, 1); }
void TForm1::start_rt(TObject*) { Lauf(*this, 2); }
void TForm1::start_gn(TObject*) { Lauf(*this, 3); }
void TForm1::start_sw_move(TObject*, TShiftState, int, int) { Start_bewegt(*this, 0); }
void TForm1::start_bl_move(TObject*, TShiftState, int, int) { Start_bewegt(*this, 1); }
void TForm1::start_rt_move(TObject*, TShiftState, int, int) { Start_bewegt(*this, 2); }
void TForm1::start_gn_move(TObject*, TShiftState, int, int) { Start_bewegt(*this, 3); }
void TForm1::start2_sw_move(TObject*, TShiftState, int, int) { Start_bewegt(*this, 4); }
void TForm1::start_sw_up(TObject*, TMouseButton, TShiftState, int, int) { Start_bewegt(*this, 0); }
void TForm1::start_bl_up(TObject*, TMouseButton, TShiftState, int, int) { Start_bewegt(*this, 1); }
void TForm1::start_rt_up(TObject*, TMouseButton, TShiftState, int, int) { Start_bewegt(*this, 2); }
void TForm1::start_gn_up(TObject*, TMouseButton, TShiftState, int, int) { Start_bewegt(*this, 3); }
void TForm1::start2_sw_up(TObject*, TMouseButton, TShiftState, int, int) { Start_bewegt(*this, 4); }
void TForm1::start_sw_leave(TObject*) { Start_verlassen(*this, 0); }
void TForm1::start_bl_leave(TObject*) { Start_verlassen(*this, 1); }
void TForm1::start_rt_leave(TObject*) { Start_verlassen(*this, 2); }
void TForm1::start_gn_leave(TObject*) { Start_verlassen(*this, 3); }
void TForm1::start2_sw_leave(TObject*) { Start_verlassen(*this, 4); }

void TForm1::expertenModus(TObject*)
{
    const bool an = CheckBox1->Checked();
    zeige_Bild(*this, Image15, an ? "gifs\\delete_x24.gif" : "gifs\\delete_x24_d.gif");
    zeige_Bild(*this, Image14, an ? "gifs\\delete_x24.gif" : "gifs\\delete_x24_d.gif");
    zeige_Bild(*this, Image13, an ? "gifs\\save24.gif" : "gifs\\save24_d.gif");
    freigeben(*this, {"Image15", "Image14", "Image13"}, an);
    freigeben(*this, Gruppe_Quellen(), an);
    // The statistics grid is the source of RadioButton4.
    freigeben(*this, {"Label47", "RadioButton4"}, an && statistik_angezeigt);
    freigeben(*this, {"Label32", "Label45", "TrackBar1", "ComboBox2", "Label33", "ComboBox3", "Label34"}, an);
    if (!an) freigeben(*this, Gruppe_Schritte(), false);
    freigeben(*this, Gruppe_Filter(), an);
    freigeben(*this, Gruppe_Kriterien(), an);
    if (an) freigeben(*this, Gruppe_Tippzahl(), true);
    Nachrichten_verarbeiten();
}

// Each caption label toggles the box or radio button beside it.
void TForm1::Label35Click(TObject*) { umschalten(CheckBox5); }
void TForm1::Label36Click(TObject*) { umschalten(CheckBox7); }
void TForm1::Label37Click(TObject*) { umschalten(CheckBox6); }
void TForm1::Label38Click(TObject*) { umschalten(CheckBox8); }
void TForm1::Label39Click(TObject*) { umschalten(CheckBox9); }
void TForm1::Label40Click(TObject*) { umschalten(CheckBox10); }
void TForm1::Label41Click(TObject*) { umschalten(CheckBox11); }
void TForm1::Label42Click(TObject*) { umschalten(CheckBox12); }
void TForm1::Label43Click(TObject*) { umschalten(CheckBox13); }
void TForm1::Label44Click(TObject*) { umschalten(CheckBox14); }
void TForm1::Label47Click(TObject*) { umschalten(RadioButton4); }
void TForm1::Label48Click(TObject*) { umschalten(CheckBox15); }
void TForm1::Label50Click(TObject*) { umschalten(RadioButton1); }
void TForm1::Label52Click(TObject*) { umschalten(CheckBox16); }
void TForm1::Label53Click(TObject*) { umschalten(RadioButton2); }
void TForm1::Label54Click(TObject*) { umschalten(RadioButton3); }
void TForm1::Label55Click(TObject*) { umschalten(CheckBox17); }
void TForm1::Label56Click(TObject*) { umschalten(CheckBox18); }
void TForm1::Label57Click(TObject*) { umschalten(CheckBox19); }
void TForm1::Label58Click(TObject*) { umschalten(CheckBox20); }
void TForm1::Label61Click(TObject* Sender)
{
    umschalten(RadioButton5);
    RadioButton5Click(Sender);
}
