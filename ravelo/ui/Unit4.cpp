#include "Unit4.h"

#include "Unit4.zfm.h"

TForm4* Form4 = nullptr;

TForm4::TForm4(TComponent* Owner) : TForm(Owner)
{
    ReadLayout(Unit4_zfm);
    BIND_COMPONENTS(Animate1);
}
