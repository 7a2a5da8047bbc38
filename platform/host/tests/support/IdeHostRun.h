#pragma once
// The idehost program run as its user runs it, for the tests of the host and of the packages:
// the command line after the program's name, the working folder, and what it printed.
#include <algorithm>
#include <filesystem>
#include <vector>

#include "rtl/ConsoleProcess.h"

struct TIdeHostRun {
    int Status;
    String Out, Err;  // the lines, each ended by "\n"
    std::vector<String> OutLines;
};

inline TIdeHostRun RunIdeHost(const String& program, const String& commandLine, const String& cwd)
{
    TConsoleProcess p;
    p.ApplicationName = program;
    p.CommandLine = "idehost " + commandLine;
    p.CurrentDirectory = cwd;
    p.Execute();
    TIdeHostRun r{p.ExitCode(), {}, {}, {}};
    for (int i = 0; i < p.Output().Count(); ++i) {
        r.OutLines.push_back(p.Output()[i]);
        r.Out += p.Output()[i] + "\n";
    }
    for (int i = 0; i < p.Errors().Count(); ++i) r.Err += p.Errors()[i] + "\n";
    return r;
}

// The files below dir, relative to it, sorted.
inline std::vector<String> FilesBelow(const String& dir)
{
    std::vector<String> r;
    for (const auto& e : std::filesystem::recursive_directory_iterator(dir.c_str()))
        if (e.is_regular_file()) r.push_back(std::filesystem::relative(e.path(), dir.c_str()).string());
    std::sort(r.begin(), r.end());
    return r;
}
