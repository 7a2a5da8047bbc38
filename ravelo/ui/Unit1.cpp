#include "Unit1.h"

#include "Schritt1Anschluss.h"
#include "SchrittAnschluss.h"
#include "UpdateAnschluss.h"

#include <cstdlib>
#include <algorithm>
#include <mutex>
#include <set>
#include <vector>

#include "CDorovZahlen.h"
#include "Programmordner.h"
#include "Schritt2Kern.h"
#include "Thread_Sarnik.h"
#include "Threadcheckzwischenablage.h"
#include "Threadzahlenvergleichen.h"
#include "Tippdateien.h"
#include "Unit1.zfm.h"
#include "Unit3.h"
#include "Unit5.h"
#include "Unit7.h"
#include "Update_zahlen.h"
#include "rtl/Clock.h"
#include "rtl/Debug.h"
#include "rtl/Files.h"
#include "rtl/IniFiles.h"
#include "rtl/MainThread.h"
#include "zub/ShellApi.h"

TForm1* Form1 = nullptr;

static TPicture g_Bildpuffer;
TPicture* Bildpuffer = &g_Bildpuffer;
int grau_aktiv = 0;
bool ftp_download = true;
bool update_hinweis = false;
bool abwaerts_sortieren = true;
TBitmap* Ticker_Bitmap = nullptr;
TRect Ticker_A, Ticker_B, Ticker_C, Ticker_D;

String Ergebnisseite_URL()
{
    // The program ships without a public server: the host is whatever the user points it at.
    const char* host = std::getenv("RAVELO_WEB_HOST");
    return String("http://") + (host && *host ? host : "localhost") + "/ftp/dorov_zahlen.html";
}

namespace {

const char* const BESCHREIBUNG = "Beschreibung:";

int Stunde(TDateTime t)
{
    int stunde, minute, sekunde, ms;
    DecodeTime(t, stunde, minute, sekunde, ms);
    return stunde;
}

// The coming draw: the same Wednesday until 18:59, the same Saturday until 19:59, else the
// next Wednesday or Saturday. The time of day is kept.
TDateTime naechste_Ziehung(TDateTime jetzt)
{
    const int stunde = Stunde(jetzt);
    TDateTime d = jetzt;
    bool verschoben = false;
    auto verschiebe = [&](int tag, int tage) {
        if (DayOfWeek(d) == tag) {
            d = IncDay(d, tage);
            verschoben = true;
        }
    };
    verschiebe(1, 3);
    verschiebe(2, 2);
    verschiebe(3, 1);
    verschiebe(5, 2);
    verschiebe(6, 1);
    if (DayOfWeek(d) == 4 && stunde >= 19 && !verschoben) {
        d = IncDay(d, 3);
        verschoben = true;
    }
    if (DayOfWeek(d) == 7 && stunde >= 20 && !verschoben) d = IncDay(d, 4);
    return d;
}

// The newest draw that has taken place: Wednesday from 19:00, Saturday from 20:00.
TDateTime letzte_Ziehung(TDateTime jetzt)
{
    const int stunde = Stunde(jetzt);
    TDateTime d = jetzt;
    bool verschoben = false;
    auto verschiebe = [&](int tag, int tage) {
        if (DayOfWeek(d) == tag) {
            d = IncDay(d, -tage);
            verschoben = true;
        }
    };
    verschiebe(1, 1);
    verschiebe(2, 2);
    verschiebe(3, 3);
    verschiebe(5, 1);
    verschiebe(6, 2);
    if (DayOfWeek(d) == 4 && stunde < 19 && !verschoben) {
        d = IncDay(d, -4);
        verschoben = true;
    }
    if (DayOfWeek(d) == 7 && stunde < 20 && !verschoben) d = IncDay(d, -3);
    return d;
}

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

void Nachrichten_verarbeiten()
{
    // Workers reach the model directly; only the user-interface thread runs the message loop.
    if (IsMainThread()) Application->ProcessMessages();
}

// The views of windows that have gone, kept until the process ends (never freed, not even at
// exit, where a worker may still run).
template <class T>
void aufbewahren(std::unique_ptr<T>& fenster)
{
    static std::mutex sperre;
    static auto* aufbewahrt = new std::vector<std::shared_ptr<void>>;
    std::lock_guard<std::mutex> g(sperre);
    if (fenster) aufbewahrt->push_back(std::shared_ptr<T>(std::move(fenster)));
}

void umschalten(TCheckBox* box) { box->SetChecked(!box->Checked()); }
void umschalten(TRadioButton* knopf) { knopf->SetChecked(!knopf->Checked()); }

}  // namespace

TForm1::TForm1(TComponent* Owner) : TForm(Owner)
{
    Form1 = this;
    vergleich_beim_Start = true;
    start_laeuft = true;
    handler_eintragen();
    ReadLayout(Unit1_zfm);
    komponenten_binden();
    CppWebBrowser1 = std::make_unique<TCppWebBrowser>();
    IdFTP1 = std::make_unique<TIdFTP>();
    bindung = std::make_shared<TFormBindung<TForm1>>(*this);
    schritt1_fenster = std::make_unique<TSchritt1Anschluss<TForm1>>(bindung);
    setze_Schritt1Fenster(schritt1_fenster.get());
    vergleich_fenster = std::make_unique<TVergleichAnschluss<TForm1>>(bindung);
    setze_VergleichFenster(vergleich_fenster.get());
    schritt_fenster = std::make_unique<TSchrittAnschluss<TForm1>>(bindung);
    setze_SchrittFenster(schritt_fenster.get());
    update_fenster = std::make_unique<TUpdateAnschluss<TForm1>>(bindung);
    setze_UpdateFenster(update_fenster.get());
    zwischenablage_fenster = std::make_unique<TZwischenablageAnschluss<TForm1>>(bindung);
    setze_ZwischenablageFenster(zwischenablage_fenster.get());

    programm_ordner = ProgrammOrdner();
    if (!ProgrammOrdner_einrichten())
        throw EInOutError("Der Programmordner " + programm_ordner + " kann nicht angelegt werden.");
    // The markers of the tip list: icon 0 a blue, icon 1 a grey check mark. A missing picture
    // keeps its place, so the other one keeps its index.
    for (const char* datei : {"gifs\\haken_blau.gif", "gifs\\haken_grau.gif"}) {
        TPicture symbol;
        try {
            symbol.LoadFromFile(programm_ordner + datei);
        } catch (const Exception& e) {
            OutputDebugStringA(e.Message());
        }
        ImageList1->Add(symbol);
    }
    starten();
}

