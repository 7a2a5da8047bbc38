#include "Schritt3Kern.h"

#include <climits>

#include <algorithm>
#include <utility>

#include "Dateifehler.h"
#include "rtl/Classes.h"
#include "rtl/Files.h"

int lies_Tippanzahl(const String& Edit8, bool* zurueckschreiben)
{
    int t = kern::lies_Parameter(Edit8);
    // A count of digits beyond int still asks for every line there is.
    const bool nur_Ziffern = !Edit8.empty() && Edit8.find_first_not_of("0123456789") == String::npos;
    if (t == 0 && nur_Ziffern && Edit8.find_first_not_of('0') != String::npos) t = INT_MAX;
    bool falsch = t < 1;
    if (zurueckschreiben) *zurueckschreiben = falsch;
    return falsch ? 1000 : t;
}

std::vector<Trefferklasse> pruefe_Gewinnbetraege(Gewinnbetraege& g)
{
    std::vector<Trefferklasse> korrigiert;
    for (int i = 0; i < ANZAHL_KLASSEN; ++i)
        if (g.betrag[i] < 1 || g.betrag[i] > 1000000) {
            g.betrag[i] = Gewinnbetraege::VORGABE[i];
            korrigiert.push_back(static_cast<Trefferklasse>(i));
        }
    return korrigiert;
}

namespace {

// Step 3's reading of the filtered file; vorher(n) runs first with the number of places the lines
// can fill, nach_Abschnitt(k, b, e) on the thread that read the lines b..e-1 of a piece into k,
// right after them. Returns the combinations up to the first line that ends the reading.
template <class V, class F>
std::vector<Kombination> lies_gefilterte_und(std::string_view bytes, int anzahl_Varianten, const V& vorher,
                                             const F& nach_Abschnitt)
{
    // Every piece reads its lines into their places up to its first line that ends the reading;
    // the result ends at the first such line of all. The places are as many as there are lines
    // (the file holds what step 2 left, often far fewer than anzahl_Varianten).
    const std::vector<kern::Zeilenabschnitt> abschnitte = kern::Zeilenabschnitte(bytes);
    const std::size_t groesse =
        std::min(static_cast<std::size_t>(std::max(anzahl_Varianten, 0)), kern::Zeilenzahl(abschnitte));
    vorher(groesse);
    std::vector<Kombination> k(groesse);
    std::vector<std::size_t> ende(abschnitte.size());
    kern::parallel_jede(abschnitte.size(), [&](std::size_t a) {
        std::size_t index = abschnitte[a].erste_Zeile;
        kern::fuer_jede_Kombination(abschnitte[a].text, 99, [&](const Kombination& c) {
            if (index >= groesse || c[0] < 1) return false;
            k[index++] = c;
            return true;
        });
        ende[a] = index;
        if (abschnitte[a].erste_Zeile < index)
            nach_Abschnitt(std::as_const(k), abschnitte[a].erste_Zeile, index);
    });
    std::size_t n = 0;
    for (std::size_t a = 0; a < abschnitte.size(); ++a) {
        n = ende[a];
        const std::size_t naechste = a + 1 < abschnitte.size() ? abschnitte[a + 1].erste_Zeile : n;
        if (n < naechste) break;  // stopped inside this piece
    }
    k.resize(std::min(n, groesse));
    return k;
}

}  // namespace

std::vector<Kombination> lies_gefilterte(std::string_view bytes, int anzahl_Varianten)
{
    return lies_gefilterte_und(
        bytes, anzahl_Varianten, [](std::size_t) {},
        [](const std::vector<Kombination>&, std::size_t, std::size_t) {});
}

