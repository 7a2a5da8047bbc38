#pragma once
// A program that is told to stop (SIGINT, SIGTERM, SIGHUP) while it waits for a child
// process: the signal is only noted, so the waiting code can stop the child, unwind and
// remove what it made, and the program then ends by the same signal.
#include "rtl/SysUtils.h"

class EInterrupted : public Exception {
public:
    using Exception::Exception;
};

// Catches the three signals from now on; once per program.
void InstallInterruptHandlers();
// The signal that came, 0 while none did.
int InterruptSignal();
// Readable once a signal came: for poll() beside the child's pipes. -1 before the install.
int InterruptFd();
// Raises EInterrupted when a signal came.
void CheckInterrupt();
// Forgets a signal that came (for tests that interrupt themselves).
void ClearInterrupt();
// Ends the program by the signal that came, with its default action; returns when none came.
void ExitByInterrupt();
