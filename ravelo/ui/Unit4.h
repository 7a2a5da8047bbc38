#pragma once
// The animation window: created at start-up and never shown.
#include "zub/ComCtrls.h"
#include "zub/Forms.h"

class TForm4 : public TForm {
public:
    TAnimate* Animate1;

    explicit TForm4(TComponent* Owner);
};

extern TForm4* Form4;
