#include "Unit2.h"

#include "Unit2.zfm.h"

TForm2* Form2 = nullptr;

TForm2::TForm2(TComponent* Owner) : TForm(Owner)
{
    ReadLayout(Unit2_zfm);
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
    Bind(Memo1, "Memo1");
}
