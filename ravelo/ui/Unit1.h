#pragma once
// The main window: every control of its layout, the fields that the worker threads read and
// write through Form1, and the date logic of the run keys.
#include <atomic>
#include <memory>

#include "GeteilterText.h"
#include "Formzugriff.h"
#include "Schritt1Fenster.h"
#include "Schrittfenster.h"
#include "Updatefenster.h"
#include "Threadzahlenvergleichen.h"
#include "net/IdFTP.h"
#include "net/WebBrowser.h"
#include "rtl/Classes.h"
#include "zub/Buttons.h"
#include "zub/ComCtrls.h"
#include "zub/Dialogs.h"
#include "zub/ExtCtrls.h"
#include "zub/Forms.h"
#include "zub/Grids.h"
#include "zub/ImgList.h"
#include "zub/Menus.h"
#include "zub/StdCtrls.h"

class Thread_Sarnik;
class Update_Zahlen;
class ThreadZahlenVergleichen;
class ThreadCheckZwischenablage;

class TForm1 : public TForm {
public:
    // Controls of the layout (Unit1.zfm.h).
    TImage *Image1, *Image2, *Image3, *Image4, *Image5, *Image6, *Image7, *Image8, *Image9, *Image10,
        *Image11, *Image12, *Image13, *Image14, *Image15, *Image17, *Image18, *Image19, *Image20, *Image21,
        *Image22, *Image23, *Image24, *Image25, *Image26, *Image27, *Image28;
    TSpeedButton *SpeedButton1, *SpeedButton2;
    TLabel *Label1, *Label2, *Label3, *Label4, *Label5, *Label6, *Label7, *Label8, *Label9, *Label10,
        *Label11, *Label12, *Label13, *Label14, *Label15, *Label16, *Label17, *Label18, *Label19, *Label20,
        *Label21, *Label22, *Label23, *Label24, *Label25, *Label26, *Label27, *Label28, *Label29, *Label30,
        *Label31, *Label32, *Label33, *Label34, *Label35, *Label36, *Label37, *Label38, *Label39, *Label40,
        *Label41, *Label42, *Label43, *Label44, *Label45, *Label46, *Label47, *Label48, *Label49, *Label50,
        *Label51, *Label52, *Label53, *Label54, *Label55, *Label56, *Label57, *Label58, *Label59, *Label60,
        *Label61;
    TEdit *Edit1, *Edit2, *Edit3, *Edit4, *Edit5, *Edit6, *Edit7, *Edit8, *Edit9, *Edit10, *Edit11, *Edit12,
        *Edit13, *Edit14, *Edit15, *Edit16, *Edit17, *Edit18, *Edit19, *Edit20, *Edit21, *Edit22, *Edit23,
        *Edit24, *Edit25, *Edit26, *Edit27, *Edit28, *Edit29, *Edit30, *Edit31, *Edit32, *Edit33, *Edit34,
        *Edit35, *Edit36, *Edit37, *Edit38;
    TCheckBox *CheckBox1, *CheckBox2, *CheckBox3, *CheckBox4, *CheckBox5, *CheckBox6, *CheckBox7, *CheckBox8,
        *CheckBox9, *CheckBox10, *CheckBox11, *CheckBox12, *CheckBox13, *CheckBox14, *CheckBox15, *CheckBox16,
        *CheckBox17, *CheckBox18, *CheckBox19, *CheckBox20, *CheckBox21, *CheckBox22;
    TRadioButton *RadioButton1, *RadioButton2, *RadioButton3, *RadioButton4, *RadioButton5;
    TRadioGroup *RadioGroup1, *RadioGroup2;
    TComboBox *ComboBox2, *ComboBox3;
    TListBox* ListBox1;
    TStringGrid *Tabelle, *Tabelle2;
    TTrackBar* TrackBar1;
    TDateTimePicker *DateTimePicker1, *DateTimePicker2;
    TProgressBar* ProgressBar1;
    TAnimate *Animate1, *Animate2;
    TRichEdit* RichEdit1;
    TTimer *Timer1, *Timer2;
    TImageList* ImageList1;
    TTrayIcon *TrayIcon1, *TrayIcon2, *TrayIcon3;
    TPopupMenu* PopupMenu1;
    TMenuItem *Beenden1, *Update1, *Wiederherstellen1;
    TPrintDialog* PrintDialog1;
    // Created by the constructor, not by the layout: the embedded browser and the FTP client
    // are no components, and the browser shows nothing on the window (it only loads the
    // results page).
    std::unique_ptr<TCppWebBrowser> CppWebBrowser1;
    std::unique_ptr<TIdFTP> IdFTP1;
    // The form as its views reach it: detached when the window goes.
    std::shared_ptr<TFormBindung<TForm1>> bindung;
    // What step 1 reads and writes on this window.
    std::unique_ptr<ISchritt1Fenster> schritt1_fenster;
    // What the comparison reads and writes on this window.
    std::unique_ptr<IVergleichFenster> vergleich_fenster;
    // What steps 2 and 3 and the one-click driver read and write on this window.
    std::unique_ptr<ISchrittFenster> schritt_fenster;
    // What the draw update and the clipboard watcher read and write on this window.
    std::unique_ptr<IUpdateFenster> update_fenster;
    std::unique_ptr<IZwischenablageFenster> zwischenablage_fenster;

