#include "Threadzahlenvergleichen.h"

#include <array>
#include <atomic>
#include <climits>

#include "Programmordner.h"
#include "Tippdateien.h"
#include "Ziehungstage.h"
#include "rtl/Clock.h"
#include "rtl/Debug.h"
#include "rtl/Files.h"
#include "rtl/IniFiles.h"

namespace {

std::atomic<IVergleichFenster*> g_fenster{nullptr};

// Bare name: the INI class puts it in the Windows-directory stand-in.
const char* const FAVORITEN_INI = DATEI_UMGEBUNG;
const char* const ZAHLEN_WERDEN_VERGLICHEN = "Zahlen werden verglichen!!!!";

// Where the comparison starts from.
enum class Modus {
    Start,  // start-up: the newest run whose draw has taken place
    Lauf,  // the run in the history box, whose draw is in the archive
    Favoriten,  // start-up with the favourites option: meineFavoritten.txt against the newest draw
    Platzhalter,  // the run's draw is not in the archive yet: compared with Dummy.txt
};

// dd-mm-yyyy -> dd.mm.yy, the date form of the archive lines.
String Ziehungsschluessel(const String& datum)
{
    if (datum.size() < 10) return datum;
    return datum.substr(0, 2) + "." + datum.substr(3, 2) + "." + datum.substr(8, 2);
}

// The fields of a comma-separated line.
std::vector<String> Felder(const String& zeile)
{
    std::vector<String> felder;
    std::size_t anfang = 0;
    for (;;) {
        std::size_t komma = zeile.find(',', anfang);
        felder.push_back(zeile.substr(anfang, komma == String::npos ? String::npos : komma - anfang));
        if (komma == String::npos) return felder;
        anfang = komma + 1;
    }
}

// Two blanks stand for one digit in the list's font: a field holding a one-digit number gets two
// blanks in front of its digit, a tip number two for each digit it has fewer than five.
String ausgerichtet(const String& zeile)
{
    auto eine_Ziffer = [](const String& feld, std::size_t& ziffer) {
        std::size_t p = feld.find_first_not_of(" \t+");
        if (p == String::npos || feld[p] < '0' || feld[p] > '9') return false;
        ziffer = p;
        return p + 1 == feld.size() || feld[p + 1] < '0' || feld[p + 1] > '9';
    };
    const std::size_t punkt = zeile.find('.');
    String nummer = punkt == String::npos ? String() : zeile.substr(0, punkt);
    String zahlen = punkt == String::npos ? zeile : zeile.substr(punkt + 1);

    String ergebnis;
    if (punkt != String::npos) {
        const int n = Feldwert(nummer);
        for (int grenze : {10, 100, 1000, 10000})
            if (n < grenze) ergebnis += "  ";
        ergebnis += nummer + ".";
    }
    std::vector<String> felder = Felder(zahlen);
    for (std::size_t i = 0; i < felder.size(); ++i) {
        String feld = felder[i];
        std::size_t ziffer;
        if (i < 6 && eine_Ziffer(feld, ziffer)) feld.insert(ziffer, "  ");
        if (i > 0) ergebnis += ",";
        ergebnis += feld;
    }
    return ergebnis;
}

}  // namespace

bool lies_Favoriten_Option()
{
    TIniFile ini(FAVORITEN_INI);
    return ini.ReadString("Favoritten", "CheckBox1", "") == "true";
}

void schreibe_Favoriten_Option(bool an)
{
    TIniFile ini(FAVORITEN_INI);
    ini.WriteString("Favoritten", "CheckBox1", an ? "true" : "false");
}

int Feldwert(const String& text)
{
    std::size_t p = 0;
    while (p < text.size() && (text[p] == ' ' || text[p] == '\t')) ++p;
    bool negativ = false;
    if (p < text.size() && (text[p] == '+' || text[p] == '-')) negativ = text[p++] == '-';
    long long v = 0;
    for (; p < text.size() && text[p] >= '0' && text[p] <= '9'; ++p)
        if (v < INT_MAX) v = v * 10 + (text[p] - '0');
    if (v > INT_MAX) v = INT_MAX;
    return static_cast<int>(negativ ? -v : v);
}

