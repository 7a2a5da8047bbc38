#include "Schritt3Kern.h"

#include <algorithm>
#include <utility>

#include "rtl/Classes.h"
#include "rtl/Files.h"

int lies_Tippanzahl(const String& Edit8, bool* zurueckschreiben)
{
    int t = kern::lies_Parameter(Edit8);
    bool falsch = t < 1 || t > MAX_TIPPS;
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

std::vector<Kombination> lies_gefilterte(std::string_view bytes, int anzahl_Varianten)
{
    std::vector<Kombination> k;
    const std::size_t groesse = static_cast<std::size_t>(std::max(anzahl_Varianten, 0));
    kern::fuer_jede_Zeile(bytes, 99, [&](std::string_view zeile) {
        if (k.size() >= groesse) return false;
        Kombination c = kern::lies_Sechs(zeile);
        if (c[0] < 1) return false;
        k.push_back(c);
        return true;
    });
    return k;
}

std::vector<std::uint16_t> berechne_Punkte(std::span<const Kombination> k, std::span<const Ziehung> ziehungen,
                                           const Kriterien& kriterien)
{
    // Each signature with the number of list entries that hold it, sorted for lookup.
    const std::size_t n = std::min<std::size_t>(ziehungen.size(), KRITERIENLISTE_GROESSE);
    std::vector<long long> sig(n);
    for (std::size_t i = 0; i < n; ++i) sig[i] = Signatur(ziehungen[i].data(), kriterien);
    sig.resize(KRITERIENLISTE_GROESSE, 0);
    std::sort(sig.begin(), sig.end());
    std::vector<std::pair<long long, int>> anzahl;
    for (long long s : sig) {
        if (anzahl.empty() || anzahl.back().first != s)
            anzahl.emplace_back(s, 1);
        else
            ++anzahl.back().second;
    }

    std::vector<std::uint16_t> punkte(k.size());
    kern::parallel_fuer(k.size(), [&](std::size_t b, std::size_t e) {
        for (std::size_t i = b; i < e; ++i) {
            long long s = Signatur(k[i], kriterien);
            auto it = std::lower_bound(anzahl.begin(), anzahl.end(), s,
                                       [](const std::pair<long long, int>& p, long long v) { return p.first < v; });
            punkte[i] = it != anzahl.end() && it->first == s ? static_cast<std::uint16_t>(it->second) : 0;
        }
    });
    return punkte;
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

String Punktedatei(std::span<const std::uint16_t> punkte)
{
    String s;
    s.reserve(punkte.size() * 5);
    for (std::uint16_t p : punkte) {
        kern::haenge_an(s, p);
        s.push_back('\n');
    }
    return s;
}

String sortierte_Datei(std::span<const std::uint16_t> punkte, std::span<const std::uint32_t> reihenfolge)
{
    String s;
    s.reserve(reihenfolge.size() * 12);
    for (std::uint32_t i : reihenfolge) {
        kern::haenge_an(s, punkte[i]);
        s.push_back(';');
        kern::haenge_an(s, i);
        s.push_back('\n');
    }
    return s;
}

std::vector<Tipp> waehle_Tipps(std::span<const Kombination> k, std::span<const std::uint16_t> punkte,
                               std::span<const std::uint32_t> reihenfolge, int T)
{
    std::vector<Tipp> tipps(static_cast<std::size_t>(std::max(T, 0)));
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
    auto schreibe = [](const String& name, const String& inhalt) {
        try {
            AtomicWriteFile(name, inhalt);
            return true;
        } catch (const Exception&) {
            return false;
        }
    };
    Schritt3Ergebnis r;
    label("Schritt3: Lese Zahlen ein");
    std::vector<Kombination> k;
    try {
        k = lies_gefilterte(ReadFileBytes(d.gefiltert), e.anzahl_Varianten);
    } catch (const Exception&) {
        label("Schritt3: ERROR : Nicht moeglich, dorov_zahlen.txt zum Lesen zu oeffnen.");
        return r;
    }
    r.C = k.size();

    label("Schritt3: Lese Samstags Zahlen (seit 1955) ein");
    const std::vector<Ziehung> ziehungen = lade_Ziehungen ? lade_Ziehungen() : std::vector<Ziehung>{};
    label("Schritt3: Berechne Sam Zahlen");
    label("Schritt3: Berechne alle Zahlen");
    const std::vector<std::uint16_t> punkte = berechne_Punkte(k, ziehungen, e.kriterien);
    label("Schritt3: Schreibe in Datei");
    if (!schreibe(d.punkte, Punktedatei(punkte))) {
        label("Schritt3: ERROR : Nicht moeglich, abfall.txt zum Schreiben zu oeffnen.");
        r.status = Schritt3Status::Punktefehler;
        return r;
    }
    label("Schritt3: Sortiere beste Varianten");
    const std::vector<std::uint32_t> reihenfolge = sortiere_Punkte(punkte);
    label("Schritt3: Schreibe sortierte in Datei");
    if (!schreibe(d.sortiert, sortierte_Datei(punkte, reihenfolge))) {
        label("Schritt3: ERROR : Nicht moeglich, varianten_sortiert.txt zum Schreiben zu oeffnen.");
        r.status = Schritt3Status::Sortierfehler;
        return r;
    }

    r.tipps = waehle_Tipps(k, punkte, reihenfolge, e.T);
    if (kern::lies_Parameter(e.Edit1) < 50) r.rueck = pruefe_Tipps(r.tipps, e.betraege);
    if (!schreibe(d.ausgewaehlt, ausgewaehlte_Datei(r.tipps))) {
        label("Schritt3: ERROR : Nicht moeglich, varianten.txt zum Schreiben zu oeffnen.");
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
