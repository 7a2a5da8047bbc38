#include "Auslegen.h"

#include <filesystem>
#include <fstream>
#include <system_error>

#include "rtl/Files.h"

namespace {

String Mit_Trenner(const String& ordner)
{
    return !ordner.empty() && ordner.back() == '/' ? ordner : ordner + "/";
}

// Places quelle as ziel when ziel is missing; false when it is still missing.
bool platziere(const String& quelle, const String& ziel)
{
    if (FileExists(ziel)) return true;
    const std::filesystem::path p(ziel);
    if (!ForceDirectories(p.parent_path().string())) return false;
    return CopyFile(quelle, ziel, true) || FileExists(ziel);
}

}  // namespace

std::vector<String> Programmordner_auslegen(const String& ordner, const String& assets, const String& gebaut)
{
    const String ziel = Mit_Trenner(ordner);
    const String quelle = Mit_Trenner(assets);
    std::vector<String> fehlend;
    std::ifstream manifest(quelle + "MANIFEST");
    if (!manifest) return {quelle + "MANIFEST"};
    for (String zeile; std::getline(manifest, zeile);) {
        if (!zeile.empty() && zeile.back() == '\r') zeile.pop_back();
        if (zeile.empty() || zeile[0] == '#') continue;
        const String name = zeile.rfind("data/", 0) == 0 ? zeile.substr(5) : zeile;
        if (!platziere(quelle + zeile, ziel + name)) fehlend.push_back(name);
    }
    std::error_code fehler;
    const std::filesystem::path basis(gebaut);
    for (auto it = std::filesystem::recursive_directory_iterator(basis, fehler);
         !fehler && it != std::filesystem::recursive_directory_iterator(); it.increment(fehler)) {
        if (!it->is_regular_file(fehler)) continue;
        const String name = std::filesystem::relative(it->path(), basis, fehler).string();
        if (!fehler && !platziere(it->path().string(), ziel + name)) fehlend.push_back(name);
    }
    return fehlend;
}

String Meldung_fehlende_Dateien(const String& ordner, const std::vector<String>& fehlend)
{
    String name = ordner;
    if (name.size() > 1 && name.back() == '/') name.pop_back();
    String text = "Im Programmordner " + name +
                  " fehlen Dateien, die das Programm braucht, und sie konnten "
                  "nicht angelegt werden:";
    const std::size_t zeigen = std::min<std::size_t>(fehlend.size(), 8);
    for (std::size_t i = 0; i < zeigen; ++i) text += "\n" + fehlend[i];
    if (fehlend.size() > zeigen)
        text += "\n(und " + IntToStr(static_cast<int>(fehlend.size() - zeigen)) + " weitere)";
    return text;
}
