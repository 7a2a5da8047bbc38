#include "host/CppPersonality.h"

#include "host/MessageServices.h"

TIdlCompilerHelperClassProc IdlCompilerHelperClass = nullptr;
TIdlOptionsUpdaterClassProc IdlOptionsUpdaterClass = nullptr;
int CompilerType = 0;
bool ShowCommandLines = false;

void ShowCommandLine(int type, const String& switches, const String& file)
{
    BMSG(0, type, file, 0, 0, 0, switches + " " + file);
}
