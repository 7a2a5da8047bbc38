#pragma once
// The comparison of tips with the draws on a window of its own: it reads history.txt, the
// selected-tips file of a run or meineFavoritten.txt, and the archive. Whatever those hold, it
// ends; a refusal is an rtl Exception, anything else is a finding.
#include <cstdlib>
#include <exception>

#include "Fuzzordner.h"
#include "Programmordner.h"
#include "Threadzahlenvergleichen.h"
#include "rtl/Files.h"

class TVergleichFuzzfenster : public IVergleichFenster {
public:
    String run_key;  // ComboBox2
    bool beim_Start = false;
    bool Tippdatum_im_Archiv = true;

    String ComboBox2() override { return run_key; }
    bool start_laeuft() override { return false; }
    bool zahlen_aktualisiert() override { return true; }
    bool vergleich_beim_Start() override { return beim_Start; }
    void vergleich_beim_Start_loeschen() override {}
    bool pruefe_Tippdatum(bool) override { return Tippdatum_im_Archiv; }
    void ListBox1(const std::vector<String>& zeilen) override { pruefe(zeilen); }
    void ListBox1(const std::vector<String>& zeilen, const String& farbe, const String& symbol0,
                  const String& symbol1) override
    {
        pruefe(zeilen);
        // Each marked line is one of the list's.
        for (const String* liste : {&farbe, &symbol0, &symbol1})
            for (std::size_t p = 0; p < liste->size();) {
                const std::size_t komma = liste->find(',', p);
                if (komma == String::npos) std::abort();
                if (StrToInt(liste->substr(p, komma - p)) >= static_cast<int>(zeilen.size())) std::abort();
                p = komma + 1;
            }
    }
    void ListBox1_Hint(const String&) override {}
    void ListBox1_ShowHint(bool) override {}

private:
    static void pruefe(const std::vector<String>& zeilen)
    {
        if (zeilen.empty()) std::abort();
    }
};

// A small archive with the draw of 12.08.2009, the run date the targets use.
inline constexpr const char* VERGLEICHSARCHIV = "08.08.09,3,9,17,28,33,41,5\n12.08.09,1,2,3,4,5,6,7\n";

inline void Vergleich_laufen(TVergleichFuzzfenster& fenster)
{
    ThreadZahlenVergleichen t(false, &fenster);
    t.WaitFor();
    if (std::exception_ptr fehler = t.FatalException()) {
        try {
            std::rethrow_exception(fehler);
        } catch (const Exception&) {
        } catch (...) {
            std::abort();
        }
    }
}