    // Worker slots: the newest thread of each kind. A slot owns its thread: storing the next
    // one frees the previous thread (the runtime waits for its end if it still runs).
    std::unique_ptr<Thread_Sarnik> t_Treiber;
    std::unique_ptr<Update_Zahlen> t_Update;
    std::unique_ptr<ThreadZahlenVergleichen> t_Vergleich;
    std::unique_ptr<ThreadCheckZwischenablage> t_Zwischenablage;

    std::atomic<int> schritt1_aktiv{0}, schritt2_aktiv{0}, schritt3_aktiv{0};
    // The selected mode page; exactly one is 1.
    std::atomic<int> modus_sarnik{1}, modus_schritt1{0}, modus_schritt2{0}, modus_schritt3{0};
    // The shown grid; exactly one is 1.
    std::atomic<int> archiv_angezeigt{1}, statistik_angezeigt{0};
    // The status line's text that says why the last run stopped; the hover texts leave it
    // standing until something else is started.
    String lauf_grund;
    // Mouse moves since the pointer entered each picture button.
    int zaehler_Image2 = 0, zaehler_Image3 = 0, zaehler_Image4 = 0, zaehler_Image5 = 0;
    int zaehler_Image6 = 0, zaehler_Image7 = 0, zaehler_Image8 = 0, zaehler_Image9 = 0, zaehler_Image10 = 0;
    int zaehler_Image13 = 0, zaehler_Image14 = 0, zaehler_Image15 = 0, zaehler_Image17 = 0,
        zaehler_Image18 = 0, zaehler_Image19 = 0, zaehler_Image20 = 0, zaehler_Image21 = 0,
        zaehler_Image22 = 0, zaehler_Image23 = 0, zaehler_Image24 = 0, zaehler_Image26 = 0,
        zaehler_Image27 = 0, zaehler_Image28 = 0;
    // 6-number combinations of the pool; steps 2 and 3 size their tables by it.
    std::atomic<int> anzahl_Varianten{0};
    // False while a draw update started at start-up is pending; the comparison waits for it.
    std::atomic<bool> zahlen_aktualisiert{true};
    // Date part (dd-mm-yyyy) of the run key last built by lade_History.
    TGeteilterText tipp_datum;
    // Line lists of ListBox1: indexes, each followed by ",".
    TGeteilterText zeilen_farbe, zeilen_symbol0, zeilen_symbol1{"4,5,6,"};
    std::atomic<bool> start_laeuft{true};
    std::atomic<bool> vergleich_beim_Start{true};
    // The program folder, ending in the path separator.
    String programm_ordner;

    explicit TForm1(TComponent* Owner);
    ~TForm1() override;

