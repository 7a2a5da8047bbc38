// Step 3's core: points, stable order, selection, back-check, files and texts.
#include <gtest/gtest.h>

#include <climits>

#include <algorithm>
#include <fstream>

#include "Schritt3Kern.h"
#include "Testordner.h"
#include "rtl/Files.h"

namespace {

// A missing file reads as empty.
String lies(const String& name) { return FileExists(name) ? ReadFileBytes(name) : String(); }

}  // namespace

TEST(KernSchritt3, Tippanzahl)
{
    for (auto [text, T, zurueck] : {std::tuple{"0", 1000, true},
                                    {"-3", 1000, true},
                                    {"abc", 1000, true},
                                    {"12", 12, false},
                                    {"593775", 593775, false},
                                    {"593776", 593776, false},
                                    {"99999999999", INT_MAX, false},
                                    {"-99999999999", 1000, true}}) {
        bool z = false;
        EXPECT_EQ(lies_Tippanzahl(text, &z), T) << text;
        EXPECT_EQ(z, zurueck) << text;
    }
}

TEST(KernSchritt3, Gewinnbetraege)
{
    Gewinnbetraege g;
    EXPECT_TRUE(pruefe_Gewinnbetraege(g).empty());
    g.betrag[DREI] = 0;
    g.betrag[SECHS] = 1000001;
    g.betrag[VIER_Z] = 1000000;
    EXPECT_EQ(pruefe_Gewinnbetraege(g), (std::vector<Trefferklasse>{DREI, SECHS}));
    EXPECT_EQ(g.betrag[DREI], 10);
    EXPECT_EQ(g.betrag[SECHS], 1000000);
    EXPECT_EQ(g.betrag[VIER_Z], 1000000);
}

TEST(KernSchritt3, LesenEndetAnDerErstenFremdenZeile)
{
    // Large enough to be read in several pieces at once.
    String text;
    for (int i = 0; i < 100000; ++i)
        text += std::to_string(i % 40 + 1) + ",2,3,4,5," + std::to_string(i % 7) + ",0\n";
    std::vector<Kombination> k = lies_gefilterte(text, 200000);
    ASSERT_EQ(k.size(), 100000u);
    EXPECT_EQ(k[99999], (Kombination{99999 % 40 + 1, 2, 3, 4, 5, 99999 % 7}));
    EXPECT_EQ(lies_gefilterte(text, 50000).size(), 50000u);

    const std::size_t mitte = text.find("\n", text.size() * 2 / 3) + 1;  // start of some line
    const std::size_t zeile = static_cast<std::size_t>(std::count(text.begin(), text.begin() + mitte, '\n'));
    String mit_Ende = text.substr(0, mitte) + "0,1,2,3,4,5,0\n" + text.substr(mitte);
    EXPECT_EQ(lies_gefilterte(mit_Ende, 200000).size(), zeile);
    EXPECT_EQ(lies_gefilterte("Kopf\n1,2,3,4,5,6,0\n", 10).size(), 0u);
}

TEST(KernSchritt3, PunkteZaehlenDieGanzeListe)
{
    Kriterien gerade;
    gerade.CheckBox17 = true;
    const std::vector<Ziehung> ziehungen = {
        {2, 4, 6, 1, 3, 5, 8}, {1, 3, 5, 7, 9, 11, 2}, {2, 4, 6, 8, 1, 3, 10}};
    const std::vector<Kombination> k = {{2, 4, 6, 7, 9, 11}, {1, 3, 5, 7, 9, 13}, {2, 4, 6, 8, 10, 12}};
    // Three even numbers: one draw; none even: signature 0, the one draw plus the 4997 empty entries.
    EXPECT_EQ(berechne_Punkte(k, ziehungen, gerade), (std::vector<std::uint16_t>{1, 4998, 0}));
    EXPECT_EQ(berechne_Punkte(k, ziehungen, Kriterien{}), (std::vector<std::uint16_t>{5000, 5000, 5000}));
}

