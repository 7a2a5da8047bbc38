#include "Unit7.h"

#include "Unit7.zfm.h"

TForm7* Form7 = nullptr;

TForm7::TForm7(TComponent* Owner) : TForm(Owner)
{
    Handler("Button2Click", &TForm7::Button2Click);
    Handler("Button1Click", &TForm7::Button1Click);
    Handler("Mitte7", &TForm7::Mitte7);
    ReadLayout(Unit7_zfm);
    Bind(Image1, "Image1");
    Bind(Label1, "Label1");
    Bind(Label2, "Label2");
    TEdit** felder[] = {&Edit1, &Edit2, &Edit3, &Edit4, &Edit5, &Edit6, &Edit7, &Edit8, &Edit9, &Edit10, &Edit11, &Edit12, &Edit13, &Edit14, &Edit15, &Edit16, &Edit17, &Edit18, &Edit19, &Edit20, &Edit21, &Edit22, &Edit23, &Edit24, &Edit25, &Edit26, &Edit27, &Edit28, &Edit29, &Edit30, &Edit31, &Edit32, &Edit33, &Edit34, &Edit35, &Edit36, &Edit37, &Edit38, &Edit39, &Edit40, &Edit41, &Edit42, &Edit43, &Edit44, &Edit45, &Edit46, &Edit47, &Edit48, &Edit49, &Edit50, &Edit51, &Edit52, &Edit53, &Edit54, &Edit55, &Edit56, &Edit57, &Edit58, &Edit59, &Edit60, &Edit61, &Edit62, &Edit63, &Edit64, &Edit65, &Edit66, &Edit67, &Edit68, &Edit69, &Edit70, &Edit71, &Edit72, &Edit73};
    for (int i = 0; i < 73; ++i) Bind(*felder[i], "Edit" + IntToStr(i + 1));
    Bind(CheckBox1, "CheckBox1");
    Bind(Button1, "Button1");
    Bind(Button2, "Button2");
}

void TForm7::Button2Click(TObject*) {}
void TForm7::Button1Click(TObject*) {}
void TForm7::Mitte7(TObject*) {}
