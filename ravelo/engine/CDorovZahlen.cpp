#include "CDorovZahlen.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "Kernhilfen.h"
#include "Programmordner.h"
#include "Tippdateien.h"
#include "rtl/Files.h"

namespace {

// Years whose lines in the archive are no regular draws of this game.
constexpr int UEBERSPRUNGENE_JAHRE[] = {55, 56, 82, 83, 84, 85, 86};

// The number at pos: blanks skipped, then the leading decimal digits; anything else (a sign
// included) reads as 0, and a long run of digits saturates far below any overflow.
int lies_Zahl(std::string_view s, std::size_t pos)
{
    if (pos >= s.size()) return 0;
    return kern::lies_Zahl(s.data() + pos, s.data() + s.size());
}

// Position just behind the next occurrence of c at or after pos; npos when there is none.
std::size_t hinter(std::string_view s, char c, std::size_t pos)
{
    if (pos == String::npos || pos > s.size()) return String::npos;
    std::size_t p = s.find(c, pos);
    return p == String::npos ? p : p + 1;
}

bool ist_Lottozahl(int n) { return n >= 1 && n <= 49; }

struct Zwillingstafel {
    int erste[CDorovZahlen::ANZAHL_ZWILLINGE + 1];
    int zweite[CDorovZahlen::ANZAHL_ZWILLINGE + 1];
    int nummer[50][50];
    Zwillingstafel()
    {
        std::memset(nummer, 0, sizeof nummer);
        int k = 0;
        for (int a = 1; a <= 48; ++a)
            for (int b = a + 1; b <= 49; ++b) {
                ++k;
                erste[k] = a;
                zweite[k] = b;
                nummer[a][b] = k;
            }
        erste[0] = zweite[0] = 1;
    }
};

const Zwillingstafel& zwillinge()
{
    static const Zwillingstafel tafel;
    return tafel;
}

}  // namespace

std::ostream& operator<<(std::ostream& out, const Wertpaar& p) { return out << p.wert << ";" << p.index; }

Kriterienliste::Kriterienliste() : anzahl(0) { std::fill(std::begin(werte), std::end(werte), 0); }

int Kriterienliste::zaehle(int wert) const
{
    return static_cast<int>(std::count(std::begin(werte), std::end(werte), wert));
}

CDorovZahlen::CDorovZahlen()
{
    std::memset(zahlen, 0, sizeof zahlen);
    std::fill(std::begin(haeufigkeit), std::end(haeufigkeit), 0);
    std::fill(std::begin(abstand), std::end(abstand), 0);
    std::fill(std::begin(nach_Abstand), std::end(nach_Abstand), 0);
    std::fill(std::begin(gemerkt), std::end(gemerkt), 0);
    std::fill(std::begin(zwillingsabstand), std::end(zwillingsabstand), 0);
    std::fill(std::begin(zwillinge_nach_Abstand), std::end(zwillinge_nach_Abstand), 0);
    std::fill(std::begin(zwillingsprozent), std::end(zwillingsprozent), 0);
    std::fill(std::begin(zwillinge_nach_Prozent), std::end(zwillinge_nach_Prozent), 0);
}

bool CDorovZahlen::setze_Form(TForm1* f)
{
    form = f;
    return true;
}

