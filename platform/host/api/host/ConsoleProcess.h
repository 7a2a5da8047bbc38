#pragma once
// The host's console-process object: runs a command-line program to completion in a given
// working directory and keeps what it printed, standard output in the first list and standard
// error in the second.
#include "host/Export.h"
#include "rtl/Classes.h"

class HOST_API TConsoleProcess : public TObject {
public:
    // Program to start: a name without "/" is looked up on PATH.
    String ApplicationName;
    // Whole command line; words split at blanks, a double-quoted stretch is one word (quotes
    // dropped). The first word is the program's own name (argv[0]).
    String CommandLine;
    String CurrentDirectory;  // empty: the caller's

    // Runs and waits. Raises Exception when the program cannot be started.
    void Execute();
    int ExitCode() const { return FExitCode; }
    TStringList& Output() { return FOutput; }  // standard output, one line each
    TStringList& Errors() { return FErrors; }  // standard error, one line each

private:
    int FExitCode = -1;
    TStringList FOutput;
    TStringList FErrors;
};
