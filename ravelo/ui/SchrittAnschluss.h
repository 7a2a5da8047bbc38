#pragma once
// The view of steps 2 and 3 and the driver on a main window built from the program's layout:
// the form type names the controls as the layout does (CheckBox2..CheckBox20, Edit1..Edit8,
// ListBox1, ...). Only the window's own library instantiates this, so the engine never links
// the window. Every control of the component library may be used from any thread; message
// boxes are shown on the user-interface thread while the worker waits.
#include "Formzugriff.h"
#include "Schrittfenster.h"
#include "rtl/MainThread.h"
#include "zub/Dialogs.h"
#include "zub/Forms.h"
#include "zub/StdCtrls.h"

template <class TForm>
class TSchrittAnschluss : public ISchrittFenster {
public:
    explicit TSchrittAnschluss(TForm& form) : f(form) {}
    explicit TSchrittAnschluss(std::shared_ptr<TFormBindung<TForm>> bindung) : f(std::move(bindung)) {}

    String ComboBox2() override { return f->ComboBox2->Text(); }
    TDateTime DateTimePicker2() override { return f->DateTimePicker2->Date(); }
    bool CheckBox(int nummer) override
    {
        auto form = f.zugriff();
        auto* box = Steuerelement<TCheckBox>(*form, "CheckBox", nummer);
        return box && box->Checked();
    }
    String Edit(int nummer) override
    {
        auto form = f.zugriff();
        auto* edit = Steuerelement<TEdit>(*form, "Edit", nummer);
        return edit ? edit->Text() : String();
    }
    int anzahl_Varianten() override { return f->anzahl_Varianten; }
    String tipp_datum() override { return f->tipp_datum; }

    void ListBox1(const std::vector<String>& zeilen, const String& zeilen_farbe, const String& zeilen_symbol0,
                  const String& zeilen_symbol1) override
    {
        ListBox1_setzen(*f.zugriff(), zeilen, zeilen_farbe, zeilen_symbol0, zeilen_symbol1);
    }
    void Label1(const String& text) override { f->Label1->SetCaption(text); }
    void Edit_setzen(int nummer, const String& text) override
    {
        auto form = f.zugriff();
        if (auto* edit = Steuerelement<TEdit>(*form, "Edit", nummer)) edit->SetText(text);
    }
    void Animate1_spielen(int von, int bis) override { f->Animate1->Play(von, bis, 0); }
    void Animate1_zeigen(int bild) override { f->Animate1->Seek(bild); }
    void Animate1_sichtbar() override { f->Animate1->SetVisible(true); }
    void ProgressBar1_null() override { f->ProgressBar1->SetPosition(0); }
    void Timer1_an() override { f->Timer1->SetEnabled(true); }
    void schritt_beendet(int schritt) override
    {
        if (schritt == 2) f->schritt2_aktiv = 0;
        if (schritt == 3) f->schritt3_aktiv = 0;
    }
    void ComboBox2_Eintraege(const String& historyDatei) override
    {
        f->ComboBox2->Items()->LoadFromFile(historyDatei);
    }

    bool bilder_freigeben() override { return f->bilder_freigeben(); }
    bool pruefe_Tippdatum(bool vom_Picker) override { return f->pruefe_Tippdatum(vom_Picker); }
    void Nachrichten_verarbeiten() override
    {
        // Only the user-interface thread runs the message loop; workers reach the model directly.
        if (IsMainThread()) Application->ProcessMessages();
    }
    void Fehlermeldung(const String& text, const String& titel) override
    {
        ::MessageBox(text, titel, MB_OK | MB_ICONERROR);
    }

private:
    TFormGriff<TForm> f;
};