TForm1::~TForm1()
{
    // Workers still running at shutdown are left alone: they are neither stopped nor waited for.
    auto loslassen = [](auto& slot) {
        if (slot && !slot->Suspended() && !slot->Finished()) (void)slot.release();
    };
    loslassen(t_Treiber);
    loslassen(t_Update);
    loslassen(t_Vergleich);
    loslassen(t_Zwischenablage);
    if (Schritt1Fenster() == schritt1_fenster.get()) setze_Schritt1Fenster(nullptr);
    if (VergleichFenster() == vergleich_fenster.get()) setze_VergleichFenster(nullptr);
    if (SchrittFenster() == schritt_fenster.get()) setze_SchrittFenster(nullptr);
    if (UpdateFenster() == update_fenster.get()) setze_UpdateFenster(nullptr);
    if (ZwischenablageFenster() == zwischenablage_fenster.get()) setze_ZwischenablageFenster(nullptr);
    if (Form1 == this) Form1 = nullptr;
    // A worker left running (or one of its children) may still hold a view: the views no longer
    // reach this window and stay until the process ends.
    bindung->loesen();
    aufbewahren(schritt1_fenster);
    aufbewahren(vergleich_fenster);
    aufbewahren(schritt_fenster);
    aufbewahren(update_fenster);
    aufbewahren(zwischenablage_fenster);
}

#define FORM_HANDLER(m) Handler(#m, &TForm1::m)

void TForm1::handler_eintragen()
{
    FORM_HANDLER(TippDatumAendern);
    FORM_HANDLER(beenden);
    FORM_HANDLER(Tasten_abfangen);
    FORM_HANDLER(verschieben_2);
    FORM_HANDLER(SpeedButton2Click);
    FORM_HANDLER(start_PopUp_mit_click);
    FORM_HANDLER(start_PopUp_mit_double);
    FORM_HANDLER(Wiederherstellen1Click);
    FORM_HANDLER(Beenden1Click);
    FORM_HANDLER(Timer2Timer);
    FORM_HANDLER(test1);
    FORM_HANDLER(Sarnik_click_);
    FORM_HANDLER(ssarnik);
    FORM_HANDLER(s2_click);
    FORM_HANDLER(s3_click);
    FORM_HANDLER(aa);
    FORM_HANDLER(bb);
    FORM_HANDLER(ggggg);
    FORM_HANDLER(qqqq);
    FORM_HANDLER(lllll);
    FORM_HANDLER(www);
    FORM_HANDLER(cccc);
    FORM_HANDLER(ccc);
    FORM_HANDLER(start_sw);
    FORM_HANDLER(start_bl);
    FORM_HANDLER(start_rt);
    FORM_HANDLER(start_gn);
    FORM_HANDLER(start2_sw_click);
    FORM_HANDLER(start_sw_move);
    FORM_HANDLER(start_bl_move);
    FORM_HANDLER(start_rt_move);
    FORM_HANDLER(start_gn_move);
    FORM_HANDLER(start2_sw_move);
    FORM_HANDLER(start_sw_up);
    FORM_HANDLER(start_bl_up);
    FORM_HANDLER(start_rt_up);
    FORM_HANDLER(start_gn_up);
    FORM_HANDLER(start2_sw_up);
    FORM_HANDLER(start_sw_leave);
    FORM_HANDLER(start_bl_leave);
    FORM_HANDLER(start_rt_leave);
    FORM_HANDLER(start_gn_leave);
    FORM_HANDLER(start2_sw_leave);
    FORM_HANDLER(expertenModus);
    FORM_HANDLER(ExpertMove);
    FORM_HANDLER(expertLeave);
    FORM_HANDLER(save_profil);
    FORM_HANDLER(Profil_reade);
    FORM_HANDLER(Profil_loeschen);
    FORM_HANDLER(zahl_wechseln);
    FORM_HANDLER(Timer1Timer);
    FORM_HANDLER(drawItem);
    FORM_HANDLER(RadioButton1Click);
    FORM_HANDLER(RadioButton2Click);
    FORM_HANDLER(RadioButton3Click);
    FORM_HANDLER(RadioButton4Click);
    FORM_HANDLER(RadioButton5Click);
    FORM_HANDLER(Label50Click);
    FORM_HANDLER(Label53Click);
    FORM_HANDLER(Label54Click);
    FORM_HANDLER(Label47Click);
    FORM_HANDLER(Label61Click);
    FORM_HANDLER(Label35Click);
    FORM_HANDLER(Label36Click);
    FORM_HANDLER(Label37Click);
    FORM_HANDLER(Label38Click);
    FORM_HANDLER(Label39Click);
    FORM_HANDLER(Label40Click);
    FORM_HANDLER(Label41Click);
    FORM_HANDLER(Label42Click);
    FORM_HANDLER(Label43Click);
    FORM_HANDLER(Label44Click);
    FORM_HANDLER(Label48Click);
    FORM_HANDLER(Label52Click);
    FORM_HANDLER(Label55Click);
    FORM_HANDLER(Label56Click);
    FORM_HANDLER(Label57Click);
    FORM_HANDLER(Label58Click);
    FORM_HANDLER(draw_tabelle);
    FORM_HANDLER(sortiere_Tabelle);
    FORM_HANDLER(starte_History);
    FORM_HANDLER(History_loeschen);
    FORM_HANDLER(Hist_loesch_move);
    FORM_HANDLER(Profil_loesch_move);
    FORM_HANDLER(Help_move);
    FORM_HANDLER(mail_move);
    FORM_HANDLER(Homepage_move);
    FORM_HANDLER(update_move);
    FORM_HANDLER(archiv_move);
    FORM_HANDLER(save_profil_move);
    FORM_HANDLER(Print_move);
    FORM_HANDLER(up_move);
    FORM_HANDLER(down_move);
    FORM_HANDLER(favorites_move);
    FORM_HANDLER(Hist_loesch_Up);
    FORM_HANDLER(Profil_loesch_Up);
    FORM_HANDLER(Help_Up);
    FORM_HANDLER(mail_Up);
    FORM_HANDLER(Hompage_Up);
    FORM_HANDLER(update_Up);
    FORM_HANDLER(archiv_Up);
    FORM_HANDLER(save_profil_Up);
    FORM_HANDLER(Print_Up);
    FORM_HANDLER(up_up);
    FORM_HANDLER(down_up);
    FORM_HANDLER(favorites_up);
    FORM_HANDLER(Hist_loesch_leave);
    FORM_HANDLER(Profil_loesch_leave);
    FORM_HANDLER(Help_leave);
    FORM_HANDLER(mail_leave);
    FORM_HANDLER(Hompage_leave);
    FORM_HANDLER(update_leave);
    FORM_HANDLER(archiv_leave);
    FORM_HANDLER(save_profil_leave);
    FORM_HANDLER(Print_leave);
    FORM_HANDLER(up_leave);
    FORM_HANDLER(down_leave);
    FORM_HANDLER(favorites_leave);
    FORM_HANDLER(Image11Click);
    FORM_HANDLER(Image17Click);
    FORM_HANDLER(Image18Click);
    FORM_HANDLER(Image19Click);
    FORM_HANDLER(Image20Click);
    FORM_HANDLER(Image23Click);
    FORM_HANDLER(Image24Click);
    FORM_HANDLER(Image26Click);
    FORM_HANDLER(Image27Click);
    FORM_HANDLER(Image28Click);
    FORM_HANDLER(Image21Click);
    FORM_HANDLER(g_archiv_move);
    FORM_HANDLER(g_archiv_leave);
    FORM_HANDLER(Image22Click);
    FORM_HANDLER(statistik_move);
    FORM_HANDLER(statistik_leave);
    FORM_HANDLER(Update1Click);
    FORM_HANDLER(CheckBox22Click);
}

