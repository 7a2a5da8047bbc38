#include "Update_zahlen.h"

#include "Updatefenster.h"
#include "rtl/Clock.h"
#include "rtl/Debug.h"

namespace {
const char* const TITEL = "Quenzel 2009";
}

Update_Zahlen::Update_Zahlen(bool CreateSuspended) : Update_Zahlen(CreateSuspended, nullptr) {}

Update_Zahlen::Update_Zahlen(bool CreateSuspended, IUpdateFenster* fenster)
    : TArbeitsThread("Update_Zahlen"), FFenster(fenster)
{
    starte_wenn_verlangt(CreateSuspended);
}

Update_Zahlen::~Update_Zahlen() { warte_auf_Ende(); }

void Update_Zahlen::Execute()
{
    b_laeuft = true;
    melde_gestartet();
    IUpdateFenster* f = FFenster ? FFenster : UpdateFenster();
    if (!f) {  // no window: nothing to update
        FFehlermeldung = "Kein Hauptfenster.";
        b_laeuft = false;
        return;
    }
    FFehlermeldung = "Die Ergebnisseite wurde nicht rechtzeitig geladen.";

    for (int i = 0; i < MAX_STARTWARTEN && f->start_laeuft(); ++i) {
        Sleep(100);
        OutputDebugStringA("Warte solange Programm gestartet wird .....");
    }
    f->TrayIcon2_sichtbar(true);
    // The balloon is set each time: the end of an earlier run left the success text in it.
    f->TrayIcon2_Sprechblase(TITEL, "Lottozahlen werden aktualisiert!");

    t_Hompage_holen = std::make_unique<Thread_Hompage_holen>(true, f);
    if (!warte_auf(*f, *t_Hompage_holen, "THompage_holen")) return;
    t_StripHompage = std::make_unique<ThreadStripHompage>(true, f);
    if (!warte_auf(*f, *t_StripHompage, "TStripHompage")) return;

    // Success is announced only when the archive took the page's draws; otherwise the page cut
    // has left its message in Label1.
    FFehlermeldung = t_StripHompage->Begruendung();
    if (t_StripHompage->Ergebnis() == TSeitenschnitt::aktualisiert) {
        f->TrayIcon2_Sprechblase(TITEL, "Lottozahlen erfolgreich aktualisiert!");
        Sleep(3000);
    }
    f->lade_Archiv();
    Sleep(10);
    f->Tabelle_oberste_Zeile(f->Tabelle_Zeilen() - 6);
    f->TrayIcon2_sichtbar(false);
    f->zahlen_aktualisiert();
    b_laeuft = false;
    f->Image24_freigeben();
}

String Update_Zahlen::Fehlermeldung() const { return FFehlermeldung; }

bool Update_Zahlen::warte_auf(IUpdateFenster& f, TArbeitsThread& kind, const char* name)
{
    kind.Resume();
    Sleep(1);
    for (int i = 0; i < MAX_ABFRAGEN && kind.laeuft(); ++i) {
        Sleep(500);
        OutputDebugStringA(String("Warte auf Ende ") + name + " .....");
    }
    if (kind.laeuft()) {
        // The running flag stays on: the caller sees the job never finished.
        const String text = String("ERROR : Timeout ") + name;
        f.Label1(text);
        OutputDebugStringA(text);
        return false;
    }
    kind.WaitFor();
    OutputDebugStringA(String("Ergebnis ") + name + ":");
    kind.OnTerminate = [this](TObject* Sender) { Kinder_beenden(Sender); };
    return true;
}

void Update_Zahlen::Kinder_beenden(TObject*)
{
    if (t_Hompage_holen) t_Hompage_holen->Terminate();
    if (t_StripHompage) t_StripHompage->Terminate();
}