    // OnTerminate of the worker threads: asks the driver, the update job and the clipboard
    // watcher to end.
    void threads_beenden(TObject* Sender);
    // Called by the workers at the end of a run: enables the pictures Image2 .. Image10 and
    // processes pending messages.
    bool bilder_freigeben();

    // Run history and draw dates. lade_History builds the run key of a new run for date
    // (0: the next draw date); false when history.txt cannot be opened.
    bool lade_History(TDateTime datum);
    void TippDatumAendern(TObject* Sender);
    // True when the newest past draw is missing from the archive.
    bool pruefe_Ziehung();
    // True when the archive holds the draw of the tip date (from the tip-date picker, or from
    // the run key in ComboBox2).
    bool pruefe_Tippdatum(bool vom_Picker);
    bool datei_vorhanden(const String& name);

    // Settings file environment.ini of the program folder: CheckBox21 and the flags
    // ftp_download and update_hinweis. Other sections of the file are left as they are.
    void lese_Umgebung();
    void schreibe_Umgebung();

    // Window shell.
    void beenden(TObject* Sender);
    void Tasten_abfangen(TObject* Sender, unsigned short& Key, TShiftState Shift);
    void verschieben_2(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);
    void SpeedButton2Click(TObject* Sender);
    void start_PopUp_mit_click(TObject* Sender);
    void start_PopUp_mit_double(TObject* Sender);
    void Wiederherstellen1Click(TObject* Sender);
    void Beenden1Click(TObject* Sender);
    void Timer2Timer(TObject* Sender);
    void test1(TObject* Sender, TShiftState Shift, int X, int Y);

    // Mode pages and run buttons.
    // Grey-out and restore around a long job: the enabled states go to grau.ini of the program
    // folder, the pictures of the picture buttons to backup files under gifs\. The restore
    // returns false when something could not be brought back as it was recorded.
    bool grau_schalten();
    [[nodiscard]] bool grau_aufheben();
    void Sarnik_click_(TObject* Sender);
    void ssarnik(TObject* Sender);
    void s2_click(TObject* Sender);
    void s3_click(TObject* Sender);
    void aa(TObject* Sender, TShiftState Shift, int X, int Y);
    void bb(TObject* Sender);
    void ggggg(TObject* Sender, TShiftState Shift, int X, int Y);
    void qqqq(TObject* Sender);
    void lllll(TObject* Sender, TShiftState Shift, int X, int Y);
    void www(TObject* Sender);
    void cccc(TObject* Sender, TShiftState Shift, int X, int Y);
    void ccc(TObject* Sender);
    void start_sw(TObject* Sender);
    void start_bl(TObject* Sender);
    void start_rt(TObject* Sender);
    void start_gn(TObject* Sender);
    void start2_sw_click(TObject* Sender);
    void start_sw_move(TObject* Sender, TShiftState Shift, int X, int Y);
    void start_bl_move(TObject* Sender, TShiftState Shift, int X, int Y);
    void start_rt_move(TObject* Sender, TShiftState Shift, int X, int Y);
    void start_gn_move(TObject* Sender, TShiftState Shift, int X, int Y);
    void start2_sw_move(TObject* Sender, TShiftState Shift, int X, int Y);
    void start_sw_up(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);
    void start_bl_up(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);
    void start_rt_up(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);
    void start_gn_up(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);
    void start2_sw_up(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);
    void start_sw_leave(TObject* Sender);
    void start_bl_leave(TObject* Sender);
    void start_rt_leave(TObject* Sender);
    void start_gn_leave(TObject* Sender);
    void start2_sw_leave(TObject* Sender);
    void expertenModus(TObject* Sender);
    void ExpertMove(TObject* Sender, TShiftState Shift, int X, int Y);
    void expertLeave(TObject* Sender);

    // Profiles. lade_Profilliste fills ComboBox3 from profile.txt and shows its last line (the
    // current profile); false when there is no profile.txt yet. load_profil loads the profile
    // named in ComboBox3 into the controls and makes it the current one; false, with nothing
    // changed, for a name that is no file name or stands in no line of profile.txt.
    bool lade_Profilliste();
    bool load_profil();
    void save_profil(TObject* Sender);
    void Profil_reade(TObject* Sender);
    void Profil_loeschen(TObject* Sender);
    String Profildatei(const String& name) const;
    void Profilbild(TImage* bild, const String& datei);

