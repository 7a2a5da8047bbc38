#include "Unit3.h"

#include "Programmordner.h"
#include "Unit3.zfm.h"
#include "rtl/Debug.h"

TForm3* Form3 = nullptr;

TForm3::TForm3(TComponent* Owner) : TForm(Owner)
{
    ReadLayout(Unit3_zfm);
    BIND_COMPONENTS(Image1, lblProgress, outlblAppName);
    // From the program folder, whatever folder the program was started in (a desktop launcher
    // starts it in the home folder); without its picture the splash still shows its texts, and
    // the start goes on.
    try {
        Image1->Picture()->LoadFromFile(ProgrammDatei("gifs\\splash.gif"));
    } catch (const Exception& e) {
        OutputDebugStringA("Splash: " + e.Message());
    }
}
