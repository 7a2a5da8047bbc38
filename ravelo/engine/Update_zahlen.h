#pragma once
// Draw update job: waits for the results page, has it cut, reloads the archive.
#include <memory>

#include "Arbeitsthread.h"
#include "Thread_hompage_holen.h"
#include "Threadstriphompage.h"

class IUpdateFenster;

class Update_Zahlen : public TArbeitsThread {
public:
    // Works on the window installed with setze_UpdateFenster when it starts.
    explicit Update_Zahlen(bool CreateSuspended);
    Update_Zahlen(bool CreateSuspended, IUpdateFenster* fenster);
    ~Update_Zahlen() override;

    static constexpr int MAX_STARTWARTEN = 71;  // looks at the window's start-up, 100 ms apart
    static constexpr int MAX_ABFRAGEN = 41;  // looks at each child, 500 ms apart

    // After the job's end: empty when the archive took the page's draws, else why not, in the
    // user's words (the status texts of the steps went to Label1).
    String Fehlermeldung() const;

    // Terminates each child that is set; the children's OnTerminate handler.
    void Kinder_beenden(TObject* Sender);

    // The page wait and the page cut; owned by the job.
    std::unique_ptr<Thread_Hompage_holen> t_Hompage_holen;
    std::unique_ptr<ThreadStripHompage> t_StripHompage;

protected:
    void Execute() override;

private:
    // Starts a child and polls it; false (after reporting) when it still runs after the last poll.
    bool warte_auf(IUpdateFenster& f, TArbeitsThread& kind, const char* name);
    IUpdateFenster* FFenster;
    String FFehlermeldung;
};
