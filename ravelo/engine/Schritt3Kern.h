#pragma once
// Computing core of step 3: scores every filtered combination by how many past draws share its
// signature, sorts by the points, selects the tips, checks them against the reference draw
// 1..6 + 7 and writes the points, sorted and selected files and the statistics line. It touches
// no control: the thread passes the settings in and gets the Label1 texts through a callback.
#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <span>
#include <string_view>
#include <vector>

#include "CKriterien.h"
#include "Kernhilfen.h"

// Entries of the past-signature list; entries beyond the loaded draws hold signature 0.
constexpr int KRITERIENLISTE_GROESSE = 5000;
// Tips are selected only below these points.
constexpr int PUNKTE_GRENZE = 3000;
// T from Edit8: 1 and above (a count beyond int reads as INT_MAX), else 1000 and *zurueckschreiben
// set (the edit then gets "1000"). A T beyond the lines there are selects those lines.
int lies_Tippanzahl(const String& Edit8, bool* zurueckschreiben);

// Prize amounts per hit class, each 1..1000000.
enum Trefferklasse { DREI, DREI_Z, VIER, VIER_Z, FUENF, FUENF_Z, SECHS, ANZAHL_KLASSEN };
struct Gewinnbetraege {
    static constexpr std::array<int, ANZAHL_KLASSEN> VORGABE{10, 20, 40, 300, 3000, 100000, 1000000};
    std::array<int, ANZAHL_KLASSEN> betrag = VORGABE;
};
// Puts the default into every amount outside 1..1000000; returns the classes it corrected.
std::vector<Trefferklasse> pruefe_Gewinnbetraege(Gewinnbetraege& g);

// Filtered combinations as step 3 reads them: lines up to 99 characters, until the end, a line
// that does not begin with a number of at least 1, or anzahl_Varianten lines.
std::vector<Kombination> lies_gefilterte(std::string_view bytes, int anzahl_Varianten);

// Points of every combination: how many of the KRITERIENLISTE_GROESSE list entries (the
// signatures of the first draws, then 0) equal its signature. Signatures of draws use their six
// numbers, not the extra number.
std::vector<std::uint16_t> berechne_Punkte(std::span<const Kombination> k, std::span<const Ziehung> ziehungen,
                                           const Kriterien& kriterien);
// lies_gefilterte and berechne_Punkte in one pass: each piece of lines is scored by the thread
// that read it.
struct Bewertete {
    std::vector<Kombination> k;
    std::vector<std::uint16_t> punkte;
};
Bewertete lies_und_bewerte(std::string_view bytes, int anzahl_Varianten, std::span<const Ziehung> ziehungen,
                           const Kriterien& kriterien);
// Indexes 0..n-1 ordered by ascending points; equal points keep index order.
std::vector<std::uint32_t> sortiere_Punkte(std::span<const std::uint16_t> punkte);

String Punktedatei(std::span<const std::uint16_t> punkte);  // one points value a line
String sortierte_Datei(std::span<const std::uint16_t> punkte,
                       std::span<const std::uint32_t> reihenfolge);  // points ";" index
// The same texts in pieces (made in parallel; in order they are the text).
std::vector<String> Punkte_Stuecke(std::span<const std::uint16_t> punkte);
std::vector<String> sortierte_Stuecke(std::span<const std::uint16_t> punkte,
                                      std::span<const std::uint32_t> reihenfolge);

struct Tipp {
    Kombination z{};
    int punkte = 0;
    int klasse = 0;  // 0, 3, 31, 4, 41, 5, 51 or 6
};

// Tip s takes sorted line s + 3 when its points are below PUNKTE_GRENZE; tips stay zero past the
// sorted lines or on a skipped line.
std::vector<Tipp> waehle_Tipps(std::span<const Kombination> k, std::span<const std::uint16_t> punkte,
                               std::span<const std::uint32_t> reihenfolge, int T);

struct Rueckpruefung {
    std::array<int, ANZAHL_KLASSEN> zaehler{};  // tips per hit class
    long long summe = 0;  // prize sum
};
// Sets each tip's class against the draw 1..6 with extra number 7 and counts the classes.
Rueckpruefung pruefe_Tipps(std::vector<Tipp>& tipps, const Gewinnbetraege& g);

String ausgewaehlte_Datei(std::span<const Tipp> tipps);  // s "." numbers " -" points " " class
String Statistikzeile(const Rueckpruefung& r);  // line for Statistik_Schritt3_komplett.txt, without line end
std::vector<String> Tippzeilen(std::span<const Tipp> tipps);  // tip list lines: s + 1 ".  " numbers

// Appends the run key to the history file (created when missing); false when it cannot be written.
bool History_anhaengen(const String& historyDatei, const String& schluessel);

struct Schritt3Eingaben {
    int anzahl_Varianten = 0;
    int T = 1000;  // from lies_Tippanzahl
    String Edit1;  // the back-check runs when it reads as a number below 50
    Kriterien kriterien;  // CheckBox15..CheckBox20
    Gewinnbetraege betraege;
};

struct Schritt3Dateien {
    String gefiltert;  // read
    String punkte;  // written
    String sortiert;  // written
    String ausgewaehlt;  // written
    String statistik;  // appended
};

enum class Schritt3Status { OK, Eingabefehler, Punktefehler, Sortierfehler, Auswahlfehler };

struct Schritt3Ergebnis {
    Schritt3Status status = Schritt3Status::Eingabefehler;
    std::size_t C = 0;  // combinations read
    std::vector<Tipp> tipps;  // T tips
    Rueckpruefung rueck;
    String statistikzeile;
    bool statistik_geschrieben = false;
    std::vector<String> tippzeilen;
};

// Steps 4 to 11 of the step: reads the filtered file, calls lade_Ziehungen when the draws are
// needed, scores, sorts, selects, checks, writes the files and appends the statistics line.
// Label1 gets the step's texts, including the error texts.
Schritt3Ergebnis Schritt3_ausfuehren(const Schritt3Eingaben& e, const Schritt3Dateien& d,
                                     const std::function<std::vector<Ziehung>()>& lade_Ziehungen,
                                     const std::function<void(const String&)>& Label1);
