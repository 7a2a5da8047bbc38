// environment.ini as the program interprets it: any bytes give the update settings, the favourites
// option and prize amounts within 1..1000000; writing the settings back and reading them again
// gives the same values, and what the program never writes ([Archiv] Download, the prize amounts)
// reads as before.
#include <cstdlib>

#include "Hauptfenster.h"
#include "Threadschritt3.h"
#include "Threadzahlenvergleichen.h"
#include "Tippdateien.h"
#include "rtl/IniFiles.h"

namespace {

struct Werte {
    bool CheckBox21, ftp, hinweis, favoriten;
    Gewinnbetraege betraege;
    bool operator==(const Werte& b) const
    {
        return CheckBox21 == b.CheckBox21 && ftp == b.ftp && hinweis == b.hinweis &&
               favoriten == b.favoriten && betraege.betrag == b.betraege.betrag;
    }
};

Werte lies(THauptfensterFuzz& h)
{
    TForm1& f = h.form();
    f.lese_Umgebung();
    return {f.CheckBox21->Checked(), ftp_download, update_hinweis, lies_Favoriten_Option(),
            lies_Gewinnbetraege(h.Datei(DATEI_UMGEBUNG))};
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    THauptfensterFuzz& h = Hauptfenster();
    static const bool ordner = ForceDirectories(TIniFile::WindowsDirectory());
    if (!ordner) std::abort();
    const String text = Fuzztext(data, size);
    h.schreibe(DATEI_UMGEBUNG, text);
    AtomicWriteFileNoSync(TIniFile::WindowsDirectory() + DATEI_UMGEBUNG, text);
    h.lies([&] {
        const Werte vorher = lies(h);
        for (int b : vorher.betraege.betrag)
            if (b < 1 || b > 1000000) std::abort();
        const String download = TIniFile(h.Datei(DATEI_UMGEBUNG)).ReadString("Archiv", "Download", "-");
        h.form().schreibe_Umgebung();
        schreibe_Favoriten_Option(vorher.favoriten);
        if (!(lies(h) == vorher)) std::abort();
        if (TIniFile(h.Datei(DATEI_UMGEBUNG)).ReadString("Archiv", "Download", "-") != download) std::abort();
    });
    return 0;
}
