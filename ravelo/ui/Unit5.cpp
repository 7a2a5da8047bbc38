#include "Unit5.h"

#include "Dateifehler.h"
#include "Dialogmitte.h"
#include "Programmordner.h"
#include "Threadzahlenvergleichen.h"
#include "Tippdateien.h"
#include "Unit1.h"
#include "Unit5.zfm.h"
#include "rtl/Clock.h"
#include "rtl/Files.h"

TForm5* Form5 = nullptr;

namespace {

const char* const AUFFORDERUNG = "Geben Sie bitte Ihre Zahlen ein.";
const char* const UNGUELTIG = "Eingegebene Zahlen sind ungültig!";

bool nur_Ziffern(const String& text)
{
    if (text.empty()) return false;
    for (char c : text)
        if (c < '0' || c > '9') return false;
    return true;
}

// A field as it goes into its draw line. Plain digits stand as typed ("07" stays "07"); any other
// text that has a valid value ("+5", " 5", "5x") is written as that value, because every reader
// of the archive takes the digits right behind the comma and a comma in the text would shift the
// fields behind it.
String Feldtext(const String& text) { return nur_Ziffern(text) ? text : IntToStr(Feldwert(text)); }

String Archivdatum(TDateTime t) { return FormatDateTime("dd.mm.yy", t); }

}  // namespace

TForm5::TForm5(TComponent* Owner) : TForm(Owner)
{
    Handler("z1", &TForm5::z1);
    Handler("z2", &TForm5::z2);
    Handler("z3", &TForm5::z3);
    Handler("z4", &TForm5::z4);
    Handler("z5", &TForm5::z5);
    Handler("z6", &TForm5::z6);
    Handler("zz", &TForm5::zz);
    Handler("sz", &TForm5::sz);
    Handler("datum", &TForm5::datum);
    Handler("Button2Click", &TForm5::Button2Click);
    Handler("Button1Click", &TForm5::Button1Click);
    Handler("FormSchowMid", &TForm5::FormSchowMid);
    Handler("verschieben", &TForm5::verschieben);
    ReadLayout(Unit5_zfm);
    BIND_COMPONENTS(Image1, Label1, Label2, Label3, Label4, Label5, Label6, Label7, Label8, Label9, Edit1,
                    Edit2, Edit3, Edit4, Edit5, Edit6, Edit7, Edit8, DateTimePicker1, Button1, Button2);
}

void TForm5::Meldung(const String& text, TColor farbe)
{
    Label9->Font()->SetColor(farbe);
    Label9->SetCaption(text);
}

const TForm5::TFeld& TForm5::Feld(int nr) const
{
    static const TFeld felder[8] = {
        {1, 49, "Eingegebene Zahl 1 ist ungültig!"},     {1, 49, "Eingegebene Zahl 2 ist ungültig!"},
        {1, 49, "Eingegebene Zahl 3 ist ungültig!"},     {1, 49, "Eingegebene Zahl 4 ist ungültig!"},
        {1, 49, "Eingegebene Zahl 5 ist ungültig!"},     {1, 49, "Eingegebene Zahl 6 ist ungültig!"},
        {1, 49, "Eingegebene Zusatzzahl ist ungültig!"}, {0, 9, "Eingegebene Superzahl ist ungültig!"}};
    return felder[nr];
}

TEdit* TForm5::Eingabe(int nr) const
{
    TEdit* const eingaben[8] = {Edit1, Edit2, Edit3, Edit4, Edit5, Edit6, Edit7, Edit8};
    return eingaben[nr];
}

bool TForm5::Feld_gueltig(int nr) const
{
    const int wert = Feldwert(Eingabe(nr)->Text());
    return wert >= Feld(nr).von && wert <= Feld(nr).bis;
}

void TForm5::pruefe_Feld(int nr)
{
    if (Feld_gueltig(nr))
        Meldung(AUFFORDERUNG, clBlack);
    else
        Meldung(Feld(nr).klage, clRed);
}

