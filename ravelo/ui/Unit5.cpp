#include "Unit5.h"

#include "Unit5.zfm.h"

TForm5* Form5 = nullptr;

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
    Bind(Image1, "Image1");
    Bind(Label1, "Label1");
    Bind(Label2, "Label2");
    Bind(Label3, "Label3");
    Bind(Label4, "Label4");
    Bind(Label5, "Label5");
    Bind(Label6, "Label6");
    Bind(Label7, "Label7");
    Bind(Label8, "Label8");
    Bind(Label9, "Label9");
    Bind(Edit1, "Edit1");
    Bind(Edit2, "Edit2");
    Bind(Edit3, "Edit3");
    Bind(Edit4, "Edit4");
    Bind(Edit5, "Edit5");
    Bind(Edit6, "Edit6");
    Bind(Edit7, "Edit7");
    Bind(Edit8, "Edit8");
    Bind(DateTimePicker1, "DateTimePicker1");
    Bind(Button1, "Button1");
    Bind(Button2, "Button2");
}

void TForm5::z1(TObject*) {}
void TForm5::z2(TObject*) {}
void TForm5::z3(TObject*) {}
void TForm5::z4(TObject*) {}
void TForm5::z5(TObject*) {}
void TForm5::z6(TObject*) {}
void TForm5::zz(TObject*) {}
void TForm5::sz(TObject*) {}
void TForm5::datum(TObject*) {}
void TForm5::Button2Click(TObject*) {}
void TForm5::Button1Click(TObject*) {}
void TForm5::FormSchowMid(TObject*) {}
void TForm5::verschieben(TObject*, TMouseButton, TShiftState, int, int) {}
