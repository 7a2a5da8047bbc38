#include "Threadschritt1.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <random>

#include "CDorovZahlen.h"
#include "Dateifehler.h"
#include "Programmordner.h"
#include "Schritt1Fenster.h"
#include "Schritt1Kern.h"
#include "Tippdateien.h"
#include "rtl/Clock.h"
#include "rtl/Debug.h"
#include "rtl/Files.h"

namespace {

const char* const TITEL_INFO = "Info";

std::vector<String> Listenkopf(const char* schritt1)
{
    return {"Die Lottozahlen werden getippt!", "-------------------------------------------", schritt1,
            "Schritt 2 fehlt noch!", "Schritt 3 fehlt noch!"};
}

// The lines of the clipboard numbers file; none when it cannot be read.
std::vector<String> Zwischenablage_Zeilen()
{
    TStringList liste;
    try {
        liste.LoadFromFile(ProgrammDatei(DATEI_ZWISCHENABLAGE));
    } catch (const Exception&) {
        return {};
    }
    std::vector<String> zeilen;
    for (int i = 0; i < liste.Count(); ++i) zeilen.push_back(liste.Get(i));
    return zeilen;
}

std::mt19937 Zufallsgenerator()
{
    const TDateTime jetzt = Now();
    std::uint64_t bits = 0;
    std::memcpy(&bits, &jetzt.Val, sizeof bits);
    std::seed_seq saat{static_cast<std::uint32_t>(bits), static_cast<std::uint32_t>(bits >> 32),
                       GetTickCount()};
    return std::mt19937(saat);
}

}  // namespace

ThreadSchritt1::ThreadSchritt1(bool CreateSuspended) : ThreadSchritt1(CreateSuspended, nullptr) {}

ThreadSchritt1::ThreadSchritt1(bool CreateSuspended, ISchritt1Fenster* fenster)
    : TFensterThread("ThreadSchritt1", fenster, Schritt1Fenster, TLaufflag::von_der_Arbeit)
{
    starte_wenn_verlangt(CreateSuspended);
}

ThreadSchritt1::~ThreadSchritt1() { warte_auf_Ende(); }

// A file that cannot be written (a full or read-only disk) ends the step and, through the
// driver, the run: the user reads why and which file, and nothing waits for a step that has
// stopped.
void ThreadSchritt1::Schreibfehler(ISchritt1Fenster& f, const String& was, const String& systemtext)
{
    // The status line holds five short lines: the reason comes first, then the file by what it
    // holds (its name with the run key does not fit); the system's text, which names the file,
    // goes to the trace.
    f.Label1(Fehlerzeile("Schritt1: ERROR : ", was + " wurde nicht gespeichert.", systemtext));
    OutputDebugStringA("Schritt1: " + was + ": Meldung des Systems: " + systemtext);
    f.Timer1_aus();
    melde_Scheitern();
    b_laeuft = false;
}

// Input no pool can be made of: the user reads why, and the driver runs no further step on a
// pool that was not written.
void ThreadSchritt1::Eingabe_abgelehnt(ISchritt1Fenster& f, const String& meldung)
{
    f.Meldung(meldung, TITEL_INFO, false);
    f.Timer1_aus();
    melde_Scheitern();
    b_laeuft = false;
}

