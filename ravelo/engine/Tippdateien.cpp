#include "Tippdateien.h"

#include "Programmordner.h"

String Tippschluessel(const String& datum, int anzahl, int index)
{
    return datum + "-aus" + IntToStr(anzahl) + "_Index-" + IntToStr(index) + "*";
}

bool ist_Tippschluessel(const String& text)
{
    auto ziffern = [&text](std::size_t von, std::size_t bis) {
        if (von >= bis || bis > text.size()) return false;
        for (std::size_t i = von; i < bis; ++i)
            if (text[i] < '0' || text[i] > '9') return false;
        return true;
    };
    if (text.size() < 10 || !ziffern(0, 2) || text[2] != '-' || !ziffern(3, 5) || text[5] != '-' ||
        !ziffern(6, 10))
        return false;
    if (text.compare(10, 4, "-aus") != 0) return false;
    const std::size_t index = text.find("_Index-", 14);
    if (index == String::npos || !ziffern(14, index)) return false;
    return text.size() > index + 8 && text.back() == '*' && ziffern(index + 7, text.size() - 1);
}

String Dateiname(const String& vorlage, const String& schluessel, const String& endung)
{
    if (schluessel.empty() || schluessel.back() != '*')
        throw ETippschluessel("Tippschlüssel ohne abschließendes \"*\" benennt keine Datei: \"" + schluessel +
                              "\"");
    if (vorlage.empty() || vorlage.back() != '*')
        throw ETippschluessel("Dateivorlage ohne abschließendes \"*\": \"" + vorlage + "\"");
    String name = vorlage.substr(0, vorlage.size() - 1) + schluessel;
    name.replace(name.size() - 1, 1, endung);
    return name;
}

String Dateiname(const Tippdatei& datei, const String& schluessel)
{
    return Dateiname(datei.vorlage, schluessel, datei.endung);
}

String Dateipfad(const Tippdatei& datei, const String& schluessel)
{
    return ProgrammDatei(Dateiname(datei, schluessel));
}

bool ist_Programmdatei(const String& name)
{
    static const char* const DATEIEN[] = {
        DATEI_HISTORY,   DATEI_STATISTIK_SCHRITT3, DATEI_ZWISCHENABLAGE, DATEI_ZWILLINGE_GEGLIEDERT,
        DATEI_ZWILLINGE, DATEI_ZWILLINGE_PROZENT,  DATEI_DOROV_ZAHLEN,   DATEI_SEITE,
        DATEI_DUMMY,     DATEI_FAVORITEN,          DATEI_UMGEBUNG,       DATEI_GRAU,
        DATEI_PROFILE,   DATEI_STATISTIK,          DATEI_AUSDRUCK,       DATEI_NEWS};
    for (const char* datei : DATEIEN)
        if (SameText(name, datei)) return true;
    return false;
}
