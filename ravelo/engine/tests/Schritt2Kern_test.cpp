// Step 2's core: filters, parameter rule, reading, removal of drawn combinations, the whole run.
#include <gtest/gtest.h>

#include <fstream>
#include <memory>
#include <random>

#include "CDorovZahlen.h"
#include "Schritt2Kern.h"
#include "Testordner.h"
#include "rtl/Files.h"

namespace {

struct FilterFall {
    Kombination z;
    bool bleibt;
};

using Schalter = bool Schritt2Eingaben::*;

void pruefe_Filter(Schalter schalter, const Filterwerte& w, const std::vector<FilterFall>& faelle)
{
    Schritt2Eingaben e;
    e.*schalter = true;
    for (const FilterFall& f : faelle) {
        SCOPED_TRACE(::testing::PrintToString(f.z));
        EXPECT_EQ(besteht_Filter(f.z, e, w), f.bleibt);
    }
}

Filterwerte mit(int Filterwerte::*feld, int wert)
{
    Filterwerte w;
    w.*feld = wert;
    return w;
}

// A missing file reads as empty.
String lies(const String& name) { return FileExists(name) ? ReadFileBytes(name) : String(); }

}  // namespace

TEST(KernSchritt2, ZweiDrillinge)
{
    pruefe_Filter(&Schritt2Eingaben::CheckBox7, {},
                  {{{1, 2, 3, 10, 11, 12}, false},
                   {{1, 2, 3, 10, 11, 20}, true},
                   {{1, 2, 3, 4, 10, 11}, true},
                   {{40, 41, 42, 30, 31, 32}, false}});
}

TEST(KernSchritt2, GeradeUngerade)
{
    pruefe_Filter(&Schritt2Eingaben::CheckBox5, mit(&Filterwerte::gerade_ungerade, 3),
                  {{{2, 4, 6, 1, 3, 5}, false}, {{2, 4, 1, 3, 5, 7}, false}});
    pruefe_Filter(&Schritt2Eingaben::CheckBox5, mit(&Filterwerte::gerade_ungerade, 4),
                  {{{2, 4, 6, 1, 3, 5}, true}, {{2, 4, 1, 3, 5, 7}, false}});
    pruefe_Filter(
        &Schritt2Eingaben::CheckBox5, {},
        {{{2, 4, 6, 8, 10, 12}, false}, {{1, 3, 5, 7, 9, 11}, false}, {{2, 4, 6, 8, 10, 11}, true}});
}

TEST(KernSchritt2, ZahlenInEinemZehner)
{
    pruefe_Filter(&Schritt2Eingaben::CheckBox6, {},
                  {{{30, 31, 32, 33, 34, 35}, false}, {{1, 2, 3, 4, 5, 10}, true}});
    pruefe_Filter(
        &Schritt2Eingaben::CheckBox6, mit(&Filterwerte::zehner, 5),
        {{{1, 2, 3, 4, 5, 10}, false}, {{1, 2, 3, 4, 10, 11}, true}, {{9, 10, 11, 12, 13, 20}, true}});
}

TEST(KernSchritt2, GleicheEndziffer)
{
    pruefe_Filter(&Schritt2Eingaben::CheckBox8, {},
                  {{{1, 11, 21, 31, 41, 2}, false}, {{1, 11, 21, 31, 2, 3}, true}});
    pruefe_Filter(&Schritt2Eingaben::CheckBox8, mit(&Filterwerte::endziffer, 4),
                  {{{1, 11, 21, 31, 2, 3}, false}});
}

TEST(KernSchritt2, LinienAufDemTippschein)
{
    ASSERT_EQ(Tippscheinlinien().size(), 37u);
    pruefe_Filter(&Schritt2Eingaben::CheckBox9, {},
                  {
                      {{1, 8, 15, 22, 29, 36}, false},  // column 1
                      {{7, 13, 19, 25, 31, 37}, false},  // rising diagonal
                      {{2, 10, 18, 26, 34, 42}, false},  // falling diagonal of six
                      {{8, 9, 10, 11, 12, 13}, false},  // row 2
                      {{36, 37, 38, 39, 40, 41}, false},  // row 6
                      {{1, 2, 3, 4, 5, 6}, true},  // row 1 is no line
                  });
    pruefe_Filter(&Schritt2Eingaben::CheckBox9, mit(&Filterwerte::tippschein, 4),
                  {{{7, 8, 9, 10, 30, 40}, false}, {{40, 1, 2, 3, 41, 4}, true}});
    pruefe_Filter(&Schritt2Eingaben::CheckBox9, mit(&Filterwerte::tippschein, 2),
                  {{{22, 23, 24, 25, 26, 27}, true}, {{1, 2, 3, 4, 40, 41}, false}});
}