namespace {

// The number of list entries per signature, in an open-addressing table of single words
// (signature + 1 in the low 48 bits, 0 for a free slot, the count above) at under a third of
// its slots. Signatures are below 2^40.
class Signaturzaehler {
public:
    explicit Signaturzaehler(std::span<const long long> liste) : FPlatz(GROESSE, 0)
    {
        for (long long s : liste) {
            if (s == KEINE_SIGNATUR) continue;
            const std::uint64_t schluessel = static_cast<std::uint64_t>(s) + 1;
            std::size_t i = platz(s);
            while (FPlatz[i] && (FPlatz[i] & SCHLUESSEL) != schluessel) i = (i + 1) & (GROESSE - 1);
            FPlatz[i] = (FPlatz[i] | schluessel) + (std::uint64_t{1} << 48);
        }
    }
    std::uint16_t anzahl(long long s) const
    {
        if (s == KEINE_SIGNATUR) return 0;
        const std::uint64_t schluessel = static_cast<std::uint64_t>(s) + 1;
        for (std::size_t i = platz(s);; i = (i + 1) & (GROESSE - 1)) {
            const std::uint64_t w = FPlatz[i];
            if (!w) return 0;
            if ((w & SCHLUESSEL) == schluessel) return static_cast<std::uint16_t>(w >> 48);
        }
    }

private:
    static constexpr std::size_t GROESSE = 16384;  // a power of two above 3 x 5000
    static constexpr std::uint64_t SCHLUESSEL = (std::uint64_t{1} << 48) - 1;
    static std::size_t platz(long long s)
    {
        return static_cast<std::size_t>((static_cast<std::uint64_t>(s) * 0x9E3779B97F4A7C15ULL) >>
                                        50);  // 14 bits
    }
    std::vector<std::uint64_t> FPlatz;
};

}  // namespace

namespace {

// The counts of the past signatures: those of the first draws, then 0 up to the list's size.
Signaturzaehler Vergangenheit(std::span<const Ziehung> ziehungen, const Kriterien& kriterien)
{
    const std::size_t n = std::min<std::size_t>(ziehungen.size(), KRITERIENLISTE_GROESSE);
    std::vector<long long> liste(KRITERIENLISTE_GROESSE, 0);  // entries beyond the draws hold 0
    for (std::size_t i = 0; i < n; ++i) liste[i] = Signatur(ziehungen[i].data(), kriterien);
    return Signaturzaehler(liste);
}

// Points of k[b..e-1] into punkte[b..e-1].
void bewerte(std::span<const Kombination> k, std::size_t b, std::size_t e, const Signaturzaehler& zaehler,
             const Kriterien& kriterien, std::uint16_t* punkte)
{
    long long s[256];
    for (std::size_t i = b; i < e; i += std::size(s)) {
        const std::size_t n = std::min(std::size(s), e - i);
        Signaturen(k.subspan(i, n), kriterien, s);
        for (std::size_t j = 0; j < n; ++j) punkte[i + j] = zaehler.anzahl(s[j]);
    }
}

}  // namespace

std::vector<std::uint16_t> berechne_Punkte(std::span<const Kombination> k, std::span<const Ziehung> ziehungen,
                                           const Kriterien& kriterien)
{
    const Signaturzaehler zaehler = Vergangenheit(ziehungen, kriterien);
    std::vector<std::uint16_t> punkte(k.size());
    kern::parallel_fuer(
        k.size(), [&](std::size_t b, std::size_t e) { bewerte(k, b, e, zaehler, kriterien, punkte.data()); });
    return punkte;
}

Bewertete lies_und_bewerte(std::string_view bytes, int anzahl_Varianten, std::span<const Ziehung> ziehungen,
                           const Kriterien& kriterien)
{
    const Signaturzaehler zaehler = Vergangenheit(ziehungen, kriterien);
    Bewertete r;
    r.k = lies_gefilterte_und(
        bytes, anzahl_Varianten, [&](std::size_t n) { r.punkte.resize(n); },
        [&](const std::vector<Kombination>& k, std::size_t b, std::size_t e) {
            // Scored by the thread that read the lines, while they are in its cache.
            bewerte(k, b, e, zaehler, kriterien, r.punkte.data());
        });
    r.punkte.resize(r.k.size());
    return r;
}

std::vector<std::uint32_t> sortiere_Punkte(std::span<const std::uint16_t> punkte)
{
    // Counting sort: points never exceed the list size, and it keeps index order within equal points.
    std::vector<std::uint32_t> start(KRITERIENLISTE_GROESSE + 2, 0);
    for (std::uint16_t p : punkte) ++start[p + 1];
    for (std::size_t i = 1; i < start.size(); ++i) start[i] += start[i - 1];
    std::vector<std::uint32_t> r(punkte.size());
    for (std::size_t i = 0; i < punkte.size(); ++i) r[start[punkte[i]]++] = static_cast<std::uint32_t>(i);
    return r;
}

String Punktedatei(std::span<const std::uint16_t> punkte) { return kern::verbunden(Punkte_Stuecke(punkte)); }

String sortierte_Datei(std::span<const std::uint16_t> punkte, std::span<const std::uint32_t> reihenfolge)
{
    return kern::verbunden(sortierte_Stuecke(punkte, reihenfolge));
}

