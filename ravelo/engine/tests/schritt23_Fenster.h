#pragma once
// A main window for the tests of steps 2 and 3 and the driver: answers the reads from its
// fields and records every write in order.
#include <map>
#include <mutex>
#include <vector>

#include "Schrittfenster.h"

class AufzeichnungsFenster : public ISchrittFenster {
public:
    String schluessel = "12-08-2009-aus20_Index-1*";
    TDateTime datum = EncodeDate(2009, 8, 12);
    std::map<int, bool> boxen;  // CheckBox2..CheckBox20; missing ones are ticked
    std::map<int, String> edits;  // Edit1..Edit8
    int varianten = 0;
    String tippdatum = "12-08-2009";
    bool tippdatum_gezogen = false;

    AufzeichnungsFenster()
    {
        const char* texte[] = {"6", "6", "5", "6", "6", "60", "250", "12"};
        for (int k = 1; k <= 8; ++k) edits[k] = texte[k - 1];
    }

    // Every write as one entry: "Label1 <text>", "Edit6=60", "ListBox1 <farbe>|<symbol0>|<symbol1>", ...
    std::vector<String> protokoll() const
    {
        std::lock_guard<std::mutex> g(FLock);
        return FProtokoll;
    }
    // The lines of every ListBox1 write, in order.
    std::vector<std::vector<String>> listen() const
    {
        std::lock_guard<std::mutex> g(FLock);
        return FListen;
    }
    std::vector<String> label1() const
    {
        std::vector<String> l;
        for (const String& e : protokoll())
            if (e.rfind("Label1 ", 0) == 0) l.push_back(e.substr(7));
        return l;
    }

    String ComboBox2() override { return schluessel; }
    TDateTime DateTimePicker2() override { return datum; }
    bool CheckBox(int nummer) override
    {
        std::lock_guard<std::mutex> g(FLock);
        auto it = boxen.find(nummer);
        return it == boxen.end() || it->second;
    }
    String Edit(int nummer) override
    {
        std::lock_guard<std::mutex> g(FLock);
        return edits.at(nummer);
    }
    int anzahl_Varianten() override { return varianten; }
    String tipp_datum() override { return tippdatum; }

    void ListBox1(const std::vector<String>& zeilen, const String& farbe, const String& symbol0,
                  const String& symbol1) override
    {
        std::lock_guard<std::mutex> g(FLock);
        FProtokoll.push_back("ListBox1 " + farbe + "|" + symbol0 + "|" + symbol1);
        FListen.push_back(zeilen);
    }
    void Label1(const String& text) override { schreibe("Label1 " + text); }
    void Edit_setzen(int nummer, const String& text) override
    {
        std::lock_guard<std::mutex> g(FLock);
        edits[nummer] = text;
        FProtokoll.push_back("Edit" + IntToStr(nummer) + "=" + text);
    }
    void Animate1_spielen(int von, int bis) override
    {
        schreibe("Animate1 " + IntToStr(von) + "-" + IntToStr(bis));
    }
    void Animate1_zeigen(int bild) override { schreibe("Animate1 " + IntToStr(bild)); }
    void Animate1_sichtbar() override { schreibe("Animate1 sichtbar"); }
    void ProgressBar1_null() override { schreibe("ProgressBar1 0"); }
    void Timer1_an() override { schreibe("Timer1 an"); }
    void schritt_beendet(int schritt) override { schreibe("schritt" + IntToStr(schritt) + "_aktiv=0"); }
    void ComboBox2_Eintraege(const String& historyDatei) override
    {
        schreibe("ComboBox2 Items " + historyDatei);
    }
    bool bilder_freigeben() override
    {
        schreibe("bilder_freigeben");
        return true;
    }
    bool pruefe_Tippdatum(bool vom_Picker) override
    {
        schreibe(vom_Picker ? "pruefe_Tippdatum(true)" : "pruefe_Tippdatum(false)");
        return tippdatum_gezogen;
    }
    void Nachrichten_verarbeiten() override {}
    void Fehlermeldung(const String& text, const String& titel) override
    {
        schreibe("Fehler " + titel + ": " + text);
    }

private:
    void schreibe(const String& eintrag)
    {
        std::lock_guard<std::mutex> g(FLock);
        FProtokoll.push_back(eintrag);
    }
    mutable std::mutex FLock;
    std::vector<String> FProtokoll;
    std::vector<std::vector<String>> FListen;
};
