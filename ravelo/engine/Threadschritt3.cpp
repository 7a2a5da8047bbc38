#include "Threadschritt3.h"

#include <memory>

#include "CDorovZahlen.h"
#include "Programmordner.h"
#include "Schrittfenster.h"
#include "Tippdateien.h"
#include "rtl/Clock.h"
#include "rtl/Debug.h"
#include "rtl/IniFiles.h"

namespace {

std::vector<String> Listenkopf(const char* schritt3)
{
    return {"Die Lottozahlen werden getippt!", "-------------------------------------------",
            "Schritt 1 erfolgreich ausgeführt!", "Schritt 2 erfolgreich ausgeführt!", schritt3};
}

}  // namespace

Gewinnbetraege lies_Gewinnbetraege(const String& iniDatei)
{
    static const char* const SCHLUESSEL[ANZAHL_KLASSEN] = {"3", "3z", "4", "4z", "5", "5z", "6"};
    Gewinnbetraege g;
    try {
        TIniFile ini(iniDatei);
        for (int i = 0; i < ANZAHL_KLASSEN; ++i)
            g.betrag[i] = ini.ReadInteger("Gewinnbetraege", SCHLUESSEL[i], Gewinnbetraege::VORGABE[i]);
    } catch (const Exception&) {
        return Gewinnbetraege{};  // an unreadable settings file leaves the defaults
    }
    pruefe_Gewinnbetraege(g);
    return g;
}

ThreadSchritt3::ThreadSchritt3(bool CreateSuspended) : ThreadSchritt3(CreateSuspended, nullptr) {}

ThreadSchritt3::ThreadSchritt3(bool CreateSuspended, ISchrittFenster* fenster)
    : TFensterThread("ThreadSchritt3", fenster, SchrittFenster, TLaufflag::sofort_aus)
{
    starte_wenn_verlangt(CreateSuspended);
}

ThreadSchritt3::~ThreadSchritt3() { warte_auf_Ende(); }

void ThreadSchritt3::ausfuehren(ISchrittFenster& f)
{
    f.ListBox1(Listenkopf("Schritt 3 gestartet!"), "4,", "2,3,", "4,");
    f.Animate1_spielen(71, 105);

    Schritt3Eingaben e;
    bool zurueckschreiben = false;
    e.T = lies_Tippanzahl(f.Edit(8), &zurueckschreiben);
    if (zurueckschreiben) f.Edit_setzen(8, IntToStr(e.T));

    const String schluessel = f.ComboBox2();
    if (schluessel.empty()) {
        f.Fehlermeldung("Datum und Index muss noch eingetragen werden", "FEHLER:HISTORY");
        return;
    }

    e.anzahl_Varianten = f.anzahl_Varianten();
    e.Edit1 = f.Edit(1);
    e.kriterien.CheckBox15 = f.CheckBox(15);
    e.kriterien.CheckBox16 = f.CheckBox(16);
    e.kriterien.CheckBox17 = f.CheckBox(17);
    e.kriterien.CheckBox18 = f.CheckBox(18);
    e.kriterien.CheckBox19 = f.CheckBox(19);
    e.kriterien.CheckBox20 = f.CheckBox(20);
    e.betraege = lies_Gewinnbetraege(ProgrammDatei(DATEI_UMGEBUNG));

    Schritt3Dateien d;
    try {
        d.gefiltert = Dateipfad(DATEI_ERSETZT_GELOESCHT, schluessel);
        d.punkte = Dateipfad(DATEI_KRITERIENPUNKTE, schluessel);
        d.sortiert = Dateipfad(DATEI_KRITERIENPUNKTE_SORTIERT, schluessel);
        d.ausgewaehlt = Dateipfad(DATEI_AUSGEWAEHLT, schluessel);
    } catch (const ETippschluessel&) {
        // A key without its final "*" names no file to read.
        f.Label1("Schritt3: Lese Zahlen ein");
        f.Label1("Schritt3: ERROR : Nicht moeglich, dorov_zahlen.txt zum Lesen zu oeffnen.");
        return;
    }
    d.statistik = ProgrammDatei(DATEI_STATISTIK_SCHRITT3);

    const TDateTime tippdatum = f.DateTimePicker2();
    auto lade_Ziehungen = [tippdatum] {
        // Only draws before the tip date count. The table is big for a stack; it lives on the heap.
        auto z = std::make_unique<CDorovZahlen>();
        z->setze_Form(nullptr);
        z->lade_Zahlen(DateToStr(tippdatum));
        return Ziehungen(*z);
    };
    const Schritt3Ergebnis r =
        Schritt3_ausfuehren(e, d, lade_Ziehungen, [&f](const String& text) { f.Label1(text); });
    if (r.status != Schritt3Status::OK) {
        if (r.status != Schritt3Status::Eingabefehler) melde_Scheitern();
        return;
    }

    f.ListBox1(Listenkopf("Schritt 3 erfolgreich ausgeführt!"), "4,", "2,3,4,", "");
    Sleep(300);
    std::vector<String> zeilen{"Getippte Lottozahlen für ", f.tipp_datum() + " sind:"};
    zeilen.insert(zeilen.end(), r.tippzeilen.begin(), r.tippzeilen.end());
    f.ListBox1(zeilen, "0,1,", "", "");

    f.Label1("Schritt3: OK");
    f.Animate1_zeigen(105);
    const String history = ProgrammDatei(DATEI_HISTORY);
    if (!History_anhaengen(history, schluessel))
        OutputDebugStringA("ThreadSchritt3: history.txt kann nicht geschrieben werden");
    else
        f.ComboBox2_Eintraege(history);
    f.schritt_beendet(3);
}
