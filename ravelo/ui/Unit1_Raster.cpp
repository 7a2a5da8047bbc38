// The main window: archive and statistics grids, the view buttons and the history box.
#include "Unit1.h"

#include "Unit1_intern.h"

#include <algorithm>
#include <cstdlib>
#include <new>
#include <vector>

#include "Archivpruefung.h"
#include "CDorovZahlen.h"
#include "Kernhilfen.h"
#include "Threadzahlenvergleichen.h"
#include "Tippdateien.h"
#include "rtl/Clock.h"
#include "rtl/Debug.h"
#include "rtl/Files.h"
#include "rtl/MainThread.h"
#include "rtl/ScopeGuard.h"

using namespace unit1;

namespace unit1 {

// The archive grid read again, its last rows in view.
void Archiv_neu_laden(TForm1& f)
{
    if (f.lade_Archiv()) f.Tabelle->SetTopRow(std::max(0, f.Tabelle->RowCount() - 6));
}

}  // namespace unit1

namespace {

// The integer of a sort column's cell.
int Sortierwert(TStringGrid* g, int spalte, int zeile)
{
    const String text = g->Cells(spalte, zeile);
    try {
        return StrToInt(text);
    } catch (const EConvertError&) {
        throw EConvertError("Die Zelle " + IntToStr(spalte) + "/" + IntToStr(zeile) + " der Tabelle " +
                            g->Name() + " enthält keine Zahl: \"" + text + "\"");
    }
}

// The two view buttons: pictures gifs\B.jpg (selected), B_.jpg, B_u.jpg (hover).
struct Ansichtknopf {
    TImage* TForm1::*bild;
    int TForm1::*zaehler;
    int TForm1::*anderer_zaehler;
    std::atomic<int> TForm1::*gewaehlt;
    const char* stamm;
    const char* frage;
};

const Ansichtknopf ANSICHTEN[2] = {
    {&TForm1::Image21, &TForm1::zaehler_Image21, &TForm1::zaehler_Image22, &TForm1::archiv_angezeigt,
     "archiv", "Hier wird das Lottozahlen Archiv angezeigt."},
    {&TForm1::Image22, &TForm1::zaehler_Image22, &TForm1::zaehler_Image21, &TForm1::statistik_angezeigt,
     "statistik", "Hier wird Statistik der Lottozahlen  angezeigt."},
};

String Ansichtbild(const Ansichtknopf& a, const char* variante)
{
    return String("gifs\\") + a.stamm + variante + ".jpg";
}

void Ansicht_bewegt(TForm1& f, int nr)
{
    const Ansichtknopf& a = ANSICHTEN[nr];
    ++(f.*a.zaehler);
    f.*a.anderer_zaehler = 0;
    Hinweis(f, a.frage);
    if (f.*a.zaehler == 1 && (f.*a.gewaehlt) != 1) zeige_Bild(f, f.*a.bild, Ansichtbild(a, "_u"));
}

void Ansicht_verlassen(TForm1& f, int nr)
{
    const Ansichtknopf& a = ANSICHTEN[nr];
    if (!(f.*a.bild)->Enabled()) return;
    Hinweis(f, BESCHREIBUNG);
    if ((f.*a.gewaehlt) == 1) return;
    zeige_Bild(f, f.*a.bild, Ansichtbild(a, "_"));
    f.*a.zaehler = 0;
}

void Ansicht_waehlen(TForm1& f, bool archiv)
{
    const Ansichtknopf& a = ANSICHTEN[archiv ? 0 : 1];
    const Ansichtknopf& andere = ANSICHTEN[archiv ? 1 : 0];
    f.archiv_angezeigt = archiv ? 1 : 0;
    f.statistik_angezeigt = archiv ? 0 : 1;
    zeige_Bild(f, f.*a.bild, Ansichtbild(a, ""));
    f.Label1->SetCaption(archiv ? "Hier wird das Lottozahlen Archiv angezeigt."
                                : "Lottozahlen Statistik anzeigen!");
    zeigen(f, {"RadioGroup1", "CheckBox21", "Image23", "Image24"}, archiv);
    f.Tabelle->SetVisible(archiv);
    f.Tabelle2->SetVisible(!archiv);
    f.Label49->SetCaption(archiv ? "Datum:   1:  2:  3:  4:  5:  6:  Z:" : "Zahlen 1-49:      Anzahl:");
    zeigen(f, {"Image26", "Image27", "RadioGroup2"}, !archiv);
    f.start2_sw_click(nullptr);
    // The statistics grid is the source of RadioButton4.
    if (!archiv && f.CheckBox1->Checked()) freigeben(f, {"Label47", "RadioButton4"}, true);
    zeige_Bild(f, f.*andere.bild, Ansichtbild(andere, "_"));
    Nachrichten_verarbeiten();
}

// The step files of a run key (ending in "*") in the order they are deleted.
const Tippdatei* const LAUFDATEIEN[] = {&DATEI_KRITERIENPUNKTE, &DATEI_KRITERIENPUNKTE_SORTIERT,
                                        &DATEI_AUSGEWAEHLT,     &DATEI_ERSETZT_GELOESCHT,
                                        &DATEI_ERSETZT,         &DATEI_VORSCHLAG};

// A key that names files only in the program folder.
bool Laufschluessel_gueltig(const String& schluessel)
{
    return !schluessel.empty() && schluessel.back() == '*' &&
           schluessel.find_first_of("/\\") == String::npos && schluessel.find("..") == String::npos;
}

}  // namespace

