#pragma once
// The comparison's view of a main window built from the program's layout: the form type names
// the controls as the layout does (ComboBox2, ListBox1, ...).
#include "Formzugriff.h"
#include "Threadzahlenvergleichen.h"
#include "zub/StdCtrls.h"

template <class TForm>
class TVergleichAnschluss : public IVergleichFenster {
public:
    explicit TVergleichAnschluss(TForm& form) : f(form) {}
    explicit TVergleichAnschluss(std::shared_ptr<TFormBindung<TForm>> bindung) : f(std::move(bindung)) {}

    String ComboBox2() override { return f->ComboBox2->Text(); }
    bool start_laeuft() override { return f->start_laeuft; }
    bool zahlen_aktualisiert() override { return f->zahlen_aktualisiert; }
    bool vergleich_beim_Start() override { return f->vergleich_beim_Start; }
    void vergleich_beim_Start_loeschen() override { f->vergleich_beim_Start = false; }
    bool pruefe_Tippdatum(bool vom_Picker) override { return f->pruefe_Tippdatum(vom_Picker); }

    void ListBox1(const std::vector<String>& zeilen) override { ListBox1_fuellen(*f.zugriff(), zeilen); }
    void ListBox1(const std::vector<String>& zeilen, const String& zeilen_farbe, const String& zeilen_symbol0,
                  const String& zeilen_symbol1) override
    {
        ListBox1_setzen(*f.zugriff(), zeilen, zeilen_farbe, zeilen_symbol0, zeilen_symbol1);
    }
    void ListBox1_Hint(const String& text) override { f->ListBox1->SetHint(text); }
    void ListBox1_ShowHint(bool an) override { f->ListBox1->SetShowHint(an); }

private:
    TFormGriff<TForm> f;
};