#undef FORM_HANDLER

void TForm1::komponenten_binden()
{
    Bind(Image1, "Image1");
    Bind(Image2, "Image2");
    Bind(Image3, "Image3");
    Bind(Image4, "Image4");
    Bind(Image5, "Image5");
    Bind(Image6, "Image6");
    Bind(Image7, "Image7");
    Bind(Image8, "Image8");
    Bind(Image9, "Image9");
    Bind(Image10, "Image10");
    Bind(Image11, "Image11");
    Bind(Image12, "Image12");
    Bind(Image13, "Image13");
    Bind(Image14, "Image14");
    Bind(Image15, "Image15");
    Bind(Image17, "Image17");
    Bind(Image18, "Image18");
    Bind(Image19, "Image19");
    Bind(Image20, "Image20");
    Bind(Image21, "Image21");
    Bind(Image22, "Image22");
    Bind(Image23, "Image23");
    Bind(Image24, "Image24");
    Bind(Image25, "Image25");
    Bind(Image26, "Image26");
    Bind(Image27, "Image27");
    Bind(Image28, "Image28");
    Bind(SpeedButton1, "SpeedButton1");
    Bind(SpeedButton2, "SpeedButton2");
    Bind(Label1, "Label1");
    Bind(Label2, "Label2");
    Bind(Label3, "Label3");
    Bind(Label4, "Label4");
    Bind(Label5, "Label5");
    Bind(Label6, "Label6");
    Bind(Label7, "Label7");
    Bind(Label8, "Label8");
    Bind(Label9, "Label9");
    Bind(Label10, "Label10");
    Bind(Label11, "Label11");
    Bind(Label12, "Label12");
    Bind(Label13, "Label13");
    Bind(Label14, "Label14");
    Bind(Label15, "Label15");
    Bind(Label16, "Label16");
    Bind(Label17, "Label17");
    Bind(Label18, "Label18");
    Bind(Label19, "Label19");
    Bind(Label20, "Label20");
    Bind(Label21, "Label21");
    Bind(Label22, "Label22");
    Bind(Label23, "Label23");
    Bind(Label24, "Label24");
    Bind(Label25, "Label25");
    Bind(Label26, "Label26");
    Bind(Label27, "Label27");
    Bind(Label28, "Label28");
    Bind(Label29, "Label29");
    Bind(Label30, "Label30");
    Bind(Label31, "Label31");
    Bind(Label32, "Label32");
    Bind(Label33, "Label33");
    Bind(Label34, "Label34");
    Bind(Label35, "Label35");
    Bind(Label36, "Label36");
    Bind(Label37, "Label37");
    Bind(Label38, "Label38");
    Bind(Label39, "Label39");
    Bind(Label40, "Label40");
    Bind(Label41, "Label41");
    Bind(Label42, "Label42");
    Bind(Label43, "Label43");
    Bind(Label44, "Label44");
    Bind(Label45, "Label45");
    Bind(Label46, "Label46");
    Bind(Label47, "Label47");
    Bind(Label48, "Label48");
    Bind(Label49, "Label49");
    Bind(Label50, "Label50");
    Bind(Label51, "Label51");
    Bind(Label52, "Label52");
    Bind(Label53, "Label53");
    Bind(Label54, "Label54");
    Bind(Label55, "Label55");
    Bind(Label56, "Label56");
    Bind(Label57, "Label57");
    Bind(Label58, "Label58");
    Bind(Label59, "Label59");
    Bind(Label60, "Label60");
    Bind(Label61, "Label61");
    Bind(Edit1, "Edit1");
    Bind(Edit2, "Edit2");
    Bind(Edit3, "Edit3");
    Bind(Edit4, "Edit4");
    Bind(Edit5, "Edit5");
    Bind(Edit6, "Edit6");
    Bind(Edit7, "Edit7");
    Bind(Edit8, "Edit8");
    Bind(Edit9, "Edit9");
    Bind(Edit10, "Edit10");
    Bind(Edit11, "Edit11");
    Bind(Edit12, "Edit12");
    Bind(Edit13, "Edit13");
    Bind(Edit14, "Edit14");
    Bind(Edit15, "Edit15");
    Bind(Edit16, "Edit16");
    Bind(Edit17, "Edit17");
    Bind(Edit18, "Edit18");
    Bind(Edit19, "Edit19");
    Bind(Edit20, "Edit20");
    Bind(Edit21, "Edit21");
    Bind(Edit22, "Edit22");
    Bind(Edit23, "Edit23");
    Bind(Edit24, "Edit24");
    Bind(Edit25, "Edit25");
    Bind(Edit26, "Edit26");
    Bind(Edit27, "Edit27");
    Bind(Edit28, "Edit28");
    Bind(Edit29, "Edit29");
    Bind(Edit30, "Edit30");
    Bind(Edit31, "Edit31");
    Bind(Edit32, "Edit32");
    Bind(Edit33, "Edit33");
    Bind(Edit34, "Edit34");
    Bind(Edit35, "Edit35");
    Bind(Edit36, "Edit36");
    Bind(Edit37, "Edit37");
    Bind(Edit38, "Edit38");
    Bind(CheckBox1, "CheckBox1");
    Bind(CheckBox2, "CheckBox2");
    Bind(CheckBox3, "CheckBox3");
    Bind(CheckBox4, "CheckBox4");
    Bind(CheckBox5, "CheckBox5");
    Bind(CheckBox6, "CheckBox6");
    Bind(CheckBox7, "CheckBox7");
    Bind(CheckBox8, "CheckBox8");
    Bind(CheckBox9, "CheckBox9");
    Bind(CheckBox10, "CheckBox10");
    Bind(CheckBox11, "CheckBox11");
    Bind(CheckBox12, "CheckBox12");
    Bind(CheckBox13, "CheckBox13");
    Bind(CheckBox14, "CheckBox14");
    Bind(CheckBox15, "CheckBox15");
    Bind(CheckBox16, "CheckBox16");
    Bind(CheckBox17, "CheckBox17");
    Bind(CheckBox18, "CheckBox18");
    Bind(CheckBox19, "CheckBox19");
    Bind(CheckBox20, "CheckBox20");
    Bind(CheckBox21, "CheckBox21");
    Bind(CheckBox22, "CheckBox22");
    Bind(RadioButton1, "RadioButton1");
    Bind(RadioButton2, "RadioButton2");
    Bind(RadioButton3, "RadioButton3");
    Bind(RadioButton4, "RadioButton4");
    Bind(RadioButton5, "RadioButton5");
    Bind(RadioGroup1, "RadioGroup1");
    Bind(RadioGroup2, "RadioGroup2");
    Bind(ComboBox2, "ComboBox2");
    Bind(ComboBox3, "ComboBox3");
    Bind(ListBox1, "ListBox1");
    Bind(Tabelle, "Tabelle");
    Bind(Tabelle2, "Tabelle2");
    Bind(TrackBar1, "TrackBar1");
    Bind(DateTimePicker1, "DateTimePicker1");
    Bind(DateTimePicker2, "DateTimePicker2");
    Bind(ProgressBar1, "ProgressBar1");
    Bind(Animate1, "Animate1");
    Bind(Animate2, "Animate2");
    Bind(RichEdit1, "RichEdit1");
    Bind(Timer1, "Timer1");
    Bind(Timer2, "Timer2");
    Bind(ImageList1, "ImageList1");
    Bind(TrayIcon1, "TrayIcon1");
    Bind(TrayIcon2, "TrayIcon2");
    Bind(TrayIcon3, "TrayIcon3");
    Bind(PopupMenu1, "PopupMenu1");
    Bind(Beenden1, "Beenden1");
    Bind(Update1, "Update1");
    Bind(Wiederherstellen1, "Wiederherstellen1");
    Bind(PrintDialog1, "PrintDialog1");
}

