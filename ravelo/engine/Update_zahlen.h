#pragma once
// Draw update job: waits for the results page, has it cut, reloads the archive.
#include <memory>

#include "Arbeitsthread.h"
#include "Thread_hompage_holen.h"
#include "Threadstriphompage.h"

class Update_Zahlen : public TArbeitsThread {
public:
    explicit Update_Zahlen(bool CreateSuspended);
    ~Update_Zahlen() override;

    // Terminates each child that is set; the children's OnTerminate handler.
    void Kinder_beenden(TObject* Sender);

    // The page wait and the page cut; owned by the job.
    std::unique_ptr<Thread_Hompage_holen> t_Hompage_holen;
    std::unique_ptr<ThreadStripHompage> t_StripHompage;

protected:
    void Execute() override;
};
