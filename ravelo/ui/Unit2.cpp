#include "Unit2.h"

#include "Unit2.zfm.h"

TForm2* Form2 = nullptr;

TForm2::TForm2(TComponent* Owner) : TForm(Owner)
{
    ReadLayout(Unit2_zfm);
    BIND_COMPONENTS(Label1, Label2, Label3, Label4, Label5, Label6, Label7, Label8, Label9, Label10, Label11,
                    Label12, Label13, Label14, Label15, Label16, Label17, Memo1);
}