std::vector<String> Punkte_Stuecke(std::span<const std::uint16_t> punkte)
{
    // A few nanoseconds a line: a thread pays off from a million lines on.
    return kern::parallel_Stuecke(
        punkte.size(),
        [&](std::size_t b, std::size_t e, String& s) {
            s.reserve((e - b) * 6);
            kern::Textpuffer aus(s);
            for (std::size_t i = b; i < e; ++i) {
                char* p = kern::schreibe_Zahl(aus.frei(6), punkte[i]);
                *p++ = '\n';
                aus.weiter(p);
            }
        },
        1 << 20);
}

std::vector<String> sortierte_Stuecke(std::span<const std::uint16_t> punkte,
                                      std::span<const std::uint32_t> reihenfolge)
{
    return kern::parallel_Stuecke(reihenfolge.size(), [&](std::size_t b, std::size_t e, String& s) {
        s.reserve((e - b) * 18);
        kern::Textpuffer aus(s);
        for (std::size_t j = b; j < e; ++j) {
            const std::uint32_t i = reihenfolge[j];
            char* p = kern::schreibe_Zahl(aus.frei(32), punkte[i]);
            *p++ = ';';
            p = kern::schreibe_Zahl(p, i);
            *p++ = '\n';
            aus.weiter(p);
        }
    });
}

std::vector<Tipp> waehle_Tipps(std::span<const Kombination> k, std::span<const std::uint16_t> punkte,
                               std::span<const std::uint32_t> reihenfolge, int T)
{
    // More tips than lines select what there is: the slots never outnumber the lines.
    const std::size_t zeilen = reihenfolge.size() > 2 ? reihenfolge.size() - 2 : 0;
    std::vector<Tipp> tipps(std::min(static_cast<std::size_t>(std::max(T, 0)), zeilen));
    std::size_t gelesen = 2;  // the two best lines are passed over
    for (std::size_t s = 0; s < tipps.size() && gelesen < reihenfolge.size(); ++s) {
        std::uint32_t i = reihenfolge[gelesen++];
        if (punkte[i] < PUNKTE_GRENZE) tipps[s] = Tipp{k[i], punkte[i], 0};
    }
    return tipps;
}

Rueckpruefung pruefe_Tipps(std::vector<Tipp>& tipps, const Gewinnbetraege& g)
{
    Rueckpruefung r;
    for (Tipp& t : tipps) {
        int h = 0, z = 0;
        for (int n : t.z) {
            h += n >= 1 && n <= 6;
            z |= n == 7;
        }
        int klasse = -1;
        switch (h) {
        case 3: klasse = z ? DREI_Z : DREI; break;
        case 4: klasse = z ? VIER_Z : VIER; break;
        case 5: klasse = z ? FUENF_Z : FUENF; break;
        case 6: klasse = SECHS; break;
        default: break;
        }
        static constexpr int ANZEIGE[ANZAHL_KLASSEN] = {3, 31, 4, 41, 5, 51, 6};
        t.klasse = klasse < 0 ? 0 : ANZEIGE[klasse];
        if (klasse >= 0) ++r.zaehler[klasse];
    }
    for (int i = 0; i < ANZAHL_KLASSEN; ++i) r.summe += static_cast<long long>(r.zaehler[i]) * g.betrag[i];
    return r;
}

String ausgewaehlte_Datei(std::span<const Tipp> tipps)
{
    String s;
    s.reserve(tipps.size() * 30);
    for (std::size_t i = 0; i < tipps.size(); ++i) {
        kern::haenge_an(s, static_cast<long long>(i));
        s.push_back('.');
        kern::haenge_an(s, tipps[i].z);
        s += " -";
        kern::haenge_an(s, tipps[i].punkte);
        s.push_back(' ');
        kern::haenge_an(s, tipps[i].klasse);
        s.push_back('\n');
    }
    return s;
}

String Statistikzeile(const Rueckpruefung& r)
{
    static constexpr const char* NAME[ANZAHL_KLASSEN] = {"3:", "3z:", "4:", "4z:", "5:", "5z:", "6:"};
    String s;
    for (int i = 0; i < ANZAHL_KLASSEN; ++i) {
        if (i) s += ", ";
        s += NAME[i];
        kern::haenge_an(s, r.zaehler[i]);
    }
    s += "; Summe=";
    kern::haenge_an(s, r.summe);
    s += "; ";
    return s;
}