TEST(KernSchritt2, DreiPaareHochTiefVierInFolge)
{
    pruefe_Filter(&Schritt2Eingaben::CheckBox11, {},
                  {{{1, 2, 10, 11, 20, 21}, false}, {{1, 2, 10, 11, 20, 30}, true}});
    pruefe_Filter(
        &Schritt2Eingaben::CheckBox12, {},
        {{{1, 2, 3, 4, 5, 24}, false}, {{25, 30, 35, 40, 45, 49}, false}, {{1, 2, 3, 4, 5, 25}, true}});
    pruefe_Filter(&Schritt2Eingaben::CheckBox10, {},
                  {{{10, 1, 2, 3, 4, 20}, false},
                   {{20, 30, 1, 2, 3, 4}, false},
                   {{1, 20, 2, 3, 30, 4}, true},
                   {{4, 3, 2, 1, 20, 30}, true}});
}

TEST(KernSchritt2, Quersumme)
{
    pruefe_Filter(&Schritt2Eingaben::CheckBox13, {},
                  {{{1, 2, 3, 4, 5, 45}, false},  // 60: the bounds themselves fail
                   {{1, 2, 3, 4, 5, 46}, true},  // 61
                   {{49, 48, 47, 46, 45, 14}, true},  // 249
                   {{49, 48, 47, 46, 45, 15}, false}});
}

TEST(KernSchritt2, ParameterAusserhalbWerdenVorgabe)
{
    Schritt2Eingaben e;
    e.CheckBox5 = e.CheckBox8 = e.CheckBox13 = true;
    e.Edit1 = "abc";
    e.Edit2 = "0";  // filter off: not read
    e.Edit3 = "3";
    e.Edit6 = "0";
    e.Edit7 = "280";
    std::vector<EditKorrektur> k;
    Filterwerte w = lies_Filterwerte(e, &k);
    EXPECT_EQ(w.gerade_ungerade, 6);
    EXPECT_EQ(w.endziffer, 3);
    EXPECT_EQ(w.quersumme_unten, 60);
    EXPECT_EQ(w.quersumme_oben, 250);
    ASSERT_EQ(k.size(), 3u);
    EXPECT_EQ(k[0].edit, 1);
    EXPECT_EQ(k[0].text, "6");
    EXPECT_EQ(k[1].edit, 6);
    EXPECT_EQ(k[1].text, "60");
    EXPECT_EQ(k[2].edit, 7);
    EXPECT_EQ(k[2].text, "250");

    for (auto [text, wert, korrigiert] :
         {std::tuple{"0", 6, true}, {"7", 6, true}, {"3", 3, false}, {" 1 ", 1, false}}) {
        std::vector<EditKorrektur> kk;
        EXPECT_EQ(lies_Trefferzahl(text, &kk), wert) << text;
        EXPECT_EQ(kk.size(), korrigiert ? 1u : 0u) << text;
    }
}

TEST(KernSchritt2, AnzahlKombinationen)
{
    const int tabelle[] = {18564,  27132,  38760,  54264,  74613,  100947, 134596,
                           177100, 230230, 296010, 376740, 475020, 593775};
    for (int N = 18; N <= 30; ++N) {
        int a = 0;
        EXPECT_TRUE(anzahl_Kombinationen(N, a));
        EXPECT_EQ(a, tabelle[N - 18]) << N;
    }
    for (int N : {0, 17, 31, 49}) {
        int a = 123;
        EXPECT_FALSE(anzahl_Kombinationen(N, a));
        EXPECT_EQ(a, 123);
    }
}

