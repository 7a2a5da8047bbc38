#include "Unit3.h"

#include "Unit3.zfm.h"

TForm3* Form3 = nullptr;

TForm3::TForm3(TComponent* Owner) : TForm(Owner)
{
    ReadLayout(Unit3_zfm);
    Bind(Image1, "Image1");
    Bind(lblProgress, "lblProgress");
    Bind(outlblAppName, "outlblAppName");
    // Relative to the working directory; a missing picture ends the start.
    Image1->Picture()->LoadFromFile("gifs\\splash.gif");
}
