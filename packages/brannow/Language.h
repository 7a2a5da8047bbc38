#pragma once
// The language of the active personality, for sources that quote names the way it does.
#include "rtl/SysUtils.h"

enum TLanguageType { ltNone = 0, ltPendro = 1, ltCSharp = 2, ltCPP = 3, ltIL = 4 };

void SetLanguage(TLanguageType language);
TLanguageType GetLanguage();
// "'" for Pendro, a double quote for C#, nothing for the others.
String GetLanguageQuotation();
// The language of a host personality name; ltNone for one it does not know.
TLanguageType LanguageOfPersonality(const String& personality);

namespace Language {
extern int UseCount;
void Initialization();
}  // namespace Language
