// The main window: start-up, draw dates, run keys and the settings file.
#include "Unit1.h"

#include "Unit1_intern.h"

#include <algorithm>
#include <set>

#include "CDorovZahlen.h"
#include "Threadzahlenvergleichen.h"
#include "Tippdateien.h"
#include "Unit3.h"
#include "Update_zahlen.h"
#include "Ziehungstage.h"
#include "rtl/Clock.h"
#include "rtl/Debug.h"
#include "rtl/Files.h"
#include "rtl/IniFiles.h"
#include "rtl/ScopeGuard.h"

using namespace unit1;

namespace {

// A date as the draw archive writes it.
String Archivdatum(TDateTime t) { return FormatDateTime("dd.mm.yy", t); }

bool Archiv_enthaelt(const String& datei, const String& datum)
{
    TStringList zeilen;
    zeilen.LoadFromFile(datei);
    for (int i = 0; i < zeilen.Count(); ++i)
        if (Pos(datum, zeilen[i]) > 0) return true;
    return false;
}

}  // namespace

namespace unit1 {

// Leading decimal digits of s from position p; -1 when there are none.
int Zahl_ab(const String& s, std::size_t p)
{
    if (p >= s.size() || s[p] < '0' || s[p] > '9') return -1;
    long long v = 0;
    for (; p < s.size() && s[p] >= '0' && s[p] <= '9'; ++p) {
        v = v * 10 + (s[p] - '0');
        if (v > 1000000000) return -1;
    }
    return static_cast<int>(v);
}

// The lowest run index not yet used by a key of this date and pool size in history.txt, so a
// new run never takes over the step files of an old one, in whatever order the keys stand.
int freier_Index(TLineReader& history, const String& datum, int anzahl)
{
    std::set<int> belegt;
    String zeile;
    while (history.Next(zeile, 99)) {
        if (zeile.size() < 10 || zeile.compare(0, 10, datum) != 0) continue;
        if (Zahl_ab(zeile, 14) != anzahl) continue;
        std::size_t x = zeile.find("x-");
        if (x == String::npos) continue;
        int index = Zahl_ab(zeile, x + 2);
        if (index > 0) belegt.insert(index);
    }
    int i = 1;
    while (belegt.count(i)) ++i;
    return i;
}

}  // namespace unit1

bool TForm1::lade_History(TDateTime datum)
{
    const TDateTime naechste = naechster_Ziehungstag(Now());
    const String schluesseldatum = FormatDateTime("dd-mm-yyyy", datum.Val != 0 ? datum : naechste);
    if (start_laeuft) DateTimePicker2->SetDateTime(naechste);

    const String history = programm_ordner + DATEI_HISTORY;
    TLineReader leser(history);
    if (!leser.IsOpen()) {
        Label1->SetCaption("Datei history.txt nicht gefunden!");
        return false;
    }
    const int anzahl = TrackBar1->Position();
    const int index = freier_Index(leser, schluesseldatum, anzahl);
    ComboBox2->SetText(Tippschluessel(schluesseldatum, anzahl, index));
    tipp_datum = schluesseldatum;
    ComboBox2->Items()->LoadFromFile(history);
    return true;
}

void TForm1::TippDatumAendern(TObject*) { lade_History(DateTimePicker2->DateTime()); }

bool TForm1::pruefe_Ziehung()
{
    const TDateTime letzte = letzter_Ziehungstag(Now());
    DateTimePicker1->SetDateTime(letzte);
    return !Archiv_enthaelt(programm_ordner + DATEI_DOROV_ZAHLEN, Archivdatum(letzte));
}

bool TForm1::pruefe_Tippdatum(bool vom_Picker)
{
    TDateTime tag;
    if (vom_Picker) {
        tag = DateTimePicker2->Date();
    } else {
        // The run key starts with dd-mm-yyyy.
        const String schluessel = ComboBox2->Text();
        if (schluessel.size() < 10 || schluessel[2] != '-' || schluessel[5] != '-')
            throw EConvertError("Der Tippschlüssel \"" + schluessel + "\" beginnt mit keinem Datum.");
        tag = StrToDate(schluessel.substr(0, 2) + "." + schluessel.substr(3, 2) + "." +
                        schluessel.substr(8, 2));
    }
    return Archiv_enthaelt(programm_ordner + DATEI_DOROV_ZAHLEN, Archivdatum(tag));
}

bool TForm1::datei_vorhanden(const String& name)
{
    std::ifstream datei = OpenInput(name);
    return datei.is_open();
}