CDorovZahlen::TArchivzeile CDorovZahlen::lies_Zeile(std::string_view zeile)
{
    TArchivzeile z;
    if (lies_Zahl(zeile, 0) <= 0) return z;
    z.beginnt_mit_Zahl = true;
    z.werte[SPALTE_TAG] = lies_Zahl(zeile, 0);
    std::size_t p = hinter(zeile, '.', 0);
    z.werte[SPALTE_MONAT] = p == String::npos ? 0 : lies_Zahl(zeile, p);
    p = hinter(zeile, '.', p);
    z.werte[SPALTE_JAHR] = p == String::npos ? 0 : lies_Zahl(zeile, p);
    if (std::find(std::begin(UEBERSPRUNGENE_JAHRE), std::end(UEBERSPRUNGENE_JAHRE), z.werte[SPALTE_JAHR]) !=
        std::end(UEBERSPRUNGENE_JAHRE))
        return z;
    z.ist_Ziehung = true;
    for (int s = 0; s < GEZAEHLTE_SPALTEN; ++s) {
        p = hinter(zeile, ',', p);
        if (p == String::npos) continue;
        z.werte[s] = lies_Zahl(zeile, p);
        std::size_t q = p;
        while (q < zeile.size() && (zeile[q] == ' ' || zeile[q] == '\t')) ++q;
        z.vorhanden[s] = q < zeile.size() && zeile[q] >= '0' && zeile[q] <= '9';
    }
    return z;
}

bool CDorovZahlen::lade_Zahlen(const String& tippdatum)
{
    if (tippdatum.size() < 10)
        throw EConvertError("Tippdatum \"" + tippdatum + "\" hat nicht die Form tt.mm.jjjj");
    const String stopp = tippdatum.substr(0, 6) + tippdatum.substr(8, 2);

    // The whole file in one read, its lines as the line reader yields them.
    String bytes;
    try {
        bytes = ReadFileBytes(ProgrammDatei(DATEI_DOROV_ZAHLEN));
    } catch (const Exception&) {
        return false;
    }

    // Rows are filled as a ring so that an archive longer than the table keeps its newest draws;
    // a row is written only once its line turned out to be a draw.
    long long r = 0;
    kern::fuer_jede_Zeile(bytes, std::string_view::npos, [&](std::string_view zeile) {
        if (zeile.substr(0, 8) == stopp) return false;
        const TArchivzeile z = lies_Zeile(zeile);
        if (!z.ist_Ziehung) return true;
        std::memcpy(zahlen[r % MAX_ZIEHUNGEN], z.werte, sizeof z.werte);
        ++r;
        return true;
    });
    if (r > MAX_ZIEHUNGEN) {
        // The oldest kept draw sits at row r % 5000: turn the ring so that it becomes row 0.
        int* flach = &zahlen[0][0];
        std::rotate(flach, flach + (r % MAX_ZIEHUNGEN) * SPALTEN, flach + MAX_ZIEHUNGEN * SPALTEN);
    }
    letzte = static_cast<int>(std::min<long long>(r, MAX_ZIEHUNGEN)) - 1;
    return true;
}

bool CDorovZahlen::ist_gezogen(int zeile, int zahl) const
{
    const int* z = zahlen[zeile];
    return std::find(z, z + GEZAEHLTE_SPALTEN, zahl) != z + GEZAEHLTE_SPALTEN;
}

bool CDorovZahlen::berechne_Abstaende()
{
    for (int n = 1; n <= 49; ++n) {
        int zaehler = 0;
        for (int r = letzte; r >= 0; --r) {
            if (ist_gezogen(r, n)) {
                abstand[n] = zaehler;
                break;
            }
            ++zaehler;
        }
    }
    return true;
}

bool CDorovZahlen::sortiere_Abstaende()
{
    std::vector<Abstandpaar> paare;
    paare.reserve(49);
    for (int n = 1; n <= 49; ++n) paare.emplace_back(abstand[n], n);
    std::sort(paare.begin(), paare.end());
    for (int i = 0; i < 49; ++i) nach_Abstand[i] = paare[i].zahl;
    return true;
}

bool CDorovZahlen::zaehle_Haeufigkeit(const String&)
{
    int zaehler[50] = {};
    for (int r = 0; r <= letzte; ++r)
        for (int s = 0; s < GEZAEHLTE_SPALTEN; ++s)
            if (ist_Lottozahl(zahlen[r][s])) ++zaehler[zahlen[r][s]];
    std::copy(std::begin(zaehler), std::end(zaehler), haeufigkeit);
    return true;
}

bool CDorovZahlen::merke_Zahl(int wert)
{
    for (int& platz : gemerkt)
        if (platz == 0) {
            platz = wert;
            return true;
        }
    return false;
}