    // Number panel and tip list.
    // anzahl_Varianten = C(N,6) for the position N of TrackBar1; unchanged outside 18..30.
    void anzahl_Kombinationen();
    void zahl_wechseln(TObject* Sender);
    void Timer1Timer(TObject* Sender);
    void drawItem(TControl* Control, int Index, TRect Rect, TOwnerDrawState State);
    void RadioButton1Click(TObject* Sender);
    void RadioButton2Click(TObject* Sender);
    void RadioButton3Click(TObject* Sender);
    void RadioButton4Click(TObject* Sender);
    void RadioButton5Click(TObject* Sender);
    void Label50Click(TObject* Sender);
    void Label53Click(TObject* Sender);
    void Label54Click(TObject* Sender);
    void Label47Click(TObject* Sender);
    void Label61Click(TObject* Sender);
    void Label35Click(TObject* Sender);
    void Label36Click(TObject* Sender);
    void Label37Click(TObject* Sender);
    void Label38Click(TObject* Sender);
    void Label39Click(TObject* Sender);
    void Label40Click(TObject* Sender);
    void Label41Click(TObject* Sender);
    void Label42Click(TObject* Sender);
    void Label43Click(TObject* Sender);
    void Label44Click(TObject* Sender);
    void Label48Click(TObject* Sender);
    void Label52Click(TObject* Sender);
    void Label55Click(TObject* Sender);
    void Label56Click(TObject* Sender);
    void Label57Click(TObject* Sender);
    void Label58Click(TObject* Sender);

    // Grids and history box.
    void draw_tabelle(TObject* Sender, int ACol, int ARow, TRect Rect, TGridDrawState State);
    void sortiere_Tabelle(TObject* Sender);
    void starte_History(TObject* Sender);
    void History_loeschen(TObject* Sender);
    // Fills Tabelle from dorov_zahlen.txt (one row a draw, then an empty row) and scrolls to
    // its end; false, with the grid left as it was, when the file cannot be opened.
    bool lade_Archiv();
    // Empties every cell of Tabelle (sizes stay); returns 0.
    int leere_Tabelle();
    // Text of a grid cell on canvas, filled with the current brush first: alignment 0 left,
    // 1 right, 2 centre, vertically centred.
    void zeichne_Zelltext(TCanvas* canvas, const String& text, int ausrichtung, TRect rect);
    // Bubble sort of the grid's non-fixed rows by the integer in column spalte (largest first
    // when absteigend); equal values keep their order. A cell of that column that holds no
    // integer raises EConvertError before any row moves.
    void sortiere_Spalte(TStringGrid* tabelle, int spalte, bool absteigend);
    // Tabelle2 to and from Statistik.txt of the program folder: the column count, then one
    // comma text a row. lade_Statistik raises EConvertError for a file that is no such table
    // and leaves the grid as it was.
    bool speichere_Statistik();
    bool lade_Statistik();

