// idehost: the command-line IDE host (see host/Shell.h for its commands).
#include <iostream>

#include "hostimpl/Shell.h"
#include "rtl/Interrupt.h"
#include "rtl/ProgramSettings.h"

int main(int argc, char** argv)
{
    // The host keeps its registry and settings in folders of its own: $IDEHOST_CONFIG, else
    // $XDG_CONFIG_HOME/idehost/.
    SetProgramSettings({"idehost", "IDEHOST_CONFIG", "IDEHOST_DEBUG"});
    // A stop signal ends the command that runs (a build stops its compiler and removes its
    // scratch folders), the packages are unloaded, then idehost ends by that signal.
    InstallInterruptHandlers();
    std::vector<String> args(argv + 1, argv + argc);
    const int status = hostimpl::RunIdeHost(args, std::cin, std::cout, std::cerr);
    ExitByInterrupt();
    return status;
}
