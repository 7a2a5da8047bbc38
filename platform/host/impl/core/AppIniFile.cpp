#include "host/AppIniFile.h"

TIniFile& AppIniFile()
{
    static TIniFile ini("idehost.ini");
    return ini;
}