std::vector<String> Tippzeilen(std::span<const Tipp> tipps)
{
    std::vector<String> zeilen;
    zeilen.reserve(tipps.size());
    for (std::size_t i = 0; i < tipps.size(); ++i) {
        String s;
        kern::haenge_an(s, static_cast<long long>(i + 1));
        s += ".  ";
        kern::haenge_an(s, tipps[i].z);
        zeilen.push_back(std::move(s));
    }
    return zeilen;
}

bool History_anhaengen(const String& historyDatei, const String& schluessel)
{
    try {
        TStringList l;
        if (FileExists(historyDatei)) l.LoadFromFile(historyDatei);
        l.Add(schluessel);
        l.SaveToFile(historyDatei);
        return true;
    } catch (const Exception&) {
        return false;
    }
}

Schritt3Ergebnis Schritt3_ausfuehren(const Schritt3Eingaben& e, const Schritt3Dateien& d,
                                     const std::function<std::vector<Ziehung>()>& lade_Ziehungen,
                                     const std::function<void(const String&)>& Label1)
{
    auto label = [&](const String& text) {
        if (Label1) Label1(text);
    };
    // The run's own files, re-made by every run: replaced whole without waiting for the disk. A
    // failed write's message gets the reason the system names.
    String systemtext;
    auto schreibe = [&systemtext](const String& name, const std::vector<String>& inhalt) {
        try {
            AtomicWriteFileNoSync(name, inhalt);
            return true;
        } catch (const Exception& e) {
            systemtext = e.Message();
            return false;
        }
    };
    Schritt3Ergebnis r;
    label("Schritt3: Lese Zahlen ein");
    String bytes;
    try {
        bytes = ReadFileBytes(d.gefiltert);
    } catch (const Exception&) {
        label("Schritt3: ERROR : Nicht moeglich, dorov_zahlen.txt zum Lesen zu oeffnen.");
        return r;
    }

    label("Schritt3: Lese Samstags Zahlen (seit 1955) ein");
    const std::vector<Ziehung> ziehungen = lade_Ziehungen ? lade_Ziehungen() : std::vector<Ziehung>{};
    label("Schritt3: Berechne Sam Zahlen");
    label("Schritt3: Berechne alle Zahlen");
    // The combinations are read and scored in one pass.
    Bewertete b = lies_und_bewerte(bytes, e.anzahl_Varianten, ziehungen, e.kriterien);
    String().swap(bytes);
    const std::vector<Kombination> k = std::move(b.k);
    const std::vector<std::uint16_t> punkte = std::move(b.punkte);
    r.C = k.size();
    label("Schritt3: Schreibe in Datei");
    if (!schreibe(d.punkte, Punkte_Stuecke(punkte))) {
        label(Fehlerzeile("Schritt3: ERROR : ", "Nicht moeglich, abfall.txt zum Schreiben zu oeffnen.",
                          systemtext));
        r.status = Schritt3Status::Punktefehler;
        return r;
    }
    label("Schritt3: Sortiere beste Varianten");
    const std::vector<std::uint32_t> reihenfolge = sortiere_Punkte(punkte);
    label("Schritt3: Schreibe sortierte in Datei");
    if (!schreibe(d.sortiert, sortierte_Stuecke(punkte, reihenfolge))) {
        label(Fehlerzeile("Schritt3: ERROR : ",
                          "Nicht moeglich, varianten_sortiert.txt zum Schreiben zu oeffnen.", systemtext));
        r.status = Schritt3Status::Sortierfehler;
        return r;
    }

    r.tipps = waehle_Tipps(k, punkte, reihenfolge, e.T);
    if (kern::lies_Parameter(e.Edit1) < 50) r.rueck = pruefe_Tipps(r.tipps, e.betraege);
    if (!schreibe(d.ausgewaehlt, {ausgewaehlte_Datei(r.tipps)})) {
        label(Fehlerzeile("Schritt3: ERROR : ", "Nicht moeglich, varianten.txt zum Schreiben zu oeffnen.",
                          systemtext));
        r.status = Schritt3Status::Auswahlfehler;
        return r;
    }
    r.statistikzeile = Statistikzeile(r.rueck);
    try {
        AppendToFile(d.statistik, r.statistikzeile + "\n");
        r.statistik_geschrieben = true;
    } catch (const Exception&) {
        r.statistik_geschrieben = false;
    }
    r.tippzeilen = Tippzeilen(r.tipps);
    r.status = Schritt3Status::OK;
    return r;
}