void TForm1::threads_beenden(TObject*)
{
    if (t_Treiber) t_Treiber->Terminate();
    if (t_Update) t_Update->Terminate();
    if (t_Zwischenablage) t_Zwischenablage->Terminate();
}

bool TForm1::bilder_freigeben()
{
    for (TImage* bild : {Image2, Image3, Image4, Image5, Image6, Image7, Image8, Image9, Image10})
        bild->SetEnabled(true);
    Nachrichten_verarbeiten();
    return true;
}

bool TForm1::lade_History(TDateTime datum)
{
    const TDateTime naechste = naechste_Ziehung(Now());
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
    const TDateTime letzte = letzte_Ziehung(Now());
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
    TIniFile ini(programm_ordner + "environment.ini");
    CheckBox21->SetChecked(ini.ReadString("Archiv", "CheckBox21", "") == "true");
    ftp_download = ini.ReadString("Archiv", "Download", "") != "html";
    update_hinweis = ini.ReadString("Allgemein", "Update", "") == "true";
}

// [Archiv] Download is set by hand or by the installation and never written here.
void TForm1::schreibe_Umgebung()
{
    TIniFile ini(programm_ordner + "environment.ini");
    ini.WriteString("Archiv", "CheckBox21", CheckBox21->Checked() ? "true" : "false");
    ini.WriteString("Allgemein", "Update", update_hinweis ? "true" : "false");
}

void TForm1::test1(TObject*, TShiftState, int, int) { Label1->SetCaption(BESCHREIBUNG); }

void TForm1::ExpertMove(TObject*, TShiftState, int, int)
{
    Label1->SetCaption("Experten Modus aktivieren? Danach können Sie eigene Einstellungen wählen!");
    Nachrichten_verarbeiten();
}

void TForm1::expertLeave(TObject*)
{
    Label1->SetCaption(BESCHREIBUNG);
    Nachrichten_verarbeiten();
}

// ---- Mode pages, run buttons, grey-out and restore ---------------------------------------

namespace {

// Every picture file goes through the shared buffer into the control that shows it.
void lade_Bild(TForm1& f, TImage* bild, const String& datei)
{
    Bildpuffer->LoadFromFile(f.programm_ordner + datei);
    bild->Picture()->Assign(*Bildpuffer);
}

// Pictures are decoration: one that is missing or broken leaves the control as it is, so the
// handler still does its work.
void zeige_Bild(TForm1& f, TImage* bild, const String& datei)
{
    try {
        lade_Bild(f, bild, datei);
    } catch (const Exception& e) {
        OutputDebugStringA(e.Message());
    }
}

TControl* Element(TForm1& f, const String& name)
{
    auto* c = dynamic_cast<TControl*>(f.FindComponent(name));
    if (!c) throw EComponentError("Das Hauptfenster hat kein Element " + name + ".");
    return c;
}

std::vector<String> Reihe(const char* stamm, int von, int bis)
{
    std::vector<String> namen;
    for (int i = von; i <= bis; ++i) namen.push_back(stamm + IntToStr(i));
    return namen;
}

std::vector<String> Verbunden(std::initializer_list<std::vector<String>> teile)
{
    std::vector<String> alle;
    for (const auto& t : teile) alle.insert(alle.end(), t.begin(), t.end());
    return alle;
}

void zeigen(TForm1& f, const std::vector<String>& namen, bool sichtbar)
{
    for (const String& n : namen) Element(f, n)->SetVisible(sichtbar);
}

void freigeben(TForm1& f, const std::vector<String>& namen, bool an)
{
    for (const String& n : namen) Element(f, n)->SetEnabled(an);
}

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
    f.Label1->SetCaption(SEITEN[seite].text);
    if (zaehler == 1 && !gewaehlt(f, seite)) zeige_Bild(f, f.*SEITEN[seite].bild, SEITEN[seite].schwebend);
}

