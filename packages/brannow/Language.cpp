#include "Language.h"

namespace {
TLanguageType gLanguage = ltNone;
}

namespace Language {
int UseCount = 0;
void Initialization() { gLanguage = ltNone; }
}  // namespace Language

void SetLanguage(TLanguageType language) { gLanguage = language; }

TLanguageType GetLanguage() { return gLanguage; }

String GetLanguageQuotation()
{
    switch (gLanguage) {
    case ltPendro: return "'";
    case ltCSharp: return "\"";
    default: return "";
    }
}

TLanguageType LanguageOfPersonality(const String& personality)
{
    if (personality == "Pendro.Personality") return ltPendro;
    if (personality == "Tolvane.Personality") return ltCPP;
    if (personality == "CSharp.Personality") return ltCSharp;
    return ltNone;
}
