#pragma once
// The command line of krotex, the IDL-to-C++ compiler: its switches, the names of what it
// writes, and its diagnostics in the form the IDE reads.
#include <vector>

#include "rtl/SysUtils.h"

struct TKrotexArgs {
    std::vector<String> IncludePath;  // -I, in order
    std::vector<String> Defines;  // -D, in order
    String HdrSuffix = "hh", SrcSuffix = "cc";
    String ClientExt = "_c", ServerExt = "_s";
    String RootDir, SrcDir, HdrDir;  // empty: not given
    std::vector<String> Files;  // the IDL files
    // Where sources and headers go: the given folder, else the root folder, else ".".
    String SourceFolder() const;
    String HeaderFolder() const;
};

class EKrotexUsage : public Exception {
public:
    using Exception::Exception;
};

// argv without the program name. A switch with a value takes it glued ("-Ia") or as the next
// word ("-I a"); the on/off switches are accepted and change nothing in what is written.
TKrotexArgs ParseKrotexArgs(const std::vector<String>& args);

// The four files written for `idlFile` (base name plus extension and suffix).
struct TKrotexOutputs {
    String ClientHeader, ClientSource, ServerHeader, ServerSource;
};
TKrotexOutputs KrotexOutputs(const TKrotexArgs& a, const String& idlFile);

// The place a compiler line names: "file:line: text", where the place ends at the last
// ":<digits>: " of the line. False when the line names none (or a line number too large).
// Linear in the line's length, for any length.
struct TKrotexPlace {
    String File;
    int Line = 0;
    String Text;
};
bool KrotexPlace(const String& line, TKrotexPlace& place);

// A line of the IDL compiler's error output as krotex reports it: "file:line: text" for an
// error, "file:line: (warning) text" for a warning; its closing count ("omniidl: 1 error.")
// gives an empty text, which is not reported.
String KrotexDiagnostic(const String& line);
