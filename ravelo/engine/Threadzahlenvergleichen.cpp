#include "Threadzahlenvergleichen.h"

#include <array>
#include <atomic>
#include <climits>
#include <optional>

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

// What a comparison compares: from where, the draw's date and the run key of its tips.
struct Vergleich {
    Modus modus;
    String datum;  // dd-mm-yyyy of the draw compared with
    String schluessel;  // the run key whose selected tips are compared
};

// The draw: six numbers, then the extra number.
using Ziehungszahlen = std::array<int, 7>;

// The list the window shows: a heading, then each tip; the winning lines are marked.
struct Vergleichsliste {
    std::vector<String> zeilen;
    String farbe, symbol0;  // indices of the winning lines, each followed by ","
    bool gewonnen = false;
};

// The window may still be starting or updating the numbers: wait for both, each up to its bound.
void warte_auf_Fenster(IVergleichFenster& f)
{
    for (int n = 0; f.start_laeuft() && n < 71; ++n) {
        Sleep(100);
        OutputDebugStringA("Warte solange Programm gestartet wird .....");
    }
    for (int n = 0; !f.zahlen_aktualisiert() && n < 41; ++n) {
        Sleep(500);
        OutputDebugStringA("ThreadZahlenVergleichen: Warte auf ZahlenUpdate_fertig .....");
    }
}

// The runs so far, without blank lines.
void lies_History(TStringList& history)
{
    history.LoadFromFile(ProgrammDatei(DATEI_HISTORY));
    for (int i = history.Count() - 1; i >= 0; --i)
        if (Trim(history[i]).empty()) history.Delete(i);
}

// A history box without a run key (no date in front) names no draw in the archive.
bool lauf_bekannt(IVergleichFenster& f)
{
    try {
        return f.pruefe_Tippdatum(false);
    } catch (const EConvertError&) {
        return false;
    }
}

// Start-up: the newest run whose draw has taken place. Nothing when there is none to compare;
// the window then says why.
std::optional<Vergleich> Startvergleich(IVergleichFenster& f, const TStringList& history)
{
    f.ListBox1({ZAHLEN_WERDEN_VERGLICHEN}, "", "", "");
    f.ListBox1_ShowHint(false);
    if (history.Count() == 0) {
        if (f.pruefe_Tippdatum(true)) f.ListBox1(Starthinweis(), "", "", STARTHINWEIS_SYMBOLE);
        return std::nullopt;
    }
    // Runs for the coming draw have nothing to compare yet: take the newest run before them.
    const String kommend = FormatDateTime("dd-mm-yyyy", naechster_Ziehungstag(Now()));
    int k = history.Count() - 1;
    while (k > 0 && history[k].substr(0, 10) == kommend) --k;
    const String schluessel = history[k];
    if (!ist_Tippschluessel(Trim(schluessel))) {
        // A cut line (a crash while it was written) names no tips file: say so instead of failing.
        f.ListBox1({"Zahlenvergleich nicht möglich!!!!", "history.txt ist unvollständig:", schluessel});
        OutputDebugStringA("ThreadZahlenVergleichen: kein Tippschlüssel in history.txt: " + schluessel);
        return std::nullopt;
    }
    return Vergleich{Modus::Start, Trim(schluessel).substr(0, 10), Trim(schluessel)};
}

std::optional<Vergleich> waehle_Vergleich(IVergleichFenster& f, const TStringList& history, bool favoriten_an)
{
    const bool beim_Start = f.vergleich_beim_Start();
    if (beim_Start && !favoriten_an) return Startvergleich(f, history);
    if (lauf_bekannt(f)) {
        f.ListBox1({ZAHLEN_WERDEN_VERGLICHEN});
        const String schluessel = f.ComboBox2();
        return Vergleich{Modus::Lauf, schluessel.substr(0, 10), schluessel};
    }
    if (beim_Start && favoriten_an) {
        f.ListBox1({"Favoritten werden verglichen!!!!"});
        return Vergleich{Modus::Favoriten, "", ""};
    }
    const String schluessel = f.ComboBox2();
    f.ListBox1({"Zahlenvergleich nicht möglich!!!!", schluessel});
    TStringList dummy;
    dummy.Add(DUMMY_ZEILE);
    dummy.SaveToFile(ProgrammDatei(DATEI_DUMMY));
    return Vergleich{Modus::Platzhalter, "03-03-1933", schluessel};
}