const std::vector<String>& Starthinweis()
{
    static const std::vector<String> zeilen = {
        "Starten Sie Sarnik,",       "danach erscheinen in diesem Fenster,",
        "die getippte Lottozahlen!", "-------------------------------------------",
        "Schritt 1 fehlt noch!",     "Schritt 2 fehlt noch!",
        "Schritt 3 fehlt noch!"};
    return zeilen;
}

void setze_VergleichFenster(IVergleichFenster* fenster) { g_fenster = fenster; }

IVergleichFenster* VergleichFenster() { return g_fenster; }

ThreadZahlenVergleichen::ThreadZahlenVergleichen(bool CreateSuspended)
    : ThreadZahlenVergleichen(CreateSuspended, nullptr)
{
}

ThreadZahlenVergleichen::ThreadZahlenVergleichen(bool CreateSuspended, IVergleichFenster* fenster)
    : TFensterThread("ThreadZahlenVergleichen", fenster, VergleichFenster, TLaufflag::von_der_Arbeit)
{
    starte_wenn_verlangt(CreateSuspended);
}

ThreadZahlenVergleichen::~ThreadZahlenVergleichen() { warte_auf_Ende(); }

// Early returns leave the running flag on, as the creators expect of a comparison that could not
// take place (they poll to their bound and then wait for the end).
void ThreadZahlenVergleichen::ausfuehren(IVergleichFenster& f)
{
    const bool favoriten_an = lies_Favoriten_Option();

    for (int n = 0; f.start_laeuft() && n < 71; ++n) {
        Sleep(100);
        OutputDebugStringA("Warte solange Programm gestartet wird .....");
    }
    for (int n = 0; !f.zahlen_aktualisiert() && n < 41; ++n) {
        Sleep(500);
        OutputDebugStringA("ThreadZahlenVergleichen: Warte auf ZahlenUpdate_fertig .....");
    }

    TStringList history;
    history.LoadFromFile(ProgrammDatei(DATEI_HISTORY));
    for (int i = history.Count() - 1; i >= 0; --i)
        if (Trim(history[i]).empty()) history.Delete(i);

    const bool beim_Start = f.vergleich_beim_Start();
    Modus modus;
    String datum;  // dd-mm-yyyy of the draw compared with
    String schluessel;  // the run key whose selected tips are compared

    // A history box without a run key (no date in front) names no draw in the archive.
    auto lauf_bekannt = [&f] {
        try {
            return f.pruefe_Tippdatum(false);
        } catch (const EConvertError&) {
            return false;
        }
    };

    if (beim_Start && !favoriten_an) {
        modus = Modus::Start;
        f.ListBox1({ZAHLEN_WERDEN_VERGLICHEN}, "", "", "");
        f.ListBox1_ShowHint(false);
        if (history.Count() == 0) {
            if (f.pruefe_Tippdatum(true)) f.ListBox1(Starthinweis(), "", "", STARTHINWEIS_SYMBOLE);
            return;
        }
        // Runs for the coming draw have nothing to compare yet: take the newest run before them.
        const String kommend = FormatDateTime("dd-mm-yyyy", naechster_Ziehungstag(Now()));
        int k = history.Count() - 1;
        while (k > 0 && history[k].substr(0, 10) == kommend) --k;
        schluessel = history[k];
        if (!ist_Tippschluessel(Trim(schluessel))) {
            // A cut line (a crash while it was written) names no tips file: say so instead of failing.
            f.ListBox1({"Zahlenvergleich nicht möglich!!!!", "history.txt ist unvollständig:", schluessel});
            OutputDebugStringA("ThreadZahlenVergleichen: kein Tippschlüssel in history.txt: " + schluessel);
            return;
        }
        schluessel = Trim(schluessel);
        datum = schluessel.substr(0, 10);
    } else if (lauf_bekannt()) {
        modus = Modus::Lauf;
        f.ListBox1({ZAHLEN_WERDEN_VERGLICHEN});
        schluessel = f.ComboBox2();
        datum = schluessel.substr(0, 10);
    } else if (beim_Start && favoriten_an) {
        modus = Modus::Favoriten;
        f.ListBox1({"Favoritten werden verglichen!!!!"});
    } else {
        modus = Modus::Platzhalter;
        schluessel = f.ComboBox2();
        f.ListBox1({"Zahlenvergleich nicht möglich!!!!", schluessel});
        datum = "03-03-1933";
        TStringList dummy;
        dummy.Add(DUMMY_ZEILE);
        dummy.SaveToFile(ProgrammDatei(DATEI_DUMMY));
    }

    // The draw.
    TStringList archiv;
    archiv.LoadFromFile(ProgrammDatei(modus == Modus::Platzhalter ? DATEI_DUMMY : DATEI_DOROV_ZAHLEN));
    String ziehungszeile, kopfdatum;
    if (modus == Modus::Favoriten) {
        if (archiv.Count() == 0) return;
        ziehungszeile = archiv[archiv.Count() - 1];
        kopfdatum = ziehungszeile.substr(0, 8);
    } else {
        const String suche = Ziehungsschluessel(datum);
        for (int i = archiv.Count() - 1; i >= 0 && ziehungszeile.empty(); --i)
            if (Pos(suche, archiv[i]) > 0) ziehungszeile = archiv[i];
        if (ziehungszeile.empty()) return;
    }
    const std::vector<String> ziehung_felder = Felder(ziehungszeile);
    std::array<int, 7> ziehung{};  // six numbers, then the extra number
    for (std::size_t i = 0; i < ziehung.size() && i + 1 < ziehung_felder.size(); ++i)
        ziehung[i] = Feldwert(ziehung_felder[i + 1]);

    // The tips.
    TStringList tipps;
    tipps.LoadFromFile(modus == Modus::Favoriten ? ProgrammDatei(DATEI_FAVORITEN)
                                                 : ProgrammDatei(Dateiname(DATEI_AUSGEWAEHLT, schluessel)));

    std::vector<String> zeilen;
    if (modus == Modus::Platzhalter) {
        zeilen = {"Zahlenvergleich nicht möglich!!!!", schluessel};
    } else if (modus == Modus::Favoriten) {
        zeilen = {"Favoritten überprüft mit:", kopfdatum};
    } else {
        zeilen = {"Zahlen überprüft vom:", schluessel};
    }
    f.vergleich_beim_Start_loeschen();

    String zeilen_farbe, zeilen_symbol0;
    bool gewonnen = false;
    for (int i = 0; i < tipps.Count(); ++i) {
        const String tipp = tipps[i];
        if (Trim(tipp).empty()) continue;
        // Only 1..49 are lottery numbers: the placeholder draw's zeros never count as hits.
        std::array<bool, 50> getippt{};
        const std::size_t punkt = tipp.find('.');
        const std::vector<String> felder = Felder(punkt == String::npos ? tipp : tipp.substr(punkt + 1));
        for (std::size_t k = 0; k < 6 && k < felder.size(); ++k) {
            const int zahl = Feldwert(felder[k]);
            if (zahl >= 1 && zahl <= 49) getippt[zahl] = true;
        }
        auto getroffen = [&getippt](int zahl) { return zahl >= 1 && zahl <= 49 && getippt[zahl]; };
        int richtige = 0;
        for (int k = 0; k < 6; ++k)
            if (getroffen(ziehung[k])) ++richtige;
        const bool zusatzzahl = getroffen(ziehung[6]);

        String zeile = ausgerichtet(tipp.substr(0, tipp.find('-')));
        if (richtige > 2) {
            gewonnen = true;
            zeile += "->" + IntToStr(richtige);
            if (zusatzzahl && richtige != 6) zeile += "+Z";
            const String index = IntToStr(static_cast<long long>(zeilen.size())) + ",";
            zeilen_farbe += index;
            zeilen_symbol0 += index;
        }
        zeilen.push_back(zeile);
    }
    f.ListBox1(zeilen, zeilen_farbe, zeilen_symbol0, "");
    if (gewonnen) {
        f.ListBox1_Hint("Sie haben was gewonnen!");
        f.ListBox1_ShowHint(true);
    }

    OutputDebugStringA("ThreadZahlenVergleichen beendet...");
    b_laeuft = false;
}
