// The main window: construction, control bindings, handler table and the window shell.
#include "Unit1.h"

#include "Schritt1Anschluss.h"
#include "SchrittAnschluss.h"
#include "UpdateAnschluss.h"
#include "VergleichAnschluss.h"
#include "Unit1_intern.h"

#include <mutex>
#include <vector>

#include "Programmordner.h"
#include "Tippdateien.h"
#include "Thread_Sarnik.h"
#include "Threadcheckzwischenablage.h"
#include "Threadzahlenvergleichen.h"
#include "Unit1.zfm.h"
#include "Update_zahlen.h"
#include "rtl/Debug.h"
#include "rtl/MainThread.h"
#include "zub/ShellApi.h"

using namespace unit1;

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

namespace unit1 {

void Nachrichten_verarbeiten()
{
    // Workers reach the model directly; only the user-interface thread runs the message loop.
    if (IsMainThread()) Application->ProcessMessages();
}

// Every picture file goes through the shared buffer into the control that shows it. The buffer
// is only the way in: emptied after each load, it keeps no second copy and no picture of an
// earlier window.
void lade_Bild(TForm1& f, TImage* bild, const String& datei)
{
    try {
        Bildpuffer->LoadFromFile(f.programm_ordner + datei);
        bild->Picture()->Assign(*Bildpuffer);
    } catch (...) {
        Bildpuffer->Clear();
        throw;
    }
    Bildpuffer->Clear();
}

// Pictures are decoration: one that is missing or broken leaves the control as it is, so the
// handler still does its work.
void Hinweis(TForm1& f, const String& text)
{
    if (!f.lauf_grund.empty() && f.Label1->Caption() == f.lauf_grund) return;
    f.Label1->SetCaption(text);
}

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

}  // namespace unit1

namespace {

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

    // The views are installed and the start-up comparison runs from halfway through starten():
    // a start-up that fails must cut them off from the window before its members go.
    try {
        programm_ordner = ProgrammOrdner();
        if (!ProgrammOrdner_einrichten())
            throw EInOutError(
                DirectoryExists(programm_ordner)
                    ? "Im Programmordner " + programm_ordner +
                          " kann nicht geschrieben werden: der Ordner ist schreibgeschützt oder der "
                          "Datenträger voll."
                    : "Der Programmordner " + programm_ordner + " kann nicht angelegt werden.");
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
    } catch (...) {
        abbauen();
        throw;
    }
}

TForm1::~TForm1() { abbauen(); }

void TForm1::abbauen()
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
    BIND_COMPONENTS(
        Image1, Image2, Image3, Image4, Image5, Image6, Image7, Image8, Image9, Image10, Image11, Image12,
        Image13, Image14, Image15, Image17, Image18, Image19, Image20, Image21, Image22, Image23, Image24,
        Image25, Image26, Image27, Image28, SpeedButton1, SpeedButton2, Label1, Label2, Label3, Label4,
        Label5, Label6, Label7, Label8, Label9, Label10, Label11, Label12, Label13, Label14, Label15, Label16,
        Label17, Label18, Label19, Label20, Label21, Label22, Label23, Label24, Label25, Label26, Label27,
        Label28, Label29, Label30, Label31, Label32, Label33, Label34, Label35, Label36, Label37, Label38,
        Label39, Label40, Label41, Label42, Label43, Label44, Label45, Label46, Label47, Label48, Label49,
        Label50, Label51, Label52, Label53, Label54, Label55, Label56, Label57, Label58, Label59, Label60,
        Label61, Edit1, Edit2, Edit3, Edit4, Edit5, Edit6, Edit7, Edit8, Edit9, Edit10, Edit11, Edit12,
        Edit13, Edit14, Edit15, Edit16, Edit17, Edit18, Edit19, Edit20, Edit21, Edit22, Edit23, Edit24,
        Edit25, Edit26, Edit27, Edit28, Edit29, Edit30, Edit31, Edit32, Edit33, Edit34, Edit35, Edit36,
        Edit37, Edit38, CheckBox1, CheckBox2, CheckBox3, CheckBox4, CheckBox5, CheckBox6, CheckBox7,
        CheckBox8, CheckBox9, CheckBox10, CheckBox11, CheckBox12, CheckBox13, CheckBox14, CheckBox15,
        CheckBox16, CheckBox17, CheckBox18, CheckBox19, CheckBox20, CheckBox21, CheckBox22, RadioButton1,
        RadioButton2, RadioButton3, RadioButton4, RadioButton5, RadioGroup1, RadioGroup2, ComboBox2,
        ComboBox3, ListBox1, Tabelle, Tabelle2, TrackBar1, DateTimePicker1, DateTimePicker2, ProgressBar1,
        Animate1, Animate2, RichEdit1, Timer1, Timer2, ImageList1, TrayIcon1, TrayIcon2, TrayIcon3,
        PopupMenu1, Beenden1, Update1, Wiederherstellen1, PrintDialog1);
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

void TForm1::beenden(TObject*)
{
    schreibe_Umgebung();
    Close();
}
void TForm1::Tasten_abfangen(TObject*, unsigned short& Key, TShiftState)
{
    if (Key == VK_F9) Close();
    // Relative to the working directory; the help ships as a web page.
    if (Key == VK_F1) ShellExecute(Form1, "open", DATEI_HILFE, "", "", SW_SHOWNORMAL);
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