// The archive line of the draw compared with: the newest for the favourites, else the newest
// of the draw's date. Nothing when the archive holds none.
std::optional<String> Ziehungszeile(const Vergleich& v)
{
    TStringList archiv;
    archiv.LoadFromFile(ProgrammDatei(v.modus == Modus::Platzhalter ? DATEI_DUMMY : DATEI_DOROV_ZAHLEN));
    if (v.modus == Modus::Favoriten) {
        if (archiv.Count() == 0) return std::nullopt;
        return archiv[archiv.Count() - 1];
    }
    const String suche = Ziehungsschluessel(v.datum);
    for (int i = archiv.Count() - 1; i >= 0; --i)
        if (Pos(suche, archiv[i]) > 0) return archiv[i];
    return std::nullopt;
}

Ziehungszahlen Zahlen_der_Ziehung(const String& ziehungszeile)
{
    const std::vector<String> felder = Felder(ziehungszeile);
    Ziehungszahlen ziehung{};
    for (std::size_t i = 0; i < ziehung.size() && i + 1 < felder.size(); ++i)
        ziehung[i] = Feldwert(felder[i + 1]);
    return ziehung;
}

std::vector<String> Kopfzeilen(const Vergleich& v, const String& ziehungszeile)
{
    if (v.modus == Modus::Platzhalter) return {"Zahlenvergleich nicht möglich!!!!", v.schluessel};
    if (v.modus == Modus::Favoriten) return {"Favoritten überprüft mit:", ziehungszeile.substr(0, 8)};
    return {"Zahlen überprüft vom:", v.schluessel};
}

// A tip's line with its hits when it won (three or more right).
void fuege_Tipp_an(const String& tipp, const Ziehungszahlen& ziehung, Vergleichsliste& liste)
{
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
        liste.gewonnen = true;
        zeile += "->" + IntToStr(richtige);
        if (zusatzzahl && richtige != 6) zeile += "+Z";
        const String index = IntToStr(static_cast<long long>(liste.zeilen.size())) + ",";
        liste.farbe += index;
        liste.symbol0 += index;
    }
    liste.zeilen.push_back(zeile);
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
    warte_auf_Fenster(f);
    TStringList history;
    lies_History(history);
    const std::optional<Vergleich> v = waehle_Vergleich(f, history, favoriten_an);
    if (!v) return;
    const std::optional<String> ziehungszeile = Ziehungszeile(*v);
    if (!ziehungszeile) return;
    const Ziehungszahlen ziehung = Zahlen_der_Ziehung(*ziehungszeile);

    TStringList tipps;
    tipps.LoadFromFile(v->modus == Modus::Favoriten
                           ? ProgrammDatei(DATEI_FAVORITEN)
                           : ProgrammDatei(Dateiname(DATEI_AUSGEWAEHLT, v->schluessel)));
    Vergleichsliste liste;
    liste.zeilen = Kopfzeilen(*v, *ziehungszeile);
    f.vergleich_beim_Start_loeschen();
    for (int i = 0; i < tipps.Count(); ++i)
        if (!Trim(tipps[i]).empty()) fuege_Tipp_an(tipps[i], ziehung, liste);
    f.ListBox1(liste.zeilen, liste.farbe, liste.symbol0, "");
    if (liste.gewonnen) {
        f.ListBox1_Hint("Sie haben was gewonnen!");
        f.ListBox1_ShowHint(true);
    }

    OutputDebugStringA("ThreadZahlenVergleichen beendet...");
    b_laeuft = false;
}
