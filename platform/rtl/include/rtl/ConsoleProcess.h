#pragma once
// A console process: runs a command-line program to completion in a given working directory and
// keeps what it printed, standard output in one list and standard error in the other.
#include <functional>

#include "rtl/Classes.h"

class TConsoleProcess : public TObject {
public:
    // Program to start: a name without "/" is looked up on PATH.
    String ApplicationName;
    // Whole command line; words split at blanks, a double-quoted stretch is one word (quotes
    // dropped). The first word is the program's own name (argv[0]).
    String CommandLine;
    String CurrentDirectory;  // empty: the caller's
    // Each line as the program prints it (stream 0: standard output, 1: standard error); the
    // lists hold them all at the end as well.
    std::function<void(int stream, const String& line)> OnLine;

    // Runs and waits. Raises Exception when the program cannot be started. A stop signal that
    // comes meanwhile (rtl/Interrupt.h) is passed on to the program, which is waited for, and
    // then raises EInterrupted.
    void Execute();
    int ExitCode() const { return FExitCode; }
    TStringList& Output() { return FOutput; }  // standard output, one line each
    TStringList& Errors() { return FErrors; }  // standard error, one line each

private:
    int FExitCode = -1;
    TStringList FOutput;
    TStringList FErrors;
};