void TForm5::z1(TObject*) { pruefe_Feld(0); }
void TForm5::z2(TObject*) { pruefe_Feld(1); }
void TForm5::z3(TObject*) { pruefe_Feld(2); }
void TForm5::z4(TObject*) { pruefe_Feld(3); }
void TForm5::z5(TObject*) { pruefe_Feld(4); }
void TForm5::z6(TObject*) { pruefe_Feld(5); }
void TForm5::zz(TObject*) { pruefe_Feld(6); }
void TForm5::sz(TObject*) { pruefe_Feld(7); }

void TForm5::datum(TObject*)
{
    // Only a warning: an archive that cannot be read has no date to warn about.
    const String datei = ProgrammDatei(DATEI_DOROV_ZAHLEN);
    TLineReader archiv(datei);
    if (!archiv.IsOpen()) return;
    const String tag = Archivdatum(DateTimePicker1->Date());
    for (String zeile; archiv.Next(zeile);)
        if (zeile.find(tag) != String::npos) {
            Meldung("Achtung: Datum existiert schon!", clRed);
            return;
        }
}

String TForm5::pruefe_Eingabe() const
{
    for (int nr = 0; nr < 8; ++nr)
        if (!Feld_gueltig(nr)) return UNGUELTIG;
    // A draw has six different numbers.
    for (int a = 0; a < 6; ++a)
        for (int b = a + 1; b < 6; ++b)
            if (Feldwert(Eingabe(a)->Text()) == Feldwert(Eingabe(b)->Text()))
                return String(UNGUELTIG) + " Zahl " + IntToStr(a + 1) + " und Zahl " + IntToStr(b + 1) +
                       " sind gleich.";
    int jahr, monat, tag;
    DecodeDate(DateTimePicker1->Date(), jahr, monat, tag);
    if (DateTimePicker1->Date().Val < 1 || jahr > 9999) return "Eingegebenes Datum ist ungültig!";
    return String();
}

String TForm5::Ziehungszeile() const
{
    String zeile = Archivdatum(DateTimePicker1->Date());
    for (int nr = 0; nr < 8; ++nr) zeile += "," + Feldtext(Eingabe(nr)->Text());
    return zeile + ",111111,1111111";
}

void TForm5::Button2Click(TObject*)
{
    const String fehler = pruefe_Eingabe();
    if (!fehler.empty()) {
        Meldung(fehler, clRed);
        return;
    }
    Label9->Font()->SetColor(clBlack);

    // The archive is replaced in one step with its old bytes and the new line behind them, so a
    // failed write leaves it as it was.
    const String datei = ProgrammDatei(DATEI_DOROV_ZAHLEN);
    String inhalt;
    try {
        inhalt = ReadFileBytes(datei);
    } catch (const Exception&) {
        Meldung("Datei " + String(DATEI_DOROV_ZAHLEN) + " kann nicht gelesen werden!", clRed);
        return;
    }
    const String umbruch = inhalt.find("\r\n") != String::npos ? "\r\n" : "\n";
    if (!inhalt.empty() && inhalt.back() != '\n') inhalt += umbruch;
    try {
        AtomicWriteFile(datei, inhalt + Ziehungszeile() + umbruch);
    } catch (const Exception& e) {
        Meldung(Dateifehler_Satz("Datei " + String(DATEI_DOROV_ZAHLEN) + " kann nicht geschrieben werden!",
                                 e.Message()),
                clRed);
        return;
    }

    if (Form1) {
        Form1->lade_Archiv();
        Sleep(10);
        const int oben = Form1->Tabelle->RowCount() - 6;
        Form1->Tabelle->SetTopRow(oben > 0 ? oben : 0);
    }
    Close();
}

void TForm5::Button1Click(TObject*) { Close(); }

void TForm5::FormSchowMid(TObject*)
{
    const TForm* m = Application->MainForm();
    if (!m) m = Form1;
    if (m) ueber_Fenster_mitteln(*this, *m);
}

void TForm5::verschieben(TObject*, TMouseButton Button, TShiftState, int, int)
{
    if (Button == mbLeft) BeginMoveByMouse();
}