TEST(KernSchritt2, LesenDerKombinationen)
{
    const String lang = "1,2,3,4,5," + String(94, ' ') + "7";  // the sixth number lies beyond 99 characters
    const String bytes =
        "1,2,3,4,5,6\nKombinationen\n\n7,8,9,10,11,50\n1,2,3\n" + lang + "\r\n8,9,10,11,12,13\r\n2,3,4,5,6,7";
    Kombinationstabelle t = lies_Kombinationen(bytes, 10);
    ASSERT_EQ(t.z.size(), 10u);
    EXPECT_EQ(t.zeilen, 8u);
    EXPECT_EQ(t.ungueltig, 5u);
    EXPECT_EQ(t.z[0], (Kombination{1, 2, 3, 4, 5, 6}));
    for (int i : {1, 2, 3, 4, 5, 8, 9}) EXPECT_EQ(t.z[i][0], 0) << i;
    EXPECT_EQ(t.z[6], (Kombination{8, 9, 10, 11, 12, 13}));
    EXPECT_EQ(t.z[7], (Kombination{2, 3, 4, 5, 6, 7}));
    EXPECT_EQ(t.vorhanden(), 3u);

    Kombinationstabelle kurz = lies_Kombinationen(bytes, 1);  // a table smaller than the file
    EXPECT_EQ(kurz.zeilen, 1u);
    EXPECT_EQ(kurz.vorhanden(), 1u);
}

TEST(KernSchritt2, LoeschenGezogenerKombinationen)
{
    auto tabelle = [](std::vector<Kombination> z) {
        Kombinationstabelle t;
        t.z = std::move(z);
        return t;
    };
    const std::vector<Ziehung> ziehungen = {{1, 2, 3, 4, 5, 6, 7}, {20, 21, 22, 23, 24, 25, 26}};
    // Six of the seven numbers of a draw, in any order and with the extra number, are removed at k = 6.
    Kombinationstabelle t =
        tabelle({{6, 5, 4, 3, 2, 1}, {1, 2, 3, 4, 5, 7}, {1, 2, 3, 4, 5, 8}, {20, 21, 22, 23, 24, 30}});
    EXPECT_EQ(loesche_gezogene(t, ziehungen, 6), 2u);
    EXPECT_EQ(t.z[0][0], 0);
    EXPECT_EQ(t.z[1][0], 0);
    EXPECT_EQ(t.z[2][0], 1);
    EXPECT_EQ(t.z[3][0], 20);

    t = tabelle({{1, 2, 3, 4, 5, 8}, {20, 21, 22, 23, 24, 30}, {1, 2, 20, 21, 30, 40}});
    EXPECT_EQ(loesche_gezogene(t, ziehungen, 5), 2u);
    EXPECT_EQ(t.z[2][0], 1);
    EXPECT_EQ(loesche_gezogene(t, ziehungen, 3), 0u);  // two of each draw only
    EXPECT_EQ(loesche_gezogene(t, ziehungen, 2), 1u);

    // A repeated number counts at every position it stands.
    t = tabelle({{5, 5, 5, 30, 31, 32}, {5, 5, 30, 31, 32, 33}});
    EXPECT_EQ(loesche_gezogene(t, ziehungen, 3), 1u);
    EXPECT_EQ(t.z[0][0], 0);
    EXPECT_EQ(t.z[1][0], 5);

    t = tabelle({{1, 2, 3, 4, 5, 6}});
    EXPECT_EQ(loesche_gezogene(t, {}, 1), 0u);
    EXPECT_EQ(t.z[0][0], 1);
}

