#include "Update_zahlen.h"

Update_Zahlen::Update_Zahlen(bool CreateSuspended) : TArbeitsThread("Update_Zahlen")
{
    starte_wenn_verlangt(CreateSuspended);
}

Update_Zahlen::~Update_Zahlen() { warte_auf_Ende(); }

void Update_Zahlen::Execute()
{
    b_laeuft = true;
    melde_gestartet();

    // ---- work of Update_Zahlen goes here ----

    b_laeuft = false;
}

void Update_Zahlen::Kinder_beenden(TObject*)
{
    if (t_Hompage_holen) t_Hompage_holen->Terminate();
    if (t_StripHompage) t_StripHompage->Terminate();
}