bool CDorovZahlen::enthaelt_Zahl(int wert) const
{
    return std::find(std::begin(gemerkt), std::end(gemerkt), wert) != std::end(gemerkt);
}

bool CDorovZahlen::berechne_Zwillingsabstaende()
{
    std::fill(std::begin(zwillingsabstand), std::end(zwillingsabstand), 0);
    // One walk from the newest draw back: each pair takes the count of the first draw that
    // holds both its numbers.
    bool gefunden[ANZAHL_ZWILLINGE + 1] = {};
    int offen = ANZAHL_ZWILLINGE;
    const Zwillingstafel& tafel = zwillinge();
    int zaehler = 0;
    for (int r = letzte; r >= 0 && offen > 0; --r, ++zaehler) {
        bool in_zeile[50] = {};
        for (int s = 0; s < GEZAEHLTE_SPALTEN; ++s)
            if (ist_Lottozahl(zahlen[r][s])) in_zeile[zahlen[r][s]] = true;
        for (int a = 1; a <= 48; ++a) {
            if (!in_zeile[a]) continue;
            for (int b = a + 1; b <= 49; ++b) {
                int k = tafel.nummer[a][b];
                if (in_zeile[b] && !gefunden[k]) {
                    gefunden[k] = true;
                    zwillingsabstand[k] = zaehler;
                    --offen;
                }
            }
        }
    }
    return true;
}

void CDorovZahlen::sortiere_Zwillinge(const int* werte, int* ziel)
{
    std::vector<Wertpaar> paare;
    paare.reserve(ANZAHL_ZWILLINGE);
    for (int k = 1; k <= ANZAHL_ZWILLINGE; ++k) paare.emplace_back(static_cast<float>(werte[k]), k);
    std::sort(paare.begin(), paare.end());
    for (int i = 0; i < ANZAHL_ZWILLINGE; ++i) ziel[i] = paare[i].index;
}

bool CDorovZahlen::sortiere_Zwillingsabstaende()
{
    sortiere_Zwillinge(zwillingsabstand, zwillinge_nach_Abstand);
    return true;
}

bool CDorovZahlen::lade_Zwillingsprozente()
{
    std::fill(std::begin(zwillingsprozent), std::end(zwillingsprozent), 0);
    TLineReader datei(ProgrammDatei(DATEI_ZWILLINGE_PROZENT));
    if (!datei.IsOpen()) return true;
    String zeile;
    if (!datei.Next(zeile)) return true;  // heading line
    for (int k = 1; k <= ANZAHL_ZWILLINGE && datei.Next(zeile); ++k) {
        const int gap = zwillingsabstand[k];
        if (gap < 0 || gap >= MAX_STATISTIKABSTAND) continue;
        // Column gap + 1: the share of repeats that came exactly one draw later than now.
        std::size_t p = hinter(zeile, '.', 0);
        for (int i = 0; i <= gap && p != String::npos; ++i) p = hinter(zeile, ',', p);
        if (p != String::npos) zwillingsprozent[k] = lies_Zahl(zeile, p);
    }
    return true;
}

bool CDorovZahlen::sortiere_Zwillingsprozente()
{
    sortiere_Zwillinge(zwillingsprozent, zwillinge_nach_Prozent);
    return true;
}

int CDorovZahlen::erste_Zahl(int zwilling) const
{
    if (zwilling < 1 || zwilling > ANZAHL_ZWILLINGE) return 1;
    return zwillinge().erste[zwilling];
}

int CDorovZahlen::zweite_Zahl(int zwilling) const
{
    if (zwilling < 1 || zwilling > ANZAHL_ZWILLINGE) return 1;
    return zwillinge().zweite[zwilling];
}

int CDorovZahlen::Zwillingsnummer(int a, int b)
{
    if (!ist_Lottozahl(a) || !ist_Lottozahl(b) || a >= b) return 0;
    return zwillinge().nummer[a][b];
}