    // Toolbar and picture buttons.
    void Hist_loesch_move(TObject* Sender, TShiftState Shift, int X, int Y);
    void Profil_loesch_move(TObject* Sender, TShiftState Shift, int X, int Y);
    void Help_move(TObject* Sender, TShiftState Shift, int X, int Y);
    void mail_move(TObject* Sender, TShiftState Shift, int X, int Y);
    void Homepage_move(TObject* Sender, TShiftState Shift, int X, int Y);
    void update_move(TObject* Sender, TShiftState Shift, int X, int Y);
    void archiv_move(TObject* Sender, TShiftState Shift, int X, int Y);
    void save_profil_move(TObject* Sender, TShiftState Shift, int X, int Y);
    void Print_move(TObject* Sender, TShiftState Shift, int X, int Y);
    void up_move(TObject* Sender, TShiftState Shift, int X, int Y);
    void down_move(TObject* Sender, TShiftState Shift, int X, int Y);
    void favorites_move(TObject* Sender, TShiftState Shift, int X, int Y);
    void Hist_loesch_Up(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);
    void Profil_loesch_Up(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);
    void Help_Up(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);
    void mail_Up(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);
    void Hompage_Up(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);
    void update_Up(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);
    void archiv_Up(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);
    void save_profil_Up(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);
    void Print_Up(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);
    void up_up(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);
    void down_up(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);
    void favorites_up(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);
    void Hist_loesch_leave(TObject* Sender);
    void Profil_loesch_leave(TObject* Sender);
    void Help_leave(TObject* Sender);
    void mail_leave(TObject* Sender);
    void Hompage_leave(TObject* Sender);
    void update_leave(TObject* Sender);
    void archiv_leave(TObject* Sender);
    void save_profil_leave(TObject* Sender);
    void Print_leave(TObject* Sender);
    void up_leave(TObject* Sender);
    void down_leave(TObject* Sender);
    void favorites_leave(TObject* Sender);
    void Image11Click(TObject* Sender);
    void Image17Click(TObject* Sender);
    void Image18Click(TObject* Sender);
    void Image19Click(TObject* Sender);
    void Image20Click(TObject* Sender);
    void Image23Click(TObject* Sender);
    void Image24Click(TObject* Sender);
    void Image26Click(TObject* Sender);
    void Image27Click(TObject* Sender);
    void Image28Click(TObject* Sender);
    void Image21Click(TObject* Sender);
    void g_archiv_move(TObject* Sender, TShiftState Shift, int X, int Y);
    void g_archiv_leave(TObject* Sender);
    void Image22Click(TObject* Sender);
    void statistik_move(TObject* Sender, TShiftState Shift, int X, int Y);
    void statistik_leave(TObject* Sender);
    void Update1Click(TObject* Sender);
    void CheckBox22Click(TObject* Sender);
    // Web route of the draw update: loads the results page in CppWebBrowser1 and runs the
    // update job into t_Update, polling it while messages are processed; Animate2 plays
    // meanwhile when mit_Animation is set (the update button).
    void starte_Update(bool mit_Animation);
    // FTP route of the draw update: fetches dorov_zahlen.txt and news.txt from the FTP server
    // ($RAVELO_FTP_HOST, $RAVELO_FTP_PORT, $RAVELO_FTP_USER, $RAVELO_FTP_PASSWORD) into the
    // program folder, each replaced only by a whole transfer. A failure is shown in a message
    // box and returns false; the archive then stays as it was.
    [[nodiscard]] bool ftp_holen();
    // Shows the pending new-version notice of 0.html once ([Allgemein] Update of
    // environment.ini) and offers the download page; false when 0.html cannot be read (the
    // notice then stays pending).
    bool version_pruefen();

private:
    void handler_eintragen();
    void komponenten_binden();
    // The start-up after the layout: profiles, archive, pictures, splash texts, settings, the
    // update offer when the newest draw is missing, the start-up comparison, the profile.
    void starten();
    // What the destructor does, also for a start-up that fails half-way: workers left running
    // no longer reach the window.
    void abbauen();
};

extern TForm1* Form1;

// Globals of the main window's unit.
// Every picture file is loaded into this buffer and then given to the control that shows it.
extern TPicture* Bildpuffer;
// The results page that the web-page route of the draw update loads:
// "http://" + $RAVELO_WEB_HOST (default "localhost") + "/ftp/dorov_zahlen.html".
String Ergebnisseite_URL();
// 1 between grey-out and restore (the grid painter paints grey meanwhile).
extern int grau_aktiv;
// From environment.ini: the FTP route of the draw update, a pending new-version notice.
extern bool ftp_download;
extern bool update_hinweis;
// Direction of the next click sort of the statistics grid.
extern bool abwaerts_sortieren;
// The scrolling "Neu" ticker: one saved column and the rectangles A, B, C, D of Label51.
extern TBitmap* Ticker_Bitmap;
extern TRect Ticker_A, Ticker_B, Ticker_C, Ticker_D;
