#include "Unit7.h"

#include "Dateifehler.h"
#include "Dialogmitte.h"
#include "Programmordner.h"
#include "Threadzahlenvergleichen.h"
#include "Unit1.h"
#include "Unit7.zfm.h"
#include "rtl/Files.h"

TForm7* Form7 = nullptr;

namespace {

// A field is written as typed, so it must not hold what would break its line in the file: a
// comma (shifts the numbers behind it), a "-" (the comparison cuts the shown line there) or a
// line break.
bool Feld_gueltig(const String& text)
{
    const int wert = Feldwert(text);
    return wert >= 0 && wert <= 49 && text.find_first_of(",-\r\n") == String::npos;
}

}  // namespace

TForm7::TForm7(TComponent* Owner) : TForm(Owner)
{
    Handler("Button2Click", &TForm7::Button2Click);
    Handler("Button1Click", &TForm7::Button1Click);
    Handler("Mitte7", &TForm7::Mitte7);
    ReadLayout(Unit7_zfm);
    BIND_COMPONENTS(Image1, Label1, Label2);
    TEdit** felder[] = {
        &Edit1,  &Edit2,  &Edit3,  &Edit4,  &Edit5,  &Edit6,  &Edit7,  &Edit8,  &Edit9,  &Edit10, &Edit11,
        &Edit12, &Edit13, &Edit14, &Edit15, &Edit16, &Edit17, &Edit18, &Edit19, &Edit20, &Edit21, &Edit22,
        &Edit23, &Edit24, &Edit25, &Edit26, &Edit27, &Edit28, &Edit29, &Edit30, &Edit31, &Edit32, &Edit33,
        &Edit34, &Edit35, &Edit36, &Edit37, &Edit38, &Edit39, &Edit40, &Edit41, &Edit42, &Edit43, &Edit44,
        &Edit45, &Edit46, &Edit47, &Edit48, &Edit49, &Edit50, &Edit51, &Edit52, &Edit53, &Edit54, &Edit55,
        &Edit56, &Edit57, &Edit58, &Edit59, &Edit60, &Edit61, &Edit62, &Edit63, &Edit64, &Edit65, &Edit66,
        &Edit67, &Edit68, &Edit69, &Edit70, &Edit71, &Edit72, &Edit73};
    for (int i = 0; i < 73; ++i) Bind(*felder[i], "Edit" + IntToStr(i + 1));
    for (int i = 0; i < 72; ++i) FZahlen[i] = *felder[i];
    BIND_COMPONENTS(CheckBox1, Button1, Button2);
    lese_Favoritten_Option();
}

void TForm7::lese_Favoritten_Option() { CheckBox1->SetChecked(lies_Favoriten_Option()); }

void TForm7::schreibe_Favoritten_Option() { schreibe_Favoriten_Option(CheckBox1->Checked()); }

void TForm7::Fehler(const String& text)
{
    Label1->Font()->SetColor(clRed);
    Label1->SetCaption(text);
}

void TForm7::Button2Click(TObject*)
{
    for (TEdit* feld : FZahlen)
        if (!Feld_gueltig(feld->Text())) {
            Fehler("Eingegebene Zahlen sind ungültig!");
            return;
        }
    Label1->Font()->SetColor(clBlack);

    // Rows whose first number is above 0, numbered from 1 in this OK.
    String neu;
    int k = 1;
    for (int zeile = 0; zeile < 12; ++zeile) {
        TEdit* const* reihe = &FZahlen[zeile * 6];
        if (Feldwert(reihe[0]->Text()) <= 0) continue;
        neu += IntToStr(k++) + ".";
        for (int i = 0; i < 6; ++i) neu += (i ? ", " : "") + reihe[i]->Text();
        neu += " -0 0\n";
    }

    // The user's file: the old lines and the new ones replace it in one step, so a failed write
    // leaves it as it was. Like opening it for appending, an OK without rows creates it empty.
    const String name = Edit73->Text();
    const String datei = ExtractFilePath(name).empty() ? ProgrammDatei(name) : name;
    const bool vorhanden = FileExists(datei);
    if (!neu.empty() || !vorhanden) {
        try {
            String inhalt = vorhanden ? ReadFileBytes(datei) : String();
            if (!inhalt.empty() && inhalt.back() != '\n') inhalt += "\n";
            AtomicWriteFile(datei, inhalt + neu);
        } catch (const Exception& e) {
            Fehler(Dateifehler_Satz("Datei " + name + " kann nicht geschrieben werden!", e.Message()));
            return;
        }
    }

    schreibe_Favoritten_Option();
    Close();
}

void TForm7::Button1Click(TObject*) { Close(); }

void TForm7::Mitte7(TObject*)
{
    if (Form1) ueber_Fenster_mitteln(*this, *Form1);
}
