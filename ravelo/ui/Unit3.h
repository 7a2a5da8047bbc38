#pragma once
// The splash window shown while the main window is built.
#include "zub/ExtCtrls.h"
#include "zub/Forms.h"
#include "zub/StdCtrls.h"

class TForm3 : public TForm {
public:
    TImage* Image1;
    TLabel* lblProgress;
    TLabel* outlblAppName;

    explicit TForm3(TComponent* Owner);
};

// Null once start-up has freed the splash window.
extern TForm3* Form3;