// Reading and scoring in one pass give what the two passes give, also when the reading ends
// inside some piece or at the table's size, on one thread and on all.
TEST(KernSchritt3, LesenUndBewertenInEinemDurchgang)
{
    Kriterien alle;
    alle.CheckBox15 = alle.CheckBox16 = alle.CheckBox17 = alle.CheckBox18 = alle.CheckBox19 =
        alle.CheckBox20 = true;
    std::vector<Ziehung> ziehungen;
    for (int i = 0; i < 300; ++i)
        ziehungen.push_back({i % 43 + 1, i % 41 + 2, i % 37 + 5, i % 31 + 9, i % 29 + 13, i % 23 + 20, 7});
    String text;
    for (int i = 0; i < 100000; ++i)
        text += std::to_string(i % 40 + 1) + "," + std::to_string(i % 13 + 41) + ",3," +
                std::to_string(i % 9 + 30) + ",5," + std::to_string(i % 7 + 10) + ",0\n";
    const std::size_t mitte = text.find("\n", text.size() * 2 / 3) + 1;
    const String mit_Ende = text.substr(0, mitte) + "x\n" + text.substr(mitte);
    for (std::size_t threads : {std::size_t{1}, std::size_t{0}})
        for (const String* t : {static_cast<const String*>(&text), &mit_Ende})
            for (int anzahl : {200000, 100000, 70001, 3}) {
                SCOPED_TRACE(::testing::Message() << "threads=" << threads << " anzahl=" << anzahl);
                kern::setze_Threadgrenze(threads);
                const std::vector<Kombination> k = lies_gefilterte(*t, anzahl);
                const Bewertete b = lies_und_bewerte(*t, anzahl, ziehungen, alle);
                EXPECT_EQ(b.k, k);
                EXPECT_EQ(b.punkte, berechne_Punkte(k, ziehungen, alle));
            }
    kern::setze_Threadgrenze(0);
}

TEST(KernSchritt3, ZiehungenMitFremdenZahlenZaehlenFuerKeineSignatur)
{
    // What a hostile archive line leaves in the table: a number read as 0, one far beyond 49.
    Kriterien alle;
    alle.CheckBox15 = alle.CheckBox16 = alle.CheckBox17 = alle.CheckBox18 = alle.CheckBox19 =
        alle.CheckBox20 = true;
    const std::vector<Ziehung> sauber = {{1, 2, 3, 4, 5, 6, 7}, {8, 9, 10, 11, 12, 13, 14}};
    std::vector<Ziehung> feindlich = sauber;
    feindlich.push_back({0, 0, 1, 2, 3, 4, 5});
    feindlich.push_back({1000000, 1, 2, 3, 4, 5, 6});
    feindlich.push_back({-3, -15, 1, 2, 3, 4, 5});
    const std::vector<Kombination> k = {{1, 2, 3, 4, 5, 6}, {8, 9, 10, 11, 12, 13}, {20, 21, 22, 23, 24, 25}};
    EXPECT_EQ(berechne_Punkte(k, feindlich, alle), berechne_Punkte(k, sauber, alle));
    EXPECT_EQ(berechne_Punkte(k, feindlich, alle), (std::vector<std::uint16_t>{1, 1, 0}));
}

TEST(KernSchritt3, SortierungBehaeltDieReihenfolgeGleicherPunkte)
{
    const std::vector<std::uint16_t> p = {5, 3, 5, 3, 0, 5000};
    EXPECT_EQ(sortiere_Punkte(p), (std::vector<std::uint32_t>{4, 1, 3, 0, 2, 5}));
    EXPECT_EQ(sortierte_Datei(p, sortiere_Punkte(p)), "0;4\n3;1\n3;3\n5;0\n5;2\n5000;5\n");
    EXPECT_EQ(Punktedatei(p), "5\n3\n5\n3\n0\n5000\n");
}

TEST(KernSchritt3, AuswahlLiestAbDerDrittenZeile)
{
    std::vector<Kombination> k;
    std::vector<std::uint16_t> p;
    for (int i = 0; i < 100; ++i) {
        k.push_back({i % 40 + 1, 42, 43, 44, 45, 46});
        p.push_back(static_cast<std::uint16_t>(2995 + 99 - i));  // sorted: index 99 (2995), 98, ...
    }
    std::vector<std::uint32_t> r = sortiere_Punkte(p);
    std::vector<Tipp> t = waehle_Tipps(k, p, r, 12);
    ASSERT_EQ(t.size(), 12u);
    for (int s = 0; s < 12; ++s) {
        int index = 97 - s;  // sorted lines 3 to 14
        if (p[index] >= 3000) {  // from sorted line 6 on: passed over, the tip stays zero
            EXPECT_EQ(t[s].z, Kombination{}) << s;
            EXPECT_EQ(t[s].punkte, 0) << s;
        } else {
            EXPECT_EQ(t[s].z, k[index]) << s;
            EXPECT_EQ(t[s].punkte, p[index]) << s;
        }
    }
    EXPECT_EQ(t[2].punkte, 2999);
    // More tips than sorted lines select the lines there are, however large T is.
    const std::vector<std::uint16_t> wenig = {5, 4, 3, 2, 1};
    for (int T : {10, INT_MAX}) {
        t = waehle_Tipps(std::span(k).first(5), wenig, sortiere_Punkte(wenig), T);
        ASSERT_EQ(t.size(), 3u) << T;
        EXPECT_EQ(t[0].z, k[2]);
        EXPECT_EQ(t[2].z, k[0]);
    }
}

