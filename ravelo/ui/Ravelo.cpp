// The program's entry function: the splash window, the forms in their order, the message loop,
// and the exception box for whatever escapes the start.
#include <memory>

#include "Auslegen.h"
#include "Einzelstart.h"
#include "Programmordner.h"
#include "Tippdateien.h"
#include "Unit1.h"
#include "Unit2.h"
#include "Unit3.h"
#include "Unit4.h"
#include "Unit5.h"
#include "Unit7.h"
#include "zub/Forms.h"
#include "zubqt/QtView.h"

namespace {

String Befehlszeile(int argc, char** argv)
{
    String zeile;
    for (int i = 0; i < argc; ++i) {
        if (i > 0) zeile += " ";
        zeile += argv[i];
    }
    return zeile;
}

}  // namespace

int main(int argc, char** argv)
{
    // The windows live in a desktop view; the program's own hidden window needs no taskbar
    // button, since here it has no window at all.
    Laufzeit_einrichten();
    std::unique_ptr<TQtView> ansicht;
    try {
        Application->Initialize();
        // The program works in its own folder whatever folder it was started in (a desktop
        // launcher starts it in the home folder); the main window reports a folder it cannot
        // set up.
        ProgrammOrdner_einrichten();
        ansicht = std::make_unique<TQtView>(argc, argv);
        // A second copy on the same folder leaves the running one undisturbed.
        const TOrdnersperre sperre(ProgrammOrdner());
        if (sperre.Gesperrt()) {
            Application->MessageBox(Meldung_zweiter_Start(ProgrammOrdner()), "Quenzel 2009",
                                    MB_OK | MB_ICONINFORMATION);
            return 0;
        }
        const std::vector<String> fehlend =
            Programmordner_auslegen(ProgrammOrdner(), RAVELO_ASSETS, RAVELO_ASSETS_BUILT);
        if (!fehlend.empty())
            Application->MessageBox(Meldung_fehlende_Dateien(ProgrammOrdner(), fehlend), "Quenzel 2009",
                                    MB_OK | MB_ICONWARNING);
        if (Pos("/NOSPLASH", UpperCase(Befehlszeile(argc, argv))) == 0) {
            Form3 = new TForm3(Application);
            Form3->Show();
            Application->ProcessMessages();
        }
        Application->SetMainFormOnTaskbar(true);
        Application->SetHelpFile(ProgrammDatei(DATEI_HILFE));
        Application->SetTitle("Quenzel 2009");
        Application->CreateForm(Form1);
        Application->CreateForm(Form2);
        Application->CreateForm(Form4);
        Application->CreateForm(Form5);
        Application->CreateForm(Form7);
        Application->Run();
    } catch (...) {
        Application->HandleException();
    }
    return 0;
}