void TForm1::lese_Umgebung()
{
    TIniFile ini(programm_ordner + DATEI_UMGEBUNG);
    CheckBox21->SetChecked(ini.ReadString("Archiv", "CheckBox21", "") == "true");
    ftp_download = ini.ReadString("Archiv", "Download", "") != "html";
    update_hinweis = ini.ReadString("Allgemein", "Update", "") == "true";
}

// [Archiv] Download is set by hand or by the installation and never written here.
void TForm1::schreibe_Umgebung()
{
    TIniFile ini(programm_ordner + DATEI_UMGEBUNG);
    ini.WriteString("Archiv", "CheckBox21", CheckBox21->Checked() ? "true" : "false");
    ini.WriteString("Allgemein", "Update", update_hinweis ? "true" : "false");
}

// ---- Start-up --------------------------------------------------------------------------------
// The constructor's sequence after the layout stands: start_laeuft stays set throughout, so the
// comparison and the update job started here wait for its end.

namespace {

// Mode and grey-out pictures depend on these positions and states; the layout file keeps the
// designer's places.
void Start_Layout(TForm1& f)
{
    struct Lage {
        const char* name;
        int links, oben;
    };
    static const Lage LAGEN[] = {
        {"Tabelle", 440, 126},      {"Tabelle2", 440, 126},        {"Label49", 440, 110},
        {"ListBox1", 440, 362},     {"Image23", 410, 208},         {"Image24", 410, 178},
        {"Image26", 410, 130},      {"Image27", 410, 156},         {"Image19", 408, 474},
        {"Image28", 408, 440},      {"DateTimePicker2", 225, 256}, {"RadioGroup1", 215, 135},
        {"RadioGroup2", 215, 135},  {"CheckBox2", 215, 395},       {"CheckBox3", 215, 425},
        {"CheckBox4", 215, 455},    {"RadioButton1", 215, 355},    {"Label50", 230, 355},
        {"RadioButton2", 345, 355}, {"Label53", 360, 355},         {"RadioButton3", 525, 355},
        {"Label54", 540, 355},      {"Label51", 605, 357},         {"RadioButton4", 215, 375},
        {"Label47", 230, 375},      {"RadioButton5", 435, 375},    {"Label61", 450, 375},
        {"Label46", 215, 360},      {"Edit8", 320, 355},           {"Image6", 572, 514},
        {"Image7", 572, 514},       {"Image8", 572, 514},          {"Image9", 572, 514},
        {"Image10", 350, 310},
    };
    for (const Lage& l : LAGEN) {
        TControl* c = Element(f, l.name);
        c->SetLeft(l.links);
        c->SetTop(l.oben);
    }
    f.ListBox1->SetVisible(true);

    zeige_Bild(f, f.Image25, "gifs\\calendar24.gif");
    f.Image25->SetEnabled(false);
    f.Image25->SetVisible(false);

    f.RadioGroup1->SetItemIndex(0);
    f.RadioGroup2->SetItemIndex(0);
    f.RadioGroup1->SetVisible(true);
    f.RadioGroup2->SetVisible(false);

    // The pool numbers: three rows of ten, labels and personal-number edits on the same places.
    const int zeilen[3] = {400, 435, 470};
    for (int k = 0; k < 30; ++k) {
        const int links = 215 + 40 * (k % 10), oben = zeilen[k / 10];
        TControl* zahl = Element(f, "Label" + IntToStr(k + 2));
        TControl* eigene = Element(f, "Edit" + IntToStr(k + 9));
        for (TControl* c : {zahl, eigene}) {
            c->SetVisible(false);
            c->SetLeft(links);
            c->SetTop(oben);
        }
        eigene->SetWidth(31);
    }

    freigeben(f, Gruppe_Schritte(), false);
    freigeben(f, {"Label32", "Label45", "TrackBar1", "ComboBox2", "Label33", "ComboBox3", "Label34"}, false);
    freigeben(f, Gruppe_Quellen(), false);
    zeigen(f, Gruppe_Quellen(), false);

    const char* const kriterien[6] = {"Label48", "Label52", "Label55", "Label56", "Label57", "Label58"};
    for (int k = 0; k < 6; ++k) {
        TControl* box = Element(f, "CheckBox" + IntToStr(15 + k));
        TControl* text = Element(f, kriterien[k]);
        box->SetLeft(215);
        text->SetLeft(232);
        for (TControl* c : {box, text}) {
            c->SetTop(385 + 25 * k);
            c->SetEnabled(false);
            c->SetVisible(false);
        }
    }

    for (TControl* c : {static_cast<TControl*>(f.Label46), static_cast<TControl*>(f.Edit8)}) {
        c->SetEnabled(true);
        c->SetVisible(true);
        c->Font()->SetColor(clBlack);
    }
    freigeben(f, Gruppe_Filter(), false);
    zeigen(f, Gruppe_Filter(), false);

    f.Image6->SetVisible(true);
    for (TImage* bild : {f.Image7, f.Image8, f.Image9}) bild->SetVisible(false);
    f.Image10->SetVisible(true);
}

// The buttons' pictures, then the disabled profile and history buttons of expert mode off, then
// the mode pictures of the Sarnik page. Pictures are decoration: a missing one leaves its button
// as the layout has it.
void Start_Bilder(TForm1& f)
{
    static const std::pair<TImage * TForm1::*, const char*> BILDER[] = {
        {&TForm1::Image1, "gifs\\hintergrund.gif"},
        {&TForm1::Image2, "gifs\\sarnik.jpg"},
        {&TForm1::Image3, "gifs\\S1_.jpg"},
        {&TForm1::Image4, "gifs\\S2_.jpg"},
        {&TForm1::Image5, "gifs\\S3_.jpg"},
        {&TForm1::Image21, "gifs\\Archiv.jpg"},
        {&TForm1::Image22, "gifs\\Statistik_.jpg"},
        {&TForm1::Image6, "gifs\\Start_sw_.jpg"},
        {&TForm1::Image10, "gifs\\Start_sw_.jpg"},
        {&TForm1::Image13, "gifs\\save24.gif"},
        {&TForm1::Image14, "gifs\\delete_x24.gif"},
        {&TForm1::Image15, "gifs\\delete_x24.gif"},
        {&TForm1::Image17, "gifs\\mail24.gif"},
        {&TForm1::Image18, "gifs\\help24.gif"},
        {&TForm1::Image19, "gifs\\print24.gif"},
        {&TForm1::Image20, "gifs\\web_download24.gif"},
        {&TForm1::Image23, "gifs\\edit_table_structure24.gif"},
        {&TForm1::Image24, "gifs\\web_search24.gif"},
        {&TForm1::Image28, "gifs\\favorites24.gif"},
        {&TForm1::Image13, "gifs\\save24_d.gif"},
        {&TForm1::Image14, "gifs\\delete_x24_d.gif"},
        {&TForm1::Image15, "gifs\\delete_x24_d.gif"},
        {&TForm1::Image2, "gifs\\sarnik.jpg"},
        {&TForm1::Image3, "gifs\\s1_.jpg"},
        {&TForm1::Image4, "gifs\\s2_.jpg"},
        {&TForm1::Image5, "gifs\\s3_.jpg"},
        // The other start pictures and the sort arrows show their idle picture from the start,
        // not only after the pointer has left them once.
        {&TForm1::Image7, "gifs\\start_bl_.jpg"},
        {&TForm1::Image8, "gifs\\start_rt_.jpg"},
        {&TForm1::Image9, "gifs\\start_gn_.jpg"},
        {&TForm1::Image26, "gifs\\up_blue24.gif"},
        {&TForm1::Image27, "gifs\\down_blue24.gif"},
    };
    for (const auto& [bild, datei] : BILDER) zeige_Bild(f, f.*bild, datei);
    for (TImage* bild : {f.Image13, f.Image14, f.Image15}) bild->SetEnabled(false);
}

// The ticker scrolls Label51's picture through a one-pixel column.
void Ticker_anlegen(TLabel* label)
{
    static std::unique_ptr<TBitmap> bitmap;
    if (!bitmap) bitmap = std::make_unique<TBitmap>();
    const int w = label->Width(), h = label->Height();
    bitmap->SetWidth(1);
    bitmap->SetHeight(h);
    Ticker_Bitmap = bitmap.get();
    Ticker_A = Rect(1, 0, w, h);
    Ticker_B = Rect(0, 0, w - 1, h);
    Ticker_C = Rect(0, 0, 1, h);
    Ticker_D = Rect(w - 1, 0, w, h);
}

// Waits by the tick count while messages are processed, so a shown splash window paints.
void warten_mit_Nachrichten(std::uint32_t ms)
{
    const std::uint32_t beginn = GetTickCount();
    while (GetTickCount() - beginn < ms) {
        Nachrichten_verarbeiten();
        Sleep(10);
    }
}

// Start-up takes its time with or without the splash window.
void Splash_Fortschritt()
{
    for (const char* text : {"Loading language base...", "Loading PlugIns...", "Initiailizing..."}) {
        if (Form3) Form3->lblProgress->SetCaption(text);
        Nachrichten_verarbeiten();
        warten_mit_Nachrichten(1000);
    }
    delete Form3;
    Form3 = nullptr;
}

}  // namespace