// Returns early on every failure. The personal-number messages, a failed write and the normal
// end clear the running flag; the empty run key leaves it on, so the driver's poll bound
// reports it as a time-out.
void ThreadSchritt1::ausfuehren(ISchritt1Fenster& f)
{
    using namespace schritt1;
    const int N = std::clamp(f.TrackBar1(), POOL_MIN, POOL_MAX);
    const TDateTime tippdatum = f.DateTimePicker2();

    // The table is big for a stack; the run keeps it on the heap.
    auto z = std::make_unique<CDorovZahlen>();
    z->setze_Form(nullptr);
    z->lade_Zahlen(DateToStr(tippdatum));

    f.ListBox1(Listenkopf("Schritt 1 gestartet!"), "2,", "", "2,3,4,");

    bool aus_Zwischenablage = false;
    if (f.CheckBox22()) {
        const std::vector<String> zeilen = Zwischenablage_Zeilen();
        if (static_cast<int>(zeilen.size()) >= N && f.Frage(Zwischenablage_Frage(zeilen, N))) {
            setze_Pool(*z, Zwischenablage_Zahlen(zeilen, N));
            aus_Zwischenablage = true;
        }
    }

    if (!aus_Zwischenablage) {
        bool quelle = false;
        for (int r = 1; r <= 5; ++r) quelle = quelle || f.RadioButton(r);
        if (!quelle) {
            Eingabe_abgelehnt(f, "Keine Quelle für die Zahlen gewählt!");
            return;
        }
        f.Animate1_spielen(1, 35);
        f.lade_History(tippdatum);

        if (f.RadioButton(1)) {
            Sleep(2000);
            std::mt19937 zufall = Zufallsgenerator();
            setze_Pool(*z, Zufallszahlen(N, zufall));
        }
        if (f.RadioButton(2)) {
            Pool_nach_Abstand(*z);
            Sleep(2000);
        }
        if (f.RadioButton(3)) {
            String systemtext;
            if (!schreibe_Zwillingsstatistik(
                    *z, [&f](int a) { f.Label1(IntToStr(a)); }, &systemtext)) {
                Schreibfehler(f, "Die Zwillingsstatistik", systemtext);
                return;
            }
            z->berechne_Zwillingsabstaende();
            z->sortiere_Zwillingsabstaende();
            z->lade_Zwillingsprozente();
            z->sortiere_Zwillingsprozente();
            Pool_aus_Zwillingen(*z);
        }
        if (f.RadioButton(4)) {
            std::vector<String> spalte0;
            for (int zeile = 0; zeile < POOLPLAETZE; ++zeile) spalte0.push_back(f.Tabelle2(zeile));
            Pool_aus_Statistik(*z, spalte0);
        }
        if (f.RadioButton(5)) {
            std::vector<String> texte;
            for (int k = 9; k <= 38; ++k) texte.push_back(f.Edit(k));
            std::vector<int> zahlen;
            int doppelt = 0;
            const EigeneZahlen ergebnis = pruefe_eigene_Zahlen(texte, zahlen, &doppelt);
            if (ergebnis != EigeneZahlen::OK) {
                Eingabe_abgelehnt(f, Meldung_eigene_Zahlen(ergebnis, doppelt));
                return;
            }
            setze_Pool(*z, zahlen);
            for (int k = 9; k <= 38; ++k) f.Edit_sichtbar(k, false);
            for (int label = 2; label <= 31; ++label) f.Label_sichtbar(label, Label_sichtbar(label, N));
        }
    }

    f.Timer1_aus();
    for (int k = 1; k <= 30; ++k) f.Label(k + 1, IntToStr(z->nach_Abstand[k]));

    const String schluessel = f.ComboBox2();
    if (schluessel.empty()) {
        f.Meldung("Datum und Index muss noch eingetragen werden", "FEHLER:HISTORY", true);
        return;
    }

    f.ProgressBar1_Schritt();
    String pooldatei, kombinationsdatei;
    try {
        pooldatei = Dateipfad(DATEI_VORSCHLAG, schluessel);
        kombinationsdatei = Dateipfad(DATEI_ERSETZT, schluessel);
    } catch (const ETippschluessel&) {
        return;  // a key without its final "*" names no file
    }
    String systemtext;
    if (!schreibe_Pooldatei(pooldatei, *z, &systemtext)) {
        Schreibfehler(f, "Die Pooldatei", systemtext);
        return;
    }
    if (!schreibe_Kombinationen(kombinationsdatei, Pool(*z, N), nullptr, &systemtext)) {
        Schreibfehler(f, "Die Kombinationsdatei", systemtext);
        return;
    }

    f.Animate1_zeigen(35);
    f.schritt1_beendet();
    f.ListBox1(Listenkopf("Schritt 1 erfolgreich ausgeführt!"), "2,", "2,", "3,4,");
    b_laeuft = false;
}
