#pragma once
// Computing core of step 2: reads the combinations of step 1, applies the nine pattern filters
// the user ticked, removes every combination that shares k numbers with a past draw, and writes
// the rest. It touches no control: the thread passes the check boxes and edit texts in and gets
// the texts for Label1 and the defaults to write back into the edits through callbacks, in the
// order the step shows them.
#include <cstddef>
#include <functional>
#include <span>
#include <string_view>
#include <vector>

#include "Kernhilfen.h"

// C(N,6) for the pool sizes 18..30; false (and anzahl left as it is) for any other N.
bool anzahl_Kombinationen(int N, int& anzahl_Varianten);

// The 37 lines of the 7 x 7 ticket that filter 5 counts: columns, diagonals, rows 2, 3, 5 and
// 6, and twelve runs of four.
const std::vector<std::vector<int>>& Tippscheinlinien();

// What step 2 reads from the main window.
struct Schritt2Eingaben {
    int anzahl_Varianten = 0;  // size of the combination table
    bool CheckBox7 = false;  // 1. two triplets
    bool CheckBox5 = false;  // 2. odd/even, Edit1
    bool CheckBox6 = false;  // 3. numbers in one decade, Edit2
    bool CheckBox8 = false;  // 4. same last digit, Edit3
    bool CheckBox9 = false;  // 5. lines on the ticket, Edit4
    bool CheckBox11 = false;  // 6. three pairs
    bool CheckBox12 = false;  // 7. high/low
    bool CheckBox13 = false;  // 8. cross sum, Edit6 < sum < Edit7
    bool CheckBox10 = false;  // 9. four in a row
    String Edit1, Edit2, Edit3, Edit4;  // filter parameters 1..6
    String Edit5;  // k: shared numbers that remove a combination, 1..6
    String Edit6, Edit7;  // cross sum bounds 1..279
};

// A default that replaces an out-of-range parameter and goes back into its edit.
struct EditKorrektur {
    int edit;  // 1 for Edit1, ...
    String text;  // the default as text
};

// Filter parameters after the range rule.
struct Filterwerte {
    int gerade_ungerade = 6;  // Edit1
    int zehner = 6;  // Edit2
    int endziffer = 5;  // Edit3
    int tippschein = 6;  // Edit4
    int quersumme_unten = 60;  // Edit6
    int quersumme_oben = 250;  // Edit7
};

// Reads the parameters of the ticked filters (unticked ones keep their defaults and are not
// checked); an out-of-range or non-numeric text takes its default, reported in filter order.
Filterwerte lies_Filterwerte(const Schritt2Eingaben& e, std::vector<EditKorrektur>* korrekturen);
// k from Edit5: 1..6, else 6 (reported).
int lies_Trefferzahl(const String& Edit5, std::vector<EditKorrektur>* korrekturen);

// The combination table: index = line number of the combinations file.
struct Kombinationstabelle {
    std::vector<Kombination> z;  // anzahl_Varianten entries; first number 0 = removed
    std::size_t zeilen = 0;  // lines read (at most anzahl_Varianten)
    std::size_t ungueltig = 0;  // lines read that hold no combination of six numbers 1..49
    std::size_t vorhanden() const;
};

// Step 2's reading of the combinations file: lines up to 99 characters; a line that begins with
// a number above 0 and holds six numbers 1..49 fills the entry of its line number. Lines beyond
// anzahl_Varianten are not read; entries without a valid line stay removed.
Kombinationstabelle lies_Kombinationen(std::string_view bytes, int anzahl_Varianten);

// Applies the ticked filters in their order; returns how many combinations they removed.
std::size_t filtere(Kombinationstabelle& t, const Schritt2Eingaben& schalter, const Filterwerte& w);
// True when the ticked filters keep the combination (its numbers 1..49, as every present entry).
bool besteht_Filter(const Kombination& k, const Schritt2Eingaben& schalter, const Filterwerte& w);

// Removes every present combination that has at least k of its six numbers among the seven
// numbers of some draw; returns how many it removed.
std::size_t loesche_gezogene(Kombinationstabelle& t, std::span<const Ziehung> ziehungen, int k);

// lies_Kombinationen, filtere and loesche_gezogene in one pass over the lines: the same table, with
// the counts of the filters' and the removal's combinations in durch_Filter and als_gezogen.
Kombinationstabelle lies_filtere_loesche(std::string_view bytes, const Schritt2Eingaben& schalter,
                                         const Filterwerte& w, std::span<const Ziehung> ziehungen, int k,
                                         std::size_t& durch_Filter, std::size_t& als_gezogen);

// lies_filtere_loesche and gefilterte_Stuecke in one pass, without the table: the pieces of the
// filtered-combinations file, in order its text, with the counts of the lines.
struct Gefiltert {
    std::vector<String> stuecke;
    std::size_t zeilen = 0;  // lines read (at most anzahl_Varianten)
    std::size_t ungueltig = 0;  // of them no combination of six numbers 1..49
    std::size_t durch_Filter = 0, als_gezogen = 0;  // removed by the filters, as drawn
    std::size_t geschrieben = 0;  // lines of the filtered file
};
Gefiltert filtere_Datei(std::string_view bytes, const Schritt2Eingaben& schalter, const Filterwerte& w,
                        std::span<const Ziehung> ziehungen, int k);

// The filtered-combinations file: one line per present combination, its numbers joined by ","
// followed by ",0".
String gefilterte_Datei(const Kombinationstabelle& t);
// The same text in pieces (made in parallel; in order they are the text).
std::vector<String> gefilterte_Stuecke(const Kombinationstabelle& t);

enum class Schritt2Status { OK, Eingabefehler, Ausgabefehler };

struct Schritt2Meldungen {
    std::function<void(const String& text)> Label1;
    std::function<void(const EditKorrektur& k)> Edit;  // default written back
};

struct Schritt2Ergebnis {
    Schritt2Status status = Schritt2Status::Eingabefehler;
    std::size_t zeilen = 0;  // combination lines read
    std::size_t ungueltig = 0;  // of them not a combination
    std::size_t durch_Filter = 0;  // removed by the filters
    std::size_t als_gezogen = 0;  // removed as sharing k numbers with a draw
    std::size_t geschrieben = 0;  // lines in the filtered file
};

// The whole computation of step 2 after the run key was checked and the draws were loaded:
// read kombinationsdatei, filter, remove drawn, write gefilterte_Datei (replaced atomically).
// Label1 gets the step's texts, including its error texts; on an error status the thread
// re-enables the pictures.
Schritt2Ergebnis Schritt2_ausfuehren(const Schritt2Eingaben& e, std::span<const Ziehung> ziehungen,
                                     const String& kombinationsdatei, const String& gefilterteDatei,
                                     const Schritt2Meldungen& m);