void TForm1::starten()
{
    // Profile list (the profile itself is loaded last, over the settings file's state).
    const bool profile_vorhanden = lade_Profilliste();

    SetKeyPreview(true);
    leere_Tabelle();
    lade_Archiv();

    modus_sarnik = 1;
    modus_schritt1 = modus_schritt2 = modus_schritt3 = 0;
    archiv_angezeigt = 1;
    statistik_angezeigt = 0;
    for (int* z : {&zaehler_Image2,  &zaehler_Image3,  &zaehler_Image4,  &zaehler_Image5,  &zaehler_Image6,
                   &zaehler_Image7,  &zaehler_Image8,  &zaehler_Image9,  &zaehler_Image10, &zaehler_Image13,
                   &zaehler_Image14, &zaehler_Image15, &zaehler_Image17, &zaehler_Image18, &zaehler_Image19,
                   &zaehler_Image20, &zaehler_Image21, &zaehler_Image22, &zaehler_Image23, &zaehler_Image24,
                   &zaehler_Image26, &zaehler_Image27, &zaehler_Image28})
        *z = 0;
    schritt1_aktiv = schritt2_aktiv = schritt3_aktiv = 0;

    {
        TUpdateGuard liste(*ListBox1->Items());
        ListBox1->Items()->Clear();
        for (const String& zeile : Starthinweis()) ListBox1->Items()->Add(zeile);
    }
    zeilen_symbol0 = "";
    zeilen_symbol1 = STARTHINWEIS_SYMBOLE;

    OutputDebugStringA("Pfad:");
    OutputDebugStringA(programm_ordner);

    Timer1->SetEnabled(false);
    ProgressBar1->SetVisible(false);
    Tabelle->SetColor(clWhite);
    Animate1->SetFileName(programm_ordner + DATEI_ANIMATION_LAUF);
    Animate2->SetFileName(programm_ordner + DATEI_ANIMATION_DOWNLOAD);
    Animate1->SetVisible(false);
    Animate2->SetVisible(false);
    Animate1->SetBounds(235, 174, 206, 206);
    CppWebBrowser1->SetProperty(DISPID_VISIBLE, false);

    Start_Layout(*this);
    Start_Bilder(*this);

    lade_History(TDateTime(0));
    Tabelle->SetFixedRows(0);
    Tabelle->SetFixedCols(0);
    // The date column holds the widest date whole in the font the grid paints with (the cells
    // keep 2 px on either side), whatever font stands in for the one the layout names.
    Tabelle->SetColWidths(0, std::max(Tabelle->ColWidths(0), Tabelle->Canvas()->TextWidth("88.88.88") + 5));
    Ticker_anlegen(Label51);

    Splash_Fortschritt();

    lese_Umgebung();
    zahlen_aktualisiert = true;
    bool ziehung_fehlt;
    try {
        ziehung_fehlt = pruefe_Ziehung();
    } catch (const EFOpenError&) {
        // Without an archive (a fresh program folder) the newest draw is missing as well; an
        // archive that is there but cannot be read still ends the start.
        if (FileExists(programm_ordner + DATEI_DOROV_ZAHLEN)) throw;
        ziehung_fehlt = true;
    }
    if (ziehung_fehlt &&
        MessageDlg("Möchten Sie die Zahlen aktualisieren?", mtConfirmation, mbYes | mbNo) == mrYes) {
        if (ftp_download) {
            // The grid was filled before the download; a failed one has said why and left the
            // archive as the grid shows it.
            if (ftp_holen()) lade_Archiv();
        } else {
            zahlen_aktualisiert = false;
            CppWebBrowser1->Navigate(Ergebnisseite_URL());
            Sleep(100);
            t_Update = std::make_unique<Update_Zahlen>(true);
            Sleep(10);
            t_Update->Resume();
            Sleep(10);
            t_Update->Terminate();
            t_Update->OnTerminate = Threads_beenden_lassen;
        }
    }

    t_Vergleich = std::make_unique<ThreadZahlenVergleichen>(true);
    Sleep(100);
    t_Vergleich->Resume();
    Sleep(1);
    t_Vergleich->Terminate();
    t_Vergleich->OnTerminate = Threads_beenden_lassen;

    if (profile_vorhanden) load_profil();

    Tabelle->SetTopRow(Tabelle->RowCount() - 1);
    if (RadioGroup1->ButtonCount() > 1) RadioGroup1->Buttons(1)->SetEnabled(false);

    anzahl_Varianten = 0;
    anzahl_Kombinationen();

    Nachrichten_verarbeiten();
    start_laeuft = false;
}