int TForm1::leere_Tabelle()
{
    Tabelle->SetRedraw(false);
    Tabelle->ClearCells();
    Tabelle->SetRedraw(true);
    Tabelle->Repaint();
    return 0;
}

void TForm1::zeichne_Zelltext(TCanvas* canvas, const String& text, int ausrichtung, TRect rect)
{
    canvas->FillRect(rect);
    const int y = (rect.Top + rect.Bottom - canvas->TextHeight(text)) / 2;
    int x = rect.Left + 2;
    if (ausrichtung == 1) x = rect.Right - canvas->TextWidth(text) - 2;
    if (ausrichtung == 2) x = rect.Left + (rect.Right - rect.Left) / 2 - canvas->TextWidth(text) / 2;
    canvas->TextRect(rect, x, y, text);
}

void TForm1::draw_tabelle(TObject* Sender, int ACol, int ARow, TRect Rect, TGridDrawState State)
{
    auto* tabelle = dynamic_cast<TStringGrid*>(Sender);
    if (!tabelle || (State & gdFixed)) return;
    TCanvas* canvas = tabelle->Canvas();
    const String text = tabelle->Cells(ACol, ARow);
    if (ACol % 2 == 1) {
        if (!(State & gdSelected))
            canvas->Brush().SetColor(grau_aktiv ? clMedGray : archiv_angezeigt ? clYellow : clSkyBlue);
        zeichne_Zelltext(canvas, text, 0, Rect);
    } else {
        zeichne_Zelltext(canvas, text, 1, Rect);
    }
}

void TForm1::sortiere_Spalte(TStringGrid* tabelle, int spalte, bool absteigend)
{
    const int erste = tabelle->FixedRows();
    std::vector<int> werte;
    for (int r = erste; r < tabelle->RowCount(); ++r) werte.push_back(Sortierwert(tabelle, spalte, r));
    for (int n = static_cast<int>(werte.size()); n > 1; --n) {
        for (int i = 0; i + 1 < n; ++i) {
            const bool tauschen = absteigend ? werte[i] < werte[i + 1] : werte[i + 1] < werte[i];
            if (!tauschen) continue;
            std::swap(werte[i], werte[i + 1]);
            const String oben = tabelle->RowCommaText(erste + i);
            tabelle->SetRowCommaText(erste + i, tabelle->RowCommaText(erste + i + 1));
            tabelle->SetRowCommaText(erste + i + 1, oben);
        }
    }
}

void unit1::Statistik_sortieren(TForm1& f, bool absteigend)
{
    try {
        f.sortiere_Spalte(f.Tabelle2, 1, absteigend);
    } catch (const EConvertError& e) {
        OutputDebugStringA("Statistik nicht sortiert: " + e.Message());
    }
}

void TForm1::sortiere_Tabelle(TObject*)
{
    if (!statistik_angezeigt) return;
    abwaerts_sortieren = !abwaerts_sortieren;
    Statistik_sortieren(*this, abwaerts_sortieren);
}

bool TForm1::speichere_Statistik()
{
    TStringList liste;
    liste.Add(IntToStr(Tabelle2->ColCount()));
    for (int r = 0; r < Tabelle2->RowCount(); ++r) liste.Add(Tabelle2->RowCommaText(r));
    liste.SaveToFile(programm_ordner + DATEI_STATISTIK);
    return true;
}