void Modus_verlassen(TForm1& f, int seite)
{
    if (!(f.*SEITEN[seite].bild)->Enabled()) return;
    f.Label1->SetCaption(BESCHREIBUNG);
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
    f.Label1->SetCaption(Frage(f, knopf));
    zeige_Bild(f, f.*s.bild, s.schwebend);
}

void Start_verlassen(TForm1& f, int knopf)
{
    const Startbild& s = STARTBILDER[knopf];
    if (!(f.*s.bild)->Enabled()) return;
    f.Label1->SetCaption(BESCHREIBUNG);
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
    try {
        f.grau_schalten();  // when it fails, nothing is greyed yet
    } catch (...) {
        nachher();
        throw;
    }
    // Whatever fails from here on, the window comes back.
    try {
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
        f.Animate1->Hide();
        nachher();
    } catch (...) {
        f.Animate1->Hide();
        try {
            nachher();
        } catch (...) {
        }
        f.grau_aufheben();
        throw;
    }
    f.grau_aufheben();
    zeige_Bild(f, bild, s.ruhend);
    f.*s.zaehler = 0;
}

// grau.ini: section and the recorded controls, in the order grey-out records them. The first
// three are the profile and history pictures, recorded before their pictures are greyed.
const char* const GRAU_DATEI = "grau.ini";
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

// Saves the button's picture and shows the grey one. A picture that cannot be saved stays as
// it is (it would be lost otherwise); a button without a picture gets none.
void Bild_vergrauen(TForm1& f, const Graubild& g)
{
    auto* bild = static_cast<TImage*>(Element(f, g.name));
    const String sicherung = f.programm_ordner + g.sicherung;
    if (bild->Picture()->Empty()) {
        DeleteFile(sicherung);  // an old backup must not come back at the restore
        return;
    }
    try {
        bild->Picture()->SaveToFile(sicherung);
    } catch (const Exception& e) {
        DeleteFile(sicherung);
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
    DeleteFile(sicherung);
    return true;
}

// The archive grid read again, its last rows in view.
void Archiv_neu_laden(TForm1& f)
{
    if (f.lade_Archiv()) f.Tabelle->SetTopRow(std::max(0, f.Tabelle->RowCount() - 6));
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
        } catch (const Exception& e) {
            OutputDebugStringA("Statistik.txt: " + e.Message());
        }
        f.Tabelle2->SetEnabled(!grau);
    }
}

}  // namespace

