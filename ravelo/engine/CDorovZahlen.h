#pragma once
// The draw archive in memory: the draws of dorov_zahlen.txt up to a tip date and the per-number
// and per-pair statistics the tip steps need. Every user builds its own object; nothing is shared.
#include <ostream>
#include <string_view>

#include "rtl/SysUtils.h"

class TForm1;

// Gap of a number, sorted by the gap alone.
struct Abstandpaar {
    int abstand;
    int zahl;
    Abstandpaar(int abstand_, int zahl_) : abstand(abstand_), zahl(zahl_) {}
    bool operator<(const Abstandpaar& b) const { return abstand < b.abstand; }
};

// A value and the index it belongs to, sorted by the value alone.
struct Wertpaar {
    float wert = 0;
    int index = 0;
    Wertpaar() = default;
    Wertpaar(float wert_, int index_) : wert(wert_), index(index_) {}
    bool operator<(const Wertpaar& b) const { return wert < b.wert; }
};
// Written as wert ";" index.
std::ostream& operator<<(std::ostream& out, const Wertpaar& p);

// A fixed list of 5000 values with a fill counter; zaehle looks at all 5000 entries.
struct Kriterienliste {
    static constexpr int GROESSE = 5000;
    int werte[GROESSE];
    int anzahl;
    Kriterienliste();
    int zaehle(int wert) const;
};

class CDorovZahlen {
public:
    static constexpr int MAX_ZIEHUNGEN = 5000;  // rows 0..4999; a longer archive keeps its newest draws
    static constexpr int SPALTEN = 12;  // 0..5 numbers, 6 extra number, 9 day, 10 month, 11 year
    static constexpr int SPALTE_ZUSATZZAHL = 6;
    static constexpr int SPALTE_TAG = 9;
    static constexpr int SPALTE_MONAT = 10;
    static constexpr int SPALTE_JAHR = 11;
    static constexpr int GEZAEHLTE_SPALTEN = 7;  // the six numbers and the extra number
    static constexpr int ANZAHL_ZWILLINGE = 1176;
    static constexpr int ZWILLINGSTABELLE = 1200;
    static constexpr int MERKPLAETZE = 60;
    // Gaps from this value on have no column in the pair statistics file.
    static constexpr int MAX_STATISTIKABSTAND = 1000;

    CDorovZahlen();

    // One line of dorov_zahlen.txt as lade_Zahlen reads it.
    struct TArchivzeile {
        bool beginnt_mit_Zahl = false;  // a draw line (stored, or of a year that is skipped)
        bool ist_Ziehung = false;  // stored as a row
        int werte[SPALTEN] = {};  // the row; a missing field reads as 0
        bool vorhanden[GEZAEHLTE_SPALTEN] = {};  // the field stands on the line (digits behind its ",")
    };
    static TArchivzeile lies_Zeile(std::string_view zeile);

    bool setze_Form(TForm1* form);
    // Loads the draws before the tip date (text dd.mm.yyyy) from dorov_zahlen.txt in the program
    // folder. False when the file cannot be opened; the tables then stay as they were.
    // Raises EConvertError for a date text shorter than dd.mm.yyyy.
    bool lade_Zahlen(const String& tippdatum);
    bool berechne_Abstaende();
    bool sortiere_Abstaende();
    bool zaehle_Haeufigkeit(const String& unbenutzt = String());
    bool merke_Zahl(int wert);
    bool enthaelt_Zahl(int wert) const;
    bool berechne_Zwillingsabstaende();
    bool sortiere_Zwillingsabstaende();
    // Reads the pair percentages from the pair statistics file in the program folder; a missing
    // file leaves them all 0 and still succeeds.
    bool lade_Zwillingsprozente();
    bool sortiere_Zwillingsprozente();
    int erste_Zahl(int zwilling) const;
    int zweite_Zahl(int zwilling) const;

    // Pair number 1..1176 of a < b (both 1..49); 0 for anything else.
    static int Zwillingsnummer(int a, int b);

    TForm1* form = nullptr;
    int zahlen[MAX_ZIEHUNGEN][SPALTEN];
    int letzte = -1;  // newest loaded row; -1 when nothing is loaded
    int haeufigkeit[50];  // by number; index 0 stays 0
    int abstand[50];  // by number 1..49: draws since last drawn
    int nach_Abstand[50];  // numbers by gap, positions 0..48 (step 1's pool from 1 on)
    int gemerkt[MERKPLAETZE];  // chosen set; 0 is a free slot
    int zwillingsabstand[ZWILLINGSTABELLE];  // by pair number 1..1176
    int zwillinge_nach_Abstand[ZWILLINGSTABELLE];  // pair numbers, positions 0..1175
    int zwillingsprozent[ZWILLINGSTABELLE];  // by pair number 1..1176
    int zwillinge_nach_Prozent[ZWILLINGSTABELLE];  // pair numbers, positions 0..1175

private:
    bool ist_gezogen(int zeile, int zahl) const;
    void sortiere_Zwillinge(const int* werte, int* ziel);
};