bool TForm1::lade_Statistik()
{
    // The file is only a copy of the grid (49 numbers, a few columns): one that asks for more
    // than any statistics grid holds is refused before the grid is touched.
    constexpr int MAX_SPALTEN = 100;
    constexpr int MAX_ZEILEN = 1000;
    try {
        TStringList liste;
        liste.LoadFromFile(programm_ordner + DATEI_STATISTIK);
        const int spalten = liste.Count() ? StrToIntDef(liste[0], 0) : 0;
        if (spalten < 1) throw EConvertError(String(DATEI_STATISTIK) + " beginnt mit keiner Spaltenzahl.");
        if (spalten > MAX_SPALTEN)
            throw EConvertError(String(DATEI_STATISTIK) + " verlangt " + IntToStr(spalten) +
                                " Spalten, die Statistik hat höchstens " + IntToStr(MAX_SPALTEN) + ".");
        if (liste.Count() - 1 > MAX_ZEILEN)
            throw EConvertError(String(DATEI_STATISTIK) + " hat " + IntToStr(liste.Count() - 1) +
                                " Zeilen, die Statistik höchstens " + IntToStr(MAX_ZEILEN) + ".");
        for (int k = 1; k < liste.Count(); ++k) {
            TStringList zellen;
            zellen.SetCommaText(liste[k]);
            if (zellen.Count() > spalten)
                throw EConvertError(String(DATEI_STATISTIK) + ": Zeile " + IntToStr(k + 1) +
                                    " hat mehr als " + IntToStr(spalten) + " Spalten.");
        }
        Tabelle2->SetRowCount(liste.Count() - 1);
        Tabelle2->SetColCount(spalten);
        for (int k = 1; k < liste.Count(); ++k) Tabelle2->SetRowCommaText(k - 1, liste[k]);
    } catch (const std::bad_alloc&) {
        throw EConvertError(String(DATEI_STATISTIK) + " ist zu groß, um geladen zu werden.");
    }
    return true;
}

void TForm1::starte_History(TObject*)
{
    t_Vergleich = std::make_unique<ThreadZahlenVergleichen>(true);
    t_Vergleich->Resume();
    Sleep(1);
    for (int i = 0; t_Vergleich->laeuft() && i < 9; ++i) {
        Sleep(500);
        OutputDebugStringA("Warte auf TZahlenVergleichen .....");
        Nachrichten_verarbeiten();
    }
    t_Vergleich->WaitFor();
    t_Vergleich->Terminate();
    t_Vergleich->OnTerminate = [this](TObject* Sender) { threads_beenden(Sender); };
}

void TForm1::History_loeschen(TObject*)
{
    zeige_Bild(*this, Image15, "gifs\\delete_x24_d.gif");
    Label1->SetCaption("History wird gelöscht!");
    Nachrichten_verarbeiten();

    // history.txt unreadable or not replaceable: the error goes to the caller, the button
    // comes back.
    TScopeGuard knopf_zurueck([this] { zeige_Bild(*this, Image15, "gifs\\delete_x24.gif"); });
    {
        const String datei = programm_ordner + DATEI_HISTORY;
        TStringList liste;
        liste.LoadFromFile(datei);
        // The key is taken once: every line of it goes, and no other run with it.
        const String schluessel = ComboBox2->Text();
        TStringList rest;
        for (int i = 0; i < liste.Count(); ++i)
            if (liste[i] != schluessel) rest.Add(liste[i]);

        if (liste.Count() < 2 || rest.Count() == 0) {
            MessageBox("Warnung: Darf nicht gelöscht werden!", "Info", MB_OK);
        } else if (rest.Count() < liste.Count()) {
            // The list first: an interrupted delete leaves unlisted files, never a listed run
            // without its files.
            rest.SaveToFile(datei);
            if (Laufschluessel_gueltig(schluessel))
                // Unlisted, the run is gone for the user; a file that cannot go only takes space.
                for (const Tippdatei* d : LAUFDATEIEN) (void)DeleteFile(Dateipfad(*d, schluessel));
            ComboBox2->Items()->LoadFromFile(datei);
            ComboBox2->SetText(rest[0]);
            ListBox1->Clear();
        }
    }
    knopf_zurueck.Dismiss();
    if (ComboBox2->Text().empty()) return;
    Sleep(500);
    zeige_Bild(*this, Image15, "gifs\\delete_x24.gif");
    zaehler_Image15 = 0;
}

