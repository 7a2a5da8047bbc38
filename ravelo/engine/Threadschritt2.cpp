#include "Threadschritt2.h"

#include <memory>

#include "CDorovZahlen.h"
#include "Schritt2Kern.h"
#include "Schrittfenster.h"
#include "Tippdateien.h"
#include "rtl/Debug.h"

namespace {

std::vector<String> Listenkopf(const char* schritt2)
{
    return {"Die Lottozahlen werden getippt!", "-------------------------------------------",
            "Schritt 1 erfolgreich ausgeführt!", schritt2, "Schritt 3 fehlt noch!"};
}

}  // namespace

ThreadSchritt2::ThreadSchritt2(bool CreateSuspended) : ThreadSchritt2(CreateSuspended, nullptr) {}

ThreadSchritt2::ThreadSchritt2(bool CreateSuspended, ISchrittFenster* fenster)
    : TFensterThread("ThreadSchritt2", fenster, SchrittFenster, TLaufflag::sofort_aus)
{
    starte_wenn_verlangt(CreateSuspended);
}

ThreadSchritt2::~ThreadSchritt2() { warte_auf_Ende(); }

void ThreadSchritt2::ausfuehren(ISchrittFenster& f)
{
    f.ListBox1(Listenkopf("Schritt 2 gestartet!"), "3,", "2,", "3,4,");
    f.Animate1_spielen(36, 70);

    const String schluessel = f.ComboBox2();
    if (schluessel.empty()) {
        f.Fehlermeldung("Datum und Index muss noch eingetragen werden", "FEHLER:HISTORY");
        f.bilder_freigeben();
        return;
    }

    Schritt2Eingaben e;
    e.anzahl_Varianten = f.anzahl_Varianten();
    e.CheckBox5 = f.CheckBox(5);
    e.CheckBox6 = f.CheckBox(6);
    e.CheckBox7 = f.CheckBox(7);
    e.CheckBox8 = f.CheckBox(8);
    e.CheckBox9 = f.CheckBox(9);
    e.CheckBox10 = f.CheckBox(10);
    e.CheckBox11 = f.CheckBox(11);
    e.CheckBox12 = f.CheckBox(12);
    e.CheckBox13 = f.CheckBox(13);
    e.Edit1 = f.Edit(1);
    e.Edit2 = f.Edit(2);
    e.Edit3 = f.Edit(3);
    e.Edit4 = f.Edit(4);
    e.Edit5 = f.Edit(5);
    e.Edit6 = f.Edit(6);
    e.Edit7 = f.Edit(7);

    // Only draws before the tip date count. The table is big for a stack; it lives on the heap.
    std::vector<Ziehung> ziehungen;
    {
        auto z = std::make_unique<CDorovZahlen>();
        z->setze_Form(nullptr);
        z->lade_Zahlen(DateToStr(f.DateTimePicker2()));
        ziehungen = Ziehungen(*z);
    }

    String kombinationen, gefiltert;
    try {
        kombinationen = Dateipfad(DATEI_ERSETZT, schluessel);
        gefiltert = Dateipfad(DATEI_ERSETZT_GELOESCHT, schluessel);
    } catch (const ETippschluessel&) {
        // A key without its final "*" names no file to read.
        f.Label1("Schritt2: ERROR : Nicht moeglich, Datei zum Lesen zu oeffnen.");
        f.bilder_freigeben();
        return;
    }

    Schritt2Meldungen m;
    m.Label1 = [&f](const String& text) { f.Label1(text); };
    m.Edit = [&f](const EditKorrektur& k) { f.Edit_setzen(k.edit, k.text); };
    const Schritt2Ergebnis r = Schritt2_ausfuehren(e, ziehungen, kombinationen, gefiltert, m);
    if (r.status != Schritt2Status::OK) {
        if (r.status == Schritt2Status::Ausgabefehler) melde_Scheitern();
        f.bilder_freigeben();
        return;
    }

    f.ProgressBar1_null();
    f.Animate1_zeigen(70);
    f.schritt_beendet(2);
    f.ListBox1(Listenkopf("Schritt 2 erfolgreich ausgeführt!"), "3,", "2,3,", "4,");
}
