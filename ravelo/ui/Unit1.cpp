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