void TForm1::start2_sw_click(TObject*)
{
    zeige_Bild(*this, Image10, "gifs\\start_sw.jpg");
    version_pruefen();
    Label1->SetCaption(archiv_angezeigt ? "Das Archiv wird angezeigt!" : "Die Statistik wird angezeigt!");
    Nachrichten_verarbeiten();

    // About 1.7 MB: too large for the user-interface thread's stack.
    auto zahlen = std::make_unique<CDorovZahlen>();
    zahlen->setze_Form(this);
    const bool geladen = zahlen->lade_Zahlen(DateToStr(DateTimePicker1->Date()));
    if (RadioGroup1->Visible()) {
        if (RadioGroup1->ItemIndex() == 0) {
            Label1->SetCaption("0");
            Archiv_neu_laden(*this);
        } else if (RadioGroup1->ItemIndex() == 1) {
            Label1->SetCaption("1");
        }
    } else if (RadioGroup2->ItemIndex() == 0 || RadioGroup2->ItemIndex() == 1) {
        const bool abstand = RadioGroup2->ItemIndex() == 0;
        Label1->SetCaption(abstand ? "0" : "1");
        // Without the archive there is nothing to count: the grid keeps what it showed.
        if (geladen) {
            if (abstand) {
                zahlen->berechne_Abstaende();
                zahlen->sortiere_Abstaende();
            } else {
                zahlen->zaehle_Haeufigkeit("null");
            }
            Tabelle2->SetRowCount(49);
            Tabelle2->SetColCount(2);
            for (int r = 0; r < 49; ++r) {
                Tabelle2->SetCells(0, r, IntToStr(r + 1));
                // Column 1, for the number in column 0: the draws since it was last drawn, or
                // how often it was drawn.
                Tabelle2->SetCells(1, r,
                                   IntToStr(abstand ? zahlen->abstand[r + 1] : zahlen->haeufigkeit[r + 1]));
            }
        }
    }
    Nachrichten_verarbeiten();
    zeige_Bild(*this, Image10, "gifs\\start_sw_.jpg");
    zaehler_Image10 = 0;
}

void TForm1::Image21Click(TObject*) { Ansicht_waehlen(*this, true); }
void TForm1::Image22Click(TObject*) { Ansicht_waehlen(*this, false); }
void TForm1::g_archiv_move(TObject*, TShiftState, int, int) { Ansicht_bewegt(*this, 0); }
void TForm1::g_archiv_leave(TObject*) { Ansicht_verlassen(*this, 0); }
void TForm1::statistik_move(TObject*, TShiftState, int, int) { Ansicht_bewegt(*this, 1); }
void TForm1::statistik_leave(TObject*) { Ansicht_verlassen(*this, 1); }

bool TForm1::lade_Archiv()
{
    // Read once, so the grid never mixes two versions of a file replaced meanwhile.
    String bytes;
    try {
        bytes = ReadFileBytes(programm_ordner + DATEI_DOROV_ZAHLEN);
    } catch (const Exception&) {
        return false;
    }
    // A file in another form (UTF-16) would fill the grid with zeros: say what it is instead.
    const String formatfehler = Formatfehler_des_Archivs(bytes, DATEI_DOROV_ZAHLEN);
    if (!formatfehler.empty()) {
        Tabelle->SetRowCount(1);
        for (int c = 0; c < Tabelle->ColCount(); ++c) Tabelle->SetCells(c, 0, String());
        Label1->SetCaption(formatfehler);
        OutputDebugStringA(formatfehler);
        if (IsMainThread()) MessageBox(formatfehler, "Info", MB_OK | MB_ICONERROR);
        return false;
    }
    std::vector<String> zeilen;
    kern::fuer_jede_Zeile(bytes, 999, [&zeilen](std::string_view zeile) {
        if (!zeile.empty()) zeilen.emplace_back(zeile);
        return true;
    });

    const int zeilenzahl = static_cast<int>(zeilen.size()) + 1;
    Tabelle->SetRowCount(zeilenzahl);
    Tabelle->SetColCount(8);
    for (int r = 0; r < zeilenzahl; ++r) {
        const String* zeile = r < static_cast<int>(zeilen.size()) ? &zeilen[r] : nullptr;
        Tabelle->SetCells(0, r, zeile ? zeile->substr(0, 8) : String());
        std::size_t p = 0;
        for (int c = 1; c <= 7; ++c) {
            // The number behind the next ","; a line with fewer fields leaves its cells empty.
            if (zeile && p != String::npos) p = zeile->find(',', p);
            if (!zeile || p == String::npos) {
                Tabelle->SetCells(c, r, String());
                continue;
            }
            ++p;
            Tabelle->SetCells(c, r, IntToStr(std::strtol(zeile->c_str() + p, nullptr, 10)));
        }
    }
    Tabelle->SetTopRow(zeilenzahl - 1);
    return true;
}