TEST(KernSchritt3, Rueckpruefung)
{
    std::vector<Tipp> t(6);
    t[0].z = {1, 2, 3, 10, 20, 7};
    t[1].z = {1, 2, 3, 10, 20, 30};
    t[2].z = {6, 5, 4, 3, 2, 1};
    t[3].z = {1, 2, 3, 4, 7, 30};
    t[4].z = {1, 2, 3, 4, 5, 7};
    t[5].z = {1, 2, 20, 30, 40, 7};
    Gewinnbetraege g;
    Rueckpruefung r = pruefe_Tipps(t, g);
    std::vector<int> klassen;
    for (const Tipp& x : t) klassen.push_back(x.klasse);
    EXPECT_EQ(klassen, (std::vector<int>{31, 3, 6, 41, 51, 0}));
    EXPECT_EQ(r.zaehler, (std::array<int, ANZAHL_KLASSEN>{1, 1, 0, 1, 0, 1, 1}));
    EXPECT_EQ(r.summe, 10 + 20 + 300 + 100000 + 1000000);
    EXPECT_EQ(Statistikzeile(r), "3:1, 3z:1, 4:0, 4z:1, 5:0, 5z:1, 6:1; Summe=1100330; ");
    EXPECT_EQ(Tippzeilen(t)[0], "1.  1,2,3,10,20,7");
    EXPECT_EQ(ausgewaehlte_Datei(std::span(t).first(1)), "0.1,2,3,10,20,7 -0 31\n");
}

class KernSchritt3Lauf : public TestOrdner {
protected:
    Schritt3Dateien dateien() const
    {
        return {ordner + "g.cvs", ordner + "p.txt", ordner + "s.txt", ordner + "a.txt", ordner + "st.txt"};
    }
};

TEST_F(KernSchritt3Lauf, SchreibtDieDateienUndMeldet)
{
    schreibe("g.cvs", {"1,2,3,4,5,6,0", "2,3,4,5,6,1,0", "1,2,3,4,5,8,0", "1,2,3,4,6,7,0", "1,2,3,4,5,7,0",
                       "Ende", "1,2,3,4,5,9,0"});
    schreibe("st.txt", {"alt"});
    Schritt3Eingaben e;
    e.anzahl_Varianten = 100;
    e.T = 2;
    e.Edit1 = "6";
    e.kriterien.CheckBox20 = true;
    std::vector<String> label;
    int geladen = 0;
    auto lade = [&] {
        ++geladen;
        return std::vector<Ziehung>{{1, 2, 3, 4, 5, 6, 30}, {1, 2, 3, 4, 5, 7, 40}};
    };
    Schritt3Ergebnis r =
        Schritt3_ausfuehren(e, dateien(), lade, [&](const String& t) { label.push_back(t); });
    ASSERT_EQ(r.status, Schritt3Status::OK);
    EXPECT_EQ(geladen, 1);
    EXPECT_EQ(r.C, 5u);
    EXPECT_EQ(lies(ordner + "p.txt"), "1\n1\n0\n0\n1\n");
    EXPECT_EQ(lies(ordner + "s.txt"), "0;2\n0;3\n1;0\n1;1\n1;4\n");
    EXPECT_EQ(lies(ordner + "a.txt"), "0.1,2,3,4,5,6 -1 6\n1.2,3,4,5,6,1 -1 6\n");
    EXPECT_EQ(lies(ordner + "st.txt"), "alt\n3:0, 3z:0, 4:0, 4z:0, 5:0, 5z:0, 6:2; Summe=2000000; \n");
    EXPECT_EQ(r.tippzeilen, (std::vector<String>{"1.  1,2,3,4,5,6", "2.  2,3,4,5,6,1"}));
    const std::vector<String> erwartet = {"Schritt3: Lese Zahlen ein",
                                          "Schritt3: Lese Samstags Zahlen (seit 1955) ein",
                                          "Schritt3: Berechne Sam Zahlen",
                                          "Schritt3: Berechne alle Zahlen",
                                          "Schritt3: Schreibe in Datei",
                                          "Schritt3: Sortiere beste Varianten",
                                          "Schritt3: Schreibe sortierte in Datei"};
    EXPECT_EQ(label, erwartet);
}

