#pragma once
// Step 1's view of a main window built from the program's layout: the form type names the
// controls as the layout does (TrackBar1, Label1..Label31, Edit9..Edit38, ...). Only the window's
// own library instantiates this, so the engine never links the window. Every control of the
// component library may be used from any thread; message boxes are shown on the user-interface
// thread while step 1 waits for the answer.
#include "Formzugriff.h"
#include "Schritt1Fenster.h"
#include "zub/Dialogs.h"
#include "zub/StdCtrls.h"

template <class TForm>
class TSchritt1Anschluss : public ISchritt1Fenster {
public:
    explicit TSchritt1Anschluss(TForm& form) : f(form) {}
    explicit TSchritt1Anschluss(std::shared_ptr<TFormBindung<TForm>> bindung) : f(std::move(bindung)) {}

    TDateTime DateTimePicker2() override { return f->DateTimePicker2->Date(); }
    bool CheckBox22() override { return f->CheckBox22->Checked(); }
    int TrackBar1() override { return f->TrackBar1->Position(); }
    bool RadioButton(int nummer) override
    {
        auto form = f.zugriff();
        auto* knopf = Steuerelement<TRadioButton>(*form, "RadioButton", nummer);
        return knopf && knopf->Checked();
    }
    String Tabelle2(int zeile) override { return f->Tabelle2->Cells(0, zeile); }
    String Edit(int nummer) override
    {
        auto form = f.zugriff();
        auto* edit = Steuerelement<TEdit>(*form, "Edit", nummer);
        return edit ? edit->Text() : String();
    }
    String ComboBox2() override { return f->ComboBox2->Text(); }

    void ListBox1(const std::vector<String>& zeilen, const String& zeilen_farbe, const String& zeilen_symbol0,
                  const String& zeilen_symbol1) override
    {
        ListBox1_setzen(*f.zugriff(), zeilen, zeilen_farbe, zeilen_symbol0, zeilen_symbol1);
    }
    void Label1(const String& text) override { f->Label1->SetCaption(text); }
    void Label(int nummer, const String& caption) override
    {
        auto form = f.zugriff();
        if (auto* l = Steuerelement<TLabel>(*form, "Label", nummer)) l->SetCaption(caption);
    }
    void Label_sichtbar(int nummer, bool sichtbar) override
    {
        auto form = f.zugriff();
        // The pool labels belong to the step-1 page; on the others they would lie over the step
        // boxes, the icons and the tip list. The page shows them itself when it is chosen.
        if (auto* l = Steuerelement<TLabel>(*form, "Label", nummer))
            l->SetVisible(sichtbar && form->modus_schritt1 == 1);
    }
    void Edit_sichtbar(int nummer, bool sichtbar) override
    {
        auto form = f.zugriff();
        if (auto* e = Steuerelement<TEdit>(*form, "Edit", nummer)) e->SetVisible(sichtbar);
    }
    void Animate1_spielen(int von, int bis) override { f->Animate1->Play(von, bis, 0); }
    void Animate1_zeigen(int bild) override { f->Animate1->Seek(bild); }
    void ProgressBar1_Schritt() override { f->ProgressBar1->StepIt(); }
    void Timer1_aus() override { f->Timer1->SetEnabled(false); }
    void schritt1_beendet() override { f->schritt1_aktiv = 0; }
    bool lade_History(TDateTime datum) override { return f->lade_History(datum); }

    void Meldung(const String& text, const String& titel, bool fehler) override
    {
        ::MessageBox(text, titel, MB_OK | (fehler ? MB_ICONERROR : 0));
    }
    bool Frage(const String& text) override
    {
        return MessageDlg(text, mtConfirmation, mbYes | mbNo) == mrYes;
    }

private:
    TFormGriff<TForm> f;
};