// Reading, filters and removal in one pass leave the table and the counts of the three passes,
// with bad lines, repeated numbers and every k, on one thread and on all.
TEST(KernSchritt2, EinDurchgangWieDreiDurchgaenge)
{
    std::mt19937 rnd(1955);
    std::string bytes = "Kombinationen\n";
    for (int i = 0; i < 60000; ++i) {
        if (i % 977 == 0) bytes += "1,2,3,4,5,77\n";
        if (i % 1231 == 0) bytes += "\n";
        for (int p = 0; p < 6; ++p) bytes += (p ? "," : "") + std::to_string(1 + rnd() % (i % 5 ? 49 : 12));
        bytes += i % 3 ? "\n" : "\r\n";
    }
    std::vector<Ziehung> ziehungen;
    for (int i = 0; i < 400; ++i) {
        Ziehung z{};
        for (int& n : z) n = 1 + static_cast<int>(rnd() % 49);
        ziehungen.push_back(z);
    }
    Schritt2Eingaben e;
    e.anzahl_Varianten = 60500;
    e.CheckBox5 = e.CheckBox8 = e.CheckBox9 = e.CheckBox10 = e.CheckBox13 = true;
    e.Edit1 = "5", e.Edit3 = "3", e.Edit4 = "4", e.Edit6 = "90", e.Edit7 = "200";
    const Filterwerte w = lies_Filterwerte(e, nullptr);
    for (std::size_t threads : {std::size_t{1}, std::size_t{0}})
        for (int k : {1, 3, 4, 5, 6}) {
            SCOPED_TRACE(::testing::Message() << "k=" << k << " threads=" << threads);
            kern::setze_Threadgrenze(threads);
            Kombinationstabelle drei = lies_Kombinationen(bytes, e.anzahl_Varianten);
            const std::size_t f = filtere(drei, e, w), g = loesche_gezogene(drei, ziehungen, k);
            std::size_t f1 = 0, g1 = 0;
            const Kombinationstabelle eins = lies_filtere_loesche(bytes, e, w, ziehungen, k, f1, g1);
            EXPECT_EQ(eins.z, drei.z);
            EXPECT_EQ(eins.zeilen, drei.zeilen);
            EXPECT_EQ(eins.ungueltig, drei.ungueltig);
            EXPECT_EQ(f1, f);
            EXPECT_EQ(g1, g);
            // Written as judged, without the table: the same file and counts.
            const Gefiltert datei = filtere_Datei(bytes, e, w, ziehungen, k);
            EXPECT_EQ(kern::verbunden(datei.stuecke), gefilterte_Datei(drei));
            EXPECT_EQ(datei.zeilen, drei.zeilen);
            EXPECT_EQ(datei.ungueltig, drei.ungueltig);
            EXPECT_EQ(datei.durch_Filter, f);
            EXPECT_EQ(datei.als_gezogen, g);
            EXPECT_EQ(datei.geschrieben, drei.vorhanden());
            EXPECT_GT(f, 0u);
            if (k < 6) {
                EXPECT_GT(g, 0u);
            }
            if (k > 1) {  // k = 1: every number was drawn some time
                EXPECT_GT(eins.vorhanden(), 0u);
            }
        }
    kern::setze_Threadgrenze(0);
    std::size_t f = 1, g = 1;  // without draws nothing counts as drawn
    lies_filtere_loesche(bytes, e, w, {}, 6, f, g);
    EXPECT_EQ(g, 0u);
}

TEST(KernSchritt2, ZiehungenAusDerTabelle)
{
    auto z = std::make_unique<CDorovZahlen>();
    EXPECT_TRUE(Ziehungen(*z).empty());
    const int zeilen[2][12] = {{3, 12, 13, 16, 23, 41, 7, 0, 0, 9, 10, 55},
                               {1, 2, 3, 4, 5, 6, 49, 0, 0, 16, 10, 55}};
    for (int r = 0; r < 2; ++r)
        for (int c = 0; c < 12; ++c) z->zahlen[r][c] = zeilen[r][c];
    z->letzte = 1;
    EXPECT_EQ(Ziehungen(*z), (std::vector<Ziehung>{{3, 12, 13, 16, 23, 41, 7}, {1, 2, 3, 4, 5, 6, 49}}));
}

class KernSchritt2Lauf : public TestOrdner {};

TEST_F(KernSchritt2Lauf, OhneFilterNurGezogene)
{
    // Every filter off and k = 6: only combinations with six of a draw's seven numbers go.
    schreibe("k.cvs", {"1,2,3,4,5,6", "2,3,4,5,6,7", "1,2,3,4,5,8", "40,41,42,43,44,45", "3,4,5,6,7,1"});
    Schritt2Eingaben e;
    e.anzahl_Varianten = 5;
    e.Edit5 = "6";
    const std::vector<Ziehung> ziehungen = {{4, 6, 2, 3, 5, 9, 7}, {40, 41, 42, 43, 44, 1, 2}};
    Schritt2Ergebnis r = Schritt2_ausfuehren(e, ziehungen, ordner + "k.cvs", ordner + "g.cvs", {});
    EXPECT_EQ(r.durch_Filter, 0u);
    EXPECT_EQ(r.als_gezogen, 1u);
    EXPECT_EQ(lies(ordner + "g.cvs"), "1,2,3,4,5,6,0\n1,2,3,4,5,8,0\n40,41,42,43,44,45,0\n3,4,5,6,7,1,0\n");
}

