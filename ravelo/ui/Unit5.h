#pragma once
// The dialog to enter one draw by hand.
#include "zub/ComCtrls.h"
#include "zub/ExtCtrls.h"
#include "zub/Forms.h"
#include "zub/StdCtrls.h"

class TForm5 : public TForm {
public:
    TImage* Image1;
    // "Zahl 1:" .. "Zahl 6:", "Zusatzzahl:", "Superzahl:", then the prompt and message line.
    TLabel *Label1, *Label2, *Label3, *Label4, *Label5, *Label6, *Label7, *Label8, *Label9;
    // The six numbers, the additional number and the Superzahl.
    TEdit *Edit1, *Edit2, *Edit3, *Edit4, *Edit5, *Edit6, *Edit7, *Edit8;
    TDateTimePicker* DateTimePicker1;
    TButton *Button1, *Button2;

    explicit TForm5(TComponent* Owner);

    void z1(TObject* Sender);
    void z2(TObject* Sender);
    void z3(TObject* Sender);
    void z4(TObject* Sender);
    void z5(TObject* Sender);
    void z6(TObject* Sender);
    void zz(TObject* Sender);
    void sz(TObject* Sender);
    void datum(TObject* Sender);
    void Button2Click(TObject* Sender);
    void Button1Click(TObject* Sender);
    void FormSchowMid(TObject* Sender);
    void verschieben(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);

private:
    struct TFeld {
        int von, bis;
        const char* klage;
    };
    // Field nr 0..7: Edit1 .. Edit8 with its range and its complaint.
    const TFeld& Feld(int nr) const;
    TEdit* Eingabe(int nr) const;
    bool Feld_gueltig(int nr) const;
    void pruefe_Feld(int nr);
    void Meldung(const String& text, TColor farbe);
    // Empty when the entry can be saved, else the complaint.
    String pruefe_Eingabe() const;
    String Ziehungszeile() const;
};

extern TForm5* Form5;
