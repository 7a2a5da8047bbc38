#include "rtl/Interrupt.h"

#include <fcntl.h>
#include <unistd.h>

#include <csignal>

namespace {

volatile std::sig_atomic_t gSignal = 0;
int gPipe[2] = {-1, -1};
const int kSignals[] = {SIGINT, SIGTERM, SIGHUP};

void OnSignal(int sig)
{
    gSignal = sig;
    const char c = 1;
    // the pipe only wakes a poll; a full one is awake already
    [[maybe_unused]] const ssize_t n = write(gPipe[1], &c, 1);
}

}  // namespace

void InstallInterruptHandlers()
{
    if (gPipe[0] >= 0) return;
    if (pipe2(gPipe, O_CLOEXEC | O_NONBLOCK) != 0) throw Exception("Cannot watch for signals");
    struct sigaction sa {};
    sa.sa_handler = OnSignal;
    sigemptyset(&sa.sa_mask);
    for (int s : kSignals) sigaction(s, &sa, nullptr);
}

int InterruptSignal() { return gSignal; }

int InterruptFd() { return gPipe[0]; }

void CheckInterrupt()
{
    if (gSignal) throw EInterrupted("Interrupted by signal " + IntToStr(gSignal));
}

void ClearInterrupt()
{
    gSignal = 0;
    char buf[64];
    while (gPipe[0] >= 0 && read(gPipe[0], buf, sizeof buf) > 0) {}
}

void ExitByInterrupt()
{
    const int s = gSignal;
    if (!s) return;
    std::signal(s, SIG_DFL);
    std::raise(s);
}