TEST_F(KernSchritt2Lauf, SchreibtGefilterteUndMeldetInReihenfolge)
{
    schreibe("k.cvs",
             {"1,2,3,4,5,6", "2,4,6,8,10,12", "1,2,3,10,20,30", "7,13,19,25,31,37", "3,9,17,22,38,44"});
    Schritt2Eingaben e;
    e.anzahl_Varianten = 6;  // one entry more than the file has lines
    e.CheckBox5 = e.CheckBox9 = true;
    e.Edit1 = "9";
    e.Edit4 = "6";
    e.Edit5 = "0";
    std::vector<String> meldungen;
    Schritt2Meldungen m;
    m.Label1 = [&](const String& t) { meldungen.push_back("Label1 " + t); };
    m.Edit = [&](const EditKorrektur& k) { meldungen.push_back("Edit" + IntToStr(k.edit) + " " + k.text); };
    const std::vector<Ziehung> ziehungen = {{1, 2, 3, 10, 20, 30, 49}};
    Schritt2Ergebnis r = Schritt2_ausfuehren(e, ziehungen, ordner + "k.cvs", ordner + "g.cvs", m);
    EXPECT_EQ(r.status, Schritt2Status::OK);
    EXPECT_EQ(r.zeilen, 5u);
    EXPECT_EQ(r.durch_Filter, 2u);
    EXPECT_EQ(r.als_gezogen, 1u);
    EXPECT_EQ(r.geschrieben, 2u);
    EXPECT_EQ(lies(ordner + "g.cvs"), "1,2,3,4,5,6,0\n3,9,17,22,38,44,0\n");
    const std::vector<String> erwartet = {"Label1 Schritt2: Lese Samstags Zahlen (seit 1955) ein",
                                          "Label1 Schritt2: Filtere die Tabelle",
                                          "Edit1 6",
                                          "Label1 Schritt2: Lösche existierende Varianten",
                                          "Edit5 6",
                                          "Label1 Schritt2: OK"};
    EXPECT_EQ(meldungen, erwartet);
}

TEST_F(KernSchritt2Lauf, Fehlertexte)
{
    std::vector<String> label;
    Schritt2Meldungen m;
    m.Label1 = [&](const String& t) { label.push_back(t); };
    Schritt2Eingaben e;
    e.anzahl_Varianten = 1;
    Schritt2Ergebnis r = Schritt2_ausfuehren(e, {}, ordner + "fehlt.cvs", ordner + "g.cvs", m);
    EXPECT_EQ(r.status, Schritt2Status::Eingabefehler);
    ASSERT_EQ(label.size(), 1u);
    EXPECT_EQ(label[0], "Schritt2: ERROR : Nicht moeglich, Datei zum Lesen zu oeffnen.");
    EXPECT_FALSE(FileExists(ordner + "g.cvs"));

    schreibe("k.cvs", {"1,2,3,4,5,6"});
    label.clear();
    r = Schritt2_ausfuehren(e, {}, ordner + "k.cvs", ordner + "kein/ordner/g.cvs", m);
    EXPECT_EQ(r.status, Schritt2Status::Ausgabefehler);
    EXPECT_EQ(label.back(),
              "Schritt2: ERROR : Nicht moeglich, gerade_geloescht_zahlen.cvs zum Schreiben zu oeffnen.");

    // A read-only folder: the message says so in German.
    auto alt = SetAtomicWriteHook(
        [](const String&) { throw EInOutError("Cannot open file \"x\". Read-only file system"); });
    r = Schritt2_ausfuehren(e, {}, ordner + "k.cvs", ordner + "g.cvs", m);
    SetAtomicWriteHook(alt);
    EXPECT_EQ(r.status, Schritt2Status::Ausgabefehler);
    EXPECT_EQ(label.back(), "Schritt2: ERROR : Der Programmordner ist schreibgeschützt. Nicht moeglich, "
                            "gerade_geloescht_zahlen.cvs zum Schreiben zu oeffnen.");
}
