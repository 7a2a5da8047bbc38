#pragma once
// The hit-count window: created at start-up and never shown.
#include "zub/Forms.h"
#include "zub/StdCtrls.h"

class TForm2 : public TForm {
public:
    // Captions ":3" .. ":5+" (Label1 .. Label7), their values (Label8 .. Label14), the dashes,
    // "Summe:" and its value.
    TLabel *Label1, *Label2, *Label3, *Label4, *Label5, *Label6, *Label7, *Label8, *Label9, *Label10,
        *Label11, *Label12, *Label13, *Label14, *Label15, *Label16, *Label17;
    TMemo* Memo1;

    explicit TForm2(TComponent* Owner);
};

extern TForm2* Form2;
