// The main window: number panel, tip list and the clipboard watcher.
#include "Unit1.h"

#include "Unit1_intern.h"

#include <algorithm>
#include <atomic>

#include "Threadcheckzwischenablage.h"
#include "Tippdateien.h"
#include "Schritt2Kern.h"
#include "rtl/Clock.h"

using namespace unit1;

namespace {

// Number control k (1..30) of a family: Label(k+1) or Edit(k+8).
TControl* Zahlfeld(TForm1& f, const char* familie, int k)
{
    return Element(f, familie + IntToStr(k + (String(familie) == "Edit" ? 8 : 1)));
}

// The first 18 number controls always show; the 19th to 30th follow the pool size.
void Pool_zeigen(TForm1& f, const char* familie)
{
    const int n = f.TrackBar1->Position();
    for (int k = 1; k <= 30; ++k) Zahlfeld(f, familie, k)->SetVisible(k <= 18 || k <= n);
}

void Edits_verbergen(TForm1& f)
{
    for (int k = 1; k <= 30; ++k) Zahlfeld(f, "Edit", k)->SetVisible(false);
}

// Whether line i stands in a line list ("2,3,4,"). The element behind the final comma is no
// index, so a list without that comma marks nothing of its last entry.
bool Zeile_gelistet(const String& liste, int i)
{
    TStringList teile;
    teile.SetCommaText(liste);
    for (int j = 0; j + 1 < teile.Count(); ++j)
        if (StrToIntDef(teile[j], -1) == i) return true;
    return false;
}

// The markers' column: 165, or behind the longest marked line, so that no marker hides the end of
// its line ("...erfolgreich ausgeführt!") and the markers still stand one under the other.
int Markenspalte(TCanvas& c, const std::vector<String>& zeilen, const String& liste0, const String& liste1,
                 int links)
{
    int x = 165;
    for (const String* liste : {&liste0, &liste1}) {
        TStringList teile;
        teile.SetCommaText(*liste);
        for (int j = 0; j + 1 < teile.Count(); ++j) {
            const int i = StrToIntDef(teile[j], -1);
            if (i >= 0 && i < static_cast<int>(zeilen.size()))
                x = std::max(x, links + c.TextWidth(zeilen[i]) + 3);
        }
    }
    return x;
}

// Only the newest watcher may go on: after a quick untick and tick the older one would never
// see the box unticked, and the slot that frees it would wait for it forever.
std::atomic<unsigned> neuester_Waechter{0};

class TWaechter final : public ThreadCheckZwischenablage {
public:
    TWaechter() : ThreadCheckZwischenablage(true, &FFenster), FFenster(++neuester_Waechter) {}
    ~TWaechter() override { warte_auf_Ende(); }  // FFenster is read until the work ends

private:
    class TFenster : public IZwischenablageFenster {
    public:
        explicit TFenster(unsigned nummer) : FNummer(nummer) {}
        bool CheckBox22() override
        {
            // The window takes itself out when it closes.
            IZwischenablageFenster* f = ZwischenablageFenster();
            return neuester_Waechter == FNummer && f && f->CheckBox22();
        }

    private:
        unsigned FNummer;
    } FFenster;
};

}  // namespace

// OnTerminate runs after the work has ended, perhaps after the window that set it is gone.
void unit1::Threads_beenden_lassen(TObject* Sender)
{
    if (Form1) Form1->threads_beenden(Sender);
}

void TForm1::anzahl_Kombinationen()
{
    int anzahl = anzahl_Varianten;
    if (::anzahl_Kombinationen(TrackBar1->Position(), anzahl)) anzahl_Varianten = anzahl;
}

void TForm1::zahl_wechseln(TObject*)
{
    const int n = TrackBar1->Position();
    Label45->SetCaption(IntToStr(n));
    anzahl_Kombinationen();
    if (modus_schritt1 == 1) Pool_zeigen(*this, RadioButton5->Checked() ? "Edit" : "Label");

    // The key of a new run of today with this pool size.
    const String datum = FormatDateTime("dd-mm-yyyy", Now());
    TLineReader history(programm_ordner + DATEI_HISTORY);
    if (!history.IsOpen()) {
        Label1->SetCaption("Datei history.txt nicht gefunden!");
        return;
    }
    ComboBox2->SetText(Tippschluessel(datum, n, freier_Index(history, datum, n)));
}