bool TForm1::grau_schalten()
{
    // Record first: when grau.ini cannot be written the job does not start and the window
    // stays as it is.
    {
        TIniFile ini(programm_ordner + GRAU_DATEI);
        for (const auto* liste : {&Grau_Bilder(), &Grau_Elemente()})
            for (const String& name : *liste)
                ini.WriteString(GRAU_SEKTION, name, Element(*this, name)->Enabled() ? "true" : "false");
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

    TIniFile ini(programm_ordner + GRAU_DATEI);
    // Without its records the window would stay dead: then everything comes back enabled.
    const bool gelesen = ini.SectionExists(GRAU_SEKTION);
    if (!gelesen) {
        OutputDebugStringA("grau_aufheben: grau.ini nicht lesbar, alles wird freigegeben");
        ganz = false;
    }
    for (const auto* liste : {&Grau_Elemente(), &Grau_Bilder()})
        for (const String& name : *liste)
            Element(*this, name)->SetEnabled(!gelesen || ini.ReadString(GRAU_SEKTION, name, "") == "true");

    if (RadioGroup1->ButtonCount() > 1) RadioGroup1->Buttons(1)->SetEnabled(false);
    Nachrichten_verarbeiten();
    return ganz;
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

// ---- end of mode pages, run buttons, grey-out and restore --------------------------------

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

void TForm1::beenden(TObject*)
{
    schreibe_Umgebung();
    Close();
}
void TForm1::Tasten_abfangen(TObject*, unsigned short& Key, TShiftState)
{
    if (Key == VK_F9) Close();
    // Relative to the working directory; the help ships as a web page.
    if (Key == VK_F1) ShellExecute(Form1, "open", "help\\Quenzel_2009.html", "", "", SW_SHOWNORMAL);
}
void TForm1::verschieben_2(TObject*, TMouseButton Button, TShiftState, int, int)
{
    // The window has no caption bar: the strip at the top drags it.
    if (Button == mbLeft) Form1->BeginMoveByMouse();
}
void TForm1::SpeedButton2Click(TObject*)
{
    TrayIcon1->SetVisible(true);
    TrayIcon1->ShowBalloonHint();
    Hide();
}
void TForm1::start_PopUp_mit_click(TObject*)
{
    const TPoint maus = Screen->CursorPos();
    PopupMenu1->SetPopupComponent(Form1);
    Form1->BringToFront();
    PopupMenu1->Popup(maus.X, maus.Y);
}

void TForm1::start_PopUp_mit_double(TObject* Sender) { start_PopUp_mit_click(Sender); }
void TForm1::Wiederherstellen1Click(TObject*)
{
    TrayIcon1->SetVisible(false);
    Show();
}
void TForm1::Beenden1Click(TObject*)
{
    TrayIcon1->SetVisible(false);
    Close();
}
// The ticker scrolls Label51's picture one pixel to the left and wraps the first column round.
void TForm1::Timer2Timer(TObject*)
{
    if (!Ticker_Bitmap) return;
    TCanvas* bild = Label51->Canvas();
    Ticker_Bitmap->Canvas().CopyRect(Ticker_C, *bild, Ticker_C);
    bild->CopyRect(Ticker_B, *bild, Ticker_A);
    bild->CopyRect(Ticker_D, Ticker_Bitmap->Canvas(), Ticker_C);
}

// ---------------------------------------------------------------------------------------------
// Profiles: profile.txt lists the names in the order of use (the last line is the current one);
// each profile's settings lie in "<name>.ini" of the program folder, section [Sarnik].

namespace {

const char* const DATEI_PROFILE = "profile.txt";
const char* const MUSTERPROFIL = "Musterprofil";
const char* const PROFIL_SEKTION = "Sarnik";

// The keys of a profile in the order they are written; each is the name of its control.
const std::vector<String>& Profilschluessel()
{
    static const std::vector<String> schluessel = [] {
        std::vector<String> s = {"Edit1", "Edit2", "Edit3", "Edit4", "Edit5", "Edit7", "Edit8"};
        for (int i = 2; i <= 21; ++i) s.push_back("CheckBox" + IntToStr(i));
        for (int i = 1; i <= 5; ++i) s.push_back("RadioButton" + IntToStr(i));
        return s;
    }();
    return schluessel;
}

// The name becomes a file name in the program folder, so it must not leave that folder or be
// unusable there.
bool Profilname_gueltig(const String& name)
{
    if (name.find_first_not_of('.') == String::npos) return false;  // empty, ".", ".."
    for (unsigned char c : name)
        if (c < 0x20 || c == 0x7F || String("\\/:*?\"<>|").find(static_cast<char>(c)) != String::npos)
            return false;
    return true;
}

void Profilname_ablehnen(const String& name)
{
    MessageBox("Der Profilname \"" + name +
                   "\" ist ungültig! Ein Profilname darf nicht leer sein, nicht nur aus Punkten "
                   "bestehen und weder Steuerzeichen noch eines der Zeichen \\ / : * ? \" < > | "
                   "enthalten.",
               "Info", MB_OK);
}

// Removes every line naming the profile (names compare as the file system finds the files:
// ignoring case); true when there was one.
bool Profil_entfernen(TStrings& liste, const String& name)
{
    bool gefunden = false;
    for (int i = liste.IndexOf(name); i >= 0; i = liste.IndexOf(name)) {
        liste.Delete(i);
        gefunden = true;
    }
    return gefunden;
}

}  // namespace

String TForm1::Profildatei(const String& name) const { return programm_ordner + name + ".ini"; }

void TForm1::Profilbild(TImage* bild, const String& datei)
{
    // Only the look of the button: a missing picture leaves the old one.
    try {
        Bildpuffer->LoadFromFile(programm_ordner + datei);
        bild->Picture()->Assign(*Bildpuffer);
    } catch (const Exception&) {
    }
}

bool TForm1::lade_Profilliste()
{
    const String datei = programm_ordner + DATEI_PROFILE;
    // Without profile.txt (a fresh program folder) only the default profile is offered and the
    // window keeps the settings of its layout.
    const bool vorhanden = FileExists(datei);
    TStringList liste;
    if (vorhanden)
        liste.LoadFromFile(datei);
    else
        liste.Add(MUSTERPROFIL);
    ComboBox3->Items()->Assign(liste);
    const String letzte = liste.Count() ? liste[liste.Count() - 1] : String();
    ComboBox3->SetText(letzte.empty() ? String(MUSTERPROFIL) : letzte);
    return vorhanden;
}

bool TForm1::load_profil()
{
    const String name = ComboBox3->Text();
    if (!Profilname_gueltig(name)) {
        Profilname_ablehnen(name);
        return false;
    }
    const String datei = programm_ordner + DATEI_PROFILE;
    TStringList liste;
    if (FileExists(datei)) liste.LoadFromFile(datei);
    const int i = liste.IndexOf(name);
    if (i < 0) {
        MessageBox("Das Profil \"" + name + "\" ist nicht vorhanden!", "Info", MB_OK);
        return false;
    }
    const String zeile = liste[i];
    liste.Delete(i);
    liste.Add(zeile);
    liste.SaveToFile(datei);

    TIniFile ini(Profildatei(name));
    for (const String& schluessel : Profilschluessel()) {
        const String wert = ini.ReadString(PROFIL_SEKTION, schluessel, "");
        TComponent* c = FindComponent(schluessel);
        if (auto* edit = dynamic_cast<TEdit*>(c))
            edit->SetText(wert);
        else if (auto* box = dynamic_cast<TCheckBox*>(c))
            box->SetChecked(wert == "true");
        else if (auto* knopf = dynamic_cast<TRadioButton*>(c))
            knopf->SetChecked(wert == "true");
    }
    return true;
}

void TForm1::Profil_reade(TObject*) { load_profil(); }

void TForm1::save_profil(TObject*)
{
    Profilbild(Image13, "gifs\\save24_d.gif");
    Label1->SetCaption("Profil speichern?");
    Nachrichten_verarbeiten();

    if (ComboBox3->Text().empty()) ComboBox3->SetText(MUSTERPROFIL);
    String name = ComboBox3->Text();
    if (Profilname_gueltig(name)) {
        const String datei = programm_ordner + DATEI_PROFILE;
        TStringList liste;
        if (FileExists(datei)) liste.LoadFromFile(datei);
        // A name already listed keeps its spelling: its file is the same one.
        const int i = liste.IndexOf(name);
        if (i >= 0) name = liste[i];

        TStringList profil;
        profil.Add(String("[") + PROFIL_SEKTION + "]");
        for (const String& schluessel : Profilschluessel()) {
            TComponent* c = FindComponent(schluessel);
            String wert;
            if (auto* edit = dynamic_cast<TEdit*>(c))
                wert = edit->Text();
            else if (auto* box = dynamic_cast<TCheckBox*>(c))
                wert = box->Checked() ? "true" : "false";
            else if (auto* knopf = dynamic_cast<TRadioButton*>(c))
                wert = knopf->Checked() ? "true" : "false";
            profil.Add(schluessel + "=" + wert);
        }
        // The settings first, then the list: an interrupted save leaves at worst a file that no
        // list line names, never a listed profile with half its keys.
        try {
            profil.SaveToFile(Profildatei(name));
            Profil_entfernen(liste, name);
            liste.Add(name);
            liste.SaveToFile(datei);
            ComboBox3->Items()->Assign(liste);
            ComboBox3->SetText(name);
        } catch (const Exception& e) {
            MessageBox("Das Profil \"" + name + "\" kann nicht gespeichert werden!\n" + e.Message(), "Info",
                       MB_OK);
        }
    } else {
        Profilname_ablehnen(name);
    }

    Sleep(500);
    Profilbild(Image13, "gifs\\save24.gif");
    zaehler_Image13 = 0;
}

void TForm1::Profil_loeschen(TObject*)
{
    Profilbild(Image14, "gifs\\delete_x24_d.gif");
    Nachrichten_verarbeiten();

    const String name = ComboBox3->Text();
    if (SameText(name, MUSTERPROFIL)) {
        MessageBox("Warnung: Darf nicht gelöscht werden!", "Info", MB_OK);
    } else if (!Profilname_gueltig(name)) {
        Profilname_ablehnen(name);
        Profilbild(Image14, "gifs\\delete_x24.gif");
        return;
    } else {
        const String datei = programm_ordner + DATEI_PROFILE;
        TStringList liste;
        if (FileExists(datei)) liste.LoadFromFile(datei);
        if (Profil_entfernen(liste, name)) {
            // The list always names a profile to fall back on.
            if (liste.Count() == 0) liste.Add(MUSTERPROFIL);
            // The list first: an interrupted delete leaves an unlisted file, never a listed
            // profile without its file.
            try {
                liste.SaveToFile(datei);
            } catch (const Exception& e) {
                MessageBox("Das Profil \"" + name + "\" kann nicht gelöscht werden!\n" + e.Message(), "Info",
                           MB_OK);
                Profilbild(Image14, "gifs\\delete_x24.gif");
                return;
            }
            DeleteFile(Profildatei(name));
            ComboBox3->Items()->Assign(liste);
            ComboBox3->SetText(liste[0]);
        }
    }
    if (ComboBox3->Text().empty()) return;

    load_profil();
    Sleep(500);
    Profilbild(Image14, "gifs\\delete_x24.gif");
}
// ---------------------------------------------------------------------------------------------

// ---- Grids, history box and toolbar ------------------------------------------------------

namespace {

const char* const DATEI_STATISTIK = "Statistik.txt";
const char* const DATEI_AUSDRUCK = "ausdruck.txt";
const char* const DATEI_NEWS = "news.txt";
// The maker's addresses; the program ships without a public server.
const char* const HOMEPAGE = "http://localhost/";
const char* const DOWNLOADSEITE = "http://localhost/download/index.php";
const char* const SUPPORT_MAIL =
    "mailto:support@example.com?subject=Anfrage zu Quenzel 2009 v3.3.7 &body=Hallo,%0AGruß";
const char* const HILFEDATEI = "help\\Quenzel_2009.html";  // as the F1 key opens it
const char* const VERSION_ANFANG = "<v3.3.7>";
const char* const VERSION_ENDE = "</v3.3.7>";

String Einstellung(const char* name, const char* vorgabe)
{
    const char* wert = std::getenv(name);
    return wert && *wert ? String(wert) : String(vorgabe);
}

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
    f.Label1->SetCaption(up ? w.frage_up : w.frage);
    zeige_Bild(f, f.*w.bild, Werkzeugbild(w, "_h"));
}

void Werkzeug_verlassen(TForm1& f, WerkzeugNr nr)
{
    const Werkzeug& w = WERKZEUGE[nr];
    if (!(f.*w.bild)->Enabled()) return;
    f.Label1->SetCaption(BESCHREIBUNG);
    zeige_Bild(f, f.*w.bild, Werkzeugbild(w, ""));
    f.*w.zaehler = 0;
}

// Busy picture and click text around the action; the normal picture comes back whatever the
// action does.
template <class Aktion>
void Werkzeug_klick(TForm1& f, WerkzeugNr nr, Aktion aktion)
{
    const Werkzeug& w = WERKZEUGE[nr];
    auto ende = [&] {
        zeige_Bild(f, f.*w.bild, Werkzeugbild(w, ""));
        f.*w.zaehler = 0;
    };
    zeige_Bild(f, f.*w.bild, Werkzeugbild(w, "_d"));
    f.Label1->SetCaption(w.klick);
    Nachrichten_verarbeiten();
    try {
        aktion();
    } catch (...) {
        ende();
        throw;
    }
    ende();
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
    try {
        aktion();
    } catch (...) {
        f.grau_aufheben();
        throw;
    }
    f.grau_aufheben();
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
    f.Label1->SetCaption(a.frage);
    if (f.*a.zaehler == 1 && (f.*a.gewaehlt) != 1) zeige_Bild(f, f.*a.bild, Ansichtbild(a, "_u"));
}

void Ansicht_verlassen(TForm1& f, int nr)
{
    const Ansichtknopf& a = ANSICHTEN[nr];
    if (!(f.*a.bild)->Enabled()) return;
    f.Label1->SetCaption(BESCHREIBUNG);
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

void TForm1::sortiere_Tabelle(TObject*)
{
    if (!statistik_angezeigt) return;
    abwaerts_sortieren = !abwaerts_sortieren;
    sortiere_Spalte(Tabelle2, 1, abwaerts_sortieren);
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
    TStringList liste;
    liste.LoadFromFile(programm_ordner + DATEI_STATISTIK);
    const int spalten = liste.Count() ? StrToIntDef(liste[0], 0) : 0;
    if (spalten < 1) throw EConvertError(String(DATEI_STATISTIK) + " beginnt mit keiner Spaltenzahl.");
    Tabelle2->SetRowCount(liste.Count() - 1);
    Tabelle2->SetColCount(spalten);
    for (int k = 1; k < liste.Count(); ++k) Tabelle2->SetRowCommaText(k - 1, liste[k]);
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
    try {
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
                for (const Tippdatei* d : LAUFDATEIEN) DeleteFile(Dateipfad(*d, schluessel));
            ComboBox2->Items()->LoadFromFile(datei);
            ComboBox2->SetText(rest[0]);
            ListBox1->Clear();
        }
    } catch (...) {
        zeige_Bild(*this, Image15, "gifs\\delete_x24.gif");
        throw;
    }
    if (ComboBox2->Text().empty()) return;
    Sleep(500);
    zeige_Bild(*this, Image15, "gifs\\delete_x24.gif");
    zaehler_Image15 = 0;
}

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
void TForm1::Image18Click(TObject*) { Shell_klick(*this, W_HILFE, this, HILFEDATEI, SW_SHOWNORMAL); }

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
    Werkzeug_klick(*this, W_AUF, [this] { sortiere_Spalte(Tabelle2, 1, true); });
}

void TForm1::Image27Click(TObject*)
{
    Werkzeug_klick(*this, W_AB, [this] { sortiere_Spalte(Tabelle2, 1, false); });
}

void TForm1::Image21Click(TObject*) { Ansicht_waehlen(*this, true); }
void TForm1::Image22Click(TObject*) { Ansicht_waehlen(*this, false); }
void TForm1::g_archiv_move(TObject*, TShiftState, int, int) { Ansicht_bewegt(*this, 0); }
void TForm1::g_archiv_leave(TObject*) { Ansicht_verlassen(*this, 0); }
void TForm1::statistik_move(TObject*, TShiftState, int, int) { Ansicht_bewegt(*this, 1); }
void TForm1::statistik_leave(TObject*) { Ansicht_verlassen(*this, 1); }

bool TForm1::ftp_holen()
{
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
        IdFTP1->Get(DATEI_DOROV_ZAHLEN, programm_ordner + DATEI_DOROV_ZAHLEN, true, false);
    } catch (const Exception& e) {
        IdFTP1->Disconnect();
        MessageBox("Die Lottozahlen konnten nicht heruntergeladen werden. " + String(DATEI_DOROV_ZAHLEN) +
                       " bleibt unverändert.\n" + e.Message(),
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
    for (int i = 1; t_Update->laeuft() && i < 400; ++i) {
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
}

bool TForm1::lade_Archiv()
{
    // Read once, so the grid never mixes two versions of a file replaced meanwhile.
    TLineReader datei(programm_ordner + DATEI_DOROV_ZAHLEN);
    if (!datei.IsOpen()) return false;
    std::vector<String> zeilen;
    for (String zeile; datei.Next(zeile, 999);)
        if (!zeile.empty()) zeilen.push_back(zeile);

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

// ---- Number panel, tip list, update button and clipboard watcher -------------------------

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

// OnTerminate runs after the work has ended, perhaps after the window that set it is gone.
void Threads_beenden_lassen(TObject* Sender)
{
    if (Form1) Form1->threads_beenden(Sender);
}

}  // namespace

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
    c.TextRect(Rect, Rect.Left, Rect.Top, text);
    if (State & odFocused) c.DrawFocusRect(Rect);
    if (Zeile_gelistet(zeilen_symbol0, Index)) ImageList1->Draw(c, 165, Rect.Top + 1, 0, true);
    if (Zeile_gelistet(zeilen_symbol1, Index)) ImageList1->Draw(c, 165, Rect.Top + 1, 1, true);
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

void TForm1::Image24Click(TObject*)
{
    if (grau_aktiv) return;  // the window is greyed out for another job
    zeige_Bild(*this, Image24, "gifs\\web_search24_d.gif");
    Label1->SetCaption("Zahlen aus dem Internet aktualisieren?");
    Nachrichten_verarbeiten();
    Image24->SetEnabled(false);
    try {
        grau_schalten();
    } catch (...) {
        Image24->SetEnabled(true);
        zeige_Bild(*this, Image24, "gifs\\web_search24.gif");
        throw;
    }
    // Whatever the update does, the window comes back.
    auto zurueck = [this] {
        grau_aufheben();
        zeige_Bild(*this, Image24, "gifs\\web_search24.gif");
        zaehler_Image24 = 0;
    };
    try {
        if (ftp_download)
            ftp_holen();
        else
            starte_Update(true);
    } catch (...) {
        zurueck();
        throw;
    }
    zurueck();
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
        {"Image26", 589, 105},      {"Image27", 614, 105},         {"Image19", 408, 474},
        {"Image28", 408, 440},      {"DateTimePicker2", 345, 258}, {"RadioGroup1", 215, 135},
        {"RadioGroup2", 215, 135},  {"CheckBox2", 215, 395},       {"CheckBox3", 215, 425},
        {"CheckBox4", 215, 455},    {"RadioButton1", 215, 355},    {"Label50", 230, 355},
        {"RadioButton2", 345, 355}, {"Label53", 360, 355},         {"RadioButton3", 525, 355},
        {"Label54", 540, 355},      {"Label51", 550, 340},         {"RadioButton4", 215, 375},
        {"Label47", 230, 375},      {"RadioButton5", 435, 375},    {"Label61", 450, 375},
        {"Label46", 215, 360},      {"Edit8", 320, 355},           {"Image6", 572, 514},
        {"Image7", 572, 514},       {"Image8", 572, 514},          {"Image9", 572, 514},
        {"Image10", 572, 234},
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

    TStrings* liste = ListBox1->Items();
    liste->BeginUpdate();
    liste->Clear();
    for (const char* zeile : {"Starten Sie Sarnik,", "danach erscheinen in diesem Fenster,",
                              "die getippte Lottozahlen!", "-------------------------------------------",
                              "Schritt 1 fehlt noch!", "Schritt 2 fehlt noch!", "Schritt 3 fehlt noch!"})
        liste->Add(zeile);
    liste->EndUpdate();
    zeilen_symbol0 = "";
    zeilen_symbol1 = "4,5,6,";

    OutputDebugStringA("Pfad:");
    OutputDebugStringA(programm_ordner);

    Timer1->SetEnabled(false);
    ProgressBar1->SetVisible(false);
    Tabelle->SetColor(clWhite);
    Animate1->SetFileName(programm_ordner + "avi\\rad123.avi");
    Animate2->SetFileName(programm_ordner + "avi\\serverdownload.avi");
    Animate1->SetVisible(false);
    Animate2->SetVisible(false);
    Animate1->SetBounds(235, 174, 206, 206);
    CppWebBrowser1->SetProperty(DISPID_VISIBLE, false);

    Start_Layout(*this);
    Start_Bilder(*this);

    lade_History(TDateTime(0));
    Tabelle->SetFixedRows(0);
    Tabelle->SetFixedCols(0);
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
            ftp_holen();
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