TEST_F(KernSchritt3Lauf, OhneKriteriumKeinTippUndOhneRueckpruefung)
{
    std::vector<std::string> zeilen;
    for (int i = 1; i <= 10; ++i) zeilen.push_back("1,2,3,4,5," + std::to_string(i + 5) + ",0");
    schreibe("g.cvs", zeilen);
    Schritt3Eingaben e;
    e.anzahl_Varianten = 10;
    e.T = 3;
    e.Edit1 = "50";  // no back-check
    Schritt3Ergebnis r = Schritt3_ausfuehren(
        e, dateien(), [] { return std::vector<Ziehung>{}; }, nullptr);
    ASSERT_EQ(r.status, Schritt3Status::OK);
    EXPECT_EQ(lies(ordner + "a.txt"), "0.0,0,0,0,0,0 -0 0\n1.0,0,0,0,0,0 -0 0\n2.0,0,0,0,0,0 -0 0\n");
    EXPECT_EQ(r.statistikzeile, "3:0, 3z:0, 4:0, 4z:0, 5:0, 5z:0, 6:0; Summe=0; ");
}

TEST_F(KernSchritt3Lauf, Fehlertexte)
{
    std::vector<String> label;
    auto melde = [&](const String& t) { label.push_back(t); };
    Schritt3Eingaben e;
    e.anzahl_Varianten = 10;
    Schritt3Ergebnis r = Schritt3_ausfuehren(e, dateien(), nullptr, melde);
    EXPECT_EQ(r.status, Schritt3Status::Eingabefehler);
    EXPECT_EQ(label.back(), "Schritt3: ERROR : Nicht moeglich, dorov_zahlen.txt zum Lesen zu oeffnen.");

    schreibe("g.cvs", {"1,2,3,4,5,6,0"});
    struct Fall {
        int datei;  // 1 points, 2 sorted, 3 selected
        Schritt3Status status;
        const char* text;
    };
    for (const Fall& f :
         {Fall{1, Schritt3Status::Punktefehler,
               "Schritt3: ERROR : Nicht moeglich, abfall.txt zum Schreiben zu oeffnen."},
          Fall{2, Schritt3Status::Sortierfehler,
               "Schritt3: ERROR : Nicht moeglich, varianten_sortiert.txt zum Schreiben zu oeffnen."},
          Fall{3, Schritt3Status::Auswahlfehler,
               "Schritt3: ERROR : Nicht moeglich, varianten.txt zum Schreiben zu oeffnen."}}) {
        Schritt3Dateien d = dateien();
        String& ziel = f.datei == 1 ? d.punkte : f.datei == 2 ? d.sortiert : d.ausgewaehlt;
        ziel = ordner + "kein/ordner/x.txt";
        label.clear();
        r = Schritt3_ausfuehren(e, d, nullptr, melde);
        EXPECT_EQ(r.status, f.status);
        EXPECT_EQ(label.back(), f.text);

        // The same file on a full disk: the message says so in German.
        auto alt = SetAtomicWriteHook([&ziel](const String& temp) {
            if (temp.find("x.txt") != String::npos)
                throw EInOutError("Cannot write file \"x\". No space left on device");
        });
        ziel = ordner + "x.txt";
        r = Schritt3_ausfuehren(e, d, nullptr, melde);
        SetAtomicWriteHook(alt);
        EXPECT_EQ(r.status, f.status);
        // the reason first, after the head
        const String kopf = "Schritt3: ERROR : ";
        EXPECT_EQ(label.back(), kopf + "Der Datenträger ist voll. " + String(f.text).substr(kopf.size()));
    }
}

TEST_F(KernSchritt3Lauf, HistoryWirdAngelegtUndErgaenzt)
{
    EXPECT_TRUE(History_anhaengen(ordner + "history.txt", "12-08-2009-aus20_Index-1*"));
    EXPECT_TRUE(History_anhaengen(ordner + "history.txt", "12-08-2009-aus20_Index-2*"));
    EXPECT_EQ(lies(ordner + "history.txt"), "12-08-2009-aus20_Index-1*\n12-08-2009-aus20_Index-2*\n");
}