void TForm1::drawItem(TControl* Control, int Index, TRect Rect, TOwnerDrawState State)
{
    auto* liste = dynamic_cast<TListBox*>(Control);
    if (!liste) liste = ListBox1;
    TCanvas& c = *liste->Canvas();
    const bool gewaehlt = State & odSelected;
    const bool schwarz = CheckBox2->Visible();
    if (gewaehlt) {
        c.Brush().SetColor(schwarz ? clBlack : clGreen);
        c.Font().SetColor(clWhite);
    } else if (Zeile_gelistet(zeilen_farbe, Index)) {
        c.Brush().SetColor(clWhite);
        c.Font().SetColor(clRed);
    } else {
        c.Brush().SetColor(clWhite);
        c.Font().SetColor(schwarz ? clBlack : clGreen);
    }
    c.FillRect(Rect);
    // The workers replace the lines while the list is painted.
    const std::vector<String> zeilen = liste->Items()->ToVector();
    const String text = Index >= 0 && Index < static_cast<int>(zeilen.size()) ? zeilen[Index] : String();
    // An inner margin, so the first digit of "1." does not touch the list's border.
    const int links = Rect.Left + 3;
    c.TextRect(Rect, links, Rect.Top, text);
    if (State & odFocused) c.DrawFocusRect(Rect);
    const bool symbol0 = Zeile_gelistet(zeilen_symbol0, Index),
               symbol1 = Zeile_gelistet(zeilen_symbol1, Index);
    if (!symbol0 && !symbol1) return;
    const int x = Markenspalte(c, zeilen, zeilen_symbol0, zeilen_symbol1, links);
    if (symbol0) ImageList1->Draw(c, x, Rect.Top + 1, 0, true);
    if (symbol1) ImageList1->Draw(c, x, Rect.Top + 1, 1, true);
}

void TForm1::RadioButton1Click(TObject*)
{
    Edits_verbergen(*this);
    if (modus_schritt1 == 1) Pool_zeigen(*this, "Label");
}
void TForm1::RadioButton2Click(TObject* Sender) { RadioButton1Click(Sender); }
void TForm1::RadioButton3Click(TObject* Sender) { RadioButton1Click(Sender); }
void TForm1::RadioButton4Click(TObject* Sender) { RadioButton1Click(Sender); }

void TForm1::RadioButton5Click(TObject*)
{
    if (!RadioButton5->Checked()) {
        Edits_verbergen(*this);
        return;
    }
    // The edits take the places of exactly the labels that show.
    for (int k = 1; k <= 30; ++k) {
        TControl* label = Zahlfeld(*this, "Label", k);
        if (!label->Visible()) continue;
        label->SetVisible(false);
        Zahlfeld(*this, "Edit", k)->SetVisible(true);
    }
}

void TForm1::Timer1Timer(TObject*)
{
    TLabel* zahlen[] = {Label2,  Label3,  Label4,  Label5,  Label6,  Label7,  Label8,  Label9,
                        Label10, Label11, Label12, Label13, Label14, Label15, Label16, Label17,
                        Label18, Label19, Label20, Label21, Label22, Label23, Label24, Label25,
                        Label26, Label27, Label28, Label29, Label30, Label31};
    for (TLabel* l : zahlen) {
        int z = StrToIntDef(l->Caption(), 0) + 1;
        if (z > 49) z = 1;
        l->SetCaption(IntToStr(z));
    }
    Nachrichten_verarbeiten();
}

void TForm1::CheckBox22Click(TObject*)
{
    if (CheckBox22->Checked()) {
        t_Zwischenablage = std::make_unique<TWaechter>();
        t_Zwischenablage->Resume();
        Sleep(1);
        TrayIcon3->SetVisible(true);
        TrayIcon3->SetBalloonTitle("Quenzel 2009");
        TrayIcon3->SetBalloonHint("Die Zwischenablage wird überwacht!");
        TrayIcon3->ShowBalloonHint();
    } else {
        // The watcher ends at its next look at the box.
        if (t_Zwischenablage) {
            t_Zwischenablage->Terminate();
            t_Zwischenablage->OnTerminate = Threads_beenden_lassen;
        }
        TrayIcon3->SetVisible(false);
    }
}

// ---- end of number panel, tip list, update button and clipboard watcher ------------------
